#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "core/RunPool.h"
#include "platform/MessageBox.h"
#include "tests/support/FailingAllocation.h"

namespace {

using namespace std::chrono_literals;

// A pretend disk: each folder keeps the items that changed it, in the order
// they did. An item sees the history of its folder and of every folder
// above or below it, so an item that ran before, after or beside an
// overlapping one sees another history than one at a time.
class PretendDisk {
public:
    static std::string Key(std::string path) {
        std::string key, name;
        path += '\\';
        for (char c : path) {
            if (c != '\\' && c != '/') {
                name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                continue;
            }
            while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
            if (!name.empty()) key += '\\' + name;
            name.clear();
        }
        return key;
    }
    static bool Related(const std::string& a, const std::string& b) {
        const std::string& s = a.size() < b.size() ? a : b;
        const std::string& l = a.size() < b.size() ? b : a;
        return l.compare(0, s.size(), s) == 0 && (l.size() == s.size() || l[s.size()] == '\\');
    }
    std::string Touch(const std::string& path, std::size_t item, bool write) {
        const std::string key = Key(path);
        std::string seen;
        {
            std::lock_guard lock(m_);
            for (const auto& [k, history] : folders_)
                if (Related(k, key)) seen += k + "=" + history + ";";
        }
        std::this_thread::sleep_for(std::chrono::microseconds(item % 7 * 40));  // widen the races
        if (write) {
            std::lock_guard lock(m_);
            folders_[key] += std::to_string(item) + ",";
        }
        return seen;
    }
    std::map<std::string, std::string> folders() const { return folders_; }

private:
    std::mutex m_;
    std::map<std::string, std::string> folders_;
};

struct Item {
    std::string folder;
    bool write = true;
    std::string structure;  // read as well, when set
    bool box = false;       // its apply shows a box
};

// Spellings of overlapping folders: letter case, separators, trailing dots
// and blanks, nesting, and a structure folder that items also create.
std::vector<Item> RandomItems(unsigned seed, std::size_t count) {
    std::mt19937 rng(seed);
    const std::vector<std::string> folders = {
        "C:\\Dest\\A", "c:\\dest\\a. ", "C:/Dest/A/Sub", "C:\\Dest\\B", "C:\\Dest\\AB", "C:\\Dest",
        "C:\\Dest\\C\\D\\E", "C:\\Dest\\c\\d", "C:\\Struct", "C:\\Struct\\Inner", "D:\\Other"};
    std::vector<Item> items(count);
    for (Item& it : items) {
        it.folder = folders[rng() % folders.size()];
        it.write = rng() % 4 != 0;
        if (rng() % 3 == 0) it.structure = rng() % 2 ? "C:\\Struct" : "c:\\STRUCT\\inner\\";
        it.box = rng() % 17 == 0;
    }
    return items;
}

struct Outcome {
    std::string line;
};

// The applied sequence of one run: every line and box, in the order applied.
std::vector<std::string> RunItems(const std::vector<Item>& items, unsigned workers, std::size_t window,
                                  std::map<std::string, std::string>* disk = nullptr) {
    PretendDisk pretend;
    RunPoolOptions options;
    options.Workers = workers;
    options.Window = window;
    std::vector<std::string> applied;
    options.Show = [&](const std::string& text, const std::string&, unsigned) {
        applied.push_back("box " + text);
        return plat::IDOK;
    };
    RunPool pool(options);
    std::vector<Outcome> slots(pool.Window());
    pool.Run(
        items.size(),
        [&](std::size_t i, RunScope& scope) {
            items[i].write ? scope.Write(items[i].folder) : scope.Read(items[i].folder);
            if (!items[i].structure.empty()) scope.Read(items[i].structure);
        },
        [&](std::size_t i, RunItemContext& ctx) {
            std::string line = std::to_string(i) + ": " + pretend.Touch(items[i].folder, i, items[i].write);
            if (!items[i].structure.empty()) line += " | " + pretend.Touch(items[i].structure, i, false);
            slots[ctx.Slot()].line = line;
        },
        [&](std::size_t i, RunApplyContext& ctx) {
            EXPECT_EQ(ctx.Slot(), i % pool.Window());
            applied.push_back(std::move(slots[ctx.Slot()].line));
            if (items[i].box) ctx.Show("after " + std::to_string(i), "", plat::MB_OK);
        });
    if (disk) *disk = pretend.folders();
    return applied;
}

TEST(RunPool, ManyWorkersApplyWhatOneAtATimeApplies) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const std::vector<Item> items = RandomItems(seed, 300);
        std::map<std::string, std::string> one, many;
        const auto sequential = RunItems(items, 1, 0, &one);
        EXPECT_EQ(RunItems(items, 8, 0, &many), sequential) << "seed " << seed;
        EXPECT_EQ(many, one) << "seed " << seed;
        EXPECT_EQ(RunItems(items, 16, 3, nullptr), sequential) << "seed " << seed << ", a small window";
    }
}

