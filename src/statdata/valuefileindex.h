#pragma once
// A statistics value file read once and indexed for repeated lookups.
//
// The statistics map window looks up one area after another in the same value
// file; reading and splitting the whole file for every area made a map of
// 1,900 municipalities read 1,900 files. An index keeps the file's lines, the
// completed code and the field count of each line, and answers "the first line
// at or after line k whose code begins with this prefix and that has at least
// m fields" - exactly the line a top-to-bottom scan would stop at.
//
// Indexes are cached by local path and re-read when the file's size or
// modification time changes; a few recently used files are kept.
// Line numbers are 0-based and count every line of the file (the header is
// line 0), as the town record index counts them.
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace veltra::statdata {

class ValueFileIndex
{
public:
    // The index of the file at this local path, from the cache when the file
    // is unchanged; nullptr when the file cannot be read.
    static std::shared_ptr<const ValueFileIndex> load(const QString &localPath);
    // Forgets every cached index.
    static void clearCache();

    explicit ValueFileIndex(QStringList lines);

    int lineCount() const { return int(m_lines.size()); }
    const QString &line(int index) const { return m_lines.at(index); }

    // The first line at or after `from` whose completed code begins with
    // `prefix` and that has at least `minFields` fields; -1 when none. Empty
    // lines have no fields and never match.
    int findFirst(const QString &prefix, int from, int minFields) const;

private:
    struct Shape
    {
        int32_t fieldCount = 0;
        QString code; // completed code; empty when the line can never match
        bool matchable = false;
    };
    static Shape shapeOf(const QString &line);
    const std::vector<int32_t> &linesWithPrefix(const QString &prefix) const;

    QStringList m_lines;
    std::vector<Shape> m_shapes;
    // Per prefix length: prefix -> ascending line numbers, built on first use.
    mutable std::mutex m_mutex;
    mutable std::map<qsizetype, QHash<QString, std::vector<int32_t>>> m_tables;
};

} // namespace veltra::statdata
