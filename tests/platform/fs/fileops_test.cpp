#include "platform/fs/fs.h"
#include "testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace veltra::fs;
using veltra::test::entriesOf;
using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::writeBytes;

namespace {

struct FsOps : ::testing::Test
{
    TempDir dir;
    QString root;
    void SetUp() override
    {
        root = dir.path();
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Data/DB")));
        writeBytes(root + QStringLiteral("Data/DB/A.HED"), "a");
        writeBytes(root + QStringLiteral("Data/DB/b.hed"), "b");
        writeBytes(root + QStringLiteral("Data/DB/c.dat"), "c");
        ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Data/DB/Sub.hed")));
    }
};

} // namespace

TEST_F(FsOps, ExistsTellsFilesFromFolders)
{
    EXPECT_TRUE(fileExists(root + QStringLiteral("data\\db\\a.hed")));
    EXPECT_FALSE(fileExists(root + QStringLiteral("data\\db")));
    EXPECT_TRUE(folderExists(root + QStringLiteral("DATA\\DB\\")));
    EXPECT_FALSE(folderExists(root + QStringLiteral("data\\db\\a.hed")));
    EXPECT_FALSE(fileExists(root + QStringLiteral("data\\db\\none")));
    EXPECT_FALSE(fileExists(QString()));
    EXPECT_FALSE(folderExists(QString()));
}

TEST_F(FsOps, CreateFolderMakesMissingParentsUnderExistingNames)
{
    ASSERT_TRUE(createFolder(root + QStringLiteral("data\\db\\New\\Deeper\\")));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("Data/DB/New/Deeper")).isDir());
    EXPECT_EQ(entriesOf(root), QStringList({QStringLiteral("Data")})); // no second "data"
    EXPECT_TRUE(createFolder(root + QStringLiteral("data"))); // already there
}

TEST_F(FsOps, ListsMatchingNamesSortedWithoutCase)
{
    EXPECT_EQ(listFiles(root + QStringLiteral("data\\db"), QStringLiteral("*.HED")),
        QStringList({QStringLiteral("A.HED"), QStringLiteral("b.hed")}));
    EXPECT_EQ(listFiles(root + QStringLiteral("data\\db\\")),
        QStringList({QStringLiteral("A.HED"), QStringLiteral("b.hed"), QStringLiteral("c.dat")}));
    EXPECT_EQ(listFolders(root + QStringLiteral("data\\db"), QStringLiteral("*.hed")),
        QStringList({QStringLiteral("Sub.hed")}));
    EXPECT_TRUE(listFiles(root + QStringLiteral("none")).isEmpty());
}

TEST_F(FsOps, DeleteFilesTakesWildcardsAndSparesFolders)
{
    EXPECT_TRUE(deleteFiles(root + QStringLiteral("DATA\\db\\*.hed")));
    EXPECT_EQ(entriesOf(root + QStringLiteral("Data/DB")),
        QStringList({QStringLiteral("Sub.hed"), QStringLiteral("c.dat")}));
    EXPECT_TRUE(deleteFiles(root + QStringLiteral("data\\db\\*.none"))); // no match
    EXPECT_TRUE(deleteFiles(root + QStringLiteral("data\\db\\C.DAT"))); // one file, without case
    EXPECT_TRUE(deleteFiles(root + QStringLiteral("data\\db\\c.dat"))); // already gone
    EXPECT_FALSE(deleteFiles(root + QStringLiteral("data\\db\\sub.hed"))); // a folder is no file
    EXPECT_EQ(entriesOf(root + QStringLiteral("Data/DB")), QStringList({QStringLiteral("Sub.hed")}));
}

TEST_F(FsOps, DeleteFolderRemovesEverything)
{
    EXPECT_TRUE(deleteFolder(root + QStringLiteral("data\\DB\\")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("Data/DB")));
    EXPECT_TRUE(deleteFolder(root + QStringLiteral("data\\DB"))); // already absent
    EXPECT_FALSE(deleteFolder(QString()));
}

TEST_F(FsOps, CopyKeepsContentDateAndRespectsOverwrite)
{
    const QString source = root + QStringLiteral("Data/DB/c.dat");
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(copyFile(root + QStringLiteral("data\\db\\C.DAT"), root + QStringLiteral("data\\copy.dat")));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/copy.dat")), QByteArray("c"));
    EXPECT_EQ(QFileInfo(root + QStringLiteral("Data/copy.dat")).lastModified().toSecsSinceEpoch(),
        old.toSecsSinceEpoch());

    writeBytes(root + QStringLiteral("Data/copy.dat"), "mine");
    EXPECT_FALSE(copyFile(source, root + QStringLiteral("data\\COPY.dat"), false));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/copy.dat")), QByteArray("mine"));
    EXPECT_TRUE(copyFile(source, root + QStringLiteral("data\\COPY.dat"), true));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/copy.dat")), QByteArray("c"));
    EXPECT_EQ(entriesOf(root + QStringLiteral("Data")),
        QStringList({QStringLiteral("DB"), QStringLiteral("copy.dat")}));

    // A target ending in a separator is a folder to copy into.
    ASSERT_TRUE(copyFile(source, root + QStringLiteral("data\\")));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/c.dat")), QByteArray("c"));
    EXPECT_FALSE(copyFile(root + QStringLiteral("none.dat"), root + QStringLiteral("x.dat")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("x.dat")));
}

