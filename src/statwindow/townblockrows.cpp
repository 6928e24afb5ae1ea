#include "statwindow/townblockrows.h"

#include "platform/db/db.h"
#include "statdata/meshdatabase.h"

#include <QHash>
#include <QVariant>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

namespace veltra::statwindow {

namespace {

// The integer an SQL "column = integer" comparison finds equal to the
// column's value: an integer itself, or a real with a whole value; nothing
// else (text, blob, null) equals an integer.
std::optional<qint64> comparableInteger(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (std::trunc(d) == d && d >= -9.2e18 && d <= 9.2e18)
            return static_cast<qint64>(d);
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

bool TownBlockRows::fetch(
    statdata::MeshDatabase &database, const std::vector<Key> &keys, QString &error, std::size_t &failedFrom)
{
    m_slot.assign(keys.size(), -1);
    m_rows.clear();
    // The keys of each municipality; a map keyed by the first key keeps the
    // municipalities in the order their first town blocks come.
    std::map<std::pair<qint64, qint64>, std::vector<std::size_t>> byCity;
    for (std::size_t k = 0; k < keys.size(); ++k)
        byCity[{keys[k].pref, keys[k].city}].push_back(k);
    std::map<std::size_t, const std::vector<std::size_t> *> shared;
    for (const auto &[city, members] : byCity) {
        if (members.size() >= kShared)
            shared.emplace(members.front(), &members);
    }
    if (shared.empty())
        return true;

    db::Statement query = database.prepare(
        QStringLiteral("SELECT * FROM 町丁字テーブル WHERE 都道府県ｺｰﾄﾞ = ?1 AND 市区町村ｺｰﾄﾞ = ?2"));
    if (!query.isValid()) {
        error = database.lastError();
        failedFrom = shared.begin()->first;
        return false;
    }
    QHash<qint64, std::size_t> slotOfTown;
    for (const auto &[firstKey, members] : shared) {
        slotOfTown.clear();
        for (const std::size_t k : *members) {
            const auto found = slotOfTown.constFind(keys[k].town);
            if (found != slotOfTown.constEnd()) {
                m_slot[k] = std::int64_t(*found);
                continue;
            }
            slotOfTown.insert(keys[k].town, m_rows.size());
            m_slot[k] = std::int64_t(m_rows.size());
            m_rows.emplace_back();
        }
        query.reset();
        query.bind(1, keys[firstKey].pref);
        query.bind(2, keys[firstKey].city);
        while (query.next()) {
            const auto town = comparableInteger(query.value(2));
            if (!town)
                continue;
            const auto slot = slotOfTown.constFind(*town);
            if (slot == slotOfTown.constEnd())
                continue;
            m_rows[*slot].push_back({query.int32(0), query.int32(1), query.int32(2), query.text(3),
                query.int32(4), query.int32(5)});
        }
        if (!query.lastError().isEmpty()) {
            error = query.lastError();
            failedFrom = firstKey;
            for (const std::size_t k : *members)
                m_slot[k] = -1;
            return false;
        }
    }
    return true;
}

} // namespace veltra::statwindow
