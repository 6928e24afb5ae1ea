#include "statwindow/pyramiditemlist.h"

#include "platform/fs/fs.h"
#include "platform/vb/convert.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/statfileformat.h"
#include "statwindow/pyramidcreate.h"
#include "statwindow/statistictree.h"

namespace veltra::statwindow {

namespace {

std::int32_t numberOf(const QString &section, const QString &key, const QString &file)
{
    QString value;
    mdlCommon::ReadIniString(section, key, value, file);
    const auto number = vb::toNumber(value);
    return number ? vb::cLng(*number) : 0;
}

QString labelOf(const QString &section, std::int32_t startField, const QString &file)
{
    QString entry;
    mdlCommon::ReadIniString(section, statdata::entryKey(startField - 1), entry, file);
    return entry.isEmpty() ? QString() : ageText(entry);
}

} // namespace

QString pyramidLevelName(std::int32_t anaRange)
{
    switch (anaRange) {
    case 1:
    case 2:
    case 3:
        return areaUnitOfLevel(anaRange);
    default:
        return QString();
    }
}

QString pyramidItemRefusal(const QString &listFile, std::int32_t anaRange, const QString &itemName)
{
    if (pyramidLevelName(anaRange).isEmpty())
        return QStringLiteral("指定した分析単位のデータ種類がありません");
    return pyramidListRefusal(listFile, anaRange, itemName);
}

PyramidItemSpec readPyramidItemSpec(const QString &listFile, const QString &itemName)
{
    const QString file = fs::resolve(listFile);
    PyramidItemSpec spec;
    spec.classCount = numberOf(itemName, QStringLiteral("DataCnt"), file);
    spec.startField1 = numberOf(itemName, QStringLiteral("StartField1"), file);
    spec.startField2 = numberOf(itemName, QStringLiteral("StartField2"), file);
    spec.label1 = labelOf(itemName, spec.startField1, file);
    spec.label2 = labelOf(itemName, spec.startField2, file);
    return spec;
}

} // namespace veltra::statwindow
