#include "graphs/ctllegend.h"

#include "graphs/classboundcheck.h"
#include "graphs/globals.h"
#include "graphs/legendgeometry.h"
#include "graphs/legendswatch.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/errors.h"
#include "shell/modcolordialog.h"
#include "zorvik/widget/keycodes.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

using namespace veltra;
using namespace veltra::graphs::legendtwips;

ctlLegend::ctlLegend(QWidget *parent)
    : QWidget(parent)
    , m_title(new QLineEdit(this))
    , m_box(new QScrollArea(this))
    , m_canvas(new QWidget)
{
    m_box->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box->setWidgetResizable(false);
    m_box->setWidget(m_canvas);
    // Scrolling by the user hands the keyboard focus to the canvas.
    m_canvas->setFocusPolicy(Qt::ClickFocus);
    connect(
        m_box->verticalScrollBar(), &QScrollBar::actionTriggered, m_canvas, [this] { m_canvas->setFocus(); });
    connect(m_box->verticalScrollBar(), &QScrollBar::sliderMoved, m_canvas, [this] { m_canvas->setFocus(); });

    m_rows.push_back(createRow(0));
    resize(tx(ControlWidth), ty(ControlHeight));

    resetCurrentList();
    hideRow(m_rows[0]);
    m_title->hide();
    m_lngCount = -1;
    m_canvasWidth = boxWidthTwips() + SwatchLeft;
    m_canvasHeight = NewCanvasHeight;
    LayoutLegend();
}

ctlLegend::~ctlLegend()
{
    UnloadRows();
}

int ctlLegend::tx(int twips) const
{
    return ui::twipsToPixels(twips, logicalDpiX());
}

int ctlLegend::ty(int twips) const
{
    return ui::twipsToPixels(twips, logicalDpiY());
}

int ctlLegend::boxWidthTwips() const
{
    return static_cast<int>(ui::pixelsToTwips(m_box->width(), logicalDpiX()));
}

ctlLegend::Row ctlLegend::createRow(int i)
{
    Row row;
    row.swatch = new LegendSwatch(m_canvas);
    row.name = new QLineEdit(m_canvas);
    row.lower = new QLineEdit(QStringLiteral("999.9"), m_canvas);
    row.kara = new QLabel(QStringLiteral("～"), m_canvas);
    row.upper = new QLineEdit(QStringLiteral("999.9"), m_canvas);
    row.count = new QLineEdit(QStringLiteral("999"), m_canvas);
    const int top = veltra::graphs::legendRowTop(i);
    row.swatch->setGeometry(tx(SwatchLeft), ty(top), tx(SwatchWidth), ty(SwatchHeight));
    const int frame = row.swatch->frameWidth();
    row.swatch->outline()->setGeometry(frame, frame, tx(OutlineWidth), ty(OutlineHeight));
    row.name->setGeometry(tx(NameLeft), ty(top), tx(NameWidth), ty(BoxHeight));
    if (i > 0 && m_rows.size() > 0)
        row.name->setGeometry(m_rows[0].name->x(), ty(top), m_rows[0].name->width(), ty(BoxHeight));
    placeBounds(row, top);
    for (QLineEdit *box : {row.lower, row.upper})
        box->installEventFilter(this);
    connect(row.swatch, &LegendSwatch::doubleClicked, this, [this, i] { swatchDoubleClicked(i); });
    // Controls of a new row start hidden.
    hideRow(row);
    return row;
}

void ctlLegend::placeBounds(const Row &row, int top)
{
    row.lower->setGeometry(tx(LowerLeft), ty(top), tx(BoundWidth), ty(BoxHeight));
    row.kara->setGeometry(tx(KaraLeft), ty(top), tx(KaraWidth), ty(BoxHeight));
    row.upper->setGeometry(tx(UpperLeft), ty(top), tx(BoundWidth), ty(BoxHeight));
    row.count->setGeometry(tx(CountLeft), ty(top), tx(CountWidth), ty(BoxHeight));
}

void ctlLegend::hideRow(const Row &row)
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             row.name, row.swatch, row.swatch->outline(), row.lower, row.upper, row.count, row.kara})
        w->hide();
}

