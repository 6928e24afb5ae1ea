// The pyramid window's output for 200 municipalities of the default data
// (the 2020 census in 21 five-year age classes): one picture per area drawn
// and saved as a bitmap, and the analysis pair assembled and written. The
// drawing on the map is measured by the statistics rendering's benchmarks.
// Goal: under 1.5 s (about 7 ms per area).
#include "enginebenchmain.h"
#include "graphs/clsanafile.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/graphowner.h"
#include "graphs/picturebox.h"
#include "platform/fs/fs.h"
#include "platform/ui/twips.h"
#include "statdata/meshdatabase.h"
#include "statwindow/globals.h"
#include "statwindow/graphcolors.h"
#include "statwindow/pyramidanalysis.h"
#include "statwindow/pyramidareareader.h"
#include "statwindow/pyramidpictures.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace veltra::statwindow;

namespace {

constexpr int kAreas = 200;
constexpr int kClasses = 21;

class Owner : public GraphOwner
{
public:
    bool hasAnaRange() const override { return true; }
    std::int32_t AnaRange() const override { return 2; }
};

// The first 200 municipalities of the place-name database with their age
// classes read as the window reads them.
bool readMunicipalities(std::vector<QString> &codes)
{
    const QString data = QStringLiteral(VELTRA_DEFAULT_DATA) + QStringLiteral("/VeltraData/");
    static veltra::statdata::MeshDatabase db;
    if (!db.open(veltra::statdata::MeshDatabase::pathInDataFolder(data)))
        return false;
    auto query = db.prepare(QStringLiteral("SELECT 都道府県ｺｰﾄﾞ, 市区町村ｺｰﾄﾞ FROM 市区町村テーブル"));
    codes.assign(1, QString());
    while (query.next() && static_cast<int>(codes.size()) <= kAreas)
        codes.push_back(QStringLiteral("%1%2")
                            .arg(query.value(0).toInt(), 2, 10, QLatin1Char('0'))
                            .arg(query.value(1).toInt(), 3, 10, QLatin1Char('0')));
    const QString folder = data + QStringLiteral("etc\\R2国勢調査\\市区町村\\年齢5歳階級別");
    return ReadAgeData(db, nullptr, 2, codes, folder, kClasses, 2, 25) && gtypStatArea.size() == kAreas + 1;
}

void BM_OutputPyramids(benchmark::State &state)
{
    std::vector<QString> codes;
    if (!readMunicipalities(codes)) {
        state.SkipWithError("the default data's municipalities could not be read");
        return;
    }
    const std::vector<StatArea> read = gtypStatArea;
    QTemporaryDir dir;
    const QString db = dir.path() + QStringLiteral("/DB/");
    veltra::fs::createFolder(db);
    veltra::fs::createFolder(db + QStringLiteral("TempPImage/"));

    // The window's drawing surface and legend.
    PictureBox picture;
    picture.setBackColor(Qt::white);
    picture.resize(veltra::ui::twipsToPixelsX(6135), veltra::ui::twipsToPixelsY(4215));
    ctlLegend legend;
    Owner owner;
    clsDrawGraph graph;
    graph.SetCtlLegend(&legend);
    graph.SetFormName(&owner);
    glngGraphKind = GraphKindPyramid;

    PyramidPictureSource source;
    source.itemTexts.assign(9, QString());
    source.itemTexts[3] = QString::number(kClasses);
    source.itemTexts[7] = QStringLiteral("男");
    source.itemTexts[8] = QStringLiteral("女");
    source.habaMax = 15;
    source.leftColor = rgbColor(80, 160, 245);
    source.rightColor = rgbColor(245, 100, 100);
    source.pictureFolder = db + QStringLiteral("TempPImage/");
    source.summary = false;

    int drawn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        gtypStatArea = read;
        state.ResumeTiming();
        try {
            makePyramidPictures(gtypStatArea, source, graph, picture.canvas(), picture);
            PyramidAnalysisSource analysis;
            analysis.records = &gtypStatArea;
            analysis.legend = legendOf(graph);
            analysis.selectAddress = codes;
            analysis.startDate = QStringLiteral("20201001");
            analysis.endDate = QStringLiteral("21000930");
            analysis.eraLabel = QStringLiteral("R2");
            clsAnaFile ana;
            ana.SetFormName(&owner);
            fillAnaFile(ana, assemblePyramidAnalysis(analysis));
            ana.CsvWriteReq(db);
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            break;
        }
        state.PauseTiming();
        drawn = static_cast<int>(
            veltra::fs::listFiles(db + QStringLiteral("TempPImage/"), QStringLiteral("*.bmp")).size());
        veltra::fs::deleteFiles(db + QStringLiteral("tempheader000.hed"));
        veltra::fs::deleteFiles(db + QStringLiteral("tempdata000.dat"));
        state.ResumeTiming();
    }
    state.counters["areas"] = kAreas;
    state.counters["pictures"] = drawn;
}
BENCHMARK(BM_OutputPyramids)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char **argv)
{
    return veltra::bench::runEngineBenchmarks(argc, argv);
}
