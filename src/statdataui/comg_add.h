#pragma once
// ComG_add: the door from the main frame to the user-data registration. The
// menu command "登録・削除" opens the registration window frmG_add when no
// other function is running; "入力・修正" opens the folder of spreadsheet input
// forms (<data folder>追加用エクセルファイル) in the desktop's file manager.
//
// Only these windows may be loaded while the registration window is
// requested: the main frame, the list bar, the operation room, the story
// player while hidden, the map windows while their measuring panel is hidden,
// and the legend window. Anything else (a tool window, the wait dialog, even
// hidden) means another function is running.
#include <QString>

// The data folder the registration window works in, read afresh from
// Zorpak.ini on every request; ends in a separator, "" when unreadable.
inline QString gstrAddDataPath;

namespace ComG_add {

// Opens the registration window modally over the main frame, or says why not.
void ShowUserDataForm();
// Opens the input-form folder; false when the file manager could not open
// it (the user is told).
bool OpenExcelFolder();
// The program folder & "Zorpak.ini" (the name is found without case).
QString GetIniFilePath();
// Reads [VELTRA_DATA_PATH] Path into gstrAddDataPath, made absolute against
// the program folder and ended with a separator as start-up does; false (and
// gstrAddDataPath "") when the key is missing or empty.
bool ReadDataPath(const QString &iniPath);
// gstrDataPath & "追加用エクセルファイル" & separator.
QString GetExcelFolderPath();
// True while another function of the program is active (see above).
bool IsOtherFunctionRunning();

} // namespace ComG_add

namespace veltra::statdataui {

// Fills the frame's actions "登録・削除" and "入力・修正".
void registerUserDataWindows();

} // namespace veltra::statdataui
