#pragma once
// VB's MsgBox and InputBox, with VB's constants and results.
//
// `buttons` is the sum of one button set (vbOKOnly … vbRetryCancel), one icon
// (vbCritical, vbQuestion, vbExclamation, vbInformation) and one default
// button (vbDefaultButton1 … 3). The result is the button pressed (vbOK …
// vbNo); closing the box counts as Cancel where there is one, else as the
// only button. An empty title shows the application's name. Button captions
// are the Japanese ones users know ("はい(&Y)", "キャンセル"…).
//
// InputBox returns the text entered, or the empty text when the user cancels.
// Both go through the test hook of dialogscript.h.
#include <QList>
#include <QString>

namespace veltra::ui {

inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
inline constexpr int vbApplicationModal = 0;
inline constexpr int vbSystemModal = 4096;

inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString());

QString InputBox(
    const QString &prompt, const QString &title = QString(), const QString &defaultText = QString());

// The results a box with these flags can give, left to right, and the one a
// press of Enter gives (its default button). Exposed for tests and the hook.
QList<int> msgBoxResults(int buttons);
int msgBoxDefaultResult(int buttons);

} // namespace veltra::ui
