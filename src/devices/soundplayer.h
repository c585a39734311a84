#pragma once

#include <QString>

// Plays the program's short sound effects. One player serves the whole program.
class SoundPlayer
{
public:
    virtual ~SoundPlayer();

    // Starts the WAV file at a relative data path ("wav\click.wav") and returns at once. A new
    // request while a sound plays cuts that sound off. A missing or unreadable file plays
    // nothing; the caller carries on as if it had played.
    virtual void play(const QString &relativePath) = 0;

    // The player in use: the installed one, else the real player on the sound card.
    static SoundPlayer &current();
    // Puts a player in place (tests install a recording one); the caller keeps ownership.
    // install(nullptr) goes back to the real player.
    static void install(SoundPlayer *player);
};
