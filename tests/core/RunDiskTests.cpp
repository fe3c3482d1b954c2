// The dry disk answers every question as the real disk then does: two
// identical trees, one handed to each, the same writes asked of both, as
// root and as an ordinary user. The dry one's tree is left as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "core/RunDisk.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"

using plat::FsResult;
namespace fs = std::filesystem;

namespace {

void Build(const testsupport::TempDrive& d) {
    d.MakeFolder("Dest\\locked");
    d.WriteFile("Dest\\locked\\there.txt", "old");
    d.WriteFile("Dest\\locked\\big.bin", "old");
    d.WriteFile("Dest\\file.txt", "x");
    d.WriteFile("S\\f.txt", "structure file");
    d.WriteFile("S\\secret.txt", "secret");
    d.WriteFile("S\\big.bin", std::string(plat::kLookBeforeCopyBytes + 10, 'b'));
    d.MakeFolder("outside");
    d.WriteFile("outside\\.keep", "");
    fs::create_directory_symlink(d.nativePath("outside"), d.nativePath("Dest\\L"));
    fs::create_symlink(d.nativePath("S\\f.txt"), d.nativePath("S\\link"));
    chmod(d.nativePath("Dest\\locked").c_str(), 0555);
    chmod(d.nativePath("S\\secret.txt").c_str(), 0);
    testsupport::OpenPathToEveryone(d.native());
    testsupport::GiveToNobody(d.nativePath("Dest"));
}

std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const auto st = it->symlink_status();
        tree[it->path().string()] = std::to_string(static_cast<int>(st.type())) + ":" +
                                    (fs::is_regular_file(st) ? std::to_string(fs::file_size(it->path())) : "");
    }
    return tree;
}

// Asks one disk for every write of the script, on drive `letter`, and
// returns the answers as one text.
std::string Script(RunDisk& disk, char letter) {
    const auto P = [&](const std::string& rel) { return std::string(1, letter) + ":\\" + rel; };
    plat::Beneath dest, source;
    dest.Open(P("Dest"));
    source.Open(P("S"));
    const std::string tooLong(dest.NameMax() + 1, 'n');
    std::ostringstream out;
    const auto folder = [&](const std::string& rel) {
        plat::FileIdentity id;
        out << rel << " folder " << static_cast<int>(disk.MakeFolder(dest, P("Dest\\" + rel), &id)) << "\n";
    };
    const auto tree = [&](const std::string& rel) {
        std::vector<plat::MadeFolder> made;
        out << rel << " tree " << static_cast<int>(disk.MakeFolderTree(dest, P("Dest\\" + rel), made));
        for (const auto& m : made) out << " [" << m.path.substr(2) << "]";
        out << "\n";
    };
    const auto copy = [&](const std::string& from, const std::string& to) {
        plat::FileStamp stamp;
        out << from << ">" << to << " "
            << static_cast<int>(disk.CopyFile(source, P("S\\" + from), dest, P("Dest\\" + to), &stamp)) << "\n";
    };
    folder("new");
    folder("new");
    folder("new\\sub");
    folder(tooLong);
    folder("locked\\x");
    folder("L\\x");
    folder("file.txt\\x");
    folder("missing\\x");
    tree("a\\b\\c");
    tree("a\\b\\c");
    tree("a/b//d.");
    tree("L\\x\\y");
    tree("file.txt\\x\\y");
    tree("m\\" + tooLong + "\\y");
    tree("locked\\p\\q");
    copy("f.txt", "new\\f.txt");
    copy("f.txt", "new\\f.txt");
    copy("f.txt", "new\\sub\\f.txt");
    copy("secret.txt", "secret.txt");
    copy("f.txt", "locked\\f.txt");
    copy("f.txt", "locked\\there.txt");
    copy("big.bin", "locked\\big.bin");
    copy("missing.txt", "m.txt");
    copy("f.txt", "nowhere\\f.txt");
    copy("link", "link");
    copy("f.txt", "L\\f.txt");
    copy("f.txt", tooLong);
    folder("new\\f.txt\\x");
    tree("new\\f.txt\\x\\y");
    return out.str();
}

