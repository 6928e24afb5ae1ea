#pragma once
// CommonM1: folder and file-title texts, the temporary folder and files, and
// the printer of the run.
//
// Temporary files live in the program's own folder under the system temporary
// folder (never loose in the shared one), which GetTempDir names.
//
// The program keeps one printer setting for the whole run: whatever the user
// chooses in a print dialog (printer, paper, orientation, copies) stays the
// current printer for every later print until another choice is made.
#include <QString>

class QImage;
class QPrinter;
class QWidget;

namespace CommonM1 {

// The folder part without a trailing separator: the path is trimmed of spaces,
// everything up to the last '\' or '/' is kept; empty when there is none.
QString GetFolderName(const QString &path);

// The name after the last separator, cut before its FIRST dot.
QString GetFileTitle(const QString &path);

// The program's temporary folder, ending in a separator (created when missing;
// empty when it cannot be made).
QString GetTempDir();

// A new, empty, uniquely named file "eg6….tmp" in GetTempDir(); empty when it
// cannot be made.
QString GetTempFile();

// The current printer of the run (made on first use, kept until the
// application ends).
QPrinter &CurrentPrinter();
// Forgets the printer and the choices made in the print dialog, as a new run
// starts with the default printer.
void ForgetPrinter();

// Shows the print dialog on the current printer, owned by `owner`; after OK
// prints `picture` on one page, as large as the printable area allows with its
// aspect kept, centred. Cancel prints nothing. A null picture or a printer
// that cannot start is not reported.
void PrintClipboardPicture(QWidget *owner, const QImage &picture);

} // namespace CommonM1
