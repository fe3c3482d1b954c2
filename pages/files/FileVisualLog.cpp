#include "pages/files/FileVisualLog.h"

#include <algorithm>

#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/files/Vol12Engine.h"
#include "results/ResultsList.h"
#include "results/ResultsLog.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"
#include "results/TfrmVol12ZoomStatistics.h"

// The engines name the windows' lists in the windows' own order.
static_assert(int(Vol10CatFilesCopied) == TfrmStatistic10::FilesCopied &&
              int(Vol10CatFilesFailedUndo) == TfrmStatistic10::FilesFailedUndo &&
              int(Vol10CatSubFoldersCopied) == TfrmStatistic10::SubFoldersCopied);
static_assert(int(Vol11CatFilesDeleted) == TfrmStatistics11::FilesDeleted &&
              int(Vol11CatFoldersNotExists) == TfrmStatistics11::FoldersNotExists &&
              int(Vol11CatFilesNotExists) == TfrmStatistics11::FilesNotExists);
static_assert(int(Vol12CatFilesRenamed) == TfrmStatistic12::FilesRenamed &&
              int(Vol12CatFoldersNotExist) == TfrmStatistic12::FoldersNotExist &&
              int(Vol12CatFilesFailedUndo) == TfrmStatistic12::FilesFailedUndo);

FileVisualLog Vol10VisualLog() {
    return FileVisualLog([]() -> VisualLogWindow* { return frmStatistic10; },
                         []() -> ZoomStatisticsWindow* { return frmVol10ZoomStatistics; });
}
FileVisualLog Vol11VisualLog() {
    return FileVisualLog([]() -> VisualLogWindow* { return frmStatistics11; },
                         []() -> ZoomStatisticsWindow* { return frmVol11ZoomStatistics; });
}
FileVisualLog Vol12VisualLog() {
    return FileVisualLog([]() -> VisualLogWindow* { return frmStatistic12; },
                         []() -> ZoomStatisticsWindow* { return frmVol12ZoomStatistics; });
}

void FileVisualLog::AddLine(int category, const std::string& line) {
    if (VisualLogWindow* w = log_()) w->AddLine(category, line);
}

void FileVisualLog::AddExportLine(int category, const std::string& line) {
    if (VisualLogWindow* w = log_()) w->AddExportLine(category, line);
}

void FileVisualLog::Put(std::span<const CounterLabel> counters) {
    if (VisualLogWindow* w = log_())
        for (const CounterLabel& c : counters) w->SetCount(c.Label, c.Value);
}

void FileVisualLog::CountersChanged(std::span<const CounterLabel> counters) {
    // The clock is read every 64 changes only.
    if ((++changes_ & 63u) != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < interval_) return;
    Put(counters);
    results::PaceRun();
    lastShown_ = std::chrono::steady_clock::now();
    interval_ = std::max<std::chrono::steady_clock::duration>(std::chrono::milliseconds(50), (lastShown_ - now) * 20);
}

void FileVisualLog::ShowCounters(std::span<const CounterLabel> counters) {
    Put(counters);
    results::FinishRun();
    lastShown_ = std::chrono::steady_clock::now();
}

void FileVisualLog::ClearLogLists() {
    if (VisualLogWindow* w = log_()) w->ClearLists();
}

void FileVisualLog::ClearZoomLists() {
    if (ZoomStatisticsWindow* z = zoom_()) z->ClearAllLists();
}

void FileVisualLog::SetRunMode(bool realRun) {
    if (VisualLogWindow* w = log_()) w->SetRunMode(realRun);
}

void FileVisualLog::ShowLog() {
    if (VisualLogWindow* w = log_()) w->ShowLog();
}
