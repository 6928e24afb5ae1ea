#include "platform/fs/fs.h"
#include "testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Copies a killed write left beside the file go with its next write; a copy
// young enough to belong to a write still running, and names of another
// shape, stay.
TEST_F(FsOps, AtomicWriteRemovesOldLeftoversOfKilledWrites)
{
    const QString folder = root + QStringLiteral("Left/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
    struct Entry
    {
        const char *name;
        bool old;
        bool folder;
        bool kept;
    };
    const Entry entries[] = {
        {"def.txt.a1B2c3", true, false, false}, {"def.txt.Zz9999", true, false, false},
        {"def.txt.a1B2c4", false, false, true}, // a write in flight
        {"def.txt.a1B2c", true, false, true}, // five characters
        {"def.txt.a1B2c3d", true, false, true}, // seven
        {"def.txt.a1-2c3", true, false, true}, {"def.txt.a1B2c3.bak", true, false, true},
        {"other.txt.a1B2c3", true, false, true}, {"def.txt.q1w2e3", true, true, true}, // a folder
    };
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
    ASSERT_TRUE(writeFileAtomic(folder + QStringLiteral("def.txt"), "whole"));
    for (const Entry &e : entries)
        EXPECT_EQ(QFileInfo::exists(folder + QString::fromUtf8(e.name)), e.kept) << e.name;
    EXPECT_EQ(readBytes(folder + QStringLiteral("def.txt")), QByteArray("whole"));
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
