#pragma once
// ComPSY: the photo point mode (mode 5501) and the parameter-file mode (81).
//
// The main frame's photo command chooses a picture (gstrPhotoFile) and a
// direction code (gintPhotoDir) and switches to mode 5501: one click puts a
// one-point connector of the direction's kind named by the picture path at
// the click, and the mode ends itself.
//
// Mode 81 asks for a parameter file and shows the chosen path. The
// dispatcher ends it after every call, the entering one included, so no click
// reaches it while it runs; it acts only on a click that is dispatched to it
// directly.
#include <QString>
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// StateClick puts the point and leaves the mode; StateLeave sets the
// engine's mouse mode back to 0.
void PhotoPointMode(std::int16_t &state, zorvik::Zorvik *engine);

// StateClick: the open dialog "パラメータファイルの指定", then the chosen
// path in a message box; a cancel ends it silently. The parameter text is
// not used.
void ParamFileMode(std::int16_t &state, zorvik::Zorvik *engine, QString &param);

} // namespace ComPSY
