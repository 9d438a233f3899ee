#pragma once

#include <QByteArray>
#include <QString>

namespace tamsel {

// A text carried inside the program, as the GBK bytes with CR LF line ends
// that are written to its file ("a.txt", "y.txt", "conduct.txt", …). Empty
// when the program carries no text of that name.
QByteArray carriedText(const QString &fileName);

} // namespace tamsel
