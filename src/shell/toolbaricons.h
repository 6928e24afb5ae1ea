#pragma once
// The image lists of the main frame's tool bars: the project's own icons,
// rendered from SVG at 16 x 16 (the lists ending in S) or 32 x 32 pixels
// (ending in L), looked up by image key ("KEY_ZoomIn").
//
// toolBarImageListL/S hold the standard and home tool bars' images and the
// unused KEY_Print; PSYImageListL/S hold KEY_1 to KEY_6 of the extension
// tool bar. A key that is not in the list gives a null icon.
#include <QIcon>
#include <QString>
#include <QStringList>

namespace veltra::shell {

enum class ImageListName { ToolBarL, ToolBarS, PsyL, PsyS };

// Pixel size of a list's images (32 or 16).
int imageListSize(ImageListName list);
// The keys a list holds.
QStringList imageListKeys(ImageListName list);
// The image of `key` in `list`, or a null icon.
QIcon imageListIcon(ImageListName list, const QString &key);

} // namespace veltra::shell
