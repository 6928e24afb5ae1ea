#include "statdataui/frmaddedlist.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/modaldialog.h"
#include "statdata/comfunction.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QColor kChosen(0, 255, 0); // QBColor 10
const QColor kPlain(255, 255, 255); // QBColor 15

int px(double twips)
{
    return veltra::ui::twipsToPixelsX(twips);
}

double twipsX(int pixels)
{
    return veltra::ui::pixelsToTwipsX(pixels);
}

double twipsY(int pixels)
{
    return veltra::ui::pixelsToTwipsY(pixels);
}

int pyx(double twips)
{
    return veltra::ui::twipsToPixelsY(twips);
}

} // namespace

frmAddedList::frmAddedList(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("情報リスト"));
    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->horizontalHeader()->setMinimumSectionSize(0);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The painted row is the only selection mark.
    MSFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    MSFlexGrid1->setFocusPolicy(Qt::NoFocus);
    cmdRun = new QPushButton(QStringLiteral("ユーザーデータを削除"), this);
    cmdCancel = new QPushButton(QStringLiteral("閉じる"), this);
    cmdRun->resize(px(2400), pyx(375));
    cmdCancel->resize(px(1200), pyx(375));
    MSFlexGrid1->move(px(120), pyx(120));
    resize(px(9600), pyx(5400));
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { MSFlexGrid1_Click(row); });
    connect(cmdRun, &QPushButton::clicked, this, [this] { cmdRun_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

int frmAddedList::Show()
{
    Form_Load();
    return veltra::shell::execModal(*this);
}

void frmAddedList::Form_Load()
{
    InitGridHeader();
    FillGrid();
    setWindowTitle(m_title);
    cmdRun->setEnabled(false);
    cmdRun->setVisible(m_buttonVisible);
    m_ok = false;
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmAddedList::InitGridHeader()
{
    intFieldCount = ComFunction::GetFieldCount(m_header, QStringLiteral(","));
    const QStringList titles = m_header.split(u',');
    MSFlexGrid1->setRowCount(2);
    MSFlexGrid1->setColumnCount(intFieldCount + 1);
    MSFlexGrid1->setColumnWidth(0, px(250));
    for (int i = 1; i <= intFieldCount; ++i) {
        MSFlexGrid1->setColumnWidth(i, i == 3 ? 0 : px(2000));
        MSFlexGrid1->setColumnHidden(i, i == 3);
        SetCellText(0, i, titles.value(i - 1));
    }
    for (int i = 0; i <= intFieldCount; ++i) {
        if (QTableWidgetItem *cell = MSFlexGrid1->item(0, i)) {
            cell->setBackground(palette().button());
        } else {
            SetCellText(0, i, QString());
            MSFlexGrid1->item(0, i)->setBackground(palette().button());
        }
    }
}

void frmAddedList::FillGrid()
{
    MSFlexGrid1->setRowCount(static_cast<int>(m_data.size()) + 1);
    for (std::size_t i = 0; i < m_data.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const QStringList fields = m_data[i].split(u',');
        SetCellText(row, 0, QString::number(row));
        MSFlexGrid1->item(row, 0)->setBackground(palette().button());
        for (int j = 1; j <= intFieldCount; ++j) {
            QString text = fields.value(j - 1);
            if (j == 7) {
                // Only the value file's name; either separator ends the folder.
                text = text.mid(std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/')) + 1);
            }
            SetCellText(row, j, text);
        }
    }
    // Filling moved the current cell to the last one written; the grid opens
    // on its first columns.
    MSFlexGrid1->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
}

void frmAddedList::SetCellText(int row, int col, const QString &text)
{
    if (row < 0 || col < 0 || row >= MSFlexGrid1->rowCount() || col >= MSFlexGrid1->columnCount())
        return;
    MSFlexGrid1->setCurrentCell(row, col, QItemSelectionModel::NoUpdate);
    QTableWidgetItem *cell = MSFlexGrid1->item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        MSFlexGrid1->setItem(row, col, cell);
    }
    cell->setText(text);
}

void frmAddedList::MSFlexGrid1_Click(int row)
{
    // The header row and the space below the rows change nothing.
    if (row < 1 || row > static_cast<int>(m_data.size()))
        return;
    lngSelectedRow = row;
    cmdRun->setEnabled(true);
    cmdRun->setText(QStringLiteral("ユーザーデータ ") + QString::number(row) + QStringLiteral(" を削除"));
    for (int g = 1; g <= static_cast<int>(m_data.size()); ++g) {
        const QColor target = g == row ? kChosen : kPlain;
        QTableWidgetItem *first = MSFlexGrid1->item(g, 1);
        if (first && first->background().color() == target && first->background().style() != Qt::NoBrush)
            continue;
        for (int c = 1; c <= intFieldCount; ++c) {
            if (QTableWidgetItem *cell = MSFlexGrid1->item(g, c))
                cell->setBackground(target);
        }
    }
}

void frmAddedList::cmdRun_Click()
{
    if (lngSelectedRow < 1 || lngSelectedRow > static_cast<int>(m_data.size()))
        return;
    const int answer = veltra::ui::MsgBox(cmdRun->text() + QStringLiteral("しますか？"),
        veltra::ui::vbYesNo + veltra::ui::vbQuestion, QStringLiteral("ユーザーデータの登録・削除"));
    if (answer != veltra::ui::vbYes)
        return;
    m_selected = std::vector<QString>{m_data[static_cast<std::size_t>(lngSelectedRow - 1)]};
    m_ok = true;
    accept();
}

void frmAddedList::cmdCancel_Click()
{
    reject();
}

void frmAddedList::done(int result)
{
    QDialog::done(result);
    // Back among the ordinary windows once it goes.
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void frmAddedList::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const double width = twipsX(this->width());
    const double height = twipsY(this->height());
    const double cancelTop = height - twipsY(cmdCancel->height()) - 600;
    const double cancelLeft = width - twipsX(cmdCancel->width()) - 180;
    cmdCancel->move(px(cancelLeft), pyx(cancelTop));
    cmdRun->move(px(cancelLeft - twipsX(cmdRun->width()) - 120), pyx(cancelTop));
    const double gridHeight = cancelTop - twipsY(MSFlexGrid1->y()) - 60;
    // A window made very small keeps the last geometry that fitted.
    if (width - 600 > 0 && gridHeight > 0)
        MSFlexGrid1->resize(px(width - 600), pyx(gridHeight));
}
