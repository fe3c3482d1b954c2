// The walks before and around the runs of pages 04, 07, 08, 10 and 15, and each
// whole run from the button's work to its end, against bare threads making
// the same requests in the same order of steps. Read the ratios:
//   count: the page's pre-count (main folders read; structures or sources
//          measured, free space asked; the checker's model read);
//   run:   what the button does after its questions are answered Yes: the
//          totals and checks, then the run on the pool (page 07: delete);
//   undo:  the run's undo, so that every round starts alike.
// Page 04 counts a structure of 20 folders and 50 small files for FOLDERS
// paths, each beneath a parent of its own, whose free space is asked (also
// beside a bare loop, as the window thread once asked it);
// page 07 counts what FOLDERS main folders (one area each, as page 15's
// projects) hold, as its list changes, the program's folders judged as the
// page judges them (on the local disk), then deletes them whole as its run
// does after its questions (the frame's check of the program's folders
// first), beside bare threads walking and then deleting the same trees;
// "pool" deletes without counting again, "click" as the page's run does:
// its count once the questions are answered, then the delete on the
// listings that count read (read the two deletes' ratio);
// page 08 copies a structure of 20 folders and 50 small files into each of
// FOLDERS main folders; page 10 copies FILES files into each of FOLDERS
// folders; page 15 checks FOLDERS projects of one area (10 folders, 90
// files) against their model.
// Each side reads trees of its own: on a slow file system the kernel keeps
// what one side read for a while, and the other would find it there.
// QM_BENCH_DIR: where to work (a latfs mount); QM_BENCH_BACKING: the folder
// behind that mount, where the trees are made without the delay;
// QM_BENCH_FOLDERS (default 200), QM_BENCH_FILES (default 20);
// QM_BENCH_WORKERS: the pool's size (default: the file system's rule);
// QM_BENCH_ROUNDS: rounds.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "bench/BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/checker/Vol15Engine.h"
#include "pages/creation/Vol04Engine.h"
#include "pages/files/Vol10Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmVol08ZoomStatistics.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol15ZoomStatistics.h"

