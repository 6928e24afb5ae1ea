// Element access on a real engine document: walking sets, the key split, the
// point arrays of reused records, kind names and styles, and the filters.
#include "kinddoc.h"
#include "mapwindow/mdlelement.h"
#include "mapwindow/mdlelement_impl.h"
#include "platform/ui/dialogscript.h"
#include "shell/globals.h"
#include "zorvik/core/catalog.h"
#include "zorvik/widget/zorvik.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace veltra::test;
using veltra::mapwindow::filterSetByKind;
using veltra::mapwindow::filterSetBySpace;
using veltra::mapwindow::readElementInfo;

namespace {

std::vector<ElementInfo> readAll(zorvik::Engine &engine, zorvik::Handle set, std::int16_t allPoints)
{
    std::vector<ElementInfo> out;
    std::int32_t elem = 0;
    ElementInfo info;
    while (readElementInfo(engine, set, elem, info, allPoints)) {
        out.push_back(info);
        if (out.size() > 100)
            break; // a walk that does not end
    }
    return out;
}

std::vector<std::int16_t> kindsOf(zorvik::Engine &engine, zorvik::Handle set)
{
    std::vector<std::int16_t> kinds;
    for (const ElementInfo &info : readAll(engine, set, 0))
        kinds.push_back(info.iPra[2]);
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

std::array<std::int16_t, 3> paletteRgb(int n)
{
    const auto c = zorvik::Catalog::defaultPalette()[static_cast<std::size_t>(n)];
    return {static_cast<std::int16_t>(c.r), static_cast<std::int16_t>(c.g), static_cast<std::int16_t>(c.b)};
}

std::vector<zorvik::ElementRecord> sampleElements()
{
    return {
        vectorRecord(RoadKind, {100, 200, 300, 400, 500, 600}, QStringLiteral("国道1号,幹線")),
        connectorRecord(PlaceKind, 700, 800, QStringLiteral("01,02,03")),
        vectorRecord(RiverKind, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, QStringLiteral("多摩川")),
        connectorRecord(PointKind, 900, 1000, QString()),
        vectorRecord(BorderKind, {11, 12, 13, 14}, QStringLiteral("境,")),
        connectorRecord(MarkKind, 15, 16, QStringLiteral("標")),
    };
}

} // namespace

TEST(ElementAccess, WalksEveryElementOfADocumentSet)
{
    KindDoc doc(sampleElements());
    const zorvik::Handle set = doc.setOf({RoadKind, RiverKind, BorderKind}, {PlaceKind, PointKind, MarkKind});
    const auto all = readAll(doc.engine, set, 1);
    ASSERT_EQ(all.size(), 6u);

    struct Row
    {
        std::int16_t type;
        std::int32_t pnum;
        const char *key, *comment;
    };
    // By kind, in the order of sampleElements().
    const std::pair<std::int16_t, Row> rows[] = {
        {RoadKind, {1, 3, "国道1号", "幹線"}},
        {PlaceKind, {3, 1, "01,02,03", ""}},
        {RiverKind, {1, 5, "多摩川", ""}},
        {PointKind, {3, 1, "", ""}},
        {BorderKind, {1, 2, "境", ""}},
        {MarkKind, {3, 1, "標", ""}},
    };
    const auto sample = sampleElements();
    std::set<std::int32_t> handles;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const auto found = std::find_if(
            all.begin(), all.end(), [&](const ElementInfo &e) { return e.iPra[2] == rows[i].first; });
        ASSERT_NE(found, all.end());
        const ElementInfo &info = *found;
        const Row &row = rows[i].second;
        EXPECT_EQ(info.Handle, set);
        handles.insert(info.IndexH);
        EXPECT_EQ(info.Type, row.type);
        EXPECT_EQ(info.iPra[0], 1);
        EXPECT_EQ(info.PNum, row.pnum);
        EXPECT_EQ(info.Key, QString::fromUtf8(row.key));
        EXPECT_EQ(info.Comment, QString::fromUtf8(row.comment));
        EXPECT_EQ(info.lPra, (std::array<std::int32_t, 6>{10, 20, 65535, 65535, 3, 45}));
        EXPECT_EQ(info.lX, sample[i].X);
        EXPECT_EQ(info.lY, sample[i].Y);
    }
    EXPECT_EQ(handles.size(), 6u);
    EXPECT_EQ(handles.count(0), 0u);
}

