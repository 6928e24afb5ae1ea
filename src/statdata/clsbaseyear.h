#pragma once
// One base period of the registration window: a start and an end date, each
// held as a "yyyy/mm/dd" text.
//
// A property keeps its text only when it is a valid date text (10 single-byte
// characters, '/' at positions 5 and 8, a real calendar date); any other text
// is ignored silently and the previous value stays. Both start empty.
#include <QString>

class clsBaseYear
{
public:
    QString StartYear() const { return m_startYear; }
    void setStartYear(const QString &value);
    QString EndYear() const { return m_endYear; }
    void setEndYear(const QString &value);

    // The check both properties apply.
    static bool IsValidDateText(const QString &text);

private:
    QString m_startYear;
    QString m_endYear;
};
