#include "statwindow/selectaddr.h"

#include "statwindow/codeformat.h"

using veltra::statwindow::SelectAddrEntry;

void GetSelectAddrCodes(std::int32_t anaRange, const std::vector<SelectAddrEntry> &entries,
    std::vector<QString> &strCodes, std::vector<std::int32_t> &lngCodeKinds, std::int32_t &lngCount)
{
    using veltra::statwindow::appendFormattedCode;
    strCodes.assign(1, QString());
    lngCodeKinds.assign(1, 0);
    strCodes.reserve(entries.size() + 1);
    lngCodeKinds.reserve(entries.size() + 1);
    for (const SelectAddrEntry &entry : entries) {
        std::int32_t kind = veltra::statwindow::CodeKindNormal;
        QString code;
        code.reserve(11);
        appendFormattedCode(code, entry.prefCode, 2);
        switch (anaRange) {
        case 0:
        case 1:
            break;
        case 2:
            if (entry.cityCode.size() == 5) {
                kind = veltra::statwindow::CodeKindFiveDigitCity;
                appendFormattedCode(code, entry.cityCode, 5);
            } else {
                appendFormattedCode(code, entry.cityCode, 3);
            }
            break;
        case 3:
            appendFormattedCode(code, entry.cityCode, 3);
            appendFormattedCode(code, entry.townCode, 6);
            break;
        default:
            // Other levels make empty codes.
            code.clear();
            break;
        }
        strCodes.push_back(code);
        lngCodeKinds.push_back(kind);
    }
    lngCount = static_cast<std::int32_t>(entries.size());
}
