#include "shell/mdlsave.h"

#include "platform/profile/profile.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "shell/globals.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <vector>

namespace {

const QString kMenuInfo = QStringLiteral("MNUINFO");

// The ten switches in their stored order, with their defaults.
struct Switch
{
    const char *key;
    std::int16_t WindowInfo::*field;
    int def;
};
const Switch kSwitches[] = {
    {"stsBar", &WindowInfo::stsBar, 1},
    {"toolBar", &WindowInfo::toolBar, 1},
    {"toolBarSize", &WindowInfo::toolBarSize, 1},
    {"toolBarMoji", &WindowInfo::toolBarMoji, 1},
    {"listBarIndex", &WindowInfo::listBarIndex, 1},
    {"ListBarPos", &WindowInfo::ListBarPos, 1},
    {"dispLegend", &WindowInfo::dispLegend, 0},
    {"dispDirction", &WindowInfo::dispDirction, 0},
    {"dispAllAreaView", &WindowInfo::dispAllAreaView, 0},
    {"dispScale", &WindowInfo::dispScale, 0},
};

struct ViewKey
{
    const char *key;
    std::int32_t HomePosition::*field;
};
const ViewKey kViewKeys[] = {
    {"scale", &HomePosition::scale},
    {"drawCenterX", &HomePosition::drawCenterX},
    {"drawCenterY", &HomePosition::drawCenterY},
    {"rotateAngle", &HomePosition::rotateAngle},
};

QString viewSection(int slot)
{
    return QStringLiteral("ZORPAK_MAP%1_SAVE").arg(slot);
}

int readInt(const QString &section, const char *key, int def, const QString &path)
{
    return veltra::profile::getInt(section, QString::fromLatin1(key), def, path);
}

void addNumber(
    std::vector<veltra::profile::KeyWrite> &writes, const QString &section, const char *key, qint64 value)
{
    writes.push_back({section, QString::fromLatin1(key), QString::number(value)});
}

// The keys of one file in a single write; remembers the first failure.
void writeAll(
    const std::vector<veltra::profile::KeyWrite> &writes, const QString &path, bool &ok, QString *error)
{
    QString why;
    if (!veltra::profile::writeStrings(writes, path, &why)) {
        if (ok && error)
            *error = why;
        ok = false;
    }
}

} // namespace

namespace veltra::shell {

ScreenTwips primaryScreenTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->size();
    return {static_cast<std::int32_t>(vb::roundHalfEven(ui::pixelsToTwipsX(size.width()))),
        static_cast<std::int32_t>(vb::roundHalfEven(ui::pixelsToTwipsY(size.height())))};
}

} // namespace veltra::shell

namespace mdlSave {

void LoadSettings(WindowInfo &info, const veltra::shell::ScreenTwips &screen)
{
    info.State = readInt(kMenuInfo, "State", 2, gstrIniPath);
    info.Top = readInt(kMenuInfo, "Top", 0, gstrIniPath);
    info.Left = readInt(kMenuInfo, "Left", 0, gstrIniPath);
    info.Width = readInt(kMenuInfo, "Width", 0, gstrIniPath);
    info.Height = readInt(kMenuInfo, "Height", 0, gstrIniPath);

    if (info.Top < 0)
        info.Top = 0;
    if (info.Left < 0)
        info.Left = 0;
    if (info.Width == 0 || info.Height == 0)
        info.State = 2;
    if (screen.width < info.Width)
        info.Width = screen.width;
    if (screen.height < info.Height)
        info.Height = screen.height;
    // Half the window's own size, not a centring on the screen.
    if (static_cast<qint64>(info.Left) + info.Width > screen.width)
        info.Left = static_cast<std::int32_t>(veltra::vb::roundHalfEven(info.Width / 2.0));
    if (static_cast<qint64>(info.Top) + info.Height > screen.height)
        info.Top = static_cast<std::int32_t>(veltra::vb::roundHalfEven(info.Height / 2.0));

    for (const Switch &s : kSwitches)
        info.*s.field = static_cast<std::int16_t>(readInt(kMenuInfo, s.key, s.def, gstrIniPath));
}

void LoadSettings(WindowInfo &info)
{
    LoadSettings(info, veltra::shell::primaryScreenTwips());
}

void LoadHomeViews(WindowInfo &info)
{
    for (int slot = 0; slot <= 3; ++slot) {
        for (const ViewKey &k : kViewKeys)
            info.Home[slot].*k.field = readInt(viewSection(slot), k.key, 0, gstrDocIniPath);
    }
}

bool SaveSettings(WindowInfo &info, QString *error)
{
    bool ok = true;
    std::vector<veltra::profile::KeyWrite> frame;
    if (info.State != 1) {
        addNumber(frame, kMenuInfo, "State", info.State);
        addNumber(frame, kMenuInfo, "Top", info.Top);
        addNumber(frame, kMenuInfo, "Left", info.Left);
        addNumber(frame, kMenuInfo, "Width", info.Width);
        addNumber(frame, kMenuInfo, "Height", info.Height);
    }
    for (const Switch &s : kSwitches)
        addNumber(frame, kMenuInfo, s.key, info.*s.field);
    writeAll(frame, gstrIniPath, ok, error);
    // Without an open document there is no settings file for the views; an
    // empty path must not turn into a file in the current folder.
    if (gstrDocIniPath.isEmpty())
        return ok;
    std::vector<veltra::profile::KeyWrite> views;
    for (int slot = 0; slot <= 3; ++slot) {
        for (const ViewKey &k : kViewKeys)
            addNumber(views, viewSection(slot), k.key, info.Home[slot].*k.field);
    }
    writeAll(views, gstrDocIniPath, ok, error);
    return ok;
}

} // namespace mdlSave
