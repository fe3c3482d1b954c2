#include "pages/files/Vol12Engine.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <unordered_set>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "pages/ListedFolders.h"
#include "pages/PageKinds.h"
#include "pages/PageMessages.h"
#include "pages/RunCounters.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"

using namespace pagekit;

namespace {

bool IsDotPart(const std::string& text) { return text == "." || text == ".."; }

void PrefixSuffixPath(const std::string& path, const std::string& head, const std::string& tail, std::string& out);

}  // namespace

// ---- the worker -----------------------------------------------------------------------------

// What a run fixes before its first item: the rules, the disk, the
// folders no walk enters, the working folder and the program's own files
// no rename takes; and what its overwriting items share, which the pool
// starts one after the other: the working-copy names.
struct Vol12RunShared {
    Vol12RunShared(const Vol12Inputs& in, Vol12State& state, RunDisk& disk)
        : in(in), disk(disk), sim(disk.IsDry()), names(state.Vol12WorkingNames),
          head(TrimBlanks(in.NewPrefix) + TrimBlanks(in.DelimiterPrefix)),
          tail(TrimBlanks(in.DelimiterSuffix) + TrimBlanks(in.NewSuffix)) {
        FenceOwnOnPool(fence, in.ProgramFolder, in.WorkingDir);
        // A listed folder nested in another listed one is renamed in by its
        // own item only: walked twice, its files would get the prefix twice.
        if (!in.InMainFolders) FenceOnPool(in.IncludeFolders, fence);
    }
    const Vol12Inputs& in;
    RunDisk& disk;
    const bool sim;  // the dry disk: nothing is recorded for the Undo
    WorkingCopies names;
    const std::string head, tail;
    WalkFence fence;
    const OwnFiles own;
};

// One main folder's renames on a worker. Its counters, lists and undo
// steps go to a state of its own (the undo steps' base is the main folder,
// numbered when the item is applied), its lines to its own log.
class Vol12Renamer {
public:
    Vol12Renamer(Vol12RunShared& run, plat::Beneath& work, plat::Beneath& base, Vol12State& state, RunLog& log)
        : in_(run.in), st_(state), log_(log), disk_(run.disk), sim_(run.sim), names_(run.names), head_(run.head),
          tail_(run.tail), fence_(run.fence), own_(run.own), base_(base), work_(work) {}

    bool OpenMainFolder(const std::string& folder) {
        base_.Close();
        return base_.Open(folder) == plat::FsResult::Ok;
    }

    // Every file of the folder as it stands before the first rename, from
    // the one listing that also gives the subfolders (folders keep their
    // names, so the subfolders listed stay valid).
    void RenameFilesInFolder(const std::string& folder, std::vector<std::string>* subfolders = nullptr,
                             bool renameFiles = true) {
        std::vector<plat::DirEntry> files;
        std::vector<std::string> none, own;
        base_.Release();
        if (!SplitListing(disk_, base_, folder, fence_, WalkTakes::ByName, subfolders ? *subfolders : none, files,
                          subfolders ? &own : nullptr, &unsayable_)) {
            // A folder that could not be read is no folder without files:
            // whatever it holds keeps its name, and the log says so; as does
            // one another file system is mounted on, with its reason.
            const plat::NotListed why = disk_.WhyNotListed(base_, folder);
            if (why != plat::NotListed::Gone)
                LogNotRenamed(NotListedName(folder, why), folder);
            return;
        }
        // So is one of the program's folders, which the walk does not enter,
        // and one no path names.
        for (const std::string& fenced : own) LogNotRenamed(fenced, fenced);
        if (subfolders)
            for (const plat::DirEntry& e : unsayable_) {
                if (e.kind != plat::EntryKind::Folder) continue;
                const std::string path = JoinEntry(folder, e.name);
                LogNotRenamed(path, path);
            }
        if (!renameFiles) return;
        // An entry no path names keeps its name, where the rule would give it another.
        for (const plat::DirEntry& e : unsayable_) {
            if (!TakesAsFile(e.kind, WalkTakes::ByName)) continue;
            const std::string name = Vol12NewName(in_, e.name);
            if (!name.empty() && name != e.name) LogNotRenamed(JoinEntry(folder, e.name), JoinEntry(folder, name));
        }
        replacedHere_.clear();
        // Each file's paths are made in the same two texts, which keep their room.
        std::string& from = from_;
        std::string& to = to_;
        // Every entry but a folder, by its name: a link as the link, a FIFO
        // or a socket without being opened.
        for (const plat::DirEntry& e : files) {
            JoinFolderAndName(folder, e.name, from);
            if (in_.AddPrefixesSuffixes)
                PrefixSuffixPath(from, head_, tail_, to);
            else
                to = Vol12NewPath(in_, from);
            if (to.empty() || to == from) continue;
            // A listed file this pass replaced is gone (its copy is saved):
            // what stands at its name now is a file this pass renamed already.
            if (replacedHere_.count(from)) {
                LogNotRenamed(from, to);
                continue;
            }
            const plat::FileIdentity id{e.dev, e.ino};
            // The program's own file keeps its name, whatever the rule.
            if (own_.Holds(id)) {
                LogNotRenamed(from, to);
                continue;
            }
            if (in_.DuplicatedFilesDrop)
                Drop(from, to, id);
            else if (in_.DuplicatedFilesOverWrite)
                Overwrite(from, to, id);
            else if (in_.DuplicatedFilesIncreaseFileNames)
                Increase(from, to, id, false);
            else if (in_.DuplicatedFilesIncreaseFileTypes)
                Increase(from, to, id, true);
        }
    }

