#pragma once

#include "soundplayer.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// Plays WAV files through QSoundEffect on the default audio output. Each file is decoded
// once and kept, so a repeated sound starts within a frame of the request.
class SystemSoundPlayer final : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    explicit SystemSoundPlayer(QObject *parent = nullptr);
    ~SystemSoundPlayer() override;

    void play(const QString &relativePath) override;

private:
    QSoundEffect *effectFor(const QString &filePath);

    QHash<QString, QSoundEffect *> m_effects;
    QSoundEffect *m_playing = nullptr;
};
