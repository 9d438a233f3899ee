#pragma once

class QLineEdit;
class QRect;
class QString;
class QWidget;

namespace tamsel {

// A password entry of the lock's windows: every character shows as "*",
// whatever mask character the style would use, and nothing can be copied out.
QLineEdit *makePasswordBox(QWidget *parent, const QString &controlName, const QRect &geometry);

} // namespace tamsel
