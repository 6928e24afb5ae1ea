#include "platform/archive/lh5encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <queue>
#include <vector>

namespace veltra::archive {

namespace {

constexpr int windowHalf = 32768; // the buffer holds two halves; it slides by one
constexpr int bufferSize = 2 * windowHalf;
constexpr int maxDistance = 8191; // the 8 KiB dictionary, one byte kept in reserve
constexpr int minMatch = 3;
constexpr int maxMatch = 256;
constexpr int minLookahead = maxMatch + minMatch + 1;
constexpr int hashBits = 15;
constexpr int hashSize = 1 << hashBits;
constexpr int maxChain = 128; // candidates tried per position
constexpr int goodLength = 32; // a match this long already: try fewer
constexpr int maxLazy = 128; // no lazy search after a match this long
constexpr int niceLength = 256; // stop searching at a match this long
constexpr int tooFar = 4096; // a 3-byte match further back costs more than literals

constexpr int NC = 255 + maxMatch + 2 - minMatch; // 510 literal/length codes
constexpr int NT = 19; // code-length codes
constexpr int NP = 14; // position codes (13-bit distances)
constexpr int CBIT = 9;
constexpr int TBIT = 5;
constexpr int PBIT = 4;
constexpr int maxCodeLength = 16;

struct Tree
{
    std::vector<std::uint8_t> length;
    std::vector<std::uint16_t> code;
    int symbols = 0; // symbols with a frequency
    int only = 0; // the symbol when there is just one (or none)
};

// Huffman code lengths limited to 16 bits, and the canonical codes LHA
// readers build from them (shorter codes first, then symbol order).
Tree makeTree(const std::vector<std::uint32_t> &freq)
{
    const int n = static_cast<int>(freq.size());
    Tree tree;
    tree.length.assign(n, 0);
    tree.code.assign(n, 0);
    std::vector<int> used;
    for (int i = 0; i < n; ++i) {
        if (freq[i] > 0)
            used.push_back(i);
    }
    tree.symbols = static_cast<int>(used.size());
    if (tree.symbols <= 1) {
        tree.only = used.empty() ? 0 : used[0];
        return tree;
    }

    // Depths of an unrestricted Huffman tree.
    std::vector<std::uint64_t> weight;
    std::vector<int> parent;
    using Item = std::pair<std::uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> heap;
    for (const int s : used) {
        heap.emplace(freq[s], static_cast<int>(weight.size()));
        weight.push_back(freq[s]);
        parent.push_back(-1);
    }
    while (heap.size() > 1) {
        const Item a = heap.top();
        heap.pop();
        const Item b = heap.top();
        heap.pop();
        const int node = static_cast<int>(weight.size());
        weight.push_back(a.first + b.first);
        parent.push_back(-1);
        parent[a.second] = node;
        parent[b.second] = node;
        heap.emplace(a.first + b.first, node);
    }
    std::array<int, 64> count{};
    std::vector<int> depth(used.size());
    for (size_t i = 0; i < used.size(); ++i) {
        int d = 0;
        for (int p = parent[i]; p >= 0; p = parent[p])
            ++d;
        depth[i] = d;
        ++count[std::min(d, 63)];
    }

    // Too deep: move the overflow to 16 bits and rebalance so that the code
    // stays complete (the sum of 2^-length is one).
    for (int d = maxCodeLength + 1; d < 64; ++d) {
        count[maxCodeLength] += count[d];
        count[d] = 0;
    }
    std::uint32_t kraft = 0;
    for (int d = 1; d <= maxCodeLength; ++d)
        kraft += static_cast<std::uint32_t>(count[d]) << (maxCodeLength - d);
    while (kraft > (1u << maxCodeLength)) {
        --count[maxCodeLength];
        for (int d = maxCodeLength - 1; d > 0; --d) {
            if (count[d] > 0) {
                --count[d];
                count[d + 1] += 2;
                break;
            }
        }
        --kraft;
    }

    // The longest codes to the rarest symbols.
    std::vector<int> order = used;
    std::stable_sort(order.begin(), order.end(), [&freq](int a, int b) { return freq[a] < freq[b]; });
    size_t next = 0;
    for (int d = maxCodeLength; d > 0; --d) {
        for (int k = 0; k < count[d]; ++k)
            tree.length[order[next++]] = static_cast<std::uint8_t>(d);
    }

    std::array<std::uint32_t, maxCodeLength + 2> start{};
    std::array<int, maxCodeLength + 1> perLength{};
    for (int i = 0; i < n; ++i)
        ++perLength[tree.length[i]];
    perLength[0] = 0;
    for (int d = 1; d <= maxCodeLength; ++d)
        start[d + 1] = (start[d] + perLength[d]) << 1;
    for (int i = 0; i < n; ++i) {
        if (tree.length[i])
            tree.code[i] = static_cast<std::uint16_t>(start[tree.length[i]]++);
    }
    return tree;
}

} // namespace

struct Lh5Encoder::State
{
    Output output;
    int blockCodes = 16384;
    bool failed = false;
    bool finished = false;
    std::uint64_t in = 0;
    std::uint64_t out = 0;

