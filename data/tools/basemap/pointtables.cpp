#include "pointtables.h"

#include "kinds.h"

#include <boost/geometry/index/rtree.hpp>
#include <algorithm>

namespace veltra::basemap {

namespace {

namespace bgi = bg::index;
using Box = bg::model::box<Point>;

// Units a table point keeps off every edge.
constexpr double EdgeMargin = 3;
// What a sliver of a part must keep at least.
constexpr double MinMargin = 1;
// A part smaller than this is left out rather than stopping the build.
constexpr double SliverArea = 1e8; // about 10 km²

using Line = bg::model::linestring<Point>;

struct Part
{
    int code = 0;
    Polygon polygon;
    Line edge; // the ring as a line: a distance to the ring itself is 0 inside it
    Box box;
};

// The outlines of one level as polygons with an index of their boxes.
class Level
{
public:
    Level(const BaseMapModel &model, std::int16_t kind)
    {
        for (const AreaOutline &o : model.outlines) {
            if (o.kind != kind)
                continue;
            Part part;
            part.code = o.code;
            for (const WorldPoint &p : o.ring)
                part.polygon.outer().push_back(Point(p.x, p.y));
            bg::correct(part.polygon);
            part.edge.assign(part.polygon.outer().begin(), part.polygon.outer().end());
            bg::envelope(part.polygon, part.box);
            m_tree.insert({part.box, m_parts.size()});
            m_parts.push_back(std::move(part));
        }
    }

    const std::vector<Part> &parts() const { return m_parts; }


    // Whether p lies well inside part `own`, in no part of another area and
    // in no part of its own area that is as small (the search finds the
    // smallest outline at a point: a lake drawn as a part inside the main
    // island is found at its own points).
    bool fits(const Point &p, std::size_t own, double margin) const
    {
        const Part &part = m_parts[own];
        if (!bg::within(p, part.polygon) || bg::distance(p, part.edge) < margin)
            return false;
        const double ownArea = std::abs(bg::area(part.polygon));
        for (std::size_t other : near(Box(p, p))) {
            if (other == own)
                continue;
            const Part &o = m_parts[other];
            if (bg::distance(p, o.edge) < margin)
                return false;
            if (bg::within(p, o.polygon) && (o.code != part.code || std::abs(bg::area(o.polygon)) <= ownArea))
                return false;
        }
        return true;
    }

    bool fits(const Point &p, std::size_t own) const
    {
        return fits(p, own, EdgeMargin) || fits(p, own, MinMargin) || fits(p, own, 0);
    }

    // A point for part `own`: a preferred point when it fits, else a point
    // of the part with every other part taken away.
    std::optional<WorldPoint> pointFor(std::size_t own, const std::optional<WorldPoint> &preferred) const
    {
        if (preferred && fits(Point(preferred->x, preferred->y), own))
            return preferred;
        const Part &part = m_parts[own];
        const WorldPoint surface = rounded(interiorPoint(part.polygon));
        if (fits(Point(surface.x, surface.y), own))
            return surface;
        MultiPolygon rest{part.polygon};
        const double ownArea = std::abs(bg::area(part.polygon));
        for (std::size_t other : near(part.box)) {
            const Part &o = m_parts[other];
            if (other == own || (o.code == part.code && std::abs(bg::area(o.polygon)) > ownArea))
                continue;
            MultiPolygon less;
            bg::difference(rest, m_parts[other].polygon, less);
            rest = std::move(less);
        }
        // Largest pieces first; within each, try its surface point.
        std::vector<const Polygon *> pieces;
        for (const Polygon &piece : rest)
            pieces.push_back(&piece);
        std::sort(pieces.begin(), pieces.end(),
            [](const Polygon *a, const Polygon *b) { return std::abs(bg::area(*a)) > std::abs(bg::area(*b)); });
        for (const Polygon *piece : pieces) {
            const WorldPoint p = rounded(interiorPoint(*piece));
            if (fits(Point(p.x, p.y), own))
                return p;
        }
        return std::nullopt;
    }

private:
    std::vector<std::size_t> near(const Box &box) const
    {
        std::vector<std::pair<Box, std::size_t>> hits;
        m_tree.query(bgi::intersects(box), std::back_inserter(hits));
        std::vector<std::size_t> out;
        for (const auto &h : hits)
            out.push_back(h.second);
        return out;
    }

