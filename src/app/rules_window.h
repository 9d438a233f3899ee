#pragma once

#include <QDialog>

namespace tamsel {

// The rules of procedure for inspection cases, shown at start-up; "知 道"
// closes it.
class RulesWindow : public QDialog
{
    Q_OBJECT
public:
    explicit RulesWindow(QWidget *parent = nullptr);
};

} // namespace tamsel
