#include "mapwindow/frmftp.h"

#include "platform/fs/fs.h"
#include "platform/ftp/ftpurl.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"

#include <cmath>
#include <limits>

namespace {

QString label(const char *member)
{
    return QString::fromUtf8(member) + QStringLiteral("ｴﾗｰ, 番号: ");
}

bool isNumeric(const QString &text)
{
    bool ok = false;
    text.trimmed().toLong(&ok);
    return ok;
}

} // namespace

frmFtp::frmFtp()
{
    // A transfer runs on the user-interface thread; pending window messages
    // (the wait dialog, a cancel) run while it waits.
    m_ftp.setIdleHook([] { veltra::ui::DoEvents(); });
}

bool frmFtp::failed(const char *member)
{
    m_lastError = label(member) + QString::number(m_ftp.lastCode()) + QStringLiteral(" 解説: ")
        + veltra::ftp::maskedUrl(m_ftp.lastDescription(), m_password);
    return false;
}

bool frmFtp::loginWhenNeeded(const char *member)
{
    if (m_ftp.loggedIn())
        return true;
    if (P_FtpLogin())
        return true;
    (void)member; // the last error stays the login's
    return false;
}

bool frmFtp::P_FtpSetPropatys(const QString &sHostName, const QString &sPort, const QString &sUserName,
    const QString &sPassword, bool bAllocate, std::int32_t eTransferMode, std::int32_t nTimeOut,
    std::int32_t eStoreType, std::int32_t eFileStructure, bool bPassive, std::int16_t nType)
{
    m_allocate = bAllocate;
    const std::int64_t timeoutMs = static_cast<std::int64_t>(nTimeOut) * 1000;
    if (timeoutMs > std::numeric_limits<std::int32_t>::max()
        || timeoutMs < std::numeric_limits<std::int32_t>::min()) {
        m_lastError = label("FtpSetPropatys") + QStringLiteral("6 解説: オーバーフローしました。");
        return false;
    }
    m_ftp.setTimeoutMs(static_cast<std::int32_t>(timeoutMs));
    m_ftp.setPassive(bPassive);
    m_transferMode = eTransferMode;
    m_storeType = eStoreType;
    m_fileStructure = eFileStructure;
    m_type = nType;
    m_host = sHostName;
    m_port = sPort;
    m_account = sUserName;
    m_password = sPassword;
    m_ftp.setServer(m_host, isNumeric(m_port) ? m_port.trimmed() : QString(), m_account, m_password);
    return true;
}

bool frmFtp::P_FtpGetPropatys(QString &sHostName, QString &sPort, QString &sUserName, QString &sPassword,
    bool &bAllocate, std::int32_t &eTransferMode, std::int32_t &nTimeOut, std::int32_t &eStoreType,
    std::int32_t &eFileStructure, bool &bPassive)
{
    bAllocate = m_allocate;
    bPassive = m_ftp.passive();
    eTransferMode = m_transferMode;
    eStoreType = m_storeType;
    eFileStructure = m_fileStructure;
    // Whole seconds, halves to even as VB assigns to a Long.
    nTimeOut = static_cast<std::int32_t>(std::nearbyint(m_ftp.timeoutMs() / 1000.0));
    sHostName = m_host;
    sPort = m_port;
    sUserName = m_account;
    sPassword = m_password;
    return true;
}

QString frmFtp::fetchUrl(const QString &sFilePath) const
{
    return veltra::ftp::fetchUrl(m_host, m_port, m_account, m_password, sFilePath);
}

bool frmFtp::P_FtpGet(const QString &sFilePath, const QString &sLocalFile)
{
    // Callers give Windows-style local paths; the file goes where they name.
    if (m_ftp.fetchUrl(fetchUrl(sFilePath), veltra::fs::resolve(sLocalFile)))
        return true;
    failed("FtpGet");
    veltra::ui::MsgBox(QStringLiteral("FTPダウンロードできませんでした。"), veltra::ui::vbExclamation);
    return false;
}

bool frmFtp::P_FtpStore(const QString &sRemoteFile, const QString &sLocalFile)
{
    if (!loginWhenNeeded("FtpStore"))
        return false;
    m_storeType = 0;
    return m_ftp.store(sRemoteFile, veltra::fs::resolve(sLocalFile)) || failed("FtpStore");
}

bool frmFtp::P_FtpDelete(const QString &remotePath)
{
    if (!loginWhenNeeded("FtpDelete"))
        return false;
    return m_ftp.deleteRemote(remotePath) || failed("FtpDelete");
}

bool frmFtp::P_FtpMakeDir(const QString &sDirName)
{
    if (!loginWhenNeeded("FtpMakeDir"))
        return false;
    return m_ftp.makeDir(sDirName) || failed("FtpMakeDir");
}

bool frmFtp::P_FtpChangeDir(const QString &sDirName)
{
    if (!loginWhenNeeded("FtpChangeDir"))
        return false;
    return m_ftp.changeDir(sDirName) || failed("FtpChangeDir");
}

bool frmFtp::P_FtpChmod(const QString &fileName, std::int32_t nPermission)
{
    return m_ftp.sendCommand(
               QStringLiteral("SITE CHMOD ") + QString::number(nPermission) + QLatin1Char(' ') + fileName)
        || failed("FtpChmod");
}

bool frmFtp::P_FtpGetList(const QString &sDirName, std::vector<veltra::ftp::ListingEntry> &FileList)
{
    if (!loginWhenNeeded("FtpGetList"))
        return false;
    if (!m_ftp.changeDir(sDirName))
        return failed("FtpGetList");
    std::vector<veltra::ftp::ListingEntry> entries;
    if (!m_ftp.listDir(entries))
        return failed("FtpGetList");
    FileList = std::move(entries);
    return true;
}

bool frmFtp::P_FtpLogin()
{
    return m_ftp.login() || failed("FtpLogin");
}

void frmFtp::P_FtpLogOut()
{
    if (m_ftp.loggedIn())
        m_ftp.logout();
}

std::int32_t frmFtp::P_FtpAbort()
{
    m_ftp.abort();
    return 0;
}

std::int32_t frmFtp::P_FtpChkDirectory(const QString &sParentDir, const QString &sDir)
{
    std::vector<veltra::ftp::ListingEntry> entries;
    if (!P_FtpGetList(sParentDir, entries))
        return 0;
    for (const auto &entry : entries) {
        if (entry.type.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0 && entry.name == sDir)
            return 1;
    }
    return 0;
}
