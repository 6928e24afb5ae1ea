// The choice of the meshes around a view centre, and the lines of the mesh
// list that can be used at all.
#include "mapwindow/meshdownload.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

using namespace veltra::mapwindow;

namespace {

// A grid of 4 x 3 meshes "x<column>y<row>", 1000 wide and 800 high, from
// (10000, 20000); x0y0 is the south-west mesh.
constexpr int X0 = 10000, Y0 = 20000, W = 1000, H = 800;

QString line(const QString &name, double x1, double y1, double x2, double y2)
{
    return QStringLiteral("%1,0,%2,%3,%4,%5").arg(name).arg(x1).arg(y1).arg(x2).arg(y2);
}

// The list in ReadTextLines' form: element 0 empty, line 1 the header.
std::vector<QString> gridLines()
{
    std::vector<QString> lines{QString(), QStringLiteral("MESH,NO,MINX,MINY,MAXX,MAXY")};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            lines.push_back(line(QStringLiteral("x%1y%2").arg(col).arg(row), X0 + col * W, Y0 + row * H,
                X0 + (col + 1) * W, Y0 + (row + 1) * H));
    return lines;
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *n : list)
        out << QString::fromLatin1(n);
    return out;
}

TEST(MeshSelection, TheCentresQuarterChoosesTheBlockInTheListsOrder)
{
    const std::vector<MeshBounds> meshes = parseMeshList(gridLines());
    ASSERT_EQ(meshes.size(), 12u);
    // Mesh x1y1 spans 11000-12000 by 20800-21600; its middle lines are
    // x = 11500 and y = 21200.
    struct Case
    {
        const char *what;
        std::int32_t x, y;
        QStringList expected;
    };
    const Case cases[] = {
        {"low X, low Y", 11200, 20900, names({"x1y1", "x0y0", "x1y0", "x0y1"})},
        {"high X, low Y", 11800, 20900, names({"x1y1", "x1y0", "x2y0", "x2y1"})},
        {"low X, high Y", 11200, 21500, names({"x1y1", "x0y1", "x0y2", "x1y2"})},
        {"high X, high Y", 11800, 21500, names({"x1y1", "x2y1", "x2y2", "x1y2"})},
        {"on the vertical middle line: high X", 11500, 20900, names({"x1y1", "x1y0", "x2y0", "x2y1"})},
        {"on the horizontal middle line: high Y", 11200, 21200, names({"x1y1", "x0y1", "x0y2", "x1y2"})},
        {"on both middle lines", 11500, 21200, names({"x1y1", "x2y1", "x2y2", "x1y2"})},
        // Beside and on the edge between x1y1 and x2y1: the same four, once each.
        {"just west of the shared edge", 11999, 20900, names({"x1y1", "x1y0", "x2y0", "x2y1"})},
        {"on the shared edge", 12000, 20900, names({"x1y1", "x1y0", "x2y0", "x2y1"})},
        {"on the corner of four meshes", 12000, 21600, names({"x1y1", "x2y1", "x2y2", "x1y2"})},
        // At the edge of the covered area only listed meshes come.
        {"south-west corner mesh, low quarter", 10100, 20100, names({"x0y0"})},
        {"west edge, high Y quarter", 10100, 21500, names({"x0y1", "x0y2"})},
        {"north-east corner mesh, high quarter", 13900, 22300, names({"x3y2"})},
        {"the outermost corner itself", 10000, 20000, names({"x0y0"})},
        {"outside every mesh", 9999, 20100, QStringList()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(selectMeshes(meshes, c.x, c.y), c.expected);
    }
}

TEST(MeshSelection, NeighboursMustMatchTheirBoundsExactly)
{
    std::vector<QString> lines{QString(), QStringLiteral("header")};
    lines.push_back(line(QStringLiteral("m"), 1000, 1000, 2000, 1800));
    lines.push_back(line(QStringLiteral("west"), 0, 1000, 1000, 1800));
    lines.push_back(line(QStringLiteral("southwest"), 0, 200, 1000.5, 1000)); // one bound off
    lines.push_back(line(QStringLiteral("south"), 1000, 200, 2000, 1000));
    lines.push_back(line(QStringLiteral("south2"), 1000.0, 200, 2000, 1000)); // same bounds, other name
    EXPECT_EQ(selectMeshes(parseMeshList(lines), 1100, 1100), names({"m", "south", "south2", "west"}));
}

TEST(MeshSelection, UnusableLinesAreSkipped)
{
    const std::vector<QString> lines{QString(),
        QStringLiteral("ok,0,0,0,10,10"), // line 1 is the header, whatever it holds
        QStringLiteral("a,0,0,0,10,10"), QStringLiteral("short,0,0,0,10"),
        QStringLiteral("word,0,0,zero,10,10"), QStringLiteral("empty,0,0,,10,10"),
        QStringLiteral("huge,0,0,0,3000000000,10"), QStringLiteral("../up,0,0,0,10,10"),
        QStringLiteral("..,0,0,0,10,10"), QStringLiteral("a\\b,0,0,0,10,10"),
        QStringLiteral("a/b,0,0,0,10,10"), QStringLiteral("c:x,0,0,0,10,10"),
        QStringLiteral("star*,0,0,0,10,10"), QStringLiteral("dot.,0,0,0,10,10"),
        QStringLiteral(",0,0,0,10,10"),
        QStringLiteral(" b ,0,0,0,10,10"), // Windows drops the trailing blank
        QStringLiteral(" b,0, 1 , 2 ,10,10,extra"), QStringLiteral("c,0,1.5,2.5,10,10")};
    const std::vector<MeshBounds> meshes = parseMeshList(lines);
    QStringList kept;
    for (const MeshBounds &m : meshes)
        kept << m.name;
    EXPECT_EQ(kept, (QStringList{QStringLiteral("a"), QStringLiteral(" b"), QStringLiteral("c")}));
    // Whole numbers for the view test (rounded as CLng), doubles for the
    // neighbour search.
    EXPECT_EQ(meshes[2].minXL, 2);
    EXPECT_EQ(meshes[2].minYL, 2);
    EXPECT_DOUBLE_EQ(meshes[2].minX, 1.5);
    EXPECT_TRUE(parseMeshList({QString(), QStringLiteral("header")}).empty());
    EXPECT_TRUE(parseMeshList({QString()}).empty());
}

} // namespace
