#pragma once

#include "status.h"

#include <QString>
#include <QStringList>

// The office suite installed on this machine, for the .doc files that are
// not ours and for the "Word文档"/"Excel文档" tools. Programs are started
// with an argument list, never through a shell.
namespace tamsel::doc {

struct OfficeSuite
{
    enum class Kind { None, LibreOffice, Wps };
    Kind kind = Kind::None;
    QString writer;      // full path of the program that opens .doc files
    QString spreadsheet; // full path of the spreadsheet program

    bool found() const { return kind != Kind::None; }
    // "LibreOffice", "WPS" or "none".
    QString name() const;
};

// Finds soffice or libreoffice (writer and, with --calc, spreadsheet), else
// wps and et, in `searchPath` (default: the folders of PATH); Kind::None when
// there is none, and the caller shows its "no office program" message.
OfficeSuite findOfficeSuite(const QStringList &searchPath = {});

// Shows `path` in the suite's word processor without waiting; false when
// there is no suite or it cannot start.
bool showInOffice(const OfficeSuite &suite, const QString &path);
// Starts the empty word processor or spreadsheet; false when it cannot.
bool startOfficeWriter(const OfficeSuite &suite);
bool startOfficeSpreadsheet(const OfficeSuite &suite);

// Prints `path` once on the default printer through the suite, waiting at
// most `timeoutMs`; a failure when there is no suite, no printer, the suite
// cannot print from the command line (WPS) or it reports an error.
Status printWithOffice(const OfficeSuite &suite, const QString &path, int timeoutMs = 120000);

} // namespace tamsel::doc
