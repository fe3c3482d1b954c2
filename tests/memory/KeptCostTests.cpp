// Each kind of thing a run keeps, made alone N times and counted at the
// allocator, against what the weight says it costs: never under what it
// takes, and not far over (what it takes is 0.85 to 1.0 of its cost), at
// N just past a power of two, where arrays that double have just doubled.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "core/RunDisk.h"
#include "core/RunRecord.h"
#include "core/StripedSet.h"
#include "core/UndoToolkit.h"
#include "pages/PageKinds.h"
#include "pages/RunItems.h"
#include "pages/RunMemory.h"
#include "pages/WalkFence.h"
#include "platform/Beneath.h"
#include "tests/support/HeldMemory.h"
#include "tests/support/TempDrive.h"

namespace {

constexpr std::size_t kN = (std::size_t{1} << 14) + 1;
constexpr std::size_t kChars = 100;

// The i-th of N distinct paths, kChars long.
std::string PathNo(std::size_t i, const std::string& head = "C:\\Jobs\\") {
    std::string p = head + "Folder no " + std::to_string(i) + " ";
    p.resize(kChars, 'x');
    return p;
}

// What `make` leaves held, at its peak while it made it.
template <class Make>
double Taken(Make&& make) {
    const std::int64_t before = testsupport::HeldNow();
    testsupport::ResetHeldPeak();
    make();
    return static_cast<double>(testsupport::HeldPeak() - before);
}

void ExpectPinned(const char* kind, double taken, double cost) {
    const double ratio = taken / cost;
    std::printf("%-22s taken %10.0f cost %10.0f ratio %.3f\n", kind, taken, cost, ratio);
    EXPECT_LE(ratio, 1.0) << kind << " costs less than it takes";
    EXPECT_GE(ratio, 0.85) << kind << " costs far more than it takes";
}

const double kAll = static_cast<double>(kN), kAllChars = kAll * kChars;

}  // namespace

TEST(KeptCost, LinesListPathsAndSlotLines) {
    LineStore lines;
    ExpectPinned("lines of a list", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) lines.Append(PathNo(i));
                 }),
                 Weigh(kAll, kAllChars, kept::kLine) + kept::kListUnused);
    StringList list;
    ExpectPinned("list path", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) list.push_back(PathNo(i));
                 }),
                 Weigh(kAll, kAllChars, kept::kListPath));
    // A slot's lines, few (just past 7 KiB of blocks: the first four) and
    // many: what their blocks leave unused is the slot's own, beside its outcome.
    for (const std::size_t n : {std::size_t{71}, kN}) {
        ItemLog slot;
        const double all = static_cast<double>(n), chars = all * kChars;
        ExpectPinned(n == kN ? "slot lines, many" : "slot lines, few", Taken([&] {
                         for (std::size_t i = 0; i < n; ++i) slot.AddLine(0, PathNo(i));
                     }),
                     Weigh(all, chars, kept::kSlotLine) + kept::SlotFixed(0, chars) - kept::Block(0));
    }
}

TEST(KeptCost, UndoRecordsSharingTheirLineOrKeepingTheirPath) {
    auto store = std::make_shared<LineStore>();
    for (std::size_t i = 0; i < kN; ++i) store->Append(PathNo(i));
    DEQ_CREATED_FOLDERS shared, own;
    DEQ_CREATED_FILES sharedFiles, ownFiles;
    ExpectPinned("folder record", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) shared.Append(SharedLine{&store, i}, PathNo(i), {});
                 }),
                 Weigh(kAll, 0, kept::kFolderRecord));
    ExpectPinned("file record", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) sharedFiles.Append(SharedLine{&store, i}, PathNo(i), {});
                 }),
                 Weigh(kAll, 0, kept::kFileRecord));
    ExpectPinned("own folder record", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) own.Append(PathNo(i), {});
                 }),
                 Weigh(kAll, kAllChars, kept::kOwnFolderRecord));
    ExpectPinned("own file record", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) ownFiles.Append(PathNo(i), {});
                 }),
                 Weigh(kAll, kAllChars, kept::kOwnFileRecord));
    VEC_UNDO_BASES bases;
    UndoBaseIndex index(bases);
    ExpectPinned("undo base", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) index.IndexOf(PathNo(i), plat::FileIdentity{1, i + 1});
                 }),
                 Weigh(kAll, kAllChars, kept::kUndoBase));
}

