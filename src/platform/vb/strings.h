#pragma once
// VB's Trim: only the ordinary space (U+0020) is dropped at either end; tabs,
// line ends and the full-width space belong to the text.
#include <QString>

namespace veltra::vb {

QString trim(const QString &text);

} // namespace veltra::vb
