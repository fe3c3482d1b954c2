// The folders no run may work on, judged by the real folder behind a text:
// the root of a drive or of a file system however written, and the
// program's own: its folder, its working folder and anything in that (the
// working copies there keep other files' old content for an Undo).
#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/Types.h"
#include "platform/Beneath.h"

// Whether a run may not work on a folder, for the many folders of one run:
// the program's folders and each drive's root are opened once, and the
// folders met above those judged are remembered for the run. One worker's.
class RunFolderRefusal {
public:
    RunFolderRefusal(const std::string& programFolder, const std::string& workingDir);
    // A root or the program's own. Judged on the held folder and the
    // folders above it as ".." leads: a folder above it swapped since its
    // text was read leads nowhere else.
    bool Refuses(const plat::Beneath& folder);
    // The program folder, the working folder, or a folder in the working folder.
    bool IsOwnFolder(const plat::Beneath& folder);
    // The same for an entry of `parent` (its identity), judged before the
    // run renames it by its name there: a folder that holds the program
    // folder is the program's own too, as the rename would move it.
    bool IsOwnEntry(const plat::Beneath& parent, const plat::FileIdentity& entry);
    // A folder above the program folder.
    bool HoldsProgramFolder(const plat::FileIdentity& folder) const;
    // A folder directly in the program folder: renaming or removing it is a
    // change made in the program folder.
    bool InProgramFolder(const plat::Beneath& folder) const;

private:
    struct IdentityHash {
        std::size_t operator()(const plat::FileIdentity& id) const { return id.dev * 0x9E3779B97F4A7C15ULL ^ id.ino; }
    };
    bool InWorkingFolder(const plat::Beneath& folder);

    plat::FileIdentity program_, working_;
    std::vector<plat::FileIdentity> aboveProgram_;  // up to the root
    // Folders already judged: in the working folder, or not (most folders
    // of a run share their parents, which are then climbed from once).
    std::unordered_set<plat::FileIdentity, IdentityHash> inside_, outside_;
    std::map<std::string, plat::FileIdentity> driveRoots_;  // by drive part; none known: {}
};

// A run's refusals, one per worker, each made when its worker first asks.
class WorkerRefusals {
public:
    WorkerRefusals(unsigned workers, std::string programFolder, std::string workingDir)
        : program_(std::move(programFolder)), working_(std::move(workingDir)), refusals_(workers) {}
    RunFolderRefusal& Of(unsigned worker) {
        std::unique_ptr<RunFolderRefusal>& refusal = refusals_[worker];
        if (!refusal) refusal = std::make_unique<RunFolderRefusal>(program_, working_);
        return *refusal;
    }

private:
    std::string program_, working_;
    std::vector<std::unique_ptr<RunFolderRefusal>> refusals_;
};

// Where a line enters a list: true when its text, as the file system
// reads it (letter case, separators, "." and ".." names), names the program
// folder, the working folder or a folder in that. (A run judges by identity.)
bool NamesOwnFolder(const std::string& item, const std::string& programFolder, const std::string& workingDir);

// The text of the box that refuses one of the program's own folders: "The
// <operation> operation is NOT PERFORMED !!!" and why, naming it as `kind`;
// `above`: a folder that holds the program folder is refused too.
std::string OwnFolderRefusal(const std::string& operation, const std::string& kind, const std::string& folder,
                             bool above = false);

// The text of the box that refuses a folder lying directly in the program's
// folder, which the run would rename or remove: "The <operation> operation
// is NOT PERFORMED !!!" and why, naming it as `kind`.
std::string InProgramFolderRefusal(const std::string& operation, const std::string& kind, const std::string& folder);

// Which of the listed folders a run may not work on, and why.
struct OwnFolderFound {
    std::size_t index = 0;
    bool inProgram = false;  // it lies directly in the program folder (else it is one of the program's own)
};
// Before a run changes anything: the first of the listed `folders` that
// reaches one of the program's own (`above`: or holds the program folder;
// `entry`: or lies directly in the program folder, for a run that renames
// or removes the listed folder itself), each opened as the runs open their
// items, on the run pool. None: nullopt (also when a look failed: the
// failure is noted for the failure box).
std::optional<OwnFolderFound> FirstOwnFolder(const StringList& folders, const std::string& programFolder,
                                             const std::string& workingDir, bool above = false, bool entry = false);
