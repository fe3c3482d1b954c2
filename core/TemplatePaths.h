// Rewriting the paths of a folder structure (template) before they are
// joined to a main folder. No state; the only disk access is the folder
// test behind SplitParentFolder mode 1.
#pragma once

#include <string>

// Every occurrence of `term`, compared ignoring letter case (as ToLowerCase
// lowers), replaced by `replacement`, left to right. An empty term replaces
// nothing.
std::string ReplaceAllIgnoreCase(const std::string& text, const std::string& term,
                                 const std::string& replacement);

// Returns "\" + the first folder name of the path; `drive` gets its drive
// part and `remainder` the rest behind the first folder, beginning with a
// backslash (empty when the path holds one folder).
std::string SplitFirstFolder(const std::string& path, std::string& drive, std::string& remainder);

// Every occurrence of the search term replaced by the last name of the main
// folder.
std::string BuildTemplatePathReplaceRemainder(const std::string& path, const std::string& mainFolder,
                                              const std::string& searchTerm);
// The path without its drive and first folder, in which every occurrence of
// that first folder's name is replaced by the last name of the main folder.
std::string BuildTemplatePathReplaceAll(const std::string& path, const std::string& mainFolder);

// One template path rewritten for a main folder by template mode: 1 keep
// it, 2 replace the search term, 3 drop the first folder, 4 replace the
// first folder everywhere. Any other mode keeps the path.
std::string ExpandTemplatePath(const std::string& path, const std::string& mainFolder, int mode,
                               const std::string& searchTerm);

// The path the consistency checker compares for an include folder that lies
// inside the model main folder (modes 1, 4 and 5; any other gives ""). Mode 4
// sets `differs` when the structure's last name is not the first folder of
// the include folder's relative part; it never clears it.
std::string BuildExtraFolderPaths(const std::string& modelMainFolder, const std::string& includeFolder,
                                  const std::string& folderStructure, int mode, bool& differs);

// The path without its drive, every folder name followed by as many blanks
// as `modelText` has trailing characters of code 32 or less, and `suffix`.
std::string AppendTextToPathLevels(const std::string& path, const std::string& modelText,
                                   const std::string& suffix);
