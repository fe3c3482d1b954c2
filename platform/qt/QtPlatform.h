// The Qt half of the platform layer: real message boxes, the folder browser,
// opening folders and documents with the desktop, and the modal-window seam.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QDialog;
class QMessageBox;
class QWidget;

namespace qtplat {

// Installs the message-box, folder-browser and open-folder/document handlers that
// talk to the user. Called once by main; tests install scripted ones.
void InstallDesktopHandlers();

// The box the installed message-box handler shows, not shown yet: icon and
// buttons from the flags, and wide enough for its whole caption (which
// carries the message number users quote).
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption, unsigned flags,
                                            QWidget* owner = nullptr);

// Shows `window` modeless, in front, and lets it paint before the caller
// goes on: the window manager maps a window in a moment, and its first
// paint comes from the event loop, which a run's work may not reach for
// seconds. Input that comes meanwhile is dropped (ProcessPendingPaints).
void ShowPainted(QWidget* window);

// Every modal window is shown through here, so tests can answer it.
// Returns the dialog's result code.
int ExecModal(QDialog* dialog);
using ModalHandler = std::function<int(QDialog* dialog)>;
ModalHandler SetModalHandler(ModalHandler handler);

// Lets pending paint events run during a long loop without letting the user
// start another handler meanwhile: user input that comes meanwhile is
// dropped, never held for later.
void ProcessPendingPaints();

// Whether the program waits: from a handler's wait (ProcessPendingPaints)
// until that handler has returned to the event loop that called it, boxes
// it shows after the wait included. A close and the end of the session
// wait for it as for a run (pages/RunBusy.h).
bool WaitUnderWay();
// Whether a wait under way began with `modal` the topmost modal window.
bool WaitsIn(const QWidget* modal);
// `action` from the event loop once no wait is under way.
void AfterWaits(std::function<void()> action);

}  // namespace qtplat
