// Damaged counts in a calculation template: FieldCnt and Cnt near 2^31 cost
// no more than the sections and keys the file holds, and the editor refuses a
// template of more than ten fields before reading it.
#include "platform/vb/errors.h"
#include "statdata/calctemplate.h"
#include "statdata/calctemplatemodel.h"
#include "testsupport.h"
#include "valuefixture.h"

#include <QStringList>
#include <gtest/gtest.h>

using veltra::statdata::CalcTemplate;
using veltra::test::ValueFixture;

namespace {

// One field as the reader gives it: name, then token=file pairs.
QString describe(const veltra::statdata::CalcField &field)
{
    QStringList parts{field.name};
    for (std::size_t g = 0; g < field.tokens.size(); ++g)
        parts << field.tokens[g] + u'=' + (g < field.files.size() ? field.files[g] : QStringLiteral("?"));
    return parts.join(u' ');
}

TEST(CalcTemplateBounds, ReaderReadsOnlyTheSectionsAndKeysPresent)
{
    veltra::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("t.cal"));
    const struct
    {
        const char *what;
        QStringList lines;
        QStringList fields; // describe() of each field read
    } cases[] = {
        {"both counts near 2^31",
            {"[Subject]", "FieldCnt=2147483647", "[Calc1]", "Cnt=2147483647", "Name=n", "Data1=a", "Data2=b",
                "File1=f"},
            {"n a=f b="}},
        {"a missing token adds nothing and keeps the files paired",
            {"[Subject]", "FieldCnt=1", "[Calc1]", "Cnt=3", "Name=n", "Data3=c", "File3=g", "Data1=a"},
            {"n a= c=g"}},
        {"tokens beyond Cnt stay unread",
            {"[Subject]", "FieldCnt=1", "[Calc1]", "Cnt=2", "Name=n", "Data1=a", "Data2=b", "Data3=c"},
            {"n a= b="}},
        {"keys no numbered read names",
            {"[Subject]", "FieldCnt=1", "[Calc1]", "Cnt=2147483647", "Name=n", "Data01=x", "Data+1=y",
                "Data-1=z", "DATA2=b"},
            {"n b="}},
        {"a missing section adds no field",
            {"[Subject]", "FieldCnt=2147483647", "[Calc3]", "Cnt=1", "Name=c", "Data1=3", "[Calc1]", "Cnt=1",
                "Name=a", "Data1=1", "[Calc01]", "Cnt=1", "Name=x", "Data1=x"},
            {"a 1=", "c 3="}},
        {"sections beyond FieldCnt stay unread",
            {"[Subject]", "FieldCnt=1", "[Calc1]", "Cnt=1", "Name=a", "Data1=1", "[Calc2]", "Cnt=1", "Name=b",
                "Data1=2"},
            {"a 1="}},
        {"a count too large for a Long gives nothing",
            {"[Subject]", "FieldCnt=2147483648", "[Calc1]", "Cnt=1", "Name=a", "Data1=1"}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ValueFixture::write(file, c.lines);
        const CalcTemplate tmpl = veltra::statdata::readCalcTemplate(file);
        QStringList fields;
        for (const auto &field : tmpl.fields)
            fields << describe(field);
        EXPECT_EQ(fields, c.fields);
    }
}

// A template claiming more than ten fields is refused whatever it holds, and
// a damaged FieldCnt does not make the editor read 2^31 fields first.
TEST(CalcTemplateBounds, EditorRefusesMoreThanTenFieldsBeforeReading)
{
    veltra::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("t.cal"));
    const struct
    {
        const char *fieldCnt;
        bool refused;
    } cases[] = {{"2147483647", true}, {"11", true}, {"10", false}, {"1", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fieldCnt);
        ValueFixture::write(file,
            {"[Subject]", QStringLiteral("FieldCnt=") + QString::fromLatin1(c.fieldCnt), "[Calc1]", "Cnt=1",
                "Name=a", "Data1=1"});
        veltra::statdata::CalcTemplateModel model;
        if (c.refused) {
            EXPECT_THROW(model.loadTemplate(file), veltra::vb::SubscriptOutOfRange);
        } else {
            EXPECT_NO_THROW(model.loadTemplate(file));
            EXPECT_EQ(model.fieldName(1), QStringLiteral("a"));
        }
    }
}

} // namespace
