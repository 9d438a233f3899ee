#pragma once

#include "record_template.h"
#include "status.h"

#include <QString>

namespace tamsel {

class Form;
class RunDirectory;
class SettingsFile;
namespace doc {
class DocumentSession;
}

// The record composed as the paper form "劳动保障监察询问笔录", and the
// template that goes with it, both still in memory: nothing of the record
// is on disk until the caller saves.
struct ComposedRecord
{
    RecordTemplate recordTemplate;
    QString templatePath;
    QString documentPath;
};

// Number of question and answer lines on the first printed page, below the
// title and the header, and on every later page.
constexpr int FirstPageLines = 8;
constexpr int LaterPageLines = 20;

// Types the record into the session's document page by page: the centred
// title, the header lines with their underlined values, the question and
// answer lines as underlined rules, each full page closed by the two lines
// of the settings file's [fenye] section, the last page filled up with blank
// rules and closed. Line breaks of the case notes become blanks, in the
// panel too. `lineCounter` counts the lines on the current page.
//
// The base document is written to BL/Doc.doc and opened first. Fails before
// typing anything when the record's file name would not be safe.
Result<ComposedRecord> composeRecordDocument(Form &form, doc::DocumentSession &session, const RunDirectory &runDir,
                                             int &lineCounter);

} // namespace tamsel
