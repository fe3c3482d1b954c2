// A page's items on the pool: lines replayed in item order whatever the
// workers, export lines kept apart, a forced worker count undone.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "pages/RunItems.h"
#include "tests/support/FailingAllocation.h"
#include "tests/ui/RecordingLog.h"

namespace {

struct Outcome {
    ItemLog log;
    int files = 0;
};

testlog::RecordingLog RunItems(unsigned workers, std::size_t count, int* files) {
    testlog::RecordingLog log;
    *files = 0;
    PooledRun<Outcome> run;
    run.Items = count;
    run.Workers = workers;
    run.Scope = [](std::size_t i, RunScope& scope) { scope.Write("C:\\M" + std::to_string(i % 7)); };
    run.Work = [](std::size_t i, Outcome& out, RunItemContext&) {
        // Uneven work, so that items end out of order.
        if (i % 5 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
        for (std::size_t k = 0; k < i % 3 + 1; ++k) out.log.AddLine(int(k), std::to_string(i) + "/" + std::to_string(k));
        out.log.AddExportLine(0, "x" + std::to_string(i));
        out.files = int(i % 3 + 1);
    };
    run.Apply = [&](std::size_t, Outcome& out, RunApplyContext&) {
        out.log.ReplayInto(log);
        *files += out.files;
        out.files = 0;
    };
    RunPageItems(run);
    return log;
}

TEST(RunItems, ManyWorkersReplayEveryItemsLinesInItemOrder) {
    int one = 0, many = 0;
    const testlog::RecordingLog a = RunItems(1, 2000, &one);
    const testlog::RecordingLog b = RunItems(8, 2000, &many);
    EXPECT_EQ(one, many);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.exports, b.exports);
    ASSERT_EQ(a.exports[0].size(), 2000u);
    EXPECT_EQ(b.exports[0][1999], "x1999");
    EXPECT_EQ(b.lines[0].front(), "0/0");
}

// A log used again for a shorter item replays that item's lines alone,
// never what an earlier, longer one left in its room.
TEST(RunItems, AnItemLogUsedAgainReplaysOnlyItsNewLines) {
    ItemLog item;
    testlog::RecordingLog log;
    for (int k = 0; k < 4; ++k) item.AddLine(0, "long line of the first item " + std::to_string(k));
    item.ReplayInto(log);
    testlog::RecordingLog again;
    item.ReplayInto(again);  // nothing a second time
    EXPECT_TRUE(again.lines[0].empty());
    item.AddExportLine(1, "e");
    item.AddLine(0, "b");
    item.ReplayInto(log);
    ASSERT_EQ(log.lines[0].size(), 5u);
    EXPECT_EQ(log.lines[0].back(), "b");
    EXPECT_EQ(log.exports[1], (std::vector<std::string>{"e"}));
    item.AddLine(0, "dropped");
    item.Clear();
    item.ReplayInto(log);
    EXPECT_EQ(log.lines[0].size(), 5u);
}

// An Apply that throws part-way counts as never applied: Skipped keeps
// the item whole; every other item is applied or skipped, once.
TEST(RunItems, AnApplyThatThrowsPartWayIsSkippedWhole) {
    for (const unsigned workers : {1u, 8u}) {
        std::vector<int> applied(40, 0), skipped(40, 0);
        std::atomic<bool> sixWorked{false};
        PooledRun<int> run;
        run.Items = 40;
        run.Workers = workers;
        run.Scope = [](std::size_t i, RunScope& scope) { scope.Write("C:\\M" + std::to_string(i)); };
        run.Work = [&](std::size_t i, int& out, RunItemContext&) {
            // On several workers, a later item works meanwhile; the minute
            // only ends a run that never gives it one.
            const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(1);
            while (i == 5 && workers > 1 && !sixWorked && std::chrono::steady_clock::now() < guard)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            out = static_cast<int>(i);
            if (i == 6) sixWorked = true;
        };
        run.Apply = [&](std::size_t i, int&, RunApplyContext&) {
            if (i == 5) throw std::runtime_error("half kept");
            applied[i] += 1;
        };
        run.Skipped = [&](std::size_t i) { skipped[i] += 1; };
        run.Name = [](std::size_t i) { return "C:\\M" + std::to_string(i); };
        const RunPoolResult result = RunPageItems(run);
        EXPECT_EQ(TakeRunFailures(), "C:\\M5 : half kept\n") << workers;
        EXPECT_TRUE(result.Stopped);
        EXPECT_EQ(skipped[5], 1) << workers;
        for (std::size_t i = 0; i < 40; ++i) EXPECT_EQ(applied[i] + skipped[i], 1) << i << " " << workers;
        if (workers > 1) {
            EXPECT_EQ(applied[6], 1) << "a later item that worked is applied";
        }
    }
}

// Two lists an undo takes joined: however the join runs out of memory,
// both go back as they were; joined whole, both go back to the first.
TEST(RunItems, ListsTakenJoinedGoBackWholeWhereverMemoryRunsOut) {
    const auto texts = [](const DEQ_CREATED_FOLDERS& list) {
        std::vector<std::string> out;
        for (const auto r : list) out.emplace_back(r.Path);
        return out;
    };
    DEQ_CREATED_FOLDERS subs, parents;
    for (int i = 0; i < 5; ++i) subs.push_back({"C:\\M\\S" + std::to_string(i), {}, 0});
    for (int i = 0; i < 30; ++i) parents.push_back({"C:\\P" + std::to_string(i), {}, 0});
    std::vector<std::string> joined = texts(subs), second = texts(parents);
    joined.insert(joined.end(), second.begin(), second.end());
    for (std::size_t n = 0;; ++n) {
        DEQ_CREATED_FOLDERS first = subs, other = parents, into;
        bool failed = false;
        {
            UndoTaking taking;  // never kept: everything goes back
            failed = testsupport::FailsAt(n, [&] { taking.TakeJoined(first, other, into); });
        }
        if (!failed) {
            EXPECT_EQ(texts(first), joined);
            EXPECT_TRUE(other.empty());
            EXPECT_GT(n, 2u);
            break;
        }
        EXPECT_EQ(texts(first), texts(subs)) << "allocation " << n;
        EXPECT_EQ(texts(other), second) << "allocation " << n;
    }
}

TEST(RunItems, ForcedWorkersHoldWhileTheyLiveAndNest) {
    const unsigned rule = PageRunWorkers("/", plat::RunWork::Remove);
    {
        ForceRunWorkers eight(8);
        EXPECT_EQ(PageRunWorkers("/", plat::RunWork::Remove), 8u);
        {
            ForceRunWorkers one(1);
            EXPECT_EQ(PageRunWorkers("/", plat::RunWork::OneFolder), 1u);
        }
        EXPECT_EQ(PageRunWorkers("/", plat::RunWork::Make), 8u);
    }
    EXPECT_EQ(PageRunWorkers("/", plat::RunWork::Remove), rule);
}

}  // namespace
