// The legend control: rows by graph kind, the entry lists, the layout in
// twips, the colour double click and the bound check of the choropleth rows.
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/legendgeometry.h"
#include "graphs/legendswatch.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/errors.h"
#include "shell/modcolordialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;

namespace {

class Legend : public ::testing::Test
{
protected:
    void SetUp() override { glngGraphKind = GraphKindPie; }
    void TearDown() override
    {
        glngGraphKind = 0;
        modColorDialog::ForgetCustomColours();
    }

    static bool rowShown(const ctlLegend &l, int i) { return !l.picLegendItem(i)->isHidden(); }
};

int ty(const QWidget &w, int twips)
{
    return ui::twipsToPixels(twips, w.logicalDpiY());
}

} // namespace

TEST_F(Legend, ShownAfterClearWithAPieShowsOneBlackEmptyRow)
{
    ctlLegend legend;
    legend.Clear();
    legend.ShowLegend();
    EXPECT_EQ(legend.PSY_GetTextCount(), 1);
    EXPECT_TRUE(rowShown(legend, 0));
    EXPECT_EQ(legend.picLegendItem(0)->colour(), 0);
    EXPECT_FALSE(legend.txtLegend(0)->isHidden());
    EXPECT_TRUE(legend.txtLegend(0)->text().isEmpty());
    EXPECT_TRUE(legend.txtLegend(0)->isReadOnly());
    EXPECT_TRUE(legend.txtIjyou(0)->isHidden());
    EXPECT_TRUE(legend.lblKara(0)->isHidden());
    EXPECT_TRUE(legend.txtLegendTitle()->isHidden());
    // One row leaves the canvas as Clear made it.
    EXPECT_EQ(legend.canvasHeightTwips(), 1185);
}

TEST_F(Legend, ShownAfterClearAsChoroplethHidesRowZeroAndShowsTheTitle)
{
    glngGraphKind = GraphKindNuri;
    ctlLegend legend;
    EXPECT_EQ(legend.canvasHeightTwips(), 295);
    legend.Clear();
    legend.setLegendTitle(QStringLiteral("人口総数"));
    legend.ShowLegend();
    EXPECT_EQ(legend.PSY_GetTextCount(), 1);
    EXPECT_FALSE(rowShown(legend, 0));
    EXPECT_TRUE(legend.txtIjyou(0)->isHidden());
    EXPECT_FALSE(legend.txtIjyou(0)->isEnabled());
    EXPECT_TRUE(legend.txtLegend(0)->isHidden());
    EXPECT_FALSE(legend.txtLegendTitle()->isHidden());
    EXPECT_EQ(legend.txtLegendTitle()->text(), QStringLiteral("人口総数"));
    EXPECT_EQ(legend.curRow(), -1);
}

TEST_F(Legend, ChoroplethEntriesWithTwoPartsAsRowZeroAndAsRowTwo)
{
    glngGraphKind = GraphKindNuri;
    ctlLegend legend;
    legend.Clear();
    legend.AddSegment(0, QStringLiteral("0/10"), 0x0000FF);
    legend.AddSegment(0, QStringLiteral("10/20/4"), 0x00FF00);
    legend.AddSegment(0, QStringLiteral("20/30"), 0xFF0000);
    legend.ShowLegend();
    ASSERT_EQ(legend.PSY_GetTextCount(), 3);
    EXPECT_FALSE(rowShown(legend, 0));
    EXPECT_TRUE(legend.txtMiman(0)->isHidden());
    EXPECT_TRUE(rowShown(legend, 2));
    EXPECT_EQ(legend.picLegendItem(2)->colour(), 0xFF0000);
    EXPECT_EQ(legend.txtIjyou(2)->text(), "20");
    EXPECT_EQ(legend.txtMiman(2)->text(), "30");
    EXPECT_FALSE(legend.txtAtai(2)->isHidden());
    EXPECT_TRUE(legend.txtAtai(2)->text().isEmpty());
    EXPECT_EQ(legend.lblKara(2)->text(), QStringLiteral("～"));
    // Only the upper bounds of rows after the first take input.
    EXPECT_FALSE(legend.txtIjyou(1)->isEnabled());
    EXPECT_TRUE(legend.txtMiman(1)->isEnabled());
    EXPECT_FALSE(legend.txtAtai(1)->isEnabled());
    EXPECT_TRUE(legend.txtLegend(1)->isHidden());
    // Rows follow at the pitch of 265 twips.
    EXPECT_EQ(legend.picLegendItem(2)->y(), ty(legend, 40 + 2 * 265));
    EXPECT_EQ(legend.txtMiman(2)->y(), legend.picLegendItem(2)->y());
}

