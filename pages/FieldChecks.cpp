#include "pages/FieldChecks.h"

#include <QApplication>
#include <QLineEdit>
#include <algorithm>

namespace pagekit {

namespace {

bool Within(const QWidget* widget, const QWidget* control) {
    return widget && control && (widget == control || control->isAncestorOf(widget));
}

}  // namespace

FieldChecks::FieldChecks(QWidget* page) : QObject(page) {
    connect(qApp, &QApplication::focusChanged, this, &FieldChecks::FocusChanged);
}

void FieldChecks::Watch(QLineEdit* field, Handler change, Handler exit) {
    const std::size_t index = fields_.size();
    fields_.push_back({field, std::move(change), std::move(exit)});
    if (fields_.back().change) connect(field, &QLineEdit::textChanged, this, [this, index] { Changed(index); });
}

void FieldChecks::WatchExit(QWidget* control, Handler exit) {
    fields_.push_back({control, {}, std::move(exit)});
}

void FieldChecks::Changed(std::size_t field) {
    fields_[field].changed = true;
    if (!running_) RunDueChanges();  // else once the running check is done
}

void FieldChecks::RunDueChanges() {
    while (true) {
        auto due = std::find_if(fields_.begin(), fields_.end(), [](const Field& f) { return f.changed; });
        if (due == fields_.end()) return;
        due->changed = false;
        Run(due->change);
    }
}

// The user left a field for another control of its window. Focus that goes
// to another window (a message box, a dialog) or nowhere is no Exit.
void FieldChecks::FocusChanged(QWidget* old, QWidget* now) {
    if (running_ || !old || !now) return;
    for (const Field& field : fields_) {
        if (!field.exit || !Within(old, field.control) || Within(now, field.control)) continue;
        if (now->window() != field.control->window()) continue;
        Run(field.exit);
        RunDueChanges();
        return;
    }
}

void FieldChecks::Run(const Handler& handler) {
    running_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{running_};
    handler();
}

}  // namespace pagekit
