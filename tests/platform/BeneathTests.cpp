// Work beneath a held folder: links and mount points below the base are
// never passed, whatever appears between two steps; undo-style removals
// take only the object recorded. Each test runs with openat2 and with the
// one-name-at-a-time walk used where the kernel lacks it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#include "platform/Beneath.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"

using namespace plat;
using testsupport::TempDrive;
namespace fs = std::filesystem;

namespace {

class BeneathTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ForceBeneathFallback(GetParam());
        d.MakeFolder("Dest");
        d.MakeFolder("outside\\target");
        d.WriteFile("outside\\target\\keep.txt", "precious");
        ASSERT_EQ(base.Open(d.path("Dest")), FsResult::Ok);
    }
    void TearDown() override { ForceBeneathFallback(false); }
    void Link(const std::string& rel, const std::string& to) {
        fs::create_directory_symlink(d.nativePath(to), d.nativePath(rel));
    }
    std::string D(const std::string& rel) const { return d.path("Dest\\" + rel); }

    TempDrive d{'T'};
    Beneath base;
};

}  // namespace

TEST_P(BeneathTest, BaseIsARealFolderAndPathsStayBelowIt) {
    Link("Dest\\L", "outside\\target");
    Beneath other;
    EXPECT_EQ(other.Open(d.path("Dest\\L")), FsResult::Failed);  // a link is no base
    EXPECT_EQ(other.Open(d.path("nothing")), FsResult::NotFound);
    EXPECT_EQ(other.OpenNearest(d.path("Dest\\new\\deeper")), FsResult::Ok);
    EXPECT_EQ(other.Folder(), d.path("Dest"));
    EXPECT_EQ(other.Identity(), base.Identity());

    std::string rel;
    EXPECT_TRUE(base.Relative(D("a\\b."), rel));
    EXPECT_EQ(rel, "a/b.");
    EXPECT_FALSE(base.Holds(d.path("Destination\\x")));
    // A listing for names and kinds only tells a link from a folder too.
    d.WriteFile("Dest\\f.txt", "12345");
    d.MakeFolder("Dest\\sub");
    for (const bool sizes : {true, false}) {
        std::vector<DirEntry> entries;
        ASSERT_TRUE(sizes ? base.List(D(""), entries) : base.ListKinds(D(""), entries));
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[0].name, "f.txt");
        EXPECT_EQ(entries[0].kind, EntryKind::File);
        EXPECT_EQ(entries[0].size, sizes ? 5u : 0u);
        EXPECT_EQ(entries[1].kind, EntryKind::Link);
        EXPECT_EQ(entries[2].kind, EntryKind::Folder);
    }
    EXPECT_FALSE(base.Holds(d.path("outside")));
    EXPECT_EQ(base.MakeFolder(d.path("outside\\new")), FsResult::Failed);
    EXPECT_FALSE(d.Exists("outside\\new"));
}

TEST_P(BeneathTest, PathsInAFolderMetBeforeTranslateAsAnyOther) {
    // The second path of each pair lies in a folder already translated.
    std::string rel;
    for (const auto& [first, second, expected] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"a\\b", "a\\c. .", "a/c. ."},
             {"a\\b", "a\\\\b", "a/b"},
             {"x. \\y", "x\\z", "x/z"},
             {"x\\y", "x. \\z", "x. /z"},
             {"x\\y", "x\\ ", "x/ "}}) {
        ASSERT_TRUE(base.Relative(D(first), rel)) << first;
        EXPECT_TRUE(base.Relative(D(second), rel)) << second;
        EXPECT_EQ(rel, expected) << second;
    }
    for (const char* refused : {"a\\.", "a\\..", "a\\..."}) {
        ASSERT_TRUE(base.Relative(D("a\\b"), rel));
        EXPECT_FALSE(base.Relative(D(refused), rel)) << refused;
    }
    std::string withNul = D("a\\b");
    withNul.back() = '\0';
    EXPECT_FALSE(base.Relative(withNul, rel));
    // A drive mapped elsewhere meanwhile: its paths lie outside the base now.
    ASSERT_TRUE(base.Relative(D("a\\b"), rel));
    MapDrive('T', d.nativePath("outside"));
    EXPECT_FALSE(base.Relative(d.path("Dest\\a\\c"), rel));
    MapDrive('T', d.native());
    EXPECT_TRUE(base.Relative(D("a\\c"), rel));
}

