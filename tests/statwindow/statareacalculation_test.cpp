// Calculation templates evaluated per area with the real analyzer: the field
// count rules and their messages, the pairing of pieces with variables, the
// per-area status (a "-" reference, a division by zero) and the number of
// code characters by level.
#include "platform/analyzer/analyzerengine.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "statwindow/globals.h"
#include "statwindow/statareacalculation.h"
#include "statwindow/statareareader.h"
#include "statwindowfixture.h"

using namespace veltra::statwindow;
using veltra::test::entry;

namespace {

const QString kTotalP = QStringLiteral("{[都道府県][人口P][総数]}");
const QString kAreaP = QStringLiteral("{[都道府県][人口P][面積]}");
const QString kTotalC = QStringLiteral("{[市区町村][人口C][総数]}");
const QString kAreaC = QStringLiteral("{[市区町村][人口C][面積]}");

class StatAreaCalculationTest : public veltra::test::StatWindowFixture
{
protected:
    void SetUp() override
    {
        StatWindowFixture::SetUp();
        const QString root = QString(dir.path()).replace(u'/', u'\\');
        m_itemList = root + QStringLiteral("etc\\人口.txt");
        write(m_itemList,
            {QStringLiteral("[ﾃﾞｰﾀ種類]"), QStringLiteral("Entry1=都道府県"), QStringLiteral("Entry2=市区町村"),
                QStringLiteral("[都道府県]"), QStringLiteral("Path=") + root + QStringLiteral("etc\\人口\\都道府県"),
                QStringLiteral("Entry1=人口P"), QStringLiteral("[市区町村]"),
                QStringLiteral("Path=") + root + QStringLiteral("etc\\人口\\市区町村"), QStringLiteral("Entry1=人口C"),
                QStringLiteral("[人口P]"), QStringLiteral("Entry1=総数"), QStringLiteral("Entry2=面積"),
                QStringLiteral("[人口C]"), QStringLiteral("Entry1=総数"), QStringLiteral("Entry2=面積")});
        write(root + QStringLiteral("etc\\人口\\都道府県\\人口P\\PREF.TXT"),
            {QStringLiteral("CODE,総数,面積"), QStringLiteral("1,100,4"), QStringLiteral("13,1300,0"),
                QStringLiteral("14,-,10")});
        const QString city = indexedFolder(QStringLiteral("etc/人口/市区町村/人口C"), {QStringLiteral("13")});
        write(city + QStringLiteral("\\13.txt"),
            {QStringLiteral("CODE,総数,面積"), QStringLiteral("13999,5,1"), QStringLiteral("1312300,99,1"),
                QStringLiteral("1312345,8,2")});
    }

    // A template with the field count and the pieces of field 1; each
    // reference piece names the item list.
    QString writeTemplate(const QString &name, const QString &fieldCnt, const QStringList &pieces)
    {
        const QString path = dir.path() + name + QStringLiteral(".cal");
        QStringList lines{QStringLiteral("[Subject]"), QStringLiteral("FieldCnt=") + fieldCnt,
            QStringLiteral("[Calc1]"), QStringLiteral("Cnt=%1").arg(pieces.size())};
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            lines << QStringLiteral("Data%1=%2").arg(i + 1).arg(pieces[i]);
            if (pieces[i].startsWith(u'{'))
                lines << QStringLiteral("File%1=%2").arg(i + 1).arg(m_itemList);
        }
        write(path, lines);
        return path;
    }

    static QStringList prompts(const veltra::ui::DialogScript &script)
    {
        QStringList out;
        for (const auto &request : script.requests())
            out << request.prompt;
        return out;
    }

    veltra::analyzer::AnalyzerEngine engine;
    StatAreaCalculation calculation{engine};
    QString m_itemList;
};

TEST_F(StatAreaCalculationTest, FieldCountsAndSyntax)
{
    struct Case
    {
        const char *name;
        QString fieldCnt;
        QStringList pieces;
        bool result;
        QString message;
    };
    const Case cases[] = {
        {"FieldCnt -1 counts as one field", QStringLiteral("-1"), {kTotalP, QStringLiteral("/"), kAreaP}, true, {}},
        {"no field", QStringLiteral("0"), {kTotalP}, false, QString::fromUtf16(kNoFieldMessage)},
        {"two fields", QStringLiteral("2"), {kTotalP}, false, QString::fromUtf16(kManyFieldsMessage)},
        {"syntax error", QStringLiteral("1"), {kTotalP, QStringLiteral("/")}, false,
            QString::fromUtf16(kSyntaxMessage)},
        {"no references", QStringLiteral("1"), {QStringLiteral("1+2")}, true, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        veltra::ui::DialogScript script;
        StatAreaReader reader(db);
        reader.setCalculation(&calculation);
        const QString file = writeTemplate(QStringLiteral("t"), c.fieldCnt, c.pieces);
        const bool result = reader.ReadStatValues({1, {entry("1")}}, {QString(), file}, 1, {0, -1});
        EXPECT_EQ(result, c.result);
        EXPECT_TRUE(reader.lastError().isEmpty());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(script.requests().empty()) << prompts(script).join(u'|').toStdString();
        } else {
            ASSERT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(script.requests()[0].prompt, c.message);
            EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbOKOnly | veltra::ui::vbExclamation);
            // No caption of its own: the one every box without a title gets.
            veltra::ui::DialogScript plain;
            veltra::ui::MsgBox(QStringLiteral("x"));
            EXPECT_EQ(script.requests()[0].title, plain.requests().at(0).title);
        }
        ASSERT_EQ(gtypStatArea.size(), 2u);
        if (c.pieces.size() == 3 && c.result) {
            EXPECT_EQ(statNumber(gtypStatArea[1].Value[1]), 25);
            EXPECT_EQ(gtypStatArea[1].DataFlag[1], 0);
        } else {
            EXPECT_EQ(statNumber(gtypStatArea[1].Value[1]), 0);
            EXPECT_EQ(gtypStatArea[1].DataFlag[1], 2);
        }
    }
}

