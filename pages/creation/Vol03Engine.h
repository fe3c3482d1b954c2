// The increased-numbers page (page 03) below its windows: what the page
// reads from its controls, what it keeps between runs, and the operations of
// its run, simulation, disk-space check and undo, on the machinery the create
// pages share (Creation.h). Plain C++: the page fills a Vol03Inputs from its
// controls and hands over the RunLog that writes the Visual Log and the
// zoom window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/creation/Creation.h"
#include "pages/creation/FolderCreator.h"

// What page 03 keeps between runs besides the create pages' state: the
// numbers as last converted from the edits and the zero-padding width.
struct Vol03State : CreationState {
    Vol03State() : CreationState(kStat03CounterLabels) {}
    std::int32_t Vol03StartValue = 1;
    std::int32_t Vol03EndValue = 1;
    int Vol03DigitCount = 1;
};

// The page's controls as a run reads them.
// cboVol03DestFolders, edtVol03Prefix, edtVol03Suffix and chkVol03Hyphen
// give the name parts (GetNameParts).
struct Vol03Inputs : CreationInputs, NamePartInputs {
    std::string StartText = "1";  // edtVol03StartNumber, as typed
    std::string EndText = "1";    // edtVol03EndNumber, as typed
    bool PaddedZeroes = false;
    bool AddIncNumbersAsSuffix = false;  // "Add Increased Numbers as Suffixes to Subfolders."
};

// ---- numbers -------------------------------------------------------------------------

// A number text as the page takes it: a whole decimal number of the int32
// range, blanks around it allowed, a sign allowed. False for anything else
// (empty, not a number, out of range).
bool Vol03ParseNumber(const std::string& text, std::int32_t& value);

// The start and end numbers of a run, read from the two edits by the page's
// own rule for a text that is no number: the start becomes 1, the end the
// start. The range is counted in 64 bits.
struct Vol03Numbers {
    std::int64_t Start = 1;
    std::int64_t End = 1;
    bool StartValid = true;
    bool EndValid = true;
    std::int64_t Count() const { return End - Start + 1; }
    // The characters of the end number's decimal text: the padding width.
    int Digits() const;
};
Vol03Numbers Vol03ReadNumbers(const std::string& startText, const std::string& endText);

// The number between the name parts: its decimal text, left-padded with
// zeros to `digits` when padded (a sign stays in front).
std::string Vol03NumberText(std::int64_t number, bool padded, int digits);

// Every number's main folder as the run takes it, in order: the range,
// never a path for each number.
NumberedItems Vol03Items(const Vol03Inputs& in, const Vol03Numbers& numbers);

// ---- disk space ----------------------------------------------------------------------

// True when the run may go on; sets the to-create counters from the numbers
// of the edits. Template lines: one subfolder per line and main folder, no
// disk asked. Else every structure is measured (files and bytes with
// files), a range without numbers gives false without a message, and a
// drive short of space shows 30040 and gives false.
bool Vol03CheckDiskSpace(Vol03State& state, const Vol03Inputs& in, bool withFiles);
// The to-create counters from the numbers of the edits without asking the
// disk: template totals, or the structures measured without files.
void Vol03CountToCreate(Vol03State& state, const Vol03Inputs& in);
// The verdict once the structures are measured.
bool Vol03WeighDiskSpace(Vol03State& state, double mainFolders, std::uint64_t freeBytes, const std::string& root);

// ---- run, simulation, undo ---------------------------------------------------------

// Page 03's creator: one main folder per number, named destination, prefix,
// number and suffix, with the structures attached.
class Vol03Creator {
public:
    Vol03Creator(const Vol03Inputs& in, const Vol03Numbers& numbers, Vol03State& state, RunLog& log,
                 RunDisk& disk);
    // Every number, on the workers the destination pays for.
    void CreateAll();

private:
    friend NumberedItems Vol03Items(const Vol03Inputs& in, const Vol03Numbers& numbers);
    // The number's main folder into `path`; the length and place of the number in it.
    static void MainPath(const _tagVol0XParts& parts, bool padded, int digits, std::int64_t number, std::string& path,
                         std::size_t& at, std::size_t& length);
    // Whether the fixed parts hold a character no folder path may hold.
    static bool Forbidden(const _tagVol0XParts& parts);

    const Vol03Inputs& in_;
    Vol03Numbers numbers_;
    int digits_;
    CreationProfile profile_;
    _tagVol0XParts parts_;
    FolderCreator creator_;
    bool forbidden_ = false;  // the fixed parts hold a character no folder path may hold
    std::string destination_;
};

// What the run needs of the page besides the frame's hooks (the run and
// the simulation tidy the destination history at their end).
struct Vol03PageHooks : RunHooks {
    std::function<void()> FocusEndNumber;
    // A number text that is no number was replaced by the page's rule: the
    // edits show the numbers the run uses.
    std::function<void(const Vol03Numbers& numbers)> ShowNumbers;
};

// CREATE on the run frame.
void Vol03RunCreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks);
// Simulation: the same frame on the dry disk, so the same outcomes as the
// run, nothing on disk or in the undo data changed. The texts are the main window's confirmation and
// end texts of the creation simulations.
void Vol03SimulateCreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log,
                                const Vol03PageHooks& hooks, const std::string& startText,
                                const std::string& endText);
// Undo of the last run.
void Vol03UndoLastRun(Vol03State& state, RunLog& log);

// Message captions of the page: the topic, a gap, the kind and the number.
inline constexpr const char* kVol03Topic = "Creating Folder(s).-Increased Numbers.";
inline constexpr const char* kVol03SimulateTopic = "Simulate Creating Folder(s).-Increased Numbers.";
inline constexpr const char* kVol03Tabs = "\t\t\t";
