#include "statdata/comcaldoratable.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/messages.h"
#include "statdata/statfileformat.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <exception>
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

int32_t GetFieldCnt(const QString &templateFile)
{
    QString text;
    mdlCommon::ReadIniString(QStringLiteral("Subject"), QStringLiteral("FieldCnt"), text, templateFile);
    const auto count = veltra::vb::toNumber(text);
    if (!count)
        return 0;
    try {
        const int64_t value = std::llabs(static_cast<int64_t>(veltra::vb::cLng(*count)));
        return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
    } catch (const std::exception &) {
        return 0;
    }
}

bool CheckItemListFolders(const QString &itemListFile)
{
    // Only the first three area units are looked at: the levels a statistics
    // can have.
    int found = 0;
    bool failed = false;
    for (int n = 1; n <= 3 && !failed; ++n) {
        QString unit;
        mdlCommon::ReadIniString(
            veltra::statdata::itemListKindSection(), veltra::statdata::entryKey(n), unit, itemListFile);
        unit = unit.trimmed();
        if (unit.isEmpty())
            continue;
        ++found;
        QString path;
        mdlCommon::ReadIniString(unit, veltra::statdata::itemListPathKey(), path, itemListFile);
        failed = path.isEmpty()
            || !veltra::fs::folderExists(veltra::statdata::resolveListFolder(itemListFile, path));
    }
    if (found > 0 && !failed)
        return true;
    veltra::statdata::showMessage(QStringLiteral("国勢調査項目一覧ﾌｧｲﾙ ") + itemListFile
            + QStringLiteral(" に格納されている\r\nﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽが存在しません。\r\n\r\n"
                             "ﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽを設定してください。\r\n"),
        veltra::statdata::MessageExclamation);
    return false;
}

bool WriteIniString(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return veltra::profile::writeString(section, key, value, file);
}

int16_t GetByteLength(const QString &text)
{
    return static_cast<int16_t>(std::min(veltra::text::cp932Length(text), 32767));
}

QString CutToByteLength(const QString &text, int16_t n)
{
    if (n <= 0)
        return {};
    return veltra::text::cutToBytes(text, n);
}

} // namespace ComCaldoraTable
