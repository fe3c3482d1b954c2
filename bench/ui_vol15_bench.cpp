// Page 15's check: 1,000 project folders against a model of 1,000 entries
// (100 folders, 900 files), subfolders only, with files, as the page runs
// it (both passes on the run frame, the Visual Log shown), against bare
// walks of the same project trees, whole runs taking turns in rotated
// rounds: one that opens each folder beneath the held one and takes the
// kinds from the listing (the calls ours makes), one that also stats each
// entry, and the plain opendir/lstat walk by full paths. All walk warm trees
// (one untimed walk first). Read the ratios, not the absolute times.
// QM_BENCH_DIR chooses the folder to work in (default: the temp folder),
// QM_BENCH_ROUNDS the rounds.
//
// check_pool/P/A: P projects of A areas (of 9 parts of 9 files) checked one
// at a time against the run pool (its size by the file system's rule), and
// bare kinds walks alone and on as many threads. On latfs, set
// QM_BENCH_BACKING to the folder the mount passes to: the trees are made
// there, beside the slow file system.
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
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/checker/Vol15Engine.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmVol15ZoomStatistics.h"

namespace {

namespace fs = std::filesystem;
constexpr char kDrive = 'V';
constexpr int kProjects = 1000;

void Touch(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) close(fd);
}

// The model's tree below `root`: 10 folders of 9 subfolders, 9 files in each.
void MakeTree(const std::string& root, int project, int areas = 10) {
    mkdir(root.c_str(), 0755);
    for (int a = 0; a < areas; ++a) {
        const std::string top = root + "/Area " + std::to_string(a);
        mkdir(top.c_str(), 0755);
        for (int f = 0; f < 9; ++f) Touch(top + "/note" + std::to_string(f) + ".txt");
        for (int b = 0; b < 9; ++b) {
            const std::string sub = top + "/Part " + std::to_string(b);
            mkdir(sub.c_str(), 0755);
            for (int f = 0; f < 9; ++f) {
                // Every tenth project lacks one file and holds another instead.
                if (project % 10 == 1 && a == areas / 3 && b == 4 && f == 0) continue;
                Touch(sub + "/data" + std::to_string(f) + ".bin");
            }
            if (project % 10 == 1 && a == areas / 3 && b == 4) Touch(sub + "/stray.tmp");
        }
    }
}

