#include "exceltemplates/layouts.h"
#include "openpyxlreadback.h"
#include "platform/spreadsheet/package.h"
#include "platform/spreadsheet/workbook.h"
#include "testsupport.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace veltra::spreadsheet;
using veltra::exceltemplates::buildTemplate;
using veltra::exceltemplates::layouts;
using veltra::test::u;

namespace {

const QString kTitle = u("タイトル欄");
const QString kMap = u("地図描画域");
const QString kLegend = u("凡例描画域");

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// What an export does: the template's copy filled and saved as `output`.
struct Fill
{
    QString title = u("2020年 人口");
    QByteArray map = png(300, 200);
    QByteArray legend = png(120, 240);
};

bool fill(const QString &templatePath, const QString &output, const Fill &with)
{
    Workbook book;
    if (!book.open(templatePath))
        return false;
    book.setShapeText(kTitle, with.title);
    book.insertPicture(kMap, with.map, u("地図"));
    book.deleteShape(kMap);
    book.insertPicture(kLegend, with.legend, u("凡例"));
    book.deleteShape(kLegend);
    return book.save(output);
}

// Every relationship of the package points at a part, and every part has a
// content type: what a reader needs to open it.
std::string inconsistencies(const Package &p)
{
    std::string out;
    const QByteArray types = p.part(QStringLiteral("[Content_Types].xml"));
    for (const QString &name : p.partNames()) {
        if (name == QLatin1String("[Content_Types].xml"))
            continue;
        const QString extension = name.mid(name.lastIndexOf(u'.') + 1);
        if (!types.contains(("PartName=\"/" + name + '"').toUtf8())
            && !types.contains(("Extension=\"" + extension + '"').toUtf8()))
            out += "no content type: " + name.toStdString() + '\n';
        if (!name.endsWith(QLatin1String(".rels")))
            continue;
        QString source = name;
        source.chop(5);
        source.remove(QStringLiteral("_rels/"));
        static const QRegularExpression target(QStringLiteral("Target=\"([^\"]+)\""));
        for (const auto &m : target.globalMatch(QString::fromUtf8(p.part(name)))) {
            if (!p.hasPart(resolveTarget(source, m.captured(1))))
                out += "dangling: " + name.toStdString() + " -> " + m.captured(1).toStdString() + '\n';
        }
    }
    for (const auto &m : QRegularExpression(QStringLiteral("PartName=\"/([^\"]+)\"")).globalMatch(QString::fromUtf8(types))) {
        if (!p.hasPart(m.captured(1)))
            out += "content type of a missing part: " + m.captured(1).toStdString() + '\n';
    }
    return out;
}

QStringList mediaOf(const Package &p)
{
    return p.partNames().filter(QRegularExpression(QStringLiteral("^xl/media/")));
}

class SpreadsheetWorkbook : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(buildTemplate(layouts()[GetParam()]).save(templatePath()));
    }
    QString templatePath() const { return m_dir.file(QStringLiteral("VeltraTemp.xlsx")); }
    QString outputPath() const { return m_dir.file(QStringLiteral("Veltra.xlsx")); }
    veltra::test::TempDir m_dir;
};

TEST_P(SpreadsheetWorkbook, fillingPutsTitleAndPicturesAtThePlaceholdersAndRemovesThem)
{
    Workbook original;
    ASSERT_TRUE(original.open(templatePath()));
    const auto titleShape = original.shape(kTitle);
    const auto mapShape = original.shape(kMap);
    const auto legendShape = original.shape(kLegend);
    ASSERT_TRUE(titleShape && mapShape && legendShape);
    ASSERT_TRUE(titleShape->hasTextBody);

    ASSERT_TRUE(fill(templatePath(), outputPath(), Fill()));

    Workbook filled;
    ASSERT_TRUE(filled.open(outputPath()));
    EXPECT_FALSE(filled.shape(kMap));
    EXPECT_FALSE(filled.shape(kLegend));
    const auto title = filled.shape(kTitle);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text, Fill().title);
    EXPECT_EQ(title->from, titleShape->from) << "the title keeps its place";
    const auto map = filled.shape(u("地図"));
    const auto legend = filled.shape(u("凡例"));
    ASSERT_TRUE(map && legend);
    EXPECT_TRUE(map->picture && legend->picture);
    EXPECT_EQ(map->from, mapShape->from);
    EXPECT_EQ(legend->from, legendShape->from);

    Package package;
    ASSERT_TRUE(package.load(outputPath()));
    EXPECT_EQ(inconsistencies(package), "");
    EXPECT_EQ(mediaOf(package).size(), 2);

    // An independent reader sees the same: two images at the placeholders'
    // cells, sized from their pixels.
    const auto back = veltra::test::readBackWithOpenpyxl(outputPath());
    if (back.unavailable)
        GTEST_SKIP() << "no python3 with openpyxl and Pillow (Debian python3-openpyxl, python3-pil)";
    ASSERT_EQ(back.error, QString());
    const QJsonArray images = back.result.value(QStringLiteral("images")).toArray();
    ASSERT_EQ(images.size(), 2);
    std::set<std::tuple<int, int, int, int>> seen;
    for (const auto &image : images) {
        const QJsonObject o = image.toObject();
        seen.insert({o[QStringLiteral("col")].toInt(), o[QStringLiteral("row")].toInt(),
            o[QStringLiteral("width")].toInt(), o[QStringLiteral("height")].toInt()});
    }
    const std::set<std::tuple<int, int, int, int>> expected{
        {mapShape->from->column, mapShape->from->row, 300, 200},
        {legendShape->from->column, legendShape->from->row, 120, 240}};
    EXPECT_EQ(seen, expected);
}

