// The mode dispatcher against recording fakes of every handler and window.
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using veltra::shell::changeMode;
using veltra::shell::dispatchMode;
using veltra::shell::HandlerArgs;
using veltra::shell::handlerArgsOf;
using veltra::shell::modeRegistry;
using veltra::shell::noParameterText;

const std::vector<std::int16_t> kHandlerCodes
    = {1, 10, 11, 14, 20, 40, 41, 50, 51, 71, 72, 80, 81, 82, 520, 1002, 1010, 1030, 1031, 5501};

class Recorder
{
public:
    QStringList calls;
    int rasterShown = 0;
    zorvik::Zorvik *engine = reinterpret_cast<zorvik::Zorvik *>(0x1000);
    bool wrongEngine = false;

    void install()
    {
        auto &reg = modeRegistry();
        reg.clear();
        for (std::int16_t code : kHandlerCodes) {
            const QString name = QString::number(code);
            switch (handlerArgsOf(code)) {
            case HandlerArgs::StateEngine:
                reg.setHandler(code, [this, name](std::int16_t &state, zorvik::Zorvik *e) {
                    checkEngine(e);
                    calls << QStringLiteral("%1(%2)").arg(name).arg(state);
                });
                break;
            case HandlerArgs::StateEngineParam:
                reg.setParamHandler(code, [this, name](std::int16_t &state, zorvik::Zorvik *e, QString &p) {
                    checkEngine(e);
                    calls << QStringLiteral("%1(%2,%3)").arg(name).arg(state).arg(p);
                });
                break;
            case HandlerArgs::StateOnly:
                reg.setStateHandler(code, [this, name](std::int16_t &state) {
                    calls << QStringLiteral("%1(%2)").arg(name).arg(state);
                });
                break;
            case HandlerArgs::None:
                ADD_FAILURE() << "no handler row for " << code;
            }
        }
        reg.mapTools().showDatumWindow = [this](zorvik::Zorvik *e) {
            checkEngine(e);
            calls << "datum";
        };
        reg.statistics().showStatisticsMap = [this] { calls << "statmap"; };
        reg.dataReference().show = [this] { calls << "sanshou"; };
        reg.frame().importCommand = [this] { calls << "import"; };
        reg.statistics().showExcelLayout = [this] { calls << "xls"; };
        reg.frame().openHelpPage = [this] { calls << "help"; };
        reg.frame().showLauncher = [this] { calls << "launcher"; };
        reg.statistics().unloadLegendForms = [this] { calls << "unloadLegends"; };
        reg.statistics().clearStatisticsMap = [this](zorvik::Zorvik *e, bool keep) {
            checkEngine(e);
            calls << QStringLiteral("clear(%1)").arg(keep ? "keep" : "delete");
        };
        reg.statistics().showWaitDialog = [this] { calls << "wait"; };
        reg.statistics().processEvents = [this] { calls << "events"; };
        reg.statistics().readStatisticsMapFile
            = [this](QString &file) { calls << QStringLiteral("read(%1)").arg(file); };
        reg.statistics().unloadWaitDialog = [this] { calls << "unwait"; };
        reg.frame().toggleLegend = [this] { calls << "legend"; };
        reg.frame().toggleCompass = [this] { calls << "compass"; };
        reg.frame().toggleOverview = [this] { calls << "overview"; };
        reg.frame().toggleScaleBar = [this] { calls << "scalebar"; };
        reg.rasters().rasterVisible = [this](zorvik::Zorvik *e) {
            checkEngine(e);
            calls << "rasterVisible";
            return rasterShown;
        };
        reg.rasters().rasterCommand = [this](std::int16_t command, zorvik::Zorvik *e) {
            checkEngine(e);
            calls << QStringLiteral("raster(%1)").arg(command);
        };
        reg.search().showAddressSearch = [this](zorvik::Zorvik *e) {
            checkEngine(e);
            calls << QStringLiteral("address(mode %1)").arg(gintModeNo);
        };
        reg.frame().layOut = [this](std::int16_t &pro) { calls << QStringLiteral("layout(%1)").arg(pro); };
    }

private:
    void checkEngine(zorvik::Zorvik *e)
    {
        if (e != engine)
            wrongEngine = true;
    }
};

class ModeDispatch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rec.install();
        gobjZor = rec.engine;
        gintModeNo = 0;
        gintModeSub = 0;
        gintStoryStepEnd = 0;
        gbPro = 0;
    }
    void TearDown() override
    {
        modeRegistry().clear();
        gobjZor = nullptr;
        gintModeNo = 0;
    }
    Recorder rec;
};

