#include "pages/files/Vol12Engine.h"

#include <iterator>
#include <map>

#include "core/ExamineSubFolders.h"
#include "core/FileNames.h"
#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "pages/PageMessages.h"

using namespace pagekit;

namespace {

bool IsDotPart(const std::string& text) { return text == "." || text == ".."; }

std::string PrefixSuffixPath(const std::string& path, const std::string& head, const std::string& tail);

}  // namespace

// ---- the worker -----------------------------------------------------------------------------

class Vol12Renamer {
public:
    Vol12Renamer(const Vol12Inputs& in, Vol12State& state, RunLog& log, RunDisk& disk)
        : in_(in), st_(state), log_(log), disk_(disk), sim_(disk.IsDry()), names_(state.Vol12WorkingNames),
          head_(TrimBlanks(in.NewPrefix) + TrimBlanks(in.DelimiterPrefix)),
          tail_(TrimBlanks(in.DelimiterSuffix) + TrimBlanks(in.NewSuffix)), baseList_(state.Vol12UndoBases) {
        fence_.Add(in.WorkingDir);
        // A listed folder nested in another listed one is renamed in by its
        // own item only: walked twice, its files would get the prefix twice.
        if (!in.InMainFolders)
            for (const std::string& folder : in.IncludeFolders) fence_.Add(folder);
    }
    ~Vol12Renamer() {
        if (!sim_) st_.Vol12WorkingNames = names_;
    }

    bool OpenMainFolder(const std::string& folder) {
        base_.Close();
        if (base_.Open(folder) != plat::FsResult::Ok) return false;
        baseIndex_ = sim_ ? 0 : baseList_.IndexOf(base_);
        return true;
    }

    // Every file of the folder as it stands before the first rename, from
    // the one listing that also gives the subfolders (folders keep their
    // names, so the subfolders listed stay valid).
    void RenameFilesInFolder(const std::string& folder, std::vector<std::string>* subfolders = nullptr,
                             bool renameFiles = true) {
        std::vector<plat::DirEntry> files;
        std::vector<std::string> none;
        base_.Release();
        SplitListing(disk_, base_, folder, fence_, subfolders ? *subfolders : none, files);
        if (!renameFiles) return;
        for (const plat::DirEntry& e : files) {
            if (e.kind != plat::EntryKind::File) continue;
            const std::string from = JoinEntry(folder, e.name);
            const std::string to =
                in_.AddPrefixesSuffixes ? PrefixSuffixPath(from, head_, tail_) : Vol12NewPath(in_, from);
            if (to.empty() || to == from) continue;
            const plat::FileIdentity id{e.dev, e.ino};
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

    void Finish() {
        if (exhausted_)
            plat::MessageBox("The Rename Procedure FAIL because the increase number is higher than max. 30000 !",
                             "Error !    Msg no: 120039.", pagekit::kError);
        if (copiesExhausted_)
            plat::MessageBox("The Rename Procedure FAIL because the increase number is higher than max. 30000 !",
                             "Error !    Msg no:120038.", pagekit::kError);
    }

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
            there.kind != plat::EntryKind::File)
            return LogNotRenamed(from, to);
        // The file in the way is saved before anything removes it; each
        // replaced file is one of the user's, so each gets its own copy.
        if (!work_.IsOpen() && work_.Open(in_.WorkingDir) != plat::FsResult::Ok) return LogNotRenamed(from, to);
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
            _tagRenameStep step;
            step.Move = {from, to, id, baseIndex_};
            st_.Vol12UndoSteps.push_back(std::move(step));
        }
        log_.AddLine(Vol12CatFilesRenamed, "Renamed  Source: " + from + " To Dest: " + to);
        log_.AddExportLine(Vol12CatFilesRenamed, from + "," + to);
        Changed();
    }
    void LogNotRenamed(const std::string& from, const std::string& to) {
        st_.FilesOtherReasons += 1;
        std::string line = "NOT Renamed  Source: " + from + " To Dest: " + to;
        log_.AddLine(Vol12CatFilesOtherReasons, line);
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
    const bool sim_;  // the dry disk: nothing is recorded for the Undo
    WorkingCopies names_;
    const std::string head_, tail_;
    UndoBaseIndex baseList_;
    WalkFence fence_;
    plat::Beneath base_;
    plat::Beneath work_;
    std::uint32_t baseIndex_ = 0;
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

std::array<CounterLabel, 8> Vol12State::Labels() const {
    return {{{"lblStat12FoldersNotExist", FoldersNotExist},
             {"lblStat12FilesRenamed", FilesRenamed},
             {"lblStat12FilesSourceNotExist", FilesSourceNotExist},
             {"lblStat12FilesOtherReasons", FilesOtherReasons},
             {"lblStat12FilesDropped", FilesDropped},
             {"lblStat12FilesOverWrited", FilesOverWrited},
             {"lblStat12FilesIncreasedNames", FilesIncreasedNames},
             {"lblStat12FilesIncreasedTypes", FilesIncreasedTypes}}};
}

void Vol12ResetCounters(Vol12State& s) {
    s.FoldersNotExist = s.FilesRenamed = s.FilesSourceNotExist = s.FilesOtherReasons = s.FilesDropped =
        s.FilesOverWrited = s.FilesIncreasedNames = s.FilesIncreasedTypes = 0;
}

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

// The same parts, the fixed ones trimmed once per run.
std::string PrefixSuffixPath(const std::string& path, const std::string& head, const std::string& tail) {
    const std::size_t cut = path.find_last_of("\\:");
    const std::size_t start = cut == std::string::npos ? 0 : cut + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) dot = path.size();
    std::string out;
    out.reserve(path.size() + head.size() + tail.size());
    out.append(path, 0, start).append(head).append(path, start, dot - start).append(tail).append(path, dot);
    return out;
}

}  // namespace

