// The folders no run may work on, judged by the real folder behind a text:
// the root of a drive or of a file system however written, the program
// folder and its working folder.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Beneath.h"

// Whether a run may not work on a folder, for the many main folders of one
// run: the program's folders and each drive's root are opened once.
class RunFolderRefusal {
public:
    RunFolderRefusal(const std::string& programFolder, const std::string& workingDir);
    // Judged on the held folder and its own "..": a folder above it
    // swapped since its text was read leads nowhere else.
    bool Refuses(const plat::Beneath& folder);
    // True when the folder is the program folder or the working folder.
    bool IsProgramFolder(const plat::Beneath& folder) const;

private:
    std::vector<plat::FileIdentity> own_;
    std::map<std::string, plat::FileIdentity> driveRoots_;  // by drive part; none known: {}
};
