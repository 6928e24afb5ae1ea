// Single instances, the Forms collection, unloading, and twips.
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "testsupport.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>
#include <limits>

using namespace veltra::ui;
using veltra::test::flushDeletes;

class frmAlpha : public QWidget
{
    Q_OBJECT
};

class frmBeta : public QWidget
{
    Q_OBJECT
public:
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (refuse)
            e->ignore();
        else
            e->accept();
    }
};

class frmMainTest : public QWidget
{
    Q_OBJECT
};

namespace {

void unloadEverything()
{
    WindowRegistry::instance().unloadAllExcept({});
    flushDeletes();
}

} // namespace

TEST(UiWindowRegistry, SingleInstanceCreatedOnFirstUse)
{
    unloadEverything();
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmAlpha")));
    frmAlpha *a = form<frmAlpha>();
    EXPECT_EQ(form<frmAlpha>(), a);
    EXPECT_FALSE(a->isVisible());
    EXPECT_EQ(WindowRegistry::instance().find(QStringLiteral("frmAlpha")), a);
    unloadEverything();
}

TEST(UiWindowRegistry, UnloadDeletesAndNextUseMakesAFreshWindow)
{
    unloadEverything();
    QPointer<frmAlpha> a = form<frmAlpha>();
    a->show();
    EXPECT_TRUE(WindowRegistry::instance().unload(a));
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmAlpha")));
    flushDeletes();
    EXPECT_TRUE(a.isNull());
    frmAlpha *b = form<frmAlpha>();
    EXPECT_NE(b, nullptr);
    unloadEverything();
}

TEST(UiWindowRegistry, RefusedCloseKeepsTheWindow)
{
    unloadEverything();
    frmBeta *b = form<frmBeta>();
    b->refuse = true;
    EXPECT_FALSE(WindowRegistry::instance().unload(QStringLiteral("frmBeta")));
    EXPECT_EQ(form<frmBeta>(), b);
    b->refuse = false;
    unloadEverything();
}

TEST(UiWindowRegistry, FormsCollectionAndUnloadAllExcept)
{
    unloadEverything();
    frmMainTest *main = form<frmMainTest>();
    frmAlpha *alpha = form<frmAlpha>();
    auto *extra1 = new frmBeta; // e.g. several map windows of one class
    auto *extra2 = new frmBeta;
    WindowRegistry::instance().add(extra1);
    WindowRegistry::instance().add(extra2);
    WindowRegistry::instance().add(extra2);
    EXPECT_EQ(WindowRegistry::instance().forms(), (QList<QWidget *>{main, alpha, extra1, extra2}));

    WindowRegistry::instance().unloadAllExcept({QStringLiteral("frmMainTest")});
    EXPECT_EQ(WindowRegistry::instance().forms(), (QList<QWidget *>{main}));
    flushDeletes();
    unloadEverything();
    EXPECT_TRUE(WindowRegistry::instance().forms().isEmpty());
}

TEST(UiWindowRegistry, DeletedWindowLeavesTheCollection)
{
    unloadEverything();
    frmAlpha *a = form<frmAlpha>();
    delete a;
    EXPECT_TRUE(WindowRegistry::instance().forms().isEmpty());
    EXPECT_NE(form<frmAlpha>(), nullptr);
    unloadEverything();
}

TEST(UiTwips, ConversionsAtTheLogicalDpi)
{
    struct Case
    {
        double twips;
        double dpi;
        int pixels;
    };
    const Case cases[] = {
        {15, 96, 1},
        {1440, 96, 96},
        {22.5, 96, 2},
        {37.5, 96, 2},
        {7.5, 96, 0},
        {1440, 120, 120},
        {12, 120, 1},
        {-30, 96, -2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.twips);
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels);
    }
    EXPECT_EQ(twipsToPixels(1e300, 96), std::numeric_limits<int>::max());
    EXPECT_EQ(twipsToPixels(-1e300, 96), std::numeric_limits<int>::min());
    EXPECT_EQ(twipsToPixels(std::numeric_limits<double>::quiet_NaN(), 96), 0);
    EXPECT_DOUBLE_EQ(twipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(pixelsToTwips(100, 96), 1500.0);
    EXPECT_DOUBLE_EQ(pixelsToTwips(100, 144), 1000.0);
    EXPECT_DOUBLE_EQ(twipsPerPixelX(), 1440.0 / screenDpiX());
    EXPECT_EQ(twipsToPixelsX(pixelsToTwipsX(321)), 321);
}

TEST(UiDoEvents, RunsPendingWork)
{
    bool ran = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&ran] { ran = true; }, Qt::QueuedConnection);
    DoEvents();
    EXPECT_TRUE(ran);
}

#include "windowregistry_test.moc"
