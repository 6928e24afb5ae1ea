#include "docfixture.h"

#include <gtest/gtest.h>
#include <set>

namespace zorvik {
namespace {

using test::DocFixture;

TEST(Sets, HandlesAreNeverReusedAndReleaseIsIdempotent)
{
    Engine a, b;
    std::set<Handle> seen;
    for (int i = 0; i < 50; ++i) {
        Handle s = 0;
        ASSERT_EQ((i % 2 ? a : b).CreateElementList(s), code::Ok);
        EXPECT_GT(s, 0);
        EXPECT_TRUE(seen.insert(s).second) << "handle reused: " << s;
        EXPECT_EQ((i % 2 ? a : b).ReleaseElements(s), code::Ok);
        EXPECT_EQ((i % 2 ? a : b).ReleaseElements(s), code::Ok);
    }
    EXPECT_EQ(a.ReleaseElements(0), code::Ok);
    EXPECT_EQ(a.ReleaseElements(-5), code::Ok);
}

TEST(Sets, WalkingEndsWithZeroOnEveryFailure)
{
    Engine e;
    Handle set = 0;
    e.CreateElementList(set);
    e.AddElementToList(set, test::connector(1, 1, 2));
    struct Row
    {
        const char *name;
        Handle set, elem;
    };
    const Row rows[] = {{"set 0", 0, 0}, {"unknown set", set + 1000, 0}, {"element past the end", set, 5},
        {"negative element", set, -1}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        Handle in = r.elem;
        EXPECT_NE(e.GetNextElementHandle(r.set, in), code::Ok);
        EXPECT_EQ(in, 0);
    }
    e.ReleaseElements(set);
    Handle elem = 1;
    EXPECT_NE(e.GetNextElementHandle(set, elem), code::Ok);
    EXPECT_EQ(elem, 0);
}

TEST(Sets, ElementHandlesStayStableWhenOthersAreDropped)
{
    Engine e;
    Handle set = 0;
    e.CreateElementList(set);
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(e.AddElementToList(set, test::connector(1, i, i, QString::number(i))), code::Ok);
    const std::vector<Handle> all = test::walk(e, set);
    ASSERT_EQ(all.size(), 5u);
    ASSERT_EQ(e.DeleteElementToList(set, all[1]), code::Ok);
    ASSERT_EQ(e.DeleteElementToList(set, all[3]), code::Ok);
    EXPECT_EQ(e.DeleteElementToList(set, all[3]), code::BadHandle);
    EXPECT_EQ(test::walk(e, set), (std::vector<Handle>{all[0], all[2], all[4]}));
    ElementRecord r;
    ASSERT_EQ(e.GetElementsInfo(set, all[4], r), code::Ok);
    EXPECT_EQ(r.Key, QStringLiteral("4"));
    EXPECT_EQ(e.GetElementsInfo(set, all[1], r), code::BadHandle);
    // Walking on from a dropped element continues with the next live one.
    Handle h = all[1];
    ASSERT_EQ(e.GetNextElementHandle(set, h), code::Ok);
    EXPECT_EQ(h, all[2]);
}

TEST(Sets, AddElementToListChecksTheRecord)
{
    Engine e;
    Handle set = 0;
    e.CreateElementList(set);
    ElementRecord ok = test::vector(188, {0, 0, 10, 10});
    struct Row
    {
        const char *name;
        ElementRecord record;
        Result expected;
    };
    std::vector<Row> rows;
    rows.push_back({"vector of two points", ok, code::Ok});
    rows.push_back({"one-point vector", test::vector(0, {5, 5}), code::Ok});
    rows.push_back({"undefined kind is fine in a set", test::connector(999, 1, 1), code::Ok});
    ElementRecord r = ok;
    r.Type = 2;
    rows.push_back({"type 2", r, code::BadArgument});
    r = ok;
    r.PNum = 0;
    rows.push_back({"no points", r, code::BadArgument});
    r = ok;
    r.PNum = 3;
    rows.push_back({"PNum larger than the arrays", r, code::BadArgument});
    r = test::connector(1, 1, 1);
    r.PNum = 2;
    r.X.push_back(2);
    r.Y.push_back(2);
    rows.push_back({"connector of two points", r, code::BadArgument});
    r = ok;
    r.Key = QString(511, u'鍵');
    rows.push_back({"key of 511", r, code::Ok});
    r.Key = QString(512, u'k');
    rows.push_back({"key of 512", r, code::BadArgument});
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(e.AddElementToList(set, row.record), row.expected);
    }
    EXPECT_EQ(e.AddElementToList(set + 999, ok), code::BadHandle);
    EXPECT_EQ(test::walk(e, set).size(), 4u);
}

TEST(Sets, GetElementPointsFillsAtMostPNum)
{
    Engine e;
    Handle set = 0;
    e.CreateElementList(set);
    e.AddElementToList(set, test::vector(1, {1, 2, 3, 4, 5, 6}));
    const Handle h = test::walk(e, set).front();
    std::vector<std::int32_t> x{-9, -9, -9, -9, -9}, y{-9, -9, -9, -9, -9};
    ASSERT_EQ(e.GetElementPoints(set, h, 5, x, y), code::Ok);
    EXPECT_EQ(x, (std::vector<std::int32_t>{1, 3, 5, -9, -9}));
    EXPECT_EQ(y, (std::vector<std::int32_t>{2, 4, 6, -9, -9}));
    std::vector<std::int32_t> fx, fy;
    ASSERT_EQ(e.GetElementPoints(set, h, 1, fx, fy), code::Ok);
    EXPECT_EQ(fx, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(e.GetElementPoints(set, h, -1, fx, fy), code::BadArgument);
    EXPECT_EQ(e.GetElementPoints(set, 99, 1, fx, fy), code::BadHandle);
}

TEST(Sets, ReadingInsertionOrderAndWholeKeys)
{
    DocFixture f;
    const QString stat = QStringLiteral("13101|1,C:\\data\\a.csv,3,1000,100,200,PSY1.tmp,PSY2.tmp");
    const Handle set
        = f.add({test::connector(206, 1, 1, QStringLiteral("13,0")), test::connector(206, 2, 2, stat)});
    const auto recs = test::records(f.engine, set);
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[0].Key, QStringLiteral("13,0"));
    EXPECT_EQ(recs[1].Key, stat);
}

} // namespace
} // namespace zorvik
