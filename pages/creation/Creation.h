// What the three create pages share (strings: page 02, increased numbers:
// page 03, paths: page 04): the counters and outcome lists of their Visual
// Logs, the state a page keeps between runs, the creator that makes main
// folders and attaches folder structures or template lines to each new one,
// the disk-space check and the undo. Each page hands in what it does its
// own way as a CreationProfile (message numbers, template index, counting
// rules). Plain C++: the pages fill CreationInputs from their controls and
// hand over the RunLog that writes the Visual Log and the zoom window; the
// runs go through the one run frame (RunFrame.h).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/Types.h"
#include "pages/AttachWalk.h"
#include "pages/RunFrame.h"
#include "pages/RunLog.h"

// The sixteen counters of a create page's Visual Log, in the order of its
// count labels (to create, created, already exist, other reasons; each row
// folders, subfolders, files, bytes), then the failed-undo counter, which
// no label shows.
struct CreationCounters {
    double FoldersToCreate = 0, SubFoldersToCreate = 0, FilesToCreate = 0, FilesSizeToCreate = 0;
    double FoldersCreated = 0, SubFoldersCreated = 0, FilesCreated = 0, FilesSizeCreated = 0;
    double FoldersExists = 0, SubFoldersExists = 0, FilesExists = 0, FilesSizeExists = 0;
    double FoldersOther = 0, SubFoldersOther = 0, FilesOther = 0, FilesSizeOther = 0;
    double FoldersFailedUndo = 0;

    std::array<double, 16> Values() const;
};

// The outcome lists of a create page's Visual Log, in the window's order.
enum CreationCategory : int {
    CreationFoldersCreated,
    CreationSubFoldersCreated,
    CreationFilesCreated,
    CreationFoldersExists,
    CreationFoldersOther,
    CreationFoldersFailedUndo,
};

// The count labels of the three create pages' Visual Logs, in the
// counters' order.
using CreationCounterNames = std::array<const char*, 16>;
extern const CreationCounterNames kStat02CounterLabels;
extern const CreationCounterNames kStat03CounterLabels;
extern const CreationCounterNames kStat04CounterLabels;

// The name controls of the pages that make their main folders in one
// destination (02 and 03), as a run reads them.
struct NamePartInputs {
    std::string DestFolder;  // the destination combo's text
    std::string Prefix;      // as typed
    std::string Suffix;      // as typed
    bool Hyphen = false;
};
// The name parts of those pages: [0] the trimmed destination with a
// trailing backslash, the prefix as typed and its separator; [2] the suffix
// separator; [3] the suffix as typed. A separator is "-" when Hyphen is set
// and the trimmed text is not empty.
_tagVol0XParts GetNameParts(const NamePartInputs& in);

// What a create page keeps between runs.
struct CreationState {
    explicit CreationState(const CreationCounterNames& names = kStat02CounterLabels) : CounterNames(&names) {}

    // Every file of every listed structure with its size, kept by the disk-space check.
    MAP_FILE_NAME_SIZE StructureFileSizes;
    // Totals over all listed structures.
    std::uint64_t StructureBytes = 0;
    std::uint32_t StructureFolders = 0;
    std::uint32_t StructureFiles = 0;
    // What a line of the run about one of those folders and files holds
    // past its main folder, on average: its path below the main folder, or
    // a template line's.
    double BelowLineBytes = 0;
    // What each structure brings to a main folder, by its folder's text: a
    // run that passes over it for one reports this share among what it did
    // not create.
    struct Share {
        double Folders = 0, Files = 0, Bytes = 0;
    };
    std::map<std::string, Share> StructureShares;
    // The folders a run makes on its way to its main folders (a missing
    // destination, a folder above a main folder), each with the item that
    // makes it, in item order (PlanMadeOnTheWay).
    struct WayPlan {
        std::vector<std::pair<std::size_t, std::string>> listed;
        // A range of numbers: each of the first `eachItems` items that
        // `listed` does not plan for (`listedItems`, sorted) makes
        // `eachCount` folders more, which differ only by its number: `each`
        // names them, from the top. Kept so, a range costs what one number
        // costs.
        std::size_t eachItems = 0, eachCount = 0;
        std::vector<std::size_t> listedItems;
        std::function<void(std::size_t item, StringList& folders)> each;

        double Size() const;
        // The folders `item` makes on its way, from the top.
        void Of(std::size_t item, StringList& folders) const;
        void Clear();
    };
    WayPlan MadeOnTheWay;

