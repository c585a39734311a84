#include "randomsource.h"

#include "systemrandomsource.h"

RandomSource &RandomSource::current()
{
    if (RandomSource *device = installed())
        return *device;
    static SystemRandomSource real;
    return real;
}
