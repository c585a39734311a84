#include "nativewindow.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The offscreen platform answers as X11 too, without a connection.
xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void NativeWindow::keepOutOfTaskbarAndSwitcher(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    // KWin's window switcher reads a state of its own.
    const xcb_atom_t states[] = { atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                  atom(connection, "_NET_WM_STATE_SKIP_PAGER"),
                                  atom(connection, "_KDE_NET_WM_STATE_SKIP_SWITCHER") };
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()),
                        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 3, states);
    xcb_flush(connection);
}

void NativeWindow::takeFocusWithoutWindowManager(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t *check = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, false, root, atom(connection, "_NET_SUPPORTING_WM_CHECK"),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr);
    const bool managed = check && xcb_get_property_value_length(check) > 0;
    std::free(check);
    if (managed)
        return;
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, xcb_window_t(window.winId()),
                        XCB_CURRENT_TIME);
    xcb_flush(connection);
}

void NativeWindow::flush()
{
    if (xcb_connection_t *connection = x11Connection())
        xcb_flush(connection);
}
