#include "core/RenameUndo.h"

#include <utility>

RenameReversal::RenameReversal(VEC_UNDO_BASES bases)
    : bases_(std::move(bases)), opened_(bases_.size()), state_(bases_.size(), 0) {}

plat::Beneath* RenameReversal::BaseOf(std::uint32_t index) {
    if (index >= bases_.size()) return nullptr;
    if (state_[index] == 0) {
        const bool same = opened_[index].Open(bases_[index].Path) == plat::FsResult::Ok &&
                          opened_[index].Identity() == bases_[index].Id;
        state_[index] = same ? 1 : 2;
        if (!same) opened_[index].Close();
    }
    return state_[index] == 1 ? &opened_[index] : nullptr;
}

RenameBack RenameReversal::MoveBack(const _tagRenameRecord& record) {
    plat::Beneath* base = BaseOf(record.Base);
    if (!base) return RenameBack::Failed;
    // A rename moves whole folders: what was resolved before may name
    // another place now.
    base->Release();
    plat::EntryInfo info;
    switch (base->Look(record.NewPath, info)) {
    case plat::FsResult::Ok: break;
    case plat::FsResult::NotFound: return RenameBack::DestinationMissing;
    default: return RenameBack::Failed;
    }
    if (!(info.id == record.Id)) return RenameBack::Changed;
    switch (base->Look(record.OldPath, info)) {
    case plat::FsResult::NotFound: break;
    case plat::FsResult::Ok: return RenameBack::SourceExists;
    default: return RenameBack::Failed;
    }
    switch (base->Rename(record.NewPath, record.OldPath)) {
    case plat::FsResult::Ok: return RenameBack::Moved;
    case plat::FsResult::AlreadyExists: return RenameBack::SourceExists;
    case plat::FsResult::NotFound: return RenameBack::DestinationMissing;
    default: return RenameBack::Failed;
    }
}
