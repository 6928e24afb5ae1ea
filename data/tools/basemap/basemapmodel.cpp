#include "basemapmodel.h"

#include "kinds.h"
#include "powercells.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace veltra::basemap {

QString areaKey(const QString &code)
{
    return code + QStringLiteral(",0");
}

namespace {

QString prefCodeText(int code)
{
    return QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
}
QString muniCodeText(int code)
{
    return QStringLiteral("%1").arg(code, 5, 10, QLatin1Char('0'));
}

// The point of an area for its connectors: its own point when that lies in
// the area, else a point inside the area's largest part.
WorldPoint placeInside(const MultiPolygon &area, const std::optional<Point> &own)
{
    if (own && bg::within(*own, area))
        return rounded(*own);
    const Polygon *part = largestPart(area);
    return part ? rounded(interiorPoint(*part)) : (own ? rounded(*own) : WorldPoint{});
}

// How far inside the land a site must lie: cells are rounded to whole units
// when written, and a site on the very edge could end up outside its cell.
constexpr double SiteInset = 2;

// Records a municipality point moved from its source point; a point moved
// twice keeps the first reason and its final place.
void movePoint(
    BaseMapModel &model, const Municipality &m, const Point &source, const WorldPoint &to, const QString &why)
{
    const double km = distanceKm(source, Point(to.x, to.y));
    for (MovedPoint &done : model.moved) {
        if (done.code == m.code) {
            done.to = to;
            done.km = km;
            return;
        }
    }
    model.moved.push_back(MovedPoint{m.code, m.name, source, to, km, why});
}

void addOutlines(BaseMapModel &model, std::int16_t kind, int code, const MultiPolygon &area,
    const VertexSnap *snap = nullptr)
{
    for (const Polygon &part : area) {
        std::vector<WorldPoint> ring = toWorldRing(part.outer(), snap);
        if (!ring.empty())
            model.outlines.push_back(AreaOutline{kind, code, std::move(ring)});
    }
}

} // namespace

BaseMapModel buildBaseMap(
    const std::vector<Prefecture> &prefectures, const std::vector<Municipality> &municipalities)
{
    BaseMapModel model;
    std::map<int, const Prefecture *> prefByCode;
    for (const Prefecture &p : prefectures)
        prefByCode[p.code] = &p;

    std::map<int, std::vector<const Municipality *>> muniByPref;
    for (const Municipality &m : municipalities)
        muniByPref[m.prefCode].push_back(&m);

    std::map<int, WorldPoint> muniPoint; // municipality code -> point written to the database

    for (const auto &[code, pref] : prefByCode) {
        const MultiPolygon outline = outlineOf(*pref);
        const MultiPolygon land = landOf(outline);
        const QString codeText = prefCodeText(code);
        addOutlines(model, kind::PrefectureBoundary, code, outline);

        std::optional<Point> own;
        if (pref->point)
            own = toWorld(*pref->point);
        const WorldPoint at = placeInside(land, own);
        model.labels.push_back(Label{kind::PrefectureArea, at, areaKey(codeText)});
        model.labels.push_back(Label{kind::PrefectureName, at, pref->name});
        model.prefectureRows.push_back(PrefectureRow{code, pref->name, at});

        // Sites: the municipalities of the prefecture that have a point and
        // stand for their whole ground (wards of designated cities do not:
        // their city has the cell). A point off the land is moved to the
        // nearest point inside, so that its cell holds it.
        std::vector<const Municipality *> siteMunis;
        std::vector<Site> sites;
        QHash<QPair<std::int32_t, std::int32_t>, int> seen;
        for (const Municipality *m : muniByPref[code]) {
            if (m->isWard() || !m->point)
                continue;
            const Point source = toWorld(*m->point);
            const std::optional<WorldPoint> inside = nearestInside(land, source, SiteInset);
            if (!inside) {
                model.report << QStringLiteral(
                    "%1 %2: no point of the prefecture's land near its point; no cell")
                                    .arg(muniCodeText(m->code), m->name);
                continue;
            }
            const WorldPoint r = *inside;
            if (!(r == rounded(source)))
                movePoint(model, *m, source, r, QStringLiteral("lies off its prefecture's land"));
            if (seen.contains({r.x, r.y})) {
                model.report << QStringLiteral("%1 %2: same point as %3; no cell")
                                    .arg(
                                        muniCodeText(m->code), m->name, muniCodeText(seen.value({r.x, r.y})));
                continue;
            }
            seen.insert({r.x, r.y}, m->code);
            siteMunis.push_back(m);
            sites.push_back(Site{Point(r.x, r.y), m->areaKm2});
        }
        const std::vector<MultiPolygon> cells = powerCells(sites, land);
        const VertexSnap snap(cells);
        for (size_t i = 0; i < sites.size(); ++i) {
            const Municipality *m = siteMunis[i];
            const QString mcode = muniCodeText(m->code);
            if (cells[i].empty() || bg::area(cells[i]) <= 0) {
                model.report
                    << QStringLiteral("%1 %2: no cell (covered by its neighbours)").arg(mcode, m->name);
                muniPoint[m->code] = rounded(sites[i].world);
                continue;
            }
            // A site lies inside its own cell; should rounding ever put it
            // on the cell's edge, the point moves into the cell (reported).
            const WorldPoint p = placeInside(cells[i], sites[i].world);
            if (!(p == rounded(sites[i].world)))
                movePoint(model, *m, toWorld(*m->point), p, QStringLiteral("lies on its cell's edge"));
            addOutlines(model, kind::MunicipalityBoundary, m->code, cells[i], &snap);
            model.labels.push_back(Label{kind::MunicipalityArea, p, areaKey(mcode)});
            model.labels.push_back(Label{kind::MunicipalityName, p, m->name});
            muniPoint[m->code] = p;
            ++model.cellCount;
        }
    }
    std::stable_sort(model.moved.begin(), model.moved.end(),
        [](const MovedPoint &a, const MovedPoint &b) { return a.code < b.code; });
    for (const MovedPoint &mp : model.moved)
        model.report << QStringLiteral("%1 %2: its point %3; moved %4 km to the nearest point inside")
                            .arg(muniCodeText(mp.code), mp.name, mp.why)
                            .arg(mp.km, 0, 'f', 3);

    // Database rows for every area of the list, in code order. An area
    // without a point of its own gets its designated city's point, else its
    // prefecture's; the report names each.
    std::vector<const Municipality *> sorted;
    for (const Municipality &m : municipalities)
        sorted.push_back(&m);
    std::stable_sort(sorted.begin(), sorted.end(), [](auto *a, auto *b) { return a->code < b->code; });
    std::map<int, WorldPoint> prefPoint;
    for (const PrefectureRow &r : model.prefectureRows)
        prefPoint[r.code] = r.point;
    for (const Municipality *m : sorted) {
        WorldPoint p;
        if (auto it = muniPoint.find(m->code); it != muniPoint.end()) {
            p = it->second;
        } else if (auto parent = muniPoint.find(m->parentCode); m->parentCode && parent != muniPoint.end()) {
            p = parent->second;
            model.report << QStringLiteral("%1 %2: no point of its own; the city's point is used")
                                .arg(muniCodeText(m->code), m->name);
        } else {
            p = prefPoint[m->prefCode];
            model.report << QStringLiteral("%1 %2: no point; the prefecture's point is used")
                                .arg(muniCodeText(m->code), m->name);
        }
        model.municipalityRows.push_back(MunicipalityRow{m->prefCode, m->code % 1000, m->name, m->kana, p});
    }
    return model;
}

} // namespace veltra::basemap
