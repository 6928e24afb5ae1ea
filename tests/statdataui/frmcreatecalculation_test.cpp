// The calculation-template editor window, driven offscreen through its modal
// hook, its widgets and the message-box script.
#include "platform/analyzer/analyzerengine.h"
#include "platform/profile/profile.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/errors.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statdata/calcdatafixture.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/globals.h"
#include "statdataui/frmcreatecalculation.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>

using veltra::shell::ScopedModalHook;
using veltra::test::CalcDataFixture;
using veltra::ui::DialogScript;

namespace {

const QString kPopulation = QStringLiteral("{[市区町村][人口][総数]}");

// Shows the editor with the hook playing the user; the dialog's result.
int run(frmCreateCalculation &dialog, const std::function<void(frmCreateCalculation &)> &user)
{
    ScopedModalHook hook([&](QDialog &) { user(dialog); });
    return dialog.Show();
}

// Types text into a widget key by key, as the keyboard would.
void typeKeys(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        int key = c.unicode();
        if (c == u'\r')
            key = Qt::Key_Return;
        else if (c.isLetter())
            key = c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, c == u'\r' ? QString() : QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void mouse(QTableWidget *grid, int row, QEvent::Type type, Qt::MouseButton button,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPoint at = grid->visualItemRect(grid->item(row - 1, 0)).center();
    QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at), button,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : button, modifiers);
    QApplication::sendEvent(grid->viewport(), &event);
}

int indexOf(const QComboBox *combo, const QString &text)
{
    return combo->findText(text, Qt::MatchExactly);
}

class FrmCreateCalculationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gstrDataPath = fixture.dataFolder();
        gstrCalcTemplateFile.clear();
    }

    // Statistics 人口, unit 市区町村 and kind 人口 chosen as a user does.
    static void chooseLists(frmCreateCalculation &d, const QString &kind = QStringLiteral("人口"))
    {
        emit d.cmbFileLstName->activated(indexOf(d.cmbFileLstName, QStringLiteral("人口")));
        d.List2->setCurrentRow(static_cast<int>(d.model().dataKinds().indexOf(kind)));
    }

    static void doubleClickItem(frmCreateCalculation &d, const QString &item)
    {
        const auto found = d.List1->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        d.List1->setCurrentItem(found.front());
        emit d.List1->itemDoubleClicked(found.front());
    }

    void open(frmCreateCalculation &d, const QString &path = QString())
    {
        d.setTemplateFolder(fixture.templateFolder());
        d.setAnaRange(2);
        d.setTemplateFilePath(path);
    }

    CalcDataFixture fixture;
};

TEST_F(FrmCreateCalculationTest, OpensWithTheStatisticsAndEmptyDisabledLists)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("計算方法設定"));
        ASSERT_EQ(d.cmbFileLstName->count(), 5);
        EXPECT_EQ(d.cmbFileLstName->itemText(0), QString());
        EXPECT_EQ(d.cmbFileLstName->itemText(2), QStringLiteral("人口"));
        EXPECT_FALSE(d.Combo1->isEnabled());
        EXPECT_FALSE(d.List2->isEnabled());
        EXPECT_FALSE(d.List1->isEnabled());
        EXPECT_EQ(d.grdFieldName->rowCount(), 20);
        EXPECT_EQ(d.grdOpeExpression->rowCount(), 19);
        EXPECT_EQ(d.grdOpeExpression->currentRow(), 0);
        EXPECT_TRUE(d.rhTxtCalc->isReadOnly());
        EXPECT_FALSE(d.txtInp->isVisible());
        const char *captions[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "．", "+/-", "＋", "－",
            "×", "／", "Σ", "：", "(", ")", "Enter"};
        for (int i = 0; i < 21; ++i)
            EXPECT_EQ(d.cmdCal[static_cast<std::size_t>(i)]->text(), QString::fromUtf8(captions[i])) << i;
        EXPECT_EQ(d.cmdClear->text(), QStringLiteral("ｸﾘｱ"));
        EXPECT_EQ(d.cmdEntry->text(), QStringLiteral("登録"));
        EXPECT_EQ(d.cmdEnd->text(), QStringLiteral("閉じる"));
    });
}

