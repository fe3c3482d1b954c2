// The folder pages' engines against bare system call loops doing the same
// work and against `rm -rf`, each round on fresh identical trees, the sides
// in rotated order over the rounds; the minimum and the median of each
// side are reported. Read the ratios, not the absolute times. QM_BENCH_DIR
// chooses the folder to work in (default: the temp folder); run once with
// it on tmpfs (/dev/shm) and once on disk.
//   delete/0: one main folder holding 1,000 folders of 99 folders each
//   delete/1: 100,000 main folders in the Include list, each holding a file
//   rename:   100,000 folders in 100 parents, a prefix added (with undo records);
//             bare_same_order makes the same calls in the order ours must
//             (the last entered first), which tmpfs takes longer over
//   (these three take QM_BENCH_ROUNDS, QM_BENCH_SIDES, and QM_BENCH_WORKERS
//   to force our run's pool, e.g. 1 for one at a time)
//   delete_pool/M/S: M main folders of S subfolders with 2 files each, one
//             at a time against the run pool (the pool's size by the file
//             system's rule) and bare loops alone and on as many threads;
//             QM_BENCH_DIR on tmpfs, on disk and on latfs
//   rename_pool/P/F: F folders in each of P parents renamed and the rename
//             undone, the same four ways
// On latfs, QM_BENCH_BACKING names the folder the mount passes to: the
// pool benchmarks make their trees there, beside the slow file system.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "pages/RunItems.h"
#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "platform/FileSystem.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr char kDrive = 'V';

class Workspace {
public:
    Workspace() {
        const char* base = std::getenv("QM_BENCH_DIR");
        std::string tmpl = ((base && *base) ? fs::path(base) : fs::temp_directory_path()) / "qm-folders-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        root_ = tmpl;
        plat::MapDrive(kDrive, root_);
    }
    ~Workspace() {
        plat::UnmapDrive(kDrive);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const std::string& root() const { return root_; }
    std::string Drive(const std::string& rel) const { return std::string(1, kDrive) + ":\\" + rel; }

private:
    std::string root_;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }


struct Sides {
    std::vector<std::string> names;
    std::vector<std::function<void()>> runs;
    std::vector<std::vector<double>> times, user, kernel;  // the calling thread's processor time
};

void Report(benchmark::State& state, const Sides& s) {
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const bool ours = !s.times[0].empty();
    if (ours) state.SetIterationTime(minOf(s.times[0]));
    for (std::size_t i = 0; i < s.names.size(); ++i) {
        if (s.times[i].empty()) continue;  // left out by QM_BENCH_SIDES
        state.counters[s.names[i] + "_min_s"] = minOf(s.times[i]);
        state.counters[s.names[i] + "_med_s"] = medianOf(s.times[i]);
        state.counters[s.names[i] + "_user_med_s"] = medianOf(s.user[i]);
        state.counters[s.names[i] + "_kernel_med_s"] = medianOf(s.kernel[i]);
        if (i > 0 && ours) {
            state.counters["ratio_" + s.names[i] + "_min"] = minOf(s.times[0]) / minOf(s.times[i]);
            state.counters["ratio_" + s.names[i] + "_med"] = medianOf(s.times[0]) / medianOf(s.times[i]);
        }
    }
}

// Each side that QM_BENCH_SIDES wants (every one when it is unset) once,
// the one that goes first changing every round.
void RunRotated(Sides& s, int round) {
    const std::size_t n = s.runs.size();
    s.times.resize(n);
    s.user.resize(n);
    s.kernel.resize(n);
    sync();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t side = (static_cast<std::size_t>(round) + k) % n;
        if (!bench::SideWanted(s.names[side])) continue;
        const auto cpu0 = bench::ThreadCpu();
        const auto t0 = Clock::now();
        s.runs[side]();
        s.times[side].push_back(Seconds(Clock::now() - t0));
        const auto cpu1 = bench::ThreadCpu();
        s.user[side].push_back(cpu1.first - cpu0.first);
        s.kernel[side].push_back(cpu1.second - cpu0.second);
    }
}

