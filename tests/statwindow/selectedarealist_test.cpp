// The selected-area list without widgets: identity keys, the entries chosen
// items make, and the intake of address lines with its sorts, on the small
// place-name database of the fixture.
#include "statdata/meshdatabase.h"
#include "statwindow/addresslines.h"
#include "statwindow/selectedarealist.h"
#include "statwindowfixture.h"

#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

SelectedAreaEntry codes(const char *pref, const char *city = "", const char *town = "")
{
    SelectedAreaEntry entry;
    entry[PrefCodeColumn] = QString::fromUtf8(pref);
    entry[CityCodeColumn] = QString::fromUtf8(city);
    entry[TownCodeColumn] = QString::fromUtf8(town);
    return entry;
}

std::vector<QString> lines(std::initializer_list<const char *> texts)
{
    std::vector<QString> out;
    for (const char *t : texts)
        out.push_back(QString::fromUtf8(t));
    return out;
}

QStringList names(const SelectedAreaList &list)
{
    QStringList out;
    for (const SelectedAreaEntry &entry : list.entries())
        out << entry[AreaNameColumn];
    return out;
}

TEST(SelectedAreaKey, FormatsTheCodesOfTheLevel)
{
    struct Case
    {
        int level;
        SelectedAreaEntry entry;
        const char *key;
    } cases[] = {
        {0, codes("1", "101", "1001"), "01"},
        {1, codes("13", "101"), "13"},
        {2, codes("1", "5"), "01005"},
        {2, codes("13", "101"), "13101"},
        // A municipality text of five characters keeps all five.
        {2, codes("13", "12345"), "1312345"},
        {2, codes("13", "00101"), "1300101"},
        {3, codes("13", "101", "1001"), "13101001001"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(SelectedAreaList::identityKey(c.level, c.entry), QString::fromUtf8(c.key));
    }
}

TEST(SelectedAreaList, KeepsOneEntryPerKeyAndForgetsRemovedOnes)
{
    SelectedAreaList list;
    EXPECT_TRUE(list.add(2, codes("13", "101")));
    EXPECT_FALSE(list.add(2, codes("13", "101")));
    // The three- and five-digit forms of one municipality are two keys.
    EXPECT_TRUE(list.add(2, codes("13", "00101")));
    EXPECT_TRUE(list.add(2, codes("14", "101")));
    ASSERT_EQ(list.size(), 3);

    list.removeAt(0);
    EXPECT_EQ(list.size(), 2);
    EXPECT_FALSE(list.contains(2, codes("13", "101")));
    EXPECT_TRUE(list.add(2, codes("13", "101")));
    EXPECT_EQ(list.at(2)[CityCodeColumn], QStringLiteral("101"));

    // Asked at another level, the keys are made again for that level.
    EXPECT_TRUE(list.contains(1, codes("14")));
    EXPECT_FALSE(list.add(1, codes("13")));
    list.clear();
    EXPECT_TRUE(list.add(1, codes("13")));
}

TEST(SelectedAreaList, ChosenItemsCopyTheColumnsOfTheirLevel)
{
    const QStringList town{QStringLiteral("丸の内一丁目"), QStringLiteral("5"), QStringLiteral("6"),
        QStringLiteral("13"), QStringLiteral("東京都"), QStringLiteral("101"), QStringLiteral("千代田区"),
        QStringLiteral("1001"), QStringLiteral("丸の内一丁目")};
    const SelectedAreaEntry atTown = chosenAreaEntry(3, town);
    EXPECT_EQ(atTown[AreaNameColumn], QStringLiteral("東京都千代田区丸の内一丁目"));
    EXPECT_EQ(atTown[TownCodeColumn], QStringLiteral("1001"));

    const SelectedAreaEntry atCity = chosenAreaEntry(2, town.mid(0, 7));
    EXPECT_EQ(atCity[AreaNameColumn], QStringLiteral("東京都千代田区"));
    EXPECT_EQ(atCity[CityCodeColumn], QStringLiteral("101"));
    EXPECT_TRUE(atCity[TownCodeColumn].isEmpty());

    // At the prefecture level the name comes from the name column, not the
    // item's own text.
    const SelectedAreaEntry atPref
        = chosenAreaEntry(1, {QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("13"),
                                 QStringLiteral("東京都")});
    EXPECT_EQ(atPref[AreaNameColumn], QStringLiteral("東京都"));
    EXPECT_EQ(atPref[AreaXColumn], QStringLiteral("1"));
    EXPECT_TRUE(atPref[CityCodeColumn].isEmpty());
}

TEST(QuickSort2Address, SortsByTheCodeFieldAsTextWithThePartitionsOrderOfEqualCodes)
{
    struct Case
    {
        const char *name;
        std::vector<QString> input;
        int start;
        int end;
        std::vector<QString> expected;
    } cases[] = {
        {"one element", lines({"5,5,9"}), 0, 0, lines({"5,5,9"})},
        {"start after end", lines({"1,1,9", "2,2,1"}), 1, 0, lines({"1,1,9", "2,2,1"})},
        {"start equal to end", lines({"1,1,9", "2,2,1"}), 1, 1, lines({"1,1,9", "2,2,1"})},
        // Codes compare as text: "10" before "9".
        {"text order", lines({"0,0,0", "1,1,9", "2,2,10", "3,3,13101"}), 0, 3,
            lines({"0,0,0", "2,2,10", "3,3,13101", "1,1,9"})},
        // The middle line is the pivot; equal codes end as the partition
        // leaves them (b before d, but c before a).
        {"equal codes", lines({"a,0,2", "b,0,1", "c,0,2", "d,0,1"}), 0, 3,
            lines({"b,0,1", "d,0,1", "c,0,2", "a,0,2"})},
        {"part of the array", lines({"x,0,9", "a,0,3", "b,0,2", "y,0,0"}), 1, 2,
            lines({"x,0,9", "b,0,2", "a,0,3", "y,0,0"})},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        QuickSort2Address(c.input, c.start, c.end);
        EXPECT_EQ(c.input, c.expected);
    }
}

TEST(AddressLineSorts, RemoveSameAddressKeepsTheFirstOfEachCode)
{
    std::vector<QString> input = lines({"0,0,0", "1,1,13101", "2,2,13102", "3,3,13101", "4,4,0", "5,5,13102"});
    RemoveSameAddress(input);
    // The placeholder is never compared, so a real line with its code stays.
    EXPECT_EQ(input, lines({"0,0,0", "1,1,13101", "2,2,13102", "4,4,0"}));
}

TEST(AddressLineSorts, SortAddressByValueOrdersByNumberAndStopsWhenAsked)
{
    std::vector<QString> input = lines({"a,0,10", "b,0,9", "c,0,100", "d,0,9.5"});
    SortAddressByValue(input, [] { return false; });
    EXPECT_EQ(input, lines({"b,0,9", "d,0,9.5", "a,0,10", "c,0,100"}));

    std::vector<QString> stopped = lines({"a,0,3", "b,0,2", "c,0,1"});
    int asked = 0;
    SortAddressByValue(stopped, [&asked] { return ++asked > 1; });
    // One comparison ran: the last two lines changed places.
    EXPECT_EQ(stopped, lines({"a,0,3", "c,0,1", "b,0,2"}));

    std::vector<QString> broken = lines({"a,0,3", "b,0", "c,0,1"});
    SortAddressByValue(broken, {});
    EXPECT_EQ(broken, lines({"a,0,3", "b,0", "c,0,1"}));
}

class AddressIntakeTest : public test::StatWindowFixture
{
protected:
    void SetUp() override
    {
        StatWindowFixture::SetUp();
        ASSERT_TRUE(statdata::MeshDatabase::shared().open(dir.file(QStringLiteral("DB/Mesh.sqlite"))));
    }
    SelectedAreaList list;
    std::vector<SelectedAreaEntry> added;
    AddressIntake intake{{}, [this](const SelectedAreaEntry &e) { added.push_back(e); }};
};

TEST_F(AddressIntakeTest, PrefecturesAreListedOnceInCodeOrderWithTheirNames)
{
    EXPECT_TRUE(takeAddressLines(list, 1, lines({"0,0,0", "10,20,13", "30,40,01", "50,60,13101001001"}), intake));
    EXPECT_EQ(names(list), (QStringList{QStringLiteral("北海道"), QStringLiteral("東京都")}));
    const SelectedAreaEntry &hokkaido = list.at(0);
    EXPECT_EQ(hokkaido[AreaXColumn], QStringLiteral("30"));
    EXPECT_EQ(hokkaido[AreaYColumn], QStringLiteral("40"));
    EXPECT_EQ(hokkaido[PrefCodeColumn], QStringLiteral("1"));
    EXPECT_EQ(hokkaido[PrefNameColumn], QStringLiteral("北海道"));
    EXPECT_TRUE(hokkaido[CityCodeColumn].isEmpty());
    EXPECT_EQ(added.size(), 2u);
}

TEST_F(AddressIntakeTest, MunicipalitiesAndTownBlocksCarryTheNamesAbove)
{
    // Two lines of one code give one entry; a seven-character code is a
    // five-digit municipality.
    EXPECT_TRUE(takeAddressLines(list, 2, lines({"0,0,0", "1,2,13102", "3,4,13101", "5,6,13101", "7,8,1312345"}),
        intake));
    EXPECT_EQ(names(list),
        (QStringList{QStringLiteral("東京都千代田区"), QStringLiteral("東京都中央区"), QStringLiteral("東京都五桁市")}));
    EXPECT_EQ(list.at(0)[AreaXColumn], QStringLiteral("3"));
    EXPECT_EQ(list.at(2)[CityCodeColumn], QStringLiteral("12345"));
    EXPECT_EQ(list.at(2)[CityNameColumn], QStringLiteral("五桁市"));

    SelectedAreaList towns;
    EXPECT_TRUE(takeAddressLines(towns, 3,
        lines({"0,0,0", "1,1,13101001002", "2,2,13101001001", "3,3,13101001002"}), {}));
    EXPECT_EQ(names(towns),
        (QStringList{QStringLiteral("東京都千代田区丸の内一丁目"), QStringLiteral("東京都千代田区丸の内二丁目")}));
    EXPECT_EQ(towns.at(0)[TownCodeColumn], QStringLiteral("1001"));
    EXPECT_EQ(towns.at(0)[TownNameColumn], QStringLiteral("丸の内一丁目"));
    EXPECT_EQ(towns.at(0)[CityCodeColumn], QStringLiteral("101"));
}

TEST_F(AddressIntakeTest, PassesOverBadLinesListedAreasAndOtherLevels)
{
    list.add(2, codes("13", "102"));
    EXPECT_TRUE(takeAddressLines(list, 2, lines({"0,0,0", "x,2,13101", "1,2", "1,y,13101", "1,2,", "1,2,1", "1,2,13-101", "1,2,13102"}), intake));
    EXPECT_EQ(list.size(), 1);
    EXPECT_TRUE(added.empty());

    for (int level : {-1, 0, 4}) {
        EXPECT_TRUE(takeAddressLines(list, level, lines({"0,0,0", "1,1,13101"}), intake));
        EXPECT_EQ(list.size(), 1) << level;
    }
    EXPECT_TRUE(takeAddressLines(list, 2, lines({"0,0,0"}), intake));
    EXPECT_EQ(list.size(), 1);
}

TEST_F(AddressIntakeTest, ACancelStopsAtOnceAndKeepsWhatWasAdded)
{
    int asked = 0;
    intake.cancelled = [&asked] { return ++asked > 2; };
    EXPECT_FALSE(
        takeAddressLines(list, 3, lines({"0,0,0", "1,1,13101001001", "2,2,13101001002", "3,3,13101"}), intake));
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(asked, 3);

    // Prefectures are taken without asking.
    SelectedAreaList prefectures;
    asked = 0;
    EXPECT_TRUE(takeAddressLines(prefectures, 1, lines({"0,0,0", "1,1,13", "2,2,14", "3,3,01"}), intake));
    EXPECT_EQ(prefectures.size(), 3);
    EXPECT_EQ(asked, 0);
}

} // namespace