const ctlLegend::Row *ctlLegend::row(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_rows.size()))
        return nullptr;
    return &m_rows[static_cast<std::size_t>(i)];
}

LegendSwatch *ctlLegend::picLegendItem(int i) const
{
    const Row *r = row(i);
    return r ? r->swatch : nullptr;
}

QWidget *ctlLegend::shpLegendItem(int i) const
{
    const Row *r = row(i);
    return r ? r->swatch->outline() : nullptr;
}

QLineEdit *ctlLegend::txtLegend(int i) const
{
    const Row *r = row(i);
    return r ? r->name : nullptr;
}

QLineEdit *ctlLegend::txtIjyou(int i) const
{
    const Row *r = row(i);
    return r ? r->lower : nullptr;
}

QLabel *ctlLegend::lblKara(int i) const
{
    const Row *r = row(i);
    return r ? r->kara : nullptr;
}

QLineEdit *ctlLegend::txtMiman(int i) const
{
    const Row *r = row(i);
    return r ? r->upper : nullptr;
}

QLineEdit *ctlLegend::txtAtai(int i) const
{
    const Row *r = row(i);
    return r ? r->count : nullptr;
}

void ctlLegend::resetCurrentList()
{
    if (glngGraphKind == GraphKindNuri)
        m_typHanrei.assign(1, HanreiItem{});
    else
        m_typLegendSegment.assign(1, LegendSegment{});
}

void ctlLegend::AddSegment(double dblPercentage, const QString &Name, std::int32_t lngColour)
{
    ++m_lngCount;
    const auto size = static_cast<std::size_t>(m_lngCount) + 1;
    if (glngGraphKind == GraphKindNuri) {
        m_typHanrei.resize(size);
        m_typHanrei.back() = HanreiItem{lngColour, Name};
    } else {
        m_typLegendSegment.resize(size);
        m_typLegendSegment.back() = LegendSegment{dblPercentage, lngColour, Name};
    }
}

void ctlLegend::ShowLegend()
{
    const std::int32_t kind = glngGraphKind;
    const Row &row0 = m_rows[0];
    if (kind == GraphKindSanpuzu) {
        hideRow(row0);
        m_title->hide();
        return;
    }
    const bool nuri = kind == GraphKindNuri;
    row0.kara->setVisible(nuri);
    row0.lower->setVisible(nuri);
    row0.upper->setVisible(nuri);
    row0.count->setVisible(nuri);
    m_title->setVisible(nuri);
    row0.name->setVisible(!nuri);
    row0.swatch->show();
    row0.swatch->outline()->show();

    const int swatchTop = veltra::graphs::legendRowTop(0);
    if (nuri) {
        row0.swatch->setColour(m_typHanrei.at(0).lngColor);
        const QStringList parts = m_typHanrei.at(0).strName.split(QLatin1Char('/'));
        if (parts.size() < 3) {
            hideRow(row0);
            row0.lower->setEnabled(false);
            row0.upper->setEnabled(false);
            row0.count->setEnabled(false);
        } else {
            row0.lower->setText(parts[0]);
            row0.upper->setText(parts[1]);
            row0.count->setText(parts[2]);
            placeBounds(row0, swatchTop);
            row0.kara->setText(QStringLiteral("～"));
            row0.name->hide();
            row0.lower->setEnabled(true);
            row0.upper->setEnabled(true);
            row0.count->setEnabled(false);
        }
    } else {
        row0.lower->setEnabled(false);
        row0.upper->setEnabled(false);
        row0.count->setEnabled(false);
    }

    UnloadRows();

    const int boxWidth = boxWidthTwips();
    if (!nuri) {
        const LegendSegment &entry = m_typLegendSegment.at(0);
        row0.swatch->show();
        row0.swatch->setColour(entry.lngColor);
        row0.name->setText(entry.strName);
        row0.name->setGeometry(row0.name->x(), row0.name->y(), tx(boxWidth - NameRightMargin), ty(BoxHeight));
        row0.name->setReadOnly(true);
    }

    const std::size_t entries = nuri ? m_typHanrei.size() : m_typLegendSegment.size();
    for (std::size_t e = 1; e < entries; ++e) {
        const int i = static_cast<int>(e);
        m_rows.push_back(createRow(i));
        const Row &r = m_rows.back();
        m_canvasWidth = boxWidth + SwatchLeft;
        m_canvasHeight = veltra::graphs::legendCanvasHeight(i);
        applyCanvasSize();
        r.swatch->show();
        r.swatch->outline()->show();
        if (nuri) {
            const HanreiItem &entry = m_typHanrei[e];
            r.swatch->setColour(entry.lngColor);
            const QStringList parts = entry.strName.split(QLatin1Char('/'));
            r.lower->setText(parts.value(0));
            r.upper->setText(parts.value(1));
            r.count->setText(parts.value(2));
            r.lower->show();
            r.upper->show();
            r.count->show();
            r.kara->setText(QStringLiteral("～"));
            r.kara->show();
            r.name->hide();
            r.lower->setEnabled(false);
            r.upper->setEnabled(true);
            r.count->setEnabled(false);
        } else {
            const LegendSegment &entry = m_typLegendSegment[e];
            r.swatch->setColour(entry.lngColor);
            r.name->setReadOnly(true);
            r.name->setText(entry.strName);
            r.name->show();
        }
    }

    if (nuri)
        m_intCurRow = -1;
    LayoutLegend();
}

