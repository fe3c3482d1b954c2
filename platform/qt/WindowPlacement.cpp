#include "platform/qt/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace qtplat {
namespace {

constexpr const char* kShownAt = "qmShownAt";  // the frame's place when last hidden

// What a window manager adds around a window that has not been shown yet.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 32;

bool IsPlacedWindow(const QWidget* widget) {
    if (!widget->isWindow()) return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

// Shrinks the window, never below its minimum, until its frame fits the
// screen's free area, and moves it onto that area.
void FitToScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QSize frame = window->frameGeometry().size() - window->size();
    if (frame.isEmpty()) frame = QSize(kFrameWidth, kFrameHeight);
    const QSize room = area.size() - frame;
    const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QSize fitted(std::max(std::min(window->width(), room.width()), least.width()),
                       std::max(std::min(window->height(), room.height()), least.height()));
    if (fitted != window->size()) window->resize(fitted);
    const QPoint last(area.right() + 1 - fitted.width() - frame.width(),
                      area.bottom() + 1 - fitted.height() - frame.height());
    const auto onScreen = [&](QPoint at) {
        return QPoint(std::clamp(at.x(), area.left(), std::max(area.left(), last.x())),
                      std::clamp(at.y(), area.top(), std::max(area.top(), last.y())));
    };
    // A dialog keeps the place Qt gives it over its owner as it shows (after
    // this filter); a window placed before it shows keeps that place.
    if (window->windowType() != Qt::Window || window->testAttribute(Qt::WA_Moved)) {
        const QPoint at = window->pos();
        if (onScreen(at) != at) window->move(onScreen(at));
        return;
    }
    // A main window nobody placed opens in the middle of the free area, at
    // a place the program names: left to the window manager, openbox
    // cascades a second copy's window below the first one's, its bottom off
    // the screen. The place is the frame's corner (the window manager knows
    // its frame; the program does not before the window is mapped, and a
    // place given to the window itself puts the title bar above it); the
    // widget is told it first, so that showing it does not place it again.
    const QPoint middle = onScreen((area.topLeft() + last) / 2);
    window->move(middle);
    if (QWindow* handle = window->windowHandle()) handle->setFramePosition(middle);
}

class WindowPlacement : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Show && type != QEvent::Hide) || event->spontaneous() || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (!IsPlacedWindow(window)) return false;
        if (type == QEvent::Hide) {
            window->setProperty(kShownAt, window->pos());  // a window's pos() is its frame's
        } else if (const QVariant at = window->property(kShownAt); at.isValid()) {
            window->move(at.toPoint());
        } else {
            FitToScreen(window);
        }
        return false;
    }
};

}  // namespace

void InstallWindowPlacement() {
    static QPointer<QObject> installed;
    if (!qApp || installed) return;
    installed = new WindowPlacement(qApp);
    qApp->installEventFilter(installed);
}

}  // namespace qtplat
