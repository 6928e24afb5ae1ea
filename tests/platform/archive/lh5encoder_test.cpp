#include "archivetestsupport.h"
#include "platform/archive/crc16.h"
#include "platform/archive/lh5encoder.h"
#include "platform/archive/lhareader.h"
#include "platform/archive/lhawriter.h"
#include "platform/archive/modlha.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace veltra::archive;
using namespace veltra::test;

namespace {

// Encodes `data` as one -lh5- member and decodes it again through liblhasa
// (our reader, which also compares the CRC).
::testing::AssertionResult roundTrips(const QByteArray &data, int blockCodes = 16384)
{
    const QByteArray compressed = Lh5Encoder::compress(data, blockCodes);
    Level2Fields fields;
    fields.method = "-lh5-";
    fields.size = static_cast<std::uint32_t>(data.size());
    fields.compressedSize = static_cast<std::uint32_t>(compressed.size());
    fields.crc = Crc16::of(data);
    fields.name = "data.bin";
    TempDir dir;
    writeBytes(dir.file(QStringLiteral("x.lzh")), level2Header(fields) + compressed + QByteArray(1, '\0'));
    LhaReader reader;
    QString error;
    if (!reader.open(dir.file(QStringLiteral("x.lzh")), &error))
        return ::testing::AssertionFailure() << error.toStdString();
    QByteArray out;
    const bool ok = reader.readData(
        0,
        [&out](const char *bytes, qint64 length) {
            out.append(bytes, length);
            return true;
        },
        &error);
    if (!ok || out != data) {
        qsizetype at = 0;
        while (at < out.size() && at < data.size() && out[at] == data[at])
            ++at;
        return ::testing::AssertionFailure()
            << error.toStdString() << ", " << data.size() << " bytes, first difference at " << at
            << ", block codes " << blockCodes;
    }
    return ::testing::AssertionSuccess() << compressed.size() << " bytes";
}

// A prefix of a de Bruijn sequence of 3-byte words: no 3 bytes repeat, so
// every byte is one literal code.
QByteArray withoutRepeats(int size)
{
    QByteArray out;
    std::vector<int> a(4 * 256, 0);
    std::function<void(int, int)> db = [&](int t, int p) {
        if (out.size() >= size)
            return;
        if (t > 3) {
            if (3 % p == 0) {
                for (int j = 1; j <= p && out.size() < size; ++j)
                    out.append(static_cast<char>(a[j]));
            }
            return;
        }
        a[t] = a[t - p];
        db(t + 1, p);
        for (int j = a[t - p] + 1; j < 256 && out.size() < size; ++j) {
            a[t] = j;
            db(t + 1, t);
        }
    };
    db(1, 1);
    return out;
}

} // namespace

TEST(Lh5Encoder, DegenerateDataRoundTrips)
{
    const QByteArray noise = randomBytes(20000, 7);
    const struct
    {
        const char *what;
        QByteArray data;
    } cases[] = {
        {"empty", {}},
        {"one byte", "x"},
        {"two bytes", "xy"},
        {"three equal bytes", "aaa"},
        {"1 MiB of one byte", QByteArray(1 << 20, '\x5C')},
        {"incompressible", randomBytes(300000, 1)},
        {"repeat 8190 back", noise.left(8190) + noise.left(8190)},
        {"repeat 8191 back", noise.left(8191) + noise.left(8191)},
        {"repeat 8192 back", noise.left(8192) + noise.left(8192)},
        {"repeat 8193 back", noise.left(8193) + noise.left(8193) + noise.left(8193)},
        {"longest matches",
            QByteArray(300, 'a') + noise.left(100) + QByteArray(257, 'a') + QByteArray(256, 'a')},
        {"across the buffer slides", (noise + noise.left(5000)).repeated(8)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(roundTrips(c.data));
    }
    EXPECT_LT(Lh5Encoder::compress(QByteArray(1 << 20, 'a')).size(), 2000);
}

TEST(Lh5Encoder, BlocksOfExactlyTheLimitAndOneCodeMore)
{
    const QByteArray plain = withoutRepeats(Lh5Encoder::maxBlockCodes + 2);
    for (const int limit : {Lh5Encoder::maxBlockCodes, 16384, 1000, 1}) {
        for (const int extra : {-1, 0, 1}) {
            SCOPED_TRACE(
                std::to_string(limit) + " codes per block, " + std::to_string(extra) + " codes more");
            EXPECT_TRUE(roundTrips(plain.left(limit + extra), limit));
        }
    }
    // Blocks that end on a match, and blocks of a single code each.
    EXPECT_TRUE(roundTrips(mixed(99), 1));
    EXPECT_TRUE(roundTrips(mixed(98), 2));
    EXPECT_TRUE(roundTrips(mixed(97), 3));
}

TEST(Lh5Encoder, SeededRandomBuffersRoundTrip)
{
    for (quint32 seed = 1; seed <= 300; ++seed) {
        const QByteArray data = mixed(seed);
        ASSERT_TRUE(roundTrips(data, seed % 7 == 0 ? 4096 : 16384)) << "seed " << seed;
    }
}

TEST(Lh5Encoder, StreamsInPiecesToTheSameBytes)
{
    const QByteArray data = mixed(5) + mixed(6) + mixed(7);
    QByteArray streamed;
    Lh5Encoder encoder([&streamed](const char *bytes, qint64 length) {
        streamed.append(bytes, length);
        return true;
    });
    QRandomGenerator g(3);
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype n = qMin<qsizetype>(g.bounded(1, 70000), data.size() - at);
        ASSERT_TRUE(encoder.write(data.constData() + at, n));
        at += n;
    }
    ASSERT_TRUE(encoder.finish());
    EXPECT_EQ(streamed, Lh5Encoder::compress(data));
    EXPECT_EQ(encoder.bytesIn(), static_cast<quint64>(data.size()));
    EXPECT_EQ(encoder.bytesOut(), static_cast<quint64>(streamed.size()));

    // An output that refuses stops the encoder.
    Lh5Encoder refusing([](const char *, qint64) { return false; });
    const QByteArray big = randomBytes(300000, 4);
    const bool written = refusing.write(big.constData(), big.size());
    EXPECT_FALSE(written && refusing.finish());
}