    bool Exhausted() const { return exhausted_; }
    bool CopiesExhausted() const { return copiesExhausted_; }

private:
    void Changed() { log_.CountersChanged(st_); }

    void Drop(const std::string& from, const std::string& to, const plat::FileIdentity& id) {
        switch (disk_.Rename(base_, from, to)) {
        case plat::FsResult::Ok: return LogRenamed(from, to, id);
        case plat::FsResult::AlreadyExists: return LogDropped(from, to);
        default: return LogNotRenamed(from, to);
        }
    }

    void Overwrite(const std::string& from, const std::string& to, const plat::FileIdentity& id) {
        const plat::FsResult first = disk_.Rename(base_, from, to);
        if (first == plat::FsResult::Ok) return LogRenamed(from, to, id);
        plat::EntryInfo there;
        if (first != plat::FsResult::AlreadyExists || disk_.Look(base_, to, there) != plat::FsResult::Ok ||
            there.kind != plat::EntryKind::File || own_.Holds(there.id))
            return LogNotRenamed(from, to);
        // The file in the way is saved before anything removes it; each
        // replaced file is one of the user's, so each gets its own copy.
        if (!work_.IsOpen() && work_.OpenOwn(in_.WorkingCopiesDir) != plat::FsResult::Ok)
            return LogNotRenamed(from, to);
        work_.Release();
        _tagRenameStep saved;
        saved.Replaced = true;
        saved.Saved.Target = to;
        saved.Saved.Base = baseIndex_;
        saved.Saved.Written = there.Stamp();
        bool exhausted = false;
        if (names_.Make(disk_, base_, to, work_, saved.Saved.WorkingCopy, saved.Saved.Copy, &exhausted) !=
            plat::FsResult::Ok) {
            copiesExhausted_ = copiesExhausted_ || exhausted;
            return LogNotRenamed(from, to);
        }
        if (disk_.RemoveFile(base_, to, &saved.Saved.Written) != plat::FsResult::Ok) {
            disk_.RemoveFile(work_, saved.Saved.WorkingCopy, &saved.Saved.Copy);
            return LogNotRenamed(from, to);
        }
        if (disk_.Rename(base_, from, to) != plat::FsResult::Ok) {
            // The replaced file goes back where it stood.
            plat::FileStamp back;
            if (disk_.CopyFile(work_, saved.Saved.WorkingCopy, base_, to, &back) == plat::FsResult::Ok)
                disk_.RemoveFile(work_, saved.Saved.WorkingCopy, &saved.Saved.Copy);
            else if (!sim_)
                st_.Vol12UndoSteps.push_back(saved);  // the Undo can still put it back
            return LogNotRenamed(from, to);
        }
        if (!sim_) st_.Vol12UndoSteps.push_back(saved);
        replacedHere_.insert(to);
        LogRenamed(from, to, id);
        st_.FilesOverWrited += 1;
        st_.Vol12OverwrittenPairs.push_back({from, to});
        log_.AddLine(Vol12CatFilesOverWrited, "Overwrite: " + from + " With: " + to);
        log_.AddExportLine(Vol12CatFilesOverWrited, from + "," + to);
        Changed();
    }

    // The first free name, trying each with a move that never replaces.
    void Increase(const std::string& from, const std::string& to, const plat::FileIdentity& id, bool byType) {
        const std::size_t slash = to.rfind('\\');
        const std::string dir = to.substr(0, slash + 1);
        std::string base;
        StripFileExtension(to.substr(slash + 1), base);
        std::string ext = to.substr(slash + 1 + base.size());
        std::string candidate = to;
        for (int tries = 1;; ++tries) {
            const plat::FsResult r = disk_.Rename(base_, from, candidate);
            if (r == plat::FsResult::Ok) {
                LogRenamed(from, candidate, id);
                if (tries > 1) {
                    const int category = byType ? Vol12CatFilesIncreasedTypes : Vol12CatFilesIncreasedFileNames;
                    (byType ? st_.FilesIncreasedTypes : st_.FilesIncreasedNames) += 1;
                    if (!byType) st_.Vol12IncreasedNamePairs.push_back({from, candidate});
                    log_.AddLine(category, "Renamed  Source: " + from + " To Dest: " + candidate);
                    log_.AddExportLine(category, from + "," + candidate);
                    Changed();
                }
                return;
            }
            if (r != plat::FsResult::AlreadyExists) return LogNotRenamed(from, to);
            if (tries >= 30000) {
                exhausted_ = true;
                return;
            }
            if (byType && !ext.empty())
                ext = "." + MakeIncreasedFileName(ext.substr(1));
            else
                base = MakeIncreasedFileName(base);
            candidate = dir + base + ext;
        }
    }

