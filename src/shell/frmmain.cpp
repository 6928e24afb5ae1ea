#include "shell/frmmain.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "shell/compsy.h"
#include "shell/framestate.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/mdlcommon.h"
#include "shell/mdlmain_settings.h"
#include "shell/mdlmain_ui.h"
#include "shell/mdlsave.h"
#include "shell/savefailures.h"
#include "shell/statisticsservices.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <algorithm>

using namespace veltra;

namespace veltra::shell {

QString frameCaption(const QString &title, int major, int minor, int revision)
{
    return title + QStringLiteral("  v") + QString::number(major) + QLatin1Char('.') + QString::number(minor)
        + QString::number(revision);
}

void programVersion(int &major, int &minor, int &revision)
{
    const QStringList parts = QCoreApplication::applicationVersion().split(QLatin1Char('.'));
    major = parts.size() > 0 ? parts[0].toInt() : 0;
    minor = parts.size() > 1 ? parts[1].toInt() : 0;
    revision = parts.size() > 2 ? parts[2].toInt() : 0;
}

} // namespace veltra::shell

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(m_mdi);
    createMenus();
    createStatusBar();
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    ui::WindowRegistry::instance().add(this);
}

frmMain::~frmMain()
{
    if (gfrmMain == this)
        gfrmMain = nullptr;
}

void frmMain::MDIForm_Load(const QString &commandLine)
{
    int major = 0, minor = 0, revision = 0;
    shell::programVersion(major, minor, revision);
    setWindowTitle(shell::frameCaption(gstrTitle, major, minor, revision));
    mdlSave::LoadSettings(gtypWinInfo);
    mdlMain::LocalizeForm(*this);
    placeFromSettings();
    SetMenuEnabled(false);
    if (!commandLine.isEmpty()) {
        gstrDocPath = mdlCommon::StripQuotes(commandLine);
        const QString folder = mdlCommon::GetFolderPath(gstrDocPath);
        if (!folder.isEmpty())
            QDir::setCurrent(folder);
        LoadNewDoc(0);
    }
    // The list bar at the left (the first layout pass shows it), the tool
    // bars in the small size and the scale list.
    MP_OpeMode(gbPro);
    SetToolBarIcons(0);
    FillScaleList();
    for (int i = 4; i <= 6; ++i) {
        if (QLabel *panel = statusPanel(i)) {
            panel->setEnabled(false);
            panel->setFrameShadow(QFrame::Raised);
        }
    }
}

