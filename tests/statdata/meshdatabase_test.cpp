// The place-name database: schema and column positions, the insert helpers,
// the name seeks and their failures.
#include "statdata/meshdatabase.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using veltra::statdata::MeshDatabase;

namespace {

QStringList columnsOf(MeshDatabase &db, const QString &table)
{
    QStringList names;
    auto statement = db.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    statement.bind(1, table);
    while (statement.next())
        names << statement.text(0);
    return names;
}

} // namespace

TEST(MeshDatabase, SchemaKeepsTheColumnPositionsReadersUse)
{
    veltra::test::TempDir dir;
    MeshDatabase db;
    ASSERT_TRUE(db.create(dir.file(QStringLiteral("DB/Mesh.sqlite")))) << db.lastError().toStdString();

    const QStringList pref = columnsOf(db, QStringLiteral("都道府県テーブル"));
    ASSERT_EQ(pref.size(), 8);
    EXPECT_EQ(pref[0], QStringLiteral("都道府県ｺｰﾄﾞ"));
    EXPECT_EQ(pref[1], QStringLiteral("都道府県名"));
    EXPECT_EQ(pref[6], QStringLiteral("X"));
    EXPECT_EQ(pref[7], QStringLiteral("Y"));

    const QStringList city = columnsOf(db, QStringLiteral("市区町村テーブル"));
    ASSERT_EQ(city.size(), 10);
    EXPECT_EQ(city.mid(0, 4),
        (QStringList{QStringLiteral("都道府県ｺｰﾄﾞ"), QStringLiteral("市区町村ｺｰﾄﾞ"),
            QStringLiteral("市区町村名"), QStringLiteral("よみがな")}));
    EXPECT_EQ(city[8], QStringLiteral("X"));
    EXPECT_EQ(city[9], QStringLiteral("Y"));

    const QStringList town = columnsOf(db, QStringLiteral("町丁字テーブル"));
    EXPECT_EQ(town,
        (QStringList{QStringLiteral("都道府県ｺｰﾄﾞ"), QStringLiteral("市区町村ｺｰﾄﾞ"),
            QStringLiteral("町丁字ｺｰﾄﾞ"), QStringLiteral("町丁字名"), QStringLiteral("X"),
            QStringLiteral("Y")}));

    // Creating again on the same file keeps what is there.
    ASSERT_TRUE(db.insertPrefecture(13, QStringLiteral("東京都"), 100, 200));
    ASSERT_TRUE(db.createSchema());
    EXPECT_EQ(db.prefectureName(13).value_or(QString()), QStringLiteral("東京都"));
}

TEST(MeshDatabase, InsertedRowsAreReadByPositionAndKey)
{
    veltra::test::TempDir dir;
    MeshDatabase db;
    ASSERT_TRUE(db.create(dir.file(QStringLiteral("Mesh.sqlite"))));
    ASSERT_TRUE(db.insertPrefecture(1, QStringLiteral("  北海道 "), 10, 20));
    ASSERT_TRUE(
        db.insertMunicipality(1, 101, QStringLiteral("札幌市中央区"), QStringLiteral("さっぽろし"), 11, 21));
    ASSERT_TRUE(db.insertTownBlock(1, 101, 1002, QStringLiteral("大通西"), 12, 22));
    // The same key twice is refused, not silently duplicated.
    EXPECT_FALSE(db.insertPrefecture(1, QStringLiteral("重複"), 0, 0));

    EXPECT_EQ(db.prefectureName(1).value_or(QStringLiteral("?")), QStringLiteral("北海道"));
    EXPECT_EQ(db.municipalityName(1, 101).value_or(QStringLiteral("?")), QStringLiteral("札幌市中央区"));
    EXPECT_EQ(db.townBlockName(1, 101, 1002).value_or(QStringLiteral("?")), QStringLiteral("大通西"));
    EXPECT_FALSE(db.prefectureName(2).has_value());
    EXPECT_FALSE(db.municipalityName(1, 102).has_value());
    EXPECT_FALSE(db.townBlockName(1, 101, 1003).has_value());

    auto points = db.prepare(
        QStringLiteral("SELECT * FROM 市区町村テーブル WHERE 都道府県コード = ? AND 市区町村コード = ?"));
    ASSERT_TRUE(points.isValid()) << db.lastError().toStdString();
    points.bind(1, 1).bind(2, QStringLiteral("101")); // a code bound as text finds the number
    ASSERT_TRUE(points.next());
    EXPECT_EQ(points.int32(8), 11);
    EXPECT_EQ(points.int32(9), 21);
}

