// Page 02 below its windows: names, outcomes, attaching, disk space, undo
// and the simulation, on a temporary drive.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "pages/RunItems.h"
#include "pages/creation/Vol02Internal.h"
#include "tests/support/CreationEngineFixture.h"
#include "tests/support/Privileges.h"

namespace fs = std::filesystem;
using creationtest::Lines;
using creationtest::Paths;
using creationtest::RecordingLog;
using creationtest::Tree;

using Vol02Engine = creationtest::EngineFixture<creationtest::Page02>;

TEST_F(Vol02Engine, NamesJoinDestinationPrefixItemAndSuffix) {
    in.Prefix = "P";
    in.Suffix = "S";
    in.Hyphen = true;
    auto parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "a" + parts.Part[2] + parts.Part[3], D("P-a-S"));
    in.Hyphen = false;
    parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "a" + parts.Part[2] + parts.Part[3], D("PaS"));
    in.Prefix = "  ";
    in.Suffix = "";
    in.Hyphen = true;
    in.DestFolder = " " + drive.path("Dest\\") + " ";
    parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "a" + parts.Part[2] + parts.Part[3], D("  a"));

    in.IncludeStrings = {"a", "b\\c", "d/e"};
    Run();
    // A folder made on the way to a main folder is listed with them.
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("  a"), D("  b"), D("  b\\c"), D("  d"), D("  d\\e")}));
    EXPECT_TRUE(drive.Exists("Dest\\  a"));
    EXPECT_EQ(Captions(), (Lines{"20048.", "20053."}));
    EXPECT_EQ(boxes.shown()[0].caption, "Creating Folder(s).-From  a String List.            Information no: 20048.");

    in.DestFolder = "";  // no drive: every item fails for other reasons
    Run();
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{"\\  a", "\\  b\\c", "\\  d\\e"}));
}

TEST_F(Vol02Engine, OneRunListsAndCountsEveryOutcome) {
    drive.MakeFolder("Dest\\old");
    drive.WriteFile("Dest\\file", "x");
    drive.WriteFile("Outside\\keep", "x");
    in.IncludeStrings = {"a", "b\\c", "old", "D:\\x", "..\\Outside", "x\\.\\y", "x/y", "file", "a\\"};
    Run();
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("a"), D("b"), D("b\\c"), D("x"), D("x\\y")}));
    EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{D("old"), D("a")}));
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{"D:\\x", D("..\\Outside"), D("x\\.\\y"), D("file")}));
    EXPECT_EQ(log.zoom, log.lines);
    const CreationCounters& c = log.shown;
    EXPECT_EQ(c.FoldersCreated, 5);
    EXPECT_EQ(c.FoldersExists, 2);
    EXPECT_EQ(c.FoldersOther, 4);
    EXPECT_EQ(c.SubFoldersOther, 0);  // Attach Nothing adds no structure totals
    EXPECT_EQ(log.runMode, 1);
    EXPECT_EQ(state.UndoMode, "N");
    EXPECT_EQ(Paths(state.LastCreatedFolders), (StringList{D("a"), D("b\\c"), D("x\\y")}));
    EXPECT_EQ(Paths(state.LastCreatedParents), (StringList{D("b"), D("x")}));
    EXPECT_EQ(state.LastDestination, drive.path("Dest\\"));
    EXPECT_EQ(drive.ReadFile("Dest\\file"), "x");
    EXPECT_FALSE(drive.Exists("Dest\\x\\y\\y"));

    // Undo removes the parents the run made too, and nothing that was there.
    Undo();
    EXPECT_FALSE(drive.Exists("Dest\\b"));
    EXPECT_FALSE(drive.Exists("Dest\\x"));
    EXPECT_FALSE(drive.Exists("Dest\\a"));
    EXPECT_TRUE(drive.Exists("Dest\\old"));
    EXPECT_TRUE(drive.Exists("Outside\\keep"));
    EXPECT_EQ(Captions().back(), "20058.");
}

