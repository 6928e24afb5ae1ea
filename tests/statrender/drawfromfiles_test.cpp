// The drawing road from the saved analyses to the map, with recording
// procedures in the map-kind table: which analyses reach which procedure
// with which arguments, the common view date, the area-count limits, and the
// messages that end a run.
#include "analysisfixtures.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "runstateguard.h"
#include "shell/comdatectrl.h"
#include "shell/globals.h"
#include "statrender/drawfromfiles.h"
#include "statrender/globals.h"
#include "statrender/mapkindtable.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::test;

namespace {

struct Drawn
{
    std::int32_t kind = 0;
    QString firstH2;
    int headerLines = 0;
    int areas = 0;
    QString dataPath;
    std::int32_t mapKind = 0;
    QString pictureFolder;
    std::int16_t areaLevel = 0;
};

class DrawFromFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gstrDataPath = tmp.path() + QStringLiteral("data/");
        db = gstrDataPath + QStringLiteral("DB");
        ASSERT_TRUE(QDir().mkpath(db));
        gdtBaseDate = QDate(2000, 1, 1);
        gstrViewDate = QStringLiteral("19990101");
        gstrSetDate1 = QStringLiteral("user");
        for (QString *limit : {&gstrLimitPie, &gstrLimitBar, &gstrLimitSymbol, &gstrLimitPyramid})
            *limit = QStringLiteral("3");
        auto &table = statrender::mapKindTable();
        for (int kind = 1; kind <= 8; ++kind) {
            table.procedures[kind] = [this, kind](statrender::MapKindCall &call) {
                if (kind == 1)
                    ++call.areaLevel;
                events.push_back(QStringLiteral("draw %1").arg(kind));
                drawn.push_back({kind, call.header.size() > 2 ? call.header[2] : QString(),
                    static_cast<int>(call.header.size()) - 1, static_cast<int>(call.data.size()) - 1,
                    call.dataPath, call.mapKind, call.pictureFolder, call.areaLevel});
            };
        }
        table.rankingPopup.load = [this] { events.push_back(QStringLiteral("load")); };
        table.rankingPopup.show = [this](const QString &mode, const QString &dataPath) {
            events.push_back(
                QStringLiteral("show ") + mode + QLatin1Char(' ') + QFileInfo(dataPath).fileName());
        };
    }

    // Pair `number` of the given map kind with `areas` data lines, one H5
    // line per date field (written as given), and the H2 line repeated.
    void pair(int number, int kind, int areas, const QStringList &dates = {}, int extraH2 = 0)
    {
        const QString n = QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
        const QString h2 = QStringLiteral("H2,4,13,0,0,1,0,%1,1,%2,0,0,0").arg(kind).arg(dates.size());
        QStringList header = {QStringLiteral("H1,0,0,50000,20240401,\"\",\"\",tempdata%1.dat").arg(n), h2};
        for (int i = 0; i < extraH2; ++i)
            header << QStringLiteral("H2,4,14,0,0,1,0,2,1,1,0,0,0");
        header << QStringLiteral("H3,\"\",\"\",0,,\"\",0,0") << QStringLiteral("H4,0,0,0,0,\"\"");
        for (const QString &date : dates)
            header << QStringLiteral("H5,\"項目\",255,%1,%1").arg(date);
        writeAnalysisFile(db + QStringLiteral("/tempheader%1.hed").arg(n), header);
        QStringList data;
        for (int i = 0; i < areas; ++i)
            data << dataLine("1", "2", "0", "0", QStringLiteral("区%1").arg(i), {"5"});
        writeAnalysisFile(db + QStringLiteral("/tempdata%1.dat").arg(n), data);
    }

    std::vector<std::int32_t> kindsDrawn() const
    {
        std::vector<std::int32_t> kinds;
        for (const Drawn &d : drawn)
            kinds.push_back(d.kind);
        return kinds;
    }

    void writeCache()
    {
        writeBytes(db + QStringLiteral("/01.csv"), "13,x");
        writeBytes(db + QStringLiteral("/47.bin"), "12345678");
    }
    bool cacheLeft() const
    {
        return QFile::exists(db + QStringLiteral("/01.csv")) || QFile::exists(db + QStringLiteral("/47.bin"));
    }

    RunStateGuard guard;
    TempDir tmp;
    QString db;
    ui::DialogScript script;
    std::vector<Drawn> drawn;
    QStringList events;
};

