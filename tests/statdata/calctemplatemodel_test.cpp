// The calculation-template editor's state without a window: item lists,
// placing tokens, field names, the number box, the token grid and loading.
#include "calcdatafixture.h"
#include "platform/vb/errors.h"
#include "statdata/calctemplate.h"
#include "statdata/calctemplatemodel.h"

#include <gtest/gtest.h>

using veltra::statdata::CalcField;
using veltra::statdata::CalcTemplate;
using veltra::statdata::CalcTemplateModel;
using veltra::statdata::makeFieldName;
using veltra::test::CalcDataFixture;

namespace {

const QString kPopulation = QStringLiteral("{[市区町村][人口][総数]}");

int indexOf(const QStringList &list, const QString &text)
{
    return static_cast<int>(list.indexOf(text));
}

// A model on the fixture at the municipality level with 人口 / 市区町村 /
// the data kind chosen.
void choose(CalcTemplateModel &model, const QString &statistics, const QString &kind)
{
    model.chooseStatistics(indexOf(model.statisticsNames(), statistics));
    ASSERT_EQ(model.areaUnits(), QStringList{QStringLiteral("市区町村")});
    model.chooseDataKind(indexOf(model.dataKinds(), kind));
}

class CalcTemplateModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        model.setAnaRange(2);
        model.load(fixture.dataFolder());
    }

    void typeAll(const QString &text)
    {
        for (const QChar c : text)
            model.typeNumberChar(c);
    }

    CalcDataFixture fixture;
    CalcTemplateModel model;
};

TEST_F(CalcTemplateModelTest, StatisticsNamesComeFromTheYearFileAfterAnEmptyEntry)
{
    EXPECT_EQ(model.statisticsNames(),
        (QStringList{QString(), QStringLiteral("統計"), QStringLiteral("人口"), QStringLiteral("人口2015"),
            QStringLiteral("町丁字のみ")}));
    EXPECT_TRUE(model.areaUnits().isEmpty());
    EXPECT_FALSE(model.areaUnitsEnabled());
    EXPECT_FALSE(model.dataKindsEnabled());
    EXPECT_FALSE(model.itemsEnabled());
}

TEST_F(CalcTemplateModelTest, AMissingYearFileFailsTheLoad)
{
    CalcTemplateModel other;
    EXPECT_THROW(other.load(fixture.dir.path() + QStringLiteral("nowhere/")), veltra::vb::FileError);
}

TEST_F(CalcTemplateModelTest, ListsFollowTheChoicesAndStopAtTheFirstEmptyEntry)
{
    model.chooseStatistics(indexOf(model.statisticsNames(), QStringLiteral("人口")));
    EXPECT_EQ(model.itemListFile(), fixture.itemList(QStringLiteral("人口")));
    // Only the unit of the area level is offered, and it is chosen.
    EXPECT_EQ(model.areaUnits(), QStringList{QStringLiteral("市区町村")});
    EXPECT_EQ(model.areaUnitIndex(), 0);
    EXPECT_TRUE(model.areaUnitsEnabled());
    EXPECT_EQ(model.dataKinds(), (QStringList{QStringLiteral("人口"), QStringLiteral("0-4歳")}));
    EXPECT_TRUE(model.dataKindsEnabled());
    EXPECT_EQ(model.dataKindIndex(), -1);
    EXPECT_TRUE(model.items().isEmpty());
    model.chooseDataKind(0);
    // Items are the first comma field, quotes respected.
    EXPECT_EQ(model.items(), (QStringList{QStringLiteral("総数"), QStringLiteral("男,女計")}));
    EXPECT_TRUE(model.itemsEnabled());

    model.setAnaRange(1);
    model.chooseStatistics(indexOf(model.statisticsNames(), QStringLiteral("人口")));
    EXPECT_EQ(model.areaUnits(), QStringList{QStringLiteral("都道府県")});
    EXPECT_TRUE(model.items().isEmpty());
}

TEST_F(CalcTemplateModelTest, ListsWithoutTheLevelsUnitOrWithoutAFileStayEmptyAndDisabled)
{
    for (const QString &statistics : {QStringLiteral("町丁字のみ"), QStringLiteral("統計"), QString()}) {
        SCOPED_TRACE(statistics.toStdString());
        choose(model, QStringLiteral("人口"), QStringLiteral("人口")); // lists filled first
        model.chooseStatistics(indexOf(model.statisticsNames(), statistics));
        EXPECT_TRUE(model.areaUnits().isEmpty());
        EXPECT_TRUE(model.dataKinds().isEmpty());
        EXPECT_TRUE(model.items().isEmpty());
        EXPECT_FALSE(model.areaUnitsEnabled());
        EXPECT_FALSE(model.dataKindsEnabled());
        EXPECT_FALSE(model.itemsEnabled());
        model.placeReference(0);
        EXPECT_EQ(model.expression(), QString());
    }
    // A level without a unit name offers nothing either.
    model.setAnaRange(7);
    model.chooseStatistics(indexOf(model.statisticsNames(), QStringLiteral("人口")));
    EXPECT_TRUE(model.areaUnits().isEmpty());
    EXPECT_FALSE(model.areaUnitsEnabled());
}

