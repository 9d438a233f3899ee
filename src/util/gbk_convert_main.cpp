// Build tool: turns a UTF-8 text kept in the repository for review into the
// GBK, CR LF form the program carries and writes.
#include "atomic_file.h"
#include "gbk.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tamsel-gbk-convert INPUT.utf8 OUTPUT\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QString text = QString::fromUtf8(tamsel::readFileBytes(input));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    const QByteArray bytes = tamsel::gbk::encode(text);
    if (tamsel::gbk::decode(bytes) != text) {
        std::fprintf(stderr, "%s: text holds characters GBK cannot carry\n", argv[1]);
        return 1;
    }
    const tamsel::Status written = tamsel::writeFileAtomically(output, bytes);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