TEST_F(DrawFromFiles, AnEmptyFolderDrawsNothingKeepsTheViewDateAndDeletesTheCache)
{
    writeCache();
    ComPSY::PSY_DrawFromFiles(nullptr);
    EXPECT_TRUE(drawn.empty());
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(gstrViewDate, QStringLiteral("19990101"));
    EXPECT_FALSE(cacheLeft());
}

TEST_F(DrawFromFiles, TheViewDateFollowsOnlyACommonItemDate)
{
    struct Case
    {
        const char *name;
        QStringList first, second;
        QString viewDate; // empty: unchanged
    };
    const std::vector<Case> cases = {
        {"equal dates", {"20200401"}, {"\"20200401\""}, "20200401"},
        {"different dates", {"20200401"}, {"20150401"}, ""},
        {"undated items", {""}, {""}, ""},
        {"a pair of quotes is no date", {"\"\""}, {"\"\""}, ""},
        {"a pair of quotes beside a date", {"\"\"", "20200401"}, {"20200401"}, "20200401"},
        {"a text that is no date", {"2020XX01"}, {"2020XX01"}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        gstrViewDate = QStringLiteral("19990101");
        gstrSetDate1 = QStringLiteral("user");
        pair(0, 6, 1, c.first);
        pair(1, 6, 1, c.second);
        ComPSY::PSY_DrawFromFiles(nullptr);
        EXPECT_EQ(kindsDrawn(), (std::vector<std::int32_t>{6, 6}));
        drawn.clear();
        if (c.viewDate.isEmpty()) {
            EXPECT_EQ(gstrViewDate, QStringLiteral("19990101"));
            EXPECT_EQ(gstrSetDate1, QStringLiteral("user"));
        } else {
            EXPECT_EQ(gstrViewDate, c.viewDate);
            EXPECT_EQ(gstrSetDateMode, QStringLiteral("Time"));
            EXPECT_EQ(gstrSetDate1, ComPSY::EraDateText(c.viewDate));
        }
    }
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(DrawFromFiles, EraDatesReadBackAsTheSameDay)
{
    struct Case
    {
        QString text;
        QString era;
        QDate date;
    };
    const std::vector<Case> cases = {
        {"20200401", u("令和2年4月1日"), QDate(2020, 4, 1)},
        {"20190501", u("令和1年5月1日"), QDate(2019, 5, 1)}, // the first year of 令和
        {"19890108", u("平成1年1月8日"), QDate(1989, 1, 8)},
        {"20190430", u("平成31年4月30日"), QDate(2019, 4, 30)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QString era = ComPSY::EraDateText(c.text);
        EXPECT_EQ(era, c.era);
        std::int32_t days = -1;
        ASSERT_TRUE(ComDateCtrl::DaysBetween(era, QDate(2000, 1, 1), days));
        EXPECT_EQ(days, QDate(2000, 1, 1).daysTo(c.date));
    }
    EXPECT_EQ(ComPSY::EraDateText(QString()), ComPSY::EraDateText(QDate::currentDate().toString("yyyyMMdd")));
    EXPECT_EQ(ComPSY::EraDateText(QStringLiteral("20200231")), QString());
}

TEST_F(DrawFromFiles, AnAnalysisAtTheLimitDrawsOneMoreStopsEveryLaterFile)
{
    writeCache();
    pair(0, 2, 3);
    pair(1, 2, 4);
    pair(2, 6, 1);
    ComPSY::PSY_DrawFromFiles(nullptr);
    EXPECT_EQ(kindsDrawn(), std::vector<std::int32_t>{2});
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, u("地域数の上限は3地域までです。"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbInformation);
    EXPECT_EQ(script.requests()[0].title, u("統計地図"));
    EXPECT_TRUE(cacheLeft()) << "a run that stops keeps the cache";
}

TEST_F(DrawFromFiles, EachLimitedKindHasItsOwnLimit)
{
    gstrLimitPie = QStringLiteral("1");
    gstrLimitBar = QStringLiteral("2");
    gstrLimitSymbol = QStringLiteral("3");
    gstrLimitPyramid = QStringLiteral("4");
    pair(0, 2, 1);
    pair(1, 3, 2);
    pair(2, 4, 3);
    pair(3, 7, 4);
    pair(4, 1, 50); // no limit
    pair(5, 5, 50);
    pair(6, 6, 50);
    pair(7, 8, 50);
    ComPSY::PSY_DrawFromFiles(nullptr);
    EXPECT_EQ(kindsDrawn(), (std::vector<std::int32_t>{2, 3, 4, 7, 1, 5, 6, 8}));
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(DrawFromFiles, KindsWithoutAProcedureAreSkippedAndTheLoopGoesOn)
{
    pair(0, 0, 1);
    pair(1, 9, 1);
    pair(2, 6, 1);
    statrender::mapKindTable().procedures[4] = nullptr;
    pair(3, 4, 1);
    pair(4, 5, 1);
    ComPSY::PSY_DrawFromFiles(nullptr);
    EXPECT_EQ(kindsDrawn(), (std::vector<std::int32_t>{6, 5}));
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(DrawFromFiles, SeveralH2LinesDispatchByTheFirst)
{
    pair(0, 6, 2, {}, 2);
    ComPSY::PSY_DrawFromFiles(nullptr);
    ASSERT_EQ(kindsDrawn(), std::vector<std::int32_t>{6});
    EXPECT_TRUE(drawn[0].firstH2.startsWith(QStringLiteral("H2,4,13,0,0,1,0,6,")));
    EXPECT_EQ(drawn[0].headerLines, 4) << "H1, one H2, H3, H4";
    EXPECT_EQ(drawn[0].areas, 2);
}

TEST_F(DrawFromFiles, EachKindGetsItsArgumentsAndTheRankingPopUpWrapsKindsFiveAndEight)
{
    pair(0, 1, 1);
    pair(1, 2, 1);
    pair(2, 3, 1);
    pair(3, 4, 1);
    pair(4, 5, 1);
    pair(5, 6, 1);
    pair(6, 7, 1);
    pair(7, 8, 1);
    pair(8, 1, 1);
    ComPSY::PSY_DrawFromFiles(nullptr);
    ASSERT_EQ(drawn.size(), 9u);
    const QString data = db + QStringLiteral("/tempdata%1.dat");
    struct Expected
    {
        QString dataPath;
        std::int32_t mapKind;
        QString pictureFolder;
    };
    const std::vector<Expected> expected = {
        {"", 0, ""},
        {data.arg("001"), 2, ""},
        {data.arg("002"), 3, ""},
        {data.arg("003"), 0, gstrDataPath + "Symbol_data/"},
        {"", 0, ""},
        {"", 0, ""},
        {data.arg("006"), 0, db + "/TempPImage/"},
        {"", 0, ""},
        {"", 0, ""},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].dataPath, expected[i].dataPath);
        EXPECT_EQ(drawn[i].mapKind, expected[i].mapKind);
        EXPECT_EQ(drawn[i].pictureFolder, expected[i].pictureFolder);
    }
    // One area-level variable serves every choropleth of the run.
    EXPECT_EQ(drawn[0].areaLevel, 1);
    EXPECT_EQ(drawn[8].areaLevel, 2);
    const QStringList order
        = {"draw 1", "draw 2", "draw 3", "draw 4", "load", "draw 5", u("show ランキング tempdata004.dat"),
            "draw 6", "draw 7", "load", "draw 8", u("show 流線図 tempdata007.dat"), "draw 1"};
    EXPECT_EQ(events, order);
}

TEST_F(DrawFromFiles, FilesThatCannotBeReadEndTheRunWithTheirMessage)
{
    struct Case
    {
        const char *name;
        std::function<void(const QString &db)> spoil;
        QString message;
        std::vector<std::int32_t> drawn;
    };
    const std::vector<Case> cases = {
        {"a missing data file", [](const QString &db) { QFile::remove(db + "/tempdata001.dat"); },
            "データファイル読み込みに失敗しました", {6}},
        {"a header too long to read",
            [](const QString &db) {
                QStringList lines = {"H1,0,0,1,1,\"\",\"\",tempdata001.dat"};
                for (int i = 0; i < 50001; ++i)
                    lines << "H4,0,0,0,0,\"\"";
                writeAnalysisFile(db + "/tempheader001.hed", lines);
            },
            "ヘッダーファイル読み込みに失敗しました。", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        drawn.clear();
        ui::DialogScript local;
        writeCache();
        pair(0, 6, 1);
        pair(1, 6, 1);
        pair(2, 6, 1);
        c.spoil(db);
        ComPSY::PSY_DrawFromFiles(nullptr);
        EXPECT_EQ(kindsDrawn(), c.drawn);
        ASSERT_EQ(local.requests().size(), 1u);
        EXPECT_EQ(local.requests()[0].prompt, u(c.message.toUtf8().constData()));
        EXPECT_TRUE(cacheLeft());
    }
}

TEST_F(DrawFromFiles, BadSettingsStopTheDrawingWithAMessage)
{
    struct Case
    {
        const char *name;
        std::function<void()> spoil;
        QString message;
        std::vector<std::int32_t> drawn;
    };
    const std::vector<Case> cases = {
        {"a limit that is no number", [] { gstrLimitBar = QStringLiteral("百"); },
            "ZORPAK.INI の [GRAPHLIMIT] LIMIT が正しくありません。", {6}},
        {"a data folder with a comma",
            [this] {
                gstrDataPath = tmp.path() + QStringLiteral("a,b/");
                QDir().mkpath(gstrDataPath + QStringLiteral("DB"));
                db = gstrDataPath + QStringLiteral("DB");
                pair(0, 6, 1);
            },
            "データフォルダのパスに「,」が含まれているため統計地図を描画できません。", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        drawn.clear();
        ui::DialogScript local;
        pair(0, 6, 1);
        pair(1, 3, 1);
        pair(2, 6, 1);
        c.spoil();
        ComPSY::PSY_DrawFromFiles(nullptr);
        EXPECT_EQ(kindsDrawn(), c.drawn);
        ASSERT_EQ(local.requests().size(), 1u);
        EXPECT_EQ(local.requests()[0].prompt, u(c.message.toUtf8().constData()));
        EXPECT_EQ(local.requests()[0].title, u("統計地図"));
    }
}

TEST(DrawFromFilesHelpers, KeepFirstH2LineDropsOnlyTheLaterH2Lines)
{
    std::vector<QString> lines = {QString(), "H1,a", "H2,1", "h2,x", "H2,2", "H3,b", "", "H2,3", "H5,c"};
    ComPSY::KeepFirstH2Line(lines);
    EXPECT_EQ(lines, (std::vector<QString>{QString(), "H1,a", "H2,1", "h2,x", "H3,b", "", "H5,c"}));
}

TEST(DrawFromFilesHelpers, ResetDrawIdListsEmptiesBothLists)
{
    RunStateGuard guard;
    glngNuriDrawIds = {0, 5, 6};
    glngHighlightSets = {0, 9};
    glngRyusenSets = {3};
    ComPSY::ResetDrawIdLists();
    EXPECT_EQ(glngNuriDrawIds, std::vector<std::int32_t>{0});
    EXPECT_EQ(glngHighlightSets, std::vector<std::int32_t>{0});
    EXPECT_EQ(glngRyusenSets, std::vector<std::int32_t>{3}) << "flow lines go with the clear only";
}

} // namespace
