#include "statrender/areacache.h"

#include "statrender/areacachefiles.h"

#include "mapwindow/mdlelement.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/text/text.h"
#include "platform/vb/errors.h"
#include "shell/modfileio.h"
#include "zorvik/widget/zorvik.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <exception>

namespace ComModule {

bool CollectAreaPolygons(zorvik::Zorvik *engine, std::int16_t spaceId, const std::vector<ElementInfo> &records,
    std::vector<ElementInfo> &outlines, const ProgressValue &progress)
{
    if (!engine) {
        veltra::ui::MsgBox(QStringLiteral("オブジェクト変数が設定されていません。"));
        return false;
    }
    engine->setSpaceID(spaceId);
    engine->setRecognizeElementType(1);
    engine->setRecognizeSearchNum(1);
    auto report = [&](int value) {
        if (!progress)
            return;
        try {
            progress(value);
        } catch (const std::exception &) {
            // A progress bar that cannot show the value does not stop the search.
        }
    };
    report(0);
    outlines.clear();
    const auto n = static_cast<std::int32_t>(records.size());
    for (std::int32_t k = 0; k < n; ++k) {
        veltra::ui::DoEvents();
        const ElementInfo &record = records[static_cast<std::size_t>(k)];
        std::int32_t x = record.lX.empty() ? 0 : record.lX[0];
        std::int32_t y = record.lY.empty() ? 0 : record.lY[0];
        zorvik::Handle set = 0;
        std::int32_t count = 0, unusedB = 0, unusedC = 0;
        engine->SearchElements(3, x, y, set, count, unusedB, unusedC);
        if (set == 0 || count < 1) {
            engine->ReleaseElements(set);
            return false;
        }
        ElementInfo outline;
        std::int32_t elem = 0;
        veltra::mapwindow::readElementInfo(*engine, set, elem, outline, 1);
        outlines.push_back(std::move(outline));
        engine->ReleaseElements(set);
        report(static_cast<int>(static_cast<double>(outlines.size()) / n * 100));
    }
    return true;
}

std::optional<QDate> GetBaseDateValue(const zorvik::Zorvik *engine)
{
    if (!engine)
        return std::nullopt;
    const QDate date = QDate::fromString(engine->BaseDate(), QStringLiteral("yyyyMMdd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace ComModule

namespace ComPSY {

namespace {

QString binPathOf(const QString &csvPath)
{
    return csvPath.left(csvPath.size() - 3) + QStringLiteral("bin");
}

std::int64_t fileSize(const QString &path)
{
    const QFileInfo info(veltra::fs::resolve(path));
    return info.exists() ? info.size() : 0;
}

// The size of a prefecture's NN.csv, from the file kept open when there is one.
std::int64_t cacheTextSize(const QString &csvPath)
{
    if (const auto *kept = veltra::statrender::areaCacheFiles().find(csvPath, false))
        return kept->size;
    return fileSize(csvPath);
}

QByteArray pointBytes(const std::vector<AreaPoint> &points)
{
    QByteArray bytes(static_cast<qsizetype>(points.size() * 8), Qt::Uninitialized);
    char *out = bytes.data();
    for (const AreaPoint &p : points) {
        qToLittleEndian<std::int32_t>(p.X, out);
        qToLittleEndian<std::int32_t>(p.Y, out + 4);
        out += 8;
    }
    return bytes;
}

} // namespace

void WriteAreaCache(const QString &csvPath, const std::optional<QDate> &baseDate,
    const std::vector<ElementInfo> &areas, const std::vector<ElementInfo> &outlines)
{
    if (areas.size() != outlines.size())
        return;
    // The prefecture's files kept open since an earlier area of this run,
    // else the ordinary way (and kept open after it).
    auto &files = veltra::statrender::areaCacheFiles();
    veltra::statrender::AreaCacheFiles::File *csv = files.find(csvPath, false);
    veltra::statrender::AreaCacheFiles::File *bin = csv ? files.find(csvPath, true) : nullptr;
    if (!bin)
        csv = nullptr;
    const std::int64_t sizeBefore = csv ? csv->size : fileSize(csvPath);
    std::vector<std::pair<QString, veltra::statrender::CachedOutline>> written;
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const ElementInfo &area = areas[i];
        const ElementInfo &outline = outlines[i];
        std::vector<AreaPoint> points(static_cast<std::size_t>(std::max(0, outline.PNum)));
        for (std::size_t p = 0; p < points.size(); ++p)
            points[p] = AreaPoint{outline.lX.at(p), outline.lY.at(p)};
        std::int64_t first = 0, last = 0;
        if (bin) {
            first = bin->size + 1;
            if (!files.append(csvPath, *bin, pointBytes(points)))
                throw veltra::vb::FileError((binPathOf(csvPath) + QStringLiteral(" に書き込めません。")).toStdString());
            last = bin->size;
        } else {
            AppendAreaPoints(binPathOf(csvPath), points, first, last);
        }
        const QStringList fields{QString::number(area.iPra[2]), area.Key,
            veltra::statrender::cacheYearField(baseDate, area.lPra[1], QStringLiteral("1001")),
            veltra::statrender::cacheYearField(baseDate, area.lPra[3], QStringLiteral("0930")),
            QString::number(outline.PNum), QString::number(first), QString::number(last)};
        const QString line = fields.join(QLatin1Char(','));
        bool ok;
        if (csv) {
            QByteArray bytes;
            ok = veltra::text::encodeCp932(line, bytes) && files.append(csvPath, *csv, bytes + "\r\n");
        } else {
            ok = modFileIO::AppendTextLine(csvPath, line);
        }
        if (!ok)
            throw veltra::vb::FileError((csvPath + QStringLiteral(" に書き込めません。")).toStdString());
        written.emplace_back(area.Key, veltra::statrender::CachedOutline{outline.PNum, first});
    }
    const std::int64_t sizeAfter = csv ? csv->size : fileSize(csvPath);
    if (!csv && !written.empty())
        files.keep(csvPath, binPathOf(csvPath));
    veltra::statrender::areaCacheIndex().appended(csvPath, sizeBefore, sizeAfter, written);
}

void AppendAreaPoints(
    const QString &binPath, const std::vector<AreaPoint> &points, std::int64_t &firstByte, std::int64_t &lastByte)
{
    const QByteArray bytes = pointBytes(points);
    QFile file(veltra::fs::resolve(binPath));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        throw veltra::vb::FileError((binPath + QStringLiteral(" を開けません。")).toStdString());
    firstByte = file.size() + 1;
    if (file.write(bytes) != bytes.size())
        throw veltra::vb::FileError((binPath + QStringLiteral(" に書き込めません。")).toStdString());
    lastByte = file.size();
}

void ReadAreaPoints(const QString &binPath, std::vector<AreaPoint> &points, std::int64_t firstByte,
    std::int64_t /*lastByte*/, std::int32_t count)
{
    points.assign(static_cast<std::size_t>(std::max(0, count)), AreaPoint{});
    const std::int64_t length = static_cast<std::int64_t>(points.size()) * 8;
    QByteArray bytes;
    const QString csvPath = binPath.left(binPath.size() - 3) + QStringLiteral("csv");
    if (const auto *kept = veltra::statrender::areaCacheFiles().find(csvPath, true)) {
        if (firstByte < 1 || !veltra::statrender::AreaCacheFiles::read(*kept, firstByte - 1, length, bytes))
            throw veltra::vb::FileError((binPath + QStringLiteral(" を読み込めません。")).toStdString());
    } else {
        QFile file(veltra::fs::resolve(binPath));
        if (!file.open(QIODevice::ReadOnly) || firstByte < 1 || !file.seek(firstByte - 1))
            throw veltra::vb::FileError((binPath + QStringLiteral(" を読み込めません。")).toStdString());
        bytes = file.read(length);
        if (bytes.size() != length)
            throw veltra::vb::FileError((binPath + QStringLiteral(" を読み込めません。")).toStdString());
    }
    const char *in = bytes.constData();
    for (AreaPoint &p : points) {
        p.X = qFromLittleEndian<std::int32_t>(in);
        p.Y = qFromLittleEndian<std::int32_t>(in + 4);
        in += 8;
    }
}

} // namespace ComPSY

namespace veltra::statrender {

QString cacheYearField(const std::optional<QDate> &baseDate, std::int32_t days, const QString &monthDay)
{
    if (!baseDate)
        return monthDay;
    // The year alone, formatted here: the user's choice of date style stays
    // as it is.
    const QDate date = baseDate->addDays(days);
    return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')).left(4) + monthDay;
}

namespace {

// The outlines of one NN.csv by area code.
void parseCacheLines(const std::vector<QString> &lines, QHash<QString, std::vector<CachedOutline>> &out,
    const QString *only = nullptr)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char(','));
        const QString code = fields.value(1);
        if (only && code != *only)
            continue;
        out[code].push_back(CachedOutline{fields.value(4).toInt(), fields.value(5).toLongLong()});
    }
}

} // namespace

std::vector<CachedOutline> AreaCacheIndex::find(const QString &csvPath, const QString &code)
{
    return load(csvPath).outlines.value(code);
}

AreaCacheIndex::File &AreaCacheIndex::load(const QString &csvPath)
{
    File &file = m_files[csvPath];
    const std::int64_t size = ComPSY::cacheTextSize(csvPath);
    if (file.size == size)
        return file;
    file = File{};
    file.size = size;
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (size > 0 && modFileIO::ReadTextLines(csvPath, lines, count))
        parseCacheLines(lines, file.outlines);
    return file;
}

void AreaCacheIndex::appended(const QString &csvPath, std::int64_t sizeBefore, std::int64_t sizeAfter,
    const std::vector<std::pair<QString, CachedOutline>> &lines)
{
    auto it = m_files.find(csvPath);
    if (it == m_files.end())
        return;
    if (it->size != sizeBefore) {
        m_files.erase(it); // read again at the next look-up
        return;
    }
    for (const auto &[code, outline] : lines)
        it->outlines[code].push_back(outline);
    it->size = sizeAfter;
}

AreaCacheIndex &areaCacheIndex()
{
    static AreaCacheIndex index;
    return index;
}

std::vector<CachedOutline> scanAreaCache(const QString &csvPath, const QString &code)
{
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(csvPath, lines, count))
        return {};
    QHash<QString, std::vector<CachedOutline>> found;
    parseCacheLines(lines, found, &code);
    return found.value(code);
}

} // namespace veltra::statrender
