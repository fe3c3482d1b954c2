// A Visual Log with 100,000 outcomes: filling it during a run, zooming a
// category and exporting it, against writing the same lines with a bare
// fwrite loop. Read the ratio, not the absolute times.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "windows/TfrmFileExport.h"

namespace {

// QM_BENCH_LINES sets the number of outcome lines (default 100,000).
const int kOutcomes = std::getenv("QM_BENCH_LINES") ? std::atoi(std::getenv("QM_BENCH_LINES")) : 100000;
std::string g_folder;  // Linux folder mapped as drive T:

const std::vector<std::string>& Outcomes() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> v;
        v.reserve(kOutcomes);
        for (int i = 0; i < kOutcomes; ++i)
            v.push_back("C:\\Projects\\Customer " + std::to_string(i % 97) + "\\Job" + std::to_string(i) +
                        "\\Drawings");
        return v;
    }();
    return lines;
}

void Fill() {
    frmStatistic02->ClearLists();
    frmVol02ZoomStatistics->ClearAllLists();
    double created = 0;
    for (const std::string& line : Outcomes()) {
        frmStatistic02->AddLine(TfrmStatistic02::FoldersCreated, line);
        frmStatistic02->SetCount("lblStat02FoldersCreated", ++created);
        results::PaceRun();
    }
    results::FinishRun();
}

void BM_FillVisualLog(benchmark::State& state) {
    frmStatistic02->ShowLog();
    for (auto _ : state) Fill();
    state.SetItemsProcessed(state.iterations() * kOutcomes);
}

// What any holder of the lines must at least do: keep a copy of each.
void BM_BareFill(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::string> kept;
        for (const std::string& line : Outcomes()) kept.push_back(line);
        benchmark::DoNotOptimize(kept.data());
    }
    state.SetItemsProcessed(state.iterations() * kOutcomes);
}

void BM_ZoomCategory(benchmark::State& state) {
    Fill();
    for (auto _ : state) {
        frmStatistic02->Zoom(TfrmStatistic02::FilesCreated);
        frmStatistic02->Zoom(TfrmStatistic02::FoldersCreated);
        QApplication::processEvents();
    }
    frmVol02ZoomStatistics->hide();
}

void BM_SmartExport(benchmark::State& state) {
    Fill();
    const std::string target = "T:\\export.txt";
    qtplat::SetFileDialogHandler([&](const qtplat::FileDialogRequest&) { return target; });
    qtplat::SetModalHandler([](QDialog* dialog) {
        dialog->findChild<QPushButton*>("btnFileExportTo")->click();
        return 0;
    });
    for (auto _ : state) frmStatistic02->SmartExport(TfrmStatistic02::FoldersCreated);
    qtplat::SetModalHandler({});
    qtplat::SetFileDialogHandler({});
    if (std::filesystem::file_size(g_folder + "/export.txt") == 0) state.SkipWithError("nothing written");
    state.SetItemsProcessed(state.iterations() * kOutcomes);
}

// The same lines, CR LF after each, to a file that is synced as the export's is.
void BM_BareFwrite(benchmark::State& state) {
    const std::string path = g_folder + "/bare.txt";
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        for (const std::string& line : Outcomes()) {
            std::fwrite(line.data(), 1, line.size(), f);
            std::fwrite("\r\n", 1, 2, f);
        }
        std::fflush(f);
        fsync(fileno(f));
        std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * kOutcomes);
}

BENCHMARK(BM_FillVisualLog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmartExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFwrite)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    char folder[] = "/tmp/qm-results-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    g_folder = folder;
    plat::MapDrive('T', g_folder);

    frmFileExport = new TfrmFileExport;
    frmVol02ZoomStatistics = new TfrmVol02ZoomStatistics;
    frmStatistic02 = new TfrmStatistic02;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    delete frmStatistic02;
    delete frmVol02ZoomStatistics;
    delete frmFileExport;
    std::filesystem::remove_all(g_folder);
    return 0;
}
