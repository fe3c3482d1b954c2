// Makes the main folders of a create run and attaches folder structures or
// template lines to each new one: the engine of pages 02, 03 and 04. The
// same code serves the run and the simulation: the simulation hands in the
// dry disk, so it reports exactly what the run would do, and records
// nothing for the Undo. The attach walk itself (AttachWalk) is shared with
// the copy page (08), which hands in its own order of the items and counts
// the outcomes its own way.
//
// Every write stays beneath the destination the page names (UseDestination),
// held open, never through a link or a mount point; each structure is read
// once before anything is made and refused when its real folder holds the
// destination or the main folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/RunDisk.h"
#include "core/RunPool.h"
#include "core/UndoToolkit.h"
#include "pages/AttachWalk.h"
#include "pages/RunItems.h"
#include "pages/creation/Creation.h"
#include "platform/Beneath.h"

// Which structure totals an outcome adds to the other-reasons (or
// already-exist) counters besides its folder.
enum class OtherTotals {
    None,
    AllUnlessNothing,  // subfolders, files and bytes unless nothing is attached
    ByAttachMode,      // with files all three, without files the subfolders only
    // The subfolders unless nothing is attached, files and bytes only with
    // files as well (page 04's items without a drive).
    UnlessNothingFilesWithFiles,
};

// What one main folder of a run gave, kept by a worker until the window
// thread applies it in item order: its lines and records in the order they
// came, its boxes among them, what it adds to the counters.
struct CreationOutcome {
    enum class Kind : unsigned char {
        Line,         // a line alone
        MainMade,     // a main folder made: its line, kept for the Undo
        SubMade,      // a structure or template folder made: the same
        FileMade,     // a file copied: the same
        Parent,       // a missing parent made on the way: kept for the Undo, no line
        Existing,     // a main folder that was there: its line and the last run's list
        Other,        // an item that gave no folder: the same
        Box,          // a warning box; `once` set: shown once per run
    };
    struct Entry {
        Kind kind = Kind::Line;
        int category = 0;
        std::uint32_t once = 0;  // 1 + the list entry whose refusal is shown once
        std::string text;
        std::string caption;
        std::string refusedFor;  // a structure's refusal: the main folder it was refused for
        plat::FileStamp stamp;   // folders: the identity alone
    };
    // The item's entries; the window thread applies those published while
    // the item is the head of the run (`applied`), the rest when it is done.
    ItemEntries<Entry> entries;
    std::size_t applied = 0;
    CreationCounters added;
    char undoMode = 0;  // 'F', 'R' or 'N' once a main folder was made
    // The folder the item worked beneath, the base of its records.
    std::string baseFolder;
    plat::FileIdentity baseId;

    Entry& Next() { return entries.Next(); }
    // On the window thread, once applied.
    void Clear() {
        entries.Clear();
        applied = 0;
        added = CreationCounters();
        undoMode = 0;
        baseFolder.clear();
        baseId = {};
    }
};

class FolderCreator {
public:
    // The run's creator: it reads the structures once and applies what
    // the workers' creators (made from it for each worker) found.
    FolderCreator(const CreationProfile& profile, const CreationInputs& in, CreationState& state, RunLog& log,
                  RunDisk& disk);
    FolderCreator(const FolderCreator&) = delete;
    FolderCreator& operator=(const FolderCreator&) = delete;

    // The run's items, by index, on `workers` workers. `scope` says what
    // item i touches (ScopeMain); `item` makes item i with the worker's
    // creator (UseDestination, then CreateMain, RefuseMain or
    // RecordItemOther), touching nothing else of the run. Lines, records,
    // counters and boxes reach the state and the log in item order.
    using ItemFn = std::function<void(std::size_t item, FolderCreator& creator)>;
    // `scopesLooked`: the scopes open folders of their own (page 04: a parent
    // per item); they are found on the workers, before their items start,
    // and the window thread only takes them.
    RunPoolResult RunItems(std::size_t count, unsigned workers, const RunPool::ScopeFn& scope, const ItemFn& item,
                           bool scopesLooked = false);
    // The scope of a main folder made beneath `destination`: the top-most
    // folder it may make there, and the structures that lie in the
    // destination (read). The run's creator, on the window thread.
    void ScopeMain(const std::string& destination, const std::string& path, RunScope& scope);
    // How many workers the run gets for this destination.
    unsigned Workers(const std::string& destination) const;

