// Our archives read by two decoders we did not write: lhasa (liblhasa's own
// tool) and bsdtar (libarchive's LHA reader).
#include "archivetestsupport.h"
#include "platform/archive/lhareader.h"
#include "platform/archive/modlha.h"
#include "platform/text/text.h"
#include "testsupport.h"
#include "zorvik/core/elementstore.h"

#include <QDir>
#include <QFile>
#include <QImage>
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

namespace {

// A statistics map file's members: three CP932 text files and two pictures.
QList<std::pair<QString, QByteArray>> tokMembers()
{
    QList<std::pair<QString, QByteArray>> files;
    const auto cp932 = [](const QString &text) {
        QByteArray bytes;
        veltra::text::encodeCp932(text, bytes);
        return bytes;
    };
    QString header;
    QString data1;
    QString data2;
    for (int i = 0; i < 400; ++i) {
        header += u("\"%1\",\"札幌市中央区%2\",\"人口総数\",%3\r\n").arg(i).arg(i % 10).arg(i * 37 % 1000);
        data1 += u("%1,%2,%3,%4\r\n").arg(1100 + i).arg(i * 1234 % 99991).arg(i * 17 % 503).arg(i % 7);
        data2 += u("%1,%2\r\n").arg(1300 + i).arg(static_cast<double>(i) / 7.0, 0, 'f', 4);
    }
    files.append({QStringLiteral("tempheader001.hed"), cp932(header)});
    files.append({QStringLiteral("tempdata001.dat"), cp932(data1)});
    files.append({QStringLiteral("tempdata002.dat"), cp932(data2)});
    for (int n = 1; n <= 2; ++n) {
        QImage image(160, 120, QImage::Format_RGB888);
        image.fill(Qt::white);
        for (int y = 20; y < 100; ++y) {
            for (int x = 10 * n; x < 150; x += 3)
                image.setPixelColor(x, y, QColor::fromHsv((x * n + y) % 360, 200, 220));
        }
        const QString name = QStringLiteral("P%1.bmp").arg(n);
        TempDir dir;
        image.save(dir.file(name), "BMP");
        files.append({name, readBytes(dir.file(name))});
    }
    return files;
}

// Two engine mesh files of a mesh, made by the element store.
QList<std::pair<QString, QByteArray>> meshMembers()
{
    QList<std::pair<QString, QByteArray>> files;
    TempDir dir;
    QRandomGenerator g(5339);
    for (const QString &name : {QStringLiteral("533945.mfv"), QStringLiteral("533945.mfc")}) {
        const QString path = dir.file(name);
        EXPECT_TRUE(zorvik::ElementStore::create(path));
        zorvik::ElementStore store;
        EXPECT_TRUE(store.open(path, false));
        std::vector<zorvik::ElementRecord> records(600);
        zorvik::ElementStore::Changes changes;
        for (int i = 0; i < static_cast<int>(records.size()); ++i) {
            zorvik::ElementRecord &r = records[i];
            r.Type = name.endsWith(QLatin1String("mfv")) ? zorvik::TypeVector : zorvik::TypeConnector;
            r.iPra = {1, 0, static_cast<std::int16_t>(10 + i % 5)};
            int x = g.bounded(100000);
            int y = g.bounded(100000);
            for (int k = g.bounded(1, 30); k > 0; --k) {
                r.X.push_back(x += g.bounded(-200, 200));
                r.Y.push_back(y += g.bounded(-200, 200));
            }
            r.PNum = static_cast<std::int32_t>(r.X.size());
            r.Key = u("道路%1").arg(i);
            changes.inserts.push_back({i + 1, &r});
        }
        EXPECT_TRUE(store.apply(changes));
        store.close();
        files.append({name, readBytes(path)});
    }
    return files;
}

void expectLhasaAndBsdtarRead(
    const TempDir &dir, const QString &archive, const QList<std::pair<QString, QByteArray>> &files)
{
    const ToolRun test = run(QStringLiteral("lhasa"), {QStringLiteral("t"), archive}, dir.path());
    EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();
    const QString out = dir.path() + QStringLiteral("bsdtar-out/");
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    const ToolRun extract = run(QStringLiteral("bsdtar"), {QStringLiteral("-xf"), archive}, out);
    ASSERT_EQ(extract.exitCode, 0) << extract.output.toStdString();
    for (const auto &[name, bytes] : files)
        EXPECT_TRUE(readBytes(out + name) == bytes) << name.toStdString();
}

} // namespace

TEST(ArchiveInterop, CompressedArchivesDecodeInLhasaAndBsdtar)
{
    QList<std::pair<QString, QByteArray>> samples = {
        {QStringLiteral("one-byte.bin"), QByteArray(1 << 20, 'z')},
        {QStringLiteral("edge.bin"), (randomBytes(8191, 1) + randomBytes(8191, 1)).repeated(3)},
    };
    for (quint32 seed = 1; seed <= 8; ++seed)
        samples.append({QStringLiteral("mixed%1.bin").arg(seed), mixed(seed).repeated(2)});
    const struct
    {
        const char *what;
        QList<std::pair<QString, QByteArray>> files;
    } cases[] = {
        {"property samples", samples},
        {".tok-like", tokMembers()},
        {"mesh-like", meshMembers()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString archive = buildArchive(dir, c.files, 0);
        veltra::archive::LhaReader reader;
        ASSERT_TRUE(reader.open(archive));
        int compressed = 0;
        for (const auto &m : reader.members())
            compressed += m.method == u("-lh5-") ? 1 : 0;
        EXPECT_GE(compressed, c.files.size() - 1) << "all but data that does not shrink is -lh5-";
        expectLhasaAndBsdtarRead(dir, archive, c.files);

        // And our own extraction gives the same files.
        const QString out = dir.path() + QStringLiteral("ours/");
        QString text;
        ASSERT_TRUE(modLHA::ExtractArchive(archive, QString(), out, text, 0, 0)) << text.toStdString();
        for (const auto &[name, bytes] : c.files)
            EXPECT_TRUE(readBytes(out + name) == bytes) << name.toStdString();
    }
}
