// Whether a run's lines, lists and records fit in what the machine can
// still give. No run can be stopped once it is confirmed, so one that
// cannot fit is refused before it clears, makes or changes anything.
//
// The weight is what the run will add beyond what the process holds when
// the machine is asked (what its count read is held already, and counted
// there): for each kind of thing the run keeps of an entry, in the mode it
// runs in, what that thing costs as the allocator lays it out, with the
// characters of the path it names. Each kind's cost is written once, here
// (or in pages/PageKinds.h, where it costs a page's own type); a page's
// weight lists what its run keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/LineStore.h"
#include "core/RenameUndo.h"
#include "core/RunDisk.h"
#include "core/RunPool.h"
#include "core/RunRecord.h"
#include "core/UndoToolkit.h"
#include "core/Types.h"
#include "platform/FileSystem.h"
#include "platform/RunWorkers.h"

struct RunMemoryNeed {
    double entries = 0;  // lines the run would list
    double bytes = 0;    // what it would add: lines, records, lists, slots
    double lines = 0;    // the characters of those lines
    double kernel = 0;   // of `bytes`, what the kernel keeps for it (InMemoryWeight)
};

// What one thing a run keeps costs: bytes of its own, and how many copies
// of the characters of the path it names.
struct Kept {
    double bytes = 0;
    double copies = 0;
};
constexpr Kept operator+(Kept a, Kept b) { return {a.bytes + b.bytes, a.copies + b.copies}; }
constexpr Kept operator*(double n, Kept k) { return {n * k.bytes, n * k.copies}; }
// The dearer of two things one entry may become (made, or there already).
constexpr Kept Dearer(Kept a, Kept b) {
    return {a.bytes > b.bytes ? a.bytes : b.bytes, a.copies > b.copies ? a.copies : b.copies};
}
// `count` things of cost `each` that name `chars` characters in all.
constexpr double Weigh(double count, double chars, Kept each) { return count * each.bytes + chars * each.copies; }

