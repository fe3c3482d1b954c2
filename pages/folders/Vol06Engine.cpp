#include "pages/folders/Vol06Engine.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
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

std::array<CounterLabel, 5> Vol06Counters::Labels() const {
    const auto values = Values();
    std::array<CounterLabel, 5> labels{};
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = {kVol06CounterLabels[i], values[i]};
    return labels;
}

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

// A folder renamed, as the undo records it.
struct Vol06Renamed {
    std::size_t Item;
    std::string BaseFolder, To;
    plat::FileIdentity BaseId, Id;
};

// The renames of one item of the run pool.
struct Vol06ItemOutcome {
    ItemLog Lines;
    Vol06Counters Counters;
    std::vector<Vol06Renamed> Renamed;
};

// The folder a rename changes: the one that holds the name.
std::string RenameScope(const std::string& path) {
    const std::string_view parent = ParentText(path);
    return parent.empty() ? path : std::string(parent);
}

// Renames that follow each other in one folder would wait for each other
// on the pool anyway: one item takes up to this many of them, so that a
// rename costs no hand-over between workers (one each took 2.6 times one
// at a time on tmpfs). A full window of such items keeps a few MB.
constexpr std::size_t kRenamesPerItem = 64;

// The items of a run over `paths`: [first, end) ranges of neighbours
// that lie in one folder.
std::vector<std::pair<std::size_t, std::size_t>> RenameItems(const std::vector<std::string>& paths) {
    std::vector<std::pair<std::size_t, std::size_t>> items;
    for (std::size_t i = 0; i < paths.size();) {
        std::size_t end = i + 1;
        const std::string_view parent = ParentText(paths[i]);
        while (end < paths.size() && end - i < kRenamesPerItem && ParentText(paths[end]) == parent) ++end;
        items.emplace_back(i, end);
        i = end;
    }
    return items;
}

// The pool's size for renames in these folders: one at a time when all of
// them lie in one folder (the kernel takes its lock for each).
unsigned RenameWorkers(const std::vector<std::string>& paths) {
    if (paths.empty()) return 1;
    const std::string_view first = ParentText(paths.front());
    const bool oneFolder =
        std::all_of(paths.begin(), paths.end(), [&](const std::string& p) { return ParentText(p) == first; });
    return PageRunWorkers(paths.front(), oneFolder ? plat::RunWork::OneFolder : plat::RunWork::Remove);
}

// The folders that hold the items' first paths as the kernel names them
// now (Linux form; "" for one that cannot be opened), looked at on the
// pool; nothing with one worker, where the order is the plain loop's.
std::unordered_map<std::string_view, std::string> RealParents(
    const std::vector<std::string>& paths, const std::vector<std::pair<std::size_t, std::size_t>>& items,
    unsigned workers) {
    std::unordered_map<std::string_view, std::string> real;
    if (workers <= 1) return real;
    std::vector<std::string_view> parents;
    for (const auto& item : items) {
        const std::string_view parent = ParentText(paths[item.first]);
        if (!parent.empty() && real.emplace(parent, std::string()).second) parents.push_back(parent);
    }
    std::vector<std::string> found(parents.size());
    RunPool pool(PageRunPoolOptions(workers));
    pool.Run(
        parents.size(), [](std::size_t, RunScope&) {},
        [&](std::size_t p, RunItemContext&) {
            plat::Beneath base;
            if (base.Open(std::string(parents[p])) == FsResult::Ok) found[p] = base.RealNative();
        },
        [](std::size_t, RunApplyContext&) {});
    for (std::size_t p = 0; p < parents.size(); ++p) real[parents[p]] = std::move(found[p]);
    return real;
}

}  // namespace

