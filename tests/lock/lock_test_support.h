#pragma once

#include "password_lock.h"
#include "prompter.h"
#include "registry_store.h"

#include <QFile>
#include <QStringList>

namespace tamsel::test {

// Keeps every message with its caption and answers OK: for the messages
// whose text holds a path, checked by their parts.
class RecordingPrompter : public Prompter
{
public:
    struct Shown
    {
        QString text;
        QString caption;
    };
    Answer message(const QString &text, const QString &caption, Buttons) override
    {
        shown.push_back({text, caption});
        return Answer::Ok;
    }
    QString chooseFileToOpen(const QString &, const QString &) override { return {}; }
    QString chooseFileToSave(const QString &, const QString &) override { return {}; }
    QString browseForFile(const QString &) override { return {}; }

    std::vector<Shown> shown;
};

inline QByteArray lockValue(const RegistryStore &store, const char16_t *name)
{
    return store.readText(password_lock::keyPath(), QString::fromUtf16(name));
}

inline QByteArray storeBytes(const RegistryStore &store)
{
    QFile file(store.storeFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tamsel::test
