// The first worksheet's page and grid: anchors placed on the sheet in pixels
// through custom column widths and row heights, the page set-up read back.
#include "exceltemplates/layouts.h"
#include "platform/spreadsheet/package.h"
#include "platform/spreadsheet/workbook.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace veltra::spreadsheet;

namespace {

// A generated template whose worksheet part is replaced by `sheetXml`.
QString templateWithSheet(const veltra::test::TempDir &dir, const QString &sheetXml)
{
    Package p = veltra::exceltemplates::buildTemplate(veltra::exceltemplates::layouts()[0]);
    p.setPart(QStringLiteral("xl/worksheets/sheet1.xml"), sheetXml.toUtf8());
    const QString path = dir.file(QStringLiteral("t.xlsx"));
    EXPECT_TRUE(p.save(path));
    return path;
}

const QString kSheetStart
    = QStringLiteral("<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                     "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">");
const QString kSheetEnd = QStringLiteral("<drawing r:id=\"rId1\"/></worksheet>");

TEST(SheetPage, AnchorsFollowCustomColumnsAndRows)
{
    veltra::test::TempDir dir;
    // Columns B:C 20 characters (145 px), D hidden; row 2 30 pt (40 px),
    // row 4 hidden; the rest 10 characters (75 px) by 18 pt (24 px).
    Workbook book;
    ASSERT_TRUE(book.open(templateWithSheet(dir,
        kSheetStart
            + QStringLiteral("<sheetFormatPr defaultColWidth=\"10\" defaultRowHeight=\"18\"/>"
                             "<cols><col min=\"2\" max=\"3\" width=\"20\" customWidth=\"1\"/>"
                             "<col min=\"4\" max=\"4\" width=\"9\" hidden=\"1\"/></cols>"
                             "<sheetData><row r=\"2\" ht=\"30\" customHeight=\"1\"/><row r=\"4\" "
                             "hidden=\"1\"/></sheetData>"
                             "<pageMargins left=\"0.25\" right=\"0.3\" top=\"1\" bottom=\"0.4\" header=\"0\" "
                             "footer=\"0\"/>"
                             "<pageSetup paperSize=\"1\" orientation=\"landscape\"/>")
            + kSheetEnd)));
    const SheetPage &page = book.page();
    struct Row
    {
        CellAnchor at;
        QPointF px;
    };
    const Row rows[] = {
        {{0, 0, 0, 0}, {0, 0}},
        {{1, 1, 0, 0}, {75, 24}},
        {{3, 2, 0, 0}, {75 + 145 + 145, 24 + 40}},
        {{4, 4, 0, 0}, {75 + 145 + 145, 24 + 40 + 24}}, // past the hidden column and row
        {{5, 5, 9525 * 10, 9525 * 3}, {75 + 145 + 145 + 75 + 10, 24 + 40 + 24 + 24 + 3}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.at.column) + "," + std::to_string(row.at.row));
        EXPECT_EQ(page.pointOf(row.at), row.px);
    }
    EXPECT_TRUE(page.landscape);
    EXPECT_EQ(page.orientedPaper(), QSizeF(11, 8.5));
    EXPECT_EQ(page.margins, QMarginsF(0.25, 1, 0.3, 0.4));
    EXPECT_FALSE(page.horizontalCentered);
}

TEST(SheetPage, TheGeneratedTemplatesAreA4OnAGridOf64By20Pixels)
{
    veltra::test::TempDir dir;
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const QString path = dir.file(QStringLiteral("t%1.xlsx").arg(i));
        ASSERT_TRUE(veltra::exceltemplates::buildTemplate(veltra::exceltemplates::layouts()[i]).save(path));
        Workbook book;
        ASSERT_TRUE(book.open(path));
        const SheetPage &page = book.page();
        EXPECT_EQ(page.landscape, veltra::exceltemplates::layouts()[i].landscape);
        EXPECT_EQ(page.paper, QSizeF(8.27, 11.69));
        EXPECT_TRUE(page.horizontalCentered);
        EXPECT_EQ(page.pointOf({3, 7, 0, 0}), QPointF(3 * 64, 7 * 20));
        const auto map = book.shape(QStringLiteral("地図描画域"));
        ASSERT_TRUE(map && map->to);
        EXPECT_EQ(map->to->column - map->from->column, veltra::exceltemplates::layouts()[i].map.width());
    }
}

} // namespace
