// How the runs read the lines of a folder list, whatever the page: a line
// as the text a run opens, the main folders of a list, and a text as the
// file system would resolve it.
#pragma once

#include <string>

#include "core/Types.h"

// A list line as every run reads it, so that each spelling the lists take
// gives one text: blanks and control characters around it dropped, "/"
// turned into "\", runs of "\" and of ":" collapsed (but for the two that
// begin a network path), and a trailing "\" dropped but for a drive's root.
// Each name stays byte for byte, its trailing blanks and dots included: a
// line names exactly the entry it spells.
std::string NormalizeFolderItem(const std::string& item);
// The same, `separators` getting how many "\\" it holds (its level, as
// CountPathSeparators counts it).
std::string NormalizeFolderItem(const std::string& item, unsigned long& separators);

// The Include list's main folders as a run takes them: the top-most ones
// (ExamineSubFolders::TopFolders) or, without `topMost`, the sorted ones.
// Lines are one when they read alike (NormalizeFolderItem), so that
// "C:/A/B" lies in "C:\A" as "C:\A\B" does and "C:\A\\" is "C:\A"; among
// the top-most, a root however written ("C:\A\..") is its drive and holds
// every folder on it, and a line with another "." or ".." name (which the
// runs refuse) holds nothing. Each comes as the list's first line of it
// gives it, blanks around it dropped.
StringList MainFoldersAsRead(const StringList& lines, bool topMost);
// The same main folders, each as the run reads its line (NormalizeFolderItem).
StringList FoldersAsRead(const StringList& lines, bool topMost);

// The item with "." names dropped and each ".." (or longer name of dots
// only) taking the name before it away (never above the drive): what a
// refusal by identity looks at.
std::string LexicallyResolved(const std::string& item);
