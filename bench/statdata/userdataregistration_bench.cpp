// Registering user statistics end to end, step by step: a town-block CSV of
// 50,000 and of 200,000 lines and a municipality CSV of 1,900 lines, each of
// 50 items, into a fresh data folder that already holds one statistics.
// The counters give each step's mean time in milliseconds, so the growth of
// every step from 50,000 to 200,000 lines can be read off.
#include "platform/text/text.h"
#include "statdata/clsaddinfo.h"
#include "statdata/userdataregistration.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace veltra::statdata;

namespace {

constexpr int kItems = 50;
constexpr int kTownsPerCity = 100;

QByteArray cp932(const QString &text)
{
    QByteArray out;
    veltra::text::encodeCp932(text, out);
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

// A user CSV: code, name and kItems values per line; town-block lines come
// in an order that the conversion has to sort.
QString writeCsv(const QString &path, int lines, bool townBlocks)
{
    QByteArray out = cp932(QStringLiteral("ｺｰﾄﾞ,名称"));
    for (int k = 1; k <= kItems; ++k)
        out += cp932(QStringLiteral(",項目%1").arg(k));
    out += "\r\n";
    for (int i = 0; i < lines; ++i) {
        // Reversed within each municipality.
        const int n
            = townBlocks ? (i / kTownsPerCity) * kTownsPerCity + (kTownsPerCity - 1 - i % kTownsPerCity) : i;
        // A hundred municipalities per prefecture.
        const int city = townBlocks ? n / kTownsPerCity : n;
        QString code
            = QStringLiteral("%1%2").arg(1 + city / 100, 2, 10, QLatin1Char('0')).arg(101 + city % 100);
        if (townBlocks)
            code += QStringLiteral("%1").arg(n % kTownsPerCity + 1, 6, 10, QLatin1Char('0'));
        QByteArray line = code.toLatin1() + "," + cp932(QStringLiteral("地域")) + QByteArray::number(n);
        for (int k = 1; k <= kItems; ++k)
            line += ',' + QByteArray::number((n * 37 + k * 101) % 100000);
        out += line + "\r\n";
    }
    writeFile(path, out);
    return path;
}

// A data folder with one shipped statistics and its year file.
void freshDataFolder(const QString &data)
{
    QDir(data).removeRecursively();
    const QByteArray year = cp932(QStringLiteral("S45国勢,19701001,19750930\r\n"));
    writeFile(data + QStringLiteral("etc/統計ﾃﾞｰﾀ年度管理.txt"), year);
    writeFile(data + QStringLiteral("etc/etc2/統計ﾃﾞｰﾀ年度管理.txt"), year);
    writeFile(
        data + QStringLiteral("etc/S45国勢.txt"), cp932(QStringLiteral("[統計内容]\r\nEntry1=国勢\r\n")));
}

const char *stepName(AddStep step)
{
    switch (step) {
    case AddStep::Backup:
        return "0_backup_ms";
    case AddStep::ValueFile:
        return "1_value_file_ms";
    case AddStep::ItemList:
        return "2_item_list_ms";
    case AddStep::FileIndex:
        return "3_file_index_ms";
    case AddStep::TownIndex:
        return "4_town_index_ms";
    case AddStep::Year:
        return "5_year_ms";
    case AddStep::Register:
        return "6_register_ms";
    }
    return "?";
}

void registerCsv(benchmark::State &state, const QString &unit, bool townBlocks)
{
    const int lines = static_cast<int>(state.range(0));
    QTemporaryDir work;
    const QString csv = writeCsv(work.path() + QStringLiteral("/input/13.csv"), lines, townBlocks);
    const QString data = work.path() + QStringLiteral("/VeltraData/");
    const QString addInfo = work.path() + QStringLiteral("/add_inf.txt");
    const UserDataTarget target = makeUserDataTarget(data, userDataPeriods()[0], QStringLiteral("性能"), unit,
        QStringLiteral("五十項目"), QStringLiteral("13 東京都"), csv);

    std::map<AddStep, double> totals;
    QElapsedTimer clock;
    qint64 mark = 0;
    setAddPipelineHooks({[&](AddStep step) {
                             const qint64 now = clock.nsecsElapsed();
                             totals[step] += static_cast<double>(now - mark) / 1e6;
                             mark = now;
                         },
        {}});
    for (auto _ : state) {
        state.PauseTiming();
        freshDataFolder(data);
        QFile::remove(addInfo);
        state.ResumeTiming();
        clock.start();
        mark = 0;
        const QString message = runAddPipeline(target, true, addInfo);
        if (!message.isEmpty()) {
            state.SkipWithError(message.toUtf8().constData());
            break;
        }
    }
    setAddPipelineHooks({});
    for (const auto &[step, ms] : totals)
        state.counters[stepName(step)] = ms / static_cast<double>(state.iterations());
}

void BM_RegisterTownBlocks(benchmark::State &state)
{
    registerCsv(state, kUnitTownBlock, true);
}
BENCHMARK(BM_RegisterTownBlocks)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RegisterMunicipalities(benchmark::State &state)
{
    registerCsv(state, kUnitMunicipality, false);
}
BENCHMARK(BM_RegisterMunicipalities)->Arg(1900)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
