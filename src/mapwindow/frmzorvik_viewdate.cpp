// frmZorvik.SetViewDate: the view date stored for the open document applied to
// the engine's date range, the status bar and the operation room's date label.
#include "mapwindow/frmzorvik.h"
#include "shell/datepanels.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/mdlspcom.h"
#include "shell/operationroom.h"
#include "shell/viewdate.h"
#include "zorvik/widget/zorvik.h"

#include <QDate>

namespace {

QString iniValue(const QString &key)
{
    QString value;
    mdlSpCom::GetIniValue(QStringLiteral("SetDate"), key, value, gstrDocIniPath);
    return value;
}

} // namespace

void frmZorvik::SetViewDate()
{
    const auto s
        = veltra::shell::storedViewDate(iniValue(QStringLiteral("MODE")), iniValue(QStringLiteral("Date1")),
            iniValue(QStringLiteral("Date2")), QDate::currentDate(), gdtBaseDate);
    if (s.setsRange) {
        Zorvik1->setDateFrom(s.from);
        Zorvik1->setDateTo(s.to);
    }
    veltra::shell::markDatePanel(s.panel);
    if (s.setsViewDate)
        gstrViewDate = s.viewDate;
    mdlMain::SetStatusText(3, s.statusText);
    Zorvik1->Refresh();
    veltra::shell::setOpeRoomDateLabel(veltra::shell::dateLabelOf(s.statusText));
}
