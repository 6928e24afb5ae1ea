#pragma once
// A value as the classes count it: written as text with CStr's 15
// significant digits, read back, and taken to four decimals (Currency), so a
// value lands on the side of a bound where its printed form lies.
//
// Same result as cCur(cDbl(cStr(v))) without building the text; a value that
// is not finite raises TypeMismatch, as its text ("1.#INF") would.
#include "platform/vb/currency.h"

namespace veltra::graphs {

double throughText(double value);
vb::Currency countedValue(double value);

} // namespace veltra::graphs
