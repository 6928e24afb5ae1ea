#pragma once
// Program-wide state of the application shell.
//
// These are the few globals the whole program shares, named as every
// subsystem that reads them names them (g + type prefix). Values read from
// the configuration stay texts; their users convert them where they need
// numbers. Everything runs on the user-interface thread, so no locking.
// Later subsystems that build on the shell add the globals they own to their
// own globals.h; the ones here are owned (or, for the map engine and the base
// date, written by the map window but read here) by the shell.
#include "shell/wininfo.h"

#include <QDate>
#include <QPointer>
#include <QWidget>
#include <QString>
#include <cstdint>

namespace zorvik {
class Zorvik;
}
namespace veltra::shell {
class MapWindowHost;
}
class frmMain;

// --- Tool modes -------------------------------------------------------------
inline std::int16_t gintModeNo = 0; // current mode code; 0 when no tool runs
inline std::int16_t gintModeSub = 0; // sub-type of the current mode
inline std::int16_t gintStoryStepEnd = 0; // -1: the command of the story step has finished
inline std::int16_t gbPro = 0; // frame layout: -1 pro, anything else beginner
inline std::int16_t gbStoryMode = 0; // -1: the story player holds the left pane; 0 the list bar
inline std::int16_t gintBandResize = 0; // -1 while the tool bars change their heights
inline std::int16_t gintWndRearrange = 0; // 1: a tool window closed, the map window is fitted again
inline QPointer<QWidget> gfrmTool; // the tool window of the running mode, or none (cleared when it is deleted)
inline zorvik::Zorvik *gobjZor = nullptr; // the map engine of the current map window

// --- Main frame and the current map window -----------------------------------
inline frmMain *gfrmMain = nullptr; // the one main frame, from start-up to exit
// The current map window; only it writes gobjZor and gintMapInit.
inline veltra::shell::MapWindowHost *gfrmZorvik = nullptr;
inline std::int16_t gintMapInit = 0; // 1 while the current map window's engine runs
inline std::int16_t gintWaitCancel = 0; // wait dialog: 0 none, 1 requested, 2 confirmed
inline std::int16_t gintTempIPra2 = 188; // third integer attribute of temporary shapes
inline std::int16_t gintSelectZor = 0; // document chooser: -1 chosen, 0 cancelled
inline QString gstrPhotoFile; // picture chosen by the photo attachment command
inline std::int16_t gintPhotoDir = 0; // its direction code (frmDirection2)

// --- Files of the program folder and the document --------------------------
inline QString gstrIniPath; // ZORPAK.INI
inline QString gstrMnuPath; // ZORPAK.MNU
inline QString gstrLstPath; // ZORPAK.LST
inline QString gstrStoryLst; // STORY.LST
inline QString gstrStoryMst; // STORY.MST
inline QString gstrDataPath; // data folder, always ending in a separator
inline QString gstrDocPath; // open map document
inline QString gstrDocIniPath; // per-document settings file

// --- Configuration values (ZORPAK.MNU / ZORPAK.INI) -------------------------
inline QString gstrTitle;
inline QString gstrStoryDownloadSite;
inline QString gstrHpSite;
inline QString gstrHelpSite;
inline QString gstrFaqSite;
inline QString gstrHelpLoc;
inline QString gstrManualLoc;
inline QString gstrUseCount;
inline QString gstrUseUrl;
inline QString gstrUseFlg;
inline QString gstrDebugMode;
inline QString gstrHP1, gstrHP2, gstrHP3, gstrHP4, gstrHP5, gstrHP6, gstrHP7, gstrHP8, gstrHP9;
inline QString gstrLimitPie;
inline QString gstrLimitBar;
inline QString gstrLimitPyramid;
inline QString gstrLimitSymbol;
inline QString gstrDispLevel1; // town-block display level (scale denominator)
inline QString gstrDispLevel2; // prefecture display level
inline QString gstrDispLevel3; // third line of DispLevel.txt, kept but unused

// Download server of the base-map mesh archives. Read from the configuration;
// an empty host or account means no server is configured (see
// veltra::shell::downloadServerConfigured).
struct FtpServerSettings
{
    QString host;
    QString account;
    QString password;
};
inline FtpServerSettings gtypFtp;
inline QString gstrFtpDir; // remote folder of the mesh archives

// --- Window settings and home views ------------------------------------------
inline WindowInfo gtypWinInfo;

// --- View settings set when an engine starts ---------------------------------
inline QDate gdtBaseDate; // base date of the open document (written by the map window)
inline std::int16_t gintPointType = 0;
inline double gdblZoomIn = 0.0;
inline double gdblZoomOut = 0.0;
inline std::int32_t glngEditDate = 0;
inline std::int16_t gintRasterLevel = 0;
inline std::int32_t glngRasterSplitW = 0;
inline std::int32_t glngRasterSplitH = 0;
inline QString gstrSetDateMode;
inline QString gstrSetDate1;
inline QString gstrSetDate2;
inline QString gstrViewDate; // the view day as "YYYYMMDD" (empty: no date restriction)
