#pragma once

#include <QDialog>

namespace tamsel {

// The rules of procedure for inspection cases, shown at start-up; "知 道"
// closes it. `rules` is the text to show, line ends as they come.
class RulesWindow : public QDialog
{
    Q_OBJECT
public:
    explicit RulesWindow(QString rules, QWidget *parent = nullptr);
};

} // namespace tamsel
