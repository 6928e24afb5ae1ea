// frmZorvik.SetViewDate: the view date stored for the open document applied to
// the engine's date range and the status bar.
#include "mapwindow/frmzorvik.h"
#include "mapwindow/globals.h"
#include "platform/vb/dates.h"
#include "shell/comdatectrl.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/mdlspcom.h"
#include "zorvik/widget/zorvik.h"

#include <QDate>

namespace {

QString iniValue(const QString &key)
{
    QString value;
    mdlSpCom::GetIniValue(QStringLiteral("SetDate"), key, value, gstrDocIniPath);
    return value;
}

// Days from the document's base date; a text that is no date counts as 0.
std::int32_t daysOf(const QVariant &date)
{
    std::int32_t days = 0;
    if (!ComDateCtrl::DaysBetween(QVariant(gdtBaseDate), date, days))
        return 0;
    return days;
}

QString yyyymmdd(const QVariant &date)
{
    const auto value = veltra::vb::toDate(date);
    return value ? value->date().toString(QStringLiteral("yyyyMMdd")) : QString();
}

} // namespace

void frmZorvik::SetViewDate()
{
    const QString mode = iniValue(QStringLiteral("MODE"));
    const QString date1 = iniValue(QStringLiteral("Date1"));
    const QString date2 = iniValue(QStringLiteral("Date2"));
    QString text;
    if (mode == QLatin1String("ToDay")) {
        const QDate today = QDate::currentDate();
        text = QStringLiteral("設定日  ") + ComDateCtrl::FormatDate(today);
        Zorvik1->setDateFrom(daysOf(today));
        Zorvik1->setDateTo(daysOf(today));
        gstrViewDate = today.toString(QStringLiteral("yyyyMMdd"));
    } else if (mode == QLatin1String("Time")) {
        text = QStringLiteral("設定日  ") + ComDateCtrl::FormatDate(date1);
        Zorvik1->setDateFrom(daysOf(date1));
        Zorvik1->setDateTo(daysOf(date1));
        gstrViewDate = yyyymmdd(date1);
    } else if (mode == QLatin1String("Span")) {
        text = QStringLiteral("期間  ") + ComDateCtrl::FormatDate(date1) + QStringLiteral("～")
            + ComDateCtrl::FormatDate(date2);
        Zorvik1->setDateFrom(daysOf(date1));
        Zorvik1->setDateTo(daysOf(date2));
        gstrViewDate = yyyymmdd(date1);
    } else if (mode == QLatin1String("NoDay")) {
        text = QStringLiteral("設定日　日付指定なし");
        Zorvik1->setDateFrom(1);
        Zorvik1->setDateTo(0);
        gstrViewDate.clear();
    }
    mdlMain::SetStatusText(3, text);
    Zorvik1->Refresh();
}
