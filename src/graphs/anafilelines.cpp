#include "graphs/anafilelines.h"

#include "platform/vb/convert.h"

#include <charconv>
#include <cmath>

namespace veltra::graphs::anafile {

namespace {

// Appends CStr of a Double. Whole values of up to 15 digits (the positions
// and codes of every line) are written straight into the line.
void appendNumber(QString &line, double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value)).ptr;
        line.append(QLatin1StringView(buffer, end - buffer));
    } else {
        line.append(vb::cStr(value));
    }
}

void appendValue(QString &line, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return;
    if (value.typeId() == QMetaType::QString) {
        // Quotes stay (a quoted "-" is the readers' missing-value mark); a
        // comma would move every later value to the wrong field.
        const qsizetype from = line.size();
        line += value.toString();
        for (qsizetype i = from; i < line.size(); ++i) {
            if (line[i] == QLatin1Char(','))
                line[i] = QChar(0xFF0C);
        }
        return;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (ok)
        appendNumber(line, d);
    else
        line += value.toString();
}

// The fields of one line, joined by commas as they are added. The line is
// built in one buffer kept for the next line and handed out at its own size:
// a data file holds up to 50,000 of them. So one line is built at a time.
class Fields
{
public:
    Fields()
        : m_line(scratch())
    {
        m_line.clear();
    }
    Fields &operator<<(const QString &field)
    {
        comma();
        m_line += field;
        return *this;
    }
    Fields &operator<<(std::int32_t value)
    {
        comma();
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        m_line.append(QLatin1StringView(buffer, end - buffer));
        return *this;
    }
    Fields &operator<<(std::int16_t value) { return *this << static_cast<std::int32_t>(value); }
    Fields &operator<<(double value)
    {
        comma();
        appendNumber(m_line, value);
        return *this;
    }
    // A name between double quotes.
    Fields &quoted(const QString &name)
    {
        comma();
        m_line += QLatin1Char('"');
        m_line += nameText(name);
        m_line += QLatin1Char('"');
        return *this;
    }
    // A value in its text form (valueText).
    Fields &value(const QVariant &value)
    {
        comma();
        appendValue(m_line, value);
        return *this;
    }
    QString line() const { return QString(m_line.constData(), m_line.size()); }

private:
    static QString &scratch()
    {
        thread_local QString buffer = [] {
            QString b;
            b.reserve(256);
            return b;
        }();
        return buffer;
    }
    void comma()
    {
        if (m_any)
            m_line += QLatin1Char(',');
        m_any = true;
    }
    QString &m_line;
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
    QString text;
    appendValue(text, value);
    return text;
}

QString h1Line(const AnaH1Record &r)
{
    Fields f;
    f << r.Tag << r.CenterX << r.CenterY << r.Scale << r.DateNum;
    f.quoted(r.Reserved1).quoted(r.Reserved2) << nameText(r.DataFileName);
    return f.line();
}

QString h2Line(const AnaH2Record &r)
{
    return (Fields() << r.Tag << r.Level << r.KenCode << r.SikuCode << r.TyoCode << r.Unit << r.Zero1
                     << r.GraphKind << r.ExpressionKind << r.H5Count << r.FlowKind << r.FlowFlag << r.Zero2)
        .line();
}

QString h3Line(const AnaH3Record &r)
{
    Fields f;
    f << r.Tag;
    f.quoted(r.NoticeName).quoted(r.CompName) << r.CalcKind << nameText(r.Template);
    f.quoted(r.GradationName) << r.ClassCount << r.Method;
    return f.line();
}

QString h4Line(const AnaH4Record &r)
{
    Fields f;
    f << r.Tag << r.ClassNo << r.Color << r.Start << r.End;
    return f.quoted(r.Name).line();
}

QString h5Line(const AnaH5Record &r)
{
    Fields f;
    f << r.Tag;
    f.quoted(r.Name) << r.Color << r.StartDate << r.EndDate;
    return f.line();
}

QString dataLine(const AnaDataRecord &r, std::int32_t &running)
{
    Fields f;
    f << r.Kind << r.X << r.Y << r.X2 << r.Y2 << r.KenCode << r.SikuCode << r.TyoCode << r.Zero;
    f.quoted(r.AdrName);
    for (std::size_t k = 1; k < r.Values.size(); ++k) {
        f.value(r.Values[k]);
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
