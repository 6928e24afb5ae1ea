#include "docfixture.h"
#include "zorvik/core/geometry.h"
#include "zorvik/core/search.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace zorvik {
namespace {

using test::DocFixture;

// Brute-force geometry, written independently of the engine's.
double segDist(double px, double py, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double l = vx * vx + vy * vy;
    const double t = l == 0 ? 0 : std::clamp(((px - ax) * vx + (py - ay) * vy) / l, 0.0, 1.0);
    return std::hypot(ax + t * vx - px, ay + t * vy - py);
}

double distance(const ElementRecord &r, double px, double py)
{
    double d = std::hypot(r.X[0] - px, r.Y[0] - py);
    for (int i = 1; i < r.PNum; ++i)
        d = std::min(d, segDist(px, py, r.X[i - 1], r.Y[i - 1], r.X[i], r.Y[i]));
    return d;
}

bool closed(const ElementRecord &r)
{
    return r.Type == TypeVector && r.PNum >= 4 && r.X[0] == r.X[r.PNum - 1] && r.Y[0] == r.Y[r.PNum - 1];
}

// Every polygon of the fixture is an axis-aligned rectangle.
struct Rect
{
    double x0, y0, x1, y1;
    bool contains(double x, double y) const { return x0 <= x && x <= x1 && y0 <= y && y <= y1; }
};

Rect rectOf(const ElementRecord &r)
{
    return {double(*std::min_element(r.X.begin(), r.X.end())),
        double(*std::min_element(r.Y.begin(), r.Y.end())), double(*std::max_element(r.X.begin(), r.X.end())),
        double(*std::max_element(r.Y.begin(), r.Y.end()))};
}

// Does the segment meet the rectangle? Sampled finely enough for our integer data.
bool segmentMeetsRect(double ax, double ay, double bx, double by, const Rect &q)
{
    // Liang-Barsky clipping.
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double qv[4] = {ax - q.x0, q.x1 - ax, ay - q.y0, q.y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (qv[i] < 0)
                return false;
        } else {
            const double t = qv[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
    }
    return t0 <= t1;
}

bool meetsRect(const ElementRecord &r, const Rect &q)
{
    if (r.Type == TypeConnector || r.PNum == 1)
        return q.contains(r.X[0], r.Y[0]);
    for (int i = 1; i < r.PNum; ++i)
        if (segmentMeetsRect(r.X[i - 1], r.Y[i - 1], r.X[i], r.Y[i], q))
            return true;
    // A rectangle polygon enclosing the query rectangle.
    return closed(r) && rectOf(r).contains(q.x0, q.y0);
}

struct Model
{
    std::map<QString, ElementRecord> alive; // by unique key
    std::map<std::int16_t, std::set<std::int16_t>> vectorSpaces{{1, {1}}, {2, {2}}, {3, {3}}, {10, {1, 2}}};
    std::map<std::int16_t, std::int16_t> connectorSpace{{206, 1}, {211, 2}, {227, 3}};
    std::set<std::int16_t> unpickableVectors{2};
    std::set<std::int16_t> outOfScaleVectors{3}; // range 0..10000, searched at 1:25000

    bool passes(const ElementRecord &r, const SearchRequest &q) const
    {
        const std::int16_t k = r.iPra[2];
        if (r.Type == TypeVector) {
            if (!(q.typeMask & 1) || !vectorSpaces.count(k) || unpickableVectors.count(k)
                || outOfScaleVectors.count(k))
                return false;
            if (q.space && !vectorSpaces.at(k).count(*q.space))
                return false;
        } else {
            if (!(q.typeMask & 2) || !connectorSpace.count(k))
                return false;
            if (q.space && connectorSpace.at(k) != *q.space)
                return false;
        }
        return temporalState(r.lPra, q.dates) != TemporalState::Absent;
    }
};

class SearchAgainstBruteForce : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Engine &e = f.engine;
        ASSERT_EQ(e.SetVectorDispInfo(2, 1, 0, Style6{}), code::Ok); // not pickable
        ASSERT_EQ(e.SetConnectorDispInfo(227, 0, 1, 0, Style6{}, 0), code::Ok); // hidden, still pickable
        ASSERT_EQ(e.SaveDefFile(), code::Ok);
        e.CloseMap();
        veltra::test::writeBytes(f.dir.file(QStringLiteral("DefFolder/DispVectDef.csv")),
            "KindID,Range1,Range2,Flag\r\n3,0,10000,0\r\n1,0,100000,0\r\n");
        ASSERT_EQ(e.InitializeMap(0), code::Ok);

        std::mt19937 rng(12345);
        auto uni = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        const std::array<std::int32_t, 6> dates[]
            = {{0, 0, 65535, 65535, 0, 0}, {100, 200, 65535, 65535, 0, 0}, {0, 0, 300, 400, 0, 0},
                {500, 500, 65535, 65535, 0, 0}, {0, 0, -1, -1, 0, 0}};
        std::vector<ElementRecord> batch;
        int serial = 0;
        auto key = [&] { return QStringLiteral("e%1").arg(serial++); };
        for (int i = 0; i < 250; ++i) {
            const std::int16_t kinds[] = {1, 2, 3};
            const int w = uni(100, 3000) * 2, h = uni(100, 3000) * 2;
            const int x = uni(0, 10000) * 2, y = uni(0, 10000) * 2;
            ElementRecord r
                = test::vector(kinds[uni(0, 2)], {x, y, x + w, y, x + w, y + h, x, y + h, x, y}, key());
            r.lPra = dates[uni(0, 4)];
            batch.push_back(r);
        }
        for (int i = 0; i < 200; ++i) {
            std::vector<std::int32_t> xy;
            const int n = uni(1, 6);
            int x = uni(0, 10000) * 2, y = uni(0, 10000) * 2;
            for (int p = 0; p < n; ++p) {
                xy.push_back(x);
                xy.push_back(y);
                x += uni(-800, 800) * 2;
                y += uni(-800, 800) * 2;
            }
            const std::int16_t kinds[] = {10, 1, 2};
            ElementRecord r = test::vector(kinds[uni(0, 2)], xy, key());
            r.lPra = dates[uni(0, 4)];
            batch.push_back(r);
        }
        for (int i = 0; i < 300; ++i) {
            const std::int16_t kinds[] = {206, 211, 227};
            ElementRecord r = test::connector(kinds[uni(0, 2)], uni(0, 11000) * 2, uni(0, 11000) * 2, key());
            r.lPra = dates[uni(0, 4)];
            batch.push_back(r);
        }
        // Half saved, half still unsaved; then some of both deleted.
        const std::size_t half = batch.size() / 2;
        f.add({batch.begin(), batch.begin() + half});
        ASSERT_EQ(e.SaveMap(), code::Ok);
        f.add({batch.begin() + half, batch.end()});
        for (const ElementRecord &r : batch)
            model.alive[r.Key] = r;

        std::vector<QString> keys;
        for (const auto &[k, r] : model.alive)
            keys.push_back(k);
        std::shuffle(keys.begin(), keys.end(), rng);
        keys.resize(60);
        Handle all = 0;
        std::int32_t v = 0, c = 0;
        ASSERT_EQ(e.SearchElementsByKind(5, {1, 2, 3, 10, 10}, 3, {206, 211, 227}, all, v, c), code::Ok);
        ASSERT_EQ(v + c, static_cast<std::int32_t>(batch.size()));
        const std::set<QString> doomed(keys.begin(), keys.end());
        for (Handle h : test::walk(e, all)) {
            ElementRecord r;
            e.GetElementsInfo(all, h, r);
            if (!doomed.count(r.Key))
                e.DeleteElementToList(all, h);
        }
        ASSERT_EQ(e.DeleteElements(all), code::Ok);
        for (const QString &k : keys)
            model.alive.erase(k);
        // Statistics elements go to level 9 and are searched too.
        const ElementRecord stat = test::connector(180, 5000, 5001, QStringLiteral("stat"));
        f.add({stat}, true);
        model.alive[stat.Key] = stat;
        for (std::int16_t k = FirstStatKind; k <= LastStatKind; ++k) {
            model.vectorSpaces[k] = {StatSpaceId};
            model.connectorSpace[k] = StatSpaceId;
        }
    }

