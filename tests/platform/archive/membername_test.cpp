#include "platform/archive/membername.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using veltra::test::u;
using namespace veltra::archive;

TEST(MemberName, SplitsAtEverySeparatorButTheSecondByteOfACp932Character)
{
    struct Case
    {
        const char *what;
        QByteArray folder;
        QByteArray name;
        QString path;
    };
    const Case cases[] = {
        {"十 (8F 5C) whole", {}, QByteArray("\x8F\x5C\x93\xFA\x92\xAC\x8E\x73.txt"), u("十日町市.txt")},
        {"ソ (83 5C) then a real separator", {}, QByteArray("\x83\x5C\x83\x74\x83\x67\\\x95\x5C.csv"),
            u("ソフト/表.csv")},
        {"slash", {}, QByteArray("a/b.txt"), u("a/b.txt")},
        {"0xFF folders", QByteArray("Mesh\xFF\x30\xFF"), QByteArray("\x94\x5C.mfc"), u("Mesh/0/能.mfc")},
        {"folder without its final separator", QByteArray("DB"), QByteArray("x.dat"), u("DB/x.dat")},
        {"UTF-8 name with a backslash", {}, QByteArray("\xE3\x81\x82\\b.txt"), u("あ/b.txt")},
        {"absolute", {}, QByteArray("/etc/x"), u("/etc/x")},
        {"half-width katakana stays CP932", {}, QByteArray("\xB1\xB2.txt"), u("ｱｲ.txt")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const StoredName name = decodeStoredName(c.folder, c.name);
        EXPECT_EQ(name.path, c.path);
        EXPECT_EQ(name.components, c.path.split(QLatin1Char('/')));
    }
}

TEST(MemberName, SafeComponents)
{
    const struct
    {
        QString name;
        bool safe;
    } cases[] = {
        {u("mesh.mfc"), true},
        {u("十日町市.txt"), true},
        {u(".hidden"), true},
        {u(""), false},
        {u("."), false},
        {u(".."), false},
        {QString(QChar(0)) + u("x"), false},
        {u("a\x01"), false},
        {u("a\x7f"), false},
        {u("a\\b"), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(isSafeComponent(c.name), c.safe);
    }
    EXPECT_TRUE(isDriveComponent(u("C:")));
    EXPECT_FALSE(isDriveComponent(u("CC:")));
}

TEST(MemberName, RelativeStoredPathDropsDriveRootAndDots)
{
    const struct
    {
        QString given;
        QString stored;
    } cases[] = {
        {u("C:\\data\\DB\\a.hed"), u("data/DB/a.hed")},
        {u("/home/user/DB/a.hed"), u("home/user/DB/a.hed")},
        {u("DB\\.\\..\\x.dat"), u("DB/x.dat")},
        {u("C:x.txt"), u("x.txt")},
        {u("..\\.."), u("")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.given.toStdString());
        EXPECT_EQ(relativeStoredPath(c.given), c.stored);
    }
}

TEST(MemberName, EncodesFoldersWithFfSeparatorsAndRefusesWhatCp932CannotHold)
{
    QByteArray folder;
    QByteArray name;
    ASSERT_TRUE(encodeStoredName(u("DB/十/表.csv"), folder, name));
    EXPECT_EQ(folder, QByteArray("DB\xFF\x8F\x5C\xFF"));
    EXPECT_EQ(name, QByteArray("\x95\x5C.csv"));

    QString error;
    EXPECT_FALSE(encodeStoredName(u("한국.txt"), folder, name, &error));
    EXPECT_TRUE(error.contains(u("CP932"))) << error.toStdString();
    EXPECT_FALSE(encodeStoredName(QString(70000, QLatin1Char('a')), folder, name, &error));
}
