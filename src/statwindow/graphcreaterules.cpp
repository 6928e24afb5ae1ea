#include "statwindow/graphcreaterules.h"

#include "platform/vb/convert.h"
#include "statwindow/globals.h"

#include <algorithm>
#include <cmath>

namespace veltra::statwindow {

QString graphCreateRefusal(int areaCount, std::int32_t anaRange, int mapKind)
{
    if (areaCount < 1)
        return QStringLiteral("住所を選択して下さい。");
    if (anaRange == AnaRangeNone)
        return QStringLiteral("分析範囲が選択されていません。");
    // A choropleth, ranking or scatter compares areas, so it needs two.
    if ((mapKind == MapKindSanpuzu || mapKind == MapKindNuri || mapKind == MapKindRanking) && areaCount < 2)
        return QStringLiteral("グラフ作成する地域を１つ以上選択して下さい。");
    if (mapKind == MapKindRyusen && anaRange != AnaRangePref)
        return QStringLiteral("グラフ作成が出来ない項目が指定されています");
    return QString();
}

double graphValue(double a, double b, std::int32_t calcKind)
{
    if (b == 0)
        return 0;
    switch (calcKind) {
    case 1:
        return a / b;
    case 2:
        return (a - b) / b * 100;
    default:
        return a / b * 100;
    }
}

std::int32_t graphColorSlot(std::int32_t i)
{
    const std::int32_t c = i % 15;
    return c == 0 ? 15 : c;
}

std::int32_t sturgesClassCount(std::int32_t s)
{
    const double k = vb::roundHalfEven(std::log2(static_cast<double>(std::max(s, 1))) + 1);
    return static_cast<std::int32_t>(std::clamp(k, 2.0, 9.0));
}

QString cannotCreateMessage(int mapKind)
{
    switch (mapKind) {
    case MapKindNuri:
        return QStringLiteral("選択した統計項目では塗り分け地図の作成が出来ません");
    case MapKindPie:
        return QStringLiteral("選択した統計項目では円グラフ地図の作成が出来ません");
    case MapKindBar:
        return QStringLiteral("選択した統計項目では棒グラフ地図の作成が出来ません");
    case MapKindValue:
        return QStringLiteral("選択した統計項目では実数値地図の作成が出来ません");
    case MapKindSymbol:
        return QStringLiteral("選択した統計項目でシンボルの作成が出来ません");
    case MapKindRanking:
        return QStringLiteral("選択した統計項目ではランキングの作成が出来ません");
    case MapKindPyramid:
        return QStringLiteral("選択した統計項目では人口ピラミッドの作成が出来ません");
    case MapKindRyusen:
        return QStringLiteral("選択した統計項目では流線図の作成が出来ません");
    default:
        return QString();
    }
}

} // namespace veltra::statwindow
