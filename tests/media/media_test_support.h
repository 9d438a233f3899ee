#pragma once

#include <QJsonObject>
#include <QString>

namespace tamsel::test {

// A QCoreApplication for timers, queued calls and the event loop.
void ensureApplication();
// Runs the event loop for `ms` milliseconds.
void runEventsFor(int ms);

// Writes set.ini into `runDir` with the section "shebei" holding `lines`
// ("key=value" each).
void writeDeviceSettings(const QString &runDir, const QStringList &lines);

// The settings lines that point the sound input at a 440 Hz tone.
QStringList toneInput();

// What ffprobe reads from a file: {"streams": [...], "format": {...}}, or an
// empty object when it cannot read it.
QJsonObject probe(const QString &path);
// The first stream of a kind ("audio", "video") in a probe result.
QJsonObject streamOf(const QJsonObject &probed, const QString &kind);
double durationOf(const QJsonObject &probed);

} // namespace tamsel::test
