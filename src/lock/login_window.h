#pragma once

#include <QDialog>

class QLineEdit;

namespace tamsel {

class Form;
class Prompter;
class RegistryStore;

// "输 入 密 码：", shown modally without an owner at start while the lock is
// on. The right password shows the main window and closes this one; the
// close box or Esc closes it with the main window still hidden.
class LoginWindow : public QDialog
{
    Q_OBJECT
public:
    LoginWindow(Form &mainWindow, Prompter &prompter, RegistryStore &store, QWidget *parent = nullptr);

    void done(int result) override;

public slots:
    // "确认密码".
    void confirm();

private:
    // The typed password, taken out of the box: it is emptied after every try.
    QString takePassword();

    Form &m_mainWindow;
    Prompter &m_prompter;
    RegistryStore &m_store;
    QLineEdit *m_password;
};

} // namespace tamsel
