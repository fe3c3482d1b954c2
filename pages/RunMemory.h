// Whether a run's lines, lists and records fit in what the machine can
// still give. No run can be stopped once it is confirmed, so one that
// cannot fit is refused before it clears, makes or changes anything.
#pragma once

#include <string>

#include "core/Types.h"

struct RunMemoryNeed {
    double entries = 0;  // lines the run would list
    double bytes = 0;    // what it would hold for them: lines, records, slots
};

// What a run costs whatever its size (the first blocks of the log's
// stores, the pool's slots), and what one entry costs it besides its
// line's characters, as the run-memory benchmark measures them at 100,000
// and 1,000,000 entries: the line in the log's store, its share of the
// run's pipe, and what the kind of run keeps for it.
inline constexpr double kRunBaseBytes = 8 * 1024 * 1024;
inline constexpr double kCreatedEntry = 70;      // a folder made, with its undo record
inline constexpr double kDryCreatedEntry = 200;  // one the dry disk notes as made
inline constexpr double kDryAttachedEntry = 375; // the same, where a structure goes into each main folder
inline constexpr double kCopiedFileEntry = 208;  // a file copied, or one a simulation would copy
// A copy's slots keep each item's lines until it is applied.
inline constexpr double kCopyBaseBytes = 32 * 1024 * 1024;
inline constexpr double kWalkedFileEntry = 177;  // a walked file, also named in a list of the page's

// What a run holds for `entries` outcome lines of about `lineBytes`
// characters each, each entry costing `entryBytes` besides, and the run
// `baseBytes` whatever its size.
RunMemoryNeed MemoryNeedOf(double entries, double lineBytes, double entryBytes, double baseBytes = kRunBaseBytes);

// How much longer than its main folder a walked entry's path is, about.
inline constexpr double kBelowMainFolder = 16;

// The mean length of a list's lines (0 for none): what a line the run
// writes about each of them is about as long as.
double MeanLength(const StringList& lines);

// True when `need` fits; otherwise false, after a warning box with the
// page's topic that says what it needs, what is free and what to do. A
// machine that does not say what it can give is not held against the run.
bool CheckRunFitsMemory(const RunMemoryNeed& need, const std::string& topic);
// What the last check weighed (benchmarks set it beside what a run took).
RunMemoryNeed LastWeighedMemory();
