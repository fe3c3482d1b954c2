#include "pages/creation/FolderCreator.h"

#include <utility>

#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"
#include "pages/AttachWalk.h"
#include "pages/PageMessages.h"
#include "pages/RunCounters.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"
#include "platform/MessageBox.h"

using plat::FsResult;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

// ---- the creator ----------------------------------------------------------------------

FolderCreator::FolderCreator(const CreationProfile& profile, const CreationInputs& in, CreationState& state,
                             RunLog& log, RunDisk& disk)
    : profile_(profile), in_(in), state_(state), log_(log), disk_(disk), dry_(disk.IsDry()),
      bases_(std::make_unique<UndoBaseIndex>(state.LastBases)), walk_(disk) {
    if (in_.RelativePaths) PrepareTemplates();
    shownOnce_.assign(in_.FolderStructures.size(), 0);
    refused_.Reset(in_.FolderStructures.size());
}

// A worker's creator: the run's structures and template lines, read once,
// with its own handles on the destination and the structure folders.
FolderCreator::FolderCreator(const FolderCreator& run, WorkerTag)
    : profile_(run.profile_), in_(run.in_), state_(run.state_), run_(&run), log_(run.log_), disk_(run.disk_),
      dry_(run.dry_), walk_(run.disk_) {
    ExistsTotals = run.ExistsTotals;
    FailedTotals = run.FailedTotals;
    structuresRead_ = true;
    templateMode_ = run.templateMode_;
    searchTerm_ = run.searchTerm_;
    templates_ = run.templates_;
    orders_ = run.orders_;
    views_.resize(run.structures_.size());
    for (std::size_t i = 0; i < views_.size(); ++i)
        if (run.structures_[i].source.IsOpen()) views_[i].source = run.structures_[i].source.Twin();
    UseWorkerDestination(run.destText_);
}

// A worker takes the run's destination through a twin of the run's handle,
// so that every item beneath it has the base the run opened; any other
// destination (page 04: each item's parent) it opens anew for each item.
void FolderCreator::UseWorkerDestination(const std::string& folder) {
    if (folder == run_->destText_) {
        if (twinned_) return;
        twinned_ = true;
        destText_ = folder;
        dest_.Close();
        if (run_->dest_.IsOpen()) dest_ = run_->dest_.Twin();
        destChain_ = run_->destChain_;
        for (std::size_t i = 0; i < views_.size(); ++i) {
            views_[i].holdsDestination = run_->structures_[i].holdsDestination;
            views_[i].belowDest = run_->structures_[i].belowDest;
        }
        return;
    }
    twinned_ = false;
    destText_ = folder;
    dest_.Close();
    if (IsUsableRunItem(folder, RunItemUse::Destination)) dest_.OpenNearest(folder);
    if (!in_.FullPaths) return;
    destChain_ = dest_.Ancestry();
    ViewStructures();
}

void FolderCreator::UseDestination(const std::string& folder) {
    if (run_) {
        UseWorkerDestination(folder);
        return;
    }
    if (folder == destText_ && (dest_.IsOpen() || destText_.empty())) return;
    const plat::FileIdentity before = dest_.Identity();
    destText_ = folder;
    dest_.Close();
    // Read beside the window, which answers meanwhile, and on the process's
    // table of handles: the workers use what is opened here.
    bool relate = false;
    const bool read = WorkBeside(
        folder,
        [&] {
            // A destination the run may not build names beneath is never
            // opened: every main folder below it then fails.
            if (IsUsableRunItem(folder, RunItemUse::Destination)) dest_.OpenNearest(folder);
            relate = in_.FullPaths && !(dest_.IsOpen() && dest_.Identity() == before && !destChain_.empty());
            if (relate) destChain_ = dest_.Ancestry();
        },
        true);
    if (!read) throw RunFailureNoted();
    if (!relate) return;
    // Where the structures stand to this destination, judged by the real folders.
    const bool first = !std::exchange(structuresRead_, true);
    if (first) {
        structures_.resize(in_.FolderStructures.size());
        orders_.resize(in_.FolderStructures.size());
    }
    const bool related = ReadOnPool(
        in_.FolderStructures,
        [&](std::size_t i) {
            if (first) PrepareStructure(i);
            FolderStructure& s = structures_[i];
            s.belowDest.clear();
            if (!s.source.IsOpen()) return;
            s.holdsDestination = ChainHolds(destChain_, s.source.Identity());
            if (!s.holdsDestination && dest_.IsOpen() && ChainHolds(s.source.Ancestry(), dest_.Identity()))
                s.source.RealPathBelow(dest_, s.belowDest);
        },
        true);
    if (!related) throw RunFailureNoted();
}

