// Page 08's run and its undo with the Visual Log shown: a structure of 20
// folders and 50 small files copied into 10,000 existing main folders
// (with its own folder, with files), against a bare loop making the same
// system calls (beneath each held main folder: the climb to the root that
// the refusal needs, each new folder and its identity, the copy through an
// unnamed file linked into place with the source's bits and times; the
// removal checking each identity first), a plain loop (mkdir and copy by
// path, unlink and rmdir by path), and `cp -r` / `rm -rf` once per main
// folder. Each side copies and removes whole before the next starts, the
// first side changing every round. Read the ratios, not the absolute times.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "core/SettingsStore.h"
#include "pages/VisualLog.h"
#include "pages/RunItems.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmVol08ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

// The structure S: 4 areas with 4 items each (20 folders), 50 files of 512 bytes.
// Plain: copy by path, nothing else.
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

void BM_Vol08CopyStructureIntoMainFolders(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    SetFileSelNameMasks({"*.*"});
    // One main folder at a time, as the bare loops; the pool has a benchmark of its own.
    const ForceRunWorkers oneAtATime(1);
    double copied = 0;
    for (auto _ : state) {
        Workspace ws("qm-vol08-bench", kDrive);
        const CopyStructure s = MakeCopyStructure(ws);
        std::vector<std::string> mains;  // relative to a side's folder
        for (int i = 0; i < items; ++i) mains.push_back("M" + std::to_string(i));
        for (const char* side : {"ours", "same_calls", "plain", "cp_r"})
            for (const auto& m : mains) fs::create_directories(ws.Native(std::string(side) + "/" + m));

        Vol08Inputs in;
        in.FullPaths = true;
        in.MainFolderWithFiles = true;
        in.FolderStructures = {ws.Drive("S")};
        in.Masks = {"*.*"};
        for (const auto& m : mains) in.IncludeFolders.push_back(ws.Drive("ours/" + m));
        std::unique_ptr<Vol08State> run;
        // The page's Visual Log, shown, through the results pipe.
        VisualLog log([]() -> VisualLogWindow* { return frmStatistic08; },
                      []() -> ZoomStatisticsWindow* { return frmVol08ZoomStatistics; });

        std::unique_ptr<HeldFolders> source;
        std::vector<std::vector<BareMade>> made;
        std::vector<std::string> plainFiles, plainFolders;
        const auto check = [&](const char* side) {
            if (!fs::exists(ws.Native(std::string(side) + "/" + mains.back() + "/S/Area 1/Item 3/note49.txt")))
                state.SkipWithError((std::string(side) + " did not copy").c_str());
        };
        const auto checkRemoved = [&](const char* side) {
            if (fs::exists(ws.Native(std::string(side) + "/" + mains.back() + "/S")) ||
                !fs::exists(ws.Native(std::string(side) + "/" + mains.back())))
                state.SkipWithError((std::string(side) + " did not remove as it should").c_str());
        };

        Sides sides({"copy", "remove"});
        sides.Add(
            "ours", [&] { run = std::make_unique<Vol08State>(); },
            {[&] {
                 Vol08StartRun(*run, true);
                 if (!Vol08ComputeTotalsAndCheckSpace(*run, in, true)) state.SkipWithError("no room");
                 log.SetRunMode(true);
                 log.ClearLogLists();
                 log.ClearZoomLists();
                 log.ShowLog();
                 RealDisk disk;
                 Vol08CopyFolders(*run, in, disk, log, Vol08RunMessages());
                 log.ShowCounters(run->Counters.Labels());
                 copied = run->Counters.FilesCopied;
                 if (copied != 50.0 * items || run->Counters.SubFoldersCopied != 21.0 * items)
                     state.SkipWithError("files or folders missing");
                 check("ours");
             },
             [&] {
                 Vol08UndoLastRun(*run, log);
                 checkRemoved("ours");
             }});
        sides.Add(
            "same_calls",
            [&] {
                source = std::make_unique<HeldFolders>(ws.Native("S"));
                made.assign(mains.size(), {});
            },
            {[&] {
                 for (std::size_t i = 0; i < mains.size(); ++i) {
                     HeldFolders main(ws.Native("same_calls/" + mains[i]));
                     ClimbToRoot(main.Dir(""));
                     BareMakeFolder(main, "S", made[i]);
                     for (const auto& f : s.folders) BareMakeFolder(main, "S/" + f, made[i]);
                     for (const auto& f : s.files) BareSafeCopy(*source, f, main, "S/" + f, made[i]);
                 }
                 source.reset();
                 check("same_calls");
             },
             [&] {
                 for (std::size_t i = 0; i < mains.size(); ++i) {
                     HeldFolders main(ws.Native("same_calls/" + mains[i]));
                     BareSafeRemove(main, made[i]);
                 }
                 checkRemoved("same_calls");
             }});
        sides.Add("plain", {},
                  {[&] {
                       for (const auto& m : mains) {
                           const std::string top = ws.Native("plain/" + m + "/S");
                           plainFolders.push_back(top);
                           mkdir(top.c_str(), 0777);
                           for (const auto& f : s.folders) {
                               plainFolders.push_back(top + "/" + f);
                               mkdir(plainFolders.back().c_str(), 0777);
                           }
                           for (const auto& f : s.files) {
                               plainFiles.push_back(top + "/" + f);
                               PlainCopy(ws.Native("S/" + f), plainFiles.back());
                           }
                       }
                       check("plain");
                   },
                   [&] {
                       for (const auto& f : plainFiles) unlink(f.c_str());
                       for (auto it = plainFolders.rbegin(); it != plainFolders.rend(); ++it) rmdir(it->c_str());
                       std::vector<std::string>().swap(plainFiles);
                       std::vector<std::string>().swap(plainFolders);
                       checkRemoved("plain");
                   }});
        sides.Add("cp_r", {},
                  {[&] {
                       const std::string cmd =
                           "cd '" + ws.Native("cp_r") + "' && for d in M*; do cp -r ../S \"$d\"/; done";
                       if (std::system(cmd.c_str()) != 0) state.SkipWithError("cp failed");
                       check("cp_r");
                   },
                   [&] {
                       const std::string cmd = "cd '" + ws.Native("cp_r") + "' && rm -rf M*/S";
                       if (std::system(cmd.c_str()) != 0) state.SkipWithError("rm failed");
                       checkRemoved("cp_r");
                   }});
        sides.RunRounds();
        sides.Report(state);
        log.ClearLogLists();
        log.ClearZoomLists();
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
