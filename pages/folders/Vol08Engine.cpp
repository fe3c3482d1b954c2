// The copy of page 08: structures read once, every main folder held open
// while its structures are walked into it, each outcome counted and sent
// to the sink. The same code on the dry disk is the simulation.
#include "pages/folders/Vol08Engine.h"

#include <algorithm>
#include <utility>

#include "core/ExamineSubFolders.h"
#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"
#include "pages/PageMessages.h"
#include "pages/files/FileRuns.h"
#include "platform/MessageBox.h"

using plat::FsResult;

namespace {

// A file's size as the totals measured it, or not.
constexpr std::int64_t kNotMeasured = -1;
constexpr std::int64_t kNotMeasuredSaid = -2;

bool Contains(const std::vector<plat::FileIdentity>& chain, const plat::FileIdentity& id) {
    return std::find(chain.begin(), chain.end(), id) != chain.end();
}

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

std::string SameFolderMessage(const std::string& destination, const std::string& source) {
    return "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
           "Folder !!! \nDestination Folder : " +
           destination + "\n" + "Source Folder      : " + source;
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
    c.FilesCopied = c.FilesExists = 0;
    c.FileSizeCopied = c.FileSizeExists = 0;
    c.SubFoldersFailedUndo = 0;
}

void Vol08ClearLastRunLists(Vol08State& state) {
    state.Vol08LastBases.clear();
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

// The walk's outcomes as this page counts them.
class Vol08Copier::Outcomes final : public AttachOutcomes {
public:
    Outcomes(Vol08Copier& copier, Structure& s) : c_(copier), s_(s) {}

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
        if (top && c_.in_.SubFoldersOnlyMode()) return;
        if (!c_.dry_) c_.state_.Vol08SubFoldersExist.push_back(path);
        c_.Count(c_.c_.SubFoldersExists, Vol08CatSubFoldersExists, path);
    }
    // The structure's own folder too: a folder not made is never silent.
    void FolderNotMade(const std::string& path, bool) override {
        c_.Count(c_.c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, path);
    }
    void FileCopied(std::uint32_t item, const std::string& source, const std::string& target,
                    const plat::FileStamp& stamp) override {
        if (!c_.dry_)
            c_.state_.Vol08CopiedFiles.Append(target, {stamp, c_.BaseIndex(), stamp.id.Known()});
        const std::int64_t size = s_.sizes[item];
        c_.c_.FilesCopied += 1.0;
        if (size >= 0) c_.c_.FileSizeCopied += static_cast<double>(size);
        c_.Count(c_.c_.FilesCopied, Vol08CatFilesCopied, target, false);
        if (size == kNotMeasured) SizeMissing(item, source, c_.messages_.SizeMissingCopiedCaption);
    }
    // Only a target that is there already counts as existing; a copy that
    // failed (and left nothing) is another reason.
    void FileNotCopied(std::uint32_t item, const std::string& source, const std::string& target,
                       FsResult why) override {
        const std::int64_t size = s_.sizes[item];
        if (why == FsResult::AlreadyExists) {
            if (!c_.dry_) c_.state_.Vol08FilesExist.push_back(target);
            c_.c_.FilesExists += 1.0;
            if (size >= 0) c_.c_.FileSizeExists += static_cast<double>(size);
            c_.Count(c_.c_.FilesExists, Vol08CatFilesExists, target, false);
        } else {
            c_.Count(c_.c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, target);
        }
        if (size == kNotMeasured) SizeMissing(item, source, c_.messages_.SizeMissingNotCopiedCaption);
    }

private:
    // A file the totals did not measure is said once per run, not once
    // per main folder.
    void SizeMissing(std::uint32_t item, const std::string& source, const std::string& caption) {
        s_.sizes[item] = kNotMeasuredSaid;
        c_.Warn("The path doesn't exists : \n" + source, caption);
    }

    Vol08Copier& c_;
    Structure& s_;
};

Vol08Copier::Vol08Copier(Vol08State& state, const Vol08Inputs& in, RunDisk& disk, FolderRunSink& sink,
                         const Vol08Messages& messages)
    : state_(state), c_(state.Counters), in_(in), disk_(disk), sink_(sink), messages_(messages),
      dry_(disk.IsDry()), masks_(Vol08UsableMasks(in.Masks)), walk_(disk), bases_(state.Vol08LastBases) {
    if (in_.FullPaths) PrepareStructures();
    if (!in_.FullPaths && in_.RelativePaths) {
        templateMode_ = GetFolderTemplateMode(4, searchTerm_);
        templateRefusalShown_.assign(in_.FolderStructures.size(), false);
    }
}

// Every structure is read now, before the run makes anything, so that no
// walk ever sees what the run made (a structure may lie in a main folder).
void Vol08Copier::PrepareStructures() {
    const bool withFiles = in_.WithFiles();
    const bool takesName = !in_.SubFoldersOnlyMode();
    structures_.reserve(in_.FolderStructures.size());
    for (const std::string& line : in_.FolderStructures) {
        Structure s;
        const std::string entry = StructureEntryText(line);
        s.read.entry = entry;
        s.read.name = LastNameOf(entry);
        if (TrimControlAndBlanks(GetDrivePart(entry)).empty()) {
            s.use = Structure::Skip;  // no drive: skipped without a word, as the list would have it
        } else if (!IsUsableRunItem(entry, takesName ? RunItemUse::NamedFolder : RunItemUse::IncludeFolder)) {
            s.use = Structure::Unusable;
        } else {
            s.read = ReadFolderStructure(entry);
            if (s.read.usable && s.read.source.IsOpen()) {
                s.use = Structure::Copy;
                s.order = CopyOrder(s.read, withFiles, masks_);
                s.ancestry = s.read.source.Ancestry();
                s.sizes.assign(s.read.items.size(), kNotMeasured);
                std::string source;
                for (std::size_t i = 0; i < s.read.items.size(); ++i) {
                    if (s.read.items[i].folder) continue;
                    source.assign(s.read.entry).append(1, '\\').append(s.read.items[i].rel);
                    const auto found = state_.Vol08StructureFileSizes.find(source);
                    if (found != state_.Vol08StructureFileSizes.end())
                        s.sizes[i] = static_cast<std::int64_t>(found->second);
                }
            }
        }
        structures_.push_back(std::move(s));
    }
}

void Vol08Copier::Count(double& counter, int category, std::string_view line, bool add) {
    if (add) counter += 1.0;
    const auto values = c_.Values();
    sink_.Outcome(category, line, values);
}

void Vol08Copier::Warn(const std::string& text, const std::string& caption) {
    plat::MessageBox(text, caption, pagekit::kWarn);
}

std::uint32_t Vol08Copier::BaseIndex() {
    if (!destRecorded_) {
        destBase_ = bases_.IndexOf(dest_);
        destRecorded_ = true;
    }
    return destBase_;
}

void Vol08Copier::RecordMade(const std::string& path, const plat::FileIdentity& id,
                             const std::vector<plat::MadeFolder>& made) {
    if (dry_) return;
    state_.Vol08CreatedSubFolders.Append(path, {id, BaseIndex()});
    // The last one made is the folder itself.
    for (std::size_t i = 0; i + 1 < made.size(); ++i)
        state_.Vol08CreatedParents.Append(made[i].path, {made[i].id, BaseIndex()});
}

void Vol08Copier::CopyAll() {
    ExamineSubFolders mainFolders(in_.IncludeFolders);
    mainFolders.ExamineSorted();
    for (const std::string& mainFolder : mainFolders.GetList()) CopyToMainFolder(mainFolder);
}

void Vol08Copier::CopyToMainFolder(const std::string& item) {
    const std::string mainFolder = TrimControlAndBlanks(item);
    dest_.Close();
    destChainRead_ = false;
    destRecorded_ = false;
    // No drive, or no folder there (a link is none): it does not exist.
    const bool hasDrive = !TrimControlAndBlanks(GetDrivePart(mainFolder)).empty();
    if (hasDrive && !IsUsableRunItem(mainFolder, RunItemUse::IncludeFolder)) {
        Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, mainFolder);
        return;
    }
    if (!hasDrive || dest_.Open(mainFolder) != FsResult::Ok) {
        if (!dry_) state_.Vol08MainFoldersNotExist.push_back(mainFolder);
        Count(c_.FoldersNotExists, Vol08CatFoldersNotExists, mainFolder);
        return;
    }
    state_.Vol08CurrentDestination = mainFolder;
    bool copied = false;
    if (in_.FullPaths) {
        if (!dry_) state_.Vol08LastSourceMode = "F";
        CopyStructures(mainFolder, copied);
    } else if (in_.RelativePaths) {
        if (!dry_) state_.Vol08LastSourceMode = "R";
        CopyTemplates(mainFolder, copied);
    }
    if (!copied) return;
    if (!dry_) state_.Vol08MainFoldersCopied.Append(mainFolder, {dest_.Identity(), BaseIndex()});
    Count(c_.FoldersCopied, Vol08CatFoldersCopied, mainFolder);
}

