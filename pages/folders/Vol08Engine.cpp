// The copy of page 08: structures read once, every main folder held open
// while its structures are walked into it, each outcome counted and sent
// to the log. The same code on the dry disk is the simulation.
#include "pages/folders/Vol08Engine.h"

#include <unordered_set>
#include <utility>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"
#include "pages/ListedFolders.h"
#include "pages/PageKinds.h"
#include "pages/PageMessages.h"
#include "pages/RunItems.h"
#include "pages/FileMasks.h"
#include "pages/WalksOnPool.h"
#include "platform/MessageBox.h"

using plat::FsResult;

namespace {

// A file's size as the totals measured it, or not.
constexpr std::int64_t kNotMeasured = -1;

// The length of the folder part of an item's path below its structure.
std::size_t FolderPartLength(const std::string& rel) {
    const std::size_t slash = rel.rfind('\\');
    return slash == std::string::npos ? 0 : slash;
}

// This page's order: each folder's entries as one block (the walk read
// them so), and in a block the files each mask takes, mask by mask, then
// the subfolders. A file two masks take comes twice.
AttachOrder CopyOrder(const FolderStructure& s, bool withFiles, const StringList& masks) {
    AttachOrder order;
    order.reserve(s.items.size());
    std::vector<std::string> lowered;
    for (std::size_t begin = 0, end = 0; begin < s.items.size(); begin = end) {
        const std::string& first = s.items[begin].rel;
        const std::size_t folderLength = FolderPartLength(first);
        end = begin + 1;
        while (end < s.items.size() && FolderPartLength(s.items[end].rel) == folderLength &&
               s.items[end].rel.compare(0, folderLength, first, 0, folderLength) == 0)
            ++end;
        if (withFiles) {
            lowered.clear();
            for (std::size_t i = begin; i < end; ++i) {
                const std::string& rel = s.items[i].rel;
                lowered.push_back(ToLowerCase(rel.substr(folderLength == 0 ? 0 : folderLength + 1)));
            }
            for (const std::string& mask : masks)
                for (std::size_t i = begin; i < end; ++i)
                    if (!s.items[i].folder && Vol08MaskTakes(mask, lowered[i - begin]))
                        order.push_back(static_cast<std::uint32_t>(i));
        }
        for (std::size_t i = begin; i < end; ++i)
            if (s.items[i].folder) order.push_back(static_cast<std::uint32_t>(i));
    }
    return order;
}

}  // namespace

// ---- name masks ----------------------------------------------------------------------------

StringList Vol08UsableMasks(const StringList& stored) {
    StringList named;
    for (const std::string& raw : stored) {
        const std::string mask = ToLowerCase(TrimControlAndBlanks(raw));
        named.push_back(mask == "all (*.*)." || mask == "all (*.*)" ? std::string("*.*") : raw);
    }
    return UsableFileMasks(named);
}

bool Vol08MaskTakes(const std::string& mask, const std::string& name) {
    if (mask == "*.*" || mask == "*") return true;
    return MatchesSearchPattern(mask, name) && MatchFileMask(mask, name);
}

std::uint32_t Vol08TimesTaken(const StringList& masks, const std::string& name) {
    const std::string lowered = ToLowerCase(name);
    std::uint32_t times = 0;
    for (const std::string& mask : masks) times += Vol08MaskTakes(mask, lowered) ? 1 : 0;
    return times;
}

FileSelection Vol08Selection(const Vol08Inputs& in) {
    StringList masks = Vol08UsableMasks(in.Masks);
    const auto passes = static_cast<std::uint32_t>(std::max<std::size_t>(masks.size(), 1));
    if (!in.WithFiles()) return {[](const std::string&) { return 0u; }, passes};
    return {[masks = std::move(masks)](const std::string& name) { return Vol08TimesTaken(masks, name); }, passes};
}

StringList Vol08MainFolders(const Vol08Inputs& in) { return FoldersAsRead(in.IncludeFolders, false); }

Vol08Use Vol08StructureUse(const Vol08Inputs& in, const std::string& line) {
    const std::string entry = StructureEntryText(line);
    if (TrimControlAndBlanks(GetDrivePart(entry)).empty()) return Vol08Use::Skip;  // as the list would have it
    return IsUsableRunItem(entry, in.SubFoldersOnlyMode() ? RunItemUse::IncludeFolder : RunItemUse::NamedFolder)
               ? Vol08Use::Copy
               : Vol08Use::Unusable;
}

// ---- counters and lists ---------------------------------------------------------------

