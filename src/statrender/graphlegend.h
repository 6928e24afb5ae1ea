#pragma once
// The legend of the pie and bar graph maps: frmPSYHanreiBmp unloaded, the
// items of the header's H5 lines put into gtypHanreiItems (from element 1),
// then the pop-up loaded from them and the largest, mean and smallest globals,
// shown and captured as the map's legend picture. A relative bar map blanks
// the five value labels, whose totals mean nothing across areas.
//
// An H5 colour that is no whole number raises veltra::vb::TypeMismatch before
// anything is shown.
#include <QString>
#include <vector>

namespace veltra::statrender {

void ShowGraphLegend(const std::vector<QString> &header, bool blankValues);

} // namespace veltra::statrender