TEST_P(SpreadsheetWorkbook, aSecondExportStartsFromTheTemplateAgain)
{
    ASSERT_TRUE(fill(templatePath(), outputPath(), Fill()));
    Fill second;
    second.title = u("二回目");
    second.map = png(50, 60);
    ASSERT_TRUE(fill(templatePath(), outputPath(), second));

    Workbook book;
    ASSERT_TRUE(book.open(outputPath()));
    EXPECT_EQ(book.shape(kTitle)->text, second.title);
    int pictures = 0;
    for (const Shape &s : book.shapes())
        pictures += s.picture;
    EXPECT_EQ(pictures, 2);
    Package package;
    ASSERT_TRUE(package.load(outputPath()));
    ASSERT_EQ(mediaOf(package).size(), 2);
    EXPECT_TRUE(mediaOf(package).contains(QStringLiteral("xl/media/image1.png")));
    EXPECT_EQ(package.part(QStringLiteral("xl/media/image1.png")), second.map);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, SpreadsheetWorkbook, ::testing::Range(0, 8));

class SpreadsheetEdits : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(buildTemplate(layouts()[0]).save(templatePath()));
    }
    QString templatePath() const { return m_dir.file(QStringLiteral("VeltraTemp1.xlsx")); }
    QString outputPath() const { return m_dir.file(QStringLiteral("Veltra.xlsx")); }
    veltra::test::TempDir m_dir;
};

TEST_F(SpreadsheetEdits, aTemplateWithoutTheLegendPlaceholderStillSaves)
{
    {
        Workbook book;
        ASSERT_TRUE(book.open(templatePath()));
        ASSERT_TRUE(book.deleteShape(kLegend));
        ASSERT_TRUE(book.save(templatePath()));
    }
    Workbook book;
    ASSERT_TRUE(book.open(templatePath()));
    QString error;
    EXPECT_TRUE(book.setShapeText(kTitle, u("題"), &error));
    EXPECT_TRUE(book.insertPicture(kMap, png(10, 10), u("地図")));
    EXPECT_TRUE(book.deleteShape(kMap));
    EXPECT_FALSE(book.insertPicture(kLegend, png(10, 10), u("凡例"), &error));
    EXPECT_TRUE(error.contains(kLegend)) << error.toStdString();
    EXPECT_FALSE(book.deleteShape(kLegend));
    ASSERT_TRUE(book.save(outputPath(), &error)) << error.toStdString();

    Workbook saved;
    ASSERT_TRUE(saved.open(outputPath()));
    ASSERT_EQ(saved.shapes().size(), 2u);
    EXPECT_EQ(saved.shape(kTitle)->text, u("題"));
    EXPECT_TRUE(saved.shape(u("地図"))->picture);
}