struct ModeCase
{
    std::int16_t code;
    QString param;
    int rasterShown;
    QStringList enter; // calls while entering from no mode
    std::int16_t stepEnd; // gintStoryStepEnd after the entry
    std::int16_t modeAfter; // gintModeNo after the entry
    QStringList click; // calls of a map click afterwards
    QStringList leave; // calls of a leave afterwards
};

// A handler row: the handler sees the entry with the caller's text, then the
// click and the leave with the no-parameter text the test dispatches.
ModeCase handlerCase(std::int16_t code, bool withParam)
{
    auto call = [&](int state, const QString &param) {
        return withParam ? QStringLiteral("%1(%2,%3)").arg(code).arg(state).arg(param)
                         : QStringLiteral("%1(%2)").arg(code).arg(state);
    };
    const QString q = noParameterText();
    return {code, "a,b", 0, {call(0, "a,b")}, 0, code, {call(2, q)}, {call(-1, q), "layout(0)"}};
}

std::string str(const QStringList &calls)
{
    return calls.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(ModeDispatch, WholeModeTable)
{
    const QString q = noParameterText();
    const QStringList onlyLayout = {"layout(0)"};
    std::vector<ModeCase> cases = {
        handlerCase(ModeDisplay, false),
        handlerCase(ModeAddElement, true),
        handlerCase(ModeTextElement, true),
        handlerCase(ModeDeleteElement, true),
        handlerCase(ModeSearchElement, true),
        handlerCase(ModeDistance, false),
        handlerCase(ModeCircle, true),
        handlerCase(ModeAreaSanshou, false),
        handlerCase(ModeExcelOut, false),
        {ModeDatumCompare, q, 0, {"datum"}, 0, 70, {"datum"}, {"datum", "layout(0)"}},
        handlerCase(ModeAreaSelect, false),
        handlerCase(ModeImageCut, false),
        handlerCase(ModeMoveStatElements, false),
        {ModeParamFile, "x.prm", 0, {"81(0,x.prm)"}, -1, 0, {}, onlyLayout},
        handlerCase(ModeStatElementSanshou, false),
        {ModeStatisticsMap, q, 0, {"statmap"}, 0, 90, {"statmap"}, {"statmap", "layout(0)"}},
        {ModeDataSanshou, q, 0, {"sanshou", "50(0)"}, 0, 91, {"sanshou", "50(2)"},
            {"sanshou", "50(-1)", "layout(0)"}},
        {ModeImport, q, 0, {"import"}, -1, 0, {}, onlyLayout},
        {ModeExcelLayout, q, 0, {"xls"}, 0, 95, {"xls"}, {"xls", "layout(0)"}},
        {ModeHelpPage, q, 0, {"help"}, -1, 96, {}, onlyLayout},
        {ModeLauncher, q, 0, {"launcher"}, -1, 97, {}, onlyLayout},
        {ModeClearStatisticsMap, q, 0, {"unloadLegends", "clear(delete)"}, -1, 0, {}, onlyLayout},
        {ModeStatMapFile, "map.psy", 0, {"wait", "events", "read(map.psy)", "unwait"}, -1, 0, {}, onlyLayout},
        {ModeStatMapFile, "", 0, {"statmap"}, 0, 0, {}, onlyLayout},
        {ModeStatMapFile, q, 0, {"statmap"}, 0, 0, {}, onlyLayout},
        {ModeToggleLegend, q, 0, {"legend", "layout(0)"}, -1, 0, {}, onlyLayout},
        {ModeToggleCompass, q, 0, {"compass"}, -1, 202, {}, onlyLayout},
        {ModeToggleOverview, q, 0, {"overview"}, 0, 203, {}, onlyLayout},
        {ModeToggleScaleBar, q, 0, {"scalebar"}, -1, 204, {}, onlyLayout},
        {ModeToggleRaster, q, 0, {"rasterVisible", "raster(0)", "layout(0)"}, -1, 0, {}, onlyLayout},
        {ModeToggleRaster, q, 1, {"rasterVisible", "raster(1)", "layout(0)"}, -1, 0, {}, onlyLayout},
        handlerCase(ModeArea, true),
        {ModeAddressSearch, q, 0, {"address(mode 1001)"}, 0, 0, {}, onlyLayout},
        handlerCase(ModeHome, false),
        handlerCase(ModeEditElement, true),
        handlerCase(ModeAttrSearch, false),
        handlerCase(ModeAttchSearch, false),
        handlerCase(ModePhotoPoint, false),
        {30, q, 0, {}, 0, 30, {}, onlyLayout},
        {200, q, 0, {}, 0, 200, {}, onlyLayout},
    };

    for (const ModeCase &c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1 param [%2] raster %3")
                         .arg(c.code)
                         .arg(c.param)
                         .arg(c.rasterShown)
                         .toStdString());
        gintModeNo = 0;
        gintStoryStepEnd = 0;
        rec.rasterShown = c.rasterShown;
        rec.calls.clear();

        changeMode(c.code, 3, c.param);
        EXPECT_EQ(str(rec.calls), str(c.enter));
        EXPECT_EQ(gintStoryStepEnd, c.stepEnd);
        EXPECT_EQ(gintModeNo, c.modeAfter);
        EXPECT_EQ(gintModeSub, 3);

        rec.calls.clear();
        dispatchMode(StateClick, q);
        EXPECT_EQ(str(rec.calls), str(c.click));

        rec.calls.clear();
        dispatchMode(StateLeave, q);
        EXPECT_EQ(str(rec.calls), str(c.leave));
        EXPECT_EQ(gintModeNo, 0);
    }
    EXPECT_FALSE(rec.wrongEngine);
}

