// Area-unit folders named in an item list: full paths as the registration
// writes them, and paths relative to the list as the shipped data names them.
#include "platform/fs/fs.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"
#include "statdatatesthelpers.h"

#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

TEST(ListFolder, RelativeFoldersAreResolvedAgainstTheList)
{
    const QString list = QStringLiteral("/data/etc/R2国勢調査.txt");
    const struct
    {
        const char *value, *folder;
    } cases[] = {
        {"R2国勢調査\\都道府県\\", "/data/etc/R2国勢調査\\都道府県\\"},
        {"/home/u/VeltraData/etc/H12人口/市区町村/", "/home/u/VeltraData/etc/H12人口/市区町村/"},
        {"\\VeltraData\\etc\\H12人口\\市区町村\\", "\\VeltraData\\etc\\H12人口\\市区町村\\"},
        {"C:\\Veltra\\etc\\H12人口\\", "C:\\Veltra\\etc\\H12人口\\"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(veltra::statdata::resolveListFolder(list, QString::fromUtf8(c.value)),
            QString::fromUtf8(c.folder))
            << c.value;
}

TEST(ListFolder, ValueFolderOfARelativePath)
{
    TempDir tmp;
    const QString list = tmp.path() + QStringLiteral("etc/R2国勢調査.txt");
    writeTextFile(
        list, {"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "[都道府県]", "Entry1=人口", "Path=R2国勢調査\\都道府県\\"});
    writeTextFile(
        tmp.path() + QStringLiteral("etc/R2国勢調査/都道府県/人口/00.txt"), {"ｺｰﾄﾞ,総人口", "13,14047594"});
    const QString folder
        = ComCaldoraTable::GetValueFolder(list, QStringLiteral("{[都道府県][人口][総人口]}"));
    EXPECT_TRUE(folder.startsWith(tmp.path() + QStringLiteral("etc/R2国勢調査"))) << folder.toStdString();
    EXPECT_TRUE(veltra::fs::folderExists(folder)) << folder.toStdString();
}

TEST(ListFolder, CheckItemListFoldersNeedsAnAreaUnitWithAnExistingFolder)
{
    TempDir tmp;
    const QString etc = tmp.path() + QStringLiteral("etc/");
    QDir().mkpath(etc + QStringLiteral("統計/都道府県"));
    QDir().mkpath(etc + QStringLiteral("統計/市区町村"));
    const QString full = etc + QStringLiteral("統計/市区町村/");
    const struct
    {
        const char *name;
        QStringList lines;
        bool passes;
    } cases[] = {
        {"relative Path", {"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "[都道府県]", "Path=統計\\都道府県\\"}, true},
        {"full Path", {"[ﾃﾞｰﾀ種類]", "Entry1=市区町村", "[市区町村]", "Path=" + full}, true},
        {"blank entries passed over",
            {"[ﾃﾞｰﾀ種類]", "Entry1= ", "Entry2=都道府県", "[都道府県]", "Path=統計\\都道府県\\"}, true},
        {"a unit beyond the third is not looked at",
            {"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "Entry4=町丁字", "[都道府県]", "Path=統計\\都道府県\\"}, true},
        {"none of the first three entries",
            {"[ﾃﾞｰﾀ種類]", "Entry4=都道府県", "[都道府県]", "Path=統計\\都道府県\\"}, false},
        {"no [ﾃﾞｰﾀ種類]", {"[都道府県]", "Path=統計\\都道府県\\"}, false},
        {"empty Path", {"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "[都道府県]", "Path="}, false},
        {"a missing folder",
            {"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "Entry2=町丁字", "[都道府県]", "Path=統計\\都道府県\\",
                "[町丁字]", "Path=統計\\町丁字\\"},
            false},
        {"Path names a file", {"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "[都道府県]", "Path=統計.txt"}, false},
    };
    for (const auto &c : cases) {
        const QString list = etc + QStringLiteral("統計.txt");
        writeTextFile(list, c.lines);
        veltra::ui::DialogScript script;
        EXPECT_EQ(ComCaldoraTable::CheckItemListFolders(list), c.passes) << c.name;
        ASSERT_EQ(script.requests().size(), c.passes ? 0u : 1u) << c.name;
        if (!c.passes) {
            EXPECT_EQ(script.requests()[0].prompt,
                QStringLiteral("国勢調査項目一覧ﾌｧｲﾙ ") + list
                    + QStringLiteral(" に格納されている\r\nﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽが存在しません。\r\n\r\n"
                                     "ﾃﾞｰﾀﾌｫﾙﾀﾞﾊﾟｽを設定してください。\r\n"))
                << c.name;
            EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbExclamation) << c.name;
        }
    }
    // A list that is not there lists no unit.
    veltra::ui::DialogScript script;
    EXPECT_FALSE(ComCaldoraTable::CheckItemListFolders(etc + QStringLiteral("無い.txt")));
    EXPECT_EQ(script.requests().size(), 1u);
}

} // namespace
