#include "statrender/viewdate.h"

#include "mapwindow/mdlelement.h"
#include "platform/ui/msgbox.h"
#include "shell/comdatectrl.h"
#include "shell/datepanels.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/operationroom.h"
#include "shell/viewdate.h"
#include "statrender/globals.h"
#include "zorvik/core/types.h"
#include "zorvik/widget/zorvik.h"

namespace ComPSY {

namespace {

void showStyleCode(zorvik::Result r)
{
    veltra::ui::MsgBox(
        QStringLiteral("PSY_SaveElmStyle OCXエラーコード [") + QString::number(r) + QLatin1Char(']'));
}

} // namespace

void PSY_SetViewDate(const QString &dateText)
{
    std::int32_t days = 0;
    if (!ComDateCtrl::DaysBetween(dateText, gdtBaseDate, days))
        return;
    if (gobjZor) {
        gobjZor->setDateMode(days);
        gobjZor->setDateValue(gobjZor->DateMode());
    }
    veltra::shell::selectDatePanel(veltra::shell::PanelTime);
    gstrSetDateMode = QStringLiteral("Time");
    gstrSetDate1 = dateText;
    gstrViewDate = veltra::shell::compactDate(dateText);
    const QString shown = ComDateCtrl::FormatDate(dateText);
    mdlMain::SetStatusText(3, QStringLiteral("設定日  ") + shown);
    veltra::shell::setOpeRoomDateLabel(shown);
    if (gobjZor)
        gobjZor->Refresh();
}

void PSY_SaveElmStyle()
{
    gintSaveVectID.assign(1, 0);
    gtypSaveVectStyle.assign(1, ElmKindStyle{});
    gintSaveCnectID.assign(1, 0);
    gtypSaveCnectStyle.assign(1, ElmKindStyle{});
    if (!gobjZor)
        return;
    // A document without the statistics space has no statistics kinds to
    // keep; that is no engine failure to report at every opening.
    const std::int16_t space = zorvik::StatSpaceId;
    QString spaceName;
    if (gobjZor->GetSpaceName(space, spaceName) != 0)
        return;

    std::int16_t n = 0;
    if (const zorvik::Result r = gobjZor->GetSpaceIDVectorIDListCount(space, n)) {
        showStyleCode(r);
        return;
    }
    if (n > 0) {
        std::vector<std::int16_t> ids;
        if (const zorvik::Result r = gobjZor->GetSpaceIDVectorIDList(space, n, ids)) {
            showStyleCode(r);
            return;
        }
        gintSaveVectID.assign(static_cast<std::size_t>(n) + 1, 0);
        for (std::int16_t k = 1; k <= n && static_cast<std::size_t>(k) <= ids.size(); ++k)
            gintSaveVectID[k] = ids[k - 1];
        gtypSaveVectStyle.assign(static_cast<std::size_t>(n) + 1, ElmKindStyle{});
        for (std::int16_t k = 1; k <= n; ++k)
            mdlElement::GetVectKindStyle(gintSaveVectID[k], gtypSaveVectStyle[k]);
    }

    std::int16_t m = 0;
    if (const zorvik::Result r = gobjZor->GetSpaceIDConnectorIDListCount(space, m)) {
        showStyleCode(r);
        return;
    }
    if (m > 0) {
        std::vector<std::int16_t> ids;
        gobjZor->GetSpaceIDConnectorIDList(space, m, ids);
        gintSaveCnectID.assign(static_cast<std::size_t>(m) + 1, 0);
        for (std::int16_t k = 1; k <= m && static_cast<std::size_t>(k) <= ids.size(); ++k)
            gintSaveCnectID[k] = ids[k - 1];
        gtypSaveCnectStyle.assign(static_cast<std::size_t>(m) + 1, ElmKindStyle{});
        for (std::int16_t k = 1; k <= m; ++k)
            mdlElement::GetCnectKindStyle(gintSaveCnectID[k], gtypSaveCnectStyle[k]);
    }
}

void ShowMissingFilesMessage()
{
    veltra::ui::MsgBox(QStringLiteral("処理に必要なファイルが不足しています。再度、アプリケーションのインスト"
                                      "ールを行う等の処置を行ってください。"),
        veltra::ui::vbInformation, QStringLiteral("情報"));
}

} // namespace ComPSY
