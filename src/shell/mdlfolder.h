#pragma once
// mdlFolder: the browse-for-folder dialog.
#include <QString>

class QWidget;

namespace mdlFolder {

// The caller's browse record: owner window, title and start folder (the
// dialog opens with it selected). displayName receives the chosen folder's name.
struct BrowseInfo
{
    QWidget *owner = nullptr;
    QString title;
    QString startFolder;
    QString displayName;
};

// The chosen folder with a trailing separator, or empty when the user cancels
// or picks nothing.
QString BrowseFolder(BrowseInfo &info);

} // namespace mdlFolder
