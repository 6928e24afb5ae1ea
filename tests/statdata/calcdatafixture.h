#pragma once
// A small data folder for the calculation-template editor, in a temporary
// folder whose data folder is named like one of its statistics ("統計"):
//   etc/統計ﾃﾞｰﾀ年度管理.txt  統計, 人口, 人口2015, 町丁字のみ (plus lines that
//                            are no statistics)
//   etc/人口.txt             units 都道府県 and 市区町村; kinds 人口 (総数,
//                            "男,女計") and 0-4歳 (総数)
//   etc/人口2015.txt         unit 市区町村; kind 人口 (総数2015)
//   etc/町丁字のみ.txt        unit 町丁字 only
//   計算ﾃﾝﾌﾟﾚｰﾄ/市区町村/     the empty template folder of level 2
// Statistics 統計 has no item-list file.
#include "statdatatesthelpers.h"

namespace veltra::test {

class CalcDataFixture
{
public:
    CalcDataFixture()
    {
        m_data = dir.path() + QStringLiteral("統計/");
        writeTextFile(etc() + QStringLiteral("統計ﾃﾞｰﾀ年度管理.txt"),
            {
                QStringLiteral("統計,20001001,20050930"),
                QStringLiteral(""),
                QStringLiteral("人口,20201001,21000930"),
                QStringLiteral("一つだけ"),
                QStringLiteral("人口2015,20151001,20200930"),
                QStringLiteral("町丁字のみ,20151001,20200930"),
            });
        writeTextFile(etc() + QStringLiteral("人口.txt"),
            {
                QStringLiteral("[ﾃﾞｰﾀ種類]"),
                QStringLiteral("Entry1=都道府県"),
                QStringLiteral("Entry2=市区町村"),
                QStringLiteral("[都道府県]"),
                QStringLiteral("Entry1=人口"),
                QStringLiteral("[市区町村]"),
                QStringLiteral("Entry1=人口"),
                QStringLiteral("Path=人口\\市区町村\\"),
                QStringLiteral("Entry2=0-4歳"),
                QStringLiteral("Entry4=空きの後"),
                QStringLiteral("[人口]"),
                QStringLiteral("Entry1=総数,総数"),
                QStringLiteral("Entry2=\"男,女計\",計"),
                QStringLiteral("[0-4歳]"),
                QStringLiteral("Entry1=総数"),
            });
        writeTextFile(etc() + QStringLiteral("人口2015.txt"),
            {
                QStringLiteral("[ﾃﾞｰﾀ種類]"),
                QStringLiteral("Entry1=市区町村"),
                QStringLiteral("[市区町村]"),
                QStringLiteral("Entry1=人口"),
                QStringLiteral("[人口]"),
                QStringLiteral("Entry1=総数2015"),
            });
        writeTextFile(etc() + QStringLiteral("町丁字のみ.txt"),
            {
                QStringLiteral("[ﾃﾞｰﾀ種類]"),
                QStringLiteral("Entry1=町丁字"),
                QStringLiteral("[町丁字]"),
                QStringLiteral("Entry1=人口"),
            });
        QDir().mkpath(m_data + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ/市区町村"));
    }

    // The data folder ('/' path ending in '/', as the shell keeps it).
    QString dataFolder() const { return m_data; }
    QString etc() const { return m_data + QStringLiteral("etc/"); }
    // An item-list file as the editor records it: data folder, "etc\", name.
    QString itemList(const QString &statistics) const
    {
        return m_data + QStringLiteral("etc\\") + statistics + QStringLiteral(".txt");
    }
    // The template folder of level 2 as the chooser forms it.
    QString templateFolder() const { return m_data + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ\\市区町村"); }
    QString templateFolderLocal() const { return m_data + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ/市区町村"); }

    TempDir dir;

private:
    QString m_data;
};

} // namespace veltra::test
