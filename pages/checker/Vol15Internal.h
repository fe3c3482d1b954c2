// Helpers shared by the source units of page 15.
#pragma once

#include <string>

#include "pages/checker/Vol15Engine.h"
#include "pages/PageMessages.h"

inline constexpr const char* kVol15Warning = "Warning no: ";
inline constexpr const char* kVol15Information = "Information no: ";
