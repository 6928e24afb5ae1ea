#include "platform/ui/printdialog.h"

#include "platform/ui/dialogscript.h"

#include <QPrintDialog>
#include <QPrinter>

namespace veltra::ui {

bool execPrintDialog(QWidget *owner, QPrinter &printer, const QString &title)
{
    if (DialogScript *script = DialogScript::current()) {
        DialogRequest request;
        request.kind = DialogKind::Print;
        request.title = title;
        const auto answer = script->take(request);
        if (!answer || answer->cancelled)
            return false;
        if (answer->pdfPrinter) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(answer->text);
        }
        return true;
    }
    if (isHeadless()) {
        qWarning("Print dialog cancelled without a window (headless): %s", qPrintable(title));
        return false;
    }
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace veltra::ui
