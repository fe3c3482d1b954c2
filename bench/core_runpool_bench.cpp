// What the run pool costs: items handed to RunPool against the plain loop
// making the same calls, one at a time and on T threads, in one run, the
// sides in rotated order over the rounds (minimum and median reported).
//   nothing:  items that do nothing: the pool's own cost per item (the
//             scope's key made, the work, the apply)
//   mkdir:    each item makes one folder (mkdirat), as a trivial create;
//             QM_BENCH_DIR chooses where (default: the temp folder)
//   mains:    each item makes a main folder and 5 folders in it, on the
//             pool of the size the file system gets (plat::RunWorkerCount
//             for copies; 64 on latfs), against bare threads as many;
//             QM_BENCH_DIR as above, QM_BENCH_ITEMS items (default 20,000;
//             512 on FUSE and network file systems); QM_BENCH_BACKING: the
//             folder below latfs, where what was made is removed fast
// The pool sides scope each item by its folder's drive-form path, as a page
// does, and apply a one-line outcome; the bare sides do neither.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/RunPool.h"
#include "platform/FileSystem.h"
#include "platform/RunWorkers.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;
constexpr std::size_t kItems = 100000;
constexpr unsigned kThreads = 8;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Sides {
    std::vector<std::string> names;
    std::vector<std::function<void()>> runs;
    std::vector<std::function<void()>> before;  // unmeasured set-up of each side
    std::vector<std::vector<double>> times;

    void Round(int round) {
        times.resize(runs.size());
        for (std::size_t k = 0; k < runs.size(); ++k) {
            const std::size_t side = (static_cast<std::size_t>(round) + k) % runs.size();
            if (before[side]) before[side]();
            const auto t0 = Clock::now();
            runs[side]();
            times[side].push_back(Seconds(Clock::now() - t0));
        }
    }
    // Each side's minimum and median, and the first side's time over each
    // other side's (above 1: that side is faster).
    void Report(benchmark::State& state) const {
        const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
        const auto medianOf = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        state.SetIterationTime(minOf(times[0]));
        for (std::size_t i = 0; i < names.size(); ++i) {
            state.counters[names[i] + "_ns_per_item_min"] = minOf(times[i]) * 1e9 / kItems;
            state.counters[names[i] + "_ns_per_item_med"] = medianOf(times[i]) * 1e9 / kItems;
        }
    }
};

void Add(Sides& s, std::string name, std::function<void()> run, std::function<void()> before = {}) {
    s.names.push_back(std::move(name));
    s.runs.push_back(std::move(run));
    s.before.push_back(std::move(before));
}

std::string ItemPath(std::size_t i) { return "Q:\\Bench\\Run\\M" + std::to_string(i); }

// The pool over `count` items with the given work; one line applied each.
void PoolRun(unsigned workers, const std::function<void(std::size_t)>& work, std::size_t& sink) {
    RunPool pool({.Workers = workers});
    std::vector<std::size_t> outcome(pool.Window());
    pool.Run(
        kItems, [](std::size_t i, RunScope& s) { s.Write(ItemPath(i)); },
        [&](std::size_t i, RunItemContext& ctx) {
            work(i);
            outcome[ctx.Slot()] = i;
        },
        [&](std::size_t, RunApplyContext& ctx) { sink += outcome[ctx.Slot()]; });
}

void BareThreads(unsigned threads, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&] {
            for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < kItems;) work(i);
        });
    for (auto& th : pool) th.join();
}

void BM_PoolNothing(benchmark::State& state) {
    std::size_t sink = 0;
    const auto nothing = [&sink](std::size_t i) { benchmark::DoNotOptimize(sink += i); };
    Sides s;
    Add(s, "plain_loop", [&] {
        for (std::size_t i = 0; i < kItems; ++i) nothing(i);
    });
    Add(s, "pool_1", [&] { PoolRun(1, nothing, sink); });
    Add(s, "pool_8", [&] { PoolRun(kThreads, nothing, sink); });
    for (auto _ : state)
        for (int round = 0; round < kRounds; ++round) s.Round(round);
    s.Report(state);
}

