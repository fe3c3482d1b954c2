// Which files a run's name masks take: the file pages (10, 11, 12) and the
// copy-folders page (08) select files by them.
#pragma once

#include "core/FolderStructSize.h"
#include "core/Types.h"
#include <string>

// The stored masks a run goes by, lower-cased: a mask that is a path
// rather than a name pattern (a separator, a colon or "..") takes nothing;
// no mask at all (a blank names text) means "*.*".
StringList UsableFileMasks(const StringList& stored);
// True when any of the (lowered) masks takes the file name: the name
// pattern finds it and its extension passes MatchFileMask, letter case
// ignored. A mask's extension ".*" takes every extension, none too, so
// "*.*" takes every name; a mask without extension ("*", "r*") takes only
// names without one.
bool MasksTake(const StringList& loweredMasks, const std::string& name);
// The selection of a run that takes a file once when any of its (lowered)
// masks takes it, as MasksTake says, for its counts to walk with.
FileSelection AnyMaskSelection(StringList loweredMasks);
