// Command lines of list-bar items and story steps.
#include "shell/commandline.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>

namespace {

using veltra::shell::commandItemSources;
using veltra::shell::modeRegistry;
using veltra::shell::parseCommandLine;

TEST(CommandLine, ParsesModeSubTypeAndParameters)
{
    struct Case
    {
        QString line;
        std::int16_t mode;
        std::int16_t sub;
        QString param;
    };
    const Case cases[] = {
        {"1,\"住所検索\",KEY_AdrSeek,1001,0", 1001, 0, ""},
        {"3,\"a,b\",KEY_Find,20,0,-1,0", 20, 0, "-1,0"},
        {"5,\"x\",KEY_Find,20,0,\"-1,0,-1,0\"", 20, 0, "-1,0,-1,0"},
        {"4,\"c\",KEY_Turn,1,5,", 1, 5, ""},
        {"6,\"d\",K,41,0,,,7", 41, 0, "7"},
        {"7,\"e\",K,41,0,a,,b", 41, 0, "a,,b"},
        {"8,\"f\",K, 40 , 2.5 ", 40, 2, ""},
        {"9,\"g\",K,40,3.5,\"say \"\"hi\"\"\"", 40, 4, "say \"hi\""},
        {"10,g,K,-1,-32768,x", -1, -32768, "x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        QString error;
        const auto parts = parseCommandLine(c.line, &error);
        ASSERT_TRUE(parts.has_value()) << error.toStdString();
        EXPECT_EQ(parts->mode, c.mode);
        EXPECT_EQ(parts->subType, c.sub);
        EXPECT_EQ(parts->param, c.param);
    }
}

TEST(CommandLine, RefusesLinesThatCannotRun)
{
    const QString lines[] = {
        "",
        "1,\"a\",K,1001",
        "1,\"a,b,c\",K",
        "1,\"a\",K,abc,0",
        "1,\"a\",K,40000,0",
        "1,\"a\",K,1,",
        "1,a,K,,0",
        // 32,768 fields: more than the count (an Integer) holds.
        QStringLiteral("1,\"a\",K,1,0") + QString(32763, u','),
    };
    for (const QString &line : lines) {
        SCOPED_TRACE(line.left(40).toStdString());
        QString error;
        EXPECT_FALSE(parseCommandLine(line, &error).has_value());
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    EXPECT_FALSE(parseCommandLine(QStringLiteral("1,\"a\",K,1,0") + QString(40000, u','), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("コマンドの項目が多すぎます（32767 項目まで）")))
        << error.toStdString();
    // 32,767 fields still make a command.
    const auto longest
        = parseCommandLine(QStringLiteral("1,\"a\",K,1,0") + QStringLiteral(",x").repeated(32762));
    ASSERT_TRUE(longest.has_value());
    EXPECT_EQ(longest->param, QStringLiteral("x,").repeated(32761) + u'x');
}

class CommandRunners : public ::testing::Test
{
protected:
    void SetUp() override
    {
        modeRegistry().clear();
        for (std::int16_t code : {ModeSearchElement, ModeCircle}) {
            modeRegistry().setParamHandler(
                code, [this, code](std::int16_t &state, zorvik::Zorvik *, QString &p) {
                    calls << QStringLiteral("%1(%2,%3)").arg(code).arg(state).arg(p);
                });
        }
        modeRegistry().setHandler(ModeDistance,
            [this](std::int16_t &state, zorvik::Zorvik *) { calls << QStringLiteral("40(%1)").arg(state); });
        commandItemSources().listItem
            = [this](std::int16_t n) { return lines.count(n) ? lines[n] : QString(); };
        commandItemSources().storyItem = commandItemSources().listItem;
        gintModeNo = 0;
    }
    void TearDown() override
    {
        modeRegistry().clear();
        commandItemSources() = {};
        gintModeNo = 0;
    }

    std::map<std::int16_t, QString> lines = {
        {1, "1,\"s\",K,20,0,-1,0,-1,0"},
        {2, "2,\"s\",K,41,1,5"},
        {3, "3,\"bad\",K,4x,0"},
        {7, "7,\"住所検索\",KEY_AdrSeek,20,1,-1"},
    };
    QStringList calls;
};

TEST_F(CommandRunners, ListBarItemChangesTheMode)
{
    QString error;
    EXPECT_TRUE(veltra::shell::runListBarItem(7, &error));
    EXPECT_EQ(calls, QStringList{"20(0,-1)"});
    EXPECT_EQ(gintModeNo, ModeSearchElement);
    EXPECT_EQ(gintModeSub, 1);
}

TEST_F(CommandRunners, StoryItemOneTakesTheStepParameter)
{
    struct Case
    {
        std::int16_t item;
        QString stepParam;
        QString entered;
    };
    const Case cases[]
        = {{1, "abc", "20(0,abc)"}, {1, "", "20(0,)"}, {2, "abc", "41(0,5)"}, {7, "abc", "20(0,-1)"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        gintModeNo = 0;
        calls.clear();
        EXPECT_TRUE(veltra::shell::runStoryItem(c.item, c.stepParam));
        EXPECT_EQ(calls, QStringList{c.entered});
    }
}

TEST_F(CommandRunners, ALineThatCannotRunKeepsTheRunningMode)
{
    veltra::shell::changeMode(ModeDistance, 0, veltra::shell::noParameterText());
    calls.clear();
    for (std::int16_t item : {3, 99}) {
        SCOPED_TRACE(item);
        QString error;
        EXPECT_FALSE(veltra::shell::runListBarItem(item, &error));
        EXPECT_FALSE(veltra::shell::runStoryItem(item, "x"));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(gintModeNo, ModeDistance);

    // Without a registered table nothing can run.
    commandItemSources() = {};
    EXPECT_FALSE(veltra::shell::runListBarItem(7));
    EXPECT_EQ(gintModeNo, ModeDistance);
}

} // namespace
