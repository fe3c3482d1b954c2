// Page 02's run with its Visual Log shown: 100,000 main folders with a
// template of 20 folders each ("R"), and 10,000 with an existing structure
// of 20 folders and 50 small files ("F"), against a bare mkdir (and copy)
// loop doing the same work in the same run, and one that also does what
// ours must for safety (reads each folder's identity; copies through a
// hidden file), in alternating chunks so that all see the same disk. Read the ratio, not the absolute times.
// QM_BENCH_DIR chooses the folder to work in (default: the temp folder).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
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

#include "pages/creation/Vol02Engine.h"
#include "pages/VisualLog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmVol02ZoomStatistics.h"

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
        std::string tmpl = ((base && *base) ? fs::path(base) : fs::temp_directory_path()) / "qm-vol02-bench-XXXXXX";
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

long ResidentKb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool BareCopy(const std::string& source, const std::string& target) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    bool ok = out >= 0;
    char buf[65536];
    for (ssize_t n; ok && (n = read(in, buf, sizeof buf)) > 0;) ok = write(out, buf, static_cast<size_t>(n)) == n;
    if (out >= 0) close(out);
    close(in);
    return ok;
}

// The copy as the program must make it: into a temporary file beside the
// target, with the source's permissions and times, then put in place
// without replacing anything, so that no partial file is ever left.
bool BareSafeCopy(const std::string& source, const std::string& target) {
    const int in = open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    fstat(in, &st);
    const std::string temp = target + ".tmp~";
    const int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
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
    return ok && renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
}

// Runs `ours` and the bare loops over the items in alternating chunks and
// reports each; `bareSame` also does the system-call work ours must do for
// safety (`sameName` names its figures). The bare sides work in
// `<bareRoot>Project <i>` and `<bareRoot>Same <i>`; where the file system
// has too few inodes for three whole trees (tmpfs), each bare chunk is
// removed, untimed, once done.
template <typename Ours, typename Bare, typename BareSame>
void Alternate(benchmark::State& state, int items, Ours ours, Bare bare, BareSame bareSame, const char* sameName,
               RunLog& log, const Vol02State& run, const std::string& bareRoot, double inodesPerItem) {
    struct statvfs fsInfo{};
    const bool dropBareChunks = statvfs(bareRoot.c_str(), &fsInfo) == 0 &&
                                static_cast<double>(fsInfo.f_favail) < 3.2 * inodesPerItem * items;
    const long before = ResidentKb();
    Clock::duration oursTime{}, bareTime{}, sameTime{};
    // Who goes first changes every chunk: work that the file system puts off
    // (journal, writeback, freeing) lands on every side alike.
    std::function<void(int)> loops[] = {ours, bare, bareSame};
    Clock::duration* totals[] = {&oursTime, &bareTime, &sameTime};
    const int sides = 3;
    for (int first = 0, chunk = 0; first < items; first += kChunk, ++chunk) {
        const int last = std::min(items, first + kChunk);
        for (int k = 0; k < sides; ++k) {
            const int side = (chunk + k) % sides;
            const auto t0 = Clock::now();
            for (int i = first; i < last; ++i) loops[side](i);
            *totals[side] += Clock::now() - t0;
            if (side == 0 || !dropBareChunks) continue;
            std::error_code ec;
            for (int i = first; i < last; ++i)
                fs::remove_all(bareRoot + (side == 1 ? "Project " : "Same ") + std::to_string(i), ec);
        }
    }
    auto t0 = Clock::now();
    log.ShowCounters(run.Labels());
    oursTime += Clock::now() - t0;
    const double lines = run.Counters.FoldersCreated + run.Counters.SubFoldersCreated +
                         run.Counters.FilesCreated;
    state.SetIterationTime(Seconds(oursTime));
    state.counters["bare_s"] = Seconds(bareTime);
    state.counters["ours_s"] = Seconds(oursTime);
    state.counters["ratio"] = Seconds(oursTime) / Seconds(bareTime);
    state.counters[std::string("bare_") + sameName + "_s"] = Seconds(sameTime);
    state.counters[std::string("ratio_") + sameName] = Seconds(oursTime) / Seconds(sameTime);
    state.counters["outcome_lines"] = lines;
    state.counters["rss_growth_MB"] = static_cast<double>(ResidentKb() - before) / 1024.0;
    state.counters["bytes_per_line"] = static_cast<double>(ResidentKb() - before) * 1024.0 / lines;
    state.counters["peak_rss_MB"] = static_cast<double>(PeakKb()) / 1024.0;
}

