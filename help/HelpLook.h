// The look the help and example windows share: the light blue background,
// bold maroon buttons and the help lists.
#pragma once

#include <QStringList>

class QDialog;
class QListWidget;
class QPushButton;

namespace helplook {
void ApplyWindowLook(QDialog* window);
void MakeMaroonButton(QPushButton* button);
// A list of help lines, shown as stored (no wrapping; it scrolls sideways)
// in a fixed-pitch font, so that the columns the lines line up with blanks
// stay in line. Nothing in it is ever drawn as selected or current.
void SetUpHelpList(QListWidget* list);
// Fills the list with the lines, leaving out the blank ones it would open
// with.
void SetHelpLines(QListWidget* list, const QStringList& lines);
// Shows the window modally through the platform seam; returns its result.
// A window that is already shown modally is not shown again (-1).
int ShowModal(QDialog* window);
}  // namespace helplook
