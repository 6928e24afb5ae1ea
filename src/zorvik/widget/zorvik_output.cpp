// Zorvik: pictures, printing and the host geometry. Every picture is drawn
// by the same renderer as the screen, with its own view transform.
#include "platform/fs/fs.h"
#include "zorvik/widget/zorvik.h"

#include <QBuffer>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace zorvik {

namespace {
Result writePicture(const QImage &image, const QString &file)
{
    if (image.isNull())
        return code::BadArgument;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return code::IoError;
    return veltra::fs::writeFileAtomic(veltra::fs::resolve(file), bytes) ? code::Ok : code::IoError;
}
} // namespace

Result Zorvik::SaveImageRect(int top, int left, int right, int bottom, const QString &file)
{
    const QPoint topLeft = mapFromGlobal(QPoint(std::min(left, right), std::min(top, bottom)));
    // Right and bottom are the first pixels outside, as in a Windows RECT.
    const QRect area
        = QRect(topLeft, QSize(std::abs(right - left), std::abs(bottom - top))).intersected(rect());
    if (area.isEmpty())
        return code::BadArgument;
    const QImage buffer = backBuffer();
    const qreal ratio = buffer.devicePixelRatio();
    QImage part = buffer.copy(QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toRect());
    part.setDevicePixelRatio(1);
    // The picture has the size of the chosen screen rectangle.
    if (part.size() != area.size())
        part = part.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return writePicture(part, file);
}

Result Zorvik::GetRangeImage(const QString &file, int height, int width, double scale, int)
{
    if (height <= 0 || width <= 0 || !std::isfinite(scale) || scale <= 0)
        return code::BadArgument;
    const ViewTransform range = view().withSize(QSize(width, height)).withScale(scale);
    return writePicture(m_renderer.renderImage(range, renderInput()), file);
}

Result Zorvik::PrintDraw(QPainter &painter, const QRectF &page, double scale)
{
    if (!painter.isActive() || page.isEmpty() || !painter.device())
        return code::BadArgument;
    const double dpi = painter.device()->logicalDpiY();
    const double s = (std::isfinite(scale) && scale > 0) ? scale : view().scale();
    const ViewTransform paper = view().withSize(page.size().toSize()).withDpi(dpi).withScale(s);
    painter.save();
    painter.translate(page.topLeft());
    m_renderer.render(painter, paper, renderInput());
    painter.restore();
    return code::Ok;
}

Result Zorvik::PrintDraw(QPrinter &printer, double scale)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return code::IoError;
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    const Result r = PrintDraw(painter, page, scale);
    painter.end();
    return r;
}

QImage Zorvik::RenderToImage(QSize size) const
{
    return m_renderer.renderImage(view().withSize(size), renderInput());
}

// ---- host geometry (twips)

double Zorvik::Left() const
{
    return view().pixelsToTwips(x());
}

double Zorvik::Top() const
{
    return view().pixelsToTwips(y());
}

double Zorvik::Width() const
{
    return view().pixelsToTwips(width());
}

double Zorvik::Height() const
{
    return view().pixelsToTwips(height());
}

void Zorvik::Move(double left, double top, double width, double height)
{
    const int px = static_cast<int>(std::lround(view().twipsToPixels(left)));
    const int py = static_cast<int>(std::lround(view().twipsToPixels(top)));
    const int pw = width < 0 ? this->width() : static_cast<int>(std::lround(view().twipsToPixels(width)));
    const int ph = height < 0 ? this->height() : static_cast<int>(std::lround(view().twipsToPixels(height)));
    setGeometry(px, py, std::max(0, pw), std::max(0, ph));
}

} // namespace zorvik
