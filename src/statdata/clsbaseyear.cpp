#include "statdata/clsbaseyear.h"

#include "statdata/comfunction.h"

#include <QDate>

void clsBaseYear::setStartYear(const QString &value)
{
    if (IsValidDateText(value))
        m_startYear = value;
}

void clsBaseYear::setEndYear(const QString &value)
{
    if (IsValidDateText(value))
        m_endYear = value;
}

bool clsBaseYear::IsValidDateText(const QString &text)
{
    if (text.size() != 10 || !ComFunction::IsHankakuOnly(text))
        return false;
    if (text.at(4) != QLatin1Char('/') || text.at(7) != QLatin1Char('/'))
        return false;
    bool okYear = false, okMonth = false, okDay = false;
    const int year = text.left(4).toInt(&okYear);
    const int month = text.mid(5, 2).toInt(&okMonth);
    const int day = text.mid(8, 2).toInt(&okDay);
    if (!okYear || !okMonth || !okDay)
        return false;
    for (const QChar c : text) {
        if (c != QLatin1Char('/') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    return QDate::isValid(year, month, day);
}
