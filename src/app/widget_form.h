#pragma once

#include "form.h"

#include <QHash>
#include <QPointer>

class QLabel;
class QWidget;

namespace tamsel {

// The Form of a real window: controls are looked up by object name among the
// window's children. Combo boxes keep their edit text when their list
// changes; the case notes read with CR LF line breaks, as a Windows
// multi-line box gives them.
class WidgetForm : public Form
{
public:
    WidgetForm(QWidget *window, QLabel *statusLabel);

    QString text(const QString &control) const override;
    void setText(const QString &control, const QString &text) override;
    QStringList items(const QString &control) const override;
    void setItems(const QString &control, const QStringList &items) override;
    void insertItem(const QString &control, int position, const QString &item) override;
    void selectItem(const QString &control, int index) override;
    bool isVisible(const QString &control) const override;
    void setVisible(const QString &control, bool visible) override;
    bool isEnabled(const QString &control) const override;
    void setEnabled(const QString &control, bool enabled) override;
    QRect geometry(const QString &control) const override;
    void setGeometry(const QString &control, const QRect &geometry) override;
    QString statusText() const override;
    void setStatusText(const QString &text) override;
    QString caption() const override;
    void setCaption(const QString &caption) override;
    bool isWindowShown() const override;
    void showWindow() override;
    void setToolTip(const QString &control, const QString &tip) override;

    // The control of that name; fails loudly on a name the window lacks.
    QWidget *widget(const QString &control) const;

private:
    QWidget *m_window;
    QLabel *m_statusLabel;
    mutable QHash<QString, QPointer<QWidget>> m_cache;
};

} // namespace tamsel
