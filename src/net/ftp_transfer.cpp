#include "ftp_transfer.h"

#include "background_task.h"
#include "curl_global.h"
#include "gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace tamsel {

namespace {

constexpr int DefaultPort = 21;

struct Endpoint
{
    QByteArray host;
    int port = DefaultPort;
    bool valid = false;
};

bool hasControlCharacter(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

// "host" or "host:port"; a bracketed IPv6 address may carry a port too.
// Anything that could not be a host (blanks, URL punctuation) is invalid,
// which ends like an unreachable server.
Endpoint parseServer(const QString &server)
{
    Endpoint endpoint;
    QString host = server;
    const qsizetype colon = server.lastIndexOf(QLatin1Char(':'));
    const bool bracketed = server.startsWith(QLatin1Char('['));
    if (colon > 0 && (bracketed ? server.at(colon - 1) == QLatin1Char(']') : server.count(QLatin1Char(':')) == 1)) {
        bool ok = false;
        const int port = server.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return endpoint;
        endpoint.port = port;
        host = server.left(colon);
    }
    if (host.isEmpty())
        return endpoint;
    for (QChar c : host) {
        if (c.isSpace() || c.unicode() < 0x21 || QStringLiteral("/@?#\\%").contains(c))
            return endpoint;
    }
    // A bare IPv6 address takes its brackets in the URL.
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    endpoint.host = host.toUtf8();
    endpoint.valid = true;
    return endpoint;
}

struct Session
{
    TaskControl *control = nullptr;
    // Stall watch: bytes moved so far and when that last changed.
    std::chrono::seconds stallLimit{15};
    curl_off_t moved = -1;
    std::chrono::steady_clock::time_point lastMove;
    bool loggedIn = false;
    QFile *source = nullptr; // upload
    FILE *sink = nullptr;    // download
    bool sinkFailed = false;
};

size_t onReply(char *data, size_t size, size_t count, void *user)
{
    auto *session = static_cast<Session *>(user);
    // "230": the server accepted the login; what fails after it is the
    // transfer, not the connection.
    if (size * count >= 3 && std::equal(data, data + 3, "230"))
        session->loggedIn = true;
    return size * count;
}

size_t onRead(char *buffer, size_t size, size_t count, void *user)
{
    auto *session = static_cast<Session *>(user);
    const qint64 n = session->source->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}

size_t onWrite(char *data, size_t size, size_t count, void *user)
{
    auto *session = static_cast<Session *>(user);
    if (std::fwrite(data, 1, size * count, session->sink) != size * count) {
        session->sinkFailed = true;
        return 0;
    }
    return size * count;
}

int onProgress(void *user, curl_off_t downTotal, curl_off_t downNow, curl_off_t upTotal, curl_off_t upNow)
{
    auto *session = static_cast<Session *>(user);
    if (session->source)
        session->control->setProgress(upNow, upTotal > 0 ? upTotal : -1);
    else
        session->control->setProgress(downNow, downTotal > 0 ? downTotal : -1);
    if (session->control->isCancelled())
        return 1;
    // libcurl's own low-speed check averages over several seconds, so a
    // transfer that stops after a burst would run on long past the limit;
    // this watch ends it once nothing has moved for the stall limit.
    const auto now = std::chrono::steady_clock::now();
    if (upNow + downNow != session->moved) {
        session->moved = upNow + downNow;
        session->lastMove = now;
    }
    return now - session->lastMove > session->stallLimit ? 1 : 0;
}

// Sets up a handle for `remoteName` in "wwwroot/" of the account; null
// when the account cannot be used at all.
CURL *prepare(const FtpAccount &account, const QByteArray &remoteName, const FtpLimits &limits,
              Session &session, curl_slist *&commands, QByteArray &url)
{
    const Endpoint endpoint = parseServer(account.server);
    // A line break in the user name or password would add FTP commands.
    if (!endpoint.valid || hasControlCharacter(account.user) || hasControlCharacter(account.password))
        return nullptr;
    ensureCurlInitialised();
    CURL *curl = curl_easy_init();
    if (!curl)
        return nullptr;
    session.stallLimit = std::chrono::seconds(limits.stallSeconds);
    session.lastMove = std::chrono::steady_clock::now();

    char *escaped = curl_easy_escape(curl, remoteName.constData(), int(remoteName.size()));
    url = "ftp://" + endpoint.host + ':' + QByteArray::number(endpoint.port) + '/' + escaped;
    curl_free(escaped);
    const QByteArray user = gbk::encode(account.user);
    const QByteArray password = gbk::encode(account.password);

    // The remote folder is changed to as a command of its own whose failure
    // is ignored; the file is then named relative to wherever that left us.
    commands = curl_slist_append(nullptr, "*CWD wwwroot/");

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(curl, CURLOPT_QUOTE, commands);
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    // Active mode: the server connects back to the address of our control
    // connection.
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(limits.connectSeconds));
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, long(limits.connectSeconds) * 1000);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(limits.stallSeconds));
    // A backstop behind the stall watch of onProgress.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(limits.stallSeconds));
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &session);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &session);
    return curl;
}

