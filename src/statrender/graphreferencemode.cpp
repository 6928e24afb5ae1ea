#include "statrender/graphreferencemode.h"

#include "mapwindow/globals.h"
#include "mapwindow/mdlelement.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statrender/graphsearch.h"
#include "zorvik/widget/zorvik.h"

#include <QStringList>
#include <exception>

namespace {

const QString kProcedure = QStringLiteral("ComPSYProc2");

// One step of filling the window: a failing step is skipped and the next runs.
template <typename F> void step(const F &f)
{
    try {
        f();
    } catch (const std::exception &) {
    }
}

} // namespace

namespace ComPSY {

void ComPSYProc2(std::int16_t &state, zorvik::Zorvik *engine)
{
    using namespace veltra;
    if (state == StateLeave) {
        const auto untick = shell::modeRegistry().statistics().untickDataSansho;
        if (untick)
            untick();
        return;
    }
    if (state != StateClick || !engine)
        return;

    std::int32_t set = 0;
    if (const int r = statrender::searchGraphAt(*engine, glngPointX[0], glngPointY[0], set)) {
        statrender::showEngineFailure(kProcedure, r);
        return;
    }
    if (set == 0) {
        engine->Refresh();
        return;
    }
    ElementInfo graph;
    std::int32_t elem = 0;
    mapwindow::readElementInfo(*engine, set, elem, graph, 1);
    const QStringList fields = graph.Key.split(QLatin1Char(','));
    engine->DrawElements(set, 2, 10, 0, 0);
    engine->Refresh();

    // Copies: the window may change the tables while it loads.
    const shell::DataReferenceWindow window = shell::modeRegistry().dataReference();
    const QStringList area = fields.value(0).split(QLatin1Char('|'));
    if (window.setAddressCode)
        step([&] { window.setAddressCode(area.value(0)); });
    if (area.size() > 1 && window.setBunya) {
        const QStringList words = area.at(1).split(QLatin1Char(' '));
        if (words.size() >= 3)
            step([&] { window.setBunya(words.at(2)); });
    }
    if (window.show)
        step([&] { window.show(); });

    if (const int r = engine->DrawElements(set, 1, 10, 0, 0))
        statrender::showEngineFailure(kProcedure, r);
    else
        engine->Refresh();
    engine->ReleaseElements(set);
}

} // namespace ComPSY
