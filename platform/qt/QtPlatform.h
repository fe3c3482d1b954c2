// The Qt half of the platform layer: real message boxes, the folder browser,
// opening folders and documents with the desktop, and the modal-window seam.
#pragma once

#include <functional>

class QDialog;

namespace qtplat {

// Installs the message-box, folder-browser and open-folder/document handlers that
// talk to the user. Called once by main; tests install scripted ones.
void InstallDesktopHandlers();

// Every modal window is shown through here, so tests can answer it.
// Returns the dialog's result code.
int ExecModal(QDialog* dialog);
using ModalHandler = std::function<int(QDialog* dialog)>;
ModalHandler SetModalHandler(ModalHandler handler);

// Lets pending paint events run during a long loop without letting the user
// start another handler meanwhile (user input is excluded).
void ProcessPendingPaints();

}  // namespace qtplat
