#include "platform/text/text.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace veltra::text;
using veltra::test::u;

TEST(Cp932, EncodesToTheWindowsCodePage)
{
    struct Case
    {
        const char *name;
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"ascii", u("Mesh.mdb"), QByteArray("Mesh.mdb")},
        {"backslash stays 0x5C", u("DB\\Mesh"), QByteArray("DB\\Mesh")},
        {"kanji and kana", u("地図あア"), QByteArray("\x92\x6E\x90\x7D\x82\xA0\x83\x41")},
        {"trail byte 0x5C", u("表示"), QByteArray("\x95\x5C\x8E\xA6")},
        {"half-width katakana is one byte", u("ｱｲｳ"), QByteArray("\xB1\xB2\xB3")},
        {"NEC circled digit", u("①"), QByteArray("\x87\x40")},
        {"NEC roman numeral", u("Ⅳ"), QByteArray("\x87\x57")},
        {"IBM extension kanji", u("髙"), QByteArray("\xFB\xFC")},
        {"full-width tilde", u("～"), QByteArray("\x81\x60")},
        {"wave dash as typed on Linux", u("〜"), QByteArray("\x81\x60")},
        {"minus sign", u("−"), QByteArray("\x81\x7C")},
        {"empty", QString(), QByteArray()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray out("stale");
        QString error;
        ASSERT_TRUE(encodeCp932(c.text, out, &error)) << error.toStdString();
        EXPECT_EQ(out.toHex(' '), c.bytes.toHex(' '));
        EXPECT_EQ(cp932Length(c.text), c.bytes.size());
    }
}

TEST(Cp932, DecodesTheWindowsCodePage)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"ascii", QByteArray("a=1\\~"), u("a=1\\~")},
        {"kanji with trail 0x5C", QByteArray("\x95\x5C\x8E\xA6"), u("表示")},
        {"NEC and IBM", QByteArray("\x87\x40\xFB\xFC\xED\x40"), u("①髙纊")},
        {"half-width katakana", QByteArray("\xB1\xDF"), u("ｱﾟ")},
        {"lone lead byte at the end", QByteArray("a\x81"), u("a\uFFFD")},
        {"lead byte before a line end", QByteArray("\x81\nb"), u("\uFFFD\nb")},
        {"lead byte before a byte that is no trail", QByteArray("\x81\x7F"), u("\uFFFD\x7F")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeCp932(c.bytes), c.text);
    }
}

TEST(Cp932, EdgeBytesMapAsWindowsDoesBothWays)
{
    // 0x80, 0xA0 and 0xFD-0xFF are single bytes of code page 932 that glibc
    // refuses; 0x80 and 0xA0 are also ordinary trail bytes of a double-byte
    // character and then keep that meaning.
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"0x80 alone", QByteArray("\x80"), u("\u0080")},
        {"0xA0 alone", QByteArray("\xA0"), u("\uF8F0")},
        {"0xFD to 0xFF", QByteArray("\xFD\xFE\xFF"), u("\uF8F1\uF8F2\uF8F3")},
        {"in the middle of ASCII", QByteArray("a\x80z\xA0=\xFF;"), u("a\u0080z\uF8F0=\uF8F3;")},
        {"0x80 before a lead byte", QByteArray("\x80\x92\x6E"), u("\u0080地")},
        {"0xA0 between kanji", QByteArray("\x92\x6E\xA0\x90\x7D"), u("地\uF8F0図")},
        {"after a kanji with trail 0x5C", QByteArray("\x95\x5C\xFE"), u("表\uF8F2")},
        {"next to half-width katakana", QByteArray("\xB1\xA0\xDF\x80"), u("ｱ\uF8F0ﾟ\u0080")},
        {"0x80 as a trail byte", QByteArray("\x81\x80\x80"), u("÷\u0080")},
        {"0xA0 as a trail byte", QByteArray("\x81\xA0\xA0"), u("□\uF8F0")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeCp932(c.bytes), c.text);
        QByteArray out("stale");
        QString error;
        ASSERT_TRUE(encodeCp932(c.text, out, &error)) << error.toStdString();
        EXPECT_EQ(out.toHex(' '), c.bytes.toHex(' '));
        EXPECT_EQ(cp932Length(c.text), c.bytes.size());
    }

    // A lead byte cannot take 0xFD as its trail: the lead alone is invalid
    // and 0xFD still reads as its own character.
    EXPECT_EQ(decodeCp932(QByteArray("\x81\xFD")), u("\uFFFD\uF8F1"));
    EXPECT_EQ(decodeCp932(QByteArray("\x92\xFF")), u("\uFFFD\uF8F3"));
}

