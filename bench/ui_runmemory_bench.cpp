// What a run or simulation adds to the process's peak, per entry it lists,
// beside what the memory check weighed before it started. Each case runs in
// a process of its own, so its peak is its own. Read measured_B_per_entry against
// estimate_B_per_entry: the check should stay within a quarter of it.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/RunMemory.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol04Engine.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

void MakeFiles(const std::string& folder, int count) {
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) std::ofstream(folder + "/file" + std::to_string(i) + ".txt") << "x";
}

// A structure of one folder, "Docs", below S.
std::string OneFolderStructure(const Workspace& ws) {
    fs::create_directories(ws.Native("S/Docs"));
    return ws.Drive("S");
}

// One run of case `kind` over `n` items; the peak it adds and what was weighed.
int Measure(const std::string& kind, long n) {
    Workspace ws("qm-runmemory-bench", kDrive);
    mkdir(ws.Native("Ours").c_str(), 0777);
    std::function<void()> run;
    std::function<double()> listed;  // entries the run's counters say it listed
    Vol03State s03;
    Vol03Inputs in03;
    Vol04State s04;
    Vol04Inputs in04;
    Vol10State s10;
    Vol10Inputs in10;
    Vol11State s11;
    Vol11Inputs in11;
    if (kind.rfind("v03", 0) == 0) {
        in03.DestFolder = ws.Drive("Ours");
        in03.Prefix = "Job";
        in03.Hyphen = true;
        in03.StartText = "1";
        in03.EndText = std::to_string(n);
        in03.ViewDestFolder = false;
        if (kind.find("struct") != std::string::npos) {
            in03.FolderStructures = {OneFolderStructure(ws)};
            in03.SubFoldersOnlyWithoutFiles = true;
            in03.FullPaths = true;
            Vol03CheckDiskSpace(s03, in03, false);  // as the page does on every change
        } else {
            in03.AttachNothing = true;
        }
        const bool sim = kind.find("sim") != std::string::npos;
        run = [&, sim] {
            VisualLog log = Vol03VisualLog();
            if (sim)
                Vol03SimulateCreateFolders(s03, in03, log, Vol03PageHooks{}, "", "");
            else
                Vol03RunCreateFolders(s03, in03, log, Vol03PageHooks{});
        };
        listed = [&] { return s03.Counters.FoldersCreated + s03.Counters.SubFoldersCreated; };
        if (kind.find("struct") != std::string::npos) Put("structure_folders", s03.StructureFolders);
    } else if (kind == "v04struct") {
        for (long p = 0; p < (n + 999) / 1000; ++p) mkdir(ws.Native("Ours/" + std::to_string(p)).c_str(), 0777);
        for (long i = 0; i < n; ++i)
            in04.IncludeFolders.push_back(ws.Drive("Ours/" + std::to_string(i / 1000) + "/Item " + std::to_string(i)));
        in04.Prefix = "P";
        in04.Hyphen = true;
        in04.ViewDestFolder = false;
        in04.FolderStructures = {OneFolderStructure(ws)};
        in04.SubFoldersOnlyWithoutFiles = true;
        in04.FullPaths = true;
        Vol04CheckDiskSpace(s04, in04, false);
        run = [&] {
            VisualLog log = Vol04VisualLog();
            Vol04RunCreateFolders(s04, in04, log, RunHooks{});
        };
        listed = [&] { return s04.Counters.FoldersCreated + s04.Counters.SubFoldersCreated; };
    } else if (kind.rfind("v10", 0) == 0) {
        // n files: 100 of them copied into n / 100 folders.
        MakeFiles(ws.Native("Src"), 100);
        for (long i = 0; i < n / 100; ++i) {
            mkdir(ws.Native("Ours/D" + std::to_string(i)).c_str(), 0777);
            in10.IncludeFolders.push_back(ws.Drive("Ours/D" + std::to_string(i)));
        }
        in10.Sources = {ws.Drive("Src")};
        in10.Masks = {"*.*"};
        in10.WorkingDir = ws.Drive("Program\\WorkingDir");
        in10.WorkingDirCopyFiles = ws.Drive("Program\\WorkingDir\\COPYFILES");
        run = [&, sim = kind == "v10sim"] {
            VisualLog log = Vol10VisualLog();
            if (sim)
                Vol10SimulateCopyFiles(s10, in10, log, RunHooks{});
            else
                Vol10RunCopyFiles(s10, in10, log, RunHooks{});
        };
        listed = [&] { return s10.Counters.FoldersCopied + s10.Counters.SubFoldersCopied + s10.Counters.FilesCopied; };
    } else if (kind == "v11sim") {
        // A walk: n files in folders of 1,000.
        for (long f = 0; f < (n + 999) / 1000; ++f) MakeFiles(ws.Native("Ours/F" + std::to_string(f)), 1000);
        in11.IncludeFolders = {ws.Drive("Ours")};
        in11.DeleteOnlyFilesInMainFolder = false;
        in11.DeleteOnlyFiles = true;
        in11.DeleteDoubleConfirm = false;
        in11.Masks = {"*.*"};
        in11.WorkingDir = ws.Drive("Program\\WorkingDir");
        run = [&] {
            VisualLog log = Vol11VisualLog();
            Vol11RunDeleteFiles(s11, in11, log, RunHooks{});
        };
        listed = [&] { return s11.FilesDeleted; };
    } else {
        return 1;
    }
    const long before = ResidentKb();
    ResetHighWater();
    const auto t0 = Clock::now();
    run();
    const double seconds = Seconds(Clock::now() - t0);
    const double added = static_cast<double>(HighWaterKb() - before) * 1024.0;
    const RunMemoryNeed need = LastWeighedMemory();
    Put("seconds", seconds);
    Put("entries_weighed", need.entries);
    Put("entries_listed", listed());
    Put("estimate_B_per_entry", need.entries > 0 ? need.bytes / need.entries : 0);
    Put("measured_B_per_entry", need.entries > 0 ? added / need.entries : 0);
    Put("measured_over_estimate", need.bytes > 0 ? added / need.bytes : 0);
    return 0;
}

