#include "platform/db/db.h"
#include "testsupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

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
        ASSERT_TRUE(
            db.exec("CREATE TABLE 市区町村テーブル (コード TEXT, 名称 TEXT, 人口 INTEGER, 面積 REAL)"));
    }
};

} // namespace

TEST_F(DbTest, BoundTextWithQuotesRoundTrips)
{
    auto ins = db.prepare("INSERT INTO 市区町村テーブル VALUES (?, ?, ?, ?)");
    ASSERT_TRUE(ins.isValid());
    ASSERT_TRUE(ins.bind(1, QStringLiteral("13101"))
                    .bind(2, QStringLiteral("千代田'区\"; DROP TABLE x"))
                    .bind(3, 66680)
                    .bind(4, 11.66)
                    .exec());
    // A reused statement takes new bindings after exec() reset it.
    ASSERT_TRUE(ins.bind(1, QStringLiteral("13102"))
                    .bind(2, QStringLiteral("中央区"))
                    .bindNull(3)
                    .bind(4, 10.21)
                    .exec());

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

// What the user is told: SQLite's English never reaches a message; the names
// of missing tables and columns do.
TEST_F(DbTest, ErrorsAreJapanese)
{
    struct Row
    {
        const char *name;
        std::function<QString()> fail;
        const char *says;
    };
    const QString junk = dir.file("junk.sqlite");
    veltra::test::writeBytes(junk, QByteArray(4096, 'x'));
    const QString underFile = dir.file("junk.sqlite/inner.sqlite");
    const Row rows[] = {
        {"file is not a database",
            [&] {
                Database d;
                EXPECT_TRUE(d.open(junk, false));
                EXPECT_FALSE(d.prepare("SELECT count(*) FROM sqlite_master").isValid());
                return d.lastError();
            },
            "データベースのファイルではありません。"},
        {"missing file",
            [&] {
                Database d;
                EXPECT_FALSE(d.open(dir.file("absent.sqlite"), false));
                return d.lastError();
            },
            "ファイルがありません。"},
        {"a file where a folder should be",
            [&] {
                Database d;
                EXPECT_FALSE(d.open(underFile, true));
                return d.lastError();
            },
            "フォルダの代わりにファイルがあります: "},
        {"missing table",
            [&] {
                EXPECT_FALSE(db.prepare("SELECT * FROM 町丁字テーブル").isValid());
                return db.lastError();
            },
            "データベースに表 町丁字テーブル がありません。"},
        {"missing column",
            [&] {
                EXPECT_FALSE(db.prepare("SELECT よみがな FROM 市区町村テーブル").isValid());
                return db.lastError();
            },
            "データベースに列 よみがな がありません。"},
        {"not open",
            [&] {
                Database d;
                EXPECT_FALSE(d.exec("SELECT 1"));
                return d.lastError();
            },
            "データベースが開かれていません。"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QString error = row.fail();
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(row.says))) << error.toStdString();
    }
    struct Code
    {
        int code;
        const char *says;
    };
    const Code codes[] = {
        {SQLITE_READONLY, "データベースが読み取り専用のため書き込めません。"},
        {SQLITE_FULL, "ディスクの空き容量が足りません。"},
        {SQLITE_CORRUPT, "データベースのファイルが壊れています。"},
        {SQLITE_BUSY, "データベースがほかのプログラムで使用中です。"},
        {SQLITE_IOERR_WRITE, "ディスクの読み書きでエラーが起きました。"},
        {SQLITE_ERROR, "データベースの操作に失敗しました。"},
    };
    for (const Code &c : codes)
        EXPECT_EQ(veltra::db::describeError(c.code, QStringLiteral("disk I/O error")).toStdString(), c.says);
}
