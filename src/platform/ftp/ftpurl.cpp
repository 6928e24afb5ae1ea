#include "platform/ftp/ftpurl.h"

#include <QUrl>

namespace veltra::ftp {

QString encodeUserInfo(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString fetchUrl(const QString &host, const QString &port, const QString &account, const QString &password,
    const QString &remotePath)
{
    QString url = QStringLiteral("ftp://");
    if (!account.isEmpty() && !password.isEmpty())
        url += encodeUserInfo(account) + QLatin1Char(':') + encodeUserInfo(password) + QLatin1Char('@');
    url += host;
    if (!port.isEmpty())
        url += QLatin1Char(':') + port;
    return url + remotePath;
}

QString maskedUrl(const QString &url, const QString &password)
{
    if (password.isEmpty())
        return url;
    QString masked = url;
    masked.replace(encodeUserInfo(password), QStringLiteral("****"));
    masked.replace(password, QStringLiteral("****"));
    return masked;
}

} // namespace veltra::ftp
