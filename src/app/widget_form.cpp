#include "widget_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>

namespace tamsel {

namespace {

// Keeps a combo box's edit text across a change of its list: Qt would make
// the first item the text, the record never does.
template <typename Change>
void keepingText(QComboBox *box, Change change)
{
    const QString text = box->currentText();
    const QSignalBlocker blocker(box);
    change();
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace

WidgetForm::WidgetForm(QWidget *window, QLabel *statusLabel)
    : m_window(window), m_statusLabel(statusLabel)
{
}

QWidget *WidgetForm::widget(const QString &control) const
{
    QPointer<QWidget> &cached = m_cache[control];
    if (!cached) {
        if (m_window->objectName() == control)
            cached = m_window;
        else
            cached = m_window->findChild<QWidget *>(control);
    }
    Q_ASSERT_X(cached, "WidgetForm", qPrintable(QStringLiteral("no control ") + control));
    return cached;
}

QString WidgetForm::text(const QString &control) const
{
    QWidget *w = widget(control);
    if (auto *box = qobject_cast<QComboBox *>(w))
        return box->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *notes = qobject_cast<QPlainTextEdit *>(w))
        return notes->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *slider = qobject_cast<QSlider *>(w))
        return QString::number(slider->value());
    if (auto *group = qobject_cast<QGroupBox *>(w))
        return group->title();
    return {};
}

void WidgetForm::setText(const QString &control, const QString &text)
{
    QWidget *w = widget(control);
    if (auto *box = qobject_cast<QComboBox *>(w)) {
        box->setEditText(text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(text);
    } else if (auto *notes = qobject_cast<QPlainTextEdit *>(w)) {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        notes->setPlainText(plain);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        button->setText(text);
    } else if (auto *slider = qobject_cast<QSlider *>(w)) {
        slider->setValue(text.toInt());
    } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
        group->setTitle(text);
    }
}

QStringList WidgetForm::items(const QString &control) const
{
    QStringList list;
    if (auto *box = qobject_cast<QComboBox *>(widget(control))) {
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
    }
    return list;
}

void WidgetForm::setItems(const QString &control, const QStringList &items)
{
    if (auto *box = qobject_cast<QComboBox *>(widget(control))) {
        keepingText(box, [&] {
            box->clear();
            box->addItems(items);
        });
    }
}

void WidgetForm::insertItem(const QString &control, int position, const QString &item)
{
    if (auto *box = qobject_cast<QComboBox *>(widget(control)))
        keepingText(box, [&] { box->insertItem(position, item); });
}

void WidgetForm::selectItem(const QString &control, int index)
{
    if (auto *box = qobject_cast<QComboBox *>(widget(control)))
        box->setCurrentIndex(index);
}

bool WidgetForm::isVisible(const QString &control) const
{
    // Whether the control is set to show, whatever its window does now.
    return !widget(control)->isHidden();
}

void WidgetForm::setVisible(const QString &control, bool visible)
{
    widget(control)->setVisible(visible);
}

bool WidgetForm::isEnabled(const QString &control) const
{
    return widget(control)->isEnabled();
}

void WidgetForm::setEnabled(const QString &control, bool enabled)
{
    widget(control)->setEnabled(enabled);
}

QRect WidgetForm::geometry(const QString &control) const
{
    return widget(control)->geometry();
}

void WidgetForm::setGeometry(const QString &control, const QRect &geometry)
{
    widget(control)->setGeometry(geometry);
}

QString WidgetForm::statusText() const
{
    return m_statusLabel->text();
}

void WidgetForm::setStatusText(const QString &text)
{
    m_statusLabel->setText(text);
}

QString WidgetForm::caption() const
{
    return m_window->windowTitle();
}

void WidgetForm::setCaption(const QString &caption)
{
    m_window->setWindowTitle(caption);
}

bool WidgetForm::isWindowShown() const
{
    return m_window->isVisible();
}

void WidgetForm::showWindow()
{
    m_window->show();
}

void WidgetForm::setToolTip(const QString &control, const QString &tip)
{
    widget(control)->setToolTip(tip);
}

} // namespace tamsel
