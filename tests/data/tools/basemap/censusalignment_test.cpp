// The place-name sources list exactly the areas of the 2020 census tables the
// statistics are registered from, so every statistics row finds its place.
#include "basemap/sources.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace veltra::basemap;

namespace {

// code -> (name, kind) of a census table with the columns of the census folder.
std::map<QString, QStringList> censusRows(const QString &file, const QStringList &columns)
{
    std::map<QString, QStringList> rows;
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return rows;
    const QStringList header = splitCsvLine(lines.first().trimmed());
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = splitCsvLine(lines[i].trimmed());
        QStringList picked;
        for (const QString &c : columns)
            picked << fields.value(header.indexOf(c));
        rows[picked.takeFirst()] = picked;
    }
    return rows;
}

const QString Sources = QStringLiteral(VELTRA_DATA_SOURCES) + u'/';

} // namespace

TEST(CensusAlignment, MunicipalitiesAreTheCensusAreasWithTheSameNamesAndKinds)
{
    std::vector<Municipality> munis;
    QString error;
    ASSERT_TRUE(readMunicipalities(Sources + "municipalities.csv", munis, &error)) << error.toStdString();
    const auto census = censusRows(
        Sources + "census/muni_population_2020.csv", {"muni_code", "muni_name", "kind", "parent_code"});
    ASSERT_EQ(census.size(), 1916u);
    ASSERT_EQ(munis.size(), census.size());
    for (const Municipality &m : munis) {
        const QString code = QStringLiteral("%1").arg(m.code, 5, 10, QLatin1Char('0'));
        auto it = census.find(code);
        ASSERT_NE(it, census.end()) << code.toStdString();
        EXPECT_EQ(m.name, it->second[0]) << code.toStdString();
        EXPECT_EQ(m.kind, it->second[1]) << code.toStdString();
        EXPECT_EQ(m.parentCode, it->second[2].toInt()) << code.toStdString();
        EXPECT_FALSE(m.kana.isEmpty()) << code.toStdString();
    }
}

TEST(CensusAlignment, PrefecturesHaveTheCensusNames)
{
    std::vector<Prefecture> prefs;
    QString error;
    ASSERT_TRUE(readPrefectures(Sources + "prefectures.csv", prefs, &error)) << error.toStdString();
    const auto census = censusRows(Sources + "census/pref_population_2020.csv", {"pref_code", "pref_name"});
    ASSERT_EQ(prefs.size(), 47u);
    for (const Prefecture &p : prefs) {
        auto it = census.find(QStringLiteral("%1").arg(p.code, 2, 10, QLatin1Char('0')));
        ASSERT_NE(it, census.end()) << p.code;
        EXPECT_EQ(p.name, it->second[0]) << p.code;
    }
}
