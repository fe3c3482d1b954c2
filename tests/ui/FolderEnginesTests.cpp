// The delete-folders and rename-folders engines below their pages, on a
// temporary drive: links, other file systems, roots refused at run time,
// read-only folders, new names, collisions, undo, and the simulations
// against the runs.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

class RecordingSink : public FolderRunSink {
public:
    std::map<int, Lines> lines;
    std::vector<std::pair<int, std::string>> order;
    std::vector<double> counters;
    void Outcome(int category, std::string_view line, std::span<const double> values) override {
        lines[category].emplace_back(line);
        order.emplace_back(category, line);
        counters.assign(values.begin(), values.end());
    }
};

// Every path below the drive's root: "<dir>", "-> target" or the content,
// with the permission bits.
std::map<std::string, std::string> Tree(const std::string& native) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(native)) {
        std::string content = "<dir>";
        if (e.is_symlink()) {
            content = "-> " + fs::read_symlink(e.path()).string();
        } else if (e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        struct stat st {};
        lstat(e.path().c_str(), &st);
        tree[e.path().string().substr(native.size())] = content + " " + std::to_string(st.st_mode & 07777);
    }
    return tree;
}
std::map<std::string, std::string> Tree(const testsupport::TempDrive& drive) { return Tree(drive.native()); }

unsigned ModeOf(const std::string& native) {
    struct stat st {};
    return lstat(native.c_str(), &st) == 0 ? st.st_mode & 07777 : 01000000;
}

// ---- delete -----------------------------------------------------------------------------------

class DeleteFolders : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    Vol07Inputs in;
    Vol07Counters counters;
    RecordingSink sink;

    void SetUp() override {
        drive.MakeFolder("Prog\\WorkingDir");
        in.ProgramFolder = P("Prog");
        in.WorkingDir = P("Prog\\WorkingDir");
    }
    std::string P(const std::string& rel) const { return drive.path(rel); }
    void Link(const std::string& rel, const std::string& targetRel) const {
        fs::create_symlink(drive.nativePath(targetRel), drive.nativePath(rel));
    }
    Vol07RunEnd Run(RunDisk& disk) { return Vol07DeleteMainFolders(counters, in, disk, sink); }
    Vol07RunEnd Run() {
        RealDisk disk;
        return Run(disk);
    }
    Vol07RunEnd Simulate() {
        DryDisk disk;
        return Run(disk);
    }
    void Tree3(const std::string& main) {
        drive.WriteFile(main + "\\a.txt", "a");
        drive.WriteFile(main + "\\Sub1\\b.txt", "b");
        drive.WriteFile(main + "\\Sub1\\Deep\\c.txt", "c");
        drive.MakeFolder(main + "\\Sub2");
    }
};

TEST_F(DeleteFolders, EmptiesOrRemovesTheTreeDeepestFirst) {
    Tree3("Main");
    Tree3("Whole");
    Vol07CountFoldersToDelete(counters, {P("Main"), P("Main\\Sub1"), P("Whole")}, 3);
    EXPECT_EQ(counters.FoldersToDelete, 6);
    EXPECT_EQ(counters.FilesToDelete, 6);
    Vol07CountFoldersToDelete(counters, {P("Main")}, 4);
    EXPECT_EQ(counters.FoldersToDelete, 4);

    // Listed with one of its own subfolders, a main folder is walked once.
    in.IncludeFolders = {P("Main\\Sub1"), P("Main")};
    EXPECT_FALSE(Run().Refused);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Main")));
    EXPECT_EQ(sink.lines[Vol07CatFoldersDeleted], (Lines{P("Main\\Sub1\\Deep"), P("Main\\Sub2"), P("Main\\Sub1")}));
    EXPECT_EQ(sink.lines[Vol07CatFilesDeleted].size(), 3u);
    EXPECT_EQ(counters.FoldersDeleted, 3);
    EXPECT_EQ(counters.FilesDeleted, 3);
    EXPECT_EQ(sink.counters, (std::vector<double>{4, 3, 3, 0, 0, 3, 0, 0, 0}));

    in.IncludeFolders = {P("Whole"), P("Gone"), "Data\\Whole"};
    in.DeleteSubFolders = false;
    in.DeleteCompleteFolders = true;
    Run();
    EXPECT_FALSE(drive.Exists("Whole"));
    EXPECT_EQ(sink.lines[Vol07CatFoldersDeleted].back(), P("Whole"));
    EXPECT_EQ(sink.lines[Vol07CatMainFoldersNotExist], Lines{P("Gone")});
    EXPECT_EQ(sink.lines[Vol07CatFoldersOtherReasons], Lines{"Data\\Whole"});
    EXPECT_EQ(counters.FoldersDeleted, 7);
    EXPECT_EQ(counters.MainFoldersNotExist, 1);
}

