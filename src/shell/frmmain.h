#pragma once
// frmMain: the main frame. A QMainWindow whose document area (a QMdiArea)
// holds the map windows, with the menus above and the status bar below.
//
// Start-up creates it once (gfrmMain) and calls MDIForm_Load, which sets the
// caption (title, two spaces, version), reads the window settings, puts the
// string-table captions in, places the frame and opens a document named on
// the command line. LoadNewDoc opens gstrDocPath in a new map window, made
// through the factory the map window subsystem registers; once its engine
// runs, the map menus are enabled, the document's saved views are loaded,
// its view date applied and the view jumped to.
//
// Closing the frame, by the exit command or its close box, unloads the map
// windows first (each saves its view and the settings), then stores the
// frame's state and menu checks in [MNUINFO] and unloads every other window.
//
// Where the rest of the frame plugs in: createMenus() (frmmain_menus.cpp)
// builds the menu bar and the status bar; MP_OpeMode and SetMenuEnabled
// (frmmain_layout.cpp) lay the frame out and switch the map commands;
// fncSeveAreaJump and ReopenDocument (frmmain_navigation.cpp) move between
// saved views.
#include "shell/frameview.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace veltra::shell {
class CoolBar;
enum class FramePane;
} // namespace veltra::shell

namespace veltra::shell {

// The frame's caption: the title, two spaces, "v", major, ".", then minor and
// revision with nothing between them ("Veltra  v1.25" for 1, 2, 5).
QString frameCaption(const QString &title, int major, int minor, int revision);
// The program's version numbers (major, minor, revision) from the
// application version "major.minor.revision"; missing parts are 0.
void programVersion(int &major, int &minor, int &revision);

} // namespace veltra::shell

