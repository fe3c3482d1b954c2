#include "pages/RunFolderRefusal.h"

#include <algorithm>
#include <memory>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/AttachWalk.h"
#include "pages/ListedFolders.h"
#include "pages/RunItems.h"

RunFolderRefusal::RunFolderRefusal(const std::string& programFolder, const std::string& workingDir) {
    plat::Beneath own;
    if (!programFolder.empty() && own.Open(programFolder) == plat::FsResult::Ok) {
        program_ = own.Identity();
        aboveProgram_ = own.Ancestry();
        if (!aboveProgram_.empty()) aboveProgram_.erase(aboveProgram_.begin());  // itself
    }
    if (!workingDir.empty() && own.Open(workingDir) == plat::FsResult::Ok) working_ = own.Identity();
}

bool RunFolderRefusal::Refuses(const plat::Beneath& folder) {
    // The root of the whole tree, or of a file system mounted into it.
    const std::vector<plat::FileIdentity> chain = folder.Ancestry(2);
    if (chain.size() < 2 || folder.Identity().dev != chain[1].dev) return true;
    if (IsOwnFolder(folder)) return true;
    const std::string drive = GetDrivePart(folder.Folder());
    if (drive.empty()) return false;
    auto root = driveRoots_.find(drive);
    if (root == driveRoots_.end()) {
        plat::Beneath open;
        root = driveRoots_.emplace(drive, open.Open(drive + "\\") == plat::FsResult::Ok ? open.Identity()
                                                                                     : plat::FileIdentity{}).first;
    }
    return root->second.Known() && root->second == folder.Identity();
}

bool RunFolderRefusal::IsOwnFolder(const plat::Beneath& folder) {
    return (program_.Known() && folder.Identity() == program_) || InWorkingFolder(folder);
}

bool RunFolderRefusal::IsOwnEntry(const plat::Beneath& parent, const plat::FileIdentity& entry) {
    if (entry.Known() && (entry == program_ || entry == working_ || HoldsProgramFolder(entry))) return true;
    return InWorkingFolder(parent);
}

bool RunFolderRefusal::HoldsProgramFolder(const plat::FileIdentity& folder) const {
    return folder.Known() && std::find(aboveProgram_.begin(), aboveProgram_.end(), folder) != aboveProgram_.end();
}

bool RunFolderRefusal::InProgramFolder(const plat::Beneath& folder) const {
    if (!program_.Known()) return false;
    const std::vector<plat::FileIdentity> chain = folder.Ancestry(2);
    return chain.size() == 2 && chain[1] == program_;
}

bool RunFolderRefusal::InWorkingFolder(const plat::Beneath& folder) {
    if (!working_.Known()) return false;
    const plat::FileIdentity id = folder.Identity();
    if (id == working_ || inside_.count(id)) return true;
    if (outside_.count(id)) return false;
    // Its parent judged before answers for it; else the climb to the root.
    std::vector<plat::FileIdentity> chain = folder.Ancestry(2);
    if (chain.size() == 2 && (chain[1] == working_ || inside_.count(chain[1]))) {
        inside_.insert(id);
        return true;
    }
    if (chain.size() == 2 && outside_.count(chain[1])) {
        outside_.insert(id);
        return false;
    }
    chain = folder.Ancestry();
    const auto at = std::find(chain.begin(), chain.end(), working_);
    if (at == chain.end()) {
        outside_.insert(chain.begin(), chain.end());
        return false;
    }
    inside_.insert(chain.begin(), at);
    outside_.insert(at + 1, chain.end());
    return true;
}

bool NamesOwnFolder(const std::string& item, const std::string& programFolder, const std::string& workingDir) {
    const std::string path = LexicallyResolved(NormalizeFolderItem(item));
    const auto folder = [](const std::string& own) { return LexicallyResolved(NormalizeFolderItem(own)); };
    if (!TrimControlAndBlanks(programFolder).empty()) {
        const std::string program = folder(programFolder);
        if (PathWithinFolder(path, program) && PathWithinFolder(program, path)) return true;
    }
    return !TrimControlAndBlanks(workingDir).empty() && PathWithinFolder(path, folder(workingDir));
}

std::string OwnFolderRefusal(const std::string& operation, const std::string& kind, const std::string& folder,
                             bool above) {
    return "The " + operation + " operation is NOT PERFORMED !!!\nThe " + kind +
           (above ? " is the program's folder or holds it, or is its working folder or lies in it !!! \n"
                  : " is the program's folder or its working folder, or lies in the working folder !!! \n") +
           kind + " : " + folder;
}

std::string InProgramFolderRefusal(const std::string& operation, const std::string& kind, const std::string& folder) {
    return "The " + operation + " operation is NOT PERFORMED !!!\nThe " + kind +
           " lies in the program's folder, where the program keeps its settings !!! \n" + kind + " : " + folder;
}

std::optional<OwnFolderFound> FirstOwnFolder(const StringList& folders, const std::string& programFolder,
                                             const std::string& workingDir, bool above, bool entry) {
    if (folders.empty()) return std::nullopt;
    // 1: one of the program's own; 2: directly in the program folder.
    std::vector<char> own(folders.size(), 0);
    PooledRun<char> run;  // nothing to apply: each look keeps its finding
    run.Items = folders.size();
    run.Workers = PageRunWorkers(folders.front(), plat::RunWork::Look);
    WorkerRefusals refusals(run.Workers, programFolder, workingDir);
    run.Work = [&](std::size_t i, char&, RunItemContext& ctx) {
        // As a run opens its item: the line as the runs read it.
        const std::string text = LexicallyResolved(NormalizeFolderItem(folders[i]));
        plat::Beneath folder;
        if (GetDrivePart(text).empty() || folder.Open(text) != plat::FsResult::Ok) return;
        RunFolderRefusal& refusal = refusals.Of(ctx.Worker());
        if (refusal.IsOwnFolder(folder) || (above && refusal.HoldsProgramFolder(folder.Identity())))
            own[i] = 1;
        else if (entry && refusal.InProgramFolder(folder))
            own[i] = 2;
    };
    run.Apply = [](std::size_t, char&, RunApplyContext&) {};
    run.Name = [&](std::size_t i) { return folders[i]; };
    if (RunPageItems(run).Stopped) return std::nullopt;
    const auto first = std::find_if(own.begin(), own.end(), [](char c) { return c != 0; });
    if (first == own.end()) return std::nullopt;
    return OwnFolderFound{static_cast<std::size_t>(first - own.begin()), *first == 2};
}
