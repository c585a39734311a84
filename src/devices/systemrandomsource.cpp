#include "systemrandomsource.h"

#include <chrono>
#include <random>

SystemRandomSource::SystemRandomSource()
{
    seedFromClock();
}

double SystemRandomSource::next()
{
    return m_generator.generateDouble();
}

void SystemRandomSource::seedFromClock()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count()
        ^ std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed { quint32(ticks), quint32(quint64(ticks) >> 32) };
    m_generator.seed(seed);
}
