#include "statrender/barmap.h"

#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "statrender/analysisfields.h"
#include "statrender/graphelements.h"
#include "statrender/graphlegend.h"
#include "statrender/graphmapcalls.h"

#include <algorithm>
#include <exception>

namespace ComPSY {

namespace {

using namespace veltra::statrender;

constexpr std::int32_t BarKind = 3;

std::int32_t barSizeFactor(std::int32_t unitLevel)
{
    switch (unitLevel) {
    case 1:
        return 10;
    case 3:
        return 500;
    default:
        return 100;
    }
}

double sum(const std::vector<double> &values)
{
    double s = 0;
    for (double v : values)
        s += v;
    return s;
}

} // namespace

bool DrawBarMap(zorvik::Zorvik *engine, const std::vector<QString> &header, const std::vector<QString> &data,
    const QString &dataPath, std::int32_t /*mapKind*/)
{
    try {
        const std::vector<QString> classes = ReadSizeClasses();
        const std::int32_t count = GetItemCount(header);
        const std::int32_t unitLevel = GetSizeMode(header);
        const bool absolute = GetExpressionKind(header) == 1;
        const auto lines = static_cast<std::int32_t>(data.size()) - 1;

        std::vector<double> values;
        double largestValue = 0, total = 0;
        std::int32_t areas = 0;
        TotalRange range;
        for (std::int32_t i = 1; i <= lines; ++i) {
            if (!ValidValues(data, i, count, values))
                continue;
            for (double v : values)
                largestValue = std::max(largestValue, v);
            const double s = sum(values);
            total += s;
            ++areas;
            range.take(s, PlainAreaName(data, i));
        }
        if (areas == 0)
            throw GraphMapError("no valid area");
        if (count > VoVuderParam::MaxItems)
            throw veltra::vb::SubscriptOutOfRange("more than 64 bar items");
        const double mean = total / areas;

        GraphMapCalls &calls = graphMapCalls();
        VoVuderParam param;
        std::int32_t pictureSize = 0;
        if (absolute) {
            GetGraphSize(BarKind, classes, unitLevel, veltra::vb::cLng(range.largest), param.Width,
                param.Height, pictureSize, veltra::vb::cLng(mean));
        }
        const double unit = largestValue / 100;
        for (std::int32_t i = 1; i <= lines; ++i) {
            if (!ValidValues(data, i, count, values))
                continue;
            const double s = sum(values);
            for (std::int32_t j = 1; j <= count; ++j) {
                const double v = values[static_cast<std::size_t>(j - 1)];
                VoVuderItem &item = param.Items[static_cast<std::size_t>(j - 1)];
                if (v <= 0)
                    item = {0, 0};
                else if (absolute)
                    item = {std::max(veltra::vb::cLng(v / unit), 2), GetItemColor(header, j)};
                else
                    item = {veltra::vb::cLng(v / (s / 100)), GetItemColor(header, j)};
            }
            param.ItemCount = count;
            CreatePictureFiles(param);
            if (!absolute) {
                GetGraphSize(BarKind, classes, unitLevel, veltra::vb::cLng(s), param.Width, param.Height,
                    pictureSize, veltra::vb::cLng(mean));
            }
            if (param.Width <= 0 || param.Height == 0)
                continue;
            WritePictures(calls.bar, param);
            std::int32_t x = 0, y = 0, baseX = 0, baseY = 0;
            GetGraphPosition(data, i, x, y);
            GetAreaPoint(data, i, baseX, baseY);
            const QString name = MakeElementName(AreaKey(data, i), dataPath, i, barSizeFactor(unitLevel), x,
                y, param.OutFile1, param.OutFile2);
            calls.addGraph(engine, name, x, y, baseX, baseY);
        }
        if (absolute)
            range.toLegend(mean);
        ShowGraphLegend(header, !absolute);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
