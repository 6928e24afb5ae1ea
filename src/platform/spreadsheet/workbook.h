#pragma once
// An .xlsx workbook whose first worksheet's drawing is edited by shape name:
// a shape's text set, a PNG picture put at a shape's top-left corner, shapes
// deleted. Everything else in the package is kept byte for byte.
//
// Positions are those of the drawing's anchors: a cell (zero-based column
// and row) with an offset inside it in EMU (914400 to the inch). A picture is
// anchored at one cell and sized from its pixels at 96 dpi (9525 EMU a pixel).
// Saving keeps the package consistent: a new picture gets its media part, its
// relationship and its content type; a deleted picture's relationship goes,
// and its media part too when nothing else refers to it.
//
//   Workbook book;
//   if (!book.open(copyOfTemplate, &error)) ...
//   book.setShapeText(u"タイトル欄"_s, title);      // each step may fail alone
//   book.insertPicture(u"地図描画域"_s, png, u"地図"_s);
//   book.deleteShape(u"地図描画域"_s);
//   if (!book.save(output, &error)) ...
#include "platform/spreadsheet/package.h"

#include <QByteArray>
#include <QMarginsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

namespace veltra::spreadsheet {

// EMU in one pixel at 96 dpi.
inline constexpr qint64 kEmuPerPixel = 9525;

struct CellAnchor
{
    int column = 0; // zero-based
    int row = 0; // zero-based
    qint64 columnOffset = 0; // EMU
    qint64 rowOffset = 0; // EMU
    bool operator==(const CellAnchor &) const = default;
};

struct Shape
{
    QString name;
    // The top-left corner; none for a shape placed by absolute position.
    std::optional<CellAnchor> from;
    // The bottom-right corner of a shape anchored at two cells.
    std::optional<CellAnchor> to;
    // The size in EMU of a shape anchored at one cell (or placed absolutely).
    qint64 width = 0;
    qint64 height = 0;
    bool picture = false;
    bool hasTextBody = false;
    QString text; // the paragraphs joined with '\n'
};

// The first worksheet's page and grid, to place its drawing on paper.
// Sizes of the grid are in pixels at 96 dpi, the page's in inches.
struct SheetPage
{
    bool landscape = false;
    QSizeF paper{8.27, 11.69}; // portrait; A4 unless the sheet names Letter
    QMarginsF margins{0.7, 0.75, 0.7, 0.75}; // the format's defaults
    bool horizontalCentered = false;
    double defaultColumnWidth = 64;
    double defaultRowHeight = 20;
    std::map<int, double> columnWidths; // zero-based column -> px
    std::map<int, double> rowHeights; // zero-based row -> px

    // The paper as printed: the long side across in landscape.
    QSizeF orientedPaper() const;
    // Where an anchor lies, in px from the sheet's top-left corner.
    QPointF pointOf(const CellAnchor &anchor) const;
};

class Workbook
{
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    // Reads the workbook and its first worksheet's drawing (a first sheet
    // without a drawing has no shapes). False with a Japanese reason.
    bool open(const QString &path, QString *error = nullptr);

    // The shapes at the top of the first worksheet's drawing, in drawing order.
    std::vector<Shape> shapes() const;
    std::optional<Shape> shape(const QString &name) const;
    // The first worksheet's page set-up and grid.
    const SheetPage &page() const { return m_page; }

    // Replaces the text of a shape with a text body, one paragraph a line;
    // the first paragraph's and first run's formatting are kept.
    bool setShapeText(const QString &name, const QString &text, QString *error = nullptr);
    // Puts a PNG picture named `pictureName` on top of the drawing, its
    // top-left corner at that of the shape `atShape`.
    bool insertPicture(
        const QString &atShape, const QByteArray &png, const QString &pictureName, QString *error = nullptr);
    bool deleteShape(const QString &name, QString *error = nullptr);

    // Writes the workbook to `path` through a temporary copy renamed over it.
    bool save(const QString &path, QString *error = nullptr);

private:
    pugi::xml_node anchorOf(const QString &name) const;
    bool findAnchor(const QString &name, pugi::xml_node &anchor, QString *error) const;
    QString newMediaPart() const;
    QString newRelationshipId() const;
    int newShapeId() const;
    void dropUnusedRelationships(const QStringList &ids);

    Package m_package;
    SheetPage m_page;
    QString m_drawingPart; // empty: the first worksheet has no drawing
    std::unique_ptr<pugi::xml_document> m_drawing;
    std::unique_ptr<pugi::xml_document> m_drawingRels;
    std::unique_ptr<pugi::xml_document> m_contentTypes;
    bool m_drawingRelsChanged = false;
    bool m_contentTypesChanged = false;
};

// Width and height in pixels of PNG bytes; nothing when they are no PNG.
std::optional<std::pair<int, int>> pngSize(const QByteArray &png);

} // namespace veltra::spreadsheet
