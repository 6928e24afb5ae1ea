// Files in UTF-16 with a byte-order mark are read as UTF-16, and a line
// appended to one writes it anew, wholly in CP932.
#include "platform/text/text.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::utf16;
using veltra::test::writeBytes;

QByteArray cp932(const QString &text)
{
    QByteArray out;
    EXPECT_TRUE(veltra::text::encodeCp932(text, out));
    return out;
}

TEST(Utf16, ReadAsUtf16WithItsByteOrderMark)
{
    using veltra::text::Encoding;
    const QString text = QStringLiteral("統計ﾃﾞｰﾀ,𠀋\r\n二行目");
    const struct
    {
        const char *what;
        QByteArray bytes;
        Encoding encoding;
        QString decoded;
    } cases[] = {
        {"little endian", utf16(text, false), Encoding::Utf16LE, text},
        {"big endian", utf16(text, true), Encoding::Utf16BE, text},
        {"BOM only", QByteArray("\xFF\xFE"), Encoding::Utf16LE, QString()},
        {"odd last byte", utf16(QStringLiteral("a"), false) + 'b', Encoding::Utf16LE,
            QStringLiteral("a\uFFFD")},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + text.toUtf8(), Encoding::Utf8, text},
        {"CP932", cp932(QStringLiteral("統計")), Encoding::Cp932, QStringLiteral("統計")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(veltra::text::detectEncoding(c.bytes), c.encoding);
        EXPECT_EQ(veltra::text::decodeAuto(c.bytes), c.decoded);
    }
    TempDir dir;
    writeBytes(dir.file(QStringLiteral("u.txt")), utf16(text, false));
    QStringList lines;
    ASSERT_TRUE(veltra::text::readLines(dir.file(QStringLiteral("u.txt")), lines));
    EXPECT_EQ(lines, QStringList({QStringLiteral("統計ﾃﾞｰﾀ,𠀋"), QStringLiteral("二行目")}));
}

TEST(Utf16, AppendingWritesTheWholeFileInCp932)
{
    const struct
    {
        const char *what;
        QByteArray before;
        QByteArray after;
    } cases[] = {
        {"UTF-16 little endian", utf16(QStringLiteral("一\r\n二"), false),
            cp932(QStringLiteral("一\r\n二\r\n三\r\n"))},
        {"UTF-16 big endian", utf16(QStringLiteral("一\n"), true), cp932(QStringLiteral("一\r\n三\r\n"))},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + QStringLiteral("一\r\n").toUtf8(),
            cp932(QStringLiteral("一\r\n三\r\n"))},
        // CP932 is appended to as it is, bytes kept.
        {"CP932", cp932(QStringLiteral("一\n")), cp932(QStringLiteral("一\n三\r\n"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString file = dir.file(QStringLiteral("log.txt"));
        writeBytes(file, c.before);
        ASSERT_TRUE(veltra::text::appendLine(file, QStringLiteral("三")));
        EXPECT_EQ(readBytes(file), c.after);
    }
}

} // namespace
