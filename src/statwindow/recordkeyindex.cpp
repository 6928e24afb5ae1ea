#include "statwindow/recordkeyindex.h"

#include "platform/vb/convert.h"
#include "statdata/statfilepaths.h"
#include "statwindow/codeformat.h"

#include <algorithm>

namespace veltra::statwindow {

namespace {

// formatCode takes up to this many plain digits without the general number
// format: their key is the number with leading zeros.
constexpr qsizetype kPlainDigits = 15;

// The number of a text of ASCII digits (at most 19 of them; the empty text
// is 0); false for any other text.
bool digitsNumber(QStringView text, std::uint64_t &number)
{
    if (text.size() > 19)
        return false;
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    number = value;
    return true;
}

std::uint64_t powerOfTen(qsizetype exponent)
{
    std::uint64_t value = 1;
    while (exponent-- > 0)
        value *= 10;
    return value;
}

} // namespace

RecordKeyIndex::RecordKeyIndex(const std::vector<StatArea> &records, const std::vector<int> &widths)
    : m_records(records)
{
    for (std::size_t r = 1; r < records.size() && r < widths.size(); ++r) {
        const int width = widths[r];
        auto bucket = std::find_if(
            m_buckets.begin(), m_buckets.end(), [width](const Bucket &b) { return b.width == width; });
        if (bucket == m_buckets.end()) {
            m_buckets.push_back(Bucket{width, {}, {}});
            bucket = m_buckets.end() - 1;
        }
        const QString &code = records[r].AreaCode;
        if (code.size() < width)
            continue;
        std::uint64_t number = 0;
        if (digitsNumber(QStringView(code).left(width), number))
            bucket->numbered.emplace_back(number, static_cast<std::int32_t>(r));
        else
            bucket->other[code.left(width)].push_back(static_cast<std::int32_t>(r));
    }
    for (Bucket &bucket : m_buckets)
        std::sort(bucket.numbered.begin(), bucket.numbered.end());
}

QString RecordKeyIndex::lineKey(const QString &field0, int width)
{
    if (!statdata::isDigits(field0) && !vb::isNumeric(field0))
        return {};
    return formatCode(field0, width);
}

template<typename Visit>
void RecordKeyIndex::visitBucket(const Bucket &bucket, const QString &field0, Visit visit) const
{
    const int width = bucket.width;
    // The records whose first characters are the digits of `number`; a key
    // longer than the width must also begin their AreaCode.
    const auto visitNumbered = [&](std::uint64_t number, const QString *longKey) {
        const auto range = std::equal_range(bucket.numbered.begin(), bucket.numbered.end(),
            std::pair<std::uint64_t, std::int32_t>(number, 0),
            [](const auto &a, const auto &b) { return a.first < b.first; });
        for (auto it = range.first; it != range.second; ++it) {
            if (longKey && !m_records[std::size_t(it->second)].AreaCode.startsWith(*longKey))
                continue;
            if (!visit(it->second))
                return;
        }
    };

    if (statdata::isDigits(field0) && field0.size() <= kPlainDigits) {
        // The key without building it: the digits from the first significant
        // one, with leading zeros up to the width.
        qsizetype start = 0;
        while (start < field0.size() - 1 && field0.at(start) == u'0')
            ++start;
        const qsizetype length = field0.size() - start;
        std::uint64_t number = 0;
        digitsNumber(QStringView(field0).mid(start), number);
        if (length <= width) {
            visitNumbered(number, nullptr);
        } else {
            const QString key = field0.mid(start);
            visitNumbered(number / powerOfTen(length - width), &key);
        }
        return;
    }

    const QString key = lineKey(field0, width);
    if (key.size() < width)
        return;
    const QString *longKey = key.size() > width ? &key : nullptr;
    std::uint64_t number = 0;
    if (digitsNumber(QStringView(key).left(width), number)) {
        visitNumbered(number, longKey);
        return;
    }
    const auto found = bucket.other.constFind(key.left(width));
    if (found == bucket.other.constEnd())
        return;
    for (const std::int32_t r : *found) {
        if (longKey && !m_records[std::size_t(r)].AreaCode.startsWith(key))
            continue;
        if (!visit(r))
            return;
    }
}

std::int32_t RecordKeyIndex::first(const QString &field0) const
{
    std::int32_t best = 0;
    for (const Bucket &bucket : m_buckets) {
        visitBucket(bucket, field0, [&best](std::int32_t r) {
            if (best == 0 || r < best)
                best = r;
            return false;
        });
    }
    return best;
}

void RecordKeyIndex::all(const QString &field0, std::vector<std::int32_t> &out) const
{
    out.clear();
    for (const Bucket &bucket : m_buckets) {
        visitBucket(bucket, field0, [&out](std::int32_t r) {
            out.push_back(r);
            return true;
        });
    }
    if (m_buckets.size() > 1)
        std::sort(out.begin(), out.end());
}

} // namespace veltra::statwindow
