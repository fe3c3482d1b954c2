// Pages 03 and 04 and their undo as the pages make them, the Visual Logs
// shown: 100,000 numbered folders (page 03), and one new folder beside each
// of 100,000 paths (page 04, the paths in one folder or spread over 1,000
// folders), against a bare loop making the same system calls (mkdirat
// beneath the held folder and the new folder's identity; the undo checking
// it before the removal) and against the plain loop (mkdir and rmdir by
// path). Each side's folders are made and removed whole before the next
// side starts, the first side changing every round. Read the ratios, not
// the absolute times.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol04Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

void PlainRemove(std::vector<std::string>& made) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) rmdir(it->c_str());
    std::vector<std::string>().swap(made);
}

// The three sides over the relative paths `rels` (below Same/ and Plain/).
void AddBareSides(Sides& sides, const Workspace& ws, const std::vector<std::string>& rels,
                  std::unique_ptr<HeldFolders>& held, std::vector<BareMade>& same, std::vector<std::string>& plain) {
    sides.Add(
        "same_calls", [&] { held = std::make_unique<HeldFolders>(ws.Native("Same")); },
        {[&] {
             for (const auto& rel : rels) BareMakeFolder(*held, rel, same);
             held->Release();
         },
         [&] { BareSafeRemove(*held, same); }});
    sides.Add("plain", {},
              {[&] {
                   const std::string base = ws.Native("Plain/");
                   for (const auto& rel : rels) {
                       plain.push_back(base + rel);
                       mkdir(plain.back().c_str(), 0777);
                   }
               },
               [&] { PlainRemove(plain); }});
}

// Page 03: Job-000001 ... Job-100000 in one destination, nothing attached.
void BM_Vol03NumberedFoldersAndUndo(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Workspace ws("qm-vol0304-bench", kDrive);
        Vol03Inputs in;
        in.DestFolder = ws.Drive("Ours");
        in.AttachNothing = true;
        in.Prefix = "Job";
        in.Hyphen = true;
        in.PaddedZeroes = true;
        in.StartText = "1";
        in.EndText = std::to_string(items);
        in.ViewDetailedResults = true;
        in.ViewDestFolder = false;
        const Vol03Numbers numbers = Vol03ReadNumbers(in.StartText, in.EndText);
        std::vector<std::string> rels;
        for (int i = 1; i <= items; ++i) rels.push_back("Job-" + Vol03NumberText(i, true, numbers.Digits()));
        for (const char* side : {"Ours", "Same", "Plain"}) mkdir(ws.Native(side).c_str(), 0777);

        std::unique_ptr<Vol03State> run;
        VisualLog log = Vol03VisualLog();
        std::unique_ptr<HeldFolders> held;
        std::vector<BareMade> same;
        std::vector<std::string> plain;
        Sides sides({"create", "undo"});
        sides.Add(
            "ours", [&] { run = std::make_unique<Vol03State>(); },
            {[&] { Vol03RunCreateFolders(*run, in, log, Vol03PageHooks{}); },
             [&] {
                 if (run->Counters.FoldersCreated != items) state.SkipWithError("folders missing");
                 Vol03UndoLastRun(*run, log);
                 if (fs::exists(ws.Native("Ours/" + rels.front()))) state.SkipWithError("undo left folders");
             }});
        AddBareSides(sides, ws, rels, held, same, plain);
        sides.RunRounds();
        sides.Report(state);
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

// Page 04: the Include paths V:\Ours\<n / perParent>\Item <n>; each new
// folder P-Item <n> goes beside its path (the parents exist).
void BM_Vol04FolderBesideEachPathAndUndo(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const int perParent = static_cast<int>(state.range(1));
    for (auto _ : state) {
        Workspace ws("qm-vol0304-bench", kDrive);
        Vol04Inputs in;
        in.AttachNothing = true;
        in.Prefix = "P";
        in.Hyphen = true;
        in.ViewDetailedResults = true;
        in.ViewDestFolder = false;
        std::vector<std::string> rels;
        for (int p = 0; p < (items + perParent - 1) / perParent; ++p)
            for (const char* side : {"Ours/", "Same/", "Plain/"})
                fs::create_directories(ws.Native(side + std::to_string(p)));
        for (int i = 0; i < items; ++i) {
            const std::string parent = std::to_string(i / perParent);
            in.IncludeFolders.push_back(ws.Drive("Ours/" + parent + "/Item " + std::to_string(i)));
            rels.push_back(parent + "/P-Item " + std::to_string(i));
        }
        std::unique_ptr<Vol04State> run;
        VisualLog log = Vol04VisualLog();
        std::unique_ptr<HeldFolders> held;
        std::vector<BareMade> same;
        std::vector<std::string> plain;
        Sides sides({"create", "undo"});
        sides.Add(
            "ours", [&] { run = std::make_unique<Vol04State>(); },
            {[&] { Vol04RunCreateFolders(*run, in, log, RunHooks{}); },
             [&] {
                 if (run->Counters.FoldersCreated != items) state.SkipWithError("folders missing");
                 Vol04UndoLastRun(*run, log);
                 if (fs::exists(ws.Native("Ours/" + rels.front()))) state.SkipWithError("undo left folders");
             }});
        AddBareSides(sides, ws, rels, held, same, plain);
        sides.RunRounds();
        sides.Report(state);
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

BENCHMARK(BM_Vol03NumberedFoldersAndUndo)->Arg(100000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol04FolderBesideEachPathAndUndo)
    ->Args({100000, 100000})
    ->Args({100000, 100})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // One at a time, as the bare loops work; the pool has its own benchmark.
    const ForceRunWorkers oneAtATime(1);
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
    frmVol03ZoomStatistics = new TfrmVol03ZoomStatistics;
    frmStatistic03 = new TfrmStatistic03;
    frmVol04ZoomStatistics = new TfrmVol04ZoomStatistics;
    frmStatistic04 = new TfrmStatistic04;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete frmStatistic04;
    delete frmVol04ZoomStatistics;
    delete frmStatistic03;
    delete frmVol03ZoomStatistics;
    return 0;
}
