// A create run or simulation that cannot fit in what the machine can give
// is refused before it changes anything: the disk, the Visual Log and the
// last run's undo records stay as they were. One that fits runs as before.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/CreationEngineFixture.h"
#include "tests/support/MachineMemory.h"

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
    void ExpectRefusedThenUndoExact(const std::function<void()>& go, const char* entries) {
        const auto before = Tree(this->drive);
        const auto lines = this->log.lines;
        const int clears = this->log.clears, zoomClears = this->log.zoomClears, starts = this->log.runStarts;
        this->boxes.Clear();
        {
            const MachineMemory little(testsupport::kLittleMemory);
            go();
        }
        ASSERT_EQ(this->boxes.shown().size(), 1u);
        const auto& box = this->boxes.shown()[0];
        EXPECT_NE(box.caption.find("Warning no: 0458."), std::string::npos) << box.caption;
        EXPECT_NE(box.text.find(std::string("list ") + entries + " entries"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("Action : Narrow the range, the lists or the structure."), std::string::npos);
        EXPECT_EQ(Tree(this->drive), before);
        EXPECT_EQ(this->log.lines, lines);
        EXPECT_EQ(this->log.clears, clears);
        EXPECT_EQ(this->log.zoomClears, zoomClears);
        EXPECT_EQ(this->log.runStarts, starts);
        this->Undo();
    }
};

using Vol03Memory = CreateMemory<creationtest::Page03>;
using Vol04Memory = CreateMemory<creationtest::Page04>;

// The process's peak resident size from now on, in KiB, and what it is now.
void ResetPeak() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}
long PeakKb() {
    long kb = -1;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
        std::fclose(f);
    }
    return kb;
}

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
    ExpectRefusedThenUndoExact([this] { Simulate(); }, "5000");
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));

    in.EndText = "3";
    Run();  // the three again, then a refused CREATE
    ExpectRefusedThenUndoExact(
        [this] {
            in.EndText = "5000";
            Run();
        },
        "5000");
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
    ExpectRefusedThenUndoExact([this] { Run(); }, "80");
    EXPECT_FALSE(fs::exists(drive.nativePath("L\\P-Item0")));

    const MachineMemory ample(testsupport::kAmpleMemory);
    Run();
    EXPECT_EQ(state.Counters.FoldersCreated + state.Counters.SubFoldersCreated, 80);
}

// On the machine as it is: two thousand million numbers are refused at once,
// before anything is held for them.
TEST_F(Vol03Memory, TheLargestRangeIsRefusedOnThisMachineWithoutGrowing) {
    const std::optional<std::uint64_t> free = plat::GetAvailableMemory();
    // The run needs about 190 GB: a machine that could give that would start it.
    if (!free || *free > (std::uint64_t{64} << 30)) GTEST_SKIP() << "the machine gives 64 GiB or more";
    in.StartText = "1";
    in.EndText = "2147483647";
    for (bool simulation : {true, false}) {
        boxes.Clear();
        ResetPeak();
        const long before = PeakKb();
        simulation ? Simulate() : Run();
        const long grown = PeakKb() - before;
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_NE(boxes.shown()[0].caption.find("0458."), std::string::npos);
        EXPECT_NE(boxes.shown()[0].text.find("list 2147483647 entries"), std::string::npos);
        if (before > 0) {
            EXPECT_LT(grown, 8 * 1024) << "KiB";
        }
        EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));
    }
}
