#include "core/UndoToolkit.h"

#include <utility>

UndoBaseIndex::UndoBaseIndex(VEC_UNDO_BASES& bases) : bases_(bases) {
    for (std::size_t i = 0; i < bases_.size(); ++i) byPath_[bases_[i].Path] = static_cast<std::uint32_t>(i);
}

std::uint32_t UndoBaseIndex::IndexOf(const std::string& folder, const plat::FileIdentity& id) {
    auto [it, added] = byPath_.try_emplace(folder, static_cast<std::uint32_t>(bases_.size()));
    // A path that names another folder now is another base.
    if (!added && bases_[it->second].Id != id) {
        it->second = static_cast<std::uint32_t>(bases_.size());
        added = true;
    }
    if (added) bases_.push_back({folder, id});
    return it->second;
}

UndoBaseOpener::UndoBaseOpener(VEC_UNDO_BASES bases) { Reset(std::move(bases)); }

UndoBaseOpener::UndoBaseOpener(const VEC_UNDO_BASES* shared) : list_(shared) { state_.assign(shared->size(), 0); }

UndoBaseOpener::UndoBaseOpener(UndoBaseOpener&& other) noexcept
    : bases_(std::move(other.bases_)),
      list_(other.list_ == &other.bases_ ? &bases_ : other.list_),
      opened_(std::move(other.opened_)),
      state_(std::move(other.state_)),
      openOrder_(std::move(other.openOrder_)) {
    other.list_ = &other.bases_;
}

void UndoBaseOpener::Reset(VEC_UNDO_BASES bases) {
    bases_ = std::move(bases);
    list_ = &bases_;
    opened_.clear();
    state_.assign(bases_.size(), 0);
    openOrder_.clear();
}

bool UndoBaseOpener::OpenChecked(std::uint32_t index) {
    // The same folder as in the run, or nothing of it is touched.
    const _tagUndoBase& wanted = (*list_)[index];
    plat::Beneath& base = opened_[index];
    if (base.Open(wanted.Path) != plat::FsResult::Ok || base.Identity() != wanted.Id) {
        base.Close();
        return false;
    }
    openOrder_.push_back(index);
    if (openOrder_.size() > kOpenBases) {
        // Closed, not erased: a caller may still hold it (it fails, not dangles).
        opened_[openOrder_.front()].Close();
        openOrder_.erase(openOrder_.begin());  // a few dozen at most
    }
    return true;
}

plat::Beneath* UndoBaseOpener::Get(std::uint32_t index) {
    if (index >= list_->size()) return nullptr;
    if (state_[index] == 0 || (state_[index] == 1 && !opened_[index].IsOpen()))
        state_[index] = OpenChecked(index) ? 1 : 2;
    return state_[index] == 1 ? &opened_[index] : nullptr;
}

plat::Beneath* UndoBaseOpener::Fresh(std::uint32_t index) {
    plat::Beneath* base = Get(index);
    if (base) base->Release();
    return base;
}

AsLeft RemoveFileAsLeft(plat::Beneath* base, const std::string& path, const plat::FileStamp* left,
                        const plat::FileStamp* also) {
    if (!base) return AsLeft::Failed;
    if (left && !also) {
        // One look and the removal, in the layer.
        switch (base->RemoveFile(path, left)) {
        case plat::FsResult::Ok: return AsLeft::Removed;
        case plat::FsResult::NotFound: return AsLeft::Missing;
        case plat::FsResult::Changed: return AsLeft::Changed;
        default: return AsLeft::Failed;
        }
    }
    plat::EntryInfo info;
    switch (base->Look(path, info)) {
    case plat::FsResult::Ok: break;
    case plat::FsResult::NotFound: return AsLeft::Missing;
    default: return AsLeft::Failed;
    }
    if (!left || !(plat::IsUnchanged(info, *left) || (also && plat::IsUnchanged(info, *also)))) return AsLeft::Changed;
    const plat::FileStamp found = info.Stamp();
    return base->RemoveFile(path, &found) == plat::FsResult::Ok ? AsLeft::Removed : AsLeft::Failed;
}
