// Page 08's run with its Visual Log shown: a structure of 20 folders and 50
// small files copied into 10,000 existing main folders (with its own
// folder, with files), against a bare loop making the same system calls
// (below the held main folder:
// the folder's identity and the climb to the root that the refusal needs,
// each new folder's identity, the copy through an unnamed file linked into
// place with the source's bits and times), a plain loop (mkdir and copy by
// path), and `cp -r` once per main folder. Each side runs whole, the order
// rotated over the rounds (QM_BENCH_ROUNDS, default 3); minimum and median
// are reported. QM_BENCH_DIR chooses the folder to work in (default: the
// temp folder), e.g. /dev/shm for tmpfs.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QApplication>

#include "core/SettingsStore.h"
#include "pages/VisualLog.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmVol08ZoomStatistics.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr char kDrive = 'V';

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

int Rounds() {
    const char* r = std::getenv("QM_BENCH_ROUNDS");
    return r && std::atoi(r) > 0 ? std::atoi(r) : 3;
}

class Workspace {
public:
    Workspace() {
        const char* base = std::getenv("QM_BENCH_DIR");
        std::string tmpl = ((base && *base) ? fs::path(base) : fs::temp_directory_path()) / "qm-vol08-bench-XXXXXX";
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

private:
    std::string root_;
};

// The structure S: 4 areas with 4 items each (20 folders), 50 files of 512 bytes.
struct Structure {
    std::vector<std::string> folders, files;  // relative, "/" between names
};

Structure MakeStructure(const std::string& root) {
    Structure s;
    for (int i = 0; i < 4; ++i) {
        s.folders.push_back("Area " + std::to_string(i));
        for (int j = 0; j < 4; ++j) s.folders.push_back("Area " + std::to_string(i) + "/Item " + std::to_string(j));
    }
    for (int k = 0; k < 50; ++k)
        s.files.push_back(s.folders[static_cast<std::size_t>(k % 20)] + "/note" + std::to_string(k) + ".txt");
    for (const auto& f : s.folders) fs::create_directories(root + "/S/" + f);
    for (const auto& f : s.files) std::ofstream(root + "/S/" + f, std::ios::binary) << std::string(512, 'x');
    return s;
}

std::string FolderOf(const std::string& rel) {
    const std::size_t slash = rel.rfind('/');
    return slash == std::string::npos ? std::string() : rel.substr(0, slash);
}

std::string NameOf(const std::string& rel) { return rel.substr(rel.rfind('/') + 1); }

// Plain: mkdir and copy by path, nothing else.
void PlainCopy(const std::string& source, const std::string& target) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    struct stat st {};
    fstat(in, &st);
    for (off_t left = st.st_size; left > 0;) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(left), 0);
        if (n <= 0) break;
        left -= n;
    }
    close(out);
    close(in);
}