std::vector<CounterLabel> Vol08Counters::Labels() const {
    const auto values = Values();
    std::vector<CounterLabel> labels;
    labels.reserve(kVol08CounterLabels.size());
    for (std::size_t i = 0; i < kVol08CounterLabels.size(); ++i) labels.push_back({kVol08CounterLabels[i], values[i]});
    return labels;
}

void Vol08ResetCounters(Vol08State& state) {
    Vol08Counters& c = state.Counters;
    c.FoldersToCopy = c.SubFoldersToCopy = c.FilesToCopy = c.FileSizeToCopy = 0;
    Vol08ResetResultCounters(state);
}

void Vol08ResetResultCounters(Vol08State& state) {
    Vol08Counters& c = state.Counters;
    c.FoldersCopied = c.FoldersNotExists = 0;
    c.SubFoldersCopied = c.SubFoldersExists = c.SubFoldersOtherReasons = 0;
    c.FilesCopied = c.FilesExists = c.FilesOtherReasons = 0;
    c.FileSizeCopied = c.FileSizeExists = c.FileSizeOtherReasons = 0;
    c.SubFoldersFailedUndo = 0;
}

void Vol08ClearLastRunLists(Vol08State& state) {
    VEC_UNDO_BASES().swap(state.Vol08LastBases);  // given back whole: the run's room counts it
    state.Vol08MainFoldersCopied.clear();
    state.Vol08CreatedSubFolders.clear();
    state.Vol08CreatedParents.clear();
    state.Vol08CopiedFiles.clear();
    state.Vol08MainFoldersNotExist.clear();
    state.Vol08SubFoldersExist.clear();
    state.Vol08FilesExist.clear();
    state.Vol08TemplateLinesOtherReasons.clear();
    state.Vol08FailedUndoFolders.clear();
}

void Vol08ClearResultLists(Vol08State& state) { Vol08ClearLastRunLists(state); }

double Vol08LastRunBytes(const Vol08State& state) {
    double bytes = BasesBytes(state.Vol08LastBases);
    for (const DEQ_CREATED_FOLDERS* list : {&state.Vol08MainFoldersCopied, &state.Vol08CreatedSubFolders,
                                             &state.Vol08CreatedParents, &state.Vol08FailedUndoFolders})
        bytes += list->HeldBytes();
    for (const DEQ_CREATED_FILES* list : {&state.Vol08CopiedFiles, &state.Vol08FailedUndoFiles})
        bytes += list->HeldBytes();
    for (const StringList* list : {&state.Vol08MainFoldersNotExist, &state.Vol08SubFoldersExist,
                                   &state.Vol08FilesExist, &state.Vol08TemplateLinesOtherReasons})
        bytes += ListBytes(*list);
    return bytes;
}

void Vol08StartRun(Vol08State& state, bool realRun) {
    Vol08ResetResultCounters(state);
    if (!realRun) return;
    Vol08ClearResultLists(state);
    state.Vol08FailedUndoFiles.clear();
}

// ---- messages --------------------------------------------------------------------------------

namespace {

// The topic of the boxes that tell of a file the totals did not measure.
constexpr const char* kSizeTopic = "Copy Folder structure(s).-From a Folder List - Level.";
constexpr const char* kSimulateTopic = "Simulate the Copy Folder Structure(s) Process.-From a Folder List";

}  // namespace

Vol08Messages Vol08RunMessages() {
    Vol08Messages m;
    m.StructureRefusedCaption = MessageCaption(kVol08Topic, "Information", 80050);
    m.TemplateRefusedCaption = MessageCaption("Creating Folder(s).-From a Folder List.", "Warning", 80051);
    m.SizeMissingCopiedCaption = MessageCaption(kSizeTopic, "Warning", 80059);
    m.SizeMissingNotCopiedCaption = MessageCaption(kSizeTopic, "Warning", 80060);
    return m;
}

Vol08Messages Vol08SimulationMessages() {
    Vol08Messages m;
    m.StructureRefusedCaption = MessageCaption(std::string(kSimulateTopic) + " - Level.", "Information", 80073);
    m.TemplateRefusedCaption = MessageCaption(std::string(kSimulateTopic) + ".", "Warning", 80074);
    m.SizeMissingCopiedCaption = MessageCaption(kSizeTopic, "Warning", 80077);
    m.SizeMissingNotCopiedCaption = MessageCaption(kSizeTopic, "Warning", 80078);
    return m;
}

// ---- the copier ------------------------------------------------------------------------------