TEST_P(BeneathTest, AWarmBaseMakesPathsRelativeAsAColdOne) {
    // One base asked in turn (its folder met last kept) against a base
    // opened afresh for each path (nothing kept), also the folders themselves.
    const std::vector<std::string> paths = {
        D("q"), d.path("Dest"), D("a\\b"), D("a\\c"), D("a"), D("a. \\d"), D("a\\b\\c"), D("a\\b"),
        D("a\\."), D("a\\.."), D("a\\ "), D("a\\x. ."), D("a"), d.path("Dest\\"), D("a\\\\e"), d.path("outside"),
        D("z\\y"), d.path("Dest2"), D("a\\e/f"), D("a/g"), d.path("Dest2\\q")};
    std::string warm, cold;
    for (int pass = 0; pass < 2; ++pass)
        for (const std::string& path : paths) {
            Beneath fresh;
            ASSERT_EQ(fresh.OpenNearest(d.path("Dest")), FsResult::Ok);
            warm = cold = "unset";
            const bool w = base.Relative(path, warm), c = fresh.Relative(path, cold);
            EXPECT_EQ(w, c) << path;
            if (w && c) {
                EXPECT_EQ(warm, cold) << path;
            }
        }
    std::string withNul = D("a\\b");
    ASSERT_TRUE(base.Relative(withNul, warm));
    withNul.back() = '\0';
    EXPECT_FALSE(base.Relative(withNul, warm));
}

TEST_P(BeneathTest, ARenameInOneFolderReadsTheNewNameAsAnyPath) {
    d.MakeFolder("Dest\\r\\a");
    d.MakeFolder("Dest\\top");
    for (const char* refused : {"r\\.", "r\\..", "r\\..."})
        EXPECT_EQ(base.Rename(D("r\\a"), D(refused)), FsResult::Failed) << refused;
    std::string withNul = D("r\\bb");
    withNul.back() = '\0';
    EXPECT_EQ(base.Rename(D("r\\a"), withNul), FsResult::Failed);
    EXPECT_TRUE(d.Exists("Dest\\r\\a"));
    EXPECT_EQ(base.Rename(D("r\\a"), D("r\\b. .")), FsResult::Ok);  // the name as written
    EXPECT_TRUE(d.Exists("Dest\\r\\b. ."));
    EXPECT_EQ(base.Rename(D("r\\b. ."), D("r\\b")), FsResult::Ok);
    EXPECT_EQ(base.Rename(D("r\\b"), D("r\\b")), FsResult::AlreadyExists);
    EXPECT_EQ(base.Rename(D("top"), D("top2")), FsResult::Ok);  // in the base itself
    EXPECT_EQ(base.Rename(D("r\\b"), D("r\\top2")), FsResult::Ok);
    EXPECT_TRUE(d.Exists("Dest\\top2"));
    EXPECT_TRUE(d.Exists("Dest\\r\\top2"));
}

TEST_P(BeneathTest, ALinkBelowTheBaseIsNeverPassedThrough) {
    Link("Dest\\L", "outside\\target");
    EXPECT_EQ(base.MakeFolder(D("L\\new")), FsResult::Blocked);
    EXPECT_EQ(base.MakeFolderTree(D("L\\deep\\er")), FsResult::Blocked);
    d.WriteFile("S\\f.txt", "data");
    Beneath source;
    ASSERT_EQ(source.Open(d.path("S")), FsResult::Ok);
    EXPECT_EQ(base.CopyFileFrom(source, d.path("S\\f.txt"), D("L\\f.txt")), FsResult::Blocked);
    EXPECT_EQ(base.RemoveFile(D("L\\keep.txt")), FsResult::Blocked);
    EXPECT_EQ(base.Rename(D("L\\keep.txt"), D("stolen.txt")), FsResult::Blocked);
    std::vector<DirEntry> entries;
    EXPECT_FALSE(base.List(D("L"), entries));
    EntryInfo info;
    EXPECT_EQ(base.Look(D("L\\keep.txt"), info), FsResult::Blocked);
    ASSERT_EQ(base.Look(D("L"), info), FsResult::Ok);  // the link itself is an entry
    EXPECT_EQ(info.kind, EntryKind::Link);
    EXPECT_EQ(base.CanWriteIn(D("L")), FsResult::Blocked);

    // The link is removed as a link; its target stays.
    EXPECT_EQ(base.RemoveFolder(D("L")), FsResult::Changed);
    EXPECT_EQ(base.RemoveFile(D("L")), FsResult::Ok);
    EXPECT_EQ(d.ReadFile("outside\\target\\keep.txt"), "precious");
    EXPECT_EQ(fs::directory_iterator(d.nativePath("outside\\target"))->path().filename(), "keep.txt");
    EXPECT_FALSE(d.Exists("outside\\target\\new"));
    EXPECT_FALSE(d.Exists("outside\\target\\deep"));

    // A link to a file is refused as a copy source.
    fs::create_symlink(d.nativePath("outside\\target\\keep.txt"), d.nativePath("S\\alias.txt"));
    EXPECT_NE(base.CopyFileFrom(source, d.path("S\\alias.txt"), D("alias.txt")), FsResult::Ok);
    EXPECT_FALSE(d.Exists("Dest\\alias.txt"));
}