TEST_F(FrmCreateCalculationTest, AMissingYearFileReachesTheOpener)
{
    gstrDataPath = fixture.dir.path() + QStringLiteral("nowhere/");
    EXPECT_THROW(frmCreateCalculation dialog, veltra::vb::FileError);
}

TEST_F(FrmCreateCalculationTest, ATemplateOfMoreThanTenFieldsReachesTheOpener)
{
    veltra::statdata::CalcTemplate tmpl;
    for (int k = 1; k <= 11; ++k)
        tmpl.fields.push_back({QStringLiteral("f"), {QStringLiteral("1")}, {QString()}});
    const QString path = fixture.templateFolderLocal() + QStringLiteral("/多い.cal");
    ASSERT_TRUE(veltra::statdata::writeCalcTemplate(path, tmpl));
    frmCreateCalculation dialog;
    dialog.setAnaRange(2);
    EXPECT_THROW(dialog.setTemplateFilePath(path), veltra::vb::SubscriptOutOfRange);
}

TEST_F(FrmCreateCalculationTest, ListsAndTheDoubleClickPlaceAReference)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        chooseLists(d);
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("市区町村"));
        EXPECT_TRUE(d.Combo1->isEnabled());
        EXPECT_EQ(d.List2->count(), 2);
        EXPECT_TRUE(d.List1->isEnabled());
        doubleClickItem(d, QStringLiteral("総数"));
        EXPECT_EQ(d.grdOpeExpression->item(0, 0)->text(), kPopulation);
        EXPECT_EQ(d.grdOpeExpression->currentRow(), 1);
        EXPECT_EQ(d.grdFieldName->item(0, 0)->text(), QStringLiteral("市区町村_人口_総数"));
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), kPopulation);
        // The empty statistics entry empties and disables the lists.
        emit d.cmbFileLstName->activated(0);
        EXPECT_EQ(d.Combo1->count(), 0);
        EXPECT_FALSE(d.Combo1->isEnabled());
        EXPECT_FALSE(d.List2->isEnabled());
        EXPECT_FALSE(d.List1->isEnabled());
    });
}

TEST_F(FrmCreateCalculationTest, TheNumberBoxKeyFilter)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        typeKeys(d.txtCalcDisp, QStringLiteral("123456789"));
        EXPECT_EQ(d.txtCalcDisp->text(), QStringLiteral("12345678"));
        d.txtCalcDisp->clear();
        typeKeys(d.txtCalcDisp, QStringLiteral("12.5.a,"));
        EXPECT_EQ(d.txtCalcDisp->text(), QStringLiteral("12.5"));
        // A typed operator is placed as the pad places it; the number waits.
        typeKeys(d.txtCalcDisp, QStringLiteral("*"));
        EXPECT_EQ(d.txtCalcDisp->text(), QStringLiteral("12.5"));
        EXPECT_EQ(d.grdOpeExpression->item(0, 0)->text(), QStringLiteral("*"));
        typeKeys(d.txtCalcDisp, QStringLiteral("\r"));
        EXPECT_EQ(d.txtCalcDisp->text(), QString());
        EXPECT_EQ(d.grdOpeExpression->item(1, 0)->text(), QStringLiteral("12.5"));
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("*12.5"));
        // A paste-like edit passes the same filter.
        d.txtCalcDisp->setText(QStringLiteral("1x2.3.4"));
        EXPECT_EQ(d.txtCalcDisp->text(), QStringLiteral("12.34"));
        EXPECT_EQ(d.model().numberText(), QStringLiteral("12.34"));
    });
}

