// Types that every layer passes around.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>

// Every list the program keeps is a double-ended queue of texts.
using StringList = std::deque<std::string>;

// Level-ordered work queue of folder walks: lowest level first walking
// forwards, deepest first walking backwards; equal levels keep their
// insertion order (std::multimap inserts behind equal keys).
using AS_MULTIMAP_NIVO_FOLDER_NAMES = std::multimap<unsigned long, std::string>;
using AS_PAIR_NIVO_FOLDER_NAMES = std::pair<unsigned long, std::string>;
using PAIR_NIVO_FOLDER_NAMES = AS_PAIR_NIVO_FOLDER_NAMES;

// A file path with its size in bytes.
using PAIR_FILE_NAME_SIZE = std::pair<std::string, std::uint64_t>;
using MAP_FILE_NAME_SIZE = std::map<std::string, std::uint64_t>;

// One old path and one new path: a rename, or an overwrite and its backup.
struct _tagReplaceFoldersStruct {
    std::string OldPath;
    std::string NewPath;
};
using DEQ_REPLACE_FOLDER_STRUCT = std::deque<_tagReplaceFoldersStruct>;
using AS_MAP_REPLACE_FOLDER_STRUCT = std::map<std::string, DEQ_REPLACE_FOLDER_STRUCT>;

// The fixed parts around each item of a new folder's path, joined in order
// 0 to 3: [0] destination with trailing backslash, prefix and its separator;
// [1] the folder's own name where the builder knows it; [2] the suffix
// separator; [3] the suffix; [4] unused.
struct _tagVol0XParts {
    std::string Part[5];
};
