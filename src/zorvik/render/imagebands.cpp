#include "zorvik/render/imagebands.h"

#include "zorvik/render/plaintarget.h"
#include "zorvik/render/renderthreads.h"

#include <QImage>
#include <QRegion>
#include <algorithm>

namespace zorvik {

namespace {
constexpr int Bands = 8;
constexpr int RowAlign = 8;

int bandHeight(int height)
{
    const int rows = (height + Bands - 1) / Bands;
    return std::max(RowAlign, (rows + RowAlign - 1) / RowAlign * RowAlign);
}
} // namespace

bool ImageBands::available(const QPainter &painter)
{
    if (!plainImageTarget(painter))
        return false;
    return !painter.hasClipping() || painter.clipRegion().rectCount() <= 1;
}

int ImageBands::bandCount(int height)
{
    return height <= 0 ? 0 : (height + bandHeight(height) - 1) / bandHeight(height);
}

void ImageBands::draw(QPainter &painter, const std::function<void(QPainter &, const QRect &)> &draw)
{
    if (!available(painter)) {
        draw(painter,
            painter.device() ? QRect(0, 0, painter.device()->width(), painter.device()->height()) : QRect());
        return;
    }
    auto *image = static_cast<QImage *>(painter.device());
    const int width = image->width(), height = image->height();
    const int rows = bandHeight(height);
    const int count = bandCount(height);
    const qsizetype stride = image->bytesPerLine();
    uchar *bits = image->bits();
    const QImage::Format format = image->format();
    const QTransform transform = painter.deviceTransform();
    const bool clipped = painter.hasClipping();
    const QRectF clip = clipped ? QRectF(painter.clipRegion().boundingRect()) : QRectF();
    const QPainter::RenderHints hints = painter.renderHints();
    const QPointF brushOrigin = painter.brushOrigin();

    auto drawBand = [&](int band) {
        const int top = band * rows;
        const int bottom = std::min(height, top + rows);
        QImage rowsImage(bits + top * stride, width, bottom - top, stride, format);
        QPainter p(&rowsImage);
        p.setRenderHints(hints);
        p.setTransform(transform * QTransform::fromTranslate(0, -top));
        if (clipped)
            p.setClipRect(clip);
        p.setBrushOrigin(brushOrigin);
        draw(p, QRect(0, top, width, bottom - top));
    };
    renderthreads::forEach(count, drawBand);
}

} // namespace zorvik
