#include "statwindow/statareareader.h"

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "shell/modsort.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/meshdatabase.h"
#include "statwindow/globals.h"
#include "statwindow/readerbusy.h"
#include "statwindow/recordkeyindex.h"
#include "statwindow/statareacalculation.h"
#include "statwindow/townblockrows.h"

#include <algorithm>
#include <optional>

namespace veltra::statwindow {

namespace {

// The number with leading zeros to at least `width` digits, as
// QString::arg with the fill '0' writes it.
void appendPadded(QString &out, std::int32_t number, int width)
{
    if (number < 0) {
        out += QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
        return;
    }
    char16_t digits[10];
    int count = 0;
    auto rest = static_cast<std::uint32_t>(number);
    do {
        digits[count++] = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    for (int z = count; z < width; ++z)
        out += u'0';
    while (count > 0)
        out += QChar(digits[--count]);
}

// The whole number in characters [from, from + length) of a code; nullopt
// when they are not a number.
std::optional<qint64> codeNumber(const QString &code, qsizetype from, qsizetype length)
{
    // Plain digits, the form of every listed code, without building the
    // substring; anything else as a number text.
    const qsizetype end = std::min(code.size(), from + length);
    if (from < end && end - from <= 15) {
        qint64 value = 0;
        qsizetype k = from;
        for (; k < end; ++k) {
            const char16_t c = code.at(k).unicode();
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + (c - u'0');
        }
        if (k == end)
            return value;
    }
    const auto number = vb::toNumber(code.mid(from, length));
    if (!number)
        return std::nullopt;
    return static_cast<qint64>(*number);
}

// The distinct prefecture prefixes of the codes 1..n, which are sorted.
std::vector<QString> prefixesOf(const std::vector<QString> &sortedCodes)
{
    std::vector<QString> prefixes;
    for (std::size_t c = 1; c < sortedCodes.size(); ++c) {
        const QString prefix = sortedCodes[c].left(2);
        if (prefixes.empty() || prefixes.back() != prefix)
            prefixes.push_back(prefix);
    }
    return prefixes;
}

// The value file of an item folder for a prefecture prefix at the level;
// "" when none exists.
QString valueFileFor(const QString &folder, const QString &prefix, std::int32_t anaRange)
{
    const QString file
        = ComCaldoraNeo::GetDataFileName(prefix.toInt(), folder, static_cast<std::int16_t>(anaRange));
    return !file.isEmpty() && fs::fileExists(file) ? file : QString();
}

// Sorts entries 1..n of a partner list by FlowCount, larger first, by
// exchanging every pair out of order (equal counts keep their places).
void sortPartners(std::vector<RyusenPair> &partners)
{
    const std::size_t n = partners.size() - 1;
    for (std::size_t m = 1; m < n; ++m) {
        for (std::size_t f = m + 1; f <= n; ++f) {
            if (partners[m].FlowCount < partners[f].FlowCount)
                std::swap(partners[m], partners[f]);
        }
    }
}

// A read transaction for as long as it lives; nothing when one is open
// already (the queries then run inside that one).
class ReadTransaction
{
public:
    explicit ReadTransaction(db::Database &database)
        : m_database(database)
        , m_begun(database.isOpen() && database.begin())
    { }
    ~ReadTransaction()
    {
        if (m_begun)
            m_database.rollback();
    }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    db::Database &m_database;
    bool m_begun;
};

void addNumber(StatValue &value, double number)
{
    value = statNumber(value) + number;
}

} // namespace

StatAreaReader::StatAreaReader(statdata::MeshDatabase &database, ReaderProfile profile)
    : m_database(database)
    , m_profile(profile)
{ }

bool StatAreaReader::CreateStatArea(std::int32_t anaRange, std::int32_t lngItemCnt,
    const std::vector<QString> &strCodes, std::int32_t &lngAreaCnt)
{
    gtypStatArea.assign(1, StatArea{});
    m_recordCode.assign(1, 0);
    m_builtCodes = strCodes;
    lngAreaCnt = 0;

    QString sql;
    switch (anaRange) {
    case 0:
        if (!m_profile.nationQuery)
            return true;
        sql = QStringLiteral("SELECT * FROM 都道府県テーブル");
        break;
    case 1:
        sql = QStringLiteral("SELECT * FROM 都道府県テーブル WHERE 都道府県ｺｰﾄﾞ = ?1");
        break;
    case 2:
        sql = QStringLiteral("SELECT * FROM 市区町村テーブル WHERE 都道府県ｺｰﾄﾞ = ?1 AND 市区町村ｺｰﾄﾞ = ?2");
        break;
    case 3:
        sql = QStringLiteral(
            "SELECT * FROM 町丁字テーブル WHERE 都道府県ｺｰﾄﾞ = ?1 AND 市区町村ｺｰﾄﾞ = ?2 AND 町丁字ｺｰﾄﾞ = ?3");
        break;
    default:
        return true;
    }
    db::Statement query = m_database.prepare(sql);
    if (!query.isValid()) {
        m_error = m_database.lastError();
        return false;
    }

    const std::size_t itemSlots = std::size_t(std::max(lngItemCnt, 0)) + 1;
    const std::size_t codeCount = anaRange == 0 ? 1 : (strCodes.empty() ? 0 : strCodes.size() - 1);
    gtypStatArea.reserve(codeCount + 1);
    // One read transaction for all the queries: the database is locked and
    // checked once instead of once per code.
    const ReadTransaction transaction(m_database.database());
    const auto addRecord = [&](std::int32_t pref, std::int32_t city, std::int32_t town, QString name,
                               std::int32_t x, std::int32_t y, bool fiveDigitCity, std::size_t c) {
        StatArea area;
        area.Value.assign(itemSlots, 0.0);
        area.Value[0] = std::monostate{};
        area.DataFlag.assign(itemSlots, StatFlagNotFound);
        area.DataFlag[0] = 0;
        area.PrefCode = pref;
        area.CityCode = city;
        area.TownCode = town;
        area.AreaName = std::move(name);
        area.X = x;
        area.Y = y;
        area.AreaCode.reserve(13);
        appendPadded(area.AreaCode, area.PrefCode, 2);
        appendPadded(area.AreaCode, area.CityCode, fiveDigitCity ? 5 : 3);
        appendPadded(area.AreaCode, area.TownCode, 6);
        gtypStatArea.push_back(std::move(area));
        m_recordCode.push_back(anaRange == 0 ? 0 : static_cast<std::int32_t>(c));
    };

    // Many town blocks of one municipality are read with one query for the
    // municipality; the records come out as from one query per code.
    TownBlockRows townRows;
    std::size_t fetchFailedAt = codeCount + 1;
    QString fetchError;
    if (anaRange == 3) {
        std::vector<TownBlockRows::Key> keys;
        keys.reserve(codeCount);
        for (std::size_t c = 1; c <= codeCount; ++c) {
            const auto pref = codeNumber(strCodes[c], 0, 2);
            const auto city = codeNumber(strCodes[c], 2, 3);
            const auto town = codeNumber(strCodes[c], 5, 6);
            if (!pref || !city || !town)
                break;
            keys.push_back({*pref, *city, *town});
        }
        std::size_t failedKey = 0;
        if (!townRows.fetch(m_database, keys, fetchError, failedKey))
            fetchFailedAt = failedKey + 1;
    }

    for (std::size_t c = 1; c <= codeCount; ++c) {
        if (c == fetchFailedAt) {
            m_error = fetchError;
            lngAreaCnt = static_cast<std::int32_t>(gtypStatArea.size()) - 1;
            return false;
        }
        if (anaRange == 3 && townRows.has(c - 1)) {
            for (const TownBlockRows::Row &row : townRows.rowsOf(c - 1))
                addRecord(row.pref, row.city, row.town, row.name, row.x, row.y, false, c);
            continue;
        }
        bool fiveDigitCity = false;
        if (anaRange != 0) {
            const QString &code = strCodes[c];
            fiveDigitCity = anaRange == 2 && m_profile.sevenCharacterCodes && code.size() == 7;
            const auto pref = codeNumber(code, 0, 2);
            const auto city = codeNumber(code, 2, fiveDigitCity ? 5 : 3);
            const auto town = codeNumber(code, 5, 6);
            if (!pref || (anaRange >= 2 && !city) || (anaRange == 3 && !town)) {
                m_error = QStringLiteral("地域コード「%1」が数字ではありません。").arg(code);
                return false;
            }
            query.reset();
            query.bind(1, *pref);
            if (anaRange >= 2)
                query.bind(2, *city);
            if (anaRange == 3)
                query.bind(3, *town);
        }
        while (query.next()) {
            if (anaRange <= 1)
                addRecord(query.int32(0), 0, 0, query.text(1), query.int32(6), query.int32(7), false, c);
            else if (anaRange == 2)
                addRecord(query.int32(0), query.int32(1), 0, query.text(2), query.int32(8), query.int32(9),
                    fiveDigitCity, c);
            else
                addRecord(query.int32(0), query.int32(1), query.int32(2), query.text(3), query.int32(4),
                    query.int32(5), false, c);
        }
        if (!query.lastError().isEmpty()) {
            m_error = query.lastError();
            lngAreaCnt = static_cast<std::int32_t>(gtypStatArea.size()) - 1;
            return false;
        }
    }
    lngAreaCnt = static_cast<std::int32_t>(gtypStatArea.size()) - 1;
    return true;
}

std::vector<int> StatAreaReader::keyWidths(std::int32_t anaRange) const
{
    std::vector<int> widths(gtypStatArea.size(), 0);
    for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
        switch (anaRange) {
        case 0:
        case 1:
            widths[r] = 2;
            break;
        case 2: {
            // The code the record was built from decides, not the list entry
            // at the record's position: codes without a row shift the two.
            const std::int32_t c = r < m_recordCode.size() ? m_recordCode[r] : 0;
            const bool seven = m_profile.sevenCharacterCodes && c > 0 && std::size_t(c) < m_builtCodes.size()
                && m_builtCodes[std::size_t(c)].size() == 7;
            widths[r] = seven ? 7 : 5;
            break;
        }
        case 3:
            widths[r] = 11;
            break;
        default:
            widths[r] = 0;
            break;
        }
    }
    return widths;
}

bool StatAreaReader::readLinesOf(const QString &file, QStringList &lines)
{
    QString why;
    if (text::readLines(fs::resolve(file), lines, &why))
        return true;
    m_error = why;
    return false;
}

bool StatAreaReader::ReadStatValues(const AreaSelection &selection, const std::vector<QString> &strItemPath,
    std::int32_t lngItemCnt, const std::vector<std::int32_t> &lngFieldNo)
{
    ReaderBusy busy(m_window);
    m_error.clear();
    std::vector<QString> codes;
    std::vector<std::int32_t> kinds;
    std::int32_t count = 0;
    GetSelectAddrCodes(selection.anaRange, selection.entries, codes, kinds, count);
    m_selectAddr = codes;
    std::int32_t areaCount = 0;
    if (!CreateStatArea(selection.anaRange, lngItemCnt, codes, areaCount))
        return false;
    std::vector<QString> sorted = codes;
    modSort::QuickSortString(sorted, 1, count);
    const std::vector<QString> prefixes = prefixesOf(sorted);
    const RecordKeyIndex index(gtypStatArea, keyWidths(selection.anaRange));

    const auto pathOf = [&strItemPath](std::int32_t i) {
        return std::size_t(i) < strItemPath.size() ? strItemPath[std::size_t(i)] : QString();
    };
    const auto fieldOf = [&lngFieldNo](std::int32_t i) {
        return std::size_t(i) < lngFieldNo.size() ? lngFieldNo[std::size_t(i)] : 0;
    };

    bool result = false;
    bool matchedAny = false;
    for (std::int32_t i = 1; i <= lngItemCnt;) {
        busy.yield();
        const QString path = pathOf(i);
        if (fieldOf(i) == -1) {
            if (!m_calculation) {
                m_error = QStringLiteral("計算テンプレートを評価できません。");
                return false;
            }
            if (!m_calculation->CalculationData(path, i - 1, selection.anaRange))
                return false;
            result = true;
            ++i;
            continue;
        }
        // The value items that follow with the same folder read its files
        // in the same pass: each file is read and split once for all of them.
        std::int32_t last = i;
        while (last < lngItemCnt && fieldOf(last + 1) != -1 && pathOf(last + 1) == path)
            ++last;
        std::vector<std::int32_t> fieldNos;
        for (std::int32_t k = i; k <= last; ++k)
            fieldNos.push_back(fieldOf(k));
        if (!readValueItems(busy, path, i, fieldNos, prefixes, selection.anaRange, index, matchedAny, result))
            return false;
        i = last + 1;
    }
    return result;
}

bool StatAreaReader::readValueItems(ReaderBusy &busy, const QString &path, std::int32_t firstItem,
    const std::vector<std::int32_t> &fieldNos, const std::vector<QString> &prefixes, std::int32_t anaRange,
    const RecordKeyIndex &index, bool &matchedAny, bool &result)
{
    // Per item: its value slot, field, found marks and whether it still reads
    // the file (an item leaves a file once every record is found).
    struct Item
    {
        std::size_t slot;
        std::int32_t fieldNo;
        std::vector<char> found;
        std::size_t foundCount = 0;
    };
    std::vector<Item> items;
    for (std::size_t k = 0; k < fieldNos.size(); ++k)
        items.push_back({std::size_t(firstItem) + k, fieldNos[k], {}, 0});
    const std::size_t recordCount = gtypStatArea.size() - 1;
    const bool firstPrefixOnly = anaRange == 0 || anaRange == 1;

    std::vector<QString> fields;
    for (const QString &prefix : prefixes) {
        const QString file = valueFileFor(path, prefix, anaRange);
        if (!file.isEmpty()) {
            QStringList lines;
            if (!readLinesOf(file, lines)) {
                // Read item by item, the items after the first would not
                // have been reached: they keep the values they were built with.
                for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
                    for (std::size_t k = 1; k < items.size(); ++k) {
                        gtypStatArea[r].Value[items[k].slot] = 0.0;
                        gtypStatArea[r].DataFlag[items[k].slot] = StatFlagNotFound;
                    }
                }
                return false;
            }
            for (Item &item : items) {
                item.found.assign(gtypStatArea.size(), 0);
                item.foundCount = 0;
            }
            std::size_t reading = recordCount > 0 ? items.size() : 0;
            for (qsizetype k = 1; k < lines.size() && reading > 0; ++k) {
                busy.yield();
                QString line = lines[k];
                if (line.isEmpty())
                    continue;
                const std::int32_t fieldCount = mdlCommon::SplitComma(line, fields);
                if (fieldCount <= 0)
                    continue;
                std::int32_t e = -1; // looked up once, for the first item that uses the line
                for (Item &item : items) {
                    if (item.foundCount >= recordCount || item.fieldNo < 0 || item.fieldNo >= fieldCount)
                        continue;
                    if (e < 0)
                        e = index.first(fields[0]);
                    if (e == 0)
                        break;
                    StatArea &area = gtypStatArea[std::size_t(e)];
                    const QString &field = fields[std::size_t(item.fieldNo)];
                    if (const auto number = vb::toNumber(field)) {
                        addNumber(area.Value[item.slot], *number);
                        area.DataFlag[item.slot] = StatFlagRead;
                    } else {
                        addNumber(area.Value[item.slot], 0);
                        area.DataFlag[item.slot] = field == u'-' ? StatFlagNoData : StatFlagRead;
                    }
                    if (!item.found[std::size_t(e)]) {
                        item.found[std::size_t(e)] = 1;
                        if (++item.foundCount == recordCount)
                            --reading;
                    }
                    matchedAny = true;
                }
            }
            result = matchedAny;
        }
        if (firstPrefixOnly)
            break;
    }
    return true;
}

