// Several keys written in one rewrite give the same bytes as writing them one
// after the other.
#include "platform/profile/profile.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::profile;
using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::writeBytes;

namespace {

// Comments, odd spacing, CP932 text and no line end on the last line.
const QByteArray kOriginal("; settings\r\n"
                           "[Main]\r\n"
                           "  Path = ..\\Data\\  \r\n"
                           "Title=\x92\x6E\x90\x7D\n"
                           "\r\n"
                           "[Sub]\r\n"
                           "Key=v");

TEST(ProfileWriteStrings, SameBytesAsOneWriteAfterTheOther)
{
    const std::vector<std::vector<KeyWrite>> cases = {
        {{"Main", "Path", "C:\\x\\"}}, // in place
        {{"main", "NEW", "1"}, {"Sub", "Key", "w"}}, // appended to its section; section without case
        {{"Other", "Entry1", "a"}, {"Other", "Entry2", "b"},
            {"Other", "Entry1", "c"}}, // new section, rewritten
        {{"Main", "Title", ""}, {"統計内容", "Entry1", "国勢調査"}},
    };
    for (const bool missing : {false, true}) {
        for (size_t i = 0; i < cases.size(); ++i) {
            TempDir tmp;
            const QString one = tmp.file("one.ini"), batch = tmp.file("batch.ini");
            if (!missing) {
                writeBytes(one, kOriginal);
                writeBytes(batch, kOriginal);
            }
            for (const KeyWrite &w : cases[i])
                ASSERT_TRUE(writeString(w.section, w.key, w.value, one));
            ASSERT_TRUE(writeStrings(cases[i], batch));
            EXPECT_EQ(readBytes(batch), readBytes(one))
                << "case " << i << (missing ? " on a missing file" : "");
            EXPECT_EQ(
                getString(cases[i].back().section, cases[i].back().key, "?", batch), cases[i].back().value);
        }
    }
}

TEST(ProfileWriteStrings, ARefusedWriteWritesNothing)
{
    TempDir tmp;
    const QString path = tmp.file("a.ini");
    writeBytes(path, kOriginal);
    QString error;
    EXPECT_FALSE(writeStrings({{"Main", "Path", "x"}, {"Main", "Bad", "two\r\nlines"}}, path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), kOriginal);
    EXPECT_FALSE(writeStrings({{"Main", "a=b", "x"}}, path));
    EXPECT_EQ(readBytes(path), kOriginal);

    // Nothing to write creates nothing.
    EXPECT_TRUE(writeStrings({}, tmp.file("none.ini")));
    EXPECT_FALSE(QFile::exists(tmp.file("none.ini")));
}

} // namespace
