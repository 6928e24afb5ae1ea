#pragma once
// Loading and saving the window record (WindowInfo): the frame's state,
// geometry and view-menu checks in ZORPAK.INI [MNUINFO], and the four saved
// map views of the open document in its settings file, sections
// [ZORPAK_MAP0_SAVE] to [ZORPAK_MAP3_SAVE].
//
// Everything is stored in twips, as decimal texts. Loading reads integers
// with the profile rule (a missing key gives its default, a text gives the
// number at its start or 0) and corrects a geometry that does not fit the
// screen. A minimised frame leaves the stored geometry as it was. Home slot 4
// is never stored.
#include "shell/wininfo.h"

#include <QString>
#include <cstdint>

namespace veltra::shell {

// A screen size in twips.
struct ScreenTwips
{
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The primary screen in twips (through its logical dpi, rounded); zero when
// the program has no screen.
ScreenTwips primaryScreenTwips();

} // namespace veltra::shell

namespace mdlSave {

// Fills State to dispScale from [MNUINFO] of gstrIniPath and corrects the
// geometry for the screen. The home slots are untouched.
void LoadSettings(WindowInfo &info, const veltra::shell::ScreenTwips &screen);
void LoadSettings(WindowInfo &info);

// Fills Home(0) to Home(3) from the settings file of the open document
// (gstrDocIniPath).
void LoadHomeViews(WindowInfo &info);

// Writes [MNUINFO] and the four view sections, one write for each file.
// False when a write failed; `error` then names the first failure. The
// caller reports it (savefailures.h).
bool SaveSettings(WindowInfo &info, QString *error = nullptr);

} // namespace mdlSave