TEST_F(FrmCreateCalculationTest, ThePadTypesPlacesAndCommits)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        d.show();
        for (const int i : {1, 0, 0})
            d.cmdCal[static_cast<std::size_t>(i)]->click();
        EXPECT_EQ(d.focusWidget(), d.txtCalcDisp);
        d.cmdCal[12]->click(); // ＋
        EXPECT_EQ(d.txtCalcDisp->text(), QStringLiteral("100"));
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("+"));
        d.cmdCal[11]->click(); // +/- does nothing
        EXPECT_EQ(d.txtCalcDisp->text(), QStringLiteral("100"));
        d.cmdCal[10]->click(); // ．
        d.cmdCal[5]->click();
        d.cmdCal[10]->click(); // a second point is dropped
        d.cmdCal[20]->click(); // Enter
        EXPECT_EQ(d.txtCalcDisp->text(), QString());
        const char *operators[] = {"-", "*", "/", "SUM(", ":", "(", ")"};
        for (int i = 13; i <= 19; ++i)
            d.cmdCal[static_cast<std::size_t>(i)]->click();
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("+100.5-*/SUM(:()"));
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(d.grdOpeExpression->item(i + 2, 0)->text(), QString::fromLatin1(operators[i]));
        d.cmdEnd->click();
    });
}

TEST_F(FrmCreateCalculationTest, FieldRowsBeyondTheStoresDoNothing)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        d.cmdCal[12]->click();
        d.grdFieldName_MouseUp(12);
        EXPECT_EQ(d.grdFieldName->currentRow(), 0);
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("+"));
        // Through the real mouse: row 3 shows field 3 with the cursor on row 2.
        mouse(d.grdFieldName, 3, QEvent::MouseButtonRelease, Qt::LeftButton);
        EXPECT_EQ(d.grdFieldName->currentRow(), 2);
        EXPECT_EQ(d.grdOpeExpression->currentRow(), 1);
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QString());
        EXPECT_EQ(d.grdOpeExpression->item(0, 0)->text(), QString());
        d.cmdCal[13]->click();
        EXPECT_EQ(d.grdOpeExpression->item(1, 0)->text(), QStringLiteral("-"));
        d.grdFieldName_MouseUp(1);
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("+"));
    });
}

TEST_F(FrmCreateCalculationTest, TheNameEditorMakesAFieldName)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        d.show();
        d.activateWindow();
        QApplication::processEvents();
        mouse(d.grdFieldName, 2, QEvent::MouseButtonDblClick, Qt::LeftButton);
        ASSERT_TRUE(d.txtInp->isVisible());
        const QRect cell = d.grdFieldName->visualItemRect(d.grdFieldName->item(1, 0));
        EXPECT_EQ(d.txtInp->y(), d.grdFieldName->viewport()->mapTo(&d, cell.topLeft()).y());
        EXPECT_EQ(d.txtInp->width(), d.grdFieldName->width());
        d.txtInp->setText(QStringLiteral("a.b  c"));
        d.txtInp_LostFocus();
        EXPECT_FALSE(d.txtInp->isVisible());
        EXPECT_EQ(d.grdFieldName->item(1, 0)->text(), QStringLiteral("a_b_c"));
        d.grdFieldName_DblClick(4);
        EXPECT_EQ(d.txtInp->text(), QString());
        d.txtInp->setText(QStringLiteral("0-4歳"));
        d.txtCalName->setFocus(); // leaving the box makes the name
        QApplication::processEvents();
        EXPECT_FALSE(d.txtInp->isVisible());
        EXPECT_EQ(d.grdFieldName->item(3, 0)->text(), QStringLiteral("0～4歳"));
        d.cmdEnd->click();
    });
}

