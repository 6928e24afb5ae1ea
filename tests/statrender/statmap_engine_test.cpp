// A statistics map on the real engine, on a copy of the default map document
// (statistics space 100 with its vector and connector kinds 180 to 186):
// elements entered through the level-9 store are found and drawn, never
// journaled and never saved; clearing takes them, the flow lines and the
// choropleth drawings off, with or without the work files; the style
// snapshot holds the seven statistics kinds.
#include "mapwindow/globals.h"
#include "mapwindow/mdlelement.h"
#include "platform/fs/fs.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "statrender/areahighlight.h"
#include "statrender/clearstatmap.h"
#include "statrender/flowlines.h"
#include "statrender/globals.h"
#include "statrender/graphelements.h"
#include "statrender/renderingregistration.h"
#include "statrender/statelements.h"
#include "statrender/viewdate.h"
#include "testsupport.h"
#include "zorvik/core/engine.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::test;

namespace {

// Tokyo, where the default map has land and names.
constexpr std::int32_t X = (139 - 122) * 360000 + 252000;
constexpr std::int32_t Y = (35 - 24) * 360000 + 244800;

class StatMapOnEngine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString defaults = QStringLiteral(VELTRA_DEFAULT_DATA);
        ASSERT_TRUE(QFile::exists(defaults + QStringLiteral("/Veltra.zor")))
            << "no default map in " << defaults.toStdString() << " (build veltra_default_data)";
        copyTree(defaults, tmp.path());
        map = new zorvik::Zorvik;
        map->resize(400, 300);
        map->setDocumentPath(tmp.file(QStringLiteral("Veltra.zor")));
        ASSERT_EQ(map->InitializeMap(0), 0) << map->lastError().toStdString();
        map->InitDisplay();
        map->setCenterX(X);
        map->setCenterY(Y);
        map->setScale(25000.0);
        gobjZor = map;
        gintMapInit = 1;
        gdtBaseDate = QDate(2000, 1, 1);
        gstrDataPath = tmp.path() + QStringLiteral("data/");
        ASSERT_TRUE(QDir().mkpath(gstrDataPath + QStringLiteral("DB/TempPImage")));
        statrender::registerStatisticsRendering();
    }
    void TearDown() override
    {
        gobjZor = nullptr;
        delete map;
    }

    // Counts of the statistics elements in the document: vectors, connectors.
    std::pair<std::int32_t, std::int32_t> statElements() const
    {
        const std::vector<std::int16_t> kinds = {180, 181, 182, 183, 184, 185, 186};
        zorvik::Handle set = 0;
        std::int32_t v = 0, c = 0;
        EXPECT_EQ(map->SearchElementsByKind(7, kinds, 7, kinds, set, v, c), 0);
        map->ReleaseElements(set);
        return {v, c};
    }
    QImage image() const { return map->RenderToImage(QSize(400, 300)); }
    static int differing(const QImage &a, const QImage &b)
    {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }
    void drawStatisticsMap()
    {
        const QString name = ComPSY::MakeElementName(QStringLiteral("13101000000"),
            gstrDataPath + QStringLiteral("DB/tempdata000.dat"), 1, 200, X + 3000, Y, QStringLiteral("a.tmp"),
            QString());
        ComPSY::PSY_AddGraphElement(map, name, X + 3000, Y, X, Y);
        ASSERT_TRUE(ComPSY::PSY_AddTextElement(map, 183, QStringLiteral("1234"), X - 3000, Y - 2000));
        ASSERT_TRUE(ComPSY::PSY_AddTextElement(map, 186, QStringLiteral("56"), X, Y + 3000));
        ElementInfo flow;
        flow.Key = QStringLiteral("RYUSEN1");
        ASSERT_TRUE(ComPSY::MakeFlowLineElement(flow, 181, X - 8000, Y - 8000, X + 8000, Y + 8000, X + 7000,
            Y + 6000, X + 8000, Y + 8000, X + 6000, Y + 7000));
        ASSERT_TRUE(ComPSY::DrawRyusen(map, flow));
        std::int32_t drawing = 0;
        ASSERT_EQ(map->DrawElements_Polygon_RGB(1, {4}, {X - 5000, X - 1000, X - 1000, X - 5000},
                      {Y + 1000, Y + 1000, Y + 5000, Y + 5000}, {200, 0, 0}, {0}, {200, 0, 0}, drawing),
            0);
        glngNuriDrawIds.push_back(drawing);
    }
    void writeWorkFiles()
    {
        writeBytes(gstrDataPath + QStringLiteral("DB/tempheader000.hed"),
            "H1,0,0,1,1,\"\",\"\",tempdata000.dat\r\n");
        writeBytes(gstrDataPath + QStringLiteral("DB/tempdata000.dat"), "1\r\n");
        writeBytes(fs::tempFolder() + QStringLiteral("PSYclear.tmp"), "picture");
        writeBytes(gstrDataPath + QStringLiteral("DB/TempPImage/13101.bmp"), "BM");
    }
    QStringList workFilesLeft() const
    {
        QStringList left;
        for (const QString &path : {gstrDataPath + QStringLiteral("DB/tempheader000.hed"),
                 gstrDataPath + QStringLiteral("DB/tempdata000.dat"),
                 fs::tempFolder() + QStringLiteral("PSYclear.tmp"),
                 gstrDataPath + QStringLiteral("DB/TempPImage/13101.bmp")}) {
            if (QFile::exists(path))
                left << QFileInfo(path).fileName();
        }
        return left;
    }

    RunStateGuard guard;
    TempDir tmp;
    ui::DialogScript script;
    zorvik::Zorvik *map = nullptr;
};

