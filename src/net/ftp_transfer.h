#pragma once

#include <QByteArray>
#include <QString>

namespace tamsel {

class TaskControl;

// The account typed into the FTP panel. `server` is a host name or address,
// optionally followed by ":" and a port (21 otherwise).
struct FtpAccount
{
    QString server;
    QString user;
    QString password;
};

// Time limits of one transfer, in seconds: reaching the server and logging
// in, and the longest time without any progress once connected.
struct FtpLimits
{
    int connectSeconds = 5;
    int stallSeconds = 15;
};

enum class FtpOutcome {
    Done,
    NotConnected,   // no connection, refused login, or given up before login
    TransferFailed, // logged in, but the file did not arrive complete
};

// One transfer in the way the exchange has always worked: connect and log
// in (active mode), change to "wwwroot/" (its result not looked at), then
// a binary put or get of `remoteName` (GBK bytes). They block and are meant
// to run on a worker thread; `control` receives the bytes done and is asked
// whether to give up.

// Sends the local file.
FtpOutcome ftpUpload(const FtpAccount &account, const QString &localFile, const QByteArray &remoteName,
                     const FtpLimits &limits, TaskControl &control);

// Fetches into a temporary file beside `localFile` and renames it over
// `localFile` only when the transfer completed: a failed, cut or cancelled
// transfer leaves `localFile` exactly as it was and no partial file behind.
// The folder of `localFile` must exist.
FtpOutcome ftpDownload(const FtpAccount &account, const QByteArray &remoteName, const QString &localFile,
                       const FtpLimits &limits, TaskControl &control);

} // namespace tamsel
