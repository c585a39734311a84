#include "filedialogs.h"

#include "systemfiledialogs.h"

FileDialogs &FileDialogs::current()
{
    if (FileDialogs *device = installed())
        return *device;
    static SystemFileDialogs real;
    return real;
}
