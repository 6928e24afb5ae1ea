#pragma once
// ComElmKind: answers the questions other windows ask about the engine's
// space and kind numbers: which numbers are still free, which spaces and
// kinds exist with their names, and which connector kind carries a name.
//
// It reads through an engine set with setZorvik (a map control) or setEngine
// (the headless core); until then every member answers False, 0 or -1 and
// changes nothing. Names are kept exactly as the engine returns them, so the
// search by name is exact (case and blanks count). Nothing is cached: a
// free-ID search asks the engine once per number.
//
// Common use:
//   ComElmKind kinds; kinds.setZorvik(gobjZor);
//   std::vector<std::int16_t> ids; std::vector<QString> names;
//   for (int i = 0, n = kinds.GetSpaceIDList(ids, names); i < n; ++i) ...
#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik {
class Engine;
class Zorvik;
} // namespace zorvik

class ComElmKind
{
public:
    ComElmKind() = default;
    ~ComElmKind();
    ComElmKind(const ComElmKind &) = delete;
    ComElmKind &operator=(const ComElmKind &) = delete;

    // The engine to ask (property let Zorvik); nullptr forgets it.
    void setZorvik(zorvik::Zorvik *control);
    void setEngine(const zorvik::Engine *engine);

    // The lowest free space ID in 1..255, kind IDs in 1..32000; False (and the
    // argument untouched) when every number is in use.
    bool GetUnuseSpaceID(std::int16_t &iSpID) const;
    bool GetUnuseVectID(std::int16_t &iVectID) const;
    bool GetUnuseCnectID(std::int16_t &iCnectID) const;

    // IDs and names, index 0..count-1; the count is returned. A count of 0 or
    // less leaves the arrays as they were.
    std::int16_t GetSpaceIDList(std::vector<std::int16_t> &ids, std::vector<QString> &names) const;
    std::int16_t GetVectIDList(
        std::int16_t spaceId, std::vector<std::int16_t> &ids, std::vector<QString> &names) const;
    std::int16_t GetCnectIDList(
        std::int16_t spaceId, std::vector<std::int16_t> &ids, std::vector<QString> &names) const;

    // Collects every connector kind of every space, in the engine's order.
    void CreateCnectIDList();
    // The first collected connector kind with exactly this name; -1 when none.
    std::int16_t GetCnectIDbyName(const QString &sName) const;

    std::int16_t cnectCount() const { return m_cnectCount; }

private:
    const zorvik::Engine *engine() const;
    bool HasEngine() const { return engine() != nullptr; }

    QPointer<QObject> m_control; // the map control, forgotten when it goes
    const zorvik::Engine *m_engine = nullptr;
    std::vector<std::int16_t> m_cnectIds;
    std::vector<QString> m_cnectNames;
    std::int16_t m_cnectCount = 0;
};