    CreationCounters Counters;

    // What the largest item's outcome slot keeps, as the memory check
    // counted it: the run's window of items follows it (SlotWindow).
    double ItemSlotBytes = 0;

    // The trimmed destination of the last run with a trailing backslash.
    std::string LastDestination;
    // What the last real run made, for the Undo: each folder and file with
    // its identity and the folder the run worked beneath (LastBases).
    VEC_UNDO_BASES LastBases;
    DEQ_CREATED_FOLDERS LastCreatedFolders;     // main folders
    DEQ_CREATED_FOLDERS LastCreatedSubFolders;  // structure folders and template folders
    DEQ_CREATED_FILES LastCreatedFiles;
    // The missing parents the run made on the way to a recorded folder.
    DEQ_CREATED_FOLDERS LastCreatedParents;
    StringList LastExistingFolders;
    StringList LastOtherFolders;
    // Folders and files the last Undo could not remove; the next Undo retries them.
    DEQ_CREATED_FOLDERS FailedUndoFolders;
    DEQ_CREATED_FILES FailedUndoFiles;
    // "F" existing structures, "R" template lines, "N" nothing attached.
    std::string UndoMode;

    // The counters with the labels of the page's Visual Log.
    const CreationCounterNames* CounterNames;
    std::array<CounterLabel, 16> Labels() const;
};

// The four to-create counters, then the run counters.
void ResetCreationCounters(CreationState& state);
// The created, already-exist and other-reasons counters and the failed-undo counter.
void ResetCreationRunCounters(CreationState& state);
// Every last-run list but the undo work list (FailedUndoFiles).
void ClearCreationRunLists(CreationState& state);

// How one page differs in its run, simulation and undo.
struct CreationProfile {
    int TemplateIndex = 2;  // the folder-template options the page uses
    // Captions of the run's structure refusals and of a copied (or not
    // copied) file whose size the measurement did not find.
    std::string StructureRefusedCaption;
    std::string TemplateRefusedCaption;
    std::string SizeMissingCopiedCaption;
    std::string SizeMissingNotCopiedCaption;
    // The text before the source path of a file not copied whose size the
    // measurement did not find (page 04's run drops the "s").
    std::string SizeMissingNotCopiedText = "The path doesn't exists : \n";
};

// ---- the run frame ----------------------------------------------------------------------

// The frame of a create run or simulation as the three pages share it: the
// page's own checks (`check`), then, unless nothing is attached, the
// structure check with the page's caption; after the Yes the run counters
// start at zero and a real run forgets the last run's lists; the page's
// counters; "Show Visual Log". The page adds its question, work and end.
// Its memory is weighed after the checks, each main folder's line taken as
// `mainLineBytes` long, the main folders made in `destination` (`items`:
// each item's main folder is made beneath the item's own folder, which its
// scope looks up on the pool); a refusal is captioned with `topic`.
RunFrame CreationFrame(CreationState& state, const CreationInputs& in, bool simulation, std::function<bool()> check,
                       const std::string& noStructureCaption, const RunHooks& hooks, const std::string& topic,
                       double mainLineBytes, const std::string& destination, const StringList* items = nullptr);

// What a create run or simulation adds to the memory, from its count: each
// main folder's line about `mainLineBytes` long, made in `destination` (or
// beneath each of `items`) on `workers`; sets the state's ItemSlotBytes
// for the run.
RunMemoryNeed CreationMemoryNeed(CreationState& state, double mainLineBytes, bool simulation,
                                 const std::string& destination, const StringList* items, unsigned workers);
// How many workers a create run over `in` gets for `destination`.
unsigned CreationWorkers(const CreationInputs& in, const std::string& destination);
// What the last run's lists and undo records hold, which a real run's start lets go.
double CreationRunListsBytes(const CreationState& state);

// ---- undo -------------------------------------------------------------------------------