void FolderCreator::ViewStructures() {
    for (StructureView& v : views_) {
        v.belowDest.clear();
        if (!v.source.IsOpen()) continue;
        v.holdsDestination = ChainHolds(destChain_, v.source.Identity());
        if (!v.holdsDestination && dest_.IsOpen() && ChainHolds(v.source.Ancestry(), dest_.Identity()))
            v.source.RealPathBelow(dest_, v.belowDest);
    }
}

unsigned FolderCreator::Workers(const std::string& destination) const { return CreationWorkers(in_, destination); }

namespace {
// The worker whose look asks for a scope (0: the window thread, the plain loop).
thread_local unsigned scopeWorker = 0;
}  // namespace

void FolderCreator::ScopeMain(const std::string& destination, const std::string& path, RunScope& scope) {
    if (scopeBases_.size() <= scopeWorker) scopeBases_.resize(scopeWorker + 1);
    auto& bases = scopeBases_[scopeWorker];
    // Page 04 names a parent per item: a few of them are kept open.
    if (bases.size() >= 64 && !bases.contains(destination)) bases.clear();
    auto [it, added] = bases.try_emplace(destination);
    ScopeBase& sb = it->second;
    if (added) {
        if (destination == destText_ && dest_.IsOpen())
            sb.base = dest_.Twin();
        else if (IsUsableRunItem(destination, RunItemUse::Destination))
            sb.base.OpenNearest(destination);
        // A structure folder in the destination is read by every item and
        // may be made by one: the items keep their order around it.
        for (const FolderStructure& s : structures_) {
            if (!s.usable && !s.absent) continue;
            if (PathWithinFolder(s.entry, destination)) sb.inside.push_back(s.entry);
            // Where the structure's real folder lies below the run's destination.
            if (!s.belowDest.empty() && sb.base.IsOpen() && destination == destText_) {
                std::string real = sb.base.Folder();
                if (real.empty() || !IsSeparator(real.back())) real += '\\';
                for (const char ch : s.belowDest) real += ch == '/' ? '\\' : ch;
                sb.inside.push_back(std::move(real));
            }
        }
    }
    for (const std::string& inside : sb.inside) scope.Read(inside);
    // The top-most folder it may make: the first name below the nearest
    // folder there was; the nearest folder itself when the path is it or
    // lies elsewhere (the item then makes nothing, or fails).
    std::string rel;
    if (!sb.base.IsOpen() || !sb.base.Relative(path, rel) || rel.empty()) {
        scope.Write(sb.base.IsOpen() ? sb.base.Folder() : path);
        return;
    }
    std::string top = sb.base.Folder();
    if (top.empty() || !IsSeparator(top.back())) top += '\\';
    top.append(rel, 0, rel.find('/'));
    scope.Write(top);
}

