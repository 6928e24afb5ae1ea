#pragma once
// frmRequisite ("統計項目の設定"): the modal chooser of a calculation template
// for the area level of the statistics map being built. It lists the ".cal"
// files of the level's template folder, shows the chosen one's explanation,
// adds, modifies and deletes templates through the template editor, and on
// "選択決定" checks the template and its item-list files before it hands the
// path on through SelectCalcTemplate and closes.
//
// Common use (the statistics item selector):
//   frmRequisite chooser(owner);
//   chooser.setAnaRange(level);
//   connect(&chooser, &frmRequisite::SelectCalcTemplate, …);
//   chooser.Show();
//
// The chosen template stays in gstrCalcTemplateFile after the window closes.
#include "platform/analyzer/analyzerengine.h"

#include <QDialog>
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

class frmRequisite : public QDialog
{
    Q_OBJECT
public:
    explicit frmRequisite(QWidget *owner = nullptr);

    // Write-only properties. TemplateFile sets gstrCalcTemplateFile.
    void setTemplateFile(const QString &path);
    // 0 nation, 1 prefecture, 2 municipality, 3 town block; read when the
    // window is shown.
    void setAnaRange(std::int32_t range) { m_anaRange = range; }

    // Evaluates the expression last checked by AnalyzerEngine1 with values
    // 1..n as its variables; false, with the result 0, when it cannot.
    bool Caluculation(QVariant &result, const std::vector<double> &values) const;

    // Builds the template folder of the level, then shows the window modally.
    int Show();

    // Event handlers.
    void txtTemplateFile_Change();
    void File1_Click();
    void cmdRef_Click();
    // 0 追加, 1 修正, 2 削除.
    void cmdOperation_Click(int index);
    void cmdSelect_Click();
    void cmdEnd_Click();

    // The acceptance checks. CheckItemListFiles asks for every item-list file
    // of the template that is found nowhere and writes a chosen replacement
    // into the template; false when FieldCnt or a Cnt is no number.
    bool CheckItemListFiles(const QString &templateFile);
    // Rewrites every File<g> of the template equal to oldName to newPath, in
    // one write, when newPath names an existing file.
    static bool ReplaceListFile(const QString &templateFile, const QString &oldName, const QString &newPath);
    // Checks the data folders of every item-list file the template names
    // (ComCaldoraTable::CheckItemListFolders); true for an empty path or a
    // FieldCnt that is no number.
    static bool CheckDataFolders(const QString &templateFile);

    QLineEdit *txtTemplateFile = nullptr;
    QPushButton *cmdRef = nullptr;
    QListWidget *File1 = nullptr;
    QTextEdit *RichTextBox1 = nullptr;
    std::array<QPushButton *, 3> cmdOperation{};
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdEnd = nullptr;
    veltra::analyzer::AnalyzerEngine AnalyzerEngine1;

signals:
    void SelectCalcTemplate(const QString &templatePath);

private:
    void Form_Load();
    void buildControls();
    // Lists the "*.cal" files of a folder in File1, keeping the chosen entry
    // when it is still there.
    void listTemplates(const QString &folder);
    void addTemplate();
    void modifyTemplate();
    void deleteTemplate();

    std::int32_t m_anaRange = 0;
    QString m_templateFolder; // the level's folder, or the one chosen with 参照
    QString m_listFolder; // the folder File1 shows
};
