#include "graphs/classboundcheck.h"

#include "platform/vb/convert.h"
#include "platform/vb/errors.h"

namespace veltra::graphs {

namespace {

// A bound too large for a Double (or a hex literal wider than 32 bits) is no
// number either, so it reads as 0 like any other text that is not one.
double v(const QString &text)
{
    try {
        return vb::val(text);
    } catch (const vb::Overflow &) {
        return 0;
    }
}

QString range(const QString &from, const QString &to)
{
    return from + QStringLiteral("から") + to + QStringLiteral("までの範囲で指定して下さい。");
}

} // namespace

std::optional<QString> classBoundRefusal(
    int row, const QStringList &lower, const QStringList &upper, double rangeMin, double rangeMax)
{
    const int n = static_cast<int>(upper.size());
    const int r = row;
    const QString tMin = vb::cStr(rangeMin);
    const QString tMax = vb::cStr(rangeMax);
    const QString &u = upper.at(r);

    if (r == 0 && n == 1) {
        if (u.isEmpty())
            return range(tMin, tMax);
        if (v(u) < v(lower.at(0)))
            return range(tMin, u);
        if (v(u) > rangeMax)
            return range(lower.at(0), tMax);
    } else if (r == 0) {
        if (u.isEmpty())
            return range(tMin, upper.at(1));
        if (v(u) < v(lower.at(0)))
            return range(tMin, u);
        if (v(upper.at(1)) < v(u))
            return range(lower.at(0), upper.at(1));
    } else if (r == n - 1) {
        if (u.isEmpty())
            return range(upper.at(r - 1), tMax);
        if (v(upper.at(r - 1)) > v(u) || v(tMax) < v(u))
            return range(upper.at(r - 1), tMax);
        if (v(u) > rangeMax)
            return QStringLiteral("最大値は") + tMax + QStringLiteral("までで指定して下さい。");
    } else {
        if (v(upper.at(r - 1)) > v(u) || v(upper.at(r + 1)) < v(u))
            return range(upper.at(r - 1), upper.at(r + 1));
    }
    return std::nullopt;
}

} // namespace veltra::graphs
