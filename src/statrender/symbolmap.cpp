#include "statrender/symbolmap.h"

#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"
#include "statrender/frmpsyhanreisym.h"
#include "statrender/graphelements.h"
#include "statrender/graphmapcalls.h"
#include "statrender/legendcapture.h"

#include <QLabel>
#include <exception>

namespace ComPSY {

namespace {

using namespace veltra::statrender;

std::int32_t symbolLevelFactor(std::int32_t unitLevel)
{
    switch (unitLevel) {
    case 1:
        return 20;
    case 2:
        return 100;
    case 3:
        return 1000;
    default:
        return 0;
    }
}

} // namespace

bool DrawSymbolMap(zorvik::Zorvik *engine, const std::vector<QString> &header,
    const std::vector<QString> &data, const QString &dataPath, const QString & /*symbolFolder*/)
{
    try {
        const std::int32_t f = symbolLevelFactor(GetSizeMode(header));
        const auto lines = static_cast<std::int32_t>(data.size()) - 1;
        TotalRange range;
        double sum = 0;
        for (std::int32_t i = 1; i <= lines; ++i) {
            const double v = GetValueCode(data, i);
            if (v <= 0)
                continue;
            range.take(v, PlainAreaName(data, i));
            sum += v;
        }
        if (lines == 0)
            throw GraphMapError("no data line");
        const double mean = sum / lines;

        GraphMapCalls &calls = graphMapCalls();
        for (std::int32_t i = 1; i <= lines; ++i) {
            const double v = GetValueCode(data, i);
            if (v <= 0)
                continue;
            const std::int32_t factor = veltra::vb::cLng(mean / v * f);
            std::int32_t x = 0, y = 0, baseX = 0, baseY = 0;
            GetGraphPosition(data, i, x, y);
            GetAreaPoint(data, i, baseX, baseY);
            const QString name = MakeElementName(
                AreaKey(data, i), dataPath, i, factor, x, y, GetLineField(data, i, 11), QString());
            calls.addGraph(engine, name, x, y, baseX, baseY);
        }

        auto *legend = veltra::ui::form<frmPSYHanreiSym>(static_cast<QWidget *>(gfrmMain));
        legend->lblAve->setText(WholeText(mean));
        legend->lblMax->setText(WholeText(range.largest));
        legend->lblMin->setText(WholeText(range.smallest));
        legend->lblPMax->setText(range.largestName);
        legend->lblPMin->setText(range.smallestName);
        const std::vector<ItemLine> items = ItemLines(header);
        legend->lblInfo->setText(items.empty() ? QString() : items.front().name);
        showAndCaptureLegend(legend);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
