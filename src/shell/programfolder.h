#pragma once
// Where the program folder lies, and its first filling.
//
// The program folder holds the configuration files, the default map document
// and the data folder, and the program writes to it (start count, window
// settings, lists). It is chosen, in this order, by the option
// `--program-folder DIR`, the environment variable VELTRA_HOME, and
// ~/.local/share/veltra. A program folder that is missing or empty is filled
// from the installed defaults on first start. In a folder that holds anything
// only a missing configuration file (ZORPAK.INI, ZORPAK.MNU) is copied back
// from the defaults, so removing a damaged one brings the shipped one back at
// the next start; nothing else is touched. Filling copies into a staging folder beside the target and
// renames it into place, so a failed copy never leaves a half-filled folder
// that a later start would take for a complete one.
#include <QString>
#include <QStringList>
#include <vector>

namespace veltra::shell {

// The program folder in use (absolute, ending in '/'); empty until set.
QString programFolder();
void setProgramFolder(const QString &folder);

struct ProgramFolderChoice
{
    QString folder; // absolute, ending in '/'; empty when `error` is set
    QStringList remaining; // the arguments without the program-folder option
    QString error; // why the arguments cannot be used
};

// Chooses the program folder from the arguments (without the program's own
// name), the value of VELTRA_HOME (empty when unset) and the user's home.
ProgramFolderChoice resolveProgramFolder(
    const QStringList &arguments, const QString &environmentHome, const QString &userHome);
// The same with the process environment and the user's real home folder.
ProgramFolderChoice resolveProgramFolder(const QStringList &arguments);

// One installed tree of defaults: the folder `from` is copied to the
// sub-folder `into` of the program folder ("" for the program folder itself).
struct DefaultsSource
{
    QString from;
    QString into;
};

// The configuration files a start copies back when they are missing.
QStringList restoredFiles();

enum class FillResult {
    AlreadyFilled, // the folder holds something: nothing was copied
    Restored, // the folder holds something; missing configuration files were copied back
    Filled, // the folder was missing or empty and now holds the defaults
    Failed, // nothing was changed; `error` says why
};

FillResult fillProgramFolder(
    const QString &folder, const std::vector<DefaultsSource> &sources, QString *error = nullptr);

} // namespace veltra::shell
