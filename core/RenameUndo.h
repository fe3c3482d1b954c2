// Moving renamed entries back: the undo of the rename pages. A run records
// each rename as old path -> new path with the identity of what it renamed
// and the folder it worked beneath; the reversal moves an entry back only
// when the entry at the new path is that very object and nothing stands at
// the old path, never replacing anything and never through a link.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/UndoToolkit.h"
#include "platform/Beneath.h"

// One rename of a run.
struct _tagRenameRecord {
    std::string OldPath;
    std::string NewPath;
    plat::FileIdentity Id;
    std::uint32_t Base = 0;
};
using DEQ_RENAME_RECORDS = std::deque<_tagRenameRecord>;

enum class RenameBack {
    Moved,              // back at its old path
    DestinationMissing, // nothing (or no longer this object's name) at the new path
    SourceExists,       // something stands at the old path
    Changed,            // another object stands at the new path
    Failed,             // the move itself failed (or its folder cannot be reached)
};

// Reverses renames in the order the caller gives, beneath the bases the
// opener finds again (each must be the folder the run worked beneath).
class RenameReversal {
public:
    explicit RenameReversal(UndoBaseOpener& bases) : bases_(bases) {}
    RenameBack MoveBack(const _tagRenameRecord& record);

private:
    UndoBaseOpener& bases_;
};