    void LogRenamed(const std::string& from, const std::string& to, const plat::FileIdentity& id) {
        st_.FilesRenamed += 1;
        if (!sim_) {
            _tagRenameRecord& move = st_.Vol12UndoSteps.emplace_back().Move;
            move.OldPath = from;
            move.NewPath = to;
            move.Id = id;
            move.Base = baseIndex_;
        }
        line_.assign("Renamed  Source: ").append(from).append(" To Dest: ").append(to);
        log_.AddLine(Vol12CatFilesRenamed, line_);
        line_.assign(from).append(1, ',').append(to);
        log_.AddExportLine(Vol12CatFilesRenamed, line_);
        Changed();
    }
    void LogNotRenamed(const std::string& from, const std::string& to) {
        st_.FilesOtherReasons += 1;
        std::string line = "NOT Renamed  Source: " + from + " To Dest: " + to;
        log_.AddLine(Vol12CatFilesOtherReasons, line);
        log_.AddExportLine(Vol12CatFilesOtherReasons, from + "," + to);
        st_.Vol12FilesNotRenamed.push_back(std::move(line));
        Changed();
    }
    void LogDropped(const std::string& from, const std::string& to) {
        st_.FilesDropped += 1;
        std::string line = "Dropped Source: " + from + " (Dest: " + to + ")";
        log_.AddLine(Vol12CatFilesSkipped, line);
        log_.AddExportLine(Vol12CatFilesSkipped, from + "," + to);
        st_.Vol12FilesSkipped.push_back(std::move(line));
        Changed();
    }

    const Vol12Inputs& in_;
    Vol12State& st_;
    RunLog& log_;
    RunDisk& disk_;
    const bool sim_;
    WorkingCopies& names_;
    const std::string& head_;
    const std::string& tail_;
    const WalkFence& fence_;
    const OwnFiles& own_;
    plat::Beneath& base_;
    plat::Beneath& work_;
    const std::uint32_t baseIndex_ = 0;  // numbered when applied
    std::unordered_set<std::string> replacedHere_;  // names the overwrite rule replaced in this folder
    std::string from_, to_, line_;  // scratch texts of one file, kept for their room
    std::vector<plat::DirEntry> unsayable_;
    bool exhausted_ = false;
    bool copiesExhausted_ = false;
};

void SmartRenameOne::Execute() { worker_.RenameFilesInFolder(folder_); }

void SmartRename::Execute() {
    queue_.clear();
    queue_.emplace(0, root_);
    std::vector<std::string> subfolders;
    while (!queue_.empty()) {
        auto last = std::prev(queue_.end());
        const auto [level, folder] = std::move(*last);
        queue_.erase(last);
        // The taken folder's files first, then its subfolders queued.
        worker_.RenameFilesInFolder(folder, &subfolders, mode_ == 2 || level != 0);
        for (std::string& sub : subfolders) queue_.emplace(CountPathSeparators(sub), std::move(sub));
    }
}

// ---- names ------------------------------------------------------------------------------------

std::array<CounterLabel, 8> Vol12Counters::Labels() const {
    return {{{"lblStat12FoldersNotExist", FoldersNotExist},
             {"lblStat12FilesRenamed", FilesRenamed},
             {"lblStat12FilesSourceNotExist", FilesSourceNotExist},
             {"lblStat12FilesOtherReasons", FilesOtherReasons},
             {"lblStat12FilesDropped", FilesDropped},
             {"lblStat12FilesOverWrited", FilesOverWrited},
             {"lblStat12FilesIncreasedNames", FilesIncreasedNames},
             {"lblStat12FilesIncreasedTypes", FilesIncreasedTypes}}};
}

void Vol12ResetCounters(Vol12State& s) { static_cast<Vol12Counters&>(s) = Vol12Counters{}; }

void Vol12ClearResultLists(Vol12State& s) {
    s.Vol12FoldersNotExist.clear();
    s.Vol12FilesSkipped.clear();
    s.Vol12FilesNotRenamed.clear();
    s.Vol12OverwrittenPairs.clear();
    s.Vol12IncreasedNamePairs.clear();
    s.Vol12UndoSteps.clear();
}

std::array<std::string, 5> Vol12BuildPrefixSuffixName(const Vol12Inputs& in, const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:");
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    const std::string name = path.substr(folder.size());
    std::string base;
    StripFileExtension(name, base);
    const std::string ext = name.substr(base.size());
    return {folder + TrimBlanks(in.NewPrefix) + TrimBlanks(in.DelimiterPrefix), base, TrimBlanks(in.DelimiterSuffix),
            TrimBlanks(in.NewSuffix), ext};
}

namespace {

// The same parts, the fixed ones trimmed once per run, into `out` (not `path`).
void PrefixSuffixPath(const std::string& path, const std::string& head, const std::string& tail, std::string& out) {
    std::size_t start = path.size();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != ':') --start;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) dot = path.size();
    out.clear();
    out.append(path, 0, start).append(head).append(path, start, dot - start).append(tail).append(path, dot);
}

}  // namespace

std::string Vol12NewName(const Vol12Inputs& in, const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (in.AddPrefixesSuffixes) {
        const std::size_t end = dot == std::string::npos ? name.size() : dot;
        return TrimBlanks(in.NewPrefix) + TrimBlanks(in.DelimiterPrefix) + name.substr(0, end) +
               TrimBlanks(in.DelimiterSuffix) + TrimBlanks(in.NewSuffix) + name.substr(end);
    }
    if (in.ChangeFileType) {
        if ((dot == std::string::npos ? std::string("noext") : name.substr(dot + 1)) != in.OldFileType) return {};
        return name.substr(0, dot) + "." + in.NewFileType;
    }
    return {};
}

std::string Vol12NewPath(const Vol12Inputs& in, const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:");
    const std::size_t start = cut == std::string::npos ? 0 : cut + 1;
    const std::string name = Vol12NewName(in, path.substr(start));
    return name.empty() ? name : path.substr(0, start) + name;
}

