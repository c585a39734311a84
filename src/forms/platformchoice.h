#pragma once

#include <QByteArray>

// On a Wayland desktop the compositor places every window itself, so the screens would not sit
// centred over the backdrop as designed. There the program runs through XWayland instead, on
// Qt's xcb platform, unless the user has chosen a platform.
namespace PlatformChoice {

// The Qt platform to ask for, from the session's WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM:
// "xcb" in a Wayland session that also offers an X display when the user has set no platform;
// otherwise empty, which leaves the choice to Qt. (A -platform argument needs no check here:
// Qt lets it override QT_QPA_PLATFORM.)
QByteArray forSession(const QByteArray &waylandDisplay, const QByteArray &x11Display,
                      const QByteArray &chosenPlatform);

// Puts the choice in place for this process through QT_QPA_PLATFORM. Call before the
// QApplication exists.
void apply();

} // namespace PlatformChoice
