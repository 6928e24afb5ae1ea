#include "exceltemplates/layouts.h"

#include "platform/spreadsheet/workbook.h"

#include <QDir>
#include <QStringList>

namespace veltra::exceltemplates {

namespace {

using spreadsheet::kEmuPerPixel;

// The grid: columns of 64 px (width 8.43 in an 11 pt font), rows of 20 px
// (15 pt). Portrait 10 x 50 cells (6.7 x 10.4 in), landscape 15 x 34 cells
// (10 x 7.1 in): both fit an A4 page inside half-inch margins.
constexpr int kCellWidthPx = 64;
constexpr int kCellHeightPx = 20;

QByteArray xml(const QString &body)
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n") + body.toUtf8();
}

QString anchorPoint(const char *tag, int col, int row)
{
    return QStringLiteral("<xdr:%1><xdr:col>%2</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>%3</xdr:row>"
                          "<xdr:rowOff>0</xdr:rowOff></xdr:%1>")
        .arg(QLatin1String(tag))
        .arg(col)
        .arg(row);
}

// One rectangle over a range of cells; `text` empty gives no text body.
QString shape(int id, const QString &name, const QRect &cells, const QString &outline, const QString &fill,
    const QString &text)
{
    const qint64 x = qint64(cells.x()) * kCellWidthPx * kEmuPerPixel;
    const qint64 y = qint64(cells.y()) * kCellHeightPx * kEmuPerPixel;
    const qint64 cx = qint64(cells.width()) * kCellWidthPx * kEmuPerPixel;
    const qint64 cy = qint64(cells.height()) * kCellHeightPx * kEmuPerPixel;
    QString out = QStringLiteral("<xdr:twoCellAnchor>") + anchorPoint("from", cells.x(), cells.y())
        + anchorPoint("to", cells.x() + cells.width(), cells.y() + cells.height())
        + QStringLiteral("<xdr:sp macro=\"\" textlink=\"\"><xdr:nvSpPr><xdr:cNvPr id=\"%1\" name=\"%2\"/>"
                         "<xdr:cNvSpPr/></xdr:nvSpPr><xdr:spPr><a:xfrm><a:off x=\"%3\" y=\"%4\"/>"
                         "<a:ext cx=\"%5\" cy=\"%6\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>")
              .arg(id)
              .arg(name)
              .arg(x)
              .arg(y)
              .arg(cx)
              .arg(cy)
        + (fill.isEmpty() ? QStringLiteral("<a:noFill/>")
                          : QStringLiteral("<a:solidFill><a:srgbClr val=\"%1\"/></a:solidFill>").arg(fill))
        + QStringLiteral("<a:ln w=\"9525\"><a:solidFill><a:srgbClr val=\"%1\"/></a:solidFill>%2</a:ln></xdr:spPr>")
              .arg(outline, fill.isEmpty() ? QString() : QStringLiteral("<a:prstDash val=\"dash\"/>"));
    if (!text.isEmpty()) {
        out += QStringLiteral("<xdr:txBody><a:bodyPr vertOverflow=\"clip\" wrap=\"square\" rtlCol=\"0\" anchor=\"ctr\"/>"
                              "<a:lstStyle/><a:p><a:pPr algn=\"ctr\"/><a:r><a:rPr lang=\"ja-JP\" altLang=\"en-US\" "
                              "sz=\"1800\" b=\"1\"><a:solidFill><a:srgbClr val=\"000000\"/></a:solidFill>"
                              "<a:latin typeface=\"IPAexGothic\"/><a:ea typeface=\"IPAexGothic\"/></a:rPr>"
                              "<a:t>%1</a:t></a:r></a:p></xdr:txBody>")
                   .arg(text);
    }
    return out + QStringLiteral("</xdr:sp><xdr:clientData/></xdr:twoCellAnchor>");
}

QString drawing(const Layout &layout)
{
    return QStringLiteral("<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
                          "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">")
        + shape(2, QStringLiteral("地図描画域"), layout.map, QStringLiteral("7F7F7F"), QStringLiteral("F2F2F2"), {})
        + shape(3, QStringLiteral("凡例描画域"), layout.legend, QStringLiteral("7F7F7F"), QStringLiteral("F2F2F2"), {})
        + shape(4, QStringLiteral("タイトル欄"), layout.title, QStringLiteral("404040"), {}, QStringLiteral("タイトル"))
        + QStringLiteral("</xdr:wsDr>");
}

QString worksheet(const Layout &layout)
{
    const int columns = layout.landscape ? 15 : 10;
    const int rows = layout.landscape ? 34 : 50;
    return QStringLiteral(
               "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
               "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
               "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><dimension ref=\"A1:%3%4\"/>"
               "<sheetViews><sheetView showGridLines=\"0\" tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
               "<sheetFormatPr defaultRowHeight=\"15\"/>"
               "<cols><col min=\"1\" max=\"%1\" width=\"8.43\" customWidth=\"1\"/></cols><sheetData/>"
               "<printOptions horizontalCentered=\"1\"/>"
               "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.5\" bottom=\"0.5\" header=\"0.3\" footer=\"0.3\"/>"
               "<pageSetup paperSize=\"9\" orientation=\"%2\" fitToWidth=\"1\" fitToHeight=\"1\"/>"
               "<drawing r:id=\"rId1\"/></worksheet>")
        .arg(columns)
        .arg(layout.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"))
        .arg(QChar(u'A' + columns - 1))
        .arg(rows);
}

const char kStyles[]
    = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<fonts count=\"1\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"IPAexGothic\"/><family val=\"3\"/>"
      "<charset val=\"128\"/></font></fonts>"
      "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
      "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
      "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
      "<cellStyles count=\"1\"><cellStyle name=\"標準\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
      "</styleSheet>";

} // namespace

const std::array<Layout, 8> &layouts()
{
    // Portrait pages are 10 x 50 cells, landscape ones 15 x 34.
    static const std::array<Layout, 8> all{{
        // Title on top, the map below it, the legend in the lower left.
        {false, QRect(0, 0, 10, 4), QRect(0, 5, 10, 33), QRect(0, 39, 5, 11)},
        // Title on top, the map below it, the legend in the lower right.
        {false, QRect(0, 0, 10, 4), QRect(0, 5, 10, 29), QRect(5, 35, 5, 15)},
        // The map on top, the legend below it on the left, the title at the foot.
        {false, QRect(0, 46, 10, 4), QRect(0, 0, 10, 33), QRect(0, 34, 6, 11)},
        // Title on top, the legend in the upper left, the map over the rest.
        {false, QRect(0, 0, 10, 4), QRect(0, 17, 10, 33), QRect(0, 5, 4, 11)},
        // Title across the top, the map on the left, the legend on the right.
        {true, QRect(0, 0, 15, 3), QRect(0, 4, 11, 30), QRect(11, 4, 4, 14)},
        // Title across the top, the legend on the left, the map on the right.
        {true, QRect(0, 0, 15, 3), QRect(4, 4, 11, 30), QRect(0, 4, 4, 14)},
        // The map on the left, the legend lower right, the title at the foot.
        {true, QRect(0, 31, 15, 3), QRect(0, 0, 11, 30), QRect(11, 14, 4, 16)},
        // The map over the full height on the left; title and legend on the right.
        {true, QRect(11, 0, 4, 6), QRect(0, 0, 11, 34), QRect(11, 7, 4, 15)},
    }};
    return all;
}

QString templateFileName(int index)
{
    return QStringLiteral("VeltraTemp%1.xlsx").arg(index + 1);
}

spreadsheet::Package buildTemplate(const Layout &layout)
{
    spreadsheet::Package p;
    p.setPart(QStringLiteral("[Content_Types].xml"),
        xml(QStringLiteral(
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Override PartName=\"/xl/workbook.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
            "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
            "<Override PartName=\"/xl/styles.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
            "<Override PartName=\"/xl/drawings/drawing1.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/></Types>")));
    p.setPart(QStringLiteral("_rels/.rels"),
        xml(QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                           "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>")));
    p.setPart(QStringLiteral("xl/workbook.xml"),
        xml(QStringLiteral("<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                           "<bookViews><workbookView/></bookViews><sheets><sheet name=\"レイアウト\" sheetId=\"1\" "
                           "r:id=\"rId1\"/></sheets></workbook>")));
    p.setPart(QStringLiteral("xl/_rels/workbook.xml.rels"),
        xml(QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                           "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                           "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                           "relationships/styles\" Target=\"styles.xml\"/></Relationships>")));
    p.setPart(QStringLiteral("xl/styles.xml"), xml(QString::fromUtf8(kStyles)));
    p.setPart(QStringLiteral("xl/worksheets/sheet1.xml"), xml(worksheet(layout)));
    p.setPart(QStringLiteral("xl/worksheets/_rels/sheet1.xml.rels"),
        xml(QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                           "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                           "relationships/drawing\" Target=\"../drawings/drawing1.xml\"/></Relationships>")));
    p.setPart(QStringLiteral("xl/drawings/drawing1.xml"), xml(drawing(layout)));
    return p;
}

bool writeTemplates(const QString &folder, QString *error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("フォルダを作成できません: %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    for (int i = 0; i < int(layouts().size()); ++i) {
        if (!buildTemplate(layouts()[i]).save(QDir(folder).filePath(templateFileName(i)), error))
            return false;
    }
    return true;
}

} // namespace veltra::exceltemplates
