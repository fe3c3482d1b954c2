// The Exit and Change handlers of a page's fields, run as a user expects:
//
//  - Change runs after every change of the field's text, whoever makes it
//    (typing, a restore, another handler).
//  - Exit runs only when the focus moves from the field to another control
//    of the same window. A message box, a dialog or another window taking
//    the focus is not the user leaving the field, and neither is the window
//    losing the focus.
//  - No check runs inside another check of the same page. A change that a
//    running check makes (cutting a forbidden character off the text) runs
//    Change once more right after it, until the text stops changing; an Exit
//    that a running check causes (by its message box or by moving the
//    focus) is dropped.
//
// A page owns one FieldChecks and registers each field once, in its
// constructor, instead of connecting the field's signals itself:
//
//     checks_ = new pagekit::FieldChecks(this);
//     checks_->Watch(ui->edtVol02Prefix, [this] { edtVol02PrefixChange(); },
//                    [this] { edtVol02PrefixExit(); });
//     checks_->WatchExit(ui->cboVol03Something, [this] { cboVol03SomethingExit(); });
//
// The handlers keep the program's names and stay callable directly; only the
// events reach them through here.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace pagekit {

class FieldChecks : public QObject {
public:
    using Handler = std::function<void()>;

    explicit FieldChecks(QWidget* page);

    // Change on every change of the text, Exit on leaving; either may be empty.
    void Watch(QLineEdit* field, Handler change, Handler exit);
    // Exit only, for any control (the focus may sit on a child of it).
    void WatchExit(QWidget* control, Handler exit);

    // True while a check of this page runs.
    bool Running() const { return running_; }

private:
    struct Field {
        QPointer<QWidget> control;
        Handler change;
        Handler exit;
        bool changed = false;  // changed while a check ran: Change is due
    };

    void Changed(std::size_t field);
    void RunDueChanges();
    void FocusChanged(QWidget* old, QWidget* now);
    void Run(const Handler& handler);

    std::vector<Field> fields_;
    bool running_ = false;
};

}  // namespace pagekit
