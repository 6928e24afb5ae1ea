// The tool tip: its defaults, what acts on a live tip window and what waits
// for the next Create, and the tip window itself.
#include "shell/clstooltip.h"

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QToolTip>
#include <gtest/gtest.h>

using veltra::shell::TipWindow;

TEST(ToolTip, DefaultsAndNoWindowBeforeCreate)
{
    clsToolTip tip;
    EXPECT_EQ(tip.Style(), 0);
    EXPECT_FALSE(tip.Centered());
    EXPECT_EQ(tip.Icon(), 0);
    EXPECT_EQ(tip.ForeColor(), 0);
    EXPECT_EQ(tip.BackColor(), 0);
    EXPECT_TRUE(tip.Title().isEmpty());
    EXPECT_TRUE(tip.TipText().isEmpty());
    EXPECT_EQ(tip.VisibleTime(), 5000);
    EXPECT_EQ(tip.DelayTime(), 500);
    // Setting the text only stores it.
    tip.setTipText(QStringLiteral("東京都千代田区"));
    EXPECT_EQ(tip.tipWindow(), nullptr);
    EXPECT_EQ(tip.TipText(), QStringLiteral("東京都千代田区"));
}

TEST(ToolTip, CreateBuildsTheTipFromTheStoredProperties)
{
    QWidget tool;
    clsToolTip tip;
    tip.setTipText(QStringLiteral("東京都千代田区"));
    tip.setStyle(1);
    tip.setTitle(QStringLiteral("地域")); // with icon 0: either one suffices at Create
    tip.setVisibleTime(3000);
    tip.setDelayTime(200);
    tip.Create(&tool);
    TipWindow *w = tip.tipWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->tool(), &tool);
    EXPECT_EQ(w->text(), QStringLiteral("東京都千代田区"));
    EXPECT_EQ(w->title(), QStringLiteral("地域"));
    EXPECT_EQ(w->icon(), 0);
    EXPECT_TRUE(w->isBalloon());
    EXPECT_FALSE(w->isCentered());
    EXPECT_EQ(w->visibleTime(), 3000);
    EXPECT_EQ(w->delayTime(), 200);
    // Colours of 0 leave the usual tool-tip colours.
    EXPECT_EQ(w->textColour(), QToolTip::palette().color(QPalette::ToolTipText));
    EXPECT_EQ(w->backColour(), QToolTip::palette().color(QPalette::ToolTipBase));
    EXPECT_FALSE(w->isVisible());
}

TEST(ToolTip, LetsOnALiveTip)
{
    QWidget tool;
    clsToolTip tip;
    tip.setForeColor(0x0000FF); // red
    tip.Create(&tool);
    TipWindow *w = tip.tipWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->textColour(), QColor(255, 0, 0));
    // Text and colours change the live tip at once; a colour of 0 is black.
    tip.setTipText(QStringLiteral("大阪府"));
    EXPECT_EQ(w->text(), QStringLiteral("大阪府"));
    tip.setBackColor(0x00FFFF); // yellow
    EXPECT_EQ(w->backColour(), QColor(255, 255, 0));
    tip.setForeColor(0);
    EXPECT_EQ(w->textColour(), QColor(0, 0, 0));
    // A title while the icon is 0 waits for the next Create.
    tip.setTitle(QStringLiteral("地域名"));
    EXPECT_TRUE(w->title().isEmpty());
    tip.setIcon(1);
    EXPECT_EQ(w->title(), QStringLiteral("地域名"));
    EXPECT_EQ(w->icon(), 1);
    // Style, Centered and the times wait for the next Create too.
    tip.setStyle(1);
    tip.setCentered(true);
    tip.setVisibleTime(100);
    tip.setDelayTime(50);
    EXPECT_FALSE(w->isBalloon());
    EXPECT_FALSE(w->isCentered());
    EXPECT_EQ(w->visibleTime(), 5000);
    EXPECT_EQ(w->delayTime(), 500);
    EXPECT_EQ(tip.tipWindow(), w);
    tip.Create(&tool);
    TipWindow *next = tip.tipWindow();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->isBalloon());
    EXPECT_TRUE(next->isCentered());
    EXPECT_EQ(next->visibleTime(), 100);
    EXPECT_EQ(next->delayTime(), 50);
    EXPECT_EQ(next->text(), QStringLiteral("大阪府"));
    EXPECT_EQ(next->title(), QStringLiteral("地域名"));
    EXPECT_EQ(next->textColour(), QToolTip::palette().color(QPalette::ToolTipText)); // ForeColor is 0 now
    EXPECT_EQ(next->backColour(), QColor(255, 255, 0));
}

TEST(ToolTip, CreateReplacesAndDestroyRemovesTheWindow)
{
    QWidget tool;
    QPointer<TipWindow> first;
    {
        clsToolTip tip;
        tip.Create(&tool);
        first = tip.tipWindow();
        tip.Create(&tool);
        EXPECT_TRUE(first.isNull()); // the earlier window is gone
        first = tip.tipWindow();
        tip.Destroy();
        EXPECT_TRUE(first.isNull());
        EXPECT_EQ(tip.tipWindow(), nullptr);
        tip.Destroy(); // nothing to destroy
        tip.Create(&tool);
        first = tip.tipWindow();
        ASSERT_FALSE(first.isNull());
    }
    EXPECT_TRUE(first.isNull()); // the object's end destroys it
}

TEST(ToolTip, ThePointerOnTheToolStartsTheDelayAndLeavingHidesTheTip)
{
    QListWidget list; // a scroll area: its viewport gets the mouse
    list.addItem(QStringLiteral("北海道"));
    list.resize(200, 100);
    list.show();
    clsToolTip tip;
    tip.setStyle(1);
    tip.setTipText(QStringLiteral("北海道"));
    tip.Create(&list);
    TipWindow *w = tip.tipWindow();
    ASSERT_NE(w, nullptr);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(list.viewport(), &enter);
    EXPECT_TRUE(w->isWaiting());
    w->popUp(list.mapToGlobal(QPoint(20, 10))); // as the delay ends
    EXPECT_TRUE(w->isVisible());
    // The balloon is painted in the tip's colours.
    tip.setBackColor(0x00FFFF);
    const QImage shown = w->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() - 4), QColor(255, 255, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list.viewport(), &leave);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->isWaiting());
}