namespace kept {

// ---- how the allocator and the containers lay things out ----------------------------------

// The header the allocator puts before each block.
inline constexpr std::size_t kBlockHeader = 8;
// A block of `bytes` as the allocator lays it out: its header, rounded up
// to 16 bytes.
constexpr double Block(std::size_t bytes) {
    const std::size_t laid = (bytes + kBlockHeader + 15) / 16 * 16;
    return static_cast<double>(laid < 32 ? 32 : laid);
}
// An array that doubles as it grows holds up to three times its elements
// while it grows (the old array and the new).
constexpr double Grown(double bytes) { return 3 * bytes; }
// What a string's characters on the heap take beside their count, at most:
// the null, the block's header and its rounding.
inline constexpr double kCharsBlock = 1 + kBlockHeader + 15;
// An element of a std::deque: its share of the node it lies in (as many as
// fit in 512 bytes, or one alone) and of the node's place in the deque's
// map, which doubles as it grows.
constexpr double DequeShare(std::size_t bytes) {
    const std::size_t perNode = bytes < 512 ? 512 / bytes : 1;
    return (Block(perNode * bytes) + Grown(sizeof(void*))) / static_cast<double>(perNode);
}
// A whole std::deque filled at its back with `count` elements: its nodes
// (the next one taken as the last fills) and its map (at least eight places).
constexpr double DequeWhole(std::size_t count, std::size_t bytes) {
    const std::size_t perNode = bytes < 512 ? 512 / bytes : 1;
    const std::size_t nodes = count / perNode + 1;
    const std::size_t places = nodes + 2 > 8 ? nodes + 2 : 8;
    return static_cast<double>(nodes) * Block(perNode * bytes) + Block(places * sizeof(void*));
}
// A node of a std::unordered_map or set holding `valueBytes`: its link, the
// value, and the hash where the table keeps it (it does for a string, not
// for a number).
constexpr double HashNode(std::size_t valueBytes, bool keepsHash = true) {
    return Block(sizeof(void*) + valueBytes + (keepsHash ? sizeof(std::size_t) : 0));
}
// An entry's share of its hash table's buckets: a pointer each, which double
// as they grow.
inline constexpr double kBuckets = Grown(sizeof(void*));

// ---- lines and lists -----------------------------------------------------------------------

// A line of a results list: a Visual Log's (its zoom list shows the same
// lines) or an export list's.
inline constexpr Kept kLine{8, 1};
// Each list a run writes keeps up to this much unused.
inline constexpr double kListUnused = LineStore::kMaxUnused;
// A path in a page's list of strings (a deque): the string, its characters
// on the heap when they are more than it holds itself (kInPlaceChars).
inline constexpr std::size_t kInPlaceChars = 15;
inline constexpr Kept kListPath{DequeShare(sizeof(std::string)) + kCharsBlock, 1};
// An entry there already: its line, and the page's list of them.
inline constexpr Kept kListedLine = kLine + kListPath;
// A path named in a Visual Log line and in its export line, with
// `textChars` characters of the lines' own around it.
constexpr Kept LineAndExport(double textChars) { return {2 * kLine.bytes + textChars, 2}; }
// A line naming two paths with `texts` characters around them, and its
// export line, which puts a comma between them.
constexpr Kept PairLines(std::size_t texts) { return LineAndExport(static_cast<double>(texts) + 1); }
// A path copied into a string of its own: the string, and its characters
// in a block.
inline constexpr Kept kOwnPath{sizeof(std::string) + kCharsBlock, 1};

// ---- undo records --------------------------------------------------------------------------

// An undo record of a folder or a file whose path is its log line.
inline constexpr Kept kFolderRecord{Grown(4 + sizeof(runrecord::FolderFacts)), 0};
inline constexpr Kept kFileRecord{Grown(4 + sizeof(runrecord::FileFacts)), 0};
// One that keeps its path itself.
inline constexpr Kept kOwnFolderRecord = kFolderRecord + kLine;
inline constexpr Kept kOwnFileRecord = kFileRecord + kLine;
// A folder a run's records name as worked beneath (one per item where each
// works beneath a folder of its own): the base with its path, and its node
// in the run's index of them by path (the path once more), with up to two
// buckets.
inline constexpr Kept kUndoBase{Grown(sizeof(_tagUndoBase)) + kCharsBlock +
                                    HashNode(sizeof(std::pair<const std::string, std::uint32_t>)) + kCharsBlock +
                                    2 * sizeof(void*),
                                2};
// A rename's record in the run's deque of them: its two paths, the old one
// taken from the run's queue.
inline constexpr Kept kRenameRecord{DequeShare(sizeof(_tagRenameRecord)) + kCharsBlock, 1};
// The same kept for the next Undo, both its paths its own.
inline constexpr Kept kKeptRenameRecord{DequeShare(sizeof(_tagRenameRecord)) + 2 * kCharsBlock, 1};

// ---- the dry disk --------------------------------------------------------------------------

// An entry the dry disk pretends to make, remove or rename: its node in
// its folder's map (its name, the node, its share of the buckets); a
// folder also the map of what it holds, under its whole path, and that
// path in the ordered set of changed folders.
// (Laid out in the dry disk's own blocks, so no type gives their size: a
// test that pretends each alone pins them.)
inline constexpr Kept kDryEntry{156, 1.12};
// A folder's map of what is pretended in it, under its whole path.
inline constexpr Kept kDryFolderMap{340, 2};
inline constexpr Kept kDryFolder = kDryEntry + kDryFolderMap;
inline constexpr Kept kDryFile = kDryEntry;
// A rename the dry disk pretends: the new name there (with the real path
// it stands for), the old one gone.
inline constexpr Kept kDryRename = 2 * kDryEntry + Kept{0, 1};

// ---- what a run holds while it works --------------------------------------------------------

// What every run adds whatever its size: the Visual Log's first showing,
// and each of the workers it has: its listing buffer, and its thread and
// handles (a figure; a test pins the whole worker).
inline constexpr double kWorkerBytes = Block(plat::kListingBuffer) + 8.0 * 1024;
inline constexpr double kLogShowing = 3.0 * 1024 * 1024;  // held while the log is on the screen
constexpr double RunBase(unsigned workers) { return kLogShowing + workers * kWorkerBytes; }
// What a simulation adds to it: the dry disk's sets of bits, and each
// worker's (and the window thread's) answers of the real disk, each naming
// a path about `meanLine` long, and the block it takes what it pretends from.
constexpr double DryBase(double meanLine, unsigned workers = plat::kMostRunWorkers) {
    return DryDisk::kBitSets * Block(DryDisk::kBitWords * sizeof(std::uint64_t)) +
           (workers + 1) * (DryDisk::kRealAnswers * (Block(DryDisk::kRealAnswerBytes) + kCharsBlock + meanLine) +
                            DryDisk::kArenaBlock);
}
// An item's scope, looked up on the pool, in an array made whole at once.
inline constexpr Kept kItemScope{sizeof(RunScope), 0};
// An item's range of the run's queue, in an array that doubles.
inline constexpr Kept kItemRange{Grown(sizeof(std::pair<std::size_t, std::size_t>)), 0};
// A record an item's outcome keeps until it is applied, in an array that
// doubles (up to twice its records), with `paths` paths in blocks of
// their own.
constexpr Kept SlotRecord(std::size_t recordBytes, int paths = 1) {
    return {2.0 * static_cast<double>(recordBytes) + paths * kCharsBlock, static_cast<double>(paths)};
}
// A list an item's outcome has begun: a record list's store's first block
// at most (a list of paths begins smaller).
inline constexpr double kBegunList = Block(LineStore::kFirstBlock);
// A main folder's verdict as page 08's run keeps it (a figure, not a
// type's size: no test pins it alone; page 08's run-weight rows bound the
// weight it is part of).
inline constexpr Kept kMainVerdict{64 + 16, 0};
// A folder the renames queue: its path once more with its level, in an
// array made whole at once beside the one it is sorted from.
inline constexpr Kept kRenameQueued{2 * (sizeof(std::string) + sizeof(unsigned long)) + kCharsBlock, 1};
// A source's entry as a run reads the sources once: in its folder's
// listing the run keeps (an array that doubles: up to twice its entries),
// in the copy of that listing the read takes, and in the array of files
// the read splits that copy into (growing), its name in a block of its own
// in the listing and in the copy.
inline constexpr Kept kSourceEntry{2 * sizeof(plat::DirEntry) + sizeof(plat::DirEntry) + Grown(sizeof(plat::DirEntry)) +
                                       2 * kCharsBlock,
                                   2};

}  // namespace kept