// What one main folder gave, kept by a worker until the window thread
// applies it: its lines and counters (from 0), what the Undo and the lists
// keep of it, and the boxes it would show.
struct Vol08Copier::Outcome {
    ItemLog Lines;
    Vol08Counters Counters;
    std::string SourceMode;   // set once the main folder was open
    std::string Destination;  // the destination root copied to last; empty: none
    // The main folder, the base of every record of the item.
    std::string Base;
    plat::FileIdentity BaseId;
    DEQ_CREATED_FOLDERS MainCopied, SubFolders, Parents;
    DEQ_CREATED_FILES Files;
    StringList NotExist, SubExist, FilesExist, TemplateOther;
    struct Box {
        enum Kind { Refusal, Template, Size } kind;
        std::size_t index;   // the structure or template line
        std::uint32_t item;  // Size: the file among the structure's items
        std::string text;
        std::string refusedFor;  // Refusal: the main folder
        std::string caption;
        unsigned flags;
    };
    std::vector<Box> Boxes;

    bool Recorded() const { return !MainCopied.empty() || !SubFolders.empty() || !Files.empty(); }
    void Clear() {
        Lines.Clear();
        Counters = {};
        SourceMode.clear();
        Destination.clear();
        Base.clear();
        BaseId = {};
        MainCopied.clear();
        SubFolders.clear();
        Parents.clear();
        Files.clear();
        NotExist.clear();
        SubExist.clear();
        FilesExist.clear();
        TemplateOther.clear();
        Boxes.clear();
    }
};

// The lists an outcome keeps, each begun in its slot: four of records,
// four of paths.
constexpr double kOutcomeLists = 8;

// What a worker holds across its items: its own handles on the structure
// folders and the walk's scratch.
struct Vol08Copier::Worker {
    explicit Worker(RunDisk& disk) : walk(disk) {}
    AttachWalk walk;
    std::vector<plat::Beneath> sources;  // per structure
    std::vector<plat::MadeFolder> made;
};

// One main folder's work on a worker: reads what the run fixed before it
// started, writes only its outcome.
class Vol08Copier::Item {
public:
    Item(const Vol08Copier& run, Worker& w, Outcome& out) : run_(run), w_(w), out_(out), c_(out.Counters) {}
    void Run(const std::string& item);

private:
    friend class Vol08Copier::Outcomes;
    void CopyStructures(const std::string& mainFolder, bool& copied);
    void CopyTemplates(const std::string& mainFolder, bool& copied);
    void UnusableLine(const std::string& line);
    bool Refuse(std::size_t index, const std::string& mainFolder);
    // What the totals counted of the structure (every structure: all) for
    // this main folder, not copied for another reason; `line` names it.
    void PassOver(std::size_t index, int category, const std::string& line);
    void PassOverAll(int category, const std::string& line);
    // Adds one (unless `add` is false: the caller counted) and sends the line.
    void Count(double& counter, int category, const std::string& line, bool add = true);
    void Box(Outcome::Box::Kind kind, std::size_t index, std::uint32_t item, std::string text,
             const std::string& caption, unsigned flags, std::string refusedFor = std::string()) {
        out_.Boxes.push_back({kind, index, item, std::move(text), std::move(refusedFor), caption, flags});
    }
    void RecordMade(const std::string& path, const plat::FileIdentity& id, const std::vector<plat::MadeFolder>& made);

    const Vol08Copier& run_;
    Worker& w_;
    Outcome& out_;
    Vol08Counters& c_;
    plat::Beneath dest_;  // the main folder
    std::vector<plat::FileIdentity> destChain_;
    bool destChainRead_ = false;
};

// The walk's outcomes as this page counts them.
class Vol08Copier::Outcomes final : public AttachOutcomes {
public:
    Outcomes(Item& item, const Structure& s, std::size_t index) : c_(item), s_(s), index_(index) {}

    // The structure reached its folder (made, or there already).
    bool reached = false;