RunPoolResult FolderCreator::RunItems(std::size_t count, unsigned workers, const RunPool::ScopeFn& scope,
                                      const ItemFn& item, bool scopesLooked) {
    workers_.clear();
    workers_.resize(workers < 1 ? 1 : workers);
    PooledRun<CreationOutcome> run;
    run.Items = count;
    run.Workers = workers;
    run.SlotBytes = state_.ItemSlotBytes;
    run.Scope = scope;
    scopeBases_.clear();
    looked_.clear();
    if (scopesLooked && workers > 1) {
        // Each worker its own bases (index 0 stays the window thread's).
        scopeBases_.resize(workers + 1);
        looked_.resize(count);
        run.Look = [&](std::size_t i, unsigned worker) {
            struct Looking {
                explicit Looking(unsigned w) { scopeWorker = w; }
                ~Looking() { scopeWorker = 0; }
            } looking(worker + 1);
            scope(i, looked_[i]);
        };
        run.Scope = [&](std::size_t i, RunScope& s) { s = std::move(looked_[i]); };
    }
    run.Work = [&](std::size_t i, CreationOutcome& out, RunItemContext& ctx) {
        auto& worker = workers_[ctx.Worker()];
        if (!worker) worker.reset(new FolderCreator(*this, WorkerTag{}));
        struct Bind {
            FolderCreator& w;
            Bind(FolderCreator& creator, CreationOutcome& out) : w(creator) {
                w.out_ = &out;
                w.c_ = &out.added;
            }
            ~Bind() {
                w.out_ = nullptr;
                w.c_ = nullptr;
            }
        } bind(*worker, out);
        worker->item_ = i;
        item(i, *worker);
    };
    run.Apply = [&](std::size_t, CreationOutcome& out, RunApplyContext& ctx) { Apply(out, ctx); };
    run.Stream = [&](std::size_t, CreationOutcome& out, RunApplyContext& ctx) {
        ApplyEntries(out, out.entries.Published(), ctx);
    };
    const RunPoolResult result = RunPageItems(run);
    // Behind the box, the counters as the run left them.
    if (refused_.Pending()) log_.ShowCounters(state_.Labels());
    refused_.ShowLater(
        [&](std::size_t i) { return i < structures_.size() ? structures_[i].entry : in_.FolderStructures[i]; },
        [&](const std::string& text) { plat::MessageBox(text, profile_.StructureRefusedCaption, pagekit::kWarn); });
    return result;
}

void FolderCreator::Apply(CreationOutcome& out, RunApplyContext& ctx) {
    AddCounters(state_.Counters, out.added);
    if (out.undoMode != 0 && !dry_) {
        state_.UndoMode = std::string(1, out.undoMode);
        if (out.undoMode != 'N') state_.FailedUndoFiles.clear();
    }
    ApplyEntries(out, out.entries.Size(), ctx);
    log_.CountersChanged(state_);
    out.Clear();
}

void FolderCreator::ApplyEntries(CreationOutcome& out, std::size_t upTo, RunApplyContext& ctx) {
    using Kind = CreationOutcome::Kind;
    // The item's base was set before its first entry.
    std::uint32_t base = 0;
    bool baseKnown = false;
    auto baseIndex = [&] {
        if (!baseKnown) base = bases_->IndexOf(out.baseFolder, out.baseId);
        baseKnown = true;
        return base;
    };
    const std::size_t from = out.applied;
    bool boxes = false;
    for (; out.applied < upTo; ++out.applied) {
        CreationOutcome::Entry& e = out.entries[out.applied];
        switch (e.kind) {
        case Kind::Line: log_.AddLine(e.category, e.text); break;
        case Kind::MainMade:
        case Kind::SubMade: {
            const SharedLine kept = log_.AddRecordedLine(e.category, e.text);
            auto& list = e.kind == Kind::MainMade ? state_.LastCreatedFolders : state_.LastCreatedSubFolders;
            list.Append(kept, e.text, {e.stamp.id, baseIndex()});
            break;
        }
        case Kind::FileMade: {
            const SharedLine kept = log_.AddRecordedLine(e.category, e.text);
            state_.LastCreatedFiles.Append(kept, e.text, {e.stamp, baseIndex(), e.stamp.id.Known()});
            break;
        }
        case Kind::Parent: state_.LastCreatedParents.Append(e.text, {e.stamp.id, baseIndex()}); break;
        case Kind::Existing:
        case Kind::Other:
            (e.kind == Kind::Existing ? state_.LastExistingFolders : state_.LastOtherFolders).push_back(e.text);
            log_.AddLine(e.category, e.text);
            break;
        case Kind::Box: boxes = true; break;
        }
    }
    // The boxes after the records they came among: one that fails (its
    // window gone) loses none of them.
    for (std::size_t i = from; boxes && i < upTo; ++i) {
        const CreationOutcome::Entry& e = out.entries[i];
        if (e.kind != Kind::Box) continue;
        if (!e.refusedFor.empty()) {
            if (!refused_.First(e.once - 1, e.refusedFor)) continue;
        } else if (e.once != 0) {
            if (shownOnce_[e.once - 1]) continue;
            shownOnce_[e.once - 1] = 1;
        }
        ctx.Show(e.text, e.caption, pagekit::kWarn);
    }
}

