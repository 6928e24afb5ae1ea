#pragma once
// mdlScale: the length label of the map window's scale bar: the real length
// that a bar of 4 cm on the screen stands for at a scale denominator, in
// "km" from 10 km on, in "m" from 1 m on, else in "cm"; whole numbers,
// halves rounded to even, no blank before the unit.
#include <QString>

namespace mdlScale {

// The label for the current map control's scale (gobjZor); "" without one.
QString GetScaleText();

} // namespace mdlScale

namespace veltra::mapwindow {

// The label for a scale denominator (read as a whole number, halves to even).
QString scaleText(double scale);

} // namespace veltra::mapwindow