    std::vector<QString> keysOf(Handle set)
    {
        std::vector<QString> keys;
        for (Handle h : test::walk(f.engine, set)) {
            ElementRecord r;
            EXPECT_EQ(f.engine.GetElementsInfo(set, h, r), code::Ok);
            keys.push_back(r.Key);
        }
        return keys;
    }

    std::set<QString> asSet(const std::vector<QString> &v) { return {v.begin(), v.end()}; }

    DocFixture f;
    Model model;
    const ViewMetrics view{}; // 1:25,000 at 36° N, for every search here
};

struct Settings
{
    int type;
    int space;
    DateRange dates;
};

const Settings settings[] = {
    {3, -1, {1, 0}},
    {1, -1, {1, 0}},
    {2, -1, {1, 0}},
    {3, 1, {1, 0}},
    {3, 2, {150, 150}},
    {3, 180, {350, 350}},
    {3, 0, {600, 600}},
    {1, 3, {1, 0}},
};

// Puts a case's element types, space and dates into the engine's recognition.
void useSettings(Engine &e, const Settings &s)
{
    e.setRecognizeElementType(s.type);
    e.setSpaceID(s.space);
    e.setDateFrom(s.dates.from);
    e.setDateTo(s.dates.to);
}

TEST_F(SearchAgainstBruteForce, PointSearchMode0)
{
    Engine &e = f.engine;
    e.setRecognizeWorldLength(700);
    std::mt19937 rng(7);
    for (const Settings &s : settings) {
        useSettings(e, s);
        const SearchRequest q = e.recognitionRequest(view);
        for (int i = 0; i < 25; ++i) {
            const int x = std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
            const int y = std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
            SCOPED_TRACE(
                testing::Message() << "type " << s.type << " space " << s.space << " at " << x << "," << y);
            std::multimap<double, QString> expected;
            for (const auto &[k, r] : model.alive)
                if (model.passes(r, q) && distance(r, x, y) <= 700)
                    expected.emplace(distance(r, x, y), k);
            Handle set = -1;
            std::int32_t a = -1, b = -1, c = -1;
            e.setRecognizeSearchNum(0);
            ASSERT_EQ(e.SearchElements(0, x, y, set, a, b, c, view), code::Ok);
            const std::vector<QString> got = keysOf(set);
            std::set<QString> want;
            for (const auto &[d, k] : expected)
                want.insert(k);
            EXPECT_EQ(asSet(got), want);
            EXPECT_EQ(a, static_cast<std::int32_t>(got.size()));
            EXPECT_EQ(b + c, a);
            if (expected.empty()) {
                EXPECT_EQ(set, 0);
                continue;
            }
            for (std::size_t j = 1; j < got.size(); ++j)
                EXPECT_LE(distance(model.alive[got[j - 1]], x, y), distance(model.alive[got[j]], x, y));
            e.ReleaseElements(set);
            // With a limit of 1, the nearest one.
            e.setRecognizeSearchNum(1);
            ASSERT_EQ(e.SearchElements(0, x, y, set, a, b, c, view), code::Ok);
            ASSERT_EQ(a, 1);
            EXPECT_DOUBLE_EQ(distance(model.alive[keysOf(set).front()], x, y), expected.begin()->first);
            e.ReleaseElements(set);
        }
    }
}