TEST(ElementAccess, EmptySetAndEndOfSetLeaveTheRecordAlone)
{
    KindDoc doc;
    const zorvik::Handle empty = doc.freeSet({});
    ElementInfo info;
    info.Key = QStringLiteral("before");
    info.lX = {7};
    std::int32_t elem = 0;
    EXPECT_FALSE(readElementInfo(doc.engine, empty, elem, info, 1));
    EXPECT_EQ(elem, 0);
    EXPECT_EQ(info.Key, QStringLiteral("before"));
    EXPECT_EQ(info.lX, std::vector<std::int32_t>{7});

    const zorvik::Handle one = doc.freeSet({connectorRecord(PlaceKind, 5, 6, QStringLiteral("a"))});
    elem = 0;
    ASSERT_TRUE(readElementInfo(doc.engine, one, elem, info, 1));
    const std::int32_t first = elem;
    EXPECT_FALSE(readElementInfo(doc.engine, one, elem, info, 1));
    EXPECT_EQ(elem, 0);
    EXPECT_EQ(info.IndexH, first);
    EXPECT_EQ(info.Key, QStringLiteral("a"));
}

TEST(ElementAccess, ReusedRecordNeverKeepsTheCommentOfTheElementBefore)
{
    KindDoc doc;
    const zorvik::Handle set = doc.freeSet({
        connectorRecord(PlaceKind, 1, 1, QStringLiteral("名前,注記")),
        connectorRecord(PlaceKind, 1, 1, QStringLiteral("a,b,c,d,e,f,g,h")),
        connectorRecord(PlaceKind, 1, 1, QStringLiteral("名前,注記")),
        connectorRecord(PlaceKind, 1, 1, QStringLiteral("平文")),
        connectorRecord(PlaceKind, 1, 1, QStringLiteral("末尾,")),
    });
    const auto all = readAll(doc.engine, set, 1);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0].Key, QStringLiteral("名前"));
    EXPECT_EQ(all[0].Comment, QStringLiteral("注記"));
    // A statistics key arrives whole and the comment of the previous element is gone.
    EXPECT_EQ(all[1].Key, QStringLiteral("a,b,c,d,e,f,g,h"));
    EXPECT_EQ(all[1].Comment, QString());
    EXPECT_EQ(all[3].Key, QStringLiteral("平文"));
    EXPECT_EQ(all[3].Comment, QString());
    EXPECT_EQ(all[4].Key, QStringLiteral("末尾"));
    EXPECT_EQ(all[4].Comment, QString());
}

TEST(ElementAccess, FirstPointOnlyWhenTheAllPointsFlagIsZero)
{
    KindDoc doc;
    std::vector<std::int32_t> xy;
    for (int i = 0; i < 40; ++i)
        xy.push_back(i * 10);
    const zorvik::Handle set = doc.freeSet({vectorRecord(RoadKind, xy, QStringLiteral("長い線"))});
    const auto firstOnly = readAll(doc.engine, set, 0);
    ASSERT_EQ(firstOnly.size(), 1u);
    EXPECT_EQ(firstOnly[0].PNum, 20);
    EXPECT_EQ(firstOnly[0].lX, std::vector<std::int32_t>{0});
    EXPECT_EQ(firstOnly[0].lY, std::vector<std::int32_t>{10});
    const auto every = readAll(doc.engine, set, -1);
    ASSERT_EQ(every[0].lX.size(), 20u);
    EXPECT_EQ(every[0].lX.back(), 380);
    EXPECT_EQ(every[0].lY.back(), 390);
}

TEST(ElementAccess, AFailedStepInTheSetEndsTheWalkWithItsMessage)
{
    KindDoc doc;
    const zorvik::Handle set = doc.freeSet({connectorRecord(PlaceKind, 1, 1, QStringLiteral("x"))});
    ASSERT_EQ(doc.engine.ReleaseElements(set), zorvik::code::Ok);
    veltra::ui::DialogScript script;
    ElementInfo info;
    std::int32_t elem = 0;
    EXPECT_FALSE(readElementInfo(doc.engine, set, elem, info, 1));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("領域が取得できませんでした。"));
    EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbInformation);
}

namespace {

// The real engine with faults the tests choose: an element that reports no
// points, and failing record or point reads.
struct FaultyEngine
{
    zorvik::Engine &real;
    std::int32_t forcedPNum = -1;
    int infoResult = 0;
    int pointsResult = 0;

