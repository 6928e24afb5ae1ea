#include "platform/ftp/ftpconnection.h"

#include "platform/ftp/ftpurl.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <curl/curl.h>

namespace veltra::ftp {

namespace {

// libcurl must be initialised once per process before any handle exists.
void initialiseCurl()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

CURL *handle(void *curl)
{
    return static_cast<CURL *>(curl);
}

size_t writeToSaveFile(char *data, size_t size, size_t count, void *target)
{
    auto *file = static_cast<QSaveFile *>(target);
    const qint64 bytes = static_cast<qint64>(size * count);
    return file->write(data, bytes) == bytes ? size * count : 0;
}

size_t writeToBuffer(char *data, size_t size, size_t count, void *target)
{
    static_cast<QByteArray *>(target)->append(data, static_cast<qsizetype>(size * count));
    return size * count;
}

size_t readFromFile(char *data, size_t size, size_t count, void *source)
{
    const qint64 got = static_cast<QFile *>(source)->read(data, static_cast<qint64>(size * count));
    return got < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(got);
}

// Each path segment encoded on its own, so blanks and Japanese names reach
// the server while "/" still separates folders.
QString encodePath(const QString &path)
{
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString &part : parts)
        part = QString::fromLatin1(QUrl::toPercentEncoding(part));
    return parts.join(QLatin1Char('/'));
}

bool isNumber(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok);
    return ok && value > 0 && value < 65536;
}

} // namespace

struct Connection::Request
{
    QString url;
    bool noBody = false;
    QStringList quote; // raw commands sent after the login
    QFile *upload = nullptr;
    QSaveFile *download = nullptr;
    QByteArray *listing = nullptr;
    bool withCredentials = true; // false: the address carries them
};

Connection::Connection()
{
    initialiseCurl();
    m_curl = curl_easy_init();
}

Connection::~Connection()
{
    if (m_curl)
        curl_easy_cleanup(handle(m_curl));
}

void Connection::setServer(
    const QString &host, const QString &port, const QString &account, const QString &password)
{
    m_host = host;
    m_port = port;
    m_account = account;
    m_password = password;
}

void Connection::fail(int code, const QString &description)
{
    m_lastCode = code;
    m_lastDescription = maskedUrl(description, m_password);
}

QString Connection::absolute(const QString &name) const
{
    if (name.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(name);
    return QDir::cleanPath(m_remoteDir + QLatin1Char('/') + name);
}

QString Connection::baseUrl(const QString &dir) const
{
    QString url = QStringLiteral("ftp://") + m_host;
    if (isNumber(m_port))
        url += QLatin1Char(':') + m_port;
    // "%2F" makes the first folder absolute; without it FTP addresses are
    // relative to the login folder.
    QString path = QDir::cleanPath(dir);
    if (path.startsWith(QLatin1Char('/')))
        path = QStringLiteral("%2F") + encodePath(path.mid(1));
    else
        path = encodePath(path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return url + QLatin1Char('/') + path;
}

void Connection::prepare(Request &request)
{
    CURL *curl = handle(m_curl);
    // A reset keeps the open connection, so a login lasts between calls.
    curl_easy_reset(curl);
    const QByteArray url = request.url.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    if (request.withCredentials && !m_account.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, m_account.toUtf8().constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.toUtf8().constData());
    }
    if (m_timeoutMs > 0) {
        const long seconds = (m_timeoutMs + 999) / 1000;
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_timeoutMs));
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, seconds);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, seconds);
    }
    if (!m_passive)
        curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Connection::progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    if (request.noBody)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    if (request.download) {
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &writeToSaveFile);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, request.download);
    } else if (request.listing) {
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &writeToBuffer);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, request.listing);
    }
    if (request.upload) {
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, &readFromFile);
        curl_easy_setopt(curl, CURLOPT_READDATA, request.upload);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(request.upload->size()));
    }
}

int Connection::progress(void *self, long long, long long, long long, long long)
{
    auto *connection = static_cast<Connection *>(self);
    if (connection->m_idle)
        connection->m_idle();
    return connection->m_abortRequested ? 1 : 0;
}

