#include "recordingsoundplayer.h"

RecordingSoundPlayer::RecordingSoundPlayer()
{
    install(this);
}

RecordingSoundPlayer::~RecordingSoundPlayer() = default;

void RecordingSoundPlayer::play(const QString &relativePath)
{
    m_played.append(relativePath);
}

QString RecordingSoundPlayer::last() const
{
    return m_played.isEmpty() ? QString() : m_played.constLast();
}