bool Vol12CheckNameParts(const Vol12Inputs& in, std::string& found) {
    found.clear();
    auto check = [&found](const std::string& text, bool type) {
        std::string chars;
        if (FindIllegalChars("F", text, chars)) found += chars;
        if (IsDotPart(text) || (type && text.find('.') != std::string::npos)) found += " " + text;
    };
    if (in.AddPrefixesSuffixes) {
        for (const std::string* part : {&in.NewPrefix, &in.DelimiterPrefix, &in.DelimiterSuffix, &in.NewSuffix})
            check(TrimBlanks(*part), false);
    } else if (in.ChangeFileType) {
        check(in.OldFileType, true);
        check(in.NewFileType, true);
        if (in.NewFileType.empty()) found += " \"\"";
    }
    return found.empty();
}

// ---- run and simulation --------------------------------------------------------------------------

namespace {

// What one main folder came to, kept until it is applied in list order.
struct Vol12Outcome {
    ItemLog Log;
    Vol12State Found;  // its counters, lists and undo steps
    bool Exhausted = false, CopiesExhausted = false;
    bool Own = false;  // one of the program's own folders: refused, the run stops
    plat::Beneath Base;  // the base its undo steps name

    // Empty for the slot's next item; the lines' room stays.
    void Reset() {
        Log.Clear();
        Found = Vol12State{};
        Exhausted = CopiesExhausted = Own = false;
        Base.Close();
    }
};

// The box that refuses one of the program's own folders.
PageMessage Vol12OwnFolderBox(const std::string& folder) {
    return {OwnFolderRefusal("RENAME", "Folder", folder), kFileRootRefusalCaption};
}

// Adds an item's counters, lists and undo steps to the run's.
void AddItem(Vol12State& state, Vol12Outcome& out, UndoBaseIndex& bases, bool sim) {
    const Vol12State& f = out.Found;
    AddCounters<Vol12Counters>(state, f);
    auto append = [](auto& to, const auto& from) { to.insert(to.end(), from.begin(), from.end()); };
    append(state.Vol12FoldersNotExist, f.Vol12FoldersNotExist);
    append(state.Vol12FilesSkipped, f.Vol12FilesSkipped);
    append(state.Vol12FilesNotRenamed, f.Vol12FilesNotRenamed);
    append(state.Vol12OverwrittenPairs, f.Vol12OverwrittenPairs);
    append(state.Vol12IncreasedNamePairs, f.Vol12IncreasedNamePairs);
    // Every main folder a real run opened is one of its bases.
    if (sim || !out.Base.IsOpen()) return;
    const std::uint32_t base = bases.IndexOf(out.Base);
    // Moved, not copied (the slot is emptied next); onto none, taken whole.
    DEQ_RENAME_STEPS& steps = out.Found.Vol12UndoSteps;
    for (_tagRenameStep& step : steps) step.Move.Base = step.Saved.Base = base;
    if (state.Vol12UndoSteps.empty())
        state.Vol12UndoSteps.swap(steps);
    else
        std::move(steps.begin(), steps.end(), std::back_inserter(state.Vol12UndoSteps));
}

// One main folder on a worker: missing, refused, or its files renamed
// beneath its own handle.
void RenameInMainFolder(const Vol12RunShared& run, const std::string& folder, Vol12Renamer& worker,
                        RunFolderRefusal& refusal, Vol12Outcome& out) {
    const Vol12Inputs& in = run.in;
    // New names go beneath the folder: one the list would refuse is none.
    if (!IsUsableRunItem(folder, RunItemUse::IncludeFolder) || !plat::FolderExists(folder) ||
        !worker.OpenMainFolder(folder)) {
        out.Found.FoldersNotExist += 1;
        out.Found.Vol12FoldersNotExist.push_back(folder);
        out.Log.AddLine(Vol12CatFoldersNotExist, folder);
        out.Log.AddExportLine(Vol12CatFoldersNotExist, folder);
        return;
    }
    // Its files could be working copies that an Undo (this page's or the
    // copy page's) puts back from, or the program's settings: under any
    // rule they keep their names. (The run was refused before it began
    // when the list named one; this one was swapped in since.)
    if (refusal.IsOwnFolder(out.Base)) {
        out.Own = true;
        out.Base.Close();
        return;
    }
    if (in.InMainFolders) {
        SmartRenameOne(folder, worker).Execute();
    } else if (in.InMainFoldersAndSubFolders || in.InSubFolders) {
        SmartRename walk(folder, worker);
        walk.SetMode(in.InMainFoldersAndSubFolders ? 2 : 3);
        walk.Execute();
    }
    out.Exhausted = worker.Exhausted();
    out.CopiesExhausted = worker.CopiesExhausted();
}

// Every main folder is an item of the run pool: its renames keep their
// order, since they all write below it; a main folder nested in another
// listed one waits for it.
void RenameAll(Vol12State& state, const Vol12Inputs& in, RunLog& log, RunDisk& disk) {
    const StringList folders = FoldersAsRead(in.IncludeFolders, false);
    // A folder listed again (another spelling, a link) is renamed in once:
    // a second pass would rename its files again. A look that fails leaves
    // folders unjudged (the failure is said at the end).
    StringList opened;
    for (const std::string& folder : folders)
        opened.push_back(IsUsableRunItem(folder, RunItemUse::IncludeFolder) ? folder : std::string());
    const std::vector<char> repeated = RepeatedOnPool(opened);
    if (!disk.IsDry()) {
        state.Vol12FailedUndoSteps.clear();
        state.Vol12UndoBases.clear();
    }
    Vol12RunShared run(in, state, disk);
    UndoBaseIndex bases(state.Vol12UndoBases);
    const bool overwrite = !in.DuplicatedFilesDrop && in.DuplicatedFilesOverWrite;
    const unsigned workers = folders.empty() ? 1 : PageRunWorkers(folders.front(), plat::RunWork::Remove);
    std::vector<plat::Beneath> work(workers);
    WorkerRefusals refusals(workers, in.ProgramFolder, in.WorkingDir);
    bool exhausted = false, copiesExhausted = false;
    PooledRun<Vol12Outcome> pooled;
    pooled.Items = folders.size();
    pooled.Workers = workers;
    pooled.Scope = [&](std::size_t i, RunScope& scope) {
        if (repeated[i]) return;
        scope.Write(folders[i]);
        // The working copies' names are given one overwriting item after the other.
        if (overwrite) scope.Write(in.WorkingCopiesDir);
    };
    pooled.Work = [&](std::size_t i, Vol12Outcome& out, RunItemContext& ctx) {
        if (repeated[i]) return;
        Vol12Renamer worker(run, work[ctx.Worker()], out.Base, out.Found, out.Log);
        RenameInMainFolder(run, folders[i], worker, refusals.Of(ctx.Worker()), out);
        if (out.Own) ctx.Stop();  // nothing after it starts
    };
    pooled.Apply = [&](std::size_t i, Vol12Outcome& out, RunApplyContext& ctx) {
        const bool own = out.Own;  // Reset below clears it
        out.Log.ReplayInto(log);
        AddItem(state, out, bases, disk.IsDry());
        exhausted = exhausted || out.Exhausted;
        copiesExhausted = copiesExhausted || out.CopiesExhausted;
        out.Reset();
        log.CountersChanged(state);
        // Its box after its records: a box that fails loses none.
        if (own) {
            ctx.Show(Vol12OwnFolderBox(folders[i]).text, kFileRootRefusalCaption, kWarn);
            ctx.Stop();
        }
    };
    // Its counters move with its lines (each counted before its line).
    pooled.Stream = StreamLines<Vol12Outcome, Vol12Counters>(&Vol12Outcome::Log, &Vol12Outcome::Found, log, state);
    pooled.Name = [&](std::size_t i) { return folders[i]; };
    RunPageItems(pooled);
    if (!disk.IsDry()) state.Vol12WorkingNames = run.names;
    log.ShowCounters(state.Labels());
    if (exhausted)
        plat::MessageBox("The Rename Procedure FAIL because the increase number is higher than max. 30000 !",
                         "Error !    Msg no: 120039.", pagekit::kError);
    if (copiesExhausted)
        plat::MessageBox("The Rename Procedure FAIL because the increase number is higher than max. 30000 !",
                         "Error !    Msg no:120038.", pagekit::kError);
}

bool CheckParts(const Vol12Inputs& in) {
    std::string found;
    if (Vol12CheckNameParts(in, found)) return true;
    plat::MessageBox("Illegal character or name in the new File Names : " + found +
                         "\nAction : You must remove it from the Prefix, the Suffix, the Delimiters or the File Types.",
                     MessageCaption(kVol12Topic, "Warning", "120040"), kWarn);
    return false;
}

// The frame of a run or simulation without its question and messages.
RunFrame Vol12Frame(Vol12State& state, const Vol12Inputs& in, RunLog& log, bool simulation) {
    RunFrame frame;
    frame.Simulation = simulation;
    frame.Keeps = RunKeeps::Undo;
    frame.Check = [&in] { return CheckParts(in); };
    frame.OwnFolders = {in.IncludeFolders, in.ProgramFolder, in.WorkingDir, Vol12OwnFolderBox};
    frame.Start = [&state, simulation] {
        Vol12ResetCounters(state);
        if (!simulation) {
            Vol12ClearResultLists(state);
        } else {
            // The last real run's undo data stays.
            state.Vol12FoldersNotExist.clear();
            state.Vol12FilesSkipped.clear();
            state.Vol12FilesNotRenamed.clear();
            state.Vol12OverwrittenPairs.clear();
            state.Vol12IncreasedNamePairs.clear();
        }
    };
    frame.Counters = CountersOf(state);
    frame.ShowLog = in.ShowDetailedResults;
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.Work = [&state, &in, &log](RunDisk& disk) {
        // The last run's working copies: the records that named them go now
        // (another copy of the program keeps its own elsewhere).
        if (!disk.IsDry() &&
            !WorkBeside(in.WorkingCopiesDir, [&in] { RecycleFolderFiles(in.WorkingCopiesDir, in.WorkingDir); }))
            return;
        RenameAll(state, in, log, disk);
    };
    return frame;
}

}  // namespace

