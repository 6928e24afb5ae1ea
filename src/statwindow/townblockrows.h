#pragma once
// The place-name rows of many selected town blocks: one query per
// municipality that several of them share, instead of one per town block.
//
// Each town block gets exactly the rows its own query (prefecture,
// municipality and town-block code equal) gives, in the same order; the
// town-block code is compared as SQLite compares a column with an integer.
// Town blocks whose municipality few others share are left to their own
// query: reading the whole municipality would cost more than it saves.
#include <QString>
#include <cstdint>
#include <vector>

namespace veltra::statdata {
class MeshDatabase;
}

namespace veltra::statwindow {

class TownBlockRows
{
public:
    struct Key
    {
        qint64 pref = 0;
        qint64 city = 0;
        qint64 town = 0;
    };
    // The columns a record takes from a row of 町丁字テーブル.
    struct Row
    {
        std::int32_t pref = 0;
        std::int32_t city = 0;
        std::int32_t town = 0;
        QString name;
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    // A municipality shared by at least this many keys is read whole.
    static constexpr std::size_t kShared = 8;

    // Reads the municipalities shared by kShared keys or more, in the order
    // of their first key. False when a query fails: `error` says why and
    // `failedFrom` is the first key of that municipality; the ones before
    // it were read.
    bool fetch(statdata::MeshDatabase &database, const std::vector<Key> &keys, QString &error,
        std::size_t &failedFrom);

    // Whether key k was read; then rowsOf(k) are its rows.
    bool has(std::size_t k) const { return k < m_slot.size() && m_slot[k] >= 0; }
    const std::vector<Row> &rowsOf(std::size_t k) const { return m_rows[std::size_t(m_slot[k])]; }

private:
    // Per key, its entry in m_rows (-1: not read).
    std::vector<std::int64_t> m_slot;
    std::vector<std::vector<Row>> m_rows;
};

} // namespace veltra::statwindow
