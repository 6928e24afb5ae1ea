#pragma once
// The generated default map on the real engine, for tests that draw on it:
// a copy of the default data folder as gstrDataPath, the main frame and the
// engine on the copy's map document, the statistics rendering registered.
// A fixture derives from it and calls the steps it needs from its SetUp
// (each under ASSERT_NO_FATAL_FAILURE), then closeMap() from its TearDown.
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QByteArray>
#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <gtest/gtest.h>
#include <optional>

namespace veltra::test {

class DefaultMapBed : public ::testing::Test
{
protected:
    // TMPDIR pointed at a folder of the test's own, so that the drawing's
    // work files of parallel tests do not meet; put back by closeMap().
    void usePrivateTemp();
    // The shipped program folder (size classes, picture folders); the one
    // before is put back by closeMap().
    void useShippedProgramFolder();
    // Copies the default data into tmp and makes its data folder
    // gstrDataPath.
    void copyDefaultData();
    // Opens the statistics database of gstrDataPath.
    void openStatisticsDatabase();
    // The main frame and the engine (800 by 600) on the copy's Veltra.zor,
    // shown whole, as gfrmMain and gobjZor; registers the statistics
    // rendering.
    void openMap();
    // The shipped [GRAPHLIMIT] of ZORPAK.INI.
    static void useShippedGraphLimits();
    // All of the above: the default map as the shipped program sees it.
    void openShippedDefaultMap();
    // For a look at the map: the frame (1280 by 900) shown with the map
    // maximized in it, titled by its document.
    QMdiSubWindow *showMapInFrame();
    // Keeps the shown windows up that many seconds.
    static void keepShown(int seconds);
    // Takes the map back out of the frame, deletes the windows, the engine
    // and the frame; puts back TMPDIR and the program folder.
    void closeMap();

    RunStateGuard guard; // first: made before any window of the test
    TempDir tmp;
    QPointer<frmMain> frame; // the window registry may delete it with the others
    zorvik::Zorvik *map = nullptr;

private:
    TempDir m_privateTemp;
    std::optional<QByteArray> m_savedTmp; // set when TMPDIR was replaced
    std::optional<QString> m_savedProgramFolder;
    QPointer<QMdiSubWindow> m_shownIn;
};

} // namespace veltra::test
