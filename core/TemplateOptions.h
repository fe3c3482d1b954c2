// Folder-template options: how each page takes the paths of a text-based
// folder template when it attaches it under a main folder. One entry per
// template index (1 page 04, 2 page 02, 3 page 03, 4 page 08, 5 page 15),
// kept program-wide in the settings store.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// At most one flag is meant to be 1; a flag counts only when it holds
// exactly 1 (a stored 2 is "not set").
struct _tagFoldersTemplateOptions {
    std::uint8_t ReplaceNo = 1;         // whole paths
    std::uint8_t ReplaceRemainder = 0;  // whole paths, search term -> main folder name
    std::string SearchTerm;
    std::uint8_t ReplaceFirst = 0;      // paths without their first folder
    std::uint8_t ReplaceAll = 0;        // without first folder, its name -> main folder name
};

using MAP_FOLDER_TEMPLATE_OPTIONS = std::map<int, _tagFoldersTemplateOptions>;

// Attach modes returned by GetFolderTemplateMode.
enum FolderTemplateMode : int {
    TemplateModeReplaceNo = 1,
    TemplateModeReplaceRemainder = 2,
    TemplateModeReplaceFirst = 3,
    TemplateModeReplaceAll = 4,
};

// Empties the map, then gives every listed index the default options.
void ResetFolderTemplateOptions(const std::vector<int>& templateIndices);
void ClearFolderTemplateOptions();
// Adds the entry or replaces every field of the one there.
void SetFolderTemplateOptions(int templateIndex, const _tagFoldersTemplateOptions& options);
// A copy; the default options for an index the map does not hold (the map
// is left as it was).
_tagFoldersTemplateOptions GetFolderTemplateOptions(int templateIndex);
// The attach mode (1 to 4) of the index. `searchTerm` is emptied and gets
// the stored term only in mode 2.
int GetFolderTemplateMode(int templateIndex, std::string& searchTerm);
MAP_FOLDER_TEMPLATE_OPTIONS CopyFolderTemplateOptionsMap();
