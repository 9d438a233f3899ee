#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <span>

namespace tamsel {

// What kind of control holds a record field.
enum class FieldKind {
    Edit,     // plain edit box
    Combo,    // editable combo box: its text is the value, never its selection
    Notes,    // the multi-line case notes box
};

// One field of the record: the header fields, the 48 question and answer
// lines and the case notes, in template-key order (num1 .. num70, beizu).
// Template writing and reading, the reset of a new record, the document
// composition and the window's layout all walk this one table.
struct RecordField
{
    QString name;         // the field's name in the officer's terms
    QString control;      // control name, the Qt object name of the widget
    FieldKind kind;
    QString templateKey;  // "num1" .. "num70", "beizu"
    int page;             // form page 1..4 that shows it (case notes: 0)
    int pair;             // question/answer pair 1..24 in record order; 0 otherwise
    bool question;        // the question line of its pair
    QRect geometry;       // inside its page group box
    QString designText;   // text at creation
    QStringList presets;  // list items at creation
};

// All 71 fields in template-key order.
std::span<const RecordField> recordFields();

// The field with this name ("WorkUnit"); a name that is not in the table is a
// programming error.
const RecordField &recordField(const QString &name);

// The question (or answer) line of pair 1..24, in record order.
const RecordField &questionLine(int pair);
const RecordField &answerLine(int pair);

constexpr int PairCount = 24;

class Form;

// Gives every field its text and list at creation: the window starts from
// this, and so does the headless form of tamsel-cli.
void applyDesignState(Form &form);

// Control names of the hidden scratch fields.
namespace scratch {
inline const QString UploadFile = QStringLiteral("编辑框17");
inline const QString PlaybackFile = QStringLiteral("编辑框18");
inline const QString WordPath = QStringLiteral("编辑框19");
inline const QString ViewerFile = QStringLiteral("编辑框24");
inline const QString StatusMessage = QStringLiteral("编辑框25");
inline const QString ChosenFile = QStringLiteral("编辑框32");
} // namespace scratch

} // namespace tamsel
