#include "messageboxes.h"

#include "systemmessageboxes.h"

namespace {

MessageBoxes *g_installed = nullptr;

} // namespace

MessageBoxes::~MessageBoxes()
{
    if (g_installed == this)
        g_installed = nullptr;
}

MessageBoxes &MessageBoxes::current()
{
    if (g_installed)
        return *g_installed;
    static SystemMessageBoxes real;
    return real;
}

void MessageBoxes::install(MessageBoxes *boxes)
{
    g_installed = boxes;
}
