// The look the help and example windows share: the light blue background,
// bold maroon buttons and the help lists' font.
#pragma once

class QDialog;
class QListWidget;
class QPushButton;

namespace helplook {
void ApplyWindowLook(QDialog* window);
void MakeMaroonButton(QPushButton* button);
// A list of help lines: Verdana, shown as stored (no wrapping; it scrolls
// sideways).
void SetUpHelpList(QListWidget* list);
// Shows the window modally through the platform seam; returns its result.
// A window that is already shown modally is not shown again (-1).
int ShowModal(QDialog* window);
}  // namespace helplook
