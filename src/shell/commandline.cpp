#include "shell/commandline.h"

#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "shell/mdlcommon.h"
#include "shell/mdlmain_mode.h"

#include <vector>

namespace veltra::shell {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool runLine(
    const QString &line, std::int16_t itemNo, const std::optional<QString> &replacedParam, QString *error)
{
    if (line.isEmpty()) {
        setError(error, QStringLiteral("項目番号 %1 のコマンドがありません。").arg(itemNo));
        return false;
    }
    std::optional<CommandLineParts> parts = parseCommandLine(line, error);
    if (!parts)
        return false;
    if (replacedParam)
        parts->param = *replacedParam;
    mdlMain::ChangeMode(parts->mode, parts->subType, parts->param);
    return true;
}

} // namespace

std::optional<CommandLineParts> parseCommandLine(const QString &line, QString *error)
{
    std::vector<QString> fields;
    std::int16_t count = 0;
    try {
        count = mdlCommon::SplitQuoted(line, fields, 1, QStringLiteral("\""), QStringLiteral(","));
    } catch (const vb::Overflow &) {
        // The field count is an Integer: a line of more fields cannot be a
        // command.
        setError(
            error, QStringLiteral("コマンドの項目が多すぎます（32767 項目まで）: %1").arg(line.left(80)));
        return std::nullopt;
    }
    if (count < 5) {
        setError(error, QStringLiteral("コマンドの項目が足りません（%1 項目）: %2").arg(count).arg(line));
        return std::nullopt;
    }
    CommandLineParts parts;
    for (std::size_t i = 5; i < fields.size(); ++i) {
        if (!parts.param.isEmpty())
            parts.param += QLatin1Char(',');
        parts.param += fields[i];
    }
    const auto subType = vb::tryCInt(fields[4]);
    const auto mode = vb::tryCInt(fields[3]);
    if (!mode || !subType) {
        setError(error, QStringLiteral("コマンドのモード番号が正しくありません: %1").arg(line));
        return std::nullopt;
    }
    parts.mode = *mode;
    parts.subType = *subType;
    return parts;
}

CommandItemSources &commandItemSources()
{
    static CommandItemSources sources;
    return sources;
}

bool runListBarItem(std::int16_t itemNo, QString *error)
{
    const auto lookup = commandItemSources().listItem;
    return runLine(lookup ? lookup(itemNo) : QString(), itemNo, std::nullopt, error);
}

bool runStoryItem(std::int16_t itemNo, const QString &stepParam, QString *error)
{
    const auto lookup = commandItemSources().storyItem;
    const std::optional<QString> replaced = itemNo == 1 ? std::optional<QString>(stepParam) : std::nullopt;
    return runLine(lookup ? lookup(itemNo) : QString(), itemNo, replaced, error);
}

} // namespace veltra::shell
