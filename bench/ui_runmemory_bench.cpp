// What a run or simulation adds to the process's peak, per entry it lists,
// beside what the memory check weighed before it started. Each case runs in
// a process of its own, so its peak is its own. measured_over_estimate
// should lie between 0.7 and 1.0: above it, a run weighed as fitting may
// not fit; far below it, runs that fit are refused. The deep cases name
// long paths: main folders of some 120 characters, a structure that is a
// chain of 8 folders of 24 characters, files some 200 characters below
// their main folder.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>

#include "BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/RunMemory.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol04Engine.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/folders/Vol07Page.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol07ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

void MakeFiles(const std::string& folder, int count) {
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) std::ofstream(folder + "/file" + std::to_string(i) + ".txt") << "x";
}

// A structure of one folder, "Docs", below S; or, deep, a chain of 8
// folders of 24 characters each.
std::string Structure(const Workspace& ws, bool deep) {
    std::string rel = "S";
    for (int i = 0; i < (deep ? 8 : 1); ++i) rel += deep ? "/Folder of the chain no " + std::to_string(i) : "/Docs";
    fs::create_directories(ws.Native(rel));
    return ws.Drive("S");
}

// A folder some 190 characters below `folder`, for files with long paths.
std::string DeepBelow(const std::string& folder) {
    std::string rel = folder;
    for (int i = 0; i < 6; ++i) rel += "/A folder thirty characters l" + std::to_string(i);
    return rel;
}

