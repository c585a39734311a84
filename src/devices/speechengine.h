#pragma once

#include "installeddevice.h"

#include <QString>

// Reads text aloud for pupils who read slowly. One engine serves the whole program.
class SpeechEngine : public InstalledDevice<SpeechEngine>
{
public:
    // Whether anything can be read aloud on this machine. Cheap: it starts no engine.
    virtual bool available() = 0;
    // Starts reading text and returns at once; a reading still under way stops first.
    virtual void say(const QString &text) = 0;
    // Stops the reading under way, if any.
    virtual void stop() = 0;

    // The engine in use: the installed one, else the real one, made on first use.
    static SpeechEngine &current();
};
