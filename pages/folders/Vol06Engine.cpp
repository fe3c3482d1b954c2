#include "pages/folders/Vol06Engine.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "pages/ListedFolders.h"
#include "pages/PageKinds.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunItems.h"

using plat::FsResult;

namespace {

// Where the last name begins: behind the last "\" (or the drive's ":").
std::size_t NameStart(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (path[i - 1] == '\\' || path[i - 1] == ':') return i;
    return 0;
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

void Vol06UndoRecorder::Renamed(const std::string& baseFolder, const plat::FileIdentity& baseId, std::string from,
                                std::string to, const plat::FileIdentity& id) {
    // Most renames of a run work in the folder of the one before.
    if (!(baseId == lastId_) || baseFolder != lastFolder_) {
        lastIndex_ = bases_.IndexOf(baseFolder, baseId);
        lastId_ = baseId;
        lastFolder_ = baseFolder;
    }
    records_.Vol06RenamedPairs.push_back({std::move(from), std::move(to), id, lastIndex_});
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

// The renames of one item of the run pool. Its renames mostly work beneath
// one folder: a base is kept once for those in a row beneath it.
struct Vol06ItemOutcome {
    ItemLog Lines;
    Vol06Counters Counters;
    std::vector<Vol06Base> Bases;
    std::vector<Vol06Renamed> Renamed;
    std::optional<std::size_t> Own;  // a folder of the program's own: the run stops there
};

// The characters a rename adds to a path, at most.
double Added(const Vol06Inputs& in) {
    return static_cast<double>(in.AddPrefixesSuffixes ? in.NewPrefix.size() + in.DelimiterPrefixSubFolder.size() +
                                                            in.DelimiterSubFolderSuffix.size() + in.NewSuffix.size()
                                                      : in.RenameNewLastSubFolder.size());
}

// The level queue of `list`: by level, and within a level in list order;
// walked backwards, the deepest level first and the last entered first.
void QueueByLevel(const StringList& list, std::vector<std::string>& froms, std::vector<unsigned long>& levelsOut) {
    const std::size_t n = list.size();
    std::vector<std::string> paths;
    std::vector<unsigned long> levels;
    paths.reserve(n);
    levels.reserve(n);
    unsigned long deepest = 0;
    for (const std::string& item : list) {
        unsigned long level = 0;
        paths.push_back(NormalizeFolderItem(item, level));
        levels.push_back(level);
        deepest = std::max(deepest, level);
    }
    // Counted into place, the list walked backwards: where each level's
    // folders begin, the deepest level first.
    std::vector<std::size_t> at(deepest + 2, 0);
    for (const unsigned long level : levels) ++at[deepest - level + 1];
    for (std::size_t l = 1; l < at.size(); ++l) at[l] += at[l - 1];
    froms.resize(n);
    levelsOut.resize(n);
    for (std::size_t i = n; i-- > 0;) {
        const std::size_t to = at[deepest - levels[i]]++;
        froms[to] = std::move(paths[i]);
        levelsOut[to] = levels[i];
    }
}

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

// What an item's outcome slot keeps: its renames, their new paths `chars`
// long in all, and the base they work beneath, `parentChars` long.
double ItemSlotBytes(double renames, double chars, double parentChars) {
    return kept::SlotFixed(sizeof(Vol06ItemOutcome), chars) + Weigh(renames, chars, kept::kSlotRename) +
           Weigh(1, parentChars, kept::kSlotBase);
}

// The items of a run over `paths`: [first, end) ranges of neighbours
// that lie in one folder.
std::vector<std::pair<std::size_t, std::size_t>> RenameItems(const std::vector<std::string>& paths);
// The pool's size for renames in these folders: one at a time when all of
// them lie in one folder (the kernel takes its lock for each).
unsigned RenameWorkers(const std::vector<std::string>& paths);
unsigned RenameWorkers(const std::string& first, bool oneFolder);

// What each item's slot keeps, its paths growing by `added`.
std::vector<double> ItemsSlotBytes(const std::vector<std::string>& froms,
                                   const std::vector<std::pair<std::size_t, std::size_t>>& items, double added) {
    std::vector<double> slots;
    for (const auto& [first, end] : items) {
        double chars = 0;
        for (std::size_t i = first; i < end; ++i) chars += static_cast<double>(froms[i].size()) + added;
        slots.push_back(ItemSlotBytes(static_cast<double>(end - first), chars,
                                      static_cast<double>(ParentText(froms[first]).size())));
    }
    return slots;
}

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

}  // namespace

namespace {

// What a run over a list will make of it, read from the list in the run's
// order without building its queue: the folders that follow each other in
// one parent (each such run of them is an item or more, beneath one base,
// with that parent looked up on the pool), and each item's slot.
struct Vol06Plan {
    double parents = 0;      // runs of neighbours in one parent, in the run's order
    double parentChars = 0;  // their parents' characters
    double items = 0;
    std::vector<double> slots;  // what each item's slot keeps
    std::string first;          // the run's first folder
    bool oneFolder = true;
};

Vol06Plan PlanRenames(const StringList& list, double added) {
    Vol06Plan plan;
    // The queue's order: the deepest level first, within a level the last
    // listed first (as QueueByLevel lays it out).
    const std::size_t n = list.size();
    std::vector<unsigned long> levels(n);
    unsigned long deepest = 0;
    for (std::size_t i = 0; i < n; ++i) {
        NormalizeFolderItem(list[i], levels[i]);
        deepest = std::max(deepest, levels[i]);
    }
    std::vector<std::size_t> at(deepest + 2, 0);
    for (const unsigned long level : levels) ++at[deepest - level + 1];
    for (std::size_t l = 1; l < at.size(); ++l) at[l] += at[l - 1];
    std::vector<std::uint32_t> order(n);
    for (std::size_t i = n; i-- > 0;) order[at[deepest - levels[i]]++] = static_cast<std::uint32_t>(i);
    std::vector<unsigned long>().swap(levels);
    std::string previous, path;
    std::size_t inItem = 0;
    double itemChars = 0, itemParent = 0;
    const auto close = [&] {
        if (inItem > 0) plan.slots.push_back(ItemSlotBytes(static_cast<double>(inItem), itemChars, itemParent));
        inItem = 0;
        itemChars = 0;
    };
    for (std::size_t k = 0; k < n; ++k) {
        path = NormalizeFolderItem(list[order[k]]);
        const std::string_view parent = ParentText(path);
        const bool same = k > 0 && parent == ParentText(previous);
        if (k == 0) plan.first = path;
        if (!same) {
            plan.parents += 1;
            plan.parentChars += static_cast<double>(parent.size());
            if (k > 0) plan.oneFolder = false;
        }
        if (!same || inItem == kRenamesPerItem) close();
        if (inItem == 0) itemParent = static_cast<double>(parent.size());
        ++inItem;
        itemChars += static_cast<double>(path.size()) + added;
        previous.swap(path);
    }
    close();
    plan.items = static_cast<double>(plan.slots.size());
    return plan;
}

}  // namespace

RunMemoryNeed Vol06MemoryNeed(const Vol06Inputs& in, bool simulation) {
    using namespace kept;
    const double folders = static_cast<double>(in.IncludeFolders.size());
    const double chars = TotalLength(in.IncludeFolders), renamed = chars + folders * Added(in);
    const Vol06Plan plan = PlanRenames(in.IncludeFolders, Added(in));
    const unsigned workers = PoolThreads(RenameWorkers(plan.first, plan.oneFolder), plan.items);
    // Each rename's line names a path; the run records it, the simulation
    // pretends it. The run queues the list once more, makes its items, and
    // keeps a base for each parent its renames work beneath; on the pool it
    // looks each item's parent up and keeps it. The simulation notes each
    // parent's folder it pretends in.
    RunMemoryNeed need{folders, RunBase(workers) + 4 * kListUnused, renamed};
    need.bytes += Weigh(folders, chars, kRenameQueued) + Weigh(folders, renamed, kLine) +
                  Weigh(plan.items, 0, kItemRange) +
                  (simulation ? Weigh(folders, renamed + chars, kDryRename) +
                                    Weigh(plan.parents, plan.parentChars, kDryFolderMap)
                              : Weigh(folders, renamed, kRenameRecord) +
                                    Weigh(plan.parents, plan.parentChars, kUndoBase)) +
                  SlotsWeight(plan.slots, workers);
    if (workers > 1) {
        // A parent in Linux form is longer by what the drive letter stands for.
        std::string native;
        const double longer = plat::ToNative(plan.first, native)
                                  ? std::max(0.0, static_cast<double>(native.size()) - static_cast<double>(plan.first.size()))
                                  : 0;
        need.bytes += Weigh(plan.items, plan.parentChars + plan.items * longer, kOwnPath);
    }
    if (simulation) need.bytes += DryBase(folders > 0 ? renamed / folders : 0, workers);
    return need;
}

double Vol06UndoBytes(const Vol06UndoRecords& records) {
    double bytes = 0;
    for (const DEQ_RENAME_RECORDS* list : {&records.Vol06RenamedPairs, &records.Vol06FailedUndoPairs})
        for (const _tagRenameRecord& r : *list) {
            bytes += sizeof(_tagRenameRecord);
            for (const std::string* path : {&r.OldPath, &r.NewPath})
                if (path->capacity() > kept::kInPlaceChars) bytes += kept::Block(path->capacity() + 1);
        }
    return bytes;
}

namespace {

// The pool's size for renames in these folders: one at a time when all of
// them lie in one folder (the kernel takes its lock for each).
unsigned RenameWorkers(const std::string& first, bool oneFolder) {
    if (first.empty()) return 1;
    return PageRunWorkers(first, oneFolder ? plat::RunWork::OneFolder : plat::RunWork::Remove);
}

unsigned RenameWorkers(const std::vector<std::string>& paths) {
    if (paths.empty()) return 1;
    const std::string_view first = ParentText(paths.front());
    return RenameWorkers(paths.front(), std::all_of(paths.begin(), paths.end(), [&](const std::string& p) {
                             return ParentText(p) == first;
                         }));
}

// The folder that holds `path` as the kernel names it now (Linux form;
// "" when it cannot be opened).
std::string RealParent(const std::string& path) {
    const std::string_view parent = ParentText(path);
    plat::Beneath base;
    if (parent.empty() || base.Open(std::string(parent)) != FsResult::Ok) return {};
    return base.RealNative();
}

// The run over the Include folders: the deepest level first and within a
// level the last entered first; neighbours in one folder are one item.
class Vol06Run {
public:
    Vol06Run(Vol06Counters& counters, const Vol06Inputs& in, RunDisk& disk, Vol06Recorder& recorder, RunLog& log)
        : c_(counters), in_(in), disk_(disk), recorder_(recorder), log_(log),
          head_(TrimControlAndBlanks(in.NewPrefix) + TrimControlAndBlanks(in.DelimiterPrefixSubFolder)),
          tail_(TrimControlAndBlanks(in.DelimiterSubFolderSuffix) + TrimControlAndBlanks(in.NewSuffix)) {
        QueueFolders();
    }

    std::string Run() {
        PooledRun<Vol06ItemOutcome> run;
        items_ = RenameItems(froms_);
        run.Items = items_.size();
        for (const double bytes : ItemsSlotBytes(froms_, items_, Added(in_))) run.SlotBytes = std::max(run.SlotBytes, bytes);
        run.Workers = RenameWorkers(froms_);
        workers_.resize(run.Workers);
        // On the pool each item writes the folder that holds its folders as
        // the kernel names it before the run, so that a text through a link
        // meets the folder it reaches. (The run makes no folder that a later
        // item's text passes: one that cannot be opened now is never worked in.)
        if (run.Workers > 1) {
            realParents_.resize(items_.size());
            run.Look = [this](std::size_t k, unsigned) { realParents_[k] = RealParent(froms_[items_[k].first]); };
        }
        // One worker renames the items one after another: nothing to keep apart.
        if (run.Workers > 1) run.Scope = [this](std::size_t k, RunScope& s) { Scope(k, s); };
        run.Work = [this](std::size_t k, Vol06ItemOutcome& out, RunItemContext& ctx) {
            for (std::size_t i = items_[k].first; i < items_[k].second && !out.Own; ++i)
                RenameOne(i, out, workers_[ctx.Worker()]);
            if (out.Own) ctx.Stop();  // nothing after it starts
        };
        run.Apply = [this](std::size_t k, Vol06ItemOutcome& out, RunApplyContext& ctx) { Apply(k, out, ctx); };
        run.Stream = StreamLines(&Vol06ItemOutcome::Lines, &Vol06ItemOutcome::Counters, log_, c_);
        run.Name = [this](std::size_t k) { return froms_[items_[k].first]; };
        RunPageItems(run);
        return refused_;
    }

private:
    // Each worker's folders of one level's items; let go when it moves up
    // a level, as the folders below may have new names by then.
    struct Worker {
        ParentBases parents;
        unsigned long level = 0;
        std::string to;
        plat::EntryInfo info;
        std::unique_ptr<RunFolderRefusal> refusal;
    };

    void QueueFolders() { QueueByLevel(in_.IncludeFolders, froms_, levels_); }

    // (The item check refuses a path without a drive too.)
    bool Usable(std::size_t i) const { return !UnusableFolderItem(froms_[i]); }

    void Scope(std::size_t k, RunScope& s) const {
        for (std::size_t i = items_[k].first; i < items_[k].second; ++i)
            if (Usable(i)) {
                s.Write(realParents_[k].empty() ? RenameScope(froms_[i]) : realParents_[k]);
                break;
            }
    }

    // `nameAt`: where the last name of the folder begins.
    void NewPath(std::size_t i, std::size_t nameAt, std::string& to) const {
        const std::string& from = froms_[i];
        to.assign(from, 0, nameAt);
        if (!in_.AddPrefixesSuffixes) {  // as Vol06NewPath builds it
            if (to.empty() || to.back() != '\\') to += '\\';
            to.append(in_.RenameNewLastSubFolder);
            return;
        }
        to.append(head_).append(from, nameAt).append(tail_);
    }

    void RenameOne(std::size_t i, Vol06ItemOutcome& out, Worker& w) {
        if (levels_[i] != w.level) {
            w.parents.Clear();
            w.level = levels_[i];
        }
        Vol06Counters& ic = out.Counters;
        const auto count = [&](double& counter, int category, const std::string& line) {
            counter += 1;
            out.Lines.AddLine(category, line);
        };
        const std::string& from = froms_[i];
        if (!Usable(i)) return count(ic.OtherReasons, Vol06CatOtherReasons, from);
        std::string& to = w.to;
        const std::size_t nameAt = NameStart(from);
        NewPath(i, nameAt, to);
        plat::Beneath* base = w.parents.Get(ParentText(from));
        // A folder, looked at beneath its parent: a link or file is none.
        plat::EntryInfo& info = w.info;
        if (!base || disk_.Look(*base, from, info) != FsResult::Ok || info.kind != plat::EntryKind::Folder)
            return count(ic.SourceNotExists, Vol06CatSourceNotExists, from);
        // Judged on the folder that holds it, where it is renamed. (The run
        // was refused before it began when the list named one; this one was
        // swapped in since.)
        if (!w.refusal) w.refusal = std::make_unique<RunFolderRefusal>(in_.ProgramFolder, in_.WorkingDir);
        if (w.refusal->IsOwnEntry(*base, info.id)) {
            out.Own = i;
            return;
        }
        if (to.size() >= 260) return count(ic.OtherReasons, Vol06CatOtherReasons, to);
        // The new name must name one entry beside the old one.
        const bool named = !UnusableFolderName(std::string_view(to).substr(nameAt));
        const FsResult r = named ? disk_.Rename(*base, from, to) : FsResult::Failed;
        plat::EntryInfo there;
        if (r == FsResult::Ok) {
            if (out.Bases.empty() || !(out.Bases.back().Id == base->Identity()) ||
                out.Bases.back().Folder != base->Folder())
                out.Bases.push_back({base->Folder(), base->Identity()});
            out.Renamed.push_back({i, out.Bases.size() - 1, to, info.id});
            count(ic.FoldersRenamed, Vol06CatFoldersRenamed, to);
        } else if (disk_.Look(*base, to, there) == FsResult::Ok && there.kind == plat::EntryKind::Folder) {
            count(ic.DestinationExists, Vol06CatDestinationExists, from);
        } else {  // also a file or link at the new name: the move fails

            count(ic.OtherReasons, Vol06CatOtherReasons, to);
        }
    }

    // The paths go to the records: the run needs them no more, but for the
    // item's first, which names it in a failure box.
    void Apply(std::size_t k, Vol06ItemOutcome& out, RunApplyContext& ctx) {
        const std::optional<std::size_t> own = std::exchange(out.Own, std::nullopt);
        if (own) refused_ = froms_[*own];
        for (Vol06Renamed& r : out.Renamed) {
            const Vol06Base& b = out.Bases[r.Base];
            std::string from = r.Item == items_[k].first ? froms_[r.Item] : std::move(froms_[r.Item]);
            recorder_.Renamed(b.Folder, b.Id, std::move(from), std::move(r.To), r.Id);
        }
        out.Renamed.clear();
        out.Bases.clear();
        ApplyItemLines(out.Lines, out.Counters, log_, c_);
        if (own) ctx.Stop();
    }

    Vol06Counters& c_;
    const Vol06Inputs& in_;
    RunDisk& disk_;
    Vol06Recorder& recorder_;
    RunLog& log_;
    // The texts around each name, trimmed once for the run.
    const std::string head_, tail_;
    std::vector<std::string> froms_;
    std::vector<unsigned long> levels_;
    std::vector<std::pair<std::size_t, std::size_t>> items_;
    std::vector<std::string> realParents_;  // on the pool: each item's, as looked at
    std::vector<Worker> workers_;
    std::string refused_;
};

}  // namespace

std::string Vol06RenameFolders(Vol06Counters& c, const Vol06Inputs& in, RunDisk& disk, Vol06Recorder& recorder,
                               RunLog& log) {
    return Vol06Run(c, in, disk, recorder, log).Run();
}

// ---- undo -----------------------------------------------------------------------------------------

namespace {

// The undo on the run pool: the records newest first, neighbours whose new
// names lie in one folder an item, each writing that folder, so a parent
// goes back before its children, as one at a time. A record whose move
// back failed, or never came to its turn, stays for the next Undo.
class Vol06Undo {
public:
    Vol06Undo(const DEQ_RENAME_RECORDS& replay, const VEC_UNDO_BASES& bases) : replay_(replay), bases_(bases) {
        news_.reserve(replay.size());
        kept_.assign(replay.size(), 0);
        for (std::size_t i = 0; i < replay.size(); ++i) news_.push_back(Record(i).NewPath);
        items_ = RenameItems(news_);
    }

    Vol06UndoReport Run() {
        PooledRun<std::vector<RenameBack>> run;
        run.Items = items_.size();
        run.Workers = RenameWorkers(news_);
        // Each worker finds the bases again for itself, at its first use.
        openers_.resize(run.Workers);
        // One worker moves the items back one after another: nothing to keep apart.
        if (run.Workers > 1) {
            realParents_.resize(items_.size());
            run.Look = [this](std::size_t k, unsigned) { realParents_[k] = RealParent(news_[items_[k].first]); };
            run.Scope = [this](std::size_t k, RunScope& s) { Scope(k, s); };
        }
        run.Work = [this](std::size_t k, std::vector<RenameBack>& out, RunItemContext& ctx) {
            auto& opener = openers_[ctx.Worker()];
            if (!opener) opener = std::make_unique<UndoBaseOpener>(&bases_);
            RenameReversal reversal(*opener);
            for (std::size_t i = items_[k].first; i < items_[k].second; ++i) out.push_back(reversal.MoveBack(Record(i)));
        };
        run.Apply = [this](std::size_t k, std::vector<RenameBack>& out, RunApplyContext&) {
            // A failed item's records without an outcome stay as they are.
            for (std::size_t i = items_[k].first; i < items_[k].second; ++i) {
                const std::size_t j = i - items_[k].first;
                ApplyOne(i, j < out.size() ? out[j] : RenameBack::Failed);
            }
            out.clear();
        };
        run.Skipped = [this](std::size_t k) {
            for (std::size_t i = items_[k].first; i < items_[k].second; ++i) kept_[i] = 1;
        };
        run.Name = [this](std::size_t k) { return TrimControlAndBlanks(Record(items_[k].first).NewPath); };
        RunPageItems(run);
        return std::move(report_);
    }

    // The records to keep for the next Undo, in the order of the list.
    DEQ_RENAME_RECORDS Kept() const {
        DEQ_RENAME_RECORDS kept;
        for (std::size_t i = kept_.size(); i-- > 0;)
            if (kept_[i]) kept.push_back(Record(i));
        return kept;
    }

private:
    // Newest first.
    const _tagRenameRecord& Record(std::size_t i) const { return replay_[replay_.size() - 1 - i]; }

    // The item's new names lie in one folder, written as the kernel names
    // it now; one that cannot be opened now (its own old name comes back
    // with an earlier item) waits for everything before. An old name
    // elsewhere (never made by this page's run) is written too.
    void Scope(std::size_t k, RunScope& s) const {
        const std::string folder = RenameScope(Record(items_[k].first).NewPath);
        s.Write(realParents_[k].empty() ? std::string("..") : realParents_[k]);
        for (std::size_t i = items_[k].first; i < items_[k].second; ++i)
            if (RenameScope(Record(i).OldPath) != folder) s.Write(RenameScope(Record(i).OldPath));
    }

    void ApplyOne(std::size_t i, RenameBack back) {
        const _tagRenameRecord& r = Record(i);
        switch (back) {
            case RenameBack::Moved: break;
            case RenameBack::DestinationMissing:
                report_.DestinationMissing.push_back(TrimControlAndBlanks(r.NewPath));
                break;
            case RenameBack::SourceExists: report_.SourceExists.push_back(TrimControlAndBlanks(r.OldPath)); break;
            case RenameBack::Changed:
                report_.OtherReasons.push_back(TrimControlAndBlanks(r.NewPath) + kChangedSinceRun);
                break;
            case RenameBack::Failed:
                // Also a folder whose parent did not go back: it stays for the
                // next Undo, which tries the parent again first.
                report_.OtherReasons.push_back(TrimControlAndBlanks(r.OldPath));
                kept_[i] = 1;
                break;
        }
    }

    const DEQ_RENAME_RECORDS& replay_;
    // By record: kept for the next Undo. A mark, so that an item's records
    // kept by its Apply and again by Skipped (the Apply failing) are kept once.
    std::vector<char> kept_;
    const VEC_UNDO_BASES& bases_;
    std::vector<std::string> news_;
    std::vector<std::pair<std::size_t, std::size_t>> items_;
    std::vector<std::string> realParents_;  // on the pool: each item's, as looked at
    std::vector<std::unique_ptr<UndoBaseOpener>> openers_;
    Vol06UndoReport report_;
};

}  // namespace

Vol06UndoReport Vol06UndoRenames(Vol06UndoRecords& records, Vol06Counters& c, RunLog& log) {
    // Until what stays is kept, a failure gives every record back.
    DEQ_RENAME_RECORDS replay;
    VEC_UNDO_BASES bases;
    UndoTaking taking;
    taking.Take(!records.Vol06RenamedPairs.empty() ? records.Vol06RenamedPairs : records.Vol06FailedUndoPairs, replay);
    taking.Take(records.Vol06UndoBases, bases);
    Vol06Undo undo(replay, bases);
    Vol06UndoReport report = undo.Run();
    DEQ_RENAME_RECORDS kept = undo.Kept();
    Vol06ClearUndo(records);
    records.Vol06FailedUndoPairs = std::move(kept);
    if (!records.Vol06FailedUndoPairs.empty()) records.Vol06UndoBases = std::move(bases);
    taking.Kept();
    Vol06ResetCounters(c);
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

// ---- the undo's weight --------------------------------------------------------------------

RunMemoryNeed Vol06UndoMemoryNeed(const Vol06UndoRecords& records) {
    using namespace kept;
    const DEQ_RENAME_RECORDS& replay =
        !records.Vol06RenamedPairs.empty() ? records.Vol06RenamedPairs : records.Vol06FailedUndoPairs;
    // The items as the undo makes them, newest first: neighbours whose new
    // names lie in one folder, up to kRenamesPerItem each.
    double olds = 0, news = 0, staying = 0, items = 0, parents = 0;
    std::size_t inItem = 0, largest = 0;
    bool oneFolder = true;
    std::string_view parent;
    for (auto it = replay.rbegin(); it != replay.rend(); ++it) {
        olds += static_cast<double>(it->OldPath.size());
        news += static_cast<double>(it->NewPath.size());
        // Reported by its old path, or by its new one with a reason.
        staying += static_cast<double>(std::max(it->OldPath.size(), it->NewPath.size())) + kReasonChars;
        const std::string_view here = ParentText(it->NewPath);
        const bool same = it != replay.rbegin() && here == parent;
        if (!same && it != replay.rbegin()) oneFolder = false;
        if (!same || inItem == kRenamesPerItem) {
            items += 1;
            parents += static_cast<double>(here.size());
            inItem = 0;
        }
        largest = std::max(largest, ++inItem);
        parent = here;
    }
    const double n = static_cast<double>(replay.size());
    const std::string first = replay.empty() ? std::string() : replay.back().NewPath;
    const unsigned workers =
        replay.empty() ? 1 : PageRunWorkers(first, oneFolder ? plat::RunWork::OneFolder : plat::RunWork::Remove);
    RunMemoryNeed need{n, 0, olds};
    // Each new path copied, a mark and each item's range; each item's
    // slot, its outcome for each record; on the pool, each item's parent
    // looked up in Linux form, longer by what the drive letter stands for.
    need.bytes = RunBase(workers) + kListUnused + Weigh(n, news, kOwnPath) + n +
                 Weigh(items, 0, kItemRange) +
                 SlotsWeight(items, Block(static_cast<std::size_t>(Grown(double(sizeof(RenameBack) * largest)))),
                             workers);
    if (workers > 1) {
        std::string native;
        const double longer =
            plat::ToNative(first, native) ? std::max<double>(0, double(native.size()) - double(first.size())) : 0;
        need.bytes += Weigh(items, parents + items * longer, kOwnPath);
    }
    // Every record staying: reported, kept with its paths, its old path listed.
    need.bytes += Weigh(n, staying, kOwnPath) + Weigh(n, olds + news, kKeptRenameRecord) + Weigh(n, olds, kLine);
    // Each base stays with the opener of the worker that opened it.
    double baseChars = 0;
    for (const _tagUndoBase& base : records.Vol06UndoBases) baseChars += static_cast<double>(base.Path.size());
    need.bytes += Weigh(static_cast<double>(records.Vol06UndoBases.size()), baseChars, kOpenedBase);
    return need;
}