    // LZSS
    std::vector<std::uint8_t> window = std::vector<std::uint8_t>(bufferSize + maxMatch);
    std::vector<std::int32_t> head = std::vector<std::int32_t>(hashSize, -1);
    std::vector<std::int32_t> prev = std::vector<std::int32_t>(bufferSize, -1);
    int strstart = 0;
    int lookahead = 0;
    int matchLength = minMatch - 1;
    int matchStart = 0;
    bool matchAvailable = false;

    // The block being gathered: codes, positions of the matches, frequencies.
    std::vector<std::uint16_t> codes;
    std::vector<std::uint16_t> positions;
    std::vector<std::uint32_t> cFreq = std::vector<std::uint32_t>(NC);
    std::vector<std::uint32_t> pFreq = std::vector<std::uint32_t>(NP);

    // Bits, most significant first.
    std::uint64_t bitBuffer = 0;
    int bitCount = 0;
    QByteArray pending;

    int hashAt(int pos) const
    {
        const std::uint8_t *p = window.data() + pos;
        return ((p[0] << 10) ^ (p[1] << 5) ^ p[2] ^ (p[0] >> 5)) & (hashSize - 1);
    }

    int insert(int pos)
    {
        const int h = hashAt(pos);
        const int before = head[h];
        prev[pos] = before;
        head[h] = pos;
        return before;
    }

    void slide()
    {
        std::memmove(window.data(), window.data() + windowHalf, windowHalf);
        strstart -= windowHalf;
        matchStart -= windowHalf;
        for (auto &h : head)
            h = h >= windowHalf ? h - windowHalf : -1;
        for (int i = 0; i < windowHalf; ++i) {
            const int p = prev[i + windowHalf];
            prev[i] = p >= windowHalf ? p - windowHalf : -1;
        }
        std::fill(prev.begin() + windowHalf, prev.end(), -1);
    }

    int longestMatch(int candidate, int best)
    {
        int chain = best >= goodLength ? maxChain / 4 : maxChain;
        const int limit = strstart - maxDistance;
        const int most = std::min(maxMatch, lookahead);
        if (best >= most)
            return best;
        const std::uint8_t *scan = window.data() + strstart;
        while (candidate >= 0 && candidate >= limit && chain-- > 0) {
            const std::uint8_t *match = window.data() + candidate;
            if (match[best] == scan[best] && match[0] == scan[0] && match[1] == scan[1]) {
                int len = 2;
                while (len < most && match[len] == scan[len])
                    ++len;
                if (len > best) {
                    best = len;
                    matchStart = candidate;
                    if (len >= std::min(niceLength, most))
                        break;
                }
            }
            candidate = prev[candidate];
        }
        return best;
    }

    void putBits(int n, std::uint32_t value)
    {
        if (n == 0)
            return;
        bitBuffer = (bitBuffer << n) | (value & ((1u << n) - 1));
        bitCount += n;
        while (bitCount >= 8) {
            bitCount -= 8;
            pending.append(static_cast<char>((bitBuffer >> bitCount) & 0xFF));
        }
        if (pending.size() >= (1 << 16))
            flushPending();
    }

