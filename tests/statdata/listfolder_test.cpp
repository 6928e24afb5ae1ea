// Area-unit folders named in an item list: full paths as the registration
// writes them, and paths relative to the list as the shipped data names them.
#include "platform/fs/fs.h"
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

} // namespace
