#include "soundplayer.h"

#include "systemsoundplayer.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

SoundPlayer *g_installed = nullptr;

} // namespace

SoundPlayer::~SoundPlayer()
{
    if (g_installed == this)
        g_installed = nullptr;
}

SoundPlayer &SoundPlayer::current()
{
    if (g_installed)
        return *g_installed;
    // Made on first use and owned by the application object, so its sounds and kept copies
    // go before the application does.
    static QPointer<SystemSoundPlayer> real;
    if (!real)
        real = new SystemSoundPlayer(QCoreApplication::instance());
    return *real;
}

void SoundPlayer::install(SoundPlayer *player)
{
    g_installed = player;
}