    void flushPending()
    {
        if (pending.isEmpty() || failed)
            return;
        if (!output(pending.constData(), pending.size()))
            failed = true;
        out += static_cast<std::uint64_t>(pending.size());
        pending.clear();
    }

    void literal(int c) { addCode(c); }

    void match(int length, int distance)
    {
        // The position first: the code may close the block.
        const int p = distance - 1;
        positions.push_back(static_cast<std::uint16_t>(p));
        ++pFreq[bitLength(p)];
        addCode(length - minMatch + 256);
    }

    static int bitLength(int p)
    {
        int c = 0;
        while (p) {
            p >>= 1;
            ++c;
        }
        return c;
    }

    void addCode(int c)
    {
        codes.push_back(static_cast<std::uint16_t>(c));
        ++cFreq[c];
        if (static_cast<int>(codes.size()) >= blockCodes)
            writeBlock();
    }

    void writePtLength(const Tree &tree, int n, int nbit, int special)
    {
        while (n > 0 && tree.length[n - 1] == 0)
            --n;
        putBits(nbit, static_cast<std::uint32_t>(n));
        int i = 0;
        while (i < n) {
            const int k = tree.length[i++];
            if (k <= 6)
                putBits(3, static_cast<std::uint32_t>(k));
            else
                putBits(k - 3, (1u << (k - 3)) - 2);
            if (i == special) {
                while (i < 6 && tree.length[i] == 0)
                    ++i;
                putBits(2, static_cast<std::uint32_t>((i - 3) & 3));
            }
        }
    }

    // Walks the literal/length code lengths as runs of zeros and lengths:
    // `visit(t, extraBits, extra)` per code-length code.
    template <typename Visit> static void walkCLengths(const Tree &c, Visit visit)
    {
        int n = NC;
        while (n > 0 && c.length[n - 1] == 0)
            --n;
        int i = 0;
        while (i < n) {
            const int k = c.length[i++];
            if (k != 0) {
                visit(k + 2, 0, 0);
                continue;
            }
            int count = 1;
            while (i < n && c.length[i] == 0) {
                ++i;
                ++count;
            }
            if (count <= 2) {
                for (int j = 0; j < count; ++j)
                    visit(0, 0, 0);
            } else if (count <= 18) {
                visit(1, 4, count - 3);
            } else if (count == 19) {
                visit(0, 0, 0);
                visit(1, 4, 15);
            } else {
                visit(2, CBIT, count - 20);
            }
        }
    }

    void writeBlock()
    {
        if (codes.empty())
            return;
        const Tree c = makeTree(cFreq);
        putBits(16, static_cast<std::uint32_t>(codes.size()));
        if (c.symbols >= 2) {
            int n = NC;
            while (n > 0 && c.length[n - 1] == 0)
                --n;
            std::vector<std::uint32_t> tFreq(NT);
            walkCLengths(c, [&tFreq](int t, int, int) { ++tFreq[t]; });
            const Tree t = makeTree(tFreq);
            if (t.symbols >= 2) {
                writePtLength(t, NT, TBIT, 3);
            } else {
                putBits(TBIT, 0);
                putBits(TBIT, static_cast<std::uint32_t>(t.only));
            }
            putBits(CBIT, static_cast<std::uint32_t>(n));
            walkCLengths(c, [this, &t](int sym, int extraBits, int extra) {
                putBits(t.length[sym], t.code[sym]);
                putBits(extraBits, static_cast<std::uint32_t>(extra));
            });
        } else {
            putBits(TBIT, 0);
            putBits(TBIT, 0);
            putBits(CBIT, 0);
            putBits(CBIT, static_cast<std::uint32_t>(c.only));
        }
        const Tree p = makeTree(pFreq);
        if (p.symbols >= 2) {
            writePtLength(p, NP, PBIT, -1);
        } else {
            putBits(PBIT, 0);
            putBits(PBIT, static_cast<std::uint32_t>(p.only));
        }

        size_t nextPosition = 0;
        for (const std::uint16_t code : codes) {
            putBits(c.length[code], c.code[code]);
            if (code >= 256) {
                const int pos = positions[nextPosition++];
                const int bits = bitLength(pos);
                putBits(p.length[bits], p.code[bits]);
                if (bits > 1)
                    putBits(bits - 1, static_cast<std::uint32_t>(pos));
            }
        }
        codes.clear();
        positions.clear();
        std::fill(cFreq.begin(), cFreq.end(), 0);
        std::fill(pFreq.begin(), pFreq.end(), 0);
    }

