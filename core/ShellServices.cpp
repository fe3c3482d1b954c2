#include "core/ShellServices.h"

#include <unistd.h>

#include <optional>
#include <vector>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "platform/Desktop.h"
#include "platform/Beneath.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace {

// Longer than any path the file system can take.
constexpr std::size_t kMaxPathLength = 4096;

// "X:\..." with runs of separators made one and no trailing backslash;
// empty when the text is not such a path.
std::string CleanFullPath(const std::string& text) {
    std::string path = CollapseDoubleBackslashes(SlashesToBackslashes(TrimControlAndBlanks(text)));
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!letter || path.size() < 3 || path[1] != ':' || path[2] != '\\') return {};
    return path;
}

bool SameDriveLetter(char a, char b) { return (a | 0x20) == (b | 0x20); }

// The folder is the working folder or lies inside it, and every folder
// from the working folder down is a real folder, not a link.
bool IsSafeWorkingFolder(const std::string& folder, const std::string& workingDir) {
    if (folder.empty() || folder.size() > kMaxPathLength) return false;
    const std::string path = CleanFullPath(folder);
    const std::string work = CleanFullPath(workingDir);
    if (path.empty() || work.empty()) return false;
    if (HasDotFolderName(path) || HasDotFolderName(work)) return false;
    if (IsDriveRootPath(path) || IsDriveRootPath(work)) return false;
    if (!SameDriveLetter(path[0], work[0]) || path.compare(1, work.size() - 1, work, 1) != 0) return false;
    if (path.size() != work.size() && path[work.size()] != '\\') return false;
    for (std::size_t end = work.size(); end != std::string::npos; end = path.find('\\', end + 1))
        if (!plat::FolderExists(path.substr(0, end))) return false;
    return plat::FolderExists(path);
}

// The folder, clean, opened as `held`'s base when it is a safe working
// folder; "" when it is not, or cannot be opened. Held open: a link
// swapped in after the checks is never passed.
std::string OpenWorkingFolder(const std::string& folder, const std::string& workingDir, plat::Beneath& held) {
    if (!IsSafeWorkingFolder(folder, workingDir)) return {};
    std::string path = CleanFullPath(folder);
    return held.OpenOwn(path) == plat::FsResult::Ok ? path : std::string();
}

bool RecycleEntries(const std::string& folder, const std::string& workingDir, bool filesOnly) {
    plat::Beneath held;
    const std::string path = OpenWorkingFolder(folder, workingDir, held);
    if (path.empty()) return false;
    std::vector<plat::DirEntry> entries;
    std::vector<plat::DirEntry> unsayable;
    if (!held.List(path, entries, &unsayable)) return false;
    bool allMoved = unsayable.empty();
    for (const auto& entry : entries) {
        if (filesOnly && entry.kind == plat::EntryKind::Folder) continue;
        if (held.MoveToTrash(path + "\\" + entry.name) != plat::FsResult::Ok) allMoved = false;
    }
    return allMoved;
}

std::string WarningCaption(const std::string& topic, const char* number) {
    return topic + std::string(12, ' ') + "Warning no: " + number;
}

}  // namespace

bool ViewFolder(const std::string& folder, const std::string& topic) {
    if (plat::OpenFolderWithDesktop(folder)) return true;
    bool exists = false;
    plat::ReadBeside([&] { exists = plat::FolderExists(folder); });
    if (!exists) {
        WarnFolderNotExist(folder, topic);
    } else {
        plat::MessageBox("The folder could not be shown :\n" + folder +
                             "\n\nNo file manager opened it.\nAction : Install a file manager, or open the folder "
                             "with yours.",
                         WarningCaption(topic, "0455."), plat::MB_OK | plat::MB_ICONWARNING);
    }
    return false;
}

void WarnFolderNotExist(const std::string& folder, const std::string& topic) {
    plat::MessageBox("The folder does not exist :\n" + folder + "\n\nAction : Choose an existing folder.",
                     WarningCaption(topic, "0454."), plat::MB_OK | plat::MB_ICONWARNING);
}

bool ViewDocument(const std::string& file, const std::string& topic) {
    if (!file.empty() && plat::OpenDocumentWithDesktop(file)) return true;
    if (file.empty() || !plat::FileExists(file)) {
        plat::MessageBox("The file does not exist :\n" + file + "\n\nAction : Install the program again.",
                         WarningCaption(topic, "0454."), plat::MB_OK | plat::MB_ICONWARNING);
    } else {
        plat::MessageBox("The file could not be shown :\n" + file +
                             "\n\nNo viewer opened it.\nAction : Install a viewer for this type of file, or open "
                             "the file with yours.",
                         WarningCaption(topic, "0455."), plat::MB_OK | plat::MB_ICONWARNING);
    }
    return false;
}

FolderPick BrowseForFolder(void* owner) { return BrowseForFolder(owner, "Browse Title"); }

FolderPick BrowseForFolder(void* owner, const std::string& title) {
    const std::string chosen = plat::BrowseFolder(owner, title);
    if (chosen.empty()) return {};
    // Every list and field trims its lines (at most blanks and control
    // codes, at both ends): a path that trimming changes would name a twin.
    if (TrimControlAndBlanks(chosen) != chosen) {
        plat::MessageBox("The folder cannot be taken as picked :\n\"" + chosen +
                             "\"\n\nIts name ends in a blank or a control character, and the lists and fields trim "
                             "their lines, so the line would name another folder.\nAction : Rename the folder, or "
                             "choose another one.",
                         WarningCaption("Select the Folder.", "0457."), plat::MB_OK | plat::MB_ICONWARNING);
        return {{}, true};
    }
    bool exists = false;
    plat::ReadBeside([&] { exists = plat::FolderExists(chosen); });  // the folder may be on a share
    return {exists ? chosen : std::string(), false};
}

