// Classification of the choropleth preview with real widgets and mouse
// events: method options and 更新, handles dragged and released along the
// class bar, bounds typed into the legend, the colour ramp, and legend
// colours of a pie kept in the graph colours and the colour file.
#include "graphcreatebed.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/legendswatch.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "statwindow/classhandles.h"
#include "statwindow/globals.h"
#include "statwindow/graphcolors.h"
#include "statwindow/graphcreaterules.h"
#include "statwindowfixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace veltra;
using namespace veltra::statwindow;
using test::GraphCreateBed;

namespace {

std::vector<ClassRange> classes(const frmStatisticsMap *w)
{
    const auto &list = w->m_Graph->classList();
    return {list.begin(), list.begin() + w->m_Graph->GetGradeNum()};
}

bool sameBounds(const std::vector<ClassRange> &a, const std::vector<ClassRange> &b, double tolerance = 1e-9)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::abs(a[i].Ijyou - b[i].Ijyou) > tolerance || std::abs(a[i].Miman - b[i].Miman) > tolerance)
            return false;
    return true;
}

// The handle's centre in pixels of picMap.
double centre(const QWidget *handle)
{
    return handle->x() + handle->width() / 2.0;
}

class ClassificationTest : public test::StatWindowFixture
{
protected:
    void SetUp() override
    {
        StatWindowFixture::SetUp();
        // Twenty municipalities valued 1, 4, 9 ... 400: equal intervals and
        // equal counts give different classes.
        QStringList rows{QStringLiteral("CODE,v")};
        for (int c = 1; c <= 20; ++c) {
            db.insertMunicipality(14, c, QStringLiteral("町%1").arg(c), QString(), c, c);
            rows << QStringLiteral("14%1,%2").arg(c, 3, 10, QLatin1Char('0')).arg(c * c);
        }
        values = indexedFolder(QStringLiteral("etc/k"), {QStringLiteral("14")});
        write(values + QStringLiteral("\\14.txt"), rows);
    }

    // A choropleth of the twenty values: 5 classes, 6 handles.
    void choropleth(GraphCreateBed &bed)
    {
        bed.choose(MapKindNuri, AnaRangeCity);
        for (int c = 1; c <= 20; ++c)
            bed.addArea(14, c);
        bed.addItem(0, QStringLiteral("人口"), values, 1);
        ASSERT_TRUE(bed.create().isEmpty());
        ASSERT_EQ(bed.window()->m_Graph->GetGradeNum(), 5);
        bed.window()->show();
        QCoreApplication::processEvents();
    }

    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

    // Drags a handle with the left button, the pointer going pixel by pixel
    // to `toCentre` (picMap pixels), and releases it there.
    static void drag(frmStatisticsMap *w, int index, double toCentre, bool release = true)
    {
        PictureBox *handle = w->picSlider(static_cast<std::int16_t>(index));
        const QPoint grip(handle->width() / 2, handle->height() / 2);
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        int at = static_cast<int>(centre(handle));
        const int step = toCentre > at ? 1 : -1;
        while (at != static_cast<int>(toCentre)) {
            at += step;
            QTest::mouseMove(handle, QPoint(at - handle->x(), grip.y()));
        }
        if (release) {
            QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(at - handle->x(), grip.y()));
            QCoreApplication::processEvents();
        }
    }

    QString values;
};