TEST(Cp932, RefusalNamesTheCharacterInJapanese)
{
    QByteArray out;
    QString error;
    EXPECT_FALSE(encodeCp932(u("地図😀です"), out, &error));
    EXPECT_EQ(error, u("文字「😀」(U+1F600、位置 3) はシフトJIS (CP932) で書けません。"));

    EXPECT_FALSE(encodeCp932(QString(QChar(0xDC00)) + u("x"), out, &error));
    EXPECT_EQ(error, u("文字 (U+DC00、位置 1) はシフトJIS (CP932) で書けません。"));
}

TEST(Cp932, RefusesCharactersItCannotHold)
{
    struct Case
    {
        const char *name;
        QString text;
        QString named; // the code point the message must name
    };
    const Case cases[] = {
        {"emoji", u("地図😀です"), QStringLiteral("U+1F600")},
        {"hangul", u("abc한"), QStringLiteral("U+D55C")},
        {"accented latin", u("café"), QStringLiteral("U+00E9")},
        // iconv would drop tag characters without a word; they are refused too.
        {"tag character", QString::fromUcs4(U"a\U000E0041b"), QStringLiteral("U+E0041")},
        {"lone surrogate", QString(QChar(0xD800)) + u("x"), QStringLiteral("U+D800")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray out("stale");
        QString error;
        EXPECT_FALSE(encodeCp932(c.text, out, &error));
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(error.contains(c.named)) << error.toStdString();
    }
}

TEST(Cp932, ByteLengthAgreesWithTheEncoderForEveryCharacter)
{
    // The byte arithmetic is computed without iconv; it must agree with it.
    int checked = 0;
    for (char32_t cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const QString s = QString::fromUcs4(&cp, 1);
        QByteArray out;
        if (!encodeCp932(s, out)) {
            EXPECT_EQ(cp932Length(s), 2) << std::hex << static_cast<unsigned>(cp);
            continue;
        }
        ASSERT_EQ(cp932Length(s), out.size()) << std::hex << static_cast<unsigned>(cp);
        ++checked;
    }
    EXPECT_GT(checked, 9000); // the whole CP932 repertoire was exercised
}

TEST(Cp932, CutsNeverSplitACharacter)
{
    struct Case
    {
        const char *name;
        QString text;
        int maxBytes;
        QString expected;
    };
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    const Case cases[] = {
        {"fits exactly", u("あいう"), 6, u("あいう")},
        {"odd limit drops the whole kanji", u("あいう"), 5, u("あい")},
        {"one byte before a kanji", u("aあ"), 2, u("a")},
        {"half-width kana count one", u("ｱｲｳｴ"), 3, u("ｱｲｳ")},
        {"NEC character", u("①②"), 3, u("①")},
        {"surrogate pair kept whole", u("a") + emoji + u("b"), 2, u("a")},
        {"surrogate pair fits", u("a") + emoji + u("b"), 3, u("a") + emoji},
        {"zero", u("abc"), 0, QString()},
        {"negative", u("abc"), -1, QString()},
        {"longer limit", u("abc"), 255, u("abc")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString cut = cutToBytes(c.text, c.maxBytes);
        EXPECT_EQ(cut, c.expected);
        EXPECT_LE(cp932Length(cut), qMax(c.maxBytes, 0));
    }
}

TEST(Cp932, ReadRuleChoosesTheEncoding)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        bool utf8;
        QString text;
    };
    const Case cases[] = {
        {"BOM is dropped", QByteArray("\xEF\xBB\xBF\xE5\x9C\xB0\xE5\x9B\xB3"), true, u("地図")},
        {"BOM before ASCII",
            QByteArray("\xEF\xBB\xBF"
                       "abc"),
            true, u("abc")},
        {"BOM alone", QByteArray("\xEF\xBB\xBF"), true, QString()},
        {"valid UTF-8 without BOM", QByteArray("a=\xE5\x9C\xB0\xE5\x9B\xB3"), true, u("a=地図")},
        {"CP932", QByteArray("a=\x92\x6E\x90\x7D"), false, u("a=地図")},
        {"CP932 half-width kana", QByteArray("\xB1\xB2"), false, u("ｱｲ")},
        {"plain ASCII", QByteArray("[Sec]\r\nKey=1\r\n"), false, u("[Sec]\r\nKey=1\r\n")},
        {"overlong UTF-8 is not UTF-8", QByteArray("\xC0\xAF"), false, decodeCp932(QByteArray("\xC0\xAF"))},
        // CP932 half-width katakana, whether or not the bytes are valid UTF-8.
        {"katakana pair that is valid UTF-8", QByteArray("\xC3\xB0"), false, u("ﾃｰ")},
        {"katakana pairs among ASCII", QByteArray("Caption=\xC3\xB0 \xC3\xBD\r\n"), false,
            u("Caption=ﾃｰ ﾃｽ\r\n")},
        {"katakana that is not UTF-8", QByteArray("\xB6\xC5"), false, u("ｶﾅ")},
        {"katakana starting with a valid pair", QByteArray("&\xCC\xA7\xB2\xD9(F)"), false, u("&ﾌｧｲﾙ(F)")},
        {"pair at the low end of the range", QByteArray("\xC3\xA1"), false, u("ﾃ｡")},
        // Two-byte UTF-8 whose second byte is no katakana of CP932.
        {"UTF-8 E acute capital", QByteArray("\xC3\x89t\xC3\x89"), true, u("ÉtÉ")},
        {"UTF-8 multiplication sign",
            QByteArray("2\xC3\x97"
                       "3"),
            true, u("2×3")},
        {"UTF-8 a grave, second byte A0", QByteArray("\xC3\xA0"), true, u("à")},
        // Two-byte UTF-8 that is also a katakana pair in CP932 reads as CP932
        // unless a longer UTF-8 character or a BOM shows the file is UTF-8.
        {"e acute alone", QByteArray("caf\xC3\xA9"), false, u("cafﾃｩ")},
        {"omega alone", QByteArray("\xCE\xA9"), false, u("ﾎｩ")},
        {"e acute beside a kanji", QByteArray("caf\xC3\xA9 \xE5\x9C\xB0"), true, u("café 地")},
        {"katakana pair beside UTF-8 katakana", QByteArray("\xC3\xB0\xEF\xBD\xB1"), true, u("ðｱ")},
        {"e acute with a BOM",
            QByteArray("\xEF\xBB\xBF"
                       "caf\xC3\xA9"),
            true, u("café")},
        {"UTF-8 half-width katakana", QByteArray("\xEF\xBE\x83\xEF\xBD\xB0"), true, u("ﾃｰ")},
        {"encoded surrogate is not UTF-8", QByteArray("\xED\xA0\x80"), false,
            decodeCp932(QByteArray("\xED\xA0\x80"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readsAsUtf8(c.bytes), c.utf8);
        EXPECT_EQ(decodeAuto(c.bytes), c.text);
    }
}

TEST(Cp932, SplitsLinesAtEveryLineEnd)
{
    struct Case
    {
        const char *name;
        QString contents;
        QStringList lines;
    };
    const Case cases[] = {
        {"empty", QString(), {}},
        {"one line without end", u("a"), {u("a")}},
        {"final CR LF adds no line", u("a\r\n"), {u("a")}},
        {"mixed ends", u("a\r\nb\nc\rd"), {u("a"), u("b"), u("c"), u("d")}},
        {"blank lines kept", u("a\r\n\r\nb\r\n"), {u("a"), QString(), u("b")}},
        {"only a line end", u("\r\n"), {QString()}},
        {"CR CR LF", u("a\r\r\nb"), {u("a"), QString(), u("b")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitLines(c.contents), c.lines);
    }
}
