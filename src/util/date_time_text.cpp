#include "date_time_text.h"

namespace tamsel {

QString dateText(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString timeText(const QTime &time)
{
    const int h = time.hour();
    const int m = time.minute();
    const int s = time.second();
    if (s != 0)
        return QStringLiteral("%1时%2分%3秒").arg(h).arg(m).arg(s);
    if (m != 0)
        return QStringLiteral("%1时%2分").arg(h).arg(m);
    if (h != 0)
        return QStringLiteral("%1时").arg(h);
    return {};
}

QString dateTimeText(const QDateTime &moment)
{
    return dateText(moment.date()) + timeText(moment.time());
}

} // namespace tamsel
