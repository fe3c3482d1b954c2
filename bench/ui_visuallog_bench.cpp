// A create page's Visual Log filled with 1,000,000 outcome lines as a run
// fills it (each line into the list and its zoom list, the counters after
// each, the window shown and repainted at its pace), against keeping a copy
// of each line in a vector of strings (the plain holder) and in one block
// of text with an offset per line (the least any holder does), the sides
// taking turns in rotated rounds. QM_BENCH_LINES sets the number of lines.
// Read the ratios, not the absolute times.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include "BenchSupport.h"
#include "pages/VisualLog.h"
#include "pages/creation/Creation.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmVol02ZoomStatistics.h"

namespace {

const std::vector<std::string>& Outcomes(std::size_t count) {
    static const std::vector<std::string> lines = [count] {
        std::vector<std::string> v;
        v.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            v.push_back("C:\\Projects\\Customer " + std::to_string(i % 97) + "\\Job" + std::to_string(i) +
                        "\\Drawings");
        return v;
    }();
    return lines;
}

void BM_FillVisualLogAgainstBare(benchmark::State& state) {
    const auto& lines = Outcomes(static_cast<std::size_t>(state.range(0)));
    VisualLog log = Vol02VisualLog();
    CreationState counters;
    std::vector<std::string> kept;
    std::string block;
    std::vector<std::uint32_t> offsets;
    for (auto _ : state) {
        bench::Sides sides({"fill"});
        sides.Add(
            "ours",
            [&] {
                log.ClearLogLists();
                log.ClearZoomLists();
                counters.Counters = CreationCounters();
                log.SetRunMode(true);
                log.ShowLog();
            },
            {[&] {
                for (const std::string& line : lines) {
                    counters.Counters.FoldersCreated += 1.0;
                    log.CountersChanged(counters);
                    log.AddLine(CreationFoldersCreated, line);
                }
                log.ShowCounters(counters.Labels());
            }});
        sides.Add("vector_of_strings", [&] { std::vector<std::string>().swap(kept); },
                  {[&] {
                      for (const std::string& line : lines) kept.push_back(line);
                      benchmark::DoNotOptimize(kept.data());
                  }});
        sides.Add("one_block",
                  [&] {
                      std::string().swap(block);
                      std::vector<std::uint32_t>().swap(offsets);
                  },
                  {[&] {
                      for (const std::string& line : lines) {
                          offsets.push_back(static_cast<std::uint32_t>(block.size()));
                          block += line;
                      }
                      benchmark::DoNotOptimize(block.data());
                  }});
        sides.RunRounds();
        sides.Report(state);
    }
    if (frmStatistic02->CategoryList(TfrmStatistic02::FoldersCreated)->Count() != lines.size())
        state.SkipWithError("lines missing");
    log.ClearLogLists();
    log.ClearZoomLists();
}

const long kLines = std::getenv("QM_BENCH_LINES") ? std::atol(std::getenv("QM_BENCH_LINES")) : 1000000;
BENCHMARK(BM_FillVisualLogAgainstBare)->Arg(kLines)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

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
