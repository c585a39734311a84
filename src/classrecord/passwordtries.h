#pragma once

#include <QDateTime>

// Counts the wrong tries at the teacher password in this run. The first five are free; after
// the fifth and every wrong try after it the box waits before it takes the next: 5 seconds,
// then twice as long each time, at most a minute, so that guessing is slow. A right password
// starts the count again. The time comes from the caller, so the wait is tested without
// waiting.
class PasswordTries final
{
public:
    static constexpr int freeTries = 5;
    static constexpr int firstWaitSeconds = 5;
    static constexpr int longestWaitSeconds = 60;

    // Seconds left before the next try is taken; 0 when it is taken now.
    int secondsToWait(const QDateTime &now) const;
    void wrong(const QDateTime &now);
    void right();

    int wrongTries() const { return m_wrong; }

private:
    int m_wrong = 0;
    QDateTime m_waitUntil;
};
