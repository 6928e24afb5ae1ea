#include "statdataui/frmcreatecalculation.h"

#include "platform/ui/msgbox.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statdata/calctemplateregistration.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

using veltra::statdata::CalcTemplateModel;

namespace {

// The pad: caption and place (row, column) of cmdCal(0..20).
struct PadKey
{
    const char *caption;
    int row;
    int column;
};
constexpr std::array<PadKey, 21> kPad{{
    {"0", 3, 0},
    {"1", 2, 0},
    {"2", 2, 1},
    {"3", 2, 2},
    {"4", 1, 0},
    {"5", 1, 1},
    {"6", 1, 2},
    {"7", 0, 0},
    {"8", 0, 1},
    {"9", 0, 2},
    {"．", 3, 1},
    {"+/-", 3, 2},
    {"＋", 3, 3},
    {"－", 2, 3},
    {"×", 1, 3},
    {"／", 0, 3},
    {"Σ", 0, 4},
    {"：", 3, 4},
    {"(", 1, 4},
    {")", 2, 4},
    {"Enter", 4, 0},
}};
constexpr int kPadOperators = 12; // cmdCal(12..19) place operator 0..7
constexpr int kPadEnter = 20;
constexpr int kPadSign = 11;

const QString kDeleteQuestion = QStringLiteral("演算項目を削除しますか？");
const QString kInsertQuestion = QStringLiteral("演算項目を挿入しますか？");

QTableWidget *makeGrid(QWidget *parent, int rows)
{
    auto *grid = new QTableWidget(rows, 1, parent);
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    // The cursor cell is white on blue, whether or not the grid has the focus.
    QPalette palette = grid->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(0, 0, 255));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    grid->setPalette(palette);
    grid->viewport()->installEventFilter(parent);
    grid->installEventFilter(parent);
    return grid;
}

void setCell(QTableWidget *grid, int row, const QString &text)
{
    QTableWidgetItem *cell = grid->item(row, 0);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid->setItem(row, 0, cell);
    }
    if (cell->text() != text)
        cell->setText(text);
}

void syncCombo(QComboBox *combo, const QStringList &entries, int current, bool enabled)
{
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    if (shown != entries) {
        combo->clear();
        combo->addItems(entries);
    }
    combo->setCurrentIndex(current);
    combo->setEnabled(enabled);
}

// `current` -1 leaves nothing chosen; kKeepChoice keeps the user's choice
// while the entries stay the same.
constexpr int kKeepChoice = -2;

void syncList(QListWidget *list, const QStringList &entries, int current, bool enabled)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    if (shown != entries) {
        list->clear();
        list->addItems(entries);
        if (current == kKeepChoice)
            current = -1;
    }
    if (current >= 0) {
        list->setCurrentRow(current);
    } else if (current == -1) {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
    list->setEnabled(enabled);
}

} // namespace

frmCreateCalculation::frmCreateCalculation(QWidget *owner)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("計算方法設定"));
    buildControls();
    Form_Load();
}