// A folder the run made is swapped for a link between two steps: the held
// handles are let go between items, so the next step meets the link.
TEST_P(BeneathTest, ALinkSwappedInBetweenTwoStepsIsMet) {
    std::vector<MadeFolder> made;
    ASSERT_EQ(base.MakeFolderTree(D("P\\one"), &made), FsResult::Ok);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0].path, D("P"));
    EXPECT_EQ(made[1].path, D("P\\one"));
    base.Release();
    fs::remove_all(d.nativePath("Dest\\P"));
    Link("Dest\\P", "outside\\target");
    EXPECT_EQ(base.MakeFolder(D("P\\two")), FsResult::Blocked);
    EXPECT_FALSE(d.Exists("outside\\target\\two"));
    // Removal by identity leaves the link and what it points to.
    EXPECT_EQ(base.RemoveFolder(D("P\\one"), &made[1].id), FsResult::Blocked);
    EXPECT_EQ(base.RemoveFolder(D("P"), &made[0].id), FsResult::Changed);
    EXPECT_TRUE(fs::is_symlink(d.nativePath("Dest\\P")));
}

TEST_P(BeneathTest, RemovalsTakeOnlyTheRecordedObject) {
    d.WriteFile("S\\f.txt", "structure file");
    Beneath source;
    ASSERT_EQ(source.Open(d.path("S")), FsResult::Ok);
    FileStamp stamp;
    FileIdentity folderId;
    ASSERT_EQ(base.MakeFolder(D("a"), &folderId), FsResult::Ok);
    ASSERT_EQ(base.CopyFileFrom(source, d.path("S\\f.txt"), D("a\\f.txt"), &stamp), FsResult::Ok);
    EXPECT_EQ(stamp.size, 14u);
    EXPECT_TRUE(stamp.id.Known());
    EXPECT_EQ(base.CopyFileFrom(source, d.path("S\\f.txt"), D("a\\f.txt")), FsResult::AlreadyExists);

    // A copy that kept size and time (cp -a) is still another file.
    fs::copy_file(d.nativePath("Dest\\a\\f.txt"), d.nativePath("f.bak"));
    fs::last_write_time(d.nativePath("f.bak"), fs::last_write_time(d.nativePath("Dest\\a\\f.txt")));
    fs::rename(d.nativePath("f.bak"), d.nativePath("Dest\\a\\f.txt"));
    EXPECT_EQ(base.RemoveFile(D("a\\f.txt"), &stamp), FsResult::Changed);
    EXPECT_TRUE(d.Exists("Dest\\a\\f.txt"));
    EXPECT_EQ(base.RemoveFolder(D("a"), &folderId), FsResult::NotEmpty);

    // The folder replaced by another empty one of the same name stays.
    fs::remove_all(d.nativePath("Dest\\a"));
    d.MakeFolder("Dest\\a");
    base.Release();  // a later step resolves afresh
    EXPECT_EQ(base.RemoveFolder(D("a"), &folderId), FsResult::Changed);
    EXPECT_TRUE(d.Exists("Dest\\a"));
    EXPECT_EQ(base.RemoveFolder(D("gone"), &folderId), FsResult::NotFound);
    EXPECT_EQ(base.RemoveFile(D("a\\gone.txt"), &stamp), FsResult::NotFound);

    // Rewritten in place, its size kept and its time set back: the
    // status-change time tells.
    ASSERT_EQ(base.CopyFileFrom(source, d.path("S\\f.txt"), D("a\\h.txt"), &stamp), FsResult::Ok);
    d.RewriteKeepingSizeAndTime("Dest\\a\\h.txt", "STRUCTURE FILE");
    EXPECT_EQ(base.RemoveFile(D("a\\h.txt"), &stamp), FsResult::Changed);
    EXPECT_TRUE(d.Exists("Dest\\a\\h.txt"));

    // Unchanged objects go.
    ASSERT_EQ(base.CopyFileFrom(source, d.path("S\\f.txt"), D("a\\g.txt"), &stamp), FsResult::Ok);
    EXPECT_EQ(base.RemoveFile(D("a\\g.txt"), &stamp), FsResult::Ok);
    ASSERT_EQ(base.MakeFolder(D("b"), &folderId), FsResult::Ok);
    EXPECT_EQ(base.RemoveFolder(D("b"), &folderId), FsResult::Ok);
}