TEST_F(CalcTemplateModelTest, DoubleClickingAnItemPlacesTheReferenceWithItsFileAndNamesTheField)
{
    choose(model, QStringLiteral("人口"), QStringLiteral("人口"));
    model.placeReference(0);
    EXPECT_EQ(model.token(1), kPopulation);
    EXPECT_EQ(model.tokenFile(1), fixture.itemList(QStringLiteral("人口")));
    EXPECT_EQ(model.storedToken(0, 1), kPopulation);
    EXPECT_EQ(model.fieldName(1), QStringLiteral("市区町村_人口_総数"));
    EXPECT_EQ(model.cursorRow(), 2);
    EXPECT_EQ(model.expression(), kPopulation);

    // Operators and numbers record no file, and a later reference keeps the
    // name already given.
    model.placeOperator(3);
    EXPECT_EQ(model.tokenFile(2), QString());
    model.chooseDataKind(1);
    model.placeReference(0);
    EXPECT_EQ(model.token(3), QStringLiteral("{[市区町村][0-4歳][総数]}"));
    EXPECT_EQ(model.tokenFile(3), fixture.itemList(QStringLiteral("人口")));
    EXPECT_EQ(model.fieldName(1), QStringLiteral("市区町村_人口_総数"));
    EXPECT_EQ(model.expression(), kPopulation + QStringLiteral("/{[市区町村][0-4歳][総数]}"));
}

