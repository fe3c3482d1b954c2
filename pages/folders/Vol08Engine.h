// The copy-folders page (page 08) below its windows: folder structures
// copied into many existing main folders. Existing structures go through
// the attach walk the create pages use (AttachWalk), in this page's order
// (each folder's selected files, mask by mask, before its subfolders);
// template lines make one folder each. The totals and free-space check,
// and the undo of the last run. Plain C++: outcomes go to the RunLog that
// the page hands in, its Visual Log.
//
// A simulation is the same work handed the dry disk: its lines and
// counters are the run's, and it records nothing for the Undo.
//
// Every write stays beneath the main folder it is for, held open, never
// through a link. Structures are read once, before anything is made, so no
// walk meets what the run made; a structure is refused for a main folder
// when either holds the other, judged by the real folders' identities.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/FolderStructSize.h"
#include "core/UndoToolkit.h"
#include "core/RunDisk.h"
#include "core/RunPool.h"
#include "core/Types.h"
#include "pages/AttachWalk.h"
#include "pages/RunLog.h"
#include "pages/RunMemory.h"
#include "pages/folders/FolderRuns.h"

// The Visual Log's lists, in the order of TfrmStatistic08::Category.
enum Vol08Category : int {
    Vol08CatFoldersCopied,
    Vol08CatSubFoldersCopied,
    Vol08CatFilesCopied,
    Vol08CatFoldersNotExists,
    Vol08CatSubFoldersExists,
    Vol08CatFilesExists,
    Vol08CatSubFoldersOtherReasons,
    Vol08CatSubFoldersFailedUndo,
};

// The page's counters. The first fifteen are shown by the labels of
// kVol08CounterLabels, the failed-undo counter by none. Each column to copy
// is what was copied, what was there already and what was not copied for
// another reason.
struct Vol08Counters {
    double FoldersToCopy = 0, FoldersCopied = 0, FoldersNotExists = 0;
    double SubFoldersToCopy = 0, SubFoldersCopied = 0, SubFoldersExists = 0, SubFoldersOtherReasons = 0;
    double FilesToCopy = 0, FilesCopied = 0, FilesExists = 0, FilesOtherReasons = 0;
    double FileSizeToCopy = 0, FileSizeCopied = 0, FileSizeExists = 0, FileSizeOtherReasons = 0;
    double SubFoldersFailedUndo = 0;

    std::array<double, 16> Values() const {
        return {FoldersToCopy,     FoldersCopied,  FoldersNotExists, SubFoldersToCopy, SubFoldersCopied,
                SubFoldersExists,  SubFoldersOtherReasons, FilesToCopy, FilesCopied, FilesExists,
                FilesOtherReasons, FileSizeToCopy, FileSizeCopied,   FileSizeExists,   FileSizeOtherReasons,
                SubFoldersFailedUndo};
    }
    // The fifteen that labels show, under their labels.
    std::vector<CounterLabel> Labels() const;
};
inline constexpr std::array<const char*, 15> kVol08CounterLabels = {
    "lblStat08FoldersToCopy",        "lblStat08FoldersCopied",    "lblStat08FoldersNotExists",
    "lblStat08SubFoldersToCopy",     "lblStat08SubFoldersCopied", "lblStat08SubFoldersExists",
    "lblStat08SubFoldersOtherReasons", "lblStat08FilesToCopy",    "lblStat08FilesCopied",
    "lblStat08FilesExists",          "lblStat08FilesOtherReasons", "lblStat08FileSizeToCopy",
    "lblStat08FileSizeCopied",       "lblStat08FileSizeExists",   "lblStat08FileSizeOtherReasons"};

// What one line of the structure list brings to each main folder, as the
// totals counted it: folders, files (once for each mask that takes one) and
// their bytes; and the bytes its copy writes into a folder that holds none
// of them. A run that passes over the structure for a main folder reports
// this share among what it did not copy.
struct Vol08Share {
    double Folders = 0, Files = 0, Bytes = 0;
    std::uint64_t Written = 0;
    double LineBytes = 0;  // what the run's lines spend on them below a main folder
};

// The page's controls as a run reads them (AttachNothing stays false:
// the page has no such option).
struct Vol08Inputs : CreationInputs {
    StringList IncludeFolders;  // lstVol08IncludeFolderList, in list order
    StringList Masks;           // GetFileSelNameMasks
};

// What the page keeps between runs.
struct Vol08State {
    Vol08Counters Counters;

