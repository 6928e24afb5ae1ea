#include "statwindow/selectedarealist.h"

#include "statwindow/codeformat.h"

#include <QStringList>

namespace veltra::statwindow {

QString areaLevelName(std::int32_t level)
{
    switch (level) {
    case 0:
        return QStringLiteral("全国");
    case 1:
        return QStringLiteral("都道府県");
    case 2:
        return QStringLiteral("市区町村");
    case 3:
        return QStringLiteral("町丁字");
    default:
        return {};
    }
}

SelectedAreaEntry chosenAreaEntry(std::int32_t level, const QStringList &itemTexts)
{
    SelectedAreaEntry entry;
    const auto text = [&itemTexts](int column) { return itemTexts.value(column); };
    const int last = level == 3 ? TownNameColumn : level == 2 ? CityNameColumn : PrefNameColumn;
    for (int column = AreaXColumn; column <= last; ++column)
        entry[column] = text(column);
    entry[AreaNameColumn] = text(PrefNameColumn);
    if (level >= 2)
        entry[AreaNameColumn] += text(CityNameColumn);
    if (level == 3)
        entry[AreaNameColumn] += text(TownNameColumn);
    return entry;
}

QString SelectedAreaList::identityKey(std::int32_t level, const SelectedAreaEntry &entry)
{
    QString key;
    key.reserve(11);
    appendFormattedCode(key, entry[PrefCodeColumn], 2);
    if (level == 2) {
        const QString &city = entry[CityCodeColumn];
        appendFormattedCode(key, city, city.size() == 5 ? 5 : 3);
    } else if (level == 3) {
        appendFormattedCode(key, entry[CityCodeColumn], 3);
        appendFormattedCode(key, entry[TownCodeColumn], 6);
    }
    return key;
}

void SelectedAreaList::indexFor(std::int32_t level) const
{
    if (m_indexLevel == level)
        return;
    m_keys.clear();
    m_keys.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const SelectedAreaEntry &entry : m_entries)
        ++m_keys[identityKey(level, entry)];
    m_indexLevel = level;
}

bool SelectedAreaList::contains(std::int32_t level, const SelectedAreaEntry &entry) const
{
    indexFor(level);
    return m_keys.contains(identityKey(level, entry));
}

bool SelectedAreaList::add(std::int32_t level, const SelectedAreaEntry &entry)
{
    indexFor(level);
    int &count = m_keys[identityKey(level, entry)];
    if (count > 0)
        return false;
    count = 1;
    m_entries.push_back(entry);
    return true;
}

void SelectedAreaList::removeAt(int index)
{
    if (index < 0 || index >= size())
        return;
    const auto it = m_keys.find(identityKey(m_indexLevel, at(index)));
    if (it != m_keys.end() && --it.value() <= 0)
        m_keys.erase(it);
    m_entries.erase(m_entries.begin() + index);
}

void SelectedAreaList::clear()
{
    m_entries.clear();
    m_keys.clear();
}

std::vector<SelectAddrEntry> SelectedAreaList::codeEntries() const
{
    std::vector<SelectAddrEntry> codes;
    codes.reserve(m_entries.size());
    for (const SelectedAreaEntry &entry : m_entries)
        codes.push_back({entry[PrefCodeColumn], entry[CityCodeColumn], entry[TownCodeColumn]});
    return codes;
}

} // namespace veltra::statwindow
