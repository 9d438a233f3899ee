#include "dialog_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tamsel::test {
namespace {

struct BoxCase
{
    const char *name;
    Prompter::Buttons buttons;
    QStringList texts;                         // the buttons' texts, in any order
    std::function<void(QMessageBox &)> answer; // what the officer does
    Prompter::Answer expected;
};

QAbstractButton *withText(QMessageBox &box, const QString &text)
{
    for (QAbstractButton *button : box.buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

TEST(DialogPrompter, theButtonsSpeakChineseAndClosingIsTheCautiousAnswer)
{
    const auto click = [](const char16_t *text) {
        return [text](QMessageBox &box) {
            if (QAbstractButton *button = withText(box, QString::fromUtf16(text)))
                button->click();
            else
                box.close(); // the texts compared below name the fault
        };
    };
    const auto close = [](QMessageBox &box) { box.close(); };
    const BoxCase cases[] = {
        {"ok", Prompter::Buttons::Ok, {QStringLiteral("确定")}, click(u"确定"), Prompter::Answer::Ok},
        {"ok_closed", Prompter::Buttons::Ok, {QStringLiteral("确定")}, close, Prompter::Answer::Ok},
        {"ok_cancel", Prompter::Buttons::OkCancel, {QStringLiteral("确定"), QStringLiteral("取消")}, click(u"确定"),
         Prompter::Answer::Ok},
        {"ok_cancel_closed", Prompter::Buttons::OkCancel, {QStringLiteral("确定"), QStringLiteral("取消")}, close,
         Prompter::Answer::Cancel},
        {"yes_no", Prompter::Buttons::YesNo, {QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")}, click(u"是(&Y)"),
         Prompter::Answer::Yes},
        {"yes_no_closed", Prompter::Buttons::YesNo, {QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")}, close,
         Prompter::Answer::No},
    };
    const QString text = QStringLiteral("你确认要新建一份新的笔录？");
    DialogPrompter prompter;
    for (const BoxCase &c : cases) {
        QStringList shown;
        // Looks for the box until it is on screen, then answers it once.
        QTimer watcher;
        watcher.setInterval(10);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(window);
                if (!box || !box->isVisible() || box->text() != text)
                    continue;
                watcher.stop();
                for (QAbstractButton *button : box->buttons())
                    shown.append(button->text());
                c.answer(*box);
                return;
            }
        });
        watcher.start();
        EXPECT_EQ(prompter.message(text, QStringLiteral("提 示："), c.buttons), c.expected) << c.name;
        shown.sort();
        QStringList texts = c.texts;
        texts.sort();
        EXPECT_EQ(shown, texts) << c.name;
    }
}

} // namespace
} // namespace tamsel::test
