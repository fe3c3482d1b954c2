// The create-from-paths page (page 04) below its windows: what the page
// reads from its controls and the operations of its run, simulation,
// disk-space check and undo, on the machinery the create pages share
// (Creation.h). Every Include path carries its own destination: the new
// folder is made beside the path's last folder, named from that folder's
// name with the page's prefix and suffix.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/creation/Creation.h"
#include "pages/creation/FolderCreator.h"

struct Vol04State : CreationState {
    Vol04State() : CreationState(kStat04CounterLabels) {}
};

// The page's controls as a run reads them.
struct Vol04Inputs : CreationInputs {
    StringList IncludeFolders;  // lstVol04IncludeFolderList, in list order
    std::string Prefix;         // edtVol04Prefix, as typed
    std::string Suffix;         // edtVol04Suffix, as typed
    bool Hyphen = false;
};

// ---- name parts ----------------------------------------------------------------------

// The folder of a path as the program reads it: everything before its last
// backslash (a root keeps its backslash; "C:x" gives "C:").
std::string Vol04FolderOf(const std::string& path);
// The name behind the last backslash or colon.
std::string Vol04NameOf(const std::string& path);

// For one Include item: [0] the parent folder with a trailing backslash,
// the prefix and its separator; [1] the last name; [2] the suffix separator;
// [3] the suffix. An item whose last name holds a "." is taken as a file:
// its folder takes its place. `parent` gets the parent folder.
_tagVol0XParts Vol04GetNameParts(const Vol04Inputs& in, const std::string& item, std::string* parent = nullptr);
// The new folder's path: the four parts joined, nothing normalised.
std::string Vol04NewPath(const _tagVol0XParts& parts);

// ---- disk space ----------------------------------------------------------------------

// The bytes the structures need on each drive (the item's text up to its
// first colon), the structure bytes once per Include item on it.
std::map<std::string, std::uint64_t> Vol04RequiredBytesByDrive(const Vol04State& state, const Vol04Inputs& in);
// True when the run may go on; sets the to-create counters. Template lines:
// one subfolder per line and item, no disk asked. Else the structures are
// measured (files and bytes with files); an empty Include list gives false
// without a message; the first drive short of space shows 40054 and gives
// false. A drive's free bytes are asked where its new folders go.
bool Vol04CheckDiskSpace(Vol04State& state, const Vol04Inputs& in, bool withFiles);
// The verdict for one drive: true when `free` holds `required`; else 40054.
bool Vol04WeighDrive(const std::string& root, std::uint64_t required, std::uint64_t free);

// ---- run, simulation, undo ---------------------------------------------------------

class Vol04Creator {
public:
    Vol04Creator(const Vol04Inputs& in, Vol04State& state, RunLog& log, RunDisk& disk);
    // Every item, on the workers the first item's parent pays for.
    void CreateAll();

private:
    // What an item gives: no folder (`path` what counts), a path refused,
    // or a main folder `path` beneath `parent`. `prefix`: the prefix with its
    // separator; `suffix`: the separator with the suffix.
    enum class Plan { Other, Refuse, Create };
    static Plan PlanOf(const std::string& raw, const std::string& prefix, const std::string& suffix,
                       std::string& parent, std::string& path);
    friend std::vector<CreationItem> Vol04Items(const Vol04Inputs& in);

    const Vol04Inputs& in_;
    CreationProfile profile_;
    FolderCreator creator_;
    std::string prefix_, suffix_;  // the prefix with its separator; the separator with the suffix
};

// Every item as the run takes it, in list order.
std::vector<CreationItem> Vol04Items(const Vol04Inputs& in);

// CREATE on the run frame.
void Vol04RunCreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log, const RunHooks& hooks);
// Simulation: the same frame on the dry disk, so the run's outcomes,
// nothing on disk or in the undo data changed; the texts are the main
// window's simulation texts.
void Vol04SimulateCreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log,
                                const RunHooks& hooks, const std::string& startText,
                                const std::string& endText);
// Undo of the last run.
void Vol04UndoLastRun(Vol04State& state, RunLog& log);

// Message captions of the page: the topic, twelve blanks, the kind and the number.
inline constexpr const char* kVol04Topic = "Creating Folder(s).-From a Folder List.";
inline constexpr const char* kVol04SimulateTopic = "Simulate Creating Folder(s).-From a Folder List.";
