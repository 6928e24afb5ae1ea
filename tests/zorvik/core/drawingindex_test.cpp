// The drawing walk reads an in-memory copy of the store: it must hand out
// exactly what the file gives (the same elements in the same R*Tree order,
// the same fields, the band's points where there is a copy), and see every
// write, its own and another connection's, at the next frame.
#include "docfixture.h"
#include "zorvik/core/elementstore.h"
#include "zorvik/core/levelofdetail.h"

#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

using namespace zorvik::test;

struct Row
{
    std::int64_t id = 0;
    std::int16_t type = 0, kind = 0;
    std::array<std::int16_t, 3> iPra{};
    std::array<std::int32_t, 6> lPra{};
    QByteArray key, points;
    WorldBox box;
    bool operator==(const Row &o) const
    {
        return id == o.id && type == o.type && kind == o.kind && iPra == o.iPra && lPra == o.lPra
            && key == o.key && points == o.points && box.minX == o.box.minX && box.minY == o.box.minY
            && box.maxX == o.box.maxX && box.maxY == o.box.maxY;
    }
};

Row rowOf(const StoredElement &e)
{
    return {e.ref.id, e.type, e.kind, e.iPra, e.lPra, QByteArray(e.keyUtf8, e.keyBytes),
        QByteArray(reinterpret_cast<const char *>(e.points), qsizetype(e.pointCount) * 8), e.box};
}

std::vector<Row> drawn(const ElementStore &store, const WorldBox &box, int band)
{
    std::vector<Row> rows;
    EXPECT_TRUE(store.forEachInBoxForDrawing(box, band, 0, [&](const StoredElement &e) {
        rows.push_back(rowOf(e));
        return true;
    }));
    return rows;
}

// What the file gives: the rows of the box query, with the band's copy where it has one.
std::vector<Row> fromFile(const ElementStore &store, const WorldBox &box, int band)
{
    std::vector<Row> rows;
    EXPECT_TRUE(store.forEachInBox(box, 0, [&](const StoredElement &e) {
        rows.push_back(rowOf(e));
        return true;
    }));
    for (Row &r : rows) {
        std::vector<std::int32_t> xy;
        if (band > 0 && store.lodPoints(r.id, band, xy))
            r.points = QByteArray(reinterpret_cast<const char *>(xy.data()), qsizetype(xy.size()) * 4);
    }
    return rows;
}

ElementRecord ring(std::int16_t kind, std::int32_t cx, std::int32_t cy, std::int32_t radius, int points)
{
    std::vector<std::int32_t> xy;
    for (int i = 0; i <= points; ++i) {
        const double a = 2 * M_PI * (i % points) / points;
        xy.push_back(cx + static_cast<std::int32_t>(radius * std::cos(a)));
        xy.push_back(cy + static_cast<std::int32_t>(radius * std::sin(a)));
    }
    return vector(kind, xy, QStringLiteral("環%1").arg(points));
}

ElementRecord name(std::int32_t x, std::int32_t y, const QString &text)
{
    ElementRecord r;
    r.Type = TypeConnector;
    r.iPra = {0, 0, 206};
    r.lPra = {0, 0, DayUndecided, DayUndecided, 0, 0};
    r.X = {x};
    r.Y = {y};
    r.PNum = 1;
    r.Key = text;
    return r;
}

QString storePath(const QString &zor)
{
    return QFileInfo(zor).path() + QLatin1Char('/') + QFileInfo(zor).completeBaseName()
        + QStringLiteral(".zdb");
}

// A saved document of detailed rings (with copies), small squares (without)
// and names, spread so that boxes catch different subsets.
struct SavedMap
{
    DocFixture f;
    QString store;
    SavedMap()
    {
        std::vector<ElementRecord> records;
        for (int i = 0; i < 12; ++i) {
            const std::int32_t x = 4000000 + (i % 4) * 900000, y = 3000000 + (i / 4) * 900000;
            records.push_back(ring(1, x, y, 200000 + i * 10000, 2000 + 50 * i));
            records.push_back(square(2, x - 50000, y - 50000, 100000, QStringLiteral("区%1").arg(i)));
            records.push_back(name(x, y, QStringLiteral("町%1").arg(i)));
        }
        std::vector<ElementRef> refs;
        std::shared_ptr<Document> doc = f.engine.document();
        EXPECT_EQ(doc->enterElements(records, false, refs), code::Ok);
        EXPECT_EQ(doc->save(), code::Ok);
        f.engine.CloseMap();
        store = storePath(f.zor);
    }
};

