#include "statwindow/codeformat.h"

#include "platform/vb/format.h"
#include "statdata/statfilepaths.h"

namespace veltra::statwindow {

QString formatCode(const QString &text, int width)
{
    QString out;
    appendFormattedCode(out, text, width);
    return out;
}

void appendFormattedCode(QString &out, const QString &text, int width)
{
    // Up to 15 digits a Double holds the number exactly.
    if (statdata::isDigits(text) && text.size() <= 15) {
        qsizetype start = 0;
        while (start < text.size() - 1 && text.at(start) == u'0')
            ++start;
        for (qsizetype z = text.size() - start; z < width; ++z)
            out += u'0';
        out += QStringView(text).mid(start);
        return;
    }
    out += vb::format(text, QString(width, u'0'));
}

} // namespace veltra::statwindow
