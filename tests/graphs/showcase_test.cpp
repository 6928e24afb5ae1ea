// A look at the gradation control and a pie of real figures on a display:
// skipped unless VELTRA_SHOW_SECONDS is set, when the windows stay up that
// long (run the program with -platform xcb on an X display to see them).
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

TEST(Showcase, GradationAndPieOfTheMostPopulousPrefectures)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";

    const QString list = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");
    const QString reference = QStringLiteral("{[都道府県][人口][総人口]}");
    const std::int32_t column = ComCaldoraTable::GetEntryIndex(list, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference);
    std::vector<std::pair<double, int>> populations;
    for (int pref = 1; pref <= 47; ++pref) {
        std::int32_t status = -1;
        const QString code = QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0'));
        const double v = ComCaldoraNeo::ReadAreaValue(
            ComCaldoraNeo::GetDataFileName(pref, folder, 1), code, 2, 1, column, 0, false, status);
        ASSERT_EQ(status, 0);
        populations.emplace_back(v, pref);
    }
    std::sort(populations.rbegin(), populations.rend());
    const std::map<int, QString> names = {{13, "東京都"}, {14, "神奈川県"}, {27, "大阪府"}, {23, "愛知県"},
        {11, "埼玉県"}, {12, "千葉県"}, {28, "兵庫県"}, {1, "北海道"}};
    const std::int32_t colours[] = {
        0x3030E0, 0x30A0F0, 0x30D0D0, 0x40C040, 0xC0C040, 0xE08030, 0xC040A0, 0x808080};

    QWidget gradationWindow;
    gradationWindow.setWindowTitle(QStringLiteral("ctlGradation"));
    gradationWindow.resize(360, 70);
    ctlGradation gradation(&gradationWindow);
    gradation.setGeometry(20, 10, 320, 50);
    gradation.cmbGradient()->setCurrentIndex(16);
    gradationWindow.move(20, 20);
    gradationWindow.show();

    glngGraphKind = GraphKindPie;
    QWidget pieWindow;
    pieWindow.setWindowTitle(QStringLiteral("2020年 人口上位8都道府県"));
    auto *layout = new QHBoxLayout(&pieWindow);
    auto *pic = new PictureBox(&pieWindow);
    pic->setMinimumSize(400, 300);
    auto *legend = new ctlLegend(&pieWindow);
    legend->setMinimumSize(legend->size());
    layout->addWidget(pic);
    layout->addWidget(legend);
    pieWindow.move(20, 160);
    pieWindow.show();
    QApplication::processEvents();

    clsDrawGraph graph;
    graph.SetCtlLegend(legend);
    graph.setAutoRedraw(false);
    graph.Clear();
    for (int i = 0; i < 8; ++i) {
        const int pref = populations[static_cast<std::size_t>(i)].second;
        ASSERT_TRUE(names.count(pref)) << pref;
        graph.AddSegment(populations[static_cast<std::size_t>(i)].first, names.at(pref), colours[i], 0);
    }
    EXPECT_EQ(graph.DrawPie(&pic->canvas(), pic, true), 1);
    graph.setAutoRedraw(true);

    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    glngGraphKind = 0;
}