    // The structures' totals and every selected file with its size, kept
    // by the totals (Vol08ComputeTotalsAndCheckSpace).
    MAP_FILE_NAME_SIZE Vol08StructureFileSizes;
    std::uint64_t Vol08StructureBytes = 0;
    std::uint32_t Vol08StructureFolders = 0;
    std::uint32_t Vol08StructureFiles = 0;
    // Each line of the structure list's share, in the list's order.
    std::vector<Vol08Share> Vol08StructureShares;
    // What a line of the run about one of the structures' folders and files
    // holds past its main folder, on average.
    double Vol08BelowLineBytes = 0;

    // The destination root of the structure copied last.
    std::string Vol08CurrentDestination;

    // What the last real run did, for the Undo: "F" existing structures,
    // "R" template lines; the main folders it worked beneath (each record's
    // Base); each folder and file with its identity.
    std::string Vol08LastSourceMode;
    VEC_UNDO_BASES Vol08LastBases;
    DEQ_CREATED_FOLDERS Vol08MainFoldersCopied;
    DEQ_CREATED_FOLDERS Vol08CreatedSubFolders;
    DEQ_CREATED_FOLDERS Vol08CreatedParents;  // missing parents made on the way to a recorded folder
    DEQ_CREATED_FILES Vol08CopiedFiles;
    StringList Vol08MainFoldersNotExist, Vol08SubFoldersExist, Vol08FilesExist, Vol08TemplateLinesOtherReasons;
    // What the last Undo could not remove; the next Undo retries exactly these.
    DEQ_CREATED_FOLDERS Vol08FailedUndoFolders;
    DEQ_CREATED_FILES Vol08FailedUndoFiles;
};

// ---- counters and lists ---------------------------------------------------------------

// The four to-copy totals, then the result counters, to 0.
void Vol08ResetCounters(Vol08State& state);
// The ten result counters (failed undo included) to 0.
void Vol08ResetResultCounters(Vol08State& state);
// Every last-run list, the failed-undo folders included (not the files).
void Vol08ClearLastRunLists(Vol08State& state);
void Vol08ClearResultLists(Vol08State& state);
// After the confirmation: the result counters start at 0, and a real run
// forgets the last run (its failed-undo files too).
void Vol08StartRun(Vol08State& state, bool realRun);
// What a real run's start lets go: the last run's lists and undo records.
double Vol08LastRunBytes(const Vol08State& state);

// ---- totals and free space ---------------------------------------------------------------

// The bytes each drive ("C:", the text up to the first colon) would get:
// every structure's copy written into each main folder the run copies into.
std::map<std::string, std::uint64_t> Vol08ComputeDriveNeeds(const Vol08State& state, const Vol08Inputs& in);
// True when the run may go on, the to-copy totals set. Template lines: the
// Include lines times the lines, no disk asked. Else the structures are
// measured; no top-most main folder gives false without a message; the
// first drive (in key order) whose main folders have less room than its
// need shows 80058 and gives false. A drive whose free space cannot be
// found is let through: its missing main folders show in the run.
bool Vol08ComputeTotalsAndCheckSpace(Vol08State& state, const Vol08Inputs& in, bool withFiles);
// One drive's verdict: true when `free` holds `need`; else 80058.
bool Vol08WeighDrive(const std::string& root, std::uint64_t need, std::uint64_t free);

// ---- run and simulation ------------------------------------------------------------------

// The captions of the boxes the work itself shows; the run's and the
// simulation's differ.
struct Vol08Messages {
    std::string StructureRefusedCaption;      // information
    std::string TemplateRefusedCaption;       // warning
    std::string SizeMissingCopiedCaption;     // warning
    std::string SizeMissingNotCopiedCaption;  // warning
};
Vol08Messages Vol08RunMessages();
Vol08Messages Vol08SimulationMessages();

// The work of one run over the Include list: every distinct main folder
// (sorted, trimmed) gets every structure or template line. On the dry disk
// this is the simulation.
//
// Each main folder is one item of the run pool (as many workers as the
// first main folder's file system pays for): its scope writes the main
// folder as the kernel names it and reads every structure copied, so
// duplicate and nested main folders, and a structure in a main folder,
// keep the one-at-a-time order. Its work counts from 0 into its outcome;
// the window thread adds the outcomes in item order and shows their boxes
// (they only inform, each once per run) after the item's lines.
class Vol08Copier {
public:
    Vol08Copier(Vol08State& state, const Vol08Inputs& in, RunDisk& disk, RunLog& log, const Vol08Messages& messages);
    ~Vol08Copier();

    void CopyAll();