FtpOutcome finish(CURL *curl, curl_slist *commands, const Session &session, CURLcode result)
{
    curl_easy_cleanup(curl);
    curl_slist_free_all(commands);
    if (result == CURLE_OK && !session.sinkFailed)
        return FtpOutcome::Done;
    return session.loggedIn ? FtpOutcome::TransferFailed : FtpOutcome::NotConnected;
}

} // namespace

FtpOutcome ftpUpload(const FtpAccount &account, const QString &localFile, const QByteArray &remoteName,
                     const FtpLimits &limits, TaskControl &control)
{
    QFile source(localFile);
    Session session;
    session.control = &control;
    session.source = &source;
    curl_slist *commands = nullptr;
    QByteArray url;
    CURL *curl = prepare(account, remoteName, limits, session, commands, url);
    if (!curl)
        return FtpOutcome::NotConnected;
    if (QFileInfo(localFile).isDir() || !source.open(QIODevice::ReadOnly)) {
        curl_easy_cleanup(curl);
        curl_slist_free_all(commands);
        return FtpOutcome::TransferFailed;
    }
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(source.size()));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, onRead);
    curl_easy_setopt(curl, CURLOPT_READDATA, &session);
    return finish(curl, commands, session, curl_easy_perform(curl));
}

FtpOutcome ftpDownload(const FtpAccount &account, const QByteArray &remoteName, const QString &localFile,
                       const FtpLimits &limits, TaskControl &control)
{
    Session session;
    session.control = &control;
    curl_slist *commands = nullptr;
    QByteArray url;
    CURL *curl = prepare(account, remoteName, limits, session, commands, url);
    if (!curl)
        return FtpOutcome::NotConnected;

    const QFileInfo target(localFile);
    QTemporaryFile partial(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                           + QStringLiteral(".part-XXXXXX"));
    FILE *sink = nullptr;
    if (partial.open())
        sink = fdopen(dup(partial.handle()), "wb");
    if (!sink) {
        // Nowhere to put it: the connection is not even tried.
        curl_easy_cleanup(curl);
        curl_slist_free_all(commands);
        return FtpOutcome::TransferFailed;
    }
    session.sink = sink;
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &session);
    FtpOutcome outcome = finish(curl, commands, session, curl_easy_perform(curl));

    // Only a complete file, safely on disk, replaces the local template.
    const bool flushed = std::fflush(sink) == 0 && ::fsync(fileno(sink)) == 0;
    std::fclose(sink);
    if (outcome == FtpOutcome::Done) {
        partial.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                               | QFile::ReadGroup | QFile::ReadOther);
        if (!flushed
            || ::rename(QFile::encodeName(partial.fileName()).constData(),
                        QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
            outcome = FtpOutcome::TransferFailed;
        else
            partial.setAutoRemove(false);
    }
    return outcome;
}

} // namespace tamsel
