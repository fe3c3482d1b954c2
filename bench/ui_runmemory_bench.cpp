// What a run or simulation adds to the process's resident memory, beside
// what its memory check weighed. Each shape of the memory tests
// (tests/memory/RunShapes.cpp: a page, a mode, a shape of input) runs in a
// process of its own, eight times the tests' size up to 2^17 (still just
// past a power of two), in the real main window. Two figures, each of which
// should lie between 0.5 and 1.0:
//   whole_over_weight  the peak's growth after the check over the weight;
//   after_over_net     the same over the weight less the room the check
//                      counted (what the run's start frees).
// The growth is from what the process holds when the machine is asked, as
// the check reads it (freed memory handed back first): a walking page's
// count has read its listings by then. What the kernel keeps of entries
// made on a tmpfs is no part of the process: it is left out of the weight.
// Above 1.0 a run weighed as fitting may not fit; far below it, runs that
// fit are refused. QM_BENCH_DIR chooses the file system (tmpfs or disk).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <QApplication>

#include "BenchSupport.h"
#include "pages/RunMemory.h"
#include "tests/memory/RunShapes.h"
#include "tests/support/MachineMemory.h"

namespace {

using namespace bench;

// The tests' size times 2^3, up to 2^17 of the shape's largest kind of entry.
long SizeOf(const runshapes::RunShape& shape) { return (1L << std::min(shape.power + 3, 17)) + 1; }

int Measure(const std::string& name) {
    const runshapes::RunShape* shape = nullptr;
    for (const runshapes::RunShape& s : runshapes::Shapes())
        if (name == s.name) shape = &s;
    if (!shape) return 1;
    std::string root = (BaseFolder() / "qm-runmemory-bench-XXXXXX").string();
    if (!mkdtemp(root.data())) return 1;
    int result = 0;
    {
        runshapes::ShapeWindow window(root, 'V');
        {
            const testsupport::MachineMemory ample(testsupport::kAmpleMemory);
            shape->arrange(window, SizeOf(*shape));
        }
        long atCheck = 0;
        const testsupport::MachineMemory machine([&]() -> std::optional<std::uint64_t> {
            malloc_trim(0);  // as the machine's answer does
            atCheck = ResidentKb();
            ResetHighWater();
            return testsupport::kAmpleMemory;
        });
        ResetLastWeighed();
        const auto t0 = Clock::now();
        shape->run(window);
        const double seconds = Seconds(Clock::now() - t0);
        RunMemoryNeed need = LastWeighedMemory();
        need.bytes -= need.kernel;
        const double net = need.bytes - LastWeighedRoom();
        Put("seconds", seconds);
        Put("entries", need.entries);
        Put("weight_MB", need.bytes / 1e6);
        Put("room_MB", LastWeighedRoom() / 1e6);
        const double added = static_cast<double>(HighWaterKb() - atCheck) * 1024;
        Put("whole_over_weight", need.bytes > 0 ? added / need.bytes : 0);
        Put("after_over_net", net > 0 ? added / net : 0);
        for (const std::string& box : window.Boxes())
            if (box == "0458.") result = 1;
    }
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    return result;
}

void BM_RunMemory(benchmark::State& state, const char* name) { ChildIterations(state, name, "seconds"); }

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string child;
    long arg = 0;
    if (IsChild(argc, argv, child, arg)) return Measure(child);
    for (const runshapes::RunShape& shape : runshapes::Shapes())
        benchmark::RegisterBenchmark(shape.name, BM_RunMemory, shape.name)
            ->Arg(SizeOf(shape))
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
