// veltra-basemap: builds the default map document, its definitions and the
// place-name database from data/sources/ (see data/README.md).
//
//   veltra-basemap --sources <data/sources> --out <folder> [--report <file>]
//
// Prints a summary; every area without a real point or cell is listed in the
// report file (UTF-8), or on standard error when none is named.
#include "basemapmodel.h"
#include "defaultdatawriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

using namespace veltra::basemap;

namespace {

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
    if (!writeDefaultData(model, out, &error))
        return failed(error);

    const QByteArray report = model.report.join(u'\n').toUtf8() + '\n';
    if (!reportPath.isEmpty()) {
        QFile f(reportPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(report) != report.size())
            return failed(QStringLiteral("%1: cannot write the report").arg(reportPath));
    } else {
        std::fputs(report.constData(), stderr);
    }
    std::printf("veltra-basemap: %zu prefectures, %d municipal cells, %zu areas in the place-name database, "
                "%lld notes in the report\n",
        model.prefectureRows.size(), model.cellCount, model.municipalityRows.size(),
        static_cast<long long>(model.report.size()));
    return 0;
}
