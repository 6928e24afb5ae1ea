#include "statrender/valuemap.h"

#include "platform/vb/convert.h"
#include "statrender/analysisfields.h"
#include "statrender/graphelements.h"
#include "statrender/oneitemlegend.h"

#include <exception>

namespace ComPSY {

bool DrawValueMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data)
{
    try {
        for (std::size_t i = 1; i < data.size(); ++i) {
            const auto line = static_cast<std::int32_t>(i);
            const double value = GetValueCode(data, line);
            if (value < 0)
                continue;
            std::int32_t x = 0, y = 0;
            GetAreaPoint(data, line, x, y);
            PSY_AddTextElement(engine, 186, veltra::vb::cStr(value), x, y);
        }
        veltra::statrender::showOneItemLegend(header, QStringLiteral("数字:実数値"));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
