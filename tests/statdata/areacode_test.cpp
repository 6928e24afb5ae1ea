// Area codes: the part functions, the normalisation and the name lookups.
#include "statdata/comcaldoraneo.h"
#include "statdata/meshdatabase.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using veltra::statdata::MeshDatabase;

TEST(AreaCode, PartsAsNumberTexts)
{
    struct Case
    {
        const char *code;
        const char *pref;
        const char *city;
        const char *town;
    };
    const Case cases[] = {
        {"13101", "13", "101", "0"},
        {"1", "0", "0", "0"}, // too short for any part
        {"01", "1", "0", "0"},
        {"1310", "13", "0", "0"}, // 4 characters: no municipality
        {"1310100", "13", "10100", "0"}, // 7 characters: five-digit municipality
        {"131010", "13", "101", "0"},
        {"13101001002", "13", "101", "1002"},
        {"1310100100", "13", "101", "0"}, // 10 characters: no town block
        {"", "0", "0", "0"},
        {"13a01", "0", "0", "0"},
        {"-1310", "0", "0", "0"},
        {" 13101", "0", "0", "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        const QString code = QString::fromUtf8(c.code);
        EXPECT_EQ(ComCaldoraNeo::GetPrefCode(code), QString::fromUtf8(c.pref));
        EXPECT_EQ(ComCaldoraNeo::GetCityCode(code), QString::fromUtf8(c.city));
        EXPECT_EQ(ComCaldoraNeo::GetTownCode(code), QString::fromUtf8(c.town));
    }
}

TEST(AreaCode, SplitAreaCodeNormalisesToElevenDigits)
{
    struct Case
    {
        const char *text;
        std::array<int32_t, 3> parts;
    };
    const Case cases[] = {
        {"13", {13, 0, 0}},
        {"1", {1, 0, 0}},
        {"1101", {1, 101, 0}},
        {"13101", {13, 101, 0}},
        {"13101001002", {13, 101, 1002}},
        {"13101123456", {13, 101, 123456}}, // a town-block piece of six digits, none of them a leading zero
        {"東京都,千代田区,13101", {13, 101, 0}},
        {"  13101  ", {13, 101, 0}},
        {"x，13101", {13, 101, 0}}, // the full-width comma separates too
        {"1310100", {13, 10100, 0}}, // prefecture and five-digit municipality
        {"0110100", {1, 10100, 0}},
        {"", {0, 0, 0}},
        {"   ", {0, 0, 0}},
        {"abc", {0, 0, 0}},
        {"13101,", {0, 0, 0}}, // an empty last field reads as 0
        {"1.5", {0, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        std::array<int32_t, 3> parts{-1, -1, -1};
        ComCaldoraNeo::SplitAreaCode(QString::fromUtf8(c.text), parts);
        EXPECT_EQ(parts, c.parts);
    }
}

class PlaceNames : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto &db = MeshDatabase::shared();
        ASSERT_TRUE(db.create(m_dir.file(QStringLiteral("DB/Mesh.sqlite"))));
        ASSERT_TRUE(db.insertPrefecture(1, QStringLiteral("北海道"), 0, 0));
        ASSERT_TRUE(db.insertPrefecture(13, QStringLiteral("東京都 "), 0, 0));
        ASSERT_TRUE(
            db.insertMunicipality(13, 101, QStringLiteral(" 千代田区"), QStringLiteral("ちよだく"), 0, 0));
        ASSERT_TRUE(db.insertMunicipality(1, 101, QStringLiteral("札幌市中央区"), QString(), 0, 0));
        ASSERT_TRUE(db.insertMunicipality(13, 10100, QStringLiteral("五桁市"), QString(), 0, 0));
        ASSERT_TRUE(db.insertTownBlock(13, 101, 1002, QStringLiteral("丸の内一丁目"), 0, 0));
        ASSERT_TRUE(db.insertTownBlock(1, 101, 1002, QStringLiteral("大通西二丁目"), 0, 0));
    }
    void TearDown() override { MeshDatabase::shared().close(); }

    veltra::test::TempDir m_dir;
};

TEST_F(PlaceNames, NamesByCode)
{
    struct Case
    {
        const char *code;
        const char *pref;
        const char *city;
        const char *town;
    };
    const Case cases[] = {
        {"13101001002", "東京都", "千代田区", "丸の内一丁目"},
        {"13101", "東京都", "千代田区", ""},
        {"1310100", "東京都", "五桁市", ""}, // 7 characters: five-digit municipality
        {"1101001002", "", "", "大通西二丁目"}, // 10 characters: the town lookup adds one zero on the left
        {"01101", "北海道", "札幌市中央区", ""},
        {"1", "北海道", "", ""},
        {"13", "東京都", "", ""},
        {"47", "", "", ""},
        {"abc", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        const QString code = QString::fromUtf8(c.code);
        EXPECT_EQ(ComCaldoraNeo::GetPrefName(code), QString::fromUtf8(c.pref));
        EXPECT_EQ(ComCaldoraNeo::GetCityName(code), QString::fromUtf8(c.city));
        EXPECT_EQ(ComCaldoraNeo::GetTownName(code), QString::fromUtf8(c.town));
    }
}

TEST_F(PlaceNames, ClosedOrBrokenDatabaseGivesEmptyNames)
{
    MeshDatabase::shared().close();
    EXPECT_EQ(ComCaldoraNeo::GetPrefName(QStringLiteral("13")), QString());
    EXPECT_EQ(ComCaldoraNeo::GetCityName(QStringLiteral("13101")), QString());
    EXPECT_EQ(ComCaldoraNeo::GetTownName(QStringLiteral("13101001002")), QString());

    ASSERT_TRUE(MeshDatabase::shared().open(m_dir.file(QStringLiteral("DB/Mesh.sqlite"))));
    ASSERT_TRUE(MeshDatabase::shared().database().exec(QStringLiteral("DROP TABLE 市区町村テーブル")));
    EXPECT_EQ(ComCaldoraNeo::GetCityName(QStringLiteral("13101")), QString());
    EXPECT_FALSE(MeshDatabase::shared().lastError().isEmpty());
    EXPECT_EQ(ComCaldoraNeo::GetPrefName(QStringLiteral("13")), QStringLiteral("東京都"));
}
