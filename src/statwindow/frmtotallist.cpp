#include "statwindow/frmtotallist.h"

#include "platform/ui/twips.h"
#include "statdata/comcaldoraneo.h"
#include "graphs/globals.h"
#include "statwindow/globals.h"
#include "statwindow/totallistcontent.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

using veltra::ui::twipsToPixelsX;
using veltra::ui::twipsToPixelsY;

constexpr int FormWidth = 9000;
constexpr int FormHeight = 6000;
constexpr int EndWidth = 1215;
constexpr int EndHeight = 375;
constexpr int ColumnWidth = 1400;
constexpr int ButtonGap = 50;

} // namespace

frmTotalList::frmTotalList(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmTotalList"));
    setWindowTitle(QStringLiteral("集計データ一覧"));
    MSFlexGridList = new QTableWidget(this);
    MSFlexGridList->setObjectName(QStringLiteral("MSFlexGridList"));
    // The fixed row and column are cells of the grid, as in a flex grid.
    MSFlexGridList->horizontalHeader()->setVisible(false);
    MSFlexGridList->verticalHeader()->setVisible(false);
    MSFlexGridList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGridList->setRowCount(1);
    MSFlexGridList->setColumnCount(1);
    cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    cmdEnd->resize(twipsToPixelsX(EndWidth), twipsToPixelsY(EndHeight));
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
    resize(twipsToPixelsX(FormWidth), twipsToPixelsY(FormHeight));
    Form_Resize();
}

void frmTotalList::ListDisp(
    const std::vector<QString> &item, std::int32_t lngExpressionKind, const std::vector<QString> &strAgeClassName)
{
    const veltra::statwindow::TotalListTable table = veltra::statwindow::buildTotalList(
        gtypStatArea, glngGraphKind, item, lngExpressionKind, strAgeClassName, ComCaldoraNeo::GetPrefName);

    QTableWidget &grid = *MSFlexGridList;
    grid.setVisible(false);
    grid.clear();
    grid.setRowCount(table.rowCount());
    grid.setColumnCount(table.columnCount());
    const QBrush fixed = palette().brush(QPalette::Button);
    for (int r = 0; r < table.rowCount(); ++r) {
        const QStringList &cells = table.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < cells.size(); ++c) {
            auto *cell = new QTableWidgetItem(cells[c]);
            if (r == 0 || c == 0)
                cell->setBackground(fixed);
            else
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid.setItem(r, c, cell);
        }
    }
    if (!table.visible)
        return;
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setColumnWidth(c, twipsToPixelsX(ColumnWidth));
    grid.setVisible(true);
}

void frmTotalList::cmdEnd_Click()
{
    close();
}

void frmTotalList::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmTotalList::Form_Resize()
{
    const int h = height() - cmdEnd->height() - twipsToPixelsY(ButtonGap);
    if (h <= 0)
        return;
    MSFlexGridList->setGeometry(0, 0, width(), h);
    cmdEnd->move(width() - cmdEnd->width(), height() - cmdEnd->height());
}
