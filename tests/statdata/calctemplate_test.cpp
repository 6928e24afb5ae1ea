// Calculation-template files: writing, reading back, the field count and the
// CP932 byte helpers, and item-list paths from another machine.
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "statdata/calctemplate.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::statdata;
using veltra::test::TempDir;
using veltra::test::u;

namespace {

const QString kRef = QStringLiteral("{[都道府県][人口][総人口]}");

CalcField field(const QString &name, std::vector<QString> tokens, std::vector<QString> files)
{
    return CalcField{name, std::move(tokens), std::move(files)};
}

TEST(CalcTemplate, ReferenceDividedByAHundredReadsBackAsOneText)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("人口.cal"));
    const QString list = dir.file(QStringLiteral("etc/R2国勢調査.txt"));
    CalcTemplate tmpl;
    tmpl.fields.push_back(field(QStringLiteral("人口百分率"),
        {kRef, QStringLiteral("/"), QStringLiteral("100")}, {list, QString(), QString()}));
    ASSERT_TRUE(writeCalcTemplate(path, tmpl));
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(path, 1), kRef + QStringLiteral("/100"));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(path), 1);
    EXPECT_EQ(veltra::profile::getString(QStringLiteral("Calc1"), QStringLiteral("File1"), {}, path), list);
    const CalcTemplate back = readCalcTemplate(path);
    ASSERT_EQ(back.fields.size(), 1u);
    EXPECT_EQ(back.fields[0].name, QStringLiteral("人口百分率"));
    EXPECT_EQ(back.fields[0].files, (std::vector<QString>{list, QString(), QString()}));
    // The keys follow in the order Cnt, Name, Data1, File1, Data2, …
    EXPECT_EQ(veltra::profile::keyNames(QStringLiteral("Calc1"), path),
        (QStringList{"Cnt", "Name", "Data1", "File1", "Data2", "File2", "Data3", "File3"}));
    EXPECT_EQ(veltra::profile::sectionNames(path), (QStringList{"Comment", "Subject", "Calc1"}));
}

TEST(CalcTemplate, AShorterTemplateOverALongerOneKeepsTheOldSectionsUnread)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("t.cal"));
    CalcTemplate three;
    for (int i = 1; i <= 3; ++i)
        three.fields.push_back(
            field(QStringLiteral("f%1").arg(i), {QString::number(i), "+", "1", "+", "2"}, {}));
    ASSERT_TRUE(writeCalcTemplate(path, three));
    CalcTemplate one;
    one.fields.push_back(field(QStringLiteral("new"), {QStringLiteral("7")}, {}));
    one.fields.push_back(field(QStringLiteral("empty"), {}, {})); // no tokens: not written, no number
    ASSERT_TRUE(writeCalcTemplate(path, one));
    EXPECT_TRUE(veltra::profile::sectionNames(path).contains(QStringLiteral("Calc3")));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(path), 1);
    EXPECT_EQ(
        ComCaldoraNeo::GetCalcExpression(path, 1), QStringLiteral("7")); // Data2.. beyond Cnt stay unread
    const CalcTemplate back = readCalcTemplate(path);
    ASSERT_EQ(back.fields.size(), 1u);
    EXPECT_EQ(back.fields[0].name, QStringLiteral("new"));
}

TEST(CalcTemplate, MultiLineExplanationRoundTripsAndShrinks)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("t.cal"));
    CalcTemplate tmpl;
    tmpl.comment = QStringLiteral("一行目\r\n[二行目]\n三行目");
    tmpl.fields.push_back(field(QStringLiteral("f"), {QStringLiteral("1")}, {}));
    ASSERT_TRUE(writeCalcTemplate(path, tmpl));
    EXPECT_EQ(readCalcComment(path), QStringLiteral("一行目\n[二行目]\n三行目"));
    // A reader that knows only Data sees the first line; no stray section appeared.
    EXPECT_EQ(veltra::profile::getString(QStringLiteral("Comment"), QStringLiteral("Data"), {}, path),
        QStringLiteral("一行目"));
    EXPECT_EQ(veltra::profile::sectionNames(path), (QStringList{"Comment", "Subject", "Calc1"}));
    tmpl.comment = QStringLiteral("一行だけ");
    ASSERT_TRUE(writeCalcTemplate(path, tmpl));
    EXPECT_EQ(readCalcComment(path), QStringLiteral("一行だけ"));
}

TEST(CalcTemplate, FailedWritesLeaveTheFileAsItWas)
{
    TempDir dir;
    CalcTemplate tmpl;
    tmpl.fields.push_back(field(QStringLiteral("f"), {QStringLiteral("1")}, {}));
    QString error;
    EXPECT_FALSE(writeCalcTemplate(dir.file(QStringLiteral("no-folder/t.cal")), tmpl, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(veltra::test::entriesOf(dir.path()).isEmpty());

    const QString path = dir.file(QStringLiteral("t.cal"));
    ASSERT_TRUE(writeCalcTemplate(path, tmpl));
    const QByteArray before = veltra::test::readBytes(path);
    tmpl.fields[0].name = QStringLiteral("絵文字😀"); // CP932 cannot hold it
    EXPECT_FALSE(writeCalcTemplate(path, tmpl));
    EXPECT_EQ(veltra::test::readBytes(path), before);
    EXPECT_EQ(veltra::test::entriesOf(dir.path()), QStringList{QStringLiteral("t.cal")});
}

TEST(CalcTemplate, FieldCountTable)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("t.cal"));
    EXPECT_EQ(ComCaldoraTable::GetFieldCnt(path), 0); // missing file
    struct Row
    {
        const char *value;
        int32_t count;
    };
    for (const Row &r : {Row{"2", 2}, Row{"-3", 3}, Row{"", 0}, Row{"abc", 0}, Row{"0", 0}, Row{"1.5", 2}}) {
        SCOPED_TRACE(r.value);
        ASSERT_TRUE(ComCaldoraTable::WriteIniString(
            QStringLiteral("Subject"), QStringLiteral("FieldCnt"), QString::fromUtf8(r.value), path));
        EXPECT_EQ(ComCaldoraTable::GetFieldCnt(path), r.count);
    }
    EXPECT_FALSE(ComCaldoraTable::WriteIniString(
        QStringLiteral("Subject"), QStringLiteral("FieldCnt"), "1", dir.file(QStringLiteral("none/t.cal"))));
}

