#include "mapwindow/compasswidget.h"

#include "mapwindow/compassfigure.h"

#include <QPainter>

namespace veltra::mapwindow {

CompassWidget::CompassWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture5"));
    setAutoFillBackground(true);
    setFixedSize(100, 100);
}

void CompassWidget::CompassDrawData(double angle)
{
    m_angle = angle;
    update();
}

void CompassWidget::paintEvent(QPaintEvent *)
{
    const CompassFigure f = compassFigure(m_angle, size());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t j = 0; j < f.arrows.size(); ++j) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(f.colours[j]);
        painter.drawPolygon(f.arrows[j]);
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(f.centre, f.outerRadius, f.outerRadius);
    painter.setBrush(QColor(0, 0, 255));
    painter.drawEllipse(f.centre, f.innerRadius, f.innerRadius);
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    painter.drawLine(f.letterN[0], f.letterN[1]);
    painter.drawLine(f.letterN[1], f.letterN[2]);
    painter.drawLine(f.letterN[2], f.letterN[3]);
}

} // namespace veltra::mapwindow
