#include "exceltemplates/layouts.h"
#include "openpyxlreadback.h"
#include "platform/spreadsheet/workbook.h"
#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <gtest/gtest.h>

using namespace veltra::exceltemplates;
using veltra::spreadsheet::Shape;
using veltra::spreadsheet::Workbook;
using veltra::test::u;

namespace {

QString generated(int index)
{
    return QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/ExcelTemp/") + templateFileName(index);
}

TEST(ExcelTemplates, theLayoutsAreEightDifferentA4Pages)
{
    int landscape = 0;
    for (size_t i = 0; i < layouts().size(); ++i) {
        const Layout &l = layouts()[i];
        landscape += l.landscape;
        const QRect page = l.landscape ? QRect(0, 0, 15, 34) : QRect(0, 0, 10, 50);
        for (const QRect &area : {l.title, l.map, l.legend})
            EXPECT_TRUE(page.contains(area)) << "layout " << i + 1 << " leaves its page";
        EXPECT_FALSE(l.title.intersects(l.map) || l.title.intersects(l.legend) || l.map.intersects(l.legend))
            << "layout " << i + 1 << " overlaps";
        for (size_t j = 0; j < i; ++j) {
            const Layout &o = layouts()[j];
            EXPECT_FALSE(o.landscape == l.landscape && o.title == l.title && o.map == l.map && o.legend == l.legend)
                << "layouts " << j + 1 << " and " << i + 1 << " are the same";
        }
    }
    EXPECT_EQ(landscape, 4);
}

TEST(ExcelTemplates, theGeneratedTemplatesHoldTheThreeShapesAtTheirLayout)
{
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(templateFileName(i).toStdString());
        Workbook book;
        QString error;
        ASSERT_TRUE(book.open(generated(i), &error)) << error.toStdString();
        const std::vector<Shape> shapes = book.shapes();
        ASSERT_EQ(shapes.size(), 3u);
        const Layout &l = layouts()[size_t(i)];
        const struct
        {
            QString name;
            QRect cells;
        } expected[] = {{u("タイトル欄"), l.title}, {u("地図描画域"), l.map}, {u("凡例描画域"), l.legend}};
        for (const auto &e : expected) {
            const auto s = book.shape(e.name);
            ASSERT_TRUE(s && s->from) << e.name.toStdString();
            EXPECT_FALSE(s->picture);
            EXPECT_EQ(s->from->column, e.cells.x());
            EXPECT_EQ(s->from->row, e.cells.y());
        }
        EXPECT_TRUE(book.shape(u("タイトル欄"))->hasTextBody);

        // The file is what the layout builds, byte for byte: generation is
        // deterministic and the build's copy is current.
        QByteArray zip;
        ASSERT_TRUE(buildTemplate(l).toZip(zip));
        EXPECT_EQ(veltra::test::readBytes(generated(i)), zip);
    }
}

TEST(ExcelTemplates, openpyxlLoadsEveryGeneratedTemplate)
{
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(templateFileName(i).toStdString());
        const auto back = veltra::test::readBackWithOpenpyxl(generated(i));
        if (back.unavailable)
            GTEST_SKIP() << "no python3 with openpyxl and Pillow (Debian python3-openpyxl, python3-pil)";
        ASSERT_EQ(back.error, QString());
        EXPECT_EQ(back.result.value(QStringLiteral("orientation")).toString(),
            layouts()[size_t(i)].landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
        EXPECT_TRUE(back.result.value(QStringLiteral("images")).toArray().isEmpty());
    }
}

TEST(ExcelTemplates, writingIntoAFolderThatCannotBeMadeFails)
{
    veltra::test::TempDir dir;
    veltra::test::writeBytes(dir.file(QStringLiteral("file")), "x");
    QString error;
    EXPECT_FALSE(writeTemplates(dir.file(QStringLiteral("file/ExcelTemp")), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(writeTemplates(dir.file(QStringLiteral("ExcelTemp")), &error)) << error.toStdString();
    EXPECT_EQ(QDir(dir.file(QStringLiteral("ExcelTemp"))).entryList(QDir::Files).size(), 8);
}

} // namespace