// A link is an entry of its own wherever it points: at a folder that must
// survive, at a file, at its own folder, at itself.
TEST_F(DeleteFolders, LinksGoAsLinksAndWhatTheyPointAtStays) {
    drive.WriteFile("Keep\\precious.txt", "p");
    drive.WriteFile("Keep\\Sub\\x.txt", "x");
    drive.WriteFile("Main\\Sub\\f.txt", "f");
    Link("Main\\ToKeep", "Keep");
    Link("Main\\Sub\\ToKeepSub", "Keep\\Sub");
    Link("Main\\ToFile", "Keep\\precious.txt");
    Link("Main\\Sub\\Loop", "Main");
    fs::create_symlink("Self", drive.nativePath("Main\\Self"));
    in.IncludeFolders = {P("Main")};
    in.DeleteSubFolders = false;
    in.DeleteCompleteFolders = true;
    Run();
    EXPECT_FALSE(drive.Exists("Main"));
    EXPECT_EQ(drive.ReadFile("Keep\\precious.txt"), "p");
    EXPECT_EQ(drive.ReadFile("Keep\\Sub\\x.txt"), "x");
    EXPECT_EQ(counters.FilesDeleted, 6);
    EXPECT_EQ(counters.FoldersDeleted, 2);
}

// Hands the run's walk a folder that turns into a link after its parent
// was listed, as another program might.
class SwappingDisk final : public RunDisk {
public:
    std::string after;            // the folder whose listing triggers it
    std::function<void()> swap;
    RealDisk real;
    bool IsDry() const override { return false; }
    plat::FsResult Look(plat::Beneath& b, const std::string& p, plat::EntryInfo& i) override {
        return real.Look(b, p, i);
    }
    bool List(plat::Beneath& b, const std::string& f, std::vector<plat::DirEntry>& e, std::size_t* u) override {
        return real.List(b, f, e, u);
    }
    bool ListKinds(plat::Beneath& b, const std::string& f, std::vector<plat::DirEntry>& e) override {
        const bool ok = real.ListKinds(b, f, e);
        if (f == after && swap) std::exchange(swap, nullptr)();
        return ok;
    }
    plat::FsResult MakeFolder(plat::Beneath& b, const std::string& p, plat::FileIdentity* m) override {
        return real.MakeFolder(b, p, m);
    }
    plat::FsResult MakeFolderTree(plat::Beneath& b, const std::string& p, std::vector<plat::MadeFolder>& m) override {
        return real.MakeFolderTree(b, p, m);
    }
    plat::FsResult CopyFile(plat::Beneath& f, const std::string& s, plat::Beneath& t, const std::string& d,
                            plat::FileStamp* st) override {
        return real.CopyFile(f, s, t, d, st);
    }
    plat::FsResult CopyFileReplacing(plat::Beneath& f, const std::string& s, plat::Beneath& t, const std::string& d,
                                     plat::FileStamp* st) override {
        return real.CopyFileReplacing(f, s, t, d, st);
    }
    plat::FsResult RemoveFile(plat::Beneath& b, const std::string& p, const plat::FileStamp* e) override {
        return real.RemoveFile(b, p, e);
    }
    plat::FsResult RemoveFolder(plat::Beneath& b, const std::string& p, const plat::FileIdentity* e) override {
        return real.RemoveFolder(b, p, e);
    }
    plat::FsResult Rename(plat::Beneath& b, const std::string& f, const std::string& t) override {
        return real.Rename(b, f, t);
    }
    plat::FsResult SetMode(plat::Beneath& b, const std::string& p, std::uint32_t m, std::uint32_t* o) override {
        return real.SetMode(b, p, m, o);
    }
};

