// A create run or simulation that cannot fit in what the machine can give
// is refused before it changes anything: the disk, the Visual Log and the
// last run's undo records stay as they were. One that fits runs as before.
// The machine answers just under what the run weighs (AtWeight).
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include <unistd.h>

#include "tests/support/CreationEngineFixture.h"
#include "tests/support/MountNamespace.h"
#include "tests/ui/AtWeight.h"

namespace fs = std::filesystem;
using creationtest::Tree;
using testsupport::MachineMemory;

namespace {

template <class Page>
class CreateMemory : public creationtest::EngineFixture<Page> {
protected:
    // Runs (or simulates) under `memory` after a real run that fits; true
    // when it was refused with the memory box alone and left everything as
    // that run did, its undo exact.
    void ExpectRefusedThenUndoExact(const std::function<void()>& go, const char* entries, const char* action) {
        const auto before = Tree(this->drive);
        const auto lines = this->log.lines;
        const int clears = this->log.clears, zoomClears = this->log.zoomClears, starts = this->log.runStarts;
        this->boxes.Clear();
        {
            const testsupport::AtWeight under(-1);
            go();
        }
        ASSERT_EQ(this->boxes.shown().size(), 1u);
        const auto& box = this->boxes.shown()[0];
        EXPECT_NE(box.caption.find("Warning no: 0458."), std::string::npos) << box.caption;
        EXPECT_NE(box.text.find(std::string("list ") + entries + " entries"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(std::string("Action : ") + action), std::string::npos) << box.text;
        EXPECT_EQ(Tree(this->drive), before);
        EXPECT_EQ(this->log.lines, lines);
        EXPECT_EQ(this->log.clears, clears);
        EXPECT_EQ(this->log.zoomClears, zoomClears);
        EXPECT_EQ(this->log.runStarts, starts);
        this->Undo();
    }
};

using Vol03Memory = CreateMemory<creationtest::Page03>;
constexpr const char* kRangeAction = "Narrow the range or the structure.";
using Vol04Memory = CreateMemory<creationtest::Page04>;

// Ends the process when it has grown by `limit` bytes past what it holds
// now, or after `time`: a run that was to be refused and started instead
// fails within seconds, having taken little.
class GrowthGuard {
public:
    GrowthGuard(long limit, std::chrono::seconds time)
        : start_(ResidentBytes()), watch_([this, limit, time] {
              const auto end = std::chrono::steady_clock::now() + time;
              while (!done_) {
                  if (ResidentBytes() - start_ > limit) _exit(4);
                  if (std::chrono::steady_clock::now() > end) _exit(5);
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              }
          }) {}
    ~GrowthGuard() {
        done_ = true;
        watch_.join();
    }
    GrowthGuard(const GrowthGuard&) = delete;
    GrowthGuard& operator=(const GrowthGuard&) = delete;

    static long ResidentBytes() {
        long pages = 0, resident = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
            std::fclose(f);
        }
        return resident * sysconf(_SC_PAGESIZE);
    }

private:
    const long start_;
    std::atomic<bool> done_{false};
    std::thread watch_;
};

}  // namespace

TEST_F(Vol03Memory, ARangeThatDoesNotFitIsRefusedInRunAndSimulationAndTheLastUndoStays) {
    in.StartText = "1";
    in.EndText = "3";
    {
        const MachineMemory ample(testsupport::kAmpleMemory);
        Run();
    }
    ASSERT_EQ(state.Counters.FoldersCreated, 3);
    in.EndText = "5000";
    ExpectRefusedThenUndoExact([this] { Simulate(); }, "5000", kRangeAction);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));

    in.EndText = "3";
    Run();  // the three again, then a refused CREATE
    ExpectRefusedThenUndoExact(
        [this] {
            in.EndText = "5000";
            Run();
        },
        "5000", kRangeAction);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));

    // Where the machine does not say, nothing is held against the run.
    const MachineMemory unknown(std::nullopt);
    Run();
    EXPECT_EQ(state.Counters.FoldersCreated, 5000);
}

TEST_F(Vol04Memory, AListTimesAStructureIsWeighedWholeBeforeItsQuestion) {
    drive.MakeFolder("S\\Docs\\Old");
    for (int i = 0; i < 20; ++i) drive.MakeFolder("L\\Item" + std::to_string(i));
    in.Prefix = "P";
    in.IncludeFolders = {drive.path("L\\Item0"), drive.path("L\\Item1")};
    UseStructures({drive.path("S")}, true, false);  // S, Docs and Old in each
    {
        const MachineMemory ample(testsupport::kAmpleMemory);
        Run();
    }
    ASSERT_EQ(state.Counters.FoldersCreated, 2);
    for (int i = 2; i < 20; ++i) in.IncludeFolders.push_back(drive.path("L\\Item" + std::to_string(i)));
    ExpectRefusedThenUndoExact([this] { Run(); }, "80", "Narrow the lists or the structure.");
    EXPECT_FALSE(fs::exists(drive.nativePath("L\\P-Item0")));

    const MachineMemory ample(testsupport::kAmpleMemory);
    Run();
    EXPECT_EQ(state.Counters.FoldersCreated + state.Counters.SubFoldersCreated, 80);
}

// On the machine as it is: two thousand million numbers are refused at once,
// before anything is held for them. Tried in a child whose destination holds
// a few thousand entries at most, and which ends once it has grown by
// 256 MiB or gone on for 20 s: a weigh that lets the run through fails the
// test within seconds, never filling the memory or the disk.
TEST_F(Vol03Memory, TheLargestRangeIsRefusedOnThisMachineWithoutGrowing) {
    const std::optional<std::uint64_t> free = plat::GetAvailableMemory();
    // The run needs about 190 GB: a machine that could give that would start it.
    if (!free || *free > (std::uint64_t{64} << 30)) GTEST_SKIP() << "the machine gives 64 GiB or more";
    in.StartText = "1";
    in.EndText = "2147483647";
    const testsupport::MountChild child = testsupport::InOwnMountNamespace([&] {
        if (mount("tmpfs", drive.nativePath("Dest").c_str(), "tmpfs", 0, "nr_inodes=2000,size=8m") != 0)
            testsupport::CannotMount("a destination of 2,000 entries");
        const GrowthGuard guard(256L << 20, std::chrono::seconds(20));
        // The first pass starts the child's pool threads: the others are measured.
        bool first = true;
        for (bool simulation : {true, true, false}) {
            boxes.Clear();
            const long before = GrowthGuard::ResidentBytes();
            simulation ? Simulate() : Run();
            const bool refused = boxes.shown().size() == 1 &&
                                 boxes.shown()[0].caption.find("0458.") != std::string::npos &&
                                 boxes.shown()[0].text.find("list 2147483647 entries") != std::string::npos;
            if (!refused) return 1;
            if (!std::exchange(first, false) && GrowthGuard::ResidentBytes() - before > (8L << 20)) return 2;
            if (!fs::is_empty(drive.nativePath("Dest"))) return 3;
        }
        return 0;
    });
    ASSERT_TRUE(child.mounted) << child.why;
    EXPECT_EQ(child.code, 0) << "1: not refused, 2: it grew, 3: it made folders, 4: it grew past the guard, 5: it "
                                "went on past the guard";
}
