// The user CSV check (codes and messages) and its conversion into a value file.
#include "statdata/clsrealdata.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

QString header(int items)
{
    QStringList fields{"ｺｰﾄﾞ", "名前"};
    for (int i = 1; i <= items; ++i)
        fields << "i" + QString::number(i);
    return fields.join(',');
}

} // namespace

TEST(ClsRealData, CheckFileFormatCodes)
{
    const QString city = QStringLiteral("市区町村"), pref = QStringLiteral("都道府県"),
                  town = QStringLiteral("町丁字");
    const QString h1 = QStringLiteral("ｺｰﾄﾞ,名前,人口");
    struct Row
    {
        const char *what;
        QString kind;
        QStringList lines;
        int32_t code;
        bool utf8 = false;
        QByteArray eol = "\r\n";
    };
    const Row rows[] = {
        {"empty file", city, {}, -1},
        {"100 items", city, {header(100), "13101,x," + QStringList(100, "1").join(',')}, 0},
        {"101 items", city, {header(101)}, -2},
        {"empty header", city, {"", "13101,x,1"}, -2},
        {"empty titles", city, {",,人口", "13101,,1"}, 0},
        {"16 half-width", city, {"a,b,abcdefghijklmnop"}, 0},
        {"16 half-width kana", city, {"a,b,ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"}, 0},
        {"17 half-width", city, {"a,b,abcdefghijklmnopq"}, -2},
        {"8 NEC characters", city, {"a,b,①②③④⑤⑥⑦⑧"}, 0},
        {"9 full-width", city, {"a,b,人口世帯数面積増加"}, -2},
        {"9 NEC characters", city, {"a,b,①②③④⑤⑥⑦⑧⑨"}, -2},
        {"empty item", city, {"a,b,人口,,世帯"}, -2},
        {"item CP932 cannot hold", city, {"a,b,人口😀"}, -2, true},
        {"UTF-8 8 full-width", city, {"a,b,人口世帯数面積増", "13101,x,1"}, 0, true, "\n"},
        {"UTF-8 9 full-width", city, {"a,b,人口世帯数面積増加"}, -2, true, "\n"},
        {"UTF-8 16 kana", city, {"a,b,ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ"}, 0, true, "\r"},
        {"code 1101", city, {h1, "1101,札幌市中央区,1"}, 0},
        {"code 13101", city, {h1, "13101,千代田区,1"}, 0},
        {"code of 7", city, {h1, "1310101,x,1"}, -3},
        {"code with a letter", city, {h1, "131O1,x,1"}, -3},
        {"code with a blank", city, {h1, " 1101,x,1"}, -3},
        {"empty data line", city, {h1, "13101,x,1", "", "13102,x,1"}, -3},
        {"prefecture 1", pref, {h1, "1,北海道,1"}, 0},
        {"prefecture 131", pref, {h1, "131,x,1"}, -3},
        {"town 10 digits", town, {h1, "1310100100,x,1"}, 0},
        {"town 11 digits", town, {h1, "13101001001,x,1"}, 0},
        {"unknown unit", QStringLiteral("情報点"), {h1, "13101,x,1"}, -3},
        {"values", city, {"a,b,v1,v2,v3,v4", "13101,x,123,-45.6,-,"}, 0},
        {"fewer values", city, {"a,b,v1,v2,v3", "13101,x,1"}, 0},
        {"9999999.9", city, {h1, "13101,x,9999999.9"}, 0},
        {"10000000", city, {h1, "13101,x,10000000"}, -4},
        {"-10000000", city, {h1, "13101,x,-10000000"}, -4},
        {"1e5", city, {h1, "13101,x,1e5"}, -4},
        {"point forms", city, {"a,b,v1,v2,v3,v4", "13101,x,12.,.5,-.5,0009999999"}, 0},
        {"two points", city, {h1, "13101,x,1.2.3"}, -4},
        {"minus point", city, {h1, "13101,x,-."}, -4},
        {"lone point", city, {h1, "13101,x,."}, -4},
        {"double minus", city, {h1, "13101,x,--1"}, -4},
        {"inner minus", city, {h1, "13101,x,1-2"}, -4},
        {"trailing minus", city, {h1, "13101,x,12-"}, -4},
        {"full-width digit", city, {h1, "13101,x,１"}, -4},
        {"thousands separator", city, {h1, "13101,x,1,234"}, -4},
        {"bad value after bad code", city, {h1, "1310101,x,."}, -3},
    };
    TempDir tmp;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const QString csv = tmp.file("in.csv");
        writeTextFile(csv, row.lines, row.utf8, row.eol);
        clsRealData data;
        data.setSelectedFilePath(csv);
        data.setDataKind(row.kind);
        EXPECT_EQ(data.CheckFileFormat(), row.code);
    }
    clsRealData missing;
    missing.setSelectedFilePath(tmp.file("missing.csv"));
    missing.setDataKind(city);
    EXPECT_EQ(missing.CheckFileFormat(), -1);
}