    void FolderMade(const std::string& path, const plat::FileIdentity& id, const std::vector<plat::MadeFolder>& made,
                    bool top) override {
        reached = reached || top;
        c_.Count(c_.c_.SubFoldersCopied, Vol08CatSubFoldersCopied, path);
        c_.RecordMade(path, id, made);
    }
    void FolderExists(const std::string& path, bool top) override {
        reached = reached || top;
        // The main folder itself (subfolders only) gives no outcome.
        if (top && c_.run_.in_.SubFoldersOnlyMode()) return;
        if (!c_.run_.dry_) c_.out_.SubExist.push_back(path);
        c_.Count(c_.c_.SubFoldersExists, Vol08CatSubFoldersExists, path);
    }
    // The structure's own folder too: a folder not made is never silent.
    void FolderNotMade(const std::string& path, bool) override {
        c_.Count(c_.c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, path);
    }
    void FileCopied(std::uint32_t item, const std::string& source, const std::string& target,
                    const plat::FileStamp& stamp) override {
        if (!c_.run_.dry_) c_.out_.Files.Append(target, {stamp, 0, stamp.id.Known()});
        const std::int64_t size = s_.sizes[item];
        c_.c_.FilesCopied += 1.0;
        if (size >= 0) c_.c_.FileSizeCopied += static_cast<double>(size);
        c_.Count(c_.c_.FilesCopied, Vol08CatFilesCopied, target, false);
        if (size < 0) SizeMissing(item, source, c_.run_.messages_.SizeMissingCopiedCaption);
    }
    // Only a target that is there already counts as existing; a copy that
    // failed (and left nothing) is another reason.
    void FileNotCopied(std::uint32_t item, const std::string& source, const std::string& target,
                       FsResult why) override {
        const std::int64_t size = s_.sizes[item];
        if (why == FsResult::AlreadyExists) {
            if (!c_.run_.dry_) c_.out_.FilesExist.push_back(target);
            c_.c_.FilesExists += 1.0;
            if (size >= 0) c_.c_.FileSizeExists += static_cast<double>(size);
            c_.Count(c_.c_.FilesExists, Vol08CatFilesExists, target, false);
        } else {
            if (size >= 0) c_.c_.FileSizeOtherReasons += static_cast<double>(size);
            c_.Count(c_.c_.FilesOtherReasons, Vol08CatSubFoldersOtherReasons, target);
        }
        if (size < 0) SizeMissing(item, source, c_.run_.messages_.SizeMissingNotCopiedCaption);
    }

private:
    // A file the totals did not measure: said once per run (the window
    // thread knows whether an earlier main folder said it).
    void SizeMissing(std::uint32_t item, const std::string& source, const std::string& caption) {
        c_.Box(Outcome::Box::Size, index_, item, "The path doesn't exists : \n" + source, caption, pagekit::kWarn);
    }

    Item& c_;
    const Structure& s_;
    std::size_t index_;
};

Vol08Copier::Vol08Copier(Vol08State& state, const Vol08Inputs& in, RunDisk& disk, RunLog& log,
                         const Vol08Messages& messages)
    : state_(state), in_(in), disk_(disk), log_(log), messages_(messages), dry_(disk.IsDry()),
      masks_(Vol08UsableMasks(in.Masks)), bases_(state.Vol08LastBases) {
    if (in_.FullPaths) PrepareStructures();
    if (!in_.FullPaths && in_.RelativePaths) {
        templateMode_ = GetFolderTemplateMode(4, searchTerm_);
        templateRefusalShown_.assign(in_.FolderStructures.size(), false);
    }
    refusals_.Reset(structures_.size());
}

Vol08Copier::~Vol08Copier() = default;

// Every structure is read now, before the run makes anything, so that no
// walk ever sees what the run made (a structure may lie in a main folder).
// On the pool, beside the window, keeping the handles for the workers.
void Vol08Copier::PrepareStructures() {
    const bool withFiles = in_.WithFiles();
    structures_.resize(in_.FolderStructures.size());
    const bool read = ReadOnPool(
        in_.FolderStructures,
        [&](std::size_t index) {
            Structure& s = structures_[index];
            const std::string entry = StructureEntryText(in_.FolderStructures[index]);
            s.read.entry = entry;
            s.read.name = LastNameOf(entry);
            const Vol08Use use = Vol08StructureUse(in_, in_.FolderStructures[index]);
            if (use != Vol08Use::Copy) {
                s.use = use == Vol08Use::Skip ? Structure::Skip : Structure::Unusable;
                return;
            }
            s.read = ReadFolderStructure(entry);
            if (!s.read.usable || !s.read.source.IsOpen()) return;
            s.use = Structure::Copy;
            s.order = CopyOrder(s.read, withFiles, masks_);
            s.ancestry = s.read.source.Ancestry();
            s.real = s.read.source.RealNative();
            s.sizes.assign(s.read.items.size(), kNotMeasured);
            std::string source;
            for (std::size_t i = 0; i < s.read.items.size(); ++i) {
                if (s.read.items[i].folder) continue;
                source.assign(s.read.entry).append(1, '\\').append(s.read.items[i].rel);
                const auto found = state_.Vol08StructureFileSizes.find(source);
                if (found != state_.Vol08StructureFileSizes.end())
                    s.sizes[i] = static_cast<std::int64_t>(found->second);
            }
        },
        true);
    if (!read) throw RunFailureNoted();
}