    int GetNextElementHandle(zorvik::Handle set, zorvik::Handle &elem) const
    {
        return real.GetNextElementHandle(set, elem);
    }
    int GetElementsInfo(zorvik::Handle set, zorvik::Handle elem, zorvik::ElementRecord &out) const
    {
        if (infoResult != 0)
            return infoResult;
        const int r = real.GetElementsInfo(set, elem, out);
        if (forcedPNum >= 0)
            out.PNum = forcedPNum;
        return r;
    }
    int GetElementPoints(zorvik::Handle set, zorvik::Handle elem, std::int32_t count,
        std::vector<std::int32_t> &x, std::vector<std::int32_t> &y) const
    {
        return pointsResult != 0 ? pointsResult : real.GetElementPoints(set, elem, count, x, y);
    }
};

} // namespace

TEST(ElementAccess, AnElementWithoutPointsLeavesNoPointsOfTheOneBefore)
{
    KindDoc doc;
    const zorvik::Handle set = doc.freeSet({vectorRecord(RoadKind, {1, 2, 3, 4}, QStringLiteral("a")),
        vectorRecord(RoadKind, {5, 6, 7, 8}, QStringLiteral("b"))});
    FaultyEngine engine{doc.engine};
    ElementInfo info;
    std::int32_t elem = 0;
    ASSERT_TRUE(readElementInfo(engine, set, elem, info, 1));
    EXPECT_EQ(info.lX, (std::vector<std::int32_t>{1, 3}));
    engine.forcedPNum = 0;
    ASSERT_TRUE(readElementInfo(engine, set, elem, info, 1));
    EXPECT_EQ(info.Key, QStringLiteral("b"));
    EXPECT_EQ(info.PNum, 0);
    EXPECT_TRUE(info.lX.empty());
    EXPECT_TRUE(info.lY.empty());
}

TEST(ElementAccess, ReadErrorsAreShownAndTheElementIsStillDelivered)
{
    KindDoc doc;
    const zorvik::Handle set = doc.freeSet({vectorRecord(RoadKind, {1, 2, 3, 4}, QStringLiteral("a"))});
    struct Case
    {
        int info, points;
        const char *message;
    };
    for (const Case &c : {Case{0, 6, "GetElementPoints Error = ComZorGetElementInfo(6)"},
             Case{2, 0, "GetElementsInfo Error = ComZorGetElementInfo(2)"}}) {
        SCOPED_TRACE(c.message);
        FaultyEngine engine{doc.engine};
        engine.infoResult = c.info;
        engine.pointsResult = c.points;
        veltra::ui::DialogScript script;
        ElementInfo info;
        info.PNum = 0; // a failed record read keeps the record's values
        std::int32_t elem = 0;
        EXPECT_TRUE(readElementInfo(engine, set, elem, info, 1));
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt, QString::fromUtf8(c.message));
        EXPECT_EQ(info.IndexH, elem);
    }
}

TEST(ElementAccess, ClearKeepsOnlyTheComment)
{
    ElementInfo info;
    info.Handle = 3;
    info.IndexH = 4;
    info.Type = 1;
    info.PNum = 2;
    info.Key = QStringLiteral("k");
    info.iPra = {1, 1, 1};
    info.lPra = {1, 1, 1, 1, 1, 1};
    info.lX = {1, 2};
    info.lY = {1, 2};
    info.Comment = QStringLiteral("c");
    mdlElement::ClearElementInfo(info);
    ElementInfo expected;
    expected.Comment = QStringLiteral("c");
    EXPECT_EQ(info.Handle, 0);
    EXPECT_EQ(info.IndexH, 0);
    EXPECT_EQ(info.Type, 0);
    EXPECT_EQ(info.PNum, 0);
    EXPECT_EQ(info.Key, QString());
    EXPECT_EQ(info.iPra, expected.iPra);
    EXPECT_EQ(info.lPra, expected.lPra);
    EXPECT_TRUE(info.lX.empty() && info.lY.empty());
    EXPECT_EQ(info.Comment, QStringLiteral("c"));
}

