#pragma once
// The CRC-16 of LHA archives (polynomial 0x8005 reflected, start value 0),
// used for member data and for the common header CRC of level-2 headers.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace veltra::archive {

class Crc16
{
public:
    void update(const void *data, std::size_t length);
    void update(const QByteArray &bytes)
    {
        update(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    std::uint16_t value() const { return m_value; }

    static std::uint16_t of(const QByteArray &bytes);

private:
    std::uint16_t m_value = 0;
};

} // namespace veltra::archive
