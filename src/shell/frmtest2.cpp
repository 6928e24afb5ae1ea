#include "shell/frmtest2.h"

#include "platform/text/text.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/programfolder.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTableWidget>

frmTest2::frmTest2(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("結果表示"));
    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->installEventFilter(this);
    MSFlexGrid1->setGeometry(rect());
}

void frmTest2::SetSpread(const QTableWidget &source)
{
    MSFlexGrid1->hide();
    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(source.rowCount());
    MSFlexGrid1->setColumnCount(source.columnCount());
    for (int c = 0; c < source.columnCount(); ++c) {
        for (int r = 0; r < source.rowCount(); ++r) {
            const QTableWidgetItem *item = source.item(r, c);
            MSFlexGrid1->setItem(r, c, new QTableWidgetItem(item ? item->text() : QString()));
        }
        const int twips = c == 0 ? 400 : (c == 3 || c == 8 || c == 9 || c == 10) ? 800 : 1600;
        MSFlexGrid1->setColumnWidth(c, veltra::ui::twipsToPixelsX(twips));
    }
    MSFlexGrid1->show();
}

bool frmTest2::writeGrid(const QString &path, QString *error) const
{
    QStringList lines;
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < MSFlexGrid1->columnCount(); ++c) {
            const QTableWidgetItem *item = MSFlexGrid1->item(r, c);
            cells << (item ? item->text() : QString());
        }
        // Quotes inside the line are doubled so that the line reads back whole.
        QString line = cells.join(QLatin1Char(','));
        line.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        lines << QLatin1Char('"') + line + QLatin1Char('"');
    }
    return veltra::text::writeLines(path, lines, error);
}

void frmTest2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    MSFlexGrid1->hide();
    MSFlexGrid1->setGeometry(rect());
    MSFlexGrid1->show();
}

bool frmTest2::copyKey(QKeyEvent *event)
{
    if (event->key() != Qt::Key_C || !(event->modifiers() & Qt::ControlModifier))
        return false;
    QString error;
    if (!writeGrid(veltra::shell::programFolder() + QStringLiteral("OutPut.txt"), &error))
        veltra::ui::MsgBox(error, veltra::ui::vbExclamation, gstrTitle);
    return true;
}

void frmTest2::keyPressEvent(QKeyEvent *event)
{
    if (!copyKey(event))
        QWidget::keyPressEvent(event);
}

bool frmTest2::eventFilter(QObject *watched, QEvent *event)
{
    // The grid would take Ctrl+C for itself.
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress
        && copyKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmTest2::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (gfrmMain)
        gfrmMain->MDIForm_Resize(); // the map takes the frame's inner height again
}