namespace {

using namespace bench;

int EnvInt(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

// The native folder where a tree below the workspace is made fast: the
// latfs backing when there is one.
std::string MakeRoot(const Workspace& ws) {
    const char* backing = std::getenv("QM_BENCH_BACKING");
    if (!backing || !*backing) return ws.root();
    return (fs::path(backing) / fs::path(ws.root()).filename()).string();
}

unsigned PoolWorkers(const std::string& folder, plat::RunWork work) {
    return static_cast<unsigned>(EnvInt("QM_BENCH_WORKERS", static_cast<int>(PageRunWorkers(folder, work))));
}

void Statvfs(const std::string& path) {
    struct statvfs vfs {};
    benchmark::DoNotOptimize(statvfs(path.c_str(), &vfs));
}

void StatFolder(const std::string& path) {
    struct stat st {};
    benchmark::DoNotOptimize(stat(path.c_str(), &st));
}

// Each folder opened as a held folder is: what a fence or a look asks of it.
void OpenFolder(const std::string& path) {
    const int fd = open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0) {
        fstat(fd, &st);
        close(fd);
    }
}

// The structure of pages 04 and 08 made below `root`.
CopyStructure MakeStructure(const std::string& root) {
    CopyStructure structure;
    for (int i = 0; i < 4; ++i) {
        structure.folders.push_back("Area " + std::to_string(i));
        for (int j = 0; j < 4; ++j)
            structure.folders.push_back("Area " + std::to_string(i) + "/Item " + std::to_string(j));
    }
    for (int k = 0; k < 50; ++k)
        structure.files.push_back(structure.folders[static_cast<std::size_t>(k % 20)] + "/note" + std::to_string(k) +
                                  ".txt");
    for (const auto& f : structure.folders) fs::create_directories(root + "/" + f);
    for (const auto& f : structure.files) std::ofstream(root + "/" + f, std::ios::binary) << std::string(512, 'x');
    return structure;
}

// ---- page 04 --------------------------------------------------------------------------------

void BM_Vol04Walks(benchmark::State& state) {
    const int items = EnvInt("QM_BENCH_FOLDERS", 200);
    Workspace ws("qm-walks-04", 'V');
    const std::string make = MakeRoot(ws);
    for (const char* s : {"/S", "/SB"}) MakeStructure(make + s);
    for (const char* side : {"/Pool/", "/Bare/"})
        for (int i = 0; i < items; ++i) fs::create_directories(make + side + "P" + std::to_string(i));
    const unsigned threads = PoolWorkers(ws.Drive("Pool"), plat::RunWork::Look);
    Vol04Inputs in;
    in.FullPaths = true;
    in.MainFolderWithFiles = true;
    in.FolderStructures = {ws.Drive("S")};
    for (int i = 0; i < items; ++i) in.IncludeFolders.push_back(ws.Drive("Pool\\P" + std::to_string(i) + "\\Job"));
    bool right = true;
    Sides sides({"count"});
    sides.Add("pool", {}, {[&] {
                  ForceRunWorkers forced(EnvInt("QM_BENCH_WORKERS", 0));
                  Vol04State counted;
                  right = Vol04CheckDiskSpace(counted, in, true) && counted.Counters.FilesToCreate == 50.0 * items;
              }});
    const auto parentOf = [&](int i) { return ws.Native("Bare/P" + std::to_string(i)); };
    sides.Add("bare_threads", {}, {[&] {
                  benchmark::DoNotOptimize(SameCallsWalk(ws.Native("SB")));
                  BareThreads(threads, items, [&](int i) { Statvfs(parentOf(i)); });
              }});
    sides.Add("bare_loop", {}, {[&] {
                  benchmark::DoNotOptimize(SameCallsWalk(ws.Native("SB")));
                  for (int i = 0; i < items; ++i) Statvfs(parentOf(i));
              }});
    for (auto _ : state) sides.RunRounds();
    if (!right) state.SkipWithError("unexpected counts");
    sides.Report(state);
    state.counters["workers"] = threads;
}

// ---- page 07 --------------------------------------------------------------------------------

void MakeProject(const std::string& root);

void BM_Vol07Walks(benchmark::State& state) {
    const int mains = EnvInt("QM_BENCH_FOLDERS", 200);
    Workspace ws("qm-walks-07", 'V');
    const std::string make = MakeRoot(ws);
    // The program's folders where the program keeps them, on the local disk.
    std::string local = (fs::temp_directory_path() / "qm-walks-07-prog-XXXXXX").string();
    if (!mkdtemp(local.data())) std::abort();
    fs::create_directories(local + "/Prog/WorkingDir");
    const auto localDrive = [&](std::string rel) {
        rel = "C:" + local + "/" + rel;
        std::replace(rel.begin(), rel.end(), '/', '\\');
        return rel;
    };
    const unsigned threads = PoolWorkers(ws.Drive("Pool"), plat::RunWork::Look);
    const unsigned removers = PoolWorkers(ws.Drive("Pool"), plat::RunWork::Remove);
    Vol07Inputs in;
    in.DeleteSubFolders = false;
    in.DeleteCompleteFolders = true;
    in.ProgramFolder = localDrive("Prog");
    in.WorkingDir = localDrive("Prog/WorkingDir");
    Vol07Inputs click = in;
    for (int i = 0; i < mains; ++i) {
        in.IncludeFolders.push_back(ws.Drive("Pool\\Main " + std::to_string(i)));
        click.IncludeFolders.push_back(ws.Drive("Click\\Main " + std::to_string(i)));
    }
    // Each main folder: itself, its area and 9 parts; 90 files.
    const double folders = 11.0 * mains, files = 90.0 * mains;
    const auto fresh = [&](const char* side) {
        return [&, side] {
            fs::remove_all(make + side);
            for (int i = 0; i < mains; ++i) MakeProject(make + side + "/Main " + std::to_string(i));
        };
    };
    bool right = true;
    const auto count = [&](const Vol07Inputs& with) {
        return [&] {
            ForceRunWorkers forced(EnvInt("QM_BENCH_WORKERS", 0));
            Vol07Counters counted;
            Vol07CountFoldersToDelete(counted, with.IncludeFolders, 4, with.ProgramFolder, with.WorkingDir);
            right = right && counted.FoldersToDelete == folders && counted.FilesToDelete == files;
        };
    };
    // The run after its questions: the frame's check of the program's
    // folders, then the delete.
    const auto frameOf = [](const Vol07Inputs& with) {
        RunFrame frame;
        frame.OwnFolders = {with.IncludeFolders, with.ProgramFolder, with.WorkingDir,
                            [](const std::string&) { return PageMessage{}; }};
        frame.ShowLog = false;
        return frame;
    };
    Sides sides({"count", "delete"});
    sides.Add("pool", fresh("/Pool"),
              {count(in), [&] {
                   ForceRunWorkers forced(EnvInt("QM_BENCH_WORKERS", 0));
                   Vol07Counters counters;
                   SilentLog sink;
                   RunFrame frame = frameOf(in);
                   frame.Work = [&](RunDisk& disk) { Vol07DeleteMainFolders(counters, in, disk, sink); };
                   RunOnFrame(frame, sink, RunHooks{});
                   right = right && counters.FoldersDeleted == folders && counters.FilesDeleted == files;
               }});
    // As the page runs it: counted once its questions are answered, then
    // deleted from the listings that count read.
    sides.Add("click", fresh("/Click"),
              {count(click), [&] {
                   ForceRunWorkers forced(EnvInt("QM_BENCH_WORKERS", 0));
                   Vol07Counters counters;
                   SilentLog sink;
                   RunFrame frame = frameOf(click);
                   ListingRecord listings;
                   std::vector<Vol07Share> shares;
                   frame.Start = [&] { Vol07CountForRun(counters, click, listings, shares); };
                   frame.Work = [&](RunDisk& disk) {
                       listings.Answer(disk);
                       Vol07DeleteMainFolders(counters, click, listings, sink, &shares);
                   };
                   RunOnFrame(frame, sink, RunHooks{});
                   right = right && counters.FoldersToDelete == folders && counters.FoldersDeleted == folders &&
                           counters.FilesDeleted == files;
               }});
    sides.Add("bare_threads", fresh("/Bare"),
              {[&] {
                   BareThreads(threads, mains, [&](int i) {
                       benchmark::DoNotOptimize(KindsWalk(ws.Native("Bare/Main " + std::to_string(i))));
                   });
               },
               [&] {
                   BareThreads(removers, mains,
                               [&](int i) { BareDelete(ws.Native("Bare"), {"Main " + std::to_string(i)}); });
               }});
    for (auto _ : state) sides.RunRounds();
    fs::remove_all(local);
    if (!right) state.SkipWithError("unexpected counts");
    sides.Report(state);
    state.counters["workers"] = threads;
    state.counters["removers"] = removers;
}

// ---- page 08 --------------------------------------------------------------------------------

void BM_Vol08Walks(benchmark::State& state) {
    const int mains = EnvInt("QM_BENCH_FOLDERS", 200);
    Workspace ws("qm-walks-08", 'V');
    const std::string make = MakeRoot(ws);
    const CopyStructure structure = MakeStructure(make + "/S");
    MakeStructure(make + "/SB");
    for (const char* side : {"Pool", "Bare"})
        for (int i = 0; i < mains; ++i) fs::create_directories(make + "/" + side + "/Main " + std::to_string(i));
    SetFileSelNameMasks({"*.*"});
    const unsigned threads = PoolWorkers(ws.Drive("Pool"), plat::RunWork::Copy);
    VisualLog log([]() -> VisualLogWindow* { return frmStatistic08; },
                  []() -> ZoomStatisticsWindow* { return frmVol08ZoomStatistics; });

    Vol08Inputs in;
    in.FullPaths = true;
    in.MainFolderWithFiles = true;
    in.FolderStructures = {ws.Drive("S")};
    for (int i = 0; i < mains; ++i) in.IncludeFolders.push_back(ws.Drive("Pool/Main " + std::to_string(i)));
    std::unique_ptr<Vol08State> st;
    const auto force = [&] { return std::make_unique<ForceRunWorkers>(EnvInt("QM_BENCH_WORKERS", 0)); };
    Sides sides({"count", "run", "undo"});
    sides.Add("pool", [&] { st = std::make_unique<Vol08State>(); },
              {[&] {
                   const auto forced = force();
                   Vol08State counted;
                   if (!Vol08ComputeTotalsAndCheckSpace(counted, in, true)) state.SkipWithError("no room");
               },
               [&] {
                   const auto forced = force();
                   log.ClearLogLists();
                   Vol08StartRun(*st, true);
                   if (!Vol08ComputeTotalsAndCheckSpace(*st, in, true)) state.SkipWithError("no room");
                   RealDisk disk;
                   Vol08CopyFolders(*st, in, disk, log, Vol08RunMessages());
                   if (st->Counters.FilesCopied != 50.0 * mains) state.SkipWithError("the run copied too little");
               },
               [&] {
                   const auto forced = force();
                   Vol08UndoLastRun(*st, log);
                   if (Vol08HasUndo(*st)) state.SkipWithError("the undo left some");
               }});

    // The bare side: the structure walked and every main folder's free
    // space asked; then the run reads the structure again and copies it
    // into each main folder, the undo removing what it made.
    std::vector<std::vector<BareMade>> made(static_cast<std::size_t>(mains));
    const auto mainOf = [&](int i) { return ws.Native("Bare/Main " + std::to_string(i)); };
    const auto count = [&] {
        benchmark::DoNotOptimize(SameCallsWalk(ws.Native("SB")));
        BareThreads(threads, mains, [&](int i) { Statvfs(mainOf(i)); });
    };
    const auto copy = [&](int i, HeldFolders& source) {
        auto& m = made[static_cast<std::size_t>(i)];
        m.clear();
        HeldFolders main(mainOf(i));
        ClimbToRoot(main.Dir(""));
        BareMakeFolder(main, "S", m);
        for (const auto& f : structure.folders) BareMakeFolder(main, "S/" + f, m);
        for (const auto& f : structure.files) BareSafeCopy(source, f, main, "S/" + f, m);
    };
    const auto remove = [&](int i, HeldFolders&) {
        HeldFolders main(mainOf(i));
        BareSafeRemove(main, made[static_cast<std::size_t>(i)]);
    };
    sides.Add("bare_threads", {},
              {count,
               [&] {
                   count();
                   benchmark::DoNotOptimize(SameCallsWalk(ws.Native("SB")));
                   BareThreads(threads, mains, ws.Native("SB"), copy);
               },
               [&] { BareThreads(threads, mains, ws.Native("SB"), remove); }});
    for (auto _ : state) sides.RunRounds();
    sides.Report(state);
    state.counters["workers"] = threads;
    log.ClearLogLists();
}

// ---- page 10 --------------------------------------------------------------------------------

void BM_Vol10Walks(benchmark::State& state) {
    const int folders = EnvInt("QM_BENCH_FOLDERS", 200), files = EnvInt("QM_BENCH_FILES", 20);
    Workspace ws("qm-walks-10", 'V');
    const std::string make = MakeRoot(ws);
    for (const char* src : {"/Src", "/SrcB"}) {
        fs::create_directories(make + src);
        for (int i = 0; i < files; ++i)
            std::ofstream(make + src + "/file" + std::to_string(i) + ".txt", std::ios::binary) << std::string(4096, 'x');
    }
    fs::create_directories(make + "/Work/COPYFILES");
    for (const char* side : {"Pool", "Bare"})
        for (int i = 0; i < folders; ++i) fs::create_directories(make + "/" + side + "/D" + std::to_string(i));
    SetFileSelNameMasks({"*.*"});
    const unsigned threads = PoolWorkers(ws.Drive(""), plat::RunWork::Copy);
    std::vector<std::string> names;
    for (int f = 0; f < files; ++f) names.push_back("file" + std::to_string(f) + ".txt");

    Vol10Inputs in;
    in.Sources = {ws.Drive("Src")};
    in.Masks = {"*.*"};
    in.WorkingDir = ws.Drive("Work");
    in.WorkingDirCopyFiles = ws.Drive("Work\\COPYFILES");
    for (int i = 0; i < folders; ++i) in.IncludeFolders.push_back(ws.Drive("Pool\\D" + std::to_string(i)));
    VisualLog log = Vol10VisualLog();
    Vol10State page;
    const auto force = [&] { return std::make_unique<ForceRunWorkers>(EnvInt("QM_BENCH_WORKERS", 0)); };
    Sides sides({"count", "run", "undo"});
    sides.Add("pool", [&] { page = Vol10State{}; },
              {[&] {
                   const auto forced = force();
                   Vol10State counted;
                   if (!Vol10PrepareTotals(counted, in, true)) state.SkipWithError("no room");
               },
               [&] {
                   const auto forced = force();
                   Vol10RunCopyFiles(page, in, log, RunHooks{});
                   if (page.Counters.FilesCopied != double(folders) * files) state.SkipWithError("files missing");
               },
               [&] {
                   const auto forced = force();
                   Vol10UndoLastRun(page, log);
               }});

    // The bare side: the source walked, the destinations' drive asked for
    // its free space; the run looks at the source, opens every destination
    // (the walks' fence) and the working folder, then copies into each.
    std::vector<std::vector<BareMade>> made(static_cast<std::size_t>(folders));
    const auto destOf = [&](int i) { return ws.Native("Bare/D" + std::to_string(i)); };
    const auto count = [&] {
        benchmark::DoNotOptimize(SameCallsWalk(ws.Native("SrcB")));
        Statvfs(destOf(0));
    };
    const auto copy = [&](int i, HeldFolders& src) {
        HeldFolders dest(destOf(i));
        for (const std::string& n : names) BareSafeCopy(src, n, dest, n, made[static_cast<std::size_t>(i)]);
    };
    const auto remove = [&](int i, HeldFolders&) {
        HeldFolders dest(destOf(i));
        BareSafeRemove(dest, made[static_cast<std::size_t>(i)]);
    };
    sides.Add("bare_threads", {},
              {count,
               [&] {
                   count();
                   StatFolder(ws.Native("SrcB"));
                   BareThreads(threads, folders, [&](int i) { OpenFolder(destOf(i)); });
                   OpenFolder(ws.Native("Work"));
                   BareThreads(threads, folders, ws.Native("SrcB"), copy);
               },
               [&] { BareThreads(threads, folders, ws.Native("SrcB"), remove); }});
    for (auto _ : state) sides.RunRounds();
    sides.Report(state);
    state.counters["workers"] = threads;
    log.ClearLogLists();
}

// ---- page 15 --------------------------------------------------------------------------------

void Touch(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) close(fd);
}

