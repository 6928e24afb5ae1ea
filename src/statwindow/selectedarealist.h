#pragma once
// SelectedAreaList: the areas chosen in Step 1 of the statistics map window,
// one entry of nine texts each, in the order they were added; the window's
// lstSelectAddr shows them row for row.
//
// An entry's texts are the columns of lstSelectAddr: the display name, X, Y,
// prefecture code and name, municipality code and name, town-block code and
// name (SelectedAreaColumn). Codes are numbers without leading zeros.
//
// Two entries are the same area when their identity keys at the current
// level are equal (identityKey); the list keeps an index of the keys so that
// adding an entry costs the same however long the list is. The index is made
// for one level and made again when asked about another.
#include "statwindow/selectaddr.h"

#include <QHash>
#include <QString>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace veltra::statwindow {

enum SelectedAreaColumn {
    AreaNameColumn = 0,
    AreaXColumn,
    AreaYColumn,
    PrefCodeColumn,
    PrefNameColumn,
    CityCodeColumn,
    CityNameColumn,
    TownCodeColumn,
    TownNameColumn,
    SelectedAreaColumnCount
};

using SelectedAreaEntry = std::array<QString, SelectedAreaColumnCount>;

// The caption of lblArea for an area level ("全国" to "町丁字"); "" for none.
QString areaLevelName(std::int32_t level);

// The entry a chosen list item of the area chooser makes at a level: its
// column texts (five, seven or nine), copied as far as the level reaches, and
// the names joined as the display name.
SelectedAreaEntry chosenAreaEntry(std::int32_t level, const QStringList &itemTexts);

class SelectedAreaList
{
public:
    // Prefecture "00"; at level 2 followed by the municipality as "00000"
    // when its text has five characters, else "000"; at level 3 followed by
    // the municipality "000" and the town block "000000".
    static QString identityKey(std::int32_t level, const SelectedAreaEntry &entry);

    // Whether an entry with the same key at `level` is listed.
    bool contains(std::int32_t level, const SelectedAreaEntry &entry) const;
    // Appends the entry unless its key at `level` is listed; true when added.
    bool add(std::int32_t level, const SelectedAreaEntry &entry);
    void removeAt(int index);
    void clear();

    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const SelectedAreaEntry &at(int index) const { return m_entries.at(static_cast<std::size_t>(index)); }
    const std::vector<SelectedAreaEntry> &entries() const { return m_entries; }
    // The code columns of every entry, for the area readers.
    std::vector<SelectAddrEntry> codeEntries() const;

private:
    void indexFor(std::int32_t level) const;

    std::vector<SelectedAreaEntry> m_entries;
    // How many entries have each key at m_indexLevel.
    mutable QHash<QString, int> m_keys;
    mutable std::int32_t m_indexLevel = std::numeric_limits<std::int32_t>::min();
};

} // namespace veltra::statwindow