TEST_F(FrmCreateCalculationTest, DeletingAndInsertingAskFirst)
{
    frmCreateCalculation dialog;
    open(dialog);
    run(dialog, [](frmCreateCalculation &d) {
        for (const int i : {12, 13, 14})
            d.cmdCal[static_cast<std::size_t>(i)]->click(); // + - *
        DialogScript script;
        script.answerButton(veltra::ui::vbNo);
        script.answerButton(veltra::ui::vbYes);
        script.answerButton(veltra::ui::vbNo);
        script.answerButton(veltra::ui::vbYes);
        mouse(d.grdOpeExpression, 2, QEvent::MouseButtonRelease, Qt::RightButton);
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("+-*"));
        mouse(d.grdOpeExpression, 2, QEvent::MouseButtonRelease, Qt::RightButton);
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("+*"));
        // With Shift held the right button asks nothing.
        mouse(d.grdOpeExpression, 1, QEvent::MouseButtonRelease, Qt::RightButton, Qt::ShiftModifier);
        mouse(d.grdOpeExpression, 1, QEvent::MouseButtonDblClick, Qt::LeftButton);
        EXPECT_EQ(d.grdOpeExpression->item(0, 0)->text(), QStringLiteral("+"));
        mouse(d.grdOpeExpression, 1, QEvent::MouseButtonDblClick, Qt::LeftButton);
        EXPECT_EQ(d.grdOpeExpression->item(0, 0)->text(), QString());
        EXPECT_EQ(d.grdOpeExpression->item(1, 0)->text(), QStringLiteral("+"));
        EXPECT_EQ(d.grdOpeExpression->currentRow(), 0);
        d.cmdCal[18]->click(); // "(" into the opened row
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QStringLiteral("(+*"));
        ASSERT_EQ(script.requests().size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(script.requests()[static_cast<std::size_t>(i)].prompt,
                i < 2 ? QStringLiteral("演算項目を削除しますか？")
                      : QStringLiteral("演算項目を挿入しますか？"));
            EXPECT_EQ(script.requests()[static_cast<std::size_t>(i)].buttons, veltra::ui::vbYesNo);
        }
        d.cmdClear->click();
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), QString());
        EXPECT_EQ(d.grdOpeExpression->currentRow(), 0);
        EXPECT_TRUE(d.model().fieldsHoldingTokens().empty());
    });
}

TEST_F(FrmCreateCalculationTest, ARefusedNameKeepsTheWindowOpenWithTheFocusInTheNameBox)
{
    frmCreateCalculation dialog;
    open(dialog);
    DialogScript script;
    const int result = run(dialog, [](frmCreateCalculation &d) {
        d.show();
        chooseLists(d);
        doubleClickItem(d, QStringLiteral("総数"));
        d.cmdCal[15]->click();
        d.cmdCal[2]->click();
        d.cmdCal[20]->click();
        d.txtCalName->setText(QStringLiteral("人口/2"));
        d.cmdEntry->click();
        EXPECT_EQ(d.focusWidget(), d.txtCalName);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_TRUE(script.requests()[0].prompt.contains(QStringLiteral("を使用できません。")));
    EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbOKOnly + veltra::ui::vbExclamation);
    EXPECT_TRUE(veltra::test::entriesOf(fixture.templateFolderLocal()).isEmpty());
}

TEST_F(FrmCreateCalculationTest, AnInvalidOtherFieldIsWrittenToldAndTheWindowStaysOpen)
{
    frmCreateCalculation dialog;
    open(dialog);
    DialogScript script;
    const int result = run(dialog, [](frmCreateCalculation &d) {
        d.cmdCal[1]->click();
        d.cmdCal[20]->click();
        d.cmdCal[12]->click(); // field 1: "1+"
        d.grdFieldName_DblClick(1);
        d.txtInp->setText(QStringLiteral("壊れた"));
        d.txtInp_LostFocus();
        d.grdFieldName_MouseUp(2);
        d.grdOpeExpression_Click(1);
        chooseLists(d);
        doubleClickItem(d, QStringLiteral("総数"));
        d.cmdCal[15]->click();
        d.cmdCal[2]->click();
        d.cmdCal[20]->click(); // field 2 shown: reference / 2
        d.txtCalName->setText(QStringLiteral("二つ"));
        d.cmdEntry->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("構文に間違いがあります！"));
    const QString file = fixture.templateFolderLocal() + QStringLiteral("/二つ.cal");
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(file), 2);
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 2), kPopulation + QStringLiteral("/2"));
    EXPECT_EQ(gstrCalcTemplateFile, fixture.templateFolder() + QStringLiteral("\\二つ.cal"));
}

