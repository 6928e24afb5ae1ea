#pragma once
// The -lh5- encoder: LZSS over an 8 KiB sliding window (matches of 3 to 256
// bytes) with each block coded by the format's three Huffman trees: the
// literal/length codes (510), the tree of their code lengths (19) and the
// position tree (14 codes of the distance's bit length). Bits go out most
// significant first, as LHA readers expect.
//
// The encoder streams: input is fed in pieces of any size and compressed
// bytes are handed to the output as they are made, so memory stays bounded
// (about 400 KiB) whatever the member size.
//
// Common use:
//   Lh5Encoder encoder(output);
//   encoder.write(data, length);   // as often as needed
//   encoder.finish();
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <memory>

namespace veltra::archive {

class Lh5Encoder
{
public:
    // Receives compressed bytes; false stops the encoder (write and finish
    // then return false).
    using Output = std::function<bool(const char *data, qint64 length)>;

    static constexpr int maxBlockCodes = 65535;

    // `blockCodes` (1 to maxBlockCodes) is how many codes a block holds at
    // most; the default suits every input.
    explicit Lh5Encoder(Output output, int blockCodes = 16384);
    ~Lh5Encoder();
    Lh5Encoder(const Lh5Encoder &) = delete;
    Lh5Encoder &operator=(const Lh5Encoder &) = delete;

    bool write(const char *data, qint64 length);
    // Codes what is left and flushes the last bits.
    bool finish();

    std::uint64_t bytesIn() const;
    std::uint64_t bytesOut() const;

    // The whole input compressed at once (tests and measurements).
    static QByteArray compress(const QByteArray &data, int blockCodes = 16384);

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace veltra::archive
