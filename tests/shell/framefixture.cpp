#include "framefixture.h"

#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>

namespace veltra::test {

StandInMapWindow::StandInMapWindow(QWidget *parent)
    : QWidget(parent)
    , m_engine(new zorvik::Zorvik(this))
{
    m_engine->resize(600, 400);
}

StandInMapWindow::~StandInMapWindow()
{
    if (gfrmZorvik == this) {
        gfrmZorvik = nullptr;
        gobjZor = nullptr;
        gintMapInit = 0;
    }
}

void StandInMapWindow::load(const QString &caption)
{
    setWindowTitle(caption);
    if (!startSucceeds)
        return;
    m_started = true;
    gobjZor = m_engine;
    gintMapInit = 1;
}

void FrameTest::SetUp()
{
    gstrIniPath = dir.file(QStringLiteral("ZORPAK.INI"));
    gstrDocPath = dir.file(QStringLiteral("map.zor"));
    StandInMapWindow::startSucceeds = true;
    frame = new frmMain;
    gfrmMain = frame;
    mdlMain::LocalizeForm(*frame);
    frame->resize(1024, 700);
    frame->show();
    frame->SetMenuEnabled(false);
    frame->MP_OpeMode(gbPro);
    frame->SetToolBarIcons(0);
    frame->FillScaleList();
    QApplication::processEvents();
}

void FrameTest::TearDown()
{
    // The frame goes while the program folder is there; the guard resets
    // the rest after the test, however it ended.
    delete frame;
    frame = nullptr;
}

void FrameTest::openDocument()
{
    shell::setMapWindowFactory([](QWidget *parent) { return new StandInMapWindow(parent); });
    frame->LoadNewDoc(2);
    QApplication::processEvents();
    ASSERT_EQ(gintMapInit, 1);
}

} // namespace veltra::test
