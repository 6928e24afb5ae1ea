// The legend and ranking pop-ups: rows built at load from the legend data,
// the window heights that follow from them, the full list read from a data
// file, dragging by any point and the click that opens the full list.
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "statrender/frmpsyhanreibmp.h"
#include "statrender/frmpsyhanreinuri2.h"
#include "statrender/frmpsyhanreione.h"
#include "statrender/frmpsyhanreisym.h"
#include "statrender/frmpsyrank.h"
#include "statrender/frmpsyrankall.h"
#include "statrender/globals.h"
#include "statrender/popupgeometry.h"
#include "testsupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statrender;
using veltra::test::u;

namespace {

std::vector<double> tops(const std::vector<QLabel *> &labels)
{
    std::vector<double> out;
    for (const QLabel *l : labels)
        out.push_back(topTwips(l));
    return out;
}

std::vector<QString> texts(const std::vector<QLabel *> &labels)
{
    std::vector<QString> out;
    for (const QLabel *l : labels)
        out.push_back(l->text());
    return out;
}

NuriHanreiClass nuriClass(std::int32_t colour, const char *lower, const char *upper, std::int32_t count)
{
    NuriHanreiClass c;
    c.lngColor = colour;
    c.strMin = QString::fromLatin1(lower);
    c.strMax = QString::fromLatin1(upper);
    c.lngCount = count;
    return c;
}

// The client height in pixels that an outer height in twips stands for.
int clientPixels(double heightTwips)
{
    return ui::twipsToPixelsY(heightTwips - PopupWindow::kFrameTwips);
}

TEST(ChoroplethLegend, FiveClassesMakeFiveRowsAndAWindowAsHighAsThem)
{
    test::RunStateGuard guard;
    gstrNuriHanreiTitle = u("人口総数");
    gtypNuriHanrei = {NuriHanreiClass{}, nuriClass(0x0000FF, "0.0", "100.0", 3),
        nuriClass(0x00FF00, "100.0", "200.0", 12), nuriClass(0xFF0000, "200.0", "300.0", 0),
        nuriClass(0x808080, "300.0", "400.0", 5), nuriClass(0xFFFFFF, "400.0", "500.0", 27)};
    auto *legend = ui::form<frmPSYHanreiNuri2>();
    EXPECT_EQ(legend->windowTitle(), u("凡例"));
    EXPECT_EQ(legend->lblTitle->text(), u("人口総数"));
    const std::vector<double> rows{360, 630, 900, 1170, 1440};
    for (const auto *array :
        {&legend->lblMinColor, &legend->lblMin, &legend->lblNoro, &legend->lblMax, &legend->lblNum}) {
        SCOPED_TRACE((*array)[0]->objectName().toStdString());
        EXPECT_EQ(tops(*array), rows);
        for (const QLabel *label : *array)
            EXPECT_FALSE(label->isHidden());
    }
    EXPECT_EQ(legend->Height(), 2265);
    EXPECT_EQ(legend->height(), clientPixels(2265));
    EXPECT_EQ(texts(legend->lblMin), (std::vector<QString>{"0.0", "100.0", "200.0", "300.0", "400.0"}));
    EXPECT_EQ(texts(legend->lblMax), (std::vector<QString>{"100.0", "200.0", "300.0", "400.0", "500.0"}));
    EXPECT_EQ(texts(legend->lblNum), (std::vector<QString>{"3", "12", "0", "5", "27"}));
    EXPECT_EQ(legend->lblNoro[4]->text(), u("～"));
    // Colours are packed blue-green-red: 0x0000FF is red.
    EXPECT_EQ(legend->lblMinColor[0]->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(legend->lblMinColor[2]->palette().color(QPalette::Window), QColor(0, 0, 255));
}

TEST(ChoroplethLegend, FewerThanTwoClassesShowTheTitleAloneAtTheDesignedHeight)
{
    for (const std::size_t records : {std::size_t{0}, std::size_t{1}}) {
        SCOPED_TRACE(records);
        test::RunStateGuard guard;
        gstrNuriHanreiTitle = u("世帯数");
        gtypNuriHanrei.assign(1 + records, nuriClass(0x0000FF, "1.0", "2.0", 4));
        auto *legend = ui::form<frmPSYHanreiNuri2>();
        EXPECT_EQ(legend->lblTitle->text(), u("世帯数"));
        EXPECT_FALSE(legend->lblTitle->isHidden());
        EXPECT_EQ(legend->lblMinColor.size(), 1u);
        EXPECT_TRUE(legend->lblMinColor[0]->isHidden());
        EXPECT_TRUE(legend->lblNum[0]->isHidden());
        EXPECT_EQ(legend->Height(), 3195 + PopupWindow::kFrameTwips);
    }
}

TEST(GraphMapLegend, ThreeItemsPlaceTheValueRowsBelowThem)
{
    test::RunStateGuard guard;
    gtypHanreiItems = {HanreiItem{}, HanreiItem{0x0000FF, u("男")}, HanreiItem{0x00FF00, u("女")},
        HanreiItem{0xFF0000, u("不詳")}};
    gstrHanreiMaxName = u("東京都");
    gstrHanreiMinName = u("鳥取県");
    gdblHanreiMax = 14047594;
    gdblHanreiAve = 2676218;
    gdblHanreiMin = 553407;
    auto *legend = ui::form<frmPSYHanreiBmp>();
    EXPECT_EQ(tops(legend->lblColor), (std::vector<double>{0, 270, 540}));
    EXPECT_EQ(tops(legend->lblName), (std::vector<double>{0, 270, 540}));
    EXPECT_EQ(texts(legend->lblName), (std::vector<QString>{u("男"), u("女"), u("不詳")}));
    EXPECT_EQ(legend->lblColor[1]->palette().color(QPalette::Window), QColor(0, 255, 0));
    struct Row
    {
        QLabel *label;
        double top;
    };
    const Row rows[] = {{legend->lbl1, 1040}, {legend->lblPMax, 1040}, {legend->lblMax, 1040},
        {legend->lbl2, 1340}, {legend->lblAve, 1340}, {legend->lbl3, 1640}, {legend->lblPMin, 1640},
        {legend->lblMin, 1640}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.label->objectName().toStdString());
        EXPECT_EQ(topTwips(row.label), row.top);
    }
    EXPECT_EQ(legend->Height(), 2440);
    EXPECT_EQ(legend->height(), clientPixels(2440));
    EXPECT_EQ(legend->lblPMax->text(), u("東京都"));
    EXPECT_EQ(legend->lblMax->text(), QStringLiteral("14047594"));
    EXPECT_EQ(legend->lblAve->text(), QStringLiteral("2676218"));
    EXPECT_EQ(legend->lblPMin->text(), u("鳥取県"));
    EXPECT_EQ(legend->lblMin->text(), QStringLiteral("553407"));
}

TEST(GraphMapLegend, NoItemsHideTheFirstRowAndKeepTheValueRowsAsDesigned)
{
    test::RunStateGuard guard;
    gdblHanreiMax = 99; // not shown without items
    auto *legend = ui::form<frmPSYHanreiBmp>();
    EXPECT_TRUE(legend->lblColor[0]->isHidden());
    EXPECT_TRUE(legend->lblName[0]->isHidden());
    EXPECT_EQ(legend->lblColor.size(), 1u);
    EXPECT_EQ(topTwips(legend->lblMax), 2700);
    EXPECT_EQ(topTwips(legend->lblAve), 3000);
    EXPECT_EQ(topTwips(legend->lblMin), 3300);
    EXPECT_EQ(legend->lbl1->text(), u("最大："));
    EXPECT_EQ(legend->lblMax->text(), QString());
    EXPECT_EQ(legend->Height(), 3600 + PopupWindow::kFrameTwips);
}

// Ranking data lines: the name in field 9, the value in field 10.
QString rankingLine(const QString &name, const QString &value)
{
    return QStringLiteral("1,100,200,0,0,13,0,0,0,") + name + QLatin1Char(',') + value
        + QStringLiteral(",1,100,200,13,0,0");
}

// Flow lines: X, Y, code, name, value, rank.
QString flowLine(const QString &name, const QString &value)
{
    return QStringLiteral("100,200,13,") + name + QLatin1Char(',') + value + QStringLiteral(",1");
}

TEST(RankAllRows, RankingAndFlowFilesGiveTheirRows)
{
    const std::vector<QString> ranking{QString(), rankingLine(u("\"東京都\""), "14047594"),
        rankingLine(u("神奈川県"), "9237337"), QStringLiteral("1,2,3,4,5,6,7,8,9,\"short\""),
        rankingLine(u("\"大阪府\""), "\"-\"")};
    // Two flows and a lone last line, which has no partner.
    const std::vector<QString> flow{QString(), flowLine(u("埼玉県"), "800"), flowLine(u("東京都"), "800"),
        flowLine(u("千葉県"), "500"), QStringLiteral("1,2,3"), flowLine(u("神奈川県"), "300")};
    using Rows = std::vector<RankRow>;
    struct Row
    {
        const char *name;
        const std::vector<QString> *lines;
        QString mode;
        QString option;
        Rows expected;
    };
    const Row rows[] = {
        {"ranking, quotes removed, short lines skipped", &ranking, u("ランキング"), QString(),
            {{u("東京都"), "14047594"}, {u("神奈川県"), "9237337"}, {u("大阪府"), "\"-\""}}},
        {"flow in: the first line of each pair", &flow, u("流線図"), u("流入"),
            {{u("埼玉県"), "800"}, {u("千葉県"), "500"}}},
        {"flow out: the second line, a short one skipped", &flow, u("流線図"), u("流出"),
            {{u("東京都"), "800"}}},
        {"another mode", &ranking, u("その他"), QString(), {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rankAllRows(*row.lines, row.mode, row.option), row.expected);
    }
    // One line of a flow file is no pair at all.
    EXPECT_TRUE(rankAllRows({QString(), flowLine(u("埼玉県"), "1")}, u("流線図"), u("流入")).empty());
}

QStringList gridRow(const QTableWidget *grid, int row)
{
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return out;
}

QStringList heading(const QTableWidget *grid)
{
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << grid->horizontalHeaderItem(c)->text();
    return out;
}

TEST(RankAll, AMissingFileLeavesTheHeadingAlone)
{
    test::RunStateGuard guard;
    test::TempDir tmp;
    auto *all = ui::form<frmPSYRankAll>();
    all->MP_Init(tmp.file(QStringLiteral("none.dat")), u("ランキング"), QString());
    EXPECT_EQ(all->flx->rowCount(), 0);
    EXPECT_EQ(heading(all->flx), (QStringList{u("地域名"), u("人数")}));
    EXPECT_EQ(all->flx->columnWidth(0), ui::twipsToPixelsX(1000));
    EXPECT_EQ(all->flx->columnWidth(1), ui::twipsToPixelsX(1600));
}

TEST(RankingPopUp, AClickOpensTheFullListOfItsDataFile)
{
    test::RunStateGuard guard;
    test::TempDir tmp;
    const QString path = tmp.file(QStringLiteral("tempdata000.dat"));
    test::writeBytes(path,
        (rankingLine(u("\"東京都\""), "14047594") + "\r\n" + rankingLine(u("\"神奈川県\""), "9237337") + "\r\n")
            .toUtf8());
    auto *rank = ui::form<frmPSYRank>();
    rank->sMode = u("ランキング");
    rank->sFileName = path;
    rank->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(rank));
    QTest::mouseClick(rank, Qt::RightButton);
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYRankAll")));
    // A click on a label is a click on the window too.
    QTest::mouseClick(rank->lblP[0], Qt::LeftButton);
    auto *all = qobject_cast<frmPSYRankAll *>(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYRankAll")));
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->isVisible());
    EXPECT_EQ(all->windowTitle(), u("全地域"));
    EXPECT_EQ(all->parentWidget(), nullptr);
    ASSERT_EQ(all->flx->rowCount(), 2);
    EXPECT_EQ(gridRow(all->flx, 0), (QStringList{u("東京都"), "14047594"}));
    EXPECT_EQ(gridRow(all->flx, 1), (QStringList{u("神奈川県"), "9237337"}));
}

TEST(RankingPopUp, FiveRowsInTheirColours)
{
    test::RunStateGuard guard;
    auto *rank = ui::form<frmPSYRank>();
    EXPECT_EQ(rank->windowTitle(), u("順位"));
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta};
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rank->lblP[r]->palette().color(QPalette::WindowText), colours[r]);
        EXPECT_EQ(topTwips(rank->lblP[r]), 360 + 300 * r);
        EXPECT_EQ(topTwips(rank->lblNum[r]), 360 + 300 * r);
    }
    EXPECT_EQ(rank->Label1[3]->text(), u("１位"));
    EXPECT_EQ(rank->Label1[0]->text(), u("順  位"));
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Presses `button` at a point of `target`, moves by (40, 25) and releases.
void drag(QWidget *target, Qt::MouseButton button)
{
    const QPoint from(5, 5);
    sendMouse(target, QEvent::MouseButtonPress, from, button, button);
    const QPoint to = from + QPoint(40, 25);
    // The window may follow the mouse: the move is given in global terms.
    const QPoint global = target->mapToGlobal(from) + QPoint(40, 25);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(global), Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    sendMouse(target, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

TEST(DraggedLegends, OpenAt2000TwipsAndMoveOnlyWithTheLeftButton)
{
    test::RunStateGuard guard;
    const QPoint start(ui::twipsToPixelsX(2000), ui::twipsToPixelsY(2000));
    auto *sym = ui::form<frmPSYHanreiSym>();
    auto *one = ui::form<frmPSYHanreiOne>();
    struct Row
    {
        const char *name;
        QWidget *window;
        QWidget *target;
    };
    const Row rows[] = {{"Sym surface", sym, sym}, {"Sym lblInfo", sym, sym->lblInfo}, {"One surface", one, one},
        {"One lblInfo1", one, one->lblInfo1}, {"One lblInfo2", one, one->lblInfo2}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        row.window->show();
        row.window->move(start);
        EXPECT_EQ(row.window->pos(), start);
        drag(row.target, Qt::RightButton);
        drag(row.target, Qt::MiddleButton);
        EXPECT_EQ(row.window->pos(), start) << "only the left button drags";
        drag(row.target, Qt::LeftButton);
        EXPECT_EQ(row.window->pos(), start + QPoint(40, 25));
    }
    // Freshly loaded, both stand at 2000 twips from the screen's corner.
    ui::WindowRegistry::instance().unload(sym);
    ui::WindowRegistry::instance().unload(one);
    EXPECT_EQ(ui::form<frmPSYHanreiSym>()->pos(), start);
    EXPECT_EQ(ui::form<frmPSYHanreiOne>()->pos(), start);
}

} // namespace
