// The parse cache inside a stamp-check scope: a file is checked once per
// scope, writes through this layer are seen at once, and what another program
// changed is read in the next scope.
#include "platform/fs/filestamp.h"
#include "platform/profile/profile.h"
#include "testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::profile;
using veltra::fs::StampCheckScope;
using veltra::test::TempDir;
using veltra::test::writeBytes;

namespace {

QString count(const QString &path)
{
    return getString(QStringLiteral("Main"), QStringLiteral("Count"), QStringLiteral("none"), path);
}

TEST(ProfileScope, AFileIsCheckedOncePerScope)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("a.ini"));
    writeBytes(path, "[Main]\r\nCount=1\r\n");
    clearCache();
    {
        const StampCheckScope scope;
        EXPECT_EQ(count(path), QStringLiteral("1"));
        // Another program rewrites it: this scope keeps what it checked.
        writeBytes(path, "[Main]\r\nCount=22\r\n");
        EXPECT_EQ(count(path), QStringLiteral("1"));
        // A write through this layer is seen at once.
        ASSERT_TRUE(writeString(QStringLiteral("Main"), QStringLiteral("Count"), QStringLiteral("3"), path));
        EXPECT_EQ(count(path), QStringLiteral("3"));
        writeBytes(path, "[Main]\r\nCount=44\r\n");
        EXPECT_EQ(count(path), QStringLiteral("3"));
    }
    EXPECT_EQ(count(path), QStringLiteral("44"));
    {
        const StampCheckScope next;
        EXPECT_EQ(count(path), QStringLiteral("44"));
        ASSERT_TRUE(QFile::remove(path));
    }
    const StampCheckScope last;
    EXPECT_EQ(count(path), QStringLiteral("none"));
}

} // namespace
