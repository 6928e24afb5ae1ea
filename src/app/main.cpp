// veltra: the statistics-map application.
//
//   veltra [--program-folder DIR] [DOCUMENT]
//
// The program folder is DIR, else $VELTRA_HOME, else ~/.local/share/veltra;
// an empty or missing one is filled with the installed defaults first.
#include "app/installeddefaults.h"
#include "app/instancelock.h"
#include "app/mdlmain_main.h"
#include "app/subsystems.h"
#include "app/uisetup.h"
#include "platform/ui/msgbox.h"
#include "shell/programfolder.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    QApplication::setApplicationVersion(QStringLiteral(VELTRA_VERSION));

    using namespace veltra;
    // Before the first message box, so even that one speaks Japanese.
    app::setUpUserInterface();
    const shell::ProgramFolderChoice choice = shell::resolveProgramFolder(QApplication::arguments().mid(1));
    if (!choice.error.isEmpty()) {
        ui::MsgBox(choice.error, ui::vbCritical, QStringLiteral("Veltra"));
        return 2;
    }
    // A second copy ends before it touches the program folder.
    if (!app::acquireInstanceLock())
        return 0;
    QString error;
    if (shell::fillProgramFolder(choice.folder, app::installedDefaults(), &error)
        == shell::FillResult::Failed) {
        ui::MsgBox(QStringLiteral("プログラムフォルダを準備できません: %1\n%2").arg(choice.folder, error),
            ui::vbCritical, QStringLiteral("Veltra"));
        return 1;
    }
    shell::setProgramFolder(choice.folder);
    app::registerSubsystems();

    app::StartOptions options;
    options.commandLine = choice.remaining.join(QLatin1Char(' '));
    switch (mdlMain::Main(options)) {
    case app::StartResult::AlreadyRunning:
        return 0;
    case app::StartResult::Failed:
        return 1;
    case app::StartResult::Running:
        break;
    }
    const int status = QApplication::exec();
    app::releaseInstanceLock();
    return status;
}
