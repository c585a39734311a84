#pragma once

#include <QString>

// Plays WAV files on disk on the default audio output: what the sound module gives the real
// sound player (see DeviceModule).
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // Starts the file and returns at once. A new request while a sound plays cuts that sound
    // off. A file that is not a readable WAV plays nothing.
    virtual void play(const QString &filePath) = 0;
};
