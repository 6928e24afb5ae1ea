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

} // namespace veltra::test
