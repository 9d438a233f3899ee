#include "gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tamsel::gbk {

// Setting up a converter goes through ICU and costs far more than converting
// a short name, so each thread keeps one of each.
QByteArray encode(const QString &text)
{
    thread_local QStringEncoder encoder("GBK");
    encoder.resetState();
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    thread_local QStringDecoder decoder("GBK");
    decoder.resetState();
    return decoder.decode(bytes);
}

qsizetype byteLength(const QString &text)
{
    return encode(text).size();
}

} // namespace tamsel::gbk
