#include "statrender/frmpsydatasanshou.h"

#include "mapwindow/comelmkind.h"
#include "mapwindow/globals.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/meshdatabase.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableWidget>

using namespace veltra;
using statrender::AreaLevel;

namespace {

const QString kNoData = QStringLiteral("該当データありません");

// Designed client width and heights, in twips.
constexpr double kClientWidth = 7335;
constexpr int kHeightShort = 3600;
constexpr int kHeightTall = 7320;
constexpr double kGridTop = 3300;
// The designed heights are the outer heights of the form: its title bar and
// borders take this much of them.
constexpr double kFrameAllowance = 450;
constexpr double kValueColumn = 1200;
constexpr double kRowHeight = 285;

int px(double twips)
{
    return ui::twipsToPixelsX(twips);
}

void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(px(left), ui::twipsToPixelsY(top), px(width), ui::twipsToPixelsY(height));
}

// A code text as the whole number it stands for; -1 (no row has it) for a
// text that is not one.
qint64 codeNumber(const QString &code)
{
    bool ok = false;
    const qint64 n = code.trimmed().toLongLong(&ok);
    return ok ? n : -1;
}

// Column `column` of the first row of a query on the place-name database.
std::optional<QString> firstColumn(const QString &sql, const QList<QVariant> &values, int column)
{
    db::Statement query = statdata::MeshDatabase::shared().prepare(sql);
    if (!query.isValid())
        return std::nullopt;
    for (int i = 0; i < values.size(); ++i)
        query.bind(i + 1, values[i]);
    if (!query.next())
        return std::nullopt;
    return query.text(column);
}

const QString kPrefByName = QStringLiteral("SELECT * FROM 都道府県テーブル WHERE 都道府県名 = ?");
const QString kCitiesOfPref = QStringLiteral("SELECT * FROM 市区町村テーブル WHERE 都道府県ｺｰﾄﾞ = ?");
const QString kTownsOfCity
    = QStringLiteral("SELECT * FROM 町丁字テーブル WHERE 都道府県ｺｰﾄﾞ = ? AND 市区町村ｺｰﾄﾞ = ?");

} // namespace

