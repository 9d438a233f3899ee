#include "form_documents.h"

#include "form_catalogue.h"

#include <QFile>

namespace tamsel {

QByteArray carriedForm(int number)
{
    QFile resource(QStringLiteral(":/forms/") + formFileName(number));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

} // namespace tamsel
