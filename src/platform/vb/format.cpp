#include "platform/vb/format.h"

#include "platform/vb/convert.h"
#include "platform/vb/dates.h"
#include "platform/vb/era.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace veltra::vb {

namespace {

// ---- numbers ---------------------------------------------------------------

enum class NumTok { Zero, Hash, Point, Comma, Percent, Literal };

struct NumToken
{
    NumTok kind;
    QString text; // Literal only
};

std::vector<QString> splitSections(const QString &pattern)
{
    std::vector<QString> sections(1);
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\\' && !quoted && i + 1 < pattern.size()) {
            sections.back() += c;
            sections.back() += pattern[++i];
            continue;
        } else if (c == u';' && !quoted) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

std::vector<NumToken> tokenizeNumber(const QString &section)
{
    std::vector<NumToken> tokens;
    auto literal = [&tokens](const QString &text) {
        if (!tokens.empty() && tokens.back().kind == NumTok::Literal)
            tokens.back().text += text;
        else
            tokens.push_back({NumTok::Literal, text});
    };
    bool seenPoint = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            literal(section.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                literal(QString(section[++i]));
        } else if (c == u'0') {
            tokens.push_back({NumTok::Zero, {}});
        } else if (c == u'#') {
            tokens.push_back({NumTok::Hash, {}});
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            tokens.push_back({NumTok::Point, {}});
        } else if (c == u',') {
            tokens.push_back({NumTok::Comma, {}});
        } else if (c == u'%') {
            tokens.push_back({NumTok::Percent, {}});
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

bool isDigitToken(const NumToken &t)
{
    return t.kind == NumTok::Zero || t.kind == NumTok::Hash;
}

// Decimal digits of |value| rounded half away from zero to `decimals` places,
// working on its 15 significant digits. intDigits has no leading zeros.
void roundedDigits(double value, int decimals, QString &intDigits, QString &fracDigits)
{
    intDigits.clear();
    fracDigits.clear();
    value = std::fabs(value);
    QString digits;
    int pointPos = 0;
    if (value != 0.0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14e", value);
        const QString s = QString::fromLatin1(buf);
        const qsizetype e = s.indexOf(u'e');
        digits = s.left(e).remove(u'.');
        pointPos = s.mid(e + 1).toInt() + 1;
    }
    QString whole, frac;
    if (digits.isEmpty()) {
        // zero
    } else if (pointPos <= 0) {
        frac = QString(-pointPos, u'0') + digits;
    } else if (pointPos >= digits.size()) {
        whole = digits + QString(pointPos - digits.size(), u'0');
    } else {
        whole = digits.left(pointPos);
        frac = digits.mid(pointPos);
    }
    if (frac.size() > decimals) {
        const bool up = frac[decimals] >= u'5';
        frac.truncate(decimals);
        if (up) {
            QString all = whole + frac;
            qsizetype i = all.size() - 1;
            while (i >= 0 && all[i] == u'9') {
                all[i] = u'0';
                --i;
            }
            if (i >= 0)
                all[i] = QChar(all[i].unicode() + 1);
            else
                all.prepend(u'1');
            whole = all.left(all.size() - frac.size());
            frac = all.right(frac.size());
        }
    }
    while (!whole.isEmpty() && whole[0] == u'0')
        whole.remove(0, 1);
    intDigits = whole;
    fracDigits = frac.leftJustified(decimals, u'0');
}

QString groupThousands(const QString &digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

// Where the placeholders of a section stand and what they ask of the number.
struct NumberLayout
{
    qsizetype firstDigit = -1; // first 0 or #, -1 when there is none
    qsizetype point = -1;      // the decimal point, -1 when there is none
    qsizetype intEnd = 0;      // one past the whole part's last token
    bool percent = false;
    bool grouping = false;     // a comma between whole-part placeholders
    int scale = 0;             // commas closing the whole part: thousands each
    int decimals = 0;          // placeholders after the point
    int minDecimals = 0;       // up to the last 0 after the point
    int minWhole = 0;          // whole-part placeholders from the first 0 on
};

// The digits a number shows in a section, before they are laid out.
struct NumberDigits
{
    QString whole; // no leading zeros beyond what the 0 placeholders ask for
    QString frac;
    bool isZero = false;
};

// Commas: grouping when a whole-part placeholder stands on both sides,
// scaling when they close the whole part.
void readCommas(const std::vector<NumToken> &tokens, NumberLayout &layout)
{
    for (qsizetype i = 0; i < qsizetype(tokens.size()); ++i) {
        if (tokens[i].kind != NumTok::Comma)
            continue;
        bool digitLeft = false, digitRight = false;
        for (qsizetype j = 0; j < i; ++j)
            digitLeft = digitLeft || isDigitToken(tokens[j]);
        for (qsizetype j = i + 1; j < layout.intEnd && j < qsizetype(tokens.size()); ++j)
            digitRight = digitRight || isDigitToken(tokens[j]);
        if (digitLeft && digitRight && i < layout.intEnd)
            layout.grouping = true;
        else if (digitLeft && !digitRight && (layout.point < 0 || i < layout.point))
            ++layout.scale;
    }
}

NumberLayout scanPlaceholders(const std::vector<NumToken> &tokens)
{
    NumberLayout layout;
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < qsizetype(tokens.size()); ++i) {
        if (isDigitToken(tokens[i])) {
            if (layout.firstDigit < 0)
                layout.firstDigit = i;
            lastDigit = i;
        } else if (tokens[i].kind == NumTok::Point) {
            layout.point = i;
        } else if (tokens[i].kind == NumTok::Percent) {
            layout.percent = true;
        }
    }
    layout.intEnd = layout.point >= 0 ? layout.point : lastDigit + 1;
    readCommas(tokens, layout);

    if (layout.point >= 0) {
        int n = 0;
        for (qsizetype j = layout.point + 1; j < qsizetype(tokens.size()); ++j) {
            if (!isDigitToken(tokens[j]))
                continue;
            ++n;
            if (tokens[j].kind == NumTok::Zero)
                layout.minDecimals = n;
        }
        layout.decimals = n;
    }
    bool counting = false;
    for (qsizetype j = 0; j < layout.intEnd; ++j) {
        if (tokens[j].kind == NumTok::Zero)
            counting = true;
        if (counting && isDigitToken(tokens[j]))
            ++layout.minWhole;
    }
    return layout;
}

// |value| after % and the scaling commas, rounded to the section's places.
NumberDigits scaledDigits(double value, const NumberLayout &layout)
{
    double v = std::fabs(value);
    if (layout.percent)
        v *= 100.0;
    for (int k = 0; k < layout.scale; ++k)
        v /= 1000.0;
    NumberDigits digits;
    roundedDigits(v, layout.decimals, digits.whole, digits.frac);
    while (digits.frac.size() > layout.minDecimals && digits.frac.endsWith(u'0'))
        digits.frac.chop(1);
    digits.isZero = digits.whole.isEmpty();
    for (QChar c : digits.frac)
        digits.isZero = digits.isZero && c == u'0';
    digits.whole = digits.whole.rightJustified(layout.minWhole, u'0');
    return digits;
}

// Whole part: literals standing between placeholders keep their places,
// digits fill the placeholders from the right, surplus digits go to the first.
QString wholePartText(const std::vector<NumToken> &tokens, const NumberLayout &layout, const QString &whole)
{
    bool innerLiterals = false;
    for (qsizetype j = layout.firstDigit + 1; j < layout.intEnd && layout.firstDigit >= 0; ++j)
        innerLiterals = innerLiterals || tokens[j].kind == NumTok::Literal;
    if (!innerLiterals)
        return layout.grouping ? groupThousands(whole) : whole;
    QString text;
    qsizetype d = whole.size();
    for (qsizetype j = layout.intEnd - 1; j >= layout.firstDigit; --j) {
        if (tokens[j].kind == NumTok::Literal) {
            text.prepend(tokens[j].text);
        } else if (isDigitToken(tokens[j])) {
            if (j == layout.firstDigit) {
                text.prepend(whole.left(d));
                d = 0;
            } else if (d > 0) {
                text.prepend(whole[--d]);
            }
        }
    }
    return text;
}

// Walks the section once more: the whole part in one piece where it stands,
// then the point, fraction digits, % and literals in their places.
QString layOutNumber(const std::vector<NumToken> &tokens, const NumberLayout &layout, const QString &wholeText,
                     const QString &frac)
{
    QString out;
    bool wholeWritten = false;
    qsizetype fracUsed = 0;
    for (qsizetype i = 0; i < qsizetype(tokens.size()); ++i) {
        const NumToken &t = tokens[i];
        const bool inWhole = layout.firstDigit >= 0 && i >= layout.firstDigit && i < layout.intEnd;
        if (inWhole) {
            if (!wholeWritten) {
                out += wholeText;
                wholeWritten = true;
            }
            continue;
        }
        switch (t.kind) {
        case NumTok::Point:
            if (!wholeWritten) {
                out += wholeText;
                wholeWritten = true;
            }
            out += u'.';
            break;
        case NumTok::Zero:
        case NumTok::Hash:
            if (fracUsed < frac.size())
                out += frac[fracUsed];
            ++fracUsed;
            break;
        case NumTok::Percent:
            out += u'%';
            break;
        case NumTok::Literal:
            out += t.text;
            break;
        case NumTok::Comma:
            break;
        }
    }
    return out;
}

QString formatNumberSection(double value, const QString &section, bool showSign)
{
    const std::vector<NumToken> tokens = tokenizeNumber(section);
    const NumberLayout layout = scanPlaceholders(tokens);
    const NumberDigits digits = scaledDigits(value, layout);
    QString out = layOutNumber(tokens, layout, wholePartText(tokens, layout, digits.whole), digits.frac);
    if (showSign && value < 0 && !digits.isZero)
        out.prepend(u'-');
    return out;
}

QString generalNumber(double value)
{
    QString s = QString::number(value, 'g', 15);
    return s.replace(u'e', u'E');
}

// ---- dates -----------------------------------------------------------------

enum class DateTok {
    Literal,
    Year4,
    Year2,
    YearDay,
    Month,
    Month2,
    Day,
    Day2,
    Hour,
    Hour2,
    Minute,
    Minute2,
    Second,
    Second2,
    EraLetter,
    EraInitial,
    EraName,
    EraYear,
    EraYear2,
    WeekShort,
    WeekLong
};

struct DateToken
{
    DateTok kind;
    QString text;
};

bool isMonthOrMinute(DateTok k)
{
    return k == DateTok::Month || k == DateTok::Month2;
}

std::vector<DateToken> tokenizeDate(const QString &pattern)
{
    std::vector<DateToken> tokens;
    auto literal = [&tokens](const QString &text) {
        if (!tokens.empty() && tokens.back().kind == DateTok::Literal)
            tokens.back().text += text;
        else
            tokens.push_back({DateTok::Literal, text});
    };
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            literal(pattern.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (c == u'\\') {
            if (i + 1 < pattern.size())
                literal(QString(pattern[i + 1]));
            i += 2;
            continue;
        }
        const QChar l = c.toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == l)
            ++run;
        // Take the longest known token of this letter; the rest of the run is read again.
        DateTok kind = DateTok::Literal;
        qsizetype used = 1;
        if (l == u'y') {
            if (run >= 4) {
                kind = DateTok::Year4;
                used = 4;
            } else if (run >= 2) {
                kind = DateTok::Year2;
                used = 2;
            } else {
                kind = DateTok::YearDay;
            }
        } else if (l == u'm') {
            used = run >= 2 ? 2 : 1;
            kind = used == 2 ? DateTok::Month2 : DateTok::Month;
        } else if (l == u'd') {
            used = run >= 2 ? 2 : 1;
            kind = used == 2 ? DateTok::Day2 : DateTok::Day;
        } else if (l == u'h') {
            used = run >= 2 ? 2 : 1;
            kind = used == 2 ? DateTok::Hour2 : DateTok::Hour;
        } else if (l == u'n') {
            used = run >= 2 ? 2 : 1;
            kind = used == 2 ? DateTok::Minute2 : DateTok::Minute;
        } else if (l == u's') {
            used = run >= 2 ? 2 : 1;
            kind = used == 2 ? DateTok::Second2 : DateTok::Second;
        } else if (l == u'g') {
            used = std::min<qsizetype>(run, 3);
            kind = used == 3 ? DateTok::EraName : used == 2 ? DateTok::EraInitial : DateTok::EraLetter;
        } else if (l == u'e') {
            used = run >= 2 ? 2 : 1;
            kind = used == 2 ? DateTok::EraYear2 : DateTok::EraYear;
        } else if (l == u'a' && run >= 3) {
            used = run >= 4 ? 4 : 3;
            kind = used == 4 ? DateTok::WeekLong : DateTok::WeekShort;
        }
        if (kind == DateTok::Literal) {
            literal(QString(c));
            i += 1;
        } else {
            tokens.push_back({kind, {}});
            i += used;
        }
    }
    // m after an hour, or before a second, is minutes.
    DateTok previous = DateTok::Literal;
    for (qsizetype k = 0; k < qsizetype(tokens.size()); ++k) {
        DateToken &t = tokens[k];
        if (t.kind == DateTok::Literal)
            continue;
        if (isMonthOrMinute(t.kind)) {
            bool minute = previous == DateTok::Hour || previous == DateTok::Hour2;
            for (qsizetype j = k + 1; j < qsizetype(tokens.size()) && !minute; ++j) {
                if (tokens[j].kind == DateTok::Literal)
                    continue;
                minute = tokens[j].kind == DateTok::Second || tokens[j].kind == DateTok::Second2;
                break;
            }
            if (minute)
                t.kind = t.kind == DateTok::Month2 ? DateTok::Minute2 : DateTok::Minute;
        }
        previous = t.kind;
    }
    return tokens;
}

QString two(int v)
{
    return QString::number(v).rightJustified(2, u'0');
}

QString weekdayName(const QDate &date, bool longForm)
{
    static const char16_t names[] = u"月火水木金土日";
    const QString day{QChar(names[date.dayOfWeek() - 1])};
    return longForm ? day + QStringLiteral("曜日") : day;
}

} // namespace

QString format(double value, const QString &pattern)
{
    if (pattern.isEmpty() || !std::isfinite(value))
        return generalNumber(value);
    const std::vector<QString> sections = splitSections(pattern);
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatNumberSection(value, sections[1], false);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return formatNumberSection(value, sections[2], false);
    return formatNumberSection(value, sections[0], true);
}

QString format(const QDateTime &value, const QString &pattern)
{
    const QDate date = value.date();
    const QTime time = value.time();
    if (pattern.isEmpty()) {
        QString s = format(value, QStringLiteral("yyyy/mm/dd"));
        if (time != QTime(0, 0))
            s += u' ' + format(value, QStringLiteral("h:nn:ss"));
        return s;
    }
    const Era *era = eraOf(date);
    QString out;
    for (const DateToken &t : tokenizeDate(pattern)) {
        switch (t.kind) {
        case DateTok::Literal:
            out += t.text;
            break;
        case DateTok::Year4:
            out += QString::number(date.year()).rightJustified(4, u'0');
            break;
        case DateTok::Year2:
            out += two(date.year() % 100);
            break;
        case DateTok::YearDay:
            out += QString::number(date.dayOfYear());
            break;
        case DateTok::Month:
            out += QString::number(date.month());
            break;
        case DateTok::Month2:
            out += two(date.month());
            break;
        case DateTok::Day:
            out += QString::number(date.day());
            break;
        case DateTok::Day2:
            out += two(date.day());
            break;
        case DateTok::Hour:
            out += QString::number(time.hour());
            break;
        case DateTok::Hour2:
            out += two(time.hour());
            break;
        case DateTok::Minute:
            out += QString::number(time.minute());
            break;
        case DateTok::Minute2:
            out += two(time.minute());
            break;
        case DateTok::Second:
            out += QString::number(time.second());
            break;
        case DateTok::Second2:
            out += two(time.second());
            break;
        case DateTok::EraLetter:
            if (era)
                out += era->letter;
            break;
        case DateTok::EraInitial:
            if (era)
                out += era->initial;
            break;
        case DateTok::EraName:
            if (era)
                out += era->name;
            break;
        case DateTok::EraYear:
            out += QString::number(era ? eraYear(date) : date.year());
            break;
        case DateTok::EraYear2:
            out += two(era ? eraYear(date) : date.year());
            break;
        case DateTok::WeekShort:
            out += weekdayName(date, false);
            break;
        case DateTok::WeekLong:
            out += weekdayName(date, true);
            break;
        }
    }
    return out;
}

QString format(const QDate &value, const QString &pattern)
{
    return format(makeDateTime(value), pattern);
}

QString format(const QString &text, const QString &pattern)
{
    if (text.isEmpty())
        return text;
    if (const auto number = toNumber(text))
        return format(*number, pattern);
    if (const auto date = parseDateText(text))
        return format(*date, pattern);
    return text;
}

} // namespace veltra::vb
