#include "statwindow/mapoutput.h"

#include "graphs/clsanafile.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "platform/vb/currency.h"
#include "platform/vb/errors.h"

#include <algorithm>
#include <new>

namespace veltra::statwindow {

namespace {

// Option indexes of optAnaUnit.
constexpr int KindNuri = 0;
constexpr int KindPie = 1;
constexpr int KindBar = 2;
constexpr int KindSymbol = 4;
constexpr int KindRanking = 5;
constexpr int KindPyramid = 6;
constexpr int KindRyusen = 7;
constexpr int KindSanpuzu = 8;

// Sub-item texts of a selector entry.
constexpr std::size_t TextTemplate = 1;
constexpr std::size_t TextField = 2;
constexpr std::size_t TextEra = 3;
constexpr std::size_t TextPyramidEra = 9;

// Flows written per area at most.
constexpr std::size_t MaxFlows = 5;

const std::vector<QString> &noTexts()
{
    static const std::vector<QString> none;
    return none;
}

QString textAt(const std::vector<QString> &texts, std::size_t i)
{
    return i < texts.size() ? texts[i] : QString();
}

bool isTemplate(const std::vector<QString> &texts)
{
    return textAt(texts, TextField) == QLatin1String("CALC");
}

template <typename T> const T *elementOf(const std::vector<T> &list, std::size_t i)
{
    return i < list.size() ? &list[i] : nullptr;
}

std::int32_t statusOf(const StatArea &area, std::size_t j)
{
    const std::int32_t *s = elementOf(area.DataFlag, j);
    return s ? *s : StatFlagRead;
}

StatValue valueOf(const StatArea &area, std::size_t j)
{
    const StatValue *v = elementOf(area.Value, j);
    return v ? *v : StatValue{};
}

QVariant markerOf(const AnalysisCalls &calls, std::size_t k)
{
    const QVariant *m = elementOf(calls.markers, k);
    return m ? *m : QVariant();
}

// A value after substitution by a status and the marker of its item.
QVariant substituted(const QVariant &value, std::int32_t status, const QVariant &marker)
{
    if (status == StatFlagNoData)
        return noDataMark();
    if (status == StatFlagNotFound)
        return marker;
    return value;
}

// The survey-year record whose era is `era`; none for an empty era, which
// would otherwise take the empty record at the end of the list.
const StatYearEntry *yearOfEra(const std::vector<StatYearEntry> *years, const QString &era)
{
    if (!years || era.isEmpty())
        return nullptr;
    for (const StatYearEntry &y : *years)
        if (y.EraCode == era)
            return &y;
    return nullptr;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Start and end date and marker of a plain item of era text index `eraText`.
void matchEra(const OutputSource &source, const std::vector<QString> &texts, std::size_t eraText,
    AnalysisCalls::Head5 &head, QVariant &marker)
{
    if (eraText >= texts.size())
        return;
    if (const StatYearEntry *year = yearOfEra(source.years, texts[eraText])) {
        head.startDate = year->StartDate;
        head.endDate = year->EndDate;
        marker = quoted(texts[eraText]);
    }
}

void assembleItems(const OutputSource &source, AnalysisCalls &calls)
{
    const SelectorSnapshot &select = source.selector;
    if (source.mapKind == KindSanpuzu) {
        calls.markers.assign(3, QVariant());
        for (int k = 0; k <= 1; ++k) {
            const int list = 2 * k;
            AnalysisCalls::Head5 head;
            head.index = k;
            head.name = textAt(select.names[static_cast<std::size_t>(list)], 0);
            const std::vector<QString> &texts = select.detailsOf(list, 1);
            bool plain = true;
            if (isTemplate(texts)) {
                head.name = textAt(texts, TextTemplate);
                plain = false;
            }
            if (select.listCount(list + 1) > 0)
                plain = false;
            QVariant &marker = calls.markers[static_cast<std::size_t>(k + 1)];
            if (!plain)
                marker = templateMark();
            else
                matchEra(source, texts, TextEra, head, marker);
            calls.head5.push_back(head);
        }
        return;
    }

    const std::int32_t n = std::max<std::int32_t>(source.legend.segments, 0);
    calls.markers.assign(static_cast<std::size_t>(n) + 2, QVariant());
    const bool perItem = source.mapKind == KindPie || source.mapKind == KindBar;
    const std::size_t eraText = source.mapKind == KindPyramid ? TextPyramidEra : TextEra;
    for (std::int32_t k = 0; k <= n; ++k) {
        AnalysisCalls::Head5 head;
        head.index = k;
        if (const LegendSnapshot::Entry *e = elementOf(source.legend.entries, static_cast<std::size_t>(k))) {
            head.name = e->name;
            head.color = e->color;
        }
        bool plain = !(select.listCount(1) > 0 && source.mapKind == KindNuri);
        const std::vector<QString> &texts = select.detailsOf(0, perItem ? k + 1 : 1);
        if (isTemplate(texts)) {
            head.name = textAt(texts, TextTemplate);
            plain = false;
        }
        QVariant &marker = calls.markers[static_cast<std::size_t>(k + 1)];
        if (!plain)
            marker = templateMark();
        else
            matchEra(source, texts, eraText, head, marker);
        if (source.legend.segments != -1)
            calls.head5.push_back(head);
    }
}

// A flow of partner h from or to the area; false when the partner's
// prefecture is unknown, so the flow would be drawn to a wrong place.
bool flowOf(const OutputSource &source, const StatArea &area, std::size_t h, AnalysisCalls::Flow &flow)
{
    const RyusenPair &pair = area.Ryusen[h];
    const std::optional<PrefPlace> partner
        = source.prefLookup ? source.prefLookup(pair.PartnerCode) : std::optional<PrefPlace>();
    if (!partner)
        return false;
    const bool outflow = source.selector.flowKind == 1;
    const std::size_t self = outflow ? 1 : 2;
    const std::size_t other = outflow ? 2 : 1;
    flow.x.assign(3, 0);
    flow.y.assign(3, 0);
    flow.codes.assign(3, 0);
    flow.names.assign(3, QString());
    flow.codes[self] = area.PrefCode;
    flow.x[self] = area.X;
    flow.y[self] = area.Y;
    flow.names[self] = area.AreaName;
    flow.codes[other] = pair.PartnerCode;
    flow.x[other] = partner->x;
    flow.y[other] = partner->y;
    flow.names[other] = partner->name;
    flow.index = static_cast<std::int32_t>(h);
    flow.ranking = static_cast<std::int32_t>(h);
    flow.value = pair.FlowCount;
    return true;
}

// numerator (calculation) denominator, to four decimals; 0 for a
// denominator of 0.
double calculated(vb::Currency numerator, vb::Currency denominator, std::int32_t kind)
{
    if (denominator == vb::Currency())
        return 0;
    const double a = numerator.toDouble();
    const double b = denominator.toDouble();
    double r = 0;
    switch (kind) {
    case 1:
        r = a / b;
        break;
    case 2:
        r = (a - b) / b * 100;
        break;
    default:
        r = a / b * 100;
        break;
    }
    return vb::cCur(r).toDouble();
}

// One scatter axis with a denominator: the value written for it.
QVariant ratioValue(const StatArea &area, std::size_t numerator, std::size_t denominator,
    const QVariant &marker, std::int32_t kind)
{
    for (const std::size_t j : {numerator, denominator}) {
        const std::int32_t status = statusOf(area, j);
        if (status != StatFlagRead)
            return substituted({}, status, marker);
    }
    return calculated(vb::cCur(statNumber(valueOf(area, numerator))),
        vb::cCur(statNumber(valueOf(area, denominator))), kind);
}

std::vector<QVariant> scatterValues(
    const OutputSource &source, const AnalysisCalls &calls, const StatArea &area)
{
    std::vector<QVariant> values(3);
    for (std::size_t j = 1; j <= 2; ++j)
        values[j] = substituted(toVariant(valueOf(area, j)), statusOf(area, j), markerOf(calls, j));
    const SelectorSnapshot &select = source.selector;
    std::size_t yDenominator = 3;
    if (select.listCount(1) > 0) {
        values[1] = ratioValue(area, 1, 3, markerOf(calls, 1), select.calcKind2);
        yDenominator = 4;
    }
    if (select.listCount(3) > 0)
        values[2] = ratioValue(area, 2, yDenominator, markerOf(calls, 2), select.calcKind3);
    return values;
}

std::vector<QVariant> itemValues(const OutputSource &source, const AnalysisCalls &calls, const StatArea &area)
{
    const std::size_t last = area.Value.empty() ? 0 : area.Value.size() - 1;
    std::vector<QVariant> values(last + 1);
    const bool firstItemRules = source.mapKind == KindRanking || source.mapKind == KindPyramid;
    for (std::size_t j = 1; j <= last; ++j) {
        const QVariant value = toVariant(area.Value[j]);
        if (source.mapKind == KindSymbol)
            values[j] = j == 1 ? substituted(value, statusOf(area, 1), markerOf(calls, 1)) : value;
        else if (firstItemRules)
            values[j] = substituted(value, statusOf(area, 1), markerOf(calls, 1));
        else
            values[j] = substituted(value, statusOf(area, j), markerOf(calls, j));
    }
    if (source.mapKind == KindSymbol)
        values.push_back(source.selector.symbolFile);
    return values;
}

std::vector<QVariant> choroplethValues(const AnalysisCalls &calls, const StatArea &area)
{
    std::vector<QVariant> values(2);
    if (area.CalcValue.size() > 1)
        values[1] = substituted(toVariant(area.CalcValue[1]), statusOf(area, 1), markerOf(calls, 1));
    return values;
}

} // namespace

QVariant toVariant(const StatValue &value)
{
    if (const double *d = std::get_if<double>(&value))
        return *d;
    if (const QString *s = std::get_if<QString>(&value))
        return *s;
    return {};
}

int outputFailureCode(const std::exception &e)
{
    if (dynamic_cast<const vb::Overflow *>(&e))
        return 6;
    if (dynamic_cast<const std::bad_alloc *>(&e))
        return 7;
    if (dynamic_cast<const vb::SubscriptOutOfRange *>(&e))
        return 9;
    if (dynamic_cast<const vb::TypeMismatch *>(&e))
        return 13;
    if (dynamic_cast<const vb::ObjectNotSet *>(&e))
        return 91;
    if (dynamic_cast<const vb::MemberNotSupported *>(&e))
        return 438;
    if (dynamic_cast<const vb::FileError *>(&e))
        return QString::fromUtf8(e.what()) == clsAnaFile::noFreeNumberMessage() ? 67 : 75;
    return 5;
}

QString noDataMark()
{
    return QStringLiteral("\"-\"");
}

QString templateMark()
{
    return QStringLiteral("\"J\"");
}

std::int32_t SelectorSnapshot::listCount(int list) const
{
    if (list < 0 || list >= static_cast<int>(names.size()))
        return 0;
    return static_cast<std::int32_t>(details[static_cast<std::size_t>(list)].size());
}

const std::vector<QString> &SelectorSnapshot::detailsOf(int list, int entry) const
{
    if (list < 0 || list >= static_cast<int>(details.size()) || entry < 1)
        return noTexts();
    const auto &entries = details[static_cast<std::size_t>(list)];
    return static_cast<std::size_t>(entry) <= entries.size() ? entries[static_cast<std::size_t>(entry) - 1]
                                                             : noTexts();
}

LegendSnapshot legendOf(const clsDrawGraph &graph)
{
    LegendSnapshot legend;
    legend.noticeName = graph.NoticeName();
    legend.compName = graph.CompName();
    legend.gradeNum = graph.GetGradeNum();
    legend.segments = graph.Segments();
    for (std::int32_t k = 0; k < legend.gradeNum; ++k) {
        LegendSnapshot::ClassRange c;
        graph.GetHead4(k, c.color, c.start, c.end);
        legend.classes.push_back(c);
    }
    for (std::int32_t k = 0; k <= std::max<std::int32_t>(legend.segments, 0); ++k) {
        LegendSnapshot::Entry e;
        graph.GetHead5(k, e.name, e.color);
        legend.entries.push_back(e);
    }
    return legend;
}

SelectorSnapshot selectorOf(const ctlSelect &select)
{
    SelectorSnapshot snapshot;
    for (int list = 0; list < 4; ++list) {
        const std::int32_t count = select.ListCount(list);
        if (count <= 0)
            continue;
        auto &names = snapshot.names[static_cast<std::size_t>(list)];
        select.GetItemData(list, names);
        auto &details = snapshot.details[static_cast<std::size_t>(list)];
        for (std::int32_t e = 1; e <= count; ++e) {
            details.emplace_back();
            select.GetSubItemData(list, e, details.back());
        }
    }
    snapshot.symbolFile = select.SymbolFile();
    snapshot.flowKind = select.FlowKind();
    snapshot.calcKind2 = select.CalcKind2();
    snapshot.calcKind3 = select.CalcKind3();
    snapshot.expressionKind = select.ExpressionKind();
    snapshot.habaMax = select.HabaMax();
    return snapshot;
}

AnalysisCalls analysisHeader(const LegendSnapshot &legend, const std::vector<QString> &selectAddress)
{
    AnalysisCalls calls;
    calls.noticeName = legend.noticeName;
    calls.compName = legend.compName;
    calls.gradeNum = static_cast<std::int16_t>(legend.gradeNum);
    calls.segments = legend.segments;
    calls.selectAddress = selectAddress;
    calls.head4 = legend.classes;
    return calls;
}

AnalysisCalls::Area areaLine(std::size_t index, const StatArea &area)
{
    AnalysisCalls::Area line;
    line.index = static_cast<std::int32_t>(index);
    line.x = area.X;
    line.y = area.Y;
    line.pref = area.PrefCode;
    line.city = area.CityCode;
    line.town = area.TownCode;
    line.item = area.ItemName;
    line.name = area.AreaName;
    return line;
}

AnalysisCalls assembleAnalysis(const OutputSource &source)
{
    AnalysisCalls calls = analysisHeader(source.legend, source.selectAddress);
    assembleItems(source, calls);

    static const std::vector<StatArea> noRecords{StatArea{}};
    const std::vector<StatArea> &records = source.records ? *source.records : noRecords;
    calls.areaCount = records.empty() ? 0 : static_cast<std::int32_t>(records.size() - 1);
    calls.areas.reserve(static_cast<std::size_t>(calls.areaCount));
    for (std::size_t i = 1; i < records.size(); ++i) {
        const StatArea &area = records[i];
        if (source.mapKind == KindRyusen) {
            for (std::size_t h = 1; h < area.Ryusen.size() && h <= MaxFlows; ++h) {
                AnalysisCalls::Flow flow;
                if (flowOf(source, area, h, flow))
                    calls.flows.push_back(std::move(flow));
            }
            continue;
        }
        AnalysisCalls::Area line = areaLine(i, area);
        if (source.mapKind == KindNuri)
            line.values = choroplethValues(calls, area);
        else if (source.mapKind == KindSanpuzu)
            line.values = scatterValues(source, calls, area);
        else
            line.values = itemValues(source, calls, area);
        calls.areas.push_back(std::move(line));
    }
    return calls;
}

void fillAnaFile(clsAnaFile &ana, const AnalysisCalls &calls)
{
    ana.setNoticeName(calls.noticeName);
    ana.setCompName(calls.compName);
    ana.SetGradeNum(calls.gradeNum);
    ana.setSegments(calls.segments);
    ana.setSelectAddress(calls.selectAddress);
    for (std::size_t k = 0; k < calls.head4.size(); ++k) {
        const LegendSnapshot::ClassRange &c = calls.head4[k];
        ana.SetHead4(static_cast<std::int32_t>(k), c.color, c.start, c.end);
    }
    for (const AnalysisCalls::Head5 &h : calls.head5)
        ana.SetHead5(h.index, h.name, h.color, h.startDate, h.endDate);
    ana.SetData1Area(calls.areaCount);
    for (const AnalysisCalls::Area &a : calls.areas)
        ana.SetData1(a.index, a.x, a.y, a.pref, a.city, a.town, a.item, a.name, a.values);
    for (const AnalysisCalls::Flow &f : calls.flows)
        ana.SetDtStreamline(f.index, f.x, f.y, f.codes, f.names, f.value, f.ranking);
}

} // namespace veltra::statwindow
