// The file pages' runs with their Visual Logs shown, against bare system
// call loops doing the same work (and `cp` for the copy), each round on
// fresh identical trees, the sides in rotated order over the rounds; the
// minimum and the median of each side are reported. Read the ratios, not
// the absolute times. QM_BENCH_DIR chooses the folder to work in (default:
// the temp folder); QM_BENCH_ROUNDS the rounds (default 3).
//   copy:   20 files into each of 10,000 folders (Copy Files, Skip rule)
//   delete: 100,000 files taken by a mask, in 100 folders holding 200,000,
//           read-only files kept (each file looked at first, as the bare
//           loop that checks the mode does) or taken too (as bare unlink)
//   rename: 100,000 files in 100 folders, a prefix added; bare_same_order makes
//           the calls in the order ours must (by name), which tmpfs takes longer over
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

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

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr char kDrive = 'V';

class Workspace {
public:
    Workspace() {
        const char* base = std::getenv("QM_BENCH_DIR");
        std::string tmpl = ((base && *base) ? fs::path(base) : fs::temp_directory_path()) / "qm-files-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        root_ = tmpl;
        fs::create_directories(root_ + "/Work/COPYFILES");
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

// The copy as the program makes it: a temporary file beside the target with
// the source's bits and times, put in place without replacing anything.
bool BareSafeCopy(int dirIn, const char* name, int dirOut) {
    const int in = openat(dirIn, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    fstat(in, &st);
    const std::string temp = std::string(".") + name + ".tmp~";
    const int out = openat(dirOut, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    for (off_t left = st.st_size; ok && left > 0;) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(left), 0);
        ok = n > 0;
        left -= n;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ok = ok && fchmod(out, st.st_mode & 07777) == 0 && futimens(out, times) == 0;
    if (out >= 0) close(out);
    close(in);
    return ok && renameat2(dirOut, temp.c_str(), dirOut, name, RENAME_NOREPLACE) == 0;
}

void MakeFiles(const std::string& folder, int count, const std::string& ext, std::size_t bytes) {
    fs::create_directories(folder);
    const std::string content(bytes, 'x');
    for (int i = 0; i < count; ++i) std::ofstream(folder + "/file" + std::to_string(i) + ext, std::ios::binary) << content;
}

struct Sides {
    std::vector<std::string> names;
    std::vector<std::function<void()>> runs;
    std::vector<std::vector<double>> times;
};

void Report(benchmark::State& state, const Sides& s) {
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.SetIterationTime(minOf(s.times[0]));
    for (std::size_t i = 0; i < s.names.size(); ++i) {
        state.counters[s.names[i] + "_min_s"] = minOf(s.times[i]);
        state.counters[s.names[i] + "_med_s"] = medianOf(s.times[i]);
        if (i > 0) {
            state.counters["ratio_" + s.names[i] + "_min"] = minOf(s.times[0]) / minOf(s.times[i]);
            state.counters["ratio_" + s.names[i] + "_med"] = medianOf(s.times[0]) / medianOf(s.times[i]);
        }
    }
}

void RunRotated(Sides& s, int round) {
    const std::size_t n = s.runs.size();
    s.times.resize(n);
    sync();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t side = (static_cast<std::size_t>(round) + k) % n;
        const auto t0 = Clock::now();
        s.runs[side]();
        s.times[side].push_back(Seconds(Clock::now() - t0));
    }
}

void BM_Vol10CopyFiles(benchmark::State& state) {
    const int folders = static_cast<int>(state.range(0));
    Sides s;
    s.names = {"ours", "bare_safe", "cp"};
    for (auto _ : state) {
        for (int round = 0, rounds = bench::Rounds(); round < rounds; ++round) {
            Workspace ws;
            MakeFiles(ws.root() + "/Src", 20, ".txt", 4096);
            Vol10Inputs in;
            in.ShowDetailedResults = true;
            in.Sources = {ws.Drive("Src")};
            in.Masks = {"*.*"};
            in.WorkingDir = ws.Drive("Work");
            in.WorkingDirCopyFiles = ws.Drive("Work\\COPYFILES");
            std::string script = "set -e\n";
            for (int i = 0; i < folders; ++i) {
                const std::string name = "D" + std::to_string(i);
                for (const char* side : {"/Ours/", "/Bare/", "/Cp/"}) mkdir((ws.root() + side).c_str(), 0777), mkdir((ws.root() + side + name).c_str(), 0777);
                in.IncludeFolders.push_back(ws.Drive("Ours\\" + name));
            }
            // cp copies the same 20 files into each folder, one process for all.
            script += "cd '" + ws.root() + "/Cp' && for d in *; do printf '%s\\0' \"$d\"; done | xargs -0 -n 200 -P 1 sh -c 'for d; do cp -p ../Src/* \"$d\"/; done' sh\n";
            Vol10State run;
            VisualLog log = Vol10VisualLog();
            s.runs = {[&] { Vol10RunCopyFiles(run, in, log, RunHooks{}); },
                      [&] {
                          const int src = open((ws.root() + "/Src").c_str(), O_RDONLY | O_DIRECTORY);
                          std::vector<std::string> names;
                          for (int i = 0; i < 20; ++i) names.push_back("file" + std::to_string(i) + ".txt");
                          for (int i = 0; i < folders; ++i) {
                              const int out = open((ws.root() + "/Bare/D" + std::to_string(i)).c_str(), O_RDONLY | O_DIRECTORY);
                              for (const auto& n : names) BareSafeCopy(src, n.c_str(), out);
                              close(out);
                          }
                          close(src);
                      },
                      [&] {
                          if (std::system(script.c_str()) != 0) state.SkipWithError("cp failed");
                      }};
            RunRotated(s, round);
            if (run.Counters.FilesCopied != 20.0 * folders) state.SkipWithError("files missing");
        }
    }
    Report(state, s);
}

void BM_Vol11DeleteFiles(benchmark::State& state) {
    const int perFolder = static_cast<int>(state.range(0));
    const bool readOnlyToo = state.range(1) != 0;
    Sides s;
    s.names = {"ours", "bare_unlink", "bare_unlink_mode_checked"};
    SetFileSelNameMasks({"*.txt"});
    for (auto _ : state) {
        for (int round = 0, rounds = bench::Rounds(); round < rounds; ++round) {
            Workspace ws;
            for (const char* side : {"/Ours/", "/Bare/", "/Checked/"})
                for (int f = 0; f < 100; ++f) {
                    MakeFiles(ws.root() + side + "F" + std::to_string(f), perFolder, ".txt", 0);
                    MakeFiles(ws.root() + side + "F" + std::to_string(f) + "/keep", perFolder, ".log", 0);
                }
            Vol11Inputs in;
            in.IncludeFolders = {ws.Drive("Ours")};
            in.DeleteOnlyFilesInMainFolder = false;
            in.DeleteOnlyFiles = true;
            in.DeleteDoubleConfirm = false;
            in.Masks = {"*.txt"};
            in.ReadOnlyFiles = readOnlyToo;
            in.WorkingDir = ws.Drive("Work");
            Vol11State run;
            VisualLog log = Vol11VisualLog();
            // The bare loop lists every folder of the tree and unlinks what the mask takes.
            // ... and the same loop looking at each file first, as the read-only option needs.
            bool checkMode = false;
            std::function<void(const std::string&)> bare = [&](const std::string& folder) {
                DIR* dir = opendir(folder.c_str());
                if (!dir) return;
                std::vector<std::string> subs;
                const int fd = dirfd(dir);
                while (dirent* e = readdir(dir)) {
                    if (e->d_name[0] == '.') continue;
                    if (e->d_type == DT_DIR)
                        subs.push_back(folder + "/" + e->d_name);
                    else if (fnmatch("*.txt", e->d_name, 0) == 0) {
                        struct stat st {};
                        if (!checkMode || (fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && (st.st_mode & 0200)))
                            unlinkat(fd, e->d_name, 0);
                    }
                }
                closedir(dir);
                for (const auto& sub : subs) bare(sub);
            };
            s.runs = {[&] { Vol11RunDeleteFiles(run, in, log, RunHooks{}); },
                      [&] {
                          checkMode = false;
                          bare(ws.root() + "/Bare");
                      },
                      [&] {
                          checkMode = true;
                          bare(ws.root() + "/Checked");
                      }};
            RunRotated(s, round);
            if (run.FilesDeleted != 100.0 * perFolder) state.SkipWithError("files left");
        }
    }
    SetFileSelNameMasks({"*.*"});
    Report(state, s);
}

void BM_Vol12RenameFiles(benchmark::State& state) {
    const int perFolder = static_cast<int>(state.range(0));
    Sides s;
    s.names = {"ours", "bare_rename", "ours_without_log", "bare_same_order"};
    for (auto _ : state) {
        for (int round = 0, rounds = bench::Rounds(); round < rounds; ++round) {
            Workspace ws;
            for (const char* side : {"/Ours/", "/Bare/", "/Quiet/", "/Sorted/"})
                for (int f = 0; f < 100; ++f) MakeFiles(ws.root() + side + "F" + std::to_string(f), perFolder, ".txt", 0);
            Vol12Inputs quiet;
            quiet.IncludeFolders = {ws.Drive("Quiet")};
            quiet.InMainFolders = false;
            quiet.InMainFoldersAndSubFolders = true;
            quiet.NewPrefix = "x_";
            quiet.WorkingDir = ws.Drive("Work");
            quiet.WorkingCopiesDir = ws.Drive("Work");
            Vol12State quietRun;
            SilentLog nullLog;  // nobody looks: shows how much the Visual Log costs
            Vol12Inputs in;
            in.IncludeFolders = {ws.Drive("Ours")};
            in.InMainFolders = false;
            in.InMainFoldersAndSubFolders = true;
            in.NewPrefix = "x_";
            in.WorkingDir = ws.Drive("Work");
            in.WorkingCopiesDir = ws.Drive("Work");
            Vol12State run;
            VisualLog log = Vol12VisualLog();
            s.runs = {[&] { Vol12RunRenameFiles(run, in, log, RunHooks{}); },
                      [&] {
                          for (int f = 0; f < 100; ++f) {
                              const std::string folder = ws.root() + "/Bare/F" + std::to_string(f);
                              DIR* dir = opendir(folder.c_str());
                              std::vector<std::string> names;  // read before renaming, as ours does
                              while (dirent* e = readdir(dir))
                                  if (e->d_name[0] != '.') names.push_back(e->d_name);
                              const int fd = dirfd(dir);
                              for (const auto& n : names)
                                  renameat2(fd, n.c_str(), fd, ("x_" + n).c_str(), RENAME_NOREPLACE);
                              closedir(dir);
                          }
                      },
                      [&] { Vol12RunRenameFiles(quietRun, quiet, nullLog, RunHooks{}); },
                      [&] {
                          // The same calls in the order ours must take them: by name, case
                          // folded (tmpfs takes a rename in another order than the listing's
                          // at another cost)
                          for (int f = 0; f < 100; ++f) {
                              const std::string folder = ws.root() + "/Sorted/F" + std::to_string(f);
                              DIR* dir = opendir(folder.c_str());
                              std::vector<std::string> names;
                              while (dirent* e = readdir(dir))
                                  if (e->d_name[0] != '.') names.push_back(e->d_name);
                              std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
                                  return strcasecmp(a.c_str(), b.c_str()) < 0;
                              });
                              const int fd = dirfd(dir);
                              for (const auto& n : names)
                                  renameat2(fd, n.c_str(), fd, ("x_" + n).c_str(), RENAME_NOREPLACE);
                              closedir(dir);
                          }
                      }};
            RunRotated(s, round);
            if (run.FilesRenamed != 100.0 * perFolder) state.SkipWithError("files not renamed");
        }
    }
    Report(state, s);
}

BENCHMARK(BM_Vol10CopyFiles)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol11DeleteFiles)
    ->ArgNames({"per_folder", "read_only_too"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol12RenameFiles)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    // One at a time, as the bare loops work; the pool has its own benchmark.
    const ForceRunWorkers oneAtATime(1);
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
