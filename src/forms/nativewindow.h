#pragma once

class QWidget;

// What the window manager reads from a top-level window and Qt has no setting for, written on
// the X11 window itself; on other platforms nothing.
namespace NativeWindow {

// Out of the taskbar, the pager and the window switcher. Call after the native window exists
// (winId()) and before every mapping: window managers drop these states when a window is
// hidden, and Qt adds its own to them when it maps the window.
void keepOutOfTaskbarAndSwitcher(QWidget &window);

// Gives the window the keyboard focus where no window manager hands the focus out. The request
// carries the server's own time, so that a focus change another program made a moment before
// (xdotool, a pager) cannot outdate it, as it outdates the time Qt last saw.
void focusWithoutWindowManager(QWidget &window);

// Sends the requests made so far (windows shown, say) to the X server at once rather than
// when the event loop next runs.
void flush();

} // namespace NativeWindow
