#include "pages/folders/FolderRuns.h"

#include "core/Validation.h"
#include "platform/FileSystem.h"

// A folder run takes each item's last name (a rename builds the new one
// from it, a delete may remove the folder by it).
bool UnusableFolderItem(const std::string& item) { return !IsUsableRunItem(item, RunItemUse::NamedFolder); }

bool UnusableFolderName(std::string_view name) {
    for (const char c : name)
        if (c == '\\' || c == '/' || c == ':') return true;
    // An empty name, or one of dots only, names no entry of its own.
    return name.empty() || plat::IsDotsOnlyName(name);
}

plat::Beneath* ParentBases::Get(std::string_view parent) {
    if (parent.empty()) return nullptr;
    if (lastBase_ && parent == last_ && lastBase_->UsableHere()) return lastBase_;
    last_.assign(parent);
    auto it = open_.find(last_);
    // One opened on another worker's table of handles is of no use here.
    if (it != open_.end() && it->second && !it->second->UsableHere()) {
        open_.erase(it);
        it = open_.end();
    }
    if (it == open_.end()) {
        if (open_.size() >= 64) open_.clear();  // a few handles at a time
        auto base = std::make_unique<plat::Beneath>();
        if (base->Open(last_) != plat::FsResult::Ok) base.reset();
        it = open_.emplace(last_, std::move(base)).first;
    }
    lastBase_ = it->second.get();
    if (!lastBase_) last_.clear();
    return lastBase_;
}

void ParentBases::Clear() {
    open_.clear();
    last_.clear();
    lastBase_ = nullptr;
}
