#pragma once
// The text of the analysis files' lines: one function per kind of line, from
// its record, fields joined by single commas. Texts the format quotes are
// written between double quotes, everything else bare; numbers in VB's CStr
// form (whole values without a point), colours as decimal BGR Longs. Commas
// and double quotes inside names become "，" and "”", as nothing is escaped.
// Values and dates keep their double quotes: a value such as "-" carries
// them on purpose, as the readers expect; a comma in a value text becomes
// "，" all the same.
#include "graphs/anafilerecords.h"

#include <QString>
#include <QStringList>

namespace veltra::graphs::anafile {

// A name with its commas and double quotes replaced.
QString nameText(const QString &name);
// A value in its text form: a number as CStr, a text as it is but for its
// commas, empty as "".
QString valueText(const QVariant &value);

QString h1Line(const AnaH1Record &r);
QString h2Line(const AnaH2Record &r);
QString h3Line(const AnaH3Record &r);
QString h4Line(const AnaH4Record &r);
QString h5Line(const AnaH5Record &r);
// An area line; `running` > 0 follows each value with that number and
// counts it up (the ranking map), 0 writes the values alone.
QString dataLine(const AnaDataRecord &r, std::int32_t &running);
QString flowLine(const AnaFlowRecord &r);

// The fields of a header line as VB's Input # reads them: separated by
// commas, blanks around a field dropped, a field in double quotes taken
// without them (a comma inside the quotes belongs to it).
QStringList inputFields(const QString &line);

} // namespace veltra::graphs::anafile
