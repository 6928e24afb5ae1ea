// Classification of the choropleth preview in the statistics map window:
// the method options, the class count and 更新, the boundary handles dragged
// along the class bar, bounds and colours changed in the legend, and the
// colour ramp. The classes themselves are the graph object's; this file
// decides when they are recomputed, taken from the legend or kept.
//
// Mouse events of the preview picture and of its handles reach the handlers
// in VB's terms (button and shift codes, positions in twips within the
// control) through one event filter, which also watches the handles made
// after it was installed.
#include "statwindow/frmstatisticsmap.h"

#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"
#include "platform/vb/format.h"
#include "statwindow/classhandles.h"

#include <QChildEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <exception>

using namespace veltra::statwindow;

namespace {

std::int16_t buttonCode(Qt::MouseButtons buttons)
{
    std::int16_t code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

std::int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    std::int16_t code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

// A handler's failure, for the user.
void reportFailure(const QString &what, const std::exception &e)
{
    veltra::ui::MsgBox(what + QLatin1Char('\n') + QString::fromUtf8(e.what()), veltra::ui::vbExclamation);
}

} // namespace

class frmStatisticsMap::PreviewMouse : public QObject
{
public:
    explicit PreviewMouse(frmStatisticsMap *window)
        : QObject(window)
        , m_window(window)
    {
    }

    void watch(QObject *object) { object->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window->m_picMap) {
            if (event->type() == QEvent::ChildAdded)
                watch(static_cast<QChildEvent *>(event)->child());
            else if (event->type() == QEvent::MouseButtonRelease)
                mapReleased(static_cast<QMouseEvent *>(event));
            return false;
        }
        const auto type = event->type();
        if (type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
            return false;
        const auto &handles = m_window->m_picSlider;
        const auto found = std::find(handles.begin(), handles.end(), watched);
        if (found == handles.end())
            return false;
        const auto index = static_cast<std::int16_t>(found - handles.begin());
        auto *mouse = static_cast<QMouseEvent *>(event);
        const auto x = static_cast<float>(veltra::ui::pixelsToTwipsX(mouse->position().x()));
        const auto y = static_cast<float>(veltra::ui::pixelsToTwipsY(mouse->position().y()));
        const std::int16_t shift = shiftCode(mouse->modifiers());
        if (type == QEvent::MouseMove) {
            m_window->picSlider_MouseMove(index, buttonCode(mouse->buttons()), shift, x, y);
            return true;
        }
        // A release rebuilds the handles, this one among them: it runs once
        // the handle's event is over.
        const std::int16_t button = buttonCode(mouse->button());
        QTimer::singleShot(0, m_window, [w = m_window, index, button, shift, x, y] {
            w->picSlider_MouseUp(index, button, shift, x, y);
        });
        return true;
    }

private:
    void mapReleased(QMouseEvent *mouse)
    {
        // Positions within the picture's client area, inside its border.
        const QPointF at = mouse->position() - QPointF(m_window->m_picMap->contentsRect().topLeft());
        m_window->picMap_MouseUp(buttonCode(mouse->button()), shiftCode(mouse->modifiers()),
            static_cast<float>(veltra::ui::pixelsToTwipsX(at.x())),
            static_cast<float>(veltra::ui::pixelsToTwipsY(at.y())));
    }

