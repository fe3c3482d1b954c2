// The create pages' runs and undos with the run pool against the same runs
// one item at a time, sides taking turns in one run:
//   02 R: main folders with a template of 20 folders each;
//   02 F: main folders with an existing structure of 20 folders and 50
//         small files each;
//   03:   numbered main folders with the same template.
// "pool" takes the workers the destination's file system is given (or
// QM_BENCH_WORKERS when set), "one" forces one at a time. The template runs
// also set beside them bare loops making the same calls (each main folder
// with its template folders beneath held folders, then removed as the undo
// removes them) on as many threads as the pool has and on one. The
// arguments: main folders (use the small ones on latfs, where each request
// waits). Workers, the reorder window's peak and its memory beside the times.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol03Engine.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "results/TfrmVol03ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

StringList Template() {
    StringList lines;
    for (int i = 0; i < 5; ++i) {
        const std::string top = "Phase " + std::to_string(i);
        lines.push_back(top);
        for (int j = 0; j < 3; ++j) lines.push_back(top + "\\Part " + std::to_string(j));
    }
    return lines;
}

// Both sides of one page: `run` makes into the folder it is given and
// `undo` takes it back; `made` checks the run.
struct Page {
    std::function<void(const std::string& dest, CreationState*& state)> run;
    std::function<void()> undo;
    std::function<bool()> made;
};

// The bare loop's main folders, each with the template's folders.
struct Bare {
    int items = 0;
    StringList lines;  // relative, backslashes
    std::vector<std::string> names;
};

// Item `i` of the bare loop beneath `held`: its main folder, then each
// template folder in line order.
void BareItem(const Bare& bare, int i, HeldFolders& held, std::vector<BareMade>& made) {
    BareMakeFolder(held, bare.names[static_cast<std::size_t>(i)], made);
    for (std::string rel : bare.lines) {
        std::replace(rel.begin(), rel.end(), '\\', '/');
        BareMakeFolder(held, bare.names[static_cast<std::size_t>(i)] + "/" + rel, made);
    }
    held.Release();
}

void RunSides(benchmark::State& state, const Workspace& ws, const std::function<Page(int side)>& make,
              std::size_t outcomeBytes, plat::RunWork work = plat::RunWork::Make, const Bare* bare = nullptr) {
    const unsigned forced = ForcedPool();
    const unsigned threads = forced ? forced : PageRunWorkers(ws.Drive(""), work);
    Sides sides({"create", "undo"});
    std::size_t peak = 0;
    std::vector<Page> pages;
    for (int side = 0; side < 2; ++side) pages.push_back(make(side));
    for (int side = 0; side < 2; ++side) {
        const std::string folder = side == 0 ? "Pool" : "One";
        mkdir(ws.Native(folder).c_str(), 0777);
        auto workers = std::make_shared<std::unique_ptr<ForceRunWorkers>>();
        Page& page = pages[static_cast<std::size_t>(side)];
        sides.Add(
            side == 0 ? "pool" : "one",
            [workers, side, forced] { *workers = std::make_unique<ForceRunWorkers>(side == 0 ? forced : 1); },
            {[&, folder, side] {
                 CreationState* s = nullptr;
                 page.run(ws.Drive(folder), s);
                 if (side == 0) peak = std::max(peak, LastPageRun().PeakWindow);
             },
             [&, workers] {
                 if (!page.made()) state.SkipWithError("the run made too little");
                 page.undo();
                 workers->reset();
             }});
    }
    std::vector<std::vector<BareMade>> made(bare ? static_cast<std::size_t>(bare->items) : 0);
    for (const unsigned n : {threads, 1u}) {
        if (!bare) break;
        const std::string folder = ws.Native(n == 1 ? "BareOne" : "Bare");
        mkdir(folder.c_str(), 0777);
        sides.Add(n == 1 ? "bare_one" : "bare_threads", nullptr,
                  {[&, n, folder] {
                       BareThreads(n, bare->items, folder, [&](int i, HeldFolders& held) {
                           BareItem(*bare, i, held, made[static_cast<std::size_t>(i)]);
                       });
                   },
                   [&, n, folder] {
                       BareThreads(n, bare->items, folder, [&](int i, HeldFolders& held) {
                           BareSafeRemove(held, made[static_cast<std::size_t>(i)]);
                       });
                   }});
    }
    sides.RunRounds();
    sides.Report(state);
    // Report() sets pool against one: the ratio of one to the pool is its inverse.
    for (const char* step : {"create", "undo"}) {
        const std::string key = std::string(step) + "_ratio_one_";
        state.counters[std::string(step) + "_speedup_min"] = 1.0 / state.counters[key + "min"];
        state.counters[std::string(step) + "_speedup_med"] = 1.0 / state.counters[key + "med"];
        if (!bare) continue;
        // The bare threads against the bare loop, to set ours beside.
        const std::string one = std::string(step) + "_bare_one_", many = std::string(step) + "_bare_threads_";
        state.counters[std::string(step) + "_bare_speedup_min"] =
            state.counters[one + "min_s"] / state.counters[many + "min_s"];
        state.counters[std::string(step) + "_bare_speedup_med"] =
            state.counters[one + "med_s"] / state.counters[many + "med_s"];
    }
    state.counters["workers"] = threads;
    state.counters["peak_window"] = static_cast<double>(peak);
    state.counters["peak_window_KB"] = static_cast<double>(peak * outcomeBytes) / 1024.0;
}

