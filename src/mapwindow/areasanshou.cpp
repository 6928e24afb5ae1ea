#include "mapwindow/areasanshou.h"

#include "mapwindow/frmsearchelm.h"
#include "mapwindow/globals.h"
#include "mapwindow/mdlelement.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "shell/comdatectrl.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statdata/statfilepaths.h"
#include "zorvik/widget/zorvik.h"

namespace ComCaldoraNeo {

namespace {

// Whether the map's shown range starts on or before `date`.
bool startsOnOrBefore(const zorvik::Zorvik &map, const QString &date)
{
    std::int32_t day = 0;
    if (!ComDateCtrl::DaysBetween(date, gdtBaseDate, day))
        return false;
    return map.DateFrom() <= day;
}

void enter(zorvik::Zorvik *engine)
{
    gintPrefSpaceID = 1;
    gintCitySpaceID = 2;
    gintTownSpaceID = 3;
    gintAreaCnectKind = 227;
    engine->setSpaceID(3);
    engine->setRecognizeSearchNum(0);
    SetRecognizeMode(2, 9, 100, 0);
    engine->setSpaceID(3);
    // Before the town-block era the click searches municipality polygons.
    if (startsOnOrBefore(*engine, QStringLiteral("昭和45年10月01日")))
        engine->setSpaceID(2);
}

void found(zorvik::Zorvik *engine)
{
    if (glngElmHandle != 0) {
        gstrClickedAreaCode.clear();
        engine->setMouseEventMode(0);
        const bool before1965 = startsOnOrBefore(*engine, QStringLiteral("昭和40年10月01日"));
        std::int32_t elem = 0;
        ElementInfo info;
        while (
            gstrClickedAreaCode.isEmpty() && mdlElement::ComZorGetElementInfo(glngElmHandle, elem, info, 0))
            gstrClickedAreaCode = clickedAreaCode(info.iPra[2], info.Key, before1965);
        QString code = FindAreaAtPoint(glngPointX[0], glngPointY[0]);
        if (code.isEmpty())
            code = gstrClickedAreaCode;
        const double limit = veltra::vb::val(gstrDispLevel1) - 1;
        if (engine->Scale() <= limit) {
            auto &window = veltra::shell::modeRegistry().dataReference();
            if (const auto setAddressCode = window.setAddressCode)
                setAddressCode(code);
            if (const auto drawArea = window.drawArea)
                drawArea(glngPointX[0], glngPointY[0]);
        } else {
            veltra::ui::MsgBox(QStringLiteral("縮尺を 1/") + QString::number(static_cast<qint64>(limit))
                + QStringLiteral("以下にしてください"));
        }
        mdlElement::ClearElementInfo(info);
        // The click's result set is read; it goes before the handle is cleared.
        if (gobjZor && glngElmHandle != 0)
            gobjZor->ReleaseElements(glngElmHandle);
    }
    glngElmHandle = 0;
    veltra::shell::dispatchMode(StateEnter, veltra::shell::noParameterText());
}

} // namespace

QString clickedAreaCode(std::int16_t kind, const QString &name, bool before1965)
{
    if (!veltra::statdata::isDigits(name))
        return {};
    if (kind == 227)
        return name.size() >= 10 ? name : QString();
    if (kind == 211) {
        if (before1965) {
            if (name.size() == 5)
                return name + QStringLiteral("00");
            return name.size() == 7 ? name : QString();
        }
        return name.size() >= 5 ? name : QString();
    }
    return {};
}

void AreaSanshouMode(std::int16_t &state, zorvik::Zorvik *engine)
{
    if (!engine)
        return;
    if (state == StateEnter)
        enter(engine);
    else if (state == StateFound)
        found(engine);
}

QString FindAreaAtPoint(std::int32_t x, std::int32_t y)
{
    if (!gobjZor)
        return {};
    frmSearchElm search;
    search.setZorvik(gobjZor);
    search.SetSearchCnectID(gintTownSpaceID, {gintAreaCnectKind});
    QString name;
    std::int32_t set = 0;
    if (search.GetCnectInSurface(set, x, y) && set > 0) {
        std::int32_t elem = 0;
        ElementInfo info;
        if (mdlElement::ComZorGetElementInfo(set, elem, info, 0))
            name = info.Key;
        mdlElement::ClearElementInfo(info);
    }
    if (set > 0)
        gobjZor->ReleaseElements(set);
    search.Form_Unload();
    return name;
}

void SetRecognizeMode(
    std::int16_t elementType, std::int16_t mouseMode, std::int16_t searchNum, std::int16_t option)
{
    if (!gobjZor)
        return;
    gobjZor->setRecognizeElementType(elementType);
    gobjZor->setMouseEventMode(mouseMode);
    gobjZor->setRecognizeSearchNum(searchNum);
    gobjZor->setRecognizeOption(option);
}

std::int32_t SearchAreaConnectors(zorvik::Zorvik *engine, std::int16_t kind, std::int32_t x1, std::int32_t y1,
    std::int32_t x2, std::int32_t y2, std::int32_t &set)
{
    if (!engine)
        return 0;
    engine->setRecognizeSearchNum(0);
    const std::int32_t xs[2] = {x1, x2};
    const std::int32_t ys[2] = {y2, y1};
    std::int32_t count = 0;
    if (engine->SearchConnectorIDKey(1, xs, ys, kind, 0, QString(), QString(), set, count) != 0)
        return 0;
    return count;
}

} // namespace ComCaldoraNeo
