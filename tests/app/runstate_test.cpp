// Every piece of the program's run state, moved away from its start, is back
// at its start after the one reset.
#include "app/instancelock.h"
#include "app/runstate.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "mapwindow/mdldispcom.h"
#include "platform/text/text.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/commandline.h"
#include "shell/comdatectrl.h"
#include "shell/commonm1.h"
#include "shell/framepanes.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/modcolordialog.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "shell/operationroom.h"
#include "shell/programfolder.h"
#include "shell/savefailures.h"
#include "shell/statisticsservices.h"
#include "statdata/clsaddinfo.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/globals.h"
#include "statdata/meshdatabase.h"
#include "statdata/messages.h"
#include "statdata/registrationjournal.h"
#include "statdata/userdataregistration.h"
#include "statdata/valuefileindex.h"
#include "statdataui/comg_add.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra;

namespace {

struct Piece
{
    std::string name;
    std::function<void()> change; // moves it away from its start
    // True while it holds its start value; empty where only the registry's
    // letting go of what it held shows it (below).
    std::function<bool()> atStart;
};

// A global, with the value it held when the process started: this table is
// made while the program's statics are set up, after the globals, which
// every file that names them defines first.
template <class T> Piece global(const char *name, T &variable, T changed)
{
    const T start = variable;
    return {name, [&variable, changed] { variable = changed; },
        [&variable, start] { return variable == start; }};
}

const QString kText = QStringLiteral("変更");

const std::vector<Piece> &globals()
{
    static const std::vector<Piece> table = {
        // shell/globals.h
        global("gintModeNo", gintModeNo, std::int16_t(40)),
        global("gintModeSub", gintModeSub, std::int16_t(2)),
        global("gintStoryStepEnd", gintStoryStepEnd, std::int16_t(-1)),
        global("gbPro", gbPro, std::int16_t(-1)),
        global("gbStoryMode", gbStoryMode, std::int16_t(-1)),
        global("gintBandResize", gintBandResize, std::int16_t(-1)),
        global("gintWndRearrange", gintWndRearrange, std::int16_t(1)),
        global("gintMapInit", gintMapInit, std::int16_t(1)),
        global("gintWaitCancel", gintWaitCancel, std::int16_t(2)),
        global("gintTempIPra2", gintTempIPra2, std::int16_t(7)),
        global("gintSelectZor", gintSelectZor, std::int16_t(-1)),
        global("gstrPhotoFile", gstrPhotoFile, kText),
        global("gintPhotoDir", gintPhotoDir, std::int16_t(3)),
        global("gstrIniPath", gstrIniPath, kText),
        global("gstrMnuPath", gstrMnuPath, kText),
        global("gstrLstPath", gstrLstPath, kText),
        global("gstrStoryLst", gstrStoryLst, kText),
        global("gstrStoryMst", gstrStoryMst, kText),
        global("gstrDataPath", gstrDataPath, kText),
        global("gstrDocPath", gstrDocPath, kText),
        global("gstrDocIniPath", gstrDocIniPath, kText),
        global("gstrTitle", gstrTitle, kText),
        global("gstrStoryDownloadSite", gstrStoryDownloadSite, kText),
        global("gstrHpSite", gstrHpSite, kText),
        global("gstrHelpSite", gstrHelpSite, kText),
        global("gstrFaqSite", gstrFaqSite, kText),
        global("gstrHelpLoc", gstrHelpLoc, kText),
        global("gstrManualLoc", gstrManualLoc, kText),
        global("gstrUseCount", gstrUseCount, kText),
        global("gstrUseUrl", gstrUseUrl, kText),
        global("gstrUseFlg", gstrUseFlg, kText),
        global("gstrDebugMode", gstrDebugMode, kText),
        global("gstrHP1", gstrHP1, kText),
        global("gstrHP2", gstrHP2, kText),
        global("gstrHP3", gstrHP3, kText),
        global("gstrHP4", gstrHP4, kText),
        global("gstrHP5", gstrHP5, kText),
        global("gstrHP6", gstrHP6, kText),
        global("gstrHP7", gstrHP7, kText),
        global("gstrHP8", gstrHP8, kText),
        global("gstrHP9", gstrHP9, kText),
        global("gstrLimitPie", gstrLimitPie, kText),
        global("gstrLimitBar", gstrLimitBar, kText),
        global("gstrLimitPyramid", gstrLimitPyramid, kText),
        global("gstrLimitSymbol", gstrLimitSymbol, kText),
        global("gstrDispLevel1", gstrDispLevel1, kText),
        global("gstrDispLevel2", gstrDispLevel2, kText),
        global("gstrDispLevel3", gstrDispLevel3, kText),
        global("gstrFtpDir", gstrFtpDir, kText),
        {"gtypFtp", [] { gtypFtp.host = kText; }, [] { return gtypFtp.host.isEmpty(); }},
        {"gtypWinInfo", [] { gtypWinInfo.Width = 9000; }, [] { return gtypWinInfo.Width == 0; }},
        global("gdtBaseDate", gdtBaseDate, QDate(2000, 1, 1)),
        global("gintPointType", gintPointType, std::int16_t(2)),
        global("gdblZoomIn", gdblZoomIn, 2.0),
        global("gdblZoomOut", gdblZoomOut, 0.5),
        global("glngEditDate", glngEditDate, std::int32_t(20000101)),
        global("gintRasterLevel", gintRasterLevel, std::int16_t(3)),
        global("glngRasterSplitW", glngRasterSplitW, std::int32_t(4)),
        global("glngRasterSplitH", glngRasterSplitH, std::int32_t(5)),
        global("gstrSetDateMode", gstrSetDateMode, kText),
        global("gstrSetDate1", gstrSetDate1, kText),
        global("gstrSetDate2", gstrSetDate2, kText),
        global("gstrViewDate", gstrViewDate, QStringLiteral("20000101")),
        // shell/comdatectrl.h
        global("gintDateFormat", ComDateCtrl::gintDateFormat, std::int16_t(1)),
        // mapwindow/globals.h
        global("glngPointX", glngPointX, std::array<std::int32_t, 2>{1, 2}),
        global("glngPointY", glngPointY, std::array<std::int32_t, 2>{3, 4}),
        global("glngElmHandle", glngElmHandle, std::int32_t(9)),
        global("gintKeyCode", gintKeyCode, std::int16_t(27)),
        global("gintMouseButton", gintMouseButton, std::int16_t(2)),
        global("glngMouseDownX", glngMouseDownX, std::int32_t(10)),
        global("glngMouseDownY", glngMouseDownY, std::int32_t(11)),
        global("glngMouseUpX", glngMouseUpX, std::int32_t(12)),
        global("glngMouseUpY", glngMouseUpY, std::int32_t(13)),
        global("glngDragX", glngDragX, std::int32_t(14)),
        global("glngDragY", glngDragY, std::int32_t(15)),
        global("gintMapMouseMode", gintMapMouseMode, std::int16_t(1)),
        global("gintSkipCenter", gintSkipCenter, std::int16_t(1)),
        global("gstrAttachPath", gstrAttachPath, kText),
        global("gintPrefSpaceID", gintPrefSpaceID, std::int16_t(1)),
        global("gintCitySpaceID", gintCitySpaceID, std::int16_t(2)),
        global("gintTownSpaceID", gintTownSpaceID, std::int16_t(3)),
        global("gintAreaCnectKind", gintAreaCnectKind, std::int16_t(4)),
        global("gstrClickedAreaCode", gstrClickedAreaCode, kText),
        // statdata/globals.h, statdataui/comg_add.h
        global("gstrCalcTemplateFile", gstrCalcTemplateFile, kText),
        global("gstrAddDataPath", gstrAddDataPath, kText),
    };
    return table;
}

// Taken at start-up, before any test moves a global.
const bool kGlobalsTaken = !globals().empty();

// A registration is gone when the registry let go of what it held.
using Token = std::shared_ptr<int>;
bool released(const Token &token)
{
    return token.use_count() == 1;
}

class StandInHost : public shell::MapWindowHost
{
public:
    QWidget *widget() override { return nullptr; }
    void load(const QString &) override { }
    zorvik::Zorvik *engine() override { return nullptr; }
    bool mapStarted() const override { return false; }
    void SetViewDate() override { }
    void MP_GetCenterPlaceName() override { }
    double panButtonWidth() const override { return 0; }
    bool measuringPanelShown() const override { return false; }
};

} // namespace

