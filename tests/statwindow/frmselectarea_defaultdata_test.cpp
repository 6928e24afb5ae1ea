// The area list chooser on the generated default data: municipalities of
// one prefecture at a time at the municipality level, and the entries the
// statistics map window makes of them. With VELTRA_SHOW_SECONDS set, the
// last case leaves both windows up that long (run with -platform xcb on an
// X display to see them).
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statwindow/frmselectarea.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace veltra;

namespace {

const QString kData = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");

QTreeWidgetItem *row(QTreeWidget *list, const QString &name)
{
    const QList<QTreeWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void click(frmSelectArea *c, int index, const QString &name)
{
    QTreeWidgetItem *item = row(c->lstAddr[index], name);
    ASSERT_NE(item, nullptr) << name.toStdString();
    c->lstAddr[index]->setCurrentItem(item);
    c->lstAddr_Click(index);
}

TEST(AreaListDefaultData, MunicipalitiesOfOnePrefectureAtATime)
{
    test::RunStateGuard guard;
    test::TempDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("program"));
    shell::setProgramFolder(dir.path() + QStringLiteral("program/"));
    gstrDataPath = kData;
    ASSERT_TRUE(statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(kData)))
        << "build the target veltra_default_statistics";
    ui::DialogScript script;

    frmStatisticsMap *w = ui::form<frmStatisticsMap>();
    w->show();
    w->cmdAreaSelect_Click(2);
    frmSelectArea *c = w->frmSel;
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->lstAddr[0]->topLevelItemCount(), 47);
    c->optAnaRange[2]->setChecked(true);
    c->optAnaRange_Click(2);

    click(c, 0, QStringLiteral("東京都"));
    QTreeWidget *cities = c->lstAddr[1];
    ASSERT_GT(cities->topLevelItemCount(), 50);
    EXPECT_EQ(cities->topLevelItem(0)->text(0), QStringLiteral("千代田区"));
    for (int i = 0; i < cities->topLevelItemCount(); ++i)
        EXPECT_EQ(cities->topLevelItem(i)->text(4), QStringLiteral("東京都")) << i;

    click(c, 0, QStringLiteral("神奈川県"));
    ASSERT_GT(cities->topLevelItemCount(), 30);
    for (int i = 0; i < cities->topLevelItemCount(); ++i)
        EXPECT_EQ(cities->topLevelItem(i)->text(4), QStringLiteral("神奈川県")) << i;

    click(c, 0, QStringLiteral("東京都"));
    for (const QString &name : {QStringLiteral("千代田区"), QStringLiteral("中央区"), QStringLiteral("港区")})
        row(cities, name)->setSelected(true);
    c->cmdSelect_Click();
    QStringList listed;
    for (int i = 0; i < w->lstSelectAddr->topLevelItemCount(); ++i)
        listed << w->lstSelectAddr->topLevelItem(i)->text(0);
    EXPECT_EQ(listed, (QStringList{QStringLiteral("東京都千代田区"), QStringLiteral("東京都中央区"),
                          QStringLiteral("東京都港区")}));
    EXPECT_EQ(w->lblSelectCnt->text(), QStringLiteral("3"));
    EXPECT_EQ(w->lblArea->text(), QStringLiteral("市区町村"));
    EXPECT_EQ(w->AnaRange(), AnaRangeCity);
    EXPECT_EQ(script.unanswered(), 0);

    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds > 0) {
        w->move(0, 0);
        c->update();
        QElapsedTimer shown;
        shown.start();
        while (shown.elapsed() < seconds * 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

} // namespace
