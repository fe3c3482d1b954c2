// The copy, delete and rename file pages (and the undos) one at a time and on
// the run pool, whole runs taking turns, beside bare loops making the same
// calls one at a time and on as many threads as the pool has. Read the
// ratios:
//   copy:   FILES small files into each of FOLDERS folders (Skip rule), then
//           the simulation of copying them again under the overwrite rule
//           (beside bare loops of the looks the dry disk makes), then the
//           copy's undo
//   count:  page 11's count before its run, over the delete's main folders
//           (beside bare threads only)
//   delete: FOLDERS main folders of FILES .txt and FILES .log files, with a
//           subfolder of as many again; the .txt files go (the run's count
//           once its question is answered included, as the page runs it)
//   rename: FILES files in each of FOLDERS folders get a prefix, then its undo
// QM_BENCH_DIR: where to work (/dev/shm for tmpfs, a latfs mount);
// QM_BENCH_BACKING: the folder behind a latfs mount there, where the trees
// are made without the delay; QM_BENCH_FOLDERS, QM_BENCH_FILES: the sizes
// (default 2000 and 20); QM_BENCH_WORKERS: the pool's size (default: the
// file system's rule); QM_BENCH_ROUNDS: rounds.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <QApplication>

#include "bench/BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/files/Vol12Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"
#include "results/TfrmVol12ZoomStatistics.h"

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

void MakeFiles(const std::string& folder, int count, const std::string& ext, std::size_t bytes) {
    fs::create_directories(folder);
    const std::string content(bytes, 'x');
    for (int i = 0; i < count; ++i)
        std::ofstream(folder + "/file" + std::to_string(i) + ext, std::ios::binary) << content;
}

unsigned PoolWorkers(const std::string& folder, plat::RunWork work) {
    return static_cast<unsigned>(EnvInt("QM_BENCH_WORKERS", static_cast<int>(PageRunWorkers(folder, work))));
}

// The window's peak of the last pooled run and what one item's outcome
// holds, as counters.
void ReportWindow(benchmark::State& state, std::size_t peak, double itemBytes) {
    state.counters["pool_peak_window"] = static_cast<double>(peak);
    state.counters["pool_peak_window_kb"] = static_cast<double>(peak) * itemBytes / 1024;
}

