#include "mapwindow/frmzorvik.h"

#include "mapwindow/centreplacename.h"
#include "mapwindow/compasswidget.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapwindowcontrols.h"
#include "mapwindow/measurepanel.h"
#include "mapwindow/meshdownload.h"
#include "mapwindow/scalebar.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/dates.h"
#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/mdlmain_settings.h"
#include "shell/mdlsave.h"
#include "shell/mdlspcom.h"
#include "shell/moderegistry.h"
#include "shell/operationroom.h"
#include "shell/savefailures.h"
#include "shell/statisticsservices.h"
#include "statdata/meshdatabase.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QMdiSubWindow>
#include <QToolButton>

using namespace veltra;

namespace {

// Hourglass while the engine works; restored however the block ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The document on the second line, then why the engine could not open it
// (without its first line when that names the document again).
QString initFailureMessage(const QString &path, const QString &engineError)
{
    QStringList why = engineError.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!why.isEmpty() && why.front().endsWith(QStringLiteral(": ") + path))
        why.removeFirst();
    why.prepend(path);
    why.prepend(QStringLiteral("地図の初期化に失敗しました。"));
    return why.join(QLatin1Char('\n'));
}

// The base date "YYYYMMDD" as the text "YYYY/MM/DD…" the date test reads.
QString baseDateText(const QString &yyyymmdd)
{
    return yyyymmdd.left(4) + QLatin1Char('/') + yyyymmdd.mid(4, 2) + QLatin1Char('/') + yyyymmdd.mid(6);
}

} // namespace

frmZorvik::frmZorvik(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    // The engine control first: the pan buttons and overlays made after it
    // (connectEngineEvents) lie above the map.
    Zorvik1 = new zorvik::Zorvik(this);
    Zorvik1->setObjectName(QStringLiteral("Zorvik1"));
    connectEngineEvents();
}

frmZorvik::~frmZorvik()
{
    // A window deleted without closing (the frame torn down) must not leave
    // the shared engine pointer dangling.
    if (isCurrent()) {
        gobjZor = nullptr;
        gfrmZorvik = nullptr;
        gintMapInit = 0;
    }
}

bool frmZorvik::isCurrent() const
{
    return gfrmZorvik == static_cast<const veltra::shell::MapWindowHost *>(this);
}

frmZorvik *currentMapWindow()
{
    return dynamic_cast<frmZorvik *>(gfrmZorvik);
}

void frmZorvik::load(const QString &caption)
{
    setWindowTitle(caption);
    Form_Load();
}

void frmZorvik::Form_Load()
{
    if (isCurrent())
        gobjZor = Zorvik1;
    {
        WaitCursor wait;
        StartEngine();
    }
}

void frmZorvik::StartEngine()
{
    Zorvik1->setDocumentPath(gstrDocPath);
    const zorvik::Result result = Zorvik1->InitializeMap(0);
    if (result == 0) {
        m_mapInit = true;
        if (isCurrent())
            gintMapInit = 1;
    }
    Zorvik1->InitDisplay();
    Zorvik1->ShowAll();
    Zorvik1->setInteractiveMode(1);

    const auto baseDate = vb::parseDateText(baseDateText(Zorvik1->BaseDate()));
    // A document the engine could not open is reported too, whatever its
    // base date says: the user would otherwise face an empty window.
    if (!baseDate || result != 0) {
        ui::MsgBox(
            initFailureMessage(Zorvik1->DocumentPath(), Zorvik1->lastError()), ui::vbExclamation, gstrTitle);
        return;
    }
    gdtBaseDate = baseDate->date();
    SetViewDate();
    QString attach;
    mdlSpCom::GetIniValue(
        QStringLiteral("ZorSYSEX"), QStringLiteral("AttachFilePath"), attach, Zorvik1->DocumentPath());
    gstrAttachPath = mdlCommon::AddPathSep(attach);
    mdlMain::ReadViewSettings(*Zorvik1);
    for (const auto &hook : veltra::mapwindow::engineStartHooks()) {
        if (hook)
            hook(*this);
    }
}

void frmZorvik::Form_Activate()
{
    // Fitting the window into the frame again after a rearrangement belongs
    // to the window arrangement of the frame.
}

bool frmZorvik::saveWithRetry()
{
    for (;;) {
        const zorvik::Result result = Zorvik1->SaveMap();
        if (result == 0)
            return true;
        const int answer = ui::MsgBox(veltra::shell::mapSaveFailureMessage(result, Zorvik1->lastError())
                + QStringLiteral("\n再試行しますか？"),
            ui::vbRetryCancel | ui::vbExclamation, gstrTitle);
        if (answer != ui::vbRetry)
            return false;
    }
}

