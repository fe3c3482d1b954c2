// A disk for engine tests that hands every call to a real or dry disk and
// lets a test act around one kind of call: a change made in the middle of
// a run, or a call made slow so that workers of a run pool meet.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/RunDisk.h"

namespace testdisk {

class DelegatingDisk final : public RunDisk {
public:
    explicit DelegatingDisk(RunDisk& to) : d(to) {}
    std::function<void()> afterRemoveFile;  // called after each file removal
    std::function<void()> beforeRename;     // called before each rename
    std::function<void()> beforeList;       // called before each listing of kinds
    std::function<void()> beforeFullList;   // called before each whole listing (sizes too)

    bool IsDry() const override { return d.IsDry(); }
    plat::FsResult Look(plat::Beneath& b, const std::string& p, plat::EntryInfo& i) override { return d.Look(b, p, i); }
    bool List(plat::Beneath& b, const std::string& f, std::vector<plat::DirEntry>& e,
              std::vector<plat::DirEntry>* u) override {
        if (beforeFullList) beforeFullList();
        return d.List(b, f, e, u);
    }
    bool ListKinds(plat::Beneath& b, const std::string& f, std::vector<plat::DirEntry>& e,
                   std::vector<plat::DirEntry>* u) override {
        if (beforeList) beforeList();
        return d.ListKinds(b, f, e, u);
    }
    plat::NotListed WhyNotListed(plat::Beneath& b, const std::string& f) override { return d.WhyNotListed(b, f); }
    plat::FsResult MakeFolder(plat::Beneath& b, const std::string& p, plat::FileIdentity* m) override {
        return d.MakeFolder(b, p, m);
    }
    plat::FsResult MakeFolderTree(plat::Beneath& b, const std::string& p, std::vector<plat::MadeFolder>& m) override {
        return d.MakeFolderTree(b, p, m);
    }
    plat::FsResult CopyFile(plat::Beneath& f, const std::string& s, plat::Beneath& t, const std::string& p,
                            plat::FileStamp* st) override {
        return d.CopyFile(f, s, t, p, st);
    }
    plat::FsResult CopyFileReplacing(plat::Beneath& f, const std::string& s, plat::Beneath& t, const std::string& p,
                                     plat::FileStamp* st) override {
        return d.CopyFileReplacing(f, s, t, p, st);
    }
    plat::FsResult RemoveFile(plat::Beneath& b, const std::string& p, const plat::FileStamp* e) override {
        const plat::FsResult r = d.RemoveFile(b, p, e);
        if (afterRemoveFile) afterRemoveFile();
        return r;
    }
    plat::FsResult RemoveFolder(plat::Beneath& b, const std::string& p, const plat::FileIdentity* e) override {
        return d.RemoveFolder(b, p, e);
    }
    plat::FsResult Rename(plat::Beneath& b, const std::string& f, const std::string& t) override {
        if (beforeRename) beforeRename();
        return d.Rename(b, f, t);
    }
    plat::FsResult SetMode(plat::Beneath& b, const std::string& p, std::uint32_t m, std::uint32_t* o) override {
        return d.SetMode(b, p, m, o);
    }

private:
    RunDisk& d;
};

}  // namespace testdisk
