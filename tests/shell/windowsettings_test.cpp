// The window record: [MNUINFO], the saved views of each document, the
// geometry corrections and the frame's capture at exit.
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "shell/framestate.h"
#include "shell/globals.h"
#include "shell/mdlsave.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using veltra::shell::ScreenTwips;
using veltra::test::readBytes;
using veltra::test::TempDir;

const ScreenTwips kScreen{15360, 11520}; // 1024 x 768 px at 96 dpi

class WindowSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        gstrIniPath = dir.path() + "ZORPAK.INI";
        gstrDocIniPath = dir.path() + "Veltra.INI";
        gtypWinInfo = WindowInfo{};
    }
    void TearDown() override
    {
        gstrIniPath.clear();
        gstrDocIniPath.clear();
    }
    void writeMenuInfo(const QStringList &keys)
    {
        ASSERT_TRUE(veltra::text::writeLines(gstrIniPath, QStringList{"[MNUINFO]"} + keys));
        veltra::profile::clearCache();
    }

    TempDir dir;
};

TEST_F(WindowSettings, DefaultsWithoutASection)
{
    WindowInfo info;
    info.Home[1] = {5000, 1, 2, 3};
    mdlSave::LoadSettings(info, kScreen);
    EXPECT_EQ(info.State, 2);
    EXPECT_EQ(info.Top, 0);
    EXPECT_EQ(info.Left, 0);
    EXPECT_EQ(info.Width, 0);
    EXPECT_EQ(info.Height, 0);
    for (std::int16_t v :
        {info.stsBar, info.toolBar, info.toolBarSize, info.toolBarMoji, info.listBarIndex, info.ListBarPos})
        EXPECT_EQ(v, 1);
    for (std::int16_t v : {info.dispLegend, info.dispDirction, info.dispAllAreaView, info.dispScale})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(info.Home[1], (HomePosition{5000, 1, 2, 3})); // homes are not loaded here
}

TEST_F(WindowSettings, GeometryCorrections)
{
    struct Case
    {
        const char *name;
        QStringList stored;
        std::int32_t state, top, left, width, height;
    };
    const Case cases[] = {
        {"fits", {"State=0", "Top=100", "Left=200", "Width=8000", "Height=6000"}, 0, 100, 200, 8000, 6000},
        {"overflow right", {"State=0", "Top=0", "Left=20000", "Width=8000", "Height=6000"}, 0, 0, 4000, 8000,
            6000},
        {"zero width opens maximised", {"State=0", "Width=0", "Height=6000"}, 2, 0, 0, 0, 6000},
        {"zero height opens maximised", {"State=1", "Width=500", "Height=0"}, 2, 0, 0, 500, 0},
        {"negative edges", {"State=0", "Top=-300", "Left=-1", "Width=800", "Height=600"}, 0, 0, 0, 800, 600},
        {"larger than the screen", {"State=0", "Top=0", "Left=0", "Width=20000", "Height=12000"}, 0, 0, 0,
            15360, 11520},
        {"clamped then moved", {"State=0", "Top=50", "Left=10", "Width=20000", "Height=500"}, 0, 50, 7680,
            15360, 500},
        {"half to even down", {"State=0", "Top=9000", "Left=0", "Width=100", "Height=4001"}, 0, 2000, 0, 100,
            4001},
        {"half to even up", {"State=0", "Top=9000", "Left=0", "Width=100", "Height=4003"}, 0, 2002, 0, 100,
            4003},
        {"texts read as leading numbers", {"State=0x", "Top=12abc", "Left=abc", "Width= 700", "Height=600"},
            0, 12, 0, 700, 600},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeMenuInfo(c.stored);
        WindowInfo info;
        mdlSave::LoadSettings(info, kScreen);
        EXPECT_EQ(info.State, c.state);
        EXPECT_EQ(info.Top, c.top);
        EXPECT_EQ(info.Left, c.left);
        EXPECT_EQ(info.Width, c.width);
        EXPECT_EQ(info.Height, c.height);
    }
}

WindowInfo sampleRecord()
{
    WindowInfo info;
    info.State = 0;
    info.Top = 300;
    info.Left = 450;
    info.Width = 12000;
    info.Height = 9000;
    info.stsBar = 0;
    info.toolBar = 1;
    info.toolBarSize = 2;
    info.toolBarMoji = 0;
    info.listBarIndex = 3;
    info.ListBarPos = 4;
    info.dispLegend = 1;
    info.dispDirction = 0;
    info.dispAllAreaView = 1;
    info.dispScale = 1;
    info.Home[0] = {25000, 5040000, 4204800, 0};
    info.Home[1] = {100000, -12, 34, 359};
    info.Home[3] = {1600, 1, 2, -90};
    return info;
}

