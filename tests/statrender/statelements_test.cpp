// The element records of a statistics map and the pure parts of its graph
// elements: builders, the moved position, element names, graph sizes and
// colour bytes.
#include "mapwindow/elementinfo.h"
#include "platform/vb/errors.h"
#include "statrender/graphelements.h"
#include "statrender/statelements.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Points = std::vector<std::int32_t>;

TEST(StatElementRecords, BuildersFillTypePointsAndTheFixedParameters)
{
    struct Case
    {
        const char *name;
        std::function<bool(ElementInfo &)> build;
        std::int16_t type;
        std::int16_t kind;
        QString key;
        Points x, y;
    };
    const QString old = QStringLiteral("13101,/data/DB/tempdata000.dat,1,200,5,6,PSY1.tmp");
    const std::vector<Case> cases = {
        {"a number as a point of kind 183",
            [](ElementInfo &e) { return ComPSY::MakePointElement(e, 183, QStringLiteral("1234"), 10, 20); },
            3, 183, QStringLiteral("1234"), {10}, {20}},
        {"a leader line keeps the graph's name",
            [](ElementInfo &e) { return ComPSY::MakeLineElement(e, 180, 1, 2, 3, 4); }, 1, 180, old, {1, 3},
            {2, 4}},
        {"a flow line of five points in the order given",
            [](ElementInfo &e) { return ComPSY::MakeFlowLineElement(e, 186, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10); },
            1, 186, old, {1, 3, 5, 7, 9}, {2, 4, 6, 8, 10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // A record that held a graph point before, with a handle and comment.
        ElementInfo e;
        e.Handle = 77;
        e.IndexH = 3;
        e.Comment = QStringLiteral("memo");
        ASSERT_TRUE(ComPSY::MakePointElement(e, 180, old, 100, 200));
        e.lPra = {5, 5, 5, 5, 5, 5};
        e.iPra = {1, 1, 1};
        ASSERT_TRUE(c.build(e));
        EXPECT_EQ(e.Type, c.type);
        EXPECT_EQ(e.PNum, static_cast<std::int32_t>(c.x.size()));
        EXPECT_EQ(e.Key, c.key);
        EXPECT_EQ(e.iPra, (std::array<std::int16_t, 3>{0, 0, c.kind}));
        EXPECT_EQ(e.lPra, (std::array<std::int32_t, 6>{0, 0, -1, -1, 0, 0}));
        EXPECT_EQ(e.lX, c.x);
        EXPECT_EQ(e.lY, c.y);
        EXPECT_EQ(e.Handle, 77);
        EXPECT_EQ(e.IndexH, 3);
        EXPECT_EQ(e.Comment, QStringLiteral("memo"));
    }
}

TEST(StatElementRecords, MovedPositionReplacesFieldsThreeAndFourOnly)
{
    QString line = QStringLiteral("1,139,36,0,0,\"区\"");
    ComPSY::SetMovedPosition(line, 10, -20);
    EXPECT_EQ(line, QStringLiteral("1,139,36,10,-20,\"区\""));

    QString shortLine = QStringLiteral("1,2,3,4");
    EXPECT_THROW(ComPSY::SetMovedPosition(shortLine, 1, 1), veltra::vb::SubscriptOutOfRange);
    EXPECT_EQ(shortLine, QStringLiteral("1,2,3,4"));
}

TEST(StatGraphElements, ElementNamesHoldSevenOrEightFields)
{
    const QString seven = ComPSY::MakeElementName(QStringLiteral("13101000000"),
        QStringLiteral("/d/DB/tempdata000.dat"), 3, 200, -5, 60, QStringLiteral("/tmp/PSY1.tmp"), QString());
    EXPECT_EQ(seven, QStringLiteral("13101000000,/d/DB/tempdata000.dat,3,200,-5,60,/tmp/PSY1.tmp"));
    EXPECT_EQ(seven.split(QLatin1Char(',')).size(), 7);
    const QString eight = ComPSY::MakeElementName(QStringLiteral("13101000000|男"), QStringLiteral("d.dat"),
        1, 50, 0, 0, QStringLiteral("a.tmp"), QStringLiteral("b.tmp"));
    EXPECT_EQ(eight, QStringLiteral("13101000000|男,d.dat,1,50,0,0,a.tmp,b.tmp"));
}

// hanreiinfo.txt: a title line, then three classes per size mode (field 1
// millimetres, fields 3 and 4 the average's range).
std::vector<QString> sizeClasses()
{
    return {QString(), QStringLiteral("サイズ,mm,,下限,上限"),
        // mode 1: 0-10 -> 5 mm, 10-20 -> 10 mm, third 20 mm whatever its bounds
        QStringLiteral("1,5,,0,10"), QStringLiteral("1,10,,10,20"), QStringLiteral("1,20,,900,901"),
        // mode 2
        QStringLiteral("2,8,,0,100"), QStringLiteral("2,12,,100,1000"), QStringLiteral("2,16,,1000,99999"),
        // mode 3: a zero-sized class
        QStringLiteral("3,0,,0,100"), QStringLiteral("3,0,,100,200"), QStringLiteral("3,0,,200,300")};
}

TEST(StatGraphElements, GraphSizesByClassKindAndTotal)
{
    struct Case
    {
        const char *name;
        std::int32_t kind, mode;
        double total, average;
        std::int32_t width, height, picture;
    };
    // p = mm * 90 / 25.4 rounded half to even: 10 mm -> 35 (35.43), 20 mm -> 71 (70.87), 5 mm -> 18 (17.72)
    const std::vector<Case> cases = {
        {"average 15 takes the second class", 2, 1, 15, 15, 35, 35, 35},
        {"average outside both takes the third", 2, 1, 25, 25, 71, 71, 71},
        {"average at a lower bound belongs to it", 2, 1, 10, 10, 35, 35, 35},
        {"pie grows with total / average", 2, 1, 60, 15, 70, 70, 35}, // sqrt(35 * 35 * 4)
        {"pie of total 0 is 0 x 0", 2, 1, 0, 15, 0, 0, 35},
        {"bar of total 0 stays 30 x 200", 3, 1, 0, 15, 30, 200, 35},
        {"bar height from twice the ratio", 3, 1, 15, 15, 30, 49, 35}, // sqrt(35*35*2) = 49.5 -> 49
        {"a zero-sized class leaves the defaults", 3, 3, 50, 50, 30, 200, 0},
        {"an unknown size mode has no class", 2, 4, 50, 50, 0, 0, 0},
        {"average 0: the pie has its class's size", 2, 1, 7, 0, 18, 18, 18},
        {"average 0: the bar is as high as its class", 3, 1, 7, 0, 30, 18, 18},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t w = -1, h = -1, p = -1;
        ComPSY::GetGraphSize(c.kind, sizeClasses(), c.mode, c.total, w, h, p, c.average);
        EXPECT_EQ(p, c.picture);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
    }
    // Other graph kinds leave the size as it was.
    std::int32_t w = 7, h = 8, p = 0;
    ComPSY::GetGraphSize(4, sizeClasses(), 1, 15, w, h, p, 15);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 8);
    // A missing class line is the caller's error.
    std::vector<QString> shortClasses = sizeClasses();
    shortClasses.resize(4);
    EXPECT_THROW(ComPSY::GetGraphSize(2, shortClasses, 1, 25, w, h, p, 25), veltra::vb::SubscriptOutOfRange);
}

TEST(StatGraphElements, ColourBytes)
{
    const std::int32_t rgb = 10 + 20 * 256 + 30 * 65536;
    EXPECT_EQ(ComPSY::GetRed(rgb), 10);
    EXPECT_EQ(ComPSY::GetGreen(rgb), 20);
    EXPECT_EQ(ComPSY::GetBlue(rgb), 30);
    EXPECT_EQ(ComPSY::GetBlue(16777215), 255);
}

} // namespace
