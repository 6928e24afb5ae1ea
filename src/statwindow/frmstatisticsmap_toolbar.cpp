// The statistics map window's compact tool bar: clearing, saving and loading
// statistics map files, the move and data-reference switches and the size
// dialog.
#include "platform/fs/fs.h"
#include "platform/ui/filedialogs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "statrender/globals.h"
#include "statwindow/frmpsyresize.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/statmapfile.h"
#include "statwindow/statmousemode.h"
#include "zorvik/widget/zorvik.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace {

using veltra::ui::MsgBox;
using veltra::ui::twipsToPixelsX;
using veltra::ui::twipsToPixelsY;

// The row of the compact tool bar, in twips from the top of the window's
// inside: the only row left, so it sits where a 1000-twip window shows it.
constexpr int CompactRowTop = 120;
constexpr int TitleBarHeight = 440; // the designed 11000 less the inner 10560
constexpr int CompactLoadHeight = 1000;
constexpr int ToolGap = 5;

QString notFoundMessage()
{
    return QStringLiteral("ファイルが見つかりません。ファイルが存在するかどうか確認してください。");
}

QString unrecognisedMessage()
{
    return QStringLiteral("正しく認識できませんでした。ファイルが正しいか確認してください");
}

void reportUnrecognised()
{
    MsgBox(unrecognisedMessage(), veltra::ui::vbInformation, QStringLiteral("ファイル確認"));
}

// The shared wait dialog while a file is saved or loaded; unloaded when the
// object dies, on every path.
class WaitDialog
{
public:
    explicit WaitDialog(QWidget *owner)
    {
        veltra::ui::form<frmPSYWait>(owner)->show();
        veltra::ui::DoEvents();
    }
    ~WaitDialog() { end(); }
    WaitDialog(const WaitDialog &) = delete;
    WaitDialog &operator=(const WaitDialog &) = delete;
    void end() { veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait")); }
};

int leftTwips(const QWidget *w)
{
    return static_cast<int>(veltra::ui::pixelsToTwipsX(w->x()));
}

int widthTwips(const QWidget *w)
{
    return static_cast<int>(veltra::ui::pixelsToTwipsX(w->width()));
}

} // namespace

void frmStatisticsMap::cmdObjClear_Click()
{
    ComPSY::PSY_ClearStatisticsMap(gobjZor, false);
    ComPSY::PSY_UnloadLegendForms();
}

void frmStatisticsMap::cmdSave_Click()
{
    using namespace veltra;
    // Asking for a name is pointless when there is nothing to save.
    if (statwindow::statMapMembers(gstrDataPath).isEmpty()) {
        MsgBox(QStringLiteral("保存する統計地図がありません。"), ui::vbInformation);
        return;
    }
    const QString chosen = ui::getSaveFileName(
        this, QStringLiteral("名前を付けて保存"), statwindow::statMapFileFilter(), QString());
    if (chosen.isEmpty())
        return;
    const QString path = statwindow::withStatMapExtension(chosen);
    if (MsgBox(path + QStringLiteral("へ保存します。よろしいですか？"), ui::vbYesNo + ui::vbQuestion,
            QStringLiteral("状態保存"))
        != ui::vbYes)
        return;

    QString reason;
    statwindow::StatMapSave result;
    {
        WaitDialog wait(nullptr);
        result = statwindow::saveStatMapFile(gstrDataPath, path, &reason);
    }
    if (result == statwindow::StatMapSave::NothingToSave)
        MsgBox(QStringLiteral("保存する統計地図がありません。"), ui::vbInformation);
    else if (result == statwindow::StatMapSave::Failed)
        MsgBox(QStringLiteral("統計地図ファイルを保存できませんでした：") + reason, ui::vbExclamation);
}

