// A look at the class histogram, the scatter diagram and the pyramid of real
// 2020 census figures in a small window acting as their owner: skipped
// unless VELTRA_SHOW_SECONDS is set, when each window stays up that long
// (run with -platform xcb on an X display to see them).
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/graphowner.h"
#include "graphs/picturebox.h"
#include "fakeitemselection.h"
#include "platform/fs/fs.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <gtest/gtest.h>
#include <set>

namespace {

const QString ItemList = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");

int showSeconds()
{
    return qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
}

void holdOpen(int seconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A statistics window in small: the picture with its boundary handles and
// bar, the statistics labels, the method buttons and class count, the
// coefficient label, and a legend beside them.
class ShowcaseOwner : public QWidget, public GraphOwner
{
public:
    ShowcaseOwner(const QString &title, QSize picture, int handles)
    {
        setWindowTitle(title);
        auto *layout = new QHBoxLayout(this);
        auto *frame = new QWidget(this);
        frame->setFixedSize(picture);
        m_map = new PictureBox(frame);
        m_map->setBorderStyle(0);
        m_map->setGeometry(QRect(QPoint(0, 0), picture));
        for (int i = 0; i < handles; ++i) {
            auto *handle = new PictureBox(frame);
            handle->setBackColor(QColor(60, 60, 160));
            handle->Cls();
            handle->resize(9, 14);
            m_sliders.push_back(handle);
        }
        if (handles > 0) {
            m_bar = new QFrame(frame);
            m_bar->setStyleSheet(QStringLiteral("background: #808080"));
            m_bar->resize(10, 3);
            m_bar->raise();
            for (PictureBox *handle : m_sliders)
                handle->raise();
        }
        layout->addWidget(frame, 0, Qt::AlignTop);

        auto *side = new QWidget(this);
        auto *grid = new QGridLayout(side);
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        const char *captions[] = {"平均", "分散", "標準偏差", "最大値", "最小値", "範囲"};
        for (int i = 0; i < 6; ++i) {
            grid->addWidget(new QLabel(QString::fromUtf8(captions[i]), side), i, 0);
            m_labels[static_cast<std::size_t>(i)] = new QLabel(side);
            m_labels[static_cast<std::size_t>(i)]->setFont(fixed);
            grid->addWidget(m_labels[static_cast<std::size_t>(i)], i, 1);
        }
        const char *methods[] = {"属性値", "自然分類", "等量分類", "等間隔分類", "標準偏差"};
        for (int i = 0; i < 5; ++i) {
            m_methods[static_cast<std::size_t>(i)] = new QRadioButton(QString::fromUtf8(methods[i]), side);
            grid->addWidget(m_methods[static_cast<std::size_t>(i)], 6 + i, 0, 1, 2);
        }
        grid->addWidget(new QLabel(QStringLiteral("分類数"), side), 11, 0);
        m_furiwake = new QComboBox(side);
        for (int i = 2; i <= 9; ++i)
            m_furiwake->addItem(QString::number(i));
        grid->addWidget(m_furiwake, 11, 1);
        grid->addWidget(new QLabel(QStringLiteral("相関係数"), side), 12, 0);
        m_keisuu = new QLabel(side);
        m_keisuu->setFont(fixed);
        grid->addWidget(m_keisuu, 12, 1);
        grid->setRowStretch(13, 1);
        layout->addWidget(side, 0, Qt::AlignTop);

        legend = new ctlLegend(this);
        legend->setMinimumSize(legend->size().width(), picture.height());
        layout->addWidget(legend, 0, Qt::AlignTop);
    }

    QLabel *lblAverage() const override { return m_labels[0]; }
    QLabel *lblBunsan() const override { return m_labels[1]; }
    QLabel *lblStandard() const override { return m_labels[2]; }
    QLabel *lblMax() const override { return m_labels[3]; }
    QLabel *lblMin() const override { return m_labels[4]; }
    QLabel *lblRange() const override { return m_labels[5]; }
    QRadioButton *optMethod(std::int16_t i) const override
    {
        return i >= 0 && i < 5 ? m_methods[static_cast<std::size_t>(i)] : nullptr;
    }
    QComboBox *cmbFuriwake() const override { return m_furiwake; }
    PictureBox *picMap() const override { return m_map; }
    PictureBox *picSlider(std::int16_t i) const override
    {
        return i >= 0 && static_cast<std::size_t>(i) < m_sliders.size() ? m_sliders[static_cast<std::size_t>(i)]
                                                                          : nullptr;
    }
    QWidget *shpBar() const override { return m_bar; }
    QLabel *lblKeisuu() const override { return m_keisuu; }

    ctlLegend *legend = nullptr;

private:
    PictureBox *m_map = nullptr;
    std::vector<PictureBox *> m_sliders;
    QWidget *m_bar = nullptr;
    std::array<QLabel *, 6> m_labels{};
    std::array<QRadioButton *, 5> m_methods{};
    QComboBox *m_furiwake = nullptr;
    QLabel *m_keisuu = nullptr;
};

double prefectureValue(const QString &reference, int pref)
{
    const std::int32_t column = ComCaldoraTable::GetEntryIndex(ItemList, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(ItemList, reference);
    std::int32_t status = -1;
    const QString code = QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0'));
    const double v = ComCaldoraNeo::ReadAreaValue(
        ComCaldoraNeo::GetDataFileName(pref, folder, 1), code, 2, 1, column, 0, false, status);
    EXPECT_EQ(status, 0) << reference.toStdString() << " " << pref;
    return v;
}

// The 2020 totals of every municipality: the wards of the designated cities
// count, the cities' own totals over their wards do not.
std::vector<double> municipalTotals()
{
    const QString reference = QStringLiteral("{[市区町村][人口][総人口]}");
    const std::int32_t column = ComCaldoraTable::GetEntryIndex(ItemList, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(ItemList, reference);
    std::vector<double> totals;
    for (int pref = 1; pref <= 47; ++pref) {
        QFile file(veltra::fs::resolve(ComCaldoraNeo::GetDataFileName(pref, folder, 2)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        std::vector<std::pair<int, double>> rows;
        std::set<int> codes;
        file.readLine(); // the header
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().trimmed().split(',');
            if (fields.size() <= column)
                continue;
            const int code = fields[0].toInt();
            rows.emplace_back(code, fields[column].toDouble());
            codes.insert(code);
        }
        for (const auto &[code, total] : rows)
            if (!(code % 1000 >= 100 && code % 1000 < 200 && codes.count(code + 1)))
                totals.push_back(total);
    }
    return totals;
}

} // namespace

TEST(Showcase, HistogramOfTheMunicipalTotalsByNaturalBreaks)
{
    const int seconds = showSeconds();
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    const std::vector<double> totals = municipalTotals();
    ASSERT_GT(totals.size(), 1700U);

    glngGraphKind = GraphKindNuri;
    ShowcaseOwner window(QStringLiteral("2020年 市区町村人口の分布 (自然分類 5分類)"), QSize(480, 300), 6);
    window.optMethod(1)->setChecked(true);
    window.cmbFuriwake()->setCurrentIndex(5 - 2);
    ctlGradation gradation;
    FakeItemSelection select;
    select.answers[1] = 1;
    window.move(10, 10);
    window.show();
    QApplication::processEvents();

    clsDrawGraph graph;
    graph.SetCtlLegend(window.legend);
    graph.SetCtlGradation(&gradation);
    graph.SetCtlSelect(&select);
    graph.SetFormName(&window);
    graph.setAutoRedraw(false);
    graph.Clear();
    for (double v : totals)
        graph.AddSegment(v, QString(), 0, 0);
    PictureBox *pic = window.picMap();
    EXPECT_EQ(graph.DrawHistogram(&pic->canvas(), pic, true, QStringLiteral("1"), 0, QString()), 1);
    graph.setAutoRedraw(true);
    EXPECT_EQ(graph.GetGradeNum(), 5);
    holdOpen(seconds);
    glngGraphKind = 0;
}

TEST(Showcase, ScatterOfPrefectureAreaAgainstPopulation)
{
    const int seconds = showSeconds();
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    glngGraphKind = GraphKindSanpuzu;
    ShowcaseOwner window(QStringLiteral("2020年 都道府県 面積(km2) と 総人口"), QSize(520, 380), 0);
    window.move(10, 10);
    window.show();
    QApplication::processEvents();

    clsDrawGraph graph;
    graph.SetCtlLegend(window.legend);
    graph.SetFormName(&window);
    graph.setAutoRedraw(false);
    graph.Clear();
    for (int pref = 1; pref <= 47; ++pref) {
        const double area = prefectureValue(QStringLiteral("{[都道府県][面積][面積(km2)]}"), pref);
        const double people = prefectureValue(QStringLiteral("{[都道府県][人口][総人口]}"), pref);
        graph.AddSegment(people, QString(), pref == 13 ? 0x0000E0 : 0xC06020, area);
        graph.AddSanpuIDX(pref);
    }
    PictureBox *pic = window.picMap();
    graph.DrawSanpuzu(&pic->canvas(), pic, true);
    graph.setAutoRedraw(true);
    EXPECT_FALSE(window.lblKeisuu()->text().isEmpty());
    holdOpen(seconds);
    glngGraphKind = 0;
}

namespace {

void showTokyoPyramid(std::int32_t expressionKind, const QString &title)
{
    const QString section = QStringLiteral("{[都道府県][年齢5歳階級別][%1]}");
    std::vector<std::pair<double, double>> rows;
    const char *ages[] = {"0～4歳", "5～9歳", "10～14歳", "15～19歳", "20～24歳", "25～29歳", "30～34歳",
        "35～39歳", "40～44歳", "45～49歳", "50～54歳", "55～59歳", "60～64歳", "65～69歳", "70～74歳",
        "75～79歳", "80～84歳", "85～89歳", "90～94歳", "95～99歳", "100歳以上"};
    double total = 0;
    for (const char *age : ages) {
        const double men = prefectureValue(section.arg(QString::fromUtf8(age) + QStringLiteral("(男)")), 13);
        const double women = prefectureValue(section.arg(QString::fromUtf8(age) + QStringLiteral("(女)")), 13);
        rows.emplace_back(men, women);
        total += men + women;
    }

    glngGraphKind = GraphKindPyramid;
    ShowcaseOwner window(title, QSize(480, 420), 0);
    window.move(10, 10);
    window.show();
    QApplication::processEvents();
    clsDrawGraph graph;
    graph.SetCtlLegend(window.legend);
    graph.SetFormName(&window);
    graph.setAutoRedraw(false);
    graph.Clear();
    graph.AddSegment(0, QStringLiteral("男"), 0xD08040, 0);
    graph.AddSegment(0, QStringLiteral("女"), 0x6060E0, 0);
    for (const auto &[men, women] : rows) {
        if (expressionKind == 0)
            graph.AddPyramidSegment(men, women);
        else
            graph.AddPyramidSegment(men / total * 100, women / total * 100);
    }
    PictureBox *pic = window.picMap();
    graph.DrawPyramid(&pic->canvas(), pic, expressionKind, 5, true, true);
    graph.setAutoRedraw(true);
    holdOpen(showSeconds());
    glngGraphKind = 0;
}

} // namespace

TEST(Showcase, PyramidOfTokyoInCounts)
{
    if (showSeconds() <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    showTokyoPyramid(0, QStringLiteral("東京都 2020年 人口ピラミッド (人数)"));
}

TEST(Showcase, PyramidOfTokyoInPercentages)
{
    if (showSeconds() <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    showTokyoPyramid(1, QStringLiteral("東京都 2020年 人口ピラミッド (構成比 %、最大5%)"));
}
