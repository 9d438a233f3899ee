#pragma once

#include "http_fetch.h"

#include <QString>

namespace tamsel {

class Prompter;
class RunDirectory;

// Where "更新软件" asks: the web site that serves "/soft.ini" and that the
// new-version message sends the officer to. The settings file may name
// another with the key "server" of section "gengxin" ("host" or
// "host:port"); otherwise it is DefaultUpdateServer.
inline constexpr char DefaultUpdateServer[] = "update.tamsel.example";
QString updateServer(const RunDirectory &runDirectory);

struct UpdateAnswer
{
    bool newVersion = false;
    // False when nothing came back (no network, unknown or silent server);
    // the officer is told "no new version" then, as always.
    bool answered = false;
    QString message;
};

// "更新软件": fetches "http://" + server + "/soft.ini", keeps its bytes as
// "soft.ini" in userCacheFolder() (replaced atomically at every check; a
// failure to write it is not reported and the file that is there is read),
// and tells the officer in a message box whether its value "set"/"gengxin"
// is exactly "1". `server` empty means updateServer(runDirectory). The
// record is not touched.
UpdateAnswer checkForUpdate(Prompter &prompter, const RunDirectory &runDirectory,
                            const QString &server = {}, const FetchLimits &limits = {});

// The local copy of the update file.
QString updateFileCopy();

} // namespace tamsel
