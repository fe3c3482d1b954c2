// What a run keeps of each kind of thing whose type is the pages' own: a
// pooled run's item log and outcome slots, and the pages' records. The
// headers of those types include pages/RunMemory.h for its weights, so
// that header cannot include them back: their kinds are written here, each
// built from the generic kinds there (lines, lists, records, the dry disk,
// an undo's parts) and from the type it costs. A page's weight lists them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/StripedSet.h"
#include "pages/RunItems.h"
#include "pages/RunMemory.h"
#include "pages/creation/FolderCreator.h"
#include "pages/files/FileRuns.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol12Engine.h"
#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol08Engine.h"

namespace kept {

// ---- a pooled run's outcome slots ---------------------------------------------------------

// A line a worker keeps of its item until the item is applied: its entry,
// in chunks that double, and its characters, in blocks that never move.
// (A block ends with less than a line unused: 8 bytes a line pay for it.)
inline constexpr Kept kSlotLine{2 * ItemLog::kLineBytes + 8, 1};
// What a slot keeps beside its lines: the outcome of `outcomeBytes`, the
// first chunk of its entries of `entryBytes`, and what the blocks of its
// lines' `chars` characters leave unused: they double from the first up
// to the largest, so their last is never more than all before it and the
// first, nor more than the largest.
constexpr double SlotFixed(std::size_t outcomeBytes, double chars, std::size_t entryBytes = ItemLog::kLineBytes) {
    const double first = static_cast<double>(ItemLog::kFirstTextBlock), most = static_cast<double>(ItemLog::kTextBlock);
    const double last = chars + first;  // the last block: at most as large as all before it, and the first
    return Block(outcomeBytes) + Block(kFirstItemEntries * entryBytes) + (last > most ? most : last);
}

// ---- pages 02 to 04: creation -------------------------------------------------------------

// An entry of a main folder's outcome until it is applied: in chunks that
// double, its text in a string the slot reuses from item to item (a longer
// text grows it to twice what it held).
inline constexpr Kept kCreationSlotEntry{2 * sizeof(CreationOutcome::Entry) + kCharsBlock, 2};
// A creation slot beside its entries: the outcome, and its entries' first
// chunk (an array that keeps its count).
inline constexpr double kCreationSlotFixed =
    Block(sizeof(CreationOutcome)) + Block(kFirstItemEntries * sizeof(CreationOutcome::Entry) + sizeof(std::size_t));

// ---- page 06: renames ---------------------------------------------------------------------

// A rename a worker keeps until its item is applied: its line, and its
// record in the outcome with the new path.
inline constexpr Kept kSlotRename = kSlotLine + SlotRecord(sizeof(Vol06Renamed));
// The base an item's renames work beneath, in its outcome, with its folder.
inline constexpr Kept kSlotBase = Kept{Block(sizeof(Vol06Base)), 0} + kLine;

// ---- page 08: copied structures -----------------------------------------------------------

// A main folder as the first look on the pool found it, in an array made
// whole at once, with the path the kernel names it by.
inline constexpr Kept kLookedMain{sizeof(Vol08Copier::Look) + kCharsBlock, 1};
// An entry copied below a main folder, in its slot until it is applied:
// its line, and its record with the path its own.
inline constexpr Kept kSlotCopiedEntry = kSlotLine + kOwnFolderRecord;

// ---- page 10: copied files ----------------------------------------------------------------

// A file's lines, each naming its source and its target: copied, skipped,
// written over, copied onto an increased name.
inline constexpr Kept kCopiedLines = PairLines(vol10line::kCopyHead.size() + vol10line::kCopyMid.size());
inline constexpr Kept kSkippedLines =
    PairLines(vol10line::kSkipHead.size() + vol10line::kSkipMid.size() + vol10line::kSkipTail.size());
inline constexpr Kept kOverwrittenLines = PairLines(vol10line::kOverHead.size() + vol10line::kOverMid.size());
inline constexpr Kept kIncreasedLines =
    PairLines(vol10line::kIncreaseHead.size() + vol10line::kIncreaseMid.size());
// A working copy's record in a deque, with its two paths (the target's and
// the copy's) in blocks of their own; `chars` are both paths'.
inline constexpr Kept kKeptWorkingCopy{DequeShare(sizeof(_tagWorkingCopy)) + 2 * kCharsBlock, 1};
// A text in a StripedSet: its slot (its hash and where its characters lie)
// in a table at most half full that doubles, up to four slots a text, and
// its characters in the set's blocks.
inline constexpr Kept kSetText{4 * (sizeof(std::size_t) + sizeof(std::string_view)), 1};
// A target a run saves before it writes over it (`chars`: one path's): its
// record with both paths, the run's index of it by its target (a hash
// map's node, the key's characters, the buckets), and its target among
// the run's saved targets.
inline constexpr Kept kWorkingCopy =
    Kept{kKeptWorkingCopy.bytes, 2} +
    Kept{HashNode(sizeof(std::pair<const std::string, std::size_t>)) + kCharsBlock + kBuckets, 1} + kSetText;
// A file copied onto a free name, in its destination's slot: its record
// with the target's path.
inline constexpr Kept kSlotCopiedFile = SlotRecord(sizeof(_tagCreatedFile));
// A target saved before it is written over, in its destination's slot: its
// record with both paths.
inline constexpr Kept kSlotSavedTarget = SlotRecord(sizeof(_tagWorkingCopy), 2);

// ---- page 12: renamed files ---------------------------------------------------------------

// A step kept for the next Undo, in a deque, with both its paths (`chars`:
// both paths').
inline constexpr Kept kKeptRenameStep{DequeShare(sizeof(_tagRenameStep)) + 2 * kCharsBlock, 1};

}  // namespace kept
