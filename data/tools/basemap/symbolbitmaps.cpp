#include "symbolbitmaps.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <array>
#include <cmath>

namespace veltra::basemap {

namespace {

constexpr int Samples = 4; // per pixel and axis, for smooth edges

bool insidePolygon(double x, double y, const std::vector<std::array<double, 2>> &points)
{
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const double xi = points[i][0], yi = points[i][1], xj = points[j][0], yj = points[j][1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

// Whether the point (in units of the symbol, 0 to 1, y downwards) is inside.
bool insideShape(int shape, double x, double y)
{
    constexpr double pi = 3.14159265358979323846;
    switch (shape) {
    case 0:
        return (x - 0.5) * (x - 0.5) + (y - 0.5) * (y - 0.5) <= 0.45 * 0.45;
    case 1:
        return x >= 0.1 && x <= 0.9 && y >= 0.1 && y <= 0.9;
    case 2:
        return insidePolygon(x, y, {{0.5, 0.08}, {0.94, 0.9}, {0.06, 0.9}});
    default: {
        std::vector<std::array<double, 2>> star;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2 == 0) ? 0.48 : 0.19;
            const double a = -pi / 2 + i * pi / 5;
            star.push_back({0.5 + r * std::cos(a), 0.53 + r * std::sin(a)});
        }
        return insidePolygon(x, y, star);
    }
    }
}

void fail(QString *error, const QString &what)
{
    if (error)
        *error = what;
}

} // namespace

const std::vector<SymbolBitmap> &symbolBitmaps()
{
    static const std::vector<SymbolBitmap> table = {
        {QStringLiteral("円_赤_16.bmp"), 0, 16, 220, 40, 40},
        {QStringLiteral("円_青_32.bmp"), 0, 32, 40, 80, 200},
        {QStringLiteral("円_緑_48.bmp"), 0, 48, 40, 160, 60},
        {QStringLiteral("四角_橙_16.bmp"), 1, 16, 240, 140, 20},
        {QStringLiteral("四角_紫_32.bmp"), 1, 32, 140, 60, 180},
        {QStringLiteral("四角_青_64.bmp"), 1, 64, 40, 80, 200},
        {QStringLiteral("三角_緑_24.bmp"), 2, 24, 40, 160, 60},
        {QStringLiteral("三角_赤_32.bmp"), 2, 32, 220, 40, 40},
        {QStringLiteral("三角_黄_48.bmp"), 2, 48, 220, 170, 0},
        {QStringLiteral("星_黄_32.bmp"), 3, 32, 220, 170, 0},
        {QStringLiteral("星_赤_48.bmp"), 3, 48, 220, 40, 40},
        {QStringLiteral("星_青_64.bmp"), 3, 64, 40, 80, 200},
    };
    return table;
}

QByteArray symbolBitmapBytes(const SymbolBitmap &symbol)
{
    const int n = symbol.size;
    const int rowBytes = (n * 3 + 3) & ~3;
    const int imageBytes = rowBytes * n;
    QByteArray bytes(54 + imageBytes, '\0');
    auto *p = reinterpret_cast<uchar *>(bytes.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(static_cast<quint32>(bytes.size()), p + 2);
    qToLittleEndian<quint32>(54, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(n, p + 18);
    qToLittleEndian<qint32>(n, p + 22); // positive: rows bottom-up
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(24, p + 28);
    qToLittleEndian<quint32>(static_cast<quint32>(imageBytes), p + 34);
    qToLittleEndian<qint32>(3780, p + 38); // 96 dpi in pixels per metre
    qToLittleEndian<qint32>(3780, p + 42);
    for (int y = 0; y < n; ++y) {
        uchar *row = p + 54 + (n - 1 - y) * rowBytes;
        for (int x = 0; x < n; ++x) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const double u = (x + (sx + 0.5) / Samples) / n;
                    const double v = (y + (sy + 0.5) / Samples) / n;
                    hits += insideShape(symbol.shape, u, v) ? 1 : 0;
                }
            }
            const double cover = static_cast<double>(hits) / (Samples * Samples);
            auto blend = [cover](unsigned char c) {
                return static_cast<uchar>(std::lround(255.0 + (c - 255.0) * cover));
            };
            row[3 * x] = blend(symbol.blue);
            row[3 * x + 1] = blend(symbol.green);
            row[3 * x + 2] = blend(symbol.red);
        }
    }
    return bytes;
}

bool writeSymbolBitmaps(const QString &folder, QString *error)
{
    if (!QDir().mkpath(folder)) {
        fail(error, QStringLiteral("cannot create %1").arg(folder));
        return false;
    }
    for (const SymbolBitmap &symbol : symbolBitmaps()) {
        QFile file(QDir(folder).filePath(symbol.name));
        const QByteArray bytes = symbolBitmapBytes(symbol);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            fail(error, QStringLiteral("cannot write %1").arg(file.fileName()));
            return false;
        }
    }
    return true;
}

} // namespace veltra::basemap
