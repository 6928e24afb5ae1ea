// Map output of a choropleth over the 1,916 municipalities of Japan in seven
// classes: the analysis assembled from the area records, legend and selector,
// and assembled and written as a pair by the analysis file class. Drawing is
// measured by the statistics rendering's benchmarks.
// Goal: assembly and CsvWriteReq under 50 ms.
#include "enginebenchmain.h"
#include "graphs/clsanafile.h"
#include "graphs/ctlgradation.h"
#include "graphs/globals.h"
#include "graphs/graphowner.h"
#include "graphs/itemselection.h"
#include "platform/fs/fs.h"
#include "statwindow/mapoutput.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>

using namespace veltra::statwindow;

namespace {

constexpr int kMunicipalities = 1916;
constexpr int kClasses = 7;

class Owner : public GraphOwner
{
public:
    Owner()
    {
        for (auto &b : m_methods)
            b = new QRadioButton;
        m_methods[3]->setChecked(true);
    }
    ~Owner() override
    {
        for (auto *b : m_methods)
            delete b;
    }
    Owner(const Owner &) = delete;
    Owner &operator=(const Owner &) = delete;
    bool hasAnaRange() const override { return true; }
    std::int32_t AnaRange() const override { return 2; }
    QRadioButton *optMethod(std::int16_t index) const override
    {
        return m_methods.at(static_cast<std::size_t>(index));
    }

private:
    std::array<QRadioButton *, 5> m_methods{};
};

class Selection : public ItemSelection
{
public:
    std::int16_t GetItemSelect(std::int16_t selflg) const override { return selflg == 1 ? 1 : 255; }
    void GetSubItemData(std::int32_t, std::int32_t, std::vector<QString> &texts) const override
    {
        texts = item();
    }
    void setSelectData(std::int16_t, const QString &, std::int32_t, const QString &) override { }
    static std::vector<QString> item()
    {
        return {QStringLiteral("R2国勢調査\\人口\\総人口"), QStringLiteral("etc/R2国勢調査/市区町村/人口"),
            QStringLiteral("1"), QStringLiteral("R2"), QString()};
    }
};

struct Choropleth
{
    std::vector<StatArea> records{StatArea{}};
    std::vector<StatYearEntry> years;
    OutputSource source;

    Choropleth()
    {
        StatYearEntry r2;
        r2.Name = QStringLiteral("R2国勢調査");
        r2.StartDate = QStringLiteral("20201001");
        r2.EndDate = QStringLiteral("20251001");
        r2.EraCode = QStringLiteral("R2");
        years = {r2, StatYearEntry{}};
        source.mapKind = 0;
        source.records = &records;
        source.years = &years;
        source.selector.names[0] = {QStringLiteral("総人口")};
        source.selector.details[0] = {Selection::item()};
        source.legend.noticeName = QStringLiteral("総人口");
        source.legend.gradeNum = kClasses;
        source.legend.segments = kMunicipalities - 1;
        for (int k = 0; k < kClasses; ++k)
            source.legend.classes.push_back({0x00FFFF - k * 0x2020, k * 50000.0, (k + 1) * 50000.0});
        source.legend.entries.assign(kMunicipalities, {QStringLiteral("総人口"), 0});
        source.selectAddress.assign(1, QString());
        for (int i = 1; i <= kMunicipalities; ++i) {
            StatArea a;
            a.PrefCode = 1 + i % 47;
            a.CityCode = 100 + i % 900;
            a.AreaCode
                = QStringLiteral("%1%2000000").arg(a.PrefCode, 2, 10, QLatin1Char('0')).arg(a.CityCode);
            a.AreaName = QStringLiteral("市区町村%1").arg(i);
            a.X = -500000 + i * 311;
            a.Y = 300000 - i * 173;
            a.DataFlag = {0, i % 97 == 0 ? 1 : i % 89 == 0 ? 2 : 0};
            a.Value = {StatValue{}, i * 123.0};
            a.CalcValue = {StatValue{}, i * 123.0};
            records.push_back(a);
            source.selectAddress.push_back(a.AreaCode.left(5));
        }
    }
};

void BM_AssembleChoropleth(benchmark::State &state)
{
    const Choropleth c;
    for (auto _ : state) {
        AnalysisCalls calls = assembleAnalysis(c.source);
        benchmark::DoNotOptimize(calls.areas.data());
    }
}
BENCHMARK(BM_AssembleChoropleth)->Unit(benchmark::kMillisecond);

void BM_AssembleAndWriteChoropleth(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString db = dir.path() + QStringLiteral("/DB/");
    veltra::fs::createFolder(db);
    const Choropleth c;
    Owner owner;
    Selection select;
    ctlGradation gradation;
    glngGraphKind = GraphKindNuri;
    for (auto _ : state) {
        try {
            clsAnaFile ana;
            ana.SetFormName(&owner);
            ana.SetCtlSelect(&select);
            ana.SetCtlGradation(&gradation);
            fillAnaFile(ana, assembleAnalysis(c.source));
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
BENCHMARK(BM_AssembleAndWriteChoropleth)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    return veltra::bench::runEngineBenchmarks(argc, argv);
}
