// The registered-data list dialog, driven offscreen through its modal hook
// and the message-box script.
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/modaldialog.h"
#include "statdataui/frmaddedlist.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using veltra::shell::ScopedModalHook;
using veltra::ui::DialogScript;

namespace {

const QString kHeader
    = QStringLiteral("ユーザーデータ名,年次,,地域の単位,項目のグループ名,都道府県,ファイル名,追加日");

std::vector<QString> lines(int n)
{
    std::vector<QString> out;
    for (int i = 1; i <= n; ++i)
        out.push_back(
            QStringLiteral("S%1,20001001,20050930,市区町村,人口,%1,C:\\etc\\S\\市区町村\\人口\\f%1.txt,"
                           "2024年3月5日 09:07")
                .arg(i));
    return out;
}

// Shows the dialog with the hook playing the user.
void run(frmAddedList &dialog, std::function<void(frmAddedList &)> user)
{
    ScopedModalHook hook([&](QDialog &) { user(dialog); });
    dialog.Show();
}

TEST(FrmAddedList, AnEmptyListShowsTheHeaderAndADisabledButton)
{
    frmAddedList dialog;
    dialog.setFormTitle(QStringLiteral("登録済みデータ"));
    dialog.setHeader(kHeader);
    dialog.setButtonVisible(true);
    run(dialog, [](frmAddedList &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("登録済みデータ"));
        EXPECT_EQ(d.MSFlexGrid1->rowCount(), 1);
        EXPECT_FALSE(d.cmdRun->isEnabled());
        EXPECT_EQ(d.cmdRun->text(), QStringLiteral("ユーザーデータを削除"));
        EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        d.MSFlexGrid1_Click(1); // below the rows: nothing
        EXPECT_FALSE(d.cmdRun->isEnabled());
    });
    EXPECT_FALSE(dialog.OKFlag());
    EXPECT_FALSE(dialog.SelectedData().has_value());
}

TEST(FrmAddedList, TheGridHasOneColumnPerHeaderFieldWithColumnThreeHidden)
{
    frmAddedList dialog;
    dialog.setHeader(kHeader);
    dialog.setDataList(lines(3));
    run(dialog, [](frmAddedList &d) {
        ASSERT_EQ(d.MSFlexGrid1->columnCount(), 9);
        EXPECT_TRUE(d.MSFlexGrid1->isColumnHidden(3));
        EXPECT_EQ(d.MSFlexGrid1->columnWidth(0), veltra::ui::twipsToPixelsX(250));
        EXPECT_EQ(d.MSFlexGrid1->columnWidth(1), veltra::ui::twipsToPixelsX(2000));
        EXPECT_EQ(d.MSFlexGrid1->item(0, 4)->text(), QStringLiteral("地域の単位"));
        EXPECT_EQ(d.MSFlexGrid1->item(2, 0)->text(), QStringLiteral("2"));
        EXPECT_EQ(d.MSFlexGrid1->item(2, 1)->text(), QStringLiteral("S2"));
        EXPECT_EQ(d.MSFlexGrid1->item(2, 7)->text(), QStringLiteral("f2.txt")); // file name only
        // Opens on its first columns, not where the filling ended.
        EXPECT_EQ(d.MSFlexGrid1->currentRow(), 0);
        EXPECT_EQ(d.MSFlexGrid1->currentColumn(), 0);
        EXPECT_FALSE(d.cmdRun->isVisible());
    });
}

TEST(FrmAddedList, WithoutTheButtonRowsStillColourButNothingIsConfirmed)
{
    frmAddedList dialog;
    dialog.setHeader(kHeader);
    dialog.setDataList(lines(3));
    dialog.setButtonVisible(false);
    run(dialog, [](frmAddedList &d) {
        d.MSFlexGrid1_Click(2);
        EXPECT_EQ(d.MSFlexGrid1->item(2, 1)->background().color(), QColor(0, 255, 0));
        EXPECT_EQ(d.MSFlexGrid1->item(1, 1)->background().color(), QColor(255, 255, 255));
        d.cmdCancel_Click();
    });
    EXPECT_FALSE(dialog.OKFlag());
}

TEST(FrmAddedList, ConfirmingARowReturnsItsLine)
{
    struct Row
    {
        std::vector<int> clicks;
        int expected;
    };
    for (const Row &r : {Row{{3}, 3}, Row{{2, 0}, 2}, Row{{1, 3}, 3}}) {
        frmAddedList dialog;
        dialog.setFormTitle(QStringLiteral("削除"));
        dialog.setHeader(kHeader);
        dialog.setDataList(lines(3));
        dialog.setButtonVisible(true);
        DialogScript script;
        script.answerButton(veltra::ui::vbYes);
        run(dialog, [&](frmAddedList &d) {
            for (int row : r.clicks)
                d.MSFlexGrid1_Click(row);
            for (int g = 1; g <= 3; ++g) {
                EXPECT_EQ(d.MSFlexGrid1->item(g, 5)->background().color(),
                    g == r.expected ? QColor(0, 255, 0) : QColor(255, 255, 255));
            }
            d.cmdRun_Click();
        });
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt,
            QStringLiteral("ユーザーデータ %1 を削除しますか？").arg(r.expected));
        EXPECT_EQ(script.requests()[0].title, QStringLiteral("ユーザーデータの登録・削除"));
        EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbYesNo + veltra::ui::vbQuestion);
        ASSERT_TRUE(dialog.OKFlag());
        ASSERT_TRUE(dialog.SelectedData().has_value());
        EXPECT_EQ(
            *dialog.SelectedData(), std::vector<QString>{lines(3)[static_cast<std::size_t>(r.expected - 1)]});
        EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

TEST(FrmAddedList, AnsweringNoKeepsTheDialogOpen)
{
    frmAddedList dialog;
    dialog.setHeader(kHeader);
    dialog.setDataList(lines(2));
    dialog.setButtonVisible(true);
    DialogScript script;
    script.answerButton(veltra::ui::vbNo);
    run(dialog, [](frmAddedList &d) {
        d.MSFlexGrid1_Click(1);
        d.cmdRun_Click();
        EXPECT_FALSE(d.OKFlag());
        d.cmdCancel_Click();
    });
    EXPECT_FALSE(dialog.OKFlag());
    EXPECT_FALSE(dialog.SelectedData().has_value());
}

} // namespace
