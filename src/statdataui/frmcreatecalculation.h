#pragma once
// frmCreateCalculation ("計算方法設定"): the modal editor of one calculation
// template. The user picks data references from the item lists with a double
// click, operators from the pad and numbers from the number box; each token
// goes into the cursor row of the shown field's token grid. "登録" checks and
// writes the template (calctemplateregistration.h); "閉じる" and the close
// box leave without saving. Everything the window holds lives in a
// CalcTemplateModel; the window shows it after every action.
//
// Common use (the template chooser):
//   frmCreateCalculation editor(owner);          // loads: throws vb::FileError
//   editor.rhTxtCalcExplanation->setPlainText(explanation);
//   editor.setAreaType(0); ...; editor.setTemplateFolder(folder);
//   editor.setAnaRange(range);                   // before the template path
//   editor.setTemplateFilePath(path);            // "" to add; may throw
//   editor.setCalculateName(name);
//   editor.Show();
//
// Grid rows are counted as the grids count them: row 0 is the header, the
// first field name and the first token are on row 1.
#include "platform/analyzer/analyzerengine.h"
#include "statdata/calctemplatemodel.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTextEdit;

class frmCreateCalculation : public QDialog
{
    Q_OBJECT
public:
    // Runs the window's load steps with the data folder gstrDataPath. A
    // missing year-management file throws veltra::vb::FileError to the opener.
    explicit frmCreateCalculation(QWidget *owner = nullptr);

    // Write-only properties, in the order of the window's members. AnaRange
    // must be set before TemplateFilePath: loading offers the area unit of
    // the level.
    // Stores the path and loads that template (an empty path loads nothing).
    // A template of more than 10 fields throws veltra::vb::SubscriptOutOfRange.
    void setTemplateFilePath(const QString &path);
    void setAreaType(std::int16_t value) { m_areaType = value; }
    void setAreaSpaceID(std::int16_t value) { m_areaSpace = value; }
    void setAreaClosedCnectID(std::int16_t value) { m_areaClosedCnect = value; }
    void setAreaRepresentCnectID(std::int16_t value) { m_areaRepresentCnect = value; }
    // An empty folder stands for the program folder.
    void setTemplateFolder(const QString &folder);
    void setAddMode(std::int16_t value) { m_addMode = value; }
    void setCalculationID(std::int16_t value) { m_calculationId = value; }
    void setCalculateName(const QString &name);
    void setAnaRange(std::int32_t range);

    // Shows the window modally.
    int Show();

    const veltra::statdata::CalcTemplateModel &model() const { return m_model; }

    // Event handlers; grid rows as above.
    void cmbFileLstName_Click(int index);
    void Combo1_Click(int index);
    void List2_Click(int index);
    void List1_DblClick(int index);
    void cmdCal_Click(int index);
    // One character typed into the number box: true when it may go in.
    bool txtCalcDisp_KeyPress(QChar c);
    void grdFieldName_MouseUp(int row);
    void grdFieldName_DblClick(int row);
    void txtInp_LostFocus();
    void grdOpeExpression_Click(int row);
    // Right button released without Shift, Ctrl or Alt: asks to delete.
    void grdOpeExpression_MouseUp(int row);
    void grdOpeExpression_DblClick(int row);
    void cmdClear_Click();
    void cmdEntry_Click();
    void cmdEnd_Click();

    QLineEdit *txtCalName = nullptr;
    QTextEdit *rhTxtCalcExplanation = nullptr;
    QTextEdit *rhTxtCalc = nullptr;
    QComboBox *cmbFileLstName = nullptr;
    QComboBox *Combo1 = nullptr;
    QListWidget *List2 = nullptr;
    QListWidget *List1 = nullptr;
    QTableWidget *grdFieldName = nullptr;
    QTableWidget *grdOpeExpression = nullptr;
    QLineEdit *txtCalcDisp = nullptr;
    std::array<QPushButton *, 21> cmdCal{};
    QLineEdit *txtInp = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdEntry = nullptr;
    QPushButton *cmdEnd = nullptr;
    veltra::analyzer::AnalyzerEngine AnalyzerEngine1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void buildControls();
    void refresh();
    void refreshLists();
    void refreshGrids();

    veltra::statdata::CalcTemplateModel m_model;
    QString m_templatePath;
    QString m_templateFolder;
    std::int16_t m_areaType = 0;
    std::int16_t m_areaSpace = 0;
    std::int16_t m_areaClosedCnect = 0;
    std::int16_t m_areaRepresentCnect = 0;
    std::int16_t m_addMode = 0;
    std::int16_t m_calculationId = 0;
    int m_nameEditRow = 0; // the name cell under txtInp; 0 when it is hidden
    bool m_refreshing = false;
};
