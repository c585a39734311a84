#include "passwordtries.h"

#include <algorithm>

int PasswordTries::secondsToWait(const QDateTime &now) const
{
    if (!m_waitUntil.isValid() || now >= m_waitUntil)
        return 0;
    // Whole seconds, rounded up, so that "1 second" is said until the wait is over.
    return static_cast<int>((now.msecsTo(m_waitUntil) + 999) / 1000);
}

void PasswordTries::wrong(const QDateTime &now)
{
    ++m_wrong;
    if (m_wrong < freeTries)
        return;
    const int doublings = std::min(m_wrong - freeTries, 4);
    m_waitUntil = now.addSecs(std::min(firstWaitSeconds << doublings, longestWaitSeconds));
}

void PasswordTries::right()
{
    m_wrong = 0;
    m_waitUntil = QDateTime();
}
