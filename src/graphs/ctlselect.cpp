// ctlSelect: construction, the properties, Clear and the end of the control.
#include "graphs/ctlselect.h"

#include "graphs/selectframe.h"

#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "shell/clstooltip.h"
#include "shell/programfolder.h"
#include "statdataui/frmrequisite.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <exception>

using namespace veltra::graphs::selecttwips;
using veltra::graphs::TwipRect;

namespace {

// A button picture from the program folder; a missing or unreadable one
// leaves the button its text.
void setButtonPicture(QToolButton *button, const QString &file, const QString &fallbackText)
{
    const QString path = veltra::shell::programFolder() + file;
    const QIcon icon(path);
    if (QFileInfo::exists(path) && !icon.pixmap(16, 16).isNull()) {
        button->setIcon(icon);
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    } else {
        button->setText(fallbackText);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

QRadioButton *option(QGroupBox *frame, const QString &caption)
{
    auto *b = new QRadioButton(caption, frame);
    return b;
}

template<std::size_t N>
std::int32_t chosenIndex(const std::array<QRadioButton *, N> &group)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (group[i] && group[i]->isChecked())
            return static_cast<std::int32_t>(i);
    }
    return -1;
}

} // namespace

ctlSelect::ctlSelect(QWidget *parent)
    : QWidget(parent)
{
    // The twip geometry is drawn for a 9-point font: a frame caption and the
    // one-row list below it fit only at that size.
    QFont small = font();
    small.setPointSize(9);
    setFont(small);
    buildControls();
    // Initialisation: the frames of the options are hidden until a layout
    // shows them.
    for (QWidget *w : {static_cast<QWidget *>(FrameCalc), static_cast<QWidget *>(FrameCalc2),
             static_cast<QWidget *>(FrameCalc3), static_cast<QWidget *>(FrameExpressionKind),
             static_cast<QWidget *>(FrameHaba), static_cast<QWidget *>(FrameFlow),
             static_cast<QWidget *>(FrameRank)})
        w->hide();
    chkColorOrg->move(FrameSelect[0]->x(), chkColorOrg->y());
    chkColorOrg->show();
    chkColorOrg->setChecked(false);
    for (int n = 2; n <= 20; ++n)
        cmbHaba->addItem(QString::number(n));
    cmbHaba->setCurrentText(QStringLiteral("15"));

    m_objToolTip = std::make_unique<clsToolTip>();
    m_objToolTip->setStyle(1);
    m_objToolTip->setIcon(1);

    frmCalcSel = new frmRequisite(this);
    connect(frmCalcSel, &frmRequisite::SelectCalcTemplate, this,
        [this](const QString &path) { frmCalcSel_SelectCalcTemplate(path); });
    m_lngCalcTarget = -1;

    resize(veltra::ui::twipsToPixels(FrameSelectWidth + FrameWidthMargin, logicalDpiX()),
        veltra::ui::twipsToPixels(ControlHeight, logicalDpiY()));
    UserControl_Resize();
}

ctlSelect::~ctlSelect()
{
    UserControl_Terminate();
}

