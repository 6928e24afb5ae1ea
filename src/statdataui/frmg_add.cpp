#include "statdataui/frmg_add.h"

#include "platform/ui/filedialogs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmpsywait.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statdata/clsaddinfo.h"
#include "statdata/comdirectory.h"
#include "statdata/comfunction.h"
#include "statdata/registrationjournal.h"
#include "statdata/userdataregistration.h"
#include "statdataui/comg_add.h"
#include "statdataui/frmaddedlist.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace veltra::statdata;
namespace ui = veltra::ui;

namespace {

const QString kCaption = QStringLiteral("ユーザーデータの登録・削除");
const QString kAttention = QStringLiteral("※全角で8文字以内");
// The dialog's patterns match names without case, so *.csv takes any case
// of the extension. The description carries the pattern (Qt's form).
const QString kCsvFilter = QStringLiteral("CSVファイル(*.csv)");

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmG_add::frmG_add(QWidget *owner)
    : QDialog(owner)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    fraAdd = new QGroupBox(QStringLiteral("データの登録"), this);
    lblDataTitle = new QLabel(QStringLiteral("ユーザーデータ名"), fraAdd);
    txtDataTitle = new QLineEdit(fraAdd);
    lblYear = new QLabel(QStringLiteral("年次"), fraAdd);
    cmbStart = new QComboBox(fraAdd);
    txtEnd = new QLineEdit(fraAdd);
    txtEnd->setReadOnly(true);
    txtEnd->setFocusPolicy(Qt::NoFocus);
    lblDataName = new QLabel(QStringLiteral("項目のグループ名"), fraAdd);
    txtDataName = new QLineEdit(fraAdd);
    lblDataKind = new QLabel(QStringLiteral("地域の単位"), fraAdd);
    cmbDataKind = new QComboBox(fraAdd);
    lblPrefName = new QLabel(QStringLiteral("登録先都道府県"), fraAdd);
    cmbPrefName = new QComboBox(fraAdd);
    lblDataFileName = new QLabel(QStringLiteral("登録データ"), fraAdd);
    txtDataFileName = new QLineEdit(fraAdd);
    txtDataFileName->setReadOnly(true);
    cmdOpen = button(QStringLiteral("参照"), fraAdd);
    lblAttention[0] = new QLabel(QStringLiteral("※表示する地図の年次を選択"), fraAdd);
    lblAttention[1] = new QLabel(kAttention, fraAdd);
    lblAttention[2] = new QLabel(kAttention, fraAdd);
    cmdAddData = button(QStringLiteral("登録"), fraAdd);
    fraDel = new QGroupBox(QStringLiteral("データの削除"), this);
    cmdDeleteData = button(QStringLiteral("登録済みデータを表示"), fraDel);
    cmdEnd = button(QStringLiteral("閉じる"), this);

    // Text boxes as wide as eight full-width characters and some room.
    const int wide = fontMetrics().horizontalAdvance(QStringLiteral("あ")) * 10;
    for (QWidget *w : {static_cast<QWidget *>(txtDataTitle), static_cast<QWidget *>(txtDataName),
             static_cast<QWidget *>(cmbStart), static_cast<QWidget *>(txtEnd),
             static_cast<QWidget *>(cmbDataKind), static_cast<QWidget *>(cmbPrefName)})
        w->setMinimumWidth(wide);
    txtDataFileName->setMinimumWidth(wide * 2);

