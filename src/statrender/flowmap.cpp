#include "statrender/flowmap.h"

#include "mapwindow/elementinfo.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/compsyope.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/analysislines.h"
#include "statrender/frmpsyrank.h"
#include "statrender/graphmapcalls.h"
#include "statrender/legendcapture.h"
#include "statrender/statelements.h"
#include "zorvik/widget/zorvik.h"

#include <QLabel>
#include <exception>

namespace ComPSY {

namespace {

using namespace veltra::statrender;

// One end of a flow, a DtStreamline line.
struct FlowEnd
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    QString name;
    QString value;
};

FlowEnd readEnd(const std::vector<QString> &data, std::int32_t line)
{
    FlowEnd end;
    end.x = veltra::vb::cLng(GetLineField(data, line, 0));
    end.y = veltra::vb::cLng(GetLineField(data, line, 1));
    GetLineField(data, line, 2);
    end.name = GetLineField(data, line, 3);
    end.value = GetLineField(data, line, 4);
    GetLineField(data, line, 5);
    return end;
}

bool isInflow(const std::vector<QString> &header)
{
    const std::optional<double> direction = veltra::vb::toNumber(GetLineField(header, 2, 10));
    return direction && *direction == 1;
}

} // namespace

bool DrawFlowMap(
    zorvik::Zorvik * /*engine*/, const std::vector<QString> &header, const std::vector<QString> &data)
{
    try {
        auto *popup = veltra::ui::form<frmPSYRank>(static_cast<QWidget *>(gfrmMain));
        const bool inflow = isInflow(header);
        popup->sOpt = inflow ? QStringLiteral("流入") : QStringLiteral("流出");

        GraphMapCalls &calls = graphMapCalls();
        // Only complete pairs are flows; a last line alone has no end.
        const auto flows = (static_cast<std::int32_t>(data.size()) - 1) / 2;
        for (std::int32_t k = 1; k <= flows; ++k) {
            const FlowEnd start = readEnd(data, 2 * k - 1);
            const FlowEnd end = readEnd(data, 2 * k);
            if (k <= 5) {
                const FlowEnd &partner = inflow ? start : end;
                popup->lblP[static_cast<std::size_t>(k - 1)]->setText(partner.name);
                popup->lblNum[static_cast<std::size_t>(k - 1)]->setText(partner.value);
            }
            std::int32_t b1x = 0, b1y = 0, b2x = 0, b2y = 0;
            ComPSYOpe::GetArrowHead(start.x, start.y, end.x, end.y, b1x, b1y, b2x, b2y);
            ElementInfo record;
            record.Key = QStringLiteral("RYUSEN") + QString::number(k);
            const auto kind = static_cast<std::int16_t>(k <= 5 ? 180 + k : 186);
            if (MakeFlowLineElement(
                    record, kind, start.x, start.y, end.x, end.y, b1x, b1y, end.x, end.y, b2x, b2y))
                calls.drawFlowLine(gobjZor, record);
        }

        popup->show();
        if (gobjZor)
            gobjZor->Refresh();
        showAndCaptureLegend(popup);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
