#pragma once

#include <QDialog>

class QLineEdit;

namespace tamsel {

class Prompter;
class RegistryStore;

// "请输入2次正确密码：", opened modally without an owner by "加密": the new
// password twice, confirmed with "加 密".
class SetPasswordWindow : public QDialog
{
    Q_OBJECT
public:
    SetPasswordWindow(Prompter &prompter, RegistryStore &store, QWidget *parent = nullptr);

    // Empties both entries whichever way the window closes.
    void done(int result) override;

public slots:
    // "加 密".
    void confirm();

private:
    Prompter &m_prompter;
    RegistryStore &m_store;
    QLineEdit *m_first;
    QLineEdit *m_second;
};

} // namespace tamsel
