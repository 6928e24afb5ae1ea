#include "statrender/datasanshouvalues.h"

#include "platform/fs/fs.h"
#include "platform/vb/format.h"
#include "shell/mdlspcom.h"
#include "shell/modfileio.h"
#include "statdata/statfileformat.h"
#include "statdata/statfilepaths.h"

namespace veltra::statrender {

namespace {

QString etcFolder(const QString &dataPath)
{
    return statdata::joinPath(dataPath, QStringLiteral("etc\\"));
}

QString padded(const QString &code, const char *pattern)
{
    return vb::format(code, QString::fromLatin1(pattern));
}

// The first line of the file that `matches`; nothing when the file cannot be
// read or no line matches.
template <class Match> std::optional<QString> firstLine(const QString &file, Match matches)
{
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(file, lines, count))
        return std::nullopt;
    for (std::int32_t i = 1; i <= count; ++i) {
        if (matches(lines[static_cast<std::size_t>(i)]))
            return lines[static_cast<std::size_t>(i)];
    }
    return std::nullopt;
}

// The value file of a municipality or town-block folder, as FileIndex.txt
// names it for the prefecture; "" when the index or the key is missing.
QString indexedValueFile(const QString &folder, const QString &pref)
{
    QString name;
    mdlSpCom::GetIniValue(QString::fromUtf16(statdata::kFileIndexSection),
        QString::fromUtf16(statdata::kFileIndexKeyPrefix) + pref, name, statdata::fileIndexPath(folder));
    if (name.isEmpty())
        return {};
    return statdata::joinPath(folder, name);
}

} // namespace

QString levelName(AreaLevel level)
{
    switch (level) {
    case AreaLevel::Prefecture:
        return statdata::areaUnitPref();
    case AreaLevel::Municipality:
        return statdata::areaUnitCity();
    case AreaLevel::TownBlock:
        break;
    }
    return statdata::areaUnitTown();
}

QString yearFilePath(const QString &dataPath)
{
    return statdata::joinPath(statdata::joinPath(etcFolder(dataPath), statdata::etc2FolderName() + u'\\'),
        statdata::yearFileName());
}

QString itemListPath(const QString &dataPath, const QString &statistics)
{
    return statdata::joinPath(statdata::joinPath(etcFolder(dataPath), statdata::etc2FolderName() + u'\\'),
        statistics + QStringLiteral(".txt"));
}

QString valueFolder(const QString &dataPath, const QString &statistics, AreaLevel level, const QString &field)
{
    return etcFolder(dataPath) + statistics + u'\\' + levelName(level) + u'\\' + field + u'\\';
}

QStringList statisticsNames(const QString &dataPath)
{
    QStringList names;
    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(yearFilePath(dataPath), lines, count))
        return names;
    for (std::int32_t i = 1; i <= count; ++i)
        names << lines[static_cast<std::size_t>(i)].section(u',', 0, 0);
    return names;
}

QStringList listEntries(const QString &file, const QString &section)
{
    QStringList entries;
    for (int n = 1;; ++n) {
        QString value;
        mdlSpCom::GetIniValue(section, statdata::entryKey(n), value, file);
        if (value.isEmpty())
            break;
        entries << value;
    }
    return entries;
}

bool isPrefectureLine(const QString &line, const QString &pref)
{
    const QString key = padded(pref, "00");
    return !key.isEmpty() && line.left(2) == key;
}

bool isMunicipalityLine(const QString &line, const QString &pref, const QString &city)
{
    const QString key = padded(pref, "00") + city;
    return !key.isEmpty() && line.section(u',', 0, 0) == key;
}

bool isTownBlockLine(const QString &line, const QString &pref, const QString &city, const QString &town)
{
    const QString key = padded(pref, "00") + padded(city, "000") + padded(town, "000000");
    return !key.isEmpty() && line.left(11) == key;
}

LevelTexts readValueLines(
    const QString &dataPath, const QString &statistics, const QString &field, const AreaCodes &codes)
{
    LevelTexts lines;
    const QString prefFolder = valueFolder(dataPath, statistics, AreaLevel::Prefecture, field);
    const QStringList prefFiles = fs::listFiles(prefFolder, QStringLiteral("*.txt"));
    if (!prefFiles.isEmpty()) {
        lines[0] = firstLine(statdata::joinPath(prefFolder, prefFiles.first()),
            [&](const QString &line) { return isPrefectureLine(line, codes[0]); });
    }
    const QString cityFile
        = indexedValueFile(valueFolder(dataPath, statistics, AreaLevel::Municipality, field), codes[0]);
    if (!cityFile.isEmpty()) {
        lines[1] = firstLine(
            cityFile, [&](const QString &line) { return isMunicipalityLine(line, codes[0], codes[1]); });
    }
    const QString townFile
        = indexedValueFile(valueFolder(dataPath, statistics, AreaLevel::TownBlock, field), codes[0]);
    if (!townFile.isEmpty()) {
        lines[2] = firstLine(townFile,
            [&](const QString &line) { return isTownBlockLine(line, codes[0], codes[1], codes[2]); });
    }
    return lines;
}

std::optional<QString> lineField(const std::optional<QString> &line, int index)
{
    if (!line || index < 0)
        return std::nullopt;
    const QStringList fields = line->split(u',');
    if (index >= fields.size())
        return std::nullopt;
    return fields[index];
}

LevelTexts itemValues(const LevelTexts &lines, int position)
{
    LevelTexts values;
    for (std::size_t k = 0; k < lines.size(); ++k)
        values[k] = lineField(lines[k], position + 1);
    return values;
}

QStringList gridRow(const QString &item, const LevelTexts &values)
{
    QStringList cells{item};
    for (const std::optional<QString> &value : values)
        cells << value.value_or(QStringLiteral("-"));
    // Only blanks, as VB's Trim: the tabs between the cells stay.
    QString row = cells.join(u'\t');
    qsizetype first = 0;
    while (first < row.size() && row[first] == u' ')
        ++first;
    qsizetype last = row.size();
    while (last > first && row[last - 1] == u' ')
        --last;
    row = row.mid(first, last - first);
    return row.split(u'\t');
}

std::int16_t useSpaceID(
    const std::vector<std::int16_t> &displayed, std::int16_t pref, std::int16_t city, std::int16_t town)
{
    if (displayed.empty())
        return town;
    int sum = 0;
    for (const std::int16_t id : displayed) {
        if (id == pref)
            sum += 1;
        else if (id == city)
            sum += 2;
        else if (id == town)
            sum += 4;
    }
    if (sum == 1)
        return pref;
    if (sum == 2 || sum == 3)
        return city;
    return town;
}

AreaLevel levelOfSpace(std::int16_t spaceId)
{
    if (spaceId == 1)
        return AreaLevel::Prefecture;
    if (spaceId == 2)
        return AreaLevel::Municipality;
    return AreaLevel::TownBlock;
}

} // namespace veltra::statrender
