#pragma once

class QWidget;

// What the window manager reads from a top-level window and Qt has no setting for, written on
// the X11 window itself; on other platforms nothing.
namespace NativeWindow {

// Out of the taskbar, the pager and the window switcher. Call after the native window exists
// (winId()) and before every mapping: window managers drop these states when a window is
// hidden, and Qt adds its own to them when it maps the window.
void keepOutOfTaskbarAndSwitcher(QWidget &window);

// Without a window manager, gives the window the keyboard as the latest change of the focus:
// Qt asks with the time of the last event it saw, which the X server ignores when another
// program has moved the focus since then (a tool that switches windows, say). With a window
// manager, which decides the focus itself, nothing is done.
void takeFocusWithoutWindowManager(QWidget &window);

// Sends the requests made so far (windows shown, say) to the X server at once rather than
// when the event loop next runs.
void flush();

} // namespace NativeWindow
