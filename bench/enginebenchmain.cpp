#include "enginebenchmain.h"

#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace veltra::bench {

int runEngineBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zorvik::Zorvik engine;
    engine.setScale(25000);
    gobjZor = &engine;
    gstrSetDate1 = QStringLiteral("2024/04/01");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gobjZor = nullptr;
    return 0;
}

} // namespace veltra::bench
