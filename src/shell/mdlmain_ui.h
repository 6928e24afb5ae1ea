#pragma once
// Captions from the string table, status-bar texts and the engine-text
// pass-through.
//
// LocalizeForm gives a window its captions when it loads. In the window
// designs the captions hold string numbers: the window's and each label's
// "Tag" property, a menu item's own text, a tab's "Tag" (its tab data) and a
// tool-bar tip. Each number found in the table is replaced by its text; a
// number the table lacks, a caption that is a text and a missing property
// leave the caption as designed, and nothing is reported. Fonts are not
// copied: Qt's children inherit the window's font, so a later change of the
// window's font reaches every control, as the designs expect.
//
// Common use (a window's load):
//   mnuFileSave->setText("1101");          // design caption
//   mdlMain::LocalizeForm(*this);           // -> "地図データの保存"
#include <QString>
#include <cstdint>

class QWidget;

namespace mdlMain {

void LocalizeForm(QWidget &form);

// Sets the text of panel `index` (from 1) of the main frame's status bar.
// False when there is no main frame or no such panel.
bool SetStatusText(std::int16_t index, const QString &text);

// Texts received from the map engine pass through here unchanged.
QString ConvEngineString(const QString &text);

} // namespace mdlMain
