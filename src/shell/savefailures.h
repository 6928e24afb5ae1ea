#pragma once
// What the user is told when the program cannot write what it saves: the map
// document (the save command and the question at a map window's close) and
// the settings the program keeps for itself (ZORPAK.INI: start count, window
// place and menu checks, questionnaire flag, last document folder; a
// document's settings file: saved views and view date).
//
// A failed settings write is told once per run of the program: a read-only
// program folder would otherwise speak at every key, at each map window's
// close and again at the frame's. The first failure of a run is the one
// shown; it names its file and why.
#include <QString>
#include <optional>

namespace veltra::shell {

// The message of a map save that wrote nothing: the engine's reason (which
// names the file), or the result code when the engine gave none.
QString mapSaveFailureMessage(int result, const QString &engineError);

// Shows "設定を保存できませんでした。" with `why` (which names the file),
// unless a settings write already failed in this run.
void reportSettingsWriteFailure(const QString &why);

// One key of a settings file (profile::writeString); a failure is reported
// as above. False when the key was not written.
bool writeSetting(
    const QString &section, const QString &key, const std::optional<QString> &value, const QString &path);

// A new run: the next failure is shown again.
void startSettingsWriteReports();

} // namespace veltra::shell