void Vol12RunRenameFiles(Vol12State& state, const Vol12Inputs& in, RunLog& log, const RunHooks& hooks) {
    RunFrame frame = Vol12Frame(state, in, log, false);
    frame.Questions = {{"Do you want to RENAME Files ?\n", MessageCaption(kVol12RunTopic, "Information", "120031")}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one Folder to Rename Foées.",
                                 MessageCaption(kVol12Topic, "Warning", "120033", "           ")};
    frame.End = {"End of the Rename process !!!", MessageCaption(kVol12Topic, "Information", "120032")};
    RunOnFrame(frame, log, hooks);
}

void Vol12SimulateRenameFiles(Vol12State& state, const Vol12Inputs& in, RunLog& log, const RunHooks& hooks) {
    RunFrame frame = Vol12Frame(state, in, log, true);
    frame.Questions = {
        {"Simulation shows you the complete Rename Multiple Files process \nwithout actually Rename "
         "them on the hard drive.\n\n",
         MessageCaption("Simulate the Rename Multiple Files  Process.-From a Folder List.", "Information", "120056")}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one Folder to Rename Foées.",
                                 MessageCaption("Simulate the Rename Multiple Files. - From a Folder List.", "Warning",
                                                "120058", "           ")};
    frame.End = {
        "End of Simulation !!!\n\nNo actual Files were Renamed because of Simulation.\n\nThe purpose of "
        "the Simulation is to show the Complete Multiple Files Renaming process\n without actually Renaming "
        "them on the hard drive.\n\nIf You want to Rename Files, Use the Rename Files button.",
        MessageCaption("Simulate the Rename Multiple Files. - From a Folder List.", "Information", "120057")};
    RunOnFrame(frame, log, hooks);
}

