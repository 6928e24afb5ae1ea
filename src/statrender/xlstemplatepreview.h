#pragma once
// The preview of a spreadsheet template as the layout chooser shows it: the
// first worksheet's printed page with the shapes of its drawing where they
// stand on paper, and the title shape's text. Read once from the file;
// drawing needs nothing else.
//
// Units: the page and the shapes in inches on the paper; a sheet wider or
// taller than the printable area is shrunk to fit it, as a template set to
// fit one page prints.
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

class QPainter;

namespace veltra::statrender {

struct TemplatePreview
{
    struct Box
    {
        QString name;
        QRectF rect; // inches on the paper
        QString text; // the shape's text body
        bool picture = false;
    };

    bool available = false; // false: the file is missing or unreadable
    QSizeF paper; // inches, as printed (landscape: wider than high)
    std::vector<Box> boxes; // in drawing order
};

// Reads the template's first worksheet; not available when it cannot be read.
TemplatePreview readTemplatePreview(const QString &path);

// Draws the page centred in `area`, as large as it fits; an unavailable
// preview draws "テンプレートがありません" instead.
void drawTemplatePreview(QPainter &painter, const QRectF &area, const TemplatePreview &preview);

} // namespace veltra::statrender
