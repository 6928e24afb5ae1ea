#include "rawlha.h"

namespace veltra::test {

namespace {

void le(QByteArray &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void extended(QByteArray &out, char type, const QByteArray &data)
{
    le(out, static_cast<std::uint32_t>(data.size() + 3), 2);
    out.append(type);
    out.append(data);
}

// 2024-05-06 07:08:10 as an MS-DOS date and time.
constexpr std::uint32_t dosTime = ((2024 - 1980) << 25) | (5 << 21) | (6 << 16) | (7 << 11) | (8 << 5) | 5;

} // namespace

RawMember raw(int level, const QByteArray &name, const QByteArray &data, const QByteArray &folder,
    const QByteArray &method)
{
    RawMember m;
    m.level = level;
    m.name = name;
    m.data = data;
    m.folder = folder;
    m.method = method;
    return m;
}

std::uint16_t rawCrc16(const QByteArray &bytes)
{
    std::uint16_t crc = 0;
    for (const char ch : bytes) {
        crc ^= static_cast<unsigned char>(ch);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

QByteArray rawMember(const RawMember &m)
{
    const std::uint16_t crc = m.crc.value_or(rawCrc16(m.data));
    QByteArray h;
    if (m.level == 0 || m.level == 1) {
        QByteArray ext;
        if (m.level == 1) {
            if (!m.folder.isEmpty())
                extended(ext, 0x02, m.folder);
            if (m.unixMode) {
                QByteArray mode;
                le(mode, *m.unixMode, 2);
                extended(ext, 0x50, mode);
            }
        }
        QByteArray body; // from the method to the end of the base header
        body.append(m.method);
        le(body, static_cast<std::uint32_t>(m.data.size() + ext.size()), 4);
        le(body, static_cast<std::uint32_t>(m.data.size()), 4);
        le(body, dosTime, 4);
        body.append('\x20');
        body.append(static_cast<char>(m.level));
        body.append(static_cast<char>(m.name.size()));
        body.append(m.name);
        le(body, crc, 2);
        if (m.level == 1) {
            body.append('M');
            // The first extended header's size ends the base header; each
            // extended header ends with the next one's size.
            if (ext.isEmpty()) {
                le(body, 0, 2);
            } else {
                body.append(ext.left(2));
                ext = ext.mid(2);
                le(ext, 0, 2);
            }
        }
        unsigned sum = 0;
        for (const char ch : body)
            sum += static_cast<unsigned char>(ch);
        h.append(static_cast<char>(body.size()));
        h.append(static_cast<char>((sum + (m.badChecksum ? 1 : 0)) & 0xFF));
        h.append(body);
        h.append(ext);
    } else {
        h.append(QByteArray(2, '\0'));
        h.append(m.method);
        le(h, static_cast<std::uint32_t>(m.data.size()), 4);
        le(h, static_cast<std::uint32_t>(m.data.size()), 4);
        le(h, 1715000000u, 4);
        h.append('\x20');
        h.append('\x02');
        le(h, crc, 2);
        h.append('M');
        extended(h, 0x01, m.name);
        if (!m.folder.isEmpty())
            extended(h, 0x02, m.folder);
        if (m.unixMode) {
            QByteArray mode;
            le(mode, *m.unixMode, 2);
            extended(h, 0x50, mode);
        }
        le(h, 0, 2);
        if ((h.size() & 0xFF) == 0)
            h.append('\0');
        h[0] = static_cast<char>(h.size() & 0xFF);
        h[1] = static_cast<char>((h.size() >> 8) & 0xFF);
    }
    return h + m.data;
}

QByteArray rawArchive(const QList<RawMember> &members)
{
    QByteArray out;
    for (const RawMember &m : members)
        out.append(rawMember(m));
    out.append('\0');
    return out;
}

} // namespace veltra::test
