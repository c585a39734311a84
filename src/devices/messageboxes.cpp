#include "messageboxes.h"

#include "systemmessageboxes.h"

MessageBoxes &MessageBoxes::current()
{
    if (MessageBoxes *device = installed())
        return *device;
    static SystemMessageBoxes real;
    return real;
}
