#include "gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tamsel::gbk {

QByteArray encode(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

qsizetype byteLength(const QString &text)
{
    return encode(text).size();
}

} // namespace tamsel::gbk