TEST_F(ModeDispatch, ChangeWhileRunningLeavesThenEnters)
{
    changeMode(ModeDistance, 0, noParameterText());
    rec.calls.clear();
    gbPro = -1;
    changeMode(ModeCircle, 1, "5");
    EXPECT_EQ(str(rec.calls), str(QStringList{"40(-1)", "layout(-1)", "41(0,5)"}));
    EXPECT_EQ(gintModeNo, ModeCircle);
    EXPECT_EQ(gintModeSub, 1);

    // The same mode again is left and entered again; mode 0 only leaves.
    rec.calls.clear();
    changeMode(ModeCircle, 1, "6");
    EXPECT_EQ(str(rec.calls), str(QStringList{"41(-1,\")", "layout(-1)", "41(0,6)"}));
    rec.calls.clear();
    changeMode(0, 0, noParameterText());
    EXPECT_EQ(str(rec.calls), str(QStringList{"41(-1,\")", "layout(-1)"}));
    EXPECT_EQ(gintModeNo, 0);
}

TEST_F(ModeDispatch, LeaveWithoutModeStillLaysOut)
{
    dispatchMode(StateLeave, noParameterText());
    dispatchMode(StateClick, noParameterText());
    EXPECT_EQ(str(rec.calls), "layout(0)");
}

TEST_F(ModeDispatch, OverviewLeaveOfARunningMode)
{
    // Mode 203 stays current; the next change leaves it with no action.
    changeMode(ModeToggleOverview, 0, noParameterText());
    rec.calls.clear();
    changeMode(ModeDistance, 0, noParameterText());
    EXPECT_EQ(str(rec.calls), str(QStringList{"layout(0)", "40(0)"}));
    EXPECT_EQ(gintStoryStepEnd, 0);
}

TEST_F(ModeDispatch, HandlerThatReentersSeesFreshMode)
{
    // The area selection sends states to itself from inside its handler.
    QStringList seen;
    modeRegistry().setHandler(ModeAreaSelect, [&](std::int16_t &state, zorvik::Zorvik *) {
        seen << QStringLiteral("%1@%2").arg(state).arg(gintModeNo);
        if (state == StateFound)
            dispatchMode(99, noParameterText());
        if (state == 99)
            changeMode(ModeDistance, 0, noParameterText());
    });
    changeMode(ModeAreaSelect, 0, noParameterText());
    dispatchMode(StateFound, noParameterText());
    EXPECT_EQ(str(seen), str(QStringList{"0@71", "5@71", "99@71", "-1@71"}));
    EXPECT_EQ(gintModeNo, ModeDistance);
}

TEST_F(ModeDispatch, EmptyRegistryRunsNothingButKeepsTheBookkeeping)
{
    modeRegistry().clear();
    const std::vector<std::pair<std::int16_t, std::int16_t>> modeAfter
        = {{ModeDistance, ModeDistance}, {ModeParamFile, 0}, {ModeStatisticsMap, ModeStatisticsMap},
            {ModeImport, 0}, {ModeClearStatisticsMap, 0}, {ModeStatMapFile, 0}, {ModeToggleLegend, 0},
            {ModeToggleRaster, 0}, {ModeAddressSearch, 0}, {ModeHome, ModeHome}};
    for (const auto &[code, after] : modeAfter) {
        SCOPED_TRACE(code);
        gintModeNo = 0;
        changeMode(code, 0, "f.psy");
        EXPECT_EQ(gintModeNo, after);
    }
}