TEST(RunPool, OverlapFollowsFoldersNotTexts) {
    // Two items that do not overlap must be able to run at once: each waits
    // for the other to have started. A pair that may overlap waits as long
    // as a loaded machine may take to start the second worker (the minute
    // only ends a hang); one that may not needs only a short wait, which
    // load can only lengthen.
    const auto together = [](std::string a, bool writeA, std::string b, bool writeB,
                             std::chrono::milliseconds wait = 1s) {
        RunPool pool({.Workers = 4});
        std::mutex m;
        std::condition_variable cv;
        int started = 0;
        bool both = true;
        pool.Run(
            2,
            [&](std::size_t i, RunScope& s) { (i ? writeB : writeA) ? s.Write(i ? b : a) : s.Read(i ? b : a); },
            [&](std::size_t, RunItemContext&) {
                std::unique_lock lock(m);
                ++started;
                cv.notify_all();
                if (!cv.wait_for(lock, wait, [&] { return started == 2; })) both = false;
            },
            [](std::size_t, RunApplyContext&) {});
        return both;
    };
    EXPECT_TRUE(together("C:\\Dest\\A", true, "C:\\Dest\\AB", true, 1min));
    EXPECT_TRUE(together("C:\\Dest\\A", false, "c:/dest/a", false, 1min));  // two readers
    EXPECT_FALSE(together("C:\\Dest\\A", true, "c:/DEST/a. /", false));
    EXPECT_FALSE(together("C:\\Dest", false, "C:\\Dest\\A\\B", true));
    EXPECT_FALSE(together("C:\\Dest\\x\\..\\Y", true, "D:\\Elsewhere", false));  // ".." stands for everything
}

// A question in the middle: item 5 asks, and a No ends the run there.
TEST(RunPool, QuestionAnsweredNoStopsWhereOneAtATimeStops) {
    for (unsigned workers : {1u, 8u}) {
        for (int answer : {plat::IDNO, plat::IDYES}) {
            std::atomic<int> worked{0}, appliedCount{0}, appliedBeforeAsking{-1};
            std::vector<int> started(20, 0);
            std::vector<std::string> applied;
            RunPool pool({.Workers = workers,
                          .Show = [&](const std::string& text, const std::string&, unsigned) {
                              applied.push_back(text + " with " + std::to_string(worked.load()) + " worked");
                              return answer;
                          }});
            const RunPoolResult r = pool.Run(
                20, [](std::size_t i, RunScope& s) {
                    s.Write("C:\\Dest\\M" + std::to_string(i));
                    if (i == 5) s.Serial();
                },
                [&](std::size_t i, RunItemContext& ctx) {
                    started[i] = 1;
                    if (i == 5) appliedBeforeAsking = appliedCount.load();
                    if (i == 5 && ctx.Ask("go on?", "", plat::MB_YESNO) != plat::IDYES) ctx.Stop();
                    ++worked;
                },
                [&](std::size_t i, RunApplyContext&) {
                    applied.push_back(std::to_string(i));
                    ++appliedCount;
                });
            EXPECT_EQ(appliedBeforeAsking.load(), 5) << "a serial item starts after every earlier one is applied";
            std::vector<std::string> expected = {"0", "1", "2", "3", "4", "go on? with 5 worked", "5"};
            if (answer == plat::IDYES)
                for (int i = 6; i < 20; ++i) expected.push_back(std::to_string(i));
            EXPECT_EQ(applied, expected) << workers << " workers";
            EXPECT_EQ(r.Stopped, answer == plat::IDNO);
            EXPECT_EQ(std::count(started.begin(), started.end(), 1), answer == plat::IDNO ? 6 : 20);
        }
    }
}

