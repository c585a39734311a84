#include "soundplayer.h"

#include "systemsoundplayer.h"

#include <QCoreApplication>
#include <QPointer>

SoundPlayer &SoundPlayer::current()
{
    if (SoundPlayer *device = installed())
        return *device;
    // Made on first use and owned by the application object, so its sounds and kept copies
    // go before the application does.
    static QPointer<SystemSoundPlayer> real;
    if (!real)
        real = new SystemSoundPlayer(QCoreApplication::instance());
    return *real;
}
