#include "set_password_window.h"

#include "password_box.h"
#include "password_lock.h"

#include <QLineEdit>
#include <QPushButton>

namespace tamsel {

SetPasswordWindow::SetPasswordWindow(Prompter &prompter, RegistryStore &store, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_store(store)
{
    setObjectName(QStringLiteral("SetPasswordWindow"));
    setWindowTitle(QStringLiteral("请输入2次正确密码："));
    setFixedSize(262, 92);
    setModal(true);

    m_first = makePasswordBox(this, QStringLiteral("编辑框1"), QRect(16, 13, 129, 20));
    m_second = makePasswordBox(this, QStringLiteral("编辑框2"), QRect(16, 38, 129, 20));

    auto *button = new QPushButton(QStringLiteral("加 密"), this);
    button->setObjectName(QStringLiteral("按钮1"));
    button->setGeometry(154, 16, 88, 38);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &SetPasswordWindow::confirm);
}

void SetPasswordWindow::confirm()
{
    if (password_lock::confirmNewPassword(m_first->text(), m_second->text(), m_prompter, m_store))
        accept();
}

void SetPasswordWindow::done(int result)
{
    m_first->clear();
    m_second->clear();
    QDialog::done(result);
}

} // namespace tamsel
