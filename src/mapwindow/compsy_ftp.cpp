#include "mapwindow/compsy_ftp.h"

#include "mapwindow/frmftp.h"
#include "platform/ui/msgbox.h"
#include "shell/globals.h"
#include "shell/mdlmain_settings.h"

#include <exception>
#include <memory>

namespace ComPSY {

bool PSY_FtpGetFile(const QString &remotePath, const QString &localPath)
{
    using namespace veltra::ui;
    if (!veltra::shell::downloadServerConfigured()) {
        MsgBox(veltra::shell::downloadNotConfiguredMessage(), vbExclamation);
        return false;
    }
    try {
        // The client lives for this call only, on every path.
        auto ftp = std::make_unique<frmFtp>();
        if (!ftp->P_FtpSetPropatys(
                gtypFtp.host, QString(), gtypFtp.account, gtypFtp.password, false, 0, 120, 0, 0, true, 0)) {
            ftp.reset();
            MsgBox(QStringLiteral("FTP接続できませんでした"), vbExclamation, QStringLiteral("通信エラー"));
            return false;
        }
        return ftp->P_FtpGet(remotePath, localPath);
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace ComPSY
