#include "mapwindow/frmhome.h"

#include "mapwindow/mdlhome.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/mdlwindow.h"
#include "shell/modecodes.h"
#include "zorvik/widget/zorvik.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

using namespace veltra;

frmHome::frmHome(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("作業エリア登録"));
    auto *frame = new QGroupBox(QStringLiteral("解説"), this);
    Label1 = new QLabel(QStringLiteral("現在表示されている領域をホーム１～３に登録します。"), frame);
    Label1->setWordWrap(true);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(Label1);
    Command1 = new QPushButton(QStringLiteral("ホーム１ 登録"), this);
    Command2 = new QPushButton(QStringLiteral("ホーム２　登録"), this);
    Command3 = new QPushButton(QStringLiteral("ホーム３　登録"), this);
    Command4 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command4->setObjectName(QStringLiteral("Command4"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(Command1);
    layout->addWidget(Command2);
    layout->addWidget(Command3);
    layout->addStretch();
    layout->addWidget(Command4);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    // The tool pane beside the list bar, 3500 twips wide.
    std::int32_t width = 3500;
    mdlWindow::PlaceToolPane(width, *this);
}

void frmHome::RegisterHome(std::int16_t n)
{
    if (n < 0 || n > 4 || !gobjZor)
        return;
    HomePosition &home = gtypWinInfo.Home[static_cast<std::size_t>(n)];
    home.scale = vb::cLng(gobjZor->Scale());
    home.drawCenterX = gobjZor->CenterX();
    home.drawCenterY = gobjZor->CenterY();
    home.rotateAngle = static_cast<std::int32_t>(vb::roundHalfEven(gobjZor->Angle()));
}

void frmHome::Command4_Click()
{
    gintWndRearrange = 1;
    close();
}

void frmHome::closeEvent(QCloseEvent *event)
{
    const bool first = !m_unloading;
    m_unloading = true;
    event->accept();
    if (!first)
        return;
    // Closed by the user (button or close box), the map window is fitted
    // again; a leave of the mode unloads it without that.
    const bool byMode = mdlHome::leaving();
    if (!byMode)
        gintWndRearrange = 1;
    // A leave of the mode itself is unloading this window; it ends the mode.
    if (gintModeNo == ModeHome && !byMode)
        shell::dispatchMode(StateLeave, shell::noParameterText());
    gintStoryStepEnd = -1;
    // The pane's frame in the document area goes with the window.
    if (auto *holder = qobject_cast<QMdiSubWindow *>(parentWidget()))
        holder->deleteLater();
    deleteLater();
}
