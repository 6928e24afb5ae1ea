#pragma once
// The analysis the pyramid window stores, as calls of clsAnaFile: the legend
// of the two series with the statistics' validity period, the window's
// sorted area codes and one line per area record with its picture name and
// two totals. An area whose class 1 the data marks "-" writes "-" in double
// quotes three times; one without a line for class 1 writes the era label in
// double quotes three times.
#include "statwindow/mapoutput.h"

namespace veltra::statwindow {

struct PyramidAnalysisSource
{
    const std::vector<StatArea> *records = nullptr; // areas from index 1
    LegendSnapshot legend;
    std::vector<QString> selectAddress; // from index 1
    QString startDate;
    QString endDate;
    QString eraLabel;
};

AnalysisCalls assemblePyramidAnalysis(const PyramidAnalysisSource &source);

} // namespace veltra::statwindow
