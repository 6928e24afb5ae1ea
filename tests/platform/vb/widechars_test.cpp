// StrConv vbWide: ASCII and half-width katakana to their full-width forms.
#include "platform/vb/widechars.h"

#include <gtest/gtest.h>

TEST(VbToWide, ConvertsAsciiAndHalfWidthKana)
{
    struct Case
    {
        const char *name;
        const char *text;
        const char *out;
    };
    const Case cases[] = {
        {"letters and digits", "Ab9z", "Ａｂ９ｚ"},
        {"signs at both ends of the range", "!~/\\()%", "！～／＼（）％"},
        {"space becomes the ideographic space", "a b", "ａ　ｂ"},
        {"plain kana", "ｱｲｳｴｵｦﾝｰ", "アイウエオヲンー"},
        {"small kana", "ｧｯｬ", "ァッャ"},
        {"kana punctuation", "｡｢｣､･", "。「」、・"},
        {"voiced kana join their mark", "ｶﾞｷﾞﾀﾞﾄﾞﾊﾞﾎﾞｳﾞ", "ガギダドバボヴ"},
        {"semi-voiced kana join their mark", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
        {"a mark that cannot join stands alone", "ｱﾞｶﾟﾞ", "ア゛カ゜゛"},
        {"small tsu does not take the voiced mark", "ｯﾞ", "ッ゛"},
        {"a mark at the start", "ﾟｱ", "゜ア"},
        {"full-width and kanji stay", "人口（総数）", "人口（総数）"},
        {"mixed item name", "人口(ｼﾞﾝｺｳ) 2020年", "人口（ジンコウ）　２０２０年"},
        {"control characters stay", "a\tb\n", "ａ\tｂ\n"},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(veltra::vb::toWide(QString::fromUtf8(c.text)), QString::fromUtf8(c.out));
    }
}
