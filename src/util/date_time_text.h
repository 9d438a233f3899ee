#pragma once

#include <QDateTime>
#include <QString>

namespace tamsel {

// "2024年5月3日": numbers without leading zeros.
QString dateText(const QDate &date);

// "9时5分30秒", shortened to "9时5分" when the second is 0, to "9时" when
// minute and second are 0, and empty at midnight.
QString timeText(const QTime &time);

// The date text followed directly by the time text, as the video captures
// are named.
QString dateTimeText(const QDateTime &moment);

} // namespace tamsel
