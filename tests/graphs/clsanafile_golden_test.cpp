// The analysis file pair byte for byte, one fixture folder per layout
// (tests/fixtures/anafile/<case>/): CP932, CR LF, quoted and bare fields,
// numbers in CStr form, colours as decimal BGR.
#include "anafilebed.h"

#include <functional>

using veltra::test::u;

namespace {

struct GoldenCase
{
    const char *folder;
    std::function<void(clsAnaFile &, AnaFileBed &)> fill;
};

QByteArray expected(const char *folder, const char *file)
{
    return veltra::test::readBytes(
        qEnvironmentVariable("VELTRA_FIXTURES") + QStringLiteral("/anafile/%1/%2").arg(folder, file));
}

} // namespace

class AnaFileGolden : public AnaFileBed
{
public:
    static std::vector<GoldenCase> cases();
};

std::vector<GoldenCase> AnaFileGolden::cases()
{
    using V = std::vector<QVariant>;
    return {
        // Five classes; the codes of shorter area texts are 0, not the
        // previous area's; commas and quotes of names replaced.
        {"choropleth5",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindNuri;
                b.owner.anaRange = 3;
                b.owner.methods[2]->setChecked(true);
                b.select.answers = {{1, 2}};
                b.select.subItems[{0, 1}]
                    = {u("C:\\Calc\\密度.txt"), u("C:\\Calc\\密度.txt"), QStringLiteral("CALC"), QString()};
                b.link(a);
                a.setNoticeName(u("人口,\"総数\""));
                a.setCompName(u("面積"));
                a.SetGradeNum(5);
                a.setSegments(0);
                a.setSelectAddress({QString(), QStringLiteral("13101000100"), QStringLiteral("13102"),
                    QStringLiteral("14")});
                const double third = 1.0 / 3.0;
                a.SetHead4(0, 255, -0.5, third);
                a.SetHead4(1, 33023, third, 20);
                a.SetHead4(2, 65535, 20, 30);
                a.SetHead4(3, 65280, 30, 1234.5678);
                a.SetHead4(4, 16711680, 1234.5678, 99999);
                a.SetHead5(0, u("人口密度"), 255, QStringLiteral("20200101"), QStringLiteral("20201231"));
                a.SetData1Area(3);
                a.SetData1(1, 100, 200, 13, 101, 100, u("人口"), u("千代田区,丸の内"), V{{}, 12.5});
                a.SetData1(2, -300, 400, 13, 102, 0, QString(), u("中央区"), V{{}, 7});
                a.SetData1(3, 5, 6, 14, 0, 0, QString(), u("神奈川県"), V{{}, QStringLiteral("\"-\"")});
            }},
        // Three segments: one H4 line, three H5 lines, H2 field 9 = 3.
        {"pie3",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindPie;
                b.owner.anaRange = 1;
                b.select.answers = {{2, 1}};
                b.link(a);
                a.setSegments(2);
                a.setSelectAddress({QString(), QStringLiteral("13")});
                a.SetHead5(0, u("男"), 16711680, QStringLiteral("20200101"), QStringLiteral("20201231"));
                a.SetHead5(1, u("女"), 255, QStringLiteral("20200101"), QStringLiteral("20201231"));
                a.SetHead5(2, u("不詳"), 8421504, QStringLiteral("20200101"), QStringLiteral("20201231"));
                a.SetData1Area(1);
                a.SetData1(1, 1000, 2000, 13, 0, 0, QString(), u("東京都"), V{{}, 600, 650, 3});
            }},
        // A non-choropleth H3 even with names set; the window's one class;
        // dates carrying their own quotes.
        {"symbol",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindSymbol;
                b.owner.anaRange = 2;
                b.select.answers = {{1, 1}, {2, 2}};
                b.link(a);
                a.setNoticeName(u("人口"));
                a.setCompName(u("面積"));
                a.SetGradeNum(1);
                a.setSelectAddress({QString(), QStringLiteral("13101")});
                a.SetHead4(0, 255, 0, 100);
                a.SetHead5(0, u("人口"), 0, QStringLiteral("\"20200101\""), QStringLiteral("\"20201231\""));
                a.SetData1Area(1);
                a.SetData1(1, 10, 20, 13, 101, 0, QString(), u("千代田区"), V{{}, 1});
            }},
        // An empty value between two others: two commas in a row.
        {"emptyvalue",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindValue;
                b.owner.anaRange = 0;
                b.link(a, false);
                a.setSelectAddress({QString(), QStringLiteral("01")});
                a.SetHead5(0, u("値"), 0, QString(), QString());
                a.SetData1Area(1);
                a.SetData1(1, 1, 2, 1, 0, 0, QString(), u("北海道"), V{{}, 1.5, QVariant(), 3});
            }},
        // No values: from the name straight to the repeated X.
        {"novalues",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindValue;
                b.owner.anaRange = 0;
                b.link(a, false);
                a.setSelectAddress({QString(), QStringLiteral("02")});
                a.SetHead5(0, u("値"), 0, QString(), QString());
                a.SetData1Area(1);
                a.SetData1(1, 7, 8, 2, 0, 0, QString(), u("青森県"), V{});
            }},
        // Three areas of one value each, numbered 1, 2, 3 in file order.
        {"ranking",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindRanking;
                b.owner.anaRange = 1;
                b.link(a, false);
                a.setSelectAddress(
                    {QString(), QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("11")});
                a.SetHead5(0, u("人口"), 0, QStringLiteral("20200101"), QStringLiteral("20201231"));
                a.SetData1Area(3);
                a.SetData1(1, 100, 100, 13, 0, 0, QString(), u("東京都"), V{{}, 300.5});
                a.SetData1(2, 200, 200, 14, 0, 0, QString(), u("神奈川県"), V{{}, 200});
                a.SetData1(3, 300, 300, 11, 0, 0, QString(), u("埼玉県"), V{{}, 100});
            }},
        // Two flow lines, outflow: four DtStreamline lines, FlowKind 2, flag 5.
        {"flow",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindRyusen;
                b.owner.anaRange = 2;
                b.select.answers = {{2, 1}, {3, 2}};
                b.link(a);
                a.setSelectAddress({QString(), QStringLiteral("13101"), QStringLiteral("13102")});
                a.SetHead5(0, u("通勤"), 0, QStringLiteral("20200101"), QStringLiteral("20201231"));
                a.SetData1Area(0);
                a.SetDtStreamline(1, {0, 100, 200}, {0, 110, 210}, {0, 13101, 13102},
                    {QString(), u("千代田区"), u("中央区")}, 1500.5, 1);
                a.SetDtStreamline(2, {0, 300, 400}, {0, 310, 410}, {0, 14100, 14130},
                    {QString(), u("横浜市"), u("川崎市")}, 20, 2);
            }},
        // No selected area: one H2 line with codes 0; no area lines.
        {"noarea",
            [](clsAnaFile &a, AnaFileBed &b) {
                glngGraphKind = GraphKindBar;
                b.owner.anaRange = 1;
                b.link(a, false);
                a.setSegments(1);
                a.setSelectAddress({QString()});
                a.SetHead5(0, u("男"), 1, QString(), QString());
                a.SetHead5(1, u("女"), 2, QString(), QString());
                a.SetData1Area(0);
            }},
    };
}

TEST_F(AnaFileGolden, EachLayoutByteForByte)
{
    for (const GoldenCase &c : cases()) {
        SCOPED_TRACE(c.folder);
        veltra::test::TempDir caseDir;
        db = caseDir.path();
        owner.methods[2]->setChecked(false);
        select = FakeItemSelection{};
        {
            clsAnaFile ana;
            c.fill(ana, *this);
            ASSERT_NO_THROW(ana.CsvWriteReq(db));
        }
        const QByteArray header = veltra::test::readBytes(db + QStringLiteral("tempheader000.hed"));
        const QByteArray data = veltra::test::readBytes(db + QStringLiteral("tempdata000.dat"));
        EXPECT_EQ(header, expected(c.folder, "tempheader000.hed"))
            << veltra::text::decodeCp932(header).toStdString();
        EXPECT_EQ(data, expected(c.folder, "tempdata000.dat")) << veltra::text::decodeCp932(data).toStdString();
        EXPECT_EQ(veltra::test::entriesOf(db).size(), 2);
    }
}
