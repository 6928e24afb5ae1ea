#include "statrender/xlstemplatepreview.h"

#include "platform/fs/fs.h"
#include "platform/spreadsheet/workbook.h"

#include <QPainter>
#include <algorithm>

namespace veltra::statrender {

namespace {

constexpr double kPixelsPerInch = 96;

// The shape's rectangle in px of the sheet; empty when it has no cell anchor.
QRectF sheetRect(const spreadsheet::SheetPage &page, const spreadsheet::Shape &shape)
{
    if (!shape.from)
        return {};
    const QPointF topLeft = page.pointOf(*shape.from);
    if (shape.to)
        return QRectF(topLeft, page.pointOf(*shape.to)).normalized();
    return QRectF(topLeft,
        QSizeF(double(shape.width) / spreadsheet::kEmuPerPixel,
            double(shape.height) / spreadsheet::kEmuPerPixel));
}

} // namespace

TemplatePreview readTemplatePreview(const QString &path)
{
    TemplatePreview preview;
    spreadsheet::Workbook book;
    if (!book.open(fs::resolve(path)))
        return preview;
    const spreadsheet::SheetPage &page = book.page();
    preview.available = true;
    preview.paper = page.orientedPaper();

    std::vector<TemplatePreview::Box> boxes;
    QRectF used;
    for (const spreadsheet::Shape &shape : book.shapes()) {
        const QRectF r = sheetRect(page, shape);
        if (r.isEmpty())
            continue;
        boxes.push_back({shape.name, r, shape.text, shape.picture});
        used = used.united(QRectF(QPointF(0, 0), r.bottomRight()));
    }
    // Sheet px to inches on the paper, shrunk to the printable area.
    const QRectF printable = QRectF(QPointF(0, 0), preview.paper).marginsRemoved(page.margins);
    double factor = 1 / kPixelsPerInch;
    if (!used.isEmpty() && printable.width() > 0 && printable.height() > 0) {
        factor = std::min({factor, printable.width() / used.width(), printable.height() / used.height()});
    }
    QPointF origin = printable.topLeft();
    if (page.horizontalCentered && !used.isEmpty())
        origin.rx() += (printable.width() - used.width() * factor) / 2;
    for (TemplatePreview::Box &box : boxes) {
        box.rect = QRectF(origin + box.rect.topLeft() * factor, box.rect.size() * factor);
        preview.boxes.push_back(box);
    }
    return preview;
}

void drawTemplatePreview(QPainter &painter, const QRectF &area, const TemplatePreview &preview)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!preview.available || preview.paper.isEmpty()) {
        painter.setPen(Qt::darkGray);
        painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawText(
            area, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("テンプレートがありません"));
        painter.restore();
        return;
    }
    QSizeF size = preview.paper;
    size.scale(area.size() - QSizeF(4, 4), Qt::KeepAspectRatio); // room for the shadow
    const QRectF paper(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
    const double scale = size.width() / preview.paper.width(); // device px per inch

    painter.fillRect(paper.translated(2, 2), QColor(0, 0, 0, 60));
    painter.fillRect(paper, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(paper);

    QFont font = painter.font();
    for (const TemplatePreview::Box &box : preview.boxes) {
        const QRectF r(paper.topLeft() + box.rect.topLeft() * scale, box.rect.size() * scale);
        const bool placeholder = box.text.isEmpty();
        painter.setBrush(placeholder ? QColor(0xF2, 0xF2, 0xF2) : QColor(Qt::transparent));
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1, placeholder ? Qt::DashLine : Qt::SolidLine));
        painter.drawRect(r);
        // The title's text at about its printed size; a placeholder by name.
        const QString label = placeholder ? box.name : box.text;
        font.setPixelSize(
            std::max(7, int(std::min(r.height() * 0.45, (placeholder ? 9.0 : 18.0) / 72 * scale))));
        font.setBold(!placeholder);
        painter.setFont(font);
        painter.setPen(placeholder ? QColor(0x70, 0x70, 0x70) : QColor(Qt::black));
        painter.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, label);
    }
    painter.restore();
}

} // namespace veltra::statrender
