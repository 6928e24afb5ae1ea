#include "zorvik/core/csvline.h"

namespace zorvik::csv {

QStringList split(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < line.size() && line[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"' && !quoted && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
            inQuotes = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
            quoted = false;
        } else if (!quoted) {
            field += c;
        }
    }
    fields << field;
    return fields;
}

QString join(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields) {
        const bool needsQuotes = f.contains(u',') || f.contains(u'"')
            || (!f.isEmpty() && (f.front().isSpace() || f.back().isSpace()));
        if (needsQuotes) {
            QString q = f;
            q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            out << u'"' + q + u'"';
        } else {
            out << f;
        }
    }
    return out.join(u',');
}

} // namespace zorvik::csv
