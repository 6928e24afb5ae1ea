#include "zorvik/core/search.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace zorvik {

namespace {

// Which kinds pass the request's kind filters, resolved once per search.
class KindFilter
{
public:
    KindFilter(const Catalog &catalog, const SearchRequest &request)
        : m_vectors(MaxKindId + 1, 0)
        , m_connectors(MaxKindId + 1, 0)
    {
        auto pass = [&](std::int16_t type, std::int16_t id, std::int16_t pick, const ScaleRange &range) {
            if (request.usePickFlag && pick != 1)
                return false;
            if (request.useScaleRange && !range.contains(request.scale))
                return false;
            return !request.space || catalog.kindInSpace(type, id, *request.space);
        };
        if (request.typeMask & 1)
            for (const VectorKind &k : catalog.vectorKinds())
                m_vectors[k.id] = pass(TypeVector, k.id, k.pick, k.range);
        if (request.typeMask & 2)
            for (const ConnectorKind &k : catalog.connectorKinds())
                m_connectors[k.id] = pass(TypeConnector, k.id, k.pick, k.range);
    }

    bool passes(std::int16_t type, std::int16_t kind) const
    {
        if (kind < 1)
            return false;
        const std::vector<char> &table = type == TypeVector ? m_vectors : m_connectors;
        if (type != TypeVector && type != TypeConnector)
            return false;
        return static_cast<std::size_t>(kind) < table.size() && table[kind];
    }

private:
    std::vector<char> m_vectors;
    std::vector<char> m_connectors;
};

bool passesDates(const SearchRequest &request, const StoredElement &e)
{
    return temporalState(e.lPra, request.dates) != TemporalState::Absent;
}

struct Hit
{
    double order;
    ElementRef ref;
    std::int16_t type;
};

bool hasEqualOrders(const std::vector<Hit> &hits)
{
    std::vector<double> orders;
    orders.reserve(hits.size());
    for (const Hit &h : hits)
        orders.push_back(h.order);
    std::sort(orders.begin(), orders.end());
    return std::adjacent_find(orders.begin(), orders.end()) != orders.end();
}

SearchResult finish(std::vector<Hit> hits, int limit)
{
    std::stable_sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) { return a.order < b.order; });
    SearchResult result;
    for (const Hit &h : hits) {
        if (limit > 0 && static_cast<int>(result.refs.size()) >= limit)
            break;
        result.refs.push_back(h.ref);
        (h.type == TypeVector ? result.vectors : result.connectors)++;
    }
    return result;
}

WorldBox around(std::int32_t x, std::int32_t y, double tolerance)
{
    const std::int64_t t = static_cast<std::int64_t>(std::ceil(std::max(0.0, tolerance)));
    auto clampL = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clampL(std::int64_t(x) - t), clampL(std::int64_t(y) - t), clampL(std::int64_t(x) + t),
        clampL(std::int64_t(y) + t)};
}

bool keyMatches(const StoredElement &e, const QString &key1, const QString &key2)
{
    if (key1.isEmpty() && key2.isEmpty())
        return true;
    const QString key = e.key();
    if (!key1.isEmpty() && !key2.isEmpty())
        return key1 <= key && key <= key2;
    if (!key1.isEmpty())
        return key.startsWith(key1);
    return key <= key2;
}

} // namespace