// What a real run's new entries hold of the memory where the file system
// keeps them there (tmpfs), which nothing gives back while they exist:
// each entry's inode and name, and a file's pages, one for each 4 KiB it
// has begun (none for an empty file), with the nodes that index them
// (none for a file of one page). The kernel's figures, pinned by a test.
inline constexpr double kInMemoryEntry = 1024;
inline constexpr double kPageBytes = 4096;
inline constexpr double kPageIndexNode = 640;  // of 64 pages
// What a file of `size` bytes holds beyond its entry.
double InMemoryFileBytes(std::uint64_t size);
// The same for each file of a count's sizes.
double InMemoryFileBytes(const MAP_FILE_NAME_SIZE& sizes);
// Where a memory group limits the program, it is also charged for the
// entries a run makes on a disk until the disk has them (each inode and
// name: a folder's block is a page the kernel writes back and gives back).
// The kernel's figure, pinned by a test.
inline constexpr double kOnDiskEntry = 1472;
// The kernel's share of a run that makes `entries` entries, whose files
// hold `fileBytes` (InMemoryFileBytes), in equal shares below each of
// `folders`: the share of those on a file system that keeps them in
// memory, and of those on a disk where a memory group limits the program.
// Each folder's file system is read beside the window.
double InMemoryWeight(const StringList& folders, double entries, double fileBytes);

// The threads a pooled run of `items` items on `workers` workers has: no
// more than its items.
constexpr unsigned PoolThreads(unsigned workers, double items) {
    return items < 1 ? 1 : items < workers ? static_cast<unsigned>(items) : workers;
}

// What a pooled run's outcome slots may hold at once: its window
// (SlotWindow) keeps no more items in flight than fit in this, and at least
// one for each worker (and two: one works while the one before is
// applied), so that main folders with large structures attached keep a
// bounded part of their lines in flight.
inline constexpr double kSlotsBytes = 16.0 * 1024 * 1024;
// What a pooled run's outcome slots hold at most: each slot keeps what the
// largest item it held kept (`itemBytes`), as many slots as the run can
// have at once on `workers` (SlotWindow; the most any run has, when the
// weight does not know).
double SlotsWeight(double items, double itemBytes, unsigned workers = plat::kMostRunWorkers);
// The same for items that keep different amounts: the slots hold the
// largest of them.
double SlotsWeight(std::vector<double> itemBytes, unsigned workers = plat::kMostRunWorkers);

