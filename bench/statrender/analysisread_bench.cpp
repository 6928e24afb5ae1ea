// Reading an analysis pair back as the drawing does: a data file of 49,990
// areas with three values each and its header of one H2 line per area (the
// largest pair the readers' 50,000 lines take), read whole with ReadLines;
// then one pass of the accessors the drawing calls per area. Goal: ReadLines
// of the data file under 100 ms.
#include "platform/text/text.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"

#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kAreas = 49990;

struct Pair
{
    QTemporaryDir dir;
    QString header;
    QString data;
};

const Pair &pair()
{
    static Pair *const p = [] {
        auto *out = new Pair;
        out->header = out->dir.filePath(QStringLiteral("tempheader000.hed"));
        out->data = out->dir.filePath(QStringLiteral("tempdata000.dat"));

        QStringList header{QStringLiteral("H1,-12345,67890,25000,20240401,\"\",\"\",tempdata000.dat")};
        QStringList data;
        for (int i = 0; i < kAreas; ++i) {
            const int pref = 1 + i % 47;
            const int city = 100 + i / 47 % 900;
            const int town = i;
            header.append(QStringLiteral("H2,6,%1,%2,%3,3,0,2,1,3,0,0,0").arg(pref).arg(city).arg(town));
            const int x = -500000 + i * 13;
            const int y = 300000 - i * 7;
            data.append(QStringLiteral("1,%1,%2,0,0,%3,%4,%5,0,\"%6丁目\",%7,%8,%9,%1,%2,%3,%4,%5")
                            .arg(x)
                            .arg(y)
                            .arg(pref)
                            .arg(city)
                            .arg(town)
                            .arg(QStringLiteral("千代田区神田須田町%1").arg(i % 9 + 1))
                            .arg(i % 1000 * 1.25)
                            .arg(i % 11 == 0 ? QStringLiteral("\"-\"") : QString::number(i % 777))
                            .arg(i * 3 % 100000));
        }
        header.append(QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"));
        header.append(QStringLiteral("H4,0,0,0,0,\"\""));
        for (const char *name : {"男", "女", "不詳"})
            header.append(QStringLiteral("H5,\"%1\",255,20200101,20201231").arg(QString::fromUtf8(name)));
        if (!veltra::text::writeLines(out->header, header) || !veltra::text::writeLines(out->data, data))
            std::abort();
        return out;
    }();
    return *p;
}

void BM_ReadLinesData(benchmark::State &state)
{
    const QString path = pair().data;
    std::vector<QString> lines;
    for (auto _ : state) {
        if (!ComPSY::ReadLines(path, lines)) {
            state.SkipWithError("data file did not read");
            break;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(lines.size() - 1);
}
BENCHMARK(BM_ReadLinesData)->Unit(benchmark::kMillisecond);

void BM_ReadLinesHeader(benchmark::State &state)
{
    const QString path = pair().header;
    std::vector<QString> lines;
    for (auto _ : state) {
        if (!ComPSY::ReadLines(path, lines)) {
            state.SkipWithError("header did not read");
            break;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(lines.size() - 1);
}
BENCHMARK(BM_ReadLinesHeader)->Unit(benchmark::kMillisecond);

// Per area: the graph position, the first value's code, the three values and
// the name, each call splitting its line anew.
void BM_AccessorsPerArea(benchmark::State &state)
{
    std::vector<QString> lines;
    if (!ComPSY::ReadLines(pair().data, lines)) {
        state.SkipWithError("data file did not read");
        return;
    }
    for (auto _ : state) {
        double sum = 0;
        for (int32_t line = 1; line < static_cast<int32_t>(lines.size()); ++line) {
            int32_t x = 0, y = 0;
            ComPSY::GetGraphPosition(lines, line, x, y);
            sum += x + y + ComPSY::GetValueCode(lines, line);
            for (int32_t k = 1; k <= 3; ++k)
                sum += ComPSY::GetValue(lines, line, k);
            sum += ComPSY::GetAreaName(lines, line).size();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_AccessorsPerArea)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