// The entries a case of `n` lists with one main folder every `per`.
long Mains(long n, long per) { return (n + per - 1) / per; }

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
    MainWindowShared shared;
    std::unique_ptr<Vol07Page> page07;
    const bool deep = kind.find("deep") != std::string::npos;
    const bool sim = kind.find("sim") != std::string::npos;
    if (kind.rfind("v03", 0) == 0) {
        const bool attached = kind.find("struct") != std::string::npos || deep;
        in03.DestFolder = ws.Drive("Ours");
        // Long: main folders of some 120 characters.
        in03.Prefix = kind.find("long") != std::string::npos ? std::string(100, 'J') : "Job";
        in03.Hyphen = true;
        in03.StartText = "1";
        in03.EndText = std::to_string(attached ? Mains(n, deep ? 10 : 2) : n);
        in03.ViewDestFolder = false;
        if (attached) {
            // Each main folder with S and what lies below it.
            in03.FolderStructures = {Structure(ws, deep)};
            in03.MainFolderWithoutFiles = true;
            in03.FullPaths = true;
            Vol03CheckDiskSpace(s03, in03, false);  // as the page does on every change
        } else {
            in03.AttachNothing = true;
        }
        run = [&, sim] {
            VisualLog log = Vol03VisualLog();
            if (sim)
                Vol03SimulateCreateFolders(s03, in03, log, Vol03PageHooks{}, "", "");
            else
                Vol03RunCreateFolders(s03, in03, log, Vol03PageHooks{});
        };
        listed = [&] { return s03.Counters.FoldersCreated + s03.Counters.SubFoldersCreated; };
    } else if (kind.rfind("v04", 0) == 0) {
        const long mains = Mains(n, deep ? 10 : 2);
        for (long p = 0; p < Mains(mains, 1000); ++p) mkdir(ws.Native("Ours/" + std::to_string(p)).c_str(), 0777);
        for (long i = 0; i < mains; ++i)
            in04.IncludeFolders.push_back(ws.Drive("Ours/" + std::to_string(i / 1000) + "/Item " + std::to_string(i)));
        in04.Prefix = "P";
        in04.Hyphen = true;
        in04.ViewDestFolder = false;
        in04.FolderStructures = {Structure(ws, deep)};
        in04.MainFolderWithoutFiles = true;
        in04.FullPaths = true;
        Vol04CheckDiskSpace(s04, in04, false);
        run = [&] {
            VisualLog log = Vol04VisualLog();
            Vol04RunCreateFolders(s04, in04, log, RunHooks{});
        };
        listed = [&] { return s04.Counters.FoldersCreated + s04.Counters.SubFoldersCreated; };
    } else if (kind.rfind("v10", 0) == 0) {
        // n files: 100 of them copied into n / 100 folders.
        MakeFiles(ws.Native(deep ? DeepBelow("Src") : "Src"), 100);
        for (long i = 0; i < n / 100; ++i) {
            mkdir(ws.Native("Ours/D" + std::to_string(i)).c_str(), 0777);
            in10.IncludeFolders.push_back(ws.Drive("Ours/D" + std::to_string(i)));
        }
        in10.Sources = {ws.Drive("Src")};
        in10.Masks = {"*.*"};
        in10.AttachMainFolderWithSubFolders = true;
        in10.WorkingDir = ws.Drive("Program\\WorkingDir");
        in10.WorkingDirCopyFiles = ws.Drive("Program\\WorkingDir\\COPYFILES");
        run = [&, sim] {
            VisualLog log = Vol10VisualLog();
            if (sim)
                Vol10SimulateCopyFiles(s10, in10, log, RunHooks{});
            else
                Vol10RunCopyFiles(s10, in10, log, RunHooks{});
        };
        listed = [&] { return s10.Counters.FoldersCopied + s10.Counters.SubFoldersCopied + s10.Counters.FilesCopied; };
    } else if (kind.rfind("v11", 0) == 0) {
        // A walk: n files in folders of 1,000.
        for (long f = 0; f < Mains(n, 1000); ++f) {
            const std::string folder = "Ours/F" + std::to_string(f);
            MakeFiles(ws.Native(deep ? DeepBelow(folder) : folder), 1000);
        }
        in11.IncludeFolders = {ws.Drive("Ours")};
        in11.DeleteOnlyFilesInMainFolder = false;
        in11.DeleteOnlyFiles = true;
        in11.DeleteDoubleConfirm = false;
        in11.Masks = {"*.*"};
        in11.WorkingDir = ws.Drive("Program\\WorkingDir");
        run = [&, sim] {
            VisualLog log = Vol11VisualLog();
            if (sim)
                Vol11SimulateDeleteFiles(s11, in11, log, RunHooks{});
            else
                Vol11RunDeleteFiles(s11, in11, log, RunHooks{});
        };
        listed = [&] { return LastWeighedMemory().entries; };
    } else if (kind.rfind("v07", 0) == 0) {
        // The same tree, its folders and files deleted below the main folder.
        for (long f = 0; f < Mains(n, 1000); ++f) {
            const std::string folder = "Ours/F" + std::to_string(f);
            MakeFiles(ws.Native(deep ? DeepBelow(folder) : folder), 1000);
        }
        page07 = std::make_unique<Vol07Page>(shared);
        page07->findChild<QListWidget*>("lstVol07IncludeFolderList")->addItem(QString::fromStdString(ws.Drive("Ours")));
        page07->findChild<QCheckBox*>("chkVol07DeleteDoubleConfirm")->setChecked(false);
        page07->findChild<QCheckBox*>("chkVol07ShowDetailedResults")->setChecked(false);
        run = [&, sim] { sim ? page07->Vol07SimulateDeleteFolders() : page07->btnVol07DeleteFoldersClick(); };
        listed = [&] { return page07->Counters.FoldersDeleted + page07->Counters.FilesDeleted; };
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
    Put("line_B_per_entry", need.entries > 0 ? need.lines / need.entries : 0);
    Put("measured_B_per_entry", need.entries > 0 ? added / need.entries : 0);
    Put("measured_over_estimate", need.bytes > 0 ? added / need.bytes : 0);
    return 0;
}

// Shallow and deep cases of each page whose count is weighed.
const char* const kCases[] = {
    "v03sim",  "v03run",      "v03simlong", "v03runlong", "v03simstruct", "v03runstruct", "v03simdeep",
    "v03rundeep", "v04struct", "v04deep",   "v10copy",    "v10sim",       "v10copydeep",  "v10simdeep",
    "v11run",  "v11rundeep",  "v11sim",     "v11simdeep", "v07run",       "v07rundeep",   "v07sim",
    "v07simdeep",
};

void BM_RunMemory(benchmark::State& state, const char* kind) { ChildIterations(state, kind, "seconds"); }

void Register() {
    for (const char* kind : kCases)
        benchmark::RegisterBenchmark(kind, BM_RunMemory, kind)
            ->Arg(100000)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kSecond);
    // The flat cases at a million as well: per entry, the run's fixed cost fades.
    for (const char* kind : {"v03sim", "v03run", "v10copy", "v11run"})
        benchmark::RegisterBenchmark(kind, BM_RunMemory, kind)
            ->Arg(1000000)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kSecond);
}

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
        frmVol07ZoomStatistics = new TfrmVol07ZoomStatistics;
        frmStatistics07 = new TfrmStatistics07;
        return Measure(child, arg);
    }
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
