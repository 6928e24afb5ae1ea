#include "graphs/bitmapfacts.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace veltra::graphs {

namespace {

// The header of a Windows bitmap; false when the file is none.
bool readBmpHeader(QFile &file, BitmapFacts &facts)
{
    const QByteArray head = file.read(14 + 40);
    if (head.size() < 14 + 12 || head[0] != 'B' || head[1] != 'M')
        return false;
    const auto *p = reinterpret_cast<const uchar *>(head.constData()) + 14;
    const quint32 infoSize = qFromLittleEndian<quint32>(p);
    if (infoSize == 12) { // BITMAPCOREHEADER
        facts.width = qFromLittleEndian<quint16>(p + 4);
        facts.height = qFromLittleEndian<quint16>(p + 6);
        facts.bitsPerPixel = qFromLittleEndian<quint16>(p + 8) * qFromLittleEndian<quint16>(p + 10);
        return true;
    }
    if (infoSize < 40 || head.size() < 14 + 40)
        return false;
    facts.width = qFromLittleEndian<qint32>(p + 4);
    // A negative height marks rows stored top-down.
    const qint32 height = qFromLittleEndian<qint32>(p + 8);
    facts.height = height < 0 ? -height : height;
    facts.bitsPerPixel = qFromLittleEndian<quint16>(p + 12) * qFromLittleEndian<quint16>(p + 14);
    return facts.width > 0 && facts.height > 0;
}

} // namespace

bool readBitmapFacts(const QString &path, BitmapFacts &facts)
{
    facts = {};
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && readBmpHeader(file, facts))
        return true;
    facts.width = image.width();
    facts.height = image.height();
    facts.bitsPerPixel = image.depth();
    return true;
}

std::int16_t bitsPerPixelClass(std::int32_t bitsPerPixel)
{
    if (bitsPerPixel <= 1)
        return 1;
    if (bitsPerPixel <= 4)
        return 4;
    if (bitsPerPixel <= 8)
        return 8;
    return 24;
}

double paddedRowSize24(std::int32_t width, std::int32_t height)
{
    const std::int64_t row = (static_cast<std::int64_t>(width) * 3 + 3) & ~std::int64_t(3);
    return static_cast<double>(row) * height;
}

} // namespace veltra::graphs