TEST_F(ClassificationTest, MethodOptionsWaitForKoushinAndOddStandardCountsAreRefused)
{
    GraphCreateBed bed(dir.path());
    choropleth(bed);
    frmStatisticsMap *w = bed.window();
    const auto equalIntervals = classes(w);

    // Another method: legend rows rebuilt, histogram and classes unchanged.
    click(w->optMethod(2));
    EXPECT_TRUE(w->optMethod(2)->isChecked());
    EXPECT_EQ(w->methodChanged(), 1);
    EXPECT_EQ(w->method(), 2);
    EXPECT_TRUE(sameBounds(classes(w), equalIntervals));
    // The same option again: no change of method any more, though never applied.
    click(w->optMethod(2));
    EXPECT_EQ(w->methodChanged(), 0);
    EXPECT_TRUE(sameBounds(classes(w), equalIntervals));

    click(w->optMethod(3));
    click(w->optMethod(2));
    EXPECT_EQ(w->methodChanged(), 1);
    click(w->cmdKoushin);
    EXPECT_EQ(w->methodChanged(), 0);
    const auto quantiles = classes(w);
    EXPECT_FALSE(sameBounds(quantiles, equalIntervals));
    EXPECT_EQ(bed.handleCount(), 6);

    // 標準偏差分類 with an odd count: the message, nothing changes.
    click(w->optMethod(4));
    w->cmbFuriwake()->setCurrentText(QStringLiteral("3"));
    click(w->cmdKoushin);
    ASSERT_EQ(bed.script.requests().size(), 1u);
    EXPECT_EQ(bed.script.requests()[0].prompt, QStringLiteral("標準偏差分類では奇数区分数の更新はできません。"));
    EXPECT_EQ(bed.script.requests()[0].buttons, ui::vbOKOnly);
    EXPECT_TRUE(sameBounds(classes(w), quantiles));
    EXPECT_EQ(w->gradeNum(), 5);
    EXPECT_EQ(bed.handleCount(), 6);
    EXPECT_EQ(w->methodChanged(), 1);
}

TEST_F(ClassificationTest, HandlesStopAtTheirNeighboursAndKoushinDiscardsDraggedAndTypedBounds)
{
    GraphCreateBed bed(dir.path());
    choropleth(bed);
    frmStatisticsMap *w = bed.window();
    const auto computed = classes(w);
    ASSERT_TRUE(w->lblMethodUser->isHidden());

    struct Case
    {
        const char *name;
        int index;
        int neighbour;
        bool toRight;
        double limit; // how far past the neighbour's left edge the centre may go, in handle widths
    };
    const Case cases[] = {
        {"handle 0 until the right edge of handle 1", 0, 1, true, 1.0},
        {"a middle handle right until its neighbour's centre", 2, 3, true, 0.5},
        {"a middle handle left until its neighbour's centre", 3, 2, false, 0.5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // Start from the computed places.
        click(w->cmdKoushin);
        PictureBox *handle = w->picSlider(static_cast<std::int16_t>(c.index));
        const PictureBox *neighbour = w->picSlider(static_cast<std::int16_t>(c.neighbour));
        const double stop = c.toRight ? neighbour->x() + c.limit * neighbour->width()
                                      : neighbour->x() + neighbour->width() - c.limit * neighbour->width();
        const double beyond = c.toRight ? stop + 40 : stop - 40;
        drag(w, c.index, beyond, false);
        EXPECT_FALSE(w->lblMethodUser->isHidden());
        // The centre reached the limit to within a pixel and never passed it.
        if (c.toRight) {
            EXPECT_LE(centre(handle), stop + 0.5);
            EXPECT_GE(centre(handle), stop - 1.5);
        } else {
            EXPECT_GE(centre(handle), stop - 0.5);
            EXPECT_LE(centre(handle), stop + 1.5);
        }
        // A jump further on leaves it at the last accepted place.
        const int kept = handle->x();
        QTest::mouseMove(handle, QPoint(static_cast<int>(beyond + (c.toRight ? 30 : -30)) - handle->x(), 5));
        EXPECT_EQ(handle->x(), kept);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(handle->width() / 2, 5));
        QCoreApplication::processEvents();
    }

    // A drag and release moves the bound; 更新 with the count unchanged
    // computes the classes again.
    click(w->cmdKoushin);
    EXPECT_TRUE(w->lblMethodUser->isHidden());
    drag(w, 2, centre(w->picSlider(2)) + 25);
    EXPECT_FALSE(sameBounds(classes(w), computed));
    EXPECT_FALSE(w->lblMethodUser->isHidden());
    EXPECT_EQ(bed.handleCount(), 6);
    click(w->cmdKoushin);
    EXPECT_TRUE(sameBounds(classes(w), computed));
    EXPECT_TRUE(w->lblMethodUser->isHidden());

    // A bound typed into the legend, accepted when another box is clicked.
    ctlLegend *legend = w->m_ctlLegend;
    const double typed = (computed[0].Ijyou + computed[1].Miman) / 2;
    click(legend->txtMiman(0));
    legend->txtMiman(0)->setText(QString::number(typed));
    click(legend->txtMiman(1));
    EXPECT_DOUBLE_EQ(w->m_Graph->classList()[0].Miman, typed);
    EXPECT_FALSE(w->lblMethodUser->isHidden());
    click(w->cmdKoushin);
    EXPECT_TRUE(sameBounds(classes(w), computed));
    EXPECT_TRUE(w->lblMethodUser->isHidden());
    EXPECT_TRUE(bed.script.requests().empty());
}

