#pragma once
// A main frame for widget tests: the frame with its menus, tool bars and
// status bar, localised and laid out in a temporary program folder, and a
// stand-in map window whose engine (a real Zorvik control without a
// document) starts at once, so that the map commands can run.
#include "shell/frmmain.h"
#include "shell/mapwindowhost.h"
#include "runstateguard.h"
#include "testsupport.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace zorvik {
class Zorvik;
}

namespace veltra::test {

class StandInMapWindow : public QWidget, public veltra::shell::MapWindowHost
{
public:
    explicit StandInMapWindow(QWidget *parent = nullptr);
    ~StandInMapWindow() override;
    QWidget *widget() override { return this; }
    void load(const QString &caption) override;
    zorvik::Zorvik *engine() override { return m_engine; }
    bool mapStarted() const override { return m_started; }
    void SetViewDate() override { }
    void MP_GetCenterPlaceName() override { }
    double panButtonWidth() const override { return 360; }
    bool measuringPanelShown() const override { return measuring; }

    static inline bool startSucceeds = true;
    bool measuring = false; // the measuring panel a test shows

private:
    zorvik::Zorvik *m_engine;
    bool m_started = false;
};

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens a document in a stand-in map window (the engine starts).
    void openDocument();

    TempDir dir;
    // After the folder, so that the reset at the end runs while it is there.
    RunStateGuard runState;
    frmMain *frame = nullptr;
};

} // namespace veltra::test