class Workspace {
public:
    Workspace() {
        const char* base = std::getenv("QM_BENCH_DIR");
        std::string tmpl = ((base && *base) ? fs::path(base) : fs::temp_directory_path()) / "qm-vol15-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        root_ = tmpl;
        MakeTree(root_ + "/Model", 0);
        mkdir((root_ + "/Jobs").c_str(), 0755);
        for (int i = 0; i < kProjects; ++i) MakeTree(Project(i), i);
        plat::MapDrive(kDrive, root_);
    }
    ~Workspace() {
        plat::UnmapDrive(kDrive);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::string Project(int i) const { return root_ + "/Jobs/Project " + std::to_string(i); }
    static std::string DriveProject(int i) { return std::string(1, kDrive) + ":\\Jobs\\Project " + std::to_string(i); }

private:
    std::string root_;
};

void BM_Vol15CheckProjects(benchmark::State& state) {
    // One project at a time, as the bare walks go; the pool is measured below.
    const ForceRunWorkers oneAtATime(1);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    for (auto _ : state) {
        Workspace ws;
        double seen = 0;
        // Warm, untimed.
        for (int i = 0; i < kProjects; ++i) seen += static_cast<double>(bench::PlainWalk(ws.Project(i)).entries);

        SetFileSelNameMasks({"*.*"});
        Vol15Inputs in;
        in.FullPaths = true;
        in.SubFoldersOnlyWithFiles = true;
        in.ShowDetailedResults = true;
        in.FolderStructures = {std::string(1, kDrive) + ":\\Model"};
        for (int i = 0; i < kProjects; ++i) in.IncludeFolders.push_back(Workspace::DriveProject(i));
        std::unique_ptr<Vol15State> run;
        VisualLog log = Vol15VisualLog();
        bool found = true;
        const auto walks = [&](auto walk) {
            return [&, walk] {
                for (int i = 0; i < kProjects; ++i) benchmark::DoNotOptimize(walk(ws.Project(i)).entries);
            };
        };
        bench::Sides sides({"check"});
        sides.Add("ours", [&] { run = std::make_unique<Vol15State>(); },
                  {[&] {
                      Vol15CheckProjectsConsistency(*run, in, log, RunHooks{});
                      found = found && run->Counters.Stat15FilesMissing == kProjects / 10 &&
                              run->Counters.Stat15FilesExtra == kProjects / 10;
                  }});
        sides.Add("same_calls", {}, {walks(bench::KindsWalk)});
        sides.Add("stat_each", {}, {walks(bench::SameCallsWalk)});
        sides.Add("plain", {}, {walks(bench::PlainWalk)});
        sides.RunRounds();
        sides.Report(state);
        if (!found) state.SkipWithError("unexpected findings");
        state.counters["entries"] =
            benchmark::Counter(seen, benchmark::Counter::kDefaults, benchmark::Counter::kIs1000);
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

void BM_Vol15CheckPool(benchmark::State& state) {
    const int projects = static_cast<int>(state.range(0));
    const int areas = static_cast<int>(state.range(1));
    bench::Workspace ws("qm-vol15-pool", kDrive);
    const char* backing = std::getenv("QM_BENCH_BACKING");
    const std::string made =
        backing && *backing ? std::string(backing) + "/" + fs::path(ws.root()).filename().string() : ws.root();
    MakeTree(made + "/Model", 0, areas);
    mkdir((made + "/Jobs").c_str(), 0755);
    for (int i = 0; i < projects; ++i) MakeTree(made + "/Jobs/Project " + std::to_string(i), i, areas);
    SetFileSelNameMasks({"*.*"});
    Vol15Inputs in;
    in.FullPaths = true;
    in.SubFoldersOnlyWithFiles = true;
    in.FolderStructures = {ws.Drive("Model")};
    for (int i = 0; i < projects; ++i) in.IncludeFolders.push_back(ws.Drive("Jobs/Project " + std::to_string(i)));
    const unsigned workers = PageRunWorkers(ws.Drive("Jobs"), plat::RunWork::Look);
    RunPoolResult pool;
    bool right = true;
    const auto ours = [&](unsigned force) {
        return [&, force] {
            ForceRunWorkers forced(force);
            Vol15State run;
            VisualLog log = Vol15VisualLog();
            log.SetRunMode(true);
            log.ClearLogLists();
            log.ClearZoomLists();
            Vol15Checker checker(in, run, log);
            checker.ReadModels(true);
            const RunPoolResult r = checker.CheckProjects();
            if (force != 1) pool = r;
            checker.WriteExtra();
            log.ShowCounters(run.Counters.Labels());
            right = right && run.Counters.Stat15FilesMissing == (projects + 8) / 10;
        };
    };
    const auto bare = [&](unsigned threads) {
        return [&, threads] {
            bench::BareThreads(threads, projects, [&](int i) {
                benchmark::DoNotOptimize(bench::KindsWalk(ws.Native("Jobs/Project " + std::to_string(i))));
            });
        };
    };
    bench::Sides sides({"check"});
    sides.Add("one", nullptr, {ours(1)});
    sides.Add("pool", nullptr, {ours(0)});
    sides.Add("bare_one", nullptr, {bare(1)});
    sides.Add("bare_pool", nullptr, {bare(workers)});
    for (auto _ : state) sides.RunRounds();
    if (!right) state.SkipWithError("unexpected findings");
    sides.Report(state);
    state.counters["workers"] = workers;
    state.counters["peak_window"] = static_cast<double>(pool.PeakWindow);
}

BENCHMARK(BM_Vol15CheckProjects)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol15CheckPool)->Args({1000, 10})->Args({64, 1})->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    frmVol15ZoomStatistics = new TfrmVol15ZoomStatistics;
    frmStatistic15 = new TfrmStatistic15;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic15;
    delete frmVol15ZoomStatistics;
    return 0;
}