    frmStatisticsMap *m_window;
};

void frmStatisticsMap::disconnectClassificationAndScatter()
{
    delete m_previewMouse;
    m_previewMouse = nullptr;
}

void frmStatisticsMap::connectClassificationAndScatter()
{
    m_previewMouse = new PreviewMouse(this);
    m_previewMouse->watch(m_picMap);
    for (PictureBox *handle : m_picSlider)
        m_previewMouse->watch(handle);
    for (int i = 0; i < static_cast<int>(m_optMethod.size()); ++i)
        connect(m_optMethod[static_cast<std::size_t>(i)], &QRadioButton::released, this,
            [this, i] { optMethod_MouseUp(static_cast<std::int16_t>(i), 1, 0, 0, 0); });
}

double frmStatisticsMap::twipsLeft(const QWidget *w)
{
    return veltra::ui::pixelsToTwipsX(w->x());
}

double frmStatisticsMap::twipsWidth(const QWidget *w)
{
    return veltra::ui::pixelsToTwipsX(w->width());
}

std::optional<std::int16_t> frmStatisticsMap::comboClassCount() const
{
    QString text = m_cmbFuriwake->currentText();
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    if (text.isEmpty())
        return std::nullopt;
    return veltra::vb::cInt(veltra::vb::val(text));
}

template <typename Redraw> void frmStatisticsMap::rebuildClassDisplay(std::int16_t n, Redraw redraw)
{
    glngGraphKind = GraphKindNuri;
    HidePreviewControls();
    for (QWidget *w : std::initializer_list<QWidget *>{FrameBaseTokei, FrameHistoSelect, m_ctlGradation, m_shpBar,
             m_picSlider[0]})
        w->setVisible(true);
    m_intSliderCnt = n;
    createSliders(n);
    m_Graph->setAutoRedraw(false);
    redraw();
    m_Graph->setAutoRedraw(true);
}

void frmStatisticsMap::cmdKoushin_Click()
{
    const std::optional<std::int16_t> count = comboClassCount();
    if (!count)
        return;
    const std::int16_t n = *count;
    if (m_optMethod[4]->isChecked() && n % 2 != 0) {
        veltra::ui::MsgBox(QStringLiteral("標準偏差分類では奇数区分数の更新はできません。"), veltra::ui::vbOKOnly);
        return;
    }
    try {
        // With the count unchanged, typed bounds must be valid first (the
        // legend says what is wrong).
        if (n == m_intGradeNum && !m_Graph->RangeCheck())
            return;
        lblMethodUser->setVisible(false);
        if (n != m_intGradeNum) {
            // Colours picked for single classes belong to the old classes.
            m_Graph->ChangeColorFlgInit();
            m_intGradeNum = n;
        }
        rebuildClassDisplay(n, [this, n] {
            m_Graph->SetGradeNum(n);
            m_Graph->DrawHistogram(&m_picMap->canvas(), m_picMap, false, QStringLiteral("1"), 0, QString());
        });
        m_intMethodChanged = 0;
    } catch (const std::exception &e) {
        reportFailure(QStringLiteral("階級を更新できませんでした。"), e);
    }
}

void frmStatisticsMap::optMethod_MouseUp(std::int16_t Index, std::int16_t, std::int16_t, float, float)
{
    const std::optional<std::int16_t> count = comboClassCount();
    if (!count)
        return;
    m_cmbFuriwake->setEnabled(true);
    try {
        if (!m_Graph->RangeCheck())
            return;
        const std::int16_t c = *count;
        m_cmbFuriwake->clear();
        for (int i = 2; i <= 9; ++i)
            m_cmbFuriwake->addItem(veltra::vb::format(i, QStringLiteral("#0")));
        m_cmbFuriwake->setCurrentIndex(std::clamp<int>(c, 2, 9) - 2);
        m_intMethodChanged = Index != m_intMethod ? 1 : 0;
        m_intMethod = Index;
        // Only the legend rows change; the classes wait for 更新 or a ramp.
        m_Graph->BunruiSelect();
    } catch (const std::exception &e) {
        reportFailure(QStringLiteral("分類方法を切り替えられませんでした。"), e);
    }
}

void frmStatisticsMap::picSlider_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t, float X, float)
{
    if (Button != 1)
        return;
    PictureBox *handle = picSlider(Index);
    const PictureBox *prev = picSlider(static_cast<std::int16_t>(Index - 1));
    const PictureBox *next = picSlider(static_cast<std::int16_t>(Index + 1));
    const bool last = Index == m_intSliderCnt;
    // A neighbour the table needs but the window lacks skips the move.
    if (!handle || (Index > 0 && !prev) || (!last && !next))
        return;
    const auto span = [](const QWidget *w) {
        return w ? Span{twipsLeft(w), twipsWidth(w)} : Span{};
    };
    const double width = twipsWidth(handle);
    const double c = draggedLeft(twipsLeft(handle), X, width);
    const DragLimits limits = handleDragLimits(Index, m_intSliderCnt, span(handle), span(prev), span(next), span(m_shpBar));
    if (!limits.admits(c))
        return;
    handle->move(veltra::ui::twipsToPixelsX(c), handle->y());
    lblMethodUser->setVisible(true);
}

