#include "archivetestsupport.h"
#include "platform/archive/crc16.h"
#include "platform/archive/lhareader.h"
#include "platform/archive/modlha.h"
#include "rawlha.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace veltra::test;
using veltra::archive::LhaReader;
using veltra::archive::Member;

namespace {

QList<Member> membersOf(const QString &archive)
{
    LhaReader reader;
    if (!reader.open(archive))
        return {};
    return reader.members();
}

QStringList namesOf(const QString &archive)
{
    QStringList names;
    for (const Member &m : membersOf(archive))
        names.append(m.name.path);
    return names;
}

bool add(const QString &archive, const QString &file, int16_t withPaths = 0)
{
    QString text;
    return modLHA::CreateArchive(archive, file, text, 0, withPaths);
}

bool extract(const QString &archive, const QString &dest, int32_t mode = 0, QString *text = nullptr)
{
    QString out;
    const bool ok = modLHA::ExtractArchive(archive, QString(), dest, out, 0, mode);
    if (text)
        *text = out;
    return ok;
}

// A folder holding the archive and, two levels down, the destination, so that
// a name climbing out of the destination would land in the tree.
struct Layout
{
    TempDir root;
    QString archive = root.file(QStringLiteral("archive.lzh"));
    QString dest = root.path() + QStringLiteral("a/b/dest/");
    Layout() { QDir().mkpath(dest); }
};

} // namespace

TEST(ModLha, CreatesOneThenTwoMembersAndReaddingANameReplacesIt)
{
    TempDir dir;
    const QString archive = dir.file(QStringLiteral("new.lzh"));
    const QString a = makeFile(dir.file(QStringLiteral("src/a.txt")), "alpha\r\n");
    const QString b = makeFile(dir.file(QStringLiteral("src/b.dat")), QByteArray(70000, 'b'));
    const QDateTime time(QDate(2024, 1, 2), QTime(3, 4, 6), Qt::UTC);
    {
        QFile f(a);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    }

    QString text;
    ASSERT_TRUE(modLHA::CreateArchive(archive, a, text, 0, 0)) << text.toStdString();
    EXPECT_FALSE(text.isEmpty());
    EXPECT_TRUE(modLHA::CheckArchive(archive));
    QList<Member> members = membersOf(archive);
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(members[0].name.path, u("a.txt"));
    EXPECT_EQ(members[0].method, u("-lh0-"));
    EXPECT_EQ(members[0].headerLevel, 2);
    EXPECT_EQ(members[0].size, 7u);
    EXPECT_EQ(members[0].crc, veltra::archive::Crc16::of("alpha\r\n"));
    EXPECT_EQ(members[0].time, time);
    const QByteArray first = readBytes(archive).left(members[0].endOffset);

    ASSERT_TRUE(add(archive, b));
    EXPECT_EQ(namesOf(archive), (QStringList{u("a.txt"), u("b.dat")}));
    EXPECT_TRUE(readBytes(archive).startsWith(first)) << "members already there are copied byte for byte";

    // The same name again, given in another case: replaced in its place.
    const QString a2 = makeFile(dir.file(QStringLiteral("other/A.TXT")), "second");
    ASSERT_TRUE(add(archive, a2));
    EXPECT_EQ(namesOf(archive), (QStringList{u("A.TXT"), u("b.dat")}));
    const QString out = dir.path() + QStringLiteral("out/");
    ASSERT_TRUE(extract(archive, out));
    EXPECT_EQ(entriesOf(out), (QStringList{u("A.TXT"), u("b.dat")}));
    EXPECT_EQ(readBytes(out + u("A.TXT")), QByteArray("second"));
    EXPECT_EQ(readBytes(out + u("b.dat")), QByteArray(70000, 'b'));
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{u("new.lzh"), u("other"), u("out"), u("src")}));
}

