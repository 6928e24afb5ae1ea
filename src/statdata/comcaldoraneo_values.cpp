// Statistics value lookup: value files, lines and columns.
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/statfilepaths.h"
#include "statdata/valuefileindex.h"

#include <algorithm>

namespace {

// The number of lines to skip before the municipality's first line of a
// town-block file: its record index entry, 1 (the header) when the index has
// no entry or an entry that is not a line count.
int townSkipCount(const QString &valueFile, const QString &areaCode)
{
    QString value;
    mdlCommon::ReadIniString(QString::fromUtf16(veltra::statdata::kTownIndexSection),
        veltra::statdata::townIndexKey(areaCode), value, veltra::statdata::townRecordIndexPath(valueFile));
    bool ok = false;
    const int skip = value.trimmed().toInt(&ok);
    return ok && skip >= 0 ? skip : 1;
}

} // namespace

namespace ComCaldoraNeo {

namespace {

constexpr int32_t kFound = 0;
constexpr int32_t kNoData = 1;
constexpr int32_t kNotFound = 2;

// A value field: a number, or "-" for no data.
bool isNoData(const QString &field)
{
    return field == u'-';
}

// The lowest field count a line needs to be considered.
int minimumFields(int32_t firstColumn, int32_t lastColumn, bool range)
{
    return std::max({1, int(firstColumn), range ? int(lastColumn) : 0});
}

double valueOfLine(const QString &line, int32_t firstColumn, int32_t lastColumn, bool range, int32_t &status)
{
    QString text = line;
    std::vector<QString> fields;
    const int32_t count = mdlCommon::SplitComma(text, fields);
    if (range)
        return SumColumnRange(firstColumn, lastColumn, count, fields, status);
    return GetColumnValue(firstColumn, count, fields, status);
}

bool isIndexFileName(const QString &name)
{
    return name.compare(QString::fromUtf16(veltra::statdata::kFileIndexName), Qt::CaseInsensitive) == 0
        || name.endsWith(QString::fromUtf16(veltra::statdata::kTownIndexSuffix), Qt::CaseInsensitive);
}

} // namespace

double ReadAreaValue(const QString &valueFile, const QString &areaCode, int32_t n, int16_t areaLevel,
    int32_t firstColumn, int32_t lastColumn, bool range, int32_t &status)
{
    // Any failure below reports "not found": a value file that cannot be read
    // must not leave the status of an earlier successful lookup behind.
    status = kNotFound;
    if (valueFile.isEmpty() || n < 0)
        return 0;
    const auto index = veltra::statdata::ValueFileIndex::load(veltra::fs::resolve(valueFile));
    if (!index)
        return 0;
    const int skip = areaLevel == 3 ? townSkipCount(valueFile, areaCode) : 0;
    const int line = index->findFirst(areaCode.left(n), skip, minimumFields(firstColumn, lastColumn, range));
    if (line < 0)
        return 0;
    return valueOfLine(index->line(line), firstColumn, lastColumn, range, status);
}

QString GetDataFileName(int32_t prefecture, const QString &folder, int16_t areaLevel)
{
    if (folder.isEmpty())
        return {};
    if (areaLevel == 0 || areaLevel == 1) {
        // The first text file by name (listing order differs between file
        // systems); the indexes that may lie beside it are not value files.
        const QStringList names = veltra::fs::listFiles(folder, QStringLiteral("*.txt"));
        for (const QString &name : names) {
            if (!isIndexFileName(name))
                return veltra::statdata::joinPath(folder, name);
        }
        return {};
    }
    if (areaLevel == 2 || areaLevel == 3) {
        QString name;
        mdlCommon::ReadIniString(QString::fromUtf16(veltra::statdata::kFileIndexSection),
            veltra::statdata::fileIndexKey(prefecture), name, veltra::statdata::fileIndexPath(folder));
        // An entry is a file name of this folder; one with a path component
        // would make lookups read files outside the data tree.
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == u'.'
            || name == QLatin1String(".."))
            return {};
        return veltra::statdata::joinPath(folder, name);
    }
    return {};
}

double GetColumnValue(int32_t column, int32_t fieldCount, const std::vector<QString> &fields, int32_t &status)
{
    // Column 0 is the area code; a column that no item gave (-1) has no value.
    if (column < 1 || column >= fieldCount || std::size_t(column) >= fields.size())
        return 0;
    const QString &field = fields[std::size_t(column)];
    if (const auto number = veltra::vb::toNumber(field)) {
        status = kFound;
        return *number;
    }
    if (isNoData(field))
        status = kNoData;
    return 0;
}

double SumColumnRange(int32_t firstColumn, int32_t lastColumn, int32_t fieldCount,
    const std::vector<QString> &fields, int32_t &status)
{
    if (firstColumn >= fieldCount || lastColumn >= fieldCount)
        return 0;
    const int32_t low = std::min(firstColumn, lastColumn);
    const int32_t high = std::max(firstColumn, lastColumn);
    if (low < 1 || std::size_t(high) >= fields.size())
        return 0;
    double sum = 0;
    for (int32_t column = low; column <= high; ++column) {
        const QString &field = fields[std::size_t(column)];
        if (const auto number = veltra::vb::toNumber(field)) {
            sum += *number;
            status = kFound;
        } else if (isNoData(field)) {
            status = kNoData;
        }
    }
    return sum;
}

} // namespace ComCaldoraNeo

namespace veltra::statdata {

double scanAreaValue(const QString &valueFile, const QString &areaCode, int32_t n, int16_t areaLevel,
    int32_t firstColumn, int32_t lastColumn, bool range, int32_t &status)
{
    status = 2;
    if (valueFile.isEmpty() || n < 0)
        return 0;
    QStringList lines;
    if (!text::readLines(fs::resolve(valueFile), lines))
        return 0;
    const int start = areaLevel == 3 ? townSkipCount(valueFile, areaCode) : 0;
    const QString prefix = areaCode.left(n);
    for (int i = start; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.isEmpty())
            continue;
        std::vector<QString> fields;
        const int32_t count = mdlCommon::SplitComma(line, fields);
        const int32_t last = range ? lastColumn : count;
        if (count < firstColumn || count < last || count < 1)
            continue;
        QString code;
        if (!completeStoredAreaCode(fields.at(0), code) || !code.startsWith(prefix))
            continue;
        if (range)
            return ComCaldoraNeo::SumColumnRange(firstColumn, lastColumn, count, fields, status);
        return ComCaldoraNeo::GetColumnValue(firstColumn, count, fields, status);
    }
    return 0;
}

} // namespace veltra::statdata