TEST_P(BeneathTest, CopiesKeepTimeAndPermissionsButNeverSpecialBits) {
    d.WriteFile("S\\tool", "#!/bin/sh\n");
    const std::string src = d.nativePath("S\\tool");
    // Another owner than the one running the test: only root may hand it over.
    const uid_t other = geteuid() == testsupport::kNobody ? 0 : testsupport::kNobody;
    ASSERT_EQ(chown(src.c_str(), other, other), geteuid() == 0 ? 0 : -1);
    ASSERT_EQ(chmod(src.c_str(), 06755 | S_ISVTX), 0);
    Beneath source;
    ASSERT_EQ(source.Open(d.path("S")), FsResult::Ok);
    ASSERT_EQ(base.CopyFileFrom(source, d.path("S\\tool"), D("tool")), FsResult::Ok);
    struct stat a {}, b {};
    ASSERT_EQ(stat(src.c_str(), &a), 0);
    ASSERT_EQ(stat(d.nativePath("Dest\\tool").c_str(), &b), 0);
    EXPECT_EQ(b.st_mode & 07777, 0755u);
    EXPECT_EQ(b.st_mtim.tv_sec, a.st_mtim.tv_sec);
    EXPECT_EQ(b.st_mtim.tv_nsec, a.st_mtim.tv_nsec);
    EXPECT_EQ(b.st_uid, geteuid());
    // FIFOs are never opened for copying.
    ASSERT_EQ(mkfifo(d.nativePath("S\\pipe").c_str(), 0644), 0);
    EXPECT_EQ(base.CopyFileFrom(source, d.path("S\\pipe"), D("pipe")), FsResult::Failed);
    EXPECT_FALSE(d.Exists("Dest\\pipe"));
}

// Folders far deeper than the longest path the kernel takes are made,
// looked at, copied into and removed as near the base ones are.
TEST_P(BeneathTest, WorksBelowThePathLimit) {
    std::vector<std::string> paths;
    std::string path = D("");
    for (int level = 0; level < 400; ++level) {
        path += "\\a-folder-name-of-twenty";
        paths.push_back(path);
        ASSERT_EQ(base.MakeFolder(path), FsResult::Ok) << level;
    }
    ASSERT_GT(path.size(), 2u * 4096u);
    d.WriteFile("S\\f.txt", "deep");
    Beneath source;
    ASSERT_EQ(source.Open(d.path("S")), FsResult::Ok);
    base.Release();
    FileStamp stamp;
    ASSERT_EQ(base.CopyFileFrom(source, d.path("S\\f.txt"), path + "\\f.txt", &stamp), FsResult::Ok);
    base.Release();
    EntryInfo info;
    ASSERT_EQ(base.Look(path + "\\f.txt", info), FsResult::Ok);
    EXPECT_EQ(info.Stamp(), stamp);
    EXPECT_EQ(base.MakeFolderTree(path + "\\a\\b"), FsResult::Ok);
    EXPECT_EQ(base.RemoveFolder(path + "\\a\\b"), FsResult::Ok);
    EXPECT_EQ(base.RemoveFolder(path + "\\a"), FsResult::Ok);
    base.Release();
    EXPECT_EQ(base.RemoveFile(path + "\\f.txt", &stamp), FsResult::Ok);
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) ASSERT_EQ(base.RemoveFolder(*it), FsResult::Ok) << *it;
    EXPECT_FALSE(d.Exists("Dest\\a-folder-name-of-twenty"));
    // A tree outside the base, or one no drive names, is made nowhere.
    EXPECT_EQ(base.MakeFolderTree(d.path("outside\\new")), FsResult::Failed);
    EXPECT_EQ(base.MakeFolderTree("Q:\\nowhere"), FsResult::Failed);
    EXPECT_EQ(base.MakeFolderTree(D("")), FsResult::AlreadyExists);
    EXPECT_FALSE(d.Exists("outside\\new"));
}

TEST_P(BeneathTest, RenamesNeverReplaceAndFindTheirFolders) {
    d.WriteFile("Dest\\x\\a.txt", "a");
    d.WriteFile("Dest\\y\\b.txt", "b");
    EXPECT_EQ(base.Rename(D("x\\a.txt"), D("y\\b.txt")), FsResult::AlreadyExists);
    EXPECT_EQ(base.Rename(D("x\\a.txt"), D("y\\a.txt")), FsResult::Ok);
    EXPECT_EQ(base.Rename(D("x"), D("y")), FsResult::AlreadyExists);
    EXPECT_EQ(base.Rename(D("x"), D("z")), FsResult::Ok);
    EXPECT_EQ(base.Rename(D("x"), D("w")), FsResult::NotFound);
    EXPECT_EQ(d.ReadFile("Dest\\y\\a.txt"), "a");
    EXPECT_EQ(d.ReadFile("Dest\\y\\b.txt"), "b");
    EXPECT_TRUE(d.Exists("Dest\\z"));
}