void FolderCreator::Add(CreationOutcome::Kind kind, int category, const std::string& text,
                        const plat::FileStamp& stamp) {
    CreationOutcome::Entry& e = out_->Next();
    e.kind = kind;
    e.category = category;
    e.once = 0;
    e.text.assign(text);
    e.caption.clear();
    e.refusedFor.clear();
    e.stamp = stamp;
}

void FolderCreator::Box(const std::string& text, const std::string& caption, std::uint32_t once,
                        const std::string& refusedFor) {
    CreationOutcome::Entry& e = out_->Next();
    e.kind = CreationOutcome::Kind::Box;
    e.category = 0;
    e.once = once;
    e.text.assign(text);
    e.caption.assign(caption);
    e.refusedFor.assign(refusedFor);
    e.stamp = plat::FileStamp{};
}

// What a template line gives does not depend on the main folder in the
// modes that keep or drop its first folder: worked out once per run.
void FolderCreator::PrepareTemplates() {
    templateMode_ = GetFolderTemplateMode(profile_.TemplateIndex, searchTerm_);
    const bool fixed = templateMode_ != TemplateModeReplaceRemainder && templateMode_ != TemplateModeReplaceAll;
    std::string normalised, drive, rest;
    for (const auto& line : in_.FolderStructures) {
        TemplateLine t;
        t.dots = HasDotFolderName(line);
        t.invalid = !ValidateIncludeListText(line, t.message, normalised);
        t.mayEqual = line.find(':') != std::string::npos;
        t.fixed = fixed;
        if (fixed) {
            t.rel = ExpandTemplatePath(line, std::string(), templateMode_, searchTerm_);
            t.noTarget = t.rel.empty() || SplitAtColon(t.rel, drive, rest);
            // As JoinDestinationAndTemplatePath joins it, once for all main folders.
            t.joined = CollapseDoubleColons(CollapseDoubleBackslashes(SlashesToBackslashes(t.rel)));
            if (!t.joined.empty() && t.joined.front() == '\\') t.joined.erase(0, 1);
            t.joinedDots = HasDotFolderName(t.joined);
        }
        templates_.push_back(std::move(t));
    }
}

void FolderCreator::AddTotals(OtherTotals totals, const std::string& mainFolder, double& subFolders, double& files,
                              double& bytes) {
    bool all = false;
    bool folders = false;
    switch (totals) {
    case OtherTotals::None: break;
    case OtherTotals::AllUnlessNothing: all = folders = !in_.AttachNothing; break;
    case OtherTotals::ByAttachMode:
        all = in_.WithFiles();
        folders = all || in_.WithoutFiles();
        break;
    case OtherTotals::UnlessNothingFilesWithFiles:
        folders = !in_.AttachNothing;
        all = folders && in_.WithFiles();
        break;
    }
    // Template lines make the folders their paths name in this main folder.
    if (folders)
        subFolders += in_.RelativePaths && !in_.FullPaths
                          ? TemplateFoldersIn(in_.FolderStructures, mainFolder, templateMode_, searchTerm_)
                          : state_.StructureFolders;
    if (all) {
        files += state_.StructureFiles;
        bytes += static_cast<double>(state_.StructureBytes);
    }
}

void FolderCreator::RecordFolderCreated(const std::string& path, const plat::FileIdentity& id) {
    c_->FoldersCreated += 1.0;
    plat::FileStamp stamp;
    stamp.id = id;
    Add(dry_ ? CreationOutcome::Kind::Line : CreationOutcome::Kind::MainMade, CreationFoldersCreated, path, stamp);
}

void FolderCreator::RecordFolderExists(const std::string& path) {
    c_->FoldersExists += 1.0;
    AddTotals(ExistsTotals, path, c_->SubFoldersExists, c_->FilesExists, c_->FilesSizeExists);
    Add(dry_ ? CreationOutcome::Kind::Line : CreationOutcome::Kind::Existing, CreationFoldersExists, path);
}