TEST_F(Vol02Engine, ExistingStructuresAreRebuiltWithOrWithoutFiles) {
    drive.WriteFile("S\\a\\b\\f.txt", "hello");
    drive.WriteFile("S\\top.txt", "top");
    drive.MakeFolder("Outside");
    fs::create_directory_symlink(drive.nativePath("Outside"), drive.nativePath("S\\link"));
    ASSERT_EQ(mkfifo(drive.nativePath("S\\pipe").c_str(), 0600), 0);
    in.IncludeStrings = {"x"};

    UseStructures({drive.path("S")}, true, true);
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated], (Lines{D("x\\S"), D("x\\S\\a"), D("x\\S\\a\\b")}));
    EXPECT_EQ(log.lines[CreationFilesCreated], (Lines{D("x\\S\\top.txt"), D("x\\S\\a\\b\\f.txt")}));
    EXPECT_EQ(drive.ReadFile("Dest\\x\\S\\a\\b\\f.txt"), "hello");
    EXPECT_FALSE(drive.Exists("Dest\\x\\S\\link"));  // links and FIFOs are neither followed nor opened
    EXPECT_FALSE(drive.Exists("Dest\\x\\S\\pipe"));
    // but counted and named with their reasons.
    EXPECT_EQ(log.lines[CreationFoldersOther],
              (Lines{D("x\\S\\link") + " (a link, not followed)", D("x\\S\\pipe") + " (not a regular file)"}));
    EXPECT_EQ(log.shown.FilesSizeCreated, 8);
    EXPECT_EQ(log.shown.FilesToCreate, 4);
    EXPECT_EQ(log.shown.FilesOther, 2);
    EXPECT_EQ(state.UndoMode, "F");
    Undo();
    EXPECT_FALSE(drive.Exists("Dest\\x"));
    EXPECT_EQ(Captions().back(), "20058.");
    EXPECT_TRUE(drive.Exists("S\\a\\b\\f.txt"));

    UseStructures({drive.path("S")}, false, false);
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated], (Lines{D("x\\a"), D("x\\a\\b")}));
    EXPECT_TRUE(log.lines[CreationFilesCreated].empty());
    EXPECT_FALSE(drive.Exists("Dest\\x\\top.txt"));
}

TEST_F(Vol02Engine, ACollidingFileStaysAndFailuresCountAsOtherReasons) {
    drive.WriteFile("S1\\f.txt", "one");
    drive.WriteFile("S1\\k", "file");
    drive.WriteFile("S2\\f.txt", "two");
    drive.WriteFile("S2\\k\\in.txt", "in");
    in.IncludeStrings = {"x"};
    UseStructures({drive.path("S1"), drive.path("S2")}, false, true);
    Run();
    EXPECT_EQ(drive.ReadFile("Dest\\x\\f.txt"), "one");
    EXPECT_EQ(drive.ReadFile("Dest\\x\\k"), "file");
    EXPECT_EQ(log.shown.FilesCreated, 2);
    EXPECT_EQ(log.shown.FilesExists, 1);
    EXPECT_EQ(log.shown.FilesSizeExists, 3);
    EXPECT_EQ(log.shown.SubFoldersOther, 1);
    EXPECT_EQ(log.shown.FilesOther, 1);
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{D("x\\k"), D("x\\k\\in.txt")}));
}

TEST_F(Vol02Engine, StructuresHoldingTheDestinationOrARootAreRefused) {
    drive.WriteFile("Work\\Dest2\\keep", "x");
    in.DestFolder = drive.path("Work\\Dest2");
    in.IncludeStrings = {"a", "b"};
    UseStructures({drive.path("Work"), drive.path("."), drive.path("")}, true, false);
    Run();
    // Each structure as the run first meets it, then each again at the end, naming "b".
    EXPECT_EQ(Captions(),
              (Lines{"20048.", "20051.", "20051.", "20051.", "20051.", "20051.", "20051.", "20053."}));
    EXPECT_TRUE(log.lines[CreationSubFoldersCreated].empty());
    EXPECT_EQ(log.shown.FoldersCreated, 2);
}

