#include "statwindow/pyramidcreate.h"

#include "platform/fs/fs.h"
#include "platform/vb/currency.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/statfileformat.h"
#include "statwindow/statistictree.h"

namespace veltra::statwindow {

namespace {

using vb::Currency;

Currency toCurrency(double value)
{
    return Currency::fromDouble(value);
}

} // namespace

QString pyramidListRefusal(const QString &listFile, std::int32_t anaRange, const QString &itemName)
{
    const QString file = fs::resolve(listFile);
    const QString unit = areaUnitOfLevel(anaRange);
    if (!readEntryList(QStringLiteral("ﾃﾞｰﾀ種類"), file).contains(unit))
        return QStringLiteral("指定した分析単位のデータ種類がありません");
    if (!readEntryList(unit, file).contains(itemName))
        return QStringLiteral("指定した分析単位の統計項目はありません");
    return QString();
}

std::vector<QString> pyramidAgeClassNames(
    const QString &listFile, const QString &itemName, std::int32_t startField, std::int32_t classes)
{
    const QString file = fs::resolve(listFile);
    std::vector<QString> names(static_cast<std::size_t>(std::max(classes, 0)) + 1);
    QString name;
    for (std::int32_t l = 1; l <= classes; ++l) {
        QString entry;
        mdlCommon::ReadIniString(itemName, statdata::entryKey(startField + l - 1), entry, file);
        if (entry.isEmpty())
            break;
        // A blank entry stands for the one before it.
        if (!entry.trimmed().isEmpty())
            name = ageText(entry);
        names[static_cast<std::size_t>(l)] = pyramidAbbreviation(name);
    }
    return names;
}

std::vector<std::pair<double, double>> pyramidRows(
    const std::vector<StatArea> &records, std::int32_t classes, bool relative)
{
    const auto count = static_cast<std::size_t>(std::max(classes, 0));
    std::vector<Currency> left(count + 1), right(count + 1);
    Currency leftTotal, rightTotal;
    for (std::size_t i = 1; i <= count; ++i) {
        for (std::size_t r = 1; r < records.size(); ++r) {
            const StatArea &area = records[r];
            if (i < area.ManValue.size())
                left[i] = left[i] + toCurrency(area.ManValue[i]);
            if (i < area.WomanValue.size())
                right[i] = right[i] + toCurrency(area.WomanValue[i]);
        }
        leftTotal = leftTotal + left[i];
        rightTotal = rightTotal + right[i];
    }
    const auto share = [](Currency part, Currency total) {
        if (total.raw() == 0)
            return 0.0;
        return toCurrency(part.toDouble() / total.toDouble() * 100).toDouble();
    };
    std::vector<std::pair<double, double>> rows(count + 1);
    for (std::size_t i = 1; i <= count; ++i) {
        rows[i] = relative ? std::pair{share(left[i], leftTotal), share(right[i], rightTotal)}
                           : std::pair{left[i].toDouble(), right[i].toDouble()};
    }
    return rows;
}

} // namespace veltra::statwindow
