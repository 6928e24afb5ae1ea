// Deleting the analysis file pairs, the graph pictures and the area pictures.
#include "analysisfixtures.h"
#include "platform/fs/fs.h"
#include "statrender/workfiles.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

class DeleteAnalysisFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = tmp.path() + QStringLiteral("data/DB");
        QDir().mkpath(db);
        // Files of DB that are not analysis files.
        writeBytes(db + QStringLiteral("/Mesh.sqlite"), "db");
        writeBytes(db + QStringLiteral("/01.csv"), "cache");
    }
    void pair(int number, const QString &dataName)
    {
        const QString n = QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
        writeAnalysisFile(db + QStringLiteral("/tempheader%1.hed").arg(n), choroplethHeader(dataName));
        writeAnalysisFile(db + QStringLiteral("/tempdata%1.dat").arg(n),
            {dataLine("1", "2", "0", "0", QStringLiteral("区"), {"5"})});
    }
    void pair(int number)
    {
        pair(number, QStringLiteral("tempdata%1.dat").arg(number, 3, 10, QLatin1Char('0')));
    }
    QStringList left() const { return entriesOf(db); }

    TempDir tmp;
    QString db;
};

// Sets the system temporary folder for the test's lifetime, so the graph
// pictures of other test programs running at the same time stay untouched.
class PrivateTempFolder
{
public:
    PrivateTempFolder()
        : m_old(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
    }
    ~PrivateTempFolder()
    {
        if (m_old.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_old);
    }

private:
    QByteArray m_old;
    TempDir m_dir;
};

} // namespace

TEST_F(DeleteAnalysisFilesTest, DeletesEveryPairAndNothingElse)
{
    pair(0);
    pair(1);
    pair(7);
    writeBytes(db + QStringLiteral("/tempdata002.dat"), "a data file no header names");
    ComPSY::DeleteAnalysisFiles(db);
    EXPECT_EQ(left(), (QStringList{"01.csv", "Mesh.sqlite", "tempdata002.dat"}));
}

TEST_F(DeleteAnalysisFilesTest, StopsAtAnUnreadableSecondHeader)
{
    pair(0);
    pair(1);
    pair(2);
    // Over the readers' 50,000 lines: the second header does not read.
    QStringList tooLong = choroplethHeader(QStringLiteral("tempdata001.dat"));
    while (tooLong.size() <= 50000)
        tooLong.append(QStringLiteral("H2,5,13,101,0,2,0,1,1,1,0,0,0"));
    writeAnalysisFile(db + QStringLiteral("/tempheader001.hed"), tooLong);

    ComPSY::DeleteAnalysisFiles(db);
    EXPECT_EQ(left(),
        (QStringList{"01.csv", "Mesh.sqlite", "tempdata001.dat", "tempdata002.dat", "tempheader001.hed",
            "tempheader002.hed"}));
}

TEST_F(DeleteAnalysisFilesTest, HeaderWhoseDataFileIsGoneIsStillDeleted)
{
    pair(0);
    pair(1);
    QFile::remove(db + QStringLiteral("/tempdata000.dat"));
    ComPSY::DeleteAnalysisFiles(db);
    EXPECT_EQ(left(), (QStringList{"01.csv", "Mesh.sqlite"}));
}

