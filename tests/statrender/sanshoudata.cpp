#include "sanshoudata.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace veltra::test {

bool SanshouData::write(const QString &relative, const QStringList &lines) const
{
    const QString path = dataPath + relative;
    if (!fs::createFolder(QFileInfo(path).path()))
        return false;
    return text::writeLines(path, lines);
}

void SanshouData::addNames(statdata::MeshDatabase &names)
{
    names.insertPrefecture(1, QStringLiteral("北海道"), 0, 0);
    names.insertPrefecture(13, QStringLiteral("東京都"), 0, 0);
    names.insertPrefecture(14, QStringLiteral("神奈川県"), 0, 0);
    names.insertMunicipality(13, 101, QStringLiteral("千代田区"), QString(), 0, 0);
    names.insertMunicipality(13, 102, QStringLiteral("中央区"), QString(), 0, 0);
    names.insertMunicipality(13, 103, QStringLiteral("港'区"), QString(), 0, 0);
    names.insertMunicipality(14, 100, QStringLiteral("横浜市"), QString(), 0, 0);
    names.insertTownBlock(13, 101, 1001, QStringLiteral("丸の内一丁目"), 0, 0);
    names.insertTownBlock(13, 101, 1002, QStringLiteral("大手町一丁目"), 0, 0);
    names.insertTownBlock(13, 102, 2001, QStringLiteral("銀座一丁目"), 0, 0);
    names.insertTownBlock(13, 103, 3001, QStringLiteral("台場'一丁目"), 0, 0);
}

SanshouData::SanshouData(const QStringList &extraTownLines)
{
    dataPath = dir.path();
    {
        statdata::MeshDatabase names;
        EXPECT_TRUE(fs::createFolder(dataPath + QStringLiteral("DB")));
        EXPECT_TRUE(names.create(statdata::MeshDatabase::pathInDataFolder(dataPath)))
            << names.lastError().toStdString();
        addNames(names);
    }
    const QString stat = QStringLiteral("etc/R2テスト/");
    EXPECT_TRUE(write(QStringLiteral("etc/etc2/統計ﾃﾞｰﾀ年度管理.txt"),
        {QStringLiteral("R2テスト,20201001,21000930"), QStringLiteral("H27テスト,20151001,20200930")}));
    EXPECT_TRUE(write(QStringLiteral("etc/etc2/R2テスト.txt"),
        {QStringLiteral("[統計内容]"), QStringLiteral("Entry1=テスト"), QStringLiteral("[都道府県]"),
            QStringLiteral("Entry1=人口"), QStringLiteral("Entry2=世帯"), QStringLiteral("[市区町村]"),
            QStringLiteral("Entry1=人口"), QStringLiteral("[町丁字]"), QStringLiteral("Entry1=人口"),
            QStringLiteral("[人口]"), QStringLiteral("Entry1=総人口"), QStringLiteral("Entry2=男"),
            QStringLiteral("Entry3=女"), QStringLiteral("[世帯]"), QStringLiteral("Entry1=世帯数")}));
    EXPECT_TRUE(write(stat + QStringLiteral("都道府県/人口/00.txt"),
        {QStringLiteral("都道府県コード,総人口,男,女"), QStringLiteral("01,200,90,110"),
            QStringLiteral("13,100,50,50")}));
    EXPECT_TRUE(write(stat + QStringLiteral("都道府県/世帯/00.txt"),
        {QStringLiteral("都道府県コード,世帯数"), QStringLiteral("13,40")}));
    EXPECT_TRUE(write(stat + QStringLiteral("市区町村/人口/FileIndex.txt"),
        {QStringLiteral("[FileName]"), QStringLiteral("Code13=13.txt")}));
    EXPECT_TRUE(write(stat + QStringLiteral("市区町村/人口/13.txt"),
        {QStringLiteral("市区町村コード,総人口,男,女"), QStringLiteral("131010,9,9,9"),
            QStringLiteral("13101,10,5,5"), QStringLiteral("13102,20,10,10")}));
    EXPECT_TRUE(write(stat + QStringLiteral("町丁字/人口/FileIndex.txt"),
        {QStringLiteral("[FileName]"), QStringLiteral("Code13=13.txt")}));
    QStringList towns{QStringLiteral("町丁字コード,総人口,男,女"), QStringLiteral("13101001001abc,1,1,0"),
        QStringLiteral("13102002001,8"), QStringLiteral("13103003001,7,3,4")};
    towns << extraTownLines;
    EXPECT_TRUE(write(stat + QStringLiteral("町丁字/人口/13.txt"), towns));
    ok = !::testing::Test::HasFailure();
}

} // namespace veltra::test