TEST_F(SearchAgainstBruteForce, PolygonsAtPointMode3AndInsideMode4)
{
    Engine &e = f.engine;
    std::mt19937 rng(8);
    for (const Settings &s : settings) {
        useSettings(e, s);
        e.setRecognizeSearchNum(0);
        const SearchRequest q = e.recognitionRequest(view);
        for (int i = 0; i < 25; ++i) {
            const int x = std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
            const int y = std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
            SCOPED_TRACE(
                testing::Message() << "type " << s.type << " space " << s.space << " at " << x << "," << y);
            std::multimap<double, QString> expected;
            for (const auto &[k, r] : model.alive)
                if (closed(r) && model.passes(r, q) && rectOf(r).contains(x, y)) {
                    const Rect rc = rectOf(r);
                    expected.emplace((rc.x1 - rc.x0) * (rc.y1 - rc.y0), k);
                }
            Handle set = -1;
            std::int32_t a = -1, b = -1, c = -1;
            ASSERT_EQ(e.SearchElements(3, x, y, set, a, b, c, view), code::Ok);
            const std::vector<QString> got = keysOf(set);
            std::vector<QString> want;
            for (const auto &[area, k] : expected)
                want.push_back(k);
            EXPECT_EQ(asSet(got), asSet(want));
            EXPECT_EQ(b, a);
            EXPECT_EQ(c, 0);
            for (std::size_t j = 1; j < got.size(); ++j) {
                const Rect p = rectOf(model.alive[got[j - 1]]), n = rectOf(model.alive[got[j]]);
                EXPECT_LE((p.x1 - p.x0) * (p.y1 - p.y0), (n.x1 - n.x0) * (n.y1 - n.y0));
            }
            e.ReleaseElements(set);

            // Mode 4: the smallest polygon of the space at the point (whatever the
            // type setting), then every element of any space meeting it.
            SearchRequest polygons = q;
            polygons.typeMask = 1;
            std::multimap<double, QString> candidates;
            for (const auto &[k, r] : model.alive)
                if (closed(r) && model.passes(r, polygons) && rectOf(r).contains(x, y)) {
                    const Rect rc = rectOf(r);
                    candidates.emplace((rc.x1 - rc.x0) * (rc.y1 - rc.y0), k);
                }
            ASSERT_EQ(e.SearchElements(4, x, y, set, a, b, c, view), code::Ok);
            if (candidates.empty()) {
                EXPECT_EQ(set, 0);
                EXPECT_EQ(a + b + c, 0);
                continue;
            }
            const Rect area = rectOf(model.alive[candidates.begin()->second]);
            SearchRequest inner = q;
            inner.space.reset();
            std::set<QString> inside;
            for (const auto &[k, r] : model.alive)
                if (model.passes(r, inner) && meetsRect(r, area))
                    inside.insert(k);
            const std::vector<QString> gotInside = keysOf(set);
            EXPECT_EQ(asSet(gotInside), inside);
            EXPECT_EQ(b + c, a);
            // Vectors come first.
            bool seenConnector = false;
            for (const QString &k : gotInside) {
                seenConnector |= model.alive[k].Type == TypeConnector;
                if (seenConnector) {
                    EXPECT_EQ(model.alive[k].Type, TypeConnector);
                }
            }
            e.ReleaseElements(set);
        }
    }
}