void MakeTree(const std::string& top, bool manyMains) {
    mkdir(top.c_str(), 0777);
    if (manyMains) {
        for (int i = 0; i < 100000; ++i) {
            const std::string folder = top + "/D" + std::to_string(i);
            mkdir(folder.c_str(), 0777);
            close(open((folder + "/f.txt").c_str(), O_WRONLY | O_CREAT, 0644));
        }
        return;
    }
    for (int i = 0; i < 1000; ++i) {
        const std::string folder = top + "/D" + std::to_string(i);
        mkdir(folder.c_str(), 0777);
        for (int j = 0; j < 99; ++j) mkdir((folder + "/S" + std::to_string(j)).c_str(), 0777);
    }
}

void BM_Vol07DeleteFolders(benchmark::State& state) {
    const bool manyMains = state.range(0) == 1;
    Sides s;
    s.names = {"ours", "bare_same_calls", "rm_rf"};
    const ForceRunWorkers forced(bench::ForcedPool());
    for (auto _ : state) {
        for (int round = 0; round < bench::Rounds(); ++round) {
            Workspace ws;
            for (const char* side : {"/Ours", "/Bare", "/Rm"}) MakeTree(ws.root() + side, manyMains);
            Vol07Inputs in;
            std::vector<std::string> bareMains;
            if (manyMains) {
                for (int i = 0; i < 100000; ++i) {
                    in.IncludeFolders.push_back(ws.Drive("Ours\\D" + std::to_string(i)));
                    bareMains.push_back("D" + std::to_string(i));
                }
            } else {
                in.IncludeFolders = {ws.Drive("Ours")};
                bareMains = {"."};
            }
            in.DeleteSubFolders = false;
            in.DeleteCompleteFolders = true;
            in.WorkingDir = ws.Drive("Work");
            const std::string rm =
                manyMains ? "cd '" + ws.root() + "/Rm' && rm -rf -- D*" : "rm -rf '" + ws.root() + "/Rm'";
            Vol07Counters counters;
            SilentLog sink;
            s.runs = {[&] {
                          RealDisk disk;
                          Vol07DeleteMainFolders(counters, in, disk, sink);
                      },
                      [&] { bench::BareDelete(ws.root() + "/Bare", bareMains); },
                      [&] {
                          if (std::system(rm.c_str()) != 0) state.SkipWithError("rm failed");
                      }};
            RunRotated(s, round);
            const double expected = manyMains ? 100000 : 100000 + 1;
            if (bench::SideWanted("ours") && counters.FoldersDeleted != expected) state.SkipWithError("folders left");
        }
    }
    Report(state, s);
}

void BM_Vol06RenameFolders(benchmark::State& state) {
    Sides s;
    s.names = {"ours", "bare_same_calls", "bare_rename", "bare_same_order"};
    const ForceRunWorkers forced(bench::ForcedPool());
    for (auto _ : state) {
        for (int round = 0; round < bench::Rounds(); ++round) {
            Workspace ws;
            Vol06Inputs in;
            in.NewPrefix = "x_";
            for (const char* side : {"/Ours", "/Same", "/Bare", "/Order"}) {
                mkdir((ws.root() + side).c_str(), 0777);
                for (int p = 0; p < 100; ++p) {
                    const std::string parent = ws.root() + side + "/P" + std::to_string(p);
                    mkdir(parent.c_str(), 0777);
                    for (int i = 0; i < 1000; ++i) mkdir((parent + "/F" + std::to_string(i)).c_str(), 0777);
                }
            }
            for (int p = 0; p < 100; ++p)
                for (int i = 0; i < 1000; ++i)
                    in.IncludeFolders.push_back(ws.Drive("Ours\\P" + std::to_string(p) + "\\F" + std::to_string(i)));
            Vol06Counters counters;
            Vol06UndoRecords records;
            SilentLog sink;
            // Each folder looked at, then moved without replacing, from its parent held open;
            // `ours` in the order our run takes them (the last entered first).
            const auto bare = [&](const char* side, bool look, bool ours = false) {
                for (int k = 0; k < 100; ++k) {
                    const int p = ours ? 99 - k : k;
                    const int dir = open((ws.root() + side + "/P" + std::to_string(p)).c_str(), O_RDONLY | O_DIRECTORY);
                    for (int j = 0; j < 1000; ++j) {
                        const int i = ours ? 999 - j : j;
                        const std::string name = "F" + std::to_string(i);
                        struct stat st {};
                        if (look && (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)))
                            continue;
                        renameat2(dir, name.c_str(), dir, ("x_" + name).c_str(), RENAME_NOREPLACE);
                    }
                    close(dir);
                }
            };
            s.runs = {[&] {
                          RealDisk disk;
                          Vol06UndoRecorder recorder(records);
                          Vol06RenameFolders(counters, in, disk, recorder, sink);
                      },
                      [&] { bare("/Same", true); },
                      [&] { bare("/Bare", false); }, [&] { bare("/Order", true, true); }};
            RunRotated(s, round);
            if (bench::SideWanted("ours") && counters.FoldersRenamed != 100000)
                state.SkipWithError("folders not renamed");
        }
    }
    Report(state, s);
}