TEST(RunState, ResetPutsEveryGlobalBackToItsStart)
{
    ASSERT_TRUE(kGlobalsTaken);
    test::RunStateGuard guard;
    for (const Piece &piece : globals()) {
        piece.change();
        EXPECT_FALSE(piece.atStart()) << piece.name << " was not moved";
    }
    app::resetRunState();
    for (const Piece &piece : globals())
        EXPECT_TRUE(piece.atStart()) << piece.name;
}

TEST(RunState, ResetForgetsTheWindowsAndTheirGlobals)
{
    test::RunStateGuard guard;
    QPointer<QWidget> registered = new QWidget;
    ui::WindowRegistry::instance().add(registered);
    QPointer<frmMain> frame = new frmMain;
    ui::WindowRegistry::instance().add(frame.data());
    zorvik::Zorvik engine;
    StandInHost host;
    gfrmMain = frame;
    gfrmTool = registered.data();
    gobjZor = &engine;
    gfrmZorvik = &host;

    app::resetRunState();

    EXPECT_TRUE(registered.isNull());
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(ui::WindowRegistry::instance().forms().isEmpty());
    EXPECT_EQ(gfrmMain, nullptr);
    EXPECT_TRUE(gfrmTool.isNull());
    EXPECT_EQ(gobjZor, nullptr);
    EXPECT_EQ(gfrmZorvik, nullptr);
}

