#pragma once
// The print dialog, through the test hook of dialogscript.h.
//
// The dialog works on the printer it is given: what the user chooses there
// (the printer, paper, orientation, copies) stays in that QPrinter, so a
// program that keeps one QPrinter for the run keeps the user's choice for
// the next print as well. Page ranges are not offered: every print of the
// program is one page.
//
// A script's answerPdfPrinter(file) chooses a PDF printer writing `file`,
// answerPrintUnchanged() is OK with the printer as it was, and a cancel or a
// missing answer is Cancel. Without a script on a headless platform the
// dialog is cancelled, so nothing can block a headless run.
#include <QString>

class QPrinter;
class QWidget;

namespace veltra::ui {

// True when the user chose to print.
bool execPrintDialog(QWidget *owner, QPrinter &printer, const QString &title);

} // namespace veltra::ui