void FolderCreator::RecordItemOther(const std::string& text, OtherTotals totals, const std::string& mainFolder) {
    c_->FoldersOther += 1.0;
    AddTotals(totals, mainFolder, c_->SubFoldersOther, c_->FilesOther, c_->FilesSizeOther);
    Add(dry_ ? CreationOutcome::Kind::Line : CreationOutcome::Kind::Other, CreationFoldersOther, text);
}

void FolderCreator::RefuseMain(const std::string& path, OtherTotals totals) {
    dest_.Release();
    plat::EntryInfo info;
    if (dest_.IsOpen() && dest_.Look(path, info) == FsResult::Ok && info.kind == plat::EntryKind::Folder)
        RecordFolderExists(path);
    else
        RecordItemOther(path, totals, path);
}

void FolderCreator::RecordSubFolderCreated(const std::string& path, const plat::FileIdentity& id, bool forUndo) {
    c_->SubFoldersCreated += 1.0;
    plat::FileStamp stamp;
    stamp.id = id;
    const bool recorded = !dry_ && forUndo;
    Add(recorded ? CreationOutcome::Kind::SubMade : CreationOutcome::Kind::Line, CreationSubFoldersCreated, path,
        stamp);
}

// A structure or template folder that could not be made: counted and shown
// among the folders not created for other reasons.
void FolderCreator::RecordSubFolderOther(const std::string& path) {
    c_->SubFoldersOther += 1.0;
    Add(CreationOutcome::Kind::Line, CreationFoldersOther, path);
}

void FolderCreator::RecordParents(const std::vector<plat::MadeFolder>& made) {
    // The last one made is the folder itself, recorded by its own list.
    for (std::size_t i = 0; i + 1 < made.size(); ++i) RecordMadeOnTheWay(made[i], false);
}

void FolderCreator::RecordMadeOnTheWay(const plat::MadeFolder& made, bool main) {
    (main ? c_->FoldersCreated : c_->SubFoldersCreated) += 1.0;
    Add(CreationOutcome::Kind::Line, main ? CreationFoldersCreated : CreationSubFoldersCreated, made.path);
    if (dry_) return;
    plat::FileStamp stamp;
    stamp.id = made.id;
    Add(CreationOutcome::Kind::Parent, 0, made.path, stamp);
}

std::size_t FolderCreator::ReportWayFolder(const std::string& folder, std::size_t parents, bool main) {
    std::size_t m = 0;
    dest_.Release();
    switch (JudgeWayFolder(disk_, dest_, folder, made_, parents, m)) {
    case WayFolder::Made: RecordMadeOnTheWay(made_[m], main); return m;
    case WayFolder::There:
        (main ? c_->FoldersExists : c_->SubFoldersExists) += 1.0;
        Add(CreationOutcome::Kind::Line, CreationFoldersExists, folder);
        break;
    case WayFolder::NotMade:
        (main ? c_->FoldersOther : c_->SubFoldersOther) += 1.0;
        Add(CreationOutcome::Kind::Line, CreationFoldersOther, folder);
        break;
    }
    return parents;
}

void FolderCreator::ReportOnTheWay(bool madeFolder) {
    // made_ holds the folders made on the way and then, when it was made,
    // the folder itself; or nothing when the folder alone was made.
    const std::size_t parents = ParentsMade(made_, madeFolder);
    std::vector<char> reported(parents, 0);
    state_.MadeOnTheWay.Of(item_, wayPlanned_);
    for (const std::string& folder : wayPlanned_) {
        const std::size_t m = ReportWayFolder(folder, parents, true);
        if (m < parents) reported[m] = 1;
    }
    // Made all the same where the count found it there (it went since).
    for (std::size_t m = 0; m < parents; ++m)
        if (!reported[m]) RecordMadeOnTheWay(made_[m], true);
}

