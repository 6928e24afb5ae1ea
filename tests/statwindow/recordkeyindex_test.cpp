// The record index answers exactly what comparing a value line with every
// record from the first answers: the key is field 0 formatted as a number
// with as many zeros as the record compares, and must begin its AreaCode.
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "statwindow/recordkeyindex.h"

#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

// Records from index 1 with their widths: municipalities matched on 5 and on
// 7 characters (a five-digit municipality), a duplicate, a negative
// prefecture, a town block and a nation-level record.
struct Records
{
    std::vector<StatArea> records{StatArea{}};
    std::vector<int> widths{0};

    void add(const char *code, int width)
    {
        StatArea area;
        area.AreaCode = QString::fromLatin1(code);
        records.push_back(area);
        widths.push_back(width);
    }
};

Records fixture()
{
    Records f;
    f.add("0101101000000", 7); // 1
    f.add("01101000000", 5); // 2
    f.add("01101000000", 5); // 3, same code
    f.add("13101000000", 5); // 4
    f.add("-1101000000", 5); // 5, prefecture -1
    f.add("13101001001", 11); // 6
    f.add("47000000000", 2); // 7
    f.add("0110", 5); // 8, shorter than its width
    return f;
}

// The rule itself: every record compared, from the first.
std::vector<std::int32_t> scan(const Records &f, const QString &field0)
{
    std::vector<std::int32_t> out;
    if (!vb::isNumeric(field0))
        return out;
    for (std::size_t r = 1; r < f.records.size(); ++r) {
        const QString key = vb::format(field0, QString(f.widths[r], u'0'));
        if (f.records[r].AreaCode.startsWith(key))
            out.push_back(static_cast<std::int32_t>(r));
    }
    return out;
}

TEST(RecordKeyIndexTest, LinesFindTheRecordsTheirKeyBegins)
{
    const Records f = fixture();
    const RecordKeyIndex index(f.records, f.widths);
    struct Case
    {
        const char *field0;
        std::vector<std::int32_t> all;
    };
    const Case cases[] = {
        {"1101", {2, 3}}, // "01101" on 5; "0001101" on 7 matches nothing
        {"01101", {2, 3}},
        {"000001101", {2, 3}},
        {"101101", {1}}, // "0101101" on 7; six digits are longer than 5
        {"0101101", {1}},
        {"13101", {4}},
        {"1310100", {4}}, // longer than 5: the whole key must begin the code
        {"13101001", {}},
        {"13101001001", {6}},
        {"13101001002", {}},
        {"47", {7}},
        {"047", {7}},
        {"4700", {7}},
        {"4701", {}},
        {"110", {}}, // record 8 is shorter than its width
        {"1101.0", {2, 3}}, // a number that is not plain digits
        {"abc", {}},
        {"-", {}},
        {"0", {}},
        {"1234567890123456", {}}, // past the digits a Double holds exactly
    };
    std::vector<std::int32_t> all;
    for (const Case &c : cases) {
        const QString field0 = QString::fromLatin1(c.field0);
        SCOPED_TRACE(c.field0);
        index.all(field0, all);
        EXPECT_EQ(all, c.all);
        EXPECT_EQ(index.first(field0), c.all.empty() ? 0 : c.all.front());
        EXPECT_EQ(all, scan(f, field0));
    }
}

TEST(RecordKeyIndexTest, EveryPrefixAndExtensionOfTheCodesAgreesWithTheScan)
{
    const Records f = fixture();
    const RecordKeyIndex index(f.records, f.widths);
    // Every leading part of every code, with leading zeros added or taken
    // away and a digit appended, in the forms a value file may hold.
    QStringList fields;
    for (std::size_t r = 1; r < f.records.size(); ++r) {
        const QString &code = f.records[r].AreaCode;
        for (qsizetype n = 1; n <= code.size(); ++n) {
            const QString part = code.left(n);
            fields << part << QStringLiteral("00") + part << part + u'7' << part + QStringLiteral(".0")
                   << QStringLiteral(" ") + part;
            qsizetype z = 0;
            while (z < part.size() - 1 && part.at(z) == u'0')
                ++z;
            fields << part.mid(z);
        }
    }
    std::vector<std::int32_t> all;
    for (const QString &field0 : fields) {
        SCOPED_TRACE(field0.toStdString());
        const std::vector<std::int32_t> expected = scan(f, field0);
        index.all(field0, all);
        EXPECT_EQ(all, expected);
        EXPECT_EQ(index.first(field0), expected.empty() ? 0 : expected.front());
    }
}

} // namespace