TEST_F(SpreadsheetEdits, aFailingSaveLeavesTheTargetUntouched)
{
    const QByteArray before = QByteArrayLiteral("the previous workbook");
    veltra::test::writeBytes(outputPath(), before);
    const QStringList entries = veltra::test::entriesOf(m_dir.path());
    Workbook book;
    ASSERT_TRUE(book.open(templatePath()));
    ASSERT_TRUE(book.insertPicture(kMap, png(640, 480), u("地図")));
    QString error;
    {
        veltra::test::NoFileWrites full;
        ASSERT_TRUE(full.ok());
        EXPECT_FALSE(book.save(outputPath(), &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(veltra::test::readBytes(outputPath()), before);
    EXPECT_EQ(veltra::test::entriesOf(m_dir.path()), entries) << "no copy left behind";

    // Into a folder that does not exist: refused with a reason, nothing made.
    EXPECT_FALSE(book.save(m_dir.file(QStringLiteral("missing/Veltra.xlsx")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(SpreadsheetEdits, shapeTextKeepsTheLookAndSplitsLines)
{
    Workbook book;
    ASSERT_TRUE(book.open(templatePath()));
    const QString text = u("一行目 <&> \"x\"\r\n\n三行目");
    ASSERT_TRUE(book.setShapeText(kTitle, text));
    ASSERT_TRUE(book.save(outputPath()));

    Workbook saved;
    ASSERT_TRUE(saved.open(outputPath()));
    EXPECT_EQ(saved.shape(kTitle)->text, u("一行目 <&> \"x\"\n\n三行目"));
    Package package;
    ASSERT_TRUE(package.load(outputPath()));
    const QString drawing = QString::fromUtf8(package.part(QStringLiteral("xl/drawings/drawing1.xml")));
    // The template's 18 pt bold centred title, on every written line.
    EXPECT_EQ(drawing.count(QStringLiteral("sz=\"1800\"")), 3);
    EXPECT_EQ(drawing.count(QStringLiteral("algn=\"ctr\"")), 3);

    // An empty title leaves one empty paragraph.
    ASSERT_TRUE(book.setShapeText(kTitle, QString()));
    EXPECT_EQ(book.shape(kTitle)->text, QString());
}

TEST_F(SpreadsheetEdits, refusalsNameTheirReason)
{
    Workbook book;
    ASSERT_TRUE(book.open(templatePath()));
    QString error;
    // The placeholders carry no text body.
    EXPECT_FALSE(book.setShapeText(kMap, u("x"), &error));
    EXPECT_TRUE(error.contains(kMap)) << error.toStdString();
    error.clear();
    EXPECT_FALSE(book.insertPicture(kMap, QByteArrayLiteral("GIF89a not a png"), u("地図"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(book.setShapeText(u("ない図形"), u("x"), &error));
    EXPECT_TRUE(error.contains(u("ない図形")));
    // Nothing of the refused picture got in.
    ASSERT_TRUE(book.save(outputPath()));
    Package package;
    ASSERT_TRUE(package.load(outputPath()));
    EXPECT_TRUE(mediaOf(package).isEmpty());
    EXPECT_EQ(inconsistencies(package), "");
}

TEST_F(SpreadsheetEdits, deletingAPictureDropsItsMediaAndRelationship)
{
    Workbook book;
    ASSERT_TRUE(book.open(templatePath()));
    ASSERT_TRUE(book.insertPicture(kMap, png(20, 20), u("地図")));
    ASSERT_TRUE(book.insertPicture(kLegend, png(30, 30), u("凡例")));
    ASSERT_TRUE(book.deleteShape(u("地図")));
    ASSERT_TRUE(book.save(outputPath()));

    Package package;
    ASSERT_TRUE(package.load(outputPath()));
    EXPECT_EQ(mediaOf(package), QStringList{QStringLiteral("xl/media/image2.png")});
    EXPECT_EQ(inconsistencies(package), "");
    EXPECT_FALSE(package.part(QStringLiteral("xl/drawings/_rels/drawing1.xml.rels")).contains("image1.png"));
}

TEST_F(SpreadsheetEdits, unreadableFilesAreRefusedWithAReason)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"not a zip file", QByteArrayLiteral("plain text, no workbook")},
        {"an empty file", QByteArray()},
        {"a truncated workbook", veltra::test::readBytes(templatePath()).left(600)},
    };
    for (const auto &c : cases) {
        const QString path = m_dir.file(QStringLiteral("broken.xlsx"));
        veltra::test::writeBytes(path, c.bytes);
        Workbook book;
        QString error;
        EXPECT_FALSE(book.open(path, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_TRUE(book.shapes().empty()) << c.what;
        EXPECT_FALSE(book.save(outputPath())) << c.what << ": nothing to save";
    }
    Workbook book;
    QString error;
    EXPECT_FALSE(book.open(m_dir.file(QStringLiteral("none.xlsx")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SpreadsheetPackage, targetsResolveAgainstTheirSourcePart)
{
    const struct
    {
        const char *source, *target, *resolved;
    } cases[] = {
        {"xl/drawings/drawing1.xml", "../media/image1.png", "xl/media/image1.png"},
        {"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
        {"", "xl/workbook.xml", "xl/workbook.xml"},
        {"xl/worksheets/sheet1.xml", "/xl/drawings/drawing1.xml", "xl/drawings/drawing1.xml"},
        {"xl/a.xml", "./b/../c.xml", "xl/c.xml"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(resolveTarget(QString::fromUtf8(c.source), QString::fromUtf8(c.target)), QString::fromUtf8(c.resolved))
            << c.source << " + " << c.target;
    EXPECT_EQ(relationshipsPartOf(QStringLiteral("xl/workbook.xml")), QStringLiteral("xl/_rels/workbook.xml.rels"));
    EXPECT_EQ(relationshipsPartOf(QString()), QStringLiteral("_rels/.rels"));
}

TEST(SpreadsheetPackage, writingIsDeterministicAndKeepsThePartsInOrder)
{
    veltra::test::TempDir dir;
    const Package built = buildTemplate(layouts()[4]);
    ASSERT_TRUE(built.save(dir.file(QStringLiteral("a.xlsx"))));
    ASSERT_TRUE(built.save(dir.file(QStringLiteral("b.xlsx"))));
    EXPECT_EQ(veltra::test::readBytes(dir.file(QStringLiteral("a.xlsx"))),
        veltra::test::readBytes(dir.file(QStringLiteral("b.xlsx"))));
    Package read;
    ASSERT_TRUE(read.load(dir.file(QStringLiteral("a.xlsx"))));
    EXPECT_EQ(read.partNames(), built.partNames());
    for (const QString &name : built.partNames())
        EXPECT_EQ(read.part(name), built.part(name)) << name.toStdString();
}

} // namespace
