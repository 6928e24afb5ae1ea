#include "statrender/frmpsyrank.h"

#include "platform/ui/windowregistry.h"
#include "statrender/frmpsyrankall.h"
#include "statrender/popupgeometry.h"

#include <QLabel>
#include <QMouseEvent>

using namespace veltra::statrender;

frmPSYRank::frmPSYRank(QWidget *owner)
    : PopupWindow(owner, QStringLiteral("順位"), 3990, 1875)
{
    const std::array<QString, 3> headings{
        QStringLiteral("順  位"), QStringLiteral("地域名"), QStringLiteral("値")};
    const std::array<double, 3> headingLeft{60, 840, 3120};
    const std::array<double, 3> headingWidth{555, 1815, 735};
    for (int i = 0; i < 3; ++i) {
        Label1[i] = captionLabel(this, QStringLiteral("Label1_%1").arg(i), headings[i]);
        placeTwips(Label1[i], headingLeft[i], 60, headingWidth[i], 255);
    }
    const std::array<QString, 5> places{QStringLiteral("１位"), QStringLiteral("２位"), QStringLiteral("３位"),
        QStringLiteral("４位"), QStringLiteral("５位")};
    // Pure red, green, blue, cyan and magenta, as the map styles ranks 1 to 5.
    const std::array<QColor, 5> colours{
        QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 255, 255), QColor(255, 0, 255)};
    for (int r = 0; r < 5; ++r) {
        const double top = 360 + 300 * r;
        Label1[3 + r] = captionLabel(this, QStringLiteral("Label1_%1").arg(3 + r), places[r]);
        placeTwips(Label1[3 + r], 60, top, 555, 255);
        lblP[r] = valueLabel(this, QStringLiteral("lblP_%1").arg(r));
        QPalette palette = lblP[r]->palette();
        palette.setColor(QPalette::WindowText, colours[r]);
        lblP[r]->setPalette(palette);
        placeTwips(lblP[r], 600, top, 2175, 255);
        lblNum[r] = valueLabel(this, QStringLiteral("lblNum_%1").arg(r), true);
        placeTwips(lblNum[r], 2820, top, 1095, 255);
    }
}

void frmPSYRank::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        ShowAllRanks();
    PopupWindow::mouseReleaseEvent(event);
}

void frmPSYRank::ShowAllRanks()
{
    frmPSYRankAll *all = veltra::ui::form<frmPSYRankAll>();
    all->MP_Init(sFileName, sMode, sOpt);
    all->show();
    all->raise();
}
