#pragma once
// frmPSYXlsSelect: the spreadsheet layout chooser ("レイアウト選択"). Eight
// template files of the data folder's ExcelTemp\ are shown side by side as
// previews of their first sheet, each with an option button; the user picks
// one, types a title and presses "作成": template and title go into
// gstrExcelTemplate and gstrExcelTitle, the window minimises and the map
// enters the spreadsheet export mode (51), in which a dragged range is
// exported. The export brings the window back, for another layout or "終了".
//
// One instance, created on first use (ui::form<frmPSYXlsSelect>), modeless,
// owned by the main frame; an ordinary window so that it can be minimised.
// Lifecycle: loading (buttons disabled, the notice shown) -> one second
// later the previews are read and the buttons enabled -> minimised while the
// export mode runs -> unloaded by "終了" or the close box, which releases a
// waiting story step and leaves the running mode (the export mode too).
// A template that is missing or unreadable shows "テンプレートがありません";
// the buttons become usable all the same.
#include "statrender/xlstemplatepreview.h"

#include <QString>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// The chosen template (full path) and title; empty until "作成" is pressed.
inline QString gstrExcelTemplate;
inline QString gstrExcelTitle;

namespace veltra::statrender {

// One preview of the chooser: a template's first page, drawn anew on paint.
class TemplatePreviewView : public QWidget
{
public:
    explicit TemplatePreviewView(QWidget *parent = nullptr);
    // Reads the template; an empty path empties the view.
    void load(const QString &path);
    const TemplatePreview &preview() const { return m_preview; }
    bool loaded() const { return m_loaded; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TemplatePreview m_preview;
    bool m_loaded = false;
};

} // namespace veltra::statrender

class frmPSYXlsSelect : public QWidget
{
    Q_OBJECT
public:
    explicit frmPSYXlsSelect(QWidget *owner = nullptr);
    ~frmPSYXlsSelect() override;

    // ---- event handlers
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdCancel_Click();

    // ---- state, for the tests
    // The template file names, index 0 to 7.
    const std::array<QString, 8> &templateNames() const { return m_names; }
    // The template folder; empty until the previews are read.
    const QString &templateFolder() const { return m_folder; }
    bool previewAvailable(int index) const;

    // ---- controls (named as designed)
    std::array<QRadioButton *, 8> optFile{};
    std::array<veltra::statrender::TemplatePreviewView *, 8> OLE1{};
    QLabel *Label1 = nullptr;
    QLineEdit *txtTitle = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblInfo = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();

    std::array<QString, 8> m_names;
    QString m_folder;
    bool m_unloaded = false;
};
