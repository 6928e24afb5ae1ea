// The classification of clsDrawGraph: the class-count list, the classes by
// method (attribute steps, natural breaks, quantile, equal interval,
// standard deviation), the repair pass, the counting, the class colours, and
// the conversions between bounds, boundary handles and legend texts.
//
// Every step reads the segment values sorted ascending (the class histogram
// sorts them first) and compares values with bounds at four decimals
// (Currency). The class list keeps two entries beyond the classes so that
// the handle after the last class has one (2C + 1 entries for the
// standard-deviation method of C work classes).
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/graphowner.h"
#include "graphs/picturebox.h"
#include "graphs/valuethroughtext.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/currency.h"
#include "platform/vb/errors.h"
#include "platform/vb/subscript.h"
#include "platform/vb/format.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <string>

using namespace veltra;

namespace {

constexpr std::int16_t MethodZokusei = 0;
constexpr std::int16_t MethodShizen = 1;
constexpr std::int16_t MethodTouryou = 2;
constexpr std::int16_t MethodTouKankaku = 3;
constexpr std::int16_t MethodStandard = 4;
constexpr std::int16_t MethodCount = 5;
constexpr std::int32_t LargestListedCount = 9;

vb::Currency cur(double value)
{
    return vb::cCur(value);
}

// The list "2" to "last"; rebuilding it is no choice of the user, so the
// owner hears nothing of it.
void fillCounts(QComboBox &combo, std::int32_t last)
{
    const QSignalBlocker quiet(&combo);
    combo.clear();
    for (std::int32_t i = 2; i <= last; ++i)
        combo.addItem(vb::format(i, QStringLiteral("#0")));
}

// ListIndex: -1 clears the choice; an entry the list lacks is refused.
void selectEntry(QComboBox &combo, std::int64_t index)
{
    if (index < -1 || index >= combo.count())
        throw vb::SubscriptOutOfRange("Invalid property value: no class count entry " + std::to_string(index));
    const QSignalBlocker quiet(&combo);
    combo.setCurrentIndex(static_cast<int>(index));
}

// A lowered class count k moves the choice down to its entry.
void lowerSelection(QComboBox &combo, std::int32_t k)
{
    if (combo.currentIndex() > k - 2)
        selectEntry(combo, k - 2);
}

} // namespace

std::vector<double> clsDrawGraph::sortedValues() const
{
    if (m_lngSegments < 1)
        throw vb::SubscriptOutOfRange("classes need two values or more");
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(m_lngSegments) + 1);
    for (std::int32_t i = 0; i <= m_lngSegments; ++i)
        values.push_back(m_typSegment[static_cast<std::size_t>(i)].Value);
    return values;
}

bool clsDrawGraph::classify(const QString &strGraphInit, double avg, double sd)
{
    if (!prepareClassCount(avg, sd))
        return false;
    if (strGraphInit == QLatin1String("1"))
        computeClasses();
    else if (strGraphInit == QLatin1String("2"))
        takeClassesFromLegend();
    else
        keepClasses();
    repairClasses();
    countClasses();
    return true;
}

namespace {

std::int16_t checkedMethod(GraphOwner &owner)
{
    for (std::int16_t i = 0; i < MethodCount; ++i)
        if (requireControl(owner.optMethod(i), "optMethod")->isChecked())
            return i;
    return -1;
}

} // namespace

