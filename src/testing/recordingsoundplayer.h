#pragma once

#include "soundplayer.h"

#include <QStringList>

// A sound player for tests: plays nothing and remembers every request, path exactly as given.
// Installs itself while it lives, so a test needs only to create one.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    RecordingSoundPlayer();
    ~RecordingSoundPlayer() override;

    void play(const QString &relativePath) override;

    // Every path requested so far, oldest first.
    const QStringList &played() const { return m_played; }
    // The latest request, or an empty string when none was made.
    QString last() const;
    void clear() { m_played.clear(); }

private:
    QStringList m_played;
};