void BM_Vol02Templates(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws("qm-pool-bench", kDrive);
        std::vector<std::unique_ptr<Vol02State>> states(2);
        std::vector<Vol02Inputs> ins(2);
        VisualLog log = Vol02VisualLog();
        Bare bare{items, Template(), {}};
        for (int i = 0; i < items; ++i) bare.names.push_back("Project " + std::to_string(i));
        RunSides(
            state, ws,
            [&](int side) {
                auto& st = states[static_cast<std::size_t>(side)];
                auto& in = ins[static_cast<std::size_t>(side)];
                in.RelativePaths = true;
                in.ViewDestFolder = false;
                in.FolderStructures = Template();
                for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
                return Page{[&](const std::string& dest, CreationState*&) {
                                st = std::make_unique<Vol02State>();
                                in.DestFolder = dest;
                                Vol02RunCreateFolders(*st, in, log, RunHooks{});
                            },
                            [&] { Vol02UndoLastRun(*st, log); },
                            [&, items] { return st->Counters.SubFoldersCreated == 20.0 * items; }};
            },
            21 * 120, plat::RunWork::Make, &bare);
        log.ClearLogLists();
    }
}

void BM_Vol02Structure(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws("qm-pool-bench", kDrive);
        MakeCopyStructure(ws);
        std::vector<std::unique_ptr<Vol02State>> states(2);
        std::vector<Vol02Inputs> ins(2);
        VisualLog log = Vol02VisualLog();
        RunSides(
            state, ws,
            [&](int side) {
                auto& st = states[static_cast<std::size_t>(side)];
                auto& in = ins[static_cast<std::size_t>(side)];
                in.FullPaths = true;
                in.MainFolderWithFiles = true;
                in.ViewDestFolder = false;
                in.FolderStructures = {ws.Drive("S")};
                for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
                return Page{[&](const std::string& dest, CreationState*&) {
                                st = std::make_unique<Vol02State>();
                                in.DestFolder = dest;
                                Vol02CheckDiskSpace(*st, in, true);
                                Vol02RunCreateFolders(*st, in, log, RunHooks{});
                            },
                            [&] { Vol02UndoLastRun(*st, log); },
                            [&, items] { return st->Counters.FilesCreated == 50.0 * items; }};
            },
            72 * 140, plat::RunWork::Copy);
        log.ClearLogLists();
    }
}

void BM_Vol03Templates(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws("qm-pool-bench", kDrive);
        std::vector<std::unique_ptr<Vol03State>> states(2);
        std::vector<Vol03Inputs> ins(2);
        VisualLog log = Vol03VisualLog();
        Bare bare{items, Template(), {}};
        for (int i = 1; i <= items; ++i) bare.names.push_back(std::to_string(i));
        RunSides(
            state, ws,
            [&](int side) {
                auto& st = states[static_cast<std::size_t>(side)];
                auto& in = ins[static_cast<std::size_t>(side)];
                in.RelativePaths = true;
                in.ViewDestFolder = false;
                in.FolderStructures = Template();
                in.StartText = "1";
                in.EndText = std::to_string(items);
                return Page{[&](const std::string& dest, CreationState*&) {
                                st = std::make_unique<Vol03State>();
                                in.DestFolder = dest;
                                Vol03RunCreateFolders(*st, in, log, Vol03PageHooks{});
                            },
                            [&] { Vol03UndoLastRun(*st, log); },
                            [&, items] { return st->Counters.SubFoldersCreated == 20.0 * items; }};
            },
            21 * 120, plat::RunWork::Make, &bare);
        log.ClearLogLists();
    }
}

BENCHMARK(BM_Vol02Templates)->Arg(10000)->Arg(200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol02Structure)->Arg(1000)->Arg(40)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol03Templates)->Arg(10000)->Arg(200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    frmVol02ZoomStatistics = new TfrmVol02ZoomStatistics;
    frmStatistic02 = new TfrmStatistic02;
    frmVol03ZoomStatistics = new TfrmVol03ZoomStatistics;
    frmStatistic03 = new TfrmStatistic03;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic03;
    delete frmVol03ZoomStatistics;
    delete frmStatistic02;
    delete frmVol02ZoomStatistics;
    return 0;
}
