#include "statwindow/addresslines.h"

#include "platform/vb/convert.h"
#include "platform/vb/strings.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/meshdatabase.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace veltra::statwindow {

namespace {

const QString &removedLine()
{
    static const QString line = QStringLiteral("-,-,-----------");
    return line;
}

// The third comma field ("" when the line has fewer fields).
QStringView codeField(const QString &line)
{
    const qsizetype first = line.indexOf(u',');
    if (first < 0)
        return {};
    const qsizetype second = line.indexOf(u',', first + 1);
    if (second < 0)
        return {};
    const qsizetype third = line.indexOf(u',', second + 1);
    return QStringView(line).mid(second + 1, third < 0 ? -1 : third - second - 1);
}

std::optional<std::int32_t> wholeNumber(const QString &text)
{
    if (!vb::isNumeric(text))
        return std::nullopt;
    const double value = std::round(vb::cDbl(text));
    if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

struct AddressLine
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    QString code;
};

// X, Y and a code of at least the two digits of a prefecture; nullopt for a
// line that names no area.
std::optional<AddressLine> parseLine(const QString &text)
{
    const QStringList fields = text.split(u',');
    if (fields.size() < 3)
        return std::nullopt;
    const std::optional<std::int32_t> x = wholeNumber(fields.at(0));
    const std::optional<std::int32_t> y = wholeNumber(fields.at(1));
    const QString &code = fields.at(2);
    const bool digits = code.size() >= 2
        && std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!x || !y || !digits)
        return std::nullopt;
    return AddressLine{*x, *y, code};
}

// The names of prefectures and municipalities repeat from line to line; each
// is asked of the database once per intake.
class NameCache
{
public:
    const QString &prefName(const QString &prefCode, const QString &code)
    {
        auto it = m_prefs.find(prefCode);
        if (it == m_prefs.end())
            it = m_prefs.insert(prefCode, ComCaldoraNeo::GetPrefName(code));
        return *it;
    }
    const QString &cityName(const QString &prefCode, const QString &cityCode, const QString &code)
    {
        const QString key = prefCode + u'-' + cityCode;
        auto it = m_cities.find(key);
        if (it == m_cities.end())
            it = m_cities.insert(key, ComCaldoraNeo::GetCityName(code));
        return *it;
    }

    // An 11-digit code's town block is read with every town block of its
    // municipality in one query; other codes are looked up one by one.
    QString townName(const QString &code)
    {
        if (code.size() != 11)
            return ComCaldoraNeo::GetTownName(code);
        const QString municipality = code.left(5);
        auto it = m_towns.find(municipality);
        if (it == m_towns.end())
            it = m_towns.insert(municipality, townNamesOf(code.left(2).toInt(), code.mid(2, 3).toInt()));
        return it->value(code.mid(5).toInt());
    }

private:
    static QHash<int, QString> townNamesOf(int prefecture, int municipality)
    {
        QHash<int, QString> names;
        db::Statement rows = statdata::MeshDatabase::shared().prepare(
            QStringLiteral("SELECT * FROM 町丁字テーブル WHERE 都道府県コード = ? AND 市区町村コード = ?"));
        if (!rows.isValid())
            return names;
        rows.bind(1, prefecture).bind(2, municipality);
        while (rows.next())
            names.insert(rows.int32(2), vb::trim(rows.text(3)));
        return names;
    }

    QHash<QString, QString> m_prefs;
    QHash<QString, QString> m_cities;
    QHash<QString, QHash<int, QString>> m_towns;
};

} // namespace

void QuickSort2Address(std::vector<QString> &strArray, std::int32_t lngStart, std::int32_t lngEnd)
{
    // The larger part is sorted by the loop instead of a call, so that a run
    // of equal codes cannot exhaust the stack; the order is the same.
    while (lngStart < lngEnd && lngStart >= 0 && static_cast<std::size_t>(lngEnd) < strArray.size()) {
        const std::int32_t middle = static_cast<std::int32_t>((static_cast<std::int64_t>(lngStart) + lngEnd) / 2);
        QString pivot = std::move(strArray[middle]);
        strArray[middle] = strArray[lngStart];
        const QStringView pivotCode = codeField(pivot);
        std::int32_t j = lngStart;
        for (std::int32_t i = lngStart + 1; i <= lngEnd; ++i) {
            if (codeField(strArray[i]) < pivotCode) {
                ++j;
                std::swap(strArray[j], strArray[i]);
            }
        }
        strArray[lngStart] = std::move(strArray[j]);
        strArray[j] = std::move(pivot);
        if (j - lngStart < lngEnd - j) {
            QuickSort2Address(strArray, lngStart, j - 1);
            lngStart = j + 1;
        } else {
            QuickSort2Address(strArray, j + 1, lngEnd);
            lngEnd = j - 1;
        }
    }
}