TEST(ModLha, PathsWithSpacesAndJapaneseNamesRoundTrip)
{
    const QStringList names = {u("file with spaces.txt"), u("十日町市.txt"), u("ソフト 表.csv"),
        u("能力.dat"), u("ｱｲｳ.txt"), u("MESH5339.MFC")};
    TempDir dir;
    // Windows-style paths, as the callers pass them.
    const QString archive = dir.path() + u("書庫 フォルダー\\地図 データ.lzh");
    QDir().mkpath(dir.path() + u("書庫 フォルダー"));
    for (int i = 0; i < names.size(); ++i) {
        const QString file = makeFile(
            dir.path() + u("元 データ/") + names[i], names[i].toUtf8() + QByteArray(i * 1000, 'x'));
        ASSERT_TRUE(add(archive, QString(file).replace(QLatin1Char('/'), QLatin1Char('\\'))));
    }
    EXPECT_EQ(namesOf(dir.path() + u("書庫 フォルダー/地図 データ.lzh")), names);
    const QString dest = dir.path() + u("展開 先\\");
    ASSERT_TRUE(extract(archive, dest));
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(entriesOf(dir.path() + u("展開 先")), sorted);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(
            readBytes(dir.path() + u("展開 先/") + names[i]), names[i].toUtf8() + QByteArray(i * 1000, 'x'));
}

TEST(ModLha, WithPathsStoresFoldersInTheDirectoryHeaderAndModeZeroFlattensThem)
{
    TempDir dir;
    makeFile(dir.file(QStringLiteral("DB/sub/a.hed")), "header");
    makeFile(dir.file(QStringLiteral("DB/b.dat")), "data");
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString archive = dir.file(QStringLiteral("paths.lzh"));
    const bool addedA = add(archive, u("DB\\sub\\a.hed"), -1);
    const bool addedB = add(archive, u("DB/b.dat"), -1);
    QDir::setCurrent(cwd);
    ASSERT_TRUE(addedA && addedB);

    EXPECT_EQ(namesOf(archive), (QStringList{u("DB/sub/a.hed"), u("DB/b.dat")}));
    const QByteArray bytes = readBytes(archive);
    EXPECT_TRUE(bytes.contains(QByteArray("\x02"
                                          "DB\xFFsub\xFF",
        9)))
        << "folders in a directory header";
    EXPECT_TRUE(bytes.contains(QByteArray("\x01"
                                          "a.hed",
        6)))
        << "the file name on its own";
    EXPECT_FALSE(bytes.contains("DB\\"));

    const QString flat = dir.path() + QStringLiteral("flat/");
    ASSERT_TRUE(extract(archive, flat, 0));
    EXPECT_EQ(treeOf(flat), (QStringList{u("a.hed"), u("b.dat")}));
    const QString kept = dir.path() + QStringLiteral("kept/");
    ASSERT_TRUE(extract(archive, kept, 1));
    EXPECT_EQ(treeOf(kept), (QStringList{u("DB/"), u("DB/b.dat"), u("DB/sub/"), u("DB/sub/a.hed")}));
    EXPECT_EQ(readBytes(kept + u("DB/sub/a.hed")), QByteArray("header"));

    // A server's archive: a level-0 header with the folders in the name.
    const QString mesh = dir.file(QStringLiteral("5339.LZH"));
    writeBytes(mesh,
        rawArchive({raw(0, "MeshData\\0\\5339.mfc", "c"),
            raw(1, "5339.mfv", "v",
                "MeshData\xFF"
                "0\xFF")}));
    const QString meshDest = dir.path() + QStringLiteral("MeshData/0/");
    ASSERT_TRUE(extract(mesh, meshDest, 0));
    EXPECT_EQ(treeOf(meshDest), (QStringList{u("5339.mfc"), u("5339.mfv")}));
}

TEST(ModLha, ANonArchiveChangesNothing)
{
    const QByteArray good = rawArchive({raw(2, "a.txt", "alpha"), raw(2, "b.txt", "beta")});
    RawMember badSum = raw(0, "a.txt", "alpha");
    badSum.badChecksum = true;
    const struct
    {
        const char *what;
        std::optional<QByteArray> bytes; // none: no file at all
    } cases[] = {
        {"text", QByteArray("not an archive\r\n")},
        {"empty", QByteArray()},
        {"end mark only", QByteArray(1, '\0')},
        {"truncated", good.left(good.size() - 3)},
        {"header checksum error", rawArchive({badSum})},
        {"missing", std::nullopt},
    };
    for (const auto &c : cases) {
        for (const int mode : {0, 1, 7}) {
            SCOPED_TRACE(std::string(c.what) + " mode " + std::to_string(mode));
            TempDir dir;
            const QString archive = dir.file(QStringLiteral("x.lzh"));
            if (c.bytes)
                writeBytes(archive, *c.bytes);
            const QString dest = dir.path() + QStringLiteral("dest/");
            makeFile(dest + u("keep.txt"), "keep");
            const QStringList before = treeOf(dir.path());
            QString text = u("before");
            EXPECT_FALSE(modLHA::CheckArchive(archive));
            EXPECT_FALSE(modLHA::ExtractArchive(archive, QString(), dest, text, 0, mode));
            EXPECT_EQ(text, u("before"));
            EXPECT_EQ(treeOf(dir.path()), before);
            EXPECT_EQ(readBytes(dest + u("keep.txt")), QByteArray("keep"));
        }
    }
    // Nor does a missing destination appear for one.
    TempDir dir;
    writeBytes(dir.file(QStringLiteral("x.lzh")), "text");
    EXPECT_FALSE(extract(dir.file(QStringLiteral("x.lzh")), dir.path() + u("new/")));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{u("x.lzh")});
}

