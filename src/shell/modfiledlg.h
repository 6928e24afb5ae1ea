#pragma once
// modFileDlg: the open-file dialog.
#include <QString>
#include <cstdint>

class QWidget;

namespace modFileDlg {

// Shows the open dialog for an existing file. `filter` is the file-type list
// "description|pattern|description|pattern" (patterns joined by ';'); the
// first type is selected (callers pass filterIndex 1); the initial file name
// is cut to 255 characters. `extraFlags` (a decimal text) asks nothing the
// platform dialog does not already do. Returns the chosen path, or empty when
// the user cancels.
QString ShowOpenDialog(QWidget *owner, const QString &title, const QString &filter, int32_t filterIndex,
    const QString &initialFolder, const QString &initialFile, const QString &extraFlags);

} // namespace modFileDlg
