// "表へ出力": the values of the last graph as a table in the window's
// tallied list, which reads the area records itself.
#include "statwindow/frmstatisticsmap.h"

#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "platform/ui/msgbox.h"
#include "statwindow/listoutcolumns.h"

#include <exception>

void frmStatisticsMap::cmdListOut_Click()
{
    if (m_ctlSelect->ListCount(0) <= 0) {
        veltra::ui::MsgBox(QStringLiteral("グラフ作成する統計項目を選択して下さい。"), veltra::ui::vbOKOnly);
        return;
    }
    const std::vector<QString> item = veltra::statwindow::tableColumnNames(*m_ctlSelect, glngGraphKind);
    if (!m_frmTotalList)
        m_frmTotalList = new frmTotalList(this);
    m_frmTotalList->show();
    try {
        m_frmTotalList->ListDisp(item, m_ctlSelect->ExpressionKind(), m_strAgeClassName);
    } catch (const std::exception &e) {
        // The list keeps what it showed; the user learns why nothing came.
        veltra::ui::MsgBox(QStringLiteral("集計データ一覧を作成できませんでした。\n") + QString::fromUtf8(e.what()),
            veltra::ui::vbExclamation);
    }
}
