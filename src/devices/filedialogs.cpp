#include "filedialogs.h"

#include "systemfiledialogs.h"

namespace {

FileDialogs *g_installed = nullptr;

} // namespace

FileDialogs::~FileDialogs()
{
    if (g_installed == this)
        g_installed = nullptr;
}

FileDialogs &FileDialogs::current()
{
    if (g_installed)
        return *g_installed;
    static SystemFileDialogs real;
    return real;
}

void FileDialogs::install(FileDialogs *dialogs)
{
    g_installed = dialogs;
}
