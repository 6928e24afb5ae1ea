// CP932 conversions through glibc iconv (plus the single bytes Windows maps
// and glibc refuses), the read rule, and CP932 byte arithmetic.
#include "platform/text/text.h"

#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace veltra::text {

namespace {

// One conversion descriptor per thread and direction; opening one per call
// would dominate short conversions such as a single INI value.
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    { }
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // reset the shift state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter &encoder()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

Converter &decoder()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isHalfWidthKatakana(unsigned char b)
{
    return b >= 0xA1 && b <= 0xDF;
}

// Single bytes that Windows code page 932 maps to a character and glibc's
// CP932 refuses: 0x80 to U+0080, 0xA0 and 0xFD-0xFF to private-use characters.
// They never start a double-byte character, so the mapping holds wherever
// iconv stops at one of them.
char32_t edgeByteChar(unsigned char b)
{
    switch (b) {
    case 0x80:
        return 0x0080;
    case 0xA0:
        return 0xF8F0;
    case 0xFD:
        return 0xF8F1;
    case 0xFE:
        return 0xF8F2;
    case 0xFF:
        return 0xF8F3;
    default:
        return 0;
    }
}

int edgeCharByte(char32_t cp)
{
    if (cp == 0x0080)
        return 0x80;
    if (cp == 0xF8F0)
        return 0xA0;
    if (cp >= 0xF8F1 && cp <= 0xF8F3)
        return 0xFD + static_cast<int>(cp - 0xF8F1);
    return -1;
}

// The code point of the UTF-8 sequence at p (valid, as QString::toUtf8 made
// it) and its length in bytes.
char32_t utf8At(const char *p, int &length)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    if (u[0] < 0x80) {
        length = 1;
        return u[0];
    }
    if ((u[0] & 0xE0) == 0xC0) {
        length = 2;
        return ((u[0] & 0x1F) << 6) | (u[1] & 0x3F);
    }
    if ((u[0] & 0xF0) == 0xE0) {
        length = 3;
        return ((u[0] & 0x0F) << 12) | ((u[1] & 0x3F) << 6) | (u[2] & 0x3F);
    }
    length = 4;
    return ((u[0] & 0x07) << 18) | ((u[1] & 0x3F) << 12) | ((u[2] & 0x3F) << 6) | (u[3] & 0x3F);
}

// What a scan of the bytes as UTF-8 found.
struct Utf8Scan
{
    bool valid = true; // strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF
    bool nonAscii = false;
    bool longSequence = false; // a character of three or more bytes
    bool kanaPair = false; // a two-byte character whose bytes CP932 reads as two half-width katakana
};

Utf8Scan scanUtf8(const QByteArray &bytes)
{
    const auto invalid = [] {
        Utf8Scan failed;
        failed.valid = false;
        return failed;
    };
    Utf8Scan scan;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        scan.nonAscii = true;
        int extra;
        char32_t cp;
        char32_t min;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, cp = c & 0x07, min = 0x10000;
        } else {
            return invalid();
        }
        if (end - p <= extra)
            return invalid();
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return invalid();
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return invalid();
        if (extra >= 2)
            scan.longSequence = true;
        else if (isHalfWidthKatakana(p[0]) && isHalfWidthKatakana(p[1]))
            scan.kanaPair = true;
        p += extra + 1;
    }
    return scan;
}

// CP932 bytes of one code point. Single bytes: ASCII, half-width katakana, the
// yen sign and overline that CP932 writes as 0x5C and 0x7E, and the edge
// bytes' characters. Everything else is a double-byte character (or one CP932
// cannot hold, counted as 2).
int widthOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F) || cp == 0x00A5 || cp == 0x203E || edgeCharByte(cp) >= 0)
        return 1;
    return 2;
}

// Characters iconv would drop without a word (tag characters): refused like
// any other character CP932 cannot hold.
bool silentlyDropped(char32_t cp)
{
    return cp >= 0xE0000 && cp <= 0xE007F;
}

QString describe(const QString &text, qsizetype index)
{
    const char32_t cp
        = text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()
        ? QChar::surrogateToUcs4(text.at(index), text.at(index + 1))
        : text.at(index).unicode();
    const QString code
        = QString::number(static_cast<uint>(cp), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    // A lone surrogate has no glyph to show.
    const QString shown = QChar::isSurrogate(cp) ? QStringLiteral(" ")
                                                 : QStringLiteral("「%1」").arg(QString::fromUcs4(&cp, 1));
    return QStringLiteral("文字%1(U+%2、位置 %3) はシフトJIS (CP932) で書けません。")
        .arg(shown, code)
        .arg(index + 1);
}

} // namespace

