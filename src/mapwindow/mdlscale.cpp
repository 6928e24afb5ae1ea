#include "mapwindow/mdlscale.h"

#include "platform/vb/convert.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <cstdint>

namespace veltra::mapwindow {

QString scaleText(double scale)
{
    // 64 bits: four times a large denominator does not fit in a Long.
    const auto length = static_cast<std::int64_t>(vb::roundHalfEven(scale)) * 4; // centimetres
    if (length >= 1000000)
        return QString::number(static_cast<std::int64_t>(vb::roundHalfEven(length / 100000.0)))
            + QStringLiteral("km");
    if (length >= 100)
        return QString::number(static_cast<std::int64_t>(vb::roundHalfEven(length / 100.0)))
            + QStringLiteral("m");
    return QString::number(length) + QStringLiteral("cm");
}

} // namespace veltra::mapwindow

namespace mdlScale {

QString GetScaleText()
{
    return gobjZor ? veltra::mapwindow::scaleText(gobjZor->Scale()) : QString();
}

} // namespace mdlScale
