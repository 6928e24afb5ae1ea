#pragma once
// Reads LHA archives through liblhasa.
//
// liblhasa parses each header (checksums, extended headers) and decodes the
// member data; this class adds what it leaves to its caller:
//  - the whole file is accounted for: the first header starts at byte 0 (no
//    self-extractor lead-in), each next header starts right after the data
//    of the one before, and the archive ends at the end of the file or at an
//    end mark (a 0 byte). Anything else is a header that does not parse.
//  - names come from the header bytes (membername.h), since liblhasa splits
//    CP932 names at the second byte of characters such as 十 and lowercases
//    names it takes for MS-DOS ones.
//  - the CRC-16 of each member's data is computed here and compared.
//
// Use: open() walks every header; members() lists them; readData() then
// streams the data of members in increasing index order.
#include "platform/archive/membername.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace veltra::archive {

struct Member
{
    enum class Kind { File, Folder, SymbolicLink, Special };

    StoredName name;
    QString method; // "-lh0-", "-lh5-", "-lhd-" for folders and links
    Kind kind = Kind::File;
    std::uint64_t size = 0;
    std::uint64_t compressedSize = 0;
    std::uint16_t crc = 0; // as stored in the header
    QDateTime time;
    int headerLevel = 0;
    // Where the member lies in the file: its header, then its data up to
    // endOffset. Copying [headerOffset, endOffset) copies the member whole.
    qint64 headerOffset = 0;
    qint64 endOffset = 0;
};

class LhaReader
{
public:
    // Receives decoded data; false stops the read.
    using Sink = std::function<bool(const char *data, qint64 length)>;

    LhaReader();
    ~LhaReader();
    LhaReader(const LhaReader &) = delete;
    LhaReader &operator=(const LhaReader &) = delete;

    // Walks every header of the file (a local path). False when the file
    // cannot be read or is not a whole LHA archive; `error` says why.
    bool open(const QString &path, QString *error = nullptr);

    const QList<Member> &members() const { return m_members; }
    // Offset of the end of the last member (where an end mark would stand).
    qint64 membersEnd() const { return m_membersEnd; }

    // Decodes the data of member `index` into `sink`, checking its length and
    // CRC-16. Indexes must increase from call to call. False (with `error`)
    // for an unknown method, short or corrupt data, a CRC mismatch or a sink
    // that refused.
    bool readData(int index, const Sink &sink, QString *error = nullptr);

private:
    struct Pass;
    bool startPass(QString *error);

    QString m_path;
    QList<Member> m_members;
    qint64 m_membersEnd = 0;
    std::unique_ptr<Pass> m_pass;
};

} // namespace veltra::archive
