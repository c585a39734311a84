#pragma once

#include "soundoutput.h"

#include <QHash>
#include <QObject>
#include <QTemporaryDir>

class QSoundEffect;

// Plays WAV files through QSoundEffect on the default audio output. Each file is decoded
// once and kept, so a repeated sound starts within a frame of the request. The sound module.
class SystemSoundOutput final : public QObject, public SoundOutput
{
    Q_OBJECT
public:
    SystemSoundOutput();
    ~SystemSoundOutput() override;

    void play(const QString &filePath) override;

private:
    // The effect for a file, made on first use; null when the file is not a readable WAV.
    QSoundEffect *effectFor(const QString &filePath);
    QString paddedCopy(const QString &filePath);

    QTemporaryDir m_copies;
    QHash<QString, QSoundEffect *> m_effects;
    QSoundEffect *m_playing = nullptr;
};
