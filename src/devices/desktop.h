#pragma once

#include "installeddevice.h"

// The desktop (the display) the screens are centred on, and the display-wide mouse pointer.
class Desktop : public InstalledDevice<Desktop>
{
public:
    // Size of the primary screen in twips (15 per logical pixel).
    virtual double widthTwips() const = 0;
    virtual double heightTwips() const = 0;
    // The hourglass pointer over the whole program while true, the normal pointer after.
    virtual void setBusyPointer(bool busy) = 0;

    // The display in use: the installed one, else the real primary screen.
    static Desktop &current();
};