bool encodeCp932(const QString &text, QByteArray &out, QString *error)
{
    out.clear();
    // Refuse lone surrogates and dropped characters before iconv sees them.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            if (silentlyDropped(QChar::surrogateToUcs4(c, text.at(i + 1)))) {
                if (error)
                    *error = describe(text, i);
                return false;
            }
            ++i;
        } else if (c.isSurrogate()) {
            if (error)
                *error = describe(text, i);
            return false;
        }
    }

    QByteArray utf8 = text.toUtf8();
    if (isAscii(utf8)) {
        out = utf8;
        return true;
    }
    Converter &conv = encoder();
    if (!conv.valid()) {
        if (error)
            *error = QStringLiteral("シフトJIS (CP932) の変換機能が使えません。");
        return false;
    }
    QByteArray result(utf8.size() + 4, Qt::Uninitialized); // CP932 never needs more bytes than UTF-8
    char *in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    char *outPtr = result.data();
    size_t outLeft = static_cast<size_t>(result.size());
    iconv_t cd = conv.get();
    while (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        int length = 0;
        const int edge = errno == EILSEQ ? edgeCharByte(utf8At(in, length)) : -1;
        if (edge >= 0) {
            *outPtr++ = static_cast<char>(edge);
            --outLeft;
            in += length;
            inLeft -= static_cast<size_t>(length);
            continue;
        }
        if (error) {
            // Find the character at the failing byte to name it.
            const qsizetype failedAt = in - utf8.data();
            const qsizetype index = QString::fromUtf8(utf8.constData(), failedAt).size();
            *error = describe(text, qMin(index, text.size() - 1));
        }
        return false;
    }
    result.truncate(result.size() - static_cast<qsizetype>(outLeft));
    out = result;
    return true;
}

QString decodeCp932(const QByteArray &bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    Converter &conv = decoder();
    if (!conv.valid())
        return QString(bytes.size(), QChar::ReplacementCharacter);

    // Every input byte gives at most 3 UTF-8 bytes (a replacement or an edge
    // byte's character included).
    QByteArray utf8(bytes.size() * 3 + 4, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char *out = utf8.data();
    size_t outLeft = static_cast<size_t>(utf8.size());
    iconv_t cd = conv.get();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // An edge byte gives its character; an invalid or truncated sequence
        // one replacement. Either way go on after that one byte.
        const char32_t edge = edgeByteChar(static_cast<unsigned char>(*in));
        const QByteArray put = QString::fromUcs4(edge ? &edge : U"\uFFFD", 1).toUtf8();
        memcpy(out, put.constData(), static_cast<size_t>(put.size()));
        out += put.size();
        outLeft -= static_cast<size_t>(put.size());
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    utf8.truncate(out - utf8.data());
    return QString::fromUtf8(utf8);
}

bool readsAsUtf8(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    // Half-width katakana in CP932 are single bytes A1-DF, so a CP932 text of
    // only katakana and ASCII can be valid UTF-8 ("ﾃｰ" is the bytes of "ð").
    // Such a text is taken for CP932 unless a longer UTF-8 character (every
    // kanji and kana) shows the file is UTF-8.
    const Utf8Scan scan = scanUtf8(bytes);
    return scan.valid && scan.nonAscii && (scan.longSequence || !scan.kanaPair);
}

Encoding detectEncoding(const QByteArray &bytes, int *bomLength)
{
    int bom = 0;
    Encoding encoding = Encoding::Cp932;
    if (bytes.startsWith("\xFF\xFE")) {
        encoding = Encoding::Utf16LE;
        bom = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = Encoding::Utf16BE;
        bom = 2;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        encoding = Encoding::Utf8;
        bom = 3;
    } else if (readsAsUtf8(bytes)) {
        encoding = Encoding::Utf8;
    }
    if (bomLength)
        *bomLength = bom;
    return encoding;
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QString::fromUtf8(bytes);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        // An odd last byte is half a character: it reads as a replacement.
        QStringDecoder decoder(
            encoding == Encoding::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
            QStringConverter::Flag::Stateless);
        return decoder(bytes);
    }
    case Encoding::Cp932:
        break;
    }
    return decodeCp932(bytes);
}

QString decodeAuto(const QByteArray &bytes)
{
    int bom = 0;
    const Encoding encoding = detectEncoding(bytes, &bom);
    return decode(bom ? bytes.mid(bom) : bytes, encoding);
}

int cp932Length(const QString &text)
{
    int length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            length += 2;
            ++i;
        } else {
            length += widthOf(c.unicode());
        }
    }
    return length;
}

QString cutToBytes(const QString &text, int maxBytes)
{
    if (maxBytes <= 0)
        return {};
    int length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const int width = pair ? 2 : widthOf(c.unicode());
        if (length + width > maxBytes)
            return text.left(i);
        length += width;
        if (pair)
            ++i;
    }
    return text;
}

} // namespace veltra::text
