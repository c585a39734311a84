#include "randomsource.h"

#include "systemrandomsource.h"

namespace {

RandomSource *g_installed = nullptr;

} // namespace

RandomSource::~RandomSource()
{
    if (g_installed == this)
        g_installed = nullptr;
}

RandomSource &RandomSource::current()
{
    if (g_installed)
        return *g_installed;
    static SystemRandomSource real;
    return real;
}

void RandomSource::install(RandomSource *source)
{
    g_installed = source;
}
