#include "mapwindow/mdlelement.h"

#include "mapwindow/mdlelement_impl.h"
#include "shell/globals.h"
#include "zorvik/core/engine.h"
#include "zorvik/widget/zorvik.h"

namespace veltra::mapwindow {

void splitKey(const QString &text, QString &name, QString &comment)
{
    const qsizetype commas = text.count(QLatin1Char(','));
    if (commas == 1) {
        const qsizetype at = text.indexOf(QLatin1Char(','));
        name = text.left(at);
        comment = text.mid(at + 1);
        return;
    }
    // Statistics elements keep a key of several fields and need it whole; a
    // reused record must not keep the comment of the element read before.
    name = text;
    comment.clear();
}

#define VELTRA_ELEMENT_ACCESS_FOR(E)                                                                         \
    template bool readElementInfo<E>(E &, std::int32_t, std::int32_t &, ElementInfo &, std::int16_t);        \
    template QString kindName<E>(E &, std::int16_t, std::int32_t);                                           \
    template std::int16_t vectKindStyle<E>(E &, std::int16_t, ElmKindStyle &);                               \
    template std::int16_t cnectKindStyle<E>(E &, std::int16_t, ElmKindStyle &);                              \
    template std::optional<std::int16_t> filterSetBySpace<E>(E &, std::int32_t, std::int16_t);               \
    template std::optional<std::int16_t> filterSetByKind<E>(E &, std::int32_t, std::int16_t, std::int16_t);

VELTRA_ELEMENT_ACCESS_FOR(zorvik::Engine)
VELTRA_ELEMENT_ACCESS_FOR(zorvik::Zorvik)
#undef VELTRA_ELEMENT_ACCESS_FOR

} // namespace veltra::mapwindow

namespace mdlElement {

using namespace veltra::mapwindow;

bool ComZorGetElementInfo(std::int32_t set, std::int32_t &elem, ElementInfo &info, std::int16_t allPoints)
{
    return gobjZor ? readElementInfo(*gobjZor, set, elem, info, allPoints) : false;
}

void ClearElementInfo(ElementInfo &info)
{
    info.Handle = 0;
    info.IndexH = 0;
    info.Type = 0;
    info.PNum = 0;
    info.Key.clear();
    info.lX.clear();
    info.lY.clear();
    info.iPra.fill(0);
    info.lPra.fill(0);
}

QString GetKindName(std::int16_t kind, std::int32_t typeFlag)
{
    return gobjZor ? kindName(*gobjZor, kind, typeFlag) : QString();
}

std::int16_t GetVectKindStyle(std::int16_t kind, ElmKindStyle &style)
{
    return gobjZor ? vectKindStyle(*gobjZor, kind, style) : std::int16_t{zorvik::code::NoDocument};
}

std::int16_t GetCnectKindStyle(std::int16_t kind, ElmKindStyle &style)
{
    return gobjZor ? cnectKindStyle(*gobjZor, kind, style) : std::int16_t{zorvik::code::NoDocument};
}

std::optional<std::int16_t> FilterSetBySpace(std::int32_t set, std::int16_t space)
{
    if (space == -1)
        return std::nullopt;
    return gobjZor ? filterSetBySpace(*gobjZor, set, space) : std::int16_t{zorvik::code::NoDocument};
}

std::optional<std::int16_t> FilterSetByKind(std::int32_t set, std::int16_t kind, std::int16_t selector)
{
    if (kind == -1)
        return std::nullopt;
    return gobjZor ? filterSetByKind(*gobjZor, set, kind, selector) : std::int16_t{zorvik::code::NoDocument};
}

} // namespace mdlElement
