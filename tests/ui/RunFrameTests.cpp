// The run frame's steps, in their order, for a run, a simulation, a refusal
// and an empty Include list.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>

#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"
#include "platform/MessageBox.h"
#include "tests/ui/RecordingLog.h"

namespace {

using Steps = std::vector<std::string>;

class RunFrameTest : public ::testing::Test {
protected:
    plat::MessageBoxScript boxes;
    testlog::RecordingLog log;
    RunHooks hooks;
    Steps steps;
    RunFrame frame;

    void SetUp() override {
        hooks.EnableRunButtons = [this](bool on) { steps.push_back(on ? "buttons on" : "buttons off"); };
        hooks.EnableOtherTabSheets = [this](bool on) { steps.push_back(on ? "tabs on" : "tabs off"); };
        frame.Check = [this] { return steps.push_back("check"), true; };
        frame.Questions = {{"go?", "Q"}};
        frame.Start = [this] { steps.push_back("start"); };
        frame.Work = [this](RunDisk& disk) { steps.push_back(disk.IsDry() ? "dry work" : "real work"); };
        frame.End = {"done", "E"};
        frame.Finish = [this] { steps.push_back("finish"); };
    }
    Steps Captions() const {
        Steps out;
        for (const auto& b : boxes.shown()) out.push_back(b.caption);
        return out;
    }
};

TEST_F(RunFrameTest, RunsItsStepsInOrderOnTheDiskItIsHanded) {
    boxes.Queue(plat::IDYES);
    EXPECT_TRUE(RunOnFrame(frame, log, hooks));
    EXPECT_EQ(steps, (Steps{"buttons off", "check", "start", "tabs off", "real work", "tabs on", "finish",
                            "buttons on"}));
    EXPECT_EQ(Captions(), (Steps{"Q", "E"}));
    EXPECT_EQ(log.runMode, 1);
    EXPECT_EQ(log.clears, 1);
    EXPECT_EQ(log.zoomClears, 1);

    steps.clear();
    boxes.Queue(plat::IDYES);
    frame.Simulation = true;
    RunOnFrame(frame, log, hooks);
    EXPECT_EQ(steps[4], "dry work");
    EXPECT_EQ(log.runMode, 0);
}

// A No, or a check that refuses, stops before anything changes; the run
// buttons come back all the same.
TEST_F(RunFrameTest, StopsOnANoOrARefusalWithTheButtonsBack) {
    boxes.Queue(plat::IDNO);
    EXPECT_FALSE(RunOnFrame(frame, log, hooks));
    EXPECT_EQ(steps, (Steps{"buttons off", "check", "buttons on"}));
    EXPECT_EQ(log.runMode, -1);

    steps.clear();
    frame.Check = [] { return false; };
    EXPECT_FALSE(RunOnFrame(frame, log, hooks));
    EXPECT_EQ(steps, (Steps{"buttons off", "buttons on"}));
}

// An empty Include list: its message instead of the work and the end box;
// a second pass follows a pass that went, on the log as it stands.
TEST_F(RunFrameTest, AnEmptyIncludeListSkipsTheWorkAndALaterPassKeepsTheLog) {
    frame.IncludeEmpty = true;
    frame.IncludeEmptyMessage = {"empty", "I"};
    RunFrame next;
    next.FreshLog = false;
    next.Work = [this](RunDisk&) { steps.push_back("next work"); };
    frame.NextPass = &next;
    boxes.Queue(plat::IDYES);
    RunOnFrame(frame, log, hooks);
    EXPECT_EQ(Captions(), (Steps{"Q", "I"}));
    EXPECT_EQ(steps, (Steps{"buttons off", "check", "start", "tabs off", "tabs on", "finish", "tabs off",
                            "next work", "tabs on", "buttons on"}));
    EXPECT_EQ(log.clears, 1);
    EXPECT_EQ(log.runStarts, 1);
}

// Work that fails, on the pool or before it: the run ends with a box that
// names the failure instead of the end box, what the items did is applied,
// and the tab sheets and run buttons come back.
TEST_F(RunFrameTest, AFailedWorkEndsWithItsBoxAndEverythingBack) {
    std::vector<std::size_t> applied, skipped;
    frame.Work = [&](RunDisk&) {
        PooledRun<int> run;
        run.Items = 40;
        run.Workers = 8;
        run.Scope = [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); };
        run.Work = [](std::size_t i, int& out, RunItemContext&) {
            out = static_cast<int>(i);
            if (i == 5) throw std::runtime_error("disk gone");
        };
        run.Apply = [&](std::size_t i, int&, RunApplyContext&) { applied.push_back(i); };
        run.Skipped = [&](std::size_t i) { skipped.push_back(i); };
        run.Name = [](std::size_t i) { return "C:\\M" + std::to_string(i); };
        RunPageItems(run);
        steps.push_back("after the pool");
    };
    boxes.Queue(plat::IDYES);
    EXPECT_TRUE(RunOnFrame(frame, log, hooks));
    EXPECT_EQ(steps, (Steps{"buttons off", "check", "start", "tabs off", "after the pool", "tabs on", "finish",
                            "buttons on"}));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].caption, "Error !");
    EXPECT_NE(boxes.shown()[1].text.find("C:\\M5 : disk gone"), std::string::npos);
    // Items 0-5 applied; every later one either applied or skipped, once.
    ASSERT_GE(applied.size(), 6u);
    EXPECT_EQ(applied[5], 5u);
    EXPECT_EQ(applied.size() + skipped.size(), 40u);

    // A failure outside any pool (a step that throws) ends the same way.
    steps.clear();
    boxes.Queue(plat::IDYES);
    frame.Start = [] { throw std::bad_alloc(); };
    RunOnFrame(frame, log, hooks);
    EXPECT_EQ(steps, (Steps{"buttons off", "check", "buttons on"}));
    EXPECT_NE(boxes.shown().back().text.find("Not enough memory."), std::string::npos);

    // A stream step (the head's lines shown while it works) that fails ends
    // the run with its box too: every item whose work ran is applied, its
    // work whole, with one worker and with eight.
    struct Lines {
        ItemLog log;
        bool whole = false;
    };
    frame.Start = [this] { steps.push_back("start"); };
    for (const unsigned workers : {1u, 8u}) {
        std::vector<std::atomic<int>> worked(16);
        std::vector<std::size_t> wholeApplied;
        std::atomic<bool> streamed{false};
        frame.Work = [&](RunDisk&) {
            PooledRun<Lines> run;
            run.Items = worked.size();
            run.Workers = workers;
            run.Scope = [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); };
            run.Work = [&](std::size_t i, Lines& out, RunItemContext&) {
                worked[i] = 1;
                // The head works until it has been streamed (its lines let
                // the plain loop stream); the minute only ends a run that never streams.
                const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(1);
                while (i == 0 && !streamed && std::chrono::steady_clock::now() < guard) {
                    out.log.AddLine(0, "line");
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                for (int k = 0; k < 200; ++k) out.log.AddLine(0, "line");
                out.whole = true;
            };
            run.Apply = [&](std::size_t i, Lines& out, RunApplyContext&) {
                if (out.whole) wholeApplied.push_back(i);
                out.log.Clear();
                out.whole = false;
            };
            run.Stream = [&](std::size_t, Lines&, RunApplyContext&) {
                streamed = true;
                throw std::runtime_error("no screen");
            };
            run.Name = [](std::size_t i) { return "C:\\M" + std::to_string(i); };
            RunPageItems(run);
        };
        boxes.Queue(plat::IDYES);
        RunOnFrame(frame, log, hooks);
        EXPECT_NE(boxes.shown().back().text.find("no screen"), std::string::npos) << workers;
        std::vector<std::size_t> ran;
        for (std::size_t i = 0; i < worked.size(); ++i)
            if (worked[i]) ran.push_back(i);
        EXPECT_EQ(wholeApplied, ran) << workers;
    }
}

