// What the source units of page 03's run and simulation share: one frame
// for both, handed the messages and the disk that make the difference.
#pragma once

#include <string>

#include "pages/creation/Vol03Engine.h"

struct Vol03Frame {
    bool Simulation = false;
    std::string StartAboveEndCaption;       // 30027 / 30049
    std::string NoStructureCaption;         // 30029 / 30050
    std::string ConfirmText, ConfirmCaption;  // 30030 / 30051
    std::string EndText, EndCaption;        // 30034 / 30054
    const char* Topic = kVol03Topic;        // for a folder that cannot be shown
};

// The checks, the Visual Log, one main folder per number, the end.
void Vol03CreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks,
                        const Vol03Frame& frame);
