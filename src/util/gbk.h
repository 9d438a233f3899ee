#pragma once

#include <QByteArray>
#include <QString>

// Every file the program reads or writes holds GBK (code page 936) text; in
// memory text is QString. These two functions are the only crossing point.
namespace tamsel::gbk {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Length of the text in GBK bytes, the measure the record layout counts in.
qsizetype byteLength(const QString &text);

} // namespace tamsel::gbk