// Made on the worker that uses it, its handles on the structures its own.
Vol08Copier::Worker& Vol08Copier::WorkerOf(unsigned index) {
    std::unique_ptr<Worker>& w = workers_[index];
    if (!w) {
        w = std::make_unique<Worker>(disk_);
        w->sources.resize(structures_.size());
        for (std::size_t i = 0; i < structures_.size(); ++i)
            if (structures_[i].use == Structure::Copy) w->sources[i] = structures_[i].read.source.Twin();
    }
    return *w;
}

void Vol08Copier::Item::Count(double& counter, int category, const std::string& line, bool add) {
    if (add) counter += 1.0;
    out_.Lines.AddLine(category, line);
}

void Vol08Copier::Item::RecordMade(const std::string& path, const plat::FileIdentity& id,
                                   const std::vector<plat::MadeFolder>& made) {
    if (run_.dry_) return;
    out_.SubFolders.Append(path, {id, 0});
    // The last one made is the folder itself.
    for (std::size_t i = 0; i + 1 < made.size(); ++i) out_.Parents.Append(made[i].path, {made[i].id, 0});
}

namespace {

// What the outcome of a main folder keeps: its entries below it, each line
// naming the main folder (`mainLine`) and going on below it, and its
// lists, each begun.
double ItemSlotBytes(const Vol08State& state, double outcomeBytes, double mainLine) {
    const Vol08Counters& c = state.Counters;
    const double below = c.FoldersToCopy > 0 ? (c.SubFoldersToCopy + c.FilesToCopy) / c.FoldersToCopy : 0;
    const double chars = mainLine + below * (mainLine + state.Vol08BelowLineBytes);
    return kept::SlotFixed(outcomeBytes, chars) + kOutcomeLists * kept::kBegunList +
           Weigh(1 + below, chars, kept::kSlotCopiedEntry);
}

// How many workers a run over main folders `items` gets for `kind` of work.
unsigned Workers(const StringList& items, plat::RunWork kind) {
    return items.size() < 2 ? 1 : PageRunWorkers(TrimControlAndBlanks(items.front()), kind);
}

double LongestLine(const StringList& lines) {
    double longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, static_cast<double>(line.size()));
    return longest;
}

}  // namespace

RunMemoryNeed Vol08Copier::MemoryNeed(const Vol08State& state, const Vol08Inputs& in, bool simulation) {
    using namespace kept;
    const Vol08Counters& c = state.Counters;
    const double mains = c.FoldersToCopy, subs = c.SubFoldersToCopy, files = c.FilesToCopy;
    const double mainLine = MeanLength(in.IncludeFolders), belowLine = mainLine + state.Vol08BelowLineBytes;
    // A structure's folder or file copied is named and recorded with its
    // path, or one there already named and listed; the simulation pretends
    // it made. Each main folder's lines wait in its slot until it is applied.
    const Kept sub = simulation ? kLine + kDryFolder : Dearer(kLine + kOwnFolderRecord, kLine + kListPath);
    const Kept file = simulation ? kLine + kDryFile : Dearer(kLine + kOwnFileRecord, kLine + kListPath);
    // Each main folder: its line, the list of them the run works through,
    // each as it looked on the pool, the store's verdict on it, and as its
    // records' base.
    const Kept main = kLine + kListPath + kListPath + kLookedMain + kMainVerdict + kUndoBase;
    const unsigned workers =
        PoolThreads(Workers(Vol08MainFolders(in), in.WithFiles() ? plat::RunWork::Copy : plat::RunWork::Make), mains);
    RunMemoryNeed need{mains + subs + files, RunBase(workers) + 8 * kListUnused,
                       mains * mainLine + (subs + files) * belowLine};
    need.bytes += Weigh(mains, mains * mainLine, main) + Weigh(subs, subs * belowLine, sub) +
                  Weigh(files, files * belowLine, file) +
                  SlotsWeight(mains, ItemSlotBytes(state, sizeof(Outcome), LongestLine(in.IncludeFolders)), workers);
    if (simulation)
        need.bytes += DryBase(need.entries > 0 ? need.lines / need.entries : 0, workers);
    else  // every main folder gets the structures' files
        need.kernel = InMemoryWeight(in.IncludeFolders, subs + files,
                                     files > 0 ? InMemoryFileBytes(state.Vol08StructureFileSizes) * mains : 0);
    need.bytes += need.kernel;
    return need;
}

