#include "shell/dialogfilter.h"

#include <QStringList>

namespace veltra::shell {

QString qtFileFilter(const QString &list)
{
    QString text = list;
    text.replace(QChar(0), u'|');
    QStringList parts = text.split(u'|');
    while (!parts.isEmpty() && parts.back().isEmpty())
        parts.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        patterns.replace(u';', u' ');
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace veltra::shell
