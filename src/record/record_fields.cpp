#include "record_fields.h"

#include "form.h"

#include <QHash>

#include <vector>

namespace tamsel {

namespace {

struct HeaderRow
{
    const char16_t *name;
    const char16_t *control;
    FieldKind kind;
    int x, y, width, height;
    const char16_t *designText;
    const char16_t *presets; // items separated by '|'; nullptr: an empty list
};

// The header of page 1, in template-key order num1 .. num22.
constexpr HeaderRow HeaderRows[] = {
    {u"StartYear", u"编辑框1", FieldKind::Edit, 97, 18, 46, 20, u"", nullptr},
    {u"StartMonth", u"编辑框2", FieldKind::Edit, 164, 18, 28, 20, u"", nullptr},
    {u"StartDay", u"编辑框3", FieldKind::Edit, 212, 18, 28, 20, u"", nullptr},
    {u"StartHour", u"编辑框4", FieldKind::Edit, 261, 18, 28, 20, u"", nullptr},
    {u"StartMinute", u"编辑框5", FieldKind::Edit, 308, 18, 28, 20, u"", nullptr},
    {u"EndHour", u"编辑框6", FieldKind::Edit, 398, 18, 28, 20, u"", nullptr},
    {u"EndMinute", u"编辑框7", FieldKind::Edit, 446, 18, 28, 20, u"", nullptr},
    {u"Place", u"编辑框8", FieldKind::Edit, 97, 52, 124, 20, u"澄梧市", nullptr},
    {u"PlaceDetail", u"组合框2", FieldKind::Combo, 221, 52, 201, 20, u"", nullptr},
    {u"IntervieweeName", u"编辑框9", FieldKind::Edit, 98, 87, 78, 20, u"", nullptr},
    {u"Sex", u"组合框1", FieldKind::Combo, 221, 87, 49, 20, u"", u"男|女"},
    {u"Domicile", u"编辑框11", FieldKind::Edit, 349, 86, 98, 20, u"吉林省澄梧市", nullptr},
    {u"DomicileDetail", u"组合框52", FieldKind::Combo, 447, 86, 59, 20, u"", nullptr},
    {u"IdType", u"编辑框12", FieldKind::Edit, 99, 120, 78, 17, u"身份证", nullptr},
    {u"IdNumber", u"编辑框10", FieldKind::Edit, 257, 120, 190, 17, u"", nullptr},
    {u"WorkUnit", u"编辑框14", FieldKind::Edit, 98, 154, 188, 17, u"", nullptr},
    {u"Position", u"组合框3", FieldKind::Combo, 337, 152, 110, 20, u"",
     u"经理|项目经理|老板|会计|工人|力工|瓦工|代理人|农民工|开发商|其它|"},
    {u"Phone", u"编辑框15", FieldKind::Edit, 98, 186, 142, 17, u"", nullptr},
    {u"OtherContact", u"编辑框16", FieldKind::Edit, 336, 185, 170, 17, u"无", nullptr},
    {u"Inspector", u"组合框53", FieldKind::Combo, 99, 218, 90, 20, u"", u""},
    {u"OtherParticipants", u"组合框54", FieldKind::Combo, 273, 218, 90, 20, u"", u"无|"},
    {u"Recorder", u"组合框55", FieldKind::Combo, 421, 218, 87, 20, u"", u"无|"},
};

struct PairRow
{
    int page;
    const char16_t *question;
    const char16_t *answer;
    int questionY, answerY;
};

// The 24 pairs in record order: top to bottom, page 1 to page 4. On pages 3
// and 4 this is not the order of the control numbers.
constexpr PairRow PairRows[PairCount] = {
    {1, u"组合框4", u"组合框5", 300, 331},
    {1, u"组合框6", u"组合框7", 362, 393},
    {1, u"组合框8", u"组合框9", 424, 455},
    {2, u"组合框10", u"组合框11", 57, 89},
    {2, u"组合框12", u"组合框13", 121, 153},
    {2, u"组合框14", u"组合框15", 185, 217},
    {2, u"组合框16", u"组合框17", 249, 281},
    {2, u"组合框18", u"组合框19", 313, 345},
    {2, u"组合框20", u"组合框21", 377, 409},
    {2, u"组合框22", u"组合框23", 441, 472},
    {3, u"组合框37", u"组合框36", 58, 89},
    {3, u"组合框35", u"组合框34", 121, 153},
    {3, u"组合框33", u"组合框32", 185, 217},
    {3, u"组合框31", u"组合框30", 249, 281},
    {3, u"组合框29", u"组合框28", 313, 345},
    {3, u"组合框27", u"组合框26", 377, 409},
    {3, u"组合框25", u"组合框24", 441, 473},
    {4, u"组合框49", u"组合框48", 57, 89},
    {4, u"组合框51", u"组合框50", 121, 153},
    {4, u"组合框47", u"组合框46", 185, 217},
    {4, u"组合框45", u"组合框44", 249, 281},
    {4, u"组合框43", u"组合框42", 313, 345},
    {4, u"组合框41", u"组合框40", 377, 409},
    {4, u"组合框39", u"组合框38", 441, 472},
};

// Lines of page 1 start at x 72 and are 400 wide; pages 2 and 4 at x 69,
// page 3 at x 86, both 388 wide.
QRect lineGeometry(int page, int y)
{
    const int x = page == 1 ? 72 : page == 3 ? 86 : 69;
    const int width = page == 1 ? 400 : 388;
    return QRect(x, y, width, 20);
}

QString str(const char16_t *text)
{
    return QString::fromUtf16(text);
}

std::vector<RecordField> buildTable()
{
    std::vector<RecordField> fields;
    int key = 1;
    for (const HeaderRow &row : HeaderRows) {
        fields.push_back({str(row.name), str(row.control), row.kind,
                          QStringLiteral("num%1").arg(key++), 1, 0, false,
                          QRect(row.x, row.y, row.width, row.height), str(row.designText),
                          row.presets ? str(row.presets).split(u'|') : QStringList()});
    }
    for (int pair = 1; pair <= PairCount; ++pair) {
        const PairRow &row = PairRows[pair - 1];
        // Pair 3's answer line offers the two usual positions besides "答：".
        const QStringList answerPresets = pair == 3
            ? QStringList{QStringLiteral("答：会计"), QStringLiteral("答：农民工"), QStringLiteral("答：")}
            : QStringList{QStringLiteral("答：")};
        fields.push_back({QStringLiteral("Question%1").arg(pair), str(row.question), FieldKind::Combo,
                          QStringLiteral("num%1").arg(key++), row.page, pair, true,
                          lineGeometry(row.page, row.questionY), QString(),
                          QStringList{QStringLiteral("问：")}});
        fields.push_back({QStringLiteral("Answer%1").arg(pair), str(row.answer), FieldKind::Combo,
                          QStringLiteral("num%1").arg(key++), row.page, pair, false,
                          lineGeometry(row.page, row.answerY), QString(), answerPresets});
    }
    fields.push_back({QStringLiteral("CaseNotes"), QStringLiteral("超级编辑框2"), FieldKind::Notes,
                      QStringLiteral("beizu"), 0, 0, false, QRect(40, 64, 417, 424), QString(),
                      QStringList()});
    return fields;
}

const std::vector<RecordField> &table()
{
    static const std::vector<RecordField> fields = buildTable();
    return fields;
}

} // namespace

std::span<const RecordField> recordFields()
{
    return table();
}

const RecordField &recordField(const QString &name)
{
    static const QHash<QString, int> byName = [] {
        QHash<QString, int> index;
        for (int i = 0; i < static_cast<int>(table().size()); ++i)
            index.insert(table()[i].name, i);
        return index;
    }();
    // A misspelt name must not quietly stand for the first field.
    const auto found = byName.constFind(name);
    if (found == byName.cend())
        qFatal("recordField: no field named %s", qPrintable(name));
    return table()[*found];
}

void applyDesignState(Form &form)
{
    for (const RecordField &field : table()) {
        if (field.kind == FieldKind::Combo)
            form.setItems(field.control, field.presets);
        form.setText(field.control, field.designText);
    }
}

const RecordField &questionLine(int pair)
{
    Q_ASSERT(pair >= 1 && pair <= PairCount);
    return table()[22 + 2 * (pair - 1)];
}

const RecordField &answerLine(int pair)
{
    Q_ASSERT(pair >= 1 && pair <= PairCount);
    return table()[23 + 2 * (pair - 1)];
}

} // namespace tamsel
