#include "statwindow/pyramidanalysis.h"

#include <algorithm>

namespace veltra::statwindow {

namespace {

std::vector<QVariant> valuesOf(const StatArea &area, const QString &eraMark)
{
    const std::int32_t status = area.DataFlag.size() > 1 ? area.DataFlag[1] : StatFlagRead;
    if (status == StatFlagNoData)
        return {QVariant(), noDataMark(), noDataMark(), noDataMark()};
    if (status == StatFlagNotFound)
        return {QVariant(), eraMark, eraMark, eraMark};
    std::vector<QVariant> values(4);
    for (std::size_t j = 1; j <= 3 && j < area.Value.size(); ++j)
        values[j] = toVariant(area.Value[j]);
    return values;
}

} // namespace

AnalysisCalls assemblePyramidAnalysis(const PyramidAnalysisSource &source)
{
    AnalysisCalls calls = analysisHeader(source.legend, source.selectAddress);
    for (std::int32_t s = 0; s <= calls.segments; ++s) {
        AnalysisCalls::Head5 head;
        head.index = s;
        if (static_cast<std::size_t>(s) < source.legend.entries.size()) {
            head.name = source.legend.entries[static_cast<std::size_t>(s)].name;
            head.color = source.legend.entries[static_cast<std::size_t>(s)].color;
        }
        head.startDate = source.startDate;
        head.endDate = source.endDate;
        calls.head5.push_back(head);
    }

    const QString eraMark = QLatin1Char('"') + source.eraLabel + QLatin1Char('"');
    if (!source.records || source.records->empty())
        return calls;
    const std::vector<StatArea> &records = *source.records;
    calls.areaCount = static_cast<std::int32_t>(records.size() - 1);
    for (std::size_t i = 1; i < records.size(); ++i) {
        AnalysisCalls::Area line = areaLine(i, records[i]);
        line.values = valuesOf(records[i], eraMark);
        calls.areas.push_back(std::move(line));
    }
    return calls;
}

} // namespace veltra::statwindow
