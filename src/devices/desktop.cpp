#include "desktop.h"

#include "systemdesktop.h"

namespace {
Desktop *installedDesktop = nullptr;
}

Desktop::~Desktop() = default;

Desktop &Desktop::current()
{
    if (installedDesktop)
        return *installedDesktop;
    static SystemDesktop system;
    return system;
}

void Desktop::install(Desktop *desktop)
{
    installedDesktop = desktop;
}