TEST_F(DeleteFolders, AFolderSwappedForALinkIsNeverWalked) {
    drive.WriteFile("Keep\\k.txt", "k");
    drive.WriteFile("Main\\Victim\\v.txt", "v");
    drive.WriteFile("Main\\Later\\l.txt", "l");
    in.IncludeFolders = {P("Main")};
    Vol07CountFoldersToDelete(counters, in.IncludeFolders, 3);
    EXPECT_EQ(counters.FilesToDelete, 2);

    // Between the pre-count and the run.
    fs::rename(drive.nativePath("Main\\Victim"), drive.nativePath("Moved"));
    Link("Main\\Victim", "Keep");
    // During the run: listed as a folder, a link when its turn comes.
    SwappingDisk disk;
    disk.after = P("Main");
    disk.swap = [&] {
        fs::rename(drive.nativePath("Main\\Later"), drive.nativePath("Moved2"));
        Link("Main\\Later", "Keep");
    };
    Run(disk);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Main")));
    EXPECT_EQ(drive.ReadFile("Keep\\k.txt"), "k");
    EXPECT_EQ(drive.ReadFile("Moved\\v.txt"), "v");
    EXPECT_EQ(drive.ReadFile("Moved2\\l.txt"), "l");
    EXPECT_EQ(sink.lines[Vol07CatFilesDeleted], (Lines{P("Main\\Victim"), P("Main\\Later")}));
    EXPECT_TRUE(sink.lines[Vol07CatFoldersOtherReasons].empty());
}

// A mount point below a main folder is not entered: a bind mount in a
// mount namespace of a child's own, where one can be made.
TEST_F(DeleteFolders, AnotherFileSystemIsNotEntered) {
    drive.WriteFile("outside\\target\\keep.txt", "precious");
    drive.MakeFolder("Main\\mnt");
    drive.WriteFile("Main\\m.txt", "m");
    in.IncludeFolders = {P("Main")};
    in.DeleteSubFolders = false;
    in.DeleteCompleteFolders = true;
    const pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(drive.nativePath("outside\\target").c_str(), drive.nativePath("Main\\mnt").c_str(), nullptr,
                  MS_BIND, nullptr) != 0)
            _exit(0);
        Run();
        const bool kept = drive.ReadFile("Main\\mnt\\keep.txt") == "precious";
        const bool counted = sink.lines[Vol07CatFoldersOtherReasons] == Lines({P("Main\\mnt"), P("Main")});
        _exit(kept && counted && !drive.Exists("Main\\m.txt") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(drive.ReadFile("outside\\target\\keep.txt"), "precious");
}

// Roots however written, and the program's own folders however reached,
// stop the run before anything of theirs is touched.
TEST_F(DeleteFolders, RootsAndTheProgramsFoldersStopTheRun) {
    drive.WriteFile("top.txt", "t");
    drive.WriteFile("A\\a.txt", "a");
    drive.WriteFile("Prog\\p.txt", "p");
    drive.WriteFile("Prog\\WorkingDir\\w.txt", "w");
    const auto before = Tree(drive);
    for (const std::string& root :
         {std::string("T:\\."), std::string("T:\\\\"), std::string("T:\\A\\.."), std::string("T:"), std::string("T:/"),
          std::string("  T:\\A\\..\\  "), std::string("T:\\A\\B\\..\\.."), std::string("C:\\proc"), P("Prog"),
          P("Prog\\WorkingDir"), P("A\\..\\Prog"), P("A\\..\\Prog\\WorkingDir\\.")}) {
        in.IncludeFolders = {root};
        in.DeleteSubFolders = false;
        in.DeleteCompleteFolders = true;
        const Vol07RunEnd end = Run();
        EXPECT_TRUE(end.Refused) << root;
        EXPECT_EQ(Tree(drive), before) << root;
    }
    EXPECT_TRUE(sink.order.empty());

    // The main folders before it are done; none after it is touched.
    drive.WriteFile("B\\C\\c.txt", "c");
    drive.WriteFile("E\\F\\G\\g.txt", "g");
    in.IncludeFolders = {P("E\\F\\G"), P("D\\..\\.."), P("A"), P("B\\C\\..")};
    const Vol07RunEnd end = Run();
    EXPECT_TRUE(end.Refused);
    EXPECT_EQ(end.RefusedFolder, P("D\\..\\.."));
    EXPECT_FALSE(drive.Exists("A"));
    EXPECT_TRUE(drive.Exists("B\\C\\c.txt"));
    EXPECT_TRUE(drive.Exists("E\\F\\G\\g.txt"));
    EXPECT_EQ(sink.lines[Vol07CatFoldersOtherReasons], Lines{P("B\\C\\..")});
}