TEST_F(DeleteAnalysisFilesTest, OnlyABareDataFileNameOfTheFolderIsDeleted)
{
    // A statistics map file from elsewhere can carry any name in H1.
    writeBytes(tmp.path() + QStringLiteral("victim.dat"), "outside DB");
    writeBytes(tmp.path() + QStringLiteral("data/tempdata000.dat"), "one folder up");
    QDir().mkpath(db + QStringLiteral("/sub"));
    writeBytes(db + QStringLiteral("/sub/tempdata001.dat"), "in a sub-folder");
    writeBytes(db + QStringLiteral("/tempdata009.dat.bak"), "not the writer's name");

    const QString names[] = {
        QStringLiteral("..\\..\\victim.dat"),
        QStringLiteral("../../victim.dat"),
        QStringLiteral("..\\tempdata000.dat"),
        QStringLiteral("sub\\tempdata001.dat"),
        QStringLiteral("sub/tempdata001.dat"),
        QStringLiteral("Mesh.sqlite"),
        QStringLiteral("tempdata009.dat.bak"),
        QStringLiteral("tempdata*.dat"),
        QStringLiteral("\"tempdata003.dat\""),
        tmp.path() + QStringLiteral("victim.dat"),
    };
    for (int i = 0; i < int(std::size(names)); ++i)
        writeAnalysisFile(db + QStringLiteral("/tempheader%1.hed").arg(i, 3, 10, QLatin1Char('0')),
            choroplethHeader(names[i]));
    writeBytes(db + QStringLiteral("/tempdata003.dat"), "named only with quotes");
    // A header too short to name a data file goes as well.
    writeAnalysisFile(db + QStringLiteral("/tempheader100.hed"), {QStringLiteral("H1,0,0")});

    ComPSY::DeleteAnalysisFiles(db);
    EXPECT_EQ(
        left(), (QStringList{"01.csv", "Mesh.sqlite", "sub", "tempdata003.dat", "tempdata009.dat.bak"}));
    EXPECT_EQ(entriesOf(tmp.path()), (QStringList{"data", "victim.dat"}));
    EXPECT_EQ(entriesOf(tmp.path() + QStringLiteral("data")), (QStringList{"DB", "tempdata000.dat"}));
    EXPECT_EQ(entriesOf(db + QStringLiteral("/sub")), QStringList{"tempdata001.dat"});
}

TEST_F(DeleteAnalysisFilesTest, DataFileNamedInOtherCaseIsDeleted)
{
    // Headers written on a system without case in names.
    writeAnalysisFile(db + QStringLiteral("/TEMPHEADER004.HED"), choroplethHeader("TEMPDATA004.DAT"));
    writeBytes(db + QStringLiteral("/tempdata004.dat"), "data");
    ComPSY::DeleteAnalysisFiles(db);
    EXPECT_EQ(left(), (QStringList{"01.csv", "Mesh.sqlite"}));
}

TEST_F(DeleteAnalysisFilesTest, MissingFolderOrNoHeadersChangesNothing)
{
    ComPSY::DeleteAnalysisFiles(db + QStringLiteral("/absent"));
    writeBytes(db + QStringLiteral("/tempdata000.dat"), "data");
    ComPSY::DeleteAnalysisFiles(db);
    EXPECT_EQ(left(), (QStringList{"01.csv", "Mesh.sqlite", "tempdata000.dat"}));
}

TEST(DeleteGraphTempFiles, DeletesPsyTmpFilesOfTheProgramsTemporaryFolder)
{
    PrivateTempFolder privateTemp;
    const QString folder = veltra::fs::tempFolder();
    ASSERT_FALSE(folder.isEmpty());
    const QString made = veltra::fs::makeTempFile(QStringLiteral("PSY"));
    ASSERT_FALSE(made.isEmpty());
    for (const char *name : {"PSYpie1.tmp", "psybar.TMP", "PSY.png", "other.tmp", "xPSY1.tmp"})
        writeBytes(folder + name, "x");

    ComPSY::DeleteGraphTempFiles();
    EXPECT_FALSE(QFile::exists(made));
    EXPECT_EQ(entriesOf(folder), (QStringList{"PSY.png", "other.tmp", "xPSY1.tmp"}));
}

TEST(DeleteAreaPictures, DeletesBitmapsOfAnyCaseAndNothingElse)
{
    TempDir tmp;
    const QString pictures = tmp.path() + QStringLiteral("DB/TempPImage");
    QDir().mkpath(pictures + QStringLiteral("/folder.bmp"));
    for (const char *name : {"13101000000.bmp", "13102.BMP", "13103.Bmp", "13104.jpg", "bmp"})
        writeBytes(pictures + QLatin1Char('/') + name, "x");
    ComPSY::DeleteAreaPictures(pictures);
    EXPECT_EQ(entriesOf(pictures), (QStringList{"13104.jpg", "bmp", "folder.bmp"}));
}
