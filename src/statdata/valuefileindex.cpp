#include "statdata/valuefileindex.h"

#include "platform/text/text.h"
#include "statdata/statfilepaths.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <list>

namespace veltra::statdata {

namespace {

// A few files are enough: a map reads one value file per prefecture and
// variable; town-block files can be large.
constexpr std::size_t kCachedFiles = 8;

struct CacheEntry
{
    QString path;
    qint64 size = -1;
    qint64 modified = 0;
    std::shared_ptr<const ValueFileIndex> index;
};

std::mutex cacheMutex;
std::list<CacheEntry> cache; // most recently used first

bool isComma(QChar c)
{
    return c == u',' || c == u'，';
}

} // namespace

std::shared_ptr<const ValueFileIndex> ValueFileIndex::load(const QString &localPath)
{
    const QFileInfo info(localPath);
    if (!info.isFile())
        return nullptr;
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    {
        std::lock_guard lock(cacheMutex);
        for (auto it = cache.begin(); it != cache.end(); ++it) {
            if (it->path != localPath)
                continue;
            if (it->size == size && it->modified == modified) {
                cache.splice(cache.begin(), cache, it);
                return cache.front().index;
            }
            cache.erase(it);
            break;
        }
    }
    QStringList lines;
    if (!text::readLines(localPath, lines))
        return nullptr;
    auto index = std::make_shared<const ValueFileIndex>(std::move(lines));
    std::lock_guard lock(cacheMutex);
    cache.push_front({localPath, size, modified, index});
    if (cache.size() > kCachedFiles)
        cache.pop_back();
    return index;
}

void ValueFileIndex::clearCache()
{
    std::lock_guard lock(cacheMutex);
    cache.clear();
}

ValueFileIndex::ValueFileIndex(QStringList lines)
    : m_lines(std::move(lines))
{
    m_shapes.reserve(m_lines.size());
    for (const QString &line : std::as_const(m_lines))
        m_shapes.push_back(shapeOf(line));
}

// What splitting the line at its commas would give, without building the
// fields: the line is trimmed of spaces, cut at "," and "，", and an empty
// field reads as "0".
ValueFileIndex::Shape ValueFileIndex::shapeOf(const QString &line)
{
    Shape shape;
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line.at(begin) == u' ')
        ++begin;
    while (end > begin && line.at(end - 1) == u' ')
        --end;
    if (begin == end)
        return shape;
    shape.fieldCount = 1;
    qsizetype firstComma = -1;
    for (qsizetype i = begin; i < end; ++i) {
        if (isComma(line.at(i))) {
            ++shape.fieldCount;
            if (firstComma < 0)
                firstComma = i;
        }
    }
    QString code = line.mid(begin, (firstComma < 0 ? end : firstComma) - begin);
    if (code.isEmpty())
        code = QStringLiteral("0");
    shape.matchable = completeStoredAreaCode(code, shape.code);
    return shape;
}

const std::vector<int32_t> &ValueFileIndex::linesWithPrefix(const QString &prefix) const
{
    static const std::vector<int32_t> none;
    std::lock_guard lock(m_mutex);
    auto it = m_tables.find(prefix.size());
    if (it == m_tables.end()) {
        QHash<QString, std::vector<int32_t>> table;
        for (int32_t i = 0; i < int32_t(m_shapes.size()); ++i) {
            const Shape &shape = m_shapes[std::size_t(i)];
            if (shape.matchable && shape.code.size() >= prefix.size())
                table[shape.code.left(prefix.size())].push_back(i);
        }
        it = m_tables.emplace(prefix.size(), std::move(table)).first;
    }
    const auto found = it->second.constFind(prefix);
    return found == it->second.cend() ? none : found.value();
}

int ValueFileIndex::findFirst(const QString &prefix, int from, int minFields) const
{
    const std::vector<int32_t> &candidates = linesWithPrefix(prefix);
    auto it = std::lower_bound(candidates.begin(), candidates.end(), int32_t(std::max(from, 0)));
    for (; it != candidates.end(); ++it) {
        if (m_shapes[std::size_t(*it)].fieldCount >= minFields)
            return *it;
    }
    return -1;
}

} // namespace veltra::statdata
