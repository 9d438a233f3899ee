// export-forms: writes the 27 carried blank forms (ws1.doc … ws27.doc) into
// a folder, for handing them to colleagues. Prints each path written.
#include "cli_command.h"

#include "form_catalogue.h"
#include "form_documents.h"

#include <QDir>
#include <QTextStream>

namespace tamsel::cli {

int runExportForms(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        err << "usage: tamsel-cli export-forms DIR\n";
        return 2;
    }
    const QString folder = args.first();
    if (const Status written = exportForms(folder); !written) {
        err << written.message() << "\n";
        return 1;
    }
    for (const FormEntry &entry : formCatalogue())
        out << QDir::toNativeSeparators(QDir(folder).filePath(formFileName(entry.number))) << "\n";
    return 0;
}

} // namespace tamsel::cli
