#pragma once
// Area code texts formatted as VB's Format with a pattern of zeros ("00",
// "000", "00000", "000000", "00000000000") formats them: a number padded
// with zeros on the left to the width, never cut; a text that is no number
// comes back unchanged. Plain digit codes, nearly every code the readers
// see, take a fast path with the same result.
#include <QString>

namespace veltra::statwindow {

QString formatCode(const QString &text, int width);
// The same appended to `out`, which spares the intermediate texts when a
// code is put together from parts.
void appendFormattedCode(QString &out, const QString &text, int width);

} // namespace veltra::statwindow
