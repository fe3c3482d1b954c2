// Page 02's run and its undo as the page makes them, the Visual Log shown:
//   R: 100,000 main folders, a template of 20 folders each (2.1 million
//      folders), then their undo;
//   F: 10,000 main folders, each with an existing structure of 20 folders
//      and 50 small files, then their undo;
// against a bare loop making the same system calls (mkdirat, the identity
// read back, folders opened beneath held ones, the copy through an unnamed
// file; the undo checking each identity first) and against the plain loop
// (mkdir and rmdir by path, a plain copy). Each side's tree is made and
// removed whole before the next side starts (tmpfs holds about 3 million
// inodes). The memory per outcome line and the undo's peak are measured
// in a process of their own. Read the ratios, not the absolute times.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol02Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmVol02ZoomStatistics.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

void AnswerYes() {
    plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned) { return int(plat::IDYES); });
}

// Five folders with three subfolders each, as template lines and as the
// relative paths a bare loop makes.
void TemplateLines(StringList& lines, std::vector<std::string>& bare) {
    for (int i = 0; i < 5; ++i) {
        const std::string top = "Phase " + std::to_string(i);
        lines.push_back(top);
        bare.push_back(top);
        for (int j = 0; j < 3; ++j) {
            lines.push_back(top + "\\Part " + std::to_string(j));
            bare.push_back(top + "/Part " + std::to_string(j));
        }
    }
}

Vol02Inputs TemplateInputs(const Workspace& ws, int items) {
    Vol02Inputs in;
    in.DestFolder = ws.Drive("Ours");
    in.RelativePaths = true;
    in.ViewDetailedResults = true;
    in.ViewDestFolder = false;
    std::vector<std::string> bare;
    TemplateLines(in.FolderStructures, bare);
    for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
    return in;
}

// The plain loop's undo: everything it made, by path, in reverse.
void PlainRemove(std::vector<std::string>& made) {
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        if (rmdir(it->c_str()) != 0) unlink(it->c_str());
    std::vector<std::string>().swap(made);
}