TEST(RunPool, BoxesPauseThePoolAndAQuestionNeedsASerialItem) {
    constexpr int kWorkers = 8;
    std::atomic<bool> boxUp{false};
    std::atomic<int> started{0};
    std::vector<int> startedDuringBox;
    RunPool pool({.Workers = kWorkers, .Show = [&](const std::string&, const std::string&, unsigned) {
                      started = 0;
                      boxUp = true;
                      std::this_thread::sleep_for(20ms);  // a pool that went on would start many items
                      boxUp = false;
                      startedDuringBox.push_back(started.load());
                      return plat::IDOK;
                  }});
    pool.Run(
        200, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); },
        [&](std::size_t, RunItemContext&) {
            if (boxUp) ++started;
            std::this_thread::sleep_for(200us);
        },
        [&](std::size_t i, RunApplyContext& ctx) {
            if (i % 50 == 0) ctx.Show("note", "", plat::MB_OK);
        });
    // A worker may begin the one item it took just before the box, however
    // late its thread comes to it; none takes another meanwhile.
    ASSERT_EQ(startedDuringBox.size(), 4u);
    for (const int n : startedDuringBox) EXPECT_LE(n, kWorkers);

    for (unsigned workers : {1u, 8u}) {
        std::vector<std::size_t> applied;
        RunPool strict({.Workers = workers});
        EXPECT_THROW(strict.Run(
                         10, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); },
                         [](std::size_t i, RunItemContext& ctx) {
                             if (i == 3) ctx.Ask("?", "", plat::MB_YESNO);
                         },
                         [&](std::size_t i, RunApplyContext&) { applied.push_back(i); }),
                     std::logic_error);
        ASSERT_GE(applied.size(), 4u);
        EXPECT_EQ(applied[3], 3u);
    }
}

TEST(RunPool, WindowStaysWithinItsBound) {
    RunPool pool({.Workers = 8, .Window = 5});
    std::atomic<int> inFlight{0}, peak{0};
    const RunPoolResult r = pool.Run(
        300, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i % 40)); },
        [&](std::size_t i, RunItemContext&) {
            const int now = ++inFlight;
            for (int p = peak.load(); now > p && !peak.compare_exchange_weak(p, now);) {}
            if (i % 37 == 0) std::this_thread::sleep_for(5ms);  // a slow head holds the others back
        },
        [&](std::size_t, RunApplyContext&) { --inFlight; });
    EXPECT_EQ(r.Applied, 300u);
    EXPECT_LE(r.PeakWindow, 5u);
    EXPECT_LE(peak.load(), 5);
}

// Items that all read one folder overlap in time; one that changes
// something inside it waits for every earlier reader, and the later readers
// wait for it.
TEST(RunPool, AChangeInAFolderManyReadWaitsForTheReadersAround) {
    RunPool pool({.Workers = 8});
    constexpr std::size_t kCount = 200, kWriter = 100;
    std::atomic<std::size_t> readersDone{0};
    std::atomic<bool> written{false};
    std::size_t doneBeforeWriter = 0;
    std::atomic<std::size_t> laterBeforeWriter{0};
    const RunPoolResult r = pool.Run(
        kCount,
        [](std::size_t i, RunScope& s) {
            if (i == kWriter) return s.Write("C:\\Src\\Sub");
            s.Read("c:/src/");
            s.Write("C:\\D" + std::to_string(i));
        },
        [&](std::size_t i, RunItemContext&) {
            if (i == kWriter) {
                doneBeforeWriter = readersDone.load();
                std::this_thread::sleep_for(20ms);
                written = true;
                return;
            }
            if (i > kWriter && !written) ++laterBeforeWriter;
            std::this_thread::sleep_for(std::chrono::microseconds(i % 5 * 50));
            if (i < kWriter) ++readersDone;
        },
        [](std::size_t, RunApplyContext&) {});
    EXPECT_EQ(r.Applied, kCount);
    EXPECT_EQ(doneBeforeWriter, kWriter);
    EXPECT_EQ(laterBeforeWriter.load(), 0u);
}

