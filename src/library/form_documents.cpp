#include "form_documents.h"

#include "atomic_file.h"
#include "form_builder.h"
#include "form_catalogue.h"

#include <QDir>
#include <QFile>

#include <map>

namespace tamsel {

namespace {

Result<QString> carriedDescription(const QString &fileName)
{
    QFile resource(QStringLiteral(":/form_descriptions/") + fileName);
    if (!resource.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("%1：程序中没有这份监察文书的说明").arg(fileName));
    return QString::fromUtf8(resource.readAll());
}

// Made once: the descriptions are part of the program and never change.
const Result<std::map<int, doc::Document>> &carriedFormDocuments()
{
    static const Result<std::map<int, doc::Document>> forms = buildFormDocuments(carriedDescription);
    return forms;
}

} // namespace

QByteArray carriedForm(int number)
{
    QFile resource(QStringLiteral(":/forms/") + formFileName(number));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}

Result<doc::Document> carriedFormDocument(int number)
{
    const auto &forms = carriedFormDocuments();
    if (!forms)
        return forms.status();
    const auto found = forms.value().find(number);
    if (found == forms.value().end())
        return Status::failure(QStringLiteral("%1：程序中没有这份监察文书").arg(formFileName(number)));
    return found->second;
}

Status exportForms(const QString &folder)
{
    if (const Status made = makeFolder(folder); !made)
        return made;
    for (const FormEntry &entry : formCatalogue()) {
        const QByteArray bytes = carriedForm(entry.number);
        const QString path = QDir(folder).filePath(formFileName(entry.number));
        if (bytes.isEmpty())
            return Status::failure(QStringLiteral("%1：程序中没有这份监察文书。").arg(QDir::toNativeSeparators(path)));
        if (const Status written = writeFileAtomically(path, bytes); !written)
            return written;
    }
    return Status::success();
}

} // namespace tamsel
