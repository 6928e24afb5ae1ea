#include "shell/toolbaricons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <map>

namespace veltra::shell {

namespace {

bool isPsy(ImageListName list)
{
    return list == ImageListName::PsyL || list == ImageListName::PsyS;
}

QIcon render(const QString &key, int size)
{
    QSvgRenderer renderer(QStringLiteral(":/veltra/icons/%1.svg").arg(key));
    if (!renderer.isValid())
        return {};
    QIcon icon;
    // Sharp on high-density screens: the device pixel ratios in use.
    for (const int scale : {1, 2}) {
        QPixmap pixmap(size * scale, size * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

int imageListSize(ImageListName list)
{
    return list == ImageListName::ToolBarL || list == ImageListName::PsyL ? 32 : 16;
}

QStringList imageListKeys(ImageListName list)
{
    if (isPsy(list))
        return {QStringLiteral("KEY_1"), QStringLiteral("KEY_2"), QStringLiteral("KEY_3"),
            QStringLiteral("KEY_4"), QStringLiteral("KEY_5"), QStringLiteral("KEY_6")};
    return {QStringLiteral("KEY_ZorOpen"), QStringLiteral("KEY_ZorSave"), QStringLiteral("KEY_Undo"),
        QStringLiteral("KEY_Redo"), QStringLiteral("KEY_MoveType1"), QStringLiteral("KEY_MoveType2"),
        QStringLiteral("KEY_ZoomIn2"), QStringLiteral("KEY_Back"), QStringLiteral("KEY_Advance"),
        QStringLiteral("KEY_ZoomIn"), QStringLiteral("KEY_ZoomOut"), QStringLiteral("KEY_AllView"),
        QStringLiteral("KEY_WinType1"), QStringLiteral("KEY_WinType2"), QStringLiteral("KEY_Home"),
        QStringLiteral("KEY_Print")};
}

QIcon imageListIcon(ImageListName list, const QString &key)
{
    static std::map<std::pair<int, QString>, QIcon> cache;
    if (!imageListKeys(list).contains(key))
        return {};
    const auto id = std::make_pair(static_cast<int>(list), key);
    auto it = cache.find(id);
    if (it == cache.end())
        it = cache.emplace(id, render(key, imageListSize(list))).first;
    return it->second;
}

} // namespace veltra::shell
