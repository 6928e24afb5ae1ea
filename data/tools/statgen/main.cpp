// veltra-statgen: writes the statistics tree (etc\) of the default data folder
// from the census tables in data/sources/census (see data/README.md), the
// shipped calculation templates over them, and the input examples of the
// user-data registration (追加用エクセルファイル\).
//
//   veltra-statgen --census <data/sources/census> --data <data folder> [--report <file>]
//
// The report (UTF-8) lists the statistics written with their item groups and
// file counts; it is written last, so its presence means the tree is complete.
#include "calctemplates.h"
#include "censusplan.h"
#include "censustables.h"
#include "inputforms.h"
#include "statregistrar.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <map>

using namespace veltra::statgen;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: veltra-statgen --census <folder> --data <folder> [--report <file>]\n");
    return 2;
}

int failed(const QString &what)
{
    std::fprintf(stderr, "veltra-statgen: %s\n", qPrintable(what));
    return 1;
}

QString reportOf(const std::vector<ValueTable> &plan)
{
    // statistics -> "unit/group" -> number of files, in registration order.
    QStringList order;
    std::map<QString, std::vector<std::pair<QString, int>>> groups;
    for (const ValueTable &t : plan) {
        const QString name = statisticsName(t);
        if (!order.contains(name))
            order << name;
        auto &list = groups[name];
        const QString group
            = t.areaUnit + u'/' + t.itemGroup + QStringLiteral(" (%1 items)").arg(t.header.size() - 2);
        if (list.empty() || list.back().first != group)
            list.push_back({group, 0});
        ++list.back().second;
    }
    QString out;
    for (const QString &name : order) {
        const ValueTable *first = nullptr;
        for (const ValueTable &t : plan) {
            if (statisticsName(t) == name) {
                first = &t;
                break;
            }
        }
        out += QStringLiteral("%1 %2-%3\n").arg(name, first->startDate, first->endDate);
        for (const auto &[group, files] : groups[name])
            out += QStringLiteral("  %1: %2 file(s)\n").arg(group).arg(files);
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString census, data, reportPath;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage();
        if (args[i] == QLatin1String("--census"))
            census = args[i + 1];
        else if (args[i] == QLatin1String("--data"))
            data = args[i + 1];
        else if (args[i] == QLatin1String("--report"))
            reportPath = args[i + 1];
        else
            return usage();
    }
    if (census.isEmpty() || data.isEmpty())
        return usage();

    CensusTables tables;
    std::vector<ValueTable> plan;
    QString error;
    if (!readCensusTables(census, tables, &error) || !buildCensusPlan(tables, plan, &error))
        return failed(error);
    if (!reportPath.isEmpty())
        QFile::remove(reportPath);
    if (!writeStatisticsTree(data, plan, &error) || !writeShippedTemplates(data, &error)
        || !writeInputForms(data, tables, &error))
        return failed(error);

    const QByteArray report = reportOf(plan).toUtf8();
    if (!reportPath.isEmpty()) {
        QFile f(reportPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(report) != report.size())
            return failed(QStringLiteral("%1: cannot write the report").arg(reportPath));
    }
    std::printf("veltra-statgen: %zu value files written\n", plan.size());
    return 0;
}
