#include "pages/RunBusy.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

#include "platform/qt/QtPlatform.h"

namespace {
int depth = 0;  // guards may nest
QPointer<QWidget> runWindow;  // the modal window the outermost run began in

std::vector<std::function<void()>>& Waiting() {
    static std::vector<std::function<void()>> waiting;
    return waiting;
}

void RunWaiting() {
    if (depth > 0) return;  // another run began meanwhile: its end runs them
    // The handler that waited goes on: once it has returned.
    if (qtplat::WaitUnderWay()) return qtplat::AfterWaits(RunWaiting);
    std::vector<std::function<void()>> actions;
    actions.swap(Waiting());
    for (const auto& action : actions) action();
}

QWidget* TopModal() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeModalWidget() : nullptr;
}

// A modal window waits for its own runs and waits only: the handler that
// opened it may have waited before, and waits for the window in turn.
bool FreeIn(const QWidget* modal) {
    if (QApplication::activePopupWidget() || TopModal() != modal) return false;
    return modal ? !RunBusy::RunsIn(modal) : !RunBusy::Busy();
}

// An event loop about to wait for events is at its top: a handler it runs
// is over, or has opened a window of its own (modal, or a popup menu).
// Loops that only let paints through never wait.
void AwaitFree(const QPointer<QWidget>& modal, bool forModal, const std::function<void()>& action) {
    const auto closed = [modal, forModal] { return forModal && (!modal || !modal->isVisible()); };
    if (closed()) return;
    if (FreeIn(modal)) return action();
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) return;
    auto waiting = std::make_shared<QMetaObject::Connection>();
    *waiting = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, qApp, [=] {
        if (!closed() && !FreeIn(modal)) return;
        QObject::disconnect(*waiting);
        // Judged again as the loop goes on: an event waiting in it may start a handler first.
        QTimer::singleShot(0, qApp, [=] { AwaitFree(modal, forModal, action); });
    });
}
}  // namespace

RunBusy::RunBusy() {
    if (depth++ == 0) runWindow = TopModal();
}

RunBusy::~RunBusy() {
    if (--depth > 0 || Waiting().empty()) return;
    // A run ends inside its handler: what waits for it runs from the event
    // loop after that handler.
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), RunWaiting);
    else
        RunWaiting();
}

bool RunBusy::Busy() { return depth > 0 || qtplat::WaitUnderWay(); }

bool RunBusy::RunsIn(const QWidget* window) {
    return window && ((depth > 0 && runWindow == window) || qtplat::WaitsIn(window));
}

void RunBusy::WhenIdle(std::function<void()> action) {
    if (!Busy()) return action();
    Waiting().push_back(std::move(action));
    if (depth == 0) qtplat::AfterWaits(RunWaiting);  // a wait alone: no run's end runs them
}

void RunBusy::WhenFree(QWidget* modal, std::function<void()> action) {
    if (modal) return AwaitFree(modal, true, action);
    WhenIdle([action = std::move(action)] { AwaitFree(nullptr, false, action); });
}
