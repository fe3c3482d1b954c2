// Small pieces the three file pages' handlers share.
#pragma once

#include <string>

#include "pages/PageMessages.h"

class QWidget;

// Disables (or enables again) the main window's other tab sheets for a
// run of the page whose own sheet is `ownSheet` ("tabFileCopy").
void EnableFileTabSheets(QWidget* page, const char* ownSheet, bool enabled);
// A page message: the caption is the topic, twelve blanks, kind and number.
int FilePageBox(const std::string& text, const std::string& topic, const char* kind, const char* number,
                unsigned flags);
