#include "rules_window.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace tamsel {

RulesWindow::RulesWindow(QString rules, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RulesWindow"));
    setWindowTitle(QString(28, u' ') + QStringLiteral("劳动保障监察办案程序规则"));
    setFixedSize(667, 620);
    setModal(true);

    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("编辑框1"));
    text->setGeometry(0, 0, 664, 552);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: rgb(236,236,236); }"));
    rules.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text->setPlainText(rules);

    auto *known = new QPushButton(QStringLiteral("知 道"), this);
    known->setObjectName(QStringLiteral("超级按钮1"));
    known->setGeometry(243, 556, 174, 28);
    known->setToolTip(QStringLiteral("以上规则我以熟读."));
    known->setDefault(true);
    connect(known, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tamsel
