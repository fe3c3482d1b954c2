#include "pages/RunItems.h"

#include <atomic>

#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"

namespace {
std::atomic<unsigned> forcedWorkers{0};
thread_local RunPoolResult lastRun;
}  // namespace

void ItemLog::ReplayInto(RunLog& log) {
    for (const Entry& e : entries_) {
        if (e.exportLine)
            log.AddExportLine(e.category, e.text);
        else
            log.AddLine(e.category, e.text);
    }
    entries_.clear();
}

unsigned PageRunWorkers(const std::string& folder, plat::RunWork work) {
    if (const unsigned forced = forcedWorkers.load()) return forced;
    return plat::RunWorkerCount(folder, work);
}

RunPoolResult LastPageRun() { return lastRun; }
void NoteLastPageRun(const RunPoolResult& result) { lastRun = result; }

ForceRunWorkers::ForceRunWorkers(unsigned workers) : previous_(forcedWorkers.exchange(workers)) {}
ForceRunWorkers::~ForceRunWorkers() { forcedWorkers.store(previous_); }

RunPoolOptions PageRunPoolOptions(unsigned workers) {
    RunPoolOptions options;
    options.Workers = workers < 1 ? 1 : workers;
    options.Pump = [] {
        results::FlushPending();
        qtplat::ProcessPendingPaints();
    };
    // A few paints a second, as the Visual Log paces its counters.
    options.PumpInterval = std::chrono::milliseconds(200);
    return options;
}
