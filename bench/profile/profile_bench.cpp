// Reading the keys of a 32,000-key item list one by one, as the list readers
// do: through the cached profile layer, and re-parsing the file for every key.
// Prints both and the speed-up.
#include "platform/fs/fs.h"
#include "platform/profile/profile.h"

#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

constexpr int keyCount = 32000;

QString keyName(int i)
{
    return QStringLiteral("Item%1").arg(i, 5, 10, QLatin1Char('0'));
}

// An item list: one section of numbered keys with Japanese CSV values.
const QString &fixture()
{
    static const QString path = [] {
        const QString file = veltra::fs::makeTempFile(QStringLiteral("bench"), QStringLiteral(".ini"));
        QByteArray bytes("[ITEMLIST]\r\n");
        bytes.reserve(keyCount * 48);
        for (int i = 0; i < keyCount; ++i) {
            bytes += keyName(i).toLatin1();
            // 人口総数 and 世帯数 in CP932, with a code and a unit.
            bytes += QByteArray("=A") + QByteArray::number(1000 + i) + ",\x90\x6C\x8C\xFB\x91\x8D\x90\x94,"
                + "\x90\xA2\x91\xD1\x90\x94,\x90\x6C\r\n";
        }
        veltra::fs::writeFileAtomic(file, bytes);
        return file;
    }();
    return path;
}

void readKeys(benchmark::State &state, bool cached)
{
    const QString &path = fixture();
    const QString section = QStringLiteral("ITEMLIST");
    QStringList keys;
    for (int i = 0; i < keyCount; ++i)
        keys.append(keyName(i));
    veltra::profile::clearCache();
    int i = 0;
    for (auto _ : state) {
        if (!cached)
            veltra::profile::clearCache();
        QString value = veltra::profile::getString(section, keys[i], QString(), path, 512);
        if (value.isEmpty())
            state.SkipWithError("key not found");
        benchmark::DoNotOptimize(value);
        i = (i + 1) % keyCount;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ReadKeyCached(benchmark::State &state)
{
    readKeys(state, true);
}
void BM_ReadKeyReparsed(benchmark::State &state)
{
    readKeys(state, false);
}
BENCHMARK(BM_ReadKeyCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadKeyReparsed)->Unit(benchmark::kMicrosecond);

// Console output plus a closing summary for the 32,000 keys of the list.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.iterations > 0)
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / 1e6; // microseconds
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto cached = m_seconds.find("BM_ReadKeyCached");
        const auto reparsed = m_seconds.find("BM_ReadKeyReparsed");
        if (cached == m_seconds.end() || reparsed == m_seconds.end())
            return;
        std::printf("\n%d keys read one by one:\n", keyCount);
        std::printf("  cached profile layer : %10.3f s (%.2f us per key)\n", cached->second * keyCount,
            cached->second * 1e6);
        std::printf("  re-parsed per key    : %10.3f s (%.2f us per key)\n", reparsed->second * keyCount,
            reparsed->second * 1e6);
        std::printf("  speed-up             : %10.0fx\n", reparsed->second / cached->second);
    }

private:
    std::map<std::string, double> m_seconds; // per key
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    QFile::remove(fixture());
    return 0;
}