void frmStatisticsMap::cmdLoad_Click()
{
    using namespace veltra;
    QString path
        = ui::getOpenFileName(this, QStringLiteral("開く"), statwindow::statMapFileFilter(), QString());
    if (path.isEmpty())
        return;
    if (!fs::fileExists(path))
        path = statwindow::withStatMapExtension(path);
    if (!fs::fileExists(path)) {
        MsgBox(notFoundMessage(), ui::vbInformation, QStringLiteral("確認"));
        return;
    }
    if (MsgBox(path + QStringLiteral("を読み込みます。よろしいですか？"), ui::vbYesNo + ui::vbQuestion,
            QStringLiteral("読み込み"))
        != ui::vbYes)
        return;

    WaitDialog wait(this);
    // The map on screen and its files stay until the new ones are at hand.
    const statwindow::StatMapExtraction extraction(path);
    if (!extraction.ok()) {
        wait.end();
        reportUnrecognised();
        return;
    }
    ComPSY::PSY_UnloadLegendForms();
    ComPSY::PSY_ClearStatisticsMap(gobjZor, false);
    const bool copied = extraction.copyInto(gstrDataPath);

    setCursor(Qt::WaitCursor);
    ComPSY::PSY_DrawFromFiles(gobjZor, QString());
    wait.end();
    unsetCursor();
    if (!copied)
        MsgBox(QStringLiteral("統計地図ファイルの一部を DB フォルダに書き込めませんでした。"),
            ui::vbExclamation);
    if (gobjZor)
        gobjZor->Refresh();
    ShowCompactToolBar(CompactLoadHeight);
}

void frmStatisticsMap::MP_ReadFileOnDraw(const QString &sFileName)
{
    const veltra::statwindow::StatMapExtraction extraction(sFileName);
    if (!extraction.ok()) {
        reportUnrecognised();
        return;
    }
    if (!extraction.copyInto(gstrDataPath))
        MsgBox(QStringLiteral("統計地図ファイルの一部を DB フォルダに書き込めませんでした。"),
            veltra::ui::vbExclamation);
    ComPSY::PSY_DrawFromFiles(gobjZor, QString());
    if (gobjZor)
        gobjZor->Refresh();
}

void frmStatisticsMap::ShowCompactToolBar(int heightTwips)
{
    const int top = twipsToPixelsY(CompactRowTop);
    cmdObjClear->move(cmdObjClear->x(), top);
    cmdObjClear->setVisible(true);
    QWidget *previous = cmdObjClear;
    for (QWidget *w :
        std::initializer_list<QWidget *>{cmdLoad, cmdSave, chkObjMove, cmdReSize, chkDataSansho}) {
        w->move(twipsToPixelsX(leftTwips(previous) + widthTwips(previous) + ToolGap), top);
        w->setVisible(true);
        previous = w;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{FrameAnaRange, FrameAnaWay, FrameStatistic})
        w->setVisible(false);
    cmdEnd->move(cmdEnd->x(), top);
    cmdReDisp->move(cmdMapOut->x(), top);
    cmdReDisp->setVisible(true);
    resize(width(), twipsToPixelsY(heightTwips - TitleBarHeight));
}

void frmStatisticsMap::chkObjMove_Click()
{
    using namespace veltra;
    if (chkObjMove->isChecked()) {
        if (chkDataSansho->isChecked()) {
            chkDataSansho->setChecked(false);
            chkDataSansho_Click();
        }
        statwindow::startStatisticsMouseMode(ModeMoveStatElements);
        gintPsyMoveState = 1;
    } else {
        // Mode 80 stays current with sub-type -1, which ignores clicks.
        shell::changeMode(ModeMoveStatElements, -1, shell::noParameterText());
        gintPsyMoveState = 0;
        if (gobjZor)
            gobjZor->setMouseEventMode(0);
    }
}

void frmStatisticsMap::chkDataSansho_Click()
{
    using namespace veltra;
    if (chkDataSansho->isChecked()) {
        if (chkObjMove->isChecked()) {
            chkObjMove->setChecked(false);
            chkObjMove_Click();
        }
        // The running mode gets no leave; the move mode was ended above.
        statwindow::startStatisticsMouseMode(ModeStatElementSanshou, statwindow::RunningMode::Abandon);
    } else {
        ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYDataSanshou"));
    }
}

void frmStatisticsMap::cmdReSize_Click()
{
    auto *dialog = veltra::ui::form<frmPSYReSize>(static_cast<QWidget *>(gfrmMain));
    dialog->show();
    dialog->raise();
}
