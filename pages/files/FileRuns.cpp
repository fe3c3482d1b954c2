#include "pages/files/FileRuns.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "pages/AttachWalk.h"
#include "platform/FolderLock.h"

// ---- undo on the run pool ----------------------------------------------------------------

void GroupNestedBases(const VEC_UNDO_BASES& bases, std::vector<std::uint32_t>& group, StringList& tops) {
    // The lowered paths stay where they are while the map names them, and
    // a folder above a base is looked up as a part of its path: nothing is
    // copied per folder (a run of thousands of destinations groups them
    // while the workers wait).
    std::vector<std::string> lowered(bases.size());
    std::unordered_map<std::string_view, std::uint32_t> byLowered;  // a base's path -> its first index
    byLowered.reserve(bases.size());
    for (std::size_t b = 0; b < bases.size(); ++b) {
        lowered[b] = ToLowerCase(bases[b].Path);
        while (lowered[b].size() > 3 && lowered[b].back() == '\\') lowered[b].pop_back();
    }
    for (std::size_t b = 0; b < bases.size(); ++b) byLowered.emplace(lowered[b], static_cast<std::uint32_t>(b));
    constexpr std::uint32_t kNone = ~std::uint32_t{0};
    std::vector<std::uint32_t> itemOfTop(bases.size(), kNone);
    group.assign(bases.size(), 0);
    tops.clear();
    for (std::size_t b = 0; b < bases.size(); ++b) {
        // The base's top-most ancestor among the bases (itself when none).
        const std::string_view path = lowered[b];
        std::uint32_t top = byLowered.find(path)->second;
        for (std::size_t cut = path.rfind('\\'); cut != std::string_view::npos && cut > 0;
             cut = path.rfind('\\', cut - 1)) {
            const auto it = byLowered.find(path.substr(0, cut));
            if (it != byLowered.end()) top = it->second;
        }
        if (itemOfTop[top] == kNone) {
            itemOfTop[top] = static_cast<std::uint32_t>(tops.size());
            tops.push_back(bases[top].Path);
        }
        group[b] = itemOfTop[top];
    }
}

// ---- the program's own -----------------------------------------------------------------

OwnFiles::OwnFiles() : ids_(plat::FolderLock::LockFiles()) {}

bool OwnFiles::Holds(const plat::FileIdentity& id) const {
    return std::find(ids_.begin(), ids_.end(), id) != ids_.end();
}

// ---- working copies -------------------------------------------------------------------

plat::FsResult WorkingCopies::Make(RunDisk& disk, plat::Beneath& from, const std::string& target,
                                   plat::Beneath& work, std::string& copy, plat::FileStamp& stamp, bool* exhausted,
                                   BriefMutex* shared) {
    if (exhausted) *exhausted = false;
    const std::string name = LastName(target);
    std::string base;
    StripFileExtension(name, base);
    const std::string ext = name.substr(base.size());
    BriefMutex alone;  // no items beside this one: nobody else asks
    std::unique_lock lock(shared ? *shared : alone);
    // The search goes on where the last one for this name ended.
    Next& known = next_.try_emplace(name).first->second;  // stays put as other names join
    std::uint64_t& next = known.next;
    const std::uint64_t start = next;
    std::uint64_t candidate = start;
    for (int tries = 0; tries < 30000; ++tries) {
        // Taken for this search before the disk is asked: an item beside
        // it never tries the same name.
        candidate = next;
        next = candidate + 1;
        const bool untried = candidate >= known.untried && !anyTaken_;
        known.untried = std::max(known.untried, candidate + 1);
        lock.unlock();
        copy = JoinEntry(work.Folder(), candidate == 0 ? name : MakeIncreasedFileName(base, candidate) + ext);
        const plat::FsResult r = !untried && taken_.Has(copy) ? plat::FsResult::AlreadyExists
                                                              : disk.CopyFile(from, target, work, copy, &stamp);
        if (r == plat::FsResult::Ok) {
            taken_.Add(copy);
            return r;
        }
        lock.lock();
        if (r == plat::FsResult::AlreadyExists) continue;
        if (next == candidate + 1) next = candidate;  // not made: the next search tries it again
        return r;
    }
    if (next == candidate + 1) next = start;
    if (exhausted) *exhausted = true;
    return plat::FsResult::Failed;
}

plat::Beneath* WorkingCopyFinder::Find(const _tagWorkingCopy& record) {
    const std::string folder = record.WorkingCopy.substr(0, record.WorkingCopy.rfind('\\'));
    if (!work_.IsOpen() || work_.Folder() != folder) {
        work_.Close();
        work_.OpenOwn(folder);
    }
    work_.Release();
    plat::EntryInfo info;
    if (!work_.IsOpen() || work_.Look(record.WorkingCopy, info) != plat::FsResult::Ok ||
        !plat::IsUnchanged(info, record.Copy))
        return nullptr;
    return &work_;
}

void WorkingCopyFinder::Drop(RunDisk& disk, const _tagWorkingCopy& record) {
    work_.Release();
    disk.RemoveFile(work_, record.WorkingCopy, &record.Copy);
}