// A count in the checks or at the start that fails ends the run before its
// work, with the count's box; the failure box says "kept for the Undo"
// only for a real run that keeps undo records.
TEST_F(RunFrameTest, AFailedCountEndsTheRunBeforeItsWorkAndTheBoxSaysWhatIsKept) {
    const auto count = [] {
        return ReadOnPool({"C:\\S0", "C:\\S1", "C:\\S2"}, [](std::size_t i) {
            if (i == 1) throw std::runtime_error("unreadable");
        });
    };
    for (const bool atStart : {false, true}) {
        steps.clear();
        boxes.Clear();
        boxes.Queue(plat::IDYES);
        frame.Keeps = RunKeeps::Undo;
        if (atStart)
            frame.Start = [&] {
                steps.push_back("start");
                count();
            };
        else
            frame.Check = [&] {
                steps.push_back("check");
                count();
                return true;
            };
        RunOnFrame(frame, log, hooks);
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "real work"), 0) << atStart;
        ASSERT_FALSE(boxes.shown().empty());
        const std::string& said = boxes.shown().back().text;
        EXPECT_NE(said.find("C:\\S1 : unreadable"), std::string::npos) << atStart;
        EXPECT_EQ(said.find("kept for the Undo"), std::string::npos) << atStart;
    }

    frame.Check = nullptr;
    frame.Start = nullptr;
    frame.Work = [](RunDisk&) { NoteRunFailure(std::make_exception_ptr(std::runtime_error("gone"))); };
    for (const bool simulation : {false, true}) {
        for (const RunKeeps keeps : {RunKeeps::Nothing, RunKeeps::Undo}) {
            boxes.Clear();
            boxes.Queue(plat::IDYES);
            frame.Simulation = simulation;
            frame.Keeps = keeps;
            RunOnFrame(frame, log, hooks);
            const bool kept = boxes.shown().back().text.find("kept for the Undo") != std::string::npos;
            EXPECT_EQ(kept, !simulation && keeps == RunKeeps::Undo) << simulation;
        }
    }
}

}  // namespace
