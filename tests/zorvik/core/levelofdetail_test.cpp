// Level-of-detail copies: what snapping keeps (shared borders, closed rings,
// tiny elements), which band a pixel size takes, and how the store keeps the
// copies in step with its elements through save, edit, undo and reopen,
// while searches keep reading the exact points.
#include "docfixture.h"
#include "platform/db/db.h"
#include "zorvik/core/document.h"
#include "zorvik/core/levelofdetail.h"

#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

using namespace zorvik::test;

std::vector<std::int32_t> unpacked(const QByteArray &packed)
{
    std::vector<std::int32_t> xy(static_cast<std::size_t>(packed.size() / 4));
    std::memcpy(xy.data(), packed.constData(), xy.size() * 4);
    return xy;
}

QByteArray copyOf(const std::vector<std::int32_t> &xy, std::int32_t cell)
{
    return lod::simplified(
        reinterpret_cast<const unsigned char *>(xy.data()), static_cast<std::int32_t>(xy.size() / 2), cell);
}

TEST(LevelOfDetail, AreasThatShareABorderGetTheSameSimplifiedBorder)
{
    // Two areas side by side; their common border is a wavy line of 400
    // points, walked upwards by the left area and downwards by the right one.
    std::vector<std::int32_t> border;
    for (int i = 0; i <= 400; ++i)
        border.insert(border.end(),
            {100000 + static_cast<std::int32_t>(300 * std::sin(i * 0.37) + 120 * std::sin(i * 1.9)), i * 60});
    std::vector<std::int32_t> left = {0, 0}, right = {200000, 24000, 200000, 0};
    left.insert(left.end(), border.begin(), border.end());
    left.insert(left.end(), {0, 24000, 0, 0});
    for (std::size_t i = border.size(); i >= 2; i -= 2)
        right.insert(right.end(), {border[i - 2], border[i - 1]});
    right.insert(right.end(), {200000, 24000});

    for (const lod::Band &band : lod::Bands) {
        const auto a = unpacked(copyOf(left, band.cell)), b = unpacked(copyOf(right, band.cell));
        ASSERT_FALSE(a.empty()) << band.id;
        ASSERT_FALSE(b.empty()) << band.id;
        // The border part of each copy: the points off the outer corners.
        auto borderOf = [](const std::vector<std::int32_t> &xy) {
            std::vector<std::pair<std::int32_t, std::int32_t>> out;
            for (std::size_t i = 0; i < xy.size(); i += 2)
                if (xy[i] > 50000 && xy[i] < 150000)
                    out.emplace_back(xy[i], xy[i + 1]);
            return out;
        };
        auto fromLeft = borderOf(a), fromRight = borderOf(b);
        std::reverse(fromRight.begin(), fromRight.end());
        EXPECT_EQ(fromLeft, fromRight) << "band " << band.id;
        EXPECT_LT(fromLeft.size(), 401u) << "band " << band.id;
        // Both rings stay closed.
        EXPECT_EQ(a[0], a[a.size() - 2]);
        EXPECT_EQ(a[1], a.back());
        EXPECT_EQ(b[0], b[b.size() - 2]);
        EXPECT_EQ(b[1], b.back());
    }
}

TEST(LevelOfDetail, SmallElementsKeepAPointAndFewPointsKeepNoCopy)
{
    const struct
    {
        const char *name;
        std::vector<std::int32_t> xy;
        std::int32_t cell;
        int points; // of the copy; 0 = no copy
    } cases[] = {
        {"a ring inside one cell stays as a point, drawn as a dot", {10, 10, 60, 10, 60, 60, 10, 60, 10, 10},
            800, 1},
        {"a line of many points keeps one point per cell it passes",
            {0, 0, 100, 0, 200, 0, 300, 0, 400, 0, 500, 0, 600, 0, 700, 0, 800, 0, 4000, 0}, 800, 3},
        {"a line whose points all stay keeps no copy", {0, 0, 5000, 0, 10000, 5000, 15000, 0}, 800, 0},
        {"two points are never copied", {0, 0, 10, 10}, 800, 0},
    };
    for (const auto &c : cases) {
        const QByteArray copy = copyOf(c.xy, c.cell);
        EXPECT_EQ(copy.size() / 8, c.points) << c.name;
    }
}

TEST(LevelOfDetail, ThePixelSizeChoosesTheBand)
{
    const struct
    {
        double worldPerPixel;
        int band;
    } cases[] = {{0, 0}, {10, 0}, {799, 0}, {800, 1}, {3199, 1}, {3200, 2}, {12800, 3}, {1e7, 3}};
    for (const auto &c : cases)
        EXPECT_EQ(lod::bandFor(c.worldPerPixel), c.band) << c.worldPerPixel;
}

// A detailed ring of 2,000 points around (cx, cy).
ElementRecord detailedRing(std::int32_t cx, std::int32_t cy, std::int32_t radius)
{
    std::vector<std::int32_t> xy;
    for (int i = 0; i <= 2000; ++i) {
        const double a = 2 * M_PI * (i % 2000) / 2000;
        xy.push_back(cx + static_cast<std::int32_t>(radius * std::cos(a)));
        xy.push_back(cy + static_cast<std::int32_t>(radius * std::sin(a)));
    }
    ElementRecord r = vector(1, xy);
    r.lPra = {10, 0, 500, 0, 0, 0}; // appears on day 10, disappears on day 500
    return r;
}