void frmMain::placeFromSettings()
{
    if (gtypWinInfo.State == 2) {
        // The normal geometry under the maximised state is the screen's, so
        // the frame fills the screen even where nothing manages windows.
        if (QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        setWindowState(Qt::WindowMaximized);
        return;
    }
    setWindowState(Qt::WindowNoState);
    const int width = ui::twipsToPixelsX(gtypWinInfo.Width);
    const int height = ui::twipsToPixelsY(gtypWinInfo.Height);
    // The stored place is corrected against the primary screen's size only;
    // a frame that still reaches off the screens attached now is pulled
    // back onto them.
    const QRect stored(ui::twipsToPixelsX(gtypWinInfo.Left), ui::twipsToPixelsY(gtypWinInfo.Top),
        std::max(width, 0), std::max(height, 0));
    move(ui::pulledOntoScreens(stored, ui::availableScreens()).topLeft());
    if (width > 0 && height > 0)
        resize(width, height);
}

void frmMain::LoadNewDoc(std::int16_t nOpt)
{
    mdlMain::SetDocumentNames();
    // The saved views of this document, whether or not its map starts: the
    // frame writes them back at exit, and must not overwrite them with
    // another document's views or with none.
    mdlSave::LoadHomeViews(gtypWinInfo);
    shell::MapWindowHost *host = shell::createMapWindow(nullptr);
    if (!host)
        return; // no map window subsystem: the frame stays without a map
    QWidget *window = host->widget();
    gfrmZorvik = host;
    QMdiSubWindow *sub = m_mdi->addSubWindow(window, Qt::FramelessWindowHint);
    ui::WindowRegistry::instance().add(window);
    // The window is placed before its engine starts, so that the engine's
    // first whole-map view is computed for the real window size.
    sub->showNormal();
    MP_OpeMode(gbPro);
    host->load(gstrDocPath);
    MP_OpeMode(gbPro);
    if (gintMapInit != 1)
        return; // the map window has reported the failure; the menus stay off
    SetMenuEnabled(true);
    selectNormalTool();
    mdlSave::LoadHomeViews(gtypWinInfo);
    host->SetViewDate();
    if (nOpt == 0)
        fncSeveAreaJump(0);
    else if (nOpt == 1)
        fncSeveAreaJump(1);
    applyDisplayToggles();
}

void frmMain::SaveWindowInfo()
{
    shell::FrameState frame;
    frame.windowState = isMinimized() ? 1 : (isMaximized() ? 2 : 0);
    // Stored as the frame is placed again at the next start: the position of
    // its frame (move) and the size of its window (resize), so that the
    // frame neither creeps nor grows from run to run.
    const QRect g = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
    frame.left = ui::pixelsToTwipsX(g.x());
    frame.top = ui::pixelsToTwipsY(g.y());
    frame.width = ui::pixelsToTwipsX(g.width());
    frame.height = ui::pixelsToTwipsY(g.height());
    frame.statusBarChecked = mnuViewStatusBar && mnuViewStatusBar->isChecked();
    frame.toolBarChecked = mnuViewToolBar && mnuViewToolBar->menuAction()->isChecked();
    frame.legendChecked = mnuExtNotes && mnuExtNotes->isChecked();
    frame.compassChecked = mnuDirection && mnuDirection->isChecked();
    frame.overviewChecked = mnuAllAreaMap && mnuAllAreaMap->isChecked();
    frame.scaleChecked = mnuScale && mnuScale->isChecked();
    QString error;
    if (!shell::saveWindowInfo(frame, &error))
        shell::reportSettingsWriteFailure(error);
}

void frmMain::MDIForm_Resize()
{
    MP_OpeMode(gbPro);
}

void frmMain::MDIForm_Activate() { }

void frmMain::MDIForm_QueryUnload() { }

void frmMain::MDIForm_Unload()
{
    SaveWindowInfo();
    ComPSY::PSY_UnloadFormsExcept(QStringLiteral("frmMain"));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    MDIForm_QueryUnload();
    if (!m_unloaded) {
        m_unloaded = true;
        // The map windows close first, each while it can still reach its
        // engine and the settings.
        m_mdi->closeAllSubWindows();
        MDIForm_Unload();
    }
    event->accept();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        MDIForm_Activate();
}

void frmMain::mnuFileSave_Click()
{
    if (gintMapInit == 0 || !gobjZor)
        return;
    const int answer = ui::MsgBox(QStringLiteral("保存しますか？"), ui::vbYesNo | ui::vbQuestion, gstrTitle);
    if (answer != ui::vbYes)
        return;
    // Statistics maps are temporary: they go only when the map is really saved.
    shell::clearStatisticsMapQuiet(gobjZor);
    const zorvik::Result result = gobjZor->SaveMap();
    if (result == 0) {
        ui::MsgBox(QStringLiteral("保存終了"), ui::vbInformation, gstrTitle);
    } else {
        ui::MsgBox(shell::mapSaveFailureMessage(result, gobjZor->lastError()), ui::vbExclamation, gstrTitle);
    }
}

void frmMain::mnuFileExit_Click()
{
    auto &registry = ui::WindowRegistry::instance();
    shell::unloadLegendForms();
    registry.unload(QStringLiteral("frmStatisticsMap"));
    registry.unload(QStringLiteral("frmPyramid"));
    if (gfrmZorvik)
        registry.unload(gfrmZorvik->widget());
    ComPSY::PSY_UnloadFormsExcept(QStringLiteral("frmMain"));
    registry.unload(this);
}

namespace {

// The position menus: reopen the document and jump, inside the wait dialog.
void reopenAndJump(frmMain &frame, std::int16_t view)
{
    auto *wait = ui::form<frmPSYWait>(&frame);
    wait->show();
    ui::DoEvents();
    frame.ReopenDocument();
    if (gintMapInit == 1) {
        frame.fncSeveAreaJump(view);
        if (gfrmZorvik)
            gfrmZorvik->MP_GetCenterPlaceName();
    }
    ui::WindowRegistry::instance().unload(wait);
}

} // namespace

void frmMain::mnuPrevPosMapDraw_Click()
{
    reopenAndJump(*this, 0);
}

void frmMain::mnuInitPosMapDraw_Click()
{
    reopenAndJump(*this, 1);
}

bool frmMain::setStatusPanelText(int index, const QString &text)
{
    QLabel *panel = statusPanel(index);
    if (!panel)
        return false;
    panel->setText(text);
    return true;
}

QString frmMain::statusPanelText(int index) const
{
    QLabel *panel = statusPanel(index);
    return panel ? panel->text() : QString();
}

QLabel *frmMain::statusPanel(int index) const
{
    if (index < 1 || index > static_cast<int>(m_panels.size()))
        return nullptr;
    return m_panels[index - 1];
}