TEST_F(StatAreaCalculationTest, StatusPerArea)
{
    veltra::ui::DialogScript script;
    StatAreaReader reader(db);
    reader.setCalculation(&calculation);
    // "+ 1" shows whether the engine was asked: a "-" area would get 1.
    const QString file
        = writeTemplate(QStringLiteral("ratio"), QStringLiteral("1"), {kTotalP, QStringLiteral("/"), kAreaP, QStringLiteral("+1")});
    ASSERT_TRUE(reader.ReadStatValues(
        {1, {entry("1"), entry("13"), entry("14"), entry("13")}}, {QString(), file}, 1, {0, -1}));
    struct Expected
    {
        double value;
        int flag;
    };
    const Expected expected[] = {{26, 0}, {0, 1} /* division by zero */, {0, 1} /* "-" */, {0, 1}};
    ASSERT_EQ(gtypStatArea.size(), 5u);
    for (std::size_t r = 1; r <= 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(statNumber(gtypStatArea[r].Value[1]), expected[r - 1].value);
        EXPECT_EQ(gtypStatArea[r].DataFlag[1], expected[r - 1].flag);
    }
    EXPECT_TRUE(script.requests().empty());
    // The engine is cleared once the field is done.
    EXPECT_EQ(engine.VariableCount(), 0);
}

TEST_F(StatAreaCalculationTest, MunicipalityCodesOfFiveAndSevenCharacters)
{
    StatAreaReader reader(db);
    reader.setCalculation(&calculation);
    const QString file = writeTemplate(QStringLiteral("city"), QStringLiteral("1"), {kTotalC, QStringLiteral("/"), kAreaC});
    // Two items: the template's value is added to what the item held.
    ASSERT_TRUE(reader.ReadStatValues(
        {2, {entry("13", "999"), entry("13", "12345")}}, {QString(), file, file}, 2, {0, -1, -1}));
    ASSERT_EQ(gtypStatArea.size(), 3u);
    // CityCode 999 is matched on 5 characters (7 would find no line);
    // 12345 on 7 (5 would find the line of 13123 first).
    EXPECT_EQ(statNumber(gtypStatArea[1].Value[1]), 5);
    EXPECT_EQ(statNumber(gtypStatArea[2].Value[1]), 4);
    EXPECT_EQ(statNumber(gtypStatArea[2].Value[2]), 4);
    EXPECT_EQ(gtypStatArea[2].DataFlag[2], 0);
}

TEST_F(StatAreaCalculationTest, PiecesPairWithVariablesInOrder)
{
    const QString info = QStringLiteral("{[情報点][施設][件数]}");
    const QString path = dir.path() + QStringLiteral("pairs.cal");
    write(path,
        {QStringLiteral("[Calc1]"), QStringLiteral("Cnt=6"), QStringLiteral("Data1=") + info, QStringLiteral("File1=i.txt"),
            QStringLiteral("Data2=+"), QStringLiteral("Data3=") + kAreaP, QStringLiteral("File3=skipped.txt"),
            QStringLiteral("Data4=") + kTotalP, QStringLiteral("File4=total.txt"), QStringLiteral("Data5=+SUM("),
            QStringLiteral("Data6=") + kTotalC + u':' + kAreaC, QStringLiteral("File6=range.txt")});
    std::vector<QString> paths;
    // The first variable's piece; kAreaP is passed over because the second
    // variable is kTotalP; a range pairs by the text before ":".
    const std::vector<QString> names{QString(), info, kTotalP, kTotalC + u':' + kAreaC};
    ASSERT_TRUE(calculation.GetFieldListPathFromEntryData(path, 1, 3, names, paths));
    EXPECT_EQ(paths, (std::vector<QString>{QString(), QString(), "total.txt", QString()}));
    EXPECT_EQ(StatAreaCalculation::GetLeftOfColon(QStringLiteral("a:b:c")), QStringLiteral("a"));
    EXPECT_EQ(StatAreaCalculation::GetLeftOfColon(QStringLiteral("abc")), QStringLiteral("abc"));

    write(path, {QStringLiteral("[Calc1]"), QStringLiteral("Cnt=x")});
    EXPECT_FALSE(calculation.GetFieldListPathFromEntryData(path, 1, 3, names, paths));
    EXPECT_EQ(paths.size(), 4u);
}

} // namespace
