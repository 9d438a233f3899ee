#include "carried_text.h"

#include <QFile>

namespace tamsel {

QByteArray carriedText(const QString &fileName)
{
    QFile file(QStringLiteral(":/texts/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace tamsel
