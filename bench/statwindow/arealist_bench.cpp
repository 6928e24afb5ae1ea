// The intake of address lines into an empty selected-area list, next to the
// same intake whose duplicate test looks through every entry listed so far:
// 20,000 town-block lines on a generated database of 20,000 town blocks, and
// the 1,916 municipalities of the default data. Both yield to the event loop
// once per line, as the window's intake does.
#include "platform/ui/windowregistry.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/meshdatabase.h"
#include "statwindow/addresslines.h"
#include "shell/globals.h"
#include "statwindow/globals.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

struct Workload
{
    QString databasePath;
    std::vector<QString> lines; // element 0 the placeholder
    std::int32_t level = AnaRangeNone;
};

void shuffle(std::vector<QString> &lines)
{
    std::mt19937 random(40);
    std::shuffle(lines.begin() + 1, lines.end(), random);
}

const Workload &townBlocks()
{
    static QTemporaryDir dir;
    static Workload w;
    static const bool made = [] {
        w.databasePath = dir.filePath(QStringLiteral("Mesh.sqlite"));
        w.level = AnaRangeTown;
        w.lines.push_back(QStringLiteral("0,0,0"));
        statdata::MeshDatabase db;
        if (!db.create(w.databasePath))
            return false;
        db::Transaction transaction(db.database());
        // Five prefectures of 40 municipalities of 100 town blocks.
        for (int pref = 1; pref <= 5; ++pref) {
            db.insertPrefecture(pref, QStringLiteral("県%1").arg(pref), pref, pref);
            for (int city = 1; city <= 40; ++city) {
                db.insertMunicipality(pref, city * 10, QStringLiteral("市%1").arg(city), QString(), city, city);
                for (int town = 1; town <= 100; ++town) {
                    db.insertTownBlock(pref, city * 10, town * 1000, QStringLiteral("町%1").arg(town), town, town);
                    w.lines.push_back(QStringLiteral("%1,%2,%3%4%5")
                                          .arg(town)
                                          .arg(city)
                                          .arg(pref, 2, 10, QLatin1Char('0'))
                                          .arg(city * 10, 3, 10, QLatin1Char('0'))
                                          .arg(town * 1000, 6, 10, QLatin1Char('0')));
                }
            }
        }
        transaction.commit();
        shuffle(w.lines);
        return true;
    }();
    (void)made;
    return w;
}

const Workload &municipalities()
{
    static Workload w;
    static const bool made = [] {
        const QString data = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
        w.databasePath = statdata::MeshDatabase::pathInDataFolder(data);
        w.level = AnaRangeCity;
        w.lines.push_back(QStringLiteral("0,0,0"));
        statdata::MeshDatabase db;
        if (!db.open(w.databasePath))
            return false;
        db::Statement rows = db.prepare(QStringLiteral("SELECT * FROM 市区町村テーブル"));
        while (rows.next()) {
            w.lines.push_back(QStringLiteral("%1,%2,%3%4")
                                  .arg(rows.text(8), rows.text(9))
                                  .arg(rows.int32(0), 2, 10, QLatin1Char('0'))
                                  .arg(rows.int32(1), 3, 10, QLatin1Char('0')));
        }
        shuffle(w.lines);
        return true;
    }();
    (void)made;
    return w;
}

bool yieldAndAsk()
{
    ui::DoEvents();
    return gintWaitCancel > 0;
}

// The intake with the duplicate test of old: every listed entry's key made
// and compared, for each line.
std::size_t scanIntake(std::int32_t level, std::vector<QString> lines)
{
    if (level == AnaRangeCity)
        RemoveSameAddress(lines);
    QuickSort2Address(lines, 0, static_cast<std::int32_t>(lines.size()) - 1);
    std::vector<SelectedAreaEntry> entries;
    for (std::size_t j = 1; j < lines.size(); ++j) {
        if (yieldAndAsk())
            break;
        const QStringList fields = lines[j].split(u',');
        SelectedAreaEntry entry;
        entry[AreaXColumn] = fields.at(0);
        entry[AreaYColumn] = fields.at(1);
        entry[PrefCodeColumn] = ComCaldoraNeo::GetPrefCode(fields.at(2));
        entry[CityCodeColumn] = ComCaldoraNeo::GetCityCode(fields.at(2));
        if (level == AnaRangeTown)
            entry[TownCodeColumn] = ComCaldoraNeo::GetTownCode(fields.at(2));
        const QString key = SelectedAreaList::identityKey(level, entry);
        const bool listed = std::any_of(entries.begin(), entries.end(),
            [&](const SelectedAreaEntry &e) { return SelectedAreaList::identityKey(level, e) == key; });
        if (listed)
            continue;
        entry[PrefNameColumn] = ComCaldoraNeo::GetPrefName(fields.at(2));
        entry[CityNameColumn] = ComCaldoraNeo::GetCityName(fields.at(2));
        if (level == AnaRangeTown)
            entry[TownNameColumn] = ComCaldoraNeo::GetTownName(fields.at(2));
        entry[AreaNameColumn] = entry[PrefNameColumn] + entry[CityNameColumn] + entry[TownNameColumn];
        entries.push_back(entry);
    }
    return entries.size();
}

void runIntake(benchmark::State &state, const Workload &w)
{
    if (!statdata::MeshDatabase::shared().open(w.databasePath)) {
        state.SkipWithError("no place-name database");
        return;
    }
    AddressIntake intake;
    intake.cancelled = yieldAndAsk;
    for (auto _ : state) {
        SelectedAreaList list;
        takeAddressLines(list, w.level, w.lines, intake);
        state.counters["entries"] = list.size();
    }
}

void runScan(benchmark::State &state, const Workload &w)
{
    if (!statdata::MeshDatabase::shared().open(w.databasePath)) {
        state.SkipWithError("no place-name database");
        return;
    }
    for (auto _ : state)
        state.counters["entries"] = static_cast<double>(scanIntake(w.level, w.lines));
}

void BM_SetAddrList_TownBlocks(benchmark::State &state)
{
    runIntake(state, townBlocks());
}
void BM_EntryScan_TownBlocks(benchmark::State &state)
{
    runScan(state, townBlocks());
}
void BM_SetAddrList_Municipalities(benchmark::State &state)
{
    runIntake(state, municipalities());
}
void BM_EntryScan_Municipalities(benchmark::State &state)
{
    runScan(state, municipalities());
}

} // namespace

BENCHMARK(BM_SetAddrList_TownBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryScan_TownBlocks)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SetAddrList_Municipalities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryScan_Municipalities)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
