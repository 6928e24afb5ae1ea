// The base-map model built from the committed sources: what the default
// document must hold, checked without the engine.
#include "basemap/basemapmodel.h"
#include "basemap/kinds.h"

#include <QSet>
#include <gtest/gtest.h>
#include <map>

using namespace veltra::basemap;

namespace {

struct Built
{
    std::vector<Prefecture> prefectures;
    std::vector<Municipality> municipalities;
    BaseMapModel model;
};

const Built &built()
{
    static const Built b = [] {
        Built r;
        QString error;
        const QString dir = QStringLiteral(VELTRA_DATA_SOURCES) + u'/';
        EXPECT_TRUE(readPrefectures(dir + "prefectures.csv", r.prefectures, &error)) << error.toStdString();
        EXPECT_TRUE(readMunicipalities(dir + "municipalities.csv", r.municipalities, &error))
            << error.toStdString();
        EXPECT_TRUE(attachOutlines(dir + "prefectures_mapdata.geojson", r.prefectures, &error))
            << error.toStdString();
        r.model = buildBaseMap(r.prefectures, r.municipalities);
        return r;
    }();
    return b;
}

Polygon toPolygon(const std::vector<WorldPoint> &ring)
{
    Polygon p;
    for (const WorldPoint &w : ring)
        bg::append(p.outer(), Point(w.x, w.y));
    bg::correct(p);
    return p;
}

// Codes of the outlines of `kind` that contain the point.
QSet<int> outlinesAt(const BaseMapModel &m, std::int16_t kind, const Point &p)
{
    QSet<int> codes;
    for (const AreaOutline &o : m.outlines)
        if (o.kind == kind && bg::within(p, toPolygon(o.ring)))
            codes.insert(o.code);
    return codes;
}

} // namespace

TEST(BaseMapModel, HasEveryPrefectureWithItsConnectorsAndDatabaseRow)
{
    const BaseMapModel &m = built().model;
    ASSERT_EQ(built().prefectures.size(), 47u);
    QSet<int> withOutline;
    for (const AreaOutline &o : m.outlines)
        if (o.kind == kind::PrefectureBoundary)
            withOutline.insert(o.code);
    EXPECT_EQ(withOutline.size(), 47);
    int areaConnectors = 0, names = 0;
    for (const Label &l : m.labels) {
        areaConnectors += l.kind == kind::PrefectureArea;
        names += l.kind == kind::PrefectureName;
    }
    EXPECT_EQ(areaConnectors, 47);
    EXPECT_EQ(names, 47);
    ASSERT_EQ(m.prefectureRows.size(), 47u);
    EXPECT_EQ(m.prefectureRows[12].name, QString::fromUtf8("東京都"));
}

TEST(BaseMapModel, EveryAreaConnectorLiesInItsOwnAreaAndNamesAListedArea)
{
    const BaseMapModel &m = built().model;
    std::map<QString, int> listed; // key -> code
    for (const PrefectureRow &r : m.prefectureRows)
        listed[QStringLiteral("%1,0").arg(r.code, 2, 10, QLatin1Char('0'))] = r.code;
    for (const MunicipalityRow &r : m.municipalityRows) {
        const int code = r.prefCode * 1000 + r.code;
        listed[QStringLiteral("%1,0").arg(code, 5, 10, QLatin1Char('0'))] = code;
    }
    int checked = 0;
    for (const Label &l : m.labels) {
        if (l.kind != kind::PrefectureArea && l.kind != kind::MunicipalityArea)
            continue;
        auto it = listed.find(l.key);
        ASSERT_NE(it, listed.end()) << l.key.toStdString();
        const std::int16_t outlineKind
            = l.kind == kind::PrefectureArea ? kind::PrefectureBoundary : kind::MunicipalityBoundary;
        EXPECT_TRUE(outlinesAt(m, outlineKind, Point(l.at.x, l.at.y)).contains(it->second))
            << l.key.toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 47 + m.cellCount);
}

TEST(BaseMapModel, CoversTheCensusListWithCellsForMostMunicipalities)
{
    const BaseMapModel &m = built().model;
    EXPECT_EQ(m.municipalityRows.size(), 1916u); // 1,741 municipalities + 175 wards
    EXPECT_GE(m.cellCount, 1700);
    EXPECT_LE(m.cellCount, 1741);
}

TEST(BaseMapModel, TokyoStationLiesInTokyoAndInTheCellOfChiyoda)
{
    const BaseMapModel &m = built().model;
    const Point station = toWorld(LonLat{139.7671, 35.6812});
    EXPECT_EQ(outlinesAt(m, kind::PrefectureBoundary, station), QSet<int>{13});
    EXPECT_EQ(outlinesAt(m, kind::MunicipalityBoundary, station), QSet<int>{13101});
}

TEST(BaseMapModel, MunicipalCellsDoNotOverlap)
{
    const BaseMapModel &m = built().model;
    // Sample: the cells of Tokyo's special wards, pairwise.
    std::vector<std::pair<int, Polygon>> wards;
    for (const AreaOutline &o : m.outlines)
        if (o.kind == kind::MunicipalityBoundary && o.code >= 13101 && o.code <= 13123)
            wards.emplace_back(o.code, toPolygon(o.ring));
    ASSERT_GE(wards.size(), 23u);
    for (size_t i = 0; i < wards.size(); ++i)
        for (size_t j = i + 1; j < wards.size(); ++j) {
            MultiPolygon overlap;
            bg::intersection(wards[i].second, wards[j].second, overlap);
            // Rounding to whole units may leave slivers of a few square units.
            EXPECT_LT(bg::area(overlap), 1e4) << wards[i].first << " " << wards[j].first;
        }
}
