// Helpers shared by the source units of page 15.
#pragma once

#include <string>

#include "pages/checker/Vol15Engine.h"
#include "platform/MessageBox.h"

inline constexpr unsigned kVol15Warn = plat::MB_OK | plat::MB_ICONWARNING;
inline constexpr unsigned kVol15Ask = plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2;
inline constexpr const char* kVol15Warning = "Warning no: ";
inline constexpr const char* kVol15Information = "Information no: ";
inline constexpr const char* kVol15Topic = "Checking Projects Consistency.";

// A message box of the page: "Checking Projects Consistency." and twelve
// blanks before the kind unless told otherwise.
inline int Vol15Box(const std::string& text, int number, unsigned flags, const char* kind = kVol15Warning,
                    int blanks = 12) {
    return plat::MessageBox(text, Vol15Caption(1, blanks, kind, number), flags);
}

// The end boxes of the imports, whose captions read "rning no:".
inline void Vol15ImportEndBox(const char* number) {
    plat::MessageBox("End of the Import Process !!!\n", std::string(kVol15Topic) + "        rning no: " + number + ".",
                     kVol15Warn);
}