// ---- undo -----------------------------------------------------------------------------------------

namespace {

// What one item of the Undo (the steps beneath one main folder, with the
// listed folders inside it) came to.
struct Vol12UndoOutcome {
    enum List { SourceExists, DestinationMissing, Other };
    struct Note {
        std::size_t step;
        List list;
        std::string text;
    };
    std::vector<Note> Notes;
    std::vector<std::size_t> Failed;  // kept for the next Undo
};

// What a worker of the Undo holds across its items.
struct Vol12UndoWorker {
    explicit Vol12UndoWorker(const VEC_UNDO_BASES& list) : bases(&list), reversal(bases) {}
    UndoBaseOpener bases;
    RenameReversal reversal;
    RealDisk disk;
    WorkingCopyFinder workingCopies;
};

// The steps of one item, newest first, so a chain of renames unwinds step by step.
void UndoSteps(const DEQ_RENAME_STEPS& replay, const std::vector<std::size_t>& steps, Vol12UndoWorker& w,
               Vol12UndoOutcome& out) {
    // A replaced file put back is a copy of it: the renames before it
    // know it by its new identity.
    std::map<std::pair<std::uint64_t, std::uint64_t>, plat::FileIdentity> copies;
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        const std::size_t index = *it;
        auto note = [&](Vol12UndoOutcome::List list, std::string text) {
            out.Notes.push_back({index, list, std::move(text)});
        };
        const _tagRenameStep& step = replay[index];
        if (!step.Replaced) {
            const _tagRenameRecord* record = &step.Move;
            _tagRenameRecord copied;  // the record, knowing a put-back copy by its identity
            if (const auto c = copies.find({record->Id.dev, record->Id.ino}); c != copies.end()) {
                copied = *record;
                copied.Id = c->second;
                record = &copied;
            }
            const _tagRenameRecord& move = *record;
            switch (w.reversal.MoveBack(move)) {
            case RenameBack::Moved: break;
            case RenameBack::DestinationMissing:
                note(Vol12UndoOutcome::DestinationMissing, TrimBlanks(move.NewPath));
                break;
            case RenameBack::SourceExists: note(Vol12UndoOutcome::SourceExists, TrimBlanks(move.OldPath)); break;
            case RenameBack::Changed:
                note(Vol12UndoOutcome::Other, TrimBlanks(move.NewPath) + kChangedSinceRun);
                break;
            case RenameBack::Failed:
                note(Vol12UndoOutcome::Other, TrimBlanks(move.OldPath));
                out.Failed.push_back(index);
                break;
            }
            continue;
        }
        const _tagWorkingCopy& saved = step.Saved;
        plat::Beneath* work = w.workingCopies.Find(saved);
        if (!work) {
            note(Vol12UndoOutcome::DestinationMissing, TrimBlanks(saved.WorkingCopy));
            continue;
        }
        plat::Beneath* base = w.bases.Fresh(saved.Base);
        if (!base) {
            note(Vol12UndoOutcome::Other, TrimBlanks(saved.Target));
            out.Failed.push_back(index);
            continue;
        }
        // Whatever stands at the replaced file's path now stays.
        plat::FileStamp back;
        const plat::FsResult r = w.disk.CopyFile(*work, saved.WorkingCopy, *base, saved.Target, &back);
        if (r == plat::FsResult::AlreadyExists) {
            note(Vol12UndoOutcome::SourceExists, TrimBlanks(saved.Target));
        } else if (r != plat::FsResult::Ok) {
            note(Vol12UndoOutcome::Other, TrimBlanks(saved.Target));
            out.Failed.push_back(index);
        } else {
            copies[{saved.Written.id.dev, saved.Written.id.ino}] = back.id;
            w.workingCopies.Drop(w.disk, saved);
        }
    }
}

// The steps of the rename page's Undo: each main folder's steps are an
// item of the run pool (with those of the listed folders inside it); steps
// without a usable base fail in an item of their own. Working copies have
// names of their own: dropping one touches no other item's. What could not
// be undone, or never came to its turn, is kept for the next Undo.
class Vol12Undo {
public:
    Vol12Undo(Vol12State& state, const DEQ_RENAME_STEPS& replay) : st_(state), replay_(replay) {}