// Removals, renames, replacing copies and mode changes, with a listing of
// every touched folder after each step: the dry disk must list what the
// real one then holds.
std::string ChangeScript(RunDisk& disk, char letter) {
    const auto P = [&](const std::string& rel) { return std::string(1, letter) + ":\\" + rel; };
    plat::Beneath dest, source;
    dest.Open(P("Dest"));
    source.Open(P("S"));
    std::ostringstream out;
    const auto list = [&](const std::string& rel) {
        std::vector<plat::DirEntry> entries;
        std::vector<plat::DirEntry> unsayable;
        out << "  list " << rel << " " << disk.List(dest, P("Dest\\" + rel), entries, &unsayable) << ":";
        for (const auto& e : entries) out << " " << e.name << "/" << static_cast<int>(e.kind);
        out << "\n";
    };
    const auto step = [&](const std::string& what, FsResult r) { out << what << " " << static_cast<int>(r) << "\n"; };
    const auto look = [&](const std::string& rel) {
        plat::EntryInfo info;
        const FsResult r = disk.Look(dest, P("Dest\\" + rel), info);
        out << "look " << rel << " " << static_cast<int>(r) << " " << (r == FsResult::Ok ? static_cast<int>(info.kind) : -1)
            << "\n";
    };
    std::vector<plat::MadeFolder> made;
    step("tree", disk.MakeFolderTree(dest, P("Dest\\t\\u"), made));
    step("copy", disk.CopyFile(source, P("S\\f.txt"), dest, P("Dest\\t\\u\\f.txt"), nullptr));
    list("t\\u");
    step("rm-nonempty", disk.RemoveFolder(dest, P("Dest\\t")));
    step("rm-file-as-folder", disk.RemoveFolder(dest, P("Dest\\file.txt")));
    step("rm-folder-as-file", disk.RemoveFile(dest, P("Dest\\t")));
    step("rm-made-file", disk.RemoveFile(dest, P("Dest\\t\\u\\f.txt")));
    step("rm-u", disk.RemoveFolder(dest, P("Dest\\t\\u")));
    list("t");
    step("rm-link", disk.RemoveFile(dest, P("Dest\\L")));
    look("L");
    step("rm-in-locked", disk.RemoveFile(dest, P("Dest\\locked\\there.txt")));
    step("mode-locked", disk.SetMode(dest, P("Dest\\locked"), 0755));
    step("rm-in-unlocked", disk.RemoveFile(dest, P("Dest\\locked\\there.txt")));
    list("locked");
    step("rename-file", disk.Rename(dest, P("Dest\\file.txt"), P("Dest\\t\\moved.txt")));
    step("rename-onto", disk.Rename(dest, P("Dest\\locked\\big.bin"), P("Dest\\t\\moved.txt")));
    step("rename-into-itself", disk.Rename(dest, P("Dest\\t"), P("Dest\\t\\inner")));
    step("rename-folder", disk.Rename(dest, P("Dest\\locked"), P("Dest\\t\\was-locked")));
    list("t");
    list("t\\was-locked");
    look("t\\was-locked\\big.bin");
    look("locked");
    step("replace-file", disk.CopyFileReplacing(source, P("S\\f.txt"), dest, P("Dest\\t\\moved.txt"), nullptr));
    step("replace-folder", disk.CopyFileReplacing(source, P("S\\f.txt"), dest, P("Dest\\t\\was-locked"), nullptr));
    step("rename-back", disk.Rename(dest, P("Dest\\t\\was-locked"), P("Dest\\again")));
    step("rm-in-renamed", disk.RemoveFile(dest, P("Dest\\again\\big.bin")));
    step("rm-renamed", disk.RemoveFolder(dest, P("Dest\\again")));
    list("");
    return out.str();
}

class RunDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        Build(real);
        Build(dry);
    }
    testsupport::TempDrive real{'R'};
    testsupport::TempDrive dry{'Y'};
};

}  // namespace

