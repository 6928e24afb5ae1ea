#pragma once
// What every window of the program shares, set once at start-up before the
// first window or message box: Qt's own texts and formats in Japanese (the
// buttons of message boxes, the file and colour dialogs, the calendar of the
// date pickers) and the program's icon on every top-level window.
#include <QIcon>

namespace veltra::app {

// Installs Qt's Japanese translations from Qt's translations folder into the
// application and makes Japanese (Japan) the default locale, which the
// calendar and date widgets take their month and day names from. Returns
// false when no translation file could be loaded (the locale is set anyway).
// Call it once; the translators belong to the application object.
bool installJapaneseTranslations();

// The program's icon (icons/veltra.svg) drawn at the usual icon sizes.
QIcon programIcon();

// Both of the above, with the icon as the application's window icon, which
// every top-level window without an icon of its own shows.
void setUpUserInterface();

} // namespace veltra::app
