#include "results/ResultsWindows.h"

void RelabelVisualLogs() {
    VisualLogWindow* const logs[] = {frmStatistic02, frmStatistic03, frmStatistic04,  frmStatistic06, frmStatistics07,
                                     frmStatistic08, frmStatistic10, frmStatistics11, frmStatistic12};
    for (VisualLogWindow* log : logs)
        if (log) log->ApplyRunModeLabel();
}
