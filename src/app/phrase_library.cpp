#include "phrase_library.h"

#include "form.h"
#include "ini_file.h"
#include "record_fields.h"

namespace tamsel {

namespace {

struct NameSection
{
    const char *section;
    const char *keyStem;
    int keys;
    const char *field;
};

// Sections whose every key in range gives an item, an empty one included.
constexpr NameSection NameSections[] = {
    {"Set1", "didian", 25, "PlaceDetail"},
    {"Set2", "huji", 25, "DomicileDetail"},
    {"name1", "name", 10, "Inspector"},
    {"name2", "name", 10, "OtherParticipants"},
    {"name3", "name", 10, "Recorder"},
};

constexpr int QuestionKeys = 10;
constexpr int AnswerKeys = 8;

QStringList phrases(const IniFile &settings, const QString &section, const QString &stem, int keys,
                    bool keepEmpty)
{
    QStringList items;
    for (int k = 1; k <= keys; ++k) {
        const QString value = settings.text(section, stem + QString::number(k));
        if (keepEmpty || !value.isEmpty())
            items << value;
    }
    return items;
}

} // namespace

std::vector<PhraseList> phraseLists(const IniFile &settings)
{
    std::vector<PhraseList> lists;
    for (const NameSection &s : NameSections) {
        lists.push_back({recordField(QLatin1String(s.field)).control,
                         phrases(settings, QLatin1String(s.section), QLatin1String(s.keyStem), s.keys, true)});
    }
    for (int pair = 1; pair <= PairCount; ++pair) {
        const QString question = QStringLiteral("wenti");
        const QString answer = QStringLiteral("daan");
        lists.push_back({questionLine(pair).control,
                         phrases(settings, question + QString::number(pair), question, QuestionKeys, false)});
        lists.push_back({answerLine(pair).control,
                         phrases(settings, answer + QString::number(pair), answer, AnswerKeys, false)});
    }
    return lists;
}

void loadPhraseLibrary(Form &form, const IniFile &settings)
{
    // The same lists as inserting each value at the top from the highest key
    // down, set in one step per box.
    for (const PhraseList &list : phraseLists(settings))
        form.setItems(list.control, list.items + form.items(list.control));
}

} // namespace tamsel
