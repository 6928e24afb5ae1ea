#pragma once
// SanshouData: a small data folder for the data reference window. A
// place-name database and an etc\ tree with the year-management file, an
// item list in etc\etc2 and value files at the three levels, each built so
// that one lookup rule shows:
//
//   都道府県テーブル  01 北海道, 13 東京都, 14 神奈川県
//   市区町村テーブル  13-101 千代田区, 13-102 中央区, 13-103 "港'区" (an
//                     apostrophe), 14-100 横浜市
//   町丁字テーブル    13-101-1001 丸の内一丁目, 13-101-1002 大手町一丁目,
//                     13-102-2001 銀座一丁目, 13-103-3001 "台場'一丁目"
//
//   statistics R2テスト (fields 人口 with 総人口, 男, 女 and 世帯 with 世帯数 at
//   the prefecture level; 人口 at the other two) and H27テスト (no item list).
//   prefecture 人口: 13 -> 100,50,50 and 01 -> 200,...
//   municipality 人口: "131010" (a longer code, first) -> 9; 13101 -> 10,5,5;
//     13102 -> 20,10,10; no line for 13103
//   town block 人口: "13101001001abc" -> 1,1,0; 13102002001 -> 8 (one field
//     only); 13103003001 -> 7,3,4
//
// `extra` adds lines to the town-block value file of prefecture 13.
#include "statdata/meshdatabase.h"
#include "testsupport.h"

#include <QString>
#include <QStringList>

namespace veltra::test {

struct SanshouData
{
    explicit SanshouData(const QStringList &extraTownLines = {});

    TempDir dir;
    QString dataPath; // ends in '/'
    bool ok = false;

    // Writes lines (CP932, CR LF) to a file under the data folder, making its folders.
    bool write(const QString &relative, const QStringList &lines) const;
    // Adds the place names of the fixture to a database.
    static void addNames(statdata::MeshDatabase &names);
};

} // namespace veltra::test