void frmCreateCalculation::buildControls()
{
    txtCalName = new QLineEdit(this);
    rhTxtCalcExplanation = new QTextEdit(this);
    rhTxtCalcExplanation->setAcceptRichText(false);
    rhTxtCalcExplanation->setFixedHeight(rhTxtCalcExplanation->fontMetrics().lineSpacing() * 3 + 12);
    // The expression is rebuilt from the tokens, so it is what is written.
    rhTxtCalc = new QTextEdit(this);
    rhTxtCalc->setReadOnly(true);
    rhTxtCalc->setFixedHeight(rhTxtCalc->fontMetrics().lineSpacing() * 2 + 12);
    cmbFileLstName = new QComboBox(this);
    Combo1 = new QComboBox(this);
    List2 = new QListWidget(this);
    List1 = new QListWidget(this);
    grdFieldName = makeGrid(this, CalcTemplateModel::kNameRows - 1);
    grdOpeExpression = makeGrid(this, CalcTemplateModel::kInitialTokenRows - 1);
    txtCalcDisp = new QLineEdit(this);
    txtCalcDisp->setAlignment(Qt::AlignRight);
    // Only what the key filter lets through reaches the box.
    txtCalcDisp->setContextMenuPolicy(Qt::NoContextMenu);
    txtCalcDisp->setAcceptDrops(false);
    txtCalcDisp->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtCalcDisp->installEventFilter(this);
    txtInp = new QLineEdit(this);
    txtInp->hide();
    txtInp->installEventFilter(this);
    cmdClear = new QPushButton(QStringLiteral("ｸﾘｱ"), this);
    cmdEntry = new QPushButton(QStringLiteral("登録"), this);
    cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);

    auto *pad = new QGridLayout;
    pad->setSpacing(4);
    for (int i = 0; i < static_cast<int>(kPad.size()); ++i) {
        auto *button = new QPushButton(QString::fromUtf8(kPad[static_cast<std::size_t>(i)].caption), this);
        button->setMinimumWidth(44);
        cmdCal[static_cast<std::size_t>(i)] = button;
        const PadKey &key = kPad[static_cast<std::size_t>(i)];
        pad->addWidget(button, key.row, key.column, 1, i == kPadEnter ? 5 : 1);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdCal_Click(i); });
    }
    // Enter in the number box commits it; no button takes it as a default.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("計算式ﾌｧｲﾙ名称(地図タイトル名称) ："), this), 0, 0);
    top->addWidget(txtCalName, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("計算式説明 ："), this), 1, 0, Qt::AlignTop);
    top->addWidget(rhTxtCalcExplanation, 1, 1);
    top->addWidget(new QLabel(QStringLiteral("計算式 ："), this), 2, 0, Qt::AlignTop);
    top->addWidget(rhTxtCalc, 2, 1);

    auto *lists = new QVBoxLayout;
    lists->addWidget(new QLabel(QStringLiteral("国勢調査選択："), this));
    lists->addWidget(cmbFileLstName);
    lists->addWidget(new QLabel(QStringLiteral("データ種類指定："), this));
    lists->addWidget(Combo1);
    lists->addWidget(new QLabel(QStringLiteral("分野一覧："), this));
    lists->addWidget(List2, 1);
    lists->addWidget(new QLabel(QStringLiteral("ﾌｨｰﾙﾄﾞ名："), this));
    lists->addWidget(List1, 2);

    auto *names = new QVBoxLayout;
    names->addWidget(new QLabel(QStringLiteral("項目名称 ："), this));
    names->addWidget(grdFieldName);
    auto *tokens = new QVBoxLayout;
    tokens->addWidget(new QLabel(QStringLiteral("演算式各項目 ："), this));
    tokens->addWidget(grdOpeExpression);
    // The pad keeps calculator proportions; the grids take the width.
    auto *calculatorPanel = new QWidget(this);
    calculatorPanel->setMaximumWidth(320);
    auto *calculator = new QVBoxLayout(calculatorPanel);
    calculator->setContentsMargins(0, 0, 0, 0);
    calculator->addSpacing(QLabel().sizeHint().height());
    calculator->addWidget(txtCalcDisp);
    calculator->addLayout(pad);
    calculator->addStretch(1);
    calculator->addWidget(cmdClear);

    auto *middle = new QHBoxLayout;
    middle->addLayout(lists, 3);
    middle->addLayout(names, 3);
    middle->addLayout(tokens, 3);
    middle->addWidget(calculatorPanel, 0);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdEntry);
    buttons->addWidget(cmdEnd);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(1080, 700);

    connect(cmbFileLstName, &QComboBox::activated, this, [this](int index) { cmbFileLstName_Click(index); });
    connect(Combo1, &QComboBox::activated, this, [this](int index) { Combo1_Click(index); });
    connect(List2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_refreshing)
            List2_Click(row);
    });
    connect(List1, &QListWidget::itemDoubleClicked, this,
        [this](QListWidgetItem *item) { List1_DblClick(List1->row(item)); });
    connect(txtCalcDisp, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_refreshing)
            return;
        m_model.setNumberText(text);
        if (m_model.numberText() != text)
            txtCalcDisp->setText(m_model.numberText());
    });
    connect(txtInp, &QLineEdit::returnPressed, this, [this] { txtInp_LostFocus(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdEntry, &QPushButton::clicked, this, [this] { cmdEntry_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
}

void frmCreateCalculation::Form_Load()
{
    txtCalName->clear();
    rhTxtCalc->clear();
    rhTxtCalcExplanation->clear();
    m_model.load(gstrDataPath);
    refresh();
}

// --- properties -----------------------------------------------------------------

void frmCreateCalculation::setTemplateFilePath(const QString &path)
{
    m_templatePath = path;
    if (!path.isEmpty())
        m_model.loadTemplate(path);
    refresh();
}

void frmCreateCalculation::setTemplateFolder(const QString &folder)
{
    if (!folder.isEmpty()) {
        m_templateFolder = folder;
        return;
    }
    // The program folder, without its final separator as a folder is kept.
    m_templateFolder = veltra::shell::programFolder();
    if (m_templateFolder.endsWith(u'/') && m_templateFolder.size() > 1)
        m_templateFolder.chop(1);
}

void frmCreateCalculation::setCalculateName(const QString &name)
{
    txtCalName->setText(name);
}

void frmCreateCalculation::setAnaRange(std::int32_t range)
{
    m_model.setAnaRange(range);
}

int frmCreateCalculation::Show()
{
    return veltra::shell::execModal(*this);
}

// --- showing the model ----------------------------------------------------------

void frmCreateCalculation::refresh()
{
    m_refreshing = true;
    refreshLists();
    refreshGrids();
    if (rhTxtCalc->toPlainText() != m_model.expression())
        rhTxtCalc->setPlainText(m_model.expression());
    if (txtCalcDisp->text() != m_model.numberText())
        txtCalcDisp->setText(m_model.numberText());
    m_refreshing = false;
}

void frmCreateCalculation::refreshLists()
{
    const QSignalBlocker b1(cmbFileLstName);
    const QSignalBlocker b2(Combo1);
    const QSignalBlocker b3(List2);
    const QSignalBlocker b4(List1);
    syncCombo(cmbFileLstName, m_model.statisticsNames(), m_model.statisticsIndex(), true);
    syncCombo(Combo1, m_model.areaUnits(), m_model.areaUnitIndex(), m_model.areaUnitsEnabled());
    syncList(List2, m_model.dataKinds(), m_model.dataKindIndex(), m_model.dataKindsEnabled());
    syncList(List1, m_model.items(), kKeepChoice, m_model.itemsEnabled());
}

void frmCreateCalculation::refreshGrids()
{
    for (int r = 1; r < CalcTemplateModel::kNameRows; ++r)
        setCell(grdFieldName, r - 1, m_model.fieldName(r));
    grdFieldName->setCurrentCell(m_model.fieldRow() - 1, 0);

    if (grdOpeExpression->rowCount() != m_model.tokenRows() - 1)
        grdOpeExpression->setRowCount(m_model.tokenRows() - 1);
    for (int r = 1; r < m_model.tokenRows(); ++r)
        setCell(grdOpeExpression, r - 1, m_model.token(r));
    grdOpeExpression->setCurrentCell(m_model.cursorRow() - 1, 0);
    grdOpeExpression->scrollToItem(grdOpeExpression->item(m_model.cursorRow() - 1, 0));
}

// --- item lists -----------------------------------------------------------------

void frmCreateCalculation::cmbFileLstName_Click(int index)
{
    m_model.chooseStatistics(index);
    refresh();
}

void frmCreateCalculation::Combo1_Click(int index)
{
    m_model.chooseAreaUnit(index);
    refresh();
}

void frmCreateCalculation::List2_Click(int index)
{
    m_model.chooseDataKind(index);
    refresh();
}

void frmCreateCalculation::List1_DblClick(int index)
{
    m_model.placeReference(index);
    refresh();
}

// --- pad and number box -----------------------------------------------------------

void frmCreateCalculation::cmdCal_Click(int index)
{
    txtCalcDisp->setFocus();
    if (index < 0 || index > kPadEnter || index == kPadSign)
        return;
    if (index == kPadEnter)
        m_model.commitNumber();
    else if (index >= kPadOperators)
        m_model.placeOperator(index - kPadOperators);
    else
        m_model.typeNumberChar(index == 10 ? QChar(u'.') : QChar(u'0' + index));
    refresh();
}

bool frmCreateCalculation::txtCalcDisp_KeyPress(QChar c)
{
    if (c == u'\b' || CalcTemplateModel::acceptsNumberChar(txtCalcDisp->text(), c))
        return true;
    // Enter commits, operator characters place their token; the rest is
    // dropped.
    m_model.setNumberText(txtCalcDisp->text());
    m_model.typeNumberChar(c);
    refresh();
    return false;
}

// --- field names --------------------------------------------------------------------

void frmCreateCalculation::grdFieldName_MouseUp(int row)
{
    m_model.chooseField(row);
    refresh();
}

void frmCreateCalculation::grdFieldName_DblClick(int row)
{
    if (row < 1 || row >= CalcTemplateModel::kNameRows)
        return;
    m_nameEditRow = row;
    const QRect cell = grdFieldName->visualItemRect(grdFieldName->item(row - 1, 0));
    const QPoint topLeft = grdFieldName->viewport()->mapTo(this, QPoint(0, cell.top()));
    txtInp->setGeometry(grdFieldName->x(), topLeft.y(), grdFieldName->width(), cell.height());
    txtInp->setText(m_model.fieldName(row));
    txtInp->show();
    txtInp->raise();
    txtInp->setFocus();
}

void frmCreateCalculation::txtInp_LostFocus()
{
    if (m_nameEditRow == 0)
        return;
    const int row = m_nameEditRow;
    m_nameEditRow = 0;
    m_model.setFieldName(row, txtInp->text());
    txtInp->hide();
    refresh();
}

// --- token grid -----------------------------------------------------------------------

void frmCreateCalculation::grdOpeExpression_Click(int row)
{
    m_model.setCursor(row);
    refresh();
}

void frmCreateCalculation::grdOpeExpression_MouseUp(int row)
{
    m_model.setCursor(row);
    refresh();
    if (veltra::ui::MsgBox(kDeleteQuestion, veltra::ui::vbYesNo) != veltra::ui::vbYes)
        return;
    m_model.deleteToken();
    refresh();
}

void frmCreateCalculation::grdOpeExpression_DblClick(int row)
{
    m_model.setCursor(row);
    refresh();
    if (veltra::ui::MsgBox(kInsertQuestion, veltra::ui::vbYesNo) != veltra::ui::vbYes)
        return;
    m_model.insertToken();
    refresh();
}

void frmCreateCalculation::cmdClear_Click()
{
    m_model.clearField();
    refresh();
}

// --- registration and closing -----------------------------------------------------------

void frmCreateCalculation::cmdEntry_Click()
{
    // A name still being typed counts, as leaving its box would make it.
    txtInp_LostFocus();
    veltra::statdata::CalcRegistration request;
    request.name = txtCalName->text();
    request.explanation = rhTxtCalcExplanation->toPlainText();
    request.folder = m_templateFolder;
    request.openedPath = m_templatePath;
    request.areaType = m_areaType;
    request.areaSpace = m_areaSpace;
    request.areaClosedCnect = m_areaClosedCnect;
    request.areaRepresentCnect = m_areaRepresentCnect;
    const auto result = veltra::statdata::registerCalcTemplate(m_model, request, AnalyzerEngine1);
    if (!result.message.isEmpty())
        veltra::ui::MsgBox(result.message, veltra::ui::vbOKOnly + veltra::ui::vbExclamation);
    if (result.focusName)
        txtCalName->setFocus();
    if (result.registered)
        accept();
}

void frmCreateCalculation::cmdEnd_Click()
{
    reject();
}

// --- events ------------------------------------------------------------------------------

bool frmCreateCalculation::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtCalcDisp && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return !txtCalcDisp_KeyPress(u'\r');
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete || key->text().isEmpty())
            return false; // editing and moving keys
        return !txtCalcDisp_KeyPress(key->text().at(0));
    }
    if (watched == txtInp && event->type() == QEvent::FocusOut) {
        txtInp_LostFocus();
        return false;
    }
    // The grids follow the mouse only; keys would move their cursor past the
    // model's.
    if (watched && (watched == grdFieldName || watched == grdOpeExpression)
        && event->type() == QEvent::KeyPress)
        return true;
    const bool names = grdFieldName && watched == grdFieldName->viewport();
    const bool tokens = grdOpeExpression && watched == grdOpeExpression->viewport();
    if (!names && !tokens)
        return QDialog::eventFilter(watched, event);
    QTableWidget *grid = names ? grdFieldName : grdOpeExpression;
    if (event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QModelIndex index = grid->indexAt(mouse->position().toPoint());
    if (!index.isValid())
        return false;
    const int row = index.row() + 1;
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (names)
            grdFieldName_DblClick(row);
        else
            grdOpeExpression_DblClick(row);
        return true;
    }
    if (names) {
        grdFieldName_MouseUp(row);
    } else if (mouse->button() == Qt::LeftButton) {
        grdOpeExpression_Click(row);
    } else if (mouse->button() == Qt::RightButton
        && (mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
        grdOpeExpression_MouseUp(row);
    }
    return false;
}
