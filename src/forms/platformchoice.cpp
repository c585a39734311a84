#include "platformchoice.h"

#include <QtGlobal>

QByteArray PlatformChoice::forSession(const QByteArray &waylandDisplay,
                                      const QByteArray &x11Display,
                                      const QByteArray &chosenPlatform)
{
    // Without an X display there is no XWayland to go through, and Wayland itself is better
    // than not starting at all.
    if (waylandDisplay.isEmpty() || x11Display.isEmpty() || !chosenPlatform.isEmpty())
        return QByteArray();
    return QByteArrayLiteral("xcb");
}

void PlatformChoice::apply()
{
    const QByteArray platform
        = forSession(qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