TEST(ModeRegistryTest, RejectsHandlersOfTheWrongShape)
{
    veltra::shell::ModeRegistry reg;
    auto stateEngine = [](std::int16_t &, zorvik::Zorvik *) {};
    auto withParam = [](std::int16_t &, zorvik::Zorvik *, QString &) {};
    auto stateOnly = [](std::int16_t &) {};
    EXPECT_TRUE(reg.setHandler(ModeDistance, stateEngine));
    EXPECT_FALSE(reg.setHandler(ModeCircle, stateEngine));
    EXPECT_FALSE(reg.setHandler(ModeStatisticsMap, stateEngine));
    EXPECT_FALSE(reg.setHandler(30, stateEngine));
    EXPECT_TRUE(reg.setParamHandler(ModeCircle, withParam));
    EXPECT_FALSE(reg.setParamHandler(ModeDistance, withParam));
    EXPECT_TRUE(reg.setStateHandler(ModeHome, stateOnly));
    EXPECT_FALSE(reg.setStateHandler(ModeDisplay, stateOnly));
    EXPECT_FALSE(reg.handler(ModeStatisticsMap));
    EXPECT_TRUE(reg.handler(ModeHome));
    reg.removeHandler(ModeHome);
    EXPECT_FALSE(reg.handler(ModeHome));
}

TEST_F(ModeDispatch, OverviewTogglesItselfUntilTheFrameRegistersItsToggle)
{
    modeRegistry().clear();
    modeRegistry().overview().toggle = [this] { rec.calls << "overview itself"; };
    changeMode(ModeToggleOverview, 0, noParameterText());
    EXPECT_EQ(str(rec.calls), "overview itself");
    dispatchMode(StateLeave, noParameterText());

    rec.calls.clear();
    modeRegistry().frame().toggleOverview = [this] { rec.calls << "frame"; };
    changeMode(ModeToggleOverview, 0, noParameterText());
    EXPECT_EQ(str(rec.calls), "frame");
}

// The codes that run something with only the given entries registered.
std::vector<std::int16_t> handledCodes()
{
    std::vector<std::int16_t> codes;
    for (const std::int16_t code : AllModeCodes) {
        if (modeRegistry().handles(code))
            codes.push_back(code);
    }
    return codes;
}

TEST(ModeRegistryTest, EachModeIsHandledByItsOwnEntryAndClearForgetsIt)
{
    auto &r = modeRegistry();
    auto engine = [](zorvik::Zorvik *) {};
    auto none = [] {};
    const std::vector<std::pair<std::int16_t, std::function<void()>>> entries = {
        {ModeDistance, [&] { r.setHandler(ModeDistance, [](std::int16_t &, zorvik::Zorvik *) {}); }},
        {ModeHome, [&] { r.setStateHandler(ModeHome, [](std::int16_t &) {}); }},
        {ModeDatumCompare, [&] { r.mapTools().showDatumWindow = engine; }},
        {ModeStatisticsMap, [&] { r.statistics().showStatisticsMap = none; }},
        {ModeDataSanshou, [&] { r.dataReference().show = none; }},
        {ModeImport, [&] { r.frame().importCommand = none; }},
        {ModeExcelLayout, [&] { r.statistics().showExcelLayout = none; }},
        {ModeHelpPage, [&] { r.frame().openHelpPage = none; }},
        {ModeLauncher, [&] { r.frame().showLauncher = none; }},
        {ModeClearStatisticsMap, [&] { r.statistics().clearStatisticsMap = [](zorvik::Zorvik *, bool) {}; }},
        {ModeStatMapFile, [&] { r.statistics().readStatisticsMapFile = [](QString &) {}; }},
        {ModeToggleLegend, [&] { r.frame().toggleLegend = none; }},
        {ModeToggleCompass, [&] { r.frame().toggleCompass = none; }},
        {ModeToggleOverview, [&] { r.frame().toggleOverview = none; }},
        {ModeToggleOverview, [&] { r.overview().toggle = none; }},
        {ModeToggleScaleBar, [&] { r.frame().toggleScaleBar = none; }},
        {ModeToggleRaster, [&] { r.rasters().rasterCommand = [](std::int16_t, zorvik::Zorvik *) {}; }},
        {ModeAddressSearch, [&] { r.search().showAddressSearch = engine; }},
    };
    for (const auto &[code, registerEntry] : entries) {
        SCOPED_TRACE(code);
        r.clear();
        registerEntry();
        EXPECT_EQ(handledCodes(), std::vector<std::int16_t>{code});
    }
    r.clear();
    EXPECT_TRUE(handledCodes().empty());
}

} // namespace