void FolderCreator::ReportTemplateWay(const std::string& mainFolder, const std::string& target, bool madeFolder) {
    const std::size_t parents = ParentsMade(made_, madeFolder);
    std::string below;
    if (!BelowMainFolder(mainFolder, target, below)) {
        for (std::size_t m = 0; m < parents; ++m) RecordMadeOnTheWay(made_[m], false);
        return;
    }
    for (const std::string& rel : NewOnTheWay(below, reached_))
        ReportWayFolder(mainFolder + "\\" + rel, parents, false);
}

void FolderCreator::RememberMade(const std::string& path, const plat::FileIdentity& id) {
    itemMade_.push_back({itemMadeText_.size(), path.size(), id});
    itemMadeText_ += path;
}

FsResult FolderCreator::MakeFolder(const std::string& path) {
    const FsResult r = MakeFolderWithParents(disk_, dest_, path, madeId_, made_);
    if (in_.RelativePaths && !dry_ && r == FsResult::Ok) {
        if (made_.empty()) RememberMade(path, madeId_);
        for (const auto& m : made_) RememberMade(m.path, m.id);
    }
    return r;
}

void FolderCreator::CreateMain(const std::string& path, const std::string& numberSuffix,
                               const std::string& suffixModel) {
    // Nothing resolved for an earlier item is trusted for this one: a link
    // swapped in meanwhile is met by the next resolution.
    dest_.Release();
    for (auto& v : views_) v.source.Release();
    itemMade_.clear();
    itemMadeText_.clear();
    reached_.clear();
    out_->baseFolder = dest_.Folder();
    out_->baseId = dest_.Identity();
    // A "." or ".." name or a colon behind the drive would lead elsewhere;
    // a path outside the destination is no folder of this run.
    if (MakesNoFolder(path)) {
        RecordItemOther(path, FailedTotals, path);
        return;
    }
    FsResult r = MakeFolder(path);
    // The folder worked beneath (a drive root on page 04) is there already.
    std::string below;
    if (r != FsResult::Ok && r != FsResult::AlreadyExists && dest_.IsOpen() && dest_.Relative(path, below) &&
        below.empty())
        r = FsResult::AlreadyExists;
    ReportOnTheWay(r == FsResult::Ok);
    if (r == FsResult::AlreadyExists) {
        RecordFolderExists(path);  // nothing is attached to a folder that was there
        return;
    }
    if (r != FsResult::Ok) {
        RecordItemOther(path, FailedTotals, path);
        return;
    }
    RecordFolderCreated(path, madeId_);

    if (in_.FullPaths) {
        out_->undoMode = 'F';
        AttachStructures(path);
    } else if (in_.RelativePaths) {
        out_->undoMode = 'R';
        AttachTemplates(path, numberSuffix, suffixModel);
    } else {
        out_->undoMode = 'N';
    }
}

// Every structure is read once, before the run makes anything, so that no
// walk ever sees what the run created. One that holds the destination by
// its text is refused for every main folder and not read at all; one whose
// real folder holds it is found when the destination is opened. On the
// pool: it writes only its own structure and order.
void FolderCreator::PrepareStructure(std::size_t index) {
    const std::string destination = TrimControlAndBlanks(destText_);
    const std::string e = StructureEntryText(in_.FolderStructures[index]);
    const bool hasDrive = !TrimControlAndBlanks(GetDrivePart(e)).empty();
    FolderStructure& s = structures_[index];
    plat::Beneath probe;
    const FsResult opened = hasDrive && !IsDriveRootPath(e) ? probe.Open(e) : FsResult::Failed;
    if (IsDriveRootPath(e) || (!destination.empty() && PathWithinFolder(destination, e)) ||
        (probe.IsOpen() && ChainHolds(destChain_, probe.Identity()))) {
        s.entry = e;
        s.name = LastNameOf(e);
        s.usable = hasDrive && (IsDriveRootPath(e) || probe.IsOpen());
        s.absent = opened == FsResult::NotFound;
        s.holdsDestination = true;
    } else {
        s = ReadFolderStructure(e);  // where it stands to the destination: UseDestination
    }
    orders_[index] = ListingOrder(s, in_.WithFiles());
}

