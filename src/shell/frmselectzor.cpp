#include "shell/frmselectzor.h"

#include "platform/fs/fs.h"
#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/mdlfolder.h"
#include "shell/mdlspcom.h"
#include "shell/programfolder.h"
#include "shell/savefailures.h"

#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmSelectZor::frmSelectZor(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("地図定義ファイル選択"));
    ListView1 = new QListWidget(this);
    ListView1->setViewMode(QListView::IconMode);
    Command2 = new QPushButton(QStringLiteral("フォルダ参照"), this);
    Command1[0] = new QPushButton(QStringLiteral("OK"), this);
    Command1[1] = new QPushButton(QStringLiteral("キャンセル"), this);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command1[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(Command1[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });
    connect(ListView1, &QListWidget::itemDoubleClicked, this, [this] { Command1_Click(0); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command2);
    buttons->addStretch();
    buttons->addWidget(Command1[0]);
    buttons->addWidget(Command1[1]);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListView1);
    layout->addLayout(buttons);

    gintSelectZor = 0;
    QString stored;
    mdlSpCom::GetIniValue(QStringLiteral("DirList"), QStringLiteral("Path"), stored, gstrIniPath);
    if (!stored.isEmpty() && veltra::fs::folderExists(stored)) {
        m_folder = mdlCommon::AddPathSep(stored);
        QDir::setCurrent(veltra::fs::resolve(m_folder));
    }
    FillList();
}

void frmSelectZor::FillList()
{
    ListView1->clear();
    // No folder lists the root folder, as an empty folder name does.
    const QString dir = m_folder.isEmpty() ? QStringLiteral("/") : veltra::fs::resolve(m_folder);
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    const QStringList files = QDir(dir).entryList({QStringLiteral("*.zor")}, QDir::Files, QDir::NoSort);
    for (const QString &file : files)
        ListView1->addItem(new QListWidgetItem(icon, file.left(file.size() - 4)));
}

void frmSelectZor::Command2_Click()
{
    QString stored;
    mdlSpCom::GetIniValue(QStringLiteral("DirList"), QStringLiteral("Path"), stored, gstrIniPath);
    mdlFolder::BrowseInfo info;
    info.owner = this;
    info.title = QStringLiteral("ﾌｫﾙﾀﾞを選択してください");
    if (!stored.isEmpty()) {
        const QString normal = veltra::fs::normalize(stored);
        info.startFolder = normal.left(normal.lastIndexOf(QLatin1Char('/')) + 1);
    } else {
        QDir parent(veltra::shell::programFolder());
        parent.cdUp();
        info.startFolder = parent.absolutePath();
    }
    const QString chosen = mdlFolder::BrowseFolder(info);
    if (chosen.isEmpty())
        return;
    m_folder = mdlCommon::AddPathSep(chosen);
    QDir::setCurrent(veltra::fs::resolve(m_folder));
    FillList();
}

void frmSelectZor::Command1_Click(int index)
{
    if (index == 0) {
        QListWidgetItem *item = ListView1->currentItem();
        if (!item)
            return;
        gstrDocPath = m_folder + item->text() + QStringLiteral(".zor");
        gintSelectZor = -1;
    } else {
        gintSelectZor = 0;
    }
    finish(index == 0);
}

void frmSelectZor::finish(bool ok)
{
    if (!m_folder.isEmpty())
        veltra::shell::writeSetting(QStringLiteral("DirList"), QStringLiteral("Path"), m_folder, gstrIniPath);
    if (ok)
        accept();
    else
        reject();
}