TEST_F(Vol02Engine, TemplateLinesFollowTheFourModes) {
    in.AttachNothing = false;
    in.RelativePaths = true;
    in.FolderStructures = {"Docs\\Plans", "Docs", "Proj\\Proj-old", "a\\..\\..\\up"};
    in.IncludeStrings = {"Job"};
    // A folder on a line's way that no earlier line reached is made and listed before it.
    const std::vector<Lines> expected = {
        {D("Job\\Docs"), D("Job\\Docs\\Plans"), D("Job\\Docs"), D("Job\\Proj"), D("Job\\Proj\\Proj-old")},
        {D("Job\\Job"), D("Job\\Job\\Plans"), D("Job\\Job"), D("Job\\Proj"), D("Job\\Proj\\Proj-old")},
        {D("Job\\Plans"), D("Job\\Proj-old")},
        {D("Job\\Plans"), D("Job\\Job-old")},
    };
    for (int mode = 1; mode <= 4; ++mode) {
        _tagFoldersTemplateOptions o;
        o.ReplaceNo = mode == 1;
        o.ReplaceRemainder = mode == 2;
        o.SearchTerm = "docs";
        o.ReplaceFirst = mode == 3;
        o.ReplaceAll = mode == 4;
        SetFolderTemplateOptions(2, o);
        Vol02CheckDiskSpace(state, in, false);
        Run();
        SCOPED_TRACE(mode);
        EXPECT_EQ(log.lines[CreationSubFoldersCreated], expected[mode - 1]);
        Lines other = {"a\\..\\..\\up"};  // never leaves the main folder
        if (mode >= 3) other.insert(other.begin(), "Docs");
        EXPECT_EQ(log.lines[CreationFoldersOther], other);
        EXPECT_EQ(log.shown.SubFoldersOther, other.size());  // each the one folder it counted
        EXPECT_EQ(log.shown.SubFoldersToCreate, log.shown.SubFoldersCreated + log.shown.SubFoldersOther);
        EXPECT_FALSE(drive.Exists("up"));
        EXPECT_EQ(state.UndoMode, "R");
        Undo();
        EXPECT_FALSE(drive.Exists("Dest\\Job"));
        EXPECT_TRUE(drive.Exists("Dest"));
    }
}

TEST_F(Vol02Engine, EveryEarlyStopKeepsTheLastRunsUndoData) {
    in.IncludeStrings = {"keep"};
    Run();
    const StringList created = Paths(state.LastCreatedFolders);
    const Lines logged = log.lines[CreationFoldersCreated];
    auto unchanged = [&] {
        EXPECT_EQ(Paths(state.LastCreatedFolders), created);
        EXPECT_EQ(state.UndoMode, "N");
        EXPECT_EQ(log.lines[CreationFoldersCreated], logged);
    };
    boxes.Clear();

    in.IncludeStrings.clear();  // with files and nothing to create: a silent stop
    drive.WriteFile("S\\f", "1");
    UseStructures({drive.path("S")}, true, true);
    Vol02RunCreateFolders(state, in, log, hooks);
    Vol02SimulateCreateFolders(state, in, log, hooks, kStart, kEnd);
    EXPECT_TRUE(boxes.shown().empty());
    unchanged();

    in.IncludeStrings = {"k2"};
    in.FolderStructures.clear();
    Vol02RunCreateFolders(state, in, log, hooks);
    Vol02SimulateCreateFolders(state, in, log, hooks, kStart, kEnd);
    EXPECT_EQ(Captions(), (Lines{"20047.", "20071."}));
    EXPECT_EQ(focusStructure, 2);
    unchanged();

    boxes.Clear();
    UseStructures({drive.path("S")}, true, true);
    boxes.Queue(plat::IDNO);
    Vol02RunCreateFolders(state, in, log, hooks);
    boxes.Queue(plat::IDNO);
    Vol02SimulateCreateFolders(state, in, log, hooks, kStart, kEnd);
    EXPECT_EQ(Captions(), (Lines{"20048.", "20072."}));
    EXPECT_EQ(boxes.shown()[1].text, kStart);
    unchanged();

    boxes.Clear();  // a file far larger than the disk
    std::ofstream(drive.nativePath("S\\f"), std::ios::binary | std::ios::trunc).close();
    fs::resize_file(drive.nativePath("S\\f"), std::uintmax_t{1} << 43);
    UseStructures({drive.path("S")}, true, true);
    Vol02RunCreateFolders(state, in, log, hooks);
    EXPECT_EQ(Captions(), (Lines{"20059.", "20059."}));
    unchanged();
    EXPECT_FALSE(drive.Exists("Dest\\k2"));

    Undo();
    EXPECT_FALSE(drive.Exists("Dest\\keep"));
}