TEST_F(CalcTemplateModelTest, TheAutomaticNameReplacesOnlyAnEmptyOrSixCharacterFieldName)
{
    struct Case
    {
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {"", "市区町村_0～4歳_総数"},
        {"Field1", "市区町村_0～4歳_総数"},
        {"FieldX", "市区町村_0～4歳_総数"},
        {"Field10", "Field10"}, // seven characters
        {"field1", "field1"}, // case-sensitive
        {"人口", "人口"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        CalcTemplateModel m;
        m.setAnaRange(2);
        m.load(fixture.dataFolder());
        choose(m, QStringLiteral("人口"), QStringLiteral("0-4歳"));
        if (*c.before) {
            // The name editor trims and keeps these names as typed.
            m.setFieldName(1, QString::fromUtf8(c.before));
            ASSERT_EQ(m.fieldName(1), QString::fromUtf8(c.before));
        }
        m.placeReference(0);
        EXPECT_EQ(m.fieldName(1), QString::fromUtf8(c.after));
    }
}

TEST(CalcFieldName, MadeByTheNameRules)
{
    struct Case
    {
        QString text;
        QString name;
    };
    const QString fullWidth40 = QString(40, QChar(u'統'));
    const Case cases[] = {
        {QStringLiteral("[市区町村][人口][総数]"), QStringLiteral("市区町村_人口_総数")},
        {QStringLiteral("[市区町村][0-4歳][総数]"), QStringLiteral("市区町村_0～4歳_総数")},
        {QStringLiteral("a.b  c"), QStringLiteral("a_b_c")},
        {QStringLiteral("a   b"), QStringLiteral("a__b")},
        {QStringLiteral("a    b"), QStringLiteral("a__b")},
        {QStringLiteral("  x!y'z  "), QStringLiteral("x_y_z")},
        {fullWidth40, QString(32, QChar(u'統'))},
        {QString(70, QChar(u'a')), QString(64, QChar(u'a'))},
        {QStringLiteral("a") + QString(40, QChar(u'統')), QStringLiteral("a") + QString(31, QChar(u'統'))},
        {QStringLiteral("  "), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(makeFieldName(c.text), c.name);
    }
}

TEST_F(CalcTemplateModelTest, TheNumberBoxFiltersEachCharacter)
{
    struct Case
    {
        const char *typed;
        const char *box;
    };
    const Case cases[] = {
        {"123456789", "12345678"}, // the ninth digit is dropped
        {"12.5.", "12.5"}, // a second decimal point is dropped
        {"1234.56789", "1234.5678"}, // the point is no digit
        {".5", ".5"}, {"1a2,3", "123"}, // letters and "," are dropped
        {"12\b3", "13"}, // backspace
        {"1 2", "1 2"}, // a blank is accepted
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        CalcTemplateModel m;
        for (const char ch : std::string(c.typed))
            m.typeNumberChar(QChar(ch));
        EXPECT_EQ(m.numberText(), QString::fromLatin1(c.box));
        EXPECT_EQ(m.expression(), QString()); // nothing placed
        // The same text pasted or edited in place passes the same filter.
        if (std::string(c.typed).find('\b') == std::string::npos) {
            m.setNumberText(QString::fromLatin1(c.typed));
            EXPECT_EQ(m.numberText(), QString::fromLatin1(c.box));
        }
    }
}

TEST_F(CalcTemplateModelTest, PadAndTypedOperatorsPlaceTokensAndLeaveTheWaitingNumber)
{
    typeAll(QStringLiteral("100"));
    model.placeOperator(0); // "＋" of the pad
    EXPECT_EQ(model.numberText(), QStringLiteral("100"));
    EXPECT_EQ(model.token(1), QStringLiteral("+"));
    // Typed operators place the same tokens; "," is dropped.
    typeAll(QStringLiteral("-*/():,"));
    EXPECT_EQ(model.numberText(), QStringLiteral("100"));
    for (int r = 2; r <= 7; ++r)
        EXPECT_EQ(model.tokenFile(r), QString());
    EXPECT_EQ(model.expression(), QStringLiteral("+-*/():"));
    model.placeOperator(4);
    EXPECT_EQ(model.token(8), QStringLiteral("SUM("));
    // Enter commits the number as a token of its own.
    model.typeNumberChar(u'\r');
    EXPECT_EQ(model.numberText(), QString());
    EXPECT_EQ(model.token(9), QStringLiteral("100"));
    EXPECT_EQ(model.cursorRow(), 10);
}

TEST_F(CalcTemplateModelTest, OnlyANumberIsCommitted)
{
    for (const QString &text :
        {QString(), QStringLiteral("  "), QStringLiteral("."), QStringLiteral("1 2")}) {
        SCOPED_TRACE(text.toStdString());
        model.setNumberText(text);
        EXPECT_FALSE(model.commitNumber());
        EXPECT_EQ(model.expression(), QString());
    }
    model.setNumberText(QStringLiteral(" 12.5 "));
    EXPECT_TRUE(model.commitNumber());
    EXPECT_EQ(model.token(1), QStringLiteral("12.5"));
    EXPECT_EQ(model.numberText(), QString());
}

TEST_F(CalcTemplateModelTest, PlacingOnTheLastRowAddsOneRow)
{
    ASSERT_EQ(model.tokenRows(), 20);
    ASSERT_EQ(model.storeRows(), 2);
    for (int r = 1; r < 19; ++r)
        model.placeOperator(0);
    EXPECT_EQ(model.cursorRow(), 19);
    EXPECT_EQ(model.tokenRows(), 20);
    EXPECT_EQ(model.storeRows(), 20);
    model.placeOperator(1); // on the last row
    EXPECT_EQ(model.tokenRows(), 21);
    EXPECT_EQ(model.storeRows(), 21);
    EXPECT_EQ(model.cursorRow(), 20);
    EXPECT_EQ(model.token(19), QStringLiteral("-"));
    model.placeOperator(1);
    EXPECT_EQ(model.tokenRows(), 22);
    EXPECT_EQ(model.storeRows(), 22);
}

TEST_F(CalcTemplateModelTest, ChoosingAFieldShowsItsStoreWithTheCursorOnRowTwo)
{
    model.placeOperator(0);
    model.chooseField(12); // no store behind rows 11 to 20
    EXPECT_EQ(model.fieldRow(), 1);
    EXPECT_EQ(model.token(1), QStringLiteral("+"));
    EXPECT_EQ(model.cursorRow(), 2);
    model.chooseField(0);
    EXPECT_EQ(model.fieldRow(), 1);

    model.chooseField(3);
    EXPECT_EQ(model.fieldRow(), 3);
    EXPECT_EQ(model.cursorRow(), 2);
    EXPECT_EQ(model.expression(), QString());
    model.placeOperator(2);
    EXPECT_EQ(model.storedToken(2, 2), QStringLiteral("*"));
    EXPECT_EQ(model.storedToken(0, 1), QStringLiteral("+"));
    model.chooseField(1);
    EXPECT_EQ(model.expression(), QStringLiteral("+"));
    model.chooseField(10);
    EXPECT_EQ(model.fieldRow(), 10);
    model.chooseField(11);
    EXPECT_EQ(model.fieldRow(), 10);
}

TEST_F(CalcTemplateModelTest, InsertDeleteAndClearMoveTokensWithTheirFiles)
{
    choose(model, QStringLiteral("人口"), QStringLiteral("人口"));
    model.placeReference(0); // 1
    model.placeOperator(3); // 2 "/"
    model.typeNumberChar(u'7');
    model.commitNumber(); // 3 "7"
    const QString file = fixture.itemList(QStringLiteral("人口"));

    model.setCursor(1);
    model.insertToken();
    EXPECT_EQ(model.token(1), QString());
    EXPECT_EQ(model.tokenFile(1), QString());
    EXPECT_EQ(model.token(2), kPopulation);
    EXPECT_EQ(model.tokenFile(2), file);
    EXPECT_EQ(model.token(4), QStringLiteral("7"));
    EXPECT_EQ(model.expression(), kPopulation + QStringLiteral("/7"));
    model.placeOperator(6); // fills the opened row
    EXPECT_EQ(model.expression(), QStringLiteral("(") + kPopulation + QStringLiteral("/7"));

    model.setCursor(3);
    model.deleteToken(); // the "/"
    EXPECT_EQ(model.token(3), QStringLiteral("7"));
    EXPECT_EQ(model.token(2), kPopulation);
    EXPECT_EQ(model.tokenFile(2), file);
    EXPECT_EQ(model.expression(), QStringLiteral("(") + kPopulation + QStringLiteral("7"));
    model.setCursor(1);
    model.deleteToken();
    EXPECT_EQ(model.tokenFile(1), file);
    EXPECT_EQ(model.tokenFile(2), QString());

    // A token pushed onto the last row makes the next insertion add a row.
    model.clearField();
    const int rows = model.tokenRows();
    model.setCursor(rows - 2);
    model.placeOperator(0);
    EXPECT_EQ(model.tokenRows(), rows);
    model.setCursor(1);
    model.insertToken();
    EXPECT_EQ(model.tokenRows(), rows); // the last row was empty
    EXPECT_EQ(model.token(rows - 1), QStringLiteral("+"));
    model.insertToken();
    EXPECT_EQ(model.tokenRows(), rows + 1);
    EXPECT_EQ(model.token(rows), QStringLiteral("+"));
    EXPECT_GE(model.storeRows(), model.tokenRows());

    model.clearField();
    EXPECT_EQ(model.expression(), QString());
    EXPECT_EQ(model.cursorRow(), 1);
    for (int r = 1; r < model.storeRows(); ++r) {
        EXPECT_EQ(model.storedToken(0, r), QString());
        EXPECT_EQ(model.storedFile(0, r), QString());
    }
}

TEST_F(CalcTemplateModelTest, ClearingOneFieldLeavesTheOthers)
{
    model.placeOperator(0);
    model.chooseField(2);
    model.placeOperator(1);
    model.clearField();
    EXPECT_EQ(model.storedToken(1, 2), QString());
    EXPECT_EQ(model.storedToken(0, 1), QStringLiteral("+"));
    EXPECT_EQ(model.fieldsHoldingTokens(), std::vector<int>{0});
}

// A template whose references come from the given statistics.
QString writeTemplate(const CalcDataFixture &fixture, const QString &statistics, int fields = 1)
{
    CalcTemplate tmpl;
    for (int k = 1; k <= fields; ++k) {
        tmpl.fields.push_back(CalcField{QStringLiteral("f%1").arg(k),
            {QStringLiteral("{[市区町村][人口][総数]}"), QStringLiteral("/"), QString::number(k)},
            {fixture.itemList(statistics), QString(), QString()}});
    }
    const QString path = fixture.templateFolderLocal() + QStringLiteral("/t.cal");
    EXPECT_TRUE(veltra::statdata::writeCalcTemplate(path, tmpl));
    return path;
}

TEST_F(CalcTemplateModelTest, LoadingATemplateShowsFieldOneAndChoosesItsStatistics)
{
    const QString path = writeTemplate(fixture, QStringLiteral("人口"), 3);
    model.loadTemplate(path);
    EXPECT_EQ(model.fieldName(1), QStringLiteral("f1"));
    EXPECT_EQ(model.fieldName(3), QStringLiteral("f3"));
    EXPECT_EQ(model.fieldName(4), QString());
    EXPECT_EQ(model.fieldRow(), 1);
    EXPECT_EQ(model.cursorRow(), 1);
    EXPECT_EQ(model.expression(), kPopulation + QStringLiteral("/1"));
    EXPECT_EQ(model.storedToken(2, 3), QStringLiteral("3"));
    EXPECT_EQ(model.tokenFile(1), fixture.itemList(QStringLiteral("人口")));
    EXPECT_EQ(model.statisticsNames().value(model.statisticsIndex()), QStringLiteral("人口"));
    EXPECT_EQ(model.areaUnits(), QStringList{QStringLiteral("市区町村")});
    EXPECT_TRUE(model.dataKindsEnabled());
    model.chooseField(3);
    EXPECT_EQ(model.expression(), kPopulation + QStringLiteral("/3"));
}

TEST_F(CalcTemplateModelTest, TheStatisticsOfAReferenceIsItsItemListsOwnName)
{
    // 統計 is also the data folder's name and 人口 is part of 人口2015: both
    // occur in the path, only the base name tells.
    for (const QString &statistics : {QStringLiteral("人口2015"), QStringLiteral("人口")}) {
        SCOPED_TRACE(statistics.toStdString());
        CalcTemplateModel loaded;
        loaded.setAnaRange(2);
        loaded.load(fixture.dataFolder());
        loaded.loadTemplate(writeTemplate(fixture, statistics));
        EXPECT_EQ(loaded.statisticsNames().value(loaded.statisticsIndex()), statistics);
        loaded.chooseDataKind(0);
        EXPECT_EQ(loaded.items().value(0),
            statistics == QStringLiteral("人口") ? QStringLiteral("総数") : QStringLiteral("総数2015"));
        // A new reference records the same item list.
        loaded.setCursor(4);
        loaded.placeReference(0);
        EXPECT_EQ(loaded.tokenFile(4), fixture.itemList(statistics));
    }
}

TEST_F(CalcTemplateModelTest, ClickingAReferenceBringsBackItsLists)
{
    choose(model, QStringLiteral("人口2015"), QStringLiteral("人口"));
    model.placeReference(0);
    choose(model, QStringLiteral("人口"), QStringLiteral("人口"));
    model.placeReference(0);
    model.setCursor(1);
    EXPECT_EQ(model.statisticsNames().value(model.statisticsIndex()), QStringLiteral("人口2015"));
    EXPECT_EQ(model.itemListFile(), fixture.itemList(QStringLiteral("人口2015")));
    model.setCursor(2);
    EXPECT_EQ(model.statisticsNames().value(model.statisticsIndex()), QStringLiteral("人口"));
}

TEST_F(CalcTemplateModelTest, AnOlderItemListNameFallsBackToANameInsideThePath)
{
    CalcTemplate tmpl;
    tmpl.fields.push_back(
        CalcField{QStringLiteral("f"), {kPopulation}, {fixture.etc() + QStringLiteral("人口2015/旧.txt")}});
    const QString path = fixture.templateFolderLocal() + QStringLiteral("/old.cal");
    ASSERT_TRUE(veltra::statdata::writeCalcTemplate(path, tmpl));
    model.loadTemplate(path);
    // 統計 (the data folder) is the first name inside the path.
    EXPECT_EQ(model.statisticsNames().value(model.statisticsIndex()), QStringLiteral("統計"));
}

TEST_F(CalcTemplateModelTest, ATemplateOfMoreThanTenFieldsIsNotLoaded)
{
    model.placeOperator(0);
    EXPECT_THROW(model.loadTemplate(writeTemplate(fixture, QStringLiteral("人口"), 11)),
        veltra::vb::SubscriptOutOfRange);
    EXPECT_EQ(model.expression(), QStringLiteral("+")); // unchanged
    EXPECT_NO_THROW(model.loadTemplate(writeTemplate(fixture, QStringLiteral("人口"), 10)));
    EXPECT_EQ(model.fieldName(10), QStringLiteral("f10"));
}

TEST_F(CalcTemplateModelTest, AMissingOrMalformedItemListLeavesTheListsEmptyAndDisabled)
{
    veltra::test::writeTextFile(fixture.etc() + QStringLiteral("人口.txt"),
        {QStringLiteral("ﾃﾞｰﾀ種類"), QStringLiteral("Entry1=市区町村"), QStringLiteral("[市区町村")});
    model.chooseStatistics(indexOf(model.statisticsNames(), QStringLiteral("人口")));
    EXPECT_TRUE(model.areaUnits().isEmpty());
    EXPECT_FALSE(model.areaUnitsEnabled());
    EXPECT_FALSE(model.dataKindsEnabled());
    EXPECT_FALSE(model.itemsEnabled());
}

} // namespace
