#pragma once
// Helpers of the statistics data-file tests: CP932 bytes of a text, files
// written in a given encoding and line end, and byte snapshots of a folder tree.
#include "platform/text/text.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>
#include <map>

namespace veltra::test {

inline QByteArray cp932(const QString &text)
{
    QByteArray bytes;
    veltra::text::encodeCp932(text, bytes);
    return bytes;
}

// The lines as CP932 with CR LF after each: what the writers produce.
inline QByteArray cp932Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += cp932(line) + "\r\n";
    return out;
}

// Writes lines in UTF-8 or CP932 with the given line end, creating folders.
inline void writeTextFile(
    const QString &path, const QStringList &lines, bool utf8 = false, const QByteArray &eol = "\r\n")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray out;
    for (const QString &line : lines)
        out += (utf8 ? line.toUtf8() : cp932(line)) + eol;
    writeBytes(path, out);
}

// Every file and folder under root: relative path -> bytes (folders map to
// "<dir>"), for comparing a tree before and after an operation.
inline std::map<QString, QByteArray> snapshot(const QString &root)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(
        root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(root).relativeFilePath(path);
        out[rel] = QFileInfo(path).isDir() ? QByteArray("<dir>") : readBytes(path);
    }
    return out;
}

} // namespace veltra::test