// The removal plans a page's undo uses (its retry, then by attach mode).
enum class UndoPlan {
    CollectByLevel,
    QueueCreated,
    PrepareCreateFolders,
    FromList,
    FromListDrives,
    FromListDrivesSecond,
    // FromListDrivesSecond, and the created main folders with their parents
    // too, so that a main folder that got no subfolder goes as well.
    FromListDrivesBoth,
};
struct CreationUndoProfile {
    UndoPlan Retry = UndoPlan::CollectByLevel;
    UndoPlan ExistingStructures = UndoPlan::CollectByLevel;  // "F"
    UndoPlan Templates = UndoPlan::PrepareCreateFolders;     // "R"
    UndoPlan Nothing = UndoPlan::CollectByLevel;             // "N"
    // Captions of: nothing to undo, the question, the report, the end.
    std::string NothingCaption, AskCaption, ReportCaption, EndCaption;
    std::string NothingText;
    std::string Topic;  // the memory box's
};
// The plans of 02 and 03 (04's differ), and an undo's four messages under
// one topic, numbered one after the other from `first` (the report's
// caption under `reportTopic` when it is not empty).
CreationUndoProfile CreationUndoMessages(const std::string& topic, int first, const std::string& nothingText,
                                         const std::string& reportTopic = std::string());
// Undo of the last run: removes what it made, deepest first, keeps what it
// could not remove for the next Undo and reports it.
void UndoCreationRun(CreationState& state, RunLog& log, const CreationUndoProfile& profile);

// ---- disk space -----------------------------------------------------------------------------

// Measures every listed structure (and `extra`, when not empty) into the
// structure totals and the size map; files and bytes only with files.
// False when a read failed (said in its box): the totals are short.
bool MeasureCreationStructures(CreationState& state, const CreationInputs& in, bool withFiles,
                               const std::string& extra = std::string());
// The free space where a run's folders go, as GetDriveFreeBytes reads it:
// the drive's root and the free bytes (0 when they cannot be read).
struct CreationFreeSpace {
    std::string root;
    std::uint64_t bytes = 0;
};
// MeasureCreationStructures with the free space at each of `folders`, read
// beside the structures on the run pool, into `space` in their order.
bool MeasureCreationSpace(CreationState& state, const CreationInputs& in, bool withFiles, const StringList& folders,
                          std::vector<CreationFreeSpace>& space);
// A create run's item as its count takes it: the path its main folder has
// (empty: none), and whether the run makes a folder there.
struct CreationItem {
    std::string path;
    bool makes = false;
};
// Whether a run makes no folder at `path` though it tries: no drive, a "."
// or ".." name, a colon behind the drive.
bool MakesNoFolder(const std::string& path);
// The folders the items' run makes on its way, as the disk is now: each
// missing folder above a main folder it makes, up to the nearest folder
// there, once, with the first item that needs it; a folder an earlier item
// makes as its main folder is none. Into `MadeOnTheWay`, looked at on the
// pool; false when a look failed (said in its box).
bool PlanMadeOnTheWay(CreationState& state, const std::vector<CreationItem>& items);
// A create run's items that are one range of numbers (page 03): item i's
// main folder is `before`, the text of the number first + i, then `after`.
struct NumberedItems {
    std::string before, after;
    std::int64_t first = 1;
    std::size_t count = 0;
    bool makes = false;
    std::function<std::string(std::int64_t number)> text;

    CreationItem Item(std::size_t item) const {
        return {before + text(first + static_cast<std::int64_t>(item)) + after, makes};
    }
    // The item whose number `numberText` spells, when the range holds it.
    bool ItemOf(std::string_view numberText, std::size_t& item) const;
};
// PlanMadeOnTheWay for a range, by arithmetic: every number's folders on the
// way are those every number shares and those that differ by the number
// alone, but for the numbers with a folder there already, looked up in the
// folder that holds their first one (asked of each number where that folder
// is there but cannot be listed). The same plan as for the list of all.
bool PlanMadeOnTheWay(CreationState& state, const NumberedItems& items);
// Template runs: each main folder gets the folders its lines make
// (TemplateFoldersIn, the page's template options) and no file.
void SetTemplateTotals(CreationState& state, const CreationInputs& in, const std::vector<CreationItem>& items,
                       int templateIndex);
// The same for a range, the lines worked out for the numbers their text may
// meet and for one other number, which stands for all the rest.
void SetTemplateTotals(CreationState& state, const CreationInputs& in, const NumberedItems& items, int templateIndex);
// The four to-create counters for `mainFolders` main folders, each with
// the measured structure totals, and the folders made on the way.
void SetCreationToCreate(CreationState& state, double mainFolders);
// The to-create counters once the structures are measured: true when the
// free bytes exceed `mainFolders` times the structure bytes; else the
// shortage message with the given caption and false. No main folder to
// make: false without a message, the counters as they were.
bool WeighCreationDiskSpace(CreationState& state, double mainFolders, std::uint64_t freeBytes,
                            const std::string& root, const std::string& shortageCaption);