void BM_Vol02TemplatesRun(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws;
        Vol02Inputs in;
        in.DestFolder = std::string(1, kDrive) + ":\\Dest";
        in.RelativePaths = true;
        std::vector<std::string> bareLines;
        for (int i = 0; i < 5; ++i) {
            const std::string top = "Phase " + std::to_string(i);
            in.FolderStructures.push_back(top);
            bareLines.push_back(top);
            for (int j = 0; j < 3; ++j) {
                in.FolderStructures.push_back(top + "\\Part " + std::to_string(j));
                bareLines.push_back(top + "/Part " + std::to_string(j));
            }
        }
        for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));

        Vol02State run;
        VisualLog log = Vol02VisualLog();
        log.SetRunMode(true);
        log.ClearLogLists();
        log.ClearZoomLists();
        frmStatistic02->ShowLog();
        RealDisk disk;
        Vol02Creator creator(in, run, log, disk);
        const std::string bare = ws.root() + "/Bare/Project ";
        std::string main;
        Alternate(
            state, items, [&](int i) { creator.CreateOne(in.IncludeStrings[static_cast<std::size_t>(i)]); },
            [&](int i) {
                main = bare + std::to_string(i);
                mkdir(main.c_str(), 0777);
                for (const auto& line : bareLines) mkdir((main + "/" + line).c_str(), 0777);
            },
            [&](int i) {
                // The same folders, each one's identity read back as ours
                // records it for the undo.
                struct stat st;
                main = ws.root() + "/Bare/Same " + std::to_string(i);
                mkdir(main.c_str(), 0777);
                lstat(main.c_str(), &st);
                for (const auto& line : bareLines) {
                    const std::string sub = main + "/" + line;
                    mkdir(sub.c_str(), 0777);
                    lstat(sub.c_str(), &st);
                }
            },
            "with_identity", log, run, ws.root() + "/Bare/", 21);
        if (run.Counters.SubFoldersCreated != 20.0 * items) {
            std::fprintf(stderr, "created %.0f sub %.0f other %.0f subother %.0f exists %.0f\n",
                         run.Counters.FoldersCreated, run.Counters.SubFoldersCreated,
                         run.Counters.FoldersOther, run.Counters.SubFoldersOther,
                         run.Counters.FoldersExists);
            state.SkipWithError("folders missing");
        }
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

