#include "statrender/frmpsyrankall.h"

#include "platform/ui/twips.h"
#include "shell/modfileio.h"
#include "statrender/popupgeometry.h"

#include <QHeaderView>
#include <QTableWidget>

namespace veltra::statrender {

namespace {

const QString kRanking = QStringLiteral("ランキング");
const QString kFlow = QStringLiteral("流線図");

} // namespace

std::vector<RankRow> rankAllRows(const std::vector<QString> &lines, const QString &mode, const QString &option)
{
    std::vector<RankRow> rows;
    const std::size_t count = lines.empty() ? 0 : lines.size() - 1;
    if (mode == kRanking) {
        for (std::size_t i = 1; i <= count; ++i) {
            const QStringList fields = lines[i].split(QLatin1Char(','));
            if (fields.size() < 11)
                continue;
            rows.emplace_back(QString(fields[9]).remove(QLatin1Char('"')), fields[10]);
        }
    } else if (mode == kFlow) {
        int which = 0;
        if (option == QStringLiteral("流入"))
            which = 1;
        else if (option == QStringLiteral("流出"))
            which = 2;
        if (which == 0)
            return rows;
        // Complete pairs only: a lone last line has no partner.
        for (std::size_t k = 0; 2 * k + 2 <= count; ++k) {
            const QStringList fields = lines[2 * k + which].split(QLatin1Char(','));
            if (fields.size() < 5)
                continue;
            rows.emplace_back(fields[3], fields[4]);
        }
    }
    return rows;
}

} // namespace veltra::statrender

using namespace veltra::statrender;

frmPSYRankAll::frmPSYRankAll(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("全地域"), 4215, 3825)
{
    flx = new QTableWidget(this);
    flx->setObjectName(QStringLiteral("flx"));
    flx->setEditTriggers(QAbstractItemView::NoEditTriggers);
    flx->verticalHeader()->hide();
    flx->setColumnCount(2);
    placeTwips(flx, 0, 0, 4215, 3855);
}

void frmPSYRankAll::MP_Init(const QString &sFileName, const QString &sMode, const QString &sOpt)
{
    flx->clearContents();
    flx->setRowCount(0);
    flx->setHorizontalHeaderLabels({QStringLiteral("地域名"), QStringLiteral("人数")});
    flx->setColumnWidth(0, veltra::ui::twipsToPixelsX(1000));
    flx->setColumnWidth(1, veltra::ui::twipsToPixelsX(1600));

    std::vector<QString> lines;
    std::int32_t count = 0;
    if (!modFileIO::ReadTextLines(sFileName, lines, count))
        lines.assign(1, QString());
    const std::vector<RankRow> rows = rankAllRows(lines, sMode, sOpt);
    flx->setRowCount(static_cast<int>(rows.size()));
    const QBrush fixed = flx->palette().button();
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        auto *name = new QTableWidgetItem(rows[static_cast<std::size_t>(r)].first);
        // Column 0 is the grid's fixed column, as the heading row.
        name->setBackground(fixed);
        flx->setItem(r, 0, name);
        auto *value = new QTableWidgetItem(rows[static_cast<std::size_t>(r)].second);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        flx->setItem(r, 1, value);
    }
}