TEST(KindStyles, VectorKindStyleReadsColoursAndLineTypesPerState)
{
    KindDoc doc;
    ElmKindStyle style;
    style.Hatch = 9;
    style.FillStyle = 9;
    style.HatchIndex = 9;
    EXPECT_EQ(veltra::mapwindow::vectKindStyle(doc.engine, RoadKind, style), 0);
    EXPECT_EQ(style.Name, QStringLiteral("道路"));
    EXPECT_EQ(style.Disp, 1);
    EXPECT_EQ(style.Pick, 0);
    // Line types 1, 4, 7 are solid 2 px, dot 1 px and no line.
    EXPECT_EQ(style.LineType, (std::array<std::int16_t, 3>{1, 3, 0}));
    EXPECT_EQ(style.LineWidth, (std::array<std::int16_t, 3>{2, 1, 1}));
    const int colours[3] = {1, 3, 4};
    for (int s = 0; s < 3; ++s) {
        const auto rgb = paletteRgb(colours[s]);
        EXPECT_EQ(style.R[s], rgb[0]);
        EXPECT_EQ(style.G[s], rgb[1]);
        EXPECT_EQ(style.B[s], rgb[2]);
    }
    EXPECT_EQ(style.Pal, (std::array<std::int16_t, 6>{1, 1, 3, 4, 4, 7}));
    EXPECT_EQ(style.Hatch, 0);
    EXPECT_EQ(style.FillStyle, 0);
    EXPECT_EQ(style.HatchIndex, 0);
}

TEST(KindStyles, ConnectorKindStyleHasNoLinesAndAFillStyleFromItsHatch)
{
    KindDoc doc;
    ElmKindStyle style;
    style.LineType = {5, 5, 5};
    style.LineWidth = {9, 9, 9};
    EXPECT_EQ(veltra::mapwindow::cnectKindStyle(doc.engine, PlaceKind, style), 0);
    EXPECT_EQ(style.Name, QStringLiteral("地名"));
    EXPECT_EQ(style.Disp, 0);
    EXPECT_EQ(style.Pick, 1);
    EXPECT_EQ(style.Hatch, 1);
    EXPECT_EQ(style.HatchIndex, 7);
    EXPECT_EQ(style.FillStyle, 1); // hatch 7 is "no fill": transparent
    EXPECT_EQ(style.LineType, (std::array<std::int16_t, 3>{0, 0, 0}));
    EXPECT_EQ(style.LineWidth, (std::array<std::int16_t, 3>{0, 0, 0}));
    EXPECT_EQ(style.Pal, (std::array<std::int16_t, 6>{5, 0, 6, 0, 7, 0}));
    EXPECT_EQ(style.R[2], paletteRgb(7)[0]);

    // Every hatch number of the engine: 0 solid, 1..6 the patterns, 7 none.
    const std::int16_t expected[8] = {0, 2, 3, 4, 5, 6, 7, 1};
    for (std::int16_t n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        zorvik::Style6 numbers;
        ASSERT_EQ(doc.engine.SetConnectorDispInfo(PointKind, 1, 1, 1, numbers, n), zorvik::code::Ok);
        ElmKindStyle s;
        veltra::mapwindow::cnectKindStyle(doc.engine, PointKind, s);
        EXPECT_EQ(s.FillStyle, expected[n]);
    }
}

TEST(KindStyles, ConversionTablesAndCodesOutsideThem)
{
    using veltra::mapwindow::fillStyleFromHatchCode;
    using veltra::mapwindow::lineTypeFromEngineCode;
    const std::int16_t lineTypes[6] = {1, 2, 3, 4, 5, 0};
    for (int code = 0; code < 6; ++code)
        EXPECT_EQ(lineTypeFromEngineCode(code), lineTypes[code]);
    EXPECT_FALSE(lineTypeFromEngineCode(6));
    EXPECT_FALSE(lineTypeFromEngineCode(-1));
    EXPECT_EQ(fillStyleFromHatchCode(-1), 1);
    EXPECT_EQ(fillStyleFromHatchCode(0), 2);
    EXPECT_EQ(fillStyleFromHatchCode(5), 7);
    EXPECT_EQ(fillStyleFromHatchCode(100), 0);
    EXPECT_FALSE(fillStyleFromHatchCode(6));
    EXPECT_FALSE(fillStyleFromHatchCode(-2));
}

TEST(KindStyles, KindNamesAndUnusedIds)
{
    KindDoc doc;
    using veltra::mapwindow::kindName;
    EXPECT_EQ(kindName(doc.engine, RoadKind, 0), QStringLiteral("道路"));
    EXPECT_EQ(kindName(doc.engine, PlaceKind, 1), QStringLiteral("地名"));
    EXPECT_EQ(kindName(doc.engine, PlaceKind, 2), QString()); // 20 is no vector kind
    EXPECT_EQ(kindName(doc.engine, 999, 1), QString());
}

