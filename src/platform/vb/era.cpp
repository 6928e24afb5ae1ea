#include "platform/vb/era.h"

namespace veltra::vb {

const std::vector<Era> &eras()
{
    static const std::vector<Era> table = {
        {QStringLiteral("明治"), QStringLiteral("明"), u'M', QDate(1868, 1, 1)},
        {QStringLiteral("大正"), QStringLiteral("大"), u'T', QDate(1912, 7, 30)},
        {QStringLiteral("昭和"), QStringLiteral("昭"), u'S', QDate(1926, 12, 25)},
        {QStringLiteral("平成"), QStringLiteral("平"), u'H', QDate(1989, 1, 8)},
        {QStringLiteral("令和"), QStringLiteral("令"), u'R', QDate(2019, 5, 1)},
    };
    return table;
}

const Era *eraOf(const QDate &date)
{
    if (!date.isValid())
        return nullptr;
    const Era *found = nullptr;
    for (const Era &era : eras()) {
        if (date >= era.start)
            found = &era;
    }
    return found;
}

int eraYear(const QDate &date)
{
    const Era *era = eraOf(date);
    return era ? date.year() - era->start.year() + 1 : 0;
}

QDate eraDate(const Era &era, int year, int month, int day)
{
    if (year < 1)
        return {};
    const QDate date(era.start.year() + year - 1, month, day);
    if (!date.isValid() || date < era.start)
        return {};
    return date;
}

const Era *eraAtStart(QStringView text, int *length)
{
    for (const Era &era : eras()) {
        if (text.startsWith(era.name)) {
            if (length)
                *length = era.name.size();
            return &era;
        }
    }
    if (text.isEmpty())
        return nullptr;
    for (const Era &era : eras()) {
        if (text.front() == era.initial.front() || text.front().toUpper() == era.letter) {
            if (length)
                *length = 1;
            return &era;
        }
    }
    return nullptr;
}

} // namespace veltra::vb
