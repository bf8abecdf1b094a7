// SPDX-License-Identifier: MIT
// The few X11 window calls that Qt does not offer.
#include "platform/X11Window.h"

#include <QGuiApplication>
#include <QWidget>

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

#if defined(MORVEK_HAVE_XCB) && QT_CONFIG(xcb)
#include <QThread>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window system's window of a top-level widget, made if need be. QWidget::winId can name
// a window that showing the widget has since replaced; the QWindow knows the current one.
xcb_window_t nativeWindow(QWidget* window) {
    window->winId();
    const QWindow* handle = window->windowHandle();
    return handle ? static_cast<xcb_window_t>(handle->winId()) : xcb_window_t{XCB_WINDOW_NONE};
}

xcb_window_t rootOf(xcb_connection_t* c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return screen ? screen->root : xcb_window_t{XCB_WINDOW_NONE};
}

std::optional<QMargins> readExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    // left, right, top, bottom; anything beyond a sane frame is no frame we can use
    for (int i = 0; i < 4; ++i)
        if (v[i] > 1000) return std::nullopt;
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// Whether the window manager lists the atom in _NET_SUPPORTED.
bool supported(xcb_connection_t* c, xcb_atom_t wanted) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootOf(c), atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

} // namespace

bool windowManagerRunning() {
    xcb_connection_t* c = connection();
    if (!c) return false;
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootOf(c), check, XCB_ATOM_WINDOW, 0, 1), nullptr));
    return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 4;
}

namespace {

// The window system counts device pixels; the widgets count Qt's logical ones.
std::optional<QMargins> inLogicalPixels(QWidget* window, std::optional<QMargins> device) {
    if (!device) return std::nullopt;
    const QWindow* handle = window->windowHandle();
    const qreal ratio = handle ? handle->devicePixelRatio() : window->devicePixelRatioF();
    if (ratio <= 0 || qFuzzyCompare(ratio, 1.0)) return device;
    return QMargins(qRound(device->left() / ratio), qRound(device->top() / ratio),
                    qRound(device->right() / ratio), qRound(device->bottom() / ratio));
}

} // namespace

std::optional<QMargins> frameExtents(QWidget* window, int timeoutMs) {
    xcb_connection_t* c = connection();
    if (!c || !window || !window->isWindow()) return std::nullopt;
    const xcb_window_t id = nativeWindow(window);
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    if (std::optional<QMargins> known = readExtents(c, id, extents))
        return inLogicalPixels(window, known);
    if (timeoutMs <= 0 || !windowManagerRunning()) return std::nullopt;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    if (!supported(c, request)) return std::nullopt;

    // Ask the window manager which frame it would give the window; it answers by setting the
    // property, usually within a few milliseconds.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, rootOf(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        QThread::msleep(2);
        if (std::optional<QMargins> answer = readExtents(c, id, extents))
            return inLogicalPixels(window, answer);
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

void sendDrawingNow() {
    if (xcb_connection_t* c = connection()) xcb_flush(c);
}

void passPointerThrough(QWidget* window) {
    xcb_connection_t* c = connection();
    if (!c || !window || !window->isWindow()) return;
    const xcb_window_t id = nativeWindow(window);
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED, id, 0,
                         0, 0, nullptr);
    xcb_flush(c);
}

#else

bool windowManagerRunning() {
    return false;
}
std::optional<QMargins> frameExtents(QWidget*, int) {
    return std::nullopt;
}
void passPointerThrough(QWidget*) {}

void sendDrawingNow() {}

#endif
