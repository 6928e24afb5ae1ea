#include "zorvik/render/statgraphpicture.h"

#include "platform/fs/fs.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace zorvik {

namespace {
constexpr double SizeConstant = 17.0;
constexpr int MaxCachedPictures = 256;

struct CachedPicture
{
    QDateTime modified;
    qint64 bytes = 0;
    QImage image;
};
} // namespace

StatGraphKey parseStatGraphKey(const QString &key)
{
    StatGraphKey result;
    const QStringList fields = key.split(QLatin1Char(','));
    if (fields.size() < 7)
        return result;
    bool ok = false;
    result.sizeFigure = fields[3].trimmed().toDouble(&ok);
    result.picture = fields[6].trimmed();
    result.valid = ok && !result.picture.isEmpty();
    return result;
}

double statGraphWorldPerPixel(double kindSize, double sizeFigure)
{
    if (sizeFigure <= 0 || kindSize <= 0)
        return 0;
    return kindSize * SizeConstant / sizeFigure;
}

QImage statGraphPicture(const QString &path)
{
    static QHash<QString, CachedPicture> cache;
    const QString local = veltra::fs::resolve(path);
    const QFileInfo info(local);
    if (!info.isFile())
        return {};
    auto it = cache.find(local);
    if (it != cache.end() && it->modified == info.lastModified() && it->bytes == info.size())
        return it->image;
    QImageReader reader(local);
    reader.setDecideFormatFromContent(true);
    CachedPicture entry{info.lastModified(), info.size(), reader.read()};
    if (cache.size() >= MaxCachedPictures)
        cache.clear();
    cache.insert(local, entry);
    return entry.image;
}

} // namespace zorvik