TEST_F(FrmCreateCalculationTest, ModifyingUnderANewNameWritesThePropertiesAndRemovesTheOldFile)
{
    veltra::statdata::CalcTemplate old;
    old.fields.push_back({QStringLiteral("人口"), {kPopulation, QStringLiteral("/"), QStringLiteral("10")},
        {fixture.itemList(QStringLiteral("人口")), QString(), QString()}});
    const QString oldPath = fixture.templateFolder() + QStringLiteral("\\旧.cal");
    ASSERT_TRUE(veltra::statdata::writeCalcTemplate(oldPath, old));

    frmCreateCalculation dialog;
    dialog.rhTxtCalcExplanation->setPlainText(QStringLiteral("説明文"));
    dialog.setAreaType(1);
    dialog.setAreaSpaceID(2);
    dialog.setAreaClosedCnectID(3);
    dialog.setAreaRepresentCnectID(4);
    open(dialog, oldPath);
    dialog.setCalculateName(QStringLiteral("旧"));
    DialogScript script;
    const int result = run(dialog, [](frmCreateCalculation &d) {
        EXPECT_EQ(d.txtCalName->text(), QStringLiteral("旧"));
        EXPECT_EQ(d.rhTxtCalc->toPlainText(), kPopulation + QStringLiteral("/10"));
        EXPECT_EQ(d.cmbFileLstName->currentText(), QStringLiteral("人口"));
        EXPECT_EQ(d.grdFieldName->item(0, 0)->text(), QStringLiteral("人口"));
        d.grdOpeExpression_Click(3);
        d.cmdCal[1]->click();
        d.cmdCal[20]->click();
        d.txtCalName->setText(QStringLiteral("新"));
        d.cmdEntry->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(veltra::test::entriesOf(fixture.templateFolderLocal()), QStringList{QStringLiteral("新.cal")});
    const auto written = veltra::statdata::readCalcTemplate(gstrCalcTemplateFile);
    EXPECT_EQ(written.comment, QStringLiteral("説明文"));
    EXPECT_EQ(written.areaType, 1);
    EXPECT_EQ(written.areaSpace, 2);
    EXPECT_EQ(written.areaClosedCnect, 3);
    EXPECT_EQ(written.areaRepresentCnect, 4);
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(gstrCalcTemplateFile, 1), kPopulation + QStringLiteral("/1"));
}

TEST_F(FrmCreateCalculationTest, ClosingSavesNothing)
{
    frmCreateCalculation dialog;
    open(dialog);
    DialogScript script;
    const int result = run(dialog, [](frmCreateCalculation &d) {
        d.cmdCal[1]->click();
        d.cmdCal[20]->click();
        d.txtCalName->setText(QStringLiteral("保存しない"));
        d.cmdEnd->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(script.requests().empty());
    EXPECT_TRUE(veltra::test::entriesOf(fixture.templateFolderLocal()).isEmpty());
}

TEST_F(FrmCreateCalculationTest, AnEmptyTemplateFolderStandsForTheProgramFolder)
{
    const QString previous = veltra::shell::programFolder();
    veltra::shell::setProgramFolder(fixture.dir.path() + QStringLiteral("prog/"));
    QDir().mkpath(fixture.dir.path() + QStringLiteral("prog"));
    frmCreateCalculation dialog;
    dialog.setTemplateFolder(QString());
    dialog.setAnaRange(2);
    DialogScript script;
    run(dialog, [](frmCreateCalculation &d) {
        d.cmdCal[1]->click();
        d.cmdCal[20]->click();
        d.cmdCal[12]->click();
        d.cmdCal[2]->click();
        d.cmdCal[20]->click();
        d.grdFieldName_DblClick(1);
        d.txtInp->setText(QStringLiteral("和"));
        d.txtInp_LostFocus();
        d.txtCalName->setText(QStringLiteral("和"));
        d.cmdEntry->click();
    });
    veltra::shell::setProgramFolder(previous);
    EXPECT_TRUE(script.requests().empty());
    EXPECT_TRUE(QFile::exists(fixture.dir.path() + QStringLiteral("prog/和.cal")));
}

// The generated default data folder: a template composed through the widgets
// and registered evaluates for a real municipality.
TEST(FrmCreateCalculationDefaultData, AComposedTemplateEvaluatesForAnArea)
{
    const QString data = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
    ASSERT_TRUE(QFile::exists(data + QStringLiteral("etc/統計ﾃﾞｰﾀ年度管理.txt")));
    veltra::test::TempDir folder;
    gstrDataPath = data;
    frmCreateCalculation dialog;
    dialog.setTemplateFolder(folder.path() + QStringLiteral("市区町村"));
    QDir().mkpath(folder.path() + QStringLiteral("市区町村"));
    dialog.setAnaRange(2);
    dialog.setTemplateFilePath(QString());
    DialogScript script;
    const int result = run(dialog, [](frmCreateCalculation &d) {
        emit d.cmbFileLstName->activated(indexOf(d.cmbFileLstName, QStringLiteral("R2国勢調査")));
        ASSERT_EQ(d.Combo1->count(), 1);
        EXPECT_EQ(d.Combo1->currentText(), QStringLiteral("市区町村"));
        const auto kinds = d.List2->findItems(QStringLiteral("人口"), Qt::MatchExactly);
        ASSERT_EQ(kinds.size(), 1);
        d.List2->setCurrentItem(kinds.front());
        const auto items = d.List1->findItems(QStringLiteral("総人口"), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        d.List1->setCurrentItem(items.front());
        emit d.List1->itemDoubleClicked(items.front());
        d.cmdCal[15]->click(); // ／
        typeKeys(d.txtCalcDisp, QStringLiteral("1000"));
        d.cmdCal[20]->click(); // Enter
        d.txtCalName->setText(QStringLiteral("人口千人"));
        d.cmdEntry->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(script.requests().empty());
    const QString path = gstrCalcTemplateFile;
    ASSERT_TRUE(QFile::exists(folder.path() + QStringLiteral("市区町村/人口千人.cal")));

    const QString expression = ComCaldoraNeo::GetCalcExpression(path, 1);
    EXPECT_EQ(expression, QStringLiteral("{[市区町村][人口][総人口]}/1000"));
    veltra::analyzer::AnalyzerEngine engine;
    ASSERT_TRUE(engine.CheckSyntax(expression));
    ASSERT_EQ(engine.VariableCount(), 1);
    const auto tmpl = veltra::statdata::readCalcTemplate(path, data);
    ASSERT_EQ(tmpl.fields.size(), 1u);
    EXPECT_EQ(tmpl.fields[0].name, QStringLiteral("市区町村_人口_総人口"));
    const std::vector<QString> variables{QString(), engine.VariableName(1)};
    const std::vector<QString> files{QString(), tmpl.fields[0].files[0]};
    veltra::statdata::setAreaCalculation([&engine](QVariant &value, const std::vector<double> &values) {
        return engine.Calculate(values, static_cast<std::int32_t>(values.size()) - 1, value);
    });
    int32_t status = -1;
    // 千代田区: 66,680 people in the 2020 census.
    const double value
        = ComCaldoraNeo::CalcAreaValue(QStringLiteral("13101"), 5, 1, variables, files, status);
    veltra::statdata::setAreaCalculation({});
    EXPECT_EQ(status, 0);
    EXPECT_DOUBLE_EQ(value, 66.68);
}

} // namespace
