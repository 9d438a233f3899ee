#pragma once

#include <QDateTime>

namespace tamsel {

// Time as the program sees it. Tests set it; the program reads the system's.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace tamsel