class frmMain : public QMainWindow, public veltra::shell::FrameView
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // ---- what the map window asks of the frame (frameview.h)
    void showScale(double scale) override;
    bool scaleBarChecked() const override;
    bool legendChecked() const override;
    bool overviewChecked() const override;
    void setOverviewChecked(bool checked) override;
    void pressToolButton(const QString &name) override;
    void loadNewDocument(int mode) override;
    void jumpToSavedArea(int slot) override;

    // ---- events of the frame
    // `commandLine`: the program's command line after the options, taken
    // whole as one document path; empty for none.
    void MDIForm_Load(const QString &commandLine = QString());
    void MDIForm_Resize();
    void MDIForm_Activate();
    void MDIForm_QueryUnload();
    void MDIForm_Unload();

    // ---- documents and views
    // Opens gstrDocPath in a new map window; nOpt 0 jumps to view 0, 1 to
    // home 1, anything else makes no jump.
    void LoadNewDoc(std::int16_t nOpt);
    // Jumps to saved view iNo (0 to 4) of gtypWinInfo; false for another iNo.
    bool fncSeveAreaJump(std::int16_t iNo);
    // Closes the current map window and opens its document again at view 0.
    void ReopenDocument();
    // Copies the frame's state and view-menu checks into gtypWinInfo and saves it.
    void SaveWindowInfo();

    // ---- layout and enabling
    void MP_OpeMode(std::int16_t &bPro);
    void SetMenuEnabled(bool bFlg);

    // ---- menu commands
    void mnuFileSave_Click();
    void mnuFileExit_Click();
    void mnuPrevPosMapDraw_Click();
    void mnuInitPosMapDraw_Click();
    // Printing (frmmain_print.cpp): the map through the engine, the screen as
    // the frame's picture once Timer1 (1000 ms, once) has let the menu close
    // and the map finish drawing.
    void mnuPrintMap_Click();
    void mnuPrintScreen_Click();
    void Timer1_Timer();
    QTimer *Timer1 = nullptr;

    // ---- status bar (panels counted from 1)
    bool setStatusPanelText(int index, const QString &text);
    QString statusPanelText(int index) const;
    QLabel *statusPanel(int index) const;

    // The picture of the last statistics map's legend, taken when the legend
    // was shown; empty until then. The spreadsheet export pastes it.
    QPixmap picHanrei;

    QMdiArea *mdiArea() const { return m_mdi; }
    // Whether the frame was placed maximised by its stored settings.

    // ---- menus (named as the design names them)
    QMenu *mnuFile = nullptr;
    QMenu *mnuFileOpen = nullptr;
    QAction *mnuPrevPosMapDraw = nullptr;
    QAction *mnuInitPosMapDraw = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileClose = nullptr;
    QMenu *mnuElmFileH = nullptr;
    QMenu *mnuFilePrint = nullptr;
    QAction *mnuPrintMap = nullptr;
    QAction *mnuPrintScreen = nullptr;
    QAction *mnuPrintExcel = nullptr;
    QAction *mnuTmpDownLoad = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuView = nullptr;
    QAction *mnuExtNotes = nullptr;
    QAction *mnuDirection = nullptr;
    QAction *mnuAllAreaMap = nullptr;
    QAction *mnuScale = nullptr;
    QMenu *mnuViewToolBar = nullptr;
    QAction *mnuViewStatusBar = nullptr;

    // ---- menu bar, tool bars, scale box, layouts and status bar
    // (frmmain_menus.cpp, frmmain_commands.cpp, frmmain_toolbars.cpp,
    // frmmain_layout.cpp, frmmain_statusbar.cpp)
    QAction *menuItem(const QString &name) const; // any item or submenu, by control name
    QMenu *menuOf(const QString &name) const; // a heading or submenu, by control name
    QAction *toolButton(const QString &key) const; // a tool-bar button, by key ("TB_OPEN")
    void mnuExtNotes_Click();
    void mnuDirection_Click();
    void mnuAllAreaMap_Click();
    void mnuScale_Click();
    void mnuRastaH_Click();
    void mnuOptionMainViewP_Click();
    void mnuOptionMainViewB_Click();
    void mnuStoryStart_Click();
    void mnuStoryEnd_Click();
    void mnuTTouikeiShow_Click();
    void mnuPtAdd_Click();
    void mnuHp1_Click();
    void mnuHp9_Click();
    void mnuImp_Click();
    void mnuVeltraHelp_Click();
    void EditListBarGroups();
    bool ChangeCommand2ItemNo(std::int16_t iItemNo);
    bool PSY_ChangeCommand2ItemNo(std::int16_t iItemNo, const QString &sOpt);
    void Toolbar1_ButtonClick(const QString &key);
    void Toolbar2_ButtonClick(int index);
    void Toolbar3_ButtonClick(const QString &key);
    void Combo1_Click();
    void Combo1_KeyUp(int keyCode);
    void Combo1_LostFocus();
    void SetToolBarCaptions();
    void SetToolBarIcons(std::int16_t keep);
    void FillScaleList();
    // One zoom step in or out around the view centre.
    void ZoomStep(bool zoomIn);
    void sbStatusBar_PanelClick(int panel);
    // A pane of the frame, made on first use.
    QWidget *pane(veltra::shell::FramePane which);
    QWidget *loadedPane(veltra::shell::FramePane which) const;
    // The document-area window that holds the current map window, or none.
    QMdiSubWindow *mapSubWindow() const;
    // The document area's inner size, in pixels (SW, SH).
    QSize innerSize() const;

    veltra::shell::CoolBar *CoolBar1 = nullptr;
    QToolBar *Toolbar1 = nullptr; // standard
    QToolBar *Toolbar2 = nullptr; // homes
    QToolBar *Toolbar3 = nullptr; // extension
    QComboBox *Combo1 = nullptr; // scale box

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void PrintMap();
    void PrintScreen();
    void createToolBars();
    void registerFrameActions();
    // After a document opened: the display toggles follow the stored
    // settings at the first opening and the current checks afterwards.
    void applyDisplayToggles();
    // After a document opened: TB_NORMAL pressed and the normal tool on.
    void selectNormalTool();
    QPointer<QWidget> &paneSlot(veltra::shell::FramePane which);
    void placePane(QWidget *pane, const QRect &rect);
    std::map<QString, QAction *> m_menuItems;
    std::map<QString, QMenu *> m_menus;
    std::map<QString, QAction *> m_buttons;
    std::vector<QAction *> m_proOnly;
    std::vector<QAction *> m_mapButtons;
    QPointer<QWidget> m_listBar;
    QPointer<QWidget> m_storyPlayer;
    QPointer<QWidget> m_opeRoom;
    bool m_displayTogglesSet = false;

    void createMenus();
    void createStatusBar();
    void placeFromSettings();
    // Menus and tools that need an open map (switched by SetMenuEnabled).
    std::vector<QAction *> m_mapDependent;

    QMdiArea *m_mdi = nullptr;
    std::vector<QLabel *> m_panels; // status-bar panels 1..8 at 0..7
    bool m_unloaded = false;
};
