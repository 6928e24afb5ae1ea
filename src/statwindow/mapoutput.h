#pragma once
// The analysis that map output stores, assembled without the window: from
// the area records, the preview graph's legend, what the item selector holds
// and the survey-year list, the calls that fill one clsAnaFile.
//
// Every value written into an area line is substituted by its status: "-"
// in double quotes for status 1 (the value file marks no data), the item's
// marker for status 2 (no value found), the value itself for status 0. An
// item's marker is "J" in double quotes for a calculation template or a
// rate, else its survey era text in double quotes when a survey-year record
// has that era, else empty.
//
// Where the stored analysis would draw something false, the assembly keeps
// it out: a flow partner no prefecture lookup knows is not written (its
// rank stays free), and a scatter numerator without a value writes "-" or
// its marker even when the axis has a denominator.
//
// Common use (the window's output handler):
//   OutputSource source{mapKind, &gtypStatArea, legendOf(graph), selectorOf(select), &years, codes, lookup};
//   const AnalysisCalls calls = assembleAnalysis(source);
//   clsAnaFile ana; ...links...; fillAnaFile(ana, calls); ana.CsvWriteReq(db);
#include "statwindow/statarea.h"
#include "statwindow/statistictree.h"

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

class clsAnaFile;
class clsDrawGraph;
class ctlSelect;

namespace veltra::statwindow {

// What the preview graph holds for the analysis header.
struct LegendSnapshot
{
    struct ClassRange
    {
        std::int32_t color = 0;
        double start = 0;
        double end = 0;
    };
    struct Entry
    {
        QString name;
        std::int32_t color = 0;
    };
    QString noticeName;
    QString compName;
    std::int32_t gradeNum = 0;
    std::int32_t segments = -1; // index of the last segment, -1 when none
    std::vector<ClassRange> classes; // 0 .. gradeNum - 1
    std::vector<Entry> entries; // 0 .. max(segments, 0)
};

// What the item selector holds: per list (0 to 3) its entry names and each
// entry's sub-item texts, and the option choices map output reads.
struct SelectorSnapshot
{
    std::array<std::vector<QString>, 4> names;
    std::array<std::vector<std::vector<QString>>, 4> details; // entry e at e - 1
    QString symbolFile;
    std::int32_t flowKind = 0; // 0 inflow, 1 outflow
    std::int32_t calcKind2 = 0; // X axis: 0 share (%), 1 ratio, 2 growth rate
    std::int32_t calcKind3 = 0; // Y axis, the same
    std::int32_t expressionKind = 0; // 0 absolute, 1 relative
    std::int32_t habaMax = 0;

    std::int32_t listCount(int list) const;
    // The sub-item texts of entry `entry` (from 1) of `list`; empty when none.
    const std::vector<QString> &detailsOf(int list, int entry) const;
};

// A prefecture's name and position, for the far end of a flow.
struct PrefPlace
{
    QString name;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
using PrefLookup = std::function<std::optional<PrefPlace>(std::int32_t prefCode)>;

struct OutputSource
{
    int mapKind = 0; // option index of optAnaUnit, 0 choropleth .. 8 scatter
    const std::vector<StatArea> *records = nullptr; // areas from index 1
    LegendSnapshot legend;
    SelectorSnapshot selector;
    const std::vector<StatYearEntry> *years = nullptr;
    std::vector<QString> selectAddress; // from index 1
    PrefLookup prefLookup; // the flow map only
};

// The calls of one analysis, in the order clsAnaFile takes them.
struct AnalysisCalls
{
    struct Head5
    {
        std::int32_t index = 0;
        QString name;
        std::int32_t color = 0;
        QString startDate;
        QString endDate;
    };
    struct Area
    {
        std::int32_t index = 0;
        std::int32_t x = 0, y = 0;
        std::int32_t pref = 0, city = 0, town = 0;
        QString item;
        QString name;
        std::vector<QVariant> values; // from index 1
    };
    struct Flow
    {
        std::int32_t index = 0;
        std::vector<std::int32_t> x, y, codes; // elements 1 origin, 2 destination
        std::vector<QString> names;
        double value = 0;
        std::int32_t ranking = 0;
    };

    QString noticeName;
    QString compName;
    std::int16_t gradeNum = 0;
    std::int32_t segments = -1;
    std::vector<QString> selectAddress;
    std::vector<LegendSnapshot::ClassRange> head4;
    std::vector<Head5> head5;
    std::vector<QVariant> markers; // marker k at k (from 1)
    std::int32_t areaCount = 0;
    std::vector<Area> areas;
    std::vector<Flow> flows;
};

// The "-" written for status 1 and the marker of templates and rates.
QString noDataMark();
QString templateMark();

// The snapshots of the window's graph and item selector.
LegendSnapshot legendOf(const clsDrawGraph &graph);
SelectorSnapshot selectorOf(const ctlSelect &select);

// The header calls every analysis starts with: names, grade count,
// segments, the selected codes and the class ranges of the legend.
AnalysisCalls analysisHeader(const LegendSnapshot &legend, const std::vector<QString> &selectAddress);
// An area line of record `index` without its values: position, codes, item
// and area name.
AnalysisCalls::Area areaLine(std::size_t index, const StatArea &area);
// A statistics value as the analysis calls take it: a number, a text, or null.
QVariant toVariant(const StatValue &value);
AnalysisCalls assembleAnalysis(const OutputSource &source);

// The number an output's "中止" box shows for a failure, as the run time
// numbers its errors (75 for a file that cannot be written, 67 when every
// analysis number is taken, 5 for anything else unnamed).
int outputFailureCode(const std::exception &e);
// Hands the calls to `ana` (names, classes, items, areas or flows); the
// links to the owner, selector and gradation are the caller's.
void fillAnaFile(clsAnaFile &ana, const AnalysisCalls &calls);

} // namespace veltra::statwindow