TEST_F(StatMapOnEngine, LevelNineElementsAreFoundDrawnAndNeverJournaled)
{
    const QImage before = image();
    drawStatisticsMap();
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(statElements(), (std::pair<std::int32_t, std::int32_t>{1, 3}));
    EXPECT_EQ(map->CanUndo(), 0);

    // Read back, the graph keeps its whole name and the numbers theirs.
    const std::vector<std::int16_t> kinds = {180, 181, 182, 183, 184, 185, 186};
    zorvik::Handle set = 0;
    std::int32_t v = 0, c = 0;
    ASSERT_EQ(map->SearchElementsByKind(7, kinds, 7, kinds, set, v, c), 0);
    QStringList keys;
    std::int32_t elem = 0;
    ElementInfo info;
    while (veltra::mapwindow::readElementInfo(*map, set, elem, info, 1)) {
        keys << QStringLiteral("%1:%2:%3").arg(info.Type).arg(info.iPra[2]).arg(info.Key);
        EXPECT_EQ(info.lPra[2], -1);
        EXPECT_EQ(info.lPra[3], -1);
    }
    map->ReleaseElements(set);
    keys.sort();
    const QString graph = QStringLiteral("13101000000,") + gstrDataPath
        + QStringLiteral("DB/tempdata000.dat,1,200,") + QString::number(X + 3000) + QLatin1Char(',')
        + QString::number(Y) + QStringLiteral(",a.tmp");
    EXPECT_EQ(keys,
        (QStringList{QStringLiteral("1:180:") + graph, QStringLiteral("3:180:") + graph,
            QStringLiteral("3:183:1234"), QStringLiteral("3:186:56")}));

    map->Refresh();
    EXPECT_GT(differing(before, image()), 50) << "the statistics map is drawn";
}

