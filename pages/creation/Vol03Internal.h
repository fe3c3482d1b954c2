// What the source units of page 03's run and simulation share: one frame
// for both, handed the messages and the disk that make the difference.
#pragma once

#include <string>

#include "pages/creation/Vol03Engine.h"

// The frame without its question and end: the numbers read once from the
// edits and checked (`startAboveEndCaption`), the disk-space check or the
// count, the structure check (`noStructureCaption`), one main folder per
// number, the destination shown on "Show Explorer", the history tidied.
RunFrame Vol03Frame(Vol03State& state, const Vol03Inputs& in, RunLog& log, const Vol03PageHooks& hooks,
                    bool simulation, const std::string& startAboveEndCaption, const std::string& noStructureCaption);
