#include "graphs/anafilelines.h"

#include "platform/vb/convert.h"

#include <cmath>

namespace veltra::graphs::anafile {

namespace {

// CStr of a Double; whole values of up to 15 digits, the positions and codes
// of every line, skip the general formatting.
QString number(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return vb::cStr(value);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + nameText(text) + QLatin1Char('"');
}

class Fields
{
public:
    explicit Fields(qsizetype reserve = 64) { m_line.reserve(reserve); }
    Fields &operator<<(const QString &field)
    {
        if (m_any)
            m_line += QLatin1Char(',');
        m_line += field;
        m_any = true;
        return *this;
    }
    Fields &operator<<(std::int32_t value) { return *this << QString::number(value); }
    Fields &operator<<(std::int16_t value) { return *this << QString::number(value); }
    Fields &operator<<(double value) { return *this << number(value); }
    QString line() const { return m_line; }

private:
    QString m_line;
    bool m_any = false;
};

} // namespace

QString nameText(const QString &name)
{
    if (!name.contains(QLatin1Char(',')) && !name.contains(QLatin1Char('"')))
        return name;
    QString out = name;
    out.replace(QLatin1Char(','), QChar(0xFF0C)); // ，
    out.replace(QLatin1Char('"'), QChar(0x201D)); // ”
    return out;
}

QString valueText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.typeId() == QMetaType::QString) {
        // Quotes stay (a quoted "-" is the readers' missing-value mark); a
        // comma would move every later value to the wrong field.
        QString text = value.toString();
        return text.replace(QLatin1Char(','), QChar(0xFF0C));
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? number(d) : value.toString();
}

QString h1Line(const AnaH1Record &r)
{
    return (Fields() << r.Tag << r.CenterX << r.CenterY << r.Scale << r.DateNum << quoted(r.Reserved1)
                     << quoted(r.Reserved2) << nameText(r.DataFileName))
        .line();
}

QString h2Line(const AnaH2Record &r)
{
    return (Fields() << r.Tag << r.Level << r.KenCode << r.SikuCode << r.TyoCode << r.Unit << r.Zero1
                     << r.GraphKind << r.ExpressionKind << r.H5Count << r.FlowKind << r.FlowFlag << r.Zero2)
        .line();
}

QString h3Line(const AnaH3Record &r)
{
    return (Fields() << r.Tag << quoted(r.NoticeName) << quoted(r.CompName) << r.CalcKind
                     << nameText(r.Template) << quoted(r.GradationName) << r.ClassCount << r.Method)
        .line();
}

QString h4Line(const AnaH4Record &r)
{
    return (Fields() << r.Tag << r.ClassNo << r.Color << r.Start << r.End << quoted(r.Name)).line();
}

QString h5Line(const AnaH5Record &r)
{
    return (Fields() << r.Tag << quoted(r.Name) << r.Color << r.StartDate << r.EndDate).line();
}

QString dataLine(const AnaDataRecord &r, std::int32_t &running)
{
    Fields f(128);
    f << r.Kind << r.X << r.Y << r.X2 << r.Y2 << r.KenCode << r.SikuCode << r.TyoCode << r.Zero
      << quoted(r.AdrName);
    for (std::size_t k = 1; k < r.Values.size(); ++k) {
        f << valueText(r.Values[k]);
        if (running > 0)
            f << running++;
    }
    f << r.X << r.Y << r.KenCode << r.SikuCode << r.TyoCode;
    return f.line();
}

QString flowLine(const AnaFlowRecord &r)
{
    return (Fields() << r.X << r.Y << r.Code << nameText(r.AdrName) << r.Value << r.Ranking).line();
}

QStringList inputFields(const QString &line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && line[i] == QLatin1Char(' '))
            ++i;
        QString field;
        if (i < n && line[i] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = line.mid(i + 1, end - i - 1);
            i = close < 0 ? n : close + 1;
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            i = comma < 0 ? n : comma;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            const qsizetype end = comma < 0 ? n : comma;
            field = line.mid(i, end - i).trimmed();
            i = end;
        }
        fields.append(field);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return fields;
}

} // namespace veltra::graphs::anafile