TEST(MeshDatabase, NamesWithQuotesAreDataNotSql)
{
    veltra::test::TempDir dir;
    MeshDatabase db;
    ASSERT_TRUE(db.create(dir.file(QStringLiteral("Mesh.sqlite"))));
    const QString tricky = QStringLiteral("O'Hare\"; DROP TABLE 町丁字テーブル; --");
    ASSERT_TRUE(db.insertMunicipality(13, 101, tricky, QString(), 0, 0));
    auto byName
        = db.prepare(QStringLiteral("SELECT 市区町村コード FROM 市区町村テーブル WHERE 市区町村名 = ?"));
    byName.bind(1, tricky);
    ASSERT_TRUE(byName.next());
    EXPECT_EQ(byName.int32(0), 101);
    EXPECT_EQ(db.municipalityName(13, 101).value_or(QString()), tricky);
    EXPECT_FALSE(db.townBlockName(13, 101, 1).has_value()); // the table is still there
    EXPECT_TRUE(db.lastError().isEmpty());
}

TEST(MeshDatabase, FailuresAnswerNothingAndSayWhy)
{
    veltra::test::TempDir dir;
    MeshDatabase db;
    // A missing file is not created by open().
    EXPECT_FALSE(db.open(dir.file(QStringLiteral("DB/Mesh.sqlite"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("DB/Mesh.sqlite"))));
    EXPECT_EQ(db.lastError(), QStringLiteral("フォルダがありません: ") + dir.file(QStringLiteral("DB")));
    EXPECT_FALSE(db.prefectureName(13).has_value());

    // A file that is not a database.
    veltra::test::writeBytes(dir.file(QStringLiteral("junk.sqlite")), QByteArray(4096, 'x'));
    EXPECT_FALSE(db.open(dir.file(QStringLiteral("junk.sqlite"))));
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.lastError(), QStringLiteral("データベースのファイルではありません。"));

    // A database without the town table.
    {
        MeshDatabase partial;
        ASSERT_TRUE(partial.create(dir.file(QStringLiteral("partial.sqlite"))));
        ASSERT_TRUE(partial.database().exec(QStringLiteral("DROP TABLE 町丁字テーブル")));
    }
    ASSERT_TRUE(db.open(dir.file(QStringLiteral("partial.sqlite"))));
    EXPECT_FALSE(db.townBlockName(13, 101, 1).has_value());
    EXPECT_EQ(db.lastError(), QStringLiteral("データベースに表 町丁字テーブル がありません。"));
}

TEST(MeshDatabase, PathInDataFolderFindsTheFileWithoutCase)
{
    veltra::test::TempDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("db"));
    veltra::test::writeBytes(dir.file(QStringLiteral("db/mesh.sqlite")), QByteArray());
    EXPECT_EQ(MeshDatabase::pathInDataFolder(dir.path()), dir.file(QStringLiteral("db/mesh.sqlite")));
    // A data folder written without its final separator still gets one.
    const QString folder = dir.path().chopped(1);
    EXPECT_EQ(MeshDatabase::pathInDataFolder(folder), dir.file(QStringLiteral("db/mesh.sqlite")));
}

TEST(MeshDatabase, CanonicalSqlMapsBothSpellingsOfTheCodeColumns)
{
    EXPECT_EQ(MeshDatabase::canonicalSql(
                  QStringLiteral("WHERE 都道府県コード = ? AND 市区町村コード = ? AND 町丁字コード = ?")),
        QStringLiteral("WHERE 都道府県ｺｰﾄﾞ = ? AND 市区町村ｺｰﾄﾞ = ? AND 町丁字ｺｰﾄﾞ = ?"));
    EXPECT_EQ(MeshDatabase::canonicalSql(QStringLiteral("ORDER BY 都道府県ｺｰﾄﾞ")),
        QStringLiteral("ORDER BY 都道府県ｺｰﾄﾞ"));
}