bool RecycleFolderContents(const std::string& folder) { return RecycleEntries(folder, GetWorkingDir(), false); }

bool RecycleFolderContents(const std::string& folder, const std::string& workingDir) {
    return RecycleEntries(folder, workingDir, false);
}

bool RecycleFolderFiles(const std::string& folder) { return RecycleEntries(folder, GetWorkingDir(), true); }

bool RecycleFolderFiles(const std::string& folder, const std::string& workingDir) {
    return RecycleEntries(folder, workingDir, true);
}

namespace {

// The folders of copies that do not hold the settings folder, in the
// working folder: the prefix, the process number and a count.
constexpr const char* kOwnFolderPrefix = "SECONDCOPY-";

// This copy's own folder in the working folder ("" none could be made);
// none chosen: the working folders themselves.
std::optional<std::string> ownFolder;

// Each folder of a copy that has ended goes to the trash: one whose lock
// this copy can take, taken while it goes. One without a lock file stays:
// nothing tells whether its copy still runs.
void RecycleEndedCopies(const std::string& workingDir) {
    plat::Beneath held;
    const std::string path = OpenWorkingFolder(workingDir, workingDir, held);
    std::vector<plat::DirEntry> entries;
    if (path.empty() || !held.List(path, entries)) return;
    for (const auto& entry : entries) {
        if (entry.kind != plat::EntryKind::Folder || !entry.name.starts_with(kOwnFolderPrefix)) continue;
        const std::string folder = path + "\\" + entry.name;
        const plat::FolderLock ended(folder, false);
        if (ended.GetStatus() == plat::FolderLock::Status::Held) held.MoveToTrash(folder);
    }
}

// A folder of this copy's own in the working folder, locked; null when no
// lock can be had (then the folder has no lock file, so no copy takes it
// for one that has ended). `folder` "" when none could be made.
std::unique_ptr<plat::FolderLock> MakeOwnFolder(const std::string& workingDir, std::string& folder) {
    folder.clear();
    plat::Beneath held;
    const std::string path = OpenWorkingFolder(workingDir, workingDir, held);
    if (path.empty()) return nullptr;
    const std::string stem = path + "\\" + kOwnFolderPrefix + std::to_string(getpid()) + "-";
    for (int count = 1; count <= 100; ++count) {
        const std::string own = stem + std::to_string(count);
        plat::FileIdentity madeId;
        const plat::FsResult made = held.MakeFolder(own, &madeId);
        if (made == plat::FsResult::AlreadyExists) continue;
        if (made != plat::FsResult::Ok) return nullptr;
        auto lock = std::make_unique<plat::FolderLock>(own);
        // A copy starting meanwhile may have taken it for an ended copy's
        // between the folder and its lock, and sent it to the trash: this
        // lock is then refused (InUse) or lies on a file gone with the
        // folder. Another name then; so too when the name no longer holds
        // the folder made.
        const plat::FolderLock::Status status = lock->GetStatus();
        plat::EntryInfo there;
        if (status == plat::FolderLock::Status::InUse ||
            (status == plat::FolderLock::Status::Held && !lock->InPlace()) ||
            held.Look(own, there) != plat::FsResult::Ok || there.kind != plat::EntryKind::Folder ||
            there.id != madeId)
            continue;
        if (status != plat::FolderLock::Status::Held) {
            held.RemoveFile(own + "\\" + plat::kFolderLockFile);
            lock.reset();
        }
        held.MakeFolder(own + "\\COPYFILES");
        held.MakeFolder(own + "\\RENAMEFILES");
        folder = own;
        return lock;
    }
    return nullptr;
}

std::string OwnSubfolder(const char* name) { return ownFolder->empty() ? "" : *ownFolder + "\\" + name; }

}  // namespace

std::string GetOwnWorkingDirCopyFiles() { return ownFolder ? OwnSubfolder("COPYFILES") : GetWorkingDirCopyFiles(); }

std::string GetOwnWorkingDirRenameFiles() { return ownFolder ? OwnSubfolder("RENAMEFILES") : GetWorkingDir(); }

std::unique_ptr<plat::FolderLock> TakeOwnWorkingFolders(bool holdsSettingsFolder) {
    if (holdsSettingsFolder) {
        ownFolder.reset();
        // Working copies are named only by undo records in memory: what an
        // ended session left goes.
        RecycleFolderFiles(GetWorkingDirCopyFiles());
        RecycleFolderFiles(GetWorkingDir());
        RecycleEndedCopies(GetWorkingDir());
        return nullptr;
    }
    std::string folder;
    std::unique_ptr<plat::FolderLock> lock = MakeOwnFolder(GetWorkingDir(), folder);
    ownFolder = folder;
    return lock;
}

bool HasAtMostSubfolders(unsigned long limit, const std::string& folder) {
    std::vector<plat::DirEntry> entries;
    if (!plat::ListFolder(folder, entries)) return true;
    unsigned long count = 0;
    for (const auto& entry : entries)
        if (entry.kind == plat::EntryKind::Folder && ++count > limit) return false;
    return true;
}