void frmStatisticsMap::picSlider_MouseUp(std::int16_t Index, std::int16_t, std::int16_t, float, float)
{
    if (glngGraphKind != GraphKindNuri)
        return;
    const std::optional<std::int16_t> count = comboClassCount();
    const PictureBox *handle = picSlider(Index);
    if (!count || !handle)
        return;
    const std::int16_t n = *count;
    const double firstWidth = twipsWidth(m_picSlider[0]);
    const Span bar{twipsLeft(m_shpBar), twipsWidth(m_shpBar)};
    // Handles the window does not have (the count was raised in the combo
    // and not applied) stand at the bar's right end.
    const auto leftOf = [&](int i) {
        const PictureBox *h = picSlider(static_cast<std::int16_t>(i));
        return h ? twipsLeft(h) : barRightLeft(bar, firstWidth);
    };
    const double left = twipsLeft(handle);
    const ReleaseReferences refs = releaseReferences(Index, n, firstWidth, bar, leftOf(Index - 1), leftOf(Index + 1));
    QStringList positions;
    for (int i = 0; i <= n; ++i)
        positions << veltra::vb::cStr(leftOf(i));
    const QString position = positions.join(QLatin1Char('/'));
    try {
        rebuildClassDisplay(n, [&] {
            m_Graph->SetHani(Index, left, refs.lower, refs.upper, n);
            m_Graph->SetGradeNum(n);
            m_Graph->DrawHistogram(&m_picMap->canvas(), m_picMap, false, QStringLiteral("0"), Index, position);
        });
    } catch (const std::exception &e) {
        reportFailure(QStringLiteral("階級の境界を変更できませんでした。"), e);
    }
}

void frmStatisticsMap::ctlLegend_ColorChange(std::int16_t intIndex, std::int32_t lngColor)
{
    // The graph's redraw rebuilds the legend rows, and the swatch that raised
    // this event is still inside its own double click: the change runs once
    // that event is over.
    QTimer::singleShot(0, this, [this, intIndex, lngColor] {
        try {
            m_Graph->ChangeColor(intIndex, lngColor);
        } catch (const std::exception &e) {
            reportFailure(QStringLiteral("色を変更できませんでした。"), e);
            return;
        }
        // The slot that coloured this segment serves later graphs and is
        // saved with the window.
        if (const std::optional<ColorSlot> slot = legendColorSlot(glngGraphKind, intIndex)) {
            std::int32_t *colours = slot->pyramid ? m_colors.pyramid.data() : m_colors.graph.data();
            colours[slot->slot] = lngColor;
        }
    });
}

void frmStatisticsMap::ctlLegend_RangeChange(std::int16_t intIndex, const QString &IjyouData, const QString &MimanData)
{
    try {
        m_Graph->InputDataSet(intIndex, IjyouData, MimanData);
    } catch (const std::exception &e) {
        reportFailure(QStringLiteral("階級の境界を変更できませんでした。"), e);
        return;
    }
    lblMethodUser->setVisible(true);
}

void frmStatisticsMap::ctlGradation_GradationChange()
{
    const std::optional<std::int16_t> count = comboClassCount();
    if (!count)
        return;
    const std::int16_t n = *count;
    const std::int16_t old = m_intGradeNum;
    m_intGradeNum = n;
    // A new count or method recomputes the classes; otherwise the bounds
    // shown stay and only the colours change.
    const QString init = n != old || m_intMethodChanged != 0 ? QStringLiteral("1") : QStringLiteral("2");
    try {
        rebuildClassDisplay(n, [&] {
            m_Graph->SetGradeNum(n);
            m_Graph->ChangeColorFlgInit();
            m_Graph->DrawHistogram(&m_picMap->canvas(), m_picMap, false, init, 0, QString());
        });
    } catch (const std::exception &e) {
        reportFailure(QStringLiteral("色の階調を変更できませんでした。"), e);
    }
}
