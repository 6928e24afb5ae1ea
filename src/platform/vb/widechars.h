#pragma once
// VB's StrConv with vbWide: half-width characters become their full-width
// forms, as the Japanese rich edit and text boxes show them.
//
// Converted: the space (U+0020 to the ideographic space U+3000), the visible
// ASCII characters U+0021 to U+007E (letters, digits and signs, to U+FF01 to
// U+FF5E) and the half-width katakana block U+FF61 to U+FF9F with its
// punctuation. A half-width kana followed by the sound mark ﾞ or ﾟ becomes one
// voiced or semi-voiced kana (ｶﾞ ガ, ﾊﾟ パ, ｳﾞ ヴ); a mark that cannot join
// its kana stands alone as ゛ or ゜. Everything else, full-width text and
// control characters included, is kept as it is.
#include <QString>

namespace veltra::vb {

QString toWide(const QString &text);

} // namespace veltra::vb
