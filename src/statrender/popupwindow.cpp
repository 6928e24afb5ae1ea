#include "statrender/popupwindow.h"

#include "platform/ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace veltra::statrender {

PopupWindow::PopupWindow(QWidget *owner, const QString &caption, double clientWidth, double clientHeight)
    : QWidget(owner, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
    , m_clientWidthTwips(clientWidth)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(caption);
    setHeight(clientHeight + kFrameTwips);
}

void PopupWindow::setHeight(double twips)
{
    m_heightTwips = twips;
    setFixedSize(ui::twipsToPixelsX(m_clientWidthTwips), std::max(1, ui::twipsToPixelsY(twips - kFrameTwips)));
}

void PopupWindow::moveTwips(double left, double top)
{
    QPoint origin;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        origin = screen->geometry().topLeft();
    move(origin + QPoint(ui::twipsToPixelsX(left), ui::twipsToPixelsY(top)));
}

} // namespace veltra::statrender