TEST(CalcTemplate, ByteLengthsInCp932)
{
    const QString name32 = QString(32, QChar(0x3042)); // あ × 32
    EXPECT_EQ(ComCaldoraTable::GetByteLength(name32), 64);
    EXPECT_EQ(ComCaldoraTable::GetByteLength(QStringLiteral("ｶﾅabc")), 5);
    struct Row
    {
        const char *text;
        int16_t n;
        const char *cut;
    };
    const Row rows[] = {{"人口密", 5, "人口"}, {"人口密", 6, "人口密"}, {"人口密", 0, ""}, {"人口密", -1, ""},
        {"a人b", 2, "a"}, {"a人b", 3, "a人"}, {"ﾃｰﾌﾞﾙ", 3, "ﾃｰﾌ"}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(ComCaldoraTable::CutToByteLength(u(r.text), r.n), u(r.cut));
    }
}

TEST(CalcTemplate, ItemListOfAnotherMachineResolvesUnderTheDataFolder)
{
    TempDir data;
    QDir(data.path()).mkpath(QStringLiteral("etc"));
    veltra::test::writeBytes(data.file(QStringLiteral("etc/R2国勢調査.txt")), "[ﾃﾞｰﾀ種類]\r\n");
    const QString here = data.file(QStringLiteral("etc/R2国勢調査.txt"));
    struct Row
    {
        QString written;
        QString expected;
    };
    const Row rows[] = {
        {QStringLiteral("C:\\Users\\someone\\ZorData\\etc\\R2国勢調査.txt"), here},
        {QStringLiteral("/home/other/veltra/Data/etc/R2国勢調査.txt"), here},
        {QStringLiteral("etc\\R2国勢調査.txt"), here}, // as shipped
        {here, here}, // exists as written
        {QStringLiteral("C:\\Data\\etc\\H27国勢調査.txt"), QString()}, // found nowhere
        {QStringLiteral("C:\\Data\\R2国勢調査.txt"), QString()}, // no etc folder to go by
        {QString(), QString()},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.written.toStdString());
        EXPECT_EQ(QDir::cleanPath(resolveItemListFile(r.written, data.path())), QDir::cleanPath(r.expected));
    }
    // The reader resolves them.
    const QString path = data.file(QStringLiteral("t.cal"));
    CalcTemplate tmpl;
    tmpl.fields.push_back(field(QStringLiteral("f"), {kRef}, {rows[0].written}));
    ASSERT_TRUE(writeCalcTemplate(path, tmpl));
    EXPECT_EQ(QDir::cleanPath(readCalcTemplate(path, data.path()).fields[0].files[0]), QDir::cleanPath(here));
    EXPECT_EQ(readCalcTemplate(path).fields[0].files[0], rows[0].written);
}

TEST(CalcTemplate, FoldersByAreaLevel)
{
    const QString data = QStringLiteral("D:\\Data\\");
    EXPECT_EQ(calcTemplateFolder(data, 0), QStringLiteral("D:\\Data\\計算ﾃﾝﾌﾟﾚｰﾄ\\都道府県"));
    EXPECT_EQ(calcTemplateFolder(data, 1), QStringLiteral("D:\\Data\\計算ﾃﾝﾌﾟﾚｰﾄ\\都道府県"));
    EXPECT_EQ(calcTemplateFolder(data, 2), QStringLiteral("D:\\Data\\計算ﾃﾝﾌﾟﾚｰﾄ\\市区町村"));
    EXPECT_EQ(calcTemplateFolder(data, 3), QStringLiteral("D:\\Data\\計算ﾃﾝﾌﾟﾚｰﾄ\\町丁字"));
    EXPECT_EQ(calcTemplateFolder(data, 4), QString());
}

TEST(CalcTemplate, LevelFoldersAreWholeFolderNamesWhateverTheSeparators)
{
    const struct
    {
        const char *folder;
        std::int16_t level;
        bool matches;
    } cases[] = {
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ/都道府県", 0, true},
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ/都道府県/", 1, true},
        {"D:\\Data\\計算ﾃﾝﾌﾟﾚｰﾄ\\市区町村\\", 2, true},
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ\\町丁字", 3, true},
        {"/d/町丁字/mine", 3, true},
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ/市区町村/", 3, false},
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ/都道府県", 2, false},
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ/都道府県別/", 1, false},
        {"/d/VeltraData/計算ﾃﾝﾌﾟﾚｰﾄ/旧市区町村", 2, false},
        {"", 0, false},
        {"/anything/at/all", 4, true},
        {"", -1, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isLevelFolder(QString::fromUtf8(c.folder), c.level), c.matches) << c.folder << " " << c.level;
}

} // namespace
