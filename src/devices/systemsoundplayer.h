#pragma once

#include "soundoutput.h"
#include "soundplayer.h"

#include <QObject>

#include <memory>

// The real player: finds the file among the program's data and plays it through the sound
// module (Qt Multimedia), which is loaded with the first sound rather than at the start.
// Without the module it plays nothing.
class SystemSoundPlayer final : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    explicit SystemSoundPlayer(QObject *parent = nullptr);
    ~SystemSoundPlayer() override;

    void play(const QString &relativePath) override;
    void prepare() override;

private:
    std::unique_ptr<SoundOutput> m_output;
    bool m_outputLoaded = false;
};
