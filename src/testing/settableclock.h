#pragma once

#include "clock.h"

// A clock for tests that stands still until the test moves it. Installs itself while it lives.
class SettableClock final : public Clock
{
public:
    explicit SettableClock(const QDateTime &now)
        : m_now(now)
    {
        install(this);
    }

    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
