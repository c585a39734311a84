#include "backdrop.h"

#include "desktop.h"
#include "soundplayer.h"

FormSlot<Backdrop> Grey("Grey");

void SoundDevice::play(const QString &relativePath)
{
    SoundPlayer::current().play(relativePath);
}

Backdrop::Backdrop()
{
    makeBackdrop();
}

void Backdrop::Form_Load()
{
    setBackColor(QColor(48, 133, 214));
    const Desktop &desktop = Desktop::current();
    move(0, 0);
    resize(desktop.widthTwips(), desktop.heightTwips());
}