TEST_F(StatMapOnEngine, ARefusedEntryReportsItsCodeAndReleasesTheSet)
{
    struct Case
    {
        const char *name;
        bool level9;
        QString message;
    };
    const std::vector<Case> cases = {
        {"document", false, u("PSY_AddElement OCXエラーコード [5]")},
        {"level 9", true, u("PSY_AddElementForLevel9 OCXエラーコード [5]")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ui::DialogScript local;
        ElementInfo e;
        // A key longer than the engine takes: AddElementToList refuses it.
        ASSERT_TRUE(ComPSY::MakePointElement(e, 183, QString(600, QLatin1Char('9')), X, Y));
        EXPECT_FALSE(c.level9 ? ComPSY::PSY_AddElementForLevel9(map, e) : ComPSY::PSY_AddElement(map, e));
        ASSERT_EQ(local.requests().size(), 1u);
        EXPECT_EQ(local.requests()[0].prompt, c.message);
        ASSERT_NE(e.Handle, 0);
        zorvik::Handle next = 0;
        EXPECT_NE(map->GetNextElementHandle(e.Handle, next), 0) << "the set was released";
        EXPECT_EQ(statElements(), (std::pair<std::int32_t, std::int32_t>{0, 0}));
    }
}

TEST_F(StatMapOnEngine, ModeNinetyEightClearsTheMapAndASecondClearFindsNothingToErase)
{
    const QImage before = image();
    writeWorkFiles();
    drawStatisticsMap();
    ASSERT_EQ(glngNuriDrawIds.size(), 2u);

    gintModeNo = ModeClearStatisticsMap;
    std::int16_t state = StateEnter;
    QString param;
    mdlMain::DispatchMode(state, param);
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_EQ(statElements(), (std::pair<std::int32_t, std::int32_t>{0, 0}));
    EXPECT_EQ(glngNuriDrawIds, std::vector<std::int32_t>{0});
    EXPECT_TRUE(glngRyusenSets.empty());
    EXPECT_TRUE(workFilesLeft().isEmpty()) << workFilesLeft().join(' ').toStdString();
    EXPECT_EQ(differing(before, image()), 0) << "nothing of the statistics map is left on the map";

    ComPSY::PSY_ClearStatisticsMap(map, false);
    EXPECT_EQ(glngNuriDrawIds, std::vector<std::int32_t>{0});
    EXPECT_EQ(differing(before, image()), 0);
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(StatMapOnEngine, KeepFilesDecidesAboutEveryWorkFile)
{
    writeWorkFiles();
    drawStatisticsMap();
    ComPSY::PSY_ClearStatisticsMap(map, true);
    EXPECT_EQ(statElements(), (std::pair<std::int32_t, std::int32_t>{0, 0}));
    EXPECT_EQ(workFilesLeft().size(), 4) << workFilesLeft().join(' ').toStdString();

    drawStatisticsMap();
    ComPSY::PSY_ClearStatisticsMap(map, false);
    EXPECT_TRUE(workFilesLeft().isEmpty()) << workFilesLeft().join(' ').toStdString();

    writeWorkFiles();
    drawStatisticsMap();
    ComPSY::PSY_ClearStatisticsMapQuiet(map);
    EXPECT_EQ(statElements(), (std::pair<std::int32_t, std::int32_t>{0, 0}));
    EXPECT_TRUE(workFilesLeft().isEmpty());
}

TEST_F(StatMapOnEngine, SavingTheDocumentAfterDrawingStoresNoStatisticsElement)
{
    // One ordinary edit, so the save has something to write.
    glngPointX = {X, 0};
    glngPointY = {Y, 0};
    ComPSY::PSY_AddPointElement(101, QStringLiteral("/photos/a.jpg"));
    drawStatisticsMap();
    ASSERT_NE(map->CanUndo(), 0);

    auto *frame = new frmMain;
    script.answerButton(ui::vbYes);
    frame->mnuFileSave_Click();
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[1].prompt, u("保存終了"));

    zorvik::Engine saved;
    saved.setDocumentPath(tmp.file(QStringLiteral("Veltra.zor")));
    ASSERT_EQ(saved.InitializeMap(0), 0);
    const std::vector<std::int16_t> kinds = {180, 181, 182, 183, 184, 185, 186};
    zorvik::Handle set = 0;
    std::int32_t v = -1, c = -1;
    ASSERT_EQ(saved.SearchElementsByKind(7, kinds, 7, kinds, set, v, c), 0);
    EXPECT_EQ(v + c, 0);
    saved.ReleaseElements(set);
    set = 0;
    ASSERT_EQ(saved.SearchElementsByKind(0, {}, 1, {101}, set, v, c), 0);
    EXPECT_EQ(c, 1) << "the photo point is an ordinary element and is saved";
    saved.ReleaseElements(set);
    saved.CloseMap();
}

TEST_F(StatMapOnEngine, FlowLinesStartAgainAtSlotZeroAfterTheyWereTakenOff)
{
    EXPECT_FALSE(ComPSY::UnDrawRyusen(map)) << "no flow line drawn yet";
    ElementInfo flow;
    ASSERT_TRUE(ComPSY::MakeFlowLineElement(
        flow, 182, X, Y, X + 9000, Y, X + 8000, Y + 500, X + 9000, Y, X + 8000, Y - 500));
    ASSERT_TRUE(ComPSY::DrawRyusen(map, flow));
    ASSERT_TRUE(ComPSY::DrawRyusen(map, flow));
    ASSERT_EQ(glngRyusenSets.size(), 2u);
    const zorvik::Handle first = glngRyusenSets[0];
    EXPECT_TRUE(ComPSY::UnDrawRyusen(map));
    EXPECT_TRUE(glngRyusenSets.empty());
    zorvik::Handle next = 0;
    EXPECT_NE(map->GetNextElementHandle(first, next), 0) << "the flow-line sets were released";
    ASSERT_TRUE(ComPSY::DrawRyusen(map, flow));
    ASSERT_EQ(glngRyusenSets.size(), 1u);
    EXPECT_NE(glngRyusenSets[0], 0);
    EXPECT_TRUE(ComPSY::UnDrawRyusen(map));
    EXPECT_FALSE(ComPSY::UnDrawRyusen(map));
    EXPECT_EQ(statElements(), (std::pair<std::int32_t, std::int32_t>{0, 0}))
        << "flow lines never enter the document";
}

TEST_F(StatMapOnEngine, HighlightsAreKeptUntilAllAreClearedAtOnce)
{
    ComPSY::P_DrawClearCaldoraArea();
    EXPECT_EQ(glngHighlightSets, std::vector<std::int32_t>{0}) << "an empty list is only reset";
    map->setSpaceID(2);
    ComPSY::P_DrawCaldoraArea(X, Y);
    ASSERT_EQ(glngHighlightSets.size(), 2u) << "the municipality under the point is highlighted";
    const zorvik::Handle set = glngHighlightSets[1];
    ComPSY::P_DrawClearCaldoraArea();
    EXPECT_EQ(glngHighlightSets, std::vector<std::int32_t>{0});
    zorvik::Handle next = 0;
    EXPECT_NE(map->GetNextElementHandle(set, next), 0);
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(StatMapOnEngine, TheStyleSnapshotHoldsTheSevenStatisticsKinds)
{
    ComPSY::PSY_SaveElmStyle();
    const std::vector<std::int16_t> kinds = {0, 180, 181, 182, 183, 184, 185, 186};
    std::vector<std::int16_t> vect = gintSaveVectID, cnect = gintSaveCnectID;
    std::sort(vect.begin() + 1, vect.end());
    std::sort(cnect.begin() + 1, cnect.end());
    EXPECT_EQ(vect, kinds);
    EXPECT_EQ(cnect, kinds);
    ASSERT_EQ(gtypSaveCnectStyle.size(), 8u);
    ASSERT_EQ(gtypSaveVectStyle.size(), 8u);
    for (std::size_t k = 1; k < 8; ++k) {
        ElmKindStyle expected;
        mdlElement::GetCnectKindStyle(gintSaveCnectID[k], expected);
        EXPECT_EQ(gtypSaveCnectStyle[k].Name, expected.Name);
        EXPECT_FALSE(expected.Name.isEmpty());
    }
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(StatMapOnEngine, TheViewDateMovesToACommonDateAndNotToATextThatIsNoDate)
{
    ComPSY::PSY_SetViewDate(u("令和2年4月1日"));
    const std::int32_t day = QDate(2000, 1, 1).daysTo(QDate(2020, 4, 1));
    EXPECT_EQ(map->DateMode(), day);
    EXPECT_EQ(map->DateValue(), day);
    EXPECT_EQ(gstrViewDate, QStringLiteral("20200401"));
    EXPECT_EQ(gstrSetDateMode, QStringLiteral("Time"));

    ComPSY::PSY_SetViewDate(QStringLiteral("いつか"));
    EXPECT_EQ(map->DateMode(), day);
    EXPECT_EQ(gstrSetDate1, u("令和2年4月1日"));
    EXPECT_EQ(gstrViewDate, QStringLiteral("20200401"));
}

TEST_F(StatMapOnEngine, CopyingMapFilesStopsAtTheFirstFailure)
{
    const QString from = tmp.path() + QStringLiteral("from");
    const QString to = tmp.path() + QStringLiteral("to");
    ASSERT_TRUE(QDir().mkpath(from));
    ASSERT_TRUE(QDir().mkpath(to));
    writeBytes(from + QStringLiteral("/tempheader000.hed"), "h");
    writeBytes(from + QStringLiteral("/tempdata000.dat"), "d");
    EXPECT_TRUE(ComPSY::PSY_CopyMapFiles(from, to)) << "no pictures to copy";
    writeBytes(to + QStringLiteral("/tempheader000.hed"), "old");
    writeBytes(from + QStringLiteral("/13101.bmp"), "BM");
    EXPECT_FALSE(ComPSY::PSY_CopyMapFiles(from, to)) << "no TempPImage in the target";
    EXPECT_EQ(readBytes(to + QStringLiteral("/tempheader000.hed")), QByteArray("h"));
    ASSERT_TRUE(QDir().mkpath(to + QStringLiteral("/TempPImage")));
    EXPECT_TRUE(ComPSY::PSY_CopyMapFiles(from, to));
    EXPECT_EQ(readBytes(to + QStringLiteral("/TempPImage/13101.bmp")), QByteArray("BM"));
}

} // namespace