// Where a pool benchmark makes its trees: the workspace itself, or its
// twin below QM_BENCH_BACKING.
std::string MadeRoot(const bench::Workspace& ws) {
    const char* backing = std::getenv("QM_BENCH_BACKING");
    if (!backing || !*backing) return ws.root();
    return std::string(backing) + "/" + fs::path(ws.root()).filename().string();
}

// Main folders D0.. below `top`, each with `subs` subfolders of 2 files.
void MakeMains(const std::string& top, int mains, int subs) {
    mkdir(top.c_str(), 0777);
    for (int i = 0; i < mains; ++i) {
        const std::string folder = top + "/D" + std::to_string(i);
        mkdir(folder.c_str(), 0777);
        for (int j = 0; j < subs; ++j) {
            const std::string sub = folder + "/S" + std::to_string(j);
            mkdir(sub.c_str(), 0777);
            for (const char* f : {"/a.txt", "/b.txt"}) close(open((sub + f).c_str(), O_WRONLY | O_CREAT, 0644));
        }
    }
}

// BareDelete on `threads` threads, each taking whole main folders.
void BareDeleteOnThreads(const std::string& top, int mains, unsigned threads) {
    bench::BareThreads(threads, mains, [&](int i) { bench::BareDelete(top, {"D" + std::to_string(i)}); });
}

void BM_Vol07DeletePool(benchmark::State& state) {
    const int mains = static_cast<int>(state.range(0));
    const int subs = static_cast<int>(state.range(1));
    bench::Workspace ws("qm-delete-pool", kDrive);
    Vol07Inputs in;
    for (int i = 0; i < mains; ++i) in.IncludeFolders.push_back(ws.Drive("Ours/D" + std::to_string(i)));
    in.DeleteSubFolders = false;
    in.DeleteCompleteFolders = true;
    in.WorkingDir = ws.Drive("Work");
    const unsigned workers = PageRunWorkers(ws.Drive(""), plat::RunWork::Remove);
    const double expected = mains * (subs + 1.0);
    bool complete = true;
    RunPoolResult pool;
    const auto ours = [&](unsigned force) {
        return [&, force] {
            ForceRunWorkers forced(force);
            Vol07Counters counters;
            SilentLog sink;
            RealDisk disk;
            Vol07DeleteMainFolders(counters, in, disk, sink);
            if (force != 1) pool = LastPageRun();
            complete = complete && counters.FoldersDeleted == expected;
        };
    };
    const auto fresh = [&](const char* side) {
        return [&, side] {
            const std::string top = MadeRoot(ws) + "/" + side;
            fs::remove_all(top);
            MakeMains(top, mains, subs);
        };
    };
    bench::Sides sides({"delete"});
    sides.Add("one", fresh("Ours"), {ours(1)});
    sides.Add("pool", fresh("Ours"), {ours(0)});
    sides.Add("bare_one", fresh("Bare"), {[&] { BareDeleteOnThreads(ws.Native("Bare"), mains, 1); }});
    sides.Add("bare_pool", fresh("Bare"), {[&] { BareDeleteOnThreads(ws.Native("Bare"), mains, workers); }});
    for (auto _ : state) sides.RunRounds();
    if (!complete) state.SkipWithError("folders left");
    sides.Report(state);
    state.counters["workers"] = workers;
    state.counters["peak_window"] = static_cast<double>(pool.PeakWindow);
}

