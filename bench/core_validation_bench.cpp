// Whole-list validation of an imported Include list against a bare scan of
// the same bytes: the ratio is what the checks cost per byte.
#include <benchmark/benchmark.h>

#include <string>

#include "core/Types.h"
#include "core/Validation.h"

namespace {

// Full paths as an import gives them, one in 500 an offender of some kind.
StringList MakeFullPaths(std::size_t count) {
    StringList items;
    for (std::size_t i = 0; i < count; ++i) {
        std::string path = "C:\\Projects\\Client" + std::to_string(i % 97) + "\\Job" + std::to_string(i) +
                           "\\Documents\\Plans";
        if (i % 500 == 7) {
            switch ((i / 500) % 4) {
            case 0: path = path.substr(3); break;            // no drive letter
            case 1: path += "\\bad?name"; break;             // forbidden character
            case 2: path += "\\..\\..\\Windows"; break;      // leads out
            default: path += "\\x:y"; break;                 // a second colon
            }
        }
        items.push_back(std::move(path));
    }
    return items;
}

void BM_CheckFullPathList(benchmark::State& state) {
    const StringList items = MakeFullPaths(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string report;
        const bool any = CheckFullPathList(items, report);
        benchmark::DoNotOptimize(any);
        benchmark::DoNotOptimize(report.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

// The floor: read every byte of every item once and count separators.
void BM_BareScanSameBytes(benchmark::State& state) {
    const StringList items = MakeFullPaths(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::size_t separators = 0;
        for (const auto& item : items)
            for (char c : item) separators += (c == '\\' || c == ':' || c == '/');
        benchmark::DoNotOptimize(separators);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_CheckFullPathList)->Arg(10000)->Arg(100000)->Arg(400000)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareScanSameBytes)->Arg(10000)->Arg(100000)->Arg(400000)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
