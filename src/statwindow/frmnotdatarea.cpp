#include "statwindow/frmnotdatarea.h"

#include "platform/ui/twips.h"

#include <QTreeWidget>

namespace {

constexpr int FormWidth = 4500;
constexpr int FormHeight = 3600;
constexpr int AreaColumnWidth = 4000;

} // namespace

frmNotDatArea::frmNotDatArea(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmNotDatArea"));
    setWindowTitle(QStringLiteral("統計データが無い地域リスト"));
    lstNotDatArea = new QTreeWidget(this);
    lstNotDatArea->setObjectName(QStringLiteral("lstNotDatArea"));
    lstNotDatArea->setRootIsDecorated(false);
    resize(veltra::ui::twipsToPixelsX(FormWidth), veltra::ui::twipsToPixelsY(FormHeight));
    Form_Load();
}

void frmNotDatArea::Form_Load()
{
    lstNotDatArea->clear();
    lstNotDatArea->setColumnCount(1);
    lstNotDatArea->setHeaderLabels({QStringLiteral("地域")});
    lstNotDatArea->setColumnWidth(0, veltra::ui::twipsToPixelsX(AreaColumnWidth));
    Form_Resize();
}

void frmNotDatArea::Disp(const QString &strArea)
{
    for (int i = 0; i < lstNotDatArea->topLevelItemCount(); ++i)
        if (lstNotDatArea->topLevelItem(i)->text(0) == strArea)
            return;
    new QTreeWidgetItem(lstNotDatArea, QStringList{strArea});
}

void frmNotDatArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmNotDatArea::Form_Resize()
{
    lstNotDatArea->setGeometry(0, 0, width(), height());
}
