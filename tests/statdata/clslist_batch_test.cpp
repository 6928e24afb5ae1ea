// The item-list writer enters a registration in one rewrite of each list
// file; where its checks would see keys written earlier in the same
// registration, they must still see them.
#include "platform/profile/profile.h"
#include "statdata/clslist.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::test;
namespace profile = veltra::profile;

namespace {

QString entry(const QString &section, int n, const QString &file)
{
    return profile::getString(section, QStringLiteral("Entry") + QString::number(n), QString(), file);
}

// An area unit named like the section of area units: its item group is
// checked against the area unit just listed there, as key-by-key writing
// would, and goes to Entry2 instead of overwriting Entry1.
TEST(ClsListBatch, AreaUnitNamedLikeAnEarlierSection)
{
    TempDir tmp;
    const QString etc = tmp.path() + QStringLiteral("etc/");
    const QString unit = QStringLiteral("ﾃﾞｰﾀ種類");
    writeTextFile(etc + QStringLiteral("H12人口/") + unit + QStringLiteral("/世帯/13.txt"), {"ｺｰﾄﾞ,世帯数"});
    clsList list;
    list.ListInit(etc + QStringLiteral("H12人口\\") + unit + QStringLiteral("\\世帯\\13.txt"), "2000/10/01");
    ASSERT_EQ(list.AddData(), 0);
    const QString file = etc + QStringLiteral("H12人口.txt");
    EXPECT_EQ(entry(unit, 1, file), unit);
    EXPECT_EQ(entry(unit, 2, file), QStringLiteral("世帯"));
    EXPECT_EQ(entry(QStringLiteral("世帯"), 1, file), QStringLiteral("世帯数,世帯数"));
}

// Re-registering a group with more items adds the new entries and keeps the
// rest of the file; one registration is one rewrite per list file.
TEST(ClsListBatch, ReRegistrationExtendsTheGroup)
{
    TempDir tmp;
    const QString etc = tmp.path() + QStringLiteral("etc/");
    const QString value = etc + QStringLiteral("H12人口/市区町村/人口/13.txt");
    writeTextFile(value, {"ｺｰﾄﾞ,総人口"});
    clsList first;
    first.ListInit(value, "2000/10/01");
    ASSERT_EQ(first.AddData(), 0);
    writeTextFile(value, {"ｺｰﾄﾞ,総人口,男,女"});
    clsList second;
    second.ListInit(value, "2000/10/01");
    ASSERT_EQ(second.AddData(), 0);
    const QString file = etc + QStringLiteral("H12人口.txt");
    QStringList lines;
    ASSERT_TRUE(veltra::text::readLines(file, lines));
    EXPECT_EQ(lines,
        QStringList(
            {"[統計内容]", "Entry1=人口", "[調査年度]", "Entry1=平成12年度", "[ﾃﾞｰﾀ種類]", "Entry1=市区町村",
                "[市区町村]", "Entry1=人口", "Path=" + etc + QStringLiteral("H12人口/市区町村/"), "[人口]",
                "Entry1=総人口,総人口", "Entry2=男,男", "Entry3=女,女"}));
}

} // namespace
