#include "shell/mdlcommon.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/ui/filedialogs.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "shell/dialogfilter.h"
#include "shell/programfolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <string>

namespace mdlCommon {

bool OpenWithShell(const QString &pathOrAddress)
{
    const QString target = pathOrAddress.trimmed();
    if (target.isEmpty())
        return false;
    // A scheme of two or more letters ("http:", "mailto:"); "C:" is a drive.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QDesktopServices::openUrl(QUrl(target));
    // A relative target (the configuration's "Help\index.html") lies in the
    // program folder, wherever the process was started from.
    QString local = veltra::fs::normalize(target);
    const QString program = veltra::shell::programFolder();
    if (QDir::isRelativePath(local) && !program.isEmpty())
        local = program + local;
    local = veltra::fs::resolve(local);
    if (!QFileInfo::exists(local))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(local));
}

QString ShowSaveDialog(OpenFileName &record)
{
    record.filterIndex = 1;
    const QString folder = record.initialDir.isEmpty() ? QString() : veltra::fs::resolve(record.initialDir);
    const QString chosen = veltra::ui::getSaveFileName(record.owner, record.title,
        veltra::shell::qtFileFilter(record.filter), folder, TrimNull(record.file));
    if (!chosen.isEmpty()) {
        record.file = chosen;
        record.fileTitle = chosen.mid(GetFolderPath(chosen).size());
    }
    veltra::ui::DoEvents();
    return chosen;
}

} // namespace mdlCommon
