#include "statrender/rankingmap.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/analysisfields.h"
#include "statrender/frmpsyrank.h"
#include "statrender/graphelements.h"
#include "statrender/oneitemlegend.h"

#include <QLabel>
#include <exception>

namespace ComPSY {

bool DrawRankingMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data)
{
    try {
        std::int32_t rank = 1;
        for (std::size_t i = 1; i < data.size(); ++i) {
            const auto line = static_cast<std::int32_t>(i);
            if (GetValueCode(data, line) < 0)
                continue;
            std::int32_t x = 0, y = 0;
            GetAreaPoint(data, line, x, y);
            const QString text = QString::number(rank);
            if (rank <= 5) {
                PSY_AddTextElement(engine, static_cast<std::int16_t>(180 + rank), text, x, y);
                auto *popup = veltra::ui::form<frmPSYRank>(static_cast<QWidget *>(gfrmMain));
                popup->lblP[rank - 1]->setText(GetAreaName(data, line).remove(QLatin1Char('"')));
                popup->lblNum[rank - 1]->setText(GetFirstValueText(data, line));
            } else {
                PSY_AddTextElement(engine, 186, text, x, y);
            }
            ++rank;
        }
        veltra::statrender::showOneItemLegend(header, QStringLiteral("数字:ランキング"));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