TEST(Lh5Encoder, CreateArchiveCompressesAndStoresWhatWouldNotShrink)
{
    TempDir dir;
    const QByteArray text = mixed(11).repeated(3);
    const QByteArray noise = randomBytes(100000, 12);
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    QString message;
    ASSERT_TRUE(
        modLHA::CreateArchive(archive, makeFile(dir.file(QStringLiteral("text.csv")), text), message, 0, 0));
    ASSERT_TRUE(modLHA::CreateArchive(
        archive, makeFile(dir.file(QStringLiteral("noise.bmp")), noise), message, 0, 0));
    ASSERT_TRUE(
        modLHA::CreateArchive(archive, makeFile(dir.file(QStringLiteral("empty.hed")), {}), message, 0, 0));
    LhaReader reader;
    ASSERT_TRUE(reader.open(archive));
    ASSERT_EQ(reader.members().size(), 3);
    EXPECT_EQ(reader.members()[0].method, u("-lh5-"));
    EXPECT_LT(reader.members()[0].compressedSize, static_cast<quint64>(text.size()) / 2);
    EXPECT_EQ(reader.members()[1].method, u("-lh0-"));
    EXPECT_EQ(reader.members()[1].compressedSize, static_cast<quint64>(noise.size()));
    EXPECT_EQ(reader.members()[2].method, u("-lh0-"));

    const QString out = dir.path() + QStringLiteral("out/");
    ASSERT_TRUE(modLHA::ExtractArchive(archive, QString(), out, message, 0, 0)) << message.toStdString();
    EXPECT_EQ(readBytes(out + u("text.csv")), text);
    EXPECT_EQ(readBytes(out + u("noise.bmp")), noise);
    EXPECT_EQ(readBytes(out + u("empty.hed")), QByteArray());
}

TEST(Lh5Encoder, ASourceThatChangesSizeOrFailsHalfWayLeavesTheArchiveAsItWas)
{
    TempDir dir;
    const QString archive = dir.file(QStringLiteral("x.lzh"));
    QString message;
    ASSERT_TRUE(
        modLHA::CreateArchive(archive, makeFile(dir.file(QStringLiteral("a.txt")), mixed(3)), message, 0, 0));
    const QByteArray before = readBytes(archive);
    const QStringList tree = treeOf(dir.path());
    // /proc files say they are empty and then read as text; /proc/self/mem
    // opens and fails on the first read.
    for (const char *source : {"/proc/self/status", "/proc/self/mem"}) {
        SCOPED_TRACE(source);
        message.clear();
        EXPECT_FALSE(modLHA::CreateArchive(archive, QString::fromLatin1(source), message, 0, 0));
        EXPECT_FALSE(message.isEmpty());
        EXPECT_EQ(readBytes(archive), before);
        EXPECT_EQ(treeOf(dir.path()), tree);
    }
}