    std::vector<Part> m_parts;
    bgi::rtree<std::pair<Box, std::size_t>, bgi::rstar<16>> m_tree;
};

QString line(const QString &code, const WorldPoint &p)
{
    return QStringLiteral("%1,%2,%3").arg(code).arg(p.x).arg(p.y);
}

QString codeText(int code, int width)
{
    return QStringLiteral("%1").arg(code, width, 10, QLatin1Char('0'));
}

} // namespace

PointTables buildPointTables(const BaseMapModel &model)
{
    PointTables out;
    // A sliver left between neighbouring cells by the whole-unit vertices,
    // or a part that other outlines cover wholly, cannot be found by a
    // search at any point: it is listed and left out of the tables. A large
    // part without a point is a fault.
    auto problem = [&](const QString &code, std::size_t k, const Part &part) {
        const double area = std::abs(bg::area(part.polygon));
        const QString text = QStringLiteral("%1: no point inside its part %2 alone (%3 square units)")
                                 .arg(code)
                                 .arg(k + 1)
                                 .arg(area, 0, 'f', 1);
        (area < SliverArea ? out.slivers : out.problems) << text;
    };

    const Level prefectures(model, kind::PrefectureBoundary);
    QStringList &t206 = out.files[QStringLiteral("206.csv")];
    for (std::size_t i = 0; i < prefectures.parts().size(); ++i) {
        const QString code = codeText(prefectures.parts()[i].code, 2);
        if (const auto p = prefectures.pointFor(i, std::nullopt))
            t206 << line(code, *p);
        else
            problem(code, i, prefectures.parts()[i]);
    }

    // The municipalities' connector points, to keep the first point where
    // the map shows the area.
    std::map<QString, WorldPoint> connector;
    for (const Label &label : model.labels) {
        if (label.kind == kind::MunicipalityArea)
            connector[label.key.section(QLatin1Char(','), 0, 0)] = label.at;
    }
    const Level municipalities(model, kind::MunicipalityBoundary);
    std::map<QString, std::vector<std::size_t>> partsOf;
    for (std::size_t i = 0; i < municipalities.parts().size(); ++i)
        partsOf[codeText(municipalities.parts()[i].code, 5)].push_back(i);
    QStringList t211, t212, t214;
    for (auto &[code, parts] : partsOf) {
        // The part holding the connector first, else the largest.
        std::optional<WorldPoint> preferred;
        if (auto it = connector.find(code); it != connector.end())
            preferred = it->second;
        auto holds = [&](std::size_t i) {
            return preferred && bg::within(Point(preferred->x, preferred->y), municipalities.parts()[i].polygon);
        };
        auto first = std::find_if(parts.begin(), parts.end(), holds);
        if (first == parts.end())
            first = std::max_element(parts.begin(), parts.end(), [&](std::size_t a, std::size_t b) {
                return std::abs(bg::area(municipalities.parts()[a].polygon))
                    < std::abs(bg::area(municipalities.parts()[b].polygon));
            });
        std::rotate(parts.begin(), first, first + 1);
        for (std::size_t k = 0; k < parts.size(); ++k) {
            const auto p = municipalities.pointFor(parts[k], k == 0 ? preferred : std::nullopt);
            if (!p) {
                problem(code, k, municipalities.parts()[parts[k]]);
                continue;
            }
            (k == 0 ? t211 : k == 1 ? t212 : t214) << line(code, *p);
        }
    }
    QStringList j1;
    for (qsizetype i = 0; i < t211.size(); ++i) {
        const QString pref = t211[i].left(2);
        if (j1.isEmpty() || !j1.last().startsWith(pref + QLatin1Char(',')))
            j1 << QStringLiteral("%1,%2").arg(pref).arg(i + 1);
    }
    out.files[QStringLiteral("211.csv")] = t211;
    out.files[QStringLiteral("211.j1")] = j1;
    out.files[QStringLiteral("212.csv")] = t212;
    out.files[QStringLiteral("214.csv")] = t214;
    for (const char *empty : {"227.csv", "227.j1", "227.j2", "229.csv", "231.csv"})
        out.files[QString::fromLatin1(empty)] = QStringList();
    return out;
}

} // namespace veltra::basemap
