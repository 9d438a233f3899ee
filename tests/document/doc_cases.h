#pragma once

#include "document_model.h"

#include <QString>

#include <ostream>
#include <vector>

// The table of documents every reader is asked to read back.
namespace tamsel::test {

struct DocCase
{
    const char *name;
    doc::Document document;
    int pages; // pages a reader lays the document out on
};

const std::vector<DocCase> &docCases();

// A paragraph of runs; a shorthand for the case table.
doc::Paragraph paragraph(std::vector<doc::Run> runs, doc::Alignment alignment = doc::Alignment::Left,
                         bool pageBreakBefore = false);
doc::Run run(const QString &text, bool bold = false, double size = 14, bool underline = false);

// The base document's footer line, shared by the base document test.
inline QString footerLine() { return QStringLiteral("第    页  共    页"); }

} // namespace tamsel::test

namespace tamsel::test {
inline void PrintTo(const DocCase &c, std::ostream *os) { *os << c.name; }
} // namespace tamsel::test
