// What the frame shows of the opened map after the start: the view date of
// the document on the status bar, and the map's scale in the scale box as
// the user zooms, jumps and reopens the document.
#include "app/mdlmain_main.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "programfixture.h"
#include "shell/comdatectrl.h"
#include "shell/datepanels.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/modaldialog.h"
#include "shell/viewdate.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QPointer>
#include <cmath>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::ProgramFixture;

namespace {

// Starts the program on the fixture; the initial-display dialog is closed
// without OK (the last view).
app::StartResult start(const ProgramFixture &fx)
{
    shell::ScopedModalHook closeDialogs{[](QDialog &) {}};
    app::StartOptions options;
    options.lockPath = fx.lockPath();
    options.splashMilliseconds = 0;
    return mdlMain::Main(options);
}

QString engineScale()
{
    return QString::number(std::llround(gobjZor->Scale()));
}

void press(const char *key)
{
    QAction *button = gfrmMain->toolButton(QString::fromLatin1(key));
    ASSERT_NE(button, nullptr) << key;
    button->trigger();
}

} // namespace

TEST(StartUpDisplays, TheViewDatePanelShowsTheDocumentsStoredSetting)
{
    const QDate base(2000, 1, 1);
    const QDate today = QDate::currentDate();
    const QString chosen = ComDateCtrl::FormatDate(QDate(2000, 1, 11));
    struct Row
    {
        const char *mode; // nullptr: no [SetDate] section
        QString date1;
        QString panelText;
        int selector; // 0: none
        std::int32_t from, to;
    };
    const std::int32_t days = static_cast<std::int32_t>(base.daysTo(today));
    const Row rows[] = {
        {"ToDay", QString(), QStringLiteral("設定日  ") + ComDateCtrl::FormatDate(today), shell::PanelToday,
            days, days},
        {"Time", chosen, QStringLiteral("設定日  ") + chosen, shell::PanelTime, 10, 10},
        {"NoDay", QString(), QStringLiteral("設定日　日付指定なし"), shell::PanelNoDay, 1, 0},
        // Nothing stored: no view date is in force and none is shown.
        {nullptr, QString(), QString(), 0, -1, -1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.mode ? row.mode : "none");
        ProgramFixture fx;
        ASSERT_TRUE(fx.ok());
        fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
        if (row.mode) {
            ProgramFixture::setIniOf(fx.docIniPath(), QStringLiteral("SetDate"), QStringLiteral("MODE"),
                QString::fromLatin1(row.mode));
            if (!row.date1.isEmpty())
                ProgramFixture::setIniOf(
                    fx.docIniPath(), QStringLiteral("SetDate"), QStringLiteral("Date1"), row.date1);
        }
        ui::DialogScript script;
        ASSERT_EQ(start(fx), app::StartResult::Running);
        ASSERT_EQ(gintMapInit, 1);

        EXPECT_EQ(gfrmMain->statusPanelText(3), row.panelText);
        for (int panel : {shell::PanelToday, shell::PanelNoDay, shell::PanelTime})
            EXPECT_EQ(shell::datePanelSelected(panel), panel == row.selector) << panel;
        if (row.mode) {
            EXPECT_EQ(gobjZor->DateFrom(), row.from);
            EXPECT_EQ(gobjZor->DateTo(), row.to);
        }
        EXPECT_TRUE(script.requests().empty());
        test::exitProgram();
    }
}

TEST(StartUpDisplays, TheScaleBoxFollowsTheMapThroughZoomsJumpsAndANewMapWindow)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
    fx.setView(1, 60000, ProgramFixture::CenterX + 300, ProgramFixture::CenterY);
    ui::DialogScript script;
    ASSERT_EQ(start(fx), app::StartResult::Running);
    ASSERT_EQ(gintMapInit, 1);
    QComboBox *box = gfrmMain->Combo1;
    EXPECT_EQ(box->currentText(), QStringLiteral("25000"));

    press("TB_ZOOMIN");
    EXPECT_LT(gobjZor->Scale(), 25000.0);
    EXPECT_EQ(box->currentText(), engineScale());
    press("TB_ALLAREA");
    EXPECT_EQ(box->currentText(), engineScale());
    press("TB_HOME1");
    EXPECT_EQ(box->currentText(), QStringLiteral("60000"));

    // The document opens again in a new map window, at the view it left.
    const QPointer<QWidget> before = gfrmZorvik->widget();
    press("TB_OPEN");
    test::flushDeletions();
    ASSERT_EQ(gintMapInit, 1);
    EXPECT_TRUE(before.isNull());
    EXPECT_EQ(box->currentText(), QStringLiteral("60000"));
    press("TB_ZOOMOUT");
    EXPECT_GT(gobjZor->Scale(), 60000.0);
    EXPECT_EQ(box->currentText(), engineScale());
    EXPECT_TRUE(script.requests().empty());
    test::exitProgram();
}

TEST(StartUpDisplays, TheScaleBoxShowsTheWholeMapWhenTheLastViewWasNeverStored)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    ui::DialogScript script;
    // The empty last view, at the opening and at the start's jump: do not
    // show the whole map.
    script.answerButton(ui::vbNo);
    script.answerButton(ui::vbNo);
    ASSERT_EQ(start(fx), app::StartResult::Running);
    ASSERT_EQ(gintMapInit, 1);
    ASSERT_FALSE(script.requests().empty());
    // The map keeps the whole-map view its engine started with.
    EXPECT_EQ(gfrmMain->Combo1->currentText(), engineScale());
    test::exitProgram();
}
