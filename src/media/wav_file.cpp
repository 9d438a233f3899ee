#include "wav_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <unistd.h>

namespace tamsel {

namespace {

void putU32(QByteArray &bytes, int at, quint32 value)
{
    qToLittleEndian<quint32>(value, bytes.data() + at);
}

void putU16(QByteArray &bytes, int at, quint16 value)
{
    qToLittleEndian<quint16>(value, bytes.data() + at);
}

QString writeFailure(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("tamsel", "无法写入文件 %1：%2")
        .arg(QFileInfo(path).absoluteFilePath(), reason);
}

QString readFailure(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("tamsel", "无法读取录音文件 %1：%2")
        .arg(QFileInfo(path).absoluteFilePath(), reason);
}

// RIFF sizes are 32-bit: a recording beyond 4 GiB (over 74 hours) keeps
// the largest size the header can say.
quint32 riffSize(qint64 size)
{
    return size > 0xFFFFFFFFLL ? 0xFFFFFFFFu : quint32(size);
}

bool isOurHeader(const QByteArray &header)
{
    return header.size() == WavFormat::HeaderBytes && header.startsWith("RIFF")
        && header.mid(8, 8) == "WAVEfmt " && header.mid(36, 4) == "data";
}

} // namespace

QByteArray wavHeader(qint64 dataBytes, int sampleRate, int channels, int bitsPerSample)
{
    QByteArray h(WavFormat::HeaderBytes, '\0');
    const int blockAlign = channels * bitsPerSample / 8;
    memcpy(h.data(), "RIFF", 4);
    putU32(h, 4, riffSize(dataBytes + WavFormat::HeaderBytes - 8));
    memcpy(h.data() + 8, "WAVEfmt ", 8);
    putU32(h, 16, 16);
    putU16(h, 20, 1); // PCM
    putU16(h, 22, quint16(channels));
    putU32(h, 24, quint32(sampleRate));
    putU32(h, 28, quint32(sampleRate * blockAlign));
    putU16(h, 32, quint16(blockAlign));
    putU16(h, 34, quint16(bitsPerSample));
    memcpy(h.data() + 36, "data", 4);
    putU32(h, 40, riffSize(dataBytes));
    return h;
}

WavWriter::~WavWriter()
{
    if (m_file.isOpen())
        close();
}

Status WavWriter::failure(const QString &reason) const
{
    return Status::failure(writeFailure(m_file.fileName(), reason));
}

Status WavWriter::open(const QString &path)
{
    if (m_file.isOpen())
        close();
    m_file.setFileName(path);
    m_dataBytes = 0;
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return failure(m_file.errorString());
    const QByteArray header = wavHeader(0);
    if (m_file.write(header) != header.size() || !m_file.flush())
        return failure(m_file.errorString());
    return Status::success();
}

Status WavWriter::append(const char *data, qint64 size)
{
    if (!m_file.isOpen())
        return failure(QStringLiteral("not open"));
    if (m_file.write(data, size) != size)
        return failure(m_file.errorString());
    m_dataBytes += size;
    return Status::success();
}

Status WavWriter::patchHeader(bool toDisk)
{
    if (!m_file.isOpen())
        return failure(QStringLiteral("not open"));
    const QByteArray header = wavHeader(m_dataBytes);
    const qint64 end = m_file.pos();
    if (!m_file.seek(0) || m_file.write(header) != header.size() || !m_file.seek(end)
        || !m_file.flush())
        return failure(m_file.errorString());
    if (toDisk && ::fdatasync(m_file.handle()) != 0)
        return failure(QString::fromLocal8Bit(strerror(errno)));
    return Status::success();
}

Status WavWriter::close()
{
    if (!m_file.isOpen())
        return Status::success();
    const Status patched = patchHeader(true);
    m_file.close();
    return patched;
}

Result<qint64> repairWavHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return Status::failure(readFailure(path, file.errorString()));
    const QByteArray header = file.read(WavFormat::HeaderBytes);
    if (!isOurHeader(header))
        return Status::failure(readFailure(path, QStringLiteral("不是录音文件")));
    // A sample cut in half by a crash is left out.
    const qint64 dataBytes = (file.size() - WavFormat::HeaderBytes) & ~qint64(1);
    if (qFromLittleEndian<quint32>(header.constData() + 40) != riffSize(dataBytes)) {
        if (!file.seek(0) || file.write(wavHeader(dataBytes)) != WavFormat::HeaderBytes
            || !file.flush())
            return Status::failure(writeFailure(path, file.errorString()));
    }
    return dataBytes;
}

Status saveWavFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Status::failure(readFailure(source, in.errorString()));
    const QByteArray header = in.read(WavFormat::HeaderBytes);
    if (!isOurHeader(header))
        return Status::failure(readFailure(source, QStringLiteral("不是录音文件")));
    const qint64 dataBytes = (in.size() - WavFormat::HeaderBytes) & ~qint64(1);

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return Status::failure(writeFailure(target, out.errorString()));
    auto fail = [&](const QString &reason) {
        out.cancelWriting();
        return Status::failure(writeFailure(target, reason));
    };
    if (out.write(wavHeader(dataBytes)) != WavFormat::HeaderBytes)
        return fail(out.errorString());
    qint64 left = dataBytes;
    QByteArray chunk;
    while (left > 0) {
        chunk = in.read(qMin<qint64>(left, 1 << 20));
        if (chunk.isEmpty()) {
            out.cancelWriting();
            return Status::failure(readFailure(source, in.errorString()));
        }
        if (out.write(chunk) != chunk.size())
            return fail(out.errorString());
        left -= chunk.size();
    }
    if (!out.commit())
        return Status::failure(writeFailure(target, out.errorString()));
    return Status::success();
}

} // namespace tamsel