    auto *grid = new QGridLayout(fraAdd);
    grid->addWidget(lblDataTitle, 0, 0);
    grid->addWidget(txtDataTitle, 0, 1);
    grid->addWidget(lblAttention[1], 0, 2, 1, 2);
    grid->addWidget(lblYear, 1, 0);
    grid->addWidget(cmbStart, 1, 1);
    auto *end = new QHBoxLayout;
    end->addWidget(new QLabel(QStringLiteral("～"), fraAdd));
    end->addWidget(txtEnd, 1);
    grid->addLayout(end, 1, 2);
    grid->addWidget(lblAttention[0], 1, 3);
    grid->addWidget(lblDataName, 2, 0);
    grid->addWidget(txtDataName, 2, 1);
    grid->addWidget(lblAttention[2], 2, 2, 1, 2);
    grid->addWidget(lblDataKind, 3, 0);
    grid->addWidget(cmbDataKind, 3, 1);
    grid->addWidget(lblPrefName, 4, 0);
    grid->addWidget(cmbPrefName, 4, 1);
    grid->addWidget(lblDataFileName, 5, 0);
    grid->addWidget(txtDataFileName, 5, 1, 1, 2);
    grid->addWidget(cmdOpen, 5, 3, Qt::AlignLeft);
    auto *addRow = new QHBoxLayout;
    addRow->addStretch(1);
    addRow->addWidget(cmdAddData);
    grid->addLayout(addRow, 6, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    auto *delRow = new QHBoxLayout(fraDel);
    delRow->addWidget(cmdDeleteData);
    delRow->addStretch(1);

    auto *endRow = new QHBoxLayout;
    endRow->addStretch(1);
    endRow->addWidget(cmdEnd);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(fraAdd);
    outer->addWidget(fraDel);
    outer->addLayout(endRow);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmbStart, &QComboBox::currentIndexChanged, this, [this] { cmbStart_Click(); });
    connect(cmbDataKind, &QComboBox::currentIndexChanged, this, [this] { cmbDataKind_Click(); });
    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    connect(cmdAddData, &QPushButton::clicked, this, [this] { cmdAddData_Click(); });
    connect(cmdDeleteData, &QPushButton::clicked, this, [this] { cmdDeleteData_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
}

int frmG_add::Show()
{
    Form_Load();
    const int result = veltra::shell::execModal(*this);
    // A run that ended without closing the window (a test's hook) unloads it
    // as the close box would.
    if (!m_unloaded)
        Form_QueryUnload();
    return result;
}

void frmG_add::Form_Load()
{
    InitBaseYears();
    InitStartCombo();
    InitDataKindCombo();
    InitPrefCombo();
    InitDataTitle();
    InitDataName();
    txtDataFileName->clear();
    setWindowTitle(kCaption);
    QString program = veltra::shell::programFolder();
    if (!program.isEmpty() && !program.endsWith(QLatin1Char('/')) && !program.endsWith(QLatin1Char('\\')))
        program += QLatin1Char('/');
    strAddInfoFilePath = program + QStringLiteral("add_inf.txt");
    strEtcPath = gstrAddDataPath + QStringLiteral("etc/");
    m_unloaded = false;
    RecoverInterruptedRun();
    SetTreeHiddenWaiting(false);
}

void frmG_add::RecoverInterruptedRun()
{
    // A registration or deletion the program was killed in is undone, so the
    // tree and the register hold their state from before it.
    QString why;
    if (!RegistrationJournal::recover(strEtcPath, &why))
        Message(QStringLiteral("中断されたユーザーデータの登録・削除を元に戻せませんでした．\n") + why,
            ui::vbCritical);
}

void frmG_add::done(int result)
{
    if (!m_unloaded)
        Form_QueryUnload();
    QDialog::done(result);
}

void frmG_add::Form_QueryUnload()
{
    m_unloaded = true;
    hide();
    SetTreeHiddenWaiting(true);
}

void frmG_add::SetTreeHiddenWaiting(bool hide)
{
    // The wait dialog has no owner, as the walk may take a while.
    auto *wait = ui::form<frmPSYWait>();
    wait->show();
    ui::DoEvents();
    ComDirectory::SetTreeHidden(strEtcPath, hide);
    ui::WindowRegistry::instance().unload(wait);
}

void frmG_add::InitBaseYears()
{
    colBaseYears = userDataPeriods();
}

void frmG_add::InitStartCombo()
{
    const QSignalBlocker block(cmbStart);
    cmbStart->clear();
    for (const clsBaseYear &period : colBaseYears)
        cmbStart->addItem(ComFunction::FormatEraDate(period.StartYear(), 1));
    cmbStart->setCurrentIndex(0);
    cmbStart_Click();
}

void frmG_add::InitDataKindCombo()
{
    const QSignalBlocker block(cmbDataKind);
    cmbDataKind->clear();
    cmbDataKind->addItems({kUnitPrefecture, kUnitMunicipality, kUnitTownBlock});
    cmbDataKind->setCurrentIndex(0);
    cmbDataKind_Click();
}

void frmG_add::InitPrefCombo()
{
    cmbPrefName->clear();
    cmbPrefName->addItems(prefectureEntries());
    cmbPrefName->setCurrentIndex(0);
}

void frmG_add::InitDataTitle()
{
    txtDataTitle->clear();
    txtDataTitle->setMaxLength(8);
}

void frmG_add::InitDataName()
{
    txtDataName->clear();
    txtDataName->setMaxLength(8);
}

void frmG_add::cmbStart_Click()
{
    const int index = cmbStart->currentIndex();
    if (index < 0 || index >= static_cast<int>(colBaseYears.size()))
        return;
    txtEnd->setText(ComFunction::FormatEraDate(colBaseYears[static_cast<std::size_t>(index)].EndYear(), 1));
}

void frmG_add::cmbDataKind_Click()
{
    const bool pref = cmbDataKind->currentText() == kUnitPrefecture;
    lblPrefName->setEnabled(!pref);
    cmbPrefName->setEnabled(!pref);
}

void frmG_add::cmdOpen_Click()
{
    const QString chosen = ui::getOpenFileName(this, QStringLiteral("開く"), kCsvFilter,
        gstrAddDataPath + QStringLiteral("追加用エクセルファイル/"));
    if (!chosen.isEmpty())
        txtDataFileName->setText(chosen);
}

int frmG_add::Message(const QString &text, int buttons)
{
    return ui::MsgBox(text, buttons, windowTitle());
}

void frmG_add::cmdAddData_Click()
{
    // Input checks: the first failure is the one message.
    const QString title = txtDataTitle->text();
    const QString group = txtDataName->text();
    const auto zenkakuMessage = [](int16_t check, const QString &label) {
        return check == -2 ? label + QStringLiteral("に半角文字が含まれています．")
                           : label + QStringLiteral("の文字数が不正です．");
    };
    if (const int16_t check = checkZenkakuText(title)) {
        Message(zenkakuMessage(check, lblDataTitle->text()), ui::vbCritical);
        return;
    }
    if (!isUsableTitle(title)) {
        Message(lblDataTitle->text() + QStringLiteral("に「") + title + QStringLiteral("」")
                + QStringLiteral("は使用できません．"),
            ui::vbCritical);
        return;
    }
    if (const int16_t check = checkZenkakuText(group)) {
        Message(zenkakuMessage(check, lblDataName->text()), ui::vbCritical);
        return;
    }

    // Conflict check against the register.
    const int period = std::max(0, cmbStart->currentIndex());
    const UserDataTarget t
        = makeUserDataTarget(gstrAddDataPath, colBaseYears.at(static_cast<std::size_t>(period)), title,
            cmbDataKind->currentText(), group, cmbPrefName->currentText(), txtDataFileName->text());
    bool alreadyMode = true;
    {
        clsAddInfo info;
        info.setAddInfoFilePath(strAddInfoFilePath);
        AddInfoList clashes;
        if (info.IsOverlapedEdit(
                t.selectedFilePath, t.realFilePath, t.startYear, t.endYear, t.prefNum, clashes)) {
            if (Message(QStringLiteral("既存のユーザーデータと同じ条件です. 追加しますか？"),
                    ui::vbYesNo + ui::vbExclamation)
                != ui::vbYes)
                return;
            alreadyMode = false;
        } else if (info.IsPermittedEdit(
                       t.selectedFilePath, t.realFilePath, t.startYear, t.endYear, t.prefNum, clashes)) {
            if (Message(QStringLiteral("設定した条件でユーザーデータを追加しますか？"),
                    ui::vbYesNo + ui::vbQuestion)
                != ui::vbYes)
                return;
        } else {
            Message(QStringLiteral("既存のユーザーデータと登録内容・項目などが同じ条件です.\n"
                                   "既存のユーザーデータを削除してから追加して下さい.\n"
                                   "詳細は、ヘルプ→操作方法(メニューバー説明のユーザーデータの登録・削除)"
                                   "を参照してください."),
                ui::vbCritical);
            QString header;
            info.GetAddInfoFileHeader(header);
            std::vector<QString> lines;
            for (const AddInfoEntry &entry : clashes)
                lines.push_back(entry.line);
            frmAddedList list(this);
            list.setFormTitle(QStringLiteral("競合するユーザーデータの一覧"));
            list.setHeader(header);
            list.setDataList(std::move(lines));
            list.setButtonVisible(false);
            QApplication::beep();
            list.Show();
            return;
        }
    }

    const QString failure = runAddPipeline(t, alreadyMode, strAddInfoFilePath);
    if (failure.isEmpty())
        Message(QStringLiteral("ユーザーデータの追加は正常に終了しました."), ui::vbOKOnly);
    else
        Message(failure, ui::vbCritical);
}

void frmG_add::cmdDeleteData_Click()
{
    clsAddInfo info;
    info.setAddInfoFilePath(strAddInfoFilePath);
    QString header;
    info.GetAddInfoFileHeader(header);
    std::vector<QString> registered;
    if (info.CreateAddedDataList(registered) < 1) {
        Message(QStringLiteral("ユーザーデータは1つも登録されていません．"), ui::vbInformation);
        return;
    }
    frmAddedList list(this);
    list.setFormTitle(QStringLiteral("登録済みユーザーデータの一覧"));
    list.setHeader(header);
    list.setDataList(std::move(registered));
    list.setButtonVisible(true);
    list.Show();
    if (!list.OKFlag() || !list.SelectedData())
        return;

    QString failure;
    for (const QString &line : *list.SelectedData()) {
        failure = runDeletePipeline(line, strAddInfoFilePath);
        if (!failure.isEmpty())
            break;
    }
    if (failure.isEmpty())
        Message(QStringLiteral("ユーザーデータの削除が終了しました."), ui::vbOKOnly);
    else
        Message(failure, ui::vbCritical);
}

void frmG_add::cmdEnd_Click()
{
    reject();
}
