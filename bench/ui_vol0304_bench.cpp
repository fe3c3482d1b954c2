// Pages 03 and 04 with their Visual Logs shown: 100,000 numbered folders
// (page 03), and one new folder beside each of 100,000 paths (page 04, the
// paths in one folder or spread over 1,000 folders), against a bare mkdir
// loop doing the same work in the same run, in alternating chunks so that
// all see the same disk: mkdir by path, and mkdirat below an open folder
// with the stat that gives the new folder's identity (the system calls ours
// makes). Read the ratios, not the absolute times.
// QM_BENCH_DIR chooses the folder to work in (default: the temp folder).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>

#include "pages/VisualLog.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol04Engine.h"
#include "platform/FileSystem.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr char kDrive = 'V';
constexpr int kChunk = 500;

// A fresh folder mapped as drive V: for one benchmark.
class Workspace {
public:
    Workspace() {
        const char* base = std::getenv("QM_BENCH_DIR");
        std::string tmpl = ((base && *base) ? fs::path(base) : fs::temp_directory_path()) / "qm-vol0304-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        root_ = tmpl;
        fs::create_directories(root_ + "/Dest");
        fs::create_directories(root_ + "/Bare");
        plat::MapDrive(kDrive, root_);
    }
    ~Workspace() {
        plat::UnmapDrive(kDrive);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The same system calls as ours: mkdirat below an open folder, then the new
// folder's identity (device and inode) that the undo needs.
bool BareMkdirWithIdentity(int dir, const std::string& name) {
    if (mkdirat(dir, name.c_str(), 0777) != 0) return false;
    struct stat st {};
    return fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// Runs `ours`, `bare` (mkdir by path) and `same` (mkdirat and its identity)
// over the items in alternating chunks, the one that goes first changing
// every chunk, and reports each and the ratios.
void Alternate(benchmark::State& state, int items, const std::function<void(int)>& ours,
               const std::function<void(int)>& bare, const std::function<void(int)>& same, RunLog& log,
               const CreationState& run) {
    Clock::duration oursTime{}, bareTime{}, sameTime{};
    const std::function<void(int)>* loops[] = {&ours, &bare, &same};
    Clock::duration* totals[] = {&oursTime, &bareTime, &sameTime};
    for (int first = 0, chunk = 0; first < items; first += kChunk, ++chunk) {
        const int last = std::min(items, first + kChunk);
        for (int k = 0; k < 3; ++k) {
            const int side = (chunk + k) % 3;
            const auto t0 = Clock::now();
            for (int i = first; i < last; ++i) (*loops[side])(i);
            *totals[side] += Clock::now() - t0;
        }
    }
    const auto t0 = Clock::now();
    log.ShowCounters(run.Labels());
    oursTime += Clock::now() - t0;
    state.SetIterationTime(Seconds(oursTime));
    state.counters["bare_s"] = Seconds(bareTime);
    state.counters["ours_s"] = Seconds(oursTime);
    state.counters["ratio"] = Seconds(oursTime) / Seconds(bareTime);
    state.counters["bare_same_calls_s"] = Seconds(sameTime);
    state.counters["ratio_same_calls"] = Seconds(oursTime) / Seconds(sameTime);
    state.counters["folders"] = run.Counters.FoldersCreated;
}

// Page 03: Job-000001 ... Job-100000 in one destination, nothing attached.
void BM_Vol03NumberedFolders(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws;
        Vol03Inputs in;
        in.DestFolder = std::string(1, kDrive) + ":\\Dest";
        in.AttachNothing = true;
        in.Prefix = "Job";
        in.Hyphen = true;
        in.PaddedZeroes = true;
        in.StartText = "1";
        in.EndText = std::to_string(items);
        const Vol03Numbers numbers = Vol03ReadNumbers(in.StartText, in.EndText);
        Vol03State run;
        VisualLog log = Vol03VisualLog();
        log.SetRunMode(true);
        log.ClearLogLists();
        log.ClearZoomLists();
        frmStatistic03->ShowLog();
        RealDisk disk;
        Vol03Creator creator(in, numbers, run, log, disk);
        const std::string bare = ws.root() + "/Bare/Job-";
        fs::create_directories(ws.root() + "/Same");
        const int same = open((ws.root() + "/Same").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        std::string path;
        Alternate(
            state, items, [&](int i) { creator.CreateOne(i + 1); },
            [&](int i) {
                path = bare + Vol03NumberText(i + 1, true, numbers.Digits());
                mkdir(path.c_str(), 0777);
            },
            [&](int i) { BareMkdirWithIdentity(same, "Job-" + Vol03NumberText(i + 1, true, numbers.Digits())); },
            log, run);
        close(same);
        if (run.Counters.FoldersCreated != items) state.SkipWithError("folders missing");
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

// Page 04: the Include paths V:\Src\<n / perParent>\Item <n>; each new
// folder P-Item <n> goes beside its path (the parents exist).
void BM_Vol04FolderBesideEachPath(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const int perParent = static_cast<int>(state.range(1));
    for (auto _ : state) {
        Workspace ws;
        Vol04Inputs in;
        in.AttachNothing = true;
        in.Prefix = "P";
        in.Hyphen = true;
        const std::string drive = std::string(1, kDrive) + ":\\";
        std::vector<int> same;
        for (int p = 0; p < (items + perParent - 1) / perParent; ++p) {
            fs::create_directories(ws.root() + "/Src/" + std::to_string(p));
            fs::create_directories(ws.root() + "/Bare/" + std::to_string(p));
            fs::create_directories(ws.root() + "/Same/" + std::to_string(p));
            same.push_back(open((ws.root() + "/Same/" + std::to_string(p)).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        }
        for (int i = 0; i < items; ++i)
            in.IncludeFolders.push_back(drive + "Src\\" + std::to_string(i / perParent) + "\\Item " +
                                        std::to_string(i));
        Vol04State run;
        VisualLog log = Vol04VisualLog();
        log.SetRunMode(true);
        log.ClearLogLists();
        log.ClearZoomLists();
        frmStatistic04->ShowLog();
        RealDisk disk;
        Vol04Creator creator(in, run, log, disk);
        const std::string bare = ws.root() + "/Bare/";
        std::string path;
        Alternate(
            state, items, [&](int i) { creator.CreateOne(in.IncludeFolders[static_cast<std::size_t>(i)]); },
            [&](int i) {
                path = bare + std::to_string(i / perParent) + "/P-Item " + std::to_string(i);
                mkdir(path.c_str(), 0777);
            },
            [&](int i) {
                BareMkdirWithIdentity(same[static_cast<std::size_t>(i / perParent)], "P-Item " + std::to_string(i));
            },
            log, run);
        for (int fd : same) close(fd);
        if (run.Counters.FoldersCreated != items) state.SkipWithError("folders missing");
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

BENCHMARK(BM_Vol03NumberedFolders)->Arg(100000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol04FolderBesideEachPath)
    ->Args({100000, 100000})
    ->Args({100000, 100})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    frmVol03ZoomStatistics = new TfrmVol03ZoomStatistics;
    frmStatistic03 = new TfrmStatistic03;
    frmVol04ZoomStatistics = new TfrmVol04ZoomStatistics;
    frmStatistic04 = new TfrmStatistic04;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic04;
    delete frmVol04ZoomStatistics;
    delete frmStatistic03;
    delete frmVol03ZoomStatistics;
    return 0;
}
