// Helpers shared by the source units of page 02's run, simulation and undo.
#pragma once

#include <cstdint>
#include <string>

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

// A structure list entry as the run and the measurement take it: trimmed,
// without trailing backslashes (a drive root keeps its one).
std::string Vol02StructureEntry(const std::string& entry);
// The text behind the last backslash or colon.
std::string Vol02LastName(const std::string& path);
// True when `path` is `folder` or lies inside it, however either is spelled
// (letter case, separators, trailing blanks and dots of a name).
bool Vol02PathWithin(const std::string& path, const std::string& folder);
// The refusal of a structure that is, or holds, the folder it would go into.
std::string Vol02SameFolderMessage(const std::string& destination, const std::string& source);

// The disk-space verdict once the structures are measured: true when the
// free bytes exceed the bytes to copy; else message 20059.
bool Vol02WeighDiskSpace(Vol02State& state, const Vol02Inputs& in, std::uint64_t freeBytes, const std::string& root);