void Vol08Copier::CopyAll() {
    const StringList items = Vol08MainFolders(in_);
    const plat::RunWork kind = in_.WithFiles() ? plat::RunWork::Copy : plat::RunWork::Make;
    PooledRun<Outcome> run;
    run.Items = items.size();
    run.SlotBytes = ItemSlotBytes(state_, sizeof(Outcome), LongestLine(in_.IncludeFolders));
    run.Workers = Workers(items, kind);
    workers_.clear();
    workers_.resize(run.Workers);
    looks_.clear();
    if (run.Workers > 1) {
        looks_.resize(items.size());
        run.Look = [&](std::size_t i, unsigned) { looks_[i] = LookAt(items[i]); };
    }
    run.Scope = [&](std::size_t i, RunScope& s) { Scope(i, s); };
    run.Work = [&](std::size_t i, Outcome& out, RunItemContext& ctx) {
        Item(*this, WorkerOf(ctx.Worker()), out).Run(items[i]);
    };
    run.Apply = [&](std::size_t, Outcome& out, RunApplyContext& a) {
        Apply(out, [&a](const std::string& text, const std::string& caption, unsigned flags) {
            return a.Show(text, caption, flags);
        });
    };
    run.Stream = StreamLines(&Outcome::Lines, &Outcome::Counters, log_, state_.Counters);
    run.Name = [&](std::size_t i) { return TrimControlAndBlanks(items[i]); };
    RunPageItems(run);
    // Behind the box, the counters as the run left them.
    if (refusals_.Pending()) log_.ShowCounters(state_.Counters.Labels());
    refusals_.ShowLater([&](std::size_t i) { return structures_[i].read.entry; },
                        [&](const std::string& text) {
                            plat::MessageBox(text, messages_.StructureRefusedCaption, pagekit::kInfo);
                        });
}

// On the pool, what each item writes: its main folder as the kernel names
// it (so that a text through a link meets the folder it reaches). One not
// there then may be made by an earlier item (a structure's folder): it
// runs alone.
Vol08Copier::Look Vol08Copier::LookAt(const std::string& item) {
    const std::string folder = TrimControlAndBlanks(item);
    Look look;
    if (TrimControlAndBlanks(GetDrivePart(folder)).empty() || !IsUsableRunItem(folder, RunItemUse::IncludeFolder))
        return look;
    look.usable = true;
    plat::Beneath base;
    if (base.Open(folder) == FsResult::Ok) look.real = base.RealNative();
    return look;
}

void Vol08Copier::Scope(std::size_t i, RunScope& s) const {
    if (looks_.empty() || !looks_[i].usable) return;
    if (looks_[i].real.empty()) return s.Serial();
    s.Write(looks_[i].real);
    for (const Structure& st : structures_) {
        if (st.use != Structure::Copy) continue;
        if (st.real.empty())
            s.Serial();
        else
            s.Read(st.real);
    }
}

void Vol08Copier::Apply(Outcome& out, const RunMessageFn& show) {
    ApplyItemLines(out.Lines, out.Counters, log_, state_.Counters);
    if (!out.Destination.empty()) state_.Vol08CurrentDestination = out.Destination;
    if (!dry_) {
        if (!out.SourceMode.empty()) state_.Vol08LastSourceMode = out.SourceMode;
        // The bases numbered as one at a time: at the item's first record.
        const std::uint32_t base = out.Recorded() ? bases_.IndexOf(out.Base, out.BaseId) : 0;
        for (const auto r : out.SubFolders) state_.Vol08CreatedSubFolders.Append(r.Path, {r.Id, base});
        for (const auto r : out.Parents) state_.Vol08CreatedParents.Append(r.Path, {r.Id, base});
        for (const auto r : out.Files) state_.Vol08CopiedFiles.Append(r.Path, {r.Stamp, base, r.HasStamp});
        for (const auto r : out.MainCopied) state_.Vol08MainFoldersCopied.Append(r.Path, {r.Id, base});
        const auto add = [](StringList& to, const StringList& from) { to.insert(to.end(), from.begin(), from.end()); };
        add(state_.Vol08MainFoldersNotExist, out.NotExist);
        add(state_.Vol08SubFoldersExist, out.SubExist);
        add(state_.Vol08FilesExist, out.FilesExist);
        add(state_.Vol08TemplateLinesOtherReasons, out.TemplateOther);
    }
    for (const Outcome::Box& box : out.Boxes) {
        bool said = false;
        switch (box.kind) {
        case Outcome::Box::Refusal: said = !refusals_.First(box.index, box.refusedFor); break;
        case Outcome::Box::Template:
            said = templateRefusalShown_[box.index];
            templateRefusalShown_[box.index] = true;
            break;
        case Outcome::Box::Size: said = !sizeSaid_.emplace(box.index, box.item).second; break;
        }
        if (!said) show(box.text, box.caption, box.flags);
    }
    out.Clear();
}

