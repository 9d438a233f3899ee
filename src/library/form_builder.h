#pragma once

#include "document_model.h"
#include "status.h"

#include <QString>

#include <functional>
#include <map>

namespace tamsel {

// Gives the text of a form description by its file name ("ws4.form").
using FormDescriptionReader = std::function<Result<QString>(const QString &fileName)>;

// Every blank form of formCatalogue() as a document, keyed by its number:
// each parsed from its description, and "监察文书大全" made of the cover of
// its own description followed by the other forms in menu order. The build
// tool and the program both make the forms through here, so what is printed
// is what is carried. The first description that is missing or wrong ends it.
Result<std::map<int, doc::Document>> buildFormDocuments(const FormDescriptionReader &readDescription);

} // namespace tamsel
