#include "systemsoundplayer.h"

#include "mediapath.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SystemSoundPlayer::SystemSoundPlayer(QObject *parent)
    : QObject(parent)
{ }

SystemSoundPlayer::~SystemSoundPlayer() = default;

void SystemSoundPlayer::play(const QString &relativePath)
{
    const QString filePath = MediaPath::resolve(relativePath);
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return;

    QSoundEffect *effect = effectFor(filePath);
    if (effect->status() == QSoundEffect::Error)
        return;
    if (m_playing && m_playing != effect)
        m_playing->stop();
    // A sound still loading starts as soon as it is decoded; one playing starts over.
    effect->stop();
    effect->play();
    m_playing = effect;
}

QSoundEffect *SystemSoundPlayer::effectFor(const QString &filePath)
{
    if (QSoundEffect *effect = m_effects.value(filePath))
        return effect;
    auto *effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(filePath));
    m_effects.insert(filePath, effect);
    return effect;
}
