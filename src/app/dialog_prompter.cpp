#include "dialog_prompter.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

namespace tamsel {

namespace {

// "WAV录音文件|*.wav" becomes Qt's "WAV录音文件 (*.wav)".
QString qtFilter(const QString &filter)
{
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0)
        return filter;
    return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + u')';
}

QString runFileDialog(QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode, const QString &title,
                      const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(nullptr, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    if (!filter.isEmpty())
        dialog.setNameFilter(qtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

Prompter::Answer DialogPrompter::message(const QString &text, const QString &caption, Buttons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    // The buttons speak the officer's language whether or not Qt's own
    // translations are installed; the messages name them ("点“确定”").
    const struct
    {
        QMessageBox::StandardButton button;
        const char16_t *text;
    } ButtonTexts[] = {{QMessageBox::Ok, u"确定"}, {QMessageBox::Cancel, u"取消"},
                       {QMessageBox::Yes, u"是(&Y)"}, {QMessageBox::No, u"否(&N)"}};
    for (const auto &entry : ButtonTexts) {
        if (QAbstractButton *shown = box.button(entry.button))
            shown->setText(QString::fromUtf16(entry.text));
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

QString DialogPrompter::chooseFileToOpen(const QString &filter, const QString &defaultSuffix)
{
    return runFileDialog(QFileDialog::AcceptOpen, QFileDialog::ExistingFile, QString(), filter, defaultSuffix);
}

QString DialogPrompter::chooseFileToSave(const QString &filter, const QString &defaultSuffix)
{
    return runFileDialog(QFileDialog::AcceptSave, QFileDialog::AnyFile, QString(), filter, defaultSuffix);
}

QString DialogPrompter::browseForFile(const QString &title)
{
    return runFileDialog(QFileDialog::AcceptOpen, QFileDialog::AnyFile, title, QString(), QString());
}

} // namespace tamsel