    // LZSS with one step of lazy evaluation: a match is taken only when the
    // next position does not start a longer one.
    void deflate(bool flush)
    {
        while (!failed) {
            if (lookahead < minLookahead && (!flush || lookahead == 0))
                break;
            int candidate = -1;
            if (lookahead >= minMatch)
                candidate = insert(strstart);
            const int prevLength = matchLength;
            const int prevMatch = matchStart;
            matchLength = minMatch - 1;
            if (candidate >= 0 && prevLength < maxLazy && strstart - candidate <= maxDistance) {
                matchLength = longestMatch(candidate, minMatch - 1);
                if (matchLength == minMatch && strstart - matchStart > tooFar)
                    matchLength = minMatch - 1;
                if (matchLength <= prevLength)
                    matchStart = prevMatch;
            }
            if (prevLength >= minMatch && matchLength <= prevLength) {
                const int lastInsert = strstart + lookahead - minMatch;
                match(prevLength, strstart - 1 - prevMatch);
                lookahead -= prevLength - 1;
                for (int k = prevLength - 2; k > 0; --k) {
                    if (++strstart <= lastInsert)
                        insert(strstart);
                }
                matchAvailable = false;
                matchLength = minMatch - 1;
                ++strstart;
            } else if (matchAvailable) {
                literal(window[strstart - 1]);
                ++strstart;
                --lookahead;
            } else {
                matchAvailable = true;
                ++strstart;
                --lookahead;
            }
        }
        if (flush && matchAvailable) {
            literal(window[strstart - 1]);
            matchAvailable = false;
        }
    }
};

Lh5Encoder::Lh5Encoder(Output output, int blockCodes)
    : d(std::make_unique<State>())
{
    d->output = std::move(output);
    d->blockCodes = std::clamp(blockCodes, 1, maxBlockCodes);
    d->codes.reserve(static_cast<size_t>(d->blockCodes));
    d->positions.reserve(static_cast<size_t>(d->blockCodes));
}

Lh5Encoder::~Lh5Encoder() = default;

bool Lh5Encoder::write(const char *data, qint64 length)
{
    if (d->finished || d->failed)
        return false;
    d->in += static_cast<std::uint64_t>(length);
    while (length > 0 && !d->failed) {
        int end = d->strstart + d->lookahead;
        if (end >= bufferSize) {
            d->slide();
            end = d->strstart + d->lookahead;
        }
        const int n = static_cast<int>(std::min<qint64>(length, bufferSize - end));
        std::memcpy(d->window.data() + end, data, static_cast<size_t>(n));
        d->lookahead += n;
        data += n;
        length -= n;
        d->deflate(false);
    }
    return !d->failed;
}

bool Lh5Encoder::finish()
{
    if (d->finished)
        return !d->failed;
    d->finished = true;
    d->deflate(true);
    d->writeBlock();
    if (d->bitCount > 0)
        d->putBits(8 - d->bitCount, 0);
    d->flushPending();
    return !d->failed;
}

std::uint64_t Lh5Encoder::bytesIn() const
{
    return d->in;
}

std::uint64_t Lh5Encoder::bytesOut() const
{
    return d->out + static_cast<std::uint64_t>(d->pending.size());
}

QByteArray Lh5Encoder::compress(const QByteArray &data, int blockCodes)
{
    QByteArray out;
    Lh5Encoder encoder(
        [&out](const char *bytes, qint64 length) {
            out.append(bytes, length);
            return true;
        },
        blockCodes);
    encoder.write(data.constData(), data.size());
    encoder.finish();
    return out;
}

} // namespace veltra::archive
