#include "shell/frmpsywait.h"

#include "platform/ui/windowregistry.h"
#include "shell/globals.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmPSYWait::frmPSYWait(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("しばらくお待ちください・・・"));
    setModal(false);
    Label1 = new QLabel(QStringLiteral("処理中です。しばらくお待ちください。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Animation1 = new QProgressBar(this);
    Animation1->setObjectName(QStringLiteral("Animation1"));
    Animation1->setRange(0, 0); // busy: a moving bar without a value
    Animation1->setTextVisible(false);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setVisible(false);
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Animation1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    gintWaitCancel = 0;
}

void frmPSYWait::cmdCancel_Click()
{
    veltra::ui::DoEvents();
    gintWaitCancel = 1;
    veltra::ui::DoEvents();
}