// Each of `folders` folders of `parents` parents looked at and renamed
// without replacing (back: the new name looked at, the old one looked for,
// renamed back), whole parents to each of `threads` threads.
void BareRenames(const std::string& top, int parents, int folders, unsigned threads, bool back) {
    bench::BareThreads(threads, parents, [&](int p) {
        const int dir = open((top + "/P" + std::to_string(p)).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        for (int i = 0; i < folders; ++i) {
            const std::string name = "F" + std::to_string(i), renamed = "x_" + name;
            struct stat st {};
            const std::string& from = back ? renamed : name;
            const std::string& to = back ? name : renamed;
            if (fstatat(dir, from.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)) continue;
            if (back && fstatat(dir, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) continue;
            renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE);
        }
        close(dir);
    });
}

void BM_Vol06RenamePool(benchmark::State& state) {
    const int parents = static_cast<int>(state.range(0));
    const int folders = static_cast<int>(state.range(1));
    bench::Workspace ws("qm-rename-pool", kDrive);
    Vol06Inputs in;
    in.NewPrefix = "x_";
    for (int p = 0; p < parents; ++p)
        for (int i = 0; i < folders; ++i)
            in.IncludeFolders.push_back(ws.Drive("Ours/P" + std::to_string(p) + "/F" + std::to_string(i)));
    std::vector<std::string> froms;
    for (const std::string& item : in.IncludeFolders) froms.push_back(item);
    const unsigned workers = PageRunWorkers(ws.Drive(""), plat::RunWork::Remove);
    const auto fresh = [&](const char* side) {
        return [&, side] {
            const std::string top = MadeRoot(ws) + "/" + side;
            fs::remove_all(top);
            mkdir(top.c_str(), 0777);
            for (int p = 0; p < parents; ++p) {
                const std::string parent = top + "/P" + std::to_string(p);
                mkdir(parent.c_str(), 0777);
                for (int i = 0; i < folders; ++i) mkdir((parent + "/F" + std::to_string(i)).c_str(), 0777);
            }
        };
    };
    Vol06UndoRecords records;
    bool right = true;
    RunPoolResult renamePool;
    const auto rename = [&](unsigned force) {
        return [&, force] {
            ForceRunWorkers forced(force);
            Vol06Counters counters;
            SilentLog sink;
            RealDisk disk;
            Vol06ClearUndo(records);
            Vol06UndoRecorder recorder(records);
            Vol06RenameFolders(counters, in, disk, recorder, sink);
            if (force != 1) renamePool = LastPageRun();
            right = right && counters.FoldersRenamed == parents * folders;
        };
    };
    const auto undo = [&](unsigned force) {
        return [&, force] {
            ForceRunWorkers forced(force);
            Vol06Counters counters;
            SilentLog sink;
            const Vol06UndoReport report = Vol06UndoRenames(records, counters, sink);
            right = right && Vol06UndoReportText(report).empty();
        };
    };
    const auto bare = [&](unsigned threads, bool back) {
        return [&, threads, back] { BareRenames(ws.Native("Bare"), parents, folders, threads, back); };
    };
    bench::Sides sides({"rename", "undo"});
    sides.Add("one", fresh("Ours"), {rename(1), undo(1)});
    sides.Add("pool", fresh("Ours"), {rename(0), undo(0)});
    sides.Add("bare_one", fresh("Bare"), {bare(1, false), bare(1, true)});
    sides.Add("bare_pool", fresh("Bare"), {bare(workers, false), bare(workers, true)});
    for (auto _ : state) sides.RunRounds();
    if (!right) state.SkipWithError("not all renamed and back");
    sides.Report(state);
    state.counters["workers"] = workers;
    state.counters["peak_window"] = static_cast<double>(renamePool.PeakWindow);
}

BENCHMARK(BM_Vol07DeleteFolders)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol06RenameFolders)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol06RenamePool)
    ->Args({100, 200})
    ->Args({20, 10})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol07DeletePool)
    ->Args({2000, 10})
    ->Args({100, 3})
    ->Args({400, 3})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