void Vol08Copier::Item::PassOver(std::size_t index, int category, const std::string& line) {
    const std::vector<Vol08Share>& shares = run_.state_.Vol08StructureShares;
    if (index < shares.size()) {
        c_.SubFoldersOtherReasons += shares[index].Folders;
        c_.FilesOtherReasons += shares[index].Files;
        c_.FileSizeOtherReasons += shares[index].Bytes;
    }
    out_.Lines.AddLine(category, line);
}

void Vol08Copier::Item::PassOverAll(int category, const std::string& line) {
    if (run_.in_.RelativePaths && !run_.in_.FullPaths)
        c_.SubFoldersOtherReasons +=
            TemplateFoldersIn(run_.in_.FolderStructures, line, run_.templateMode_, run_.searchTerm_);
    for (const Vol08Share& share : run_.state_.Vol08StructureShares) {
        c_.SubFoldersOtherReasons += share.Folders;
        c_.FilesOtherReasons += share.Files;
        c_.FileSizeOtherReasons += share.Bytes;
    }
    out_.Lines.AddLine(category, line);
}

void Vol08Copier::Item::Run(const std::string& item) {
    const std::string mainFolder = TrimControlAndBlanks(item);
    // No drive, a text no path can use (as an imported list may hold), or
    // no folder there (a link is none): it names no folder that exists.
    // Either way nothing the totals counted for it is copied.
    if (TrimControlAndBlanks(GetDrivePart(mainFolder)).empty() ||
        !IsUsableRunItem(mainFolder, RunItemUse::IncludeFolder) || dest_.Open(mainFolder) != FsResult::Ok) {
        if (!run_.dry_) out_.NotExist.push_back(mainFolder);
        c_.FoldersNotExists += 1;
        return PassOverAll(Vol08CatFoldersNotExists, mainFolder);
    }
    out_.Base = dest_.Folder();
    out_.BaseId = dest_.Identity();
    out_.Destination = mainFolder;
    bool copied = false;
    if (run_.in_.FullPaths) {
        out_.SourceMode = "F";
        CopyStructures(mainFolder, copied);
    } else if (run_.in_.RelativePaths) {
        out_.SourceMode = "R";
        CopyTemplates(mainFolder, copied);
    }
    if (!copied) return;
    if (!run_.dry_) out_.MainCopied.Append(mainFolder, {dest_.Identity(), 0});
    Count(c_.FoldersCopied, Vol08CatFoldersCopied, mainFolder);
}

// A structure that is the main folder, holds it or lies in it (by the real
// folders, so no spelling, link or second drive letter hides it), or that
// names the same folder by its text, is refused for that main folder; its
// message shows once per run.
bool Vol08Copier::Item::Refuse(std::size_t index, const std::string& mainFolder) {
    const Structure& s = run_.structures_[index];
    if (!destChainRead_) {
        destChain_ = dest_.Ancestry();
        destChainRead_ = true;
    }
    std::string message;
    bool refuse = ChainHolds(destChain_, s.read.source.Identity()) || ChainHolds(s.ancestry, dest_.Identity());
    if (refuse)
        message = SameFolderRefusal(mainFolder, s.read.entry);
    else
        refuse = CheckDestinationNotSource(mainFolder, s.read.entry, message);
    if (refuse)
        Box(Outcome::Box::Refusal, index, 0, message, run_.messages_.StructureRefusedCaption, pagekit::kInfo,
            mainFolder);
    return refuse;
}

