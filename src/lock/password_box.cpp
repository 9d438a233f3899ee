#include "password_box.h"

#include <QLineEdit>

namespace tamsel {

QLineEdit *makePasswordBox(QWidget *parent, const QString &controlName, const QRect &geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(controlName);
    box->setGeometry(geometry);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return box;
}

} // namespace tamsel