void ctlSelect::buildControls()
{
    for (int k = 0; k < 4; ++k) {
        auto *frame = new SelectFrame(this);
        FrameSelect[static_cast<std::size_t>(k)] = frame;
        setBoxGeometry(frame, {0, FrameSelectTops[k], FrameSelectWidth, FrameSelectHeight});

        auto *remove = new QToolButton(frame);
        auto *add = new QToolButton(frame);
        setButtonPicture(remove, QStringLiteral("ArrowLeft.gif"), QStringLiteral("←"));
        setButtonPicture(add, QStringLiteral("ArrowRight.gif"), QStringLiteral("→"));
        remove->setToolTip(QStringLiteral("選択を外す"));
        add->setToolTip(QStringLiteral("ツリーで選んだ項目を入れる"));
        setBoxGeometry(remove, {RemoveButtonLeft, ButtonTop, ButtonSize, ButtonSize});
        setBoxGeometry(add, {AddButtonLeft, ButtonTop, ButtonSize, ButtonSize});
        cmdSelect[static_cast<std::size_t>(2 * k)] = remove;
        cmdSelect[static_cast<std::size_t>(2 * k + 1)] = add;
        connect(remove, &QToolButton::clicked, this, [this, k] { cmdSelect_Click(static_cast<std::int16_t>(2 * k)); });
        connect(add, &QToolButton::clicked, this, [this, k] { cmdSelect_Click(static_cast<std::int16_t>(2 * k + 1)); });

        auto *list = new QTreeWidget(frame);
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setHeaderHidden(true);
        list->setColumnCount(ListColumns);
        QStringList headers;
        for (int c = 1; c <= ListColumns; ++c)
            headers << QStringLiteral("column%1").arg(c);
        list->setHeaderLabels(headers);
        list->header()->setStretchLastSection(false);
        for (int c = 0; c < ListColumns; ++c)
            list->setColumnWidth(c, veltra::ui::twipsToPixels(ListColumnWidth, logicalDpiX()));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // As a list view that hides its selection while it has no focus.
        QPalette palette = list->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
        list->setPalette(palette);
        list->setMouseTracking(true);
        list->viewport()->setMouseTracking(true);
        list->viewport()->installEventFilter(this);
        setBoxGeometry(list, {ListLeft, ListTop, ListWidth, ListHeight});
        lstSelect[static_cast<std::size_t>(k)] = list;

        auto *calc = new QToolButton(frame);
        setButtonPicture(calc, QStringLiteral("Calc.gif"), QStringLiteral("計"));
        calc->setToolTip(QStringLiteral("計算テンプレートを選ぶ"));
        setBoxGeometry(calc, {TemplateButtonLeft, ButtonTop, ButtonSize, ButtonSize});
        cmdCalSel[static_cast<std::size_t>(k)] = calc;
        connect(calc, &QToolButton::clicked, this, [this, k] { cmdCalSel_Click(static_cast<std::int16_t>(k)); });
    }
    HideHScrollBars();
    buildOptionFrames();

    chkColorOrg = new QCheckBox(QStringLiteral("色を元に戻す"), this);
    setBoxGeometry(chkColorOrg, {0, 0, ChkColorOrgWidth, ChkColorOrgHeight});

    lstSymbol = new QListWidget(this);
    lstSymbol->setViewMode(QListView::IconMode);
    lstSymbol->setFlow(QListView::LeftToRight);
    lstSymbol->setWrapping(true);
    lstSymbol->setWordWrap(true);
    lstSymbol->setResizeMode(QListView::Adjust);
    lstSymbol->setMovement(QListView::Static);
    lstSymbol->setIconSize(QSize(16, 16));
    // A cell wide enough for a file name in two lines under its picture.
    lstSymbol->setGridSize(QSize(veltra::ui::twipsToPixels(1200, logicalDpiX()), veltra::ui::twipsToPixels(780, logicalDpiY())));
    lstSymbol->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstSymbol->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSymbol->setFrameShape(QFrame::StyledPanel);
    lstSymbol->setFrameShadow(QFrame::Sunken);
    setBoxGeometry(lstSymbol, {0, 0, SymbolListWidth, SymbolListHeight});
    lstSymbol->hide();

    cmdLoad = new QPushButton(QStringLiteral("参照..."), this);
    setBoxGeometry(cmdLoad, {0, 0, LoadButtonWidth, LoadButtonHeight});
    cmdLoad->hide();
    connect(cmdLoad, &QPushButton::clicked, this, [this] { cmdLoad_Click(); });
}

