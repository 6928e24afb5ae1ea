#pragma once
// ComPSY: the statistics map's services around the map's view: the view date
// set to the date of the drawn statistics, the snapshot of the statistics
// kinds' display styles, and the message that files are missing. They work
// on the current map (gobjZor); without one they change nothing on a map.
#include <QString>

namespace ComPSY {

// Shows the map on the single day of `dateText` (view-date mode "Time"): the
// engine's display range, the 指定日 panel of the status bar, the view-date
// globals (gstrSetDateMode "Time", gstrSetDate1 the text, gstrViewDate
// "YYYYMMDD"), the status text "設定日  " + the date, the operation room's
// date label, and a refresh. A text that is no date changes nothing: the
// view keeps the date the user sees.
void PSY_SetViewDate(const QString &dateText);

// Takes the snapshot of the statistics space's vector and connector kinds
// and their display styles into gintSaveVectID, gtypSaveVectStyle,
// gintSaveCnectID and gtypSaveCnectStyle (reset to bounds 0 to 0 first). A
// refusal of the engine shows "PSY_SaveElmStyle OCXエラーコード [code]" and
// leaves the arrays as far as they were filled. A document without the
// statistics space leaves them empty, without a message.
void PSY_SaveElmStyle();

// "処理に必要なファイルが不足しています。再度、アプリケーションのインストールを
// 行う等の処置を行ってください。" with the caption "情報".
void ShowMissingFilesMessage();

} // namespace ComPSY
