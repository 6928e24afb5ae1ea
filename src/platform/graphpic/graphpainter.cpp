#include "platform/graphpic/graphpainter.h"

#include "platform/graphpic/vovuder.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace veltra::graphpic {

namespace {

// Qt's angles are sixteenths of a degree, counter-clockwise from three o'clock.
constexpr int FullCircle = 360 * 16;
constexpr int TwelveOClock = 90 * 16;

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(Qt::transparent);
    return image;
}

} // namespace

QColor colourOfBgr(std::int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QImage paintPie(std::span<const VoVuderItem> items, int width, int height, int scale)
{
    QImage image = transparentImage(width * scale, height * scale);
    if (image.isNull())
        return image;
    const double pen = scale;
    // The outline is centred on the circle's edge, so the circle is inset by
    // half a pen on every side to keep it inside the picture.
    const double side = std::min(width, height) * scale - pen;
    if (side <= 0)
        return image;
    const QRectF circle((image.width() - side) / 2, (image.height() - side) / 2, side, side);

    double sum = 0;
    for (const VoVuderItem &item : items) {
        if (item.Value > 0)
            sum += item.Value;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(OutlineColour, pen));
    if (sum <= 0) {
        painter.drawEllipse(circle);
        return image;
    }
    // Slice edges come from the running sum, so rounding never leaves a gap
    // or an overlap and the last slice ends at twelve o'clock exactly.
    double before = 0;
    for (const VoVuderItem &item : items) {
        if (item.Value <= 0)
            continue;
        const int from = int(std::lround(before / sum * FullCircle));
        before += item.Value;
        const int to = int(std::lround(before / sum * FullCircle));
        if (to == from)
            continue;
        painter.setBrush(colourOfBgr(item.Color));
        if (to - from == FullCircle)
            painter.drawEllipse(circle);
        else
            painter.drawPie(circle, TwelveOClock - from, -(to - from)); // negative: clockwise
    }
    return image;
}

QImage paintBars(std::span<const VoVuderItem> items, int width, int height, int scale)
{
    QImage image = transparentImage(width * scale, height * scale);
    if (image.isNull() || items.empty())
        return image;
    const int w = image.width(), h = image.height();
    const double columns = double(items.size());
    QPainter painter(&image);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::int32_t value = std::min(items[i].Value, 100);
        if (value <= 0)
            continue;
        const int left = int(std::lround(double(i) * w / columns));
        const int right = int(std::lround(double(i + 1) * w / columns));
        const int barHeight = int(std::lround(value / 100.0 * h));
        if (right <= left || barHeight <= 0)
            continue;
        const QRect bar(left, h - barHeight, right - left, barHeight);
        // The outline is the bar's own rim, so bars never reach past their
        // column or the picture.
        painter.fillRect(bar, OutlineColour);
        const QRect inside = bar.adjusted(scale, scale, -scale, -scale);
        if (inside.isValid())
            painter.fillRect(inside, colourOfBgr(items[i].Color));
    }
    return image;
}

} // namespace veltra::graphpic
