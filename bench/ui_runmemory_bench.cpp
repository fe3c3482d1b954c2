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
//
// One shape at a size of your own on a machine of a given size, as root:
//   QM_BENCH_GROUP_MB=400 ui_runmemory_bench --qm-child v06runSpread 200001
// joins a memory group of its own limited to that many MB, then arranges
// it as usual (in the group: a kernel need not move what a process held
// before it joined), and its check asks the real machine. It says whether the check refused the run or the run ended; the
// kernel ending it for the limit shows as a kill.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <QApplication>

#include "BenchSupport.h"
#include "pages/RunMemory.h"
#include "tests/memory/RunShapes.h"
#include "platform/Memory.h"
#include "tests/support/MachineMemory.h"

namespace {

using namespace bench;

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The tests' size times 2^3, up to 2^17 of the shape's largest kind of entry.
long SizeOf(const runshapes::RunShape& shape) { return (1L << std::min(shape.power + 3, 17)) + 1; }

// Joins a memory group of `mb` MB made below this process's own (cgroup v1
// or v2), taking what it holds along; its folder, or "" when it cannot.
std::string JoinMemoryGroup(long mb) {
    std::ifstream cgroups("/proc/self/cgroup");
    std::string line, v1, v2;
    while (std::getline(cgroups, line)) {
        const std::size_t a = line.find(':'), b = line.find(':', a + 1);
        const std::string controllers = line.substr(a + 1, b - a - 1);
        if ((',' + controllers + ',').find(",memory,") != std::string::npos) v1 = line.substr(b + 1);
        if (line.compare(0, 3, "0::") == 0) v2 = line.substr(b + 1);
    }
    const bool isV1 = !v1.empty() && std::filesystem::exists("/sys/fs/cgroup/memory" + v1);
    const std::string dir = (isV1 ? "/sys/fs/cgroup/memory" + v1 : "/sys/fs/cgroup" + v2) + "/qm-bench." +
                            std::to_string(getpid());
    std::error_code ec;
    std::filesystem::create_directory(dir, ec);
    const auto put = [&](const char* file, const std::string& value) {
        std::ofstream(dir + "/" + file) << value << std::flush;
    };
    const std::string bytes = std::to_string(mb * 1024 * 1024);
    if (isV1) {
        put("memory.limit_in_bytes", bytes);
        put("memory.memsw.limit_in_bytes", bytes);
        put("memory.move_charge_at_immigrate", "1");
    } else {
        put("memory.max", bytes);
        put("memory.swap.max", "0");
    }
    std::ofstream procs(dir + "/cgroup.procs");
    procs << getpid() << std::flush;
    return procs ? dir : "";
}

int Measure(const std::string& name, long size) {
    const runshapes::RunShape* shape = nullptr;
    for (const runshapes::RunShape& s : runshapes::Shapes())
        if (name == s.name) shape = &s;
    if (!shape) return 1;
    std::string root = (BaseFolder() / "qm-runmemory-bench-XXXXXX").string();
    if (!mkdtemp(root.data())) return 1;
    int result = 0;
    std::string group;
    {
        const char* groupMb = std::getenv("QM_BENCH_GROUP_MB");
        if (groupMb && (group = JoinMemoryGroup(std::atol(groupMb))).empty()) {
            std::fprintf(stderr, "cannot join a memory group of %s MB (needs root)\n", groupMb);
            return 2;
        }
        runshapes::ShapeWindow window(root, 'V');
        {
            const testsupport::MachineMemory ample(testsupport::kAmpleMemory);
            shape->arrange(window, size > 0 ? size : SizeOf(*shape));
        }
        long atCheck = 0;
        const testsupport::MachineMemory machine([&]() -> std::optional<std::uint64_t> {
            malloc_trim(0);  // as the machine's answer does
            atCheck = ResidentKb();
            ResetHighWater();
            if (!group.empty())  // the machine's own answer (the handler stands in front of it)
                return plat::AvailableMemoryFrom(
                    ReadWhole("/proc/meminfo"), ReadWhole("/proc/self/cgroup"),
                    [](const std::string& path) -> std::optional<std::string> {
                        if (!std::filesystem::exists("/sys/fs/cgroup" + path)) return std::nullopt;
                        return ReadWhole("/sys/fs/cgroup" + path);
                    });
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
        if (!group.empty()) {
            std::fprintf(stderr, "%s at %ld in %s MB: %s, weighed %.2f MB, the group's peak %.2f MB\n", name.c_str(),
                         size, groupMb, result ? "refused" : "ended", (need.bytes + need.kernel) / 1e6,
                         std::stod("0" + ReadWhole(group + (std::filesystem::exists(group + "/memory.peak")
                                                                ? "/memory.peak"
                                                                : "/memory.max_usage_in_bytes"))) /
                             1e6);
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    if (!group.empty()) {  // back to the group it came from, and its own goes
        std::ofstream(std::filesystem::path(group).parent_path() / "cgroup.procs") << getpid() << std::flush;
        std::filesystem::remove(group, ec);
    }
    return result;
}

void BM_RunMemory(benchmark::State& state, const char* name) { ChildIterations(state, name, "seconds"); }

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string child;
    long arg = 0;
    if (IsChild(argc, argv, child, arg)) return Measure(child, arg);
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