// What a list of lines or of records says it holds, the room a run counts,
// against what clearing it gives back: never more, and short by no more
// than the blocks' headers, for a few lines and for many.
TEST(KeptCost, WhatAListSaysItHoldsIsWhatClearingGivesBack) {
    const auto expectCounted = [](const char* kind, double counted, auto clear) {
        const std::int64_t before = testsupport::HeldNow();
        clear();
        const double given = static_cast<double>(before - testsupport::HeldNow());
        std::printf("%-26s counted %10.0f given back %10.0f ratio %.3f\n", kind, counted, given, counted / given);
        EXPECT_LE(counted, given) << kind;
        EXPECT_GE(counted, 0.97 * given) << kind;
    };
    for (const std::size_t n : {std::size_t{71}, kN}) {
        LineStore lines;
        for (std::size_t i = 0; i < n; ++i) lines.Append(PathNo(i));
        expectCounted(n == kN ? "lines, many" : "lines, few", static_cast<double>(lines.HeldBytes()),
                      [&] { lines.Clear(); });
    }
    auto store = std::make_shared<LineStore>();
    DEQ_CREATED_FOLDERS own, shared;
    for (std::size_t i = 0; i < kN; ++i) {
        store->Append(PathNo(i));
        own.Append(PathNo(i), {});
        shared.Append(SharedLine{&store, i}, PathNo(i), {});
    }
    expectCounted("records with own paths", own.HeldBytes(), [&] { own.clear(); });
    // The store stays with its other holder.
    expectCounted("records sharing a store", shared.HeldBytes(), [&] { shared.clear(); });
}

// What the dry disk notes of what it pretends: an entry in its folder's
// map, and a folder's own map once something is pretended in it; and what
// each thread keeps of the real disk's answers and its block to pretend from.
TEST(KeptCost, TheDryDisksNotes) {
    const testsupport::TempDrive drive('K');
    drive.MakeFolder("D");
    plat::Beneath base;
    ASSERT_EQ(base.Open(drive.path("D")), plat::FsResult::Ok);
    const auto made = [&](const std::string& rel) { return drive.path("D\\" + rel); };
    {
        DryDisk dry;
        dry.MakeFolder(base, made("first"), nullptr);  // its block and the folder's map
        ExpectPinned("dry entry", Taken([&] {
                         for (std::size_t i = 0; i < kN; ++i) dry.MakeFolder(base, made(PathNo(i, "")), nullptr);
                     }),
                     Weigh(kAll, kAllChars, kept::kDryEntry));
    }
    {
        DryDisk dry;
        dry.MakeFolder(base, made("first"), nullptr);
        // Each folder with one entry pretended in it.
        ExpectPinned("dry folder", Taken([&] {
                         for (std::size_t i = 0; i < kN; ++i) {
                             const std::string folder = made(PathNo(i, ""));
                             dry.MakeFolder(base, folder, nullptr);
                             dry.MakeFolder(base, folder + "\\c", nullptr);
                         }
                     }),
                     Weigh(kAll, kAllChars, kept::kDryFolder) + Weigh(kAll, kAllChars + 2 * kAll, kept::kDryEntry));
    }
    {
        // Real folders the dry disk is asked of, more than it keeps
        // answers for, and one entry pretended (its block).
        const std::size_t asked = 2 * DryDisk::kRealAnswers;
        for (std::size_t i = 0; i < asked; ++i) drive.MakeFolder("D\\" + PathNo(i, ""));
        // On a thread of its own, as each worker keeps them.
        const double meanLine = static_cast<double>(made(PathNo(0, "")).size());
        double taken = 0;
        std::thread([&] {
            taken = Taken([&] {
                DryDisk dry;
                plat::EntryInfo info;
                for (std::size_t i = 0; i < asked; ++i) dry.Look(base, made(PathNo(i, "")), info);
                dry.MakeFolder(base, made("pretended"), nullptr);
            });
        }).join();
        ExpectPinned("dry base, one thread", taken, kept::DryBase(meanLine, 0));
    }
}

