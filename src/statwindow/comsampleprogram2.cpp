// ComSampleProgram2: the mode handler of the area selection on the map.
#include "statwindow/comsampleprogram2.h"

#include "mapwindow/areasanshou.h"
#include "mapwindow/globals.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "statrender/areahighlight.h"
#include "statwindow/frmsampleprogram2.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/selectedarealist.h"
#include "zorvik/widget/zorvik.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace ComSampleProgram2 {

namespace {

std::int16_t m_intSearchType = 0;
std::int16_t m_intAreaKind = 0;
double m_dblRangeKm = 0;
std::int32_t m_lngShapeHandle = 0;

struct AreaLevel
{
    std::int16_t kind;
    std::int16_t space;
    std::int32_t anaRange;
};
// By optHani index: prefectures, municipalities, town blocks.
constexpr AreaLevel Levels[3] = {{206, 1, AnaRangePref}, {211, 2, AnaRangeCity}, {227, 3, AnaRangeTown}};

const AreaLevel *levelOfKind(std::int16_t kind)
{
    for (const AreaLevel &level : Levels) {
        if (level.kind == kind)
            return &level;
    }
    return nullptr;
}

void dispatch(std::int16_t state)
{
    veltra::shell::dispatchMode(state, veltra::shell::noParameterText());
}

frmStatisticsMap *statisticsWindow()
{
    return veltra::ui::form<frmStatisticsMap>(static_cast<QWidget *>(gfrmMain));
}

frmSampleProgram2 *dialog()
{
    return veltra::ui::form<frmSampleProgram2>(static_cast<QWidget *>(statisticsWindow()));
}

frmSampleProgram2 *loadedDialog()
{
    return qobject_cast<frmSampleProgram2 *>(
        veltra::ui::WindowRegistry::instance().find(QStringLiteral("frmSampleProgram2")));
}

// Takes the temporary shape off the map and releases it, and every clicked
// area's highlight.
void removeShapeAndHighlights(zorvik::Zorvik *engine)
{
    if (engine && m_lngShapeHandle != 0) {
        engine->DrawElements(m_lngShapeHandle, 1, 1, 1, 1);
        engine->Refresh();
        engine->ReleaseElements(m_lngShapeHandle);
    }
    m_lngShapeHandle = 0;
    ComPSY::P_DrawClearCaldoraArea();
    // The released highlights leave the map at the next redraw: now.
    if (engine)
        engine->Refresh();
}

// The set of the last search goes; nothing reads it any more.
void releaseFound(zorvik::Zorvik &engine)
{
    if (glngElmHandle != 0 && glngElmHandle != m_lngShapeHandle)
        engine.ReleaseElements(glngElmHandle);
    glngElmHandle = 0;
}

void searchInShape(zorvik::Zorvik &engine)
{
    releaseFound(engine);
    std::int32_t c1 = 0, c2 = 0, c3 = 0;
    engine.SearchInnerPolygonElements(m_lngShapeHandle, glngElmHandle, c1, c2, c3);
}

// The view rectangle as a closed polygon; it is not drawn.
void makeViewShape(zorvik::Zorvik &engine)
{
    const auto x0 = static_cast<std::int32_t>(
        veltra::vb::roundHalfEven(engine.CenterX() - static_cast<double>(engine.ViewWidth()) / 2));
    const auto y0 = static_cast<std::int32_t>(
        veltra::vb::roundHalfEven(engine.CenterY() - static_cast<double>(engine.ViewHeight()) / 2));
    const std::int32_t x1 = x0 + engine.ViewWidth();
    const std::int32_t y1 = y0 + engine.ViewHeight();
    MakePolygonShape(engine, {x0, x1, x1, x0, x0}, {y0, y0, y1, y1, y0}, 0, m_lngShapeHandle);
}

QString nothingFoundMessage()
{
    switch (glngAreaSelectLevel) {
    case 1:
        return QStringLiteral("都道府県は縮尺１／") + gstrDispLevel2
            + QStringLiteral("以上で指定してください");
    case 2:
        return QStringLiteral("市区町村は縮尺１／") + gstrDispLevel1 + QStringLiteral("以上～１／")
            + gstrDispLevel2 + QStringLiteral("以下で指定してください");
    case 3:
        return QStringLiteral("町丁字は縮尺１／") + veltra::vb::cStr(veltra::vb::val(gstrDispLevel1) - 1)
            + QStringLiteral("以下で指定してください");
    default:
        return QString();
    }
}

void enter()
{
    m_intSearchType = -1;
    frmSampleProgram2 *d = dialog();
    d->show();
    d->raise();
}

void arm(zorvik::Zorvik &engine)
{
    engine.setRecognizeElementType(2);
    engine.setRecognizeSearchNum(0);
    if (frmSampleProgram2 *d = loadedDialog()) {
        const AreaLevel &level = Levels[d->areaLevelIndex()];
        m_intAreaKind = level.kind;
        engine.setSpaceID(level.space);
    }
    switch (m_intSearchType) {
    case 0:
        engine.setMouseEventMode(7);
        break;
    case 1:
        ComCaldoraNeo::SetRecognizeMode(2, 9, 100, 0);
        break;
    case 2:
        engine.setMouseEventMode(4);
        break;
    case 3:
        engine.setMouseEventMode(10);
        break;
    default:
        break;
    }
}

void circleCentreClicked(zorvik::Zorvik &engine)
{
    engine.setMouseEventMode(0);
    MakeCircleShape(engine, glngPointX[0], glngPointY[0], rangeInWorld(m_dblRangeKm), m_lngShapeHandle);
    engine.DrawElements(m_lngShapeHandle, 0, 0, 0, 0);
    engine.Refresh();
    dispatch(StateFound);
}

frmPSYWait *showWaitDialog()
{
    auto *wait = veltra::ui::form<frmPSYWait>();
    wait->show();
    gintWaitCancel = 0;
    wait->cmdCancel->setVisible(true);
    veltra::ui::DoEvents();
    return wait;
}

void closeWaitDialog()
{
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait"));
}

// A drawn line that no band can be built for: said so, and the map is armed
// for another line.
void noBand(zorvik::Zorvik &engine)
{
    releaseFound(engine);
    closeWaitDialog();
    veltra::ui::MsgBox(
        QStringLiteral("指定した線から範囲を作成できませんでした。"), veltra::ui::vbExclamation);
    dispatch(StateAreaSearch);
}

void found(zorvik::Zorvik &engine)
{
    showWaitDialog();
    engine.setMouseEventMode(0);
    switch (m_intSearchType) {
    case 1:
        ComPSY::P_DrawCaldoraArea(glngPointX[0], glngPointY[0]);
        break;
    case 2:
        searchInShape(engine);
        break;
    case 3: {
        std::int32_t halfWidth = rangeInWorld(m_dblRangeKm);
        if (!MakeBandShape(engine, glngElmHandle, halfWidth, m_lngShapeHandle)) {
            noBand(engine);
            return;
        }
        releaseFound(engine);
        engine.DrawElements(m_lngShapeHandle, 3, 64, 1, 64);
        engine.Refresh();
        searchInShape(engine);
        break;
    }
    case 4:
        // The level's space, not whichever a tool set last.
        if (const AreaLevel *level = levelOfKind(m_intAreaKind))
            engine.setSpaceID(level->space);
        makeViewShape(engine);
        searchInShape(engine);
        break;
    default:
        break;
    }

    std::vector<QString> codes;
    CollectAreaCodes(engine, glngElmHandle, m_intAreaKind, codes);
    releaseFound(engine);
    if (codes.size() <= 1) {
        const QString message = nothingFoundMessage();
        if (!message.isEmpty())
            veltra::ui::MsgBox(message);
    }

    frmStatisticsMap *window = statisticsWindow();
    // Created hidden, with its defaults, when the window's map-range
    // selection runs; closing it below leaves the running mode.
    frmSampleProgram2 *d = dialog();
    if (const AreaLevel *level = levelOfKind(m_intAreaKind)) {
        window->setAnaRange(level->anaRange);
        window->lblArea->setText(veltra::statwindow::areaLevelName(level->anaRange));
    }
    window->SetAddrList(codes);
    if (window->lstSelectAddr->topLevelItemCount() > 0)
        window->CreateStatisticTree();

    if (m_intSearchType == 1)
        dispatch(StateAreaSearch);
    else
        veltra::ui::WindowRegistry::instance().unload(d);
    closeWaitDialog();
}

void searchTypeChanged(zorvik::Zorvik *engine)
{
    m_intSearchType = -1;
    removeShapeAndHighlights(engine);
    if (engine)
        engine->setMouseEventMode(0);
}

void leave(zorvik::Zorvik *engine)
{
    m_intSearchType = -1;
    if (QWidget *window = veltra::ui::WindowRegistry::instance().find(QStringLiteral("frmStatisticsMap")))
        window->show();
    removeShapeAndHighlights(engine);
}

} // namespace

void AreaSelectMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    switch (state) {
    case StateEnter:
        enter();
        break;
    case StateAreaSearch:
        if (engine)
            arm(*engine);
        break;
    case StateClick:
        if (engine && m_intSearchType == 2)
            circleCentreClicked(*engine);
        break;
    case StateFound:
        if (engine)
            found(*engine);
        break;
    case StateSearchTypeChanged:
        searchTypeChanged(engine);
        break;
    case StateLeave:
        leave(engine);
        break;
    default:
        break;
    }
}

void SetSearchType(std::int16_t intType)
{
    m_intSearchType = intType;
}

void SetAreaKind(std::int16_t intKind)
{
    m_intAreaKind = intKind;
}

void SetSearchRange(double dblKm)
{
    m_dblRangeKm = dblKm;
}

std::int16_t searchType()
{
    return m_intSearchType;
}

std::int16_t areaKind()
{
    return m_intAreaKind;
}

double searchRange()
{
    return m_dblRangeKm;
}

std::int32_t shapeHandle()
{
    return m_lngShapeHandle;
}

void forgetState()
{
    m_intSearchType = 0;
    m_intAreaKind = 0;
    m_dblRangeKm = 0;
    m_lngShapeHandle = 0;
}

std::int32_t rangeInWorld(double km)
{
    const double metres = veltra::vb::roundHalfEven(km * 1000);
    return static_cast<std::int32_t>(veltra::vb::roundHalfEven(metres * 1.5));
}

} // namespace ComSampleProgram2