TEST(ClsRealData, CheckMessages)
{
    EXPECT_EQ(clsRealData::CheckMessage(0), QString());
    EXPECT_EQ(clsRealData::CheckMessage(-1), QStringLiteral("登録データが開けません."));
    EXPECT_EQ(clsRealData::CheckMessage(-2), QStringLiteral("登録データの項目名に異常値が含まれています."));
    EXPECT_EQ(
        clsRealData::CheckMessage(-3), QStringLiteral("登録データの市区町村コードに異常値が含まれています."));
    EXPECT_EQ(clsRealData::CheckMessage(-4), QStringLiteral("登録データの統計値に異常値が含まれています."));
}

TEST(ClsRealData, ConvertTextFile)
{
    struct Row
    {
        const char *what;
        QString kind;
        QStringList csv;
        QStringList expected;
        bool utf8 = false;
        int32_t check = 0; // the conversion itself does not check
    };
    const Row rows[] = {
        {"municipality", QStringLiteral("市区町村"),
            {"ｺｰﾄﾞ,名前,人口,世帯数", "1101,札幌市中央区,100,50", "13101,千代田区,-", "13102,中央区,1,2,3"},
            {"ｺｰﾄﾞ,人口,世帯数", "01101,100,50", "13101,-,", "13102,1,2"}, false, -4},
        {"prefecture", QStringLiteral("都道府県"), {"ｺｰﾄﾞ,名前,人口", "1,北海道,5"}, {"ｺｰﾄﾞ,人口", "01,5"}},
        {"titles only", QStringLiteral("都道府県"), {"ｺｰﾄﾞ,名前", "13,東京都"}, {"ｺｰﾄﾞ", "13"}},
        {"UTF-8 input", QStringLiteral("市区町村"), {"ｺｰﾄﾞ,名前,人口①", "13101,千代田区,7"},
            {"ｺｰﾄﾞ,人口①", "13101,7"}, true},
        {"town blocks in code order, stable", QStringLiteral("町丁字"),
            {"ｺｰﾄﾞ,名前,v", "13102001001,a,1", "13101001002,b,2", "1310100100,c,3", "13102001001,d,4"},
            {"ｺｰﾄﾞ,v", "01310100100,3", "13101001002,2", "13102001001,1", "13102001001,4"}},
    };
    TempDir tmp;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        writeTextFile(tmp.file("in.csv"), row.csv, row.utf8, row.utf8 ? "\n" : "\r\n");
        const QString value
            = tmp.path() + QStringLiteral("etc/統計/") + row.kind + QStringLiteral("/g/13.txt");
        clsRealData data;
        data.setSelectedFilePath(tmp.file("in.csv"));
        data.setRealFilePath(value);
        data.setDataKind(row.kind);
        EXPECT_EQ(data.CheckFileFormat(), row.check);
        ASSERT_EQ(data.ConvertTextFile(), 0);
        EXPECT_EQ(readBytes(value), cp932Lines(row.expected));
    }
}

TEST(ClsRealData, ConvertRefusesAndKeepsExistingFiles)
{
    TempDir tmp;
    const QString csv = tmp.file("in.csv");
    const QString value = tmp.path() + QStringLiteral("g/13.txt");
    writeTextFile(csv, {"ｺｰﾄﾞ,名前,人口", "13,東京都,5"});
    writeTextFile(value, {"old"});
    clsRealData data;
    data.setSelectedFilePath(csv);
    data.setRealFilePath(value);
    data.setDataKind(QStringLiteral("都道府県"));
    data.setAlreadyMode(true);
    EXPECT_EQ(data.ConvertTextFile(), -1);
    EXPECT_EQ(readBytes(value), cp932Lines({"old"}));
    data.setAlreadyMode(false);
    EXPECT_EQ(data.ConvertTextFile(), 0);
    EXPECT_EQ(readBytes(value), cp932Lines({"ｺｰﾄﾞ,人口", "13,5"}));

    // A code title CP932 cannot hold fails the write; the old file stays whole.
    writeBytes(csv, QStringLiteral("ｺｰﾄﾞ😀,名前,人口\n13,東京都,6\n").toUtf8());
    EXPECT_EQ(data.ConvertTextFile(), -4);
    EXPECT_EQ(readBytes(value), cp932Lines({"ｺｰﾄﾞ,人口", "13,5"}));

    data.setSelectedFilePath(tmp.file("missing.csv"));
    EXPECT_EQ(data.ConvertTextFile(), -2);

    writeBytes(tmp.file("blocker"), "x");
    data.setSelectedFilePath(csv);
    data.setRealFilePath(tmp.path() + QStringLiteral("blocker/g/13.txt"));
    EXPECT_EQ(data.ConvertTextFile(), -3);
}

TEST(ClsRealData, DeleteFileRemovesTheEmptiedFolder)
{
    TempDir tmp;
    const QString folder = tmp.path() + QStringLiteral("g/");
    writeTextFile(folder + "13.txt", {"a"});
    writeTextFile(folder + "14.txt", {"a"});
    clsRealData data;
    data.setRealFilePath(folder + "13.txt");
    EXPECT_EQ(data.DeleteFile(), 0);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(data.DeleteFile(), -1) << "already gone";
    data.setRealFilePath(folder + "14.txt");
    EXPECT_EQ(data.DeleteFile(), 0);
    EXPECT_FALSE(QDir(folder).exists());
}