void BM_Vol02StructureWithFilesRun(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws;
        // 4 folders with 4 subfolders each (20 folders), 50 files of 512 bytes.
        std::vector<std::string> folders, files;
        for (int i = 0; i < 4; ++i) {
            folders.push_back("Area " + std::to_string(i));
            for (int j = 0; j < 4; ++j) folders.push_back("Area " + std::to_string(i) + "/Item " + std::to_string(j));
        }
        for (int k = 0; k < 50; ++k) files.push_back(folders[static_cast<std::size_t>(k % 20)] + "/note" + std::to_string(k) + ".txt");
        for (const auto& f : folders) fs::create_directories(ws.root() + "/S/" + f);
        for (const auto& f : files) std::ofstream(ws.root() + "/S/" + f, std::ios::binary) << std::string(512, 'x');

        Vol02Inputs in;
        in.DestFolder = std::string(1, kDrive) + ":\\Dest";
        in.FullPaths = true;
        in.MainFolderWithFiles = true;
        in.FolderStructures = {std::string(1, kDrive) + ":\\S"};
        for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
        Vol02State run;
        MeasureCreationStructures(run, in, true);

        VisualLog log = Vol02VisualLog();
        log.SetRunMode(true);
        log.ClearLogLists();
        log.ClearZoomLists();
        frmStatistic02->ShowLog();
        RealDisk disk;
        Vol02Creator creator(in, run, log, disk);
        const std::string source = ws.root() + "/S/";
        const std::string bare = ws.root() + "/Bare/Project ";
        const std::string bareSame = ws.root() + "/Bare/Same ";
        auto bareLoop = [&](const std::string& base, int i, bool (*copy)(const std::string&, const std::string&)) {
            const std::string main = base + std::to_string(i);
            mkdir(main.c_str(), 0777);
            mkdir((main + "/S").c_str(), 0777);
            for (const auto& f : folders) mkdir((main + "/S/" + f).c_str(), 0777);
            for (const auto& f : files) copy(source + f, main + "/S/" + f);
        };
        Alternate(
            state, items, [&](int i) { creator.CreateOne(in.IncludeStrings[static_cast<std::size_t>(i)]); },
            [&](int i) { bareLoop(bare, i, BareCopy); }, [&](int i) { bareLoop(bareSame, i, BareSafeCopy); },
            "safe_copy", log, run, ws.root() + "/Bare/", 72);
        if (run.Counters.FilesCreated != 50.0 * items) state.SkipWithError("files missing");
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

// Undo of a run that made 5,000 main folders with 20 template folders each
// (105,000 folders), against `rm -rf`, a bare rmdir loop (deepest first)
// and the same loop checking each folder's identity first, on identical
// trees, in rotated order over the rounds.
void BM_Vol02UndoRun(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const int rounds = std::getenv("QM_BENCH_ROUNDS") ? std::atoi(std::getenv("QM_BENCH_ROUNDS")) : 3;
    std::vector<double> ours, rmrf, bare, bareId;
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            Workspace ws;
            Vol02Inputs in;
            in.DestFolder = std::string(1, kDrive) + ":\\Dest";
            in.RelativePaths = true;
            in.ViewDetailedResults = false;
            in.ViewDestFolder = false;
            std::vector<std::string> lines;
            for (int i = 0; i < 5; ++i) {
                const std::string top = "Phase " + std::to_string(i);
                in.FolderStructures.push_back(top);
                lines.push_back(top);
                for (int j = 0; j < 3; ++j) {
                    in.FolderStructures.push_back(top + "\\Part " + std::to_string(j));
                    lines.push_back(top + "/Part " + std::to_string(j));
                }
            }
            for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
            Vol02State run;
            VisualLog log = Vol02VisualLog();
            Vol02RunCreateFolders(run, in, log, RunHooks{});
            // Creation order for the bare loops; the second also keeps each
            // folder's identity and checks it before the removal, as ours does.
            std::vector<std::string> made;
            std::vector<std::pair<std::string, ino_t>> madeWithId;
            mkdir((ws.root() + "/Rm").c_str(), 0777);
            mkdir((ws.root() + "/Id").c_str(), 0777);
            const auto makeOne = [&](char side, const std::string& path) {
                struct stat st{};
                mkdir(path.c_str(), 0777);
                if (side == 'B') made.push_back(path);
                if (side == 'I' && lstat(path.c_str(), &st) == 0) madeWithId.emplace_back(path, st.st_ino);
            };
            for (const char* side : {"/Bare", "/Rm", "/Id"}) {
                for (int i = 0; i < items; ++i) {
                    const std::string main = ws.root() + side + "/Project " + std::to_string(i);
                    makeOne(side[1], main);
                    for (const auto& line : lines) makeOne(side[1], main + "/" + line);
                }
            }
            sync();
            std::function<void()> sides[] = {
                [&] { Vol02UndoLastRun(run, log); },
                [&] {
                    const std::string cmd = "rm -rf '" + ws.root() + "/Rm'";
                    if (std::system(cmd.c_str()) != 0) state.SkipWithError("rm failed");
                },
                [&] {
                    for (auto it = made.rbegin(); it != made.rend(); ++it) rmdir(it->c_str());
                },
                [&] {
                    struct stat st;
                    for (auto it = madeWithId.rbegin(); it != madeWithId.rend(); ++it)
                        if (lstat(it->first.c_str(), &st) == 0 && st.st_ino == it->second) rmdir(it->first.c_str());
                }};
            std::vector<double>* times[] = {&ours, &rmrf, &bare, &bareId};
            for (int k = 0; k < 4; ++k) {
                const int side = (round + k) % 4;
                const auto t0 = Clock::now();
                sides[side]();
                times[side]->push_back(Seconds(Clock::now() - t0));
            }
            if (fs::exists(ws.root() + "/Dest/Project 0")) state.SkipWithError("undo left folders");
        }
    }
    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.SetIterationTime(minOf(ours));
    state.counters["ours_min_s"] = minOf(ours);
    state.counters["ours_med_s"] = medianOf(ours);
    state.counters["rm_rf_min_s"] = minOf(rmrf);
    state.counters["rm_rf_med_s"] = medianOf(rmrf);
    state.counters["bare_rmdir_min_s"] = minOf(bare);
    state.counters["ratio_rm_rf_min"] = minOf(ours) / minOf(rmrf);
    state.counters["ratio_rm_rf_med"] = medianOf(ours) / medianOf(rmrf);
    state.counters["ratio_bare_min"] = minOf(ours) / minOf(bare);
    state.counters["bare_with_identity_min_s"] = minOf(bareId);
    state.counters["ratio_with_identity_min"] = minOf(ours) / minOf(bareId);
    state.counters["ratio_with_identity_med"] = medianOf(ours) / medianOf(bareId);
}