    // The folder the next main folders are made beneath: opened once (its
    // nearest existing folder when it does not exist yet) and kept until
    // another one is named. A destination that cannot be opened (a link,
    // nothing of it at all) or that IsUsableRunItem refuses makes every main
    // folder fail.
    void UseDestination(const std::string& folder);

    // One main folder of the run, made with its missing parents; structures
    // or template lines go to a folder the run made, never to one that was
    // there. With `numberSuffix`, every level of each template line carries
    // it, set off as `suffixModel` ends (increased numbers).
    void CreateMain(const std::string& path, const std::string& numberSuffix = std::string(),
                    const std::string& suffixModel = std::string());
    // An item that gives no folder: counted and listed under other reasons;
    // `mainFolder`: the path its count took for it (none: empty).
    void RecordItemOther(const std::string& text, OtherTotals totals, const std::string& mainFolder = std::string());
    // A main folder whose path the program refuses to make (a character no
    // folder path may hold): a folder already there counts as existing,
    // with nothing attached; else the path counts under other reasons.
    void RefuseMain(const std::string& path, OtherTotals totals);

    // How a main folder that exists, or cannot be made, counts its structures.
    OtherTotals ExistsTotals = OtherTotals::AllUnlessNothing;
    OtherTotals FailedTotals = OtherTotals::AllUnlessNothing;

private:
    struct WorkerTag {};
    FolderCreator(const FolderCreator& run, WorkerTag);
    // Where the structures stand to this creator's destination.
    struct StructureView {
        plat::Beneath source;  // the worker's own handle
        bool holdsDestination = false;
        std::string belowDest;
    };
    void ViewStructures();
    void Apply(CreationOutcome& out, RunApplyContext& ctx);
    // The item's entries from the last applied up to `upTo`, in order, and
    // then their boxes.
    void ApplyEntries(CreationOutcome& out, std::size_t upTo, RunApplyContext& ctx);
    void Box(const std::string& text, const std::string& caption, std::uint32_t once = 0,
             const std::string& refusedFor = std::string());
    void Add(CreationOutcome::Kind kind, int category, const std::string& text,
             const plat::FileStamp& stamp = plat::FileStamp{});
    void AddTotals(OtherTotals totals, const std::string& mainFolder, double& subFolders, double& files, double& bytes);
    // The folders the count found this item makes on the way to its main
    // folder (made_ as MakeFolder left it; `madeFolder`: the folder too),
    // made now, there already or not made; and those made it did not foresee.
    void ReportOnTheWay(bool madeFolder);
    // A folder made on the way to `path` (`made` one of made_), counted
    // and listed under `made` folders of its row, kept for the Undo.
    void RecordMadeOnTheWay(const plat::MadeFolder& made, bool main);
    // One folder on the way the count took: made now (among made_'s first
    // `parents`: its index), there already or not made (`parents`).
    std::size_t ReportWayFolder(const std::string& folder, std::size_t parents, bool main);
    // The folders a template line makes on its way to `target` besides its own.
    void ReportTemplateWay(const std::string& mainFolder, const std::string& target, bool madeFolder);
    void RecordFolderCreated(const std::string& path, const plat::FileIdentity& id);
    void RecordFolderExists(const std::string& path);
    void RecordSubFolderCreated(const std::string& path, const plat::FileIdentity& id, bool forUndo = true);
    void RecordSubFolderOther(const std::string& path);
    void RecordParents(const std::vector<plat::MadeFolder>& made);
    void UseWorkerDestination(const std::string& folder);

