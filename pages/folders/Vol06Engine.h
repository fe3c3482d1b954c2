// The rename-folders page (page 06) below its windows: the two ways to
// build a folder's new name, the run over the Include list and the undo.
// A simulation is the same run on the dry disk with a recorder that keeps
// nothing, so its lines and counters are the run's, collisions between the
// run's own new names included, and no undo record changes.
//
// Only the last name of each folder changes, split at its last separator
// alone (a dot in the name is part of it: Proj.old is renamed, not Proj).
// Items are normalised before the new path is built. Each folder is looked
// at beneath its held parent: a link or file there is no folder, and a
// move never replaces an existing target. Undo moves a folder back only
// when the object at the new path is the one the run renamed and nothing
// stands at its old path; it replays the run newest first, so nested
// renames (made deepest first) unwind parent first, and a record whose
// folder cannot be reached because its parent's move back failed stays
// for the next Undo with that parent.
#pragma once

#include <array>
#include <string>

#include "core/RenameUndo.h"
#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/RunLog.h"
#include "pages/RunMemory.h"
#include "pages/folders/FolderRuns.h"

// The Visual Log's lists, in the order of TfrmStatistic06::Category.
enum Vol06Category : int {
    Vol06CatFoldersRenamed,
    Vol06CatSourceNotExists,
    Vol06CatDestinationExists,
    Vol06CatOtherReasons,
    Vol06CatFoldersFailedUndo,
};

// The page's counters, in the order of kVol06CounterLabels.
struct Vol06Counters {
    double FoldersToRename = 0, FoldersRenamed = 0, SourceNotExists = 0, DestinationExists = 0, OtherReasons = 0;

    std::array<double, 5> Values() const {
        return {FoldersToRename, FoldersRenamed, SourceNotExists, DestinationExists, OtherReasons};
    }
    // The values under the labels of the Visual Log.
    std::array<CounterLabel, 5> Labels() const;
};
inline constexpr std::array<const char*, 5> kVol06CounterLabels = {
    "lblStat06FoldersToRename", "lblStat06FoldersRenamed", "lblStat06FoldersSourceNotExists",
    "lblStat06FoldersDestinationExists", "lblStat06FoldersOtherReasons"};

// The four result counters to 0.
void Vol06ResetCounters(Vol06Counters& counters);

struct Vol06Inputs {
    StringList IncludeFolders;        // lstVol06IncludeFolderList, in list order
    bool AddPrefixesSuffixes = true;  // rdoVol06RenameAddPrefixesSuffixes; else the last subfolder
    std::string NewPrefix, DelimiterPrefixSubFolder, DelimiterSubFolderSuffix, NewSuffix;  // as typed
    std::string RenameNewLastSubFolder;                                                    // as typed
    std::string ProgramFolder, WorkingDir;  // never renamed, nor anything in the working folder
};

// The last real run's renames and the undo's leftovers, with the folders
// each rename worked beneath.
struct Vol06UndoRecords {
    VEC_UNDO_BASES Vol06UndoBases;
    DEQ_RENAME_RECORDS Vol06RenamedPairs;  // in the order of the renames
    DEQ_RENAME_RECORDS Vol06FailedUndoPairs;
};
// Vol06ClearUndo.
void Vol06ClearUndo(Vol06UndoRecords& records);

// Where the run puts each rename: the undo's records, or (simulation)
// nowhere. `baseFolder` and `baseId` are the folder the rename worked beneath;
// the paths are handed over (the run needs them no more).
class Vol06Recorder {
public:
    virtual ~Vol06Recorder() = default;
    virtual void Renamed(const std::string& baseFolder, const plat::FileIdentity& baseId, std::string from,
                         std::string to, const plat::FileIdentity& id) = 0;
};

class Vol06UndoRecorder final : public Vol06Recorder {
public:
    explicit Vol06UndoRecorder(Vol06UndoRecords& records) : records_(records), bases_(records.Vol06UndoBases) {}
    void Renamed(const std::string& baseFolder, const plat::FileIdentity& baseId, std::string from, std::string to,
                 const plat::FileIdentity& id) override;

private:
    Vol06UndoRecords& records_;
    UndoBaseIndex bases_;
    std::uint32_t lastIndex_ = 0;
    plat::FileIdentity lastId_;
    std::string lastFolder_;
};

class Vol06NoRecorder final : public Vol06Recorder {
public:
    void Renamed(const std::string&, const plat::FileIdentity&, std::string, std::string,
                 const plat::FileIdentity&) override {}
};

// The parts of the new path of `path`: [0] its folder with a trailing "\",
// the prefix and the first delimiter; [1] its last name; [2] the second
// delimiter; [3] the suffix (the four edits trimmed).
_tagVol0XParts Vol06BuildPrefixSuffixName(const Vol06Inputs& in, const std::string& path);
// [0] the folder of `path` with a trailing "\"; [1] the new name as typed.
_tagVol0XParts Vol06BuildLastSubFolderName(const std::string& path, const std::string& newName);
// The new path of `path` by the page's method.
std::string Vol06NewPath(const Vol06Inputs& in, const std::string& path);

// A folder a run renamed, as its item's outcome records it for the Undo;
// `Base` indexes the item's bases.
struct Vol06Renamed {
    std::size_t Item, Base;
    std::string To;
    plat::FileIdentity Id;
};
// A folder an item's renames worked beneath.
struct Vol06Base {
    std::string Folder;
    plat::FileIdentity Id;
};

// The run's work after its confirmation: every Include folder, the deepest
// level first and within a level the last entered first. Handed the dry
// disk and a Vol06NoRecorder, this is the simulation.
//
// Each folder is one item of the run pool; its scope writes the folder
// that holds it, so renames in one folder keep their order and a folder is
// renamed only after everything below it, as one at a time. The lines,
// counters and undo records come in the order of a one-at-a-time run. A
// folder that is one of the program's own (RunFolderRefusal) stops the run
// there, unrenamed: it is returned ("" when none).
std::string Vol06RenameFolders(Vol06Counters& counters, const Vol06Inputs& in, RunDisk& disk,
                               Vol06Recorder& recorder, RunLog& log);

// What a run or simulation over `in` adds to the memory.
RunMemoryNeed Vol06MemoryNeed(const Vol06Inputs& in, bool simulation);
// What the undo records hold, which a run's start lets go.
double Vol06UndoBytes(const Vol06UndoRecords& records);

// What an undo could not move back, by the message's groups.
struct Vol06UndoReport {
    StringList SourceExists;        // old paths: something stands there
    StringList DestinationMissing;  // new paths: the renamed folder is not there
    StringList OtherReasons;        // old paths whose move back failed (kept for the next Undo)
};

// The undo after its confirmation: the last run's renames, or when there
// are none the ones the last undo failed to move back. The result counters
// go to 0; each record kept for the next Undo gives a failed-undo line.
// On the run pool each record is an item writing the folder that holds its
// new name, so a parent goes back before its children, as one at a time.
Vol06UndoReport Vol06UndoRenames(Vol06UndoRecords& records, Vol06Counters& counters, RunLog& log);
// The text of the undo's report (message 0213); empty when all went back.
std::string Vol06UndoReportText(const Vol06UndoReport& report);
// What the undo of `records` adds beyond them, every record staying.
RunMemoryNeed Vol06UndoMemoryNeed(const Vol06UndoRecords& records);