TEST(Filters, BySpaceKeepsTheSpacesVectorKindsAndItsOwnConnectors)
{
    KindDoc doc(sampleElements());
    const std::vector<std::int16_t> vectors{RoadKind, RiverKind, BorderKind};
    const std::vector<std::int16_t> connectors{PlaceKind, PointKind, MarkKind};

    const zorvik::Handle north = doc.setOf(vectors, connectors);
    EXPECT_EQ(filterSetBySpace(doc.engine, north, 1), 0);
    EXPECT_EQ(kindsOf(doc.engine, north), (std::vector<std::int16_t>{RoadKind, BorderKind, PlaceKind}));

    // A space without vector kinds keeps only its connectors.
    const zorvik::Handle empty = doc.setOf(vectors, connectors);
    EXPECT_EQ(filterSetBySpace(doc.engine, empty, 3), 0);
    EXPECT_EQ(kindsOf(doc.engine, empty), (std::vector<std::int16_t>{MarkKind}));

    const zorvik::Handle all = doc.setOf(vectors, connectors);
    EXPECT_FALSE(filterSetBySpace(doc.engine, all, -1).has_value());
    EXPECT_EQ(kindsOf(doc.engine, all).size(), 6u);
}

TEST(Filters, ByKindKeepsOneKindOfOneElementType)
{
    KindDoc doc(sampleElements());
    const std::vector<std::int16_t> vectors{RoadKind, RiverKind, BorderKind};
    const std::vector<std::int16_t> connectors{PlaceKind, PointKind, MarkKind};

    const zorvik::Handle roads = doc.setOf(vectors, connectors);
    EXPECT_EQ(filterSetByKind(doc.engine, roads, RoadKind, 1), 0);
    EXPECT_EQ(kindsOf(doc.engine, roads), (std::vector<std::int16_t>{RoadKind}));

    const zorvik::Handle places = doc.setOf(vectors, connectors);
    EXPECT_EQ(filterSetByKind(doc.engine, places, PlaceKind, 2), 0);
    EXPECT_EQ(kindsOf(doc.engine, places), (std::vector<std::int16_t>{PlaceKind}));

    // A connector kind asked for as vectors keeps nothing.
    const zorvik::Handle none = doc.setOf(vectors, connectors);
    EXPECT_EQ(filterSetByKind(doc.engine, none, PlaceKind, 1), 0);
    EXPECT_TRUE(kindsOf(doc.engine, none).empty());

    const zorvik::Handle all = doc.setOf(vectors, connectors);
    EXPECT_FALSE(filterSetByKind(doc.engine, all, -1, 1).has_value());
    EXPECT_EQ(filterSetByKind(doc.engine, all, RoadKind, 3), 0);
    EXPECT_EQ(kindsOf(doc.engine, all).size(), 6u);
}

TEST(ElementAccess, TheModuleReadsThroughTheCurrentMapControl)
{
    KindDoc doc(sampleElements());
    doc.engine.CloseMap();
    zorvik::Zorvik map;
    map.setDocumentPath(doc.zor);
    ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);

    zorvik::Zorvik *const saved = gobjZor;
    gobjZor = nullptr;
    std::int32_t elem = 0;
    ElementInfo info;
    EXPECT_FALSE(mdlElement::ComZorGetElementInfo(1, elem, info, 1));
    EXPECT_EQ(mdlElement::GetKindName(RoadKind, 0), QString());

    gobjZor = &map;
    zorvik::Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(map.SearchElementsByKind(1, {RoadKind}, 1, {PlaceKind}, set, v, c), zorvik::code::Ok);
    ASSERT_TRUE(mdlElement::ComZorGetElementInfo(set, elem, info, 1));
    EXPECT_EQ(info.Key, QStringLiteral("国道1号"));
    EXPECT_EQ(mdlElement::FilterSetByKind(set, PlaceKind, 2), 0);
    elem = 0;
    ASSERT_TRUE(mdlElement::ComZorGetElementInfo(set, elem, info, 1));
    EXPECT_EQ(info.iPra[2], PlaceKind);
    EXPECT_EQ(mdlElement::GetKindName(PlaceKind, 1), QStringLiteral("地名"));
    ElmKindStyle style;
    EXPECT_EQ(mdlElement::GetVectKindStyle(RoadKind, style), 0);
    EXPECT_EQ(style.LineType[0], 1);
    gobjZor = saved;
}
