#include "shell/modcolordialog.h"

#include "platform/ui/filedialogs.h"
#include "platform/vb/convert.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <optional>

namespace modColorDialog {

namespace {

constexpr int kCustomCount = 16;

std::optional<QList<QColor>> &customTable()
{
    static std::optional<QList<QColor>> table;
    return table;
}

QColor colourOf(std::int32_t rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

std::int32_t rgbOf(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

// The owner's rectangle on the screen: a window's with its frame, a control's
// own.
QRect screenRect(const QWidget &owner)
{
    if (owner.isWindow())
        return owner.frameGeometry();
    return QRect(owner.mapToGlobal(QPoint(0, 0)), owner.size());
}

QRect screenGeometry()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

} // namespace

QList<QColor> CustomColours()
{
    if (!customTable())
        customTable() = QList<QColor>(kCustomCount, QColor(254, 254, 254));
    return *customTable();
}

void ForgetCustomColours()
{
    customTable().reset();
}

QPoint DialogPosition(std::int16_t placement, const QRect &owner, const QRect &screen, const QSize &dialog)
{
    const QRect &over = placement == -1 && owner.isValid() ? owner : screen;
    const double x = over.left() + over.width() / 2.0 - dialog.width() / 2.0;
    const double y = over.top() + over.height() / 2.0 - dialog.height() / 2.0;
    return QPoint(veltra::vb::cLng(x), veltra::vb::cLng(y));
}

ColorDialogResult ShowColorDialog(QWidget *owner, std::int16_t placement, std::int32_t initialColor)
{
    QList<QColor> custom = CustomColours();
    const QRect ownerRect = placement == -1 && owner ? screenRect(*owner) : QRect();
    const auto place
        = [&](const QSize &dialog) { return DialogPosition(placement, ownerRect, screenGeometry(), dialog); };
    const std::optional<QColor> chosen = veltra::ui::getColour(owner, colourOf(initialColor), &custom, place);
    if (custom.size() >= kCustomCount)
        customTable() = custom.mid(0, kCustomCount);
    ColorDialogResult result;
    if (!chosen) {
        result.Canceled = -1;
        return result;
    }
    result.Color = rgbOf(*chosen);
    return result;
}

} // namespace modColorDialog