// A structure that is the main folder, holds it or lies in it (by the real
// folders, so no spelling, link or second drive letter hides it), or that
// names the same folder by its text, is refused for that main folder; its
// message shows once per run.
bool Vol08Copier::Refuse(Structure& s, const std::string& mainFolder) {
    if (!destChainRead_) {
        destChain_ = dest_.Ancestry();
        destChainRead_ = true;
    }
    std::string message;
    bool refuse = Contains(destChain_, s.read.source.Identity()) || Contains(s.ancestry, dest_.Identity());
    if (refuse)
        message = SameFolderMessage(mainFolder, s.read.entry);
    else
        refuse = CheckDestinationNotSource(mainFolder, s.read.entry, message);
    if (refuse && !s.refusalShown) {
        s.refusalShown = true;
        plat::MessageBox(message, messages_.StructureRefusedCaption, pagekit::kInfo);
    }
    return refuse;
}

void Vol08Copier::CopyStructures(const std::string& mainFolder, bool& copied) {
    for (Structure& s : structures_) {
        if (s.use == Structure::Skip) continue;
        if (s.use == Structure::Unusable) {
            Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, s.read.entry);
            continue;
        }
        if (Refuse(s, mainFolder)) continue;
        std::string target = in_.SubFoldersOnlyMode() ? mainFolder : JoinFolderAndName(mainFolder, s.read.name);
        if (target.size() > 1 && target.back() == '\\') target.pop_back();
        state_.Vol08CurrentDestination = target;
        // Nothing resolved for an earlier main folder is trusted for this one.
        s.read.source.Release();
        Outcomes outcomes(*this, s);
        walk_.Attach(s.read, dest_, target, s.order, outcomes);
        // Entries whose names cannot be said here: each one is a line of the
        // folder it would have gone to.
        for (std::size_t i = 0; i < s.read.unreadable; ++i)
            Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, target);
        // A main folder counts as copied to once a structure reached it; one
        // whose structure folder could not even be made received nothing.
        copied = copied || outcomes.reached;
    }
}