TEST(RunState, ResetClearsEveryRegistry)
{
    test::RunStateGuard guard;
    const Token token = std::make_shared<int>();
    const std::vector<Piece> registries = {
        {"mode handler", [&] { shell::modeRegistry().setStateHandler(ModeHome, [token](std::int16_t &) { }); },
            [] { return !shell::modeRegistry().handler(ModeHome); }},
        {"mode window action", [&] { shell::modeRegistry().statistics().showStatisticsMap = [token] { }; },
            [] { return !shell::modeRegistry().statistics().showStatisticsMap; }},
        {"map window factory",
            [&] { shell::setMapWindowFactory([token](QWidget *) { return nullptr; }); }, {}},
        {"frame panes", [&] { shell::framePaneMakers().listBar = [token](QWidget *) { return nullptr; }; },
            [] { return !shell::framePaneMakers().listBar; }},
        {"command items", [&] { shell::commandItemSources().listItem = [token](std::int16_t) { return QString(); }; },
            [] { return !shell::commandItemSources().listItem; }},
        {"statistics services", [&] { shell::statisticsServices().resetDrawIdLists = [token] { }; },
            [] { return !shell::statisticsServices().resetDrawIdLists; }},
        {"operation room labels", [&] { shell::operationRoomLabels().setPlaceName = [token](const QString &) { }; },
            [] { return !shell::operationRoomLabels().setPlaceName; }},
        {"operation room checks", [&] { shell::operationRoomChecks().untickStatisticsMap = [token] { }; },
            [] { return !shell::operationRoomChecks().untickStatisticsMap; }},
        {"map event links", [&] { mapwindow::mapEventLinks().setOperationRoomScale = [token](std::int32_t) { }; },
            [] { return !mapwindow::mapEventLinks().setOperationRoomScale; }},
        {"display windows", [&] { mapwindow::displayWindows().showDisplaySettings = [token] { }; },
            [] { return !mapwindow::displayWindows().showDisplaySettings; }},
        {"engine start hooks", [&] { mapwindow::engineStartHooks().push_back([token](frmZorvik &) { }); },
            [] { return mapwindow::engineStartHooks().empty(); }},
        {"area calculation",
            [&] { statdata::setAreaCalculation([token](QVariant &, const std::vector<double> &) { return true; }); },
            {}},
        {"registration steps", [&] { statdata::setAddPipelineHooks({[token](statdata::AddStep) { }, {}}); },
            {}},
        {"journal step hook", [&] { statdata::RegistrationJournal::setStepHook([token](const char *) { }); },
            {}},
        {"date-added clock", [&] { clsAddInfo::setClock([token] { return QDateTime(); }); }, {}},
    };
    for (const Piece &piece : registries) {
        piece.change();
        EXPECT_FALSE(released(token)) << piece.name << " holds nothing";
    }
    app::resetRunState();
    for (const Piece &piece : registries) {
        if (piece.atStart) {
            EXPECT_TRUE(piece.atStart()) << piece.name;
        }
    }
    // Every registration above is gone, also those without a look-up.
    EXPECT_TRUE(released(token)) << token.use_count() - 1 << " registrations kept";
}