TEST_F(Vol02Engine, DiskSpaceMustExceedTheBytesToCopy) {
    drive.WriteFile("S\\f1", std::string(500, 'a'));
    drive.WriteFile("S\\d1\\f2", std::string(300, 'b'));
    drive.WriteFile("S\\d2\\f3", std::string(200, 'c'));
    in.IncludeStrings = {"a", "b"};
    UseStructures({drive.path("S")}, true, true);
    const CreationCounters& c = state.Counters;
    EXPECT_EQ(c.FoldersToCreate, 2);
    EXPECT_EQ(c.SubFoldersToCreate, 6);  // the root counted
    EXPECT_EQ(c.FilesToCreate, 6);
    EXPECT_EQ(c.FilesSizeToCreate, 2000);
    UseStructures({drive.path("S")}, false, true);
    EXPECT_EQ(c.SubFoldersToCreate, 4);

    ResetCreationCounters(state);
    EXPECT_TRUE(Vol02WeighDiskSpace(state, in, 2001, "T:\\"));
    EXPECT_FALSE(Vol02WeighDiskSpace(state, in, 2000, "T:\\"));
    EXPECT_EQ(boxes.shown().back().text,
              "There is not enough space on the disk.\nThe free space on the disk T:\\ is : 1.95 KB    2000 bytes\n"
              "The program requires : 1.95 KB    2000 bytes.");
    EXPECT_EQ(boxes.shown().back().caption, "Creating Folder(s).-From a String List.            Information no: 20059.");
    state.StructureBytes = 1073741824;
    EXPECT_FALSE(Vol02WeighDiskSpace(state, in, 5, "T:\\"));
    EXPECT_NE(boxes.shown().back().text.find("2.00 GB    2.14748e+09 bytes."), std::string::npos);

    in.FullPaths = false;  // template lines: no drive asked
    in.RelativePaths = true;
    in.IncludeStrings = {"a", "b", "c"};
    in.FolderStructures = {"1", "2", "3", "4"};
    EXPECT_TRUE(Vol02CheckDiskSpace(state, in, true));
    EXPECT_EQ(c.FoldersToCreate, 3);
    EXPECT_EQ(c.SubFoldersToCreate, 12);
}

TEST_F(Vol02Engine, UndoKeepsWhatItCannotRemoveAndRetriesIt) {
    in.IncludeStrings = {"x\\y"};
    Run();
    drive.WriteFile("Dest\\x\\y\\user.txt", "mine");
    boxes.Clear();
    Undo();
    EXPECT_EQ(Captions(), (Lines{"20056.", "20057.", "20058."}));
    EXPECT_EQ(Paths(state.FailedUndoFolders), (StringList{D("x\\y"), D("x")}));
    EXPECT_EQ(log.lines[CreationFoldersFailedUndo], (Lines{D("x\\y"), D("x")}));
    EXPECT_TRUE(log.lines[CreationFoldersCreated].empty());
    EXPECT_EQ(log.zoom[CreationFoldersCreated], (Lines{D("x"), D("x\\y")}));
    EXPECT_EQ(state.Counters.FoldersFailedUndo, 2);  // no label shows it

    Undo();  // still held: the same two again
    EXPECT_EQ(Paths(state.FailedUndoFolders), (StringList{D("x\\y"), D("x")}));
    fs::remove(drive.nativePath("Dest\\x\\y\\user.txt"));
    boxes.Clear();
    Undo();
    EXPECT_EQ(Captions(), (Lines{"20056.", "20058."}));
    EXPECT_FALSE(drive.Exists("Dest\\x"));
    boxes.Clear();
    Vol02UndoLastRun(state, log);
    EXPECT_EQ(Captions(), (Lines{"20055."}));
    in.IncludeStrings = {"z"};
    Run();
    boxes.Queue(plat::IDNO);  // No changes nothing
    Vol02UndoLastRun(state, log);
    EXPECT_TRUE(drive.Exists("Dest\\z"));
}

TEST_F(Vol02Engine, SimulationShowsWhatTheRunDoesAndTouchesNothing) {
    WriteCollidingStructures();
    drive.MakeFolder("Dest\\old");
    in.IncludeStrings = {"a", "a\\sub", "old", "C:\\x", "n\\m", "a\\..\\..\\up"};
    in.ViewDestFolder = false;

    for (bool mainFolder : {false, true}) {
        SCOPED_TRACE(mainFolder);
        UseStructures({drive.path("S1"), drive.path("S2")}, mainFolder, true);
        const StringList items = in.IncludeStrings;
        in.IncludeStrings = {"earlier" + std::to_string(mainFolder)};
        Run();  // the simulation must leave this run's undo data alone
        in.IncludeStrings = items;
        const auto undoBefore = Paths(state.LastCreatedSubFolders);
        const auto filesBefore = state.LastCreatedFiles.size();
        const auto treeBefore = Tree(drive);

        Simulate();
        EXPECT_EQ(log.runMode, 0);
        EXPECT_EQ(Tree(drive), treeBefore);
        EXPECT_EQ(Paths(state.LastCreatedSubFolders), undoBefore);
        EXPECT_EQ(state.LastCreatedFiles.size(), filesBefore);
        EXPECT_EQ(boxes.shown().back().text, kEnd);
        const auto simulated = log.lines;
        const auto simCounters = log.shown.Values();

        Run();
        EXPECT_EQ(log.lines, simulated);
        EXPECT_EQ(log.shown.Values(), simCounters);
        if (!mainFolder) {  // a\sub came with the structure of a; k collides
            // Each file one structure put where the other brings one stays, named.
            EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{D("a\\f.txt"), D("a\\sub"), D("old"), D("n\\m\\f.txt")}));
            EXPECT_EQ(log.shown.SubFoldersOther, 2 * 3 + 2);  // two items' totals, k under a and n\m
        }
        Undo();
    }
}

