#pragma once

#include "form.h"
#include "formslot.h"

#include <QString>

// The sound-player control that sits on the backdrop: one play method taking the relative
// path of a WAV file. Whatever player is installed does the playing.
class SoundDevice
{
public:
    void play(const QString &relativePath);
};

// The full-screen backdrop behind every screen: borderless, covering the display, not in the
// taskbar. It carries the program's one sound player.
class Backdrop final : public Form
{
    Q_OBJECT

public:
    Backdrop();

    void Form_Load() override;

    SoundDevice SndDevil1;
};

extern FormSlot<Backdrop> Grey;
