#include "platform/vb/dates.h"

#include "platform/vb/era.h"
#include "platform/vb/errors.h"

namespace veltra::vb {

namespace {

class Cursor
{
public:
    explicit Cursor(QStringView text)
        : m_s(text)
    { }

    bool atEnd() const { return m_i >= m_s.size(); }
    qsizetype pos() const { return m_i; }
    void setPos(qsizetype p) { m_i = p; }
    QStringView rest() const { return m_s.mid(m_i); }
    void advance(qsizetype n) { m_i += n; }

    void skipBlanks()
    {
        while (!atEnd() && (m_s[m_i] == u' ' || m_s[m_i] == u'\t' || m_s[m_i] == QChar(0x3000)))
            ++m_i;
    }

    bool eat(QChar c)
    {
        if (!atEnd() && m_s[m_i] == c) {
            ++m_i;
            return true;
        }
        return false;
    }

    // Reads 1 to maxDigits decimal digits.
    bool readInt(int &value, int maxDigits, int *digits = nullptr)
    {
        int n = 0;
        value = 0;
        while (!atEnd() && n < maxDigits && m_s[m_i] >= u'0' && m_s[m_i] <= u'9') {
            value = value * 10 + (m_s[m_i].unicode() - u'0');
            ++m_i;
            ++n;
        }
        if (digits)
            *digits = n;
        return n > 0;
    }

    QChar peek() const { return atEnd() ? QChar() : m_s[m_i]; }

private:
    QStringView m_s;
    qsizetype m_i = 0;
};

bool isDateSeparator(QChar c)
{
    return c == u'/' || c == u'-' || c == u'.';
}

// Month and day after the year: "年 M 月 D 日" or "<sep> M <sep> D".
bool readMonthDay(Cursor &c, int &month, int &day)
{
    c.skipBlanks();
    if (c.eat(u'年')) {
        c.skipBlanks();
        if (!c.readInt(month, 2))
            return false;
        c.skipBlanks();
        if (!c.eat(u'月'))
            return false;
        c.skipBlanks();
        if (!c.readInt(day, 2))
            return false;
        c.skipBlanks();
        return c.eat(u'日');
    }
    const QChar sep = c.peek();
    if (!isDateSeparator(sep))
        return false;
    c.advance(1);
    c.skipBlanks();
    if (!c.readInt(month, 2))
        return false;
    c.skipBlanks();
    if (!c.eat(sep))
        return false;
    c.skipBlanks();
    return c.readInt(day, 2);
}

QDate readDate(Cursor &c)
{
    int length = 0;
    if (const Era *era = eraAtStart(c.rest(), &length)) {
        c.advance(length);
        c.skipBlanks();
        int year = 1;
        if (!c.eat(u'元') && !c.readInt(year, 3))
            return {};
        int month = 0, day = 0;
        if (!readMonthDay(c, month, day))
            return {};
        return eraDate(*era, year, month, day);
    }
    int year = 0, digits = 0;
    if (!c.readInt(year, 4, &digits))
        return {};
    if (digits <= 2)
        year += year < 30 ? 2000 : 1900;
    int month = 0, day = 0;
    if (!readMonthDay(c, month, day))
        return {};
    return QDate(year, month, day);
}

// An optional time of day after the date; false when something else follows.
bool readTime(Cursor &c, QTime &time)
{
    c.skipBlanks();
    time = QTime(0, 0);
    if (c.atEnd())
        return true;
    int h = 0, m = 0, s = 0;
    if (!c.readInt(h, 2))
        return false;
    c.skipBlanks();
    if (c.eat(u':')) {
        if (!c.readInt(m, 2))
            return false;
        if (c.eat(u':') && !c.readInt(s, 2))
            return false;
    } else if (c.eat(u'時')) {
        c.skipBlanks();
        if (c.readInt(m, 2)) {
            c.skipBlanks();
            if (!c.eat(u'分'))
                return false;
            c.skipBlanks();
            if (c.readInt(s, 2)) {
                c.skipBlanks();
                if (!c.eat(u'秒'))
                    return false;
            }
        }
    } else {
        return false;
    }
    c.skipBlanks();
    time = QTime(h, m, s);
    return c.atEnd() && time.isValid();
}

} // namespace

QDateTime makeDateTime(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC);
}

std::optional<QDateTime> parseDateText(const QString &text)
{
    Cursor c(text);
    c.skipBlanks();
    const QDate date = readDate(c);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    QTime time;
    if (!readTime(c, time))
        return std::nullopt;
    return makeDateTime(date, time);
}

std::optional<QDateTime> toDate(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional(makeDateTime(d)) : std::nullopt;
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? std::optional(makeDateTime(dt.date(), dt.time())) : std::nullopt;
    }
    case QMetaType::QString:
        return parseDateText(value.toString());
    default:
        return std::nullopt;
    }
}

bool isDate(const QVariant &value)
{
    return toDate(value).has_value();
}

QDateTime cDate(const QVariant &value)
{
    if (auto d = toDate(value))
        return *d;
    throw TypeMismatch("Type mismatch: \"" + value.toString().toStdString() + "\" is not a date");
}

} // namespace veltra::vb
