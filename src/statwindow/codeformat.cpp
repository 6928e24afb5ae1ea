#include "statwindow/codeformat.h"

#include "platform/vb/format.h"
#include "statdata/statfilepaths.h"

namespace veltra::statwindow {

QString formatCode(const QString &text, int width)
{
    // Up to 15 digits a Double holds the number exactly.
    if (statdata::isDigits(text) && text.size() <= 15) {
        qsizetype start = 0;
        while (start < text.size() - 1 && text.at(start) == u'0')
            ++start;
        const qsizetype digits = text.size() - start;
        return digits >= width ? text.mid(start) : QString(width - digits, u'0') + text.mid(start);
    }
    return vb::format(text, QString(width, u'0'));
}

} // namespace veltra::statwindow
