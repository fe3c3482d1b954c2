#include "pages/VisualLog.h"

#include <QLabel>
#include <QPalette>
#include <algorithm>

#include "core/FileNames.h"
#include "results/ResultsList.h"
#include "results/ResultsLog.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"
#include "results/TfrmVol07ZoomStatistics.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"
#include "results/TfrmVol12ZoomStatistics.h"
#include "results/TfrmVol15ZoomStatistics.h"

#define QM_VISUAL_LOG(log, zoom)                                 \
    VisualLog([]() -> VisualLogWindow* { return log; },         \
              []() -> ZoomStatisticsWindow* { return zoom; })
VisualLog Vol02VisualLog() { return QM_VISUAL_LOG(frmStatistic02, frmVol02ZoomStatistics); }
VisualLog Vol03VisualLog() { return QM_VISUAL_LOG(frmStatistic03, frmVol03ZoomStatistics); }
VisualLog Vol04VisualLog() { return QM_VISUAL_LOG(frmStatistic04, frmVol04ZoomStatistics); }
VisualLog Vol10VisualLog() { return QM_VISUAL_LOG(frmStatistic10, frmVol10ZoomStatistics); }
VisualLog Vol11VisualLog() { return QM_VISUAL_LOG(frmStatistics11, frmVol11ZoomStatistics); }
VisualLog Vol12VisualLog() { return QM_VISUAL_LOG(frmStatistic12, frmVol12ZoomStatistics); }
#undef QM_VISUAL_LOG

// A real run's top label names the run.
VisualLog Vol07VisualLog() {
    return VisualLog([]() -> VisualLogWindow* { return frmStatistics07; },
                     []() -> ZoomStatisticsWindow* { return frmVol07ZoomStatistics; }, "lblVol07NormalSimulate",
                     "Folder/File Delete Process.");
}

// The checker's top label says that a check runs.
VisualLog Vol15VisualLog() {
    return VisualLog([]() -> VisualLogWindow* { return frmStatistic15; },
                     []() -> ZoomStatisticsWindow* { return frmVol15ZoomStatistics; }, "lblVol15NormalSimulate",
                     "Checking Projects Consistency..");
}

void VisualLog::AddLine(int category, const std::string& line) {
    if (VisualLogWindow* w = log_()) w->AddLine(category, line);
}

SharedLine VisualLog::AddRecordedLine(int category, const std::string& line) {
    if (VisualLogWindow* w = log_()) return w->AddLine(category, line);
    return {};
}

void VisualLog::AddExportLine(int category, const std::string& line) {
    if (VisualLogWindow* w = log_()) w->AddExportLine(category, line);
}

// Counters show in full: byte totals pass a million within seconds of a
// copy, and six digits would put them in exponent form.
void VisualLog::Put(std::span<const CounterLabel> counters) {
    if (VisualLogWindow* w = log_())
        for (const CounterLabel& c : counters) w->SetLabelText(c.Label, CounterToStr(c.Value));
}

bool VisualLog::CountersDue() {
    // The clock is read every 64 changes only; labels are set when shown.
    if ((++changes_ & 63u) != 0) return false;
    due_ = std::chrono::steady_clock::now();
    return due_ - lastShown_ >= interval_;
}

void VisualLog::PaceCounters(std::span<const CounterLabel> counters) {
    Put(counters);
    results::PaceNow();  // already paced: every call that gets here is due
    lastShown_ = std::chrono::steady_clock::now();
    interval_ = std::max<std::chrono::steady_clock::duration>(std::chrono::milliseconds(50), (lastShown_ - due_) * 20);
}

void VisualLog::ShowCounters(std::span<const CounterLabel> counters) {
    Put(counters);
    results::FinishRun();
    lastShown_ = std::chrono::steady_clock::now();
}

void VisualLog::ClearLogLists() {
    if (VisualLogWindow* w = log_()) w->ClearLists();
}

void VisualLog::ClearZoomLists() {
    if (ZoomStatisticsWindow* z = zoom_()) z->ClearAllLists();
}

double VisualLog::HeldBytes(bool shared) const {
    double bytes = 0;
    if (VisualLogWindow* w = log_()) bytes += w->HeldBytes(shared);
    if (ZoomStatisticsWindow* z = zoom_()) bytes += z->HeldBytes(shared);
    return bytes;
}

bool VisualLog::Shown() const {
    VisualLogWindow* w = log_();
    return w && w->isVisible();
}

void VisualLog::SetRunMode(bool realRun) {
    VisualLogWindow* w = log_();
    if (!w) return;
    w->SetRunMode(realRun);
    if (!realRun || !runLabel_) return;
    if (auto* label = w->findChild<QLabel*>(runLabel_)) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(128, 0, 0));
        label->setPalette(palette);
        label->setText(QString::fromUtf8(runText_));
    }
}

void VisualLog::ShowLog() {
    if (VisualLogWindow* w = log_()) w->ShowLog();
}
