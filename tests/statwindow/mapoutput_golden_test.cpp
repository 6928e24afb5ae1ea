// A choropleth and a pie map output byte for byte: fixture records, legend
// and selector assembled and written by the analysis file class into an
// empty DB (tests/fixtures/mapoutput/<case>/). The engine is centred on
// 6120000, 4320000 at 1:25000 with the view date 2024/04/01.
//
// With VELTRA_WRITE_GOLDEN set to a folder, the pairs written are also
// copied there, one folder per case, for review.
#include "anafilebed.h"
#include "statwindow/mapoutput.h"

#include <QFile>
#include <functional>

using namespace veltra::statwindow;
using veltra::test::u;

namespace {

QByteArray expected(const char *folder, const char *file)
{
    return veltra::test::readBytes(
        qEnvironmentVariable("VELTRA_FIXTURES") + QStringLiteral("/mapoutput/%1/%2").arg(folder, file));
}

StatArea record(std::int32_t pref, std::int32_t city, const char *name, std::int32_t x, std::int32_t y)
{
    StatArea a;
    a.PrefCode = pref;
    a.CityCode = city;
    a.AreaCode
        = QStringLiteral("%1%2000000").arg(pref, 2, 10, QLatin1Char('0')).arg(city, 3, 10, QLatin1Char('0'));
    a.AreaName = u(name);
    a.X = x;
    a.Y = y;
    return a;
}

std::vector<StatYearEntry> years()
{
    StatYearEntry r2;
    r2.Name = u("R2国勢調査");
    r2.StartDate = QStringLiteral("20201001");
    r2.EndDate = QStringLiteral("20251001");
    r2.EraCode = QStringLiteral("R2");
    return {r2, StatYearEntry{}};
}

const std::vector<QString> DensityTemplate{
    u("人口密度"), u("人口密度.cal"), QStringLiteral("CALC"), QString()};
const std::vector<QString> Men{
    u("R2国勢調査\\人口\\男"), u("etc/R2/都道府県/人口"), QStringLiteral("2"), QStringLiteral("R2")};
const std::vector<QString> Women{
    u("R2国勢調査\\人口\\女"), u("etc/R2/都道府県/人口"), QStringLiteral("3"), QStringLiteral("R2")};

struct GoldenCase
{
    const char *folder;
    std::function<void(OutputSource &, std::vector<StatArea> &, AnaFileBed &)> fill;
};

} // namespace

class MapOutputGolden : public AnaFileBed
{
};

TEST_F(MapOutputGolden, ChoroplethAndPieByteForByte)
{
    const std::vector<GoldenCase> cases{
        // Population density from the shipped template over three wards, in
        // three classes; one ward without data, one without a value made.
        {"choropleth3",
            [](OutputSource &s, std::vector<StatArea> &r, AnaFileBed &b) {
                glngGraphKind = GraphKindNuri;
                s.mapKind = 0;
                b.owner.anaRange = 2;
                b.owner.methods[3]->setChecked(true);
                b.select.answers = {{1, 1}};
                b.select.subItems[{0, 1}] = DensityTemplate;
                s.selector.names[0] = {DensityTemplate[0]};
                s.selector.details[0] = {DensityTemplate};
                s.legend.noticeName = u("人口密度");
                s.legend.gradeNum = 3;
                s.legend.segments = 3;
                s.legend.classes
                    = {{16777164, 1000, 8000.25}, {10079436, 8000.25, 15000}, {3381555, 15000, 23000}};
                s.legend.entries.assign(4, {u("人口密度"), 0});
                s.selectAddress = {QString(), QStringLiteral("13101"), QStringLiteral("13102"),
                    QStringLiteral("13103"), QStringLiteral("13104")};
                const char *names[] = {"千代田区", "中央区", "港区", "新宿区"};
                for (int i = 0; i < 4; ++i) {
                    StatArea a = record(13, 101 + i, names[i], -30000 + 1000 * i, -36000 + 500 * i);
                    a.Value = {StatValue{}, StatValue{}};
                    a.DataFlag = {0, 0};
                    a.CalcValue = {StatValue{}, 5000.0 + 6000.125 * i};
                    r.push_back(a);
                }
                r[2].DataFlag[1] = 1;
                r[4].CalcValue[1].emplace<std::monostate>();
            }},
        // Men and women over three prefectures; one value without data and
        // one not found.
        {"pie2",
            [](OutputSource &s, std::vector<StatArea> &r, AnaFileBed &b) {
                glngGraphKind = GraphKindPie;
                s.mapKind = 1;
                b.owner.anaRange = 1;
                s.selector.names[0] = {Men[0], Women[0]};
                s.selector.details[0] = {Men, Women};
                s.legend.segments = 1;
                s.legend.entries = {{u("男"), 16711680}, {u("女"), 255}};
                s.selectAddress
                    = {QString(), QStringLiteral("11"), QStringLiteral("13"), QStringLiteral("14")};
                const std::vector<std::tuple<int, const char *, double, double>> prefs{
                    {11, "埼玉県", 3652169, 3692604}, {13, "東京都", 6898388, 7149357},
                    {14, "神奈川県", 4588268, 4649004}};
                for (const auto &[code, name, men, women] : prefs) {
                    StatArea a = record(code, 0, name, code * 1000, -code * 1000);
                    a.Value = {StatValue{}, men, women};
                    a.DataFlag = {0, 0, 0};
                    r.push_back(a);
                }
                r[1].DataFlag[2] = 2;
                r[3].DataFlag[1] = 1;
            }},
    };
    const QString keep = qEnvironmentVariable("VELTRA_WRITE_GOLDEN");
    for (const GoldenCase &c : cases) {
        SCOPED_TRACE(c.folder);
        veltra::test::TempDir folder;
        db = folder.path() + QStringLiteral("DB/");
        ASSERT_TRUE(QDir().mkpath(db));
        std::vector<StatArea> records{StatArea{}};
        const std::vector<StatYearEntry> yearList = years();
        OutputSource source;
        source.records = &records;
        source.years = &yearList;
        c.fill(source, records, *this);

        clsAnaFile ana;
        link(ana);
        fillAnaFile(ana, assembleAnalysis(source));
        ana.CsvWriteReq(db);

        const QByteArray header = veltra::test::readBytes(db + QStringLiteral("tempheader000.hed"));
        const QByteArray data = veltra::test::readBytes(db + QStringLiteral("tempdata000.dat"));
        if (!keep.isEmpty()) {
            const QString out = keep + QLatin1Char('/') + QString::fromUtf8(c.folder) + QLatin1Char('/');
            QDir().mkpath(out);
            QFile::copy(db + QStringLiteral("tempheader000.hed"), out + QStringLiteral("tempheader000.hed"));
            QFile::copy(db + QStringLiteral("tempdata000.dat"), out + QStringLiteral("tempdata000.dat"));
        }
        EXPECT_EQ(header, expected(c.folder, "tempheader000.hed"))
            << veltra::text::decodeCp932(header).toStdString();
        EXPECT_EQ(data, expected(c.folder, "tempdata000.dat"))
            << veltra::text::decodeCp932(data).toStdString();
    }
}