    // The steps' items counted and the Undo weighed. False when it would
    // not fit in memory (after the memory box): nothing was changed.
    bool Fits() {
        GroupNestedBases(st_.Vol12UndoBases, group_, tops_);
        counts_.assign(tops_.size() + 1, 0);
        for (std::size_t i = 0; i < replay_.size(); ++i) ++counts_[ItemOf(i)];
        items_ = counts_.back() == 0 ? tops_.size() : tops_.size() + 1;
        workers_ = tops_.empty() ? 1 : PageRunWorkers(tops_.front(), plat::RunWork::Remove);
        return CheckUndoFitsMemory(Weight(workers_), 0, kVol12Topic);
    }

    void Run() {
        steps_.resize(items_);
        for (std::size_t g = 0; g < items_; ++g) steps_[g].reserve(counts_[g]);
        for (std::size_t i = 0; i < replay_.size(); ++i) steps_[ItemOf(i)].push_back(i);
        PooledRun<Vol12UndoOutcome> run;
        run.Items = items_;
        run.Workers = workers_;
        for (std::size_t g = 0; g < items_; ++g) run.SlotBytes = std::max(run.SlotBytes, SlotBytes(g));
        std::deque<Vol12UndoWorker> held;  // each holds its own opener: never moved
        for (unsigned w = 0; w < run.Workers; ++w) held.emplace_back(st_.Vol12UndoBases);
        run.Scope = [&](std::size_t g, RunScope& scope) { scope.Write(g < tops_.size() ? tops_[g] : std::string(".")); };
        run.Work = [&](std::size_t g, Vol12UndoOutcome& out, RunItemContext& ctx) {
            UndoSteps(replay_, steps_[g], held[ctx.Worker()], out);
        };
        run.Apply = [&](std::size_t g, Vol12UndoOutcome& out, RunApplyContext& ctx) {
            if (ctx.Failure()) {
                Keep(g);
            } else {
                for (auto& n : out.Notes) notes_.push_back(std::move(n));
                failed_.insert(failed_.end(), out.Failed.begin(), out.Failed.end());
            }
            out = Vol12UndoOutcome{};
        };
        run.Skipped = [&](std::size_t g) { Keep(g); };
        run.Name = [&](std::size_t g) { return g < tops_.size() ? tops_[g] : std::string(); };
        RunPageItems(run);
    }

    // What the Undo adds beyond the steps it reads, every step staying (it
    // cannot know which will): its steps by item, each item's outcome in
    // its slot, what each worker holds for the item it works, and what
    // stays (each noted, kept for the next Undo, listed in the Visual Log).
    RunMemoryNeed Weight(unsigned workers) const {
        using namespace kept;
        const auto chars = [](const std::string& path) { return static_cast<double>(path.size()); };
        // Noted by the longer of its paths, its place among what failed;
        // kept with both its paths (in a deque); listed by one of them, in
        // the Visual Log and its export list.
        const Kept noted = UndoNote(sizeof(Vol12UndoOutcome::Note)) + kRecordPlace;
        const Kept listed = LineAndExport(0);
        RunMemoryNeed need;
        std::vector<double> replaced(items_, 0);
        double notedChars = 0, bothChars = 0, longestMove = 0;
        for (std::size_t i = 0; i < replay_.size(); ++i) {
            const _tagRenameStep& step = replay_[i];
            const std::string& listedPath = step.Replaced ? step.Saved.Target : step.Move.OldPath;
            const std::string& other = step.Replaced ? step.Saved.WorkingCopy : step.Move.NewPath;
            notedChars += std::max(chars(listedPath), chars(other));
            bothChars += chars(listedPath) + chars(other);
            need.lines += chars(listedPath);
            if (step.Replaced)
                replaced[ItemOf(i)] += 1;
            else
                longestMove = std::max(longestMove, chars(listedPath) + chars(other));
        }
        const double n = static_cast<double>(replay_.size());
        need.entries = n;
        need.bytes = Weigh(n, notedChars, noted) + Weigh(n, bothChars, kKeptRenameStep) + Weigh(n, need.lines, listed);
        // Each item: its steps' places, its slot, and on its worker each
        // file put back from its copy.
        std::vector<double> slots;
        double most = 0;
        need.bytes += Block(items_ * sizeof(std::vector<std::size_t>));
        for (std::size_t g = 0; g < items_; ++g) {
            if (counts_[g]) need.bytes += Block(counts_[g] * sizeof(std::size_t));
            slots.push_back(SlotBytes(g));
            most = std::max(most, replaced[g] * kPutBackCopy.bytes);
        }
        // Each worker in a deque of them, its opener's note of every base,
        // a rename's record copied; each base stays with the opener of the
        // worker that opened it.
        const double bases = static_cast<double>(st_.Vol12UndoBases.size());
        double baseChars = 0;
        for (const _tagUndoBase& base : st_.Vol12UndoBases) baseChars += chars(base.Path);
        need.bytes += RunBase(PoolThreads(workers, static_cast<double>(items_))) + 2 * kListUnused +
                      static_cast<double>(items_) + DequeWhole(workers, sizeof(Vol12UndoWorker)) +
                      workers * (bases + most + Weigh(2, longestMove, kOwnPath)) +
                      Weigh(bases, baseChars, kOpenedBase) + SlotsWeight(std::move(slots), workers);
        return need;
    }

