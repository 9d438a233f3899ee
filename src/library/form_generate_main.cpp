// Build tool: turns the form descriptions (FORMS_DIR/ws<N>.form) into the
// carried Word documents (OUT_DIR/ws<N>.doc), and "监察文书大全" (ws27.doc)
// into the cover of ws27.form followed by every other form in menu order.
// The output depends on the descriptions alone, so two runs give the same bytes.
#include "atomic_file.h"
#include "doc_writer.h"
#include "form_builder.h"
#include "form_catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>

namespace {

void fail(const QString &message)
{
    std::fprintf(stderr, "tamsel-form-generate: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tamsel-form-generate FORMS_DIR OUT_DIR\n");
        return 2;
    }
    const QDir formsDir(QString::fromLocal8Bit(argv[1]));
    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(outDir.path())) {
        fail(QStringLiteral("%1: the folder cannot be created").arg(outDir.path()));
        return 1;
    }

    const auto forms = tamsel::buildFormDocuments([&formsDir](const QString &name) -> tamsel::Result<QString> {
        const QString path = formsDir.filePath(name);
        if (!QFileInfo::exists(path))
            return tamsel::Status::failure(QStringLiteral("%1: the form description is missing").arg(path));
        return QString::fromUtf8(tamsel::readFileBytes(path));
    });
    if (!forms) {
        fail(forms.message());
        return 1;
    }

    for (const auto &[number, document] : forms.value()) {
        const QString path = outDir.filePath(tamsel::formFileName(number));
        const QByteArray bytes = tamsel::doc::docBytes(document);
        if (bytes.isEmpty()) {
            fail(QStringLiteral("%1: the document writer cannot write this form").arg(path));
            return 1;
        }
        const tamsel::Status written = tamsel::writeFileAtomically(path, bytes);
        if (!written) {
            fail(written.message());
            return 1;
        }
    }
    return 0;
}
