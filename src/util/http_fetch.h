#pragma once

#include <QByteArray>
#include <QString>

namespace tamsel {

// Where a URL points, split the way the web helper has always split it:
// - after "http://" (any letter case) the authority runs to the next "/" or
//   the end; without that prefix it runs from the start to the first "/";
// - the host is the authority up to its first ":", in lower case; the port
//   is the number after that ":", 80 when there is none (or it is 0);
// - the path is the rest from the "/" after the authority, query included,
//   "/" when there is none.
struct HttpTarget
{
    QString host;
    int port = 80;
    QString path;
    // False when no request can be made (no host, a port above 65535).
    bool valid = false;
};
HttpTarget splitHttpUrl(const QString &url);

struct FetchLimits
{
    int connectSeconds = 5;
    int totalSeconds = 20;
    // The body is cut here, so a hostile or broken server cannot fill memory.
    qsizetype maxBodyBytes = 4 * 1024 * 1024;
};

// Fetches `url` with one HTTP/1.1 GET, directly (never through a proxy) and
// never from a cache, with the browser identity and the three extra headers
// (Accept, Referer: the URL as given, Accept-Language: zh-cn) that the
// update server has always seen. Returns the body's bytes up to its first
// zero byte, without any conversion of character set; an error page is a
// body like any other. "" when no request could be made (bad URL, unknown
// host, refused connection) or nothing arrived in time. Cookies the answer
// sets are kept in the per-user cookie jar for "http://" + host.
//
// Called on the GUI thread, the request runs on a worker thread while a
// local event loop keeps the window painting and taking commands (a second
// fetch included); elsewhere it simply blocks. Never shows anything.
QByteArray fetchText(const QString &url, const FetchLimits &limits = {});

// The per-user cookie jar, "cookies" in userConfigFolder() (mode 0600).
QString cookieJarFile();
// The data stored for cookie `name` of `siteUrl` ("http://" + host): what
// followed the first "=" of its Set-Cookie line, attributes included; ""
// when there is none.
QByteArray storedCookie(const QString &siteUrl, const QByteArray &name);

} // namespace tamsel
