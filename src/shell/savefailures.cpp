#include "shell/savefailures.h"

#include "platform/profile/profile.h"
#include "platform/ui/msgbox.h"
#include "shell/globals.h"

namespace veltra::shell {

namespace {

bool g_settingsFailureShown = false;

} // namespace

QString mapSaveFailureMessage(int result, const QString &engineError)
{
    const QString head = QStringLiteral("地図データを保存できませんでした。");
    if (engineError.trimmed().isEmpty())
        return head + QStringLiteral("（エラーコード %1）").arg(result);
    return head + u'\n' + engineError;
}

void reportSettingsWriteFailure(const QString &why)
{
    if (g_settingsFailureShown)
        return;
    g_settingsFailureShown = true;
    ui::MsgBox(QStringLiteral("設定を保存できませんでした。\n") + why, ui::vbExclamation, gstrTitle);
}

bool writeSetting(
    const QString &section, const QString &key, const std::optional<QString> &value, const QString &path)
{
    QString why;
    if (profile::writeString(section, key, value, path, &why))
        return true;
    reportSettingsWriteFailure(why);
    return false;
}

void startSettingsWriteReports()
{
    g_settingsFailureShown = false;
}

} // namespace veltra::shell
