#include "pages/folders/Vol06Engine.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/RunItems.h"

using plat::FsResult;

namespace {

// Where the last name begins: behind the last "\" (or the drive's ":").
std::size_t NameStart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? 0 : cut + 1;
}

std::string FolderWithBackslash(const std::string& path) {
    std::string folder = path.substr(0, NameStart(path));
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

void Vol06ResetCounters(Vol06Counters& c) {
    c.FoldersRenamed = c.SourceNotExists = c.DestinationExists = c.OtherReasons = 0;
}

void Vol06ClearUndo(Vol06UndoRecords& records) {
    records.Vol06UndoBases.clear();
    records.Vol06RenamedPairs.clear();
    records.Vol06FailedUndoPairs.clear();
}

void Vol06UndoRecorder::Renamed(const std::string& baseFolder, const plat::FileIdentity& baseId,
                                const std::string& from, const std::string& to, const plat::FileIdentity& id) {
    // Most renames of a run work in the folder of the one before.
    if (!(baseId == lastId_) || baseFolder != lastFolder_) {
        lastIndex_ = bases_.IndexOf(baseFolder, baseId);
        lastId_ = baseId;
        lastFolder_ = baseFolder;
    }
    records_.Vol06RenamedPairs.push_back({from, to, id, lastIndex_});
}

// ---- new names ----------------------------------------------------------------------------

_tagVol0XParts Vol06BuildPrefixSuffixName(const Vol06Inputs& in, const std::string& path) {
    _tagVol0XParts parts;
    parts.Part[0] = FolderWithBackslash(path) + TrimControlAndBlanks(in.NewPrefix) +
                    TrimControlAndBlanks(in.DelimiterPrefixSubFolder);
    parts.Part[1] = path.substr(NameStart(path));
    parts.Part[2] = TrimControlAndBlanks(in.DelimiterSubFolderSuffix);
    parts.Part[3] = TrimControlAndBlanks(in.NewSuffix);
    return parts;
}

_tagVol0XParts Vol06BuildLastSubFolderName(const std::string& path, const std::string& newName) {
    _tagVol0XParts parts;
    parts.Part[0] = FolderWithBackslash(path);
    parts.Part[1] = newName;
    return parts;
}

std::string Vol06NewPath(const Vol06Inputs& in, const std::string& path) {
    if (!in.AddPrefixesSuffixes) {
        const _tagVol0XParts parts = Vol06BuildLastSubFolderName(path, in.RenameNewLastSubFolder);
        return parts.Part[0] + parts.Part[1];
    }
    const _tagVol0XParts parts = Vol06BuildPrefixSuffixName(in, path);
    return parts.Part[0] + parts.Part[1] + parts.Part[2] + parts.Part[3];
}

// ---- the run ------------------------------------------------------------------------------------

namespace {

// One folder's rename on the run pool.
struct Vol06ItemOutcome {
    FolderItemSink Lines;
    Vol06Counters Counters;
    bool Renamed = false;  // then what the undo records
    std::string BaseFolder, To;
    plat::FileIdentity BaseId, Id;
};

// The folder a rename changes: the one that holds the name.
std::string RenameScope(const std::string& path) {
    const std::string_view parent = ParentText(path);
    return parent.empty() ? path : std::string(parent);
}

// The pool's size for renames in these folders: one at a time when all of
// them lie in one folder (the kernel takes its lock for each).
unsigned RenameWorkers(const std::vector<std::string>& paths) {
    if (paths.empty()) return 1;
    const std::string_view first = ParentText(paths.front());
    const bool oneFolder = std::all_of(paths.begin(), paths.end(),
                                       [&](const std::string& p) { return ParentText(p) == first; });
    return PageRunWorkers(paths.front(), oneFolder ? plat::RunWork::OneFolder : plat::RunWork::Remove);
}

void AddCounters(Vol06Counters& to, const Vol06Counters& item) {
    to.FoldersToRename += item.FoldersToRename;
    to.FoldersRenamed += item.FoldersRenamed;
    to.SourceNotExists += item.SourceNotExists;
    to.DestinationExists += item.DestinationExists;
    to.OtherReasons += item.OtherReasons;
}

}  // namespace

void Vol06RenameFolders(Vol06Counters& c, const Vol06Inputs& in, RunDisk& disk, Vol06Recorder& recorder,
                        FolderRunSink& sink) {
    // The texts around each name, trimmed once for the run.
    const std::string head = TrimControlAndBlanks(in.NewPrefix) + TrimControlAndBlanks(in.DelimiterPrefixSubFolder);
    const std::string tail = TrimControlAndBlanks(in.DelimiterSubFolderSuffix) + TrimControlAndBlanks(in.NewSuffix);
    // The level queue: by level, and within a level in list order; walked
    // backwards, the deepest level first and the last entered first.
    std::vector<AS_PAIR_NIVO_FOLDER_NAMES> queue;
    queue.reserve(in.IncludeFolders.size());
    for (const std::string& item : in.IncludeFolders) {
        std::string path = NormalizeFolderItem(item);
        const unsigned long level = CountPathSeparators(path);
        queue.emplace_back(level, std::move(path));
    }
    std::stable_sort(queue.begin(), queue.end(),
                     [](const AS_PAIR_NIVO_FOLDER_NAMES& a, const AS_PAIR_NIVO_FOLDER_NAMES& b) {
                         return a.first < b.first;
                     });
    std::vector<std::string> froms;
    std::vector<unsigned long> levels;
    froms.reserve(queue.size());
    levels.reserve(queue.size());
    for (auto it = queue.rbegin(); it != queue.rend(); ++it) {
        froms.push_back(std::move(it->second));
        levels.push_back(it->first);
    }
    const auto usable = [&](std::size_t i) { return !GetDrivePart(froms[i]).empty() && !UnusableFolderItem(froms[i]); };

    // Each worker's folders of one level's items; let go when it moves up
    // a level, as the folders below may have new names by then.
    const unsigned workers = RenameWorkers(froms);
    struct Worker {
        ParentBases parents;
        unsigned long level = 0;
        std::string to;
        plat::EntryInfo info;
    };
    std::vector<Worker> own(workers);
    const auto scope = [&](std::size_t i, RunScope& s) {
        if (usable(i)) s.Write(RenameScope(froms[i]));
    };
    const std::function<void(std::size_t, Vol06ItemOutcome&, RunItemContext&)> work =
        [&](std::size_t i, Vol06ItemOutcome& out, RunItemContext& item) {
            Worker& w = own[item.Worker()];
            if (levels[i] != w.level) {
                w.parents.Clear();
                w.level = levels[i];
            }
            Vol06Counters& ic = out.Counters;
            const auto count = [&](double& counter, int category, const std::string& line) {
                counter += 1;
                out.Lines.Outcome(category, line, ic.Values());
            };
            const std::string& from = froms[i];
            if (!usable(i)) {
                count(ic.OtherReasons, Vol06CatOtherReasons, from);
                return;
            }
            std::string& to = w.to;
            const std::size_t nameAt = NameStart(from);
            if (in.AddPrefixesSuffixes) {
                to.assign(from, 0, nameAt);
                to.append(head).append(from, nameAt).append(tail);
            } else {
                to = Vol06NewPath(in, from);
            }
            plat::Beneath* base = w.parents.Get(ParentText(from));
            // A folder, looked at beneath its parent: a link or file is none.
            plat::EntryInfo& info = w.info;
            if (!base || disk.Look(*base, from, info) != FsResult::Ok || info.kind != plat::EntryKind::Folder) {
                count(ic.SourceNotExists, Vol06CatSourceNotExists, from);
                return;
            }
            if (to.size() >= 260) {
                count(ic.OtherReasons, Vol06CatOtherReasons, to);
                return;
            }
            // The new name must name one entry beside the old one.
            const bool named = !UnusableFolderName(std::string_view(to).substr(nameAt));
            const FsResult r = named ? disk.Rename(*base, from, to) : FsResult::Failed;
            plat::EntryInfo there;
            if (r == FsResult::Ok) {
                out.Renamed = true;
                out.BaseFolder = base->Folder();
                out.BaseId = base->Identity();
                out.To = to;
                out.Id = info.id;
                count(ic.FoldersRenamed, Vol06CatFoldersRenamed, to);
            } else if (r == FsResult::AlreadyExists || disk.Look(*base, to, there) == FsResult::Ok) {
                count(ic.DestinationExists, Vol06CatDestinationExists, from);
            } else {
                count(ic.OtherReasons, Vol06CatOtherReasons, to);
            }
        };
    const std::function<void(std::size_t, Vol06ItemOutcome&, RunApplyContext&)> apply =
        [&](std::size_t i, Vol06ItemOutcome& out, RunApplyContext&) {
            if (out.Renamed) recorder.Renamed(out.BaseFolder, out.BaseId, froms[i], out.To, out.Id);
            out.Renamed = false;
            out.Lines.ReplayInto(sink, c.Values());
            AddCounters(c, out.Counters);
            out.Counters = {};
        };
    RunPageItems<Vol06ItemOutcome>(froms.size(), workers, scope, work, apply);
}

// ---- undo -----------------------------------------------------------------------------------------

Vol06UndoReport Vol06UndoRenames(Vol06UndoRecords& records, Vol06Counters& c, FolderRunSink& sink) {
    const DEQ_RENAME_RECORDS replay =
        std::move(!records.Vol06RenamedPairs.empty() ? records.Vol06RenamedPairs : records.Vol06FailedUndoPairs);
    const VEC_UNDO_BASES bases = std::move(records.Vol06UndoBases);
    Vol06ClearUndo(records);
    Vol06ResetCounters(c);
    Vol06UndoReport report;
    // Newest first: each folder goes back after everything renamed later,
    // so a parent renamed after its child is back before the child's turn.
    const std::size_t count = replay.size();
    const auto record = [&](std::size_t i) -> const _tagRenameRecord& { return replay[count - 1 - i]; };
    std::vector<std::string> news;
    news.reserve(count);
    for (std::size_t i = 0; i < count; ++i) news.push_back(record(i).NewPath);
    const unsigned workers = RenameWorkers(news);
    // Each worker finds the bases again for itself, at its first use.
    std::vector<std::unique_ptr<UndoBaseOpener>> openers(workers);
    const std::function<void(std::size_t, RenameBack&, RunItemContext&)> work = [&](std::size_t i, RenameBack& out,
                                                                                   RunItemContext& item) {
        auto& opener = openers[item.Worker()];
        if (!opener) opener = std::make_unique<UndoBaseOpener>(bases);
        out = RenameReversal(*opener).MoveBack(record(i));
    };
    const std::function<void(std::size_t, RenameBack&, RunApplyContext&)> apply = [&](std::size_t i, RenameBack& out,
                                                                                     RunApplyContext&) {
        const _tagRenameRecord& r = record(i);
        switch (out) {
        case RenameBack::Moved: break;
        case RenameBack::DestinationMissing: report.DestinationMissing.push_back(TrimControlAndBlanks(r.NewPath)); break;
        case RenameBack::SourceExists: report.SourceExists.push_back(TrimControlAndBlanks(r.OldPath)); break;
        case RenameBack::Changed:
            report.OtherReasons.push_back(TrimControlAndBlanks(r.NewPath) + "  (changed since the run)");
            break;
        case RenameBack::Failed:
            // Also a folder whose parent did not go back: it stays for the
            // next Undo, which tries the parent again first.
            report.OtherReasons.push_back(TrimControlAndBlanks(r.OldPath));
            records.Vol06FailedUndoPairs.push_front(r);
            break;
        }
        out = RenameBack::Moved;
    };
    RunPageItems<RenameBack>(
        count, workers,
        [&](std::size_t i, RunScope& s) {
            s.Write(RenameScope(record(i).NewPath));
            s.Write(RenameScope(record(i).OldPath));
        },
        work, apply);
    if (!records.Vol06FailedUndoPairs.empty()) records.Vol06UndoBases = bases;
    for (const _tagRenameRecord& failed : records.Vol06FailedUndoPairs)
        sink.Outcome(Vol06CatFoldersFailedUndo, TrimControlAndBlanks(failed.OldPath), c.Values());
    return report;
}

std::string Vol06UndoReportText(const Vol06UndoReport& report) {
    if (report.SourceExists.empty() && report.DestinationMissing.empty() && report.OtherReasons.empty()) return {};
    std::string text = "The program is unable to rename the following folders  : \n";
    const auto section = [&text](const char* heading, const StringList& paths) {
        if (paths.empty()) return;
        text += heading;
        for (const std::string& p : paths) text += p + "\n";
    };
    section("\nSOURCE FOLDERS DO EXIST : \n\n", report.SourceExists);
    section("\nDESTINATION FOLDERS DO NOT EXIST : \n\n", report.DestinationMissing);
    section("\nOTHER REASONS   : \n\n", report.OtherReasons);
    return text;
}