TEST_F(SearchAgainstBruteForce, InnerPolygonSearchWithFreeRectangle)
{
    Engine &e = f.engine;
    std::mt19937 rng(9);
    for (const Settings &s : settings) {
        useSettings(e, s);
        const SearchRequest q = e.recognitionRequest(view);
        for (int i = 0; i < 10; ++i) {
            const int x = std::uniform_int_distribution<int>(0, 10000)(rng) * 2 + 1;
            const int y = std::uniform_int_distribution<int>(0, 10000)(rng) * 2 + 1;
            const int w = std::uniform_int_distribution<int>(100, 2000)(rng) * 2;
            Handle poly = 0;
            e.CreateElementList(poly);
            // A 5-point view rectangle as callers build it (kind 0, a free record).
            ASSERT_EQ(
                e.AddElementToList(poly, test::vector(0, {x, y, x + w, y, x + w, y + w, x, y + w, x, y})),
                code::Ok);
            std::set<QString> want;
            for (const auto &[k, r] : model.alive)
                if (model.passes(r, q) && meetsRect(r, {double(x), double(y), double(x + w), double(y + w)}))
                    want.insert(k);
            Handle set = -1;
            std::int32_t c1 = 5, c2 = 0, c3 = -1;
            ASSERT_EQ(e.SearchInnerPolygonElements(poly, set, c1, c2, c3, view), code::Ok);
            EXPECT_EQ(c1, 5); // the caller's own count is left alone
            EXPECT_EQ(c3, static_cast<std::int32_t>(want.size()));
            EXPECT_EQ(asSet(keysOf(set)), want);
            EXPECT_EQ(set == 0, want.empty());
            e.ReleaseElements(set);
            e.ReleaseElements(poly);
        }
    }
}

TEST_F(SearchAgainstBruteForce, ByKindSeesEverythingOfTheKinds)
{
    Engine &e = f.engine;
    // Filters of the recognition settings must not matter.
    e.setRecognizeElementType(1);
    e.setSpaceID(3);
    e.setDateFrom(10);
    e.setDateTo(10);
    struct Row
    {
        std::vector<std::int16_t> v, c;
    };
    const Row rows[] = {{{2}, {}}, {{}, {227}}, {{3, 10}, {206, 180}}, {{999}, {}}, {{}, {180}}};
    for (const Row &r : rows) {
        std::set<QString> want;
        for (const auto &[k, rec] : model.alive) {
            const auto &list = rec.Type == TypeVector ? r.v : r.c;
            if (std::find(list.begin(), list.end(), rec.iPra[2]) != list.end())
                want.insert(k);
        }
        Handle set = -1;
        std::int32_t v = -1, c = -1;
        ASSERT_EQ(
            e.SearchElementsByKind(std::int16_t(r.v.size()), r.v, std::int16_t(r.c.size()), r.c, set, v, c),
            code::Ok);
        EXPECT_EQ(asSet(keysOf(set)), want);
        EXPECT_EQ(v + c, static_cast<std::int32_t>(want.size()));
        EXPECT_EQ(set == 0, want.empty());
    }
    // Only the first vCount / cCount IDs are read.
    Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(e.SearchElementsByKind(0, {2}, 0, {227}, set, v, c), code::Ok);
    EXPECT_EQ(set, 0);
    EXPECT_EQ(v + c, 0);
    EXPECT_EQ(e.SearchElementsByKind(3, {2}, 0, {}, set, v, c), code::BadArgument);
}

