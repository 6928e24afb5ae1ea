// Message boxes, input boxes and common dialogs answered through the test hook.
#include "platform/ui/dialogscript.h"
#include "platform/ui/filedialogs.h"
#include "platform/ui/msgbox.h"

#include <gtest/gtest.h>

using namespace veltra::ui;

TEST(UiMsgBox, ScriptedAnswersAndRecordedRequests)
{
    DialogScript script;
    script.answerButton(vbNo);
    script.answerButton(vbOK);
    EXPECT_EQ(
        MsgBox(QStringLiteral("保存しますか？"), vbYesNoCancel + vbQuestion, QStringLiteral("Veltra")), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("完了")), vbOK);
    ASSERT_EQ(script.requests().size(), 2u);
    const DialogRequest &first = script.requests()[0];
    EXPECT_EQ(first.kind, DialogKind::MessageBox);
    EXPECT_EQ(first.prompt, QStringLiteral("保存しますか？"));
    EXPECT_EQ(first.title, QStringLiteral("Veltra"));
    EXPECT_EQ(first.buttons, 35);
    EXPECT_EQ(script.unanswered(), 0);
}

TEST(UiMsgBox, UnansweredBoxGivesItsDefaultButton)
{
    DialogScript script;
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbYesNo + vbDefaultButton2), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbYesNoCancel + vbDefaultButton3), vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbOKCancel), vbOK);
    EXPECT_EQ(script.unanswered(), 3);
}

TEST(UiMsgBox, CancellingClosesLikeEscape)
{
    DialogScript script;
    script.answerCancel();
    script.answerCancel();
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbYesNoCancel), vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbOKOnly + vbCritical), vbOK);
}

TEST(UiMsgBox, ButtonSetsAndDefaults)
{
    struct Case
    {
        int flags;
        QList<int> results;
        int defaultResult;
    };
    const Case cases[] = {
        {vbOKOnly, {vbOK}, vbOK},
        {vbOKCancel + vbExclamation, {vbOK, vbCancel}, vbOK},
        {vbOKCancel + vbDefaultButton2, {vbOK, vbCancel}, vbCancel},
        {vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}, vbAbort},
        {vbYesNoCancel + vbInformation + vbDefaultButton2, {vbYes, vbNo, vbCancel}, vbNo},
        {vbYesNo + vbQuestion, {vbYes, vbNo}, vbYes},
        {vbRetryCancel, {vbRetry, vbCancel}, vbRetry},
        {vbOKOnly + vbDefaultButton3, {vbOK}, vbOK},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(msgBoxResults(c.flags), c.results);
        EXPECT_EQ(msgBoxDefaultResult(c.flags), c.defaultResult);
    }
}

TEST(UiMsgBox, HeadlessWithoutScriptDoesNotBlock)
{
    ASSERT_TRUE(isHeadless());
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbYesNo + vbDefaultButton2), vbNo);
    EXPECT_EQ(InputBox(QStringLiteral("x"), QString(), QStringLiteral("既定")), QStringLiteral("既定"));
    EXPECT_TRUE(getOpenFileName(nullptr, QStringLiteral("t"), QString(), QString()).isEmpty());
}

TEST(UiInputBox, TextCancelAndDefault)
{
    DialogScript script;
    script.answerText(QStringLiteral("東京"));
    script.answerCancel();
    EXPECT_EQ(InputBox(QStringLiteral("名前"), QStringLiteral("入力"), QStringLiteral("既定")),
        QStringLiteral("東京"));
    EXPECT_EQ(InputBox(QStringLiteral("名前"), QStringLiteral("入力"), QStringLiteral("既定")), QString());
    EXPECT_EQ(InputBox(QStringLiteral("名前"), QStringLiteral("入力"), QStringLiteral("既定")),
        QStringLiteral("既定"));
    ASSERT_EQ(script.requests().size(), 3u);
    EXPECT_EQ(script.requests()[0].kind, DialogKind::InputBox);
    EXPECT_EQ(script.requests()[0].defaultText, QStringLiteral("既定"));
    EXPECT_EQ(script.unanswered(), 1);
}

TEST(UiDialogs, FileFolderAndColourDialogsAreScripted)
{
    DialogScript script;
    script.answerText(QStringLiteral("/data/a.bmp"));
    script.answerCancel();
    script.answerText(QStringLiteral("/data/out"));
    script.answerColour(QColor(10, 20, 30));
    script.answerCancel();
    EXPECT_EQ(getOpenFileName(
                  nullptr, QStringLiteral("開く"), QStringLiteral("BMP (*.bmp)"), QStringLiteral("/data")),
        QStringLiteral("/data/a.bmp"));
    EXPECT_EQ(getSaveFileName(nullptr, QStringLiteral("保存"), QString(), QString(), QStringLiteral("x.tok")),
        QString());
    EXPECT_EQ(getExistingFolder(nullptr, QStringLiteral("フォルダ"), QStringLiteral("/data")),
        QStringLiteral("/data/out"));
    EXPECT_EQ(getColour(nullptr, Qt::red), QColor(10, 20, 30));
    EXPECT_FALSE(getColour(nullptr, Qt::red).has_value());
    ASSERT_EQ(script.requests().size(), 5u);
    EXPECT_EQ(script.requests()[0].filter, QStringLiteral("BMP (*.bmp)"));
    EXPECT_EQ(script.requests()[0].folder, QStringLiteral("/data"));
    EXPECT_EQ(script.requests()[1].kind, DialogKind::SaveFile);
    EXPECT_EQ(script.requests()[1].defaultText, QStringLiteral("x.tok"));
    EXPECT_EQ(script.requests()[2].kind, DialogKind::BrowseFolder);
    EXPECT_EQ(script.requests()[3].colour, QColor(Qt::red));
}

TEST(UiDialogs, NestedScriptsRestoreTheOuterOne)
{
    DialogScript outer;
    {
        DialogScript inner;
        inner.answerButton(vbYes);
        EXPECT_EQ(MsgBox(QStringLiteral("a"), vbYesNo), vbYes);
        EXPECT_EQ(DialogScript::current(), &inner);
    }
    EXPECT_EQ(DialogScript::current(), &outer);
    EXPECT_TRUE(outer.requests().empty());
}
