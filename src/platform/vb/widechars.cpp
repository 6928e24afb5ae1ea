#include "platform/vb/widechars.h"

#include <array>

namespace veltra::vb {

namespace {

constexpr char16_t HalfKanaFirst = 0xFF61;
constexpr char16_t HalfKanaLast = 0xFF9F;
constexpr char16_t VoicedMark = 0xFF9E; // ﾞ
constexpr char16_t SemiVoicedMark = 0xFF9F; // ﾟ

// Full-width forms of U+FF61 (｡) to U+FF9F (ﾟ), in block order.
constexpr std::array<char16_t, HalfKanaLast - HalfKanaFirst + 1> WideKana{
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ',
    u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ',
    u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ',
    u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ',
    u'ン', u'゛', u'゜'};

// The kana a sound mark turns `wide` into; 0 when the two do not join.
char16_t joined(char16_t wide, char16_t mark)
{
    if (mark == VoicedMark) {
        if (wide == u'ウ')
            return u'ヴ';
        // カ to ト (not the small ッ among them) and ハ to ホ: the voiced kana
        // is the next code point.
        if ((wide >= u'カ' && wide <= u'ト' && wide != u'ッ') || (wide >= u'ハ' && wide <= u'ホ'))
            return static_cast<char16_t>(wide + 1);
        return 0;
    }
    if (mark == SemiVoicedMark && wide >= u'ハ' && wide <= u'ホ')
        return static_cast<char16_t>(wide + 2);
    return 0;
}

} // namespace

QString toWide(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u' ') {
            out += QChar(0x3000);
        } else if (c >= 0x21 && c <= 0x7E) {
            out += QChar(static_cast<char16_t>(c - 0x21 + 0xFF01));
        } else if (c >= HalfKanaFirst && c <= HalfKanaLast) {
            const char16_t wide = WideKana[c - HalfKanaFirst];
            const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
            const char16_t voiced = (next == VoicedMark || next == SemiVoicedMark) ? joined(wide, next) : 0;
            if (voiced) {
                out += QChar(voiced);
                ++i;
            } else {
                out += QChar(wide);
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace veltra::vb