void BM_Vol10CopyPool(benchmark::State& state) {
    const int folders = EnvInt("QM_BENCH_FOLDERS", 2000), files = EnvInt("QM_BENCH_FILES", 20);
    Workspace ws("qm-copy-pool", 'V');
    const std::string make = MakeRoot(ws);
    SetFileSelNameMasks({"*.*"});  // the page's pre-count reads them: each copy's size is known
    MakeFiles(make + "/Src", files, ".txt", 4096);
    fs::create_directories(make + "/Work/COPYFILES");
    const unsigned workers = PoolWorkers(ws.Drive(""), plat::RunWork::Copy);
    std::vector<std::string> names;
    for (int f = 0; f < files; ++f) names.push_back("file" + std::to_string(f) + ".txt");
    int sides = 0;
    std::string side;  // the side's folder of this round, fresh each time
    const auto fresh = [&] {
        side = "S" + std::to_string(sides++);
        for (int i = 0; i < folders; ++i) fs::create_directories(make + "/" + side + "/D" + std::to_string(i));
    };
    Vol10State page;
    Vol10Inputs in;
    in.Sources = {ws.Drive("Src")};
    in.Masks = {"*.*"};
    in.WorkingDir = ws.Drive("Work");
    in.WorkingDirCopyFiles = ws.Drive("Work\\COPYFILES");
    VisualLog log = Vol10VisualLog();
    std::size_t peak = 0;
    const auto ours = [&](unsigned n) {
        return std::vector<std::function<void()>>{
            [&, n] {
                ForceRunWorkers force(n);
                in.IncludeFolders.clear();
                for (int i = 0; i < folders; ++i)
                    in.IncludeFolders.push_back(ws.Drive(side + "\\D" + std::to_string(i)));
                page = Vol10State{};
                Vol10RunCopyFiles(page, in, log, RunHooks{});
                if (n > 1) peak = std::max(peak, LastPageRun().PeakWindow);
                if (page.Counters.FilesCopied != double(folders) * files) state.SkipWithError("files missing");
            },
            [&, n] {  // every target exists: each file takes a working copy
                ForceRunWorkers force(n);
                Vol10Inputs overwrite = in;
                overwrite.DuplicatedFilesSkip = false;
                overwrite.DuplicatedFilesOverWrite = true;
                Vol10State simulated;
                Vol10SimulateCopyFiles(simulated, overwrite, log, RunHooks{});
                if (simulated.Counters.FilesOverWrited != double(folders) * files) state.SkipWithError("files missing");
            },
            [&, n] {
                ForceRunWorkers force(n);
                Vol10UndoLastRun(page, log);
                if (n > 1) peak = std::max(peak, LastPageRun().PeakWindow);
            }};
    };
    // The bare loops: each folder's copies beneath its own held folders, then
    // each made file removed when it is the very file.
    std::vector<std::vector<BareMade>> made(folders);
    // What the dry disk asks of each file under the overwrite rule: the
    // source read, the target looked up and read, the working folder
    // looked up and writable, its copy's name looked up, the target's
    // folder writable.
    const auto bareLook = [&](int i) {
        HeldFolders src(ws.Native("Src")), dest(ws.Native(side + "/D" + std::to_string(i))),
            work(ws.Native("Work/COPYFILES"));
        struct stat st;
        for (const std::string& n : names) {
            const int in = openat(src.Dir(""), n.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (in >= 0) close(in);
            fstatat(dest.Dir(""), n.c_str(), &st, AT_SYMLINK_NOFOLLOW);
            const int target = openat(dest.Dir(""), n.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (target >= 0) close(target);
            fstatat(work.Dir(""), ".", &st, AT_SYMLINK_NOFOLLOW);
            fstatat(work.Dir(""), (n + std::to_string(i)).c_str(), &st, AT_SYMLINK_NOFOLLOW);
            faccessat(work.Dir(""), ".", W_OK | X_OK, AT_EACCESS);
            faccessat(dest.Dir(""), ".", W_OK | X_OK, AT_EACCESS);
        }
    };
    const auto bareCopy = [&](int i) {
        HeldFolders src(ws.Native("Src")), dest(ws.Native(side + "/D" + std::to_string(i)));
        for (const std::string& n : names) BareSafeCopy(src, n, dest, n, made[i]);
    };
    const auto bareUndo = [&](int i) {
        HeldFolders dest(ws.Native(side + "/D" + std::to_string(i)));
        BareSafeRemove(dest, made[i]);
    };
    Sides s({"copy", "simulate", "undo"});
    s.Add("one", fresh, ours(1));
    s.Add("pool", fresh, ours(workers));
    s.Add("bare_one", fresh,
          {[&] { BareThreads(1, folders, bareCopy); }, [&] { BareThreads(1, folders, bareLook); },
           [&] { BareThreads(1, folders, bareUndo); }});
    s.Add("bare_threads", fresh,
          {[&] { BareThreads(workers, folders, bareCopy); }, [&] { BareThreads(workers, folders, bareLook); },
           [&] { BareThreads(workers, folders, bareUndo); }});
    for (auto _ : state) s.RunRounds();
    s.Report(state);
    state.counters["workers"] = workers;
    // One destination's outcome: two lines and a record per file.
    ReportWindow(state, peak, files * (2.0 * 90 + 120));
}

// The bare loop of page 11's main folder M<i> below `top`: each folder
// listed beneath its parent, each file the mask takes looked at (the
// read-only rule) and, with `remove`, unlinked, then its subfolders.
void BareFolderFiles(int fd, bool remove) {
    DIR* dir = fdopendir(fd);
    if (!dir) return;
    std::vector<std::string> subs;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        if (e->d_type == DT_DIR) {
            subs.push_back(e->d_name);
        } else if (fnmatch("*.txt", e->d_name, 0) == 0) {
            struct stat st {};
            if (fstatat(dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && remove && (st.st_mode & 0200))
                unlinkat(dirfd(dir), e->d_name, 0);
        }
    }
    for (const auto& sub : subs) BareFolderFiles(OpenBeneath(dirfd(dir), sub.c_str(), O_RDONLY | O_DIRECTORY), remove);
    closedir(dir);
}
void BareMainFolder(const std::string& top, int i, bool remove) {
    const int root = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    BareFolderFiles(OpenBeneath(root, ("M" + std::to_string(i)).c_str(), O_RDONLY | O_DIRECTORY), remove);
    close(root);
}

// FOLDERS main folders as the delete's, each of FILES .txt and .log files
// with a subfolder of as many .txt files.
void MakeDeleteMains(const std::string& top, int folders, int files) {
    for (int i = 0; i < folders; ++i) {
        const std::string main = top + "/M" + std::to_string(i);
        MakeFiles(main, files, ".txt", 0);
        MakeFiles(main, files, ".log", 0);
        MakeFiles(main + "/Sub", files, ".txt", 0);
    }
}

// Page 11's count before its run (with subfolders): every file the masks
// take looked at in each main folder's tree, each main folder judged as
// the run judges it, on the pool beside bare threads making the same looks.
void BM_Vol11CountPool(benchmark::State& state) {
    const int folders = EnvInt("QM_BENCH_FOLDERS", 2000), files = EnvInt("QM_BENCH_FILES", 20);
    Workspace ws("qm-count-pool", 'V');
    const std::string make = MakeRoot(ws);
    fs::create_directories(make + "/Work");
    // Each side reads trees of its own: the kernel keeps what one read a while.
    MakeDeleteMains(make + "/Pool", folders, files);
    MakeDeleteMains(make + "/Bare", folders, files);
    const unsigned workers = PoolWorkers(ws.Drive("Pool"), plat::RunWork::Look);
    Vol11Inputs in;
    in.DeleteOnlyFilesInMainFolder = false;
    in.DeleteOnlyFiles = true;
    in.Masks = {"*.txt"};
    in.WorkingDir = ws.Drive("Work");
    for (int i = 0; i < folders; ++i) in.IncludeFolders.push_back(ws.Drive("Pool\\M" + std::to_string(i)));
    bool right = true;
    Sides s({"count"});
    s.Add("pool", {}, {[&] {
              ForceRunWorkers force(EnvInt("QM_BENCH_WORKERS", 0));
              Vol11State page;
              Vol11CountFilesToDelete(page, in);
              right = right && page.FilesToDelete == 2.0 * folders * files;
          }});
    s.Add("bare_threads", {}, {[&] {
              BareThreads(workers, folders, [&](int i) { BareMainFolder(ws.Native("Bare"), i, false); });
          }});
    for (auto _ : state) s.RunRounds();
    if (!right) state.SkipWithError("unexpected counts");
    s.Report(state);
    state.counters["workers"] = workers;
}

void BM_Vol11DeletePool(benchmark::State& state) {
    const int folders = EnvInt("QM_BENCH_FOLDERS", 2000), files = EnvInt("QM_BENCH_FILES", 20);
    Workspace ws("qm-delete-pool", 'V');
    const std::string make = MakeRoot(ws);
    fs::create_directories(make + "/Work");
    const unsigned workers = PoolWorkers(ws.Drive(""), plat::RunWork::Remove);
    SetFileSelNameMasks({"*.txt"});
    int sides = 0;
    std::string side;
    const auto fresh = [&] {
        side = "S" + std::to_string(sides++);
        MakeDeleteMains(make + "/" + side, folders, files);
    };
    Vol11Inputs in;
    in.DeleteOnlyFilesInMainFolder = false;
    in.DeleteOnlyFiles = true;
    in.DeleteDoubleConfirm = false;
    in.Masks = {"*.txt"};
    in.WorkingDir = ws.Drive("Work");
    VisualLog log = Vol11VisualLog();
    std::size_t peak = 0;
    const auto ours = [&](unsigned n) {
        return [&, n] {
            ForceRunWorkers force(n);
            in.IncludeFolders.clear();
            for (int i = 0; i < folders; ++i) in.IncludeFolders.push_back(ws.Drive(side + "\\M" + std::to_string(i)));
            Vol11State page;
            Vol11RunDeleteFiles(page, in, log, RunHooks{});
            if (n > 1) peak = std::max(peak, LastPageRun().PeakWindow);
            if (page.FilesDeleted != 2.0 * folders * files) state.SkipWithError("files left");
        };
    };
    const auto bareMain = [&](int i) { BareMainFolder(ws.Native(side), i, true); };
    Sides s({"delete"});
    s.Add("one", fresh, {ours(1)});
    s.Add("pool", fresh, {ours(workers)});
    s.Add("bare_one", fresh, {[&] { BareThreads(1, folders, bareMain); }});
    s.Add("bare_threads", fresh, {[&] { BareThreads(workers, folders, bareMain); }});
    for (auto _ : state) s.RunRounds();
    SetFileSelNameMasks({"*.*"});
    s.Report(state);
    state.counters["workers"] = workers;
    // One main folder's outcome: a line per deleted file.
    ReportWindow(state, peak, files * 2.0 * 90);
}

void BM_Vol12RenamePool(benchmark::State& state) {
    const int folders = EnvInt("QM_BENCH_FOLDERS", 2000), files = EnvInt("QM_BENCH_FILES", 20);
    Workspace ws("qm-rename-pool", 'V');
    const std::string make = MakeRoot(ws);
    fs::create_directories(make + "/Work");
    const unsigned workers = PoolWorkers(ws.Drive(""), plat::RunWork::Remove);
    int sides = 0;
    std::string side;
    const auto fresh = [&] {
        side = "S" + std::to_string(sides++);
        for (int i = 0; i < folders; ++i) MakeFiles(make + "/" + side + "/M" + std::to_string(i), files, ".txt", 0);
    };
    Vol12Inputs in;
    in.NewPrefix = "x_";
    in.WorkingDir = ws.Drive("Work");
    in.WorkingCopiesDir = ws.Drive("Work");
    VisualLog log = Vol12VisualLog();
    Vol12State page;
    std::size_t peak = 0;
    const auto ours = [&](unsigned n) {
        return std::vector<std::function<void()>>{
            [&, n] {
                ForceRunWorkers force(n);
                in.IncludeFolders.clear();
                for (int i = 0; i < folders; ++i)
                    in.IncludeFolders.push_back(ws.Drive(side + "\\M" + std::to_string(i)));
                page = Vol12State{};
                Vol12RunRenameFiles(page, in, log, RunHooks{});
                if (n > 1) peak = std::max(peak, LastPageRun().PeakWindow);
                if (page.FilesRenamed != double(folders) * files) state.SkipWithError("files not renamed");
            },
            [&, n] {
                ForceRunWorkers force(n);
                Vol12UndoLastRun(page, log);
                if (n > 1) peak = std::max(peak, LastPageRun().PeakWindow);
            }};
    };
    // The bare loop making the calls our run must: each folder listed before
    // any rename (the listing gives each file's identity for the undo
    // record), each file renamed without replacing; back again, each renamed
    // file looked at (its identity checked) before it is renamed back.
    const auto bare = [&](int i, bool back) {
        const int dir = open(ws.Native(side + "/M" + std::to_string(i)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::vector<std::string> names;
        if (!back) {
            DIR* listing = fdopendir(dup(dir));
            while (dirent* e = readdir(listing))
                if (e->d_name[0] != '.') names.push_back(e->d_name);
            closedir(listing);
        } else {
            for (int f = 0; f < files; ++f) names.push_back("x_file" + std::to_string(f) + ".txt");
        }
        struct stat st;
        for (const std::string& name : names) {
            if (back && fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
            const std::string to = back ? name.substr(2) : "x_" + name;
            renameat2(dir, name.c_str(), dir, to.c_str(), RENAME_NOREPLACE);
        }
        close(dir);
    };
    Sides s({"rename", "undo"});
    s.Add("one", fresh, ours(1));
    s.Add("pool", fresh, ours(workers));
    s.Add("bare_one", fresh,
          {[&] { BareThreads(1, folders, [&](int i) { bare(i, false); }); },
           [&] { BareThreads(1, folders, [&](int i) { bare(i, true); }); }});
    s.Add("bare_threads", fresh,
          {[&] { BareThreads(workers, folders, [&](int i) { bare(i, false); }); },
           [&] { BareThreads(workers, folders, [&](int i) { bare(i, true); }); }});
    for (auto _ : state) s.RunRounds();
    s.Report(state);
    state.counters["workers"] = workers;
    ReportWindow(state, peak, files * 2.0 * 90);
}

BENCHMARK(BM_Vol10CopyPool)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol11CountPool)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol11DeletePool)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol12RenamePool)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    frmVol10ZoomStatistics = new TfrmVol10ZoomStatistics;
    frmVol11ZoomStatistics = new TfrmVol11ZoomStatistics;
    frmVol12ZoomStatistics = new TfrmVol12ZoomStatistics;
    frmStatistic10 = new TfrmStatistic10;
    frmStatistics11 = new TfrmStatistics11;
    frmStatistic12 = new TfrmStatistic12;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic10;
    delete frmStatistics11;
    delete frmStatistic12;
    delete frmVol10ZoomStatistics;
    delete frmVol11ZoomStatistics;
    delete frmVol12ZoomStatistics;
    return 0;
}
