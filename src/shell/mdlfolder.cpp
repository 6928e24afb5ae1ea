#include "shell/mdlfolder.h"

#include "platform/fs/fs.h"
#include "platform/ui/filedialogs.h"
#include "shell/mdlcommon.h"

#include <QFileInfo>

namespace mdlFolder {

QString BrowseFolder(BrowseInfo &info)
{
    const QString start = info.startFolder.isEmpty() ? QString() : veltra::fs::resolve(info.startFolder);
    const QString chosen = mdlCommon::TrimNull(veltra::ui::getExistingFolder(info.owner, info.title, start));
    if (chosen.isEmpty())
        return QString();
    info.displayName = QFileInfo(chosen).fileName();
    return mdlCommon::AddPathSep(chosen);
}

} // namespace mdlFolder
