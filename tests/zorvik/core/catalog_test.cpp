#include "docfixture.h"
#include "zorvik/core/catalogfiles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

using test::DocFixture;

TEST(Catalog, DefinitionsSurviveSaveDefFileAndReopen)
{
    DocFixture f;
    Engine &e = f.engine;
    // Names with commas, quotes and the renderer name with its trailing blank.
    ASSERT_EQ(e.AddSpace(7, QStringLiteral("添付ﾌｧｲﾙ"), QStringLiteral("P")), code::Ok);
    ASSERT_EQ(e.AddConnectorKind(300, QStringLiteral("名前, \"引用\""), 7, QStringLiteral("Figure.DLL ")),
        code::Ok);
    ASSERT_EQ(e.SetConnectorDispInfo(300, 0, 1, 1, Style6{{5, 0, 6, 0, 7, 0}}, 3), code::Ok);
    ASSERT_EQ(e.SetKindDispSize(300, 1500), code::Ok);
    ASSERT_EQ(e.SetVectorDispInfo(10, 1, 0, Style6{{1, 2, 3, 4, 5, 6}}), code::Ok);
    ASSERT_EQ(e.SetSpaceName(2, QStringLiteral("市区町村 (改)")), code::Ok);
    ASSERT_EQ(e.DeleteVectorKindFromSpace(1, 10), code::Ok);
    ASSERT_EQ(e.SaveDefFile(), code::Ok);
    const Catalog before = e.document()->catalog();
    e.CloseMap();

    Engine again;
    again.setDocumentPath(f.zor);
    ASSERT_EQ(again.InitializeMap(0), code::Ok) << again.lastError().toStdString();
    const Catalog &after = again.document()->catalog();
    ASSERT_EQ(after.spaces().size(), before.spaces().size());
    for (std::size_t i = 0; i < before.spaces().size(); ++i) {
        EXPECT_EQ(after.spaces()[i].id, before.spaces()[i].id);
        EXPECT_EQ(after.spaces()[i].name, before.spaces()[i].name);
        EXPECT_EQ(after.spaces()[i].type, before.spaces()[i].type);
        EXPECT_EQ(after.spaces()[i].vectorKinds, before.spaces()[i].vectorKinds);
    }
    ASSERT_EQ(after.vectorKinds().size(), before.vectorKinds().size());
    for (std::size_t i = 0; i < before.vectorKinds().size(); ++i) {
        const VectorKind &a = after.vectorKinds()[i], &b = before.vectorKinds()[i];
        EXPECT_EQ(std::tie(a.id, a.name, a.disp, a.pick), std::tie(b.id, b.name, b.disp, b.pick));
        EXPECT_EQ(a.style, b.style);
    }
    ASSERT_EQ(after.connectorKinds().size(), before.connectorKinds().size());
    for (std::size_t i = 0; i < before.connectorKinds().size(); ++i) {
        const ConnectorKind &a = after.connectorKinds()[i], &b = before.connectorKinds()[i];
        EXPECT_EQ(std::tie(a.id, a.name, a.space, a.dll, a.disp, a.pick, a.hatchFlag, a.hatchNo, a.size),
            std::tie(b.id, b.name, b.space, b.dll, b.disp, b.pick, b.hatchFlag, b.hatchNo, b.size));
        EXPECT_EQ(a.style, b.style);
    }
    QString name, dll;
    std::int16_t space = 0;
    ASSERT_EQ(again.GetConnectorKindInfo(300, name, space, dll), code::Ok);
    EXPECT_EQ(dll, QStringLiteral("Figure.DLL "));
    EXPECT_EQ(name, QStringLiteral("名前, \"引用\""));
}

TEST(Catalog, DefinitionFilesAreCp932WithCrLf)
{
    DocFixture f;
    const QByteArray bytes = veltra::test::readBytes(f.dir.file(QStringLiteral("DefFolder/SpaceDef.csv")));
    EXPECT_TRUE(bytes.startsWith("spaceID,name,type,order\r\n"));
    // 都道府県 in CP932.
    EXPECT_TRUE(bytes.contains(QByteArray::fromHex("937393b9957b8ca7")));
}

