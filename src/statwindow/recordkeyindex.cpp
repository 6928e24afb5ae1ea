#include "statwindow/recordkeyindex.h"

#include "platform/vb/convert.h"
#include "statwindow/codeformat.h"
#include "statdata/statfilepaths.h"

#include <algorithm>

namespace veltra::statwindow {

RecordKeyIndex::RecordKeyIndex(const std::vector<StatArea> &records, const std::vector<int> &widths)
    : m_records(records)
{
    for (std::size_t r = 1; r < records.size() && r < widths.size(); ++r) {
        const int width = widths[r];
        auto bucket = std::find_if(
            m_buckets.begin(), m_buckets.end(), [width](const Bucket &b) { return b.width == width; });
        if (bucket == m_buckets.end()) {
            m_buckets.push_back(Bucket{width, {}});
            bucket = m_buckets.end() - 1;
        }
        const QString &code = records[r].AreaCode;
        if (code.size() >= width)
            bucket->records[code.left(width)].push_back(static_cast<std::int32_t>(r));
    }
}

QString RecordKeyIndex::lineKey(const QString &field0, int width)
{
    if (!statdata::isDigits(field0) && !vb::isNumeric(field0))
        return {};
    return formatCode(field0, width);
}

std::int32_t RecordKeyIndex::first(const QString &field0) const
{
    std::int32_t best = 0;
    for (const Bucket &bucket : m_buckets) {
        const QString key = lineKey(field0, bucket.width);
        if (key.size() < bucket.width)
            continue;
        const auto found = bucket.records.constFind(key.left(bucket.width));
        if (found == bucket.records.constEnd())
            continue;
        for (const std::int32_t r : *found) {
            if (best != 0 && r >= best)
                break;
            if (key.size() == bucket.width || m_records[std::size_t(r)].AreaCode.startsWith(key)) {
                best = r;
                break;
            }
        }
    }
    return best;
}

void RecordKeyIndex::all(const QString &field0, std::vector<std::int32_t> &out) const
{
    out.clear();
    for (const Bucket &bucket : m_buckets) {
        const QString key = lineKey(field0, bucket.width);
        if (key.size() < bucket.width)
            continue;
        const auto found = bucket.records.constFind(key.left(bucket.width));
        if (found == bucket.records.constEnd())
            continue;
        for (const std::int32_t r : *found) {
            if (key.size() == bucket.width || m_records[std::size_t(r)].AreaCode.startsWith(key))
                out.push_back(r);
        }
    }
    if (m_buckets.size() > 1)
        std::sort(out.begin(), out.end());
}

} // namespace veltra::statwindow
