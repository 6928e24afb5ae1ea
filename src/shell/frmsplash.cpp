#include "shell/frmsplash.h"

#include "platform/ui/twips.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

// Rough outlines of the four main islands in picture pixels (x east, y south).
const QPointF kHokkaido[] = {{352, 58}, {376, 44}, {404, 66}, {432, 60}, {440, 80}, {414, 98}, {396, 124},
    {374, 114}, {358, 128}, {346, 104}, {356, 86}};
const QPointF kHonshu[] = {{352, 140}, {372, 146}, {378, 182}, {374, 226}, {360, 262}, {344, 290}, {322, 312},
    {296, 318}, {266, 330}, {236, 334}, {206, 328}, {176, 340}, {150, 348}, {132, 340}, {152, 320},
    {190, 308}, {222, 298}, {252, 282}, {282, 274}, {302, 252}, {326, 228}, {338, 196}, {340, 160}};
const QPointF kShikoku[] = {{176, 352}, {210, 346}, {232, 356}, {214, 372}, {186, 370}};
const QPointF kKyushu[] = {{116, 348}, {138, 356}, {146, 382}, {138, 414}, {116, 428}, {102, 404}, {94, 374}};

void island(QPainter &p, const QPointF *points, int count)
{
    QPainterPath path;
    path.moveTo(points[0]);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i]);
    path.closeSubpath();
    p.drawPath(path);
}

} // namespace

QImage frmSplash::splashPicture(const QString &title)
{
    QImage image(511, 512, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, 512);
    sea.setColorAt(0, QColor(18, 52, 92));
    sea.setColorAt(1, QColor(40, 110, 160));
    p.fillRect(image.rect(), sea);
    // Graticule.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = 0; x < 511; x += 32)
        p.drawLine(x, 0, x, 512);
    for (int y = 0; y < 512; y += 32)
        p.drawLine(0, y, 511, y);
    // Islands shaded like a choropleth map.
    p.setPen(QPen(QColor(250, 250, 240), 2));
    p.setBrush(QColor(120, 190, 120));
    island(p, kHokkaido, std::size(kHokkaido));
    p.setBrush(QColor(240, 190, 90));
    island(p, kHonshu, std::size(kHonshu));
    p.setBrush(QColor(200, 230, 140));
    island(p, kShikoku, std::size(kShikoku));
    p.setBrush(QColor(230, 120, 90));
    island(p, kKyushu, std::size(kKyushu));
    // Title.
    QFont font(QStringLiteral("IPAexGothic"));
    font.setPixelSize(56);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 400, 511, 70), Qt::AlignCenter, title);
    font.setPixelSize(18);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 462, 511, 30), Qt::AlignCenter, QStringLiteral("統計地図ソフトウェア"));
    return image;
}

frmSplash::frmSplash(QWidget *owner)
    : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    const int w = veltra::ui::twipsToPixelsX(7635);
    const int h = veltra::ui::twipsToPixelsY(7635);
    setFixedSize(w, h);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(0, 0, w, h);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setStyleSheet(QStringLiteral("background: rgb(18, 52, 92);"));
    Picture1->setPixmap(
        QPixmap::fromImage(splashPicture(gstrTitle.isEmpty() ? QStringLiteral("Veltra") : gstrTitle)));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(w / 2, h / 2));
    mdlMain::LocalizeForm(*this);
}
