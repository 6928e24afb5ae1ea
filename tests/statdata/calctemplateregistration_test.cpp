// Registering a composed calculation template: name and field checks, the
// file written, the old file of a renamed template, and the read-back check.
#include "calcdatafixture.h"
#include "platform/analyzer/analyzerengine.h"
#include "platform/profile/profile.h"
#include "statdata/calctemplate.h"
#include "statdata/calctemplatemodel.h"
#include "statdata/calctemplateregistration.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/globals.h"

#include <QFile>
#include <gtest/gtest.h>

using veltra::analyzer::AnalyzerEngine;
using veltra::statdata::CalcRegistration;
using veltra::statdata::CalcRegistrationResult;
using veltra::statdata::CalcTemplateModel;
using veltra::statdata::calcTemplateNameRefusal;
using veltra::statdata::registerCalcTemplate;
using veltra::test::CalcDataFixture;

namespace {

const QString kIntro = QStringLiteral("計算式ﾌｧｲﾙ名称を用いてﾌｧｲﾙを作成します。\n");
const QString kSyntax = QStringLiteral("構文に間違いがあります！");
const QString kPopulation = QStringLiteral("{[市区町村][人口][総数]}");

class CalcRegistrationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gstrCalcTemplateFile = QStringLiteral("earlier.cal");
        model.setAnaRange(2);
        model.load(fixture.dataFolder());
    }

    // Field 1 of the shown grid: 人口/総数 "/" 100.
    void composeReferenceOverHundred()
    {
        model.chooseStatistics(static_cast<int>(model.statisticsNames().indexOf(QStringLiteral("人口"))));
        model.chooseDataKind(0);
        model.placeReference(0);
        model.placeOperator(3);
        model.setNumberText(QStringLiteral("100"));
        ASSERT_TRUE(model.commitNumber());
    }

    CalcRegistrationResult registerAs(const QString &name, const QString &openedPath = QString())
    {
        CalcRegistration request;
        request.name = name;
        request.explanation = QStringLiteral("説明");
        request.folder = fixture.templateFolder();
        request.openedPath = openedPath;
        request.areaType = 3;
        return registerCalcTemplate(model, request, engine);
    }

    QString pathOf(const QString &name) const
    {
        return fixture.templateFolder() + QStringLiteral("\\") + name + QStringLiteral(".cal");
    }
    QString localPathOf(const QString &name) const
    {
        return fixture.templateFolderLocal() + QStringLiteral("/") + name + QStringLiteral(".cal");
    }

    CalcDataFixture fixture;
    CalcTemplateModel model;
    AnalyzerEngine engine;
};