void Vol08Copier::Item::CopyStructures(const std::string& mainFolder, bool& copied) {
    for (std::size_t i = 0; i < run_.structures_.size(); ++i) {
        const Structure& s = run_.structures_[i];
        if (s.use == Structure::Skip) continue;
        if (s.use == Structure::Unusable) {
            PassOver(i, Vol08CatSubFoldersOtherReasons, s.read.entry);
            continue;
        }
        std::string target = run_.in_.SubFoldersOnlyMode() ? mainFolder : JoinFolderAndName(mainFolder, s.read.name);
        if (target.size() > 1 && target.back() == '\\') target.pop_back();
        // Refused here: named where it would have gone.
        if (Refuse(i, mainFolder)) {
            PassOver(i, Vol08CatSubFoldersOtherReasons, target);
            continue;
        }
        out_.Destination = target;
        // Nothing resolved for an earlier main folder is trusted for this one.
        plat::Beneath& source = w_.sources[i];
        source.Release();
        Outcomes outcomes(*this, s, i);
        w_.walk.Attach(s.read, source, dest_, target, s.order, outcomes);
        // What the walk passed over is named where it would have gone, with
        // its reason, a file once for each mask that takes it.
        for (const FolderStructure::Passed& item : s.read.passed) {
            if (item.folder) {
                Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, item.Named(target));
                continue;
            }
            std::size_t times = run_.in_.WithFiles() ? Vol08TimesTaken(run_.masks_, item.name) : 0;
            for (; times > 0; --times) Count(c_.FilesOtherReasons, Vol08CatSubFoldersOtherReasons, item.Named(target));
        }
        // A main folder counts as copied to once a structure reached it; one
        // whose structure folder could not even be made received nothing.
        copied = copied || outcomes.reached;
    }
}

void Vol08Copier::Item::CopyTemplates(const std::string& mainFolder, bool& copied) {
    std::string message, drive, rest;
    std::unordered_set<std::string> reached;  // what this main folder's lines reached
    const StringList& lines = run_.in_.FolderStructures;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        // A "." or ".." name would lead out of the main folder: no folder of it.
        if (HasDotFolderName(line)) {
            UnusableLine(line);
            continue;
        }
        if (CheckDestinationNotSource(mainFolder, line, message)) {
            Box(Outcome::Box::Template, i, 0, message, run_.messages_.TemplateRefusedCaption, pagekit::kWarn);
            UnusableLine(line);  // the folder it counted for this main folder
            continue;
        }
        const std::string rel = ExpandTemplatePath(line, mainFolder, run_.templateMode_, run_.searchTerm_);
        const std::string target = rel.empty() ? std::string() : JoinDestinationAndTemplatePath(mainFolder, rel);
        // A line that gives no folder below the main folder.
        SplitAtColon(target, drive, rest);
        if (target.empty() || HasDotFolderName(target) || rest.find(':') != std::string::npos) {
            UnusableLine(line);
            continue;
        }
        plat::FileIdentity id;
        FsResult r = MakeFolderWithParents(run_.disk_, dest_, target, id, w_.made);
        std::string below;
        if (r != FsResult::Ok && r != FsResult::AlreadyExists && dest_.Relative(target, below) && below.empty())
            r = FsResult::AlreadyExists;  // the main folder itself
        // The folders on its way that no earlier line reached: made now,
        // there already, or not made.
        std::string inMain;
        if (BelowMainFolder(mainFolder, target, inMain)) {
            const std::size_t parents = ParentsMade(w_.made, r == FsResult::Ok);
            for (const std::string& way : NewOnTheWay(inMain, reached)) {
                const std::string folder = mainFolder + "\\" + way;
                std::size_t m = 0;
                switch (JudgeWayFolder(run_.disk_, dest_, folder, w_.made, parents, m)) {
                case WayFolder::Made:
                    Count(c_.SubFoldersCopied, Vol08CatSubFoldersCopied, folder);
                    // Made for a line whose own folder was not: the Undo still takes it.
                    if (r != FsResult::Ok && !run_.dry_) out_.Parents.Append(folder, {w_.made[m].id, 0});
                    break;
                case WayFolder::There: Count(c_.SubFoldersExists, Vol08CatSubFoldersExists, folder); break;
                case WayFolder::NotMade:
                    Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, folder);
                    break;
                }
            }
        }
        if (r == FsResult::Ok) {
            Count(c_.SubFoldersCopied, Vol08CatSubFoldersCopied, target);
            RecordMade(target, id, w_.made);
            copied = true;
        } else if (r == FsResult::AlreadyExists) {
            Count(c_.SubFoldersExists, Vol08CatSubFoldersExists, target);
        } else {
            Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, target);
        }
    }
}

void Vol08Copier::Item::UnusableLine(const std::string& line) {
    if (!run_.dry_) out_.TemplateOther.push_back(line);
    Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, line);
}

void Vol08CopyFolders(Vol08State& state, const Vol08Inputs& in, RunDisk& disk, RunLog& log,
                      const Vol08Messages& messages) {
    Vol08Copier(state, in, disk, log, messages).CopyAll();
}
