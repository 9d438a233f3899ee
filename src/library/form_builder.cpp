#include "form_builder.h"

#include "form_catalogue.h"
#include "form_description.h"

#include <vector>

namespace tamsel {

Result<std::map<int, doc::Document>> buildFormDocuments(const FormDescriptionReader &readDescription)
{
    std::map<int, doc::Document> forms;
    for (const FormEntry &entry : formCatalogue()) {
        const QString name = QStringLiteral("ws%1.form").arg(entry.number);
        const Result<QString> text = readDescription(name);
        if (!text)
            return text.status();
        const Result<doc::Document> parsed = parseFormDescription(text.value(), name);
        if (!parsed)
            return parsed.status();
        forms.emplace(entry.number, parsed.value());
    }

    std::vector<doc::Document> volumeForms;
    for (const FormEntry &entry : formCatalogue()) {
        if (entry.number != kCollectedVolumeNumber)
            volumeForms.push_back(forms.at(entry.number));
    }
    forms[kCollectedVolumeNumber] = collectForms(forms.at(kCollectedVolumeNumber), volumeForms);
    return forms;
}

} // namespace tamsel