const WorldBox Boxes[] = {
    {-100000000, -100000000, 100000000, 100000000}, // everything
    {3900000, 2900000, 5000000, 4000000}, // one corner
    {5200000, 3500000, 5300000, 5000000}, // a thin strip through several rings
    {0, 0, 10, 10}, // nothing
};

TEST(DrawingIndex, GivesWhatTheFileGivesInTheSameOrder)
{
    SavedMap map;
    ElementStore store;
    ASSERT_TRUE(store.open(map.store, true));
    ASSERT_TRUE(store.hasLevelOfDetail());
    for (const WorldBox &box : Boxes)
        for (int band = 0; band <= 3; ++band) {
            const auto expected = fromFile(store, box, band);
            // Twice: filling the copy, then reading it.
            EXPECT_EQ(drawn(store, box, band), expected) << box.minX << " band " << band;
            EXPECT_EQ(drawn(store, box, band), expected) << box.minX << " band " << band;
        }
    // The coarse band really reads copies: fewer points than the exact rings.
    std::int64_t exact = 0, coarse = 0;
    for (const Row &r : drawn(store, Boxes[0], 0))
        exact += r.points.size();
    for (const Row &r : drawn(store, Boxes[0], 3))
        coarse += r.points.size();
    EXPECT_LT(coarse, exact / 2);
}

// Drawing keeps the copy's points after the walk instead of copying them;
// rows read from the file are only valid inside it and say so.
TEST(DrawingIndex, PointsOfTheCopyOutliveTheWalk)
{
    SavedMap map;
    ElementStore store;
    ASSERT_TRUE(store.open(map.store, true));
    for (int band : {0, 3}) {
        drawn(store, Boxes[0], band); // fills the copy
        std::vector<std::pair<const unsigned char *, QByteArray>> kept;
        EXPECT_TRUE(store.forEachInBoxForDrawing(Boxes[0], band, 0, [&](const StoredElement &e) {
            EXPECT_TRUE(e.pointsOutliveVisit);
            kept.emplace_back(
                e.points, QByteArray(reinterpret_cast<const char *>(e.points), e.pointCount * 8));
            return true;
        }));
        ASSERT_FALSE(kept.empty());
        for (const auto &[points, bytes] : kept)
            EXPECT_EQ(std::memcmp(points, bytes.constData(), static_cast<std::size_t>(bytes.size())), 0);
    }
    EXPECT_TRUE(store.forEachInBox(Boxes[0], 0, [&](const StoredElement &e) {
        EXPECT_FALSE(e.pointsOutliveVisit);
        return true;
    }));
}

TEST(DrawingIndex, SeesItsOwnWritesAndThoseOfAnotherConnection)
{
    SavedMap map;
    ElementStore reader, writer;
    ASSERT_TRUE(reader.open(map.store, false));
    ASSERT_TRUE(writer.open(map.store, false));
    const WorldBox all = Boxes[0];
    const auto before = drawn(reader, all, 3);
    ASSERT_EQ(before.size(), 36u);

    // Another connection deletes one ring and adds a name.
    ElementRecord added = name(100, 200, QStringLiteral("新町"));
    ElementStore::Changes changes;
    changes.deletes = {before.front().id};
    changes.inserts = {{1000, &added}};
    ASSERT_TRUE(writer.apply(changes));
    auto after = drawn(reader, all, 3);
    EXPECT_EQ(after, fromFile(reader, all, 3));
    ASSERT_EQ(after.size(), 36u);
    EXPECT_TRUE(
        std::none_of(after.begin(), after.end(), [&](const Row &r) { return r.id == before.front().id; }));
    EXPECT_TRUE(std::any_of(after.begin(), after.end(), [](const Row &r) { return r.key == "新町"; }));

    // The reader's own write.
    ElementStore::Changes own;
    own.deletes = {1000};
    ASSERT_TRUE(reader.apply(own));
    after = drawn(reader, all, 3);
    EXPECT_EQ(after.size(), 35u);
    EXPECT_EQ(after, fromFile(reader, all, 3));

    // A visit that stops early stops the walk.
    int visited = 0;
    EXPECT_TRUE(
        reader.forEachInBoxForDrawing(all, 0, 0, [&](const StoredElement &) { return ++visited < 3; }));
    EXPECT_EQ(visited, 3);
}

} // namespace
} // namespace zorvik