TEST(Catalog, ResultCodesOfDefinitionMembers)
{
    DocFixture f;
    Engine &e = f.engine;
    QString text;
    std::int16_t n = 0;
    std::int32_t lower = 0, upper = 0;
    struct Row
    {
        const char *name;
        Result got, expected;
    };
    const Row rows[] = {
        {"unused space name", e.GetSpaceName(99, text), code::UnknownId},
        {"unused vector name", e.GetVectorName(999, text), code::UnknownId},
        {"unused connector name", e.GetConnectorName(999, text), code::UnknownId},
        {"space 0", e.AddSpace(0, QStringLiteral("a"), QStringLiteral("F")), code::BadArgument},
        {"space 256", e.AddSpace(256, QStringLiteral("a"), QStringLiteral("F")), code::BadArgument},
        {"space twice", e.AddSpace(1, QStringLiteral("a"), QStringLiteral("F")), code::IdInUse},
        {"name too long", e.AddSpace(9, QString(128, u'a'), QStringLiteral("F")), code::BadArgument},
        {"name of 127", e.AddSpace(9, QString(127, u'a'), QStringLiteral("F")), code::Ok},
        {"name on two lines", e.AddVectorKind(77, QStringLiteral("a\r\nb")), code::BadArgument},
        {"vector twice", e.AddVectorKind(10, QStringLiteral("a")), code::IdInUse},
        {"vector kind -1", e.AddVectorKind(-1, QStringLiteral("a")), code::BadArgument},
        {"vector into unknown space", e.AddVectorKindToSpace(77, 10), code::UnknownId},
        {"unknown vector into space", e.AddVectorKindToSpace(1, 999), code::UnknownId},
        {"vector into space twice", e.AddVectorKindToSpace(1, 1), code::IdInUse},
        {"connector in unknown space", e.AddConnectorKind(400, QStringLiteral("a"), 77, QString()),
            code::UnknownId},
        {"connector twice", e.AddConnectorKind(206, QStringLiteral("a"), 1, QString()), code::IdInUse},
        {"vector style colour 256", e.SetVectorDispInfo(10, 1, 1, Style6{{256, 0, 0, 0, 0, 0}}),
            code::BadArgument},
        {"vector line type 8", e.SetVectorDispInfo(10, 1, 1, Style6{{0, 8, 0, 0, 0, 0}}), code::BadArgument},
        {"hatch number 8", e.SetConnectorDispInfo(206, 1, 1, 1, Style6{}, 8), code::BadArgument},
        {"display size 20001", e.SetKindDispSize(206, 20001), code::BadArgument},
        {"display size of unknown", e.SetKindDispSize(999, 10), code::UnknownId},
        {"range of unknown kind type", e.GetElmDispRange(2, 10, lower, upper), code::BadArgument},
        {"vectors of unknown space", e.GetSpaceIDVectorIDListCount(77, n), code::UnknownId},
        {"delete unknown space", e.DeleteSpace(77), code::UnknownId},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.got, r.expected);
    }
}

TEST(Catalog, FreeIdSearchFindsFirstUnusedSpace)
{
    DocFixture f;
    // The application's free-ID search: first n in 1..255 whose name call fails.
    QString name;
    int free = 0;
    for (std::int16_t n = 1; n <= 255 && !free; ++n)
        if (f.engine.GetSpaceName(n, name) != code::Ok)
            free = n;
    EXPECT_EQ(free, 4);
}

TEST(Catalog, ListsKeepDefinitionOrderAndMembership)
{
    DocFixture f;
    Engine &e = f.engine;
    std::int16_t count = 0;
    ASSERT_EQ(e.GetSpaceIDListCount(count), code::Ok);
    std::vector<std::int16_t> ids;
    ASSERT_EQ(e.GetSpaceIDList(count, ids), code::Ok);
    EXPECT_EQ(ids, (std::vector<std::int16_t>{1, 2, 3, 100}));
    ASSERT_EQ(e.GetSpaceIDVectorIDListCount(1, count), code::Ok);
    ASSERT_EQ(e.GetSpaceIDVectorIDList(1, count, ids), code::Ok);
    EXPECT_EQ(ids, (std::vector<std::int16_t>{1, 10}));
    ASSERT_EQ(e.GetSpaceIDConnectorIDListCount(3, count), code::Ok);
    ASSERT_EQ(e.GetSpaceIDConnectorIDList(3, count, ids), code::Ok);
    EXPECT_EQ(ids, (std::vector<std::int16_t>{227}));

    // Deleting a space unlinks its connector kinds; the kinds stay defined.
    ASSERT_EQ(e.DeleteSpace(3), code::Ok);
    QString name, dll;
    std::int16_t space = -1;
    ASSERT_EQ(e.GetConnectorKindInfo(227, name, space, dll), code::Ok);
    EXPECT_EQ(space, 0);
    ASSERT_EQ(e.SaveDefFile(), code::Ok);
    e.CloseMap();
    ASSERT_EQ(e.InitializeMap(0), code::Ok) << e.lastError().toStdString();
    ASSERT_EQ(e.GetConnectorKindInfo(227, name, space, dll), code::Ok);
    EXPECT_EQ(space, 0);
}

TEST(Catalog, ConnectorStyleKeepsHatchingAndSize)
{
    DocFixture f;
    Engine &e = f.engine;
    ASSERT_EQ(e.SetConnectorDispInfo(206, 1, 1, 1, Style6{{1, 0, 2, 0, 3, 0}}, 5), code::Ok);
    ASSERT_EQ(e.SetKindDispSize(206, 700), code::Ok);
    ASSERT_EQ(e.SetConnectorDispStyle(206, 0, 1, Style6{{9, 4, 8, 4, 7, 4}}), code::Ok);
    std::int16_t disp, pick, hatch, hatchNo, size;
    Style6 style;
    ASSERT_EQ(e.GetConnectorDispInfo(206, disp, pick, hatch, style, hatchNo), code::Ok);
    EXPECT_EQ(disp, 0);
    EXPECT_EQ(hatch, 1);
    EXPECT_EQ(hatchNo, 5);
    EXPECT_EQ(style, (Style6{{9, 0, 8, 0, 7, 0}})); // connectors have no line types
    ASSERT_EQ(e.GetKindDispSize(206, size), code::Ok);
    EXPECT_EQ(size, 700);
}

