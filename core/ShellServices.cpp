#include "core/ShellServices.h"

#include <atomic>
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

bool RecycleEntries(const std::string& folder, const std::string& workingDir, bool filesOnly) {
    if (!IsSafeWorkingFolder(folder, workingDir)) return false;
    const std::string path = CleanFullPath(folder);
    // Held open: a link swapped in after the checks is never passed.
    plat::Beneath held;
    if (held.Open(path) != plat::FsResult::Ok) return false;
    std::vector<plat::DirEntry> entries;
    std::size_t untranslatable = 0;
    if (!held.List(path, entries, &untranslatable)) return false;
    bool allMoved = untranslatable == 0;
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
    if (!plat::FolderExists(folder)) {
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

std::string BrowseForFolder(void* owner) { return BrowseForFolder(owner, "Browse Title"); }

std::string BrowseForFolder(void* owner, const std::string& title) {
    const std::string chosen = plat::BrowseFolder(owner, title);
    if (chosen.empty() || !plat::FolderExists(chosen)) return {};
    return chosen;
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
std::atomic<bool> workingFoldersOwned{true};
}

void SetWorkingFoldersOwned(bool owned) { workingFoldersOwned = owned; }
bool WorkingFoldersOwned() { return workingFoldersOwned; }

bool HasAtMostSubfolders(unsigned long limit, const std::string& folder) {
    std::vector<plat::DirEntry> entries;
    if (!plat::ListFolder(folder, entries)) return true;
    unsigned long count = 0;
    for (const auto& entry : entries)
        if (entry.kind == plat::EntryKind::Folder && ++count > limit) return false;
    return true;
}