TEST_F(SearchAgainstBruteForce, ConnectorsOfOneKindByPointAndRectangle)
{
    Engine &e = f.engine;
    e.setRecognizeWorldLength(1500);
    e.setSpaceID(180); // set by the graph pick; ignored here
    std::mt19937 rng(10);
    for (const std::int16_t kind : {206, 211, 227}) {
        for (int i = 0; i < 15; ++i) {
            const int x = std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
            const int y = std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
            const std::int32_t xs[2] = {x, x + 3000}, ys[2] = {y + 3000, y}; // (x1, x2), (y2, y1)
            std::set<QString> near, inBox, prefixed;
            for (const auto &[k, r] : model.alive) {
                if (r.Type != TypeConnector || r.iPra[2] != kind)
                    continue;
                if (std::hypot(r.X[0] - x, r.Y[0] - y) <= 1500)
                    near.insert(k);
                if (r.X[0] >= x && r.X[0] <= x + 3000 && r.Y[0] >= y && r.Y[0] <= y + 3000) {
                    inBox.insert(k);
                    if (k.startsWith(QStringLiteral("e5")))
                        prefixed.insert(k);
                }
            }
            Handle set = -1;
            std::int32_t count = -1;
            const std::int32_t px[1] = {x}, py[1] = {y};
            ASSERT_EQ(
                e.SearchConnectorIDKey(0, px, py, kind, 0, QString(), QString(), set, count, view), code::Ok);
            EXPECT_EQ(asSet(keysOf(set)), near);
            EXPECT_EQ(count, static_cast<std::int32_t>(near.size()));
            ASSERT_EQ(
                e.SearchConnectorIDKey(1, xs, ys, kind, 0, QString(), QString(), set, count, view), code::Ok);
            EXPECT_EQ(asSet(keysOf(set)), inBox);
            ASSERT_EQ(
                e.SearchConnectorIDKey(1, xs, ys, kind, 0, QStringLiteral("e5"), QString(), set, count, view),
                code::Ok);
            EXPECT_EQ(asSet(keysOf(set)), prefixed);
        }
    }
    Handle set = 0;
    std::int32_t count = 0;
    const std::int32_t xy[2] = {0, 0};
    EXPECT_EQ(
        e.SearchConnectorIDKey(2, xy, xy, 206, 0, QString(), QString(), set, count, view), code::BadArgument);
    EXPECT_EQ(e.SearchElements(1, 0, 0, set, count, count, count, view), code::BadArgument);
}