TEST(Catalog, ScaleRangesComeFromTheDisplayRangeFiles)
{
    DocFixture f;
    f.engine.CloseMap();
    // The reader stops at the first line that is not four fields.
    veltra::test::writeBytes(f.dir.file(QStringLiteral("DefFolder/DispVectDef.csv")),
        "KindID,Range1,Range2,Flag\r\n1,0,500000,0\r\n2,0,100000,0\r\n2,5,6,0\r\n\r\n3,0,1,0\r\n");
    veltra::test::writeBytes(f.dir.file(QStringLiteral("DefFolder/DispCnectDef.csv")),
        "KindID,Range1,Range2,Flag\r\n206,1000,2000,0\r\n");
    ASSERT_EQ(f.engine.InitializeMap(0), code::Ok);
    struct Row
    {
        int type;
        std::int16_t id;
        std::int32_t lower, upper;
    };
    const Row rows[] = {{0, 1, 0, 500000}, {0, 2, 0, 100000}, {0, 3, 0, INT32_MAX}, {1, 206, 1000, 2000},
        {1, 211, 0, INT32_MAX}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.id);
        std::int32_t lower = -1, upper = -1;
        ASSERT_EQ(f.engine.GetElmDispRange(r.type, r.id, lower, upper), code::Ok);
        EXPECT_EQ(lower, r.lower);
        EXPECT_EQ(upper, r.upper);
    }
}

TEST(Catalog, BuiltInTables)
{
    Engine e;
    // Highlight colours the callers rely on are clearly different from each other.
    const int highlights[] = {1, 4, 5, 10, 13, 22, 29, 64};
    for (int a : highlights)
        for (int b : highlights) {
            if (a >= b)
                continue;
            std::int16_t r1, g1, b1, r2, g2, b2;
            ASSERT_EQ(e.GetPaletteColor(a, r1, g1, b1), code::Ok);
            ASSERT_EQ(e.GetPaletteColor(b, r2, g2, b2), code::Ok);
            const double d
                = std::sqrt(double((r1 - r2) * (r1 - r2) + (g1 - g2) * (g1 - g2) + (b1 - b2) * (b1 - b2)));
            EXPECT_GT(d, 100.0) << a << " vs " << b;
        }
    std::int16_t r, g, b;
    EXPECT_EQ(e.GetPaletteColor(255, r, g, b), code::Ok);
    EXPECT_EQ(e.GetPaletteColor(256, r, g, b), code::BadArgument);

    const std::pair<std::int32_t, std::int32_t> lines[8]
        = {{1, 0}, {2, 0}, {3, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}};
    for (int n = 0; n < 8; ++n) {
        std::int32_t width = -1, kind = -1;
        ASSERT_EQ(e.GetLineType(n, width, kind), code::Ok) << n;
        EXPECT_EQ(std::make_pair(width, kind), lines[n]) << n;
    }
    const std::int32_t hatches[8] = {100, 0, 1, 2, 3, 4, 5, -1};
    for (int n = 0; n < 8; ++n) {
        std::int32_t hatch = -2;
        ASSERT_EQ(e.GetHatch(n, hatch), code::Ok);
        EXPECT_EQ(hatch, hatches[n]) << n;
    }
    std::int32_t w, c;
    EXPECT_EQ(e.GetLineType(8, w, c), code::BadArgument);
}

} // namespace
} // namespace zorvik

namespace zorvik {
namespace {

TEST(Catalog, SaveDefFileWritesAllOrNothing)
{
    test::DocFixture f;
    const QString folder = f.dir.file(QStringLiteral("DefFolder/"));
    const QByteArray spaces = veltra::test::readBytes(folder + QStringLiteral("SpaceDef.csv"));
    ASSERT_EQ(f.engine.AddSpace(50, QStringLiteral("new space"), QStringLiteral("F")), code::Ok);
    // The connector file would fail: a character CP932 cannot hold.
    ASSERT_EQ(
        f.engine.AddConnectorKind(500, QString::fromUtf8("\xF0\x9F\x98\x80"), 50, QStringLiteral("X.DLL")),
        code::Ok);
    EXPECT_EQ(f.engine.SaveDefFile(), code::IoError);
    EXPECT_FALSE(f.engine.lastError().isEmpty());
    EXPECT_EQ(veltra::test::readBytes(folder + QStringLiteral("SpaceDef.csv")), spaces);
}

} // namespace
} // namespace zorvik
