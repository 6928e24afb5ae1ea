#pragma once
// Writes LHA archives header byte by header byte, as other archivers (the
// download server's, other machines') write them: level-0, level-1 and
// level-2 headers, names as raw bytes with '\', '/' or 0xFF between folders,
// and faults on demand. Independent of the archive library under test.
#include <QByteArray>
#include <QList>
#include <cstdint>
#include <optional>

namespace veltra::test {

struct RawMember
{
    int level = 2;
    QByteArray name; // the name field as stored
    QByteArray folder; // level 1 and 2: a directory header (0xFF separators); none when empty
    QByteArray data;
    QByteArray method = "-lh0-";
    std::optional<std::uint16_t> crc; // default: the CRC-16 of the data
    std::optional<std::uint16_t> unixMode; // level 1 and 2: a Unix permission header
    bool badChecksum = false; // level 0 and 1: a wrong header checksum
};

// A member with the usual fields; set the others on the result.
RawMember raw(int level, const QByteArray &name, const QByteArray &data, const QByteArray &folder = {},
    const QByteArray &method = "-lh0-");

std::uint16_t rawCrc16(const QByteArray &bytes);

// The header and data of one member.
QByteArray rawMember(const RawMember &member);
// Members followed by the end mark.
QByteArray rawArchive(const QList<RawMember> &members);

} // namespace veltra::test