bool clsDrawGraph::prepareClassCount(double avg, double sd)
{
    const std::vector<double> values = sortedValues();
    const double min = values.front();
    const double max = values.back();
    GraphOwner &owner = requireOwner(m_frmOwner);
    QComboBox &combo = *requireControl(owner.cmbFuriwake(), "cmbFuriwake");
    std::int32_t req = vb::cInt(combo.currentText());

    if (!requireControl(owner.optMethod(MethodStandard), "optMethod")->isChecked()) {
        fillCounts(combo, LargestListedCount);
        selectEntry(combo, req - 2);
        m_intGradeNum = static_cast<std::int16_t>(req);
        return true;
    }

    // How many standard deviations the farther end lies from the mean.
    const vb::Currency below = cur(avg - min);
    const vb::Currency above = cur(max - avg);
    const vb::Currency far = above > below ? above : below;
    const vb::Currency deviation = cur(sd);
    if (deviation.raw() == 0)
        throw std::domain_error("Division by zero: the standard deviation is 0");
    const double steps = vb::roundHalfEven(static_cast<double>(far.raw()) / static_cast<double>(deviation.raw()));
    if (steps == 0)
        return false;
    const auto s = static_cast<std::int32_t>(steps);

    std::int32_t classes = 0;
    std::int32_t listMax = 0;
    if (req <= s) {
        classes = req % 2 != 0 ? req + 1 : req;
        listMax = req % 2 != 0 ? req + 1 : s + 1;
    } else {
        classes = s % 2 != 0 ? s + 1 : s;
        listMax = classes;
    }
    classes = std::max(classes, 1);

    // Whole deviations on either side of the mean, clipped at the ends.
    m_typStdClass.assign(static_cast<std::size_t>(2 * classes + 1), ClassRange{});
    const std::int32_t half = classes / 2;
    bool clippedMin = false;
    bool clippedMax = false;
    for (std::int32_t m = 0; m < half; ++m) {
        ClassRange &low = m_typStdClass[static_cast<std::size_t>(half - m - 1)];
        low.Ijyou = avg - (m + 1) * sd;
        low.Miman = avg - m * sd;
        if (cur(low.Ijyou) < cur(min)) {
            low.Ijyou = min;
            if (cur(low.Miman) < cur(min))
                low.Miman = min;
            clippedMin = true;
        }
        ClassRange &high = m_typStdClass[static_cast<std::size_t>(half + m)];
        high.Ijyou = avg + m * sd;
        high.Miman = avg + (m + 1) * sd;
        if (cur(high.Miman) > cur(max)) {
            high.Miman = max;
            if (cur(high.Ijyou) > cur(max))
                high.Ijyou = max;
            clippedMax = true;
        }
    }
    if (!clippedMin && cur(m_typStdClass[0].Ijyou) > cur(min))
        m_typStdClass[0].Ijyou = min;
    if (!clippedMax) {
        ClassRange &top = vb::elementAt(m_typStdClass, 2 * half - 1, "standard-deviation class");
        if (cur(top.Miman) < cur(max))
            top.Miman = max;
    }

    req = std::min(req, listMax);
    const int before = combo.currentIndex();
    fillCounts(combo, listMax);
    selectEntry(combo, before >= 0 && before < combo.count() ? before : combo.count() - 1);
    m_intGradeNum = static_cast<std::int16_t>(req);
    return true;
}

