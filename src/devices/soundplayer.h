#pragma once

#include "installeddevice.h"

#include <QString>

// Plays the program's short sound effects. One player serves the whole program.
class SoundPlayer : public InstalledDevice<SoundPlayer>
{
public:
    // Starts the WAV file at a relative data path ("wav\click.wav") and returns at once. A new
    // request while a sound plays cuts that sound off. A missing or unreadable file plays
    // nothing; the caller carries on as if it had played.
    virtual void play(const QString &relativePath) = 0;

    // Gets ready to play without a wait, in the background; the first sound would otherwise
    // wait for the sound card's libraries to load. Returns at once.
    virtual void prepare() { }

    // The player in use: the installed one, else the real player on the sound card.
    static SoundPlayer &current();
};