TEST(ModLha, ModesOtherThanZeroAndOneFail)
{
    TempDir dir;
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    writeBytes(archive, rawArchive({raw(2, "a.txt", "alpha")}));
    for (const int mode : {-1, 2, 3}) {
        SCOPED_TRACE(mode);
        EXPECT_FALSE(extract(archive, dir.path() + u("dest/"), mode));
        EXPECT_EQ(entriesOf(dir.path()), QStringList{u("x.lzh")});
    }
}

TEST(ModLha, ACrcErrorKeepsTheEarlierMembersAndLeavesNoPartialFile)
{
    TempDir dir;
    RawMember bad = raw(2, "b.txt", QByteArray(200000, 'B'));
    bad.crc = static_cast<std::uint16_t>(rawCrc16(bad.data) ^ 1);
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    writeBytes(archive, rawArchive({raw(2, "a.txt", "alpha"), bad, raw(0, "c.txt", "gamma")}));
    const QString dest = dir.path() + QStringLiteral("dest/");
    makeFile(dest + u("b.txt"), "old b");

    QString text;
    EXPECT_FALSE(extract(archive, dest, 0, &text));
    EXPECT_EQ(treeOf(dest), (QStringList{u("a.txt"), u("b.txt"), u("c.txt")}));
    EXPECT_EQ(readBytes(dest + u("a.txt")), QByteArray("alpha"));
    EXPECT_EQ(readBytes(dest + u("b.txt")), QByteArray("old b"));
    EXPECT_EQ(readBytes(dest + u("c.txt")), QByteArray("gamma"));
    EXPECT_EQ(text.split(QLatin1Char('\n')).size(), 3) << text.toStdString();
    EXPECT_TRUE(text.contains(u("CRC"))) << text.toStdString();
}

TEST(ModLha, ReplacesFilesOfTheSameNameAndTheLaterOfTwoMembersWins)
{
    TempDir dir;
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    writeBytes(archive,
        rawArchive(
            {raw(2, "x.txt", "first", "a\xFF"), raw(0, "b\\x.txt", "second"), raw(2, "MESH.MFC", "mesh")}));
    const QString dest = dir.path() + QStringLiteral("dest/");
    makeFile(dest + u("mesh.mfc"), "old mesh");
    ASSERT_TRUE(extract(archive, dest));
    EXPECT_EQ(treeOf(dest), (QStringList{u("mesh.mfc"), u("x.txt")}));
    EXPECT_EQ(readBytes(dest + u("x.txt")), QByteArray("second"));
    EXPECT_EQ(readBytes(dest + u("mesh.mfc")), QByteArray("mesh"));
}

