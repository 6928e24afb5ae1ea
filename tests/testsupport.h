#pragma once
// Small helpers shared by the tests.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <string>

namespace veltra::test {

// A fresh temporary folder for one test; removed when the object dies.
class TempDir
{
public:
    TempDir();
    bool isValid() const { return m_dir.isValid(); }
    // Absolute path of the folder, ending in '/'.
    QString path() const;
    // Absolute path of a file inside the folder.
    QString file(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

// Whole-file helpers that bypass the platform layers, to check what they wrote.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

// Every entry of a folder (hidden ones too) by name, to see what an
// operation left behind.
QStringList entriesOf(const QString &folder);

// Files of a tree by name with their bytes, to compare two states of it.
using TreeSnapshot = std::map<QString, QByteArray>;

// The names that differ between two snapshots, one a line; empty when they
// are the same.
std::string treeDifferences(const TreeSnapshot &a, const TreeSnapshot &b);

// Copies the tree under `from` into `to` (hidden entries too). With
// rewritePaths the bytes of `from` inside the files become `to`, as if the
// tree had been moved: registers and item lists name their files by full path.
void copyTree(const QString &from, const QString &to, bool rewritePaths = false);

// The text in UTF-16 with its byte-order mark, in either byte order.
QByteArray utf16(const QString &text, bool bigEndian);

// A text written in the test source as UTF-8 (Japanese literals).
QString u(const char *utf8);

// The first python3 that imports the given modules ("openpyxl, PIL"), Debian's
// own first (an interpreter earlier on PATH may not see Debian's modules), or
// an empty text.
QString pythonImporting(const QString &modules);

// Runs the pending deleteLater() calls, so closed windows are really gone.
void flushDeletes();

// While it lives, every write of this process into a regular file fails (a
// file size limit of 0 bytes, as on a full disk), for root too, while reading
// works. Pipes and terminals are not limited, so test output goes on.
class NoFileWrites
{
public:
    NoFileWrites();
    ~NoFileWrites();
    NoFileWrites(const NoFileWrites &) = delete;
    NoFileWrites &operator=(const NoFileWrites &) = delete;
    bool ok() const { return m_ok; }

private:
    unsigned long long m_limit = 0;
    void (*m_handler)(int) = nullptr;
    bool m_ok = false;
};

} // namespace veltra::test
