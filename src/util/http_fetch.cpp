#include "http_fetch.h"

#include "curl_global.h"
#include "gbk.h"
#include "private_file.h"
#include "run_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QLockFile>
#include <QThread>

#include <curl/curl.h>

#include <atomic>

namespace tamsel {

namespace {

const char UserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const char AcceptHeader[] =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

bool hasControlCharacter(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (uchar(c) < 0x20 || c == 0x7f)
            return true;
    }
    return false;
}

struct Exchange
{
    QByteArray body;
    qsizetype maxBody = 0;
    QList<QByteArray> headers; // of the last response, without line ends
    const std::atomic<bool> *abandon = nullptr;
};

size_t onBody(char *data, size_t size, size_t count, void *user)
{
    auto *exchange = static_cast<Exchange *>(user);
    const qsizetype n = qsizetype(size * count);
    const qsizetype room = exchange->maxBody - exchange->body.size();
    exchange->body.append(data, qMin(n, room));
    // Returning less than offered ends the transfer at the cap.
    return n <= room ? size_t(n) : 0;
}

size_t onHeader(char *data, size_t size, size_t count, void *user)
{
    auto *exchange = static_cast<Exchange *>(user);
    QByteArray line(data, qsizetype(size * count));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.startsWith("HTTP/"))
        exchange->headers.clear(); // a new response begins
    if (!line.isEmpty())
        exchange->headers.append(line);
    return size * count;
}

int onProgress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto *exchange = static_cast<Exchange *>(user);
    return exchange->abandon && exchange->abandon->load() ? 1 : 0;
}

void perform(const HttpTarget &target, const QByteArray &referer, const FetchLimits &limits,
             Exchange &exchange)
{
    CURL *curl = curl_easy_init();
    if (!curl)
        return;
    const QByteArray base = "http://" + target.host.toUtf8() + ':' + QByteArray::number(target.port) + '/';
    const QByteArray requestTarget = gbk::encode(target.path);
    const QByteArray refererHeader = "Referer: " + referer;
    curl_slist *headers = nullptr;
    headers = curl_slist_append(headers, AcceptHeader);
    headers = curl_slist_append(headers, refererHeader.constData());
    headers = curl_slist_append(headers, "Accept-Language: zh-cn");

    curl_easy_setopt(curl, CURLOPT_URL, base.constData());
    // The path goes on the request line exactly as given.
    curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, requestTarget.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, UserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    // Direct access: no proxy, whatever the environment says.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(limits.connectSeconds));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(limits.totalSeconds));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &exchange);

    // Whatever arrived before an error or the time limit is the body, as a
    // read loop that stops at the first failing read would have it.
    curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
}

// One line of the jar: site, name and data, each percent-encoded.
QByteArray jarLine(const QByteArray &site, const QByteArray &name, const QByteArray &data)
{
    return site.toPercentEncoding() + '\t' + name.toPercentEncoding() + '\t'
        + data.toPercentEncoding() + '\n';
}

void storeCookies(const QString &host, const QList<QByteArray> &headers)
{
    const QByteArray site = "http://" + host.toUtf8();
    QList<std::pair<QByteArray, QByteArray>> cookies;
    for (const QByteArray &line : headers) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed().toLower() != "set-cookie")
            continue;
        const QByteArray rest = line.mid(colon + 1).trimmed();
        const qsizetype equals = rest.indexOf('=');
        if (equals < 0)
            cookies.append({rest, QByteArray()});
        else
            cookies.append({rest.left(equals), rest.mid(equals + 1)});
    }
    if (cookies.isEmpty())
        return;

    const QString jar = cookieJarFile();
    if (!QDir().mkpath(userConfigFolder()))
        return;
    QLockFile lock(jar + QStringLiteral(".lock"));
    if (!takeWriteLock(lock))
        return;
    QFile file(jar);
    QList<QByteArray> lines;
    if (file.open(QIODevice::ReadOnly))
        lines = file.readAll().split('\n');
    file.close();
    QByteArray out;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            continue;
        bool replaced = false;
        for (const auto &cookie : cookies) {
            replaced = replaced
                || (QByteArray::fromPercentEncoding(fields[0]) == site
                    && QByteArray::fromPercentEncoding(fields[1]) == cookie.first);
        }
        if (!replaced)
            out += line + '\n';
    }
    for (const auto &cookie : cookies)
        out += jarLine(site, cookie.first, cookie.second);
    // A cookie that cannot be kept costs nothing but the cookie.
    writePrivateFileAtomically(jar, out);
}

} // namespace

HttpTarget splitHttpUrl(const QString &url)
{
    HttpTarget target;
    const QString prefix = QStringLiteral("http://");
    const qsizetype start = url.startsWith(prefix, Qt::CaseInsensitive) ? prefix.size() : 0;
    qsizetype slash = url.indexOf(QLatin1Char('/'), start);
    if (slash < 0)
        slash = url.size();
    const QString authority = url.mid(start, slash - start);
    target.path = slash < url.size() ? url.mid(slash) : QStringLiteral("/");

    const qsizetype colon = authority.indexOf(QLatin1Char(':'));
    target.host = authority.left(colon < 0 ? authority.size() : colon).toLower();
    if (colon >= 0) {
        // The digits after the colon, as a C conversion would take them; no
        // digits, or 0, leaves the default port.
        qint64 port = 0;
        for (qsizetype i = colon + 1; i < authority.size() && authority.at(i).isDigit() && port <= 65535; ++i)
            port = port * 10 + authority.at(i).digitValue();
        if (port > 65535)
            return target;
        if (port > 0)
            target.port = int(port);
    }
    target.valid = !target.host.isEmpty();
    return target;
}

QByteArray fetchText(const QString &url, const FetchLimits &limits)
{
    const HttpTarget target = splitHttpUrl(url);
    const QByteArray referer = gbk::encode(url);
    // A line break in the URL would smuggle headers into the request.
    if (!target.valid || hasControlCharacter(referer))
        return {};
    ensureCurlInitialised();

    Exchange exchange;
    exchange.maxBody = limits.maxBodyBytes;
    std::atomic<bool> abandon{false};
    exchange.abandon = &abandon;

    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        // The window keeps painting: the request runs on a worker thread and
        // this thread waits in a local event loop.
        QEventLoop loop;
        QThread *worker = QThread::create([&] { perform(target, referer, limits, exchange); });
        QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
        worker->start();
        loop.exec();
        if (!worker->isFinished()) {
            // The loop was ended from outside (the program is quitting).
            abandon.store(true);
            worker->wait();
        }
        delete worker;
    } else {
        perform(target, referer, limits, exchange);
    }

    storeCookies(target.host, exchange.headers);
    const qsizetype zero = exchange.body.indexOf('\0');
    return zero < 0 ? exchange.body : exchange.body.left(zero);
}

QString cookieJarFile()
{
    return userConfigFolder() + QStringLiteral("/cookies");
}

QByteArray storedCookie(const QString &siteUrl, const QByteArray &name)
{
    QFile file(cookieJarFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray site = siteUrl.toUtf8();
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 3 && QByteArray::fromPercentEncoding(fields[0]) == site
            && QByteArray::fromPercentEncoding(fields[1]) == name)
            return QByteArray::fromPercentEncoding(fields[2]);
    }
    return {};
}

} // namespace tamsel