TEST_F(DeleteFolders, TheProgramsFoldersAreNeverEnteredBelowAMainFolder) {
    drive.WriteFile("Main\\Work\\w.txt", "w");
    drive.WriteFile("Main\\x.txt", "x");
    in.WorkingDir = P("Main\\Work");
    in.IncludeFolders = {P("Main")};
    in.DeleteSubFolders = false;
    in.DeleteCompleteFolders = true;
    Run();
    EXPECT_EQ(drive.ReadFile("Main\\Work\\w.txt"), "w");
    EXPECT_FALSE(drive.Exists("Main\\x.txt"));
    EXPECT_EQ(sink.lines[Vol07CatFoldersOtherReasons], (Lines{P("Main\\Work"), P("Main")}));
}

// Removing a name needs no write access to the file: a read-only file goes
// with its mode untouched, and a hard link to it elsewhere keeps that mode;
// without the read-only option it stays.
TEST_F(DeleteFolders, AReadOnlyFileGoesWithoutItsModeChanged) {
    drive.WriteFile("Main\\ro.txt", "r");
    chmod(drive.nativePath("Main\\ro.txt").c_str(), 0444);
    drive.MakeFolder("Keep");
    fs::create_hard_link(drive.nativePath("Main\\ro.txt"), drive.nativePath("Keep\\hard.txt"));
    in.IncludeFolders = {P("Main")};
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Main"));
    const int code = testsupport::RunAsNobody([&] {
        in.ReadOnlyFolders = false;
        Run();
        if (!drive.Exists("Main\\ro.txt") || counters.FilesOtherReasons != 1) return 1;
        in.ReadOnlyFolders = true;
        Run();
        return !drive.Exists("Main\\ro.txt") && counters.FilesDeleted == 1 ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ModeOf(drive.nativePath("Keep\\hard.txt")), 0444u);
}

// A folder without its owner write bit can be emptied only with the
// read-only option, which gives that bit to the folders it must empty and
// gives their old mode back to those that stay. The simulation tells the
// same in advance.
TEST_F(DeleteFolders, ReadOnlyFoldersAreEmptiedOnlyOnRequestAndKeepTheirModes) {
    drive.WriteFile("Main\\g.txt", "g");
    drive.WriteFile("Main\\Sub\\f.txt", "f");
    drive.MakeFolder("Main\\Sub\\Empty");
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Main"));
    chmod(drive.nativePath("Main\\Sub").c_str(), 0555);
    chmod(drive.nativePath("Main").c_str(), 0555);
    in.IncludeFolders = {P("Main")};
    in.ReadOnlyFolders = false;
    const std::string main = drive.nativePath("Main");
    const auto before = Tree(main);
    const int code = testsupport::RunAsNobody([&] {
        RecordingSink simulated;
        Vol07Counters simulatedCounters;
        DryDisk dry;
        Vol07DeleteMainFolders(simulatedCounters, in, dry, simulated);
        if (Tree(main) != before) return 1;
        Run();
        if (simulated.order != sink.order || simulated.counters != sink.counters) return 2;
        if (Tree(main) != before || counters.FilesOtherReasons != 2 || counters.FoldersOtherReasons != 2) return 3;

        sink = {};
        simulated = {};
        counters = simulatedCounters = {};
        in.ReadOnlyFolders = true;
        DryDisk dryAgain;
        Vol07DeleteMainFolders(simulatedCounters, in, dryAgain, simulated);
        if (Tree(main) != before) return 4;
        Run();
        if (simulated.order != sink.order || simulated.counters != sink.counters) return 5;
        if (!fs::is_empty(drive.nativePath("Main")) || counters.FoldersDeleted != 2 || counters.FilesDeleted != 2)
            return 6;
        return ModeOf(drive.nativePath("Main")) == 0555 ? 0 : 7;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(DeleteFolders, SimulationGivesTheRunsLinesAndTouchesNothing) {
    Tree3("Main");
    drive.WriteFile("Keep\\k.txt", "k");
    Link("Main\\Sub1\\ToKeep", "Keep");
    drive.MakeFolder("Whole\\A\\B");
    in.IncludeFolders = {P("Main"), P("Missing"), "Rel\\Path", P("Other\\..\\Whole\\.\\A"), P("Whole")};
    const auto before = Tree(drive);
    EXPECT_FALSE(Simulate().Refused);
    EXPECT_EQ(Tree(drive), before);
    const RecordingSink simulated = sink;
    const Vol07Counters simulatedCounters = counters;
    sink = {};
    counters = {};
    Run();
    EXPECT_EQ(sink.order, simulated.order);
    EXPECT_EQ(sink.counters, simulated.counters);
    EXPECT_EQ(counters.Values(), simulatedCounters.Values());
    EXPECT_EQ(counters.FoldersDeleted, 5);
}

// ---- rename -----------------------------------------------------------------------------------------

class RenameFolders : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    Vol06Inputs in;
    Vol06Counters counters;
    Vol06UndoRecords records;
    RecordingSink sink;

    std::string P(const std::string& rel) const { return drive.path(rel); }
    void Run() {
        RealDisk disk;
        Vol06UndoRecorder recorder(records);
        Vol06RenameFolders(counters, in, disk, recorder, sink);
    }
    void Simulate() {
        DryDisk disk;
        Vol06NoRecorder recorder;
        Vol06RenameFolders(counters, in, disk, recorder, sink);
    }
    Vol06UndoReport Undo() { return Vol06UndoRenames(records, counters, sink); }
    // The simulation's lines and counters, then the run's on the same disk.
    void SimulateThenRun() {
        sink = {};
        counters = {};
        const auto before = Tree(drive);
        const std::size_t kept = records.RenamedPairs.size();
        Simulate();
        EXPECT_EQ(Tree(drive), before);
        EXPECT_EQ(records.RenamedPairs.size(), kept);
        const RecordingSink simulated = sink;
        sink = {};
        counters = {};
        Run();
        EXPECT_EQ(sink.order, simulated.order);
        EXPECT_EQ(sink.counters, simulated.counters);
    }
    std::string Join(const _tagVol0XParts& p) const { return p.Part[0] + p.Part[1] + p.Part[2] + p.Part[3]; }
};

TEST_F(RenameFolders, NewNamesChangeTheLastNameOnly) {
    in.NewPrefix = " P ";
    in.NewSuffix = "S";
    EXPECT_EQ(Join(Vol06BuildPrefixSuffixName(in, "C:\\Data\\Proj")), "C:\\Data\\PProjS");
    in.DelimiterPrefixSubFolder = "-";
    in.DelimiterSubFolderSuffix = "_";
    EXPECT_EQ(Join(Vol06BuildPrefixSuffixName(in, "C:\\Data\\Proj")), "C:\\Data\\P-Proj_S");
    EXPECT_EQ(Join(Vol06BuildPrefixSuffixName(in, "C:\\Proj.old")), "C:\\P-Proj.old_S");
    in.NewPrefix = in.NewSuffix = in.DelimiterSubFolderSuffix = "";
    EXPECT_EQ(Join(Vol06BuildPrefixSuffixName(in, "C:\\Data\\Proj")), "C:\\Data\\-Proj");
    EXPECT_EQ(Join(Vol06BuildLastSubFolderName("C:\\Data\\Proj.old", " New ")), "C:\\Data\\ New ");
}

// A dot in the last name is part of that name: the folder itself is renamed.
TEST_F(RenameFolders, ADottedFolderIsRenamedInPlace) {
    drive.MakeFolder("Data\\Proj.old\\inside");
    drive.MakeFolder("Data\\Proj.v2");
    in.IncludeFolders = {P("Data\\Proj.old")};
    in.NewPrefix = "X_";
    Run();
    EXPECT_TRUE(drive.Exists("Data\\X_Proj.old\\inside"));
    EXPECT_EQ(sink.lines[Vol06CatFoldersRenamed], Lines{P("Data\\X_Proj.old")});
    in.IncludeFolders = {P("Data\\Proj.v2")};
    in.AddPrefixesSuffixes = false;
    in.RenameNewLastSubFolder = "New";
    Run();
    EXPECT_TRUE(drive.Exists("Data\\New"));
    EXPECT_FALSE(drive.Exists("Data\\Proj.v2"));
    EXPECT_TRUE(drive.Exists("Data\\X_Proj.old"));
}

// Items are normalised before the new path is built, in the simulation as
// in the run; the run takes the deepest level first, the last entered first.
TEST_F(RenameFolders, NestedAndUntidyItemsAndTheirReversal) {
    drive.MakeFolder("A\\B\\C");
    drive.WriteFile("A\\B\\C\\f.txt", "f");
    in.IncludeFolders = {P("A"), "  T:/A//B/C  ", P("A\\B")};
    in.NewPrefix = "X_";
    SimulateThenRun();
    EXPECT_EQ(drive.ReadFile("X_A\\X_B\\X_C\\f.txt"), "f");
    EXPECT_EQ(sink.lines[Vol06CatFoldersRenamed], (Lines{P("A\\B\\X_C"), P("A\\X_B"), P("X_A")}));
    ASSERT_EQ(records.RenamedPairs.size(), 3u);
    EXPECT_EQ(records.RenamedPairs.front().OldPath, P("A\\B\\C"));

    const Vol06UndoReport report = Undo();
    EXPECT_EQ(Vol06UndoReportText(report), "");
    EXPECT_EQ(drive.ReadFile("A\\B\\C\\f.txt"), "f");
    EXPECT_TRUE(records.RenamedPairs.empty());
    EXPECT_TRUE(records.FailedUndoPairs.empty());
    EXPECT_EQ(counters.FoldersRenamed, 0);
}

// The simulation catches collisions between the run's own new names as the
// run meets them, and leaves the last run's undo records alone.
TEST_F(RenameFolders, CollisionsBetweenTheRunsOwnNewNames) {
    drive.MakeFolder("X\\a");
    drive.MakeFolder("X\\b");
    drive.MakeFolder("Y\\a");
    drive.MakeFolder("Z\\z");
    in.IncludeFolders = {P("Z\\z")};
    in.NewPrefix = "old_";
    Run();
    ASSERT_EQ(records.RenamedPairs.size(), 1u);

    in.IncludeFolders = {P("X\\a"), P("Y\\a"), P("X\\b"), P("X\\b")};
    in.AddPrefixesSuffixes = false;
    in.RenameNewLastSubFolder = "Same";
    sink = {};
    counters = {};
    records.RenamedPairs.push_back(records.RenamedPairs.front());  // what a simulation must not touch
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatFoldersRenamed], (Lines{P("X\\Same"), P("Y\\Same")}));
    EXPECT_EQ(sink.lines[Vol06CatSourceNotExists], Lines{P("X\\b")});
    EXPECT_EQ(sink.lines[Vol06CatDestinationExists], Lines{P("X\\a")});
    EXPECT_TRUE(drive.Exists("X\\a"));
}

TEST_F(RenameFolders, NothingIsReplacedFollowedOrLeftTheFolder) {
    drive.MakeFolder("Data\\Proj");
    drive.WriteFile("Data\\X_Proj", "a file in the way");
    drive.MakeFolder("Real\\Sub");
    fs::create_symlink(drive.nativePath("Real"), drive.nativePath("L"));
    drive.MakeFolder("Long\\" + std::string(250, 'n'));
    in.IncludeFolders = {P("Data\\Proj"), P("L"), P("L\\Sub"), "Rel\\Proj", P("Data\\..\\Data\\Proj"),
                         P(std::string("Long\\") + std::string(250, 'n'))};
    in.NewPrefix = "X_";
    SimulateThenRun();
    EXPECT_EQ(drive.ReadFile("Data\\X_Proj"), "a file in the way");
    EXPECT_TRUE(drive.Exists("Data\\Proj"));
    EXPECT_TRUE(drive.Exists("Real\\Sub"));
    EXPECT_EQ(sink.lines[Vol06CatDestinationExists], Lines{P("Data\\Proj")});
    EXPECT_EQ(sink.lines[Vol06CatSourceNotExists], (Lines{P("L\\Sub"), P("L")}));
    EXPECT_EQ(sink.lines[Vol06CatOtherReasons],
              (Lines{P("Data\\..\\Data\\Proj"), P("Long\\X_" + std::string(250, 'n')), "Rel\\Proj"}));

    // No new name at all, or none that differs: the folder stays.
    in.IncludeFolders = {P("Data\\Proj")};
    in.NewPrefix = "";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatDestinationExists], Lines{P("Data\\Proj")});
    in.AddPrefixesSuffixes = false;
    in.RenameNewLastSubFolder = "";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatDestinationExists], Lines{P("Data\\Proj")});
    in.RenameNewLastSubFolder = "..";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatOtherReasons], Lines{P("Data\\..")});
    EXPECT_TRUE(drive.Exists("Data\\Proj"));
}