TEST_F(FsOps, MoveRenamesButNeverReplaces)
{
    ASSERT_TRUE(moveFile(root + QStringLiteral("data\\db\\c.DAT"), root + QStringLiteral("data\\moved.dat")));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/moved.dat")), QByteArray("c"));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("Data/DB/c.dat")));

    EXPECT_FALSE(
        moveFile(root + QStringLiteral("data\\moved.dat"), root + QStringLiteral("data\\db\\a.hed")));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/DB/A.HED")), QByteArray("a"));
    EXPECT_EQ(readBytes(root + QStringLiteral("Data/moved.dat")), QByteArray("c"));

    ASSERT_TRUE(moveFile(root + QStringLiteral("data\\db\\sub.hed"), root + QStringLiteral("Sub2")));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("Sub2")).isDir());
    ASSERT_TRUE(moveFile(root + QStringLiteral("data\\moved.dat"), root + QStringLiteral("sub2\\")));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("Sub2/moved.dat")).isFile());
    EXPECT_FALSE(moveFile(root + QStringLiteral("none"), root + QStringLiteral("other")));
}

TEST_F(FsOps, AtomicWriteReplacesWholeOrNotAtAll)
{
    const QString target = root + QStringLiteral("Data/DB/c.dat");
    QString error;
    ASSERT_TRUE(writeFileAtomic(root + QStringLiteral("data\\db\\C.DAT"), "new contents", &error));
    EXPECT_EQ(readBytes(target), QByteArray("new contents"));
    EXPECT_EQ(entriesOf(root + QStringLiteral("Data/DB")).size(), 4); // no temporary left

    EXPECT_FALSE(writeFileAtomic(root + QStringLiteral("none\\x.dat"), "x", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.dat"))) << error.toStdString();

    // A write that fails half-way (here as on a full disk, for root too)
    // leaves the old contents and no temporary.
    {
        veltra::test::NoFileWrites full;
        ASSERT_TRUE(full.ok());
        error.clear();
        EXPECT_FALSE(writeFileAtomic(target, "lost", &error));
    }
    EXPECT_TRUE(error.contains(target)) << error.toStdString();
    EXPECT_EQ(readBytes(target), QByteArray("new contents"));
    EXPECT_EQ(entriesOf(root + QStringLiteral("Data/DB")).size(), 4);
}

// The new bytes take the old file's place as it was: its permissions stay,
// a link is written through (the file it names is replaced, the link stays),
// and a new file gets what the umask leaves of 0666.
TEST_F(FsOps, AtomicWriteKeepsModeAndLinks)
{
    const QString folder = root + QStringLiteral("Mode/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const mode_t mask = ::umask(022);
    ::umask(mask);

    struct Case
    {
        const char *name;
        mode_t before; // 0: no file yet
        mode_t after;
    };
    const Case cases[] = {
        {"private.ini", 0600, 0600},
        {"shared.ini", 0664, 0664},
        {"script.sh", 0750, 0750},
        {"new.ini", 0, 0666 & ~mask},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder + QString::fromUtf8(c.name);
        if (c.before) {
            writeBytes(path, "old");
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.before), 0);
        }
        ASSERT_TRUE(writeFileAtomic(path, "new"));
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
        EXPECT_EQ(readBytes(path), QByteArray("new"));
    }

    const QString real = folder + QStringLiteral("real.txt");
    const QString link = folder + QStringLiteral("link.txt");
    writeBytes(real, "old");
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(writeFileAtomic(link, "through"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(real), QByteArray("through"));
}

// Copies a killed write left beside the file ("<name>.veltra-" and six
// letters or digits) go with its next write, by either writer; a copy young
// enough to belong to a write still running, names of another shape, and
// above all the user's own files beside it ("ZORPAK.INI.backup",
// "FileIndex.txt.orig01": six letters or digits after the name too) stay.
TEST_F(FsOps, AWriteRemovesOnlyOldCopiesOfItsOwnKilledWrites)
{
    const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
    struct Entry
    {
        const char *name;
        bool old;
        bool folder;
        bool kept;
    };
    const Entry entries[] = {
        {"def.txt.veltra-a1B2c3", true, false, false}, {"def.txt.veltra-Zz9999", true, false, false},
        {"def.txt.veltra-a1B2c4", false, false, true}, // a write in flight
        {"def.txt.backup", true, false, true}, // the user's
        {"def.txt.orig01", true, false, true},
        {"def.txt.a1B2c3", true, false, true}, // Qt's own pattern: not ours
        {"def.txt.veltra-a1B2c", true, false, true}, // five characters
        {"def.txt.veltra-a1B2c3d", true, false, true}, // seven
        {"def.txt.veltra-a1-2c3", true, false, true}, {"def.txt.veltra-a1B2c3.bak", true, false, true},
        {"DEF.TXT.veltra-a1B2c3", true, false, true}, // another file's
        {"other.txt.veltra-a1B2c3", true, false, true},
        {"def.txt.veltra-q1w2e3", true, true, true}, // a folder
    };
    struct Writer
    {
        const char *name;
        std::function<bool(const QString &target)> write;
    };
    const Writer writers[] = {
        {"writeFileAtomic", [](const QString &target) { return writeFileAtomic(target, "whole"); }},
        {"copyFile",
            [&](const QString &target) {
                writeBytes(root + QStringLiteral("source.txt"), "whole");
                return copyFile(root + QStringLiteral("source.txt"), target);
            }},
    };
    for (const Writer &writer : writers) {
        SCOPED_TRACE(writer.name);
        const QString folder = root + QStringLiteral("Left-") + QString::fromUtf8(writer.name) + u'/';
        ASSERT_TRUE(QDir().mkpath(folder));
        for (const Entry &e : entries) {
            const QString path = folder + QString::fromUtf8(e.name);
            if (e.folder) {
                ASSERT_TRUE(QDir().mkpath(path));
                continue;
            }
            writeBytes(path, "x");
            if (e.old) {
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::ReadWrite));
                ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
            }
        }
        ASSERT_TRUE(writer.write(folder + QStringLiteral("def.txt")));
        for (const Entry &e : entries)
            EXPECT_EQ(QFileInfo::exists(folder + QString::fromUtf8(e.name)), e.kept) << e.name;
        EXPECT_EQ(readBytes(folder + QStringLiteral("def.txt")), QByteArray("whole"));
        // The write's own copy is gone: the folder holds what was there and
        // the file.
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
            std::count_if(std::begin(entries), std::end(entries), [](const Entry &e) { return e.kept; }) + 1);
    }
}