void frmZorvik::Form_Unload()
{
    const bool current = isCurrent();
    if (m_mapInit && !m_closeDone) {
        m_closeDone = true;
        m_mapInit = false;
        if (current)
            gintMapInit = 0;
        veltra::shell::clearStatisticsMapQuiet(Zorvik1);
        if (Zorvik1->CanRedo() != 0 || Zorvik1->CanUndo() != 0) {
            const int answer
                = ui::MsgBox(QStringLiteral("保存されていないデータがあります。\n保存しますか？"),
                    ui::vbYesNo | ui::vbQuestion, gstrTitle);
            if (answer == ui::vbYes)
                saveWithRetry();
        }
        // The saved views belong to the current document's settings file:
        // another window's view must not overwrite them.
        if (current) {
            HomePosition &home = gtypWinInfo.Home[0];
            home.scale = static_cast<std::int32_t>(vb::roundHalfEven(Zorvik1->Scale()));
            home.drawCenterX = Zorvik1->CenterX();
            home.drawCenterY = Zorvik1->CenterY();
            home.rotateAngle = static_cast<std::int32_t>(vb::roundHalfEven(Zorvik1->Angle()));
            QString error;
            if (!mdlSave::SaveSettings(gtypWinInfo, &error))
                veltra::shell::reportSettingsWriteFailure(error);
        }
        WaitCursor wait;
        Zorvik1->CloseMap();
    }
    if (current) {
        ui::WindowRegistry::instance().unload(QStringLiteral("frmExpNotes"));
        gintMapInit = 0;
        gobjZor = nullptr;
        gfrmZorvik = nullptr;
    }
}

void frmZorvik::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
    // The frame's document area holds the window in a frame of its own,
    // which goes with it.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->deleteLater();
}

void frmZorvik::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

bool frmZorvik::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmZorvik::Form_Resize()
{
    if (m_controls)
        m_controls->layOut();
}

void frmZorvik::connectEngineEvents()
{
    // The pan buttons and overlays come after the engine control, so they
    // lie above the map; the bridge connects the engine's events.
    m_controls = new veltra::mapwindow::MapWindowControls(this, Zorvik1, this);
}

double frmZorvik::panButtonWidth() const
{
    if (!m_controls)
        return 360.0; // Command4(0) as designed
    return ui::pixelsToTwips(m_controls->Command4[0]->width(), logicalDpiX());
}

bool frmZorvik::measuringPanelShown() const
{
    // The panel's own Visible, whether or not the window is on screen.
    return m_controls && m_controls->Picture1 && m_controls->Picture1->isVisibleTo(this);
}

void frmZorvik::openCalcWindow(std::int16_t mode)
{
    m_controls->Picture1->openCalcWindow(mode);
}

void frmZorvik::ViewCalcDistance(double dDistance)
{
    m_controls->Picture1->ViewCalcDistance(dDistance);
}

void frmZorvik::closeCalcWindow()
{
    m_controls->Picture1->closeCalcWindow();
}

void frmZorvik::CompassDrawData(double angle)
{
    m_controls->Picture5->CompassDrawData(angle);
}

void frmZorvik::MP_GetCenterPlaceName()
{
    // The place name goes to the operation room's place label; nothing when
    // a tool owns the engine's search settings.
    const auto name = veltra::mapwindow::centrePlaceName(
        *Zorvik1, veltra::statdata::MeshDatabase::shared(), gstrDispLevel1);
    if (name)
        veltra::shell::setOpeRoomPlaceName(*name);
}

namespace veltra::mapwindow {

std::vector<EngineStartHook> &engineStartHooks()
{
    static std::vector<EngineStartHook> hooks;
    return hooks;
}

void registerMapWindow()
{
    veltra::shell::setMapWindowFactory([](QWidget *parent) { return new frmZorvik(parent); });
    // The frame's base-map mesh commands and the mesh import removal window.
    registerMeshCommands();
    // The frame's view menus show and hide the current window's overlays.
    auto &windows = veltra::shell::modeRegistry().viewWindows();
    windows.setCompassVisible = [](bool shown) {
        if (frmZorvik *w = currentMapWindow())
            w->controls()->setCompassVisible(shown);
    };
    windows.setScaleBarVisible = [](bool shown) {
        if (frmZorvik *w = currentMapWindow())
            w->controls()->setScaleBarVisible(shown);
    };
}

} // namespace veltra::mapwindow
