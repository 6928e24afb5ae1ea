#include "shell/viewdate.h"

#include "platform/vb/dates.h"
#include "shell/comdatectrl.h"

namespace veltra::shell {

std::int32_t dayNumber(const QVariant &date, const QDate &baseDate)
{
    std::int32_t days = 0;
    if (!baseDate.isValid() || !ComDateCtrl::DaysBetween(date, QVariant(baseDate), days))
        return 0;
    return days;
}

QString compactDate(const QVariant &date)
{
    const auto value = vb::toDate(date);
    return value ? value->date().toString(QStringLiteral("yyyyMMdd")) : QString();
}

namespace {

// One day on view (today or a chosen day): that day's range, status text and
// view date, with the selector panel of its mode.
ViewDateSetting oneDay(const QVariant &date, const QDate &baseDate, int panel)
{
    ViewDateSetting s;
    s.statusText = QStringLiteral("設定日  ") + ComDateCtrl::FormatDate(date);
    s.setsRange = true;
    s.from = s.to = dayNumber(date, baseDate);
    s.panel = panel;
    s.setsViewDate = true;
    s.viewDate = compactDate(date);
    return s;
}

} // namespace

ViewDateSetting storedViewDate(const QString &mode, const QString &date1, const QString &date2,
    const QDate &today, const QDate &baseDate)
{
    ViewDateSetting s;
    if (mode == QLatin1String("ToDay")) {
        s = oneDay(today, baseDate, PanelToday);
    } else if (mode == QLatin1String("Time")) {
        s = oneDay(date1, baseDate, PanelTime);
    } else if (mode == QLatin1String("Span")) {
        s.statusText = QStringLiteral("期間  ") + ComDateCtrl::FormatDate(date1) + QStringLiteral("～")
            + ComDateCtrl::FormatDate(date2);
        s.setsRange = true;
        s.from = dayNumber(date1, baseDate);
        s.to = dayNumber(date2, baseDate);
        s.setsViewDate = true;
        s.viewDate = compactDate(date1);
    } else if (mode == QLatin1String("NoDay")) {
        s.statusText = QStringLiteral("設定日　日付指定なし");
        s.setsRange = true;
        s.from = 1;
        s.to = 0;
        s.panel = PanelNoDay;
        s.setsViewDate = true;
    }
    return s;
}

QString dateLabelOf(const QString &statusText)
{
    return statusText.mid(4).trimmed();
}

} // namespace veltra::shell
