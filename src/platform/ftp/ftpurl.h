#pragma once
// The "ftp://" address of a download: credentials, host, port and the remote
// path, as the download server's record gives them.
//
// Credentials go in only when both the account and the password are set, and
// are percent-encoded, so a password holding "@", ":" or "/" cannot change
// which server or path is reached. The host (which may carry ":port") and the
// path are taken unchanged; a port is appended after ":" when it is set, even
// when it is no number (the transfer then fails cleanly).
#include <QString>

namespace veltra::ftp {

QString fetchUrl(const QString &host, const QString &port, const QString &account, const QString &password,
    const QString &remotePath);

// The same address with the password replaced by "****", for messages.
QString maskedUrl(const QString &url, const QString &password);

// Percent-encoding of one user-information part (RFC 3986: everything but
// unreserved characters).
QString encodeUserInfo(const QString &text);

} // namespace veltra::ftp
