#pragma once

#include "clock.h"

namespace tamsel::test {

class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2024, 1, 3), QTime(9, 5, 0)))
        : m_now(now) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};

} // namespace tamsel::test
