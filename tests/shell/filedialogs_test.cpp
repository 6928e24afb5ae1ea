// The open, save and folder dialogs through the scripted dialog hook.
#include "platform/ui/dialogscript.h"
#include "shell/dialogfilter.h"
#include "shell/mdlcommon.h"
#include "shell/mdlfolder.h"
#include "shell/modfiledlg.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using veltra::ui::DialogKind;
using veltra::ui::DialogScript;

TEST(ShellDialogFilter, Table)
{
    struct Case
    {
        QString in;
        const char *out;
    };
    const Case cases[] = {
        {QStringLiteral("24ビット ビットマップ (*.bmp)|*.bmp"), "24ビット ビットマップ (*.bmp) (*.bmp)"},
        {QStringLiteral("CSV|*.csv|すべて|*.*"), "CSV (*.csv);;すべて (*.*)"},
        {QStringLiteral("画像|*.jpg;*.bmp"), "画像 (*.jpg *.bmp)"},
        {QStringLiteral("統計地図") + QChar(0) + QStringLiteral("*.tok") + QChar(0), "統計地図 (*.tok)"},
        {QStringLiteral("説明だけ"), "説明だけ (*)"},
        {QString(), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(veltra::shell::qtFileFilter(c.in), QString::fromUtf8(c.out));
    }
}

TEST(ShellFileDialogs, OpenDialogPassesItsArguments)
{
    veltra::test::TempDir dir;
    DialogScript script;
    script.answerText(dir.file(QStringLiteral("a.bmp")));
    script.answerCancel();
    QString folder = dir.path();
    folder.replace(u'/', u'\\');
    EXPECT_EQ(
        modFileDlg::ShowOpenDialog(nullptr, QStringLiteral("シンボル選択"),
            QStringLiteral("24ビット ビットマップ (*.bmp)|*.bmp"), 1, folder, QString(), QStringLiteral("0")),
        dir.file(QStringLiteral("a.bmp")));
    EXPECT_TRUE(modFileDlg::ShowOpenDialog(
        nullptr, QStringLiteral("t"), QString(), 1, QString(), QString(), QStringLiteral("0"))
                    .isEmpty());
    ASSERT_EQ(script.requests().size(), 2u);
    const auto &r = script.requests()[0];
    EXPECT_EQ(r.kind, DialogKind::OpenFile);
    EXPECT_EQ(r.title, QStringLiteral("シンボル選択"));
    EXPECT_EQ(r.filter, QStringLiteral("24ビット ビットマップ (*.bmp) (*.bmp)"));
    EXPECT_EQ(QDir(r.folder).absolutePath(), QDir(dir.path()).absolutePath());
}

TEST(ShellFileDialogs, SaveDialogFillsTheRecord)
{
    DialogScript script;
    script.answerText(QStringLiteral("/data/maps/out.tok"));
    script.answerCancel();
    mdlCommon::OpenFileName record;
    record.filter = QStringLiteral("統計地図ファイル") + QChar(0) + QStringLiteral("*.tok") + QChar(0);
    record.file = QStringLiteral("map1.tok");
    EXPECT_EQ(mdlCommon::ShowSaveDialog(record), QStringLiteral("/data/maps/out.tok"));
    EXPECT_EQ(record.file, QStringLiteral("/data/maps/out.tok"));
    EXPECT_EQ(record.fileTitle, QStringLiteral("out.tok"));
    EXPECT_EQ(record.filterIndex, 1);
    EXPECT_EQ(script.requests()[0].filter, QStringLiteral("統計地図ファイル (*.tok)"));
    EXPECT_EQ(script.requests()[0].defaultText, QStringLiteral("map1.tok"));

    mdlCommon::OpenFileName second;
    second.file = QStringLiteral("keep.tok");
    EXPECT_TRUE(mdlCommon::ShowSaveDialog(second).isEmpty());
    EXPECT_EQ(second.file, QStringLiteral("keep.tok"));
}

TEST(ShellFileDialogs, BrowseFolderAddsASeparator)
{
    DialogScript script;
    script.answerText(QStringLiteral("/data/テンプレート"));
    script.answerCancel();
    mdlFolder::BrowseInfo info;
    info.title = QStringLiteral("ﾌｫﾙﾀﾞを選択してください");
    info.startFolder = QStringLiteral("/data");
    EXPECT_EQ(mdlFolder::BrowseFolder(info), QStringLiteral("/data/テンプレート/"));
    EXPECT_EQ(info.displayName, QStringLiteral("テンプレート"));
    EXPECT_TRUE(mdlFolder::BrowseFolder(info).isEmpty());
    EXPECT_EQ(script.requests()[0].kind, DialogKind::BrowseFolder);
    EXPECT_EQ(script.requests()[0].title, QStringLiteral("ﾌｫﾙﾀﾞを選択してください"));
    EXPECT_EQ(script.requests()[0].folder, QStringLiteral("/data"));
}
