#include "platform/qt/WindowManagerClose.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace qtplat {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

class CloseWatch : public QAbstractNativeEventFilter {
public:
    CloseWatch(xcb_atom_t protocols, xcb_atom_t deleteWindow) : protocols_(protocols), delete_(deleteWindow) {}
    std::function<bool(QWidget*)> takes;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (!takes || type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->format != 32 || client->type != protocols_ || client->data.data32[0] != delete_) return false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const QWindow* handle = window->windowHandle();
            if (handle && handle->handle() && handle->winId() == client->window) return takes(window);
        }
        return false;
    }

private:
    xcb_atom_t protocols_, delete_;
};

}  // namespace

void WatchWindowManagerCloses(std::function<bool(QWidget*)> takes) {
    static CloseWatch* watch = nullptr;
    if (!watch) {
        auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
        if (!connection) return;
        watch = new CloseWatch(Atom(connection, "WM_PROTOCOLS"), Atom(connection, "WM_DELETE_WINDOW"));
        qApp->installNativeEventFilter(watch);  // lives as long as the program
    }
    watch->takes = std::move(takes);
}

}  // namespace qtplat
