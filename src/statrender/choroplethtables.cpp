#include "statrender/choroplethtables.h"

#include "shell/modfileio.h"

#include <QStringList>

namespace veltra::statrender {

namespace {

bool readTable(const QString &path, std::vector<TableLine> &table)
{
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(path, lines, count))
        return false;
    table.assign(1, TableLine{});
    table.reserve(lines.size());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char(','));
        table.push_back(TableLine{fields.value(0), fields.value(1), fields.value(2)});
    }
    return true;
}

// A municipality code padded on the right with "0" to 7 characters when the
// search code has 7.
bool sameMunicipality(const QString &tableCode, const QString &code)
{
    if (code.size() == 7 && tableCode.size() != 7)
        return tableCode.leftJustified(7, QLatin1Char('0'), true) == code;
    return tableCode == code;
}

// The line number in field 1 of the first index line from `from` on whose
// code is `key`; `otherwise` when none.
std::size_t indexedLine(const std::vector<TableLine> &index, const QString &key, std::size_t from, std::size_t otherwise)
{
    for (std::size_t i = std::max<std::size_t>(from, 1); i < index.size(); ++i) {
        if (index[i].code == key)
            return static_cast<std::size_t>(std::max(0, index[i].field1.toInt()));
    }
    return otherwise;
}

// Past the area in a table sorted by code.
bool beyond(const QString &tableCode, const QString &code)
{
    return tableCode.size() == 11 && tableCode > code;
}

} // namespace

bool ChoroplethTables::load(const QString &dbFolder, int level)
{
    struct Item
    {
        const char *name;
        std::vector<TableLine> *table;
    };
    std::vector<Item> items;
    if (level == 2)
        items = {{"211.csv", &t211}, {"211.j1", &t211j1}, {"212.csv", &t212}, {"214.csv", &t214}};
    else if (level == 3)
        items = {{"227.csv", &t227}, {"227.j1", &t227j1}, {"227.j2", &t227j2}, {"229.csv", &t229},
            {"231.csv", &t231}};
    else
        items = {{"206.csv", &t206}};
    for (const Item &item : items) {
        if (!readTable(dbFolder + QLatin1String(item.name), *item.table))
            return false;
    }
    return true;
}

int areaLevelOf(const QString &code)
{
    const auto n = code.size();
    if (n == 5 || n == 7)
        return 2;
    if (n > 5)
        return 3;
    return 1;
}

std::vector<std::size_t> prefectureLines(const ChoroplethTables &t, const QString &code)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 1; i < t.t206.size(); ++i) {
        if (t.t206[i].code == code)
            out.push_back(i);
    }
    return out;
}

std::vector<std::size_t> municipalityLines(const ChoroplethTables &t, const QString &code)
{
    std::vector<std::size_t> out;
    const std::size_t start = std::max<std::size_t>(indexedLine(t.t211j1, code.left(2), 1, 1), 1);
    for (std::size_t i = start; i < t.t211.size(); ++i) {
        if (sameMunicipality(t.t211[i].code, code))
            out.push_back(i);
    }
    return out;
}

std::vector<std::size_t> townBlockLines(const ChoroplethTables &t, const QString &code)
{
    std::size_t s = indexedLine(t.t227j1, code.left(2), 1, 1);
    s = indexedLine(t.t227j2, code.left(5), s, s);
    std::vector<std::size_t> out;
    for (std::size_t i = std::max<std::size_t>(s, 1); i < t.t227.size(); ++i) {
        const QString &c = t.t227[i].code;
        if (c == code)
            out.push_back(i);
        else if (beyond(c, code))
            break;
    }
    return out;
}

std::vector<std::size_t> furtherLines(const std::vector<TableLine> &table, const QString &code, bool townBlocks)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const QString &c = table[i].code;
        if (townBlocks) {
            if (c == code)
                out.push_back(i);
            else if (beyond(c, code))
                break;
        } else if (sameMunicipality(c, code)) {
            out.push_back(i);
        }
    }
    return out;
}

FurtherPointCodes::FurtherPointCodes(const std::vector<TableLine> &table)
{
    for (std::size_t i = 1; i < table.size(); ++i) {
        const QString &c = table[i].code;
        m_codes.insert(c);
        m_padded.insert(c.size() == 7 ? c : c.leftJustified(7, QLatin1Char('0'), true));
    }
}

bool FurtherPointCodes::names(const QString &code) const
{
    return code.size() == 7 ? m_padded.contains(code) : m_codes.contains(code);
}

} // namespace veltra::statrender
