#pragma once

#include <QHash>
#include <QList>
#include <QString>

// A sound described as text, one statement a line ("#" at the start of a word begins a comment):
//   length 1.5                 total length in seconds
//   peak 0.8                   the loudest sample after mixing, as a fraction of full scale
//   fade 0.005 0.04            fade in and fade out of the whole sound, in seconds
//   seed 7                     seed of the noise generator
//   tone   at=0 dur=0.2 note=C5 ...   a pitched voice
//   noise  at=0 dur=1 ...             filtered noise
//   bursts at=0 dur=2 rate=20 ...     short noise bursts: claps, drum strokes, rain
// Each event takes key=value options; the synthesizer documents them.
struct SoundEvent
{
    QString kind;
    QHash<QString, QString> options;
    int line = 0;

    double number(const QString &key, double fallback) const;
    QString text(const QString &key, const QString &fallback = {}) const;
};

class SoundRecipe
{
public:
    // Parses a recipe; on failure returns false and sets *error ("line 3: ...").
    bool parse(const QString &text, QString *error);

    double length = 1.0;
    double peak = 0.8;
    double fadeIn = 0.005;
    double fadeOut = 0.03;
    quint32 seed = 1;
    QList<SoundEvent> events;

    // Frequency of a note name such as "A4" (440 Hz), "C#5" or "Bb3"; 0 when not a note.
    static double noteFrequency(const QString &name);
};