void BM_PoolMkdir(benchmark::State& state) {
    const char* dir = std::getenv("QM_BENCH_DIR");
    std::string tmpl = std::string(dir && *dir ? dir : fs::temp_directory_path().string()) + "/qm-runpool-XXXXXX";
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    int root = -1, sides = 0;
    const auto fresh = [&] {  // a new folder each time: nothing is removed through a slow file system
        if (root >= 0) close(root);
        const std::string side = tmpl + "/side" + std::to_string(sides++);
        fs::create_directories(side);
        root = open(side.c_str(), O_RDONLY | O_DIRECTORY);
        sync();
    };
    const auto make = [&root](std::size_t i) {
        char name[24];
        std::snprintf(name, sizeof name, "M%zu", i);
        if (mkdirat(root, name, 0755) != 0) throw std::runtime_error("mkdirat failed");
    };
    std::size_t sink = 0;
    Sides s;
    Add(s, "plain_loop", [&] {
        for (std::size_t i = 0; i < kItems; ++i) make(i);
    }, fresh);
    Add(s, "pool_1", [&] { PoolRun(1, make, sink); }, fresh);
    Add(s, "bare_8_threads", [&] { BareThreads(kThreads, make); }, fresh);
    Add(s, "pool_8", [&] { PoolRun(kThreads, make, sink); }, fresh);
    for (auto _ : state)
        for (int round = 0; round < kRounds; ++round) s.Round(round);
    s.Report(state);
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    state.counters["ratio_pool_1_over_plain_min"] = minOf(s.times[1]) / minOf(s.times[0]);
    state.counters["ratio_pool_8_over_bare_8_min"] = minOf(s.times[3]) / minOf(s.times[2]);
    if (root >= 0) close(root);
    std::error_code ec;
    fs::remove_all(tmpl, ec);
}

void BM_PoolMains(benchmark::State& state) {
    const char* dir = std::getenv("QM_BENCH_DIR");
    std::string tmpl = std::string(dir && *dir ? dir : fs::temp_directory_path().string()) + "/qm-runpool-XXXXXX";
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    plat::MapDrive('Q', tmpl);
    const unsigned threads = plat::RunWorkerCount("Q:\\", plat::RunWork::Copy);
    std::size_t items = threads >= 64 ? 512 : 20000;
    if (const char* n = std::getenv("QM_BENCH_ITEMS"); n && *n) items = std::strtoul(n, nullptr, 10);
    int root = -1, sides = 0;
    const auto fresh = [&] {  // a new folder each time: nothing is removed through a slow file system
        if (root >= 0) close(root);
        const std::string side = tmpl + "/side" + std::to_string(sides++);
        fs::create_directories(side);
        root = open(side.c_str(), O_RDONLY | O_DIRECTORY);
        sync();
    };
    const auto make = [&root](std::size_t i) {
        char name[24];
        std::snprintf(name, sizeof name, "M%zu", i);
        if (mkdirat(root, name, 0755) != 0) throw std::runtime_error("mkdirat failed");
        const int fd = openat(root, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        for (int s = 0; s < 5; ++s) {
            std::snprintf(name, sizeof name, "S%d", s);
            if (fd < 0 || mkdirat(fd, name, 0755) != 0) throw std::runtime_error("mkdirat failed");
        }
        close(fd);
    };
    const auto pooled = [&](unsigned workers) {
        RunPool pool({.Workers = workers});
        std::vector<std::size_t> outcome(pool.Window());
        std::size_t sink = 0;
        pool.Run(
            items, [](std::size_t i, RunScope& s) { s.Write(ItemPath(i)); },
            [&](std::size_t i, RunItemContext& ctx) {
                make(i);
                outcome[ctx.Slot()] = i;
            },
            [&](std::size_t, RunApplyContext& ctx) { sink += outcome[ctx.Slot()]; });
        benchmark::DoNotOptimize(sink);
    };
    const auto bare = [&](unsigned n) {
        std::atomic<std::size_t> next{0};
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < n; ++t)
            pool.emplace_back([&] {
                for (std::size_t i; (i = next.fetch_add(1)) < items;) make(i);
            });
        for (auto& th : pool) th.join();
    };
    Sides s;
    Add(s, "plain_loop", [&] {
        for (std::size_t i = 0; i < items; ++i) make(i);
    }, fresh);
    Add(s, "pool_1", [&] { pooled(1); }, fresh);
    Add(s, "bare_threads", [&] { bare(threads); }, fresh);
    Add(s, "pool", [&] { pooled(threads); }, fresh);
    for (auto _ : state)
        for (int round = 0; round < 3; ++round) s.Round(round);
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.SetIterationTime(minOf(s.times[0]));
    state.counters["items"] = static_cast<double>(items);
    state.counters["workers"] = threads;
    for (std::size_t i = 0; i < s.names.size(); ++i) state.counters[s.names[i] + "_min_s"] = minOf(s.times[i]);
    for (std::size_t i = 1; i < s.names.size(); ++i) {
        state.counters["ratio_" + s.names[i] + "_min"] = minOf(s.times[0]) / minOf(s.times[i]);
        state.counters["ratio_" + s.names[i] + "_med"] = medianOf(s.times[0]) / medianOf(s.times[i]);
    }
    if (root >= 0) close(root);
    plat::UnmapDrive('Q');
    std::error_code ec;
    const char* backing = std::getenv("QM_BENCH_BACKING");
    if (backing && *backing) fs::remove_all(fs::path(backing) / fs::path(tmpl).filename(), ec);
    fs::remove_all(tmpl, ec);
}

}  // namespace

BENCHMARK(BM_PoolNothing)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PoolMkdir)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PoolMains)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
