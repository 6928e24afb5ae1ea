#include "mapwindow/scalebar.h"

#include <QPainter>
#include <cmath>

namespace veltra::mapwindow {

namespace {
constexpr int margin = 8; // px around the bar
constexpr int tick = 6; // px of the end ticks above the bar
} // namespace

ScaleBar::ScaleBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture3"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    // The label lets the presses through, so the whole bar can be dragged.
    Label3->setAttribute(Qt::WA_TransparentForMouseEvents);
    const int height = Label3->sizeHint().height();
    setFixedSize(barLength() + 2 * margin, height + tick + 2 * margin);
    Label3->setGeometry(margin, margin / 2, barLength(), height);
}

void ScaleBar::setText(const QString &text)
{
    Label3->setText(text);
}

QString ScaleBar::text() const
{
    return Label3->text();
}

int ScaleBar::barLength() const
{
    return static_cast<int>(std::lround(4.0 / 2.54 * logicalDpiX()));
}

void ScaleBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 2));
    const int y = height() - margin;
    const int x0 = margin, x1 = margin + barLength();
    painter.drawLine(x0, y, x1, y); // Line1(0)
    painter.drawLine(x0, y, x0, y - tick); // Line1(1)
    painter.drawLine(x1, y, x1, y - tick); // Line1(2)
}

} // namespace veltra::mapwindow
