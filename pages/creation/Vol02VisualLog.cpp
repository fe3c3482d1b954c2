#include "pages/creation/Vol02VisualLog.h"

#include <algorithm>

#include "results/ResultsList.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmVol02ZoomStatistics.h"

static_assert(int(Vol02FoldersCreated) == TfrmStatistic02::FoldersCreated &&
              int(Vol02SubFoldersCreated) == TfrmStatistic02::SubFoldersCreated &&
              int(Vol02FilesCreated) == TfrmStatistic02::FilesCreated &&
              int(Vol02FoldersExists) == TfrmStatistic02::FoldersExists &&
              int(Vol02FoldersOther) == TfrmStatistic02::FoldersOther &&
              int(Vol02FoldersFailedUndo) == TfrmStatistic02::FoldersFailedUndo);

void Vol02VisualLog::AddLine(Vol02Category category, const std::string& line) {
    if (frmStatistic02) frmStatistic02->AddLine(static_cast<int>(category), line);
}

void Vol02VisualLog::PutCounters(const Vol02Counters& counters) {
    if (!frmStatistic02) return;
    const auto values = counters.Values();
    for (std::size_t i = 0; i < values.size(); ++i) frmStatistic02->SetCount(kVol02CounterLabels[i], values[i]);
}

void Vol02VisualLog::CountersChanged(const Vol02Counters& counters) {
    // The clock is read every 64 changes only; labels are set when shown.
    if ((++changes_ & 63u) != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < interval_) return;
    PutCounters(counters);
    results::PaceRun();
    lastShown_ = std::chrono::steady_clock::now();
    interval_ = std::max<std::chrono::steady_clock::duration>(std::chrono::milliseconds(50), (lastShown_ - now) * 20);
}

void Vol02VisualLog::ShowCounters(const Vol02Counters& counters) {
    PutCounters(counters);
    results::FinishRun();
    lastShown_ = std::chrono::steady_clock::now();
}

void Vol02VisualLog::ClearLogLists() {
    if (frmStatistic02) frmStatistic02->ClearLists();
}

void Vol02VisualLog::ClearZoomLists() {
    if (frmVol02ZoomStatistics) frmVol02ZoomStatistics->ClearAllLists();
}

void Vol02VisualLog::SetRunMode(bool realRun) {
    if (frmStatistic02) frmStatistic02->SetRunMode(realRun);
}

void Vol02VisualLog::ShowLog() {
    if (frmStatistic02) frmStatistic02->ShowLog();
}