namespace search {

bool passesFilters(const Catalog &catalog, const SearchRequest &request, const StoredElement &element)
{
    return KindFilter(catalog, request).passes(element.type, element.kind) && passesDates(request, element);
}

SearchResult nearPoint(const Document &doc, const SearchRequest &request, std::int32_t x, std::int32_t y)
{
    const KindFilter kinds(doc.catalog(), request);
    std::vector<Hit> hits;
    doc.forEachInBox(around(x, y, request.tolerance), [&](const StoredElement &e) {
        if (!kinds.passes(e.type, e.kind) || !passesDates(request, e))
            return true;
        const double d = geometry::distanceToStored(e, x, y);
        if (d <= request.tolerance)
            hits.push_back({d, e.ref, e.type});
        return true;
    });
    return finish(std::move(hits), request.limit);
}

SearchResult containing(const Document &doc, const SearchRequest &request, std::int32_t x, std::int32_t y,
    FoundRecords *records)
{
    const KindFilter kinds(doc.catalog(), request);
    std::vector<Hit> hits;
    FoundRecords read;
    const ElementVisitor visit = [&](const StoredElement &e) {
        if (!e.isClosed() || !kinds.passes(e.type, e.kind) || !passesDates(request, e))
            return true;
        if (geometry::pointInStored(e, x, y)) {
            hits.push_back({geometry::storedArea(e), e.ref, e.type});
            if (records && doc.readsFromFile(e.ref)) {
                read.emplace_back(e.ref, ElementRecord{});
                recordOf(e, read.back().second);
            }
        }
        return true;
    };
    // The areas' in-memory copies give the same hits in another order, which
    // the sort by area undoes unless two areas are equal: those are ordered
    // as the files' R*Trees give them, so the files are searched then.
    doc.forEachAreaAt(x, y, visit);
    if (hasEqualOrders(hits)) {
        hits.clear();
        read.clear();
        doc.forEachInBox({x, y, x, y}, visit);
    }
    SearchResult result = finish(std::move(hits), request.limit);
    if (records) {
        records->clear();
        for (const ElementRef &ref : result.refs) {
            auto it = std::find_if(read.begin(), read.end(), [&](const auto &r) { return r.first == ref; });
            if (it != read.end())
                records->push_back(std::move(*it));
        }
    }
    return result;
}

SearchResult insideAreaAt(const Document &doc, const SearchRequest &request, std::int32_t x, std::int32_t y)
{
    SearchRequest polygonRequest = request;
    polygonRequest.typeMask = 1;
    polygonRequest.limit = 1;
    const SearchResult polygon = containing(doc, polygonRequest, x, y);
    if (polygon.isEmpty())
        return {};
    ElementRecord record;
    if (!doc.fetch(polygon.refs.front(), record))
        return {};
    SearchRequest inner = request;
    inner.space.reset(); // the elements inside come from every space
    inner.limit = 0;
    const SearchResult all = insideRings(doc, inner, {geometry::Ring::fromRecord(record)});
    // Vectors first, then connectors, each in store order.
    std::vector<Hit> hits;
    hits.reserve(all.refs.size());
    for (const ElementRef &ref : all.refs) {
        ElementRecord r;
        doc.fetch(ref, r);
        hits.push_back({r.Type == TypeVector ? 0.0 : 1.0, ref, r.Type});
    }
    return finish(std::move(hits), request.limit);
}

SearchResult insideRings(
    const Document &doc, const SearchRequest &request, const std::vector<geometry::Ring> &rings)
{
    const KindFilter kinds(doc.catalog(), request);
    std::vector<Hit> hits;
    std::set<ElementRef> seen;
    double order = 0;
    for (const geometry::Ring &ring : rings) {
        if (ring.size() == 0)
            continue;
        doc.forEachInBox(ring.box, [&](const StoredElement &e) {
            if (seen.count(e.ref) || !kinds.passes(e.type, e.kind) || !passesDates(request, e))
                return true;
            if (geometry::storedMeetsRing(e, ring)) {
                seen.insert(e.ref);
                hits.push_back({order++, e.ref, e.type});
            }
            return true;
        });
    }
    return finish(std::move(hits), request.limit);
}

SearchResult byKind(const Document &doc, const std::vector<std::int16_t> &vectorKinds,
    const std::vector<std::int16_t> &connectorKinds)
{
    SearchResult result;
    auto collect = [&](std::int16_t type, const std::vector<std::int16_t> &kinds) {
        std::set<std::int16_t> done;
        for (std::int16_t k : kinds) {
            if (!done.insert(k).second)
                continue;
            const std::size_t before = result.refs.size();
            doc.refsOfKind(type, k, result.refs);
            (type == TypeVector ? result.vectors : result.connectors)
                += static_cast<std::int32_t>(result.refs.size() - before);
        }
    };
    collect(TypeVector, vectorKinds);
    collect(TypeConnector, connectorKinds);
    return result;
}

SearchResult connectorsNear(const Document &doc, const SearchRequest &request, std::int16_t kind,
    std::int32_t x, std::int32_t y, const QString &key1, const QString &key2)
{
    std::vector<Hit> hits;
    doc.forEachInBox(around(x, y, request.tolerance), [&](const StoredElement &e) {
        if (e.type != TypeConnector || e.kind != kind || !passesDates(request, e) || e.pointCount < 1)
            return true;
        const double d = std::hypot(double(e.x(0)) - x, double(e.y(0)) - y);
        if (d <= request.tolerance && keyMatches(e, key1, key2))
            hits.push_back({d, e.ref, e.type});
        return true;
    });
    return finish(std::move(hits), request.limit);
}

SearchResult connectorsInBox(const Document &doc, const SearchRequest &request, std::int16_t kind,
    const WorldBox &box, const QString &key1, const QString &key2)
{
    std::vector<Hit> hits;
    double order = 0;
    doc.forEachInBox(box, [&](const StoredElement &e) {
        if (e.type != TypeConnector || e.kind != kind || !passesDates(request, e) || e.pointCount < 1)
            return true;
        if (box.contains(e.x(0), e.y(0)) && keyMatches(e, key1, key2))
            hits.push_back({order++, e.ref, e.type});
        return true;
    });
    return finish(std::move(hits), request.limit);
}

} // namespace search
} // namespace zorvik
