// The installed tree: installed into a temporary prefix and moved elsewhere,
// the program fills an empty program folder from the defaults beside it.
#include "programfixture.h"
#include "testsupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::ProgramFixture;

namespace {

const QString kBinDir = QStringLiteral(VELTRA_INSTALL_BINDIR);
const QString kDataDir = QStringLiteral(VELTRA_INSTALL_DATADIR);

// The files and folders under a folder, by their path relative to it.
QSet<QString> entriesUnder(const QString &root)
{
    QSet<QString> files;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(base.relativeFilePath(it.next()));
    return files;
}

std::string missingFrom(const QSet<QString> &wanted, const QSet<QString> &present)
{
    QStringList missing = (wanted - present).values();
    missing.sort();
    return missing.join(QLatin1Char('\n')).toStdString();
}

// Installs the build into `prefix`; the installer's output on failure.
bool install(const QString &prefix, QString *output)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(VELTRA_CMAKE_COMMAND),
        {QStringLiteral("--install"), QStringLiteral(VELTRA_BUILD_DIR), QStringLiteral("--prefix"), prefix});
    const bool finished = cmake.waitForFinished(120000);
    *output = QString::fromLocal8Bit(cmake.readAll());
    return finished && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
}

// True once the program has filled the folder and read the configuration it
// copied there (reading it raises the start count).
bool startedOn(const QString &programFolder)
{
    const QString ini = programFolder + QStringLiteral("/ZORPAK.INI");
    return QFileInfo::exists(ini)
        && ProgramFixture::iniOf(ini, QStringLiteral("USE"), QStringLiteral("COUNT")) == QStringLiteral("1");
}

} // namespace

TEST(Installation, TheMovedTreeFillsAnEmptyProgramFolderFromTheDefaultsBesideIt)
{
    test::TempDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString prefix = dir.path() + QStringLiteral("prefix");
    QString output;
    ASSERT_TRUE(install(prefix, &output)) << output.toStdString();

    // Nothing may lead back to where it was installed or built.
    const QString tree = dir.path() + QStringLiteral("elsewhere/veltra");
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("elsewhere")));
    ASSERT_TRUE(QDir().rename(prefix, tree));

    const QString shared = tree + QLatin1Char('/') + kDataDir;
    for (const QString &path : {kBinDir + QStringLiteral("/veltra"), kDataDir + QStringLiteral("/program/ZORPAK.INI"),
             kDataDir + QStringLiteral("/program/ZORPAK.MNU"), kDataDir + QStringLiteral("/program/Help/index.html"),
             kDataDir + QStringLiteral("/program/Slider.bmp"),
             kDataDir + QStringLiteral("/default/Veltra.zor"), kDataDir + QStringLiteral("/default/Veltra.zdb"),
             kDataDir + QStringLiteral("/default/VeltraData/DB/Mesh.sqlite"),
             kDataDir + QStringLiteral("/default/VeltraData/DefFolder/DispLevel.txt"),
             QStringLiteral(VELTRA_INSTALL_ICONDIR "/veltra.svg"),
             QStringLiteral(VELTRA_INSTALL_DOCDIR "/data/README.md"),
             QStringLiteral(VELTRA_INSTALL_DOCDIR "/data/sources/LICENSES"),
             QStringLiteral(VELTRA_INSTALL_DOCDIR "/data/sources/census/SOURCES.md")})
        EXPECT_TRUE(QFileInfo::exists(tree + QLatin1Char('/') + path)) << path.toStdString();
    EXPECT_TRUE(QFileInfo(tree + QLatin1Char('/') + kBinDir + QStringLiteral("/veltra")).isExecutable());

    // A file only the moved tree has: it shows where the program took its
    // defaults from, since the build's own folders still exist.
    test::writeBytes(shared + QStringLiteral("/default/moved-tree.txt"), "moved");

    const QString programs = dir.path() + QStringLiteral("programs");
    const QString programFolder = programs + QStringLiteral("/mine");
    const QString runtime = dir.path() + QStringLiteral("runtime");
    ASSERT_TRUE(QDir().mkpath(programFolder));
    ASSERT_TRUE(QDir().mkpath(runtime));
    // Qt takes only a private runtime folder; it holds the instance lock, so a
    // Veltra running on this machine does not turn this one away.
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcess veltra;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.remove(QStringLiteral("VELTRA_HOME"));
    veltra.setProcessEnvironment(env);
    veltra.setProcessChannelMode(QProcess::MergedChannels);
    veltra.start(tree + QLatin1Char('/') + kBinDir + QStringLiteral("/veltra"),
        {QStringLiteral("--program-folder"), programFolder});
    ASSERT_TRUE(veltra.waitForStarted(30000)) << veltra.errorString().toStdString();
    // The start then waits in its first dialog, which nobody answers here: the
    // program is ended once it has read the filled folder.
    const QDeadlineTimer deadline(180000);
    while (!startedOn(programFolder) && veltra.state() == QProcess::Running && !deadline.hasExpired())
        veltra.waitForFinished(200);
    const bool stillRunning = veltra.state() == QProcess::Running;
    veltra.kill();
    veltra.waitForFinished(30000);
    const std::string log = QString::fromLocal8Bit(veltra.readAll()).toStdString();
    EXPECT_TRUE(stillRunning) << "the program ended with " << veltra.exitCode() << ":\n" << log;
    ASSERT_TRUE(startedOn(programFolder)) << log;

    // Everything installed for a new program folder is in it, and nothing is
    // left of the filling beside it.
    const QSet<QString> filled = entriesUnder(programFolder);
    EXPECT_EQ(missingFrom(entriesUnder(shared + QStringLiteral("/program")), filled), "");
    EXPECT_EQ(missingFrom(entriesUnder(shared + QStringLiteral("/default")), filled), "");
    EXPECT_TRUE(filled.contains(QStringLiteral("moved-tree.txt")));
    EXPECT_EQ(test::entriesOf(programs), QStringList{QStringLiteral("mine")});
}
