#include "statdataui/frmrequisite.h"

#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "shell/commonm1.h"
#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/mdlfolder.h"
#include "shell/modaldialog.h"
#include "statdata/calctemplate.h"
#include "statdata/globals.h"
#include "statdataui/frmcreatecalculation.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>
#include <exception>

using veltra::ui::MsgBox;
using veltra::ui::vbExclamation;

namespace {

const QString kLevelMismatch = QStringLiteral("選択地域と計算テンプレートの地域が異なる為選択できません。");
const QString kFileFault = QStringLiteral("指定されたﾌｧｲﾙが無いか、書込み禁止となっています！");

// The folder a template path lies in: everything before its last separator.
QString folderPart(const QString &path)
{
    QString folder = mdlCommon::GetFolderPath(path);
    folder.chop(1);
    return folder;
}

} // namespace

frmRequisite::frmRequisite(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("統計項目の設定"));
    buildControls();
}

void frmRequisite::buildControls()
{
    txtTemplateFile = new QLineEdit(this);
    cmdRef = new QPushButton(QStringLiteral("参照"), this);
    File1 = new QListWidget(this);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setAcceptRichText(false);
    const char *operations[] = {"追加", "修正", "削除"};
    for (std::size_t i = 0; i < cmdOperation.size(); ++i)
        cmdOperation[i] = new QPushButton(QString::fromUtf8(operations[i]), this);
    cmdSelect = new QPushButton(QStringLiteral("選択決定"), this);
    cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(txtTemplateFile, 1);
    fileRow->addWidget(cmdRef);

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("ファイル一覧："), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("計算式説明："), this), 0, 1);
    lists->addWidget(File1, 1, 0);
    lists->addWidget(RichTextBox1, 1, 1);
    lists->setColumnStretch(0, 2);
    lists->setColumnStretch(1, 3);
    lists->setRowStretch(1, 1);

    auto *operationFrame = new QGroupBox(QStringLiteral("集計項目"), this);
    auto *operationRow = new QHBoxLayout(operationFrame);
    for (QPushButton *button : cmdOperation)
        operationRow->addWidget(button);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(operationFrame);
    bottom->addStretch(1);
    bottom->addWidget(cmdSelect, 0, Qt::AlignBottom);
    bottom->addWidget(cmdEnd, 0, Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("テンプレートファイル選択："), this));
    layout->addLayout(fileRow);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(680, 460);

    connect(txtTemplateFile, &QLineEdit::textChanged, this, [this] { txtTemplateFile_Change(); });
    connect(File1, &QListWidget::currentRowChanged, this, [this] { File1_Click(); });
    connect(cmdRef, &QPushButton::clicked, this, [this] { cmdRef_Click(); });
    for (int i = 0; i < static_cast<int>(cmdOperation.size()); ++i)
        connect(cmdOperation[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
            [this, i] { cmdOperation_Click(i); });
    connect(cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
}

void frmRequisite::setTemplateFile(const QString &path)
{
    gstrCalcTemplateFile = path;
}

bool frmRequisite::Caluculation(QVariant &result, const std::vector<double> &values) const
{
    if (AnalyzerEngine1.Calculate(values, static_cast<std::int32_t>(values.size()) - 1, result))
        return true;
    result = 0;
    return false;
}

int frmRequisite::Show()
{
    Form_Load();
    return veltra::shell::execModal(*this);
}

void frmRequisite::Form_Load()
{
    const auto level = static_cast<std::int16_t>(m_anaRange);
    QString folder = veltra::statdata::calcTemplateFolder(gstrDataPath, level);
    if (folder.isEmpty())
        folder = gstrDataPath + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ");
    folder = veltra::fs::normalize(folder);
    // Setting the same text again still lists the folder anew.
    if (txtTemplateFile->text() == folder)
        txtTemplateFile_Change();
    else
        txtTemplateFile->setText(folder);
    m_templateFolder = txtTemplateFile->text();
}

// --- the list and the explanation -----------------------------------------------

void frmRequisite::listTemplates(const QString &folder)
{
    const QListWidgetItem *current = File1->currentItem();
    const QString chosen = current ? current->text() : QString();
    const QSignalBlocker blocker(File1);
    File1->clear();
    File1->addItems(veltra::fs::listFiles(folder, QStringLiteral("*.cal")));
    const auto found = File1->findItems(chosen, Qt::MatchExactly);
    if (!chosen.isEmpty() && !found.isEmpty())
        File1->setCurrentItem(found.front());
    m_listFolder = folder;
    while (m_listFolder.size() > 1 && (m_listFolder.endsWith(u'/') || m_listFolder.endsWith(u'\\')))
        m_listFolder.chop(1);
}

void frmRequisite::txtTemplateFile_Change()
{
    const QString text = txtTemplateFile->text();
    // A template path, or a folder that is not there, leaves everything as it
    // was: the list keeps showing its folder.
    if (!text.isEmpty()) {
        if (!veltra::fs::folderExists(text))
            return;
        const QSignalBlocker blocker(File1);
        File1->clear();
        listTemplates(text);
    }
    File1->setEnabled(!text.isEmpty());
    RichTextBox1->clear();
}

void frmRequisite::File1_Click()
{
    RichTextBox1->clear();
    QListWidgetItem *item = File1->currentItem();
    if (!item)
        return;
    item->setSelected(true);
    // The folder the list shows: the template folder unless another folder
    // was typed into the box.
    const QString path = m_listFolder + u'/' + item->text();
    txtTemplateFile->setText(path);
    gstrCalcTemplateFile = path;
    const QString comment = veltra::statdata::readCalcComment(path);
    if (!comment.isEmpty())
        RichTextBox1->setPlainText(comment);
}

void frmRequisite::cmdRef_Click()
{
    const QString text = txtTemplateFile->text();
    mdlFolder::BrowseInfo info;
    info.owner = this;
    info.title = QStringLiteral("テンプレートフォルダを選択してください");
    info.startFolder = text.contains(QLatin1String(".cal"), Qt::CaseInsensitive)
        ? mdlCommon::GetFolderPath(text)
        : text;
    const QString choice = mdlFolder::BrowseFolder(info);
    if (choice.isEmpty())
        return;
    if (!veltra::statdata::isLevelFolder(choice, static_cast<std::int16_t>(m_anaRange))) {
        MsgBox(kLevelMismatch, vbExclamation);
        return;
    }
    m_templateFolder = CommonM1::GetFolderName(choice);
    txtTemplateFile->setText(choice);
    // A folder without templates shows an empty list.
    listTemplates(m_templateFolder);
    File1_Click();
}

// --- add, modify, delete --------------------------------------------------------

void frmRequisite::cmdOperation_Click(int index)
{
    try {
        switch (index) {
        case 0:
            addTemplate();
            break;
        case 1:
            modifyTemplate();
            break;
        case 2:
            deleteTemplate();
            break;
        default:
            break;
        }
    } catch (const std::exception &) {
        // The editor could not load (no year-management file, a template it
        // cannot hold); nothing was shown or changed.
        MsgBox(kFileFault, vbExclamation);
    }
    listTemplates(m_listFolder);
}

void frmRequisite::addTemplate()
{
    frmCreateCalculation editor(this);
    // The area values are not kept by the chooser; the editor writes them as 0.
    editor.setAreaType(0);
    editor.setAreaSpaceID(0);
    editor.setAreaClosedCnectID(0);
    editor.setAreaRepresentCnectID(0);
    editor.rhTxtCalcExplanation->clear();
    editor.setTemplateFolder(m_templateFolder);
    editor.setTemplateFilePath(QString());
    editor.setTemplateFolder(m_templateFolder);
    editor.setAnaRange(m_anaRange);
    editor.Show();
    listTemplates(m_listFolder);
}

void frmRequisite::modifyTemplate()
{
    if (!File1->currentItem())
        return;
    const QString path = txtTemplateFile->text();
    if (!veltra::fs::fileExists(path)) {
        MsgBox(kFileFault, vbExclamation);
        return;
    }
    frmCreateCalculation editor(this);
    editor.setAreaType(0);
    editor.setAreaSpaceID(0);
    editor.setAreaClosedCnectID(0);
    editor.setAreaRepresentCnectID(0);
    editor.rhTxtCalcExplanation->setPlainText(RichTextBox1->toPlainText());
    editor.setTemplateFolder(m_templateFolder);
    editor.setAnaRange(m_anaRange);
    editor.setTemplateFilePath(path);
    editor.setCalculateName(CommonM1::GetFileTitle(path));
    editor.Show();
    listTemplates(m_listFolder);
    File1_Click();
}

void frmRequisite::deleteTemplate()
{
    const QListWidgetItem *item = File1->currentItem();
    if (!item)
        return;
    const QString path = txtTemplateFile->text();
    if (!veltra::fs::fileExists(path)) {
        MsgBox(kFileFault, vbExclamation);
        return;
    }
    const QString prompt = item->text() + QStringLiteral(" ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙを削除します。\rよろしいですか？");
    if (MsgBox(prompt, veltra::ui::vbOKCancel) != veltra::ui::vbOK)
        return;
    if (!QFile::remove(veltra::fs::resolve(path))) {
        MsgBox(kFileFault, vbExclamation);
        return;
    }
    // The box no longer names a template: it shows the list's folder again,
    // which empties the explanation of the deleted one.
    txtTemplateFile->setText(m_listFolder);
}

// --- accept and close -----------------------------------------------------------

void frmRequisite::cmdSelect_Click()
{
    const QString path = gstrCalcTemplateFile;
    if (!CheckItemListFiles(path)) {
        MsgBox(QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ：\r\n") + path + QStringLiteral("\r\nに不備があるため実行できません。"),
            vbExclamation);
        return;
    }
    if (!CheckDataFolders(path)) {
        MsgBox(QStringLiteral("国勢調査ﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽに不備があるため実行できません。"), vbExclamation);
        return;
    }
    if (!veltra::statdata::isLevelFolder(folderPart(path), static_cast<std::int16_t>(m_anaRange))) {
        MsgBox(kLevelMismatch, vbExclamation);
        return;
    }
    emit SelectCalcTemplate(gstrCalcTemplateFile);
    accept();
}

void frmRequisite::cmdEnd_Click()
{
    reject();
}