// A rename in one folder takes the new name as a whole path would name
// it: byte for byte, names of dots only refused, nothing replaced; in the
// base itself and in a folder held open alike.
TEST_P(BeneathTest, RenamesInOneFolderNameTheTargetAsAWholePathWould) {
    d.WriteFile("Dest\\sub\\f.txt", "f");
    d.WriteFile("Dest\\top.txt", "t");
    d.WriteFile("Dest\\sub\\taken.txt", "taken");
    EXPECT_EQ(base.Rename(D("sub\\f.txt"), D("sub\\g.txt. .")), FsResult::Ok);
    EXPECT_EQ(d.ReadFile("Dest\\sub\\g.txt. ."), "f");
    EXPECT_EQ(base.Rename(D("sub\\g.txt. ."), D("sub\\g.txt")), FsResult::Ok);
    for (const char* bad : {"sub\\..", "sub\\.", "sub\\..."})
        EXPECT_EQ(base.Rename(D("sub\\g.txt"), D(bad)), FsResult::Failed) << bad;
    EXPECT_EQ(base.Rename(D("sub\\g.txt"), D("sub\\bad") + std::string(1, '\0') + "name"), FsResult::Failed);
    EXPECT_EQ(base.Rename(D("sub\\g.txt"), D("sub\\taken.txt")), FsResult::AlreadyExists);
    EXPECT_EQ(base.Rename(D("sub\\g.txt"), D("sub\\TAKEN.txt")), FsResult::Ok);  // names differ in case
    EXPECT_EQ(d.ReadFile("Dest\\sub\\TAKEN.txt"), "f");
    EXPECT_EQ(d.ReadFile("Dest\\sub\\taken.txt"), "taken");
    EXPECT_EQ(base.Rename(D("top.txt"), D("top2.txt.")), FsResult::Ok);
    EXPECT_EQ(d.ReadFile("Dest\\top2.txt."), "t");
    EXPECT_EQ(base.Rename(D("top2.txt."), D("sub")), FsResult::AlreadyExists);
}

TEST_P(BeneathTest, ReplacingCopiesAndModesTakeOnlyRegularFilesAndNeverALink) {
    d.WriteFile("S\\new.txt", "new content");
    d.WriteFile("Dest\\t.txt", "old");
    d.MakeFolder("Dest\\folder.txt");
    fs::create_symlink(d.nativePath("outside\\target\\keep.txt"), d.nativePath("Dest\\link.txt"));
    Beneath source;
    ASSERT_EQ(source.Open(d.path("S")), FsResult::Ok);
    FileStamp stamp;
    EXPECT_EQ(base.CopyFileReplacing(source, d.path("S\\new.txt"), D("t.txt"), &stamp), FsResult::Ok);
    EXPECT_EQ(d.ReadFile("Dest\\t.txt"), "new content");
    EXPECT_EQ(stamp.size, 11u);
    EXPECT_EQ(base.CopyFileReplacing(source, d.path("S\\new.txt"), D("fresh.txt")), FsResult::Ok);
    EXPECT_EQ(base.CopyFileReplacing(source, d.path("S\\new.txt"), D("folder.txt")), FsResult::Failed);
    EXPECT_EQ(base.CopyFileReplacing(source, d.path("S\\new.txt"), D("link.txt")), FsResult::Failed);
    EXPECT_TRUE(fs::is_directory(d.nativePath("Dest\\folder.txt")));
    EXPECT_EQ(d.ReadFile("outside\\target\\keep.txt"), "precious");
    std::size_t names = 0;  // no temporary file is left behind
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(d.nativePath("Dest"))) ++names;
    EXPECT_EQ(names, 4u);

    std::uint32_t old = 0;
    EXPECT_EQ(base.SetMode(D("t.txt"), 0444, &old), FsResult::Ok);
    EXPECT_EQ(old, 0644u);
    EXPECT_EQ(fs::status(d.nativePath("Dest\\t.txt")).permissions(), fs::perms(0444));
    const auto before = fs::status(d.nativePath("outside\\target\\keep.txt")).permissions();
    EXPECT_EQ(base.SetMode(D("link.txt"), 0777), FsResult::Failed);
    EXPECT_EQ(fs::status(d.nativePath("outside\\target\\keep.txt")).permissions(), before);
    // The base itself, through its handle.
    const auto own = fs::status(d.nativePath("Dest")).permissions();
    EXPECT_EQ(base.SetMode(d.path("Dest"), 0700, &old), FsResult::Ok);
    EXPECT_EQ(fs::perms(old), own);
    EXPECT_EQ(fs::status(d.nativePath("Dest")).permissions(), fs::perms(0700));
    EXPECT_EQ(base.SetMode(d.path("Dest"), old), FsResult::Ok);
}

