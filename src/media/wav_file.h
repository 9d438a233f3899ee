#pragma once

#include "status.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tamsel {

// The recording format of the recorder: PCM, one channel, 8000 samples per
// second, 16 bits, stored as a standard RIFF WAVE file with a 44-byte header.
struct WavFormat
{
    static constexpr int SampleRate = 8000;
    static constexpr int Channels = 1;
    static constexpr int BitsPerSample = 16;
    static constexpr int BytesPerSecond = SampleRate * Channels * BitsPerSample / 8;
    static constexpr int HeaderBytes = 44;
};

// The 44-byte header of a PCM WAVE file whose sound data is `dataBytes` long.
QByteArray wavHeader(qint64 dataBytes, int sampleRate = WavFormat::SampleRate,
                     int channels = WavFormat::Channels, int bitsPerSample = WavFormat::BitsPerSample);

// Writes a recording as it is made. The header is written first and patched
// with the length recorded so far by patchHeader(), so the file is a valid
// WAVE file at every moment a reader or a crash may find it in.
class WavWriter
{
public:
    ~WavWriter();

    // Creates (or empties) the file and writes the header of an empty
    // recording. The failure names the file and the reason.
    Status open(const QString &path);
    Status append(const char *data, qint64 size);
    // Writes the current length into the header; with `toDisk` also waits
    // until file data and header are on the disk (power-cut safety).
    Status patchHeader(bool toDisk);
    // Patches the header, flushes to disk and closes the file.
    Status close();

    bool isOpen() const { return m_file.isOpen(); }
    qint64 dataBytes() const { return m_dataBytes; }
    QString path() const { return m_file.fileName(); }

private:
    Status failure(const QString &reason) const;

    QFile m_file;
    qint64 m_dataBytes = 0;
};

// The sound data length of a WAVE file written by WavWriter, taken from the
// file's size, so that a recording cut off by a crash is read whole. The
// header is rewritten when it says less. Fails when the file is missing or
// is not such a file.
Result<qint64> repairWavHeader(const QString &path);

// Saves the recording in `source` (a file written by WavWriter) as `target`:
// a fresh header and the sound data are written to a temporary file in the
// target's folder, flushed to disk and renamed over the target, so an
// existing target is replaced whole or survives. The failure message names
// the target and the reason.
Status saveWavFile(const QString &source, const QString &target);

} // namespace tamsel