// The characters of a list's lines, and their mean length (0 for none).
double TotalLength(const StringList& lines);
double MeanLength(const StringList& lines);
// What a list of the page's holds: its strings and their characters.
double ListBytes(const StringList& lines);
// What a run's undo bases hold: their array and their folders' characters.
double BasesBytes(const VEC_UNDO_BASES& bases);

// True when `need` fits in what the machine can give and `room`, what the
// run's own start frees (the page's last lines, lists and records);
// otherwise false, after a warning box with the page's topic that says
// what it needs, what is free and what to do about it (`action`). A
// machine that does not say what it can give is not held against the run.
bool CheckRunFitsMemory(const RunMemoryNeed& need, double room, const std::string& topic, const std::string& action);

// What the last check weighed (benchmarks set it beside what a run took),
// and the room it counted; both are set before the machine is asked.
// Reset sets both to nothing, so a test knows whether a run weighed.
RunMemoryNeed LastWeighedMemory();
double LastWeighedRoom();
void ResetLastWeighed();

// ---- an Undo's weight ---------------------------------------------------------------------
// What an Undo adds beyond the records it reads, from those records: the
// lists it builds of them, its slots and workers, and what stays when
// every record stays (kept for the next Undo, listed in the Visual Log and
// the report): it cannot know before which will stay.
namespace kept {

// An index of a record, in an array that doubles as it grows.
inline constexpr Kept kUndoIndex{Grown(sizeof(std::uint32_t)), 0};
// A record named by its place in a list, in an array of std::size_t that
// doubles as it grows (the steps of an undo's item, those that failed).
inline constexpr Kept kRecordPlace{Grown(sizeof(std::size_t)), 0};
// A line of the report of what stays: its path with the longest reason
// and its line end, in a text that doubles as it grows, and the report
// made of that text once more.
inline constexpr double kReasonChars = std::char_traits<char>::length(kChangedSinceRun) + 1;
inline constexpr Kept kReportLine{Grown(kReasonChars) + kReasonChars, Grown(1) + 1};
// A record's place in an array that doubles as it grows, sorted with half
// as much beside, with its path copied into a block of its own.
constexpr Kept SortedPlace(std::size_t placeBytes) {
    return {Grown(static_cast<double>(placeBytes)) + static_cast<double>(placeBytes) / 2 + kCharsBlock, 1};
}
// A folder in a part's removal: its place in the queue, and, met in a
// climb, where its text lies, in arrays that double as they grow; its mark
// (a hash and a record, and a byte beside) in a table kept at most three
// quarters full that doubles as it grows.
inline constexpr Kept kUndoQueued{Grown(4) + Grown(16) + Grown((8 + 1) * 4.0 / 3), 0};
// A folder a removal left, its place among those it failed, in an array
// that doubles as it grows.
inline constexpr Kept kFailedPlace{Grown(sizeof(FolderFileUndo::FailedPlace)), 0};
// A base an undo's worker opened: its node in the opener's map (kept once
// closed, as a caller may hold it), and the folder it names, as written
// and as the kernel names it.
inline constexpr Kept kOpenedBase{HashNode(sizeof(std::pair<const std::uint32_t, plat::Beneath>), false) + kBuckets, 2};
// A line an undo's item notes for its report, in a note of `noteBytes`:
// the note in the undo's list of them with its text in a block of its own
// (the path with the longest reason), that text moved into the report's
// list of its kind (a deque of strings), and its line of the report.
constexpr Kept UndoNote(std::size_t noteBytes) {
    return SortedPlace(noteBytes) + Kept{kReasonChars + DequeShare(sizeof(std::string)), 0} + kReportLine;
}
// A file an undo's item put back, known by its path with the stamp it
// left: its node in a hash map, the path's characters in a block of their
// own, and its share of the buckets.
inline constexpr Kept kPutBackPath{
    HashNode(sizeof(std::pair<const std::string, plat::FileStamp>)) + kCharsBlock + kBuckets, 1};
// A file an undo's item put back from its copy, the copy's identity under
// the identity it replaced: its node in an ordered map (the tree's links).
inline constexpr Kept kPutBackCopy{
    Block(4 * sizeof(void*) + sizeof(std::pair<const std::pair<std::uint64_t, std::uint64_t>, plat::FileIdentity>)), 0};
// A folder or a file an undo's part takes back, staying: its record with
// its path, and its line in the report.
inline constexpr Kept kUndoneFolder = kOwnFolderRecord + kReportLine;
inline constexpr Kept kUndoneFile = kOwnFileRecord + kReportLine;

}  // namespace kept
