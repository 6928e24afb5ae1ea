#include "statwindow/frmselectarea.h"

#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

using veltra::ui::twipsToPixelsX;
using veltra::ui::twipsToPixelsY;

// The designed geometry, in twips.
constexpr int FormWidth = 8400;
constexpr int FormInnerHeight = 5040;
constexpr int BelowStatisticsMap = 5500;
constexpr int ListTop = 780;
constexpr int ListHeight = 3600;
constexpr std::array<int, 3> ListLeft{120, 1740, 4740};
constexpr std::array<int, 3> ListWidth{1560, 2940, 3540};

struct Column
{
    const char16_t *header;
    int width; // twips; 0 hides the column
};

// The column table of the three lists.
const std::array<std::array<Column, 9>, 3> &columnTable()
{
    static const std::array<std::array<Column, 9>, 3> table{{
        {{{u"都道府県", 1100}, {u"X", 0}, {u"Y", 0}, {u"都道府県コード", 0}, {u"都道府県", 0}}},
        {{{u"市区町村", 2600}, {u"X", 0}, {u"Y", 0}, {u"都道府県コード", 0}, {u"都道府県", 0},
            {u"市区町村コード", 0}, {u"市区町村", 0}}},
        {{{u"町丁字", 3300}, {u"X", 0}, {u"Y", 0}, {u"都道府県コード", 0}, {u"都道府県", 0},
            {u"市区町村コード", 0}, {u"市区町村", 0}, {u"町丁字コード", 0}, {u"町丁字", 0}}},
    }};
    return table;
}

constexpr std::array<int, 3> ColumnCount{5, 7, 9};

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

QStringList itemTexts(const QTreeWidgetItem *item, int columns)
{
    QStringList texts;
    texts.reserve(columns);
    for (int c = 0; c < columns; ++c)
        texts << item->text(c);
    return texts;
}

// A code as it stands in the item: bound as a number when it is one, so
// that it compares with the integer column as the bare text in the query
// would.
QVariant codeValue(const QString &code)
{
    bool ok = false;
    const qlonglong number = code.trimmed().toLongLong(&ok);
    return ok ? QVariant(number) : QVariant(code);
}

} // namespace

QString frmSelectArea::queryFailedMessage()
{
    return QStringLiteral("地名データベースから地域の一覧を読み込めませんでした。");
}

frmSelectArea::frmSelectArea(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmSelectArea"));
    setWindowTitle(QStringLiteral("地域の選択"));
    resize(twipsToPixelsX(FormWidth), twipsToPixelsY(FormInnerHeight));

    FrameAnaRange = new QGroupBox(QStringLiteral("Step1：地域の選択"), this);
    FrameAnaRange->setObjectName(QStringLiteral("FrameAnaRange"));
    place(FrameAnaRange, 120, 60, FormWidth - 240, 615);
    m_levelGroup = new QButtonGroup(this);
    const std::array<QString, 4> levels{QStringLiteral("全国"), QStringLiteral("都道府県"),
        QStringLiteral("市区町村"), QStringLiteral("町丁字")};
    for (int i = 0; i < 4; ++i) {
        optAnaRange[i] = new QRadioButton(levels[i], FrameAnaRange);
        optAnaRange[i]->setObjectName(QStringLiteral("optAnaRange_%1").arg(i));
        place(optAnaRange[i], 240 + i * 1500, 240, 1380, 300);
        m_levelGroup->addButton(optAnaRange[i], i);
        connect(optAnaRange[i], &QRadioButton::clicked, this, [this, i] { optAnaRange_Click(i); });
    }

    for (int i = 0; i < 3; ++i) {
        QTreeWidget *list = new QTreeWidget(this);
        list->setObjectName(QStringLiteral("lstAddr_%1").arg(i));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->header()->setStretchLastSection(false);
        list->setColumnCount(0);
        list->setVisible(false);
        place(list, ListLeft[i], ListTop, ListWidth[i], ListHeight);
        lstAddr[i] = list;
        connect(list, &QTreeWidget::itemClicked, this, [this, i] { lstAddr_Click(i); });
    }

    cmdSelect = new QPushButton(QStringLiteral("選択決定"), this);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    place(cmdSelect, FormWidth - 2760, ListTop + ListHeight + 120, 1260, 375);
    connect(cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    place(cmdEnd, FormWidth - 1380, ListTop + ListHeight + 120, 1260, 375);
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
}

frmSelectArea::~frmSelectArea() = default;

std::int32_t frmSelectArea::level() const
{
    return std::max(0, m_levelGroup->checkedId());
}

void frmSelectArea::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded)
        Form_Load();
    placeBelowStatisticsMap();
}