// The calls ours makes for one main folder.
void SameCallsCopy(const std::string& main, const Structure& s, const std::map<std::string, int>& sourceDirs) {
    const int m = open(main.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    fstat(m, &st);
    // The climb to the root that tells whether a structure holds the folder.
    for (int cur = dup(m);;) {
        struct stat here {};
        fstat(cur, &here);
        const int up = openat(cur, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        close(cur);
        struct stat above {};
        fstat(up, &above);
        if (above.st_ino == here.st_ino && above.st_dev == here.st_dev) {
            close(up);
            break;
        }
        cur = up;
    }
    mkdirat(m, "S", 0777);
    fstatat(m, "S", &st, AT_SYMLINK_NOFOLLOW);
    for (const auto& f : s.folders) {
        const std::string rel = "S/" + f;
        mkdirat(m, rel.c_str(), 0777);
        fstatat(m, rel.c_str(), &st, AT_SYMLINK_NOFOLLOW);
    }
    std::string heldFolder;
    int held = -1;
    for (const auto& f : s.files) {
        const std::string folder = FolderOf(f), name = NameOf(f);
        const int in = openat(sourceDirs.at(folder), name.c_str(),
                              O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat src {};
        fstat(in, &src);
        if (folder != heldFolder) {
            if (held >= 0) close(held);
            held = openat(m, ("S/" + folder).c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            heldFolder = folder;
        }
        const int out = openat(held, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        for (off_t left = src.st_size; left > 0;) {
            const ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(left), 0);
            if (n <= 0) break;
            left -= n;
        }
        const struct timespec times[2] = {src.st_atim, src.st_mtim};
        fchmod(out, src.st_mode & 0777);
        futimens(out, times);
        close(in);
        linkat(out, "", held, name.c_str(), AT_EMPTY_PATH);
        fstat(out, &st);
        close(out);
    }
    if (held >= 0) close(held);
    close(m);
}

void BM_Vol08CopyStructureIntoMainFolders(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const int rounds = Rounds();
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDOK); });
    SetFileSelNameMasks({"*.*"});
    const std::vector<std::string> names = {"ours", "bare_same_calls", "plain", "cp_r"};
    std::vector<std::vector<double>> times(names.size());
    double copied = 0;
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            Workspace ws;
            const Structure s = MakeStructure(ws.root());
            for (const auto& side : names) fs::create_directories(ws.root() + "/" + side);
            std::map<std::string, int> sourceDirs;
            sourceDirs[""] = open((ws.root() + "/S").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            for (const auto& f : s.folders)
                sourceDirs[f] = open((ws.root() + "/S/" + f).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);

            Vol08Inputs in;
            in.FullPaths = true;
            in.MainFolderWithFiles = true;
            in.FolderStructures = {std::string(1, kDrive) + ":\\S"};
            in.Masks = {"*.*"};
            const auto mainFolders = [&](const std::string& side) {
                for (int i = 0; i < items; ++i)
                    mkdir((ws.root() + "/" + side + "/M" + std::to_string(i)).c_str(), 0777);
            };
            for (const auto& side : names) mainFolders(side);
            for (int i = 0; i < items; ++i)
                in.IncludeFolders.push_back(std::string(1, kDrive) + ":\\ours\\M" + std::to_string(i));
            Vol08State run;
            // The page's Visual Log, shown, through the results pipe.
            VisualLog log([]() -> VisualLogWindow* { return frmStatistic08; },
                          []() -> ZoomStatisticsWindow* { return frmVol08ZoomStatistics; });
            FolderLogSink sink(log, kVol08CounterLabels);
            std::vector<std::function<void()>> sides = {
                [&] {
                    Vol08StartRun(run, true);
                    if (!Vol08ComputeTotalsAndCheckSpace(run, in, true)) state.SkipWithError("no room");
                    log.SetRunMode(true);
                    log.ClearLogLists();
                    log.ClearZoomLists();
                    log.ShowLog();
                    RealDisk disk;
                    Vol08CopyFolders(run, in, disk, sink, Vol08RunMessages());
                    log.ShowCounters(run.Counters.Labels());
                },
                [&] {
                    for (int i = 0; i < items; ++i)
                        SameCallsCopy(ws.root() + "/bare_same_calls/M" + std::to_string(i), s, sourceDirs);
                },
                [&] {
                    for (int i = 0; i < items; ++i) {
                        const std::string main = ws.root() + "/plain/M" + std::to_string(i) + "/S";
                        mkdir(main.c_str(), 0777);
                        for (const auto& f : s.folders) mkdir((main + "/" + f).c_str(), 0777);
                        for (const auto& f : s.files) PlainCopy(ws.root() + "/S/" + f, main + "/" + f);
                    }
                },
                [&] {
                    const std::string cmd = "cd '" + ws.root() + "/cp_r' && for d in M*; do cp -r ../S \"$d\"/; done";
                    if (std::system(cmd.c_str()) != 0) state.SkipWithError("cp failed");
                }};
            sync();
            for (std::size_t k = 0; k < sides.size(); ++k) {
                const std::size_t side = (static_cast<std::size_t>(round) + k) % sides.size();
                const auto t0 = Clock::now();
                sides[side]();
                times[side].push_back(Seconds(Clock::now() - t0));
                // Each side's tree goes once it is timed (tmpfs has few inodes).
                const std::string last = ws.root() + "/" + names[side] + "/M" + std::to_string(items - 1);
                if (!fs::exists(last + "/S/Area 1/Item 3/note49.txt"))
                    state.SkipWithError((names[side] + " did not copy").c_str());
                std::error_code ec;
                fs::remove_all(ws.root() + "/" + names[side], ec);
                sync();
            }
            for (const auto& [rel, fd] : sourceDirs) close(fd);
            copied = run.Counters.FilesCopied;
            if (copied != 50.0 * items || run.Counters.SubFoldersCopied != 21.0 * items)
                state.SkipWithError("files or folders missing");
        }
    }
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.SetIterationTime(minOf(times[0]));
    for (std::size_t i = 0; i < names.size(); ++i) {
        state.counters[names[i] + "_min_s"] = minOf(times[i]);
        state.counters[names[i] + "_med_s"] = medianOf(times[i]);
        if (i == 0) continue;
        state.counters["ratio_" + names[i] + "_min"] = minOf(times[0]) / minOf(times[i]);
        state.counters["ratio_" + names[i] + "_med"] = medianOf(times[0]) / medianOf(times[i]);
    }
    state.counters["files_copied"] = copied;
}

BENCHMARK(BM_Vol08CopyStructureIntoMainFolders)
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
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