bool StatAreaReader::ReadPyramidValues(const AreaSelection &selection, const std::vector<QString> &strItemPath,
    std::int32_t lngClassCnt, std::int32_t lngStartField1, std::int32_t lngStartField2)
{
    std::vector<QString> codes;
    std::vector<std::int32_t> kinds;
    std::int32_t count = 0;
    GetSelectAddrCodes(selection.anaRange, selection.entries, codes, kinds, count);
    m_selectAddr = codes;
    const QString folder = strItemPath.size() > 1 ? strItemPath[1] : QString();
    return ReadPyramidSeries(selection.anaRange, codes, folder, lngClassCnt, lngStartField1, lngStartField2);
}

bool StatAreaReader::ReadPyramidSeries(std::int32_t anaRange, std::vector<QString> &codes,
    const QString &itemFolder, std::int32_t lngClassCnt, std::int32_t lngStartField1,
    std::int32_t lngStartField2)
{
    ReaderBusy busy(m_window);
    m_error.clear();
    std::int32_t areaCount = 0;
    if (!CreateStatArea(anaRange, 1, codes, areaCount))
        return false;
    const std::size_t classes = std::size_t(std::max(lngClassCnt, 0));
    for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
        StatArea &area = gtypStatArea[r];
        area.Value.assign(2, std::monostate{});
        area.ManValue.assign(classes + 1, 0.0);
        area.WomanValue.assign(classes + 1, 0.0);
        area.DataFlag.assign(classes + 1, StatFlagNotFound);
        area.DataFlag[0] = 0;
    }
    modSort::QuickSortString(codes, 1, static_cast<std::int32_t>(codes.size()) - 1);
    const std::vector<QString> prefixes = prefixesOf(codes);
    const RecordKeyIndex index(gtypStatArea, keyWidths(anaRange));
    const bool firstPrefixOnly = anaRange == 0 || anaRange == 1;

    bool result = false;
    std::vector<char> found;
    std::vector<QString> fields;
    std::vector<std::int32_t> matches;
    // Adds one class field to a series and sets the class's flag; a field
    // the line does not have changes nothing.
    const auto take = [&fields](std::int64_t field, std::int32_t fieldCount, double &series, std::int32_t &flag) {
        if (field < 0 || field >= fieldCount)
            return;
        const QString &text = fields[std::size_t(field)];
        if (const auto number = vb::toNumber(text))
            series += *number;
        flag = text == u'-' ? StatFlagNoData : StatFlagRead;
    };
    for (const QString &prefix : prefixes) {
        const QString file = valueFileFor(itemFolder, prefix, anaRange);
        if (!file.isEmpty()) {
            QStringList lines;
            if (!readLinesOf(file, lines))
                return false;
            found.assign(gtypStatArea.size(), 0);
            std::size_t foundCount = 0;
            const std::size_t recordCount = gtypStatArea.size() - 1;
            for (qsizetype k = 1; k < lines.size() && foundCount < recordCount; ++k) {
                busy.yield();
                QString line = lines[k];
                if (line.isEmpty())
                    continue;
                const std::int32_t fieldCount = mdlCommon::SplitComma(line, fields);
                if (fieldCount <= 0)
                    continue;
                index.all(fields[0], matches);
                for (const std::int32_t r : matches) {
                    StatArea &area = gtypStatArea[std::size_t(r)];
                    for (std::size_t c = 1; c <= classes; ++c) {
                        take(std::int64_t(lngStartField1) + std::int64_t(c) - 1, fieldCount, area.ManValue[c],
                            area.DataFlag[c]);
                        take(std::int64_t(lngStartField2) + std::int64_t(c) - 1, fieldCount, area.WomanValue[c],
                            area.DataFlag[c]);
                    }
                    if (!found[std::size_t(r)]) {
                        found[std::size_t(r)] = 1;
                        ++foundCount;
                    }
                    result = true;
                }
            }
        }
        if (firstPrefixOnly)
            break;
    }
    return result;
}

