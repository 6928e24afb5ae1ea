#include "valuefixture.h"

#include "platform/text/text.h"

#include <QDir>
#include <gtest/gtest.h>

namespace veltra::test {

void ValueFixture::write(const QString &path, const QStringList &lines)
{
    const QString local = QDir::fromNativeSeparators(QString(path).replace(u'\\', u'/'));
    QDir().mkpath(local.left(local.lastIndexOf(u'/')));
    QString error;
    ASSERT_TRUE(text::writeLines(local, lines, &error)) << error.toStdString();
}

QString ValueFixture::windowsForm(const QString &path)
{
    return QString(path).replace(u'/', u'\\');
}

ValueFixture::ValueFixture()
{
    const QString root = windowsForm(dir.path()); // ends in '\'
    m_itemList = root + QStringLiteral("etc\\人口.txt");
    m_prefFolder = root + QStringLiteral("etc\\人口\\都道府県\\人口P");
    m_cityFolder = root + QStringLiteral("etc\\人口\\市区町村\\人口C");
    m_townFolder = root + QStringLiteral("etc\\data.v2\\町丁字\\人口T");

    write(m_itemList,
        {
            QStringLiteral("[ﾃﾞｰﾀ種類]"),
            QStringLiteral("Entry1=都道府県"),
            QStringLiteral("Entry2=市区町村"),
            QStringLiteral("Entry3=町丁字"),
            QStringLiteral("[都道府県]"),
            QStringLiteral("Path=") + root + QStringLiteral("etc\\人口\\都道府県"),
            QStringLiteral("Entry1=人口P"),
            QStringLiteral("[市区町村]"),
            QStringLiteral("Path=") + root + QStringLiteral("etc\\人口\\市区町村\\"),
            QStringLiteral("Entry1=人口C"),
            QStringLiteral("[町丁字]"),
            QStringLiteral("Path=") + root + QStringLiteral("etc\\data.v2\\町丁字"),
            QStringLiteral("Entry1=人口T"),
            QStringLiteral("[人口P]"),
            QStringLiteral("Entry1=人口総数,総数"),
            QStringLiteral("Entry2=男"),
            QStringLiteral("Entry3=女"),
            QStringLiteral("Entry4=世帯数"),
            QStringLiteral("Entry5=\"男,女計\",計"),
            QStringLiteral("Entry7=空きの後"),
            QStringLiteral("[人口C]"),
            QStringLiteral("Entry1=a"),
            QStringLiteral("Entry2=b"),
            QStringLiteral("Entry3=c"),
            QStringLiteral("[人口T]"),
            QStringLiteral("Entry1=x"),
            QStringLiteral("Entry2=y"),
        });

    // Prefecture folder: the first text file by name that is not an index.
    write(m_prefFolder + QStringLiteral("\\PREF.TXT"),
        {
            QStringLiteral("CODE,人口総数,男,女,世帯数,計"),
            QStringLiteral("1,100,-,,40,0"),
            QStringLiteral("13,1300,600,700,-,1300"),
            QStringLiteral(""),
            QStringLiteral("47,abc,1,2,3"),
        });
    write(m_prefFolder + QStringLiteral("\\zz.txt"), {QStringLiteral("CODE,x"), QStringLiteral("13,999")});
    write(m_prefFolder + QStringLiteral("\\00Index.txt"), {QStringLiteral("[Index]")});
    write(m_prefFolder + QStringLiteral("\\FileIndex.txt"), {QStringLiteral("[FileName]")});

    write(m_cityFolder + QStringLiteral("\\FileIndex.txt"),
        {QStringLiteral("[FileName]"), QStringLiteral("Code13=13.txt"), QStringLiteral("Code1=01.txt")});
    write(m_cityFolder + QStringLiteral("\\13.txt"),
        {
            QStringLiteral("CODE,a,b,c"),
            QStringLiteral("13101,5,-,7"),
            QStringLiteral("1310100,8,9,10"),
            QStringLiteral("13102,1"),
            QStringLiteral("13102,3,4,5"),
            QStringLiteral("13103,-,-,-"),
            QStringLiteral("1310400,11,12,13"),
            QStringLiteral("  13105 , 6 ,7"),
        });
    write(m_cityFolder + QStringLiteral("\\01.txt"),
        {QStringLiteral("CODE,a,b,c"), QStringLiteral("1101,10,20,30"), QStringLiteral("1102,1，2,3")});

    // Town blocks: the record index deliberately starts 13101 at line 2, so a
    // lookup that honours it cannot see line 1.
    write(m_townFolder + QStringLiteral("\\FileIndex.txt"),
        {QStringLiteral("[FileName]"), QStringLiteral("Code13=13.txt")});
    write(m_townFolder + QStringLiteral("\\13.txt"),
        {
            QStringLiteral("CODE,x,y"),
            QStringLiteral("13101001001,1,2"),
            QStringLiteral("13101001002,3,4"),
            QStringLiteral("13102001001,5,6"),
            QStringLiteral("13102001002,7,-"),
            QStringLiteral("13103001001,9,9"),
        });
    write(m_townFolder + QStringLiteral("\\13Index.txt"),
        {QStringLiteral("[Index]"), QStringLiteral("13101=2"), QStringLiteral("13102=3")});
}

} // namespace veltra::test