// ---- links, copies and other users: nothing leaves the destination ---------------

// A created folder replaced before the Undo, by a link to the structure or
// to a backup copy of itself made with its times: nothing of either goes.
TEST_F(Vol02Engine, UndoLeavesWhatWasSwappedInForACreatedFolder) {
    drive.WriteFile("S\\f.txt", "structure");
    drive.WriteFile("S\\sub\\g.txt", "deep");
    for (const bool toBackup : {false, true}) {
        SCOPED_TRACE(toBackup);
        UseStructures({drive.path("S")}, true, true);
        in.IncludeStrings = {"a"};
        Run();
        ASSERT_TRUE(drive.Exists("Dest\\a\\S\\sub\\g.txt"));
        const std::string created = drive.nativePath("Dest\\a");
        std::string target = drive.nativePath("S");
        if (toBackup) {
            target = drive.nativePath("backup");
            fs::copy(created, target, fs::copy_options::recursive);
            for (const auto& e : fs::recursive_directory_iterator(created))
                fs::last_write_time(target + "/" + fs::relative(e.path(), created).string(), fs::last_write_time(e));
        }
        fs::rename(created, drive.nativePath("moved-away"));
        fs::create_directory_symlink(target, created);
        Undo();
        const std::string kept = toBackup ? "backup" : "S";
        EXPECT_EQ(drive.ReadFile(kept + (toBackup ? "\\S\\f.txt" : "\\f.txt")), "structure");
        EXPECT_EQ(drive.ReadFile(kept + (toBackup ? "\\S\\sub\\g.txt" : "\\sub\\g.txt")), "deep");
        EXPECT_TRUE(fs::is_symlink(created));
        EXPECT_NE(boxes.shown()[boxes.shown().size() - 2].text.find(D("a") + "  (changed since the run)"),
                  std::string::npos);
        // The moved original is the run's: put back, a retry takes it.
        fs::remove(created);
        fs::rename(drive.nativePath("moved-away"), created);
        Undo();
        EXPECT_FALSE(drive.Exists("Dest\\a"));
        fs::remove_all(drive.nativePath("backup"));
    }
}

// A link inside the destination, met by an item's path or swapped in for a
// folder between two items of one run: the run and its simulation both
// count the item under other reasons, and nothing appears at the target.
TEST_F(Vol02Engine, ALinkInTheDestinationIsNeverPassedThrough) {
    drive.MakeFolder("outside\\target");
    drive.WriteFile("S\\f.txt", "structure");
    fs::create_directory_symlink(drive.nativePath("outside\\target"), drive.nativePath("Dest\\L"));
    UseStructures({drive.path("S")}, true, true);
    in.IncludeStrings = {"L\\new", "L\\deep\\er", "P\\one", "P\\two"};
    Simulate();
    const auto simulated = log.lines[CreationFoldersOther];
    std::function<void()> swap = [&] {
        fs::remove_all(drive.nativePath("Dest\\P"));
        fs::create_directory_symlink(drive.nativePath("outside\\target"), drive.nativePath("Dest\\P"));
    };
    struct SwappingLog : RecordingLog {
        std::function<void()>* swap = nullptr;
        void AddLine(int c, const std::string& line) override {
            RecordingLog::AddLine(c, line);
            if (c == CreationFilesCreated && line.find("\\P\\one\\") != std::string::npos && *swap) {
                (*swap)();
                *swap = nullptr;
            }
        }
    } swapping;
    swapping.swap = &swap;
    boxes.Queue(plat::IDYES);
    ForceRunWorkers one(1);  // the swap falls between two items
    Vol02RunCreateFolders(state, in, swapping, hooks);
    // The link is in the way of the folders the items would make on their way too.
    EXPECT_EQ(simulated, (Lines{D("L"), D("L\\new"), D("L\\deep"), D("L\\deep\\er")}));
    EXPECT_EQ(swapping.lines[CreationFoldersOther],
              (Lines{D("L"), D("L\\new"), D("L\\deep"), D("L\\deep\\er"), D("P\\two")}));
    EXPECT_TRUE(fs::is_empty(drive.nativePath("outside\\target")));
}