void Vol06RenameFolders(Vol06Counters& c, const Vol06Inputs& in, RunDisk& disk, Vol06Recorder& recorder,
                        RunLog& log) {
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
    const auto items = RenameItems(froms);
    // On the pool each item writes the folder that holds its folders as the
    // kernel names it before the run, so that a text through a link meets
    // the folder it reaches. (The run makes no folder that a later item's
    // text passes: one that cannot be opened now is never worked in.)
    const auto realParents = RealParents(froms, items, workers);
    const auto scope = [&](std::size_t k, RunScope& s) {
        for (std::size_t i = items[k].first; i < items[k].second; ++i)
            if (usable(i)) {
                const auto real = realParents.find(ParentText(froms[i]));
                s.Write(real != realParents.end() && !real->second.empty() ? real->second : RenameScope(froms[i]));
                break;
            }
    };
    const auto renameOne = [&](std::size_t i, Vol06ItemOutcome& out, Worker& w) {
        if (levels[i] != w.level) {
            w.parents.Clear();
            w.level = levels[i];
        }
        Vol06Counters& ic = out.Counters;
        const auto count = [&](double& counter, int category, const std::string& line) {
            counter += 1;
            out.Lines.AddLine(category, line);
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
            out.Renamed.push_back({i, base->Folder(), to, base->Identity(), info.id});
            count(ic.FoldersRenamed, Vol06CatFoldersRenamed, to);
        } else if (r == FsResult::AlreadyExists || disk.Look(*base, to, there) == FsResult::Ok) {
            count(ic.DestinationExists, Vol06CatDestinationExists, from);
        } else {
            count(ic.OtherReasons, Vol06CatOtherReasons, to);
        }
    };
    const std::function<void(std::size_t, Vol06ItemOutcome&, RunItemContext&)> work =
        [&](std::size_t k, Vol06ItemOutcome& out, RunItemContext& item) {
            for (std::size_t i = items[k].first; i < items[k].second; ++i) renameOne(i, out, own[item.Worker()]);
        };
    const std::function<void(std::size_t, Vol06ItemOutcome&, RunApplyContext&)> apply =
        [&](std::size_t, Vol06ItemOutcome& out, RunApplyContext&) {
            for (const Vol06Renamed& r : out.Renamed)
                recorder.Renamed(r.BaseFolder, r.BaseId, froms[r.Item], r.To, r.Id);
            out.Renamed.clear();
            ApplyItemLines(out.Lines, out.Counters, log, c);
        };
    RunPageItems<Vol06ItemOutcome>(items.size(), workers, scope, work, apply);
}

// ---- undo -----------------------------------------------------------------------------------------

Vol06UndoReport Vol06UndoRenames(Vol06UndoRecords& records, Vol06Counters& c, RunLog& log) {
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
    const auto items = RenameItems(news);
    const auto realParents = RealParents(news, items, workers);
    // Each worker finds the bases again for itself, at its first use.
    std::vector<std::unique_ptr<UndoBaseOpener>> openers(workers);
    using Results = std::vector<RenameBack>;
    const std::function<void(std::size_t, Results&, RunItemContext&)> work = [&](std::size_t k, Results& out,
                                                                                 RunItemContext& item) {
        auto& opener = openers[item.Worker()];
        if (!opener) opener = std::make_unique<UndoBaseOpener>(&bases);
        RenameReversal reversal(*opener);
        for (std::size_t i = items[k].first; i < items[k].second; ++i) out.push_back(reversal.MoveBack(record(i)));
    };
    const auto applyOne = [&](std::size_t i, RenameBack back) {
        const _tagRenameRecord& r = record(i);
        switch (back) {
            case RenameBack::Moved: break;
            case RenameBack::DestinationMissing:
                report.DestinationMissing.push_back(TrimControlAndBlanks(r.NewPath));
                break;
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
    };
    const std::function<void(std::size_t, Results&, RunApplyContext&)> apply = [&](std::size_t k, Results& out,
                                                                                   RunApplyContext&) {
        for (std::size_t j = 0; j < out.size(); ++j) applyOne(items[k].first + j, out[j]);
        out.clear();
    };
    RunPageItems<Results>(
        items.size(), workers,
        [&](std::size_t k, RunScope& s) {
            // The item's new names lie in one folder, written as the kernel
            // names it now; one that cannot be opened now (its own old name
            // comes back with an earlier item) waits for everything before.
            const std::string folder = RenameScope(record(items[k].first).NewPath);
            const auto real = realParents.find(ParentText(news[items[k].first]));
            if (real == realParents.end())
                s.Write(folder);
            else
                s.Write(real->second.empty() ? std::string("..") : real->second);
            // An old name elsewhere (never made by this page's run) is written too.
            for (std::size_t i = items[k].first; i < items[k].second; ++i)
                if (RenameScope(record(i).OldPath) != folder) s.Write(RenameScope(record(i).OldPath));
        },
        work, apply);
    if (!records.Vol06FailedUndoPairs.empty()) records.Vol06UndoBases = bases;
    for (const _tagRenameRecord& failed : records.Vol06FailedUndoPairs)
        log.AddLine(Vol06CatFoldersFailedUndo, TrimControlAndBlanks(failed.OldPath));
    log.CountersChanged(c);
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
