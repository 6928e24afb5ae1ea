#pragma once
// An in-memory copy of every element of one element file, with its
// level-of-detail copies, for drawing: a redraw then looks up the elements
// that the R*Tree finds for the view instead of reading their rows and
// points from the file again (for a whole-country view of a large document
// that was most of the frame). The store fills it at the first drawing query
// and empties it whenever it writes; it is used only while SQLite's data
// version says no other connection has written since. A file whose elements
// would take more memory than MaxBytes, or would take the copies of all open
// files past TotalMaxBytes, is not copied and is read as before.
#include "zorvik/core/elementcopy.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zorvik {

class DrawingIndex
{
public:
    static constexpr std::int64_t MaxBytes = 256 * 1024 * 1024;
    static constexpr std::int64_t TotalMaxBytes = 768 * 1024 * 1024;

    DrawingIndex() = default;
    ~DrawingIndex() { release(); }
    DrawingIndex(const DrawingIndex &) = delete;
    DrawingIndex &operator=(const DrawingIndex &) = delete;
    static constexpr int BandCount = 3; // bands 1..3 of lod::Bands

    // True when the copy was filled at this data version (usable, or known
    // to be too large).
    bool isCurrent(std::int64_t dataVersion) const { return m_filled && dataVersion == m_dataVersion; }
    bool isUsable() const { return m_filled && !m_tooLarge; }
    bool isTooLarge() const { return m_tooLarge; }

    // Filling: start, add every element, then its copies, finish. add and
    // addCopy return false once the copy grows too large.
    void start(std::int64_t dataVersion);
    bool add(const StoredElement &element);
    bool addCopy(std::int64_t id, int band, const unsigned char *points, std::int32_t count);
    void finish() { m_filled = true; }
    // Empties the copy; while a visit is under way the memory is kept until it ends.
    void clear();

    // The element `id` as a view into the copy, with the points of `band`
    // where it has a copy (0: the exact points); false when it is not copied.
    bool view(std::int64_t id, int band, std::int32_t source, StoredElement &out) const;

    // Brackets a walk that hands out views, so that a clear inside it cannot
    // free what the visitor is looking at.
    void beginVisit() const { ++m_visits; }
    void endVisit() const;
    // A copy is never refilled while one of its views may be in use.
    bool isVisiting() const { return m_visits > 0; }

private:
    struct Entry
    {
        ElementCopy element;
        std::array<QByteArray, BandCount> copies; // packed points per band, empty = none
    };
    void release();
    // Counts `bytes` more against both limits; false (and nothing counted) past one.
    bool reserve(std::int64_t bytes);

    std::int64_t m_dataVersion = 0;
    bool m_filled = false;
    bool m_tooLarge = false;
    std::int64_t m_bytes = 0;
    std::vector<Entry> m_entries;
    std::unordered_map<std::int64_t, std::uint32_t> m_byId;
    mutable int m_visits = 0;
    mutable bool m_releaseAfterVisit = false;
};

} // namespace zorvik
