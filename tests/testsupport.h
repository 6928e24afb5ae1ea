#pragma once
// Small helpers shared by the tests.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

// A text written in the test source as UTF-8 (Japanese literals).
QString u(const char *utf8);

// Runs the pending deleteLater() calls, so closed windows are really gone.
void flushDeletes();

} // namespace veltra::test