void BM_Vol02TemplatesRunAndUndo(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    AnswerYes();
    for (auto _ : state) {
        Workspace ws("qm-vol02-bench", kDrive);
        const Vol02Inputs in = TemplateInputs(ws, items);
        StringList unused;
        std::vector<std::string> lines;
        TemplateLines(unused, lines);
        std::unique_ptr<Vol02State> run;
        VisualLog log = Vol02VisualLog();
        std::vector<BareMade> same;
        std::vector<std::string> plain;
        Sides sides({"create", "undo"});
        sides.Add(
            "ours", [&] { run = std::make_unique<Vol02State>(); },
            {[&] { Vol02RunCreateFolders(*run, in, log, RunHooks{}); },
             [&] {
                 if (run->Counters.SubFoldersCreated != 20.0 * items) state.SkipWithError("folders missing");
                 Vol02UndoLastRun(*run, log);
                 if (fs::exists(ws.Native("Ours/Project 0"))) state.SkipWithError("undo left folders");
             }});
        std::unique_ptr<HeldFolders> held;
        sides.Add(
            "same_calls", [&] { held = std::make_unique<HeldFolders>(ws.root() + "/Same"); },
            {[&] {
                 for (int i = 0; i < items; ++i) {
                     const std::string main = "Project " + std::to_string(i);
                     BareMakeFolder(*held, main, same);
                     for (const auto& line : lines) BareMakeFolder(*held, main + "/" + line, same);
                     held->Release();
                 }
             },
             [&] { BareSafeRemove(*held, same); }});
        sides.Add("plain", {},
                  {[&] {
                       for (int i = 0; i < items; ++i) {
                           const std::string main = ws.root() + "/Plain/Project " + std::to_string(i);
                           mkdir(main.c_str(), 0777);
                           plain.push_back(main);
                           for (const auto& line : lines) {
                               plain.push_back(main + "/" + line);
                               mkdir(plain.back().c_str(), 0777);
                           }
                       }
                   },
                   [&] { PlainRemove(plain); }});
        for (const char* side : {"Ours", "Same", "Plain"}) mkdir(ws.Native(side).c_str(), 0777);
        sides.RunRounds();
        sides.Report(state);
        state.counters["outcome_lines"] = 21.0 * items;
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

// ---- F: a structure of folders and files in each main folder ---------------------------------------------

// The structure's entries as the run reads them: breadth first, each
// folder's entries sorted as listings come back.
std::vector<std::pair<std::string, bool>> StructureItems(const std::string& root) {
    std::vector<std::pair<std::string, bool>> items;
    std::deque<std::string> queue{""};
    while (!queue.empty()) {
        const std::string rel = queue.front();
        queue.pop_front();
        std::vector<std::pair<std::string, bool>> here;
        for (const auto& e : fs::directory_iterator(rel.empty() ? root : root + "/" + rel))
            here.emplace_back(e.path().filename().string(), e.is_directory());
        std::sort(here.begin(), here.end(), [](const auto& a, const auto& b) {
            const int c = strcasecmp(a.first.c_str(), b.first.c_str());
            return c != 0 ? c < 0 : a.first < b.first;
        });
        for (auto& [name, folder] : here) {
            std::string itemRel = rel.empty() ? name : rel + "/" + name;
            if (folder) queue.push_back(itemRel);
            items.emplace_back(std::move(itemRel), folder);
        }
    }
    return items;
}

bool PlainCopy(const std::string& source, const std::string& target) {
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

void BM_Vol02StructureWithFilesRunAndUndo(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    AnswerYes();
    for (auto _ : state) {
        Workspace ws("qm-vol02-bench", kDrive);
        // 4 folders with 4 subfolders each (20 folders), 50 files of 512 bytes.
        std::vector<std::string> folders;
        for (int i = 0; i < 4; ++i) {
            folders.push_back("Area " + std::to_string(i));
            for (int j = 0; j < 4; ++j) folders.push_back("Area " + std::to_string(i) + "/Item " + std::to_string(j));
        }
        for (const auto& f : folders) fs::create_directories(ws.Native("S/" + f));
        for (int k = 0; k < 50; ++k)
            std::ofstream(ws.Native("S/" + folders[static_cast<std::size_t>(k % 20)] + "/note" + std::to_string(k) +
                                    ".txt"),
                          std::ios::binary)
                << std::string(512, 'x');
        const auto structure = StructureItems(ws.Native("S"));

        Vol02Inputs in;
        in.DestFolder = ws.Drive("Ours");
        in.FullPaths = true;
        in.MainFolderWithFiles = true;
        in.ViewDetailedResults = true;
        in.ViewDestFolder = false;
        in.FolderStructures = {ws.Drive("S")};
        for (int i = 0; i < items; ++i) in.IncludeStrings.push_back("Project " + std::to_string(i));
        std::unique_ptr<Vol02State> run;
        VisualLog log = Vol02VisualLog();

        std::vector<BareMade> same;
        std::vector<std::string> plain;
        std::unique_ptr<HeldFolders> held, source;
        Sides sides({"create", "undo"});
        sides.Add(
            "ours", [&] { run = std::make_unique<Vol02State>(); },
            {[&] { Vol02RunCreateFolders(*run, in, log, RunHooks{}); },
             [&] {
                 if (run->Counters.FilesCreated != 50.0 * items) state.SkipWithError("files missing");
                 Vol02UndoLastRun(*run, log);
                 if (fs::exists(ws.Native("Ours/Project 0"))) state.SkipWithError("undo left folders");
             }});
        sides.Add(
            "same_calls",
            [&] {
                held = std::make_unique<HeldFolders>(ws.root() + "/Same");
                source = std::make_unique<HeldFolders>(ws.root() + "/S");
            },
            {[&] {
                 for (int i = 0; i < items; ++i) {
                     const std::string main = "Project " + std::to_string(i);
                     BareMakeFolder(*held, main, same);
                     BareMakeFolder(*held, main + "/S", same);
                     for (const auto& [rel, folder] : structure) {
                         if (folder)
                             BareMakeFolder(*held, main + "/S/" + rel, same);
                         else
                             BareSafeCopy(*source, rel, *held, main + "/S/" + rel, same);
                     }
                     held->Release();
                     source->Release();
                 }
             },
             [&] { BareSafeRemove(*held, same); }});
        sides.Add("plain", {},
                  {[&] {
                       const std::string from = ws.root() + "/S/";
                       for (int i = 0; i < items; ++i) {
                           const std::string main = ws.root() + "/Plain/Project " + std::to_string(i);
                           mkdir(main.c_str(), 0777);
                           plain.push_back(main);
                           mkdir((main + "/S").c_str(), 0777);
                           plain.push_back(main + "/S");
                           for (const auto& [rel, folder] : structure) {
                               plain.push_back(main + "/S/" + rel);
                               if (folder)
                                   mkdir(plain.back().c_str(), 0777);
                               else
                                   PlainCopy(from + rel, plain.back());
                           }
                       }
                   },
                   [&] { PlainRemove(plain); }});
        for (const char* side : {"Ours", "Same", "Plain"}) mkdir(ws.Native(side).c_str(), 0777);
        sides.RunRounds();
        sides.Report(state);
        state.counters["outcome_lines"] = 72.0 * items;
        log.ClearLogLists();
        log.ClearZoomLists();
    }
}

// ---- memory, in a process of its own -------------------------------------------------------------

// The child: a template run of `items` main folders with the Visual Log
// shown, then its undo. Bytes per outcome line beyond its text, and the
// undo's peak against the process after the run.
int MeasureRunMemory(long items) {
    AnswerYes();
    Workspace ws("qm-vol02-bench", kDrive);
    mkdir(ws.Native("Ours").c_str(), 0777);
    const Vol02Inputs in = TemplateInputs(ws, static_cast<int>(items));
    Vol02State run;
    VisualLog log = Vol02VisualLog();
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
    const auto t1 = Clock::now();
    Vol02UndoLastRun(run, log);
    const double undoSeconds = Seconds(Clock::now() - t1);
    const long undoPeak = HighWaterKb();
    if (fs::exists(ws.Native("Ours/Project 0"))) return 1;
    Put("run_s", runSeconds);
    Put("undo_s", undoSeconds);
    Put("outcome_lines", lines);
    Put("text_bytes_per_line", text / lines);
    Put("bytes_per_line", static_cast<double>(after - before) * 1024.0 / lines);
    Put("beyond_text_per_line", static_cast<double>(after - before) * 1024.0 / lines - text / lines);
    Put("after_run_MB", static_cast<double>(after) / 1024.0);
    Put("undo_peak_MB", static_cast<double>(undoPeak) / 1024.0);
    Put("undo_peak_ratio", static_cast<double>(undoPeak) / static_cast<double>(after));
    return 0;
}

void BM_Vol02RunMemory(benchmark::State& state) {
    for (auto _ : state) {
        const auto values = MeasureInChild("memory", state.range(0));
        if (values.empty()) {
            state.SkipWithError("the measuring process failed");
            continue;
        }
        state.SetIterationTime(values.at("run_s"));
        for (const auto& [key, value] : values) state.counters[key] = value;
    }
}

BENCHMARK(BM_Vol02TemplatesRunAndUndo)
    ->Arg(100000)
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol02StructureWithFilesRunAndUndo)
    ->Arg(10000)
    ->Arg(1000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_Vol02RunMemory)->Arg(100000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // One at a time, as the bare loops work; the pool has its own benchmark.
    const ForceRunWorkers oneAtATime(1);
    frmVol02ZoomStatistics = new TfrmVol02ZoomStatistics;
    frmStatistic02 = new TfrmStatistic02;
    int rc = 0;
    std::string child;
    long arg = 0;
    if (IsChild(argc, argv, child, arg)) {
        rc = child == "memory" ? MeasureRunMemory(arg) : 2;
    } else {
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    delete frmStatistic02;
    delete frmVol02ZoomStatistics;
    return rc;
}
