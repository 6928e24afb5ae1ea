// The print and colour dialogs through the script: a PDF printer chosen, OK
// with the printer as it was, cancel; custom colours offered and taken.
#include "platform/ui/dialogscript.h"
#include "platform/ui/filedialogs.h"
#include "platform/ui/printdialog.h"

#include <QPrinter>
#include <gtest/gtest.h>

using namespace veltra::ui;

TEST(UiPrintDialog, ScriptedAnswersSetThePrinter)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/tmp/before.pdf"));
    DialogScript script;
    script.answerPdfPrinter(QStringLiteral("/tmp/chosen.pdf"));
    script.answerPrintUnchanged();
    script.answerCancel();
    EXPECT_TRUE(execPrintDialog(nullptr, printer, QStringLiteral("印刷")));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/chosen.pdf"));
    // OK again keeps the choice.
    EXPECT_TRUE(execPrintDialog(nullptr, printer, QStringLiteral("印刷")));
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/chosen.pdf"));
    // Cancel changes nothing, nor does an unanswered dialog.
    EXPECT_FALSE(execPrintDialog(nullptr, printer, QStringLiteral("印刷")));
    EXPECT_FALSE(execPrintDialog(nullptr, printer, QStringLiteral("印刷")));
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/chosen.pdf"));
    ASSERT_EQ(script.requests().size(), 4u);
    for (const DialogRequest &r : script.requests()) {
        EXPECT_EQ(r.kind, DialogKind::Print);
        EXPECT_EQ(r.title, QStringLiteral("印刷"));
    }
    EXPECT_EQ(script.unanswered(), 1);
}

TEST(UiPrintDialog, HeadlessWithoutAScriptIsCancelled)
{
    QPrinter printer;
    EXPECT_FALSE(execPrintDialog(nullptr, printer, QStringLiteral("印刷")));
}

TEST(UiColourDialog, ScriptedCustomColoursAreOfferedAndTaken)
{
    QList<QColor> custom(16, QColor(254, 254, 254));
    QList<QColor> defined = custom;
    defined[0] = QColor(1, 2, 3);
    DialogScript script;
    script.answerColour(QColor(10, 20, 30), defined);
    script.answerCancel();
    EXPECT_EQ(getColour(nullptr, Qt::red, &custom), QColor(10, 20, 30));
    EXPECT_EQ(script.requests()[0].customColours, QList<QColor>(16, QColor(254, 254, 254)));
    EXPECT_EQ(custom, defined);
    // A cancel leaves the custom colours as they are.
    EXPECT_FALSE(getColour(nullptr, Qt::red, &custom).has_value());
    EXPECT_EQ(script.requests()[1].customColours, defined);
    EXPECT_EQ(custom, defined);
}
