// The quote-aware and comma splitters, quote stripping and NUL trimming.
#include "platform/vb/errors.h"
#include "shell/mdlcommon.h"

#include <gtest/gtest.h>

namespace {

const QString kQuote = QStringLiteral("\"");
const QString kComma = QStringLiteral(",");

std::vector<QString> split(const QString &line, int16_t &count)
{
    std::vector<QString> fields{QStringLiteral("old")};
    count = mdlCommon::SplitQuoted(line, fields, 1, kQuote, kComma);
    return fields;
}

} // namespace

TEST(ShellSplitQuoted, ResizingTable)
{
    struct Case
    {
        const char *line;
        std::vector<QString> fields;
    };
    const Case cases[] = {
        {R"(1,"a,b",,"say ""hi""")", {"1", "a,b", "", "say \"hi\""}},
        {"", {""}},
        {",", {"", ""}},
        {"a,b,", {"a", "b", ""}},
        {R"("ab"cd,e)", {"abcd", "e"}},
        {R"( "x",y)", {" \"x\"", "y"}},
        {R"(a"b,c)", {"a\"b", "c"}},
        {R"("open,end)", {"open,end"}},
        {R"("q""",z)", {"q\"", "z"}},
        {R"(3,"住所検索",KEY_ADDR,1001,0,")", {"3", "住所検索", "KEY_ADDR", "1001", "0", ""}},
        {R"("",x)", {"", "x"}},
        {"  a , b ", {"  a ", " b "}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        int16_t count = 0;
        const std::vector<QString> fields = split(QString::fromUtf8(c.line), count);
        EXPECT_EQ(count, int16_t(c.fields.size()));
        EXPECT_EQ(fields, c.fields);
    }
}

TEST(ShellSplitQuoted, FixedArrayIsClearedAndKeepsItsSize)
{
    std::vector<QString> fields{"w", "x", "y", "z"};
    EXPECT_EQ(mdlCommon::SplitQuoted(QStringLiteral("a,b"), fields, 0, kQuote, kComma), 2);
    EXPECT_EQ(fields, (std::vector<QString>{"a", "b", "", ""}));
}

TEST(ShellSplitQuoted, FixedArrayOverflowStopsWithTheEarlierFieldsFilled)
{
    std::vector<QString> fields(2);
    EXPECT_THROW(mdlCommon::SplitQuoted(QStringLiteral("a,b,c,d"), fields, 0, kQuote, kComma),
        veltra::vb::SubscriptOutOfRange);
    EXPECT_EQ(fields, (std::vector<QString>{"a", "b"}));
    // A trailing separator writes no character, so it is only counted.
    std::vector<QString> two(2);
    EXPECT_EQ(mdlCommon::SplitQuoted(QStringLiteral("a,b,"), two, 0, kQuote, kComma), 3);
}

TEST(ShellSplitQuoted, WithoutQuoteCharacterQuotesAreOrdinary)
{
    std::vector<QString> fields;
    EXPECT_EQ(mdlCommon::SplitQuoted(QStringLiteral("\"a,b\""), fields, 1, QString(), kComma), 2);
    EXPECT_EQ(fields, (std::vector<QString>{"\"a", "b\""}));
}

TEST(ShellSplitComma, Table)
{
    struct Case
    {
        const char *text;
        const char *trimmed;
        std::vector<QString> fields;
    };
    const Case cases[] = {
        {" 12,,34 ", "12,,34", {"12", "0", "34"}},
        {"5，", "5，", {"5", "0"}},
        {"a，b,c", "a，b,c", {"a", "b", "c"}},
        {"\"x\",y", "\"x\",y", {"\"x\"", "y"}},
        {",", ",", {"0", "0"}},
        {" a b ", "a b", {"a b"}},
        {"\t1,2", "\t1,2", {"\t1", "2"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QString text = QString::fromUtf8(c.text);
        std::vector<QString> fields{"stale", "stale", "stale", "stale", "stale"};
        EXPECT_EQ(mdlCommon::SplitComma(text, fields), int32_t(c.fields.size()));
        EXPECT_EQ(fields, c.fields);
        EXPECT_EQ(text, QString::fromUtf8(c.trimmed));
    }
}

TEST(ShellSplitComma, EmptyTextLeavesTheArray)
{
    QString text = QStringLiteral("   ");
    std::vector<QString> fields{"keep"};
    EXPECT_EQ(mdlCommon::SplitComma(text, fields), 0);
    EXPECT_EQ(fields, std::vector<QString>{"keep"});
    EXPECT_TRUE(text.isEmpty());
}

TEST(ShellStripQuotes, Table)
{
    struct Case
    {
        const char *in;
        const char *out;
    };
    const Case cases[] = {
        {R"("C:\My Maps\a.zor")", R"(C:\My Maps\a.zor)"},
        {R"(")", ""},
        {R"("")", ""},
        {R"(a"b)", R"(a"b)"},
        {R"("a"b")", R"(a"b)"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(mdlCommon::StripQuotes(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
}

TEST(ShellTrimNull, CutsAtTheFirstNul)
{
    EXPECT_EQ(
        mdlCommon::TrimNull(QStringLiteral("abc") + QChar(0) + QStringLiteral("def")), QStringLiteral("abc"));
    EXPECT_EQ(mdlCommon::TrimNull(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(mdlCommon::TrimNull(QString(QChar(0))), QString());
}
