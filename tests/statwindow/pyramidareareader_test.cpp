// The pyramid window's area records and age data on the fixture database:
// no record at the nation level, municipality codes looked up by characters
// 3-5 and matched on five, short lines, reading stopping once every area is
// found, the second series deciding a class's state, and the code list
// sorted for the analysis header.
#include "platform/vb/errors.h"
#include "statwindow/globals.h"
#include "statwindow/pyramidareareader.h"
#include "statwindowfixture.h"

using namespace veltra::statwindow;

namespace {

class PyramidAreaReaderTest : public veltra::test::StatWindowFixture
{
protected:
    static std::vector<QString> list(std::initializer_list<const char *> codes)
    {
        std::vector<QString> out{QString()};
        for (const char *c : codes)
            out.push_back(QString::fromLatin1(c));
        return out;
    }
};

TEST_F(PyramidAreaReaderTest, RecordsFollowThePyramidRules)
{
    struct Case
    {
        const char *name;
        std::int32_t level;
        std::vector<QString> codes;
        QStringList areaCodes;
    };
    const Case cases[] = {
        {"the nation builds nothing", 0, list({"13"}), {}},
        {"prefectures, one without a row", 1, list({"14", "99", "01"}), {"14000000000", "01000000000"}},
        {"a seven-character code by characters 3-5", 2, list({"1310199"}), {"13101000000"}},
        {"a five-digit municipality is not found", 2, list({"1312345"}), {}},
        {"town blocks", 3, list({"13101001002"}), {"13101001002"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CreatePyramidStatArea(db, c.level, c.codes), c.areaCodes.size());
        QStringList built;
        for (std::size_t r = 1; r < gtypStatArea.size(); ++r)
            built << gtypStatArea[r].AreaCode;
        EXPECT_EQ(built, c.areaCodes);
    }
}

TEST_F(PyramidAreaReaderTest, AgeClassesOfTheWindowsOwnCodes)
{
    const QString city = indexedFolder(QStringLiteral("etc/age"), {QStringLiteral("13")});
    // Fields: code, two men's classes, two women's classes.
    write(city + QStringLiteral("\\13.txt"),
        {QStringLiteral("CODE,m1,m2,w1,w2"), QStringLiteral("13101,-,2,3,4"),
            QStringLiteral("13101,10,20,30,40"), QStringLiteral("13102,5"),
            QStringLiteral("13102,100,100,100,100")});

    struct Case
    {
        const char *name;
        std::vector<QString> codes;
        std::vector<QString> sorted;
        // Per record in build order: men, women, states (classes 1 and 2).
        std::vector<std::array<std::vector<double>, 2>> series;
        std::vector<std::vector<std::int32_t>> flags;
    };
    const Case cases[] = {
        // One area: its first line only; "-" for men and 3 for women in
        // class 1 is a value read.
        {"one area stops after its first line", list({"13101"}), list({"13101"}), {{{{0, 0, 2}, {0, 3, 4}}}},
            {{0, 0, 0}}},
        // Two areas: 13101 takes its second line while 13102 is missing;
        // 13102's short line has class 1 of the men only and leaves class
        // 2 at 0 with state 2; its later line is not read (both found).
        {"a short line; the list sorted; seven characters matched on five", list({"13102", "1310177"}),
            list({"1310177", "13102"}), {{{{0, 5, 0}, {0, 0, 0}}}, {{{0, 10, 22}, {0, 33, 44}}}},
            {{0, 0, 2}, {0, 0, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<QString> codes = c.codes;
        EXPECT_TRUE(ReadAgeData(db, nullptr, AnaRangeCity, codes, city, 2, 1, 3));
        EXPECT_EQ(codes, c.sorted);
        ASSERT_EQ(gtypStatArea.size(), c.series.size() + 1);
        for (std::size_t r = 0; r < c.series.size(); ++r) {
            SCOPED_TRACE(r + 1);
            const StatArea &area = gtypStatArea[r + 1];
            EXPECT_EQ(area.ManValue, c.series[r][0]);
            EXPECT_EQ(area.WomanValue, c.series[r][1]);
            EXPECT_EQ(area.DataFlag, c.flags[r]);
        }
    }
}

TEST_F(PyramidAreaReaderTest, AnUnreadableDatabaseRaises)
{
    db.close();
    std::vector<QString> codes = list({"13"});
    EXPECT_THROW(
        ReadAgeData(db, nullptr, AnaRangePref, codes, QStringLiteral("x"), 2, 1, 3), veltra::vb::FileError);
}

} // namespace
