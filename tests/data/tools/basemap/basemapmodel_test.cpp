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

TEST(BaseMapModel, PointsStayWhereTheSourcePutsThemUnlessOffTheLand)
{
    const Built &b = built();
    std::map<int, MultiPolygon> land;
    for (const Prefecture &p : b.prefectures)
        land[p.code] = landOf(outlineOf(p));
    std::map<int, const MovedPoint *> moved;
    for (const MovedPoint &m : b.model.moved)
        moved[m.code] = &m;
    std::map<int, WorldPoint> written;
    for (const MunicipalityRow &r : b.model.municipalityRows)
        written[r.prefCode * 1000 + r.code] = r.point;
    int kept = 0;
    for (const Municipality &m : b.municipalities) {
        if (!m.point || m.isWard())
            continue;
        const Point source = toWorld(*m.point);
        auto it = moved.find(m.code);
        if (it == moved.end()) {
            EXPECT_EQ(written[m.code], rounded(source)) << m.code;
            ++kept;
            continue;
        }
        // Moved: the source point is off the land (or on its very edge), the
        // new one the nearest inside, at the distance the report gives.
        const MovedPoint &mp = *it->second;
        EXPECT_EQ(written[m.code], mp.to) << m.code;
        double toEdge = INFINITY;
        for (const Polygon &part : land[m.prefCode])
            toEdge = std::min(toEdge,
                double(bg::distance(
                    source, bg::model::linestring<Point>(part.outer().begin(), part.outer().end()))));
        EXPECT_TRUE(!bg::within(source, land[m.prefCode]) || toEdge < 3) << m.code;
        EXPECT_TRUE(bg::within(Point(mp.to.x, mp.to.y), land[m.prefCode])) << m.code;
        EXPECT_NEAR(mp.km, distanceKm(source, Point(mp.to.x, mp.to.y)), 1e-9);
        EXPECT_LT(mp.km, 2.0) << m.code; // the coarse coast is off by a few hundred metres
        EXPECT_TRUE(b.model.report.contains(QStringLiteral("%1 %2: its point lies off its prefecture's land; "
                                                           "moved %3 km to the nearest point inside")
                                                .arg(m.code, 5, 10, QLatin1Char('0'))
                                                .arg(m.name)
                                                .arg(mp.km, 0, 'f', 3)))
            << m.code;
    }
    EXPECT_GT(kept, 1650);
    // Among them 和木町, 33 km off before, and 田尻町, which had no cell.
    ASSERT_TRUE(moved.contains(35321));
    EXPECT_LT(moved[35321]->km, 0.2);
    ASSERT_TRUE(moved.contains(27362));
    EXPECT_LT(moved[27362]->km, 2.0);
}

TEST(BaseMapModel, OnlyMunicipalitiesWithoutAnyPointLackACell)
{
    const Built &b = built();
    QSet<int> withCell;
    for (const AreaOutline &o : b.model.outlines)
        if (o.kind == kind::MunicipalityBoundary)
            withCell.insert(o.code);
    QSet<int> without;
    for (const Municipality &m : b.municipalities) {
        if (m.isWard())
            continue;
        EXPECT_EQ(withCell.contains(m.code), m.point.has_value()) << m.code;
        if (!withCell.contains(m.code))
            without.insert(m.code);
    }
    // 18 towns and villages of Fukuoka that no package places.
    EXPECT_EQ(without,
        (QSet<int>{40348, 40381, 40384, 40401, 40402, 40421, 40447, 40448, 40503, 40522, 40601, 40602, 40604,
            40608, 40609, 40610, 40625, 40646}));
    EXPECT_EQ(b.model.cellCount, 1741 - 18);
}