TEST_F(Legend, ScatterHidesOnlyRowZeroAndTheTitle)
{
    ctlLegend legend;
    legend.Clear();
    for (int i = 0; i < 3; ++i)
        legend.AddSegment(i, QStringLiteral("項目%1").arg(i), 0x112233 * i);
    legend.ShowLegend();
    ASSERT_EQ(legend.PSY_GetTextCount(), 3);
    glngGraphKind = GraphKindSanpuzu;
    legend.ShowLegend();
    EXPECT_FALSE(rowShown(legend, 0));
    EXPECT_TRUE(legend.txtLegend(0)->isHidden());
    EXPECT_TRUE(legend.txtLegendTitle()->isHidden());
    ASSERT_EQ(legend.PSY_GetTextCount(), 3);
    EXPECT_TRUE(rowShown(legend, 2));
    EXPECT_EQ(legend.txtLegend(2)->text(), QStringLiteral("項目2"));
    legend.Clear2();
    EXPECT_EQ(legend.PSY_GetTextCount(), 1);
}

TEST_F(Legend, TenClassRowsScrollAsTheirCanvasNeeds)
{
    glngGraphKind = GraphKindNuri;
    ctlLegend legend;
    legend.show();
    legend.Clear();
    for (int i = 0; i < 10; ++i)
        legend.AddSegment(0, QStringLiteral("%1/%2/1").arg(i * 10).arg(i * 10 + 10), 0);
    legend.ShowLegend();
    EXPECT_EQ(legend.canvasHeightTwips(), 2840);
    EXPECT_EQ(legend.picInner()->height(), ty(legend, 2840));
    // A legend box whose inside is 2190 twips high, under the title.
    QScrollArea *box = legend.picLegend();
    const int inner = ty(legend, 2190);
    legend.resize(legend.width(), ty(legend, 270) + inner + 2 * box->frameWidth());
    QApplication::processEvents();
    EXPECT_EQ(box->y(), ty(legend, 270));
    EXPECT_EQ(box->viewport()->height(), inner);
    QScrollBar *bar = box->verticalScrollBar();
    EXPECT_FALSE(bar->isHidden());
    const graphs::LegendScroll expected = graphs::legendScroll(ty(legend, 2840), inner);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), -expected.max);
    EXPECT_EQ(bar->pageStep(), expected.largeStep);
    EXPECT_EQ(bar->singleStep(), expected.smallStep);
    // A canvas no taller than the inside needs no bar.
    legend.resize(legend.width(), ty(legend, 270) + ty(legend, 3000));
    QApplication::processEvents();
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(Legend, TwoHundredRowsScrollToTheLast)
{
    ctlLegend legend;
    legend.show();
    legend.Clear();
    for (int i = 0; i < 200; ++i)
        legend.AddSegment(i, QStringLiteral("項目%1").arg(i), 0);
    legend.ShowLegend();
    QApplication::processEvents();
    EXPECT_EQ(legend.canvasHeightTwips(), 280 * 200 + 40);
    // The scroll range reaches past the last row, however many rows there are.
    QScrollArea *box = legend.picLegend();
    QScrollBar *bar = box->verticalScrollBar();
    QWidget *last = legend.txtLegend(199);
    const int bottom = last->y() + last->height() - box->viewport()->height();
    EXPECT_GE(bar->maximum(), bottom);
    bar->setValue(bottom);
    QApplication::processEvents();
    const QPoint inViewport = last->mapTo(box->viewport(), QPoint(0, 0));
    EXPECT_GE(inViewport.y(), 0);
    EXPECT_LE(inViewport.y() + last->height(), box->viewport()->height());
    EXPECT_GT(bar->value(), 32768 / 15);
}

