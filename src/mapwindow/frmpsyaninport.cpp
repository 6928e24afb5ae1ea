#include "mapwindow/frmpsyaninport.h"

#include "mapwindow/meshimports.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace veltra;

namespace {

QString historyPath()
{
    return gstrDataPath + QStringLiteral("DefData\\UpdateMeshdef.txt");
}

QString meshDefPath()
{
    return gstrDataPath + QStringLiteral("DefData\\MeshDef.csv");
}

} // namespace

frmPSYAnInport::frmPSYAnInport(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("ｱﾝｲﾝﾎﾟｰﾄ"));
    Label1 = new QLabel(QStringLiteral("ｲﾝﾎﾟｰﾄ履歴"), this);
    lst = new QListWidget(this);
    lst->setObjectName(QStringLiteral("lst"));
    cmdOK = new QPushButton(QStringLiteral("ｱﾝｲﾝﾎﾟｰﾄ"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lst);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    resize(360, 300);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    FillImportList();
}

void frmPSYAnInport::cmdClose_Click()
{
    ui::WindowRegistry::instance().unload(this);
}

void frmPSYAnInport::FillImportList()
{
    lst->clear();
    QStringList history;
    text::readLines(historyPath(), history); // a missing history lists nothing
    lst->addItems(mapwindow::importEntries(history));
    cmdOK->setEnabled(lst->count() > 0);
}

void frmPSYAnInport::RemoveImport()
{
    if (lst->count() == 0) {
        cmdOK->setEnabled(false);
        return;
    }
    const QListWidgetItem *selected = lst->currentItem();
    if (!selected || !selected->isSelected())
        return; // nothing chosen: nothing to ask about
    const QString entry = selected->text();
    if (ui::MsgBox(entry + QStringLiteral("のインポートデータを削除します。\nよろしいですか？"),
            ui::vbYesNo | ui::vbQuestion, gstrTitle)
        == ui::vbNo)
        return;

    auto *wait = ui::form<frmPSYWait>(static_cast<QWidget *>(gfrmMain));
    wait->show();
    ui::DoEvents();
    const QString meshFolder = mapwindow::documentMeshFolder(gstrDocPath);
    QStringList history;
    QStringList meshDef;
    QString error;
    bool ok = text::readLines(historyPath(), history, &error);
    const bool hasMeshDef = ok && text::readLines(meshDefPath(), meshDef);
    const mapwindow::ImportRemoval removal = mapwindow::planImportRemoval(history, meshDef, entry);
    // The records go first, each whole or not at all; the meshes only when
    // no record names them any more.
    if (ok && hasMeshDef)
        ok = text::writeLines(meshDefPath(), removal.meshDef, &error);
    if (ok)
        ok = text::writeLines(historyPath(), removal.history, &error);
    if (ok && !meshFolder.isEmpty()) {
        for (const QString &file : removal.meshFiles)
            fs::deleteFiles(meshFolder + file); // one that is gone already is no failure
    }
    FillImportList();
    ui::WindowRegistry::instance().unload(wait);
    if (!ok)
        ui::MsgBox(error, ui::vbExclamation);
}
