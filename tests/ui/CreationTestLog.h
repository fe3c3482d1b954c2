// The log of the create pages' engine tests: every line, and the last
// counters it was shown as the page's counters.
#pragma once

#include <cstring>
#include <span>

#include "pages/creation/Creation.h"
#include "tests/ui/RecordingLog.h"

// A label is "lblStatNN" and the counter's name.
inline void ReadCounters(std::span<const CounterLabel> labels, CreationCounters& c) {
    double* const fields[] = {&c.FoldersToCreate, &c.SubFoldersToCreate, &c.FilesToCreate, &c.FilesSizeToCreate,
                              &c.FoldersCreated,  &c.SubFoldersCreated,  &c.FilesCreated,  &c.FilesSizeCreated,
                              &c.FoldersExists,   &c.SubFoldersExists,   &c.FilesExists,   &c.FilesSizeExists,
                              &c.FoldersOther,    &c.SubFoldersOther,    &c.FilesOther,    &c.FilesSizeOther};
    for (const CounterLabel& l : labels)
        for (std::size_t i = 0; i < std::size(fields); ++i)
            if (std::strcmp(l.Label + 9, kStat02CounterLabels[i] + 9) == 0) *fields[i] = l.Value;
}

namespace creationtest {

using Lines = testlog::Lines;
using RecordingLog = testlog::CountingLog<CreationCounters>;

}  // namespace creationtest
