#pragma once
// frmFtp: the download server's FTP client, wrapped in the fourteen P_Ftp
// members the mesh download and its helpers call. It is never shown: a
// caller creates one, configures it with P_FtpSetPropatys, uses it and
// destroys it; the kept host, port, account and password live as long as
// the object.
//
// Every member but P_FtpLastErr and P_FtpAbort records a failure as its
// label, the error number, " 解説: " and the description (never cleared by
// a success, never holding the password). Members that "log in when needed"
// log in first when not logged in and fail at once when that fails.
#include "platform/ftp/ftplisting.h"
#include "platform/ftp/ftpconnection.h"

#include <QString>
#include <cstdint>
#include <vector>

class frmFtp
{
public:
    frmFtp();

    bool P_FtpSetPropatys(const QString &sHostName, const QString &sPort, const QString &sUserName,
        const QString &sPassword, bool bAllocate, std::int32_t eTransferMode, std::int32_t nTimeOut,
        std::int32_t eStoreType, std::int32_t eFileStructure, bool bPassive, std::int16_t nType);
    bool P_FtpGetPropatys(QString &sHostName, QString &sPort, QString &sUserName, QString &sPassword,
        bool &bAllocate, std::int32_t &eTransferMode, std::int32_t &nTimeOut, std::int32_t &eStoreType,
        std::int32_t &eFileStructure, bool &bPassive);
    bool P_FtpGet(const QString &sFilePath, const QString &sLocalFile);
    bool P_FtpStore(const QString &sRemoteFile, const QString &sLocalFile);
    bool P_FtpDelete(const QString &remotePath);
    bool P_FtpMakeDir(const QString &sDirName);
    bool P_FtpChangeDir(const QString &sDirName);
    bool P_FtpChmod(const QString &fileName, std::int32_t nPermission);
    bool P_FtpGetList(const QString &sDirName, std::vector<veltra::ftp::ListingEntry> &FileList);
    bool P_FtpLogin();
    void P_FtpLogOut();
    QString P_FtpLastErr() const { return m_lastError; }
    std::int32_t P_FtpAbort();
    std::int32_t P_FtpChkDirectory(const QString &sParentDir, const QString &sDir);

    // The address P_FtpGet fetches (credentials percent-encoded).
    QString fetchUrl(const QString &sFilePath) const;

private:
    bool loginWhenNeeded(const char *label);
    bool failed(const char *label);

    veltra::ftp::Connection m_ftp;
    QString m_host;
    QString m_port;
    QString m_account;
    QString m_password;
    QString m_lastError;
    // Options the server connection does not use, kept to be read back.
    bool m_allocate = false;
    std::int32_t m_transferMode = 0;
    std::int32_t m_storeType = 0;
    std::int32_t m_fileStructure = 0;
    std::int16_t m_type = 0;
};
