// A Visual Log with 100,000 outcomes: filling it during a run, zooming a
// category and exporting it. The export is set beside a bare loop making
// the same system calls for the same bytes and beside a plain fwrite loop,
// in rotated rounds; the minimum and the median of each side are reported.
// Read the ratios, not the absolute times. QM_BENCH_DIR chooses the folder
// to write in (default: the temp folder), QM_BENCH_ROUNDS the rounds.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
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

const std::vector<std::string>& Outcomes(int count = kOutcomes) {
    static std::map<int, std::vector<std::string>> made;
    std::vector<std::string>& v = made[count];
    if (v.empty()) {
        v.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            v.push_back("C:\\Projects\\Customer " + std::to_string(i % 97) + "\\Job" + std::to_string(i) +
                        "\\Drawings");
    }
    return v;
}

void Fill(int count = kOutcomes) {
    frmStatistic02->ClearLists();
    frmVol02ZoomStatistics->ClearAllLists();
    double created = 0;
    for (const std::string& line : Outcomes(count)) {
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

using Clock = std::chrono::steady_clock;

// The export's system calls without its work: a new file beside the target,
// the same bytes in 1 MiB writes, fsync, the target's mode, rename.
void BareExport(const std::vector<std::string>& lines, const std::string& target) {
    const std::string temp = g_folder + "/.bare-write.tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) std::abort();
    std::string buffer;
    buffer.reserve(1 << 20);
    const auto flush = [&] {
        if (write(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size())) std::abort();
        buffer.clear();
    };
    for (const std::string& line : lines) {
        buffer += line;
        buffer += "\r\n";
        if (buffer.size() >= (1u << 20)) flush();
    }
    flush();
    fsync(fd);
    close(fd);
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) chmod(temp.c_str(), st.st_mode & 07777);
    if (rename(temp.c_str(), target.c_str()) != 0) std::abort();
}

// The same lines through stdio, CR LF after each, unsynced.
void PlainFwrite(const std::vector<std::string>& lines, const std::string& target) {
    FILE* f = std::fopen(target.c_str(), "wb");
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fwrite("\r\n", 1, 2, f);
    }
    std::fclose(f);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Smart Export of the whole Visual Log list (its case-ignoring dedupe, the
// preview, the check on the click and the write) against the bare loop and
// the plain one, all writing the same bytes. Layout 0 is the window's first
// (drive letters, backslashes); layout 1 cuts the drives and turns every
// backslash into a slash.
void BM_SmartExport(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const bool converted = state.range(1) == 1;
    const int rounds = std::getenv("QM_BENCH_ROUNDS") ? std::atoi(std::getenv("QM_BENCH_ROUNDS")) : 5;
    Fill(count);
    std::vector<std::string> lines = Outcomes(count);
    if (converted) {
        for (std::string& line : lines) {
            line.erase(0, 2);
            std::replace(line.begin(), line.end(), '\\', '/');
        }
    }
    qtplat::SetFileDialogHandler([&](const qtplat::FileDialogRequest&) { return std::string("T:\\export.txt"); });
    qtplat::SetModalHandler([converted](QDialog* dialog) {
        const char* radios[] = {converted ? "rdoFileExportWithoutDriveLetters" : "rdoFileExportWithDriveLetters",
                                converted ? "rdoExportWithForwardSlashes" : "rdoExportWithBackSlashes"};
        for (const char* radio : radios) {
            auto* button = dialog->findChild<QRadioButton*>(radio);
            if (!button->isChecked()) button->click();
        }
        dialog->findChild<QPushButton*>("btnFileExportTo")->click();
        return 0;
    });
    const std::vector<std::string> names = {"ours", "bare", "plain"};
    const std::vector<std::function<void()>> runs = {
        [&] { frmStatistic02->SmartExport(TfrmStatistic02::FoldersCreated); },
        [&] { BareExport(lines, g_folder + "/bare.txt"); },
        [&] { PlainFwrite(lines, g_folder + "/plain.txt"); },
    };
    std::vector<std::vector<double>> times(runs.size());
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            sync();
            for (std::size_t k = 0; k < runs.size(); ++k) {
                const std::size_t side = (static_cast<std::size_t>(round) + k) % runs.size();
                const auto t0 = Clock::now();
                runs[side]();
                times[side].push_back(std::chrono::duration<double>(Clock::now() - t0).count());
            }
        }
    }
    qtplat::SetModalHandler({});
    qtplat::SetFileDialogHandler({});
    if (FileBytes(g_folder + "/export.txt") != FileBytes(g_folder + "/bare.txt"))
        state.SkipWithError("the export differs from the bare write");

    const auto minOf = [](std::vector<double> v) { return *std::min_element(v.begin(), v.end()); };
    const auto medianOf = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.SetIterationTime(minOf(times[0]));
    for (std::size_t i = 0; i < names.size(); ++i) {
        state.counters[names[i] + "_min_s"] = minOf(times[i]);
        state.counters[names[i] + "_med_s"] = medianOf(times[i]);
        if (i > 0) {
            state.counters["ratio_" + names[i] + "_min"] = minOf(times[0]) / minOf(times[i]);
            state.counters["ratio_" + names[i] + "_med"] = medianOf(times[0]) / medianOf(times[i]);
        }
    }
}

BENCHMARK(BM_FillVisualLog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmartExport)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const char* base = std::getenv("QM_BENCH_DIR");
    std::string folder = ((base && *base) ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
                         "qm-results-bench-XXXXXX";
    if (!mkdtemp(folder.data())) return 1;
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
