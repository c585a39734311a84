#include "soundplayer.h"

#include "systemsoundplayer.h"

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
    // Made on first use, after the application object exists, and kept to the end.
    static SystemSoundPlayer *real = new SystemSoundPlayer;
    return *real;
}

void SoundPlayer::install(SoundPlayer *player)
{
    g_installed = player;
}
