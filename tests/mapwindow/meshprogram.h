#pragma once
// MeshProgram: a program folder in a temporary folder for the mesh commands,
// with the main frame and the real map window on its default document.
//
//   <folder>/Veltra.zor           the default document; [ZorSYSEX] MeshDataDir
//                                 names VeltraData\MeshData, so the engine
//                                 reads <data>/MeshData/<level>/*.mfv|*.mfc
//   <folder>/VeltraData/          the data folder (gstrDataPath)
//     DefFolder/                  kinds: space 1, closed vectors of kind 30
//     DefFolder/Meshdef2500.csv   a 3 x 3 grid of meshes m<col><row>
//
// Mesh m<col><row> spans meshX(col) .. meshX(col + 1) by meshY(row) ..
// meshY(row + 1); its .mfv file holds one closed square of kind 30 keyed with
// the text given, inside the mesh, found by an area search at the mesh's
// centre. The fixture also puts the shared state back when it ends.
#include "testsupport.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace veltra::test {

class MeshProgram
{
public:
    static constexpr std::int32_t X0 = 17 * 360000;
    static constexpr std::int32_t Y0 = 12 * 360000;
    static constexpr std::int32_t W = 3600;
    static constexpr std::int32_t H = 2400;
    static std::int32_t meshX(int col) { return X0 + col * W; }
    static std::int32_t meshY(int row) { return Y0 + row * H; }
    static std::int32_t centreX(int col) { return meshX(col) + W / 2; }
    static std::int32_t centreY(int row) { return meshY(row) + H / 2; }
    static QString meshName(int col, int row) { return QStringLiteral("m%1%2").arg(col).arg(row); }

    // `view`: the saved view 0 the document opens at (centre; scale 1:50,000).
    MeshProgram(std::int32_t viewX, std::int32_t viewY);
    ~MeshProgram();
    MeshProgram(const MeshProgram &) = delete;
    MeshProgram &operator=(const MeshProgram &) = delete;

    bool ok() const { return m_ok; }
    QString folder() const { return m_dir.path(); }
    QString data() const { return m_dir.path() + QStringLiteral("VeltraData/"); }
    QString meshFolder() const { return data() + QStringLiteral("MeshData/0/"); }

    // Writes a mesh pair <folder>/<name>.mfv (a square of `key` inside the
    // mesh at col, row) and <folder>/<name>.mfc (no elements).
    static bool writeMeshFiles(
        const QString &folder, const QString &name, int col, int row, const QString &key);
    // An LHA archive <name>.LZH in `folder` holding a mesh pair as above.
    static bool writeMeshArchive(
        const QString &folder, const QString &name, int col, int row, const QString &key);

    // Opens the default document in the frame (LoadNewDoc(0)).
    void openMap();
    // The key of the area at a world point on the current map, or "" when none.
    static QString areaAt(std::int32_t x, std::int32_t y);

private:
    TempDir m_dir;
    bool m_ok = false;
};

// Puts the shared state the fixture touches back to a fresh start.
void resetMeshProgramState();

} // namespace veltra::test