// The structure holds the destination under another name (a link above
// it): it is refused, not attached into itself.
TEST_F(Vol02Engine, AStructureHoldingTheDestinationThroughALinkIsRefused) {
    drive.MakeFolder("P\\Dest");
    drive.WriteFile("P\\f.txt", "p");
    fs::create_directory_symlink(drive.nativePath("P"), drive.nativePath("PL"));
    in.DestFolder = drive.path("PL\\Dest");
    UseStructures({drive.path("P")}, true, true);
    in.IncludeStrings = {"x"};
    Run();
    EXPECT_EQ(Captions(), (Lines{"20048.", "20051.", "20053."}));
    EXPECT_FALSE(drive.Exists("P\\Dest\\x\\P"));
    EXPECT_EQ(log.shown.FilesCreated, 0);
}

// Copies made as root do not keep another user's set-user-ID file.
TEST_F(Vol02Engine, CopiesNeverKeepSetUserOrGroupBits) {
    drive.WriteFile("S\\tool", "#!/bin/sh\n");
    const std::string tool = drive.nativePath("S\\tool");
    if (geteuid() == 0) {
        ASSERT_EQ(chown(tool.c_str(), testsupport::kNobody, testsupport::kNobody), 0);
    }
    ASSERT_EQ(chmod(tool.c_str(), 06755), 0);
    UseStructures({drive.path("S")}, true, true);
    in.IncludeStrings = {"a"};
    Run();
    struct stat st {};
    ASSERT_EQ(stat(drive.nativePath("Dest\\a\\S\\tool").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);
}

// As an ordinary user the disk refuses a name too long for it, a folder
// the user cannot write to and a file the user cannot read: the
// simulation says what the run then does, line for line.
TEST_F(Vol02Engine, SimulationMatchesTheRunWhereTheDiskRefuses) {
    drive.WriteFile("S\\f.txt", "readable");
    drive.WriteFile("S\\secret.txt", "not for you");
    drive.MakeFolder("Dest\\ro");
    chmod(drive.nativePath("S\\secret.txt").c_str(), 0);
    chmod(drive.nativePath("Dest\\ro").c_str(), 0555);
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Dest"));
    UseStructures({drive.path("S")}, true, true);
    in.IncludeStrings = {std::string(256, 'n'), "ro\\x", "fine"};
    const int code = testsupport::RunAsNobody([&] {
        Simulate();
        const auto simulated = log.lines;
        const auto counters = log.shown.Values();
        Run();
        if (log.lines != simulated || log.shown.Values() != counters) return 1;
        if (log.lines[CreationFoldersOther] != Lines{D(std::string(256, 'n')), D("ro\\x"), D("fine\\S\\secret.txt")})
            return 2;
        return log.lines[CreationFilesCreated] == Lines{D("fine\\S\\f.txt")} ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
}

// A refusal box that fails (its window gone) comes after the records of the
// item it came in: the folders made after it are kept too, and the Undo
// removes everything the run made.
TEST_F(Vol02Engine, ABoxThatFailsMidItemLosesNoUndoRecord) {
    in.IncludeStrings = {"Job"};
    UseTemplates({"A", "bad*", "B"});
    const auto before = Tree(drive);
    const plat::MessageBoxHandler script =
        plat::SetMessageBoxHandler([](const std::string&, const std::string& caption, unsigned flags) {
            if (caption.find("20052") != std::string::npos) throw std::runtime_error("no window");
            return (flags & plat::MB_BUTTONMASK) == plat::MB_YESNO ? int(plat::IDYES) : int(plat::IDOK);
        });
    Vol02RunCreateFolders(state, in, log, hooks);
    plat::SetMessageBoxHandler(script);
    EXPECT_TRUE(drive.Exists("Dest\\Job\\B"));
    EXPECT_EQ(Paths(state.LastCreatedSubFolders), (StringList{D("Job\\A"), D("Job\\B")}));
    Undo();
    EXPECT_EQ(Tree(drive), before);
}
