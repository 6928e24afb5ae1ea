#pragma once
// Small helpers shared by the tests.
#include <QByteArray>
#include <QString>
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

} // namespace veltra::test
