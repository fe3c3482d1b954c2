// What the folder pages' engines (rename 06, delete 07) share below their
// windows: whether a list item is a path a run may use, and the folders
// that hold a run's items.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/PathTools.h"
#include "platform/Beneath.h"

// True when a run may not use the (normalised) item, by the runs' shared
// item check: no drive, a "." or ".." name, an empty last name, the root
// of a drive, a path relative to a drive's current folder ("C:Data").
bool UnusableFolderItem(const std::string& item);
// True when a new last name names no entry of its own: empty as the file
// system reads it, made of dots, or holding a separator or colon.
bool UnusableFolderName(std::string_view name);

// The folders that hold a run's items, opened as they are asked for and
// kept a few dozen at a time; one opened on another worker's table of
// handles is opened again. A folder that cannot be opened gives null.
class ParentBases {
public:
    plat::Beneath* Get(std::string_view parent);
    // Lets every folder go, e.g. when the ones below may have new names.
    void Clear();

private:
    std::unordered_map<std::string, std::unique_ptr<plat::Beneath>> open_;
    std::string last_;
    plat::Beneath* lastBase_ = nullptr;
};
