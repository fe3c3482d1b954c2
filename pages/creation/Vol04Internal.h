// What the source units of page 04's run and simulation share: one frame
// for both, handed the messages and the disk that make the difference.
#pragma once

#include <string>

#include "pages/creation/Vol04Engine.h"

struct Vol04Frame {
    bool Simulation = false;
    std::string NoStructureCaption;           // 40042 / 40066
    std::string ConfirmText, ConfirmCaption;  // 40043 / 40067
    std::string EmptyIncludeCaption;          // 40049 / 40071
    std::string EndText, EndCaption;          // 40048 / 40070
};

// The checks, the Visual Log, one new folder per Include path, the end.
void Vol04CreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log, const Vol04PageHooks& hooks,
                        const Vol04Frame& frame);