// One area: 9 files, and 9 parts of 9 files each.
void MakeProject(const std::string& root) {
    const std::string top = root + "/Area";
    fs::create_directories(top);
    for (int f = 0; f < 9; ++f) Touch(top + "/note" + std::to_string(f) + ".txt");
    for (int b = 0; b < 9; ++b) {
        const std::string sub = top + "/Part " + std::to_string(b);
        mkdir(sub.c_str(), 0755);
        for (int f = 0; f < 9; ++f) Touch(sub + "/data" + std::to_string(f) + ".bin");
    }
}

void BM_Vol15Walks(benchmark::State& state) {
    const int projects = EnvInt("QM_BENCH_FOLDERS", 200);
    Workspace ws("qm-walks-15", 'V');
    const std::string make = MakeRoot(ws);
    MakeProject(make + "/Model");
    MakeProject(make + "/ModelB");
    for (int i = 0; i < projects; ++i)
        for (const char* jobs : {"/Jobs/", "/JobsB/"}) MakeProject(make + jobs + "Project " + std::to_string(i));
    SetFileSelNameMasks({"*.*"});
    const unsigned threads = PoolWorkers(ws.Drive("Jobs"), plat::RunWork::Look);
    Vol15Inputs in;
    in.FullPaths = true;
    in.SubFoldersOnlyWithFiles = true;
    in.FolderStructures = {ws.Drive("Model")};
    for (int i = 0; i < projects; ++i) in.IncludeFolders.push_back(ws.Drive("Jobs/Project " + std::to_string(i)));
    VisualLog log = Vol15VisualLog();
    const auto force = [&] { return std::make_unique<ForceRunWorkers>(EnvInt("QM_BENCH_WORKERS", 0)); };
    bool right = true;
    Sides sides({"count", "run"});
    sides.Add("pool", {},
              {[&] {
                   const auto forced = force();
                   Vol15State counted;
                   Vol15CountItemsToCheck(counted, in, true);
                   right = right && counted.Vol15StructureFiles == 90;
               },
               [&] {
                   const auto forced = force();
                   Vol15State run;
                   Vol15CheckProjectsConsistency(run, in, log, RunHooks{});
                   right = right && run.Counters.Stat15FoldersToCheck == projects &&
                           run.Counters.Stat15FilesMissing == 0 && run.Counters.Stat15FilesExtra == 0;
               }});
    const auto model = [&] { benchmark::DoNotOptimize(KindsWalk(ws.Native("ModelB"))); };
    sides.Add("bare_threads", {},
              {model, [&] {
                   model();
                   BareThreads(threads, projects, [&](int i) {
                       benchmark::DoNotOptimize(KindsWalk(ws.Native("JobsB/Project " + std::to_string(i))));
                   });
               }});
    for (auto _ : state) sides.RunRounds();
    if (!right) state.SkipWithError("unexpected findings");
    sides.Report(state);
    state.counters["workers"] = threads;
    log.ClearLogLists();
    log.ClearZoomLists();
}

BENCHMARK(BM_Vol04Walks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol07Walks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol08Walks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol10Walks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol15Walks)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    frmVol08ZoomStatistics = new TfrmVol08ZoomStatistics;
    frmVol10ZoomStatistics = new TfrmVol10ZoomStatistics;
    frmVol15ZoomStatistics = new TfrmVol15ZoomStatistics;
    frmStatistic08 = new TfrmStatistic08;
    frmStatistic10 = new TfrmStatistic10;
    frmStatistic15 = new TfrmStatistic15;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic08;
    delete frmStatistic10;
    delete frmStatistic15;
    delete frmVol08ZoomStatistics;
    delete frmVol10ZoomStatistics;
    delete frmVol15ZoomStatistics;
    return 0;
}
