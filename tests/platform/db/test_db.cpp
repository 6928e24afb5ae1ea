#include "platform/db/db.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using veltra::db::Database;
using veltra::db::Transaction;

namespace {

struct DbTest : ::testing::Test
{
    veltra::test::TempDir dir;
    Database db;
    void SetUp() override
    {
        ASSERT_TRUE(db.open(dir.file("t.sqlite"), true));
        ASSERT_TRUE(db.exec("CREATE TABLE 市区町村テーブル (コード TEXT, 名称 TEXT, 人口 INTEGER, 面積 REAL)"));
    }
};

} // namespace

TEST_F(DbTest, BoundTextWithQuotesRoundTrips)
{
    auto ins = db.prepare("INSERT INTO 市区町村テーブル VALUES (?, ?, ?, ?)");
    ASSERT_TRUE(ins.isValid());
    ASSERT_TRUE(ins.bind(1, QStringLiteral("13101")).bind(2, QStringLiteral("千代田'区\"; DROP TABLE x")).bind(3, 66680).bind(4, 11.66).exec());
    // A reused statement takes new bindings after exec() reset it.
    ASSERT_TRUE(ins.bind(1, QStringLiteral("13102")).bind(2, QStringLiteral("中央区")).bindNull(3).bind(4, 10.21).exec());

    auto sel = db.prepare("SELECT 名称, 人口, 面積 FROM 市区町村テーブル WHERE コード = ?");
    sel.bind(1, QStringLiteral("13101"));
    ASSERT_TRUE(sel.next());
    EXPECT_EQ(sel.text(0), QStringLiteral("千代田'区\"; DROP TABLE x"));
    EXPECT_EQ(sel.int32(1), 66680);
    EXPECT_DOUBLE_EQ(sel.real(2), 11.66);
    EXPECT_FALSE(sel.next());

    sel.reset();
    sel.bind(1, QStringLiteral("13102"));
    ASSERT_TRUE(sel.next());
    EXPECT_TRUE(sel.isNull(1));
    EXPECT_FALSE(sel.value(1).isValid());
}

TEST_F(DbTest, TransactionRollsBackUnlessCommitted)
{
    {
        Transaction t(db);
        ASSERT_TRUE(db.exec("INSERT INTO 市区町村テーブル VALUES ('01100', '札幌市', 1, 1)"));
    }
    auto count = db.prepare("SELECT COUNT(*) FROM 市区町村テーブル");
    ASSERT_TRUE(count.next());
    EXPECT_EQ(count.int32(0), 0);
    {
        Transaction t(db);
        ASSERT_TRUE(db.exec("INSERT INTO 市区町村テーブル VALUES ('01100', '札幌市', 1, 1)"));
        ASSERT_TRUE(t.commit());
    }
    count.reset();
    ASSERT_TRUE(count.next());
    EXPECT_EQ(count.int32(0), 1);
}

TEST_F(DbTest, ErrorsAreReportedNotThrown)
{
    EXPECT_FALSE(db.prepare("SELECT * FROM no_such_table").isValid());
    EXPECT_TRUE(db.lastError().contains("no_such_table"));
    EXPECT_FALSE(db.exec("garbage"));

    Database missing;
    EXPECT_FALSE(missing.open(dir.file("absent.sqlite"), false));
    EXPECT_FALSE(missing.lastError().isEmpty());
    EXPECT_FALSE(missing.isOpen());
}