// Work that throws: what was started is applied, nothing later starts, and
// the failure comes back to the caller.
TEST(RunPool, FailuresEndTheRunWithoutHanging) {
    for (unsigned workers : {1u, 8u}) {
        std::vector<std::size_t> applied, failed;
        std::vector<std::atomic<bool>> started(100);
        RunPool pool({.Workers = workers});
        EXPECT_THROW(pool.Run(
                         100, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); },
                         [&](std::size_t i, RunItemContext&) {
                             started[i] = true;
                             if (i == 40) throw std::runtime_error("disk gone");
                         },
                         [&](std::size_t i, RunApplyContext& ctx) {
                             applied.push_back(i);
                             if (ctx.Failure()) failed.push_back(i);
                         }),
                     std::runtime_error);
        EXPECT_EQ(failed, std::vector<std::size_t>{40});
        // Everything before it and everything that had started: applied, in order.
        std::vector<std::size_t> expected;
        for (std::size_t i = 0; i < 100; ++i)
            if (i <= 40 || started[i]) expected.push_back(i);
        EXPECT_EQ(applied, expected);
        EXPECT_TRUE(workers > 1 || applied.size() == 41u);
    }
    // Every item failing, an apply failing, a scope failing: each ends.
    RunPool pool({.Workers = 8});
    const auto items = [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i % 3)); };
    EXPECT_THROW(pool.Run(
                     50, items, [](std::size_t, RunItemContext&) { throw std::runtime_error("no"); },
                     [](std::size_t, RunApplyContext&) {}),
                 std::runtime_error);
    EXPECT_THROW(pool.Run(
                     50, items, [](std::size_t, RunItemContext&) {},
                     [](std::size_t i, RunApplyContext&) {
                         if (i == 7) throw std::runtime_error("no");
                     }),
                 std::runtime_error);
    std::size_t applied = 0;
    EXPECT_THROW(pool.Run(
                     50,
                     [](std::size_t i, RunScope& s) {
                         if (i == 20) throw std::runtime_error("no");
                         s.Write("C:\\M");
                     },
                     [](std::size_t, RunItemContext&) {}, [&](std::size_t, RunApplyContext&) { ++applied; }),
                 std::runtime_error);
    EXPECT_EQ(applied, 20u);
}

