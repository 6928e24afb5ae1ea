#include "platform/ui/fittinglabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace veltra::ui {

QFont fittedFont(const QString &text, const QFont &font, int width)
{
    const qreal needed = QFontMetricsF(font).horizontalAdvance(text);
    if (needed <= width || needed <= 0 || width <= 0)
        return font;
    QFont smaller = font;
    qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    // Glyph widths do not scale exactly with the size (hinting), so step down
    // until the text fits.
    size = std::max<qreal>(5.0, size * width / needed);
    for (;;) {
        smaller.setPointSizeF(size);
        if (size <= 5.0 || QFontMetricsF(smaller).horizontalAdvance(text) <= width)
            return smaller;
        size = std::max<qreal>(5.0, size - 0.25);
    }
}

FittingLabel::FittingLabel(const QString &text, QWidget *parent) : QLabel(text, parent) { }

void FittingLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = text().trimmed();
    const QRect area = contentsRect();
    const QFont drawn = fittedFont(shown, font(), area.width());
    if (drawn == font() && shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(drawn);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    // Padding spaces say where the text belongs; without them the side of
    // the padding is kept.
    Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    if (text().startsWith(QLatin1Char(' ')))
        horizontal = Qt::AlignRight;
    painter.drawText(area, static_cast<int>(horizontal | Qt::AlignVCenter), shown);
}

} // namespace veltra::ui
