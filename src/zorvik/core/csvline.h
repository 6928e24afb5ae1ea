#pragma once
// Comma-separated fields of one line of the engine's definition files.
// A field may be in double quotes (then commas and blanks inside are kept and
// "" stands for one quote); unquoted fields are taken as they are. Writing
// quotes a field only when it holds a comma, a quote or edge blanks.
#include <QString>
#include <QStringList>

namespace zorvik::csv {

QStringList split(const QString &line);
QString join(const QStringList &fields);

} // namespace zorvik::csv
