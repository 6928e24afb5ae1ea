// ReadStatValues of three items, next to the scan it replaces: every value
// line compared with the records from the first until one matches. Both run
// on the 1,916 municipalities of the default data and on 20,000 generated
// town blocks in five prefectures. Both time the whole read, the building of
// the records from the database included, as ReadStatValues does it.
#include "platform/text/text.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "shell/modsort.h"
#include "shellcore/mdlcommon_text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/meshdatabase.h"
#include "statwindow/globals.h"
#include "statwindow/statareareader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

struct Workload
{
    statdata::MeshDatabase db;
    AreaSelection selection;
    QString folder;
    bool ok = false;
};

Workload &municipalities()
{
    static Workload w;
    static const bool filled = [] {
        const QString data = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
        w.ok = w.db.open(statdata::MeshDatabase::pathInDataFolder(data));
        w.selection.anaRange = AnaRangeCity;
        db::Statement rows = w.db.prepare(QStringLiteral("SELECT * FROM 市区町村テーブル"));
        while (rows.next())
            w.selection.entries.push_back({rows.text(0), rows.text(1), QString()});
        w.folder = data + QStringLiteral("etc/R2国勢調査/市区町村/人口");
        return true;
    }();
    (void)filled;
    return w;
}

Workload &townBlocks()
{
    static QTemporaryDir dir;
    static Workload w;
    static const bool filled = [] {
        w.ok = w.db.create(dir.filePath(QStringLiteral("Mesh.sqlite")));
        w.folder = dir.filePath(QStringLiteral("town"));
        QDir().mkpath(w.folder);
        w.selection.anaRange = AnaRangeTown;
        QStringList index{QStringLiteral("[FileName]")};
        w.db.database().begin();
        for (int pref : {11, 12, 13, 14, 27}) {
            QStringList lines{QStringLiteral("CODE,a,b,c")};
            for (int city = 101; city < 121; ++city) {
                for (int town = 1; town <= 200; ++town) {
                    const int townCode = town * 1000 + 1;
                    w.db.insertTownBlock(pref, city, townCode, QStringLiteral("町%1").arg(town), town, city);
                    w.selection.entries.push_back(
                        {QString::number(pref), QString::number(city), QString::number(townCode)});
                    lines << QStringLiteral("%1%2%3,%4,%5,%6")
                                 .arg(pref)
                                 .arg(city)
                                 .arg(townCode, 6, 10, QLatin1Char('0'))
                                 .arg(town)
                                 .arg(city)
                                 .arg(pref);
                }
            }
            text::writeLines(w.folder + QStringLiteral("/%1.txt").arg(pref), lines);
            index << QStringLiteral("Code%1=%1.txt").arg(pref);
        }
        w.db.database().commit();
        text::writeLines(w.folder + QStringLiteral("/FileIndex.txt"), index);
        return true;
    }();
    (void)filled;
    return w;
}

// The scan of the value files as first written: each line compared with the
// records from the first.
bool scanStatValues(StatAreaReader &reader, const AreaSelection &selection, const QString &folder, int items)
{
    std::vector<QString> codes;
    std::vector<std::int32_t> kinds;
    std::int32_t count = 0;
    GetSelectAddrCodes(selection.anaRange, selection.entries, codes, kinds, count);
    std::int32_t areas = 0;
    reader.CreateStatArea(selection.anaRange, items, codes, areas);
    modSort::QuickSortString(codes, 1, count);
    const int width = selection.anaRange == AnaRangeTown ? 11 : 5;
    const QString pattern(width, u'0');
    bool matched = false;
    std::vector<QString> fields;
    for (int i = 1; i <= items; ++i) {
        QString last;
        for (std::int32_t c = 1; c <= count; ++c) {
            const QString prefix = codes[std::size_t(c)].left(2);
            if (prefix == last)
                continue;
            last = prefix;
            const QString file = ComCaldoraNeo::GetDataFileName(prefix.toInt(), folder, 2);
            QStringList lines;
            if (file.isEmpty() || !text::readLines(file, lines))
                continue;
            std::vector<char> found(gtypStatArea.size(), 0);
            std::size_t foundCount = 0;
            for (qsizetype k = 1; k < lines.size() && foundCount < gtypStatArea.size() - 1; ++k) {
                QString line = lines[k];
                if (mdlCommon::SplitComma(line, fields) <= i)
                    continue;
                const QString key = vb::format(fields[0], pattern);
                for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
                    if (!gtypStatArea[r].AreaCode.startsWith(key))
                        continue;
                    gtypStatArea[r].Value[std::size_t(i)]
                        = statNumber(gtypStatArea[r].Value[std::size_t(i)]) + vb::val(fields[std::size_t(i)]);
                    if (!found[r]++)
                        ++foundCount;
                    matched = true;
                    break;
                }
            }
        }
    }
    return matched;
}

void runReader(benchmark::State &state, Workload &w)
{
    if (!w.ok) {
        state.SkipWithError("no data");
        return;
    }
    StatAreaReader reader(w.db);
    for (auto _ : state) {
        const bool found = reader.ReadStatValues(w.selection, {QString(), w.folder, w.folder, w.folder}, 3, {0, 1, 2, 3});
        benchmark::DoNotOptimize(found);
    }
    state.counters["areas"] = double(gtypStatArea.size() - 1);
}

void runScan(benchmark::State &state, Workload &w)
{
    if (!w.ok) {
        state.SkipWithError("no data");
        return;
    }
    StatAreaReader reader(w.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(scanStatValues(reader, w.selection, w.folder, 3));
    state.counters["areas"] = double(gtypStatArea.size() - 1);
}

void BM_ReadStatValues_Municipalities(benchmark::State &state) { runReader(state, municipalities()); }
void BM_Scan_Municipalities(benchmark::State &state) { runScan(state, municipalities()); }
void BM_ReadStatValues_TownBlocks(benchmark::State &state) { runReader(state, townBlocks()); }
void BM_Scan_TownBlocks(benchmark::State &state) { runScan(state, townBlocks()); }

} // namespace

BENCHMARK(BM_ReadStatValues_Municipalities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_Municipalities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStatValues_TownBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_TownBlocks)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