bool frmSelectArea::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmSelectArea::closeEvent(QCloseEvent *event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    // The close box keeps the lists and the level for the next show.
    event->ignore();
    hide();
}

void frmSelectArea::Form_Load()
{
    m_loaded = true;
    m_strDBPath = gstrDataPath + QStringLiteral("DB\\");
    if (!m_cnMesh.open(veltra::statdata::MeshDatabase::pathInDataFolder(gstrDataPath)))
        m_openError = m_cnMesh.lastError();
    optAnaRange[1]->setChecked(true);
    optAnaRange_Click(1);
    placeBelowStatisticsMap();
    m_frmWait = new frmPSYWait(this);
    m_frmWait->setVisible(false);
}

void frmSelectArea::Form_Activate()
{
    placeBelowStatisticsMap();
}

void frmSelectArea::placeBelowStatisticsMap()
{
    const QWidget *map = veltra::ui::WindowRegistry::instance().find(QStringLiteral("frmStatisticsMap"));
    if (!map)
        return;
    const QPoint at(map->x(), map->y() + twipsToPixelsY(BelowStatisticsMap));
    if (pos() != at)
        move(at);
}

void frmSelectArea::emptyList(QTreeWidget *list)
{
    list->clear();
    list->setColumnCount(0);
}

void frmSelectArea::addColumns(QTreeWidget *list, int row)
{
    const auto &columns = columnTable()[row];
    QStringList headers;
    for (int c = 0; c < ColumnCount[row]; ++c)
        headers << QString::fromUtf16(columns[c].header);
    list->setColumnCount(ColumnCount[row]);
    list->setHeaderLabels(headers);
    for (int c = 0; c < ColumnCount[row]; ++c) {
        list->setColumnHidden(c, columns[c].width == 0);
        if (columns[c].width > 0)
            list->setColumnWidth(c, twipsToPixelsX(columns[c].width));
    }
}

void frmSelectArea::optAnaRange_Click(int Index)
{
    using Mode = QAbstractItemView::SelectionMode;
    const Mode multi = QAbstractItemView::ExtendedSelection;
    const Mode single = QAbstractItemView::SingleSelection;
    switch (Index) {
    case 0:
        for (QTreeWidget *list : lstAddr)
            list->setVisible(false);
        return;
    case 1:
        lstAddr[0]->setSelectionMode(multi);
        lstAddr[1]->setSelectionMode(single);
        lstAddr[2]->setSelectionMode(single);
        lstAddr[0]->setVisible(true);
        lstAddr[1]->setVisible(false);
        lstAddr[2]->setVisible(false);
        emptyList(lstAddr[1]);
        emptyList(lstAddr[2]);
        fillPrefectures();
        return;
    case 2:
        lstAddr[0]->setSelectionMode(single);
        lstAddr[1]->setSelectionMode(multi);
        lstAddr[2]->setSelectionMode(single);
        lstAddr[0]->setVisible(true);
        lstAddr[1]->setVisible(true);
        lstAddr[2]->setVisible(false);
        emptyList(lstAddr[2]);
        lstAddr_Click(0);
        return;
    case 3:
        lstAddr[0]->setSelectionMode(single);
        lstAddr[1]->setSelectionMode(single);
        lstAddr[2]->setSelectionMode(multi);
        for (QTreeWidget *list : lstAddr)
            list->setVisible(true);
        lstAddr_Click(lstAddr[1]->selectedItems().isEmpty() ? 0 : 1);
        return;
    default:
        return;
    }
}

bool frmSelectArea::fillPrefectures()
{
    QTreeWidget *list = lstAddr[0];
    emptyList(list);
    addColumns(list, 0);
    // The table's own order, as the database keeps its rows.
    veltra::db::Statement rows = m_cnMesh.prepare(QStringLiteral("SELECT * FROM 都道府県テーブル ORDER BY rowid"));
    if (!rows.isValid()) {
        showQueryFailure(m_cnMesh.isOpen() ? m_cnMesh.lastError() : m_openError);
        return false;
    }
    QList<QTreeWidgetItem *> items;
    while (rows.next()) {
        items << new QTreeWidgetItem(
            QStringList{rows.text(1), rows.text(6), rows.text(7), rows.text(0), rows.text(1)});
    }
    if (!rows.lastError().isEmpty()) {
        qDeleteAll(items);
        showQueryFailure(rows.lastError());
        return false;
    }
    list->addTopLevelItems(items);
    return true;
}

