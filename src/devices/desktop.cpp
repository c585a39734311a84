#include "desktop.h"

#include "systemdesktop.h"

Desktop &Desktop::current()
{
    if (Desktop *device = installed())
        return *device;
    static SystemDesktop system;
    return system;
}
