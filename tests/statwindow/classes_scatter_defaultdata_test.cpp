// Classification and the scatter diagram on the generated default data
// folder: Tokyo's municipalities by total population after a handle drag and
// another colour ramp, and 2020 population against households with the
// correlation coefficient checked against a direct computation. With
// VELTRA_SHOT_DIR set, each preview is saved as a picture there (and shown
// for VELTRA_SHOW_SECONDS; run with -platform xcb on an X display to see it).
#include "defaultdatagraphs.h"
#include "defaultdatashowcase.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using namespace veltra::statwindow;
using veltra::test::chooseTokyoTotalPopulation;
using veltra::test::GraphCreateBed;
using veltra::test::showcase;

namespace {

const QString kData = veltra::test::defaultDataFolder();
const QString kR2 = veltra::test::defaultR2Folder() + QStringLiteral("市区町村/");

using DefaultDataClassesScatter = veltra::test::DefaultDataGraphTest;

TEST_F(DefaultDataClassesScatter, TokyoChoroplethAfterADragAndAnotherRamp)
{
    GraphCreateBed bed(kData);
    ASSERT_NO_FATAL_FAILURE(chooseTokyoTotalPopulation(bed, MapKindNuri));
    frmStatisticsMap *w = bed.window();
    ASSERT_TRUE(bed.create().isEmpty());
    ASSERT_EQ(w->m_Graph->GetGradeNum(), 7);
    w->show();
    QApplication::processEvents();

    // Handle 1 dragged 40 pixels to the right and released.
    PictureBox *handle = w->picSlider(1);
    const double before = w->m_Graph->classList()[0].Miman;
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    const int start = handle->x() + grip.x();
    for (int x = start + 1; x <= start + 40; ++x)
        QTest::mouseMove(handle, QPoint(x - handle->x(), grip.y()));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(start + 40 - handle->x(), grip.y()));
    QApplication::processEvents();
    const double dragged = w->m_Graph->classList()[0].Miman;
    EXPECT_GT(dragged, before);
    EXPECT_EQ(w->picSlider(1)->x(), start + 40 - grip.x());
    EXPECT_FALSE(w->lblMethodUser->isHidden());
    showcase(w, "i44-choropleth-dragged");

    // Another ramp: the dragged bound stays, the colours change.
    const std::vector<std::int32_t> colours = w->m_Graph->classColors();
    QComboBox *ramps = w->m_ctlGradation->findChild<QComboBox *>();
    ASSERT_NE(ramps, nullptr);
    QTest::keyClick(ramps, Qt::Key_Down);
    QTest::keyClick(ramps, Qt::Key_Down);
    EXPECT_NEAR(w->m_Graph->classList()[0].Miman, dragged, 0.05);
    EXPECT_NE(w->m_Graph->classColors(), colours);
    EXPECT_EQ(bed.handleCount(), 8);
    EXPECT_TRUE(bed.script.requests().empty());
    showcase(w, "i44-choropleth-ramp");
}

TEST_F(DefaultDataClassesScatter, TokyoPopulationAgainstHouseholds)
{
    GraphCreateBed bed(kData);
    ASSERT_NO_FATAL_FAILURE(chooseTokyoTotalPopulation(bed, MapKindSanpuzu));
    bed.addItem(2, QStringLiteral("世帯数"), kR2 + QStringLiteral("世帯"), 1);
    frmStatisticsMap *w = bed.window();
    ASSERT_TRUE(bed.create().isEmpty());
    ASSERT_EQ(w->m_Graph->Segments(), 61);

    // The coefficient of the same values, in doubles.
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
        const double x = statNumber(gtypStatArea[i].Value.at(1));
        const double y = statNumber(gtypStatArea[i].Value.at(2));
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        syy += y * y;
        sxy += x * y;
    }
    ASSERT_EQ(n, 62);
    const double r = (sxy / n - sx / n * sy / n)
        / std::sqrt((sxx / n - sx / n * sx / n) * (syy / n - sy / n * sy / n));
    EXPECT_GT(r, 0.9);
    EXPECT_EQ(w->lblKeisuu()->text().trimmed(), QString::number(r, 'f', 2));
    EXPECT_EQ(w->richY->text(), QStringLiteral("世帯数"));
    showcase(w, "i44-scatter");
}

} // namespace