// A folder a recovery is about to remove loses the copies killed writes left
// in it, young ones too, and nothing else.
TEST_F(FsOps, LeftoversInAFolderGoWhateverTheirAge)
{
    const QString folder = root + QStringLiteral("Made/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct
    {
        const char *name;
        bool kept;
    } entries[] = {
        {"13.txt.veltra-a1B2c3", false},
        {"FileIndex.txt.veltra-Zz9999", false},
        {"13.txt.orig01", true},
        {"13.txt.a1B2c3", true},
        {".veltra-a1B2c3", true}, // no file name
        {"13.txt.veltra-a1B2c", true},
        {"13.txt", true},
    };
    for (const auto &e : entries)
        writeBytes(folder + QString::fromUtf8(e.name), "x");
    removeWriteLeftoversIn(folder);
    for (const auto &e : entries)
        EXPECT_EQ(QFileInfo::exists(folder + QString::fromUtf8(e.name)), e.kept) << e.name;
}

TEST_F(FsOps, AppendAndReadWholeFiles)
{
    const QString path = root + QStringLiteral("data\\LOG.txt");
    ASSERT_TRUE(appendFile(path, QByteArray()));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("Data/LOG.txt")).isFile());
    EXPECT_EQ(QFileInfo(root + QStringLiteral("Data/LOG.txt")).size(), 0);
    ASSERT_TRUE(appendFile(root + QStringLiteral("data\\log.TXT"), "ab"));
    ASSERT_TRUE(appendFile(path, "c"));
    QByteArray bytes;
    ASSERT_TRUE(readFile(root + QStringLiteral("DATA/log.txt"), bytes));
    EXPECT_EQ(bytes, QByteArray("abc"));

    QString error;
    EXPECT_FALSE(readFile(root + QStringLiteral("none.txt"), bytes, &error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(FsTemp, TemporaryFilesLiveInTheProgramsOwnFolder)
{
    const QString folder = tempFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_TRUE(folder.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(folder.startsWith(QDir::tempPath() + QLatin1Char('/')));
    EXPECT_NE(QDir::cleanPath(folder), QDir::cleanPath(QDir::tempPath()));
    struct stat st;
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0077, 0u); // private to the user

    const QString a = makeTempFile(QStringLiteral("VEL"), QStringLiteral(".tmp"));
    const QString b = makeTempFile(QStringLiteral("VEL"), QStringLiteral(".tmp"));
    EXPECT_NE(a, b);
    for (const QString &f : {a, b}) {
        EXPECT_EQ(QFileInfo(f).absolutePath() + QLatin1Char('/'), folder);
        EXPECT_TRUE(QFileInfo(f).fileName().startsWith(QStringLiteral("VEL")));
        EXPECT_TRUE(f.endsWith(QStringLiteral(".tmp")));
        EXPECT_EQ(QFileInfo(f).size(), 0);
        QFile::remove(f);
    }
}