bool StatAreaReader::ReadRyusenValues(const AreaSelection &selection, const std::vector<QString> &strItemPath,
    std::int32_t lngItemCnt, std::int32_t lngFlowKind)
{
    ReaderBusy busy(m_window);
    m_error.clear();
    std::vector<QString> codes;
    std::vector<std::int32_t> kinds;
    std::int32_t count = 0;
    GetSelectAddrCodes(selection.anaRange, selection.entries, codes, kinds, count);
    m_selectAddr = codes;
    std::int32_t areaCount = 0;
    if (!CreateStatArea(selection.anaRange, lngItemCnt, codes, areaCount))
        return false;
    for (std::size_t r = 1; r < gtypStatArea.size(); ++r)
        gtypStatArea[r].Ryusen.assign(1, RyusenPair{});
    const RecordKeyIndex index(gtypStatArea, keyWidths(selection.anaRange));
    // One value file for all areas: at levels 2 and 3 the first entry's
    // prefecture names it.
    const QString prefix = count > 0 ? codes[1].left(2) : QString();
    const bool needsPrefix = selection.anaRange == 2 || selection.anaRange == 3;
    const std::size_t countField = lngFlowKind == 0 ? 2 : 3;

    bool result = false;
    std::vector<char> started;
    std::vector<QString> fields;
    std::vector<std::int32_t> matches;
    for (std::int32_t j = 1; j <= lngItemCnt; ++j) {
        busy.yield();
        const QString path = std::size_t(j) < strItemPath.size() ? strItemPath[std::size_t(j)] : QString();
        if (needsPrefix && prefix.isEmpty())
            continue;
        const QString file = valueFileFor(path, prefix, selection.anaRange);
        if (file.isEmpty())
            continue;
        QStringList lines;
        if (!readLinesOf(file, lines))
            return false;
        started.assign(gtypStatArea.size(), 0);
        for (qsizetype k = 1; k < lines.size(); ++k) {
            busy.yield();
            QString line = lines[k];
            if (line.isEmpty())
                continue;
            const std::int32_t fieldCount = mdlCommon::SplitComma(line, fields);
            if (fieldCount < 4)
                continue;
            index.all(fields[0], matches);
            if (matches.empty())
                continue;
            RyusenPair pair;
            pair.FlowCount = vb::toNumber(fields[countField]).value_or(0.0);
            const double partner = vb::toNumber(fields[1]).value_or(0.0);
            try {
                pair.PartnerCode = vb::cLng(partner);
            } catch (const std::exception &) {
                pair.PartnerCode = 0;
            }
            for (const std::int32_t r : matches) {
                std::vector<RyusenPair> &partners = gtypStatArea[std::size_t(r)].Ryusen;
                if (!started[std::size_t(r)]) {
                    partners.assign(1, RyusenPair{});
                    started[std::size_t(r)] = 1;
                }
                partners.push_back(pair);
                sortPartners(partners);
                result = true;
            }
        }
    }
    return result;
}

bool StatAreaReader::GetPrefPosition(
    std::int32_t lngPrefCode, QString &strName, std::int32_t &lngX, std::int32_t &lngY)
{
    m_error.clear();
    db::Statement query = m_database.prepare(QStringLiteral("SELECT * FROM 都道府県テーブル WHERE 都道府県ｺｰﾄﾞ = ?1"));
    if (!query.isValid()) {
        m_error = m_database.lastError();
        return false;
    }
    query.bind(1, lngPrefCode);
    while (query.next()) {
        strName = query.text(1);
        lngX = query.int32(6);
        lngY = query.int32(7);
    }
    if (!query.lastError().isEmpty()) {
        m_error = query.lastError();
        return false;
    }
    return true;
}

} // namespace veltra::statwindow