void ctlLegend::UnloadRows()
{
    while (m_rows.size() > 1) {
        const Row &r = m_rows.back();
        for (QWidget *w :
            std::initializer_list<QWidget *>{r.swatch, r.name, r.lower, r.kara, r.upper, r.count})
            delete w;
        m_rows.pop_back();
    }
}

void ctlLegend::Clear()
{
    m_lngCount = -1;
    UnloadRows();
    resetCurrentList();
    m_canvasWidth = ClearedCanvasWidth;
    m_canvasHeight = ClearedCanvasHeight;
    LayoutLegend();
    update();
}

void ctlLegend::Clear2()
{
    m_lngCount = -1;
    UnloadRows();
}

QString ctlLegend::GetHanrei(std::int16_t Index) const
{
    const Row *r = row(Index);
    if (!r)
        throw vb::SubscriptOutOfRange("Subscript out of range: no legend row " + std::to_string(Index));
    return r->lower->text() + QLatin1Char('/') + r->upper->text();
}

void ctlLegend::ChangeColor(std::int16_t intIndex, std::int32_t lngColor)
{
    const bool nuri = glngGraphKind == GraphKindNuri;
    const std::size_t size = nuri ? m_typHanrei.size() : m_typLegendSegment.size();
    if (intIndex < 0 || static_cast<std::size_t>(intIndex) >= size)
        throw vb::SubscriptOutOfRange("Subscript out of range: no legend entry " + std::to_string(intIndex));
    if (nuri)
        m_typHanrei[static_cast<std::size_t>(intIndex)].lngColor = lngColor;
    else
        m_typLegendSegment[static_cast<std::size_t>(intIndex)].lngColor = lngColor;
}

void ctlLegend::SetRange(double Max, double Min)
{
    m_dblRangeMax = Max;
    m_dblRangeMin = Min;
}

void ctlLegend::setLegendTitle(const QString &strTitle)
{
    m_title->setText(strTitle);
}

void ctlLegend::PSY_SetText(std::int32_t nIndex, const QString &sIjou, const QString &sMiman)
{
    if (QLineEdit *lower = txtIjyou(nIndex))
        lower->setText(sIjou);
    if (QLineEdit *upper = txtMiman(nIndex))
        upper->setText(sMiman);
}

std::int32_t ctlLegend::PSY_GetTextCount() const
{
    return static_cast<std::int32_t>(m_rows.size());
}

void ctlLegend::applyCanvasSize()
{
    m_canvas->resize(tx(m_canvasWidth), ty(m_canvasHeight));
}

