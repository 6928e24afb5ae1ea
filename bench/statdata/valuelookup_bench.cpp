// Looking values up area by area, as the statistics map window does for every
// selected area: through the per-file line index, and by reopening and
// scanning the value file for every lookup. Prints both and the speed-up.
//
// Municipalities: one value for each of 1,900 codes in a value file of 1,900
// lines. Town blocks: one value for each of 5,000 codes in a value file of
// 200,000 lines with its record index.
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/statfilepaths.h"
#include "statdata/valuefileindex.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <map>

namespace {

constexpr int cityLines = 1900;
constexpr int townCities = 1000;
constexpr int townsPerCity = 200; // 200,000 town-block lines
constexpr int townLookups = 5000;
constexpr int valueColumns = 12;

struct Fixture
{
    QString folder;
    QString cityFile;
    QString townFile;
    QStringList cityCodes;
    QStringList townCodes;
};

QString values(int seed)
{
    QString line;
    for (int c = 1; c <= valueColumns; ++c)
        line += u','
            + (((seed + c) % 17) == 0 ? QStringLiteral("-") : QString::number((seed * 31 + c) % 100000));
    return line;
}

const Fixture &fixture()
{
    static const Fixture f = [] {
        Fixture out;
        out.folder = veltra::fs::tempFolder() + QStringLiteral("valuelookup-bench/");
        QDir().mkpath(out.folder);

        // Municipalities of every prefecture; codes of prefectures 1-9 lost
        // their leading zero, as in the shipped files.
        QStringList city{QStringLiteral("CODE,総数,男,女,世帯,a,b,c,d,e,f,g,h")};
        for (int i = 0; i < cityLines; ++i) {
            const int pref = 1 + i / 41;
            const int number = 101 + (i % 41) * 3;
            const QString code = QStringLiteral("%1%2").arg(pref, 2, 10, QLatin1Char('0')).arg(number);
            out.cityCodes << code;
            city << (pref < 10 ? code.mid(1) : code) + values(i);
        }
        out.cityFile = out.folder + QStringLiteral("city.txt");
        veltra::text::writeLines(out.cityFile, city);

        QStringList town{QStringLiteral("CODE,総数,男,女,世帯,a,b,c,d,e,f,g,h")};
        QStringList index{QStringLiteral("[Index]")};
        for (int c = 0; c < townCities; ++c) {
            const QString city5 = QStringLiteral("%1%2").arg(13 + c / 200).arg(100 + c % 200);
            index << city5 + u'=' + QString::number(town.size());
            for (int t = 1; t <= townsPerCity; ++t)
                town << city5 + QStringLiteral("%1").arg(t * 1000 + 1, 6, 10, QLatin1Char('0'))
                        + values(c + t);
        }
        out.townFile = out.folder + QStringLiteral("13.txt");
        veltra::text::writeLines(out.townFile, town);
        veltra::text::writeLines(veltra::statdata::townRecordIndexPath(out.townFile), index);
        // Codes spread over the whole file, in a fixed pseudo-random order.
        uint32_t x = 12345;
        for (int i = 0; i < townLookups; ++i) {
            x = x * 1103515245u + 12345u;
            out.townCodes << town.at(1 + int((x >> 8) % uint32_t(town.size() - 1))).left(11);
        }
        return out;
    }();
    return f;
}

using Reader
    = double (*)(const QString &, const QString &, int32_t, int16_t, int32_t, int32_t, bool, int32_t &);

// One pass: every code of the list, one value each.
void pass(benchmark::State &state, Reader read, const QString &file, const QStringList &codes, int32_t n,
    int16_t level, int count, bool cold = false)
{
    veltra::statdata::ValueFileIndex::clearCache();
    int found = 0;
    for (auto _ : state) {
        if (cold)
            veltra::statdata::ValueFileIndex::clearCache();
        for (int i = 0; i < count; ++i) {
            int32_t status = 2;
            benchmark::DoNotOptimize(read(file, codes.at(i), n, level, 3, 0, false, status));
            if (status != 2)
                ++found;
        }
    }
    if (found == 0)
        state.SkipWithError("no value found");
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_CityIndexed(benchmark::State &state)
{
    pass(state, &ComCaldoraNeo::ReadAreaValue, fixture().cityFile, fixture().cityCodes, 5, 2, cityLines);
}
// Every pass starts with the file unread: the pass includes reading and
// indexing it.
void BM_CityIndexedCold(benchmark::State &state)
{
    pass(
        state, &ComCaldoraNeo::ReadAreaValue, fixture().cityFile, fixture().cityCodes, 5, 2, cityLines, true);
}
void BM_CityRescan(benchmark::State &state)
{
    pass(state, &veltra::statdata::scanAreaValue, fixture().cityFile, fixture().cityCodes, 5, 2, cityLines);
}
void BM_TownIndexed(benchmark::State &state)
{
    pass(state, &ComCaldoraNeo::ReadAreaValue, fixture().townFile, fixture().townCodes, 11, 3, townLookups);
}
// The rescan of a 200,000-line file per lookup is slow: measured on 20 codes.
void BM_TownIndexedCold(benchmark::State &state)
{
    pass(state, &ComCaldoraNeo::ReadAreaValue, fixture().townFile, fixture().townCodes, 11, 3, townLookups,
        true);
}
void BM_TownRescan(benchmark::State &state)
{
    pass(state, &veltra::statdata::scanAreaValue, fixture().townFile, fixture().townCodes, 11, 3, 20);
}
// Heap in use: small blocks and the large ones malloc maps on their own.
std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The memory an index holds for a value file of 100 MiB in 11.6 million
// short lines (a town-block file of a whole country), against the file's
// size: heap in use after loading it, less heap in use before.
void BM_LargeFileIndexMemory(benchmark::State &state)
{
    const QString file = fixture().folder + QStringLiteral("large.txt");
    QByteArray bytes("CODE,a\r\n");
    constexpr qsizetype kTarget = 100 * 1024 * 1024;
    bytes.reserve(kTarget + 64);
    for (int i = 0; bytes.size() < kTarget; ++i) {
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%05d,%d\r\n", 10000 + i % 90000, i % 10);
        bytes.append(line, n);
    }
    if (!veltra::fs::writeFileAtomic(file, bytes)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    const double fileSize = double(bytes.size());
    bytes = QByteArray();
    veltra::statdata::ValueFileIndex::clearCache();
    double held = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const auto before = heapInUse();
        auto index = veltra::statdata::ValueFileIndex::load(file);
        const auto after = heapInUse();
        if (!index) {
            state.SkipWithError("cannot index the file");
            return;
        }
        held = double(after) - double(before);
        // A lookup as the map makes it, so lazily built tables count too.
        int32_t status = 2;
        benchmark::DoNotOptimize(
            ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13101"), 5, 2, 1, 0, false, status));
        held = std::max(held, double(heapInUse()) - double(before));
        index.reset();
        veltra::statdata::ValueFileIndex::clearCache();
    }
    state.counters["file_MB"] = fileSize / 1e6;
    state.counters["index_MB"] = held / 1e6;
    state.counters["ratio"] = held / fileSize;
    QFile::remove(file);
}

BENCHMARK(BM_CityIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CityIndexedCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CityRescan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TownIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TownIndexedCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TownRescan)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LargeFileIndexMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const auto items = run.counters.find("items_per_second");
            if (run.iterations > 0 && items != run.counters.end() && items->second.value > 0)
                m_perLookup[run.run_name.function_name] = 1.0 / items->second.value; // seconds
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        print("municipalities", "BM_CityIndexed", "BM_CityIndexedCold", "BM_CityRescan", cityLines);
        print("town blocks", "BM_TownIndexed", "BM_TownIndexedCold", "BM_TownRescan", townLookups);
    }

private:
    void print(const char *what, const char *indexed, const char *cold, const char *rescan, int count)
    {
        const auto a = m_perLookup.find(indexed);
        const auto c = m_perLookup.find(cold);
        const auto b = m_perLookup.find(rescan);
        if (a == m_perLookup.end() || b == m_perLookup.end() || c == m_perLookup.end())
            return;
        std::printf("\n%s, %d lookups per pass:\n", what, count);
        std::printf("  line index, file indexed : %10.1f ms per pass (%.2f us per lookup)\n",
            a->second * count * 1e3, a->second * 1e6);
        std::printf("  line index, first pass   : %10.1f ms per pass (reads and indexes the file)\n",
            c->second * count * 1e3);
        std::printf("  rescan per lookup        : %10.1f ms per pass (%.2f us per lookup)\n",
            b->second * count * 1e3, b->second * 1e6);
        std::printf("  speed-up                 : %10.0fx indexed, %.0fx first pass\n", b->second / a->second,
            b->second / c->second);
    }

    std::map<std::string, double> m_perLookup;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    veltra::fs::deleteFolder(fixture().folder);
    return 0;
}
