// What the three file pages' handlers share: their Include and Exclude
// lists' rules and the messages whose captions are built alike.
#pragma once

#include <string>

#include "pages/IncludeExcludeLists.h"
#include "pages/PageMessages.h"

// The rules the file pages' lists share: lines with a drive part, chosen
// folders and items trimmed of blanks, an empty import ends at its message.
// With `moreThanThree`, imported lines must be longer than three characters.
pagekit::IncludeExcludeProfile FileListProfile(bool moreThanThree);
// The delete and rename pages' root rule (message 110037): a line of three
// characters or fewer, or any spelling of a drive's root, is refused (true).
bool FileRefusesDriveRoot(const std::string& line);