// A peek (the head's lines shown while it works) or an apply that fails
// ends the run as failed work does: every item that had started is still
// applied, and a peek failing inside the plain loop's work lets that work
// end whole.
TEST(RunPool, AFailedPeekOrApplyStillAppliesEveryStartedItemWhole) {
    for (const bool peekFails : {true, false}) {
        for (const unsigned workers : {1u, 8u}) {
            constexpr std::size_t kCount = 60;
            std::vector<std::atomic<int>> started(kCount), whole(kCount);
            std::vector<std::size_t> applied;
            // On a loaded machine the other workers may not have begun by
            // the first peek: with several, the failure waits for one (the
            // minute only ends a hang).
            const auto othersBegin = [&] {
                const auto deadline = std::chrono::steady_clock::now() + 1min;
                while (workers > 1 && std::chrono::steady_clock::now() < deadline) {
                    for (std::size_t i = 1; i < kCount; ++i)
                        if (started[i]) return;
                    std::this_thread::sleep_for(1ms);
                }
            };
            RunPool pool({.Workers = workers,
                          .Pump = [] {},
                          .PumpInterval = 1ms,
                          .Peek = [&](std::size_t, RunApplyContext&) {
                              if (!peekFails) return;
                              othersBegin();
                              throw std::runtime_error("peek");
                          }});
            EXPECT_THROW(pool.Run(
                             kCount, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); },
                             [&](std::size_t i, RunItemContext&) {
                                 started[i] = 1;
                                 if (i == 0) othersBegin();
                                 // The head works long, the others meanwhile; its
                                 // lines let the plain loop peek.
                                 for (int k = 0; k < (i == 0 ? 20 : 1); ++k) {
                                     std::this_thread::sleep_for(1ms);
                                     RunPoolPaceInline();
                                 }
                                 whole[i] = 1;
                             },
                             [&](std::size_t i, RunApplyContext&) {
                                 applied.push_back(i);
                                 if (!peekFails && i == 0) throw std::runtime_error("apply");
                             }),
                         std::runtime_error);
            std::vector<std::size_t> expected;
            for (std::size_t i = 0; i < kCount; ++i)
                if (started[i]) expected.push_back(i);
            EXPECT_EQ(applied, expected) << workers << (peekFails ? " peek" : " apply");
            for (const std::size_t i : applied) EXPECT_TRUE(whole[i]) << i << " " << workers;
            if (workers > 1) {
                EXPECT_GT(expected.size(), 1u);
            }
        }
    }
}

// Threads that cannot start: the run goes on with the workers it got, or
// on the calling thread alone, and applies every item in order.
TEST(RunPool, AThreadThatCannotStartLeavesTheRunToTheOthers) {
    for (const int failFrom : {2, 0}) {
        int spawned = 0;
        std::set<std::thread::id> workedOn;
        std::mutex m;
        RunPool pool({.Workers = 8, .Spawn = [&](std::function<void()> body) {
                          if (spawned++ >= failFrom) throw std::system_error(EAGAIN, std::generic_category());
                          return std::thread(std::move(body));
                      }});
        std::vector<std::size_t> applied;
        const RunPoolResult r = pool.Run(
            300, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i % 7)); },
            [&](std::size_t, RunItemContext&) {
                std::lock_guard lock(m);
                workedOn.insert(std::this_thread::get_id());
            },
            [&](std::size_t i, RunApplyContext&) { applied.push_back(i); });
        EXPECT_EQ(r.Applied, 300u);
        ASSERT_EQ(applied.size(), 300u);
        EXPECT_TRUE(std::is_sorted(applied.begin(), applied.end()));
        if (failFrom == 0)
            EXPECT_EQ(workedOn, std::set<std::thread::id>{std::this_thread::get_id()});
        else
            EXPECT_LE(workedOn.size(), 2u);
    }
}

// Each item is looked at before its scope is asked for, on the workers
// while earlier items work; a look that fails ends the run before that
// item, what was started applied.
TEST(RunPool, LooksComeBeforeScopesWhileEarlierItemsWork) {
    for (const unsigned workers : {1u, 8u}) {
        constexpr std::size_t kCount = 600;
        std::vector<std::atomic<int>> looked(kCount);
        std::atomic<int> working{0}, looksDuringWork{0};
        bool scopedAfterLook = true;
        RunPool pool({.Workers = workers, .Look = [&](std::size_t i, unsigned) {
                          std::this_thread::sleep_for(std::chrono::microseconds(100));
                          if (working > 0) ++looksDuringWork;
                          looked[i] = 1;
                      }});
        std::vector<std::size_t> applied;
        pool.Run(
            kCount,
            [&](std::size_t i, RunScope& s) {
                scopedAfterLook = scopedAfterLook && looked[i] == 1;
                s.Write("C:\\M" + std::to_string(i % 5));
            },
            [&](std::size_t, RunItemContext&) {
                ++working;
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                --working;
            },
            [&](std::size_t i, RunApplyContext&) { applied.push_back(i); });
        EXPECT_TRUE(scopedAfterLook) << workers;
        EXPECT_EQ(applied.size(), kCount) << workers;
        EXPECT_TRUE(std::is_sorted(applied.begin(), applied.end())) << workers;
        if (workers > 1) {
            EXPECT_GT(looksDuringWork.load(), 0);
        }

        std::vector<std::size_t> started;
        std::mutex m;
        RunPool failing({.Workers = workers, .Look = [](std::size_t i, unsigned) {
                             if (i == 300) throw std::runtime_error("gone");
                         }});
        applied.clear();
        EXPECT_THROW(failing.Run(
                         kCount, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); },
                         [&](std::size_t i, RunItemContext&) {
                             std::lock_guard lock(m);
                             started.push_back(i);
                         },
                         [&](std::size_t i, RunApplyContext&) { applied.push_back(i); }),
                     std::runtime_error);
        EXPECT_EQ(applied.size(), 300u) << workers;
        EXPECT_EQ(started.size(), 300u) << workers;
    }
}

