// Whether a run's lines, lists and records fit in what the machine can
// still give. No run can be stopped once it is confirmed, so one that
// cannot fit is refused before it clears, makes or changes anything.
//
// The weight is what the run will add beyond what the process holds when
// the machine is asked (what its count read is held already, and counted
// there): for each kind of thing the run keeps of an entry, in the mode it
// runs in, what that thing costs as the allocator lays it out, with the
// characters of the path it names. Each kind's cost is written once, here;
// a page's weight lists what its run keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/LineStore.h"
#include "core/RunDisk.h"
#include "core/RunRecord.h"
#include "core/UndoToolkit.h"
#include "core/Types.h"
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

// A block of `bytes` as the allocator lays it out: its header, rounded up
// to 16 bytes.
constexpr double Block(std::size_t bytes) {
    const std::size_t laid = (bytes + 8 + 15) / 16 * 16;
    return static_cast<double>(laid < 32 ? 32 : laid);
}
// An array that doubles as it grows holds up to three times its elements
// while it grows (the old array and the new).
constexpr double Grown(double bytes) { return 3 * bytes; }

// A line of a results list: a Visual Log's (its zoom list shows the same
// lines) or an export list's.
inline constexpr Kept kLine{8, 1};
// Each list a run writes keeps up to this much unused.
inline constexpr double kListUnused = LineStore::kMaxUnused;
// An undo record of a folder or a file whose path is its log line.
inline constexpr Kept kFolderRecord{Grown(4 + sizeof(runrecord::FolderFacts)), 0};
inline constexpr Kept kFileRecord{Grown(4 + sizeof(runrecord::FileFacts)), 0};
// One that keeps its path itself.
inline constexpr Kept kOwnFolderRecord = kFolderRecord + kLine;
inline constexpr Kept kOwnFileRecord = kFileRecord + kLine;
// A folder a run's records name as worked beneath (one per item where each
// works beneath a folder of its own): the base, and its place in the run's
// index of them.
inline constexpr Kept kUndoBase{Grown(sizeof(_tagUndoBase)) + 24 + Block(sizeof(std::string) + 24) + 24 + 16, 2};
// A path in a page's list of strings (a deque, in blocks of 512 bytes):
// the string, its characters on the heap when they are more than it holds
// itself (kInPlaceChars).
inline constexpr std::size_t kInPlaceChars = 15;
inline constexpr Kept kListPath{sizeof(std::string) + 2 + 24, 1};
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

// What every run adds whatever its size: the Visual Log's first showing,
// and each of the most workers a run has (plat::kMostRunWorkers), its
// listing buffer and handles.
inline constexpr double kWorkerBytes = 40.0 * 1024;
inline constexpr double kLogShowing = 3.0 * 1024 * 1024;  // held while the log is on the screen
constexpr double RunBase(unsigned workers) { return kLogShowing + workers * kWorkerBytes; }
inline constexpr double kRunBase = RunBase(plat::kMostRunWorkers);
// What a simulation adds to it: the dry disk's sets of bits, and each
// worker's (and the window thread's) answers of the real disk, each naming
// a path about `meanLine` long, and the block it takes what it pretends from.
constexpr double DryBase(double meanLine, unsigned workers = plat::kMostRunWorkers) {
    return DryDisk::kBitSets * Block(DryDisk::kBitWords * sizeof(std::uint64_t)) +
           (workers + 1) *
               (DryDisk::kRealAnswers * (Block(DryDisk::kRealAnswerBytes) + 24 + meanLine) + DryDisk::kArenaBlock);
}

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
// A path copied into a string of its own: the string, and its characters
// in a block (the block's header and rounding, at most 24 bytes).
inline constexpr Kept kOwnPath{sizeof(std::string) + 24, 1};
// A record named by its place in a list, in an array of std::size_t that
// doubles as it grows (the steps of an undo's item, those that failed).
inline constexpr Kept kRecordPlace{Grown(sizeof(std::size_t)), 0};
// An element of a std::deque: its share of the node it lies in (as many as
// fit in 512 bytes, or one alone) and of the node's place in the deque's
// map, which doubles as it grows.
constexpr double DequeShare(std::size_t bytes) {
    const std::size_t perNode = bytes < 512 ? 512 / bytes : 1;
    return (Block(perNode * bytes) + Grown(sizeof(void*))) / static_cast<double>(perNode);
}
// A line of the report of what stays: its path with the longest reason
// ("  (changed since the run)") and its line end, in a text that doubles
// as it grows, and the report made of that text once more.
inline constexpr double kReasonChars = 26;
inline constexpr Kept kReportLine{Grown(kReasonChars) + kReasonChars, Grown(1) + 1};
// A folder in a part's removal: its place in the queue, and, met in a
// climb, where its text lies, in arrays that double as they grow; its mark
// (a hash and a record, and a byte beside) in a table kept at most three
// quarters full that doubles as it grows.
// A base an undo's worker opened: its node in the opener's map (kept once
// closed, as a caller may hold it), and the folder it names, as written
// and as the kernel names it.
inline constexpr Kept kOpenedBase{Block(sizeof(std::pair<const std::uint32_t, plat::Beneath>) + 16) + Grown(8), 2};
inline constexpr Kept kUndoQueued{Grown(4) + Grown(16) + Grown((8 + 1) * 4.0 / 3), 0};
// A line an undo's item notes for its report, in a note of `noteBytes`:
// the note in the undo's list of them (an array that doubles as it grows,
// sorted with half as much beside), its text in a block of its own (the
// path with the longest reason), that text moved into the report's list of
// its kind (a deque of strings), and its line of the report.
constexpr Kept UndoNote(std::size_t noteBytes) {
    return Kept{Grown(static_cast<double>(noteBytes)) + static_cast<double>(noteBytes) / 2 + 24 + kReasonChars +
                    DequeShare(sizeof(std::string)),
                1} +
           kReportLine;
}
// A file an undo's item put back, known by its path with the stamp it
// left: its node in a hash map (the pair, the link and the hash), the
// path's characters in a block of their own, and its share of the
// buckets, which double as they grow.
inline constexpr Kept kPutBackPath{Block(sizeof(std::pair<const std::string, plat::FileStamp>) + 16) + 24 + Grown(8), 1};
// A file an undo's item put back from its copy, the copy's identity under
// the identity it replaced: its node in an ordered map (the tree's links).
inline constexpr Kept kPutBackCopy{
    Block(4 * sizeof(void*) + sizeof(std::pair<const std::pair<std::uint64_t, std::uint64_t>, plat::FileIdentity>)), 0};

}  // namespace kept