void ctlSelect::buildOptionFrames()
{
    const QStringList calcCaptions{
        QStringLiteral("割合(%)"), QStringLiteral("比率"), QStringLiteral("増加率")};
    const int optionHeight = 255;

    FrameCalc = new SelectFrame(this);
    setBoxGeometry(FrameCalc, {FrameCalcLeft, FrameCalcTop, FrameCalcWidth, FrameCalcHeight});
    const TwipRect calcPlaces[3] = {{120, OptionTop, 1140, optionHeight}, {1320, OptionTop, 1140, optionHeight},
        {120, FrameCalcSecondRowTop, 1140, optionHeight}};
    for (int i = 0; i < 3; ++i) {
        optCalc[static_cast<std::size_t>(i)] = option(FrameCalc, calcCaptions[i]);
        setBoxGeometry(optCalc[static_cast<std::size_t>(i)], calcPlaces[i]);
    }

    const int axisLefts[3] = {120, 1320, 2400};
    auto axisFrame = [&](const QString &caption, std::array<QRadioButton *, 3> &group) {
        auto *frame = new SelectFrame(caption, this);
        setBoxGeometry(frame, {0, 0, FrameCalcAxisWidth, OptionFrameHeight});
        for (int i = 0; i < 3; ++i) {
            group[static_cast<std::size_t>(i)] = option(frame, calcCaptions[i]);
            setBoxGeometry(group[static_cast<std::size_t>(i)], {axisLefts[i], OptionTop, 1060, optionHeight});
        }
        return frame;
    };
    FrameCalc2 = axisFrame(QStringLiteral("X軸"), optCalc2);
    FrameCalc3 = axisFrame(QStringLiteral("Y軸"), optCalc3);

    auto pairFrame = [&](int width, const QString &first, const QString &second, int secondLeft,
                         std::array<QRadioButton *, 2> &group) {
        auto *frame = new SelectFrame(this);
        setBoxGeometry(frame, {0, 0, width, OptionFrameHeight});
        group[0] = option(frame, first);
        group[1] = option(frame, second);
        setBoxGeometry(group[0], {120, OptionTop, secondLeft - 180, optionHeight});
        setBoxGeometry(group[1], {secondLeft, OptionTop, width - secondLeft - 60, optionHeight});
        return frame;
    };
    FrameExpressionKind = pairFrame(FrameExpressionKindWidth, QStringLiteral("絶対値"), QStringLiteral("相対値"),
        1080, optExpressionKind);
    FrameFlow = pairFrame(FrameFlowWidth, QStringLiteral("流入"), QStringLiteral("流出"), 840, optFlow);
    FrameRank = pairFrame(FrameRankWidth, QStringLiteral("昇順"), QStringLiteral("降順"), 1200, optRank);
    for (int i = 0; i < 2; ++i)
        connect(optExpressionKind[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
            [this, i] { optExpressionKind_Click(static_cast<std::int16_t>(i)); });

    FrameHaba = new SelectFrame(this);
    setBoxGeometry(FrameHaba, {0, 0, FrameHabaWidth, OptionFrameHeight});
    lblHaba = new QLabel(QStringLiteral("相対値表示最大値："), FrameHaba);
    // The label runs up to the combo box, so its nine characters are never cut.
    setBoxGeometry(lblHaba, {120, OptionTop, HabaComboLeft - 120, optionHeight});
    cmbHaba = new QComboBox(FrameHaba);
    cmbHaba->setEditable(false);
    setBoxGeometry(cmbHaba, {HabaComboLeft, OptionTop - 45, HabaComboWidth, 330});

    // Index 0 is chosen in every group.
    for (QRadioButton *b : {optCalc[0], optCalc2[0], optCalc3[0], optExpressionKind[0], optFlow[0], optRank[0]})
        b->setChecked(true);
}

void ctlSelect::setBoxGeometry(QWidget *w, const TwipRect &r) const
{
    const double dx = logicalDpiX();
    const double dy = logicalDpiY();
    w->setGeometry(veltra::ui::twipsToPixels(r.left, dx), veltra::ui::twipsToPixels(r.top, dy),
        veltra::ui::twipsToPixels(r.width, dx), veltra::ui::twipsToPixels(r.height, dy));
}

int ctlSelect::scaleWidth() const
{
    return static_cast<int>(veltra::ui::pixelsToTwips(width(), logicalDpiX()));
}

void ctlSelect::setSelectItem(std::int32_t lngSelect)
{
    m_selectItem = static_cast<std::int16_t>(lngSelect);
    Clear();
    UserControl_Resize();
}

void ctlSelect::setAnaRange(std::int32_t lngNew)
{
    m_anaRange = lngNew;
    Clear();
    UserControl_Resize();
}

std::int32_t ctlSelect::ListCount(std::int32_t Index) const
{
    if (Index < 0 || Index > 3)
        return 0;
    return lstSelect[static_cast<std::size_t>(Index)]->topLevelItemCount();
}

std::int32_t ctlSelect::SymbolListCount() const
{
    for (int row = 0; row < lstSymbol->count(); ++row) {
        if (lstSymbol->item(row)->isSelected())
            return row + 1;
    }
    return 0;
}

QString ctlSelect::SymbolFile() const
{
    const std::int32_t row = SymbolListCount();
    return row == 0 ? QString() : lstSymbol->item(row - 1)->data(Qt::UserRole).toString();
}

std::int32_t ctlSelect::CalcKind() const
{
    return std::max(0, chosenIndex(optCalc));
}

std::int32_t ctlSelect::CalcKind2() const
{
    return std::max(0, chosenIndex(optCalc2));
}

std::int32_t ctlSelect::CalcKind3() const
{
    return std::max(0, chosenIndex(optCalc3));
}

std::int32_t ctlSelect::ExpressionKind() const
{
    return optExpressionKind[1]->isChecked() ? 1 : 0;
}

std::int32_t ctlSelect::FlowKind() const
{
    return optFlow[1]->isChecked() ? 1 : 0;
}

std::int32_t ctlSelect::RankKind() const
{
    return optRank[1]->isChecked() ? 1 : 0;
}

std::int32_t ctlSelect::HabaMax() const
{
    const QString text = cmbHaba->currentText().trimmed();
    if (text.isEmpty())
        return 15;
    try {
        return veltra::vb::cLng(text);
    } catch (const std::exception &) {
        return 0;
    }
}

bool ctlSelect::ColorOrg() const
{
    return chkColorOrg->isChecked();
}

void ctlSelect::ColorOrgDefault()
{
    chkColorOrg->setChecked(false);
}

std::int16_t ctlSelect::GetItemSelect(std::int16_t selflg) const
{
    // The frame's own visibility counts, not whether the window is on screen.
    auto answer = [this](const QGroupBox *frame, std::int32_t chosen) -> std::int16_t {
        if (!frame->isVisibleTo(this) || chosen < 0)
            return 255;
        return static_cast<std::int16_t>(chosen + 1);
    };
    switch (selflg) {
    case 1:
        return answer(FrameCalc, chosenIndex(optCalc));
    case 2:
        return answer(FrameExpressionKind, chosenIndex(optExpressionKind));
    case 3:
        return answer(FrameFlow, chosenIndex(optFlow));
    default:
        return 255;
    }
}

void ctlSelect::Clear()
{
    for (QTreeWidget *list : lstSelect)
        list->clear();
    m_lngHoverRow.fill(0);
    optCalc[0]->setChecked(true);
    optCalc2[0]->setChecked(true);
    optCalc3[0]->setChecked(true);
    for (QWidget *w : {static_cast<QWidget *>(FrameCalc), static_cast<QWidget *>(FrameCalc2),
             static_cast<QWidget *>(FrameCalc3), static_cast<QWidget *>(FrameFlow),
             static_cast<QWidget *>(FrameExpressionKind), static_cast<QWidget *>(FrameHaba),
             static_cast<QWidget *>(FrameRank)})
        w->hide();
}

void ctlSelect::setSelectData(std::int16_t selGraph, const QString &strSelData, std::int32_t intDatasuu,
    const QString &strKoumokuData)
{
    // The saved choices are read but not applied: whether a read-back should
    // restore the option frames is not settled.
    Q_UNUSED(intDatasuu);
    const QStringList fields = strSelData.split(QLatin1Char('/'));
    std::array<double, 4> choices{};
    for (int i = 0; i < 4; ++i)
        choices[static_cast<std::size_t>(i)] = veltra::vb::val(fields.value(i));
    QStringList names;
    if (selGraph == 1)
        names = strKoumokuData.split(QLatin1Char('/'));
    Q_UNUSED(choices);
    Q_UNUSED(names);
}

void ctlSelect::UserControl_Terminate()
{
    if (m_objToolTip) {
        m_objToolTip->Destroy();
        m_objToolTip.reset();
    }
    if (frmCalcSel) {
        frmCalcSel->close();
        delete frmCalcSel;
        frmCalcSel = nullptr;
    }
}

void ctlSelect::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The arrangement depends on the width only; the layout's own change of
    // the height needs no second run.
    if (event->size().width() != m_laidOutWidth)
        UserControl_Resize();
}