TEST(ModLha, HostileNamesCreateNothingOutsideTheDestination)
{
    Layout probe;
    RawMember link = raw(2, "evil|../../../outside.txt", {}, {}, "-lhd-");
    link.unixMode = 0120777;
    RawMember device = raw(2, "dev", "x");
    device.unixMode = 020644;
    const QByteArray absolute = QFile::encodeName(probe.root.path()) + "abs.txt";
    const struct
    {
        const char *what;
        RawMember member;
        QString flatName; // empty: skipped in mode 0
    } cases[] = {
        {"..\\x", raw(0, "..\\x", "1"), u("x")},
        {"../../x", raw(2, "../../x", "1"), u("x")},
        {"/etc/x", raw(2, "/etc/x", "1"), u("x")},
        {"absolute into the tree", raw(2, absolute, "1"), u("abs.txt")},
        {"a/../../b", raw(1, "a/../../b", "1"), u("b")},
        {"C:\\x", raw(0, "C:\\x", "1"), u("x")},
        {"C:x", raw(0, "C:x", "1"), u("C:x")},
        {"climbing directory header", raw(2, "x", "1", "..\xFF..\xFF"), u("x")},
        {"empty name", raw(0, "sub\\", "1"), {}},
        {"..", raw(0, "..", "1"), {}},
        {"control character", raw(2, "a\x01z", "1"), {}},
        {"NUL", raw(2, QByteArray("a\0z", 3), "1"), {}},
        {"symbolic link", link, {}},
        {"device", device, {}},
    };
    for (const auto &c : cases) {
        for (const int mode : {0, 1}) {
            SCOPED_TRACE(std::string(c.what) + " mode " + std::to_string(mode));
            Layout l;
            writeBytes(
                l.archive, rawArchive({raw(2, "good.txt", "good"), c.member, raw(0, "after.txt", "after")}));
            QString text;
            const bool ok = extract(l.archive, l.dest, mode, &text);
            QStringList expected = {u("a/"), u("a/b/"), u("a/b/dest/"), u("a/b/dest/after.txt"),
                u("a/b/dest/good.txt"), u("archive.lzh")};
            const bool extracted = mode == 0 && !c.flatName.isEmpty();
            if (extracted)
                expected.append(u("a/b/dest/") + c.flatName);
            expected.sort();
            EXPECT_EQ(treeOf(l.root.path()), expected) << text.toStdString();
            EXPECT_EQ(ok, extracted) << text.toStdString();
            EXPECT_FALSE(QFileInfo::exists(u("/etc/x")));
        }
    }
}

TEST(ModLha, ALinkStandingAtADestinationNameIsReplacedNotFollowed)
{
    Layout l;
    const QString outside = makeFile(l.root.file(QStringLiteral("outside.txt")), "secret");
    QDir().mkpath(l.root.path() + u("outdir"));
    ASSERT_TRUE(QFile::link(outside, l.dest + u("x.txt")));
    ASSERT_TRUE(QFile::link(l.root.path() + u("outdir"), l.dest + u("sub")));
    writeBytes(l.archive, rawArchive({raw(2, "x.txt", "new")}));
    ASSERT_TRUE(extract(l.archive, l.dest, 0));
    EXPECT_EQ(readBytes(outside), QByteArray("secret"));
    EXPECT_FALSE(QFileInfo(l.dest + u("x.txt")).isSymLink());
    EXPECT_EQ(readBytes(l.dest + u("x.txt")), QByteArray("new"));

    // Keeping folders: a linked folder on the way is not entered.
    writeBytes(l.archive, rawArchive({raw(2, "y.txt", "y", "sub\xFF"), raw(2, "z.txt", "z")}));
    EXPECT_FALSE(extract(l.archive, l.dest, 1));
    EXPECT_TRUE(entriesOf(l.root.path() + u("outdir")).isEmpty());
    EXPECT_EQ(readBytes(l.dest + u("z.txt")), QByteArray("z"));
}

