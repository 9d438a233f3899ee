#pragma once

#include "document_model.h"
#include "status.h"

#include <QByteArray>

namespace tamsel {

// The carried Word document of the blank form with this target number
// ("ws<number>.doc", see formCatalogue()), exactly as written at build time.
// Empty for a number the program carries no form for.
QByteArray carriedForm(int number);

// The same form as a document, for printing through our renderer: made from
// the carried descriptions by the code that made carriedForm(), so the page
// printed is the page carried. A failure names the form.
Result<doc::Document> carriedFormDocument(int number);

// Writes every carried form under its file name ("ws1.doc" … "ws27.doc")
// into `folder`, created when missing; the first failure ends it.
Status exportForms(const QString &folder);

} // namespace tamsel
