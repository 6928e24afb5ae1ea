#pragma once
// Finds the area records a value line belongs to, without comparing the line
// with every record.
//
// A line's key is its field 0 taken as a number and formatted with as many
// zeros as the record compares characters ("00", "00000", "0000000",
// "00000000000"); the line belongs to a record whose AreaCode begins with
// that key. Each record has its own width, so a key is formed once per
// distinct width. A field 0 that is not a number matches no record.
//
// The index is built once per read from the records and their widths and
// answers the same records, in the same order, as comparing the line with
// every record from the first.
#include "statwindow/statarea.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace veltra::statwindow {

class RecordKeyIndex
{
public:
    // `records` from index 1; `widths[r]` the characters record r compares.
    RecordKeyIndex(const std::vector<StatArea> &records, const std::vector<int> &widths);

    // The first record the line with this field 0 belongs to; 0 when none.
    std::int32_t first(const QString &field0) const;
    // Every record it belongs to, in record order.
    void all(const QString &field0, std::vector<std::int32_t> &out) const;

    // The key of field 0 for a width; empty when the field is not a number.
    static QString lineKey(const QString &field0, int width);

private:
    struct Bucket
    {
        int width = 0;
        // Records whose first `width` characters are digits, by their number
        // and then in record order: a value line's key is digits, so these
        // are looked up without building the key text.
        std::vector<std::pair<std::uint64_t, std::int32_t>> numbered;
        // The others (a negative code number) by those characters.
        QHash<QString, std::vector<std::int32_t>> other;
    };
    // Calls `visit(r)` for the records of the bucket that the line belongs
    // to, in record order, until it returns false.
    template<typename Visit>
    void visitBucket(const Bucket &bucket, const QString &field0, Visit visit) const;

    const std::vector<StatArea> &m_records;
    std::vector<Bucket> m_buckets;
};

} // namespace veltra::statwindow