TEST_F(WindowSettings, RecordRoundTripsThroughTheFiles)
{
    WindowInfo saved = sampleRecord();
    saved.Home[4] = {9, 9, 9, 9}; // never stored
    ASSERT_TRUE(mdlSave::SaveSettings(saved));

    WindowInfo loaded;
    mdlSave::LoadSettings(loaded, kScreen);
    mdlSave::LoadHomeViews(loaded);
    WindowInfo expected = sampleRecord();
    EXPECT_EQ(loaded, expected);

    // Stored as decimal texts in CP932 with CR LF.
    const QByteArray ini = readBytes(gstrIniPath);
    EXPECT_TRUE(ini.startsWith("[MNUINFO]\r\nState=0\r\nTop=300\r\n"));
    EXPECT_TRUE(ini.contains("\r\ndispScale=1\r\n"));
    const QByteArray doc = readBytes(gstrDocIniPath);
    EXPECT_TRUE(doc.contains("[ZORPAK_MAP1_SAVE]\r\nscale=100000\r\ndrawCenterX=-12\r\n"));
    EXPECT_FALSE(doc.contains("ZORPAK_MAP4_SAVE"));
}

TEST_F(WindowSettings, MinimisedFrameKeepsTheStoredGeometry)
{
    WindowInfo first = sampleRecord();
    ASSERT_TRUE(mdlSave::SaveSettings(first));
    WindowInfo minimised = sampleRecord();
    minimised.State = 1;
    minimised.Top = minimised.Left = minimised.Width = minimised.Height = 1;
    minimised.dispLegend = 0;
    ASSERT_TRUE(mdlSave::SaveSettings(minimised));

    WindowInfo loaded;
    mdlSave::LoadSettings(loaded, kScreen);
    EXPECT_EQ(loaded.State, 0);
    EXPECT_EQ(loaded.Top, 300);
    EXPECT_EQ(loaded.Width, 12000);
    EXPECT_EQ(loaded.dispLegend, 0); // the switches are saved all the same
}

TEST_F(WindowSettings, EachDocumentKeepsItsOwnHomes)
{
    WindowInfo info = sampleRecord();
    gstrDocIniPath = dir.path() + "Tokyo.INI";
    ASSERT_TRUE(mdlSave::SaveSettings(info));

    gstrDocIniPath = dir.path() + "Osaka.INI";
    WindowInfo other = sampleRecord();
    mdlSave::LoadHomeViews(other);
    for (int slot = 0; slot <= 3; ++slot)
        EXPECT_EQ(other.Home[slot], HomePosition{}) << slot;

    gstrDocIniPath = dir.path() + "Tokyo.INI";
    mdlSave::LoadHomeViews(other);
    EXPECT_EQ(other.Home, sampleRecord().Home);
}

TEST_F(WindowSettings, SaveIntoAnUnwritablePlaceReportsFailure)
{
    veltra::test::writeBytes(dir.path() + "blocker", "not a folder");
    gstrIniPath = dir.path() + "blocker/ZORPAK.INI";
    WindowInfo info = sampleRecord();
    QString error;
    EXPECT_FALSE(mdlSave::SaveSettings(info, &error));
    EXPECT_FALSE(error.isEmpty());
    // The document's views are still written.
    WindowInfo loaded;
    mdlSave::LoadHomeViews(loaded);
    EXPECT_EQ(loaded.Home, info.Home);
}

TEST_F(WindowSettings, FrameStateIsCapturedAndSaved)
{
    veltra::shell::FrameState frame;
    frame.windowState = 0;
    frame.top = 100.5;
    frame.left = 101.5;
    frame.width = 9000.4;
    frame.height = 7000.6;
    frame.statusBarChecked = true;
    frame.legendChecked = true;
    frame.scaleChecked = true;
    gtypWinInfo = sampleRecord();
    ASSERT_TRUE(veltra::shell::saveWindowInfo(frame));
    EXPECT_EQ(gtypWinInfo.Top, 100);
    EXPECT_EQ(gtypWinInfo.Left, 102);
    EXPECT_EQ(gtypWinInfo.Width, 9000);
    EXPECT_EQ(gtypWinInfo.Height, 7001);
    EXPECT_EQ(gtypWinInfo.stsBar, 1);
    EXPECT_EQ(gtypWinInfo.toolBar, 0);
    EXPECT_EQ(gtypWinInfo.dispLegend, 1);
    EXPECT_EQ(gtypWinInfo.dispDirction, 0);
    EXPECT_EQ(gtypWinInfo.dispAllAreaView, 0);
    EXPECT_EQ(gtypWinInfo.dispScale, 1);
    EXPECT_EQ(gtypWinInfo.toolBarSize, 2); // carried unchanged

    WindowInfo loaded;
    mdlSave::LoadSettings(loaded, kScreen);
    mdlSave::LoadHomeViews(loaded);
    EXPECT_EQ(loaded, gtypWinInfo);
}

TEST(ScreenSize, PrimaryScreenInTwips)
{
    const ScreenTwips screen = veltra::shell::primaryScreenTwips();
    EXPECT_GT(screen.width, 0);
    EXPECT_GT(screen.height, 0);
}

} // namespace

TEST_F(WindowSettings, WithoutADocumentOnlyTheFrameIsSaved)
{
    gstrDocIniPath.clear();
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    WindowInfo info = sampleRecord();
    QString error;
    EXPECT_TRUE(mdlSave::SaveSettings(info, &error)) << error.toStdString();
    QDir::setCurrent(cwd);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ZORPAK.INI"});
    EXPECT_TRUE(readBytes(gstrIniPath).contains("[MNUINFO]"));
}
