#include "shell/commonm1.h"

#include "platform/fs/fs.h"
#include "platform/ui/printdialog.h"
#include "platform/vb/strings.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace CommonM1 {

namespace {

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

} // namespace

QString GetFolderName(const QString &path)
{
    const QString trimmed = veltra::vb::trim(path);
    const qsizetype sep = lastSeparator(trimmed);
    return sep < 0 ? QString() : trimmed.left(sep);
}

QString GetFileTitle(const QString &path)
{
    const QString name = path.mid(lastSeparator(path) + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString GetTempDir()
{
    return veltra::fs::tempFolder();
}

QString GetTempFile()
{
    return veltra::fs::makeTempFile(QStringLiteral("eg6"), QStringLiteral(".tmp"));
}

namespace {

QPrinter *g_printer = nullptr;

// The printer's engine may need the application's plugins, so it goes before
// the application does.
void deletePrinter()
{
    delete g_printer;
    g_printer = nullptr;
}

// `picture` on one page, fitted to the printable area with its aspect kept.
void printPicture(QPrinter &printer, const QImage &picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    QSizeF size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRectF target(page.center() - QPointF(size.width() / 2, size.height() / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    painter.end();
}

} // namespace

QPrinter &CurrentPrinter()
{
    static const bool deletedAtExit = [] {
        qAddPostRoutine(deletePrinter);
        return true;
    }();
    Q_UNUSED(deletedAtExit);
    if (!g_printer)
        g_printer = new QPrinter(QPrinter::HighResolution);
    return *g_printer;
}

void ForgetPrinter()
{
    deletePrinter();
}

void PrintClipboardPicture(QWidget *owner, const QImage &picture)
{
    QPrinter &printer = CurrentPrinter();
    if (!veltra::ui::execPrintDialog(owner, printer, QStringLiteral("印刷")))
        return;
    if (!picture.isNull())
        printPicture(printer, picture);
}

} // namespace CommonM1
