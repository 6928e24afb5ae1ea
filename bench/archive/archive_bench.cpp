// The -lh5- encoder against zlib's deflate with the same 8 KiB window, on a
// corpus built the same way every run: the text sources under data/sources/,
// one engine mesh file made by the element store, and 8 MiB of seeded random
// bytes. Google Benchmark times each file with each coder; a summary then
// prints sizes, times and the ratios the encoder is held to, and the cost of
// storing random data after one failed compression.
#include "platform/archive/lh5encoder.h"
#include "platform/archive/lhareader.h"
#include "platform/archive/lhawriter.h"
#include "zorvik/core/elementstore.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <zlib.h>

namespace {

struct Sample
{
    QString name;
    QString group; // "text", "mesh" or "random"
    QByteArray bytes;
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray meshFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("533945.mfv"));
    zorvik::ElementStore::create(path);
    zorvik::ElementStore store;
    store.open(path, false);
    QRandomGenerator g(533945);
    std::vector<zorvik::ElementRecord> records(5000);
    zorvik::ElementStore::Changes changes;
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        zorvik::ElementRecord &r = records[i];
        r.iPra = {1, 0, static_cast<std::int16_t>(10 + i % 8)};
        int x = g.bounded(1000000);
        int y = g.bounded(1000000);
        for (int k = g.bounded(2, 40); k > 0; --k) {
            r.X.push_back(x += g.bounded(-300, 300));
            r.Y.push_back(y += g.bounded(-300, 300));
        }
        r.PNum = static_cast<std::int32_t>(r.X.size());
        r.Key = QStringLiteral("road %1").arg(i);
        changes.inserts.push_back({i + 1, &r});
    }
    store.apply(changes);
    store.close();
    return readAll(path);
}