void clsDrawGraph::computeClasses()
{
    const std::vector<double> values = sortedValues();
    const double min = values.front();
    const double max = values.back();
    const auto n = static_cast<std::int32_t>(values.size());
    GraphOwner &owner = requireOwner(m_frmOwner);
    QComboBox &combo = *requireControl(owner.cmbFuriwake(), "cmbFuriwake");
    const std::int16_t method = checkedMethod(owner);
    std::int32_t k = m_intGradeNum;

    const std::size_t entries = method == MethodStandard ? m_typStdClass.size() : static_cast<std::size_t>(k + 2);
    m_typClass.assign(std::max<std::size_t>(entries, 1), ClassRange{});
    if (!m_blnColorChanged)
        m_lngClassColor.assign(m_typClass.size(), 0);

    switch (method) {
    case MethodZokusei:
        // Every class [0, 0); the repair pass makes steps of 0.1 of them.
        break;
    case MethodShizen: {
        ShizenMatrix(n, k);
        std::vector<double> means;
        for (const QString &mean : ShizenClassMeans(n, k).split(QLatin1Char('/'), Qt::SkipEmptyParts))
            means.push_back(vb::cDbl(mean));
        std::sort(means.begin(), means.end());
        const auto p = static_cast<std::int32_t>(means.size());
        if (p < k) {
            k = p;
            lowerSelection(combo, k);
        }
        // The class means become the bounds.
        ClassRange &first = vb::elementAt(m_typClass, 0, "class");
        first.Ijyou = min;
        first.Miman = vb::elementAt(means, 0, "class mean");
        for (std::int32_t i = 1; i < k; ++i) {
            if (i >= p)
                continue;
            ClassRange &range = vb::elementAt(m_typClass, i, "class");
            const double mean = means[static_cast<std::size_t>(i)];
            range.Miman = cur(max) < cur(mean) ? max : mean;
            range.Ijyou = means[static_cast<std::size_t>(i - 1)];
        }
        ClassRange &last = vb::elementAt(m_typClass, p - 1, "class");
        if (cur(last.Miman) < cur(max))
            last.Miman = max;
        break;
    }
    case MethodTouryou: {
        // The first n mod k classes take one value more; a bound is the
        // first value of the next class, so ties go up.
        const std::int32_t per = n < k ? 1 : n / k;
        std::int32_t extra = n < k * per ? 0 : n % (k * per);
        vb::elementAt(m_typClass, 0, "class").Ijyou = values.front();
        std::int32_t t = per;
        for (std::int32_t j = 0; j < k; ++j) {
            if (j == 0) {
                if (extra > 0) {
                    t = per + 1;
                    --extra;
                }
            } else {
                t += per;
                if (extra > 0) {
                    ++t;
                    --extra;
                }
            }
            const double bound = t < m_lngSegments ? values[static_cast<std::size_t>(t)] : max;
            vb::elementAt(m_typClass, j, "class").Miman = bound;
            vb::elementAt(m_typClass, j + 1, "class").Ijyou = bound;
        }
        break;
    }
    case MethodTouKankaku: {
        const double width = (max - min) / k;
        ClassRange &first = vb::elementAt(m_typClass, 0, "class");
        first.Ijyou = min;
        first.Miman = min + width;
        for (std::int32_t i = 1; i < k; ++i) {
            ClassRange &range = vb::elementAt(m_typClass, i, "class");
            range.Ijyou = m_typClass[static_cast<std::size_t>(i - 1)].Miman;
            range.Miman = range.Ijyou + width;
        }
        vb::elementAt(m_typClass, k - 1, "class").Miman = max;
        break;
    }
    case MethodStandard: {
        // The work classes from the lowest up, skipping those below zero.
        const std::int32_t workClasses = static_cast<std::int32_t>(m_typStdClass.size() - 1) / 2;
        const std::int32_t topWork = 2 * (workClasses / 2) - 1;
        std::int32_t copied = 0;
        std::int32_t next = 0;
        for (; next < 2 * workClasses && copied < k; ++next) {
            const ClassRange &work = m_typStdClass[static_cast<std::size_t>(next)];
            if (cur(work.Ijyou).raw() < 0 || cur(work.Miman).raw() < 0)
                continue;
            m_typClass[static_cast<std::size_t>(copied++)] = work;
        }
        // An odd count leaves the top work class out: the last class kept
        // reaches the largest value, so no value goes uncounted.
        if (copied > 0 && next <= topWork) {
            ClassRange &last = m_typClass[static_cast<std::size_t>(copied - 1)];
            if (cur(last.Miman) < cur(max))
                last.Miman = max;
        }
        k = copied;
        lowerSelection(combo, k);
        break;
    }
    default:
        break;
    }

    m_intGradeNum = static_cast<std::int16_t>(k);
    setClassColors();
    m_dblMin = min;
    m_dblMax = max;
}

