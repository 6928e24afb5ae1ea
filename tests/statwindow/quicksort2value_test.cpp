// The ranking sort: its direction, areas without data sorting as zeros, and
// the order of equal values, checked against a plain transcription of the
// partitioning the ranking is defined by.
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/statarea.h"

#include <gtest/gtest.h>
#include <random>

namespace {

StatArea area(const char *name, StatValue value)
{
    StatArea a;
    a.AreaName = QString::fromUtf8(name);
    a.Value = {std::monostate{}, value};
    a.DataFlag = {0, 0};
    return a;
}

std::vector<StatArea> records(std::initializer_list<StatArea> areas)
{
    std::vector<StatArea> out{StatArea{}};
    out.insert(out.end(), areas);
    return out;
}

QStringList names(const std::vector<StatArea> &areas)
{
    QStringList out;
    for (std::size_t i = 1; i < areas.size(); ++i)
        out << areas[i].AreaName;
    return out;
}

void sortAll(std::vector<StatArea> &areas, bool ascending)
{
    frmStatisticsMap::QuickSort2Value(areas, 1, static_cast<std::int32_t>(areas.size()) - 1, ascending);
}

// The partitioning as written: middle pivot copied out, the first record
// put in its place, smaller (or larger) keys swapped to the front, the pivot
// put between, then both sides. Plain recursion and copies.
void referenceSort(std::vector<StatArea> &a, std::int32_t first, std::int32_t last, bool ascending)
{
    if (first >= last)
        return;
    const std::int32_t middle = (first + last) / 2;
    const double pivot = statNumber(a[middle].Value[1]);
    const StatArea kept = a[middle];
    a[middle] = a[first];
    std::int32_t m = first;
    for (std::int32_t j = first + 1; j <= last; ++j) {
        const double key = statNumber(a[j].Value[1]);
        if ((ascending && key < pivot) || (!ascending && key > pivot)) {
            ++m;
            const StatArea t = a[m];
            a[m] = a[j];
            a[j] = t;
        }
    }
    a[first] = a[m];
    a[m] = kept;
    referenceSort(a, first, m - 1, ascending);
    referenceSort(a, m + 1, last, ascending);
}

TEST(QuickSort2Value, EqualValuesTakeTheOrderOfThePartitioning)
{
    struct Case
    {
        bool ascending;
        QStringList order;
    };
    for (const Case &c : {Case{true, {"C", "A", "B"}}, Case{false, {"B", "A", "C"}}}) {
        SCOPED_TRACE(c.ascending);
        auto areas = records({area("A", 5.0), area("B", 9.0), area("C", 5.0)});
        sortAll(areas, c.ascending);
        EXPECT_EQ(names(areas), c.order);
    }
}

TEST(QuickSort2Value, AreasWithoutDataSortAsZeros)
{
    // The reader leaves an empty value (not found) or a text where no figure
    // was read; both count as 0.
    auto areas = records(
        {area("A", 3.0), area("none1", std::monostate{}), area("C", 7.0), area("none2", QStringLiteral("-"))});
    areas[2].DataFlag[1] = 2;
    areas[4].DataFlag[1] = 1;
    for (bool ascending : {true, false}) {
        SCOPED_TRACE(ascending);
        auto sorted = areas;
        sortAll(sorted, ascending);
        const QStringList order = names(sorted);
        const QStringList zeros = ascending ? order.mid(0, 2) : order.mid(2);
        EXPECT_TRUE(zeros.contains("none1") && zeros.contains("none2")) << order.join(',').toStdString();
        EXPECT_EQ(ascending ? order.mid(2) : order.mid(0, 2),
            ascending ? QStringList({"A", "C"}) : QStringList({"C", "A"}));
        auto expected = areas;
        referenceSort(expected, 1, 4, ascending);
        EXPECT_EQ(order, names(expected));
    }
}

TEST(QuickSort2Value, AThousandKeysWithManyTiesMatchThePlainTranscription)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> key(0, 40);
    std::vector<StatArea> areas{StatArea{}};
    for (int i = 1; i <= 1000; ++i)
        areas.push_back(area(QString::number(i).toUtf8().constData(), static_cast<double>(key(random))));
    for (bool ascending : {true, false}) {
        SCOPED_TRACE(ascending);
        auto sorted = areas;
        auto expected = areas;
        sortAll(sorted, ascending);
        referenceSort(expected, 1, 1000, ascending);
        EXPECT_EQ(names(sorted), names(expected));
        // Only the given range moves.
        auto part = areas;
        frmStatisticsMap::QuickSort2Value(part, 101, 900, ascending);
        auto partExpected = areas;
        referenceSort(partExpected, 101, 900, ascending);
        EXPECT_EQ(names(part), names(partExpected));
        EXPECT_EQ(names(part).mid(0, 100), names(areas).mid(0, 100));
        EXPECT_EQ(names(part).mid(900), names(areas).mid(900));
    }
    // A long run of one value: every record but the pivot stays on the
    // right, the worst case of the partitioning.
    std::vector<StatArea> same{StatArea{}};
    for (int i = 1; i <= 3000; ++i)
        same.push_back(area(QString::number(i).toUtf8().constData(), 1.0));
    auto sameExpected = same;
    sortAll(same, true);
    referenceSort(sameExpected, 1, 3000, true);
    EXPECT_EQ(names(same), names(sameExpected));
}

} // namespace