// Undo moves back only the very folder the run renamed, onto a free name.
TEST_F(RenameFolders, UndoMovesBackOnlyTheSameFolder) {
    for (const char* f : {"One", "Two", "Three", "Four"}) drive.MakeFolder(f);
    in.IncludeFolders = {P("One"), P("Two"), P("Three"), P("Four")};
    in.NewSuffix = "_x";
    Run();
    fs::rename(drive.nativePath("One_x"), drive.nativePath("Elsewhere"));
    drive.MakeFolder("One_x");                            // another folder in its place
    drive.MakeFolder("Two");                              // something at the old path
    fs::remove(drive.nativePath("Three_x"));              // gone
    const Vol06UndoReport report = Undo();
    EXPECT_TRUE(drive.Exists("Four"));
    EXPECT_TRUE(drive.Exists("One_x"));
    EXPECT_TRUE(drive.Exists("Two_x"));
    EXPECT_EQ(report.SourceExists, StringList{P("Two")});
    EXPECT_EQ(report.DestinationMissing, StringList{P("Three_x")});
    EXPECT_EQ(report.OtherReasons, StringList{P("One_x") + "  (changed since the run)"});
    EXPECT_TRUE(records.FailedUndoPairs.empty());
    EXPECT_EQ(Vol06UndoReportText(report).rfind("The program is unable to rename the following folders  : \n", 0), 0u);
}

// A parent that cannot go back keeps its children's records with its own,
// and the next Undo moves all of them back.
TEST_F(RenameFolders, AChildWaitsForItsParentsMoveBack) {
    drive.MakeFolder("G\\A\\B");
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("G"));
    in.IncludeFolders = {P("G\\A"), P("G\\A\\B")};
    in.NewPrefix = "X_";
    const int code = testsupport::RunAsNobody([&] {
        Run();
        if (!drive.Exists("G\\X_A\\X_B")) return 1;
        chmod(drive.nativePath("G").c_str(), 0555);
        const Vol06UndoReport first = Undo();
        if (first.OtherReasons != StringList{P("G\\A"), P("G\\A\\B")} || records.FailedUndoPairs.size() != 2) return 2;
        if (sink.lines[Vol06CatFoldersFailedUndo] != Lines{P("G\\A\\B"), P("G\\A")}) return 3;
        chmod(drive.nativePath("G").c_str(), 0755);
        const Vol06UndoReport second = Undo();
        if (!Vol06UndoReportText(second).empty() || !records.FailedUndoPairs.empty()) return 4;
        return drive.Exists("G\\A\\B") ? 0 : 5;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