void frmSelectArea::lstAddr_Click(int Index)
{
    const std::int32_t chosen = level();
    if (Index == chosen - 1)
        return;
    int target = -1;
    bool thenTownBlocks = false;
    if (Index == 0 && chosen == 2) {
        target = 1;
    } else if (Index == 1 && chosen == 3) {
        target = 2;
    } else if (Index == 0 && chosen == 3) {
        target = 1;
        thenTownBlocks = true;
    }
    if (target < 0)
        return;
    if (fillFromSelection(Index, target) && thenTownBlocks)
        lstAddr_Click(1);
}

bool frmSelectArea::fillFromSelection(int clicked, int target)
{
    QTreeWidget *source = lstAddr[clicked];
    QTreeWidget *list = lstAddr[target];
    // Hidden while refilled, so that it is drawn once.
    list->setVisible(false);
    emptyList(list);
    addColumns(list, target);

    const QString sql = clicked == 1
        ? QStringLiteral("SELECT * FROM 町丁字テーブル WHERE 都道府県コード = ? AND 市区町村コード = ? "
                         "ORDER BY 町丁字コード")
        : QStringLiteral("SELECT * FROM 市区町村テーブル WHERE 都道府県コード = ? "
                         "ORDER BY 都道府県コード, 市区町村コード");
    QList<QTreeWidgetItem *> items;
    QString failure;
    for (int i = 0; i < source->topLevelItemCount() && failure.isEmpty(); ++i) {
        const QTreeWidgetItem *parent = source->topLevelItem(i);
        if (!parent->isSelected())
            continue;
        const QString prefCode = parent->text(3);
        const QString prefName = parent->text(4);
        veltra::db::Statement rows = m_cnMesh.prepare(sql);
        if (!rows.isValid()) {
            failure = m_cnMesh.isOpen() ? m_cnMesh.lastError() : m_openError;
            break;
        }
        rows.bind(1, codeValue(prefCode));
        if (clicked == 1) {
            rows.bind(2, codeValue(parent->text(5)));
            const QString cityCode = parent->text(5);
            const QString cityName = parent->text(6);
            while (rows.next()) {
                items << new QTreeWidgetItem(QStringList{rows.text(3), rows.text(4), rows.text(5), prefCode,
                    prefName, cityCode, cityName, rows.text(2), rows.text(3)});
            }
        } else {
            while (rows.next()) {
                items << new QTreeWidgetItem(QStringList{
                    rows.text(2), rows.text(8), rows.text(9), prefCode, prefName, rows.text(1), rows.text(2)});
            }
        }
        failure = rows.lastError();
    }
    if (failure.isEmpty())
        list->addTopLevelItems(items);
    else
        qDeleteAll(items);
    list->setVisible(true);
    if (!failure.isEmpty()) {
        showQueryFailure(failure);
        return false;
    }
    return true;
}

void frmSelectArea::showQueryFailure(const QString &reason)
{
    veltra::ui::MsgBox(queryFailedMessage() + QStringLiteral("\n") + m_strDBPath + QStringLiteral("Mesh.sqlite\n")
            + reason,
        veltra::ui::vbExclamation);
}

void frmSelectArea::cmdSelect_Click()
{
    const std::int32_t chosen = level();
    const QPointer<frmSelectArea> self(this);
    if (m_frmWait)
        m_frmWait->show();
    // Pending messages run between items; the lists and this window may
    // change under the loop, so each step looks again.
    QTreeWidget *list = lstAddr[chosen == 0 ? 0 : chosen - 1];
    const int columns = ColumnCount[chosen == 0 ? 0 : chosen - 1];
    for (int i = 0;; ++i) {
        veltra::ui::DoEvents();
        if (!self || i >= list->topLevelItemCount())
            break;
        const QTreeWidgetItem *item = list->topLevelItem(i);
        if (chosen == 0 || item->isSelected())
            emit SelectArea(chosen, itemTexts(item, columns));
        if (!self)
            break;
    }
    if (self && m_frmWait)
        m_frmWait->hide();
}

void frmSelectArea::cmdEnd_Click()
{
    m_unloading = true;
    close();
    deleteLater();
}
