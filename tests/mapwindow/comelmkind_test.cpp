// Kind-ID services on a real engine document.
#include "kinddoc.h"
#include "mapwindow/comelmkind.h"
#include "zorvik/widget/zorvik.h"

#include <gtest/gtest.h>

using namespace veltra::test;

TEST(ComElmKind, WithoutAnEngineEveryMemberAnswersNothing)
{
    ComElmKind kinds;
    std::int16_t id = 77;
    EXPECT_FALSE(kinds.GetUnuseSpaceID(id));
    EXPECT_FALSE(kinds.GetUnuseVectID(id));
    EXPECT_FALSE(kinds.GetUnuseCnectID(id));
    EXPECT_EQ(id, 77);
    std::vector<std::int16_t> ids{5};
    std::vector<QString> names{QStringLiteral("x")};
    EXPECT_EQ(kinds.GetSpaceIDList(ids, names), 0);
    EXPECT_EQ(kinds.GetVectIDList(1, ids, names), 0);
    EXPECT_EQ(kinds.GetCnectIDList(1, ids, names), 0);
    EXPECT_EQ(ids, std::vector<std::int16_t>{5});
    kinds.CreateCnectIDList();
    EXPECT_EQ(kinds.cnectCount(), 0);
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral("x")), -1);
}

TEST(ComElmKind, LowestFreeIds)
{
    KindDoc doc;
    ComElmKind kinds;
    kinds.setEngine(&doc.engine);
    std::int16_t id = 0;
    EXPECT_TRUE(kinds.GetUnuseSpaceID(id));
    EXPECT_EQ(id, 4); // spaces 1 to 3 are in use
    EXPECT_TRUE(kinds.GetUnuseVectID(id));
    EXPECT_EQ(id, 1);
    ASSERT_EQ(doc.engine.AddConnectorKind(1, QStringLiteral("一"), 1, QStringLiteral("MARU.DLL")),
        zorvik::code::Ok);
    EXPECT_TRUE(kinds.GetUnuseCnectID(id));
    EXPECT_EQ(id, 2);

    // Every space ID in use: False, and the argument stays.
    for (std::int16_t s = 4; s <= 255; ++s)
        ASSERT_EQ(
            doc.engine.AddSpace(s, QStringLiteral("s%1").arg(s), QStringLiteral("V")), zorvik::code::Ok);
    id = -5;
    EXPECT_FALSE(kinds.GetUnuseSpaceID(id));
    EXPECT_EQ(id, -5);
}

TEST(ComElmKind, IdAndNameListsPerSpace)
{
    KindDoc doc;
    ComElmKind kinds;
    kinds.setEngine(&doc.engine);
    std::vector<std::int16_t> ids;
    std::vector<QString> names;
    ASSERT_EQ(kinds.GetSpaceIDList(ids, names), 3);
    EXPECT_EQ(ids, (std::vector<std::int16_t>{1, 2, 3}));
    EXPECT_EQ(
        names, (std::vector<QString>{QStringLiteral("北区"), QStringLiteral("南区"), QStringLiteral("空")}));

    ASSERT_EQ(kinds.GetVectIDList(2, ids, names), 2);
    EXPECT_EQ(ids, (std::vector<std::int16_t>{RiverKind, BorderKind}));
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("河川"), QStringLiteral("境界")}));

    ASSERT_EQ(kinds.GetCnectIDList(2, ids, names), 1);
    EXPECT_EQ(ids, std::vector<std::int16_t>{PointKind});
    EXPECT_EQ(names, std::vector<QString>{QStringLiteral("点")});

    // A space without vector kinds: 0, and the arrays keep their contents.
    EXPECT_EQ(kinds.GetVectIDList(3, ids, names), 0);
    EXPECT_EQ(ids, std::vector<std::int16_t>{PointKind});
    EXPECT_EQ(names, std::vector<QString>{QStringLiteral("点")});
}

TEST(ComElmKind, ConnectorKindByExactName)
{
    KindDoc doc;
    ASSERT_EQ(doc.engine.AddConnectorKind(40, QStringLiteral(" 余白 "), 2, QStringLiteral("MARU.DLL")),
        zorvik::code::Ok);
    zorvik::Zorvik map;
    doc.engine.SaveDefFile();
    doc.engine.CloseMap();
    map.setDocumentPath(doc.zor);
    ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);

    ComElmKind kinds;
    kinds.setZorvik(&map);
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral("点")), -1); // nothing collected yet
    kinds.CreateCnectIDList();
    EXPECT_EQ(kinds.cnectCount(), 4);
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral("地名")), PlaceKind);
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral("標")), MarkKind);
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral(" 余白 ")), 40);
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral("余白")), -1); // blanks count
    EXPECT_EQ(kinds.GetCnectIDbyName(QStringLiteral("なし")), -1);

    // The list is built again from scratch, not appended to.
    kinds.CreateCnectIDList();
    EXPECT_EQ(kinds.cnectCount(), 4);
}
