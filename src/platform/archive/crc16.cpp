#include "platform/archive/crc16.h"

#include <array>

namespace veltra::archive {

namespace {

constexpr std::array<std::uint16_t, 256> makeTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
        table[i] = static_cast<std::uint16_t>(c);
    }
    return table;
}

constexpr auto table = makeTable();

} // namespace

void Crc16::update(const void *data, std::size_t length)
{
    const auto *p = static_cast<const unsigned char *>(data);
    std::uint16_t crc = m_value;
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<std::uint16_t>(table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8));
    m_value = crc;
}

std::uint16_t Crc16::of(const QByteArray &bytes)
{
    Crc16 crc;
    crc.update(bytes);
    return crc.value();
}

} // namespace veltra::archive