// Mode 3 as the files' R*Trees give the elements: the point's box query,
// filtered, in a stable sort by area (equal areas in the trees' order).
std::vector<ElementRef> containingInTreeOrder(const Document &doc, const SearchRequest &q, int x, int y)
{
    std::vector<std::pair<double, ElementRef>> hits;
    doc.forEachInBox({x, y, x, y}, [&](const StoredElement &e) {
        if (e.isClosed() && search::passesFilters(doc.catalog(), q, e) && geometry::pointInStored(e, x, y))
            hits.emplace_back(geometry::storedArea(e), e.ref);
        return true;
    });
    std::stable_sort(hits.begin(), hits.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<ElementRef> refs;
    for (const auto &[area, ref] : hits)
        refs.push_back(ref);
    return refs;
}

// The search reads the areas of the files from in-memory copies and keeps
// the records it found; both must give exactly what reading the files gives,
// also after the files change.
TEST_F(SearchAgainstBruteForce, Mode3FromTheAreaCopiesEqualsTheFileSearch)
{
    Engine &e = f.engine;
    // Equal areas: saved, unsaved and in two spaces, whose order only the
    // files' R*Trees decide.
    f.add({test::square(1, 3001, 3001, 400, QStringLiteral("tieA")),
        test::square(1, 3001, 3001, 400, QStringLiteral("tieB")),
        test::square(2, 3001, 3001, 400, QStringLiteral("tieC"))});
    ASSERT_EQ(e.SaveMap(), code::Ok);
    f.add({test::square(1, 3001, 3001, 400, QStringLiteral("tieD"))});

    std::mt19937 rng(9);
    auto compare = [&](const char *when) {
        const Document &doc = *e.document();
        for (const Settings &s : settings) {
            useSettings(e, s);
            for (int i = 0; i < 30; ++i) {
                const int x = i == 0 ? 3101 : std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
                const int y = i == 0 ? 3101 : std::uniform_int_distribution<int>(0, 11000)(rng) * 2 + 1;
                SCOPED_TRACE(testing::Message()
                    << when << ": type " << s.type << " space " << s.space << " at " << x << "," << y);
                for (int limit : {0, 1}) {
                    e.setRecognizeSearchNum(limit);
                    const SearchRequest q = e.recognitionRequest(view);
                    std::vector<ElementRef> want = containingInTreeOrder(doc, q, x, y);
                    if (limit == 1 && want.size() > 1)
                        want.resize(1);
                    search::FoundRecords records;
                    EXPECT_EQ(search::containing(doc, q, x, y, &records).refs, want);
                    for (const auto &[ref, record] : records) {
                        ElementRecord stored;
                        ASSERT_TRUE(doc.fetch(ref, stored));
                        EXPECT_EQ(record, stored);
                    }
                    // Through the engine, the records read after the search.
                    Handle set = 0;
                    std::int32_t a = 0, b = 0, c = 0;
                    ASSERT_EQ(e.SearchElements(3, x, y, set, a, b, c, view), code::Ok);
                    ASSERT_EQ(a, static_cast<std::int32_t>(want.size()));
                    const std::vector<ElementRecord> got = test::records(e, set);
                    for (std::size_t j = 0; j < want.size() && j < got.size(); ++j) {
                        ElementRecord stored;
                        ASSERT_TRUE(doc.fetch(want[j], stored));
                        EXPECT_EQ(got[j], stored);
                    }
                    e.ReleaseElements(set);
                }
            }
        }
    };
    compare("as opened");
    ASSERT_EQ(e.SaveMap(), code::Ok);
    compare("after a save");

    // Another program writes the store file: its areas are read anew.
    ElementStore other;
    ASSERT_TRUE(other.open(f.dir.file(QStringLiteral("Map.zdb")), false));
    const ElementRecord outside = test::square(1, 1, 1, 30000, QStringLiteral("outside"));
    ElementStore::Changes changes;
    changes.inserts.emplace_back(other.maxId() + 1000, &outside);
    ASSERT_TRUE(other.apply(changes));
    other.close();
    compare("after another program wrote");

    // A record kept from a search is not given once the element is deleted.
    useSettings(e, settings[0]);
    e.setRecognizeSearchNum(1);
    Handle found = 0, again = 0;
    std::int32_t a = 0, b = 0, c = 0;
    ASSERT_EQ(e.SearchElements(3, 3101, 3101, found, a, b, c, view), code::Ok);
    ASSERT_EQ(e.SearchElements(3, 3101, 3101, again, a, b, c, view), code::Ok);
    ASSERT_EQ(e.DeleteElements(again), code::Ok);
    ElementRecord gone;
    EXPECT_EQ(e.GetElementsInfo(found, test::walk(e, found).front(), gone), code::BadHandle);
}

TEST(Search, PixelToleranceFollowsTheScale)
{
    DocFixture f;
    f.add({test::connector(206, 1000, 1000, QStringLiteral("p"))});
    Engine &e = f.engine;
    e.setRecognizeLength(10);
    e.setRecognizeWorldLength(0);
    ViewMetrics view;
    view.scale = 25000;
    // 10 px at 96 dpi and 1:25,000 is 66 m, about 215 Y units.
    EXPECT_NEAR(e.toleranceWorld(view), 66.1458 / 0.3083, 1.0);
    Handle set = 0;
    std::int32_t a, b, c;
    ASSERT_EQ(e.SearchElements(0, 1000, 1200, set, a, b, c, view), code::Ok);
    EXPECT_EQ(a, 1);
    view.scale = 10000;
    ASSERT_EQ(e.SearchElements(0, 1000, 1200, set, a, b, c, view), code::Ok);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(set, 0);
}

} // namespace
} // namespace zorvik
