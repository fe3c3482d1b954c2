#include "pages/RunBusy.h"

#include <QCoreApplication>
#include <QTimer>

#include <utility>
#include <vector>

namespace {
int depth = 0;  // guards may nest

std::vector<std::function<void()>>& Waiting() {
    static std::vector<std::function<void()>> waiting;
    return waiting;
}

void RunWaiting() {
    if (RunBusy::Busy()) return;  // another run began meanwhile: its end runs them
    std::vector<std::function<void()>> actions;
    actions.swap(Waiting());
    for (const auto& action : actions) action();
}
}  // namespace

RunBusy::RunBusy() { ++depth; }

RunBusy::~RunBusy() {
    if (--depth > 0 || Waiting().empty()) return;
    // A run ends inside its handler: what waits for it runs from the event
    // loop after that handler.
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), RunWaiting);
    else
        RunWaiting();
}

bool RunBusy::Busy() { return depth > 0; }

void RunBusy::WhenIdle(std::function<void()> action) {
    if (!Busy()) return action();
    Waiting().push_back(std::move(action));
}