void RemoveSameAddress(std::vector<QString> &lines)
{
    // A line is dropped when an earlier line from index 1 on, or the mark an
    // earlier dropped line became, ends in the same code.
    QSet<QStringView> seen;
    const QString &removed = removedLine();
    const QStringView removedCode = QStringView(removed).mid(removed.lastIndexOf(u',') + 1);
    std::vector<bool> drop(lines.size(), false);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const QStringView code = QStringView(line).mid(line.lastIndexOf(u',') + 1);
        if (seen.contains(code)) {
            drop[i] = true;
            seen.insert(removedCode);
        } else {
            seen.insert(code);
        }
    }
    std::vector<QString> kept;
    kept.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!drop[i] && lines[i] != removed)
            kept.push_back(std::move(lines[i]));
    }
    lines = std::move(kept);
}

void SortAddressByValue(std::vector<QString> &lines, const std::function<bool()> &checkCancel)
{
    const auto value = [&lines](std::size_t k) -> std::optional<double> {
        const QStringList fields = lines[k].split(u',');
        if (fields.size() < 3)
            return std::nullopt;
        return vb::val(fields.at(2));
    };
    if (lines.empty())
        return;
    const std::size_t last = lines.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        for (std::size_t k = last; k > i; --k) {
            if (checkCancel && checkCancel())
                return;
            const std::optional<double> current = value(k);
            const std::optional<double> previous = value(k - 1);
            if (!current || !previous)
                return;
            if (*current < *previous)
                std::swap(lines[k - 1], lines[k]);
        }
    }
}

bool takeAddressLines(
    SelectedAreaList &list, std::int32_t level, std::vector<QString> lines, const AddressIntake &intake)
{
    if (lines.size() <= 1 || level < 1 || level > 3)
        return true;
    // Lines that name no area are passed over before sorting, so that none
    // of them can sort before the placeholder and take its place.
    lines.erase(std::remove_if(lines.begin() + 1, lines.end(), [](const QString &line) { return !parseLine(line); }),
        lines.end());
    if (level == 2)
        RemoveSameAddress(lines);
    if (lines.empty())
        return true;
    QuickSort2Address(lines, 0, static_cast<std::int32_t>(lines.size()) - 1);

    NameCache names;
    for (std::size_t j = 1; j < lines.size(); ++j) {
        if (level >= 2 && intake.cancelled && intake.cancelled())
            return false;
        const std::optional<AddressLine> line = parseLine(lines[j]);
        if (!line)
            continue;
        const QString &code = line->code;
        SelectedAreaEntry entry;
        entry[AreaXColumn] = QString::number(line->x);
        entry[AreaYColumn] = QString::number(line->y);
        entry[PrefCodeColumn] = ComCaldoraNeo::GetPrefCode(code);
        if (level >= 2)
            entry[CityCodeColumn] = ComCaldoraNeo::GetCityCode(code);
        if (level == 3)
            entry[TownCodeColumn] = ComCaldoraNeo::GetTownCode(code);
        if (list.contains(level, entry))
            continue;
        entry[PrefNameColumn] = names.prefName(entry[PrefCodeColumn], code);
        entry[AreaNameColumn] = entry[PrefNameColumn];
        if (level >= 2) {
            entry[CityNameColumn] = names.cityName(entry[PrefCodeColumn], entry[CityCodeColumn], code);
            entry[AreaNameColumn] += entry[CityNameColumn];
        }
        if (level == 3) {
            entry[TownNameColumn] = names.townName(code);
            entry[AreaNameColumn] += entry[TownNameColumn];
        }
        list.add(level, entry);
        if (intake.added)
            intake.added(entry);
    }
    return true;
}

} // namespace veltra::statwindow