TEST_F(ClassificationTest, ReleaseAfterAnUnappliedCountAndRampChanges)
{
    GraphCreateBed bed(dir.path());
    choropleth(bed);
    frmStatisticsMap *w = bed.window();

    // The count changed in the list but not applied: a release rebuilds the
    // handles for it, the applied count stays.
    w->cmbFuriwake()->setCurrentText(QStringLiteral("3"));
    drag(w, 1, centre(w->picSlider(1)) + 3);
    EXPECT_EQ(bed.handleCount(), 4);
    EXPECT_EQ(w->sliderCount(), 3);
    EXPECT_EQ(w->gradeNum(), 5);
    EXPECT_EQ(w->m_Graph->GetGradeNum(), 3);
    click(w->cmdKoushin);
    EXPECT_EQ(w->gradeNum(), 3);

    // Dragged bounds survive a new ramp with count and method unchanged;
    // only the colours change.
    drag(w, 1, centre(w->picSlider(1)) + 20);
    const auto dragged = classes(w);
    const std::vector<std::int32_t> colours = w->m_Graph->classColors();
    QComboBox *ramps = w->m_ctlGradation->findChild<QComboBox *>();
    ASSERT_NE(ramps, nullptr);
    QTest::keyClick(ramps, Qt::Key_Down);
    ASSERT_EQ(ramps->currentIndex(), 1);
    // The legend shows bounds to one decimal, and they come back from it.
    EXPECT_TRUE(sameBounds(classes(w), dragged, 0.05));
    EXPECT_NE(w->m_Graph->classColors(), colours);
    EXPECT_FALSE(w->lblMethodUser->isHidden());
    EXPECT_EQ(bed.handleCount(), 4);

    // After a method click, a ramp change computes the classes anew.
    click(w->optMethod(2));
    QTest::keyClick(ramps, Qt::Key_Down);
    EXPECT_FALSE(sameBounds(classes(w), dragged, 0.05));
    click(w->optMethod(3));
    click(w->cmdKoushin);
    const auto equalIntervals = classes(w);
    click(w->optMethod(2));
    click(w->optMethod(3));
    QTest::keyClick(ramps, Qt::Key_Down);
    EXPECT_TRUE(sameBounds(classes(w), equalIntervals, 0.05));
}