// A structure that is a root, the main folder itself, or holds the main
// folder is refused, its message shown once per run.
bool FolderCreator::RefuseStructure(std::size_t index, const std::string& mainFolder) {
    const FolderStructure& s = run_->structures_[index];
    const StructureView& v = views_[index];
    std::string message;
    bool refuse = v.holdsDestination || IsDriveRootPath(s.entry) || PathWithinFolder(mainFolder, s.entry);
    if (!refuse && !v.belowDest.empty()) {
        // The structure lies in the destination: the main folder must not
        // lie in the structure, judged by the real names below the base.
        std::string rel;
        refuse = dest_.Relative(mainFolder, rel) && rel.compare(0, v.belowDest.size(), v.belowDest) == 0 &&
                 (rel.size() == v.belowDest.size() || rel[v.belowDest.size()] == '/');
    }
    if (refuse)
        message = SameFolderRefusal(mainFolder, s.entry);
    else
        refuse = CheckDestinationNotSource(mainFolder, s.entry, message);
    if (refuse) Box(message, profile_.StructureRefusedCaption, static_cast<std::uint32_t>(index) + 1, mainFolder);
    return refuse;
}

void FolderCreator::AttachStructures(const std::string& mainFolder) {
    const auto& structures = run_->structures_;
    for (std::size_t i = 0; i < structures.size(); ++i) {
        const FolderStructure& s = structures[i];
        if (!s.usable) {
            // Not there when read, but the run has just made it (as this
            // main folder or one of its parents): skipped, and said so.
            if (s.absent && PathWithinFolder(mainFolder, s.entry)) RefuseStructure(i, mainFolder);
            continue;
        }
        std::string target = in_.SubFoldersOnlyMode() ? mainFolder : mainFolder + "\\" + s.name;
        if (!target.empty() && target.back() == '\\') target.pop_back();
        if (RefuseStructure(i, mainFolder)) {
            // What the totals counted of it here is not made, named where it would have gone.
            const auto share = state_.StructureShares.find(s.entry);
            if (share != state_.StructureShares.end()) {
                c_->SubFoldersOther += share->second.Folders;
                c_->FilesOther += share->second.Files;
                c_->FilesSizeOther += share->second.Bytes;
            }
            Add(CreationOutcome::Kind::Line, CreationFoldersOther, target);
            continue;
        }
        AttachStructure(i, target);
    }
}

// The walk's outcomes as the create pages count them: a folder or file
// that is there already is named among the folders there already (the
// main folder itself, when the structure's folders go straight into it,
// not at all).
class FolderCreator::Outcomes final : public AttachOutcomes {
public:
    explicit Outcomes(FolderCreator& creator) : c_(creator) {}
    void FolderMade(const std::string& path, const plat::FileIdentity& id, const std::vector<plat::MadeFolder>& made,
                    bool) override {
        c_.RecordSubFolderCreated(path, id);
        c_.RecordParents(made);
    }
    void FolderExists(const std::string& path, bool top) override {
        if (top && c_.in_.SubFoldersOnlyMode()) return;
        c_.c_->SubFoldersExists += 1.0;
        c_.Add(CreationOutcome::Kind::Line, CreationFoldersExists, path);
    }
    void FolderNotMade(const std::string& path, bool) override { c_.RecordSubFolderOther(path); }
    void FileCopied(std::uint32_t, const std::string& source, const std::string& target,
                    const plat::FileStamp& stamp) override {
        c_.StructureFileDone(source, target, FsResult::Ok, stamp);
    }
    void FileNotCopied(std::uint32_t, const std::string& source, const std::string& target, FsResult why) override {
        c_.StructureFileDone(source, target, why, plat::FileStamp{});
    }

private:
    FolderCreator& c_;
};

void FolderCreator::AttachStructure(std::size_t index, const std::string& target) {
    const FolderStructure& s = run_->structures_[index];
    Outcomes outcomes(*this);
    walk_.Attach(s, views_[index].source, dest_, target, orders_[index], outcomes);
    // What the walk passed over is named where it would have gone, with its
    // reason; a file's size was never measured, so no box asks for it.
    for (const FolderStructure::Passed& item : s.passed) {
        if (item.folder) {
            RecordSubFolderOther(item.Named(target));
        } else if (in_.WithFiles()) {
            c_->FilesOther += 1.0;
            Add(CreationOutcome::Kind::Line, CreationFoldersOther, item.Named(target));
        }
    }
}

