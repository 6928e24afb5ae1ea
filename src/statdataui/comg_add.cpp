#include "statdataui/comg_add.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/framepanes.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/mdlcommon.h"
#include "shell/mdlmain_settings.h"
#include "shell/moderegistry.h"
#include "shell/programfolder.h"
#include "statdataui/frmg_add.h"

#include <QStringList>

namespace {

const QString kTitle = QStringLiteral("ユーザーデータの登録・削除");

// The windows that may stay loaded (besides the map windows, whatever their
// class).
const QStringList kAllowedForms{QStringLiteral("frmMain"), QStringLiteral("frmListBar"),
    QStringLiteral("frmPSYOpeRoom"), QStringLiteral("frmPSYStory"), QStringLiteral("frmZorvik"),
    QStringLiteral("frmExpNotes")};

bool isMapWindow(QWidget *window)
{
    return dynamic_cast<veltra::shell::MapWindowHost *>(window) != nullptr;
}

} // namespace

namespace ComG_add {

void ShowUserDataForm()
{
    using namespace veltra::ui;
    if (IsOtherFunctionRunning()) {
        MsgBox(QStringLiteral("この機能は、他の起動中の機能を終了してから使用してください."), vbCritical,
            kTitle);
        return;
    }
    if (!ReadDataPath(GetIniFilePath())) {
        MsgBox(QStringLiteral("VeltraDataフォルダパスが取得できません."), vbCritical, kTitle);
        return;
    }
    auto *window = form<frmG_add>(static_cast<QWidget *>(gfrmMain));
    window->Show();
    WindowRegistry::instance().unload(window);
}

bool OpenExcelFolder()
{
    const QString folder = GetExcelFolderPath();
    if (mdlCommon::OpenWithShell(folder))
        return true;
    // What the file manager would say of a folder it cannot open.
    veltra::ui::MsgBox(
        QStringLiteral("フォルダを開けません.\n%1").arg(folder), veltra::ui::vbExclamation, kTitle);
    return false;
}

QString GetIniFilePath()
{
    QString folder = veltra::shell::programFolder();
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("Zorpak.ini");
}

bool ReadDataPath(const QString &iniPath)
{
    QString value;
    mdlCommon::ReadIniString(QStringLiteral("VELTRA_DATA_PATH"), QStringLiteral("Path"), value, iniPath);
    gstrAddDataPath = veltra::shell::resolveDataFolder(value, veltra::shell::programFolder());
    return !gstrAddDataPath.isEmpty();
}

QString GetExcelFolderPath()
{
    return mdlCommon::AddPathSep(gstrDataPath) + QStringLiteral("追加用エクセルファイル")
        + (gstrDataPath.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/'));
}

bool IsOtherFunctionRunning()
{
    if (gfrmZorvik && gfrmZorvik->measuringPanelShown())
        return true;
    if (gfrmMain) {
        QWidget *story = gfrmMain->loadedPane(veltra::shell::FramePane::StoryPlayer);
        if (story && story->isVisibleTo(gfrmMain))
            return true;
    }
    const QList<QWidget *> forms = veltra::ui::WindowRegistry::instance().forms();
    for (QWidget *window : forms) {
        if (!kAllowedForms.contains(veltra::ui::WindowRegistry::nameOf(window)) && !isMapWindow(window))
            return true;
    }
    return false;
}

} // namespace ComG_add

namespace veltra::statdataui {

void registerUserDataWindows()
{
    shell::UserDataCommands &commands = shell::modeRegistry().userData();
    commands.showUserDataForm = [] { ComG_add::ShowUserDataForm(); };
    commands.openUserDataFolder = [] { ComG_add::OpenExcelFolder(); };
}

} // namespace veltra::statdataui
