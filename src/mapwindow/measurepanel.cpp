#include "mapwindow/measurepanel.h"

#include "mapwindow/globals.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/format.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "zorvik/widget/zorvik.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace veltra::mapwindow {

MeasurePanel::MeasurePanel(zorvik::Zorvik *map, QWidget *parent)
    : QFrame(parent)
    , m_map(map)
{
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    Command1 = new QToolButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    Command1->setAutoRaise(true);
    Command2 = new QPushButton(QStringLiteral("クリア"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("閉じる"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Label4 = new QLabel(QStringLiteral("※距離、面積は目安です。"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    for (QLabel *label : {Label1, Label2, Label4})
        label->setAttribute(Qt::WA_TransparentForMouseEvents); // presses drag the panel

    auto *top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(Command1, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    auto *column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(Label2);
    column->addWidget(Label4);
    column->addLayout(buttons);
    setMinimumWidth(320);
    adjustSize();
    hide();

    connect(Command1, &QToolButton::clicked, this, &MeasurePanel::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MeasurePanel::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MeasurePanel::Command3_Click);
}

void MeasurePanel::openCalcWindow(std::int16_t mode)
{
    const int offset = ui::twipsToPixels(50, logicalDpiX());
    move(m_map->geometry().topLeft() + QPoint(offset, offset));
    setVisible(true);
    raise();
    if (mode == 1) {
        Label1->setText(QStringLiteral("区間を指定してください。"));
        Label2->setText(QStringLiteral("確定するにはダブルクリックしてください。"));
    }
}

void MeasurePanel::ViewCalcDistance(double dDistance)
{
    Label1->setText(QStringLiteral("距離: ") + vb::format(dDistance, QStringLiteral("0.00"))
        + QStringLiteral("[m]です。"));
    Label2->clear();
}

void MeasurePanel::closeCalcWindow()
{
    if (glngElmHandle != 0) {
        const int result = m_map->DrawElements(glngElmHandle, 1, 0, 0, 0);
        if (result != 0)
            ui::MsgBox(QStringLiteral("DrawElements error2 ret=%1").arg(result), ui::vbOKOnly);
    }
    setVisible(false);
}

void MeasurePanel::Command2_Click()
{
    m_map->Refresh();
    // Leaving and entering the distance tool again clears its line and
    // puts the prompts up.
    veltra::shell::changeMode(ModeDistance, 0, veltra::shell::noParameterText());
}

void MeasurePanel::Command1_Click()
{
    Command2_Click();
    setVisible(false);
    veltra::shell::dispatchMode(StateLeave, veltra::shell::noParameterText());
    gintStoryStepEnd = -1;
}

void MeasurePanel::Command3_Click()
{
    Command1_Click();
}

} // namespace veltra::mapwindow