void clsDrawGraph::takeClassesFromLegend()
{
    for (ClassRange &range : m_typClass)
        range.Kensuu = 0;
    if (!m_ctlLegend)
        throw vb::ObjectNotSet("legend");
    for (std::int16_t i = 0; i < m_intGradeNum; ++i) {
        const QStringList parts = m_ctlLegend->GetHanrei(i).split(QLatin1Char('/'));
        if (parts.size() != 2)
            continue;
        ClassRange &range = vb::elementAt(m_typClass, i, "class");
        range.Ijyou = vb::cDbl(parts[0]);
        range.Miman = vb::cDbl(parts[1]);
    }
    setClassColors();
    GraphOwner &owner = requireOwner(m_frmOwner);
    lowerSelection(*requireControl(owner.cmbFuriwake(), "cmbFuriwake"), m_intGradeNum);
}

void clsDrawGraph::keepClasses()
{
    for (ClassRange &range : m_typClass)
        range.Kensuu = 0;
}

void clsDrawGraph::repairClasses()
{
    const std::vector<double> values = sortedValues();
    const vb::Currency max = cur(values.back());
    const std::int64_t last = std::min<std::int64_t>(m_lngSegments - 1, static_cast<std::int64_t>(m_typClass.size()) - 1);
    for (std::int64_t i = 0; i <= last; ++i) {
        ClassRange &range = m_typClass[static_cast<std::size_t>(i)];
        if (i > 0) {
            const ClassRange &before = m_typClass[static_cast<std::size_t>(i - 1)];
            if (cur(before.Miman) > cur(range.Ijyou))
                range.Ijyou = before.Miman;
        }
        if (cur(range.Miman) != cur(range.Ijyou))
            continue;
        if (cur(range.Miman + 0.1) > max)
            break;
        range.Miman += 0.1;
        if (static_cast<std::size_t>(i + 1) < m_typClass.size()) {
            ClassRange &after = m_typClass[static_cast<std::size_t>(i + 1)];
            after.Ijyou = range.Miman;
            if (cur(after.Miman) < cur(after.Ijyou))
                after.Miman = after.Ijyou;
        }
    }
}

void clsDrawGraph::countClasses()
{
    const std::int64_t k = m_intGradeNum;
    const std::int64_t lastTried = std::min<std::int64_t>(k, static_cast<std::int64_t>(m_typClass.size()) - 1);
    std::vector<vb::Currency> lower;
    std::vector<vb::Currency> upper;
    for (std::int64_t c = 0; c <= lastTried; ++c) {
        lower.push_back(cur(m_typClass[static_cast<std::size_t>(c)].Ijyou));
        upper.push_back(cur(m_typClass[static_cast<std::size_t>(c)].Miman));
    }
    for (std::int32_t i = 0; i <= m_lngSegments; ++i) {
        const vb::Currency v = graphs::countedValue(m_typSegment[static_cast<std::size_t>(i)].Value);
        for (std::int64_t c = 0; c <= lastTried; ++c) {
            const auto ci = static_cast<std::size_t>(c);
            const bool inside = c == k - 1 ? lower[ci] <= v && v <= upper[ci] : lower[ci] <= v && v < upper[ci];
            if (inside) {
                m_typClass[ci].Kensuu += 1;
                break;
            }
        }
    }
}

void clsDrawGraph::setClassColors()
{
    if (m_blnColorChanged)
        return;
    if (!m_ctlGradation)
        throw vb::ObjectNotSet("gradation");
    const std::int32_t k = m_intGradeNum;
    for (std::int32_t i = 0; i < k; ++i) {
        std::int32_t percent = vb::cLng(100.0 / k * (i + 1));
        if (percent == 0)
            percent = 1;
        vb::elementAt(m_lngClassColor, i, "class colour") = m_ctlGradation->Color(percent);
    }
}

