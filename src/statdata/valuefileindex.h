#pragma once
// A statistics value file read once and indexed for repeated lookups.
//
// The statistics map window looks up one area after another in the same value
// file; reading and splitting the whole file for every area made a map of
// 1,900 municipalities read 1,900 files. An index keeps, per line, where the
// line starts in the file, its completed code and its field count, and
// answers "the first line at or after line k whose code begins with this
// prefix and that has at least m fields" - exactly the line a top-to-bottom
// scan would stop at. The text of a line is read back from the file when
// asked for, through the file the index was built from (kept open, so an
// atomic replacement of the file does not change what the index reads).
// No line is held in memory: an index takes 12 bytes a line, and 4 more per
// line for each prefix length looked up (a file of 100 MB in 11.6 million
// short lines: under twice its size).
//
// Indexes are cached by local path and rebuilt when the file's device, inode,
// size, modification or change time differ (so a file replaced by one of the
// same size and time, as cp -p or an unpacked archive makes it, is read
// anew); inside a fs::StampCheckScope a file is checked once per scope. The
// cache holds a few recently used indexes within a total size.
// Line numbers are 0-based and count every line of the file (the header is
// line 0), as the town record index counts them.
#include "platform/text/text.h"

#include <QFile>
#include <QString>
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
    // The total size the cache keeps (the most recently used index is kept
    // even when it alone is larger); and what it holds now, for the tests.
    static constexpr std::size_t DefaultCacheLimit = std::size_t(512) * 1024 * 1024;
    static void setCacheLimit(std::size_t bytes);
    static std::size_t cachedBytes();

    int lineCount() const { return int(m_shapes.size()); }
    // The line's text as the read rule decodes the file, without its line
    // end; empty when the file can no longer be read.
    QString line(int index) const;

    // The first line at or after `from` whose completed code begins with
    // `prefix` and that has at least `minFields` fields; -1 when none. Empty
    // lines have no fields and never match.
    int findFirst(const QString &prefix, int from, int minFields) const;

    // The memory the index holds, in bytes.
    std::size_t memoryBytes() const;

    // Made by load(); public for make_shared.
    ValueFileIndex() = default;

private:
    struct Table
    {
        std::vector<int32_t> lines; // by (prefix, line)
    };
    bool build(const QString &localPath);
    void addLine(qint64 offset, const QString &text);
    qint64 offset(int line) const;
    int fieldCount(int line) const;
    const Table &table(qsizetype prefixLength) const;
    int findInTable(const QString &prefix, int from, int minFields) const;

    mutable std::mutex m_fileMutex;
    mutable QFile m_file;
    qint64 m_fileSize = 0;
    text::Encoding m_encoding = text::Encoding::Cp932;

    // Start of each line in the file (lines of files under 4 GiB; the wide
    // form only beyond).
    std::vector<uint32_t> m_offsets;
    std::vector<qint64> m_wideOffsets;
    // Per line: the digits of a digit-only completed code (one nibble each,
    // digit + 1, from the top of bits 0-43), its length (bits 44-47; 0: the
    // line never matches; 15: the code is not digits and is in m_otherCodes)
    // and the field count (bits 48-63, 65535 meaning "count again").
    std::vector<uint64_t> m_shapes;
    std::vector<std::pair<int32_t, QString>> m_otherCodes; // by line
    // Per prefix length, built on first use: the lines of digit codes in
    // order of (prefix, line).
    mutable std::mutex m_tableMutex;
    mutable std::map<qsizetype, Table> m_tables;
};

} // namespace veltra::statdata
