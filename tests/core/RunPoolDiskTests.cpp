// A run on the pool with the real and the dry disk: each worker beneath
// twins of the run's folders, the dry disk shared by all of them. Many
// workers give the lines of one, the dry disk the lines of the real one,
// and the real trees are the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/RunDisk.h"
#include "core/RunPool.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
        tree[it->path().string().substr(root.size())] = fs::is_directory(it->symlink_status()) ? "dir" : "file";
    return tree;
}

// Main folders (some named twice, in other letter case) made with two
// levels below, a file copied in, renamed, and every third one removed.
std::vector<std::string> RunMains(RunDisk& disk, const testsupport::TempDrive& d, const std::string& dest,
                             unsigned workers) {
    plat::Beneath destBase, sourceBase;
    EXPECT_EQ(destBase.Open(d.path(dest)), plat::FsResult::Ok);
    EXPECT_EQ(sourceBase.Open(d.path("S")), plat::FsResult::Ok);
    RunPool pool({.Workers = workers});
    struct Held {
        plat::Beneath dest, source;
    };
    std::vector<Held> held(pool.Workers());
    for (Held& h : held) h = {destBase.Twin(), sourceBase.Twin()};
    std::vector<std::string> outcome(pool.Window()), lines;
    const auto main = [&](std::size_t i) {
        return d.path(dest + "\\" + (i % 4 == 1 ? "m" : "M") + std::to_string(i % 15));
    };
    const auto code = [](plat::FsResult r) { return std::to_string(static_cast<int>(r)); };
    pool.Run(
        60,
        [&](std::size_t i, RunScope& s) {
            s.Write(main(i));
            s.Read(d.path("S"));
        },
        [&](std::size_t i, RunItemContext& ctx) {
            Held& h = held[ctx.Worker()];
            const std::string m = main(i), n = std::to_string(i);
            std::vector<plat::MadeFolder> made;
            std::string& line = outcome[ctx.Slot()];
            line = n + ":" + code(disk.MakeFolderTree(h.dest, m + "\\a\\b", made)) + "/" + std::to_string(made.size());
            line += " " + code(disk.CopyFile(h.source, d.path("S\\f.txt"), h.dest, m + "\\a\\f" + n, nullptr));
            line += " " + code(disk.Rename(h.dest, m + "\\a\\f" + n, m + "\\a\\g" + n));
            if (i % 3 == 0) line += " " + code(disk.RemoveFile(h.dest, m + "\\a\\g" + n));
            std::vector<plat::DirEntry> entries;
            disk.List(h.dest, m + "\\a", entries);
            for (const auto& e : entries) line += " " + e.name;
            h.dest.Release();
            h.source.Release();
        },
        [&](std::size_t, RunApplyContext& ctx) { lines.push_back(std::move(outcome[ctx.Slot()])); });
    return lines;
}

TEST(RunPoolDisk, ManyWorkersMakeTheTreeAndLinesOfOne) {
    testsupport::TempDrive d;
    d.WriteFile("S\\f.txt", "structure file");
    for (const char* dest : {"One", "Many", "Dry"}) {
        d.MakeFolder(dest);
        d.MakeFolder(std::string(dest) + "\\M3\\a");  // one main folder there before the run
    }
    RealDisk real;
    const std::vector<std::string> one = RunMains(real, d, "One", 1);
    EXPECT_EQ(RunMains(real, d, "Many", 8), one);
    EXPECT_EQ(Tree(d.nativePath("Many")), Tree(d.nativePath("One")));
    DryDisk dry;
    EXPECT_EQ(RunMains(dry, d, "Dry", 8), one);
    EXPECT_EQ(Tree(d.nativePath("Dry")), (std::map<std::string, std::string>{{"/M3", "dir"}, {"/M3/a", "dir"}}));
}

TEST(RunPoolDisk, ATwinHoldsTheSameFolderOnItsOwn) {
    testsupport::TempDrive d;
    d.MakeFolder("Dest\\sub");
    plat::Beneath base;
    ASSERT_EQ(base.Open(d.path("Dest")), plat::FsResult::Ok);
    plat::Beneath twin = base.Twin();
    ASSERT_TRUE(twin.IsOpen());
    EXPECT_EQ(twin.Identity(), base.Identity());
    EXPECT_EQ(twin.Folder(), base.Folder());
    // The base's path now leads elsewhere: the twin still holds the folder it had.
    fs::rename(d.nativePath("Dest"), d.nativePath("Moved"));
    d.MakeFolder("Dest");
    plat::EntryInfo info;
    EXPECT_EQ(twin.Look(d.path("Dest\\sub"), info), plat::FsResult::Ok);
    base.Close();
    EXPECT_EQ(twin.MakeFolder(d.path("Dest\\made")), plat::FsResult::Ok);
    EXPECT_TRUE(d.Exists("Moved\\made"));
    EXPECT_FALSE(plat::Beneath().Twin().IsOpen());
}

}  // namespace
