#include "shell/mdlspcom.h"

#include "platform/profile/profile.h"
#include "shell/mdlcommon.h"

namespace mdlSpCom {

namespace {

// Index of the file name's last dot, or -1.
qsizetype extensionDot(const QString &path)
{
    const qsizetype sep = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > sep ? dot : -1;
}

} // namespace

void GetIniValue(const QString &section, const QString &key, QString &value, const QString &filePath)
{
    value = mdlCommon::TrimNull(veltra::profile::getString(section, key, QString(), filePath, 512));
}

QString CutExtension(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? path : path.left(dot);
}

QString GetExtension(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot + 1);
}

} // namespace mdlSpCom