TEST_F(Legend, GetHanreiAndTheTextCount)
{
    glngGraphKind = GraphKindNuri;
    ctlLegend legend;
    EXPECT_EQ(legend.PSY_GetTextCount(), 1); // row 0 exists, hidden
    legend.Clear();
    legend.AddSegment(0, QStringLiteral("0/10/2"), 0);
    legend.AddSegment(0, QStringLiteral("10/20/3"), 0);
    legend.ShowLegend();
    legend.txtMiman(0)->setText(QStringLiteral(" 12 "));
    legend.txtIjyou(1)->clear();
    EXPECT_EQ(legend.GetHanrei(0), QStringLiteral("0/ 12 "));
    EXPECT_EQ(legend.GetHanrei(1), QStringLiteral("/20"));
    EXPECT_THROW(legend.GetHanrei(2), vb::SubscriptOutOfRange);
    legend.PSY_SetText(1, QStringLiteral("a"), QStringLiteral("b"));
    legend.PSY_SetText(5, QStringLiteral("c"), QStringLiteral("d")); // no such row: ignored
    EXPECT_EQ(legend.GetHanrei(1), QStringLiteral("a/b"));
    EXPECT_EQ(legend.PSY_GetTextCount(), 2);
}

TEST_F(Legend, EntryListsFollowTheKindOfEachCall)
{
    ctlLegend legend; // a pie legend: its segment list holds the blank entry
    legend.AddSegment(0.25, QStringLiteral("A"), 0x10);
    legend.AddSegment(0.75, QStringLiteral("B"), 0x20);
    glngGraphKind = GraphKindNuri;
    legend.Clear(); // resets the class list only
    legend.AddSegment(0.5, QStringLiteral("0/1/1"), 0x30);
    ASSERT_EQ(legend.legendSegments().size(), 2u);
    EXPECT_EQ(legend.legendSegments()[1].dblValue, 0.75);
    ASSERT_EQ(legend.hanreiItems().size(), 1u);
    EXPECT_EQ(legend.hanreiItems()[0].strName, "0/1/1");
    // Clear2 keeps the entries; the next AddSegment overwrites entry 0 and
    // trims the list to the entries added since.
    legend.AddSegment(0, QStringLiteral("1/2/1"), 0x40);
    legend.Clear2();
    EXPECT_EQ(legend.lngCount(), -1);
    legend.AddSegment(0, QStringLiteral("5/6/1"), 0x50);
    ASSERT_EQ(legend.hanreiItems().size(), 1u);
    EXPECT_EQ(legend.hanreiItems()[0].lngColor, 0x50);
    EXPECT_THROW(legend.ChangeColor(1, 0), vb::SubscriptOutOfRange);
}

TEST_F(Legend, ChangeColorLeavesTheSwatchUntilTheNextShow)
{
    ctlLegend legend;
    legend.Clear();
    legend.AddSegment(1, QStringLiteral("A"), 0x0000FF);
    legend.AddSegment(2, QStringLiteral("B"), 0x00FF00);
    legend.ShowLegend();
    legend.ChangeColor(1, 0x123456);
    EXPECT_EQ(legend.legendSegments()[1].lngColor, 0x123456);
    EXPECT_EQ(legend.picLegendItem(1)->colour(), 0x00FF00);
    legend.ShowLegend();
    EXPECT_EQ(legend.picLegendItem(1)->colour(), 0x123456);
}

TEST_F(Legend, DoubleClickOnASwatchChoosesItsColour)
{
    ctlLegend legend;
    legend.show();
    legend.Clear();
    legend.AddSegment(1, QStringLiteral("A"), 0x0000FF);
    legend.AddSegment(2, QStringLiteral("B"), 0x00FF00);
    legend.ShowLegend();
    QSignalSpy spy(&legend, &ctlLegend::ColorChange);
    ui::DialogScript script;
    script.answerColour(QColor(255, 128, 0));
    script.answerCancel();
    QTest::mouseDClick(legend.picLegendItem(1), Qt::LeftButton);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].kind, ui::DialogKind::Colour);
    EXPECT_EQ(script.requests()[0].colour, QColor(0, 255, 0)); // the swatch's colour preselected
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<std::int16_t>(), 1);
    EXPECT_EQ(spy[0][1].value<std::int32_t>(), 255 + 128 * 256);
    EXPECT_EQ(legend.picLegendItem(1)->colour(), 255 + 128 * 256);
    // The entry list waits for the host to call ChangeColor.
    EXPECT_EQ(legend.legendSegments()[1].lngColor, 0x00FF00);

    QTest::mouseDClick(legend.picLegendItem(1), Qt::LeftButton); // cancelled
    EXPECT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(spy.size(), 1);
    EXPECT_EQ(legend.picLegendItem(1)->colour(), 255 + 128 * 256);
}
