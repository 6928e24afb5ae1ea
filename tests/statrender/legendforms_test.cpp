// The statistics map's pop-ups are closed by window name, so the closing
// works whichever of them exist, and leaves every other window open.
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "statrender/clearstatmap.h"
#include "testsupport.h"

#include <QWidget>
#include <gtest/gtest.h>

class frmPSYRank : public QWidget
{
    Q_OBJECT
};

class frmPSYHanreiNuri2 : public QWidget
{
    Q_OBJECT
};

class frmOtherWindow : public QWidget
{
    Q_OBJECT
};

namespace {

using veltra::ui::WindowRegistry;

TEST(LegendForms, UnloadingClosesThePopUpsThatAreOpenAndNothingElse)
{
    veltra::test::RunStateGuard guard;
    veltra::ui::form<frmPSYRank>()->show();
    veltra::ui::form<frmPSYHanreiNuri2>();
    veltra::ui::form<frmOtherWindow>()->show();
    ComPSY::PSY_UnloadLegendForms();
    veltra::test::flushDeletes();
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYRank")));
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYHanreiNuri2")));
    EXPECT_TRUE(WindowRegistry::instance().isLoaded(QStringLiteral("frmOtherWindow")));
    // With none open there is nothing to do.
    ComPSY::PSY_UnloadLegendForms();
    EXPECT_TRUE(WindowRegistry::instance().isLoaded(QStringLiteral("frmOtherWindow")));
}

} // namespace

#include "legendforms_test.moc"
