#pragma once
// Small helpers of the archive tests.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace veltra::test {

// Writes `bytes` to `path`, creating its folders.
QString makeFile(const QString &path, const QByteArray &bytes);
// Every entry under `root` (recursively, hidden ones and links too) as a
// path relative to root, sorted; folders end in '/', links in '@'.
QStringList treeOf(const QString &root);

// Seeded random bytes.
QByteArray randomBytes(int size, quint32 seed);
// Seeded data of text, repeats and random runs mixed, as statistics files
// and pictures are; up to 60,000 bytes.
QByteArray mixed(quint32 seed);

} // namespace veltra::test
