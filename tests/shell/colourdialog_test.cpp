// The colour chooser: custom colours kept for the run, the result record, and
// where the dialog is placed.
#include "platform/ui/dialogscript.h"
#include "shell/modcolordialog.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace veltra;

namespace {

class ColourDialog : public ::testing::Test
{
protected:
    void SetUp() override { modColorDialog::ForgetCustomColours(); }
    void TearDown() override { modColorDialog::ForgetCustomColours(); }
};

} // namespace

TEST_F(ColourDialog, FirstDialogOffersSixteenNearWhitesAndKeepsTheUsersColours)
{
    QWidget owner;
    QList<QColor> defined(16, QColor(254, 254, 254));
    defined[0] = QColor(0x12, 0x34, 0x56);
    ui::DialogScript script;
    script.answerColour(QColor(255, 128, 0), defined);
    script.answerCancel();
    const ColorDialogResult chosen = modColorDialog::ShowColorDialog(&owner, -1, 0x00FF00);
    EXPECT_EQ(chosen.Canceled, 0);
    EXPECT_EQ(chosen.Color, 255 + 128 * 256); // RGB(255, 128, 0)
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].kind, ui::DialogKind::Colour);
    EXPECT_EQ(script.requests()[0].colour, QColor(0, 255, 0));
    EXPECT_EQ(script.requests()[0].customColours, QList<QColor>(16, QColor(254, 254, 254)));
    // The next dialog offers what the user defined.
    const ColorDialogResult cancelled = modColorDialog::ShowColorDialog(&owner, 0, 0x0000FF);
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[1].customColours, defined);
    EXPECT_EQ(script.requests()[1].colour, QColor(255, 0, 0));
    EXPECT_EQ(cancelled.Canceled, -1);
    EXPECT_EQ(cancelled.Color, 0);
    EXPECT_EQ(modColorDialog::CustomColours(), defined);
}

TEST_F(ColourDialog, AnUnansweredDialogIsACancel)
{
    ui::DialogScript script;
    const ColorDialogResult r = modColorDialog::ShowColorDialog(nullptr, -1, 0x123456);
    EXPECT_EQ(r.Canceled, -1);
    EXPECT_EQ(r.Color, 0);
    EXPECT_EQ(modColorDialog::CustomColours(), QList<QColor>(16, QColor(254, 254, 254)));
}

TEST(ColourDialogPlacement, OverTheOwnerOrOnTheScreen)
{
    const QRect owner(100, 50, 801, 600);
    const QRect screen(0, 0, 1280, 900);
    struct Case
    {
        std::int16_t placement;
        QRect owner;
        QSize dialog;
        QPoint expected;
    };
    const Case cases[] = {
        // 100 + 400.5 - 200 = 300.5: the half goes to the even neighbour.
        {-1, owner, QSize(400, 300), QPoint(300, 200)},
        // 100 + 400.5 - 200.5 = 300; 50 + 300 - 150.5 = 199.5 -> 200.
        {-1, owner, QSize(401, 301), QPoint(300, 200)},
        {-1, QRect(-500, 20, 400, 200), QSize(200, 100), QPoint(-400, 70)},
        {0, owner, QSize(400, 300), QPoint(440, 300)}, {1, owner, QSize(400, 300), QPoint(440, 300)},
        {-1, QRect(), QSize(400, 300), QPoint(440, 300)}, // no owner: the screen
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.placement << " " << c.dialog.width());
        EXPECT_EQ(modColorDialog::DialogPosition(c.placement, c.owner, screen, c.dialog), c.expected);
    }
}
