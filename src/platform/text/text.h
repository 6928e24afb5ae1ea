#pragma once
// CP932 text: the encoding of every file the system reads and writes.
//
// Writing always produces CP932 as Windows code page 932 does (glibc iconv
// "CP932": NEC and IBM extensions, 0x5C is the backslash; and the single bytes
// 0x80, 0xA0, 0xFD-0xFF as U+0080, U+F8F0, U+F8F1-U+F8F3). Reading accepts
// UTF-8 (see readsAsUtf8) and UTF-16 with a BOM as well; everything else is
// read as CP932. A
// character CP932 cannot hold makes an encode fail; nothing is
// silently replaced. Byte counts and cuts are in CP932 bytes and never split
// a double-byte character.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veltra::text {

// Encodes to CP932. Returns false (and a message naming the first character
// that cannot be held) when the text has a character outside CP932.
bool encodeCp932(const QString &text, QByteArray &out, QString *error = nullptr);

// Decodes CP932 bytes. Invalid sequences become U+FFFD.
QString decodeCp932(const QByteArray &bytes);

// The read rule: UTF-16 when the bytes begin with its BOM (FF FE little,
// FE FF big endian), UTF-8 when readsAsUtf8 says so, else CP932; a BOM is
// dropped.
QString decodeAuto(const QByteArray &bytes);

// The encodings the read rule tells apart.
enum class Encoding { Cp932, Utf8, Utf16LE, Utf16BE };
// The encoding the read rule takes the bytes for; `bomLength` gets the
// length of their byte-order mark (0 when none).
Encoding detectEncoding(const QByteArray &bytes, int *bomLength = nullptr);
// Decodes bytes (without a BOM) of the encoding.
QString decode(const QByteArray &bytes, Encoding encoding);

// True when the read rule takes the bytes for UTF-8: they start with a UTF-8
// BOM, or they are valid UTF-8 with non-ASCII bytes and either hold a
// character of three or more bytes or no two-byte character whose bytes are
// both half-width katakana in CP932 (A1-DF). A CP932 text of only ASCII and
// half-width katakana can be valid UTF-8; it stays CP932.
bool readsAsUtf8(const QByteArray &bytes);

// Number of CP932 bytes of the text; characters CP932 cannot hold count 2.
int cp932Length(const QString &text);

// The longest prefix of the text whose CP932 form has at most maxBytes bytes.
QString cutToBytes(const QString &text, int maxBytes);

// Splits decoded file contents into lines at CR LF, LF or a lone CR. A final
// line end does not make an empty last line.
QStringList splitLines(const QString &contents);

// Reads a whole text file (read rule above) into lines. False when the file
// cannot be opened or read; `error` then says why.
bool readLines(const QString &path, QStringList &lines, QString *error = nullptr);

// Reads a text file's first line and no more of the file than that line
// takes. The read rule decides from the bytes of that line alone (with the
// byte-order mark), which for the whole file may differ only when the first
// line is valid UTF-8 and a later line is not. `found` is false, and `line`
// empty, for a file without a line (empty, or only a byte-order mark). False
// when the file cannot be opened or read; `error` then says why.
bool readFirstLine(const QString &path, QString &line, bool *found = nullptr, QString *error = nullptr);

// Reads a whole text file as one string (read rule above).
bool readText(const QString &path, QString &contents, QString *error = nullptr);

// Writes the lines as CP932, each ended by CR LF, to a temporary file in the
// same folder renamed over the target. On any failure the old file is intact.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// Appends one line (CP932 + CR LF), creating the file when missing. A file
// that begins with a UTF-8 or UTF-16 byte-order mark is written anew, wholly
// in CP932, with the line added, so that it never mixes encodings.
bool appendLine(const QString &path, const QString &line, QString *error = nullptr);

} // namespace veltra::text
