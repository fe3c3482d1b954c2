#include "pages/checker/Vol15VisualLog.h"

#include <QLabel>
#include <QPalette>
#include <algorithm>

#include "results/ResultsList.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmVol15ZoomStatistics.h"

static_assert(int(Vol15FoldersMissing) == TfrmStatistic15::FoldersMissing &&
              int(Vol15SubFoldersMissing) == TfrmStatistic15::SubFoldersMissing &&
              int(Vol15FilesMissing) == TfrmStatistic15::FilesMissing &&
              int(Vol15FoldersNotExists) == TfrmStatistic15::FoldersNotExists &&
              int(Vol15FoldersExtra) == TfrmStatistic15::FoldersExtra &&
              int(Vol15SubFoldersExtra) == TfrmStatistic15::SubFoldersExtra &&
              int(Vol15FilesExtra) == TfrmStatistic15::FilesExtra &&
              int(Vol15SubFoldersOtherReasons) == TfrmStatistic15::SubFoldersOtherReasons);

const std::array<const char*, 11> kStat15CounterLabels = {
    "lblStat15FoldersToCheck",   "lblStat15SubFoldersToCheck", "lblStat15FilesToCheck",
    "lblStat15FoldersMissing",   "lblStat15SubFoldersMissing", "lblStat15FilesMissing",
    "lblStat15FoldersExtra",     "lblStat15SubFoldersExtra",   "lblStat15FilesExtra",
    "lblStat15FoldersNotExists", "lblStat15SubFoldersOtherReasons"};

void Vol15VisualLog::AddLine(Vol15Category category, const std::string& line) {
    if (frmStatistic15) frmStatistic15->AddLine(static_cast<int>(category), line);
}

void Vol15VisualLog::AddExportLine(Vol15Category category, const std::string& line) {
    if (frmStatistic15) frmStatistic15->AddExportLine(static_cast<int>(category), line);
}

void Vol15VisualLog::PutCounters(const Vol15Counters& counters) {
    if (!frmStatistic15) return;
    const auto values = counters.Values();
    for (std::size_t i = 0; i < values.size(); ++i) frmStatistic15->SetCount(kStat15CounterLabels[i], values[i]);
}

void Vol15VisualLog::CountersChanged(const Vol15Counters& counters) {
    // The clock is read every 64 changes only; labels are set when shown.
    if ((++changes_ & 63u) != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < interval_) return;
    PutCounters(counters);
    results::PaceRun();
    lastShown_ = std::chrono::steady_clock::now();
    interval_ = std::max<std::chrono::steady_clock::duration>(std::chrono::milliseconds(50), (lastShown_ - now) * 20);
}

void Vol15VisualLog::ShowCounters(const Vol15Counters& counters) {
    PutCounters(counters);
    results::FinishRun();
    lastShown_ = std::chrono::steady_clock::now();
}

void Vol15VisualLog::ClearLogLists() {
    if (frmStatistic15) frmStatistic15->ClearLists();
}

void Vol15VisualLog::ClearZoomLists() {
    if (frmVol15ZoomStatistics) frmVol15ZoomStatistics->ClearAllLists();
}

void Vol15VisualLog::StartRun() {
    if (!frmStatistic15) return;
    frmStatistic15->SetRunMode(true);
    if (auto* label = frmStatistic15->findChild<QLabel*>("lblVol15NormalSimulate")) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
        label->setPalette(palette);
        label->setText(QStringLiteral("Checking Projects Consistency.."));
    }
}

void Vol15VisualLog::ShowLog() {
    if (frmStatistic15) frmStatistic15->ShowLog();
}
