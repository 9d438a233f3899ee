#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

namespace tamsel {

// The record window as the commands see it: every control is addressed by
// its control name ("编辑框14", "组合框53", "分组框7"). The record has no
// existence apart from these texts. The real implementation looks controls
// up in the window by object name; an unknown name is a programming error.
class Form
{
public:
    virtual ~Form() = default;

    // Edit box, combo box (its edit text, never its selection) or label.
    virtual QString text(const QString &control) const = 0;
    virtual void setText(const QString &control, const QString &text) = 0;

    // Combo box lists.
    virtual QStringList items(const QString &control) const = 0;
    virtual void setItems(const QString &control, const QStringList &items) = 0;
    virtual void insertItem(const QString &control, int position, const QString &item) = 0;
    // Selecting an item makes it the box's text.
    virtual void selectItem(const QString &control, int index) = 0;

    // Any control: group boxes, buttons, panels.
    virtual bool isVisible(const QString &control) const = 0;
    virtual void setVisible(const QString &control, bool visible) = 0;
    virtual bool isEnabled(const QString &control) const = 0;
    virtual void setEnabled(const QString &control, bool enabled) = 0;
    virtual QRect geometry(const QString &control) const = 0;
    virtual void setGeometry(const QString &control, const QRect &geometry) = 0;

    // The first part of the status bar.
    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString &text) = 0;

    // The main window itself.
    virtual QString caption() const = 0;
    virtual void setCaption(const QString &caption) = 0;
    virtual bool isWindowShown() const = 0;
    virtual void showWindow() = 0;
    virtual void setToolTip(const QString &control, const QString &tip) = 0;
};

} // namespace tamsel
