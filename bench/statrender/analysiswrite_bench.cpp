// Writing an analysis pair as the statistics map window does on output: a
// pie of three items over 49,990 areas with three values each (the header's
// one H2 line per area keeps it within the readers' 50,000 lines), and the
// numbering search in a DB folder that already holds 999 pairs.
// Goals: CsvWriteReq under 150 ms, FindFile under 10 ms. Reading the pair
// back is BM_ReadLinesData of the read benchmark.
#include "enginebenchmain.h"
#include "graphs/clsanafile.h"
#include "graphs/globals.h"
#include "graphs/graphowner.h"
#include "platform/fs/fs.h"
#include "statrender/analysislines.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kAreas = 49990;

class Owner : public GraphOwner
{
public:
    bool hasAnaRange() const override { return true; }
    std::int32_t AnaRange() const override { return 3; }
};

void fill(clsAnaFile &ana, Owner &owner)
{
    ana.SetFormName(&owner);
    ana.setSegments(2);
    std::vector<QString> codes(kAreas + 1);
    ana.SetHead5(0, QStringLiteral("男"), 16711680, QStringLiteral("20200101"), QStringLiteral("20201231"));
    ana.SetHead5(1, QStringLiteral("女"), 255, QStringLiteral("20200101"), QStringLiteral("20201231"));
    ana.SetHead5(2, QStringLiteral("不詳"), 8421504, QStringLiteral("20200101"), QStringLiteral("20201231"));
    ana.SetData1Area(kAreas);
    for (int i = 1; i <= kAreas; ++i) {
        const int pref = 1 + i % 47;
        const int city = 100 + i / 47 % 900;
        codes[static_cast<std::size_t>(i)]
            = QStringLiteral("%1%2%3").arg(pref, 2, 10, QLatin1Char('0')).arg(city).arg(i % 1000000, 6, 10, QLatin1Char('0'));
        ana.SetData1(i, -500000 + i * 13, 300000 - i * 7, pref, city, i, QString(),
            QStringLiteral("千代田区神田須田町%1丁目").arg(i % 9 + 1),
            {QVariant(), i % 1000 * 1.25, i % 11 == 0 ? QVariant(QStringLiteral("\"-\"")) : QVariant(i % 777),
                QVariant(i * 3 % 100000)});
    }
    ana.setSelectAddress(codes);
}

void BM_WritePair(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString db = dir.path() + QStringLiteral("/DB/");
    veltra::fs::createFolder(db);
    Owner owner;
    clsAnaFile ana;
    fill(ana, owner);
    glngGraphKind = GraphKindPie;
    for (auto _ : state) {
        try {
            ana.CsvWriteReq(db);
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            break;
        }
        state.PauseTiming();
        veltra::fs::deleteFiles(db + QStringLiteral("tempheader000.hed"));
        veltra::fs::deleteFiles(db + QStringLiteral("tempdata000.dat"));
        state.ResumeTiming();
    }
}
// Several runs: the first output of a process also pays for fresh memory.
BENCHMARK(BM_WritePair)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The pair just written, read back whole as the drawing reads it.
void BM_ReadBackWrittenData(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString db = dir.path() + QStringLiteral("/DB/");
    veltra::fs::createFolder(db);
    Owner owner;
    clsAnaFile ana;
    fill(ana, owner);
    glngGraphKind = GraphKindPie;
    ana.CsvWriteReq(db);
    std::vector<QString> header, data;
    for (auto _ : state) {
        if (!ComPSY::ReadLines(db + QStringLiteral("tempheader000.hed"), header)
            || !ComPSY::ReadLines(db + QStringLiteral("tempdata000.dat"), data)) {
            state.SkipWithError("the pair did not read");
            break;
        }
        benchmark::DoNotOptimize(data.data());
    }
    state.counters["header_lines"] = static_cast<double>(header.size() - 1);
    state.counters["data_lines"] = static_cast<double>(data.size() - 1);
}
BENCHMARK(BM_ReadBackWrittenData)->Unit(benchmark::kMillisecond);

void BM_FindFile999Pairs(benchmark::State &state)
{
    QTemporaryDir dir;
    for (int n = 0; n < 999; ++n) {
        const QString number = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        veltra::fs::writeFileAtomic(dir.filePath(QStringLiteral("tempheader%1.hed").arg(number)), "H1\r\n");
        veltra::fs::writeFileAtomic(dir.filePath(QStringLiteral("tempdata%1.dat").arg(number)), "1\r\n");
    }
    clsAnaFile ana;
    ana.setPath(dir.path());
    ana.setFileName(QStringLiteral("tempheader*.hed"));
    for (auto _ : state) {
        ana.FindFile();
        benchmark::DoNotOptimize(ana.NextFileNo());
    }
    if (ana.NextFileNo() != 999)
        state.SkipWithError("wrong number");
}
BENCHMARK(BM_FindFile999Pairs)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return veltra::bench::runEngineBenchmarks(argc, argv);
}
