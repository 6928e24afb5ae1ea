// veltra-exceltemplates: writes the spreadsheet templates VeltraTemp1.xlsx to
// VeltraTemp8.xlsx of the default data folder's ExcelTemp\.
//
//   veltra-exceltemplates --out <data folder>/ExcelTemp
#include "exceltemplates/layouts.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || args[1] != QLatin1String("--out")) {
        std::fprintf(stderr, "usage: veltra-exceltemplates --out <folder>\n");
        return 2;
    }
    QString error;
    if (!veltra::exceltemplates::writeTemplates(args[2], &error)) {
        std::fprintf(stderr, "veltra-exceltemplates: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
