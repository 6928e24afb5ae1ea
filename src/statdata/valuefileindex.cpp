#include "statdata/valuefileindex.h"

#include "platform/fs/filestamp.h"
#include "statdata/statfilepaths.h"

#include <QFileInfo>
#include <algorithm>
#include <list>
#include <optional>

namespace veltra::statdata {

namespace {

constexpr int kMaxDigits = 11;
constexpr int kLengthShift = 44;
constexpr int kFieldShift = 48;
constexpr uint64_t kDigitsMask = (uint64_t(1) << kLengthShift) - 1;
constexpr uint64_t kOtherCode = 15;
constexpr uint64_t kCountAgain = 0xFFFF;

// A map reads one value file per prefecture and variable; a few are enough,
// and town-block files can be large: the total is bounded as well.
constexpr std::size_t kCachedFiles = 8;
std::size_t cacheLimit = ValueFileIndex::DefaultCacheLimit;

struct CacheEntry
{
    QString path;
    veltra::fs::FileStamp stamp;
    std::shared_ptr<const ValueFileIndex> index;
    std::uint64_t checkedIn = 0; // the StampCheckScope that last checked the stamp
};

std::mutex cacheMutex;
std::list<CacheEntry> cache; // most recently used first

bool isComma(QChar c)
{
    return c == u',' || c == u'，';
}

// What splitting the line at its commas would give, without building the
// fields: the line is trimmed of spaces, cut at "," and "，", and an empty
// field reads as "0".
struct Shape
{
    int fieldCount = 0;
    QString code; // completed code
    bool matchable = false;
};

Shape shapeOf(const QString &line)
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

// The first `length` digits, one nibble each (digit + 1, so that a shorter
// code never equals a longer one's prefix), the first digit highest.
std::optional<uint64_t> packDigits(QStringView digits, qsizetype length)
{
    uint64_t key = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = digits.at(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        key = (key << 4) | uint64_t(c.unicode() - u'0' + 1);
    }
    return key;
}

// Decodes a line's bytes; most lines are codes and numbers only.
QString decodeLine(const char *data, qsizetype size, text::Encoding encoding)
{
    if (encoding != text::Encoding::Utf16LE && encoding != text::Encoding::Utf16BE
        && std::all_of(data, data + size, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(data, size);
    return text::decode(QByteArray::fromRawData(data, size), encoding);
}

std::size_t totalBytes()
{
    std::size_t total = 0;
    for (const CacheEntry &entry : cache)
        total += entry.index->memoryBytes();
    return total;
}

} // namespace

std::shared_ptr<const ValueFileIndex> ValueFileIndex::load(const QString &localPath)
{
    const std::uint64_t scope = veltra::fs::StampCheckScope::current();
    if (scope != 0) {
        std::lock_guard lock(cacheMutex);
        for (auto it = cache.begin(); it != cache.end(); ++it) {
            if (it->path == localPath && it->checkedIn == scope) {
                cache.splice(cache.begin(), cache, it);
                return cache.front().index;
            }
        }
    }
    const std::optional<veltra::fs::FileStamp> stamp = veltra::fs::stampOf(localPath);
    {
        std::lock_guard lock(cacheMutex);
        for (auto it = cache.begin(); it != cache.end(); ++it) {
            if (it->path != localPath)
                continue;
            if (stamp && it->stamp == *stamp) {
                it->checkedIn = scope;
                cache.splice(cache.begin(), cache, it);
                return cache.front().index;
            }
            cache.erase(it);
            break;
        }
    }
    if (!stamp)
        return nullptr;
    auto index = std::make_shared<ValueFileIndex>();
    if (!index->build(localPath))
        return nullptr;
    // Cached only when the file held still while it was read.
    const std::optional<veltra::fs::FileStamp> built = veltra::fs::stampOf(index->m_file);
    if (!built || veltra::fs::stampOf(localPath) != built)
        return index;
    std::lock_guard lock(cacheMutex);
    cache.push_front({localPath, *built, index, scope});
    while (cache.size() > kCachedFiles || (cache.size() > 1 && totalBytes() > cacheLimit))
        cache.pop_back();
    return index;
}

void ValueFileIndex::clearCache()
{
    std::lock_guard lock(cacheMutex);
    cache.clear();
}

void ValueFileIndex::setCacheLimit(std::size_t bytes)
{
    std::lock_guard lock(cacheMutex);
    cacheLimit = bytes;
}

std::size_t ValueFileIndex::cachedBytes()
{
    std::lock_guard lock(cacheMutex);
    return totalBytes();
}

bool ValueFileIndex::build(const QString &localPath)
{
    m_file.setFileName(localPath);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = m_file.readAll();
    if (m_file.error() != QFileDevice::NoError)
        return false;
    m_fileSize = bytes.size();
    int bom = 0;
    m_encoding = text::detectEncoding(bytes, &bom);
    if (m_fileSize > qint64(UINT32_MAX))
        m_wideOffsets.reserve(std::size_t(m_fileSize / 16));

    if (m_encoding == text::Encoding::Utf16LE || m_encoding == text::Encoding::Utf16BE) {
        // Line ends are two bytes wide: the lines are cut in the text.
        const QString contents = text::decode(bytes.mid(bom), m_encoding);
        qsizetype start = 0;
        for (qsizetype i = 0; i < contents.size(); ++i) {
            const QChar c = contents.at(i);
            if (c != u'\r' && c != u'\n')
                continue;
            addLine(bom + 2 * start, contents.mid(start, i - start));
            if (c == u'\r' && i + 1 < contents.size() && contents.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < contents.size())
            addLine(bom + 2 * start, contents.mid(start));
    } else {
        // CR and LF are never part of a CP932 or UTF-8 character: the bytes
        // are cut where the text would be.
        const char *data = bytes.constData();
        const qsizetype size = bytes.size();
        qsizetype start = bom;
        for (qsizetype i = start; i < size; ++i) {
            const char c = data[i];
            if (c != '\r' && c != '\n')
                continue;
            addLine(start, decodeLine(data + start, i - start, m_encoding));
            if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        if (start < size)
            addLine(start, decodeLine(data + start, size - start, m_encoding));
    }
    m_offsets.shrink_to_fit();
    m_wideOffsets.shrink_to_fit();
    m_shapes.shrink_to_fit();
    return true;
}

void ValueFileIndex::addLine(qint64 offset, const QString &text)
{
    if (m_fileSize > qint64(UINT32_MAX))
        m_wideOffsets.push_back(offset);
    else
        m_offsets.push_back(uint32_t(offset));
    const Shape shape = shapeOf(text);
    uint64_t packed = std::min<uint64_t>(uint64_t(shape.fieldCount), kCountAgain) << kFieldShift;
    if (shape.matchable) {
        const auto digits
            = shape.code.size() <= kMaxDigits ? packDigits(shape.code, shape.code.size()) : std::nullopt;
        if (digits && !shape.code.isEmpty()) {
            packed |= (*digits << (4 * (kMaxDigits - shape.code.size())))
                | (uint64_t(shape.code.size()) << kLengthShift);
        } else {
            packed |= kOtherCode << kLengthShift;
            m_otherCodes.emplace_back(int32_t(m_shapes.size()), shape.code);
        }
    }
    m_shapes.push_back(packed);
}

qint64 ValueFileIndex::offset(int line) const
{
    if (std::size_t(line) >= m_shapes.size())
        return m_fileSize;
    return m_wideOffsets.empty() ? qint64(m_offsets[std::size_t(line)]) : m_wideOffsets[std::size_t(line)];
}

QString ValueFileIndex::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return {};
    const qint64 begin = offset(index);
    const qint64 end = offset(index + 1);
    QByteArray bytes;
    {
        std::lock_guard lock(m_fileMutex);
        if (!m_file.seek(begin))
            return {};
        bytes = m_file.read(end - begin);
    }
    QString text = decodeLine(bytes.constData(), bytes.size(), m_encoding);
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\r') || text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

int ValueFileIndex::fieldCount(int line) const
{
    const uint64_t stored = m_shapes[std::size_t(line)] >> kFieldShift;
    return stored == kCountAgain ? shapeOf(this->line(line)).fieldCount : int(stored);
}

const ValueFileIndex::Table &ValueFileIndex::table(qsizetype prefixLength) const
{
    std::lock_guard lock(m_tableMutex);
    auto it = m_tables.find(prefixLength);
    if (it != m_tables.end())
        return it->second;
    Table table;
    const int shift = 4 * int(kMaxDigits - prefixLength);
    const auto keyOf = [&](int32_t line) { return (m_shapes[std::size_t(line)] & kDigitsMask) >> shift; };
    for (int32_t i = 0; i < int32_t(m_shapes.size()); ++i) {
        const uint64_t length = (m_shapes[std::size_t(i)] >> kLengthShift) & 15;
        if (length != 0 && length != kOtherCode && qsizetype(length) >= prefixLength)
            table.lines.push_back(i);
    }
    table.lines.shrink_to_fit();
    std::sort(table.lines.begin(), table.lines.end(), [&](int32_t a, int32_t b) {
        const uint64_t ka = keyOf(a);
        const uint64_t kb = keyOf(b);
        return ka != kb ? ka < kb : a < b;
    });
    return m_tables.emplace(prefixLength, std::move(table)).first->second;
}

int ValueFileIndex::findInTable(const QString &prefix, int from, int minFields) const
{
    if (prefix.size() > kMaxDigits)
        return -1;
    const auto key = packDigits(prefix, prefix.size());
    if (!key)
        return -1;
    const Table &t = table(prefix.size());
    const int shift = 4 * int(kMaxDigits - prefix.size());
    const auto keyOf = [&](int32_t line) { return (m_shapes[std::size_t(line)] & kDigitsMask) >> shift; };
    const int32_t start = int32_t(std::max(from, 0));
    // The first line of the prefix at or after `from`, then on through the
    // prefix's lines.
    auto it = std::lower_bound(t.lines.begin(), t.lines.end(), start, [&](int32_t line, int32_t) {
        const uint64_t k = keyOf(line);
        return k != *key ? k < *key : line < start;
    });
    for (; it != t.lines.end() && keyOf(*it) == *key; ++it) {
        if (fieldCount(*it) >= minFields)
            return *it;
    }
    return -1;
}

int ValueFileIndex::findFirst(const QString &prefix, int from, int minFields) const
{
    int found = findInTable(prefix, from, minFields);
    // Codes that are not digits (rare: a header's title) are looked at one
    // by one, before the line found among the digit codes.
    auto it = std::lower_bound(m_otherCodes.begin(), m_otherCodes.end(), std::max(from, 0),
        [](const std::pair<int32_t, QString> &entry, int line) { return entry.first < line; });
    for (; it != m_otherCodes.end() && (found < 0 || it->first < found); ++it) {
        if (it->second.startsWith(prefix) && fieldCount(it->first) >= minFields) {
            found = it->first;
            break;
        }
    }
    return found;
}

std::size_t ValueFileIndex::memoryBytes() const
{
    std::size_t bytes = sizeof(*this) + m_offsets.capacity() * sizeof(uint32_t)
        + m_wideOffsets.capacity() * sizeof(qint64) + m_shapes.capacity() * sizeof(uint64_t)
        + m_otherCodes.capacity() * sizeof(std::pair<int32_t, QString>);
    for (const auto &[line, code] : m_otherCodes)
        bytes += std::size_t(code.capacity()) * sizeof(QChar);
    std::lock_guard lock(m_tableMutex);
    for (const auto &[length, t] : m_tables) {
        bytes += t.lines.capacity() * sizeof(int32_t);
    }
    return bytes;
}

} // namespace veltra::statdata
