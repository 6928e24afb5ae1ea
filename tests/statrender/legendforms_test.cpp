// The statistics map's pop-ups are closed by window name, so the closing
// works whichever of them exist, and leaves every other window open.
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "statrender/clearstatmap.h"
#include "statrender/frmpsyhanreibmp.h"
#include "statrender/frmpsyhanreinuri2.h"
#include "statrender/frmpsyhanreione.h"
#include "statrender/frmpsyhanreipra.h"
#include "statrender/frmpsyhanreisym.h"
#include "statrender/frmpsyrank.h"
#include "statrender/frmpsyrankall.h"
#include "testsupport.h"

#include <QWidget>
#include <gtest/gtest.h>

class frmOtherWindow : public QWidget
{
    Q_OBJECT
};

namespace {

using veltra::ui::WindowRegistry;

const char *const kPopups[] = {"frmPSYHanreiNuri2", "frmPSYHanreiBmp", "frmPSYHanreiSym", "frmPSYHanreiPra",
    "frmPSYHanreiOne", "frmPSYRank", "frmPSYRankAll"};

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

TEST(LegendForms, UnloadingClosesAllSevenPopUps)
{
    veltra::test::RunStateGuard guard;
    veltra::ui::form<frmPSYHanreiNuri2>()->show();
    veltra::ui::form<frmPSYHanreiBmp>()->show();
    veltra::ui::form<frmPSYHanreiSym>()->show();
    veltra::ui::form<frmPSYHanreiPra>()->show();
    veltra::ui::form<frmPSYHanreiOne>()->show();
    veltra::ui::form<frmPSYRank>()->show();
    veltra::ui::form<frmPSYRankAll>()->show();
    for (const char *name : kPopups)
        ASSERT_TRUE(WindowRegistry::instance().isLoaded(QString::fromLatin1(name))) << name;
    ComPSY::PSY_UnloadLegendForms();
    veltra::test::flushDeletes();
    for (const char *name : kPopups)
        EXPECT_FALSE(WindowRegistry::instance().isLoaded(QString::fromLatin1(name))) << name;
    EXPECT_TRUE(WindowRegistry::instance().forms().isEmpty());
}

} // namespace

#include "legendforms_test.moc"
