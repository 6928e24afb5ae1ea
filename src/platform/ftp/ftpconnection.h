#pragma once
// An FTP client over libcurl.
//
// It keeps the server (host, optional port, account, password), the
// transfer options and the current remote folder, and keeps the control connection
// open between calls once logged in, until logout() or destruction.
// Transfers run on the calling thread; while one runs, the idle hook is
// called regularly (the user interface lets pending window messages run
// there), and abort(), called from such a message, stops the running
// transfer.
//
// Downloads land in a temporary file beside the target and are renamed over
// it only when complete, so a failed or aborted transfer leaves no partial
// file. Every failing call keeps a result code (libcurl's, or -1 for a call
// made while another runs) and a description that never holds the password.
//
// Time-out: the connection must be made, and each server reply must come,
// within it; a transfer fails when no data flows for that long (a large file
// on a slow line is not cut off while data flows). 0 means no time-out.
#include "platform/ftp/ftplisting.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace veltra::ftp {

class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // `host` may carry ":port"; a numeric `port` is used for connections,
    // any other text is ignored by them.
    void setServer(const QString &host, const QString &port, const QString &account, const QString &password);
    void setTimeoutMs(std::int32_t timeoutMs) { m_timeoutMs = timeoutMs; }
    std::int32_t timeoutMs() const { return m_timeoutMs; }
    void setPassive(bool passive) { m_passive = passive; }
    bool passive() const { return m_passive; }
    void setIdleHook(std::function<void()> hook) { m_idle = std::move(hook); }

    // Downloads the file an "ftp://" address names (credentials in the
    // address) into `localFile`. Needs no login.
    bool fetchUrl(const QString &url, const QString &localFile);

    bool login();
    void logout();
    bool loggedIn() const { return m_loggedIn; }

    // Remote names are relative to the current remote folder unless they
    // begin with "/".
    bool store(const QString &remoteFile, const QString &localFile);
    bool deleteRemote(const QString &remotePath);
    bool makeDir(const QString &dirName);
    bool changeDir(const QString &dirName);
    bool sendCommand(const QString &command);
    bool listDir(std::vector<ListingEntry> &entries);
    QString remoteDir() const { return m_remoteDir; }

    // Stops the running transfer; nothing when none runs.
    void abort();

    int lastCode() const { return m_lastCode; }
    QString lastDescription() const { return m_lastDescription; }

private:
    struct Request;
    bool perform(Request &request);
    void prepare(Request &request);
    QString baseUrl(const QString &dir) const;
    QString absolute(const QString &name) const;
    void fail(int code, const QString &description);
    static int progress(void *self, long long, long long, long long, long long);

    void *m_curl = nullptr;
    QString m_host;
    QString m_port;
    QString m_account;
    QString m_password;
    std::int32_t m_timeoutMs = 0;
    bool m_passive = true;
    QString m_remoteDir = QStringLiteral("/");
    bool m_loggedIn = false;
    bool m_busy = false;
    bool m_abortRequested = false;
    std::function<void()> m_idle;
    int m_lastCode = 0;
    QString m_lastDescription;
};

} // namespace veltra::ftp
