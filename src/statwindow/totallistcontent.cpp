#include "statwindow/totallistcontent.h"

#include "graphs/globals.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"

namespace veltra::statwindow {

namespace {

constexpr int FlowColumns = 5;

QString at(const std::vector<QString> &texts, std::size_t i)
{
    return i < texts.size() ? texts[i] : QString();
}

bool isMissing(const StatArea &area, std::size_t i)
{
    if (i >= area.DataFlag.size())
        return false;
    const std::int32_t flag = area.DataFlag[i];
    return flag == StatFlagNoData || flag == StatFlagNotFound;
}

class Grid
{
public:
    Grid() { m_table.rows.push_back(QStringList{QStringLiteral("名称")}); }

    // Adds columns headed by the texts.
    void addColumns(const QStringList &headers)
    {
        for (QStringList &row : m_table.rows)
            for (qsizetype i = 0; i < headers.size(); ++i)
                row << QString();
        QStringList &header = m_table.rows.front();
        for (qsizetype i = 0; i < headers.size(); ++i)
            header[header.size() - headers.size() + i] = headers[i];
    }
    // Appends a row of the texts, widening the grid for a row longer than it.
    void addRow(QStringList cells)
    {
        const int width = m_table.columnCount();
        if (cells.size() > width)
            addColumns(QStringList(cells.size() - width, QString()));
        while (cells.size() < m_table.columnCount())
            cells << QString();
        m_table.rows.push_back(cells);
    }
    TotalListTable take(bool visible)
    {
        m_table.visible = visible;
        return std::move(m_table);
    }

private:
    TotalListTable m_table;
};

QString currencyText(vb::Currency value)
{
    return vb::cStr(value.toDouble());
}

void fillItems(Grid &grid, const std::vector<StatArea> &records, const std::vector<QString> &item)
{
    QStringList headers;
    for (std::size_t i = 0; i + 1 < item.size(); ++i)
        headers << item[i];
    grid.addColumns(headers);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const StatArea &area = records[r];
        QStringList cells{area.AreaName};
        for (std::size_t h = 1; h < area.Value.size(); ++h)
            cells << (isMissing(area, h) ? QStringLiteral("-") : statValueText(area.Value[h]));
        grid.addRow(cells);
    }
}

void fillPyramid(Grid &grid, const std::vector<StatArea> &records, const std::vector<QString> &item,
    std::int32_t lngExpressionKind, const std::vector<QString> &strAgeClassName)
{
    grid.addColumns({at(item, 0), at(item, 1)});
    for (std::size_t r = 1; r < records.size(); ++r) {
        const StatArea &area = records[r];
        const std::size_t classes = std::max(area.ManValue.size(), area.WomanValue.size());
        const auto series = [](const std::vector<double> &values, std::size_t t) {
            return vb::cCur(t < values.size() ? values[t] : 0.0);
        };
        vb::Currency leftTotal;
        vb::Currency rightTotal;
        for (std::size_t t = 1; t < classes; ++t) {
            leftTotal = leftTotal + series(area.ManValue, t);
            rightTotal = rightTotal + series(area.WomanValue, t);
        }
        const auto shown = [&](vb::Currency value, vb::Currency total) {
            if (lngExpressionKind == 0)
                return value;
            if (total.raw() == 0)
                return vb::Currency();
            return vb::cCur(value.toDouble() / total.toDouble() * 100);
        };
        for (std::size_t t = classes > 0 ? classes - 1 : 0; t >= 1; --t) {
            const QString name = QLatin1Char(' ') + at(strAgeClassName, t);
            QStringList cells{t == classes - 1 ? area.AreaName + name : name};
            if (isMissing(area, t)) {
                cells << QStringLiteral("-") << QStringLiteral("-");
            } else {
                cells << currencyText(shown(series(area.ManValue, t), leftTotal))
                      << currencyText(shown(series(area.WomanValue, t), rightTotal));
            }
            grid.addRow(cells);
        }
    }
}

void fillFlow(Grid &grid, const std::vector<StatArea> &records, const std::vector<QString> &item,
    const PrefNameLookup &prefName)
{
    QStringList headers(FlowColumns, QString());
    if (records.size() > 1) {
        const std::vector<RyusenPair> &partners = records[1].Ryusen;
        for (std::size_t c = 1; c <= FlowColumns && c < partners.size(); ++c) {
            const QString code = QStringLiteral("%1").arg(partners[c].PartnerCode, 2, 10, QLatin1Char('0'))
                + QStringLiteral("000000000");
            headers[static_cast<qsizetype>(c - 1)]
                = (prefName ? prefName(code) : QString()) + QLatin1Char(' ') + at(item, 0);
        }
    }
    grid.addColumns(headers);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const StatArea &area = records[r];
        QStringList cells{area.AreaName};
        for (std::size_t c = 1; c <= FlowColumns && c < area.Ryusen.size(); ++c)
            cells << vb::cStr(area.Ryusen[c].FlowCount);
        grid.addRow(cells);
    }
}

} // namespace

QString statValueText(const StatValue &value)
{
    if (const double *number = std::get_if<double>(&value))
        return vb::cStr(*number);
    if (const QString *text = std::get_if<QString>(&value))
        return *text;
    return QString();
}

TotalListTable buildTotalList(const std::vector<StatArea> &records, std::int32_t graphKind,
    const std::vector<QString> &item, std::int32_t lngExpressionKind, const std::vector<QString> &strAgeClassName,
    const PrefNameLookup &prefName)
{
    Grid grid;
    switch (graphKind) {
    case 0:
        return grid.take(false);
    case GraphKindNuri:
    case GraphKindPie:
    case GraphKindBar:
    case GraphKindSymbol:
    case GraphKindRanking:
    case GraphKindValue:
    case GraphKindSanpuzu:
        fillItems(grid, records, item);
        break;
    case GraphKindPyramid:
        fillPyramid(grid, records, item, lngExpressionKind, strAgeClassName);
        break;
    case GraphKindRyusen:
        fillFlow(grid, records, item, prefName);
        break;
    default:
        break;
    }
    return grid.take(true);
}

} // namespace veltra::statwindow