TEST_F(ClassificationTest, TheSixteenthPieColourGoesToSlotOneAndIntoTheColourFile)
{
    const QString folder = this->folder(QStringLiteral("etc/p"));
    QStringList header{QStringLiteral("CODE")};
    QStringList row{QStringLiteral("13")};
    for (int k = 1; k <= 16; ++k) {
        header << QStringLiteral("v%1").arg(k);
        row << QString::number(k * 10);
    }
    write(folder + QStringLiteral("\\a.txt"), {header.join(u','), row.join(u',')});
    QString colourFile;
    const QColor chosen(10, 20, 30);
    const std::int32_t bgr = (30 << 16) | (20 << 8) | 10;
    {
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindPie, AnaRangePref);
        bed.addArea(13);
        for (int k = 1; k <= 16; ++k)
            bed.addItem(0, QStringLiteral("項目%1").arg(k), folder, k);
        ASSERT_TRUE(bed.create().isEmpty());
        frmStatisticsMap *w = bed.window();
        ASSERT_EQ(w->m_Graph->Segments(), 15);
        const std::int32_t slot2 = w->graphColor(2);
        bed.script.answerColour(chosen);
        ASSERT_NE(w->m_ctlLegend->picLegendItem(15), nullptr);
        QTest::mouseDClick(w->m_ctlLegend->picLegendItem(15), Qt::LeftButton);
        QCoreApplication::processEvents();
        ASSERT_EQ(bed.script.requests().size(), 1u);
        EXPECT_EQ(w->m_Graph->segmentList()[15].Color, bgr);
        EXPECT_EQ(w->graphColor(1), bgr);
        EXPECT_EQ(w->graphColor(2), slot2);
        colourFile = hanreiColorPath(w->appPath());
        click(w->cmdEnd);
        EXPECT_EQ(readGraphColors(colourFile).graph[1], bgr);
    }
}

TEST(ClassHandles, DragLimitsReleaseReferencesAndColourSlots)
{
    const Span bar{900, 6000};
    const Span prev{1500, 165};
    const Span self{2000, 165};
    const Span next{2500, 165};
    struct Case
    {
        const char *name;
        int index;
        double lowest, highest;
    };
    // 82.5 rounds to 82, 2582.5 to 2582 (half to even).
    const Case cases[] = {
        {"first", 0, 818, 2582},
        {"middle", 3, 1500, 2500},
        {"last", 5, 1500, 6818},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DragLimits limits = handleDragLimits(c.index, 5, self, prev, next, bar);
        EXPECT_EQ(limits.lowest, c.lowest);
        EXPECT_EQ(limits.highest, c.highest);
        EXPECT_TRUE(limits.admits(c.lowest));
        EXPECT_TRUE(limits.admits(c.highest));
        EXPECT_FALSE(limits.admits(c.highest + 1));
    }
    EXPECT_EQ(draggedLeft(2000, 90, 165), 2008); // 2007.5 to even
    EXPECT_EQ(draggedLeft(2000, 60, 165), 1978); // 1977.5 to even

    const ReleaseReferences first = releaseReferences(0, 5, 165, bar, 0, 2500);
    EXPECT_EQ(first.lower, 817.5);
    EXPECT_EQ(first.upper, 2500);
    for (int index : {4, 5}) {
        const ReleaseReferences end = releaseReferences(index, 5, 165, bar, 1500, 2500);
        EXPECT_EQ(end.lower, 1500);
        EXPECT_EQ(end.upper, 6817.5);
    }

    struct Slot
    {
        std::int32_t kind;
        int index;
        bool some;
        bool pyramid;
        int slot;
    };
    const Slot slots_[] = {
        {GraphKindPie, 0, true, false, 1},
        {GraphKindPie, 13, true, false, 14},
        {GraphKindPie, 14, true, false, 15},
        {GraphKindBar, 15, true, false, 1},
        {GraphKindPyramid, 1, true, true, 2},
        {GraphKindPyramid, 2, false, false, 0},
        {GraphKindNuri, 0, false, false, 0},
    };
    for (const Slot &s : slots_) {
        SCOPED_TRACE(s.index);
        const auto slot = legendColorSlot(s.kind, s.index);
        ASSERT_EQ(slot.has_value(), s.some);
        if (slot) {
            EXPECT_EQ(slot->pyramid, s.pyramid);
            EXPECT_EQ(slot->slot, s.slot);
        }
    }
}

} // namespace
