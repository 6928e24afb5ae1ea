#include "shell/frmpsyank.h"

#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/savefailures.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPSYAnk::frmPSYAnk(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("アンケートのお願い"));
    Label1 = new QLabel(QStringLiteral("Veltraをご利用いただきまして、ありがとうございます。\n"
                                       "アンケートにご協力をお願いいたします。"),
        this);
    Option1[0] = new QRadioButton(QStringLiteral("インターネットを利用してアンケートに答える(推奨)。"), this);
    Option1[1] = new QRadioButton(QStringLiteral("アンケート用紙を印刷して記入後、Faxで送信する。"), this);
    Option1[2] = new QRadioButton(QStringLiteral("後で協力する。"), this);
    Option1[0]->setChecked(true);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    for (QRadioButton *option : Option1)
        layout->addWidget(option);
    layout->addWidget(Command1, 0, Qt::AlignRight);
}

void frmPSYAnk::Command1_Click()
{
    QString target;
    if (Option1[0]->isChecked())
        target = gstrUseUrl;
    else if (Option1[1]->isChecked())
        target = gstrDataPath + QStringLiteral("PDF\\アンケート（FAX用）.pdf");
    if (Option1[0]->isChecked() || Option1[1]->isChecked()) {
        // A failed open is not reported; the answer is recorded all the same.
        mdlCommon::OpenWithShell(target);
        veltra::shell::writeSetting(
            QStringLiteral("USE"), QStringLiteral("FLG"), QStringLiteral("1"), gstrIniPath);
    }
    accept();
}
