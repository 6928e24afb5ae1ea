#include "graphs/axisscale.h"

#include "platform/vb/convert.h"

#include <array>

namespace veltra::graphs {

std::int32_t axisTop(const QString &strSuuchi)
{
    QString s = strSuuchi;
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    if (point >= 1) {
        s.truncate(point);
        if (s.size() == 1)
            return vb::cLng(s) + 1;
    }
    const qsizetype length = s.size();
    if (length <= 1)
        return vb::cLng(s);
    const QChar d1 = s.at(0);
    const QChar d2 = s.at(1);
    QString top;
    if (s.mid(1) == QString(length - 1, QLatin1Char('0')))
        top = s;
    else if (d1 == QLatin1Char('9'))
        top = QLatin1Char('1') + QString(length, QLatin1Char('0'));
    else if (d2 < QLatin1Char('5'))
        top = d1 + QLatin1Char('5') + QString(length - 2, QLatin1Char('0'));
    else
        top = QString::number(vb::cLng(QString(d1)) + 1) + QString(length - 1, QLatin1Char('0'));
    return vb::cLng(top);
}

std::int32_t tickInterval(double d_Max)
{
    struct Row
    {
        double atMost;
        std::int32_t interval;
    };
    static constexpr std::array<Row, 12> rows{{
        {10, 1},
        {15, 5},
        {100, 10},
        {150, 50},
        {1000, 100},
        {1500, 500},
        {10000, 1000},
        {15000, 5000},
        {100000, 10000},
        {150000, 50000},
        {1000000, 100000},
        {10000000, 1000000},
    }};
    for (const Row &row : rows)
        if (d_Max <= row.atMost)
            return row.interval;
    return 10000000;
}

} // namespace veltra::graphs
