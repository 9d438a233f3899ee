#include "login_window.h"

#include "password_box.h"
#include "password_lock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tamsel {

LoginWindow::LoginWindow(Form &mainWindow, Prompter &prompter, RegistryStore &store, QWidget *parent)
    : QDialog(parent), m_mainWindow(mainWindow), m_prompter(prompter), m_store(store)
{
    setObjectName(QStringLiteral("LoginWindow"));
    setWindowTitle(QStringLiteral("输 入 密 码："));
    setFixedSize(276, 72);
    setModal(true);

    auto *prompt = new QLabel(QStringLiteral("请输入登陆密码："), this);
    prompt->setObjectName(QStringLiteral("标签1"));
    prompt->setGeometry(7, 2, 97, 24);

    m_password = makePasswordBox(this, QStringLiteral("编辑框1"), QRect(21, 37, 144, 20));

    auto *button = new QPushButton(QStringLiteral("确认密码"), this);
    button->setObjectName(QStringLiteral("按钮1"));
    button->setGeometry(175, 30, 88, 32);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &LoginWindow::confirm);
}

void LoginWindow::confirm()
{
    if (password_lock::confirmLogin(takePassword(), m_mainWindow, m_prompter, m_store))
        accept();
}

QString LoginWindow::takePassword()
{
    const QString typed = m_password->text();
    m_password->clear();
    return typed;
}

void LoginWindow::done(int result)
{
    m_password->clear();
    QDialog::done(result);
}

} // namespace tamsel
