#include "shell/comdatectrl.h"

#include "platform/vb/dates.h"
#include "platform/vb/errors.h"
#include "platform/vb/format.h"

namespace ComDateCtrl {

bool DaysBetween(const QVariant &date1, const QVariant &date2, int32_t &days)
{
    const auto d1 = veltra::vb::toDate(date1);
    const auto d2 = veltra::vb::toDate(date2);
    if (!d1 || !d2)
        return false;
    days = static_cast<int32_t>(d2->date().daysTo(d1->date()));
    return true;
}

QString FormatDate(const QVariant &date)
{
    const auto d = veltra::vb::toDate(date);
    if (!d)
        return QString();
    return veltra::vb::format(*d, gintDateFormat == 1 ? DateFormatWestern : DateFormatEra);
}

QString AddDaysText(const QVariant &date, int32_t days)
{
    const auto d = veltra::vb::toDate(date);
    if (!d)
        return QString();
    const QDate moved = d->date().addDays(days);
    if (!moved.isValid() || moved.year() < 100 || moved.year() > 9999)
        throw veltra::vb::Overflow(
            "Overflow: the date moved by " + std::to_string(days) + " days is out of range");
    return FormatDate(QVariant(moved));
}

} // namespace ComDateCtrl