// A target saved before an overwrite, as the copy page keeps it: its
// record, its index by target, its place among the saved targets.
TEST(KeptCost, AWorkingCopy) {
    DEQ_WORKING_COPIES records;
    std::unordered_map<std::string, std::size_t> index;
    StripedSet saved;
    ExpectPinned("working copy", Taken([&] {
                     for (std::size_t i = 0; i < kN; ++i) {
                         _tagWorkingCopy& w = records.emplace_back();
                         w.Target = PathNo(i);
                         w.WorkingCopy = PathNo(i, "C:\\Work\\");
                         index[w.Target] = i;
                         saved.Add(w.Target);
                     }
                 }),
                 Weigh(kAll, kAllChars, kept::kWorkingCopy));
}

// A source's entries as a run reads them once, a folder of them at N just
// past a power of two; and what a pooled run's workers take beside their
// items, each of them listing a folder.
TEST(KeptCost, SourceEntriesAndWorkers) {
    const testsupport::TempDrive drive('K');
    constexpr std::size_t kFiles = (std::size_t{1} << 12) + 1, kName = 40;
    drive.MakeFolder("S");
    drive.MakeFolder("E");
    for (std::size_t i = 0; i < kFiles; ++i) drive.WriteFile("S\\" + PathNo(i, "").substr(0, kName), "");
    plat::Beneath base, empty;
    ASSERT_EQ(base.Open(drive.path("S")), plat::FsResult::Ok);
    ASSERT_EQ(empty.Open(drive.path("E")), plat::FsResult::Ok);
    {
        std::vector<plat::DirEntry> none;
        RealDisk().ListKinds(empty, drive.path("E"), none);  // this thread's listing buffer, a worker's
        ListingRecord record;
        const WalkFence fence;
        std::vector<std::string> subfolders;
        std::vector<plat::DirEntry> files, passed;
        const double all = static_cast<double>(kFiles);
        ExpectPinned("source entry", Taken([&] {
                         SplitListing(record, base, drive.path("S"), fence, WalkTakes::Opened, subfolders, files,
                                      nullptr, &passed);
                     }),
                     Weigh(all, all * kName, kept::kSourceEntry));
    }
    // Each worker lists a folder and waits for the others: no worker takes
    // a second item.
    double taken[2] = {};
    for (const unsigned workers : {2u, 8u}) {
        const ForceRunWorkers forced(workers);
        std::atomic<unsigned> started{0};
        PooledRun<char> run;
        run.Items = workers;
        run.Workers = workers;
        run.Work = [&](std::size_t, char&, RunItemContext&) {
            plat::Beneath folder;
            std::vector<plat::DirEntry> entries;
            if (folder.Open(drive.path("E")) == plat::FsResult::Ok)
                RealDisk().ListKinds(folder, drive.path("E"), entries);
            ++started;
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (started < workers && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        };
        run.Apply = [](std::size_t, char&, RunApplyContext&) {};
        taken[workers == 8] = Taken([&] { RunPageItems(run); });
        EXPECT_EQ(started, workers);
    }
    // What one more worker takes, beside what the pool takes whatever its size.
    ExpectPinned("a worker", (taken[1] - taken[0]) / 6, kept::kWorkerBytes);
}