// A folder this user may enter but not list, or not even enter, opens as a
// base: it exists. What needs its listing then fails, and the base says it
// could not be read (where a link in its place or nothing there is gone); a
// known name in one that may be entered is still found.
TEST_P(BeneathTest, AFolderThatCannotBeListedStillOpens) {
    d.WriteFile("Dest\\enter\\known.txt", "k");
    d.MakeFolder("Dest\\closed");
    fs::create_directory_symlink(d.nativePath("Dest\\enter"), d.nativePath("Dest\\link"));
    chmod(d.nativePath("Dest\\enter").c_str(), 0111);
    chmod(d.nativePath("Dest\\closed").c_str(), 0);
    testsupport::OpenPathToEveryone(d.native());
    const bool fallback = GetParam();
    const int code = testsupport::RunAsNobody([&] {
        ForceBeneathFallback(fallback);
        Beneath enter, closed, dest;
        std::vector<DirEntry> entries;
        EntryInfo info;
        if (enter.Open(D("enter")) != FsResult::Ok || closed.Open(D("closed")) != FsResult::Ok) return 1;
        if (enter.List(D("enter"), entries) || enter.ListKinds(D("enter"), entries)) return 2;
        if (enter.Look(D("enter\\known.txt"), info) != FsResult::Ok || info.kind != EntryKind::File) return 3;
        if (closed.ListKinds(D("closed"), entries) || closed.Look(D("closed\\x"), info) == FsResult::Ok) return 4;
        if (closed.Look(D("closed"), info) != FsResult::Ok || info.kind != EntryKind::Folder) return 5;
        if (dest.Open(d.path("Dest")) != FsResult::Ok || dest.ListKinds(D("closed"), entries)) return 6;
        if (dest.WhyNotListed(D("closed")) != NotListed::Unreadable ||
            closed.WhyNotListed(D("closed")) != NotListed::Unreadable)
            return 7;
        if (dest.ListKinds(D("link"), entries) || dest.WhyNotListed(D("link")) != NotListed::Gone) return 8;
        if (dest.WhyNotListed(D("missing")) != NotListed::Gone) return 9;
        return 0;
    });
    EXPECT_EQ(code, 0);
}

