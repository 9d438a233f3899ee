#include "memory_form.h"

namespace tamsel {

void MemoryForm::insertItem(const QString &control, int position, const QString &item)
{
    QStringList &list = m_items[control];
    list.insert(qBound(0, position, static_cast<int>(list.size())), item);
}

void MemoryForm::selectItem(const QString &control, int index)
{
    const QStringList list = m_items.value(control);
    if (index >= 0 && index < list.size())
        m_texts[control] = list[index];
}

void MemoryForm::setVisible(const QString &control, bool visible)
{
    if (visible)
        m_hidden.remove(control);
    else
        m_hidden.insert(control);
}

void MemoryForm::setEnabled(const QString &control, bool enabled)
{
    if (enabled)
        m_disabled.remove(control);
    else
        m_disabled.insert(control);
}

} // namespace tamsel