void Vol08Copier::CopyTemplates(const std::string& mainFolder, bool& copied) {
    std::string message, drive, rest;
    for (std::size_t i = 0; i < in_.FolderStructures.size(); ++i) {
        const std::string& line = in_.FolderStructures[i];
        // A "." or ".." name would lead out of the main folder: no folder of it.
        if (HasDotFolderName(line)) {
            UnusableLine(line);
            continue;
        }
        if (CheckDestinationNotSource(mainFolder, line, message)) {
            if (!templateRefusalShown_[i]) {
                templateRefusalShown_[i] = true;
                Warn(message, messages_.TemplateRefusedCaption);
            }
            continue;
        }
        const std::string rel = ExpandTemplatePath(line, mainFolder, templateMode_, searchTerm_);
        const std::string target = rel.empty() ? std::string() : JoinDestinationAndTemplatePath(mainFolder, rel);
        // A line that gives no folder below the main folder.
        SplitAtColon(target, drive, rest);
        if (target.empty() || HasDotFolderName(target) || rest.find(':') != std::string::npos) {
            UnusableLine(line);
            continue;
        }
        plat::FileIdentity id;
        FsResult r = MakeFolderWithParents(disk_, dest_, target, id, made_);
        std::string below;
        if (r != FsResult::Ok && r != FsResult::AlreadyExists && dest_.Relative(target, below) && below.empty())
            r = FsResult::AlreadyExists;  // the main folder itself
        if (r == FsResult::Ok) {
            Count(c_.SubFoldersCopied, Vol08CatSubFoldersCopied, target);
            RecordMade(target, id, made_);
            copied = true;
        } else if (r == FsResult::AlreadyExists) {
            Count(c_.SubFoldersExists, Vol08CatSubFoldersExists, target);
        } else {
            Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, target);
        }
    }
}

void Vol08Copier::UnusableLine(const std::string& line) {
    if (!dry_) state_.Vol08TemplateLinesOtherReasons.push_back(line);
    Count(c_.SubFoldersOtherReasons, Vol08CatSubFoldersOtherReasons, line);
}

void Vol08CopyFolders(Vol08State& state, const Vol08Inputs& in, RunDisk& disk, FolderRunSink& sink,
                      const Vol08Messages& messages) {
    Vol08Copier(state, in, disk, sink, messages).CopyAll();
}
