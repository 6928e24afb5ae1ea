#include "mapwindow/frmturn.h"

#include "mapwindow/frmallareaview.h"
#include "mapwindow/frmzorvik.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QDial>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace veltra;

namespace {

int engineWindowAngle(const zorvik::Zorvik *engine)
{
    if (!engine)
        return 0;
    return -static_cast<int>(vb::roundHalfEven(engine->Angle()));
}

} // namespace

frmTurn::frmTurn(zorvik::Zorvik *engine, QWidget *owner)
    : QWidget(owner, Qt::Tool)
    , m_engine(engine)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("回転"));
    Text1 = new QLineEdit(QStringLiteral("0"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setRange(-179, 180);
    JogDialCtrl1 = new QDial(this);
    JogDialCtrl1->setObjectName(QStringLiteral("JogDialCtrl1"));
    JogDialCtrl1->setRange(-1800, 1800);
    JogDialCtrl1->setWrapping(true);
    Command1 = new QPushButton(QStringLiteral("回転"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    const std::array<QString, 4> directions{QStringLiteral("北を上に"), QStringLiteral("南を上に"),
        QStringLiteral("東を上に"), QStringLiteral("西を上に")};
    for (int i = 0; i < 4; ++i) {
        Command2[i] = new QPushButton(directions[i], this);
        Command2[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    Command3 = new QPushButton(QStringLiteral("閉じる"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(JogDialCtrl1, 0, 0, 3, 1);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Command1, 0, 2);
    grid->addWidget(HScroll1, 1, 1, 1, 2);
    grid->addWidget(Command2[0], 2, 1);
    grid->addWidget(Command2[1], 2, 2);
    grid->addWidget(Command2[2], 3, 1);
    grid->addWidget(Command2[3], 3, 2);
    grid->addWidget(Command3, 4, 2);

    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(JogDialCtrl1, &QDial::valueChanged, this, [this] { JogDial_Turned(); });
    connect(JogDialCtrl1, &QDial::sliderReleased, this, [this] { JogDial_Released(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    const int a = engineWindowAngle(engine);
    Text1->setText(QString::number(a));
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(a);
    }
    setDial(a * 10);
}

void frmTurn::showAngleOf(zorvik::Zorvik *engine)
{
    m_engine = engine;
    Text1->setText(QString::number(engineWindowAngle(engine)));
}

void frmTurn::setScroll(int value)
{
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(value);
    }
    HScroll1_Change();
}

void frmTurn::setDial(int tenths)
{
    const QSignalBlocker block(JogDialCtrl1);
    JogDialCtrl1->setValue(tenths);
}

void frmTurn::HScroll1_Change()
{
    Text1->setText(QString::number(HScroll1->value()));
    setDial(HScroll1->value() * 10);
}

void frmTurn::JogDial_Turned()
{
    const int v = static_cast<int>(vb::roundHalfEven(JogDialCtrl1->value() / 10.0));
    Text1->setText(QString::number(v));
    setScroll(v);
}

void frmTurn::JogDial_Released()
{
    Command1_Click();
}

void frmTurn::Command1_Click()
{
    const auto t = veltra::mapwindow::turnAngle(Text1->text());
    if (!t)
        return; // not a whole number the window can hold: nothing to apply
    Text1->setText(QString::number(*t));
    setDial(*t * 10);
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(*t);
    }
    if (!m_engine)
        return;
    m_engine->setAngle(-*t);
    m_engine->Refresh();
    if (frmZorvik *window = currentMapWindow())
        window->CompassDrawData(m_engine->Angle());
    veltra::mapwindow::redrawOverviewView(); // the view rectangle turns with the map
}

void frmTurn::Command2_Click(int index)
{
    static constexpr std::array<int, 4> tops{0, 180, -90, 90};
    if (index < 0 || index > 3)
        return;
    setScroll(tops[static_cast<std::size_t>(index)]);
    Command1_Click();
}

void frmTurn::Command3_Click()
{
    ui::WindowRegistry::instance().unload(this);
}

namespace veltra::mapwindow {

std::optional<std::int16_t> turnAngle(const QString &text)
{
    const std::optional<std::int16_t> whole = vb::tryCInt(text);
    if (!whole)
        return std::nullopt;
    int t = *whole % 360; // the sign follows the dividend
    if (t < -179)
        t += 360;
    else if (t > 180)
        t -= 360;
    return static_cast<std::int16_t>(t);
}

void showTurnWindow(zorvik::Zorvik *engine)
{
    auto &registry = ui::WindowRegistry::instance();
    if (auto *open = qobject_cast<frmTurn *>(registry.find(QStringLiteral("frmTurn")))) {
        open->showAngleOf(engine);
        open->show();
        open->raise();
        return;
    }
    auto *window = registry.form<frmTurn>(engine, static_cast<QWidget *>(gfrmMain));
    ui::showToolWindow(*window, gfrmMain);
}

} // namespace veltra::mapwindow
