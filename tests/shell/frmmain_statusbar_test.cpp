// The main frame's status bar and its panel clicks.
#include "framefixture.h"
#include "shell/comdatectrl.h"
#include "shell/datepanels.h"
#include "shell/globals.h"
#include "shell/moderegistry.h"
#include "shell/operationroom.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>

using namespace veltra;
using namespace veltra::shell;
using veltra::test::FrameTest;

TEST_F(FrameTest, StatusBarHasEightPanelsWithTheDateSelectors)
{
    for (int i = 1; i <= 8; ++i)
        EXPECT_NE(frame->statusPanel(i), nullptr) << i;
    EXPECT_EQ(frame->statusPanel(9), nullptr);
    EXPECT_EQ(frame->statusPanel(4)->text(), QStringLiteral("今日"));
    EXPECT_EQ(frame->statusPanel(5)->toolTip(), QStringLiteral("未指定"));
    EXPECT_EQ(frame->statusPanel(6)->text(), QStringLiteral("指定日"));
    EXPECT_FALSE(frame->statusPanel(7)->text().isEmpty()); // system date
}

TEST_F(FrameTest, PanelClicksDoNothingWithoutAMap)
{
    gintPointType = 1;
    int dialogs = 0;
    modeRegistry().navigation().showViewDate = [&](const QString &) { ++dialogs; };
    for (int panel = 1; panel <= 8; ++panel)
        frame->sbStatusBar_PanelClick(panel);
    EXPECT_EQ(gintPointType, 1);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(frame->statusPanel(3)->text().isEmpty());
}

TEST_F(FrameTest, PositionPanelCyclesThroughTheFourForms)
{
    openDocument();
    gintPointType = 0;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        // A real click on the panel, as the user makes it.
        QLabel *panel = frame->statusPanel(2);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3), panel->mapToGlobal(QPointF(3, 3)),
            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &release);
        seen.push_back(gintPointType);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(FrameTest, TodayAndNoDatePanelsSetTheEnginesPeriod)
{
    openDocument();
    QString label;
    operationRoomLabels().setDateLabel = [&](const QString &text) { label = text; };
    const QDate today = QDate::currentDate();
    // A base date after today gives a negative day number, passed on as it is.
    gdtBaseDate = today.addDays(10);
    frame->sbStatusBar_PanelClick(4);
    EXPECT_EQ(gobjZor->DateFrom(), -10);
    EXPECT_EQ(gobjZor->DateTo(), -10);
    EXPECT_EQ(frame->statusPanelText(3), QStringLiteral("設定日  ") + ComDateCtrl::FormatDate(today));
    EXPECT_EQ(gstrSetDateMode, QStringLiteral("ToDay"));
    EXPECT_EQ(gstrSetDate1, ComDateCtrl::FormatDate(today));
    EXPECT_EQ(gstrViewDate, today.toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(label, ComDateCtrl::FormatDate(today));
    EXPECT_TRUE(datePanelSelected(4));
    EXPECT_FALSE(datePanelSelected(5));
    EXPECT_FALSE(datePanelSelected(6));

    frame->sbStatusBar_PanelClick(5);
    EXPECT_EQ(gobjZor->DateFrom(), 1);
    EXPECT_EQ(gobjZor->DateTo(), 0);
    EXPECT_EQ(frame->statusPanelText(3), QStringLiteral("設定日　日付指定なし"));
    EXPECT_EQ(label, QStringLiteral("日付指定なし"));
    EXPECT_EQ(gstrSetDateMode, QStringLiteral("NoDay"));
    EXPECT_TRUE(gstrSetDate1.isEmpty());
    EXPECT_TRUE(gstrViewDate.isEmpty());
    EXPECT_TRUE(datePanelSelected(5));
    EXPECT_FALSE(datePanelSelected(4));
    operationRoomLabels().setDateLabel = nullptr;
}

TEST_F(FrameTest, ChosenDatePanelOpensTheDialogWithoutChangingTheMode)
{
    openDocument();
    gstrSetDateMode = QStringLiteral("NoDay");
    QStringList preselected;
    modeRegistry().navigation().showViewDate = [&](const QString &mode) { preselected << mode; };
    frame->sbStatusBar_PanelClick(6);
    EXPECT_EQ(preselected, QStringList({"Time"}));
    // A cancelled dialog leaves the stored mode as it was.
    EXPECT_EQ(gstrSetDateMode, QStringLiteral("NoDay"));
}

TEST_F(FrameTest, StatusBarMenuHidesAndShowsTheBar)
{
    QAction *item = frame->mnuViewStatusBar;
    ASSERT_TRUE(frame->statusBar()->isVisible());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(frame->statusBar()->isVisible());
    item->trigger();
    EXPECT_TRUE(frame->statusBar()->isVisible());
}
