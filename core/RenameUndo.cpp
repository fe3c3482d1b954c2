#include "core/RenameUndo.h"

RenameBack RenameReversal::MoveBack(const _tagRenameRecord& record) {
    // A rename moves whole folders: what was resolved before may name
    // another place now.
    plat::Beneath* base = bases_.Fresh(record.Base);
    if (!base) return RenameBack::Failed;
    plat::EntryInfo info;
    switch (base->Look(record.NewPath, info)) {
    case plat::FsResult::Ok: break;
    case plat::FsResult::NotFound: return RenameBack::DestinationMissing;
    default: return RenameBack::Failed;
    }
    if (!(info.id == record.Id)) return RenameBack::Changed;
    // The move never replaces: whatever stands at the old path refuses it.
    switch (base->Rename(record.NewPath, record.OldPath)) {
    case plat::FsResult::Ok: return RenameBack::Moved;
    case plat::FsResult::AlreadyExists: return RenameBack::SourceExists;
    case plat::FsResult::NotFound: return RenameBack::DestinationMissing;
    default: return RenameBack::Failed;
    }
}
