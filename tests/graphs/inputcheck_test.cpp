// The bound check of the choropleth legend on screen: which row is checked,
// the message box, the focus after a refusal, what an acceptance stores and
// carries into the next row, and the row a mouse release makes current.
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra;

namespace {

const QString kara = QStringLiteral("から");
const QString made = QStringLiteral("までの範囲で指定して下さい。");

// Three classes 0-10, 10-20, 20-30 of a data range 0 to 30.
class BoundCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        glngGraphKind = GraphKindNuri;
        legend = std::make_unique<ctlLegend>();
        legend->show();
        legend->Clear();
        legend->AddSegment(0, QStringLiteral("0/10/3"), 0x0000FF);
        legend->AddSegment(0, QStringLiteral("10/20/4"), 0x00FF00);
        legend->AddSegment(0, QStringLiteral("20/30/5"), 0xFF0000);
        legend->SetRange(30, 0);
        legend->ShowLegend();
    }
    void TearDown() override
    {
        legend.reset();
        glngGraphKind = 0;
    }

    // The user releases the mouse in row `row`'s upper-bound box.
    void clickUpper(int row) { QTest::mouseClick(legend->txtMiman(row), Qt::LeftButton); }

    QWidget *focus() const { return legend->window()->focusWidget(); }

    std::unique_ptr<ctlLegend> legend;
};

} // namespace

TEST_F(BoundCheck, NothingToCheckBeforeARowIsEdited)
{
    ui::DialogScript script;
    EXPECT_EQ(legend->curRow(), -1);
    EXPECT_TRUE(legend->InputCheck());
    ctlLegend fresh; // a new control: row 0 is hidden
    EXPECT_EQ(fresh.curRow(), 0);
    EXPECT_TRUE(fresh.InputCheck());
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(BoundCheck, RowsCheckedByTheirPlaceInTheLegend)
{
    struct Case
    {
        const char *name;
        int row; // the row under edit
        QString lower; // typed into row 0's lower bound, when not null
        QString upper; // typed into the row's upper bound
        QString message; // empty: accepted
    };
    const Case cases[] = {
        {"middle row inside its neighbours", 1, {}, "25", {}},
        {"middle row above the next", 1, {}, "35", "10" + kara + "30" + made},
        {"middle row below the previous", 1, {}, "9", "10" + kara + "30" + made},
        {"last row above the maximum", 2, {}, "31", "20" + kara + "30" + made},
        {"last row emptied", 2, {}, "", "20" + kara + "30" + made},
        {"last row at the maximum", 2, {}, "30", {}},
        {"first row lower above upper", 0, "15", "10", "0" + kara + "10" + made},
        {"first row above the next", 0, {}, "21", "0" + kara + "20" + made},
        {"first row emptied", 0, {}, "", "0" + kara + "20" + made},
        {"thousands separator reads up to it", 0, {}, "1,000", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        clickUpper(c.row);
        ASSERT_EQ(legend->curRow(), c.row);
        if (!c.lower.isNull())
            legend->txtIjyou(0)->setText(c.lower);
        legend->txtMiman(c.row)->setText(c.upper);
        const QString nextLower = c.row < 2 ? legend->txtIjyou(c.row + 1)->text() : QString();
        const std::vector<HanreiItem> before = legend->hanreiItems();
        QSignalSpy spy(legend.get(), &ctlLegend::RangeChange);
        ui::DialogScript script;
        const bool accepted = legend->InputCheck();
        EXPECT_EQ(legend->curRow(), c.row);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(accepted);
            EXPECT_TRUE(script.requests().empty());
            const QString lower = legend->txtIjyou(c.row)->text();
            EXPECT_EQ(legend->hanreiItems()[c.row].strName,
                lower + "/" + c.upper + "/" + legend->txtAtai(c.row)->text());
            if (c.row < 2) {
                EXPECT_EQ(legend->txtIjyou(c.row + 1)->text(), c.upper);
                EXPECT_EQ(legend->hanreiItems()[c.row + 1].strName.section('/', 0, 0), c.upper);
            }
            ASSERT_EQ(spy.size(), 1);
            EXPECT_EQ(spy[0][0].value<std::int16_t>(), c.row);
            EXPECT_EQ(spy[0][1].toString(), lower);
            EXPECT_EQ(spy[0][2].toString(), c.upper);
        } else {
            EXPECT_FALSE(accepted);
            ASSERT_EQ(script.requests().size(), 1u);
            const ui::DialogRequest &box = script.requests()[0];
            EXPECT_EQ(box.kind, ui::DialogKind::MessageBox);
            EXPECT_EQ(box.prompt, c.message);
            EXPECT_EQ(box.buttons, ui::vbOKOnly);
            EXPECT_EQ(box.title, QCoreApplication::applicationName());
            EXPECT_EQ(focus(), legend->txtMiman(c.row));
            EXPECT_EQ(spy.size(), 0);
            if (c.row < 2) {
                EXPECT_EQ(legend->txtIjyou(c.row + 1)->text(), nextLower);
            }
            for (std::size_t k = 0; k < before.size(); ++k)
                EXPECT_EQ(legend->hanreiItems()[k].strName, before[k].strName);
            EXPECT_EQ(legend->txtMiman(c.row)->text(), c.upper); // the typed text stays
        }
    }
}

TEST_F(BoundCheck, AcceptedMiddleRowIsCarriedIntoTheNext)
{
    clickUpper(1);
    legend->txtMiman(1)->setText(QStringLiteral("25"));
    QSignalSpy spy(legend.get(), &ctlLegend::RangeChange);
    ui::DialogScript script;
    EXPECT_TRUE(legend->InputCheck());
    EXPECT_EQ(legend->txtIjyou(2)->text(), "25");
    EXPECT_EQ(legend->hanreiItems()[1].strName, "10/25/4");
    EXPECT_EQ(legend->hanreiItems()[2].strName, "25/30/5");
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<std::int16_t>(), 1);
    EXPECT_EQ(spy[0][1].toString(), "10");
    EXPECT_EQ(spy[0][2].toString(), "25");
}

TEST_F(BoundCheck, ARefusedRowIsCheckedAgainOnTheNextClick)
{
    clickUpper(1);
    legend->txtMiman(1)->setText(QStringLiteral("35"));
    ui::DialogScript script;
    clickUpper(2); // the refused row is checked first and refused again
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, "10" + kara + "30" + made);
    EXPECT_EQ(legend->curRow(), 1);
    EXPECT_EQ(focus(), legend->txtMiman(1));
    QTest::mouseClick(legend->txtIjyou(0), Qt::LeftButton);
    EXPECT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(legend->curRow(), 1);
    // Once mended, the click takes the clicked row.
    legend->txtMiman(1)->setText(QStringLiteral("15"));
    clickUpper(2);
    EXPECT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(legend->curRow(), 2);
    EXPECT_EQ(legend->txtIjyou(2)->text(), "15");
}

TEST_F(BoundCheck, ARowThatNoLongerExistsIsNothingToCheck)
{
    clickUpper(2);
    ASSERT_EQ(legend->curRow(), 2);
    glngGraphKind = GraphKindPie;
    legend->Clear();
    legend->AddSegment(1, QStringLiteral("A"), 0);
    legend->ShowLegend();
    ASSERT_EQ(legend->PSY_GetTextCount(), 1);
    ui::DialogScript script;
    QSignalSpy spy(legend.get(), &ctlLegend::RangeChange);
    EXPECT_TRUE(legend->InputCheck());
    EXPECT_EQ(legend->curRow(), -1);
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(spy.size(), 0);
}
