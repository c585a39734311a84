#include "timer.h"

#include <algorithm>

Timer::Timer(QObject *parent, const QString &name)
    : QObject(parent)
{
    setObjectName(name);
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    restart();
}

void Timer::setInterval(int milliseconds)
{
    m_interval = std::max(0, milliseconds);
    restart();
}

void Timer::restart()
{
    m_timer.stop();
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
}