TEST(RunState, ResetForgetsWhatTheRunKept)
{
    test::RunStateGuard guard;
    test::TempDir dir;
    ui::DialogScript script;

    shell::setProgramFolder(dir.path());
    ui::keepPlace(QStringLiteral("frmRunState"), QPoint(5, 6));
    script.answerColour(QColor(1, 2, 3), QList<QColor>(16, QColor(10, 20, 30)));
    modColorDialog::ShowColorDialog(nullptr, 0, 0);
    ASSERT_EQ(modColorDialog::CustomColours().front(), QColor(10, 20, 30));
    CommonM1::CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
    script.answerButton(ui::vbOK);
    shell::reportSettingsWriteFailure(QStringLiteral("読めません"));
    const std::size_t shownBefore = script.requests().size();
    ASSERT_TRUE(statdata::MeshDatabase::shared().create(dir.file(QStringLiteral("Mesh.sqlite"))));
    const QString values = dir.file(QStringLiteral("values.txt"));
    ASSERT_TRUE(text::writeLines(values, {QStringLiteral("13,100")}));
    ASSERT_TRUE(statdata::ValueFileIndex::load(values));
    ASSERT_GT(statdata::ValueFileIndex::cachedBytes(), 0u);
    statdata::ValueFileIndex::setCacheLimit(1);
    const QString lock = dir.file(QStringLiteral("instance.lock"));
    ASSERT_TRUE(app::acquireInstanceLock(lock));

    app::resetRunState();

    EXPECT_TRUE(shell::programFolder().isEmpty());
    EXPECT_FALSE(ui::keptPlace(QStringLiteral("frmRunState")));
    EXPECT_EQ(modColorDialog::CustomColours(), QList<QColor>(16, QColor(254, 254, 254)));
    EXPECT_EQ(CommonM1::CurrentPrinter().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_FALSE(statdata::MeshDatabase::shared().isOpen());
    EXPECT_EQ(statdata::ValueFileIndex::cachedBytes(), 0u);
    // The default limit keeps two small files: the first is still cached
    // after the second.
    const QString more = dir.file(QStringLiteral("more.txt"));
    ASSERT_TRUE(text::writeLines(more, {QStringLiteral("14,200")}));
    const auto first = statdata::ValueFileIndex::load(values);
    statdata::ValueFileIndex::load(more);
    EXPECT_EQ(statdata::ValueFileIndex::load(values), first);
    EXPECT_FALSE(QFileInfo::exists(lock));
    // The first settings failure of the new run is told again.
    script.answerButton(ui::vbOK);
    shell::reportSettingsWriteFailure(QStringLiteral("読めません"));
    EXPECT_EQ(script.requests().size(), shownBefore + 1);
}

TEST(RunState, StatisticsMessagesReachTheMessageBoxAfterTheReset)
{
    test::RunStateGuard guard;
    const Token token = std::make_shared<int>();
    statdata::setMessageHook([token](const QString &, int) { });
    app::resetRunState();
    EXPECT_TRUE(released(token));

    ui::DialogScript script;
    script.answerButton(ui::vbOK);
    statdata::showMessage(QStringLiteral("計算できません"), statdata::MessageExclamation);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests().front().prompt, QStringLiteral("計算できません"));
}
