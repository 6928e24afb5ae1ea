#include "statdata/comfunction.h"

#include "platform/text/text.h"
#include "platform/vb/era.h"

#include <QRegularExpression>

namespace {

// CP932 bytes of one character (a code point); 0 when CP932 cannot hold it.
int charWidth(char32_t ch)
{
    if (ch < 0x80)
        return 1;
    if (ch >= 0xFF61 && ch <= 0xFF9F) // half-width katakana
        return 1;
    QByteArray bytes;
    if (!veltra::text::encodeCp932(QString::fromUcs4(&ch, 1), bytes))
        return 0;
    return static_cast<int>(bytes.size());
}

bool allOfWidth(const QString &text, int width)
{
    for (const char32_t ch : text.toUcs4()) {
        if (charWidth(ch) != width)
            return false;
    }
    return true;
}

} // namespace

namespace ComFunction {

bool IsHankakuOnly(const QString &text)
{
    return allOfWidth(text, 1);
}

bool IsZenkakuOnly(const QString &text)
{
    return allOfWidth(text, 2);
}

int16_t GetFieldCount(const QString &text, const QString &separator)
{
    if (separator.size() != 1)
        return 1;
    const qsizetype n = 1 + text.count(separator.at(0));
    return static_cast<int16_t>(std::min<qsizetype>(n, INT16_MAX));
}

QString FormatEraDate(const QString &dateText, int16_t kind)
{
    if (kind != 1 && kind != 2)
        return QString();
    const QDate date = veltra::statdata::parseDateText(dateText);
    const veltra::vb::Era *era = veltra::vb::eraOf(date);
    if (!era)
        return QString();
    const int year = veltra::vb::eraYear(date);
    if (kind == 1) {
        return era->name + QString::number(year) + QStringLiteral("年") + QString::number(date.month())
            + QStringLiteral("月") + QString::number(date.day()) + QStringLiteral("日");
    }
    return era->letter + QString::number(year) + QLatin1Char('.')
        + QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0')) + QLatin1Char('.')
        + QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
}

} // namespace ComFunction

namespace veltra::statdata {

QDate parseDateText(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{4})[/-](\\d{1,2})[/-](\\d{1,2})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString surveyYearText(const QString &dateText)
{
    const QDate date = parseDateText(dateText);
    const vb::Era *era = vb::eraOf(date);
    if (!era)
        return QString();
    return era->name + QString::number(vb::eraYear(date)) + QStringLiteral("年度");
}

} // namespace veltra::statdata
