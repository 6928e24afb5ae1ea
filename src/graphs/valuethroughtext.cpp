#include "graphs/valuethroughtext.h"

#include "platform/vb/errors.h"

#include <charconv>
#include <cmath>

namespace veltra::graphs {

double throughText(double value)
{
    if (!std::isfinite(value))
        throw vb::TypeMismatch("Type mismatch: a value that is not finite has no number text");
    // 15 significant digits, correctly rounded as printf rounds them.
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
    double back = 0;
    std::from_chars(text, written.ptr, back);
    return back;
}

vb::Currency countedValue(double value)
{
    return vb::cCur(throughText(value));
}

} // namespace veltra::graphs
