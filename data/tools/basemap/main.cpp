// veltra-basemap: builds the default map document, its definitions and the
// place-name database from data/sources/ (see data/README.md).
//
//   veltra-basemap --sources <data/sources> --out <folder> [--report <file>]
//
// Prints a summary; every area without a real point or cell and every point
// moved onto its prefecture's land is listed in the report file (UTF-8), or
// on standard error when none is named. Before writing anything it checks
// that the municipal cells cover every prefecture's land without a hole or
// an overlap and hold their municipalities' points; on a fault it names each
// and writes nothing.
#include "basemapmodel.h"
#include "coverage.h"
#include "defaultdatawriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

using namespace veltra::basemap;

namespace {

// The grid of the coverage check: fine enough for a municipality of a few
// square kilometres, and well under a second for the whole country.
constexpr double CheckStepKm = 0.5;

int usage()
{
    std::fprintf(stderr, "usage: veltra-basemap --sources <folder> --out <folder> [--report <file>]\n");
    return 2;
}

int failed(const QString &what)
{
    std::fprintf(stderr, "veltra-basemap: %s\n", qPrintable(what));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString sources, out, reportPath;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage();
        if (args[i] == QLatin1String("--sources"))
            sources = args[i + 1];
        else if (args[i] == QLatin1String("--out"))
            out = args[i + 1];
        else if (args[i] == QLatin1String("--report"))
            reportPath = args[i + 1];
        else
            return usage();
    }
    if (sources.isEmpty() || out.isEmpty())
        return usage();

    std::vector<Prefecture> prefectures;
    std::vector<Municipality> municipalities;
    QString error;
    if (!readPrefectures(sources + QStringLiteral("/prefectures.csv"), prefectures, &error)
        || !readMunicipalities(sources + QStringLiteral("/municipalities.csv"), municipalities, &error)
        || !attachOutlines(sources + QStringLiteral("/prefectures_mapdata.geojson"), prefectures, &error))
        return failed(error);

    const BaseMapModel model = buildBaseMap(prefectures, municipalities);
    const CoverageCheck check = checkCoverage(model, CheckStepKm);
    const QString checkLine = QStringLiteral(
        "grid check every %1 km: %2 points on the land of %3 prefectures; %4 in no municipal "
        "cell, %5 in more than one, %6 in a cell off the land (%7 more within the rounding of an "
        "edge); %8 database points outside their own cell")
                                  .arg(CheckStepKm)
                                  .arg(check.landPoints)
                                  .arg(model.prefectureRows.size())
                                  .arg(check.holes)
                                  .arg(check.overlaps)
                                  .arg(check.outside)
                                  .arg(check.onEdge)
                                  .arg(check.pointsOutsideOwnCell);
    if (!check.ok()) {
        for (const QString &fault : check.faults)
            std::fprintf(stderr, "veltra-basemap: %s\n", qPrintable(fault));
        return failed(checkLine + QStringLiteral("; nothing written"));
    }
    if (!writeDefaultData(model, out, &error))
        return failed(error);

    const QByteArray report = (model.report + QStringList{checkLine}).join(u'\n').toUtf8() + '\n';
    if (!reportPath.isEmpty()) {
        QFile f(reportPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(report) != report.size())
            return failed(QStringLiteral("%1: cannot write the report").arg(reportPath));
    } else {
        std::fputs(report.constData(), stderr);
    }
    std::printf("veltra-basemap: %zu prefectures, %d municipal cells, %zu areas in the place-name database, "
                "%zu points moved onto the land, %lld notes in the report\n",
        model.prefectureRows.size(), model.cellCount, model.municipalityRows.size(), model.moved.size(),
        static_cast<long long>(model.report.size()));
    return 0;
}