// The questions a simulation asks get the answers the writes then give.
TEST_P(BeneathTest, DryQuestionsAnswerAsTheWritesDo) {
    const std::string longName(base.NameMax() + 1, 'n');
    EXPECT_EQ(base.MakeFolder(D(longName)), FsResult::Failed);
    d.MakeFolder("Dest\\locked");
    d.WriteFile("S\\secret.txt", "x");
    chmod(d.nativePath("Dest\\locked").c_str(), 0555);
    chmod(d.nativePath("S\\secret.txt").c_str(), 0000);
    testsupport::OpenPathToEveryone(d.native());
    testsupport::GiveToNobody(d.nativePath("Dest"));
    const bool fallback = GetParam();
    // As an ordinary user: the locked folder and the unreadable file refuse.
    const int code = testsupport::RunAsNobody([&] {
        ForceBeneathFallback(fallback);
        Beneath dest, src;
        if (dest.Open(d.path("Dest")) != FsResult::Ok || src.Open(d.path("S")) != FsResult::Ok) return 1;
        if (dest.CanWriteIn(D("locked")) != FsResult::Failed) return 2;
        if (dest.MakeFolder(D("locked\\x")) != FsResult::Failed) return 3;
        if (dest.CanWriteIn(D("")) != FsResult::Ok) return 4;
        if (src.CanRead(d.path("S\\secret.txt")) != FsResult::Failed) return 5;
        if (dest.CopyFileFrom(src, d.path("S\\secret.txt"), D("secret.txt")) != FsResult::Failed) return 6;
        if (dest.CanWriteIn(D("missing")) != FsResult::NotFound) return 7;
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(d.Exists("Dest\\locked\\x"));
    EXPECT_FALSE(d.Exists("Dest\\secret.txt"));
}

TEST_P(BeneathTest, ContainmentIsJudgedByTheRealFolders) {
    d.MakeFolder("P\\Dest\\inner");
    fs::create_directory_symlink(d.nativePath("P"), d.nativePath("PL"));
    Beneath dest, structure, inner;
    ASSERT_EQ(dest.Open(d.path("PL\\Dest")), FsResult::Ok);  // the user may choose a path through a link
    ASSERT_EQ(structure.Open(d.path("P")), FsResult::Ok);
    const auto chain = dest.Ancestry();
    EXPECT_NE(std::find(chain.begin(), chain.end(), structure.Identity()), chain.end());
    ASSERT_EQ(inner.Open(d.path("PL\\Dest\\inner")), FsResult::Ok);
    std::string rel;
    EXPECT_TRUE(inner.RealPathBelow(structure, rel));
    EXPECT_EQ(rel, "Dest/inner");
    EXPECT_FALSE(structure.RealPathBelow(inner, rel));
    // Through the link and not, one folder has one real name.
    Beneath direct;
    ASSERT_EQ(direct.Open(d.path("P\\Dest")), FsResult::Ok);
    EXPECT_EQ(dest.RealNative(), direct.RealNative());
    EXPECT_EQ(dest.RealNative(), fs::canonical(d.nativePath("P\\Dest")).string());
    EXPECT_EQ(Beneath().RealNative(), "");
}

// A mount point below the base is not crossed: a bind mount in a mount
// namespace of a child's own, or /proc below the root where that is
// not allowed.
TEST_P(BeneathTest, MountPointsBelowTheBaseAreNotCrossed) {
    d.MakeFolder("Dest\\mnt");
    const std::string mnt = d.nativePath("Dest\\mnt");
    const std::string target = d.nativePath("outside\\target");
    const bool fallback = GetParam();
    const pid_t pid = fork();
    if (pid == 0) {
        ForceBeneathFallback(fallback);
        Beneath dest;
        std::string root = "C:\\proc\\self";
        if (unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            mount(target.c_str(), mnt.c_str(), nullptr, MS_BIND, nullptr) == 0) {
            if (dest.Open(d.path("Dest")) != FsResult::Ok) _exit(1);
            // Not listed, and said to be another file system's.
            std::vector<DirEntry> entries;
            if (dest.ListKinds(d.path("Dest\\mnt"), entries) ||
                dest.WhyNotListed(d.path("Dest\\mnt")) != NotListed::OtherFileSystem)
                _exit(6);
            root = d.path("Dest\\mnt\\keep.txt");
            if (dest.RemoveFile(root) == FsResult::Ok) _exit(2);
            if (dest.MakeFolder(d.path("Dest\\mnt\\new")) == FsResult::Ok) _exit(3);
            _exit(0);
        }
        if (dest.Open("C:\\") != FsResult::Ok) _exit(4);
        EntryInfo info;
        _exit(dest.Look(root, info) == FsResult::Blocked ? 0 : 5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(d.ReadFile("outside\\target\\keep.txt"), "precious");
    EXPECT_FALSE(d.Exists("outside\\target\\new"));
}

// What is done in a folder right after its listing is done in the folder
// listed, also when another one took its name meanwhile; the ancestry
// stops where asked.
TEST_P(BeneathTest, AListedFolderIsTheOneWorkedIn) {
    d.WriteFile("Dest\\sub\\x.txt", "listed");
    std::vector<DirEntry> entries;
    ASSERT_TRUE(base.ListKinds(D("sub"), entries));
    fs::rename(d.nativePath("Dest\\sub"), d.nativePath("Dest\\moved"));
    d.WriteFile("Dest\\sub\\x.txt", "newcomer");
    EXPECT_EQ(base.RemoveFile(D("sub\\x.txt")), FsResult::Ok);
    EXPECT_FALSE(d.Exists("Dest\\moved\\x.txt"));
    EXPECT_EQ(d.ReadFile("Dest\\sub\\x.txt"), "newcomer");
    // Let go, the name is resolved again.
    base.Release();
    EXPECT_EQ(base.RemoveFile(D("sub\\x.txt")), FsResult::Ok);
    EXPECT_FALSE(d.Exists("Dest\\sub\\x.txt"));

    const auto chain = base.Ancestry(2);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[0], base.Identity());
    Beneath root;
    ASSERT_EQ(root.Open(d.path("")), FsResult::Ok);
    EXPECT_EQ(chain[1], root.Identity());
    EXPECT_EQ(base.Ancestry().size(), root.Ancestry().size() + 1);
}

// A folder of more names than one read of the kernel gives, listed again
// and again (its handle is held after the first listing): every name, in
// order, every time.
TEST_P(BeneathTest, BigFoldersListWholeEveryTime) {
    const std::string pad(40, 'n');
    d.MakeFolder("Dest\\big");
    for (int i = 0; i < 1500; ++i) fs::create_directory(d.nativePath("Dest\\big") + "/" + pad + std::to_string(i));
    std::ofstream(d.nativePath("Dest\\big") + "/file.txt") << "x";
    for (int round = 0; round < 3; ++round) {
        std::vector<DirEntry> entries;
        ASSERT_TRUE(round % 2 ? base.List(D("big"), entries) : base.ListKinds(D("big"), entries));
        ASSERT_EQ(entries.size(), 1501u) << "round " << round;
        EXPECT_EQ(entries[0].name, "file.txt");
        EXPECT_EQ(entries[0].kind, EntryKind::File);
        for (std::size_t i = 1; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].kind, EntryKind::Folder);
            EXPECT_LT(entries[i - 1].name, entries[i].name);
        }
    }
    std::vector<DirEntry> entries;
    EXPECT_FALSE(base.ListKinds(D("big\\file.txt"), entries));
    EXPECT_TRUE(entries.empty());
}

TEST_P(BeneathTest, KindListingsRenamesAndRemovalsKeepTheirRules) {
    d.MakeFolder("Dest\\sub\\deep");
    d.WriteFile("Dest\\sub\\f.txt", "f");
    Link("Dest\\sub\\L", "outside\\target");
    std::vector<DirEntry> entries;
    ASSERT_TRUE(base.ListKinds(D("sub"), entries));
    ASSERT_EQ(entries.size(), 3u);
    EntryInfo info;
    for (const DirEntry& e : entries) {
        ASSERT_EQ(base.Look(D("sub\\" + e.name), info), FsResult::Ok);
        EXPECT_EQ(e.kind, info.kind);
        EXPECT_EQ((FileIdentity{e.dev, e.ino}), info.id);
    }

    // A file renamed in its folder leaves the held folders usable; a folder
    // renamed is met under its new name only.
    EXPECT_EQ(base.Rename(D("sub\\f.txt"), D("sub\\g.txt")), FsResult::Ok);
    EXPECT_EQ(base.Rename(D("sub\\g.txt"), D("sub\\deep\\g.txt")), FsResult::Ok);
    EXPECT_EQ(base.Rename(D("sub\\deep"), D("sub\\moved")), FsResult::Ok);
    EXPECT_EQ(base.Look(D("sub\\deep\\g.txt"), info), FsResult::NotFound);
    EXPECT_EQ(base.Look(D("sub\\moved\\g.txt"), info), FsResult::Ok);
    EXPECT_EQ(base.Rename(D("sub\\moved\\g.txt"), D("sub\\L")), FsResult::AlreadyExists);

    // Without a recorded stamp a removal still never takes a folder, and
    // takes a link itself.
    EXPECT_EQ(base.RemoveFile(D("sub\\moved")), FsResult::Failed);
    EXPECT_EQ(base.RemoveFile(D("sub\\L")), FsResult::Ok);
    EXPECT_EQ(d.ReadFile("outside\\target\\keep.txt"), "precious");
    EXPECT_EQ(base.RemoveFile(D("sub\\gone")), FsResult::NotFound);
}

INSTANTIATE_TEST_SUITE_P(Resolve, BeneathTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "NameByName" : "Openat2"; });


