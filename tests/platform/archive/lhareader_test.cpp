#include "platform/archive/crc16.h"
#include "platform/archive/lhareader.h"
#include "rawlha.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace veltra::archive;
using veltra::test::raw;
using veltra::test::rawArchive;
using veltra::test::RawMember;
using veltra::test::TempDir;
using veltra::test::u;

namespace {

const QByteArray juu = "\x8F\x5C\x93\xFA\x92\xAC\x8E\x73"; // 十日町市
const QByteArray soft = "\x83\x5C\x83\x74\x83\x67"; // ソフト
const QByteArray hyou = "\x95\x5C"; // 表

QByteArray readAll(LhaReader &reader, int index, bool *ok, QString *error = nullptr)
{
    QByteArray out;
    *ok = reader.readData(
        index,
        [&out](const char *data, qint64 length) {
            out.append(data, length);
            return true;
        },
        error);
    return out;
}

} // namespace

TEST(LhaReader, Crc16MatchesTheLhaCheckValue)
{
    EXPECT_EQ(Crc16::of("123456789"), 0xBB3D);
    EXPECT_EQ(Crc16::of(""), 0);
}

TEST(LhaReader, ListsForeignHeadersOfEveryLevelWithCp932NamesWhole)
{
    struct Case
    {
        const char *what;
        RawMember member;
        QString path;
    };
    const Case cases[] = {
        {"level 0, 十", raw(0, juu + ".txt", "juu"), u("十日町市.txt")},
        {"level 0, ソフト\\表", raw(0, soft + "\\" + hyou + ".csv", "hyou"), u("ソフト/表.csv")},
        {"level 0, upper case kept", raw(0, "MESH\\5339.MFC", "m"), u("MESH/5339.MFC")},
        {"level 1, 十", raw(1, juu + ".txt", "juu"), u("十日町市.txt")},
        {"level 1, directory header", raw(1, hyou + ".csv", "x", soft + "\xFF" + juu + "\xFF"),
            u("ソフト/十日町市/表.csv")},
        {"level 1, backslash in the name", raw(1, soft + "\\a.txt", "a"), u("ソフト/a.txt")},
        {"level 2, 十", raw(2, juu + ".txt", "juu"), u("十日町市.txt")},
        {"level 2, 0xFF folders",
            raw(2, hyou + ".csv", "y",
                "MeshData\xFF"
                "0\xFF"),
            u("MeshData/0/表.csv")},
        {"level 2, slash", raw(2, "a/" + soft, "s"), u("a/ソフト")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        veltra::test::writeBytes(dir.file("a.lzh"), rawArchive({c.member}));
        LhaReader reader;
        QString error;
        ASSERT_TRUE(reader.open(dir.file("a.lzh"), &error)) << error.toStdString();
        ASSERT_EQ(reader.members().size(), 1);
        const Member &m = reader.members()[0];
        EXPECT_EQ(m.name.path, c.path);
        EXPECT_EQ(m.headerLevel, c.member.level);
        EXPECT_EQ(m.method, u("-lh0-"));
        EXPECT_EQ(m.kind, Member::Kind::File);
        EXPECT_EQ(m.size, static_cast<quint64>(c.member.data.size()));
        EXPECT_EQ(m.crc, veltra::test::rawCrc16(c.member.data));
        bool ok = false;
        EXPECT_EQ(readAll(reader, 0, &ok), c.member.data);
        EXPECT_TRUE(ok);
    }
}

TEST(LhaReader, KnowsFoldersLinksAndTheirPlaceInTheFile)
{
    RawMember folder = raw(2, {}, {}, "sub\xFF", "-lhd-");
    RawMember link = raw(2, "link|/etc/passwd", {}, {}, "-lhd-");
    link.unixMode = 0120777;
    RawMember file = raw(1, "a.txt", "hello");
    const QByteArray bytes = rawArchive({folder, link, file});
    TempDir dir;
    veltra::test::writeBytes(dir.file("a.lzh"), bytes);
    LhaReader reader;
    ASSERT_TRUE(reader.open(dir.file("a.lzh")));
    ASSERT_EQ(reader.members().size(), 3);
    EXPECT_EQ(reader.members()[0].kind, Member::Kind::Folder);
    EXPECT_EQ(reader.members()[1].kind, Member::Kind::SymbolicLink);
    EXPECT_EQ(reader.members()[2].kind, Member::Kind::File);
    EXPECT_EQ(reader.members()[0].headerOffset, 0);
    EXPECT_EQ(reader.members()[1].headerOffset, reader.members()[0].endOffset);
    EXPECT_EQ(reader.members()[2].endOffset, bytes.size() - 1);
    EXPECT_EQ(bytes.mid(reader.members()[2].headerOffset,
                  reader.members()[2].endOffset - reader.members()[2].headerOffset),
        veltra::test::rawMember(file));
}

TEST(LhaReader, RefusesFilesThatAreNotWholeArchives)
{
    const QByteArray good = rawArchive({raw(2, "a.txt", "alpha"), raw(0, "b.txt", "beta")});
    RawMember badSum = raw(1, "a.txt", "alpha");
    badSum.badChecksum = true;
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty file", {}},
        {"text", "This is not an archive.\r\n"},
        {"end mark only", QByteArray(1, '\0')},
        {"truncated in the data", good.left(good.size() - 4)},
        {"truncated in a header", good.left(30)},
        {"header checksum error", rawArchive({raw(0, "x", "x"), badSum})},
        {"junk after the members", good.chopped(1) + "junk"},
        {"lead-in before the first header", "MZ\x90\x00" + good},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        veltra::test::writeBytes(dir.file("a.lzh"), c.bytes);
        LhaReader reader;
        QString error;
        const bool opened = reader.open(dir.file("a.lzh"), &error);
        if (QByteArray(c.what) == "end mark only") {
            EXPECT_TRUE(opened); // a valid, empty archive
            EXPECT_TRUE(reader.members().isEmpty());
            continue;
        }
        EXPECT_FALSE(opened);
        EXPECT_TRUE(reader.members().isEmpty());
        EXPECT_FALSE(error.isEmpty());
    }
    // Without an end mark the archive ends with the file.
    TempDir dir;
    veltra::test::writeBytes(dir.file("a.lzh"), good.chopped(1));
    LhaReader reader;
    EXPECT_TRUE(reader.open(dir.file("a.lzh")));
    EXPECT_EQ(reader.members().size(), 2);
}

TEST(LhaReader, ComparesTheCrcOfEveryMemberAndNamesUnknownMethods)
{
    RawMember bad = raw(2, "b.txt", "beta");
    bad.crc = 0x1234;
    RawMember unknown = raw(2, "c.txt", "gamma", {}, "-lh9-");
    TempDir dir;
    veltra::test::writeBytes(dir.file("a.lzh"), rawArchive({raw(2, "a.txt", "alpha"), bad, unknown}));
    LhaReader reader;
    ASSERT_TRUE(reader.open(dir.file("a.lzh")));
    bool ok = false;
    QString error;
    EXPECT_EQ(readAll(reader, 0, &ok), QByteArray("alpha"));
    EXPECT_TRUE(ok);
    readAll(reader, 1, &ok, &error);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.contains(u("CRC"))) << error.toStdString();
    readAll(reader, 2, &ok, &error);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.contains(u("-lh9-"))) << error.toStdString();
    // Going back starts a new pass.
    EXPECT_EQ(readAll(reader, 0, &ok), QByteArray("alpha"));
    EXPECT_TRUE(ok);
}
