// The statistics map file on its own: the default extension, what a save
// puts into the archive, a failed save that leaves the old file, and the
// load's temporary folder.
#include "platform/archive/modlha.h"
#include "platform/fs/fs.h"
#include "statwindow/statmapfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

class StatMapFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(privateTemp.path()));
        data = dir.path() + QStringLiteral("data/");
        QDir().mkpath(data + QStringLiteral("DB/TempPImage"));
        test::writeBytes(data + QStringLiteral("DB/tempheader000.hed"), "H1");
        test::writeBytes(data + QStringLiteral("DB/tempdata000.dat"), "D");
        test::writeBytes(data + QStringLiteral("DB/.tempdata001.dat"), "hidden");
        test::writeBytes(data + QStringLiteral("DB/Mesh.sqlite"), "not a member");
        test::writeBytes(data + QStringLiteral("DB/TempPImage/13.bmp"), "BM");
    }
    void TearDown() override
    {
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }

    test::TempDir dir;
    test::TempDir privateTemp;
    QByteArray savedTmp;
    QString data;
};

TEST(StatMapFileName, ANameWithoutExtensionGetsTok)
{
    const std::pair<const char *, const char *> rows[] = {
        {"/a/map", "/a/map.tok"},
        {"/a/map.tok", "/a/map.tok"},
        {"/a/map.TOK", "/a/map.TOK"},
        {"/a/map.lzh", "/a/map.lzh"},
        {"C:\\x.y\\map", "C:\\x.y\\map.tok"},
        {"", ""},
    };
    for (const auto &[in, out] : rows)
        EXPECT_EQ(withStatMapExtension(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
    EXPECT_EQ(statMapFileFilter(), QString::fromUtf8("統計地図ファイル (*.tok) (*.tok)"));
}

TEST_F(StatMapFileTest, MembersAreTheAnalysisFilesThenThePicturesHiddenOnesIncluded)
{
    QStringList names;
    for (const QString &path : statMapMembers(data))
        names << path.section(QLatin1Char('/'), -2);
    EXPECT_EQ(names,
        (QStringList{
            "DB/tempheader000.hed", "DB/.tempdata001.dat", "DB/tempdata000.dat", "TempPImage/13.bmp"}));
}

TEST_F(StatMapFileTest, AFailedSaveLeavesTheOldFileAndNoLeftovers)
{
    const QString file = dir.file(QStringLiteral("map.tok"));
    test::writeBytes(file, "the old map");
    QString reason;
    {
        test::NoFileWrites full;
        ASSERT_TRUE(full.ok());
        EXPECT_EQ(saveStatMapFile(data, file, &reason), StatMapSave::Failed);
    }
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(test::readBytes(file), "the old map");
    EXPECT_EQ(test::entriesOf(dir.path()), (QStringList{"data", "map.tok"}));

    EXPECT_EQ(saveStatMapFile(data, file, &reason), StatMapSave::Saved);
    EXPECT_TRUE(modLHA::CheckArchive(file));
    EXPECT_EQ(test::entriesOf(dir.path()), (QStringList{"data", "map.tok"}));
}

TEST_F(StatMapFileTest, EachLoadExtractsIntoAFolderOfItsOwnThatGoesAway)
{
    const QString file = dir.file(QStringLiteral("map.tok"));
    ASSERT_EQ(saveStatMapFile(data, file), StatMapSave::Saved);
    QString first, second;
    {
        const StatMapExtraction a(file);
        const StatMapExtraction b(file);
        ASSERT_TRUE(a.ok());
        ASSERT_TRUE(b.ok());
        first = a.folder();
        second = b.folder();
        EXPECT_NE(first, second);
        const QRegularExpression name(QStringLiteral("^VeltraTImp\\d{10}-\\w{6}/$"));
        EXPECT_TRUE(name.match(first.mid(fs::tempFolder().size())).hasMatch()) << first.toStdString();
        EXPECT_EQ(test::entriesOf(first),
            (QStringList{".tempdata001.dat", "13.bmp", "tempdata000.dat", "tempheader000.hed"}));
    }
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));

    // Neither a missing file nor a text leaves a folder behind.
    test::writeBytes(dir.file(QStringLiteral("text.tok")), "text");
    for (const char *name : {"missing.tok", "text.tok"}) {
        const StatMapExtraction bad(dir.file(QString::fromUtf8(name)));
        EXPECT_FALSE(bad.ok()) << name;
    }
    EXPECT_TRUE(QDir(fs::tempFolder()).entryList({QStringLiteral("VeltraTImp*")}, QDir::Dirs).isEmpty());
}

} // namespace