const std::vector<Sample> &corpus()
{
    static const std::vector<Sample> samples = [] {
        std::vector<Sample> out;
        QStringList paths;
        QDirIterator it(QStringLiteral(VELTRA_DATA_SOURCES), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(it.next());
        paths.sort();
        for (const QString &path : paths) {
            if (path.endsWith(QLatin1String(".csv")) || path.endsWith(QLatin1String(".md"))
                || path.endsWith(QLatin1String(".geojson")) || path.endsWith(QLatin1String(".txt"))
                || !path.section(QLatin1Char('/'), -1).contains(QLatin1Char('.')))
                out.push_back({path.mid(static_cast<int>(qstrlen(VELTRA_DATA_SOURCES)) + 1),
                    QStringLiteral("text"), readAll(path)});
        }
        out.push_back({QStringLiteral("533945.mfv (generated)"), QStringLiteral("mesh"), meshFile()});
        QByteArray noise(8 << 20, Qt::Uninitialized);
        QRandomGenerator g(8);
        for (char &c : noise)
            c = static_cast<char>(g.bounded(256));
        out.push_back({QStringLiteral("random 8 MiB"), QStringLiteral("random"), noise});
        return out;
    }();
    return samples;
}

qint64 lh5Size(const QByteArray &data)
{
    return veltra::archive::Lh5Encoder::compress(data).size();
}

qint64 deflateSize(const QByteArray &data, int level)
{
    z_stream s{};
    deflateInit2(&s, level, Z_DEFLATED, 13, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(
        static_cast<qsizetype>(deflateBound(&s, static_cast<uLong>(data.size()))), Qt::Uninitialized);
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    const qint64 size = static_cast<qint64>(s.total_out);
    deflateEnd(&s);
    return size;
}

struct Coder
{
    const char *name;
    std::function<qint64(const QByteArray &)> run;
};

const std::vector<Coder> &coders()
{
    static const std::vector<Coder> list = {
        {"lh5", lh5Size},
        {"deflate6", [](const QByteArray &d) { return deflateSize(d, 6); }},
        {"deflate9", [](const QByteArray &d) { return deflateSize(d, 9); }},
    };
    return list;
}

void compressFile(benchmark::State &state, const Sample *sample, const Coder *coder)
{
    qint64 size = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(size = coder->run(sample->bytes));
    state.SetBytesProcessed(state.iterations() * sample->bytes.size());
    state.counters["in"] = static_cast<double>(sample->bytes.size());
    state.counters["out"] = static_cast<double>(size);
    state.counters["ratio"]
        = sample->bytes.isEmpty() ? 0.0 : static_cast<double>(size) / sample->bytes.size();
}

// Best of three, in seconds.
double seconds(const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best
            = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void printSummary()
{
    std::printf("\n%-48s %10s %10s %10s %10s %9s %9s %9s\n", "file", "bytes", "lh5", "deflate6", "deflate9",
        "lh5 ms", "d6 ms", "d9 ms");
    struct Total
    {
        double in = 0, size[3] = {0, 0, 0}, time[3] = {0, 0, 0};
    };
    std::map<QString, Total> totals;
    for (const Sample &s : corpus()) {
        Total &t = totals[s.group];
        t.in += s.bytes.size();
        qint64 sizes[3];
        double times[3];
        for (int c = 0; c < 3; ++c) {
            sizes[c] = coders()[c].run(s.bytes);
            times[c] = seconds([&] { coders()[c].run(s.bytes); });
            t.size[c] += sizes[c];
            t.time[c] += times[c];
        }
        std::printf("%-48s %10lld %10lld %10lld %10lld %9.2f %9.2f %9.2f\n", qPrintable(s.name),
            static_cast<long long>(s.bytes.size()), static_cast<long long>(sizes[0]),
            static_cast<long long>(sizes[1]), static_cast<long long>(sizes[2]), times[0] * 1e3,
            times[1] * 1e3, times[2] * 1e3);
    }
    std::printf("\n%-8s %11s %11s %11s %11s %9s %9s %9s %14s %14s\n", "group", "bytes", "lh5", "deflate6",
        "deflate9", "lh5 ms", "d6 ms", "d9 ms", "lh5/deflate9", "time lh5/d6");
    for (const auto &[group, t] : totals) {
        std::printf("%-8s %11.0f %11.0f %11.0f %11.0f %9.1f %9.1f %9.1f %14.3f %14.2f\n", qPrintable(group),
            t.in, t.size[0], t.size[1], t.size[2], t.time[0] * 1e3, t.time[1] * 1e3, t.time[2] * 1e3,
            t.size[0] / t.size[2], t.time[0] / t.time[1]);
    }

    // Random data through the archive writer: a compression attempt that
    // fails, then the data stored, against storing it at once.
    const Sample &noise = corpus().back();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("noise.bin"));
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(noise.bytes);
    f.close();
    QString method;
    const auto add = [&](veltra::archive::Method m) {
        const QString archive = dir.filePath(QStringLiteral("x.lzh"));
        QFile::remove(archive);
        QString message;
        veltra::archive::addFile(archive, file, QStringLiteral("noise.bin"), &message, m);
        veltra::archive::LhaReader reader;
        reader.open(archive);
        method = reader.members().isEmpty() ? QStringLiteral("?") : reader.members()[0].method;
    };
    const double attempted = seconds([&] { add(veltra::archive::Method::Compressed); });
    const QString attemptedMethod = method;
    const double stored = seconds([&] { add(veltra::archive::Method::Stored); });
    std::printf("\nrandom 8 MiB through the writer: compression tried then %s in %.1f ms; stored at once in "
                "%.1f ms\n",
        qPrintable(attemptedMethod), attempted * 1e3, stored * 1e3);
}

} // namespace

int main(int argc, char **argv)
{
    for (const Sample &s : corpus()) {
        for (const Coder &c : coders()) {
            benchmark::RegisterBenchmark(
                (std::string(c.name) + "/" + s.name.toStdString()).c_str(), compressFile, &s, &c)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