frmPSYDataSanshou::frmPSYDataSanshou(QWidget *owner)
    : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false); // the window registry deletes it
    setWindowTitle(QStringLiteral("統計データ参照"));

    Label5 = new QLabel(QStringLiteral("統計データ年度："), this);
    cmbNendo = new QComboBox(this);
    cmbNendo->setObjectName(QStringLiteral("cmbNendo"));
    const std::array<QString, 3> levels{
        QStringLiteral("都道府県ﾃﾞｰﾀ"), QStringLiteral("市区町村ﾃﾞｰﾀ"), QStringLiteral("町丁字ﾃﾞｰﾀ")};
    for (int i = 0; i < 3; ++i) {
        Option1[i] = new QRadioButton(levels[i], this);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        DBCombo1[i] = new QComboBox(this);
        DBCombo1[i]->setObjectName(QStringLiteral("DBCombo1_%1").arg(i));
        DBCombo1[i]->setEditable(true);
        DBCombo1[i]->setInsertPolicy(QComboBox::NoInsert);
        DBCombo1[i]->setMaxVisibleItems(20);
    }
    Option1[0]->setChecked(true);
    const std::array<QString, 2> comboLabels{QStringLiteral("ﾃﾞｰﾀ分野："), QStringLiteral("ﾃﾞｰﾀ項目：")};
    for (int i = 0; i < 2; ++i) {
        Combo1Label[i] = new QLabel(comboLabels[i], this);
        Combo1[i] = new QComboBox(this);
        Combo1[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
    }
    lblDataLabel = new QLabel(QStringLiteral("ﾃﾞｰﾀ値："), this);
    lblData = new QLabel(this);
    lblData->setObjectName(QStringLiteral("lblData"));
    lblData->setFrameShape(QFrame::Box);
    lblData->setAutoFillBackground(true);
    lblData->setStyleSheet(QStringLiteral("QLabel#lblData { background: white; }"));
    lblData->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Check1 = new QCheckBox(QStringLiteral("全項目参照する"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(ui::twipsToPixelsY(kRowHeight));

    // The designed layout, in twips.
    place(Label5, 120, 150, 1600, 300);
    place(cmbNendo, 1800, 120, 3000, 330);
    place(Option1[0], 120, 600, 1650, 300);
    place(Option1[1], 1800, 600, 1650, 300);
    place(Option1[2], 3480, 600, 1650, 300);
    place(DBCombo1[0], 120, 960, 1600, 330);
    place(DBCombo1[1], 1800, 960, 1600, 330);
    place(DBCombo1[2], 3480, 960, 3735, 330);
    place(Combo1Label[0], 120, 1530, 1100, 300);
    place(Combo1[0], 1300, 1500, 5915, 330);
    place(Combo1Label[1], 120, 1980, 1100, 300);
    place(Combo1[1], 1300, 1950, 5915, 330);
    place(lblDataLabel, 120, 2460, 1100, 300);
    place(lblData, 1300, 2400, 2400, 360);
    place(Check1, 120, 2760, 2400, 300);
    place(Command1, 6015, 2700, 1200, 375);
    place(MSFlexGrid1, 120, kGridTop, kClientWidth - 240, kHeightTall - kFrameAllowance - kGridTop - 120);

    connect(cmbNendo, &QComboBox::activated, this, [this] { cmbNendo_Click(); });
    for (int i = 0; i < 3; ++i) {
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        connect(DBCombo1[i], &QComboBox::currentTextChanged, this, [this, i] { DBCombo1_Change(i); });
    }
    for (int i = 0; i < 2; ++i)
        connect(Combo1[i], &QComboBox::activated, this, [this, i] { Combo1_Click(i); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Form_Load();
}

frmPSYDataSanshou::~frmPSYDataSanshou() = default;

AreaLevel frmPSYDataSanshou::level() const
{
    if (Option1[1]->isChecked())
        return AreaLevel::Municipality;
    if (Option1[2]->isChecked())
        return AreaLevel::TownBlock;
    return AreaLevel::Prefecture;
}

// ---- opening and closing --------------------------------------------------

void frmPSYDataSanshou::Form_Load()
{
    Check1_Click();
    {
        const QSignalBlocker block(DBCombo1[0]);
        QStringList names;
        db::Statement query
            = statdata::MeshDatabase::shared().prepare(QStringLiteral("SELECT * FROM 都道府県テーブル"));
        while (query.isValid() && query.next())
            names << query.text(1);
        DBCombo1[0]->addItems(names);
        DBCombo1[0]->setCurrentIndex(-1);
        DBCombo1[0]->setEditText(QString());
    }
    setNameText(0, QStringLiteral("東京都"));
    cmbNendo->addItems(statrender::statisticsNames(gstrDataPath));
    // Without statistics the lists still say that there is no data.
    cmbNendo->setCurrentIndex(cmbNendo->count() > 0 ? 0 : -1);
    cmbNendo_Click();
    setFrameItemsEnabled(false);
}

void frmPSYDataSanshou::Form_Unload()
{
    m_code = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    gintStoryStepEnd = -1;
    ClearHighlight();
    shell::dispatchMode(StateLeave, shell::noParameterText());
    setFrameItemsEnabled(true);
}

void frmPSYDataSanshou::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    // The close box unloads as the button does: the next use makes a new window.
    ui::WindowRegistry::instance().unload(this);
}

void frmPSYDataSanshou::setFrameItemsEnabled(bool enabled)
{
    if (!gfrmMain)
        return;
    if (QAction *item = gfrmMain->menuItem(QStringLiteral("mnuOptionTime")))
        item->setEnabled(enabled);
    gfrmMain->statusBar()->setEnabled(enabled);
}

// ---- event handlers -------------------------------------------------------

void frmPSYDataSanshou::cmbNendo_Click()
{
    ReloadLists();
    ShowValues();
}

void frmPSYDataSanshou::Option1_Click(int)
{
    ReloadLists();
}

void frmPSYDataSanshou::Combo1_Click(int index)
{
    if (bBusy)
        return;
    bBusy = true;
    if (index == 0)
        FillItemList();
    ShowValues();
    bBusy = false;
}

void frmPSYDataSanshou::DBCombo1_Change(int index)
{
    if (bBusy)
        return;
    bBusy = true;
    SyncAreaLists(index);
    ShowValues();
    bBusy = false;
}

void frmPSYDataSanshou::Check1_Click()
{
    m_heightTwips = Check1->isChecked() ? kHeightTall : kHeightShort;
    setFixedSize(px(kClientWidth), ui::twipsToPixelsY(m_heightTwips - kFrameAllowance));
}

void frmPSYDataSanshou::Command1_Click()
{
    close();
}

// ---- lists ------------------------------------------------------------------

void frmPSYDataSanshou::selectField(int k, int index)
{
    {
        const QSignalBlocker block(Combo1[k]);
        Combo1[k]->setCurrentIndex(index);
    }
    Combo1_Click(k);
}

void frmPSYDataSanshou::ReloadLists()
{
    FillFieldList();
    FillItemList();
}

void frmPSYDataSanshou::FillFieldList()
{
    Combo1[0]->clear();
    const QStringList fields = statrender::listEntries(
        statrender::itemListPath(gstrDataPath, cmbNendo->currentText()), statrender::levelName(level()));
    if (!fields.isEmpty()) {
        Combo1[0]->addItems(fields);
        selectField(0, 0);
        return;
    }
    Combo1[0]->addItem(kNoData);
    selectField(0, 0);
    Combo1[1]->clear();
}

void frmPSYDataSanshou::FillItemList()
{
    Combo1[1]->clear();
    const QStringList items = statrender::listEntries(
        statrender::itemListPath(gstrDataPath, cmbNendo->currentText()), Combo1[0]->currentText());
    Combo1[1]->addItems(items.isEmpty() ? QStringList{kNoData} : items);
    selectField(1, 0);
}

bool frmPSYDataSanshou::SetBunya(const QString &sBunya)
{
    const int index = Combo1[0]->findText(sBunya, Qt::MatchExactly);
    if (index < 0)
        return false;
    selectField(0, index);
    return true;
}

// ---- area lists -----------------------------------------------------------

void frmPSYDataSanshou::fillNameList(int k, const QString &sql, const std::vector<std::int32_t> &codes)
{
    // The name column: 市区町村名 is column 2, 町丁字名 column 3.
    const int nameColumn = k == 1 ? 2 : 3;
    QStringList names;
    db::Statement query;
    if (!sql.isEmpty())
        query = statdata::MeshDatabase::shared().prepare(sql);
    if (query.isValid()) {
        for (std::size_t i = 0; i < codes.size(); ++i)
            query.bind(static_cast<int>(i) + 1, static_cast<qint64>(codes[i]));
        while (query.next())
            names << query.text(nameColumn);
    }
    const QSignalBlocker block(DBCombo1[k]);
    DBCombo1[k]->clear();
    DBCombo1[k]->addItems(names);
    DBCombo1[k]->setCurrentIndex(-1);
}

void frmPSYDataSanshou::setNameText(int k, const QString &text)
{
    DBCombo1[k]->setEditText(text);
}

void frmPSYDataSanshou::SyncAreaLists(int k)
{
    const QString noRow = QStringLiteral("-1");
    if (k == 0) {
        m_code[1].clear();
        m_code[2].clear();
        m_code[0] = firstColumn(kPrefByName, {DBCombo1[0]->currentText()}, 0).value_or(noRow);
        fillNameList(1, kCitiesOfPref, {static_cast<std::int32_t>(codeNumber(m_code[0]))});
        fillNameList(2, QString(), {}); // an empty list until a municipality is known
        setNameText(1, QString());
        setNameText(2, QString());
        if (DBCombo1[1]->count() > 0)
            setNameText(1, DBCombo1[1]->itemText(0));
    }
    const qint64 pref = codeNumber(m_code[0]);
    if (k == 0 || k == 1) {
        m_code[2].clear();
        m_code[1] = firstColumn(
            kCitiesOfPref + QStringLiteral(" AND 市区町村名 = ?"), {pref, DBCombo1[1]->currentText()}, 1)
                        .value_or(noRow);
        fillNameList(2, kTownsOfCity,
            {static_cast<std::int32_t>(pref), static_cast<std::int32_t>(codeNumber(m_code[1]))});
        setNameText(2, QString());
        if (DBCombo1[2]->count() > 0)
            setNameText(2, DBCombo1[2]->itemText(0));
    }
    if (!DBCombo1[2]->currentText().isEmpty()) {
        m_code[2] = firstColumn(kTownsOfCity + QStringLiteral(" AND 町丁字名 = ?"),
            {pref, codeNumber(m_code[1]), DBCombo1[2]->currentText()}, 2)
                        .value_or(noRow);
    }
}

void frmPSYDataSanshou::setAddressCode(const QString &code)
{
    if (!vb::isNumeric(code))
        return;
    m_code = {
        ComCaldoraNeo::GetPrefCode(code), ComCaldoraNeo::GetCityCode(code), ComCaldoraNeo::GetTownCode(code)};
    const qint64 p = codeNumber(m_code[0]);
    const qint64 c = codeNumber(m_code[1]);
    const qint64 t = codeNumber(m_code[2]);
    const std::array<QString, 3> names{
        firstColumn(QStringLiteral("SELECT * FROM 都道府県テーブル WHERE 都道府県ｺｰﾄﾞ = ?"), {p}, 1)
            .value_or(QString()),
        firstColumn(kCitiesOfPref + QStringLiteral(" AND 市区町村ｺｰﾄﾞ = ?"), {p, c}, 2).value_or(QString()),
        firstColumn(kTownsOfCity + QStringLiteral(" AND 町丁字ｺｰﾄﾞ = ?"), {p, c, t}, 3).value_or(QString()),
    };
    for (int k = 0; k < 3; ++k) {
        if (!names[k].isEmpty() && names[k] != DBCombo1[k]->currentText())
            setNameText(k, names[k]);
    }
    const int option = static_cast<int>(statrender::levelOfSpace(GetUseSpaceID(gobjZor)));
    Option1[option]->setChecked(true);
    Option1_Click(option);
}

// ---- values -----------------------------------------------------------------

void frmPSYDataSanshou::ShowValues()
{
    lblData->clear();
    const statrender::LevelTexts lines
        = statrender::readValueLines(gstrDataPath, cmbNendo->currentText(), Combo1[0]->currentText(), m_code);
    const std::optional<QString> chosen
        = statrender::itemValues(lines, Combo1[1]->currentIndex())[static_cast<std::size_t>(level())];
    if (chosen)
        lblData->setText(*chosen);

    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(4);
    MSFlexGrid1->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("都道府県 "), QStringLiteral("市区町村 "), QStringLiteral("町丁字 ")});
    for (int i = 0; i < Combo1[1]->count(); ++i) {
        const QStringList cells
            = statrender::gridRow(Combo1[1]->itemText(i), statrender::itemValues(lines, i));
        const int row = MSFlexGrid1->rowCount();
        MSFlexGrid1->insertRow(row);
        for (int c = 0; c < cells.size() && c < 4; ++c) {
            auto *cell = new QTableWidgetItem(cells[c]);
            cell->setTextAlignment(
                c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : (Qt::AlignRight | Qt::AlignVCenter));
            MSFlexGrid1->setItem(row, c, cell);
        }
    }
    MSFlexGrid1->setColumnWidth(0, px(itemColumnTwips()));
    for (int c = 1; c < 4; ++c) {
        MSFlexGrid1->setColumnWidth(c, px(kValueColumn));
        if (QTableWidgetItem *head = MSFlexGrid1->horizontalHeaderItem(c))
            head->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

double frmPSYDataSanshou::itemColumnTwips() const
{
    // What lblSizeCalc measured: each item text in the grid's font.
    const QFontMetrics metrics(MSFlexGrid1->font());
    double width = 0;
    for (int i = 0; i < Combo1[1]->count(); ++i) {
        const double w = ui::pixelsToTwipsX(metrics.horizontalAdvance(Combo1[1]->itemText(i)));
        if (w > width)
            width = w + 128;
    }
    return width;
}

// ---- level by scale and highlight -------------------------------------------

std::int16_t frmPSYDataSanshou::GetDispSpaceID(zorvik::Zorvik *objZor, std::vector<std::int16_t> &iTargetSpID)
{
    iTargetSpID.clear();
    if (!objZor)
        return 0;
    ComElmKind kinds;
    kinds.setZorvik(objZor);
    std::vector<std::int16_t> spaces;
    std::vector<QString> spaceNames;
    const std::int16_t spaceCount = kinds.GetSpaceIDList(spaces, spaceNames);
    const double scale = objZor->Scale();
    for (std::int16_t i = 0; i < spaceCount; ++i) {
        std::vector<std::int16_t> vectors;
        std::vector<QString> vectorNames;
        const std::int16_t vectorCount
            = kinds.GetVectIDList(spaces[static_cast<std::size_t>(i)], vectors, vectorNames);
        bool shown = true;
        for (std::int16_t j = 0; j < vectorCount && shown; ++j) {
            std::int32_t lower = 0;
            std::int32_t upper = 0;
            if (objZor->GetElmDispRange(0, vectors[static_cast<std::size_t>(j)], lower, upper)
                != zorvik::code::Ok) {
                iTargetSpID.clear();
                return 0;
            }
            shown = lower <= scale && scale <= upper;
        }
        if (shown)
            iTargetSpID.push_back(spaces[static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int16_t>(iTargetSpID.size());
}

std::int16_t frmPSYDataSanshou::GetUseSpaceID(zorvik::Zorvik *objZor)
{
    std::vector<std::int16_t> displayed;
    GetDispSpaceID(objZor, displayed);
    return statrender::useSpaceID(displayed, gintPrefSpaceID, gintCitySpaceID, gintTownSpaceID);
}

void frmPSYDataSanshou::DrawCaldoraArea(std::int32_t Lx, std::int32_t lY)
{
    ClearHighlight();
    if (!gobjZor)
        return;
    gobjZor->setSpaceID(GetUseSpaceID(gobjZor));
    gobjZor->setRecognizeElementType(1);
    gobjZor->setRecognizeSearchNum(0);
    zorvik::Handle set = 0;
    std::int32_t found = 0;
    std::int32_t countB = 0;
    std::int32_t countC = 0;
    if (gobjZor->SearchElements(3, Lx, lY, set, found, countB, countC) != zorvik::code::Ok)
        set = 0;
    // An empty result is no highlight; its set goes at once.
    if (set > 0 && found <= 0) {
        gobjZor->ReleaseElements(set);
        set = 0;
    }
    lHighlightSet = set;
    if (lHighlightSet > 0)
        gobjZor->DrawElements(lHighlightSet, 3, 29, 6, 29);
}

void frmPSYDataSanshou::ClearHighlight()
{
    if (lHighlightSet <= 0)
        return;
    const zorvik::Handle set = lHighlightSet;
    lHighlightSet = 0;
    if (!gobjZor)
        return;
    gobjZor->DrawElements(set, 0, 0, 0, 0);
    // The erased set is of no further use.
    gobjZor->ReleaseElements(set);
    gobjZor->Refresh();
}
