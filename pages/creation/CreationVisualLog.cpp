#include "pages/creation/CreationVisualLog.h"

#include <algorithm>

#include "results/ResultsList.h"
#include "results/ResultsLog.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"

// The create pages' windows list their outcomes in one order.
static_assert(int(CreationFoldersCreated) == TfrmStatistic02::FoldersCreated &&
              int(CreationSubFoldersCreated) == TfrmStatistic02::SubFoldersCreated &&
              int(CreationFilesCreated) == TfrmStatistic02::FilesCreated &&
              int(CreationFoldersExists) == TfrmStatistic02::FoldersExists &&
              int(CreationFoldersOther) == TfrmStatistic02::FoldersOther &&
              int(CreationFoldersFailedUndo) == TfrmStatistic02::FoldersFailedUndo);
static_assert(int(CreationFoldersCreated) == TfrmStatistic03::FoldersCreated &&
              int(CreationFoldersFailedUndo) == TfrmStatistic03::FoldersFailedUndo);
static_assert(int(CreationFoldersCreated) == TfrmStatistic04::FoldersCreated &&
              int(CreationFoldersFailedUndo) == TfrmStatistic04::FoldersFailedUndo);

#define QM_CREATION_LABELS(n)                                                                             \
    {                                                                                                     \
        "lblStat" n "FoldersToCreate", "lblStat" n "SubFoldersToCreate", "lblStat" n "FilesToCreate",    \
            "lblStat" n "FilesSizeToCreate", "lblStat" n "FoldersCreated", "lblStat" n "SubFoldersCreated", \
            "lblStat" n "FilesCreated", "lblStat" n "FilesSizeCreated", "lblStat" n "FoldersExists",       \
            "lblStat" n "SubFoldersExists", "lblStat" n "FilesExists", "lblStat" n "FilesSizeExists",     \
            "lblStat" n "FoldersOther", "lblStat" n "SubFoldersOther", "lblStat" n "FilesOther",          \
            "lblStat" n "FilesSizeOther"                                                                  \
    }
const std::array<const char*, 16> kStat02CounterLabels = QM_CREATION_LABELS("02");
const std::array<const char*, 16> kStat03CounterLabels = QM_CREATION_LABELS("03");
const std::array<const char*, 16> kStat04CounterLabels = QM_CREATION_LABELS("04");
#undef QM_CREATION_LABELS

CreationVisualLog::CreationVisualLog(LogWindow log, ZoomWindow zoom, const std::array<const char*, 16>& labels)
    : log_(log), zoom_(zoom), labels_(labels) {}

CreationVisualLog Vol02VisualLog() {
    return CreationVisualLog([]() -> VisualLogWindow* { return frmStatistic02; },
                             []() -> ZoomStatisticsWindow* { return frmVol02ZoomStatistics; }, kStat02CounterLabels);
}

CreationVisualLog Vol03VisualLog() {
    return CreationVisualLog([]() -> VisualLogWindow* { return frmStatistic03; },
                             []() -> ZoomStatisticsWindow* { return frmVol03ZoomStatistics; }, kStat03CounterLabels);
}

CreationVisualLog Vol04VisualLog() {
    return CreationVisualLog([]() -> VisualLogWindow* { return frmStatistic04; },
                             []() -> ZoomStatisticsWindow* { return frmVol04ZoomStatistics; }, kStat04CounterLabels);
}

void CreationVisualLog::AddLine(CreationCategory category, const std::string& line) {
    if (VisualLogWindow* w = Log()) w->AddLine(static_cast<int>(category), line);
}

SharedLine CreationVisualLog::AddRecordedLine(CreationCategory category, const std::string& line) {
    if (VisualLogWindow* w = Log()) return w->AddLine(static_cast<int>(category), line);
    return {};
}

void CreationVisualLog::PutCounters(const CreationCounters& counters) {
    VisualLogWindow* w = Log();
    if (!w) return;
    const auto values = counters.Values();
    for (std::size_t i = 0; i < values.size(); ++i) w->SetCount(labels_[i], values[i]);
}

void CreationVisualLog::CountersChanged(const CreationCounters& counters) {
    // The clock is read every 64 changes only; labels are set when shown.
    if ((++changes_ & 63u) != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < interval_) return;
    PutCounters(counters);
    results::PaceRun();
    lastShown_ = std::chrono::steady_clock::now();
    interval_ = std::max<std::chrono::steady_clock::duration>(std::chrono::milliseconds(50), (lastShown_ - now) * 20);
}

void CreationVisualLog::ShowCounters(const CreationCounters& counters) {
    PutCounters(counters);
    results::FinishRun();
    lastShown_ = std::chrono::steady_clock::now();
}

void CreationVisualLog::ClearLogLists() {
    if (VisualLogWindow* w = Log()) w->ClearLists();
}

void CreationVisualLog::ClearZoomLists() {
    if (ZoomStatisticsWindow* z = Zoom()) z->ClearAllLists();
}

void CreationVisualLog::SetRunMode(bool realRun) {
    if (VisualLogWindow* w = Log()) w->SetRunMode(realRun);
}

void CreationVisualLog::ShowLog() {
    if (VisualLogWindow* w = Log()) w->ShowLog();
}
