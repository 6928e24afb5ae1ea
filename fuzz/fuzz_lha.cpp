// Arbitrary bytes as an LHA archive: checked, extracted both ways into a
// temporary folder, and added to. Beyond the sanitizers' findings, the run
// stops on a broken promise of the archive helpers: a file created outside
// the destination, a temporary file left behind, a link created, or an add
// that reports success without leaving a valid archive holding the file (or
// that fails and still changes the archive).
#include "platform/archive/lhareader.h"
#include "platform/archive/modlha.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace stdfs = std::filesystem;

[[noreturn]] void broken(const char *what, const stdfs::path &path = {})
{
    std::fprintf(stderr, "archive promise broken: %s %s\n", what, path.string().c_str());
    std::abort();
}

const stdfs::path &root()
{
    static const stdfs::path folder = [] {
        // TMPDIR=/dev/shm keeps the many small writes and syncs off the disk.
        const char *base = std::getenv("TMPDIR");
        std::string name = std::string(base && *base ? base : "/tmp") + "/veltra-fuzz-XXXXXX";
        if (!::mkdtemp(name.data()))
            std::abort();
        return stdfs::path(name);
    }();
    return folder;
}

void writeFile(const stdfs::path &path, const uint8_t *data, size_t size)
{
    QFile f(QFile::decodeName(path.c_str()));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
}

QByteArray readFile(const stdfs::path &path)
{
    QFile f(QFile::decodeName(path.c_str()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Only the archive, the file to add and the output folder lie in the root;
// under the output folder, regular files and folders with no temporary name.
void checkTree()
{
    for (const auto &entry : stdfs::directory_iterator(root())) {
        const auto name = entry.path().filename().string();
        if (name != "in.lzh" && name != "add.txt" && name != "out")
            broken("entry outside the destination", entry.path());
    }
    const stdfs::path out = root() / "out";
    if (!stdfs::exists(out))
        return;
    for (const auto &entry : stdfs::recursive_directory_iterator(out)) {
        const auto status = entry.symlink_status();
        if (!stdfs::is_regular_file(status) && !stdfs::is_directory(status))
            broken("not a regular file or folder", entry.path());
        if (entry.path().filename().string().rfind(".veltra-", 0) == 0)
            broken("temporary file left", entry.path());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const stdfs::path archive = root() / "in.lzh";
    const stdfs::path added = root() / "add.txt";
    const stdfs::path out = root() / "out";
    const QString archivePath = QFile::decodeName(archive.c_str());
    writeFile(archive, data, size);
    static const uint8_t addBytes[] = "added by the fuzzer";
    writeFile(added, addBytes, sizeof addBytes - 1);

    const bool valid = modLHA::CheckArchive(archivePath);
    for (const int mode : {0, 1}) {
        QString text = QStringLiteral("untouched");
        const bool ok = modLHA::ExtractArchive(archivePath, QString(),
            QFile::decodeName((out / "dest").c_str()) + QLatin1Char('/'), text, 0, mode);
        if (ok && !valid)
            broken("a file that fails the check was extracted");
        if (!valid && (text != QStringLiteral("untouched") || stdfs::exists(out)))
            broken("a non-archive changed the output or the folder");
        checkTree();
        stdfs::remove_all(out);
    }

    QString text;
    if (modLHA::CreateArchive(archivePath, QFile::decodeName(added.c_str()), text, 0, 0)) {
        veltra::archive::LhaReader reader;
        if (!reader.open(archivePath) || reader.members().isEmpty())
            broken("an add left no valid archive");
        bool found = false;
        for (const auto &member : reader.members())
            found = found || member.name.path == QStringLiteral("add.txt");
        if (!found)
            broken("an add lost the file");
    } else if (readFile(archive)
        != QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))) {
        broken("a failed add changed the archive");
    }
    checkTree();
    return 0;
}
