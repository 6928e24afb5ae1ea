#include "shell/frmpsyinfo.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPSYInfo::frmPSYInfo(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("初期表示"));
    optInfo[0] = new QRadioButton(QStringLiteral("前回位置で地図表示"), this);
    optInfo[1] = new QRadioButton(QStringLiteral("登録位置で地図表示"), this);
    optInfo[0]->setChecked(true);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(optInfo[0]);
    layout->addWidget(optInfo[1]);
    layout->addWidget(Command1, 0, Qt::AlignRight);
}

void frmPSYInfo::Command1_Click()
{
    bZenkai = optInfo[0]->isChecked();
    accept();
}