std::string Vol12NewPath(const Vol12Inputs& in, const std::string& path) {
    if (in.AddPrefixesSuffixes)
        return PrefixSuffixPath(path, TrimBlanks(in.NewPrefix) + TrimBlanks(in.DelimiterPrefix),
                                TrimBlanks(in.DelimiterSuffix) + TrimBlanks(in.NewSuffix));
    if (in.ChangeFileType) {
        std::string type;
        GetFileExtensionAnsi(path, type);
        if (type != in.OldFileType) return {};
        std::string stem;
        StripFileExtension(path, stem);
        return stem + "." + in.NewFileType;
    }
    return {};
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

void RenameAll(Vol12State& state, const Vol12Inputs& in, RunLog& log, RunDisk& disk) {
    ExamineSubFolders examine(in.IncludeFolders);
    examine.ExamineSorted();
    if (!disk.IsDry()) {
        state.Vol12FailedUndoSteps.clear();
        state.Vol12UndoBases.clear();
    }
    Vol12Renamer worker(in, state, log, disk);
    for (const std::string& folder : examine.GetList()) {
        // New names go beneath the folder: one the list would refuse is none.
        if (!IsUsableRunItem(folder, RunItemUse::IncludeFolder) || !plat::FolderExists(folder) ||
            !worker.OpenMainFolder(folder)) {
            state.FoldersNotExist += 1;
            state.Vol12FoldersNotExist.push_back(folder);
            log.AddLine(Vol12CatFoldersNotExist, folder);
            log.AddExportLine(Vol12CatFoldersNotExist, folder);
            log.CountersChanged(state);
            continue;
        }
        if (in.InMainFolders) {
            SmartRenameOne(folder, worker).Execute();
        } else if (in.InMainFoldersAndSubFolders || in.InSubFolders) {
            SmartRename walk(folder, worker);
            walk.SetMode(in.InMainFoldersAndSubFolders ? 2 : 3);
            walk.Execute();
        }
    }
    log.ShowCounters(state.Labels());
    worker.Finish();
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
    frame.Check = [&in] { return CheckParts(in); };
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
        // The last run's working copies: the records that named them go now.
        if (!disk.IsDry()) RecycleFolderFiles(in.WorkingDir, in.WorkingDir);
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

void Vol12UndoLastRun(Vol12State& state, RunLog& log) {
    if (state.Vol12FailedUndoSteps.empty() && state.Vol12UndoSteps.empty()) {
        plat::MessageBox(
            "No UNDO process !!!\nThere are no renamed Files !!!\nYou must rename at least one File to UNDO it.",
            MessageCaption(kVol12Topic, "Warning", "120034"), kWarn);
        return;
    }
    if (plat::MessageBox("Do you want UNDO all Files renamed last time ?",
                         MessageCaption(kVol12Topic, "Information", "120035"), kAsk) != plat::IDYES)
        return;
    const DEQ_RENAME_STEPS replay = !state.Vol12UndoSteps.empty() ? state.Vol12UndoSteps : state.Vol12FailedUndoSteps;
    UndoBaseOpener bases(state.Vol12UndoBases);
    Vol12ClearResultLists(state);
    Vol12ResetCounters(state);
    log.ClearLogLists();
    state.Vol12FailedUndoSteps.clear();

    StringList sourceExists, destinationMissing, other;
    RenameReversal reversal(bases);
    RealDisk disk;
    WorkingCopyFinder workingCopies;
    // A replaced file put back is a copy of it: the renames before it
    // know it by its new identity.
    std::map<std::pair<std::uint64_t, std::uint64_t>, plat::FileIdentity> copies;
    // Newest first, so a chain of renames unwinds step by step.
    for (auto it = replay.rbegin(); it != replay.rend(); ++it) {
        if (!it->Replaced) {
            _tagRenameRecord move = it->Move;
            if (const auto c = copies.find({move.Id.dev, move.Id.ino}); c != copies.end()) move.Id = c->second;
            switch (reversal.MoveBack(move)) {
            case RenameBack::Moved: break;
            case RenameBack::DestinationMissing: destinationMissing.push_back(TrimBlanks(move.NewPath)); break;
            case RenameBack::SourceExists: sourceExists.push_back(TrimBlanks(move.OldPath)); break;
            case RenameBack::Changed: other.push_back(TrimBlanks(move.NewPath) + "  (changed since the run)"); break;
            case RenameBack::Failed:
                other.push_back(TrimBlanks(move.OldPath));
                state.Vol12FailedUndoSteps.push_front(*it);
                break;
            }
            continue;
        }
        const _tagWorkingCopy& saved = it->Saved;
        plat::Beneath* work = workingCopies.Find(saved);
        if (!work) {
            destinationMissing.push_back(TrimBlanks(saved.WorkingCopy));
            continue;
        }
        plat::Beneath* base = bases.Fresh(saved.Base);
        if (!base) {
            other.push_back(TrimBlanks(saved.Target));
            state.Vol12FailedUndoSteps.push_front(*it);
            continue;
        }
        // Whatever stands at the replaced file's path now stays.
        plat::FileStamp back;
        const plat::FsResult r = disk.CopyFile(*work, saved.WorkingCopy, *base, saved.Target, &back);
        if (r == plat::FsResult::AlreadyExists) {
            sourceExists.push_back(TrimBlanks(saved.Target));
        } else if (r != plat::FsResult::Ok) {
            other.push_back(TrimBlanks(saved.Target));
            state.Vol12FailedUndoSteps.push_front(*it);
        } else {
            copies[{saved.Written.id.dev, saved.Written.id.ino}] = back.id;
            workingCopies.Drop(disk, saved);
        }
    }
    if (!state.Vol12FailedUndoSteps.empty()) {
        state.Vol12UndoBases = bases.Bases();
        for (const _tagRenameStep& step : state.Vol12FailedUndoSteps) {
            const std::string path = TrimBlanks(step.Replaced ? step.Saved.Target : step.Move.OldPath);
            log.AddLine(Vol12CatFilesFailedUndo, path);
            log.AddExportLine(Vol12CatFilesFailedUndo, path);
        }
    } else {
        state.Vol12UndoBases.clear();
    }
    log.ShowCounters(state.Labels());
    if (!sourceExists.empty() || !destinationMissing.empty() || !other.empty()) {
        std::string report = "The program is unable to rename the following Files  : \n";
        auto section = [&report](const char* heading, const StringList& paths) {
            if (paths.empty()) return;
            report += heading;
            for (const auto& p : paths) report += p + "\n";
        };
        section("\nSOURCE FILES DO EXIST : \n\n", sourceExists);
        section("\nDESTINATION FILES DO NOT EXIST : \n\n", destinationMissing);
        section("\nOTHER REASONS   : \n\n", other);
        plat::MessageBox(report, MessageCaption(kVol12Topic, "Information", "120036"), kWarn);
    }
    plat::MessageBox("End of Undo process !!!", MessageCaption(kVol12Topic, "Information", "120037"), kInfo);
}