void ctlLegend::LayoutLegend()
{
    const int title = glngGraphKind == GraphKindNuri ? ty(TitleHeight) : 0;
    m_title->setGeometry(0, 0, width(), ty(TitleHeight));
    m_box->setGeometry(0, title, width(), height() - title);
    applyCanvasSize();
    const int inner = m_box->height() - 2 * m_box->frameWidth();
    const veltra::graphs::LegendScroll scroll = veltra::graphs::legendScroll(m_canvas->height(), inner);
    m_box->setVerticalScrollBarPolicy(scroll.needed ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // The scroll area runs its range the other way (0 up to canvas - inside)
    // and takes the inside as its page step by itself.
    if (scroll.needed)
        m_box->verticalScrollBar()->setSingleStep(scroll.smallStep);
}

void ctlLegend::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutLegend();
    update();
}

void ctlLegend::swatchDoubleClicked(int i)
{
    LegendSwatch *swatch = picLegendItem(i);
    if (!swatch)
        return;
    const ColorDialogResult chosen = modColorDialog::ShowColorDialog(swatch, -1, swatch->colour());
    if (chosen.Canceled != 0)
        return;
    swatch->setColour(chosen.Color);
    emit ColorChange(static_cast<std::int16_t>(i), chosen.Color);
}

bool ctlLegend::InputCheck()
{
    const int r = m_intCurRow;
    if (r == -1)
        return true;
    // Rows rebuilt with fewer entries under another graph kind leave nothing
    // to check.
    const Row *edited = row(r);
    if (!edited) {
        m_intCurRow = -1;
        return true;
    }
    if (edited->lower->isHidden())
        return true;

    QStringList lower;
    QStringList upper;
    for (const Row &k : m_rows) {
        lower << k.lower->text();
        upper << k.upper->text();
    }
    const std::optional<QString> refusal
        = veltra::graphs::classBoundRefusal(r, lower, upper, m_dblRangeMin, m_dblRangeMax);
    if (refusal) {
        ui::MsgBox(*refusal, ui::vbOKOnly);
        edited->upper->setFocus();
        return false;
    }

    const int n = static_cast<int>(m_rows.size());
    auto store = [this](int k) {
        const Row &rk = m_rows[static_cast<std::size_t>(k)];
        if (m_typHanrei.size() <= static_cast<std::size_t>(k))
            m_typHanrei.resize(static_cast<std::size_t>(k) + 1);
        m_typHanrei[static_cast<std::size_t>(k)].strName
            = rk.lower->text() + QLatin1Char('/') + rk.upper->text() + QLatin1Char('/') + rk.count->text();
    };
    store(r);
    if (r < n - 1) {
        m_rows[static_cast<std::size_t>(r) + 1].lower->setText(edited->upper->text());
        store(r + 1);
    }
    emit RangeChange(static_cast<std::int16_t>(r), edited->lower->text(), edited->upper->text());
    return true;
}

void ctlLegend::boundMouseUp(std::int16_t Index)
{
    if (InputCheck())
        m_intCurRow = Index;
}

void ctlLegend::txtIjyou_MouseUp(std::int16_t Index, std::int16_t, std::int16_t, float, float)
{
    boundMouseUp(Index);
}

void ctlLegend::txtMiman_MouseUp(std::int16_t Index, std::int16_t, std::int16_t, float, float)
{
    boundMouseUp(Index);
}

bool ctlLegend::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const Row &r = m_rows[i];
            if (watched != r.lower && watched != r.upper)
                continue;
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const auto index = static_cast<std::int16_t>(i);
            const std::int16_t button = static_cast<std::int16_t>(zorvik::keys::buttonCode(mouse->button()));
            const std::int16_t shift = static_cast<std::int16_t>(zorvik::keys::shiftMask(mouse->modifiers()));
            const auto x = static_cast<float>(ui::pixelsToTwips(mouse->position().x(), logicalDpiX()));
            const auto y = static_cast<float>(ui::pixelsToTwips(mouse->position().y(), logicalDpiY()));
            const bool isLower = watched == r.lower;
            // A host may rebuild the rows from the events raised here; the
            // box must then not receive the rest of the event.
            const QPointer<QObject> box(watched);
            if (isLower)
                txtIjyou_MouseUp(index, button, shift, x, y);
            else
                txtMiman_MouseUp(index, button, shift, x, y);
            if (!box)
                return true;
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
