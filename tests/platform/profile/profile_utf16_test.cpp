// A profile file in UTF-16 (with its byte-order mark) is read as UTF-16, and
// a write saves it wholly in CP932.
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::utf16;
using veltra::test::writeBytes;

TEST(ProfileUtf16, ReadAndWrittenBackInCp932)
{
    const QString text = QStringLiteral("; 設定\r\n[統計]\r\n名前=人口\nPath=R2\\都道府県\\\r\n[他]\rx=1");
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big endian" : "little endian");
        TempDir dir;
        const QString file = dir.file(QStringLiteral("list.txt"));
        writeBytes(file, utf16(text, bigEndian));
        veltra::profile::clearCache();
        EXPECT_EQ(veltra::profile::getString(QStringLiteral("統計"), QStringLiteral("名前"), {}, file),
            QStringLiteral("人口"));
        EXPECT_EQ(veltra::profile::getString(QStringLiteral("統計"), QStringLiteral("Path"), {}, file),
            QStringLiteral("R2\\都道府県\\"));
        EXPECT_EQ(veltra::profile::getString(QStringLiteral("他"), QStringLiteral("x"), {}, file),
            QStringLiteral("1"));

        ASSERT_TRUE(veltra::profile::writeString(
            QStringLiteral("他"), QStringLiteral("y"), QStringLiteral("二"), file));
        QByteArray expected;
        ASSERT_TRUE(veltra::text::encodeCp932(
            QStringLiteral("; 設定\r\n[統計]\r\n名前=人口\nPath=R2\\都道府県\\\r\n[他]\rx=1\r\ny=二\r\n"),
            expected));
        EXPECT_EQ(readBytes(file), expected);
    }
}

} // namespace