    // What failed stays for the next Undo (each step once: an item whose
    // Apply failed part-way is kept again whole), listed; else the bases go.
    void KeepFailed(RunLog& log, UndoTaking& taking) {
        std::sort(failed_.begin(), failed_.end());
        failed_.erase(std::unique(failed_.begin(), failed_.end()), failed_.end());
        DEQ_RENAME_STEPS kept;
        for (const std::size_t i : failed_) kept.push_back(replay_[i]);
        st_.Vol12FailedUndoSteps = std::move(kept);  // by a move: nothing here fails
        if (st_.Vol12FailedUndoSteps.empty()) st_.Vol12UndoBases.clear();
        taking.Kept();
        if (st_.Vol12FailedUndoSteps.empty()) return;
        for (const _tagRenameStep& step : st_.Vol12FailedUndoSteps) {
            const std::string path = TrimBlanks(step.Replaced ? step.Saved.Target : step.Move.OldPath);
            log.AddLine(Vol12CatFilesFailedUndo, path);
            log.AddExportLine(Vol12CatFilesFailedUndo, path);
        }
    }

    // The report as one at a time gives it: newest step first.
    void Report() {
        std::stable_sort(notes_.begin(), notes_.end(), [](const auto& a, const auto& b) { return a.step > b.step; });
        StringList lists[3];  // by Vol12UndoOutcome::List
        for (auto& n : notes_) lists[n.list].push_back(std::move(n.text));
        if (lists[0].empty() && lists[1].empty() && lists[2].empty()) return;
        std::string report = "The program is unable to rename the following Files  : \n";
        auto section = [&report](const char* heading, const StringList& paths) {
            if (paths.empty()) return;
            report += heading;
            for (const auto& p : paths) report += p + "\n";
        };
        section("\nSOURCE FILES DO EXIST : \n\n", lists[Vol12UndoOutcome::SourceExists]);
        section("\nDESTINATION FILES DO NOT EXIST : \n\n", lists[Vol12UndoOutcome::DestinationMissing]);
        section("\nOTHER REASONS   : \n\n", lists[Vol12UndoOutcome::Other]);
        plat::MessageBox(report, MessageCaption(kVol12Topic, "Information", "120036"), kWarn);
    }

private:
    void Keep(std::size_t g) { failed_.insert(failed_.end(), steps_[g].begin(), steps_[g].end()); }

    // A step's item: its base's tree, or the last for a step without a usable base.
    std::size_t ItemOf(std::size_t i) const {
        const std::uint32_t base = replay_[i].Replaced ? replay_[i].Saved.Base : replay_[i].Move.Base;
        return base < group_.size() ? group_[base] : tops_.size();
    }
    // What an item's outcome slot holds at most: a note and a place for each step.
    double SlotBytes(std::size_t g) const {
        using namespace kept;
        return Block(sizeof(Vol12UndoOutcome)) +
               static_cast<double>(counts_[g]) * (Grown(sizeof(Vol12UndoOutcome::Note)) + kRecordPlace.bytes);
    }

    Vol12State& st_;
    const DEQ_RENAME_STEPS& replay_;
    std::vector<std::uint32_t> group_;  // by base, its item
    StringList tops_;
    std::vector<std::size_t> counts_;  // by item, its steps
    std::size_t items_ = 0;
    unsigned workers_ = 1;
    std::vector<std::vector<std::size_t>> steps_;  // by item, indexes into replay_
    std::vector<Vol12UndoOutcome::Note> notes_;
    std::vector<std::size_t> failed_;
};

}  // namespace

void Vol12UndoLastRun(Vol12State& state, RunLog& log) {
    // A close waits until the undo, end box included, is over; a failure ends it with its box.
    RunGuarded([&] {
        if (state.Vol12FailedUndoSteps.empty() && state.Vol12UndoSteps.empty()) {
            plat::MessageBox(
                "No UNDO process !!!\nThere are no renamed Files !!!\nYou must rename at least one File to UNDO it.",
                MessageCaption(kVol12Topic, "Warning", "120034"), kWarn);
            return;
        }
        if (plat::MessageBox("Do you want UNDO all Files renamed last time ?",
                             MessageCaption(kVol12Topic, "Information", "120035"), kAsk) != plat::IDYES)
            return;
        // Taken, not copied: the lists are emptied once the Undo ran and
        // what is not undone goes back; until then a failure gives every
        // step back.
        DEQ_RENAME_STEPS replay;
        UndoTaking taking;
        taking.Take(!state.Vol12UndoSteps.empty() ? state.Vol12UndoSteps : state.Vol12FailedUndoSteps, replay);
        Vol12Undo undo(state, replay);
        // Refused, every step goes back to the page, the lists and the log as they were.
        if (!undo.Fits()) return;
        undo.Run();
        Vol12ClearResultLists(state);
        Vol12ResetCounters(state);
        log.ClearLogLists();
        undo.KeepFailed(log, taking);
        log.ShowCounters(state.Labels());
        undo.Report();
        if (!ShowRunFailures(RunKeeps::Undo))
            plat::MessageBox("End of Undo process !!!", MessageCaption(kVol12Topic, "Information", "120037"), kInfo);
    }, RunKeeps::Undo);
}
