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

// A record as composition types it onto the base document: title, header
// lines with underlined values, 24 question and answer pairs as underlined
// rules on pages of 8, 20 and 20 lines, two closing lines on every page.
doc::Document threePageRecord();
// Questions on each page of that record as LibreOffice lays it out on the
// 15.6 pt grid (a 14 pt line takes two grid lines, trailing blanks hang in
// the margin, the title has a line of space below it): 4 on the first page,
// 10 on each later one, as the record is composed.
inline const std::vector<int> &recordQuestionsPerPage()
{
    static const std::vector<int> counts{4, 10, 10};
    return counts;
}

// The base document's footer line, shared by the base document test.
inline QString footerLine() { return QStringLiteral("第    页  共    页"); }

} // namespace tamsel::test

namespace tamsel::test {
inline void PrintTo(const DocCase &c, std::ostream *os) { *os << c.name; }
} // namespace tamsel::test
