// Our archives read by two decoders we did not write: lhasa (liblhasa's own
// tool) and bsdtar (libarchive's LHA reader).
#include "archivetestsupport.h"
#include "platform/archive/modlha.h"
#include "platform/text/text.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray output;
};

ToolRun run(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    ToolRun result;
    if (!process.waitForFinished(60000))
        return result;
    result.output = process.readAll();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

QByteArray noise(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(42);
    for (char &c : bytes)
        c = static_cast<char>(generator.bounded(256));
    return bytes;
}

// Builds an archive of the files (relative paths under a source folder)
// through CreateArchive with the with-paths flag given.
QString buildArchive(
    const TempDir &dir, const QList<std::pair<QString, QByteArray>> &files, int16_t withPaths)
{
    const QString source = dir.path() + QStringLiteral("src/");
    const QString archive = dir.file(QStringLiteral("ours.lzh"));
    const QString cwd = QDir::currentPath();
    QDir().mkpath(source);
    QDir::setCurrent(source);
    for (const auto &[name, bytes] : files) {
        makeFile(source + name, bytes);
        QString text;
        EXPECT_TRUE(modLHA::CreateArchive(archive, name, text, 0, withPaths)) << text.toStdString();
    }
    QDir::setCurrent(cwd);
    return archive;
}

} // namespace

TEST(ArchiveInterop, LhasaVerifiesAndExtractsOurArchives)
{
    const QString lhasa = QStandardPaths::findExecutable(QStringLiteral("lhasa"));
    ASSERT_FALSE(lhasa.isEmpty()) << "lhasa is installed by scripts/install-deps";
    TempDir dir;
    const QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("a.txt"), "alpha\r\n"},
        {QStringLiteral("DB/sub/big.dat"), noise(300000)},
        {QStringLiteral("DB/empty.hed"), {}},
        {u("DB/十日町市 表.txt"), "juu"},
        {QString(218, QLatin1Char('p')) + u(".txt"), "padded header"},
    };
    const QString archive = buildArchive(dir, files, -1);

    const ToolRun test = run(lhasa, {QStringLiteral("t"), archive}, dir.path());
    EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();

    const QString out = dir.path() + QStringLiteral("out/");
    QDir().mkpath(out);
    const ToolRun extract = run(lhasa, {QStringLiteral("x"), archive}, out);
    ASSERT_EQ(extract.exitCode, 0) << extract.output.toStdString();
    for (const auto &[name, bytes] : files) {
        SCOPED_TRACE(name.toStdString());
        // lhasa writes names as the archive's bytes: CP932 here.
        QByteArray path = QFile::encodeName(out);
        const QStringList parts = name.split(QLatin1Char('/'));
        for (int i = 0; i < parts.size(); ++i) {
            QByteArray part;
            ASSERT_TRUE(veltra::text::encodeCp932(parts[i], part));
            path += part + (i + 1 < parts.size() ? "/" : "");
        }
        std::ifstream in(path.toStdString(), std::ios::binary);
        ASSERT_TRUE(in.good()) << path.toStdString();
        const std::string got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(QByteArray::fromStdString(got), bytes);
    }
    // Names that are not UTF-8 are beyond QTemporaryDir's clean-up.
    std::filesystem::remove_all(QFile::encodeName(out).toStdString());
}

TEST(ArchiveInterop, BsdtarExtractsOurArchivesWithAsciiNames)
{
    const QString bsdtar = QStandardPaths::findExecutable(QStringLiteral("bsdtar"));
    ASSERT_FALSE(bsdtar.isEmpty()) << "bsdtar (libarchive-tools) is installed by scripts/install-deps";
    TempDir dir;
    const QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("mesh 5339.mfc"), noise(100000)},
        {QStringLiteral("folder/b.txt"), "beta"},
        {QStringLiteral("folder/deeper/c.txt"), "gamma"},
    };
    const QString archive = buildArchive(dir, files, -1);

    const ToolRun list = run(bsdtar, {QStringLiteral("-tf"), archive}, dir.path());
    ASSERT_EQ(list.exitCode, 0) << list.output.toStdString();
    for (const auto &[name, bytes] : files)
        EXPECT_TRUE(list.output.contains(name.toUtf8())) << list.output.toStdString();

    const QString out = dir.path() + QStringLiteral("out/");
    QDir().mkpath(out);
    const ToolRun extract = run(bsdtar, {QStringLiteral("-xf"), archive}, out);
    ASSERT_EQ(extract.exitCode, 0) << extract.output.toStdString();
    for (const auto &[name, bytes] : files)
        EXPECT_EQ(readBytes(out + name), bytes) << name.toStdString();
}
