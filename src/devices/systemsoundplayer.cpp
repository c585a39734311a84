#include "systemsoundplayer.h"

#include "devicemodule.h"
#include "mediapath.h"

#include <QFileInfo>

SystemSoundPlayer::SystemSoundPlayer(QObject *parent)
    : QObject(parent)
{ }

SystemSoundPlayer::~SystemSoundPlayer() = default;

void SystemSoundPlayer::play(const QString &relativePath)
{
    const QString filePath = MediaPath::resolve(relativePath);
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return;
    if (!m_outputLoaded) {
        m_outputLoaded = true;
        m_output = DeviceModule::create<SoundOutput>("sound");
    }
    if (m_output)
        m_output->play(filePath);
}

void SystemSoundPlayer::prepare()
{
    if (!m_outputLoaded)
        DeviceModule::preload("sound");
}
