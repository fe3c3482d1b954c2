// How the delete pages (files, folders) remove what they take, on the run's
// disk, real or dry.
//
// Removing a name needs write access to its folder, never to the file: a
// file is removed without its mode ever being touched, so a hard link of it
// elsewhere keeps its bits. A file without its owner write bit is read-only:
// the page's read-only option only decides whether such a file is taken.
// A folder that must be emptied is another matter: nothing in it can be
// removed without its write bit, which it gets for the emptying and gets
// back when it stays.
#pragma once

#include <cstdint>
#include <string>

#include "core/RunDisk.h"

// Removes a file or link that a delete page takes; `listed` is the kind the
// folder's listing gave. Without `readOnlyToo` a read-only file stays
// (Failed), and only then is the file looked at; a link goes as it is.
plat::FsResult RemoveTakenFile(RunDisk& disk, plat::Beneath& base, const std::string& path, plat::EntryKind listed,
                               bool readOnlyToo);

// A folder a delete page is about to empty. With `readOnlyToo`, a folder
// without its owner write bit gets it for the emptying; GiveBack (or the
// end of the object) restores the old mode when the folder still stands.
class FolderToEmpty {
public:
    FolderToEmpty(RunDisk& disk, plat::Beneath& base, std::string folder, bool readOnlyToo);
    ~FolderToEmpty() { GiveBack(); }
    FolderToEmpty(const FolderToEmpty&) = delete;
    FolderToEmpty& operator=(const FolderToEmpty&) = delete;

    // False when the folder is read-only and stays so: nothing in it can go.
    bool Writable() const { return writable_; }
    void GiveBack();

private:
    RunDisk& disk_;
    plat::Beneath& base_;
    std::string folder_;
    plat::FileIdentity id_;
    std::uint32_t oldMode_ = 0;
    bool changed_ = false;
    bool writable_ = true;
};