TEST_F(RunDiskTest, TheDryDiskAnswersAsTheRealOneAsRoot) {
    const auto before = Snapshot(dry.native());
    DryDisk dryDisk;
    RealDisk realDisk;
    const std::string pretended = Script(dryDisk, 'Y');
    EXPECT_EQ(pretended, Script(realDisk, 'R'));
    EXPECT_EQ(Snapshot(dry.native()), before);
    EXPECT_FALSE(real.Exists("outside\\x"));
    EXPECT_NE(pretended.find("new folder 0"), std::string::npos);  // the script did write
}

TEST_F(RunDiskTest, RemovalsAndRenamesAreSimulatedStepByStepAsRoot) {
    const auto before = Snapshot(dry.native());
    DryDisk dryDisk;
    RealDisk realDisk;
    EXPECT_EQ(ChangeScript(dryDisk, 'Y'), ChangeScript(realDisk, 'R'));
    EXPECT_EQ(Snapshot(dry.native()), before);
    EXPECT_TRUE(real.Exists("outside\\.keep"));  // the link went, its target stayed
}

// As an ordinary user: a locked folder refuses until its bits change.
TEST_F(RunDiskTest, RemovalsAndRenamesAreSimulatedStepByStepAsAnOrdinaryUser) {
    const auto before = Snapshot(dry.native());
    const int code = testsupport::RunAsNobody([&] {
        DryDisk dryDisk;
        RealDisk realDisk;
        const std::string pretended = ChangeScript(dryDisk, 'Y');
        const std::string done = ChangeScript(realDisk, 'R');
        if (pretended != done) {
            std::fprintf(stderr, "dry:\n%s\nreal:\n%s\n", pretended.c_str(), done.c_str());
            return 1;
        }
        return pretended.find("rm-in-locked 3") != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Snapshot(dry.native()), before);
}

TEST_F(RunDiskTest, TheDryDiskAnswersAsTheRealOneAsAnOrdinaryUser) {
    const auto before = Snapshot(dry.native());
    const int code = testsupport::RunAsNobody([&] {
        DryDisk dryDisk;
        RealDisk realDisk;
        const std::string pretended = Script(dryDisk, 'Y');
        const std::string done = Script(realDisk, 'R');
        if (pretended != done) {
            std::fprintf(stderr, "dry:\n%s\nreal:\n%s\n", pretended.c_str(), done.c_str());
            return 1;
        }
        // The refusals this user meets are in the script's answers.
        return pretended.find("locked\\x folder 3") != std::string::npos &&
                       pretended.find("secret.txt>secret.txt 3") != std::string::npos
                   ? 0
                   : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Snapshot(dry.native()), before);
}

// What a worker learnt of the real disk it does not ask again in the same
// run (the dry disk writes nothing there); another worker, or the next
// run, asks afresh, and what was pretended since wins over what was learnt.
TEST_F(RunDiskTest, AWorkerAsksTheRealDiskOnceInARun) {
    dry.WriteFile("S\\g.txt", "second");
    testsupport::GiveToNobody(dry.nativePath("S"));
    const int code = testsupport::RunAsNobody([&] {
        const auto P = [&](const std::string& rel) { return dry.path(rel); };
        const auto copy = [&](DryDisk& disk, const char* from, const std::string& to) {
            plat::Beneath source, dest;
            source.Open(P("S"));
            dest.Open(P("Dest"));
            return disk.CopyFile(source, P(std::string("S\\") + from), dest, P("Dest\\" + to), nullptr);
        };
        DryDisk disk;
        plat::Beneath dest, source;
        dest.Open(P("Dest"));
        source.Open(P("S"));
        plat::EntryInfo info;
        if (copy(disk, "f.txt", "a") != FsResult::Ok || disk.Look(source, P("S\\g.txt"), info) != FsResult::Ok)
            return 1;
        chmod(dry.nativePath("S\\f.txt").c_str(), 0);
        chmod(dry.nativePath("S\\g.txt").c_str(), 0);
        if (copy(disk, "f.txt", "b") != FsResult::Ok) return 2;      // read once on this worker
        if (copy(disk, "g.txt", "c") != FsResult::Failed) return 3;  // only looked at: opening is asked
        FsResult other = FsResult::Ok;
        std::thread([&] { other = copy(disk, "f.txt", "d"); }).join();
        if (other != FsResult::Failed) return 4;
        DryDisk next;
        if (copy(next, "f.txt", "e") != FsResult::Failed) return 5;
        // A pretended removal stands over the look that found the file.
        if (disk.Look(dest, P("Dest\\file.txt"), info) != FsResult::Ok ||
            disk.RemoveFile(dest, P("Dest\\file.txt")) != FsResult::Ok ||
            disk.Look(dest, P("Dest\\file.txt"), info) != FsResult::NotFound)
            return 6;
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(dry.Exists("Dest\\a"));
    EXPECT_TRUE(dry.Exists("Dest\\file.txt"));
}

// Workers making entries in one folder at once (the working folder of an
// overwriting simulation): each is found, listed, removed and renamed as
// on its own, also once the folder holds more than a few and when it moves.
TEST(DryDiskWorkers, EntriesMadeInOneFolderAtOnceAreEachFoundListedAndMoved) {
    testsupport::TempDrive d;
    d.WriteFile("S\\f.txt", "source");
    d.WriteFile("W\\real.txt", "there before");
    DryDisk disk;
    constexpr int kWorkers = 8, kEach = 150;
    const auto name = [](int w, int i) { return "c" + std::to_string(w) + "_" + std::to_string(i); };
    std::vector<std::thread> workers;
    std::atomic<int> failed{0};
    for (int w = 0; w < kWorkers; ++w)
        workers.emplace_back([&, w] {
            plat::Beneath source, root;
            source.Open(d.path("S"));
            root.Open(d.path(""));
            for (int i = 0; i < kEach; ++i) {
                const std::string to = d.path("W\\" + name(w, i));
                plat::EntryInfo info;
                if (disk.CopyFile(source, d.path("S\\f.txt"), root, to, nullptr) != FsResult::Ok ||
                    disk.Look(root, to, info) != FsResult::Ok ||
                    disk.CopyFile(source, d.path("S\\f.txt"), root, to, nullptr) != FsResult::AlreadyExists)
                    ++failed;
            }
        });
    for (std::thread& t : workers) t.join();
    EXPECT_EQ(failed.load(), 0);
    plat::Beneath root;
    ASSERT_EQ(root.Open(d.path("")), FsResult::Ok);
    const auto names = [&](const std::string& folder) {
        std::vector<plat::DirEntry> entries;
        std::set<std::string> listed;
        if (disk.ListKinds(root, d.path(folder), entries))
            for (const auto& e : entries) listed.insert(e.name);
        return listed;
    };
    std::set<std::string> expected{"real.txt"};
    for (int w = 0; w < kWorkers; ++w)
        for (int i = 0; i < kEach; ++i) expected.insert(name(w, i));
    EXPECT_EQ(names("W"), expected);
    EXPECT_EQ(disk.RemoveFile(root, d.path("W\\" + name(3, 7))), FsResult::Ok);
    EXPECT_EQ(disk.Rename(root, d.path("W\\" + name(4, 8)), d.path("W\\moved")), FsResult::Ok);
    expected.erase(name(3, 7));
    expected.erase(name(4, 8));
    expected.insert("moved");
    EXPECT_EQ(names("W"), expected);
    // The folder moves with all it holds; nothing stays behind.
    EXPECT_EQ(disk.Rename(root, d.path("W"), d.path("W2")), FsResult::Ok);
    EXPECT_EQ(names("W2"), expected);
    plat::EntryInfo info;
    EXPECT_EQ(disk.Look(root, d.path("W2\\" + name(7, kEach - 1)), info), FsResult::Ok);
    EXPECT_EQ(disk.Look(root, d.path("W\\" + name(7, kEach - 1)), info), FsResult::NotFound);
    plat::Beneath source;
    ASSERT_EQ(source.Open(d.path("S")), FsResult::Ok);
    EXPECT_EQ(disk.CopyFile(source, d.path("S\\f.txt"), root, d.path("W2\\late"), nullptr), FsResult::Ok);
    EXPECT_EQ(names("W2").count("late"), 1u);
    EXPECT_FALSE(d.Exists("W2"));
    EXPECT_FALSE(d.Exists("W\\moved"));
}
