#include "shell/modfiledlg.h"

#include "platform/fs/fs.h"
#include "platform/ui/filedialogs.h"
#include "shell/dialogfilter.h"
#include "shell/mdlcommon.h"

namespace modFileDlg {

QString ShowOpenDialog(QWidget *owner, const QString &title, const QString &filter, int32_t filterIndex,
    const QString &initialFolder, const QString &initialFile, const QString &extraFlags)
{
    Q_UNUSED(filterIndex);
    Q_UNUSED(extraFlags);
    const QString folder = initialFolder.isEmpty() ? QString() : veltra::fs::resolve(initialFolder);
    const QString file = mdlCommon::TrimNull(initialFile).left(255);
    return mdlCommon::TrimNull(
        veltra::ui::getOpenFileName(owner, title, veltra::shell::qtFileFilter(filter), folder, file));
}

} // namespace modFileDlg
