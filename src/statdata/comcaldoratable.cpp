#include "statdata/comcaldoratable.h"

#include "shell/mdlcommon.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/statfileformat.h"

#include <array>
#include <vector>

namespace ComCaldoraTable {

namespace {

// Item lists never hold more entries than this.
constexpr int32_t kMaxEntries = 32000;

} // namespace

int32_t GetEntryIndex(const QString &itemListFile, const QString &reference)
{
    std::array<QString, 3> parts;
    if (ComCaldoraNeo::SplitEntryData(reference, parts) != 3)
        return -1;
    for (int32_t n = 1; n <= kMaxEntries; ++n) {
        QString value;
        mdlCommon::ReadIniString(parts[1], veltra::statdata::entryKey(n), value, itemListFile);
        if (value.isEmpty())
            return -1;
        std::vector<QString> fields;
        mdlCommon::SplitQuoted(value, fields, 1, QStringLiteral("\""), QStringLiteral(","));
        if (!fields.empty() && fields.front() == parts[2])
            return n;
    }
    return -1;
}

QString GetValueFolder(const QString &itemListFile, const QString &reference)
{
    std::array<QString, 3> parts;
    if (ComCaldoraNeo::SplitEntryData(reference, parts) != 3)
        return {};
    QString path;
    mdlCommon::ReadIniString(parts[0], veltra::statdata::itemListPathKey(), path, itemListFile);
    path = veltra::statdata::resolveListFolder(itemListFile, path);
    if (path.isEmpty())
        return {};
    return path + u'\\' + parts[1];
}

} // namespace ComCaldoraTable
