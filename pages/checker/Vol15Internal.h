// Helpers shared by the source units of page 15.
#pragma once

#include <string>

#include "pages/checker/Vol15Engine.h"
#include "pages/PageMessages.h"

inline constexpr const char* kVol15Warning = "Warning no: ";
inline constexpr const char* kVol15Information = "Information no: ";
inline constexpr const char* kVol15Topic = "Checking Projects Consistency.";

// A message box of the page: "Checking Projects Consistency." and twelve
// blanks before the kind unless told otherwise.
inline int Vol15Box(const std::string& text, int number, unsigned flags, const char* kind = kVol15Warning,
                    int blanks = 12) {
    return plat::MessageBox(text, Vol15Caption(1, blanks, kind, number), flags);
}