TEST(CalcTemplateName, RefusalsInTheirOrder)
{
    const QString forbidden
        = kIntro + QStringLiteral("ﾌｧｲﾙ名には、\\、/、:、*、?、\"、<、>、|\nを使用できません。");
    const QString folder200 = QString(100, QChar(u'統')); // 200 CP932 bytes
    const QString folder20 = QString(20, QChar(u'f'));
    struct Case
    {
        QString name;
        QString folder;
        QString message;
    };
    const Case cases[] = {
        {QString(), folder20, kIntro + QStringLiteral("ﾌｧｲﾙ名には、空欄は使用できません。\n")},
        {QStringLiteral("   "), folder20, kIntro + QStringLiteral("ﾌｧｲﾙ名には、空欄は使用できません。\n")},
        {QStringLiteral("a/b"), folder20, forbidden},
        {QStringLiteral("a\\b"), folder20, forbidden},
        {QStringLiteral("a:b"), folder20, forbidden},
        {QStringLiteral("*"), folder20, forbidden},
        {QStringLiteral("a?"), folder20, forbidden},
        {QStringLiteral("\"a\""), folder20, forbidden},
        {QStringLiteral("<a"), folder20, forbidden},
        {QStringLiteral("a>"), folder20, forbidden},
        {QStringLiteral("a|b"), folder20, forbidden},
        // A forbidden character is told before the length.
        {QString(300, QChar(u'a')) + QStringLiteral("/"), folder20, forbidden},
        // 200 + 1 + 40 + 4 + 16 > 255: at most 234 - 200 half-width characters.
        {QString(40, QChar(u'a')), folder200,
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で34文字までしか使用できません。\n")},
        {QString(34, QChar(u'a')), folder200, QString()},
        {QString(35, QChar(u'a')), folder200,
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で34文字までしか使用できません。\n")},
        {QString(17, QChar(u'統')), folder200, QString()}, // 34 bytes
        {QString(18, QChar(u'統')), folder200,
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で34文字までしか使用できません。\n")},
        // 90 kanji are 180 CP932 bytes (fits beside 20) but 270 UTF-8 bytes: no
        // Linux file name; the number fits both limits.
        {QString(90, QChar(u'統')), folder20,
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で214文字までしか使用できません。\n")},
        {QString(83, QChar(u'統')), folder20, QString()}, // 249 + 4 UTF-8 bytes
        {QString(84, QChar(u'統')), folder20,
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で214文字までしか使用できません。\n")},
        // Half-width katakana: 1 CP932 byte, 3 UTF-8 bytes.
        {QString(83, QChar(u'ｱ')), folder20, QString()},
        {QString(84, QChar(u'ｱ')), folder20,
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で214文字までしか使用できません。\n")},
        {QString(10, QChar(u'a')), QString(240, QChar(u'f')),
            kIntro + QStringLiteral("ﾌｧｲﾙ名には、半角で0文字までしか使用できません。\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(calcTemplateNameRefusal(c.name, c.folder), c.message);
    }
}

TEST_F(CalcRegistrationTest, ARefusedNameWritesNothingAndAsksForTheNameBox)
{
    composeReferenceOverHundred();
    const CalcRegistrationResult result = registerAs(QStringLiteral("人口/100"));
    EXPECT_FALSE(result.registered);
    EXPECT_TRUE(result.focusName);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(result.message.startsWith(kIntro));
    EXPECT_TRUE(veltra::test::entriesOf(fixture.templateFolderLocal()).isEmpty());
    EXPECT_EQ(gstrCalcTemplateFile, QStringLiteral("earlier.cal"));
}

TEST_F(CalcRegistrationTest, ATemplateIsWrittenReadBackAndBecomesTheCurrentOne)
{
    composeReferenceOverHundred();
    model.setFieldName(1, QStringLiteral("人口百分の一"));
    const CalcRegistrationResult result = registerAs(QStringLiteral("人口百分率"));
    EXPECT_TRUE(result.registered);
    EXPECT_EQ(result.message, QString());
    EXPECT_EQ(result.path, pathOf(QStringLiteral("人口百分率")));
    EXPECT_EQ(gstrCalcTemplateFile, result.path);
    const QString file = localPathOf(QStringLiteral("人口百分率"));
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(file), 1);
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 1), kPopulation + QStringLiteral("/100"));
    const auto tmpl = veltra::statdata::readCalcTemplate(file);
    EXPECT_EQ(tmpl.comment, QStringLiteral("説明"));
    EXPECT_EQ(tmpl.areaType, 3);
    ASSERT_EQ(tmpl.fields.size(), 1u);
    EXPECT_EQ(tmpl.fields[0].name, QStringLiteral("人口百分の一"));
    EXPECT_EQ(tmpl.fields[0].files,
        (std::vector<QString>{fixture.itemList(QStringLiteral("人口")), QString(), QString()}));
    EXPECT_EQ(engine.VariableCount(), 0); // cleared
}

TEST_F(CalcRegistrationTest, FieldChecksInTheirOrder)
{
    struct Case
    {
        const char *what;
        std::function<void(CalcTemplateModel &)> compose;
        QString message;
    };
    const auto reference = [](CalcTemplateModel &m) {
        m.chooseStatistics(static_cast<int>(m.statisticsNames().indexOf(QStringLiteral("人口"))));
        m.chooseDataKind(0);
        m.placeReference(0);
    };
    const Case cases[] = {
        {"no field holds tokens", [](CalcTemplateModel &) {},
            QStringLiteral("いづれかのﾌｨｰﾙﾄﾞ名称が記載されていません。")},
        {"an emptied field",
            [](CalcTemplateModel &m) {
                m.placeOperator(0);
                m.clearField();
            },
            QStringLiteral("いづれかのﾌｨｰﾙﾄﾞ名称が記載されていません。")},
        {"the second of two fields has no name",
            [&](CalcTemplateModel &m) {
                reference(m);
                m.placeOperator(0);
                m.chooseField(4);
                m.placeOperator(0);
            },
            QStringLiteral("2ﾌｨｰﾙﾄﾞ中、いづれかのﾌｨｰﾙﾄﾞ名称が記載されていません。")},
        {"the shown field holds only a reference", [&](CalcTemplateModel &m) { reference(m); },
            QStringLiteral("計算項目が記載されていません。")},
        {"a closing parenthesis is no operator",
            [&](CalcTemplateModel &m) {
                reference(m);
                m.placeOperator(7);
            },
            QStringLiteral("計算項目が記載されていません。")},
        {"the shown field fails the syntax check",
            [&](CalcTemplateModel &m) {
                reference(m);
                m.placeOperator(0);
            },
            kSyntax},
        {"the other field holds the operator, the shown one not",
            [&](CalcTemplateModel &m) {
                reference(m);
                m.placeOperator(0);
                m.setNumberText(QStringLiteral("1"));
                m.commitNumber();
                m.chooseField(2);
                m.setFieldName(2, QStringLiteral("x"));
                reference(m);
            },
            QStringLiteral("計算項目が記載されていません。")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CalcTemplateModel m;
        m.setAnaRange(2);
        m.load(fixture.dataFolder());
        c.compose(m);
        CalcRegistration request;
        request.name = QStringLiteral("t");
        request.folder = fixture.templateFolder();
        const CalcRegistrationResult result = registerCalcTemplate(m, request, engine);
        EXPECT_EQ(result.message, c.message);
        EXPECT_FALSE(result.registered);
        EXPECT_FALSE(result.focusName);
        EXPECT_FALSE(result.written);
        EXPECT_FALSE(QFile::exists(localPathOf(QStringLiteral("t"))));
        EXPECT_EQ(gstrCalcTemplateFile, QStringLiteral("earlier.cal"));
        EXPECT_EQ(engine.VariableCount(), 0);
    }
}

TEST_F(CalcRegistrationTest, FieldsAreNumberedDenselyWithTheirOwnNames)
{
    model.setNumberText(QStringLiteral("1"));
    model.commitNumber();
    model.placeOperator(0);
    model.setNumberText(QStringLiteral("2"));
    model.commitNumber();
    model.setFieldName(1, QStringLiteral("一"));
    model.setFieldName(2, QStringLiteral("二は空"));
    model.chooseField(3);
    model.setFieldName(3, QStringLiteral("三"));
    model.setNumberText(QStringLiteral("3"));
    model.commitNumber(); // on row 2: row 1 of field 3 stays empty
    model.placeOperator(2);
    model.setNumberText(QStringLiteral("4"));
    model.commitNumber();
    const CalcRegistrationResult result = registerAs(QStringLiteral("三つ"));
    ASSERT_TRUE(result.registered) << result.message.toStdString();
    const QString file = localPathOf(QStringLiteral("三つ"));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(file), 2);
    const auto read = [&file](const char *section, const char *key) {
        return veltra::profile::getString(QString::fromLatin1(section), QString::fromLatin1(key), {}, file);
    };
    EXPECT_EQ(read("Calc1", "Name"), QStringLiteral("一"));
    EXPECT_EQ(read("Calc1", "Cnt"), QStringLiteral("3"));
    EXPECT_EQ(read("Calc2", "Name"), QStringLiteral("三"));
    EXPECT_EQ(read("Calc2", "Cnt"), QStringLiteral("3")); // the empty first row is no token
    EXPECT_EQ(read("Calc2", "Data1"), QStringLiteral("3"));
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 2), QStringLiteral("3*4"));
    EXPECT_FALSE(veltra::profile::sectionNames(file).contains(QStringLiteral("Calc3")));
}

TEST_F(CalcRegistrationTest, AnInvalidStoredFieldIsWrittenAndReportedWithTheWindowOpen)
{
    model.setNumberText(QStringLiteral("1"));
    model.commitNumber();
    model.placeOperator(0); // field 1: "1+" is no expression
    model.setFieldName(1, QStringLiteral("壊れた"));
    model.chooseField(2);
    model.setFieldName(2, QStringLiteral("正しい"));
    composeReferenceOverHundred(); // shown field 2 is valid
    const CalcRegistrationResult result = registerAs(QStringLiteral("半分"));
    EXPECT_FALSE(result.registered);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.message, kSyntax);
    EXPECT_FALSE(result.focusName);
    EXPECT_TRUE(QFile::exists(localPathOf(QStringLiteral("半分"))));
    EXPECT_EQ(gstrCalcTemplateFile, pathOf(QStringLiteral("半分")));
    EXPECT_EQ(engine.VariableCount(), 0);
}

TEST_F(CalcRegistrationTest, AddingUnderAnExistingNameOverwritesIt)
{
    veltra::test::writeTextFile(localPathOf(QStringLiteral("既存")),
        {QStringLiteral("[Subject]"), QStringLiteral("FieldCnt=2"), QStringLiteral("[Calc1]"),
            QStringLiteral("Cnt=1"), QStringLiteral("Name=古い"), QStringLiteral("Data1=9"),
            QStringLiteral("[Calc2]"), QStringLiteral("Cnt=1"), QStringLiteral("Data1=8")});
    composeReferenceOverHundred();
    const CalcRegistrationResult result = registerAs(QStringLiteral("既存"));
    ASSERT_TRUE(result.registered) << result.message.toStdString();
    const QString file = localPathOf(QStringLiteral("既存"));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(file), 1);
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 1), kPopulation + QStringLiteral("/100"));
    EXPECT_EQ(veltra::profile::getString(QStringLiteral("Calc1"), QStringLiteral("Name"), {}, file),
        QStringLiteral("市区町村_人口_総数"));
}