void FolderCreator::StructureFileDone(const std::string& source, const std::string& target, FsResult r,
                                      const plat::FileStamp& stamp) {
    const auto found = state_.StructureFileSizes.find(source);
    const bool known = found != state_.StructureFileSizes.end();
    const double size = known ? static_cast<double>(found->second) : 0.0;
    if (r == FsResult::Ok) {
        Add(dry_ ? CreationOutcome::Kind::Line : CreationOutcome::Kind::FileMade, CreationFilesCreated, target,
            stamp);
        c_->FilesCreated += 1.0;
        if (known)
            c_->FilesSizeCreated += size;
        else
            Box("The path doesn't exists : \n" + source, profile_.SizeMissingCopiedCaption);
        return;
    }
    // An existing file is never overwritten; any other failure is no "already exists".
    const bool exists = r == FsResult::AlreadyExists;
    if (exists) {
        c_->FilesExists += 1.0;
        Add(CreationOutcome::Kind::Line, CreationFoldersExists, target);
    } else {
        c_->FilesOther += 1.0;
        Add(CreationOutcome::Kind::Line, CreationFoldersOther, target);
    }
    if (known)
        (exists ? c_->FilesSizeExists : c_->FilesSizeOther) += size;
    else
        Box(profile_.SizeMissingNotCopiedText + source, profile_.SizeMissingNotCopiedCaption);
}

void FolderCreator::AttachTemplates(const std::string& mainFolder, const std::string& numberSuffix,
                                    const std::string& suffixModel) {
    // CheckDestinationNotSource (main folder, line), with what depends on
    // one side only worked out once.
    std::string mainMessage, normalised, message;
    const bool mainInvalid = !ValidateIncludeListText(mainFolder, mainMessage, normalised);
    std::string target;
    for (std::size_t i = 0; i < in_.FolderStructures.size(); ++i) {
        const std::string& line = in_.FolderStructures[i];
        const TemplateLine& t = templates_[i];
        // A line that gives no folder here is the one folder it counted.
        if (t.dots) {
            RecordSubFolderOther(line);
            continue;
        }
        bool refuse = true;
        if (mainInvalid)
            message = mainMessage;
        else if (t.invalid)
            message = t.message;
        else
            refuse = t.mayEqual && CheckDestinationNotSource(mainFolder, line, message);
        if (refuse) {
            Box(message, profile_.TemplateRefusedCaption, static_cast<std::uint32_t>(i) + 1);
            RecordSubFolderOther(line);
            continue;
        }
        bool dots;
        if (t.fixed && numberSuffix.empty()) {
            target.clear();
            if (!t.noTarget) target.assign(mainFolder).append(1, '\\').append(t.joined);
            dots = t.joinedDots;
        } else {
            std::string rel = t.fixed ? (t.noTarget ? std::string() : t.rel)
                                      : ExpandTemplatePath(line, mainFolder, templateMode_, searchTerm_);
            if (!rel.empty() && !numberSuffix.empty()) rel = AppendTextToPathLevels(rel, suffixModel, numberSuffix);
            target = rel.empty() ? std::string() : JoinDestinationAndTemplatePath(mainFolder, rel);
            dots = HasDotFolderName(target);
        }
        if (target.empty() || dots) {
            RecordSubFolderOther(line);
            continue;
        }
        const FsResult r = MakeFolder(target);
        ReportTemplateWay(mainFolder, target, r == FsResult::Ok);
        if (r == FsResult::Ok || r == FsResult::AlreadyExists) {
            // A line that meets a folder counts as made; the Undo gets it
            // only when this item's own lines made it, never one that was there.
            const plat::FileIdentity* ours = &madeId_;
            if (r == FsResult::AlreadyExists) {
                ours = nullptr;
                for (const MadeHere& m : itemMade_)
                    if (std::string_view(itemMadeText_).substr(m.offset, m.length) == target) ours = &m.id;
            }
            RecordSubFolderCreated(target, ours ? *ours : plat::FileIdentity{}, ours != nullptr);
        } else {
            RecordSubFolderOther(target);
        }
    }
}
