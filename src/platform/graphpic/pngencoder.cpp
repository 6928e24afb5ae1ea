#include "platform/graphpic/pngencoder.h"

#include <QtEndian>
#include <array>
#include <cstdint>
#include <vector>
#include <zlib.h>

namespace veltra::graphpic {

namespace {

// The compressor of this thread, set up on first use and reset per picture.
class Deflater
{
public:
    Deflater() { m_ready = deflateInit(&m_stream, Z_BEST_SPEED) == Z_OK; }
    ~Deflater()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    bool ready() const { return m_ready; }
    z_stream &stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

void appendChunk(QByteArray &png, const char (&type)[5], const QByteArray &data)
{
    const auto length = qToBigEndian(quint32(data.size()));
    png.append(reinterpret_cast<const char *>(&length), 4);
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    const auto crc = qToBigEndian(quint32(crc32(crc32(0, nullptr, 0),
        reinterpret_cast<const Bytef *>(png.constData() + start), uInt(png.size() - start))));
    png.append(reinterpret_cast<const char *>(&crc), 4);
}

QByteArray header(const QImage &image)
{
    QByteArray data(13, '\0');
    qToBigEndian(quint32(image.width()), data.data());
    qToBigEndian(quint32(image.height()), data.data() + 4);
    data[8] = 8; // bits per channel
    data[9] = 6; // RGBA
    // compression, filter method and interlace: 0
    return data;
}

// The image's rows, each behind the filter byte "none", deflated as one
// zlib stream; empty when the compressor fails.
QByteArray compressedRows(const QImage &image)
{
    thread_local Deflater deflater;
    if (!deflater.ready() || deflateReset(&deflater.stream()) != Z_OK)
        return {};
    z_stream &stream = deflater.stream();
    const int width = image.width();
    std::vector<unsigned char> row(std::size_t(width) * 4 + 1);
    std::array<unsigned char, 16384> out;
    QByteArray compressed;
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        unsigned char *p = row.data();
        *p++ = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = pixels[x];
            *p++ = uchar(qRed(pixel));
            *p++ = uchar(qGreen(pixel));
            *p++ = uchar(qBlue(pixel));
            *p++ = uchar(qAlpha(pixel));
        }
        const int flush = y + 1 == image.height() ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = row.data();
        stream.avail_in = uInt(row.size());
        int result = Z_OK;
        do {
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            result = deflate(&stream, flush);
            if (result == Z_STREAM_ERROR)
                return {};
            compressed.append(
                reinterpret_cast<const char *>(out.data()), qsizetype(out.size() - stream.avail_out));
        } while (stream.avail_out == 0);
        if (flush == Z_FINISH && result != Z_STREAM_END)
            return {};
    }
    return compressed;
}

} // namespace

QByteArray encodePng(const QImage &image)
{
    if (image.isNull())
        return {};
    // Qt's own conversion: its rounding out of premultiplied alpha (what the
    // painters draw into) is the one QImage's PNG writer gives.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QByteArray rows = compressedRows(argb);
    if (rows.isEmpty())
        return {};
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(8 + 25 + 12 + rows.size() + 12);
    appendChunk(png, "IHDR", header(argb));
    appendChunk(png, "IDAT", rows);
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace veltra::graphpic