TEST_F(CalcRegistrationTest, TheOldFileGoesOnlyWhenARenamedTemplateWasWritten)
{
    struct Case
    {
        const char *what;
        const char *oldName;
        const char *newName;
        bool breakWrite; // an explanation CP932 cannot hold
        bool oldRemains;
        bool newExists;
    };
    const Case cases[] = {
        {"renamed", "旧", "新", false, false, true},
        {"in place", "同じ", "同じ", false, true, true},
        {"a case change the file system resolves to the same file", "Abc", "abc", false, true, false},
        {"renamed but not written", "旧", "新", true, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CalcDataFixture data;
        CalcTemplateModel m;
        m.setAnaRange(2);
        m.load(data.dataFolder());
        m.setNumberText(QStringLiteral("1"));
        m.commitNumber();
        m.placeOperator(0);
        m.setNumberText(QStringLiteral("2"));
        m.commitNumber();
        m.setFieldName(1, QStringLiteral("f"));
        const QString oldLocal = data.templateFolderLocal() + QStringLiteral("/")
            + QString::fromUtf8(c.oldName) + QStringLiteral(".cal");
        const QString newLocal = data.templateFolderLocal() + QStringLiteral("/")
            + QString::fromUtf8(c.newName) + QStringLiteral(".cal");
        veltra::test::writeTextFile(oldLocal, {QStringLiteral("[Subject]"), QStringLiteral("FieldCnt=0")});
        gstrCalcTemplateFile = QStringLiteral("earlier.cal");

        CalcRegistration request;
        request.name = QString::fromUtf8(c.newName);
        request.folder = data.templateFolder();
        request.openedPath = data.templateFolder() + QStringLiteral("\\") + QString::fromUtf8(c.oldName)
            + QStringLiteral(".cal");
        request.explanation = c.breakWrite ? QStringLiteral("説明😀") : QStringLiteral("説明");
        const CalcRegistrationResult result = registerCalcTemplate(m, request, engine);

        EXPECT_EQ(result.registered, !c.breakWrite) << result.message.toStdString();
        EXPECT_EQ(QFile::exists(oldLocal), c.oldRemains);
        EXPECT_EQ(QFile::exists(newLocal), c.newExists);
        if (c.breakWrite) {
            EXPECT_FALSE(result.written);
            EXPECT_FALSE(result.message.isEmpty());
            EXPECT_EQ(gstrCalcTemplateFile, QStringLiteral("earlier.cal"));
            EXPECT_EQ(veltra::test::entriesOf(data.templateFolderLocal()),
                QStringList{QString::fromUtf8(c.oldName) + QStringLiteral(".cal")});
        } else {
            // Whatever the spelling, the template is there with its field.
            EXPECT_EQ(ComCaldoraTable::GetFieldCnt(result.path), 1);
            EXPECT_EQ(gstrCalcTemplateFile, result.path);
        }
    }
}

TEST_F(CalcRegistrationTest, AMissingTemplateFolderIsToldAndNothingElseChanges)
{
    composeReferenceOverHundred();
    CalcRegistration request;
    request.name = QStringLiteral("t");
    request.folder = fixture.dataFolder() + QStringLiteral("計算ﾃﾝﾌﾟﾚｰﾄ\\町丁字");
    const CalcRegistrationResult result = registerCalcTemplate(model, request, engine);
    EXPECT_FALSE(result.registered);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(result.message.contains(QStringLiteral("町丁字")));
    EXPECT_EQ(gstrCalcTemplateFile, QStringLiteral("earlier.cal"));
}

} // namespace
