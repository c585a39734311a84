#pragma once

#include "installeddevice.h"

#include <QDateTime>

// The time of day: when a result is kept, which results are today's, how long the teacher
// password box still waits.
class Clock : public InstalledDevice<Clock>
{
public:
    // Local time.
    virtual QDateTime now() const = 0;

    // The clock in use: the installed one, else the system's.
    static Clock &current();
};