    // What a run or simulation adds to the memory, from the totals.
    static RunMemoryNeed MemoryNeed(const Vol08State& state, const Vol08Inputs& in, bool simulation);

    // A main folder as the first look on the pool found it.
    struct Look {
        bool usable = false;
        std::string real;  // as the kernel names it; empty: not there
    };

private:
    // A listed structure as the run takes it, read once before anything is made.
    struct Structure {
        enum Use { Skip, Unusable, Copy } use = Skip;
        FolderStructure read;
        AttachOrder order;
        std::vector<std::int64_t> sizes;  // per item: the measured size, or below 0
        std::vector<plat::FileIdentity> ancestry;  // the folder and every folder above it
        std::string real;  // as the kernel names it: what an item reads
    };
    struct Outcome;
    struct Worker;
    class Item;
    class Outcomes;

    void PrepareStructures();
    static Look LookAt(const std::string& item);
    void Scope(std::size_t item, RunScope& scope) const;
    Worker& WorkerOf(unsigned index);
    // The outcome into the page: lines, counters, records, boxes; then empty.
    void Apply(Outcome& out, const RunMessageFn& show);

    Vol08State& state_;
    const Vol08Inputs& in_;
    RunDisk& disk_;
    RunLog& log_;
    const Vol08Messages& messages_;
    const bool dry_;  // the dry disk: nothing is recorded for the Undo
    const StringList masks_;
    std::vector<Structure> structures_;
    int templateMode_ = 1;
    std::string searchTerm_;
    UndoBaseIndex bases_;  // the run's bases, kept in the state's Vol08LastBases
    std::vector<std::unique_ptr<Worker>> workers_;
    std::vector<Look> looks_;  // on the pool: each main folder's
    // Boxes said once per run: by structure, by template line, by file.
    RefusedDestinations refusals_;
    std::vector<bool> templateRefusalShown_;
    std::set<std::pair<std::size_t, std::uint32_t>> sizeSaid_;
};

// The run's (or simulation's) work after its confirmation.
void Vol08CopyFolders(Vol08State& state, const Vol08Inputs& in, RunDisk& disk, RunLog& log,
                      const Vol08Messages& messages);

// ---- undo --------------------------------------------------------------------------------

// Whether the last real run (or the last Undo) left anything to undo:
// folders it made, or files it copied, into folders that were there too.
bool Vol08HasUndo(const Vol08State& state);
// The undo after its confirmation: the last run's copied files (only as the
// run left them), then the folders it made, deepest first, each only while
// empty and the very folder it made; or, when the last Undo left some,
// exactly those. The result counters go to 0; each folder kept for the
// next Undo gives a failed-undo line. Returns the report of what stayed
// (empty when everything went); none when it does not fit in memory (its
// box shown, the log and every record as they were).
std::optional<std::string> Vol08UndoCopies(Vol08State& state, RunLog& log);
// The Undo button's work: nothing to undo (80054), the question (80055),
// the memory it needs (0458), the Visual Log's lists emptied, the undo,
// the report (80056), the end (80057).
void Vol08UndoLastRun(Vol08State& state, RunLog& log);

// ---- name masks ----------------------------------------------------------------------------

// The masks a copy goes by, lowered: "All (*.*)." stands for "*.*", a
// mask that is a path takes nothing, no mask at all means "*.*".
StringList Vol08UsableMasks(const StringList& stored);
// Whether one lowered mask takes a lowered file name: by the platform's
// wildcard on the whole name, then by extension; "*.*" and "*" take every
// name, one without extension too.
bool Vol08MaskTakes(const std::string& mask, const std::string& name);
// How many times a copy takes a file: once for each mask that takes it,
// mask by mask (a file two masks take is copied, then found there).
std::uint32_t Vol08TimesTaken(const StringList& masks, const std::string& name);
// The files a run copies, as its totals and free-space check count them:
// none in the modes without files.
FileSelection Vol08Selection(const Vol08Inputs& in);
// The main folders a run copies into, in its order: every distinct line,
// a folder inside another one's included.
StringList Vol08MainFolders(const Vol08Inputs& in);
// How a run takes a line of the structure list (existing folders): one
// without a drive it passes over unsaid, one the list would refuse is a
// folder not copied for another reason, any other it copies when its
// folder is there.
enum class Vol08Use { Skip, Unusable, Copy };
Vol08Use Vol08StructureUse(const Vol08Inputs& in, const std::string& line);

// Message captions of the page.
inline constexpr const char* kVol08Topic = "Copy Folder Structure(s).-From a Folder List - Level.";
