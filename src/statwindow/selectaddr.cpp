#include "statwindow/selectaddr.h"

#include "statwindow/codeformat.h"

using veltra::statwindow::SelectAddrEntry;

void GetSelectAddrCodes(std::int32_t anaRange, const std::vector<SelectAddrEntry> &entries,
    std::vector<QString> &strCodes, std::vector<std::int32_t> &lngCodeKinds, std::int32_t &lngCount)
{
    const auto format = [](const QString &text, const QString &pattern) {
        return veltra::statwindow::formatCode(text, static_cast<int>(pattern.size()));
    };
    strCodes.assign(1, QString());
    lngCodeKinds.assign(1, 0);
    for (const SelectAddrEntry &entry : entries) {
        std::int32_t kind = veltra::statwindow::CodeKindNormal;
        QString code;
        const QString pref = format(entry.prefCode, QStringLiteral("00"));
        switch (anaRange) {
        case 0:
        case 1:
            code = pref;
            break;
        case 2:
            if (entry.cityCode.size() == 5) {
                kind = veltra::statwindow::CodeKindFiveDigitCity;
                code = pref + format(entry.cityCode, QStringLiteral("00000"));
            } else {
                code = pref + format(entry.cityCode, QStringLiteral("000"));
            }
            break;
        case 3:
            code = pref + format(entry.cityCode, QStringLiteral("000"))
                + format(entry.townCode, QStringLiteral("000000"));
            break;
        default:
            break;
        }
        strCodes.push_back(code);
        lngCodeKinds.push_back(kind);
    }
    lngCount = static_cast<std::int32_t>(entries.size());
}