TEST(ModLha, CreateRefusesAndLeavesTheArchiveAsItWas)
{
    TempDir dir;
    const QString good = makeFile(dir.file(QStringLiteral("good.txt")), "good");
    const QString korean = makeFile(dir.path() + u("한국.txt"), "k");
    const QString plain = makeFile(dir.file(QStringLiteral("plain.txt")), "not an archive");
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    ASSERT_TRUE(add(archive, good));
    const QByteArray before = readBytes(archive);
    const struct
    {
        const char *what;
        QString archive;
        QString file;
    } cases[] = {
        {"missing file", archive, dir.file(QStringLiteral("missing.txt"))},
        {"a folder as the file", archive, dir.path()},
        {"name CP932 cannot hold", archive, korean},
        {"existing file that is not an archive", plain, good},
        {"archive in a missing folder", dir.file(QStringLiteral("none/x.lzh")), good},
        {"archive under a regular file", dir.file(QStringLiteral("good.txt/x.lzh")), good},
        {"archive name is a folder", dir.path() + u("folder.lzh"), good},
    };
    QDir().mkpath(dir.path() + u("folder.lzh"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList tree = treeOf(dir.path());
        QString text;
        EXPECT_FALSE(modLHA::CreateArchive(c.archive, c.file, text, 0, 0));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_EQ(treeOf(dir.path()), tree);
        EXPECT_EQ(readBytes(archive), before);
        EXPECT_EQ(readBytes(plain), QByteArray("not an archive"));
    }
}

TEST(ModLha, AWriteFailureLeavesNoPartialFile)
{
    TempDir dir;
    const QString a = makeFile(dir.file(QStringLiteral("a.txt")), "alpha");
    const QString b = makeFile(dir.file(QStringLiteral("b.txt")), "beta");
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    ASSERT_TRUE(add(archive, a));
    const QByteArray before = readBytes(archive);
    const QString dest = dir.path() + QStringLiteral("dest/");
    makeFile(dest + u("a.txt"), "old");
    const QStringList tree = treeOf(dir.path());
    {
        NoFileWrites full;
        ASSERT_TRUE(full.ok());
        QString text;
        EXPECT_FALSE(modLHA::CreateArchive(archive, b, text, 0, 0));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(modLHA::ExtractArchive(archive, QString(), dest, text, 0, 0));
    }
    EXPECT_EQ(readBytes(archive), before);
    EXPECT_EQ(treeOf(dir.path()), tree);
    EXPECT_EQ(readBytes(dest + u("a.txt")), QByteArray("old"));

    // A destination below a regular file cannot be made.
    QString text;
    EXPECT_FALSE(modLHA::ExtractArchive(archive, QString(), a + u("/dest/"), text, 0, 0));
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(treeOf(dir.path()), tree);
}

TEST(ModLha, AHeaderWhoseSizeEndsInAZeroByteIsPadded)
{
    TempDir dir;
    // 24 bytes of base header, 5 of header CRC, 3 + 222 of name and 2 of
    // end make 256: the first byte would be 0, the end mark.
    const QString name = QString(218, QLatin1Char('n')) + u(".txt");
    const QString file = makeFile(dir.file(name), "padded");
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    ASSERT_TRUE(add(archive, file));
    const QByteArray bytes = readBytes(archive);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 1);
    EXPECT_TRUE(modLHA::CheckArchive(archive));
    EXPECT_EQ(namesOf(archive), QStringList{name});
}

TEST(ModLha, AFileListExtractsTheMatchingMembersOnly)
{
    TempDir dir;
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    writeBytes(archive, rawArchive({raw(2, "a.txt", "a"), raw(2, "b.dat", "b"), raw(2, "c.DAT", "c")}));
    QString text;
    ASSERT_TRUE(modLHA::ExtractArchive(archive, u("\"*.dat\""), dir.path() + u("dest"), text, 0, 0));
    EXPECT_EQ(entriesOf(dir.path() + u("dest")), (QStringList{u("b.dat"), u("c.DAT")}));
}

TEST(ModLha, ForeignArchivesOfEveryLevelExtractFlatWithCp932NamesWhole)
{
    const QByteArray juu = "\x8F\x5C\x93\xFA\x92\xAC\x8E\x73.txt"; // 十日町市.txt
    const QByteArray soft = "\x83\x5C\x83\x74\x83\x67"; // ソフト
    const QByteArray hyou = "\x95\x5C.csv"; // 表.csv
    for (const int level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        TempDir dir;
        const QString archive = dir.file(QStringLiteral("x.lzh"));
        QList<RawMember> members
            = {raw(level, juu, "1"), raw(level, soft + "\\" + hyou, "2"), raw(level, soft, "3")};
        if (level > 0)
            members.append(raw(
                level, "in-folder.txt", "4", soft + "\xFF" + QByteArray("\x94\x5C") + "\xFF")); // ソフト/能/
        writeBytes(archive, rawArchive(members));
        const QString dest = dir.path() + QStringLiteral("dest/");
        QString text;
        ASSERT_TRUE(modLHA::ExtractArchive(archive, QString(), dest, text, 0, 0)) << text.toStdString();
        QStringList expected = {u("十日町市.txt"), u("表.csv"), u("ソフト")};
        if (level > 0)
            expected.append(u("in-folder.txt"));
        expected.sort();
        EXPECT_EQ(treeOf(dest), expected);
        EXPECT_EQ(readBytes(dest + u("表.csv")), QByteArray("2"));
    }
}
