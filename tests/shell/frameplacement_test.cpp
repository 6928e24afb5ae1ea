// The main frame placed from its stored geometry: a place that the stored
// corrections leave partly off the screen is pulled back onto it.
#include "platform/profile/profile.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace veltra;

TEST(FramePlacement, TheStoredPlaceIsPulledOntoTheScreen)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect available = screen->availableGeometry();
    ASSERT_EQ(available, screen->geometry()); // the offscreen screen has no panels
    const int screenW = static_cast<int>(ui::pixelsToTwipsX(available.width()));
    const int screenH = static_cast<int>(ui::pixelsToTwipsY(available.height()));
    struct Case
    {
        const char *name;
        int left, top, width, height; // stored, twips
        QPoint expected; // pixels
    };
    const Case cases[] = {
        {"fits", 1500, 750, 6000, 4500, QPoint(100, 50)},
        // The stored correction moves a frame that reaches past the right
        // edge to half its own width: half of it would hang off the screen.
        {"as wide as the screen", 3000, 750, screenW, 4500, QPoint(0, 50)},
        {"as tall as the screen", 1500, 3000, 6000, screenH, QPoint(100, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        gstrIniPath = dir.file(QStringLiteral("ZORPAK.INI"));
        const QString section = QStringLiteral("MNUINFO");
        for (const auto &[key, value] : {std::pair{"State", 0}, std::pair{"Left", c.left},
                 std::pair{"Top", c.top}, std::pair{"Width", c.width}, std::pair{"Height", c.height}})
            profile::writeString(section, QString::fromLatin1(key), QString::number(value), gstrIniPath);
        ui::DialogScript script;
        auto *frame = new frmMain;
        gfrmMain = frame;
        frame->MDIForm_Load();
        EXPECT_EQ(frame->pos(), c.expected);
        EXPECT_TRUE(available.contains(QRect(frame->pos(), frame->size())));
        ui::WindowRegistry::instance().unload(frame);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gfrmMain = nullptr;
    }
}
