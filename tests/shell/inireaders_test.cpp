// The two INI value readers and their buffer limits.
#include "platform/profile/profile.h"
#include "shell/mdlcommon.h"
#include "shell/mdlspcom.h"
#include "testsupport.h"

#include <gtest/gtest.h>

TEST(ShellIniReaders, CutsAndMissingValues)
{
    veltra::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("test.ini"));
    const QByteArray longValue(300, 'v');
    veltra::test::writeBytes(path, "[Sec]\r\nKey=" + longValue + "\r\nshort = abc \r\nempty=\r\n");
    veltra::profile::clearCache();

    QString value = QStringLiteral("old");
    EXPECT_EQ(mdlCommon::ReadIniString(QStringLiteral("Sec"), QStringLiteral("Key"), value, path), 255);
    EXPECT_EQ(value, QString(255, u'v'));
    mdlSpCom::GetIniValue(QStringLiteral("Sec"), QStringLiteral("Key"), value, path);
    EXPECT_EQ(value, QString::fromLatin1(longValue));

    EXPECT_EQ(mdlCommon::ReadIniString(QStringLiteral("SEC"), QStringLiteral("SHORT"), value, path), 3);
    EXPECT_EQ(value, QStringLiteral("abc"));

    EXPECT_EQ(mdlCommon::ReadIniString(QStringLiteral("Sec"), QStringLiteral("empty"), value, path), 0);
    EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(mdlCommon::ReadIniString(QStringLiteral("Sec"), QStringLiteral("none"), value, path), 0);
    EXPECT_TRUE(value.isEmpty());
    value = QStringLiteral("old");
    mdlSpCom::GetIniValue(
        QStringLiteral("Sec"), QStringLiteral("none"), value, dir.file(QStringLiteral("no.ini")));
    EXPECT_TRUE(value.isEmpty());
}

TEST(ShellIniReaders, ByteCutNeverSplitsACharacter)
{
    veltra::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("jp.ini"));
    // 'a' then 200 two-byte characters: the 255-byte cut falls inside one.
    const QString value = QStringLiteral("a") + QString(200, QChar(0x3042));
    QString error;
    ASSERT_TRUE(veltra::profile::writeString(QStringLiteral("S"), QStringLiteral("K"), value, path, &error))
        << error.toStdString();
    QString read;
    // The count is in CP932 bytes, as the ANSI profile call counts.
    EXPECT_EQ(mdlCommon::ReadIniString(QStringLiteral("S"), QStringLiteral("K"), read, path), 255);
    EXPECT_EQ(read, value.left(128));
    mdlSpCom::GetIniValue(QStringLiteral("S"), QStringLiteral("K"), read, path);
    EXPECT_EQ(read, value);
}