// The ancestry of a folder deeper than one path may name (more than a
// thousand levels): every folder up to the root, as a climb of ".." from
// handle to handle finds them.
TEST(BeneathAncestry, ADeepFolderHasEveryFolderUpToTheRoot) {
    TempDrive d('T');
    constexpr int kDepth = 1300;
    int fd = open(d.native().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (int i = 0; i < kDepth; ++i) {
        ASSERT_EQ(mkdirat(fd, "a", 0755), 0);
        const int next = openat(fd, "a", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        ASSERT_GE(next, 0);
        fd = next;
    }
    std::vector<FileIdentity> climbed;
    for (int cur = dup(fd);;) {
        struct stat st;
        ASSERT_EQ(fstat(cur, &st), 0);
        const FileIdentity id{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
        if (!climbed.empty() && climbed.back() == id) {
            close(cur);
            break;
        }
        climbed.push_back(id);
        const int up = openat(cur, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        close(cur);
        ASSERT_GE(up, 0);
        cur = up;
    }
    close(fd);
    std::string rel;
    for (int i = 0; i < kDepth; ++i) rel += i ? "\\a" : "a";
    Beneath deep;
    ASSERT_EQ(deep.Open(d.path(rel)), FsResult::Ok);
    EXPECT_EQ(deep.Ancestry(), climbed);
    EXPECT_EQ(deep.Ancestry(kDepth + 1).back(), climbed[kDepth]);  // the drive's root
    EXPECT_EQ(deep.Ancestry(1), std::vector<FileIdentity>{deep.Identity()});
    EXPECT_TRUE(deep.Ancestry(0).empty());
}
