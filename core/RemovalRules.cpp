#include "core/RemovalRules.h"

#include <utility>

using plat::FsResult;

namespace {

constexpr std::uint32_t kOwnerWrite = 0200;

}  // namespace

FsResult RemoveTakenFile(RunDisk& disk, plat::Beneath& base, const std::string& path, plat::EntryKind listed,
                         bool readOnlyToo) {
    if (listed == plat::EntryKind::File && !readOnlyToo) {
        plat::EntryInfo info;
        const FsResult r = disk.Look(base, path, info);
        if (r != FsResult::Ok) return r;
        if (info.kind != plat::EntryKind::File || (info.mode & kOwnerWrite) == 0) return FsResult::Failed;
    }
    return disk.RemoveFile(base, path, nullptr);
}

FolderToEmpty::FolderToEmpty(RunDisk& disk, plat::Beneath& base, std::string folder, bool readOnlyToo)
    : disk_(disk), base_(base), folder_(std::move(folder)) {
    plat::EntryInfo info;
    if (disk_.Look(base_, folder_, info) != FsResult::Ok || info.kind != plat::EntryKind::Folder) return;
    if ((info.mode & kOwnerWrite) != 0) return;
    writable_ = false;
    if (!readOnlyToo) return;
    if (disk_.SetMode(base_, folder_, info.mode | kOwnerWrite, &oldMode_) == FsResult::Ok) {
        id_ = info.id;
        changed_ = true;
        writable_ = true;
    }
}

void FolderToEmpty::GiveBack() {
    if (!changed_) return;
    changed_ = false;
    // Only to the very folder that got the bit; one removed or replaced since is left alone.
    plat::EntryInfo info;
    if (disk_.Look(base_, folder_, info) == FsResult::Ok && info.kind == plat::EntryKind::Folder && info.id == id_)
        disk_.SetMode(base_, folder_, oldMode_);
}