    // Creates the folder with its missing parents; Ok, AlreadyExists or a
    // failure. On Ok, madeId_ is the folder's identity.
    plat::FsResult MakeFolder(const std::string& path);
    void RememberMade(const std::string& path, const plat::FileIdentity& id);
    void PrepareStructure(std::size_t index);
    void AttachStructures(const std::string& mainFolder);
    void AttachStructure(std::size_t index, const std::string& target);
    void StructureFileDone(const std::string& source, const std::string& target, plat::FsResult r,
                           const plat::FileStamp& stamp);
    class Outcomes;
    void PrepareTemplates();
    void AttachTemplates(const std::string& mainFolder, const std::string& numberSuffix,
                         const std::string& suffixModel);
    bool RefuseStructure(std::size_t index, const std::string& mainFolder);

    const CreationProfile& profile_;
    const CreationInputs& in_;
    CreationState& state_;
    const FolderCreator* run_ = nullptr;  // a worker's: the run's creator
    CreationOutcome* out_ = nullptr;      // a worker's: the item's outcome
    CreationCounters* c_ = nullptr;       // its counters
    RunLog& log_;
    RunDisk& disk_;
    const bool dry_;  // the dry disk: nothing is recorded for the Undo
    plat::Beneath dest_;
    std::string destText_;
    std::vector<plat::FileIdentity> destChain_;
    bool twinned_ = false;  // a worker's: the run's destination, through its own handle
    std::unique_ptr<UndoBaseIndex> bases_;  // the run's: its bases, kept in the state's LastBases
    std::vector<FolderStructure> structures_;
    std::vector<AttachOrder> orders_;  // one per structure
    AttachWalk walk_;
    bool structuresRead_ = false;
    std::vector<StructureView> views_;  // a worker's, one per structure
    // The run's: refusals shown once, by list entry (a structure's later
    // ones together at the end); the workers' creators; the bases of the
    // scopes by destination text.
    std::vector<char> shownOnce_;
    RefusedDestinations refused_;
    std::vector<std::unique_ptr<FolderCreator>> workers_;
    struct ScopeBase {
        plat::Beneath base;
        std::vector<std::string> inside;  // the structures' folders in it
    };
    // By destination text, one map for each worker that looks at scopes
    // (the window thread's first).
    std::vector<std::unordered_map<std::string, ScopeBase>> scopeBases_;
    std::vector<RunScope> looked_;  // by item: the scope a worker found
    int templateMode_ = 1;
    std::string searchTerm_;
    // Template lines as far as they do not depend on the main folder.
    struct TemplateLine {
        bool dots = false;      // a "." or ".." name
        bool invalid = false;   // refused by the Include-list text check
        std::string message;    // its refusal
        bool mayEqual = false;  // has a drive part: could name the main folder itself
        bool fixed = false;     // its relative path is the same for every main folder
        bool noTarget = false;  // fixed, and it gives no folder
        std::string rel;        // fixed: the expanded relative path (before any number suffix)
        std::string joined;     // fixed: rel as joined behind a main folder
        bool joinedDots = false;
    };
    std::vector<TemplateLine> templates_;
    std::vector<plat::MadeFolder> made_;
    plat::FileIdentity madeId_;
    std::size_t item_ = 0;  // a worker's: the run's item it works on
    std::unordered_set<std::string> reached_;  // template runs: what this item's lines reached
    // Template runs: what this item made, to tell a folder made by an
    // earlier line from one that was there before.
    struct MadeHere {
        std::size_t offset;
        std::size_t length;
        plat::FileIdentity id;
    };
    std::vector<MadeHere> itemMade_;
    std::string itemMadeText_;  // their paths, one after another
    StringList wayPlanned_;     // the item's folders on the way, kept for its room
};