TEST(RunPool, ThePumpRunsOnTheCallingThreadWhileWorkersWork) {
    const auto caller = std::this_thread::get_id();
    std::atomic<int> pumps{0};
    std::atomic<bool> elsewhere{false};
    RunPool pool({.Workers = 4, .Pump = [&] {
                      ++pumps;
                      if (std::this_thread::get_id() != caller) elsewhere = true;
                  },
                  .PumpInterval = 2ms});
    // Every item works until the pump has run five times; the minute only
    // ends a run that never pumps.
    pool.Run(
        8, [](std::size_t i, RunScope& s) { s.Write("C:\\M" + std::to_string(i)); },
        [&](std::size_t, RunItemContext&) {
            const auto guard = std::chrono::steady_clock::now() + 1min;
            while (pumps < 5 && std::chrono::steady_clock::now() < guard) std::this_thread::sleep_for(1ms);
        },
        [](std::size_t, RunApplyContext&) {});
    EXPECT_GE(pumps.load(), 5);
    EXPECT_FALSE(elsewhere);
}


// Memory running out on the calling thread at any of its steps (admitting
// an item behind overlapping ones, applying, the run's own set-up) ends the
// run with the failure, never hangs it: the items admitted before it are
// worked and applied in order, every item that started among them.
TEST(RunPool, MemoryRunningOutOnTheCallingThreadEndsTheRunWithoutHanging) {
    constexpr std::size_t kCount = 24;
    // A run that hangs is ended here, with a note, instead of the suite's time.
    std::mutex m;
    std::condition_variable cv;
    bool over = false;
    std::thread watch([&] {
        std::unique_lock lock(m);
        if (!cv.wait_for(lock, 60s, [&] { return over; })) {
            std::fprintf(stderr, "a run that ran out of memory hangs\n");
            std::abort();
        }
    });
    std::size_t n = 0;
    for (bool failed = true; failed; ++n) {
        std::vector<std::atomic<bool>> started(kCount);
        std::vector<std::size_t> applied;
        applied.reserve(kCount);  // the test's own steps never fail
        RunPool pool({.Workers = 8, .Window = 8});
        const auto run = [&] {
            pool.Run(
                kCount, [](std::size_t i, RunScope& s) { s.Write("C:\\M\\" + std::to_string(i % 3)); },
                [&](std::size_t i, RunItemContext&) { started[i] = true; },
                [&](std::size_t i, RunApplyContext&) {
                    // Slower than the work: the workers wait when the next items are admitted.
                    std::this_thread::sleep_for(200us);
                    applied.push_back(i);
                });
        };
        failed = testsupport::FailsAt(n, run);
        for (std::size_t i = 0; i < applied.size(); ++i) EXPECT_EQ(applied[i], i) << "allocation " << n;
        for (std::size_t i = applied.size(); i < kCount; ++i)
            EXPECT_FALSE(started[i]) << i << " started, never applied; allocation " << n;
    }
    {
        std::lock_guard lock(m);
        over = true;
    }
    cv.notify_one();
    watch.join();
    EXPECT_GT(n, 2 * kCount) << "the calling thread allocates for each item";
}

}  // namespace
