// Page 03's count before a run, as the page makes it each time a number
// field is left: the folders to create for the numbers 1 ... End, with a
// folder on the way that every number shares (a missing destination and a
// prefix that holds a backslash), one on the way of each number (a suffix
// that holds one, three numbers there already) and template lines in the
// mode that puts the main folder's name into them. Each count runs in a
// process of its own, beside the bare calls it cannot do without (the look
// at the destination's parent and the listing of the folder the numbered
// folders go in), so its memory is its own. Read the ratio and the peak:
// neither should grow with End.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <string>

#include <QApplication>

#include "BenchSupport.h"
#include "core/TemplateOptions.h"
#include "pages/creation/Vol03Engine.h"

namespace {

using namespace bench;
constexpr char kDrive = 'V';

Vol03Inputs CountInputs(const Workspace& ws, const std::string& kind, long end) {
    Vol03Inputs in;
    in.DestFolder = ws.Drive("Ours/New");
    in.Prefix = "Jobs\\Job";
    in.Hyphen = true;
    in.StartText = "1";
    in.EndText = std::to_string(end);
    in.AttachNothing = true;
    if (kind == "each") {
        in.DestFolder = ws.Drive("Ours");
        in.Prefix = "Job";
        in.Suffix = "\\Docs";
        for (const char* there : {"Job-1", "Job-7", "Job-2000"})
            mkdir(ws.Native(std::string("Ours/") + there).c_str(), 0777);
    } else if (kind == "templates") {
        in.AttachNothing = false;
        in.RelativePaths = true;
        in.FolderStructures = {"Plans\\%\\Notes", "Plans\\Job-5\\Old", "Archive"};
    }
    return in;
}

// The child: one count of 1 ... `end`, its time, its peak above the
// process before it, and the folders it gives.
int MeasureCount(const std::string& kind, long end) {
    Workspace ws("qm-vol03count-bench", kDrive);
    mkdir(ws.Native("Ours").c_str(), 0777);
    _tagFoldersTemplateOptions options;
    options.ReplaceNo = false;
    options.ReplaceRemainder = true;
    options.SearchTerm = "%";
    SetFolderTemplateOptions(3, options);
    const Vol03Inputs in = CountInputs(ws, kind, end);
    Vol03State state;
    const long before = ResidentKb();
    ResetHighWater();
    const auto t0 = Clock::now();
    Vol03CountToCreate(state, in);
    const double countSeconds = Seconds(Clock::now() - t0);
    const long peak = HighWaterKb();
    const auto t1 = Clock::now();
    struct stat st;
    stat(ws.Native("Ours").c_str(), &st);
    const WalkCount listed = PlainWalk(ws.Native("Ours"));
    const double bareSeconds = Seconds(Clock::now() - t1);
    Put("count_s", countSeconds);
    Put("bare_s", bareSeconds);
    Put("ratio_bare", countSeconds / bareSeconds);
    Put("peak_above_start_MB", static_cast<double>(peak - before) / 1024.0);
    Put("folders_to_create", state.Counters.FoldersToCreate);
    Put("subfolders_to_create", state.Counters.SubFoldersToCreate);
    Put("bare_entries", static_cast<double>(listed.entries));
    return 0;
}

void Count(benchmark::State& state, const char* kind) { ChildIterations(state, kind, "count_s"); }

void BM_Vol03CountSharedOnTheWay(benchmark::State& state) { Count(state, "shared"); }
void BM_Vol03CountEachOnTheWay(benchmark::State& state) { Count(state, "each"); }
void BM_Vol03CountTemplates(benchmark::State& state) { Count(state, "templates"); }

// 1,000, 5,000,000 and the largest end the field takes, each once.
void Ends(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(5000000)->Arg(2147483647)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Vol03CountSharedOnTheWay)->Apply(Ends);
BENCHMARK(BM_Vol03CountEachOnTheWay)->Apply(Ends);
BENCHMARK(BM_Vol03CountTemplates)->Apply(Ends);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string child;
    long arg = 0;
    if (IsChild(argc, argv, child, arg)) return MeasureCount(child, arg);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
