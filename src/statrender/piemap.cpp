#include "statrender/piemap.h"

#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "statrender/analysisfields.h"
#include "statrender/graphelements.h"
#include "statrender/graphlegend.h"
#include "statrender/graphmapcalls.h"

#include <exception>

namespace ComPSY {

namespace {

using namespace veltra::statrender;

std::int32_t pieSizeFactor(std::int32_t unitLevel)
{
    switch (unitLevel) {
    case 1:
        return 20;
    case 3:
        return 1000;
    default:
        return 200;
    }
}

} // namespace

bool DrawPieMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data,
    const QString &dataPath, std::int32_t mapKind)
{
    try {
        const std::vector<QString> classes = ReadSizeClasses();
        const std::int32_t count = GetItemCount(header);
        const std::int32_t unitLevel = GetSizeMode(header);
        const bool absolute = GetExpressionKind(header) == 1;
        const auto lines = static_cast<std::int32_t>(data.size()) - 1;

        std::vector<double> values;
        double total = 0;
        std::int32_t areas = 0;
        for (std::int32_t i = 1; i <= lines; ++i) {
            if (!ValidValues(data, i, count, values))
                continue;
            for (double v : values)
                total += v;
            ++areas;
        }
        if (areas == 0)
            throw GraphMapError("no valid area");
        const double mean = total / areas;

        GraphMapCalls &calls = graphMapCalls();
        VoVuderParam param;
        TotalRange range;
        for (std::int32_t i = 1; i <= lines; ++i) {
            if (!ValidValues(data, i, count, values))
                continue;
            double s = 0;
            for (double v : values)
                s += v;
            range.take(s, PlainAreaName(data, i));
            if (s == 0)
                continue;
            std::int32_t k = 0;
            for (std::int32_t j = 1; j <= count; ++j) {
                const double v = values[static_cast<std::size_t>(j - 1)];
                if (v == 0)
                    continue;
                if (k >= VoVuderParam::MaxItems)
                    throw veltra::vb::SubscriptOutOfRange("more than 64 pie items");
                double share = v / s * 100;
                if (share > 0 && share < 1)
                    share = 1;
                param.Items[static_cast<std::size_t>(k)] = {veltra::vb::cLng(share), GetItemColor(header, j)};
                ++k;
            }
            CreatePictureFiles(param);
            param.ItemCount = k;
            param.Width = param.Height = 100;
            if (absolute) {
                std::int32_t pictureSize = 0;
                GetGraphSize(mapKind, classes, unitLevel, veltra::vb::cLng(s), param.Width, param.Height,
                    pictureSize, veltra::vb::cLng(mean));
            }
            if (param.Width > 0 && param.Height != 0) {
                WritePictures(calls.circle, param);
                std::int32_t x = 0, y = 0, baseX = 0, baseY = 0;
                GetGraphPosition(data, i, x, y);
                GetAreaPoint(data, i, baseX, baseY);
                const QString name = MakeElementName(AreaKey(data, i), dataPath, i, pieSizeFactor(unitLevel),
                    x, y, param.OutFile1, param.OutFile2);
                calls.addGraph(engine, name, x, y, baseX, baseY);
            }
        }
        range.toLegend(mean);
        ShowGraphLegend(header, false);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