void clsDrawGraph::ShizenMatrix(std::int32_t n, std::int32_t k)
{
    std::vector<double> values = sortedValues();
    values.resize(static_cast<std::size_t>(std::min<std::int32_t>(n, static_cast<std::int32_t>(values.size()))));
    m_dblShizenLow = graphs::naturalBreaks(values, k);
}

QString clsDrawGraph::ShizenClassMeans(std::int32_t n, std::int32_t k) const
{
    QString means;
    std::int32_t upper = n;
    for (std::int32_t j = k; j >= 1; --j) {
        const std::int32_t lower = m_dblShizenLow.low(upper, j);
        if (lower <= 0)
            break;
        double sum = 0;
        for (std::int32_t i = lower; i <= upper; ++i)
            sum += m_typSegment[static_cast<std::size_t>(i - 1)].Value;
        if (!means.isEmpty())
            means += QLatin1Char('/');
        means += vb::format(sum / (upper - lower + 1), QStringLiteral("#############0.0"));
        upper = lower - 1;
    }
    return means;
}

double clsDrawGraph::getSliderIchi(double d_hani) const
{
    GraphOwner &owner = requireOwner(m_frmOwner);
    const QWidget &bar = *requireControl(owner.shpBar(), "shpBar");
    const PictureBox &handle = *requireControl(owner.picSlider(0), "picSlider");
    const double left = ui::pixelsToTwipsX(bar.x());
    const double width = ui::pixelsToTwipsX(bar.x() + bar.width()) - left;
    const double r = m_dblMax == m_dblMin ? 0 : cur((d_hani - m_dblMin) / (m_dblMax - m_dblMin)).toDouble();
    return r * width + left - ui::pixelsToTwipsX(handle.width()) / 2;
}

void clsDrawGraph::SetHani(std::int16_t Index, double dblSliderLeft, double dblMin, double dblMax, std::int16_t kensuu)
{
    if (static_cast<std::int64_t>(m_typClass.size()) - 1 < Index + 1)
        return;
    const double span = dblMax - dblMin;
    const double d = dblSliderLeft - dblMin;
    const double c = d > 0 ? span / d : dblMin;
    if (!(c > 0))
        return;
    const double r = 1 / c;
    if (Index == 0) {
        ClassRange &first = vb::elementAt(m_typClass, 0, "class");
        first.Ijyou = m_dblMin + (vb::elementAt(m_typClass, 1, "class").Ijyou - first.Ijyou) * r;
        return;
    }
    ClassRange &before = vb::elementAt(m_typClass, Index - 1, "class");
    if (Index == kensuu) {
        before.Miman = before.Ijyou + (m_dblMax - before.Ijyou) * r;
    } else if (Index == kensuu - 1) {
        before.Miman = before.Ijyou + (m_dblMax - before.Ijyou) * r;
        vb::elementAt(m_typClass, Index, "class").Ijyou = before.Miman;
    } else {
        before.Miman = before.Ijyou + (vb::elementAt(m_typClass, Index + 1, "class").Ijyou - before.Ijyou) * r;
        vb::elementAt(m_typClass, Index, "class").Ijyou = before.Miman;
    }
}

void clsDrawGraph::InputDataSet(std::int16_t intIndex, const QString &IjyouData, const QString &MimanData)
{
    const double lower = vb::cDbl(IjyouData);
    const double upper = vb::cDbl(MimanData);
    ClassRange &range = vb::elementAt(m_typClass, intIndex, "class");
    if (m_intGradeNum != intIndex + 1)
        vb::elementAt(m_typClass, intIndex + 1, "class").Ijyou = upper;
    range.Ijyou = lower;
    range.Miman = upper;
}

bool clsDrawGraph::RangeCheck()
{
    return m_ctlLegend ? m_ctlLegend->InputCheck() : false;
}

void clsDrawGraph::BunruiSelect()
{
    if (!m_ctlLegend)
        throw vb::ObjectNotSet("legend");
    m_ctlLegend->Clear2();
    m_ctlLegend->ShowLegend();
}
