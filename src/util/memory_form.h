#pragma once

#include "form.h"

#include <QHash>
#include <QSet>

namespace tamsel {

// A Form without widgets, for tamsel-cli and for tests of the commands:
// every control name is accepted and remembers what was set on it. Controls
// start visible and enabled with empty texts and lists.
class MemoryForm : public Form
{
public:
    QString text(const QString &control) const override { return m_texts.value(control); }
    void setText(const QString &control, const QString &text) override { m_texts[control] = text; }
    QStringList items(const QString &control) const override { return m_items.value(control); }
    void setItems(const QString &control, const QStringList &items) override { m_items[control] = items; }
    void insertItem(const QString &control, int position, const QString &item) override;
    void selectItem(const QString &control, int index) override;
    bool isVisible(const QString &control) const override { return !m_hidden.contains(control); }
    void setVisible(const QString &control, bool visible) override;
    bool isEnabled(const QString &control) const override { return !m_disabled.contains(control); }
    void setEnabled(const QString &control, bool enabled) override;
    QRect geometry(const QString &control) const override { return m_geometry.value(control); }
    void setGeometry(const QString &control, const QRect &g) override { m_geometry[control] = g; }
    QString statusText() const override { return m_status; }
    void setStatusText(const QString &text) override { m_status = text; }
    QString caption() const override { return m_caption; }
    void setCaption(const QString &caption) override { m_caption = caption; }
    bool isWindowShown() const override { return m_shown; }
    void showWindow() override { m_shown = true; }
    void setToolTip(const QString &control, const QString &tip) override { m_tips[control] = tip; }
    QString toolTip(const QString &control) const { return m_tips.value(control); }

private:
    QHash<QString, QString> m_texts;
    QHash<QString, QStringList> m_items;
    QHash<QString, QRect> m_geometry;
    QHash<QString, QString> m_tips;
    QSet<QString> m_hidden, m_disabled;
    QString m_status, m_caption;
    bool m_shown = false;
};

} // namespace tamsel
