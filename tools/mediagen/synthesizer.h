#pragma once

#include "soundrecipe.h"

#include <QList>

// Renders a SoundRecipe to mono samples in [-1, 1] at 22050 Hz, deterministically.
//
// Options every event takes: at, dur (seconds), amp (0.5), attack (0.005), release (0.02),
// decay (exponential decay time, 0 = hold), tremolo (Hz) and trem (depth 0..1),
// repeat (count) and every (seconds between repeats; default dur).
// tone: note (name or Hz), to (glide target), glide (seconds), wave (sine, triangle,
//   square, saw, brass, organ, reed), partials ("ratio:amp,..." instead of wave),
//   damp (upper partials die faster), vibrato (Hz), vdepth (fraction), voices and spread
//   (detuned copies, cents), step (semitones added at each repeat).
// noise: lowpass, highpass, or band with q; sweep (cutoff reached at the end).
// bursts: rate (per second), jitter (0 regular .. 1 random), burst (decay of one burst),
//   band, q, spread (random band variation), accent (random loudness variation).
class Synthesizer
{
public:
    static constexpr int sampleRate = 22050;

    static QList<float> render(const SoundRecipe &recipe);
};
