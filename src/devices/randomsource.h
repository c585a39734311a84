#pragma once

#include "installeddevice.h"

// Uniform random numbers for the program's chance choices (the celebration sound).
class RandomSource : public InstalledDevice<RandomSource>
{
public:
    // The next number, uniform in [0, 1).
    virtual double next() = 0;
    // Starts a fresh sequence seeded from the clock.
    virtual void seedFromClock() = 0;

    // The source in use: the installed one, else the real generator.
    static RandomSource &current();
};
