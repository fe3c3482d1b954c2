// Copy folders (page 08) and its undo with the run pool against the same run
// one main folder at a time, sides taking turns in one run: a structure of
// 20 folders and 50 small files copied with its files into each of the
// main folders, then the undo. "pool" takes the workers the main folders'
// file system is given (or QM_BENCH_WORKERS when set), "one" forces one at
// a time. The argument: main folders (use the small ones on latfs, where
// each request waits). Workers, the reorder window's peak and its memory
// beside the times, and a bare loop making the same calls on as many threads
// and on one (bare_speedup: what threads alone give).
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmVol08ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

VisualLog Vol08Log() {
    return VisualLog([]() -> VisualLogWindow* { return frmStatistic08; },
                     []() -> ZoomStatisticsWindow* { return frmVol08ZoomStatistics; });
}

void BM_Vol08CopyAndUndo(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const unsigned forced = ForcedPool();
    SetFileSelNameMasks({"*.*"});
    for (auto _ : state) {
        Workspace ws("qm-vol08-pool-bench", kDrive);
        const CopyStructure structure = MakeCopyStructure(ws);
        VisualLog log = Vol08Log();
        Sides sides({"copy", "undo"});
        std::size_t peak = 0;
        std::vector<std::unique_ptr<Vol08State>> states(2);
        std::vector<Vol08Inputs> ins(2);
        for (int side = 0; side < 2; ++side) {
            const std::string folder = side == 0 ? "Pool" : "One";
            Vol08Inputs& in = ins[static_cast<std::size_t>(side)];
            in.FullPaths = true;
            in.MainFolderWithFiles = true;
            in.FolderStructures = {ws.Drive("S")};
            for (int i = 0; i < items; ++i) {
                const std::string main = folder + "/Main " + std::to_string(i);
                fs::create_directories(ws.Native(main));
                in.IncludeFolders.push_back(ws.Drive(main));
            }
            auto workers = std::make_shared<std::unique_ptr<ForceRunWorkers>>();
            std::unique_ptr<Vol08State>& st = states[static_cast<std::size_t>(side)];
            sides.Add(
                side == 0 ? "pool" : "one",
                [&, workers, side] {
                    *workers = std::make_unique<ForceRunWorkers>(side == 0 ? forced : 1);
                    st = std::make_unique<Vol08State>();
                    Vol08StartRun(*st, true);
                    Vol08ComputeTotalsAndCheckSpace(*st, in, true);
                    log.ClearLogLists();
                },
                {[&, side] {
                     RealDisk disk;
                     Vol08CopyFolders(*st, in, disk, log, Vol08RunMessages());
                     if (side == 0) peak = std::max(peak, LastPageRun().PeakWindow);
                 },
                 [&, workers, items] {
                     if (st->Counters.FilesCopied != 50.0 * items) state.SkipWithError("the run copied too little");
                     Vol08UndoLastRun(*st, log);
                     if (Vol08HasUndo(*st)) state.SkipWithError("the undo left some");
                     workers->reset();
                 }});
        }
        const unsigned threads = forced ? forced : PageRunWorkers(ws.Drive("Pool"), plat::RunWork::Copy);
        std::vector<std::vector<BareMade>> made(static_cast<std::size_t>(items));
        for (const unsigned n : {threads, 1u}) {
            const std::string folder = n == 1 ? "bare_one" : "bare_threads";
            for (int i = 0; i < items; ++i) fs::create_directories(ws.Native(folder + "/Main " + std::to_string(i)));
            // Each thread copies from its own handle on the structure.
            const auto copy = [&, folder](int i, HeldFolders& source) {
                auto& m = made[static_cast<std::size_t>(i)];
                m.clear();
                HeldFolders main(ws.Native(folder + "/Main " + std::to_string(i)));
                ClimbToRoot(main.Dir(""));
                BareMakeFolder(main, "S", m);
                for (const auto& f : structure.folders) BareMakeFolder(main, "S/" + f, m);
                for (const auto& f : structure.files) BareSafeCopy(source, f, main, "S/" + f, m);
            };
            const auto remove = [&, folder](int i, HeldFolders&) {
                HeldFolders main(ws.Native(folder + "/Main " + std::to_string(i)));
                BareSafeRemove(main, made[static_cast<std::size_t>(i)]);
            };
            sides.Add(folder, {},
                      {[&, n, copy] { BareThreads(n, items, ws.Native("S"), copy); },
                       [&, n, remove] { BareThreads(n, items, ws.Native("S"), remove); }});
        }
        sides.RunRounds();
        sides.Report(state);
        for (const char* step : {"copy", "undo"}) {
            const std::string key = std::string(step) + "_bare_";
            if (!state.counters.count(key + "threads_med_s") || !state.counters.count(key + "one_med_s")) continue;
            state.counters[key + "speedup_min"] = state.counters[key + "one_min_s"] / state.counters[key + "threads_min_s"];
            state.counters[key + "speedup_med"] = state.counters[key + "one_med_s"] / state.counters[key + "threads_med_s"];
        }
        // Report() sets pool against one: the ratio of one to the pool is its inverse.
        for (const char* step : {"copy", "undo"}) {
            const std::string key = std::string(step) + "_ratio_one_";
            state.counters[std::string(step) + "_speedup_min"] = 1.0 / state.counters[key + "min"];
            state.counters[std::string(step) + "_speedup_med"] = 1.0 / state.counters[key + "med"];
        }
        state.counters["workers"] = threads;
        state.counters["peak_window"] = static_cast<double>(peak);
        // An outcome: about 72 lines and records of some 140 bytes each.
        state.counters["peak_window_KB"] = static_cast<double>(peak * 72 * 140) / 1024.0;
        log.ClearLogLists();
    }
}

BENCHMARK(BM_Vol08CopyAndUndo)->Arg(1000)->Arg(40)->Arg(8000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    frmVol08ZoomStatistics = new TfrmVol08ZoomStatistics;
    frmStatistic08 = new TfrmStatistic08;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic08;
    delete frmVol08ZoomStatistics;
    return 0;
}
