#include "platform/qt/CompletionClick.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace qtplat {
namespace {

class CompletionClickThrough : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || !event->spontaneous()) return false;
        // A completer's list is itself the popup window; a combo box's list
        // lies inside a frame and keeps its own behaviour.
        auto* list = qobject_cast<QAbstractItemView*>(watched);
        if (!list || list != QApplication::activePopupWidget()) return false;
        auto* press = static_cast<QMouseEvent*>(event);
        if (list->rect().contains(press->position().toPoint())) return false;
        const QPoint at = press->globalPosition().toPoint();
        list->hide();
        QWidget* target = QApplication::widgetAt(at);
        QWidget* modal = QApplication::activeModalWidget();
        if (target && (!modal || modal == target->window() || modal->isAncestorOf(target))) {
            if (QWindow* window = target->window()->windowHandle()) {
                const QPointF local = window->mapFromGlobal(press->globalPosition());
                QMouseEvent again(QEvent::MouseButtonPress, local, local, press->globalPosition(), press->button(),
                                  press->buttons(), press->modifiers(), press->pointingDevice());
                QCoreApplication::sendEvent(window, &again);
            }
        }
        return true;
    }
};

}  // namespace

void InstallCompletionClickThrough() {
    static QPointer<QObject> installed;
    if (!qApp || installed) return;
    installed = new CompletionClickThrough(qApp);
    qApp->installEventFilter(installed);
}

}  // namespace qtplat
