#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tamsel {

class Form;
class IniFile;

// The items the phrase library puts at the top of one combo box's list.
struct PhraseList
{
    QString control;
    QStringList items;
};

// The phrase lists of the settings file, in loading order: "Set1", "Set2",
// "name1".."name3", then the question and answer sections of pairs 1..24.
// The five name-and-place sections give one item per key in range, empty
// when the key is missing; the phrase sections skip empty values.
std::vector<PhraseList> phraseLists(const IniFile &settings);

// Puts every phrase list in front of what its combo box lists now. Box texts
// are not changed.
void loadPhraseLibrary(Form &form, const IniFile &settings);

} // namespace tamsel
