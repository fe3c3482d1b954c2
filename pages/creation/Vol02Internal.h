// Helpers shared by the source units of page 02's run, simulation and undo.
#pragma once

#include <cstdint>
#include <string>

#include "pages/creation/FolderCreator.h"
#include "pages/creation/Vol02Engine.h"

// Message captions: the topic, twelve blanks, the kind and the number.
inline constexpr const char* kVol02Topic = "Creating Folder(s).-From a String List.";
inline constexpr const char* kVol02SimulateTopic = "Simulate Creating Folder(s).-From a String List.";
inline constexpr const char* kVol02FolderListTopic = "Creating Folder(s).-From a Folder List.";
inline constexpr const char* kVol02SimulateFolderListTopic = "Simulate Creating Folder(s).-From a Folder List.";
std::string Vol02Caption(const std::string& topic, int number, bool warning);
// A message box of the page, caption with `blanks` blanks before the kind.
int Vol02Box(const std::string& text, int number, bool warning, unsigned flags, int blanks = 12);
inline constexpr unsigned kVol02Warn = 0x30;  // OK, warning icon
inline constexpr unsigned kVol02Ask = 0x124;  // Yes/No, question icon, No the default

inline std::string Vol02StructureEntry(const std::string& entry) { return StructureEntryText(entry); }