// Memory of a run's outcome and of its undo. Run it alone (its own process,
// --benchmark_filter=Memory) so that no earlier heap skews the figures:
// bytes per outcome line beyond its text, and the undo's peak against the
// process after the run.
long HighWaterKb() {
    long kb = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
        std::fclose(f);
    }
    return kb;
}

void ResetHighWater() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

void BM_Vol02RunMemory(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    for (auto _ : state) {
        Workspace ws;
        Vol02Inputs in;
        in.DestFolder = std::string(1, kDrive) + ":\\Dest";
        in.RelativePaths = true;
        in.ViewDestFolder = false;
        for (int i = 0; i < 5; ++i) {
            const std::string top = "Phase " + std::to_string(i);
            in.FolderStructures.push_back(top);
            for (int j = 0; j < 3; ++j) in.FolderStructures.push_back(top + "\\Part " + std::to_string(j));
        }
        for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
        Vol02State run;
        VisualLog log = Vol02VisualLog();
        frmStatistic02->ShowLog();
        const long before = ResidentKb();
        const auto t0 = Clock::now();
        Vol02RunCreateFolders(run, in, log, RunHooks{});
        const double runSeconds = Seconds(Clock::now() - t0);
        const long after = ResidentKb();
        double text = 0;
        for (const auto* list : {&run.LastCreatedFolders, &run.LastCreatedSubFolders})
            for (std::size_t i = 0; i < list->size(); ++i) text += static_cast<double>(list->PathAt(i).size());
        const double lines = static_cast<double>(run.LastCreatedFolders.size() + run.LastCreatedSubFolders.size());
        ResetHighWater();
        Vol02UndoLastRun(run, log);
        const long undoPeak = HighWaterKb();
        if (fs::exists(ws.root() + "/Dest/Project 0")) state.SkipWithError("undo left folders");
        state.SetIterationTime(runSeconds);
        state.counters["outcome_lines"] = lines;
        state.counters["text_bytes_per_line"] = text / lines;
        state.counters["bytes_per_line"] = static_cast<double>(after - before) * 1024.0 / lines;
        state.counters["beyond_text_per_line"] = static_cast<double>(after - before) * 1024.0 / lines - text / lines;
        state.counters["after_run_MB"] = static_cast<double>(after) / 1024.0;
        state.counters["undo_peak_MB"] = static_cast<double>(undoPeak) / 1024.0;
        state.counters["undo_peak_ratio"] = static_cast<double>(undoPeak) / static_cast<double>(after);
    }
}

BENCHMARK(BM_Vol02TemplatesRun)->Arg(100000)->Arg(50000)->Arg(20000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol02StructureWithFilesRun)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol02RunMemory)->Arg(100000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol02UndoRun)->Arg(5000)->Arg(30000)->Arg(20000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    frmVol02ZoomStatistics = new TfrmVol02ZoomStatistics;
    frmStatistic02 = new TfrmStatistic02;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic02;
    delete frmVol02ZoomStatistics;
    return 0;
}
