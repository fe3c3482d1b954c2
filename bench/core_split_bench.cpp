// Splitting import lines against a bare scan of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/LineSplit.h"

namespace {

// CSV-ish lines: a number, quoted fields holding the separator, plain fields.
std::vector<std::string> MakeLines(std::size_t count) {
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        lines.push_back(n + ",\"Smith, John " + n + "\",\"C:\\Jobs\\Alpha, " + n + "\",,plain note," + n + ",\"x\"");
    }
    return lines;
}

std::size_t TotalBytes(const std::vector<std::string>& lines) {
    std::size_t bytes = 0;
    for (const auto& line : lines) bytes += line.size();
    return bytes;
}

void BM_SplitLineQuotedImport(benchmark::State& state) {
    const auto lines = MakeLines(static_cast<std::size_t>(state.range(0)));
    std::deque<int> marks;
    for (auto _ : state) {
        std::size_t items = 0;
        for (const auto& line : lines) {
            marks.clear();
            FindAllPositions(line, "\"", marks);
            items += SplitLineQuotedImport(line, ",", marks).size();
        }
        benchmark::DoNotOptimize(items);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SplitLineQuotedImport)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The floor: find every separator and quotation mark of every line, nothing more.
void BM_BareScan(benchmark::State& state) {
    const auto lines = MakeLines(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::size_t hits = 0;
        for (const auto& line : lines) {
            for (char c : {',', '"'}) {
                const char* p = line.data();
                const char* end = p + line.size();
                while ((p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)))) != nullptr) {
                    ++hits;
                    ++p;
                }
            }
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(lines)));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BareScan)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// One ever longer line: the cost per field must not grow with the line.
void BM_SplitOneLongLine(benchmark::State& state) {
    std::string line;
    for (int64_t i = 0; i < state.range(0); ++i) line += (i % 2 ? "\"q, " : "plain,") + std::to_string(i) + (i % 2 ? "\"," : ",");
    std::deque<int> marks;
    for (auto _ : state) {
        marks.clear();
        FindAllPositions(line, "\"", marks);
        benchmark::DoNotOptimize(SplitLineQuotedImport(line, ",", marks).size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SplitOneLongLine)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

}  // namespace