bool Connection::perform(Request &request)
{
    if (!m_curl) {
        fail(CURLE_FAILED_INIT, QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));
        return false;
    }
    if (m_busy) {
        fail(-1, QStringLiteral("別の転送が実行中です"));
        return false;
    }
    m_busy = true;
    m_abortRequested = false;
    prepare(request);
    curl_slist *commands = nullptr;
    std::vector<QByteArray> keep;
    for (const QString &command : request.quote) {
        keep.push_back(command.toUtf8());
        commands = curl_slist_append(commands, keep.back().constData());
    }
    if (commands)
        curl_easy_setopt(handle(m_curl), CURLOPT_QUOTE, commands);
    char detail[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle(m_curl), CURLOPT_ERRORBUFFER, detail);
    const CURLcode code = curl_easy_perform(handle(m_curl));
    curl_easy_setopt(handle(m_curl), CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(handle(m_curl), CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(commands);
    m_busy = false;
    m_abortRequested = false;
    if (code == CURLE_OK)
        return true;
    QString description = QString::fromUtf8(curl_easy_strerror(code));
    if (detail[0] != '\0')
        description += QStringLiteral(" (") + QString::fromUtf8(detail).trimmed() + QLatin1Char(')');
    fail(code, description);
    // After a failure the connection may be gone; the next call logs in anew.
    m_loggedIn = false;
    return false;
}

bool Connection::fetchUrl(const QString &url, const QString &localFile)
{
    QSaveFile file(localFile);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(CURLE_WRITE_ERROR, QStringLiteral("ファイルに書き込めません: ") + localFile);
        return false;
    }
    Request request;
    request.url = url;
    request.download = &file;
    request.withCredentials = false;
    if (!perform(request)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        fail(CURLE_WRITE_ERROR, QStringLiteral("ファイルに書き込めません: ") + localFile);
        return false;
    }
    return true;
}

bool Connection::login()
{
    Request request;
    request.url = baseUrl(QStringLiteral("/"));
    request.noBody = true;
    m_loggedIn = perform(request);
    return m_loggedIn;
}

void Connection::logout()
{
    // Closing the handle closes its connection; a fresh one starts clean.
    if (m_curl)
        curl_easy_cleanup(handle(m_curl));
    m_curl = curl_easy_init();
    m_loggedIn = false;
}

bool Connection::store(const QString &remoteFile, const QString &localFile)
{
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(CURLE_READ_ERROR, QStringLiteral("ファイルを読み込めません: ") + localFile);
        return false;
    }
    const QString target = absolute(remoteFile);
    const QString folder = QFileInfo(target).path();
    Request request;
    request.url
        = baseUrl(folder) + QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(target).fileName()));
    request.upload = &file;
    return perform(request);
}

bool Connection::deleteRemote(const QString &remotePath)
{
    return sendCommand(QStringLiteral("DELE ") + absolute(remotePath));
}

bool Connection::makeDir(const QString &dirName)
{
    return sendCommand(QStringLiteral("MKD ") + absolute(dirName));
}

bool Connection::changeDir(const QString &dirName)
{
    const QString target = absolute(dirName);
    Request request;
    request.url = baseUrl(target);
    request.noBody = true;
    if (!perform(request))
        return false;
    m_remoteDir = target;
    return true;
}

bool Connection::sendCommand(const QString &command)
{
    Request request;
    request.url = baseUrl(QStringLiteral("/"));
    request.noBody = true;
    request.quote = {command};
    return perform(request);
}

bool Connection::listDir(std::vector<ListingEntry> &entries)
{
    QByteArray listing;
    Request request;
    request.url = baseUrl(m_remoteDir);
    request.listing = &listing;
    if (!perform(request))
        return false;
    entries = parseListing(listing);
    return true;
}

void Connection::abort()
{
    if (m_busy)
        m_abortRequested = true;
}

} // namespace veltra::ftp
