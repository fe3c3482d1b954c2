// What an undo done in parts (UndoInParts) adds beyond the records it
// reads, weighed from them before it changes anything.
#pragma once

#include <cstddef>
#include <vector>

#include "pages/RunItems.h"
#include "pages/RunMemory.h"

// The undo of `groups` of `all` beneath `bases` bases on `workers`: each
// worker's removal of the largest part, the parts' slots, and, every
// record staying, each kept for the next Undo with its path, a folder
// listed in the Visual Log, each in the report.
RunMemoryNeed UndoPartsMemoryNeed(const std::vector<UndoGroup>& groups, const UndoLists& all,
                                  const VEC_UNDO_BASES& bases, unsigned workers);
