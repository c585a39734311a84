#pragma once

#include "randomsource.h"

#include <QRandomGenerator>

// Random numbers from QRandomGenerator, seeded from the clock when made and on request.
class SystemRandomSource final : public RandomSource
{
public:
    SystemRandomSource();

    double next() override;
    void seedFromClock() override;

private:
    QRandomGenerator m_generator;
};
