// What the source units of page 04's run and simulation share: one frame
// for both, handed the messages and the disk that make the difference.
#pragma once

#include <string>

#include "pages/creation/Vol04Engine.h"

// The frame without its question, empty-list message and end: the
// disk-space check, the structure check (`noStructureCaption`), one new
// folder beside each Include path.
RunFrame Vol04Frame(Vol04State& state, const Vol04Inputs& in, RunLog& log, const RunHooks& hooks, bool simulation,
                    const std::string& noStructureCaption);
