// The create-from-strings page (page 02) below its windows: what the page
// reads from its controls, what it keeps between runs, and the operations of
// its run, simulation, disk-space check and undo, on the machinery the create
// pages share (Creation.h). Plain C++: the page fills a Vol02Inputs from its
// controls and hands over the RunLog that writes the Visual Log and the
// zoom window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/creation/Creation.h"
#include "pages/creation/FolderCreator.h"

using Vol02State = CreationState;

// The page's controls as a run reads them.
// cboVol02DestFolders, edtVol02Prefix, edtVol02Suffix and chkVol02Hyphen
// give the name parts (GetNameParts).
struct Vol02Inputs : CreationInputs, NamePartInputs {
    StringList IncludeStrings;  // lstVol02IncludeStrings, in list order
};

// The item's main folder: the name parts around it, separators read as
// backslashes; empty when the item names a drive.
std::string Vol02MainPath(const _tagVol0XParts& parts, const std::string& item);
// Every item as the run takes it, in list order.
std::vector<CreationItem> Vol02Items(const Vol02Inputs& in);

// ---- disk space ----------------------------------------------------------------------

// True when the run may go on; sets the to-create counters. Shows 20059
// when the destination's drive is short of space.
bool Vol02CheckDiskSpace(Vol02State& state, const Vol02Inputs& in, bool withFiles);
// The verdict once the structures are measured.
bool Vol02WeighDiskSpace(Vol02State& state, const Vol02Inputs& in, std::uint64_t freeBytes, const std::string& root);

// ---- run, simulation, undo ---------------------------------------------------------

// Page 02's creator: one main folder per Include item, named destination,
// prefix, item and suffix, with the structures attached.
class Vol02Creator {
public:
    Vol02Creator(const Vol02Inputs& in, Vol02State& state, RunLog& log, RunDisk& disk);
    // Every item, on the workers the destination pays for.
    void CreateAll();

private:
    const Vol02Inputs& in_;
    CreationProfile profile_;
    _tagVol0XParts parts_;
    std::string destination_;
    FolderCreator creator_;
};

// CREATE on the run frame; the run tidies the destination history at its end.
void Vol02RunCreateFolders(Vol02State& state, const Vol02Inputs& in, RunLog& log, const RunHooks& hooks);
// Simulation: the same frame on the dry disk, so the same outcomes as the
// run, nothing on disk or in the undo data changed. The texts are the main
// window's confirmation and end texts of the creation simulations.
void Vol02SimulateCreateFolders(Vol02State& state, const Vol02Inputs& in, RunLog& log, const RunHooks& hooks,
                                const std::string& startText, const std::string& endText);
// Undo of the last run.
void Vol02UndoLastRun(Vol02State& state, RunLog& log);
