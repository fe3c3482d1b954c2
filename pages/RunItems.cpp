#include "pages/RunItems.h"

#include <atomic>

#include "results/ResultsList.h"

namespace {
std::atomic<unsigned> forcedWorkers{0};
thread_local RunPoolResult lastRun;
}  // namespace

void ItemLog::ReplayInto(RunLog& log) {
    for (std::size_t i = 0; i < used_; ++i) {
        const Entry& e = entries_[i];
        if (e.exportLine)
            log.AddExportLine(e.category, e.text);
        else
            log.AddLine(e.category, e.text);
    }
    used_ = 0;
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
    // Paced with the Visual Log's own showings: a few paints a second, and
    // while showing a long list takes long, seldom enough that it costs the
    // run at most about a twentieth of its time.
    options.Pump = [] { results::PaceNow(); };
    options.PumpInterval = std::chrono::milliseconds(200);
    return options;
}
