#pragma once

#include "document_model.h"
#include "status.h"

#include <QString>

#include <vector>

// The readable description of a blank inspection form (resources/forms/*.form,
// format in resources/forms/README.md) and its translation into a document.
namespace tamsel {

// Turns a form description into an A4 document with the default page setup.
// On failure the message names the line and the cause, prefixed by
// `sourceName` when one is given ("ws4.form line 12: …").
Result<doc::Document> parseFormDescription(const QString &text, const QString &sourceName = {});

// The text of the form's first paragraph, its title; empty when the form does
// not begin with a paragraph.
QString formTitle(const doc::Document &form);

// "监察文书大全": the cover, a contents line per form with its title, then
// every form in the given order, each starting on a new page. The cover's page
// setup and footer are kept; the forms' footers are not.
doc::Document collectForms(const doc::Document &cover, const std::vector<doc::Document> &forms);

} // namespace tamsel
