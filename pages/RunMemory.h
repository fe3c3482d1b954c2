// Whether a run's lines, lists and records fit in what the machine can
// still give. No run can be stopped once it is confirmed, so one that
// cannot fit is refused before it clears, makes or changes anything.
#pragma once

#include <string>

#include "core/Types.h"

struct RunMemoryNeed {
    double entries = 0;  // lines the run would list
    double bytes = 0;    // what it would hold for them: lines, records, slots
    double lines = 0;    // the characters of those lines
    // The part of `bytes` its count holds already (the listings a walking
    // count read for the run): taken from what the machine can give.
    double held = 0;
};

// What one entry costs a run beside its line's characters (the line's
// reference in the log's store, its record or list entry, its share of the
// run's pipe, the listings a walking count read), and how many copies of
// the line's characters it keeps (the log's store, the page's own lists,
// export lines, the dry disk's notes): fitted to what the run-memory
// benchmark measures at 100,000 entries with short and with long paths,
// on tmpfs and on the disk, and a tenth more. Records grow by doubling, so
// what a run holds per entry varies by a third with its size: a weight
// that is never under it is up to that much over.
struct EntryCost {
    double bytes;
    double lineCopies;
};
// What a run costs whatever its size: the first blocks of the log's stores,
// the pool's slots.
inline constexpr double kRunBaseBytes = 8 * 1024 * 1024;
// Folders made: a main folder, and a folder or file of what is attached to
// it; the dry disk notes each as made.
inline constexpr EntryCost kMadeMainFolder{62, 2.2};
inline constexpr EntryCost kMadeBelow{89, 1.11};
inline constexpr EntryCost kDryMainFolder{172, 3.5};
inline constexpr EntryCost kDryBelow{586, 3.3};
// A file copied, or one a simulation would copy. A copy's slots keep each
// item's lines until it is applied.
inline constexpr EntryCost kCopiedFile{209, 3.1};
inline constexpr EntryCost kDryCopiedFile{239, 3.1};
inline constexpr double kCopyBaseBytes = 32 * 1024 * 1024;
// Walked and deleted: a file of page 11, an entry of page 07.
inline constexpr EntryCost kDeletedFile{145, 3.4};
inline constexpr EntryCost kDryDeletedFile{332, 3.4};
inline constexpr EntryCost kDeletedEntry{70, 3.3};
inline constexpr EntryCost kDryDeletedEntry{266, 3.3};

// What a run holds for `entries` outcome lines of `lineBytes` characters
// in all, each entry costing `cost`, and the run `baseBytes` whatever its size.
RunMemoryNeed MemoryNeedOf(double entries, double lineBytes, EntryCost cost, double baseBytes = kRunBaseBytes);
// Two kinds of entries in one run.
RunMemoryNeed operator+(const RunMemoryNeed& a, const RunMemoryNeed& b);

// What a run holds that makes `mains` main folders and `below` folders and
// files attached to them: each line names its main folder (about
// `mainBytes` long), and a line below one goes on by `belowBytes`.
RunMemoryNeed MadeMemoryNeed(double mains, double below, double mainBytes, double belowBytes, bool simulation);

// The characters of a list's lines, and their mean length (0 for none).
double TotalLength(const StringList& lines);
double MeanLength(const StringList& lines);
// What a list of the page's holds: its strings and their characters.
double ListBytes(const StringList& lines);

// True when `need` fits in what the machine can give and `room`, what the
// run's own start frees (the page's last lines and lists); otherwise
// false, after a warning box with the page's topic that says what it needs,
// what is free and what to do. A machine that does not say what it can
// give is not held against the run.
bool CheckRunFitsMemory(const RunMemoryNeed& need, double room, const std::string& topic);
// What the last check weighed (benchmarks set it beside what a run took),
// and the room it counted; both are set before the machine is asked.
RunMemoryNeed LastWeighedMemory();
double LastWeighedRoom();