void Case(benchmark::State& state, const char* kind) { ChildIterations(state, kind, "seconds"); }

void BM_Vol03Simulation(benchmark::State& state) { Case(state, "v03sim"); }
void BM_Vol03Run(benchmark::State& state) { Case(state, "v03run"); }
void BM_Vol03SimulationStructure(benchmark::State& state) { Case(state, "v03simstruct"); }
void BM_Vol03RunStructure(benchmark::State& state) { Case(state, "v03runstruct"); }
void BM_Vol04RunStructure(benchmark::State& state) { Case(state, "v04struct"); }
void BM_Vol10Copy(benchmark::State& state) { Case(state, "v10copy"); }
void BM_Vol10CopySimulation(benchmark::State& state) { Case(state, "v10sim"); }
void BM_Vol11DeleteWalk(benchmark::State& state) { Case(state, "v11sim"); }

void Once(benchmark::internal::Benchmark* b) { b->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond); }
BENCHMARK(BM_Vol03Simulation)->Arg(1000000)->Apply(Once);
BENCHMARK(BM_Vol03Run)->Arg(1000000)->Apply(Once);
BENCHMARK(BM_Vol03SimulationStructure)->Arg(1000000)->Apply(Once);
BENCHMARK(BM_Vol03RunStructure)->Arg(1000000)->Apply(Once);
BENCHMARK(BM_Vol04RunStructure)->Arg(100000)->Apply(Once);
BENCHMARK(BM_Vol10Copy)->Arg(100000)->Arg(1000000)->Apply(Once);
BENCHMARK(BM_Vol10CopySimulation)->Arg(100000)->Arg(1000000)->Apply(Once);
BENCHMARK(BM_Vol11DeleteWalk)->Arg(100000)->Arg(1000000)->Apply(Once);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string child;
    long arg = 0;
    if (IsChild(argc, argv, child, arg)) {
        plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
        SetFileSelNameMasks({"*.*"});
        frmVol03ZoomStatistics = new TfrmVol03ZoomStatistics;
        frmStatistic03 = new TfrmStatistic03;
        frmVol04ZoomStatistics = new TfrmVol04ZoomStatistics;
        frmStatistic04 = new TfrmStatistic04;
        frmVol10ZoomStatistics = new TfrmVol10ZoomStatistics;
        frmStatistic10 = new TfrmStatistic10;
        frmVol11ZoomStatistics = new TfrmVol11ZoomStatistics;
        frmStatistics11 = new TfrmStatistics11;
        return Measure(child, arg);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