constexpr double Coarse = 4.0 * 3200; // a pixel size that takes band 3

struct Seen
{
    int drawn = -1; // points the drawing walk gives, -1 = not found
    int exact = -1; // points the search walk gives
    std::array<std::int32_t, 6> lPra{};
};

Seen seen(const Document &doc, const ElementRef &ref)
{
    Seen s;
    const WorldBox all{-100000000, -100000000, 100000000, 100000000};
    doc.forEachInBoxForDrawing(all, Coarse, [&](const StoredElement &e) {
        if (e.ref == ref) {
            s.drawn = e.pointCount;
            s.lPra = e.lPra;
        }
        return true;
    });
    doc.forEachInBox(all, [&](const StoredElement &e) {
        if (e.ref == ref)
            s.exact = e.pointCount;
        return true;
    });
    return s;
}

TEST(LevelOfDetail, StoreKeepsCopiesInStepThroughSaveEditUndoAndReopen)
{
    DocFixture f;
    std::shared_ptr<Document> doc = f.engine.document();
    ASSERT_TRUE(doc);
    std::vector<ElementRef> refs;
    ASSERT_EQ(doc->enterElements({detailedRing(5000000, 4000000, 200000)}, false, refs), code::Ok);
    const ElementRef first = refs.at(0);

    // Unsaved: drawn from the exact points.
    EXPECT_EQ(seen(*doc, first).drawn, 2001);
    ASSERT_EQ(doc->save(), code::Ok);
    // Saved: drawn from the copy, searched and fetched exactly, dates kept.
    Seen s = seen(*doc, first);
    EXPECT_GT(s.drawn, 3);
    EXPECT_LT(s.drawn, 2001);
    EXPECT_EQ(s.exact, 2001);
    EXPECT_EQ(s.lPra, (std::array<std::int32_t, 6>{10, 0, 500, 0, 0, 0}));
    ElementRecord fetched;
    ASSERT_TRUE(doc->fetch(first, fetched));
    EXPECT_EQ(fetched.PNum, 2001);

    // An edit (delete the old, enter a larger new one), undone before saving:
    // the saved element is back with its copy.
    std::vector<ElementRecord> removed;
    std::vector<bool> mask;
    ASSERT_EQ(doc->deleteElements({first}, removed, mask), code::Ok);
    ASSERT_EQ(doc->enterElements({detailedRing(5000000, 4000000, 400000)}, false, refs), code::Ok);
    const ElementRef second = refs.at(0);
    EXPECT_EQ(seen(*doc, first).drawn, -1);
    ASSERT_EQ(doc->undo(), code::Ok);
    ASSERT_EQ(doc->undo(), code::Ok);
    EXPECT_EQ(seen(*doc, first).drawn, s.drawn);
    EXPECT_EQ(seen(*doc, second).drawn, -1);

    // Redone and saved: the old element's copies go with it, the new one has its own.
    ASSERT_EQ(doc->redo(), code::Ok);
    ASSERT_EQ(doc->redo(), code::Ok);
    ASSERT_EQ(doc->save(), code::Ok);
    EXPECT_EQ(seen(*doc, first).drawn, -1);
    const Seen after = seen(*doc, second);
    EXPECT_GT(after.drawn, s.drawn); // a larger ring keeps more points
    EXPECT_LT(after.drawn, 2001);

    // Reopened: the copies are read from the file.
    const QString zor = f.zor;
    doc.reset();
    f.engine.CloseMap();
    Result r = 0;
    doc = Document::open(zor, r);
    ASSERT_TRUE(doc);
    EXPECT_EQ(seen(*doc, second).drawn, after.drawn);
    EXPECT_EQ(seen(*doc, second).exact, 2001);
}

TEST(LevelOfDetail, AStoreWithoutCopiesGetsThemWhenOpened)
{
    DocFixture f;
    std::vector<ElementRef> refs;
    std::shared_ptr<Document> doc = f.engine.document();
    ASSERT_EQ(doc->enterElements({detailedRing(5000000, 4000000, 200000)}, false, refs), code::Ok);
    ASSERT_EQ(doc->save(), code::Ok);
    const int drawn = seen(*doc, refs.at(0)).drawn;
    doc.reset();
    f.engine.CloseMap();

    // The file as written before the copies existed.
    const QString store = QFileInfo(f.zor).path() + QLatin1Char('/') + QFileInfo(f.zor).completeBaseName()
        + QStringLiteral(".zdb");
    {
        veltra::db::Database db;
        ASSERT_TRUE(db.open(store, false, false)) << store.toStdString();
        ASSERT_TRUE(db.exec(QStringLiteral("DROP TABLE element_lod")));
    }
    Result r = 0;
    doc = Document::open(f.zor, r);
    ASSERT_TRUE(doc);
    EXPECT_EQ(seen(*doc, refs.at(0)).drawn, drawn);
    EXPECT_EQ(seen(*doc, refs.at(0)).exact, 2001);
}

} // namespace
} // namespace zorvik
