// Page 04 below its windows: the new path beside each Include path, the
// run's outcomes, attaching, disk space by drive, undo and the simulation,
// on a temporary drive.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/support/CreationEngineFixture.h"
#include "tests/support/Privileges.h"

namespace fs = std::filesystem;
using creationtest::Lines;
using creationtest::Paths;
using creationtest::Tree;

namespace {

// Page 04 has no destination: every Include path names its own parent, most of them in "Work".
class Vol04Engine : public creationtest::EngineFixture<creationtest::Page04> {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        drive.MakeFolder("Work");
    }

    std::string W(const std::string& rel) const { return drive.path("Work\\" + rel); }
    std::string NewPath(const std::string& item) const { return Vol04NewPath(Vol04GetNameParts(in, item)); }
    void UseTemplates(StringList lines) {
        EngineFixture::UseTemplates(std::move(lines));
        Vol04CheckDiskSpace(state, in, false);
    }
};

}  // namespace

TEST_F(Vol04Engine, TheNewFolderIsBuiltFromParentPrefixLastNameAndSuffix) {
    in.Prefix = "P";
    in.Suffix = "S";
    in.Hyphen = true;
    EXPECT_EQ(NewPath("C:\\Work\\Alpha"), "C:\\Work\\P-Alpha-S");
    const auto parts = Vol04GetNameParts(in, "C:\\Work\\Alpha");
    EXPECT_EQ(parts.Part[0], "C:\\Work\\P-");
    EXPECT_EQ(parts.Part[1], "Alpha");
    EXPECT_EQ(parts.Part[2], "-");
    EXPECT_EQ(parts.Part[3], "S");
    EXPECT_EQ(parts.Part[4], "");
    in.Hyphen = false;
    EXPECT_EQ(NewPath("C:\\Work\\Alpha"), "C:\\Work\\PAlphaS");
    in.Prefix = in.Suffix = "";
    EXPECT_EQ(NewPath("C:\\Work\\Alpha"), "C:\\Work\\Alpha");  // the item itself
    in.Prefix = "  ";
    in.Hyphen = true;
    EXPECT_EQ(NewPath("C:\\Work\\Alpha"), "C:\\Work\\  Alpha");  // blanks, but no hyphen
    in.Prefix = "P";
    EXPECT_EQ(NewPath("C:\\Alpha"), "C:\\P-Alpha");               // a root keeps its backslash
    EXPECT_EQ(NewPath("\\\\server\\share\\x"), "\\\\server\\share\\P-x");

    // A bare drive: the name is empty, the prefix separator stays.
    EXPECT_EQ(NewPath("D:\\"), "D:\\P-");
    in.Hyphen = false;
    EXPECT_EQ(NewPath("D:\\"), "D:\\P");
    in.Prefix = "";
    EXPECT_EQ(NewPath("D:\\"), "D:\\");

    // A drive root has no name to take, with a prefix or without.
    in.IncludeFolders = {drive.path("")};
    Run();
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{drive.path("")}));
    in.Prefix = "P";
    Run();
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{drive.path("")}));
    EXPECT_FALSE(drive.Exists("P"));
}

// A "." in the last name makes the item a file: its folder takes its place.
TEST_F(Vol04Engine, ANameWithADotIsTakenAsAFile) {
    EXPECT_EQ(NewPath("C:\\Work\\Alpha.2024"), "C:\\Work");
    EXPECT_EQ(NewPath("C:\\Work\\Alpha."), "C:\\Work");
    EXPECT_EQ(NewPath("C:\\Work\\Sub\\report.txt"), "C:\\Work\\Sub");
    in.Prefix = "P";
    in.Hyphen = true;
    EXPECT_EQ(NewPath("C:\\Work\\Alpha.2024"), "C:\\P-Work");
    EXPECT_EQ(NewPath("C:\\Work.d\\Alpha"), "C:\\Work.d\\P-Alpha");  // only the last name counts

    // The run: Work is there already, so the item is reported as existing.
    in.Prefix = "";
    in.IncludeFolders = {drive.path("Work\\Alpha.2024")};
    Run();
    EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{drive.path("Work")}));
    EXPECT_TRUE(log.lines[CreationFoldersCreated].empty());
}

// Items that reach a run without the list's checks (a profile, the
// settings) are checked again: one that leads out of its folder, names a
// drive root or a place relative to a current folder, or has no last name
// gives no folder, in the simulation and the run alike.
TEST_F(Vol04Engine, HostileItemsAreUnusableLines) {
    drive.MakeFolder("Dest");
    drive.MakeFolder("sibling\\y");
    in.Prefix = "P";
    const Lines hostile = {drive.path("Dest\\."),  drive.path("Dest\\.."), drive.path("Dest/../sibling/y"),
                           drive.path(""),           "T:",                   "T:x",
                           drive.path("a.txt"),      drive.path("Dest\\"),   drive.path("Dest\\...\\x")};
    in.IncludeFolders.assign(hostile.begin(), hostile.end());
    in.IncludeFolders.push_back(drive.path("Dest/x"));  // a slash is a backslash, as in the list
    const auto treeBefore = Tree(drive);
    Simulate();
    const auto simulated = log.lines;
    EXPECT_EQ(Tree(drive), treeBefore);
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(log.lines[CreationFoldersOther], hostile);
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{drive.path("Dest\\Px")}));
    EXPECT_EQ(log.shown.FoldersOther, static_cast<double>(hostile.size()));
    fs::remove(drive.nativePath("Dest\\Px"));
    EXPECT_EQ(Tree(drive), treeBefore);
}

// A structure's last name names the folder it is copied to: one that leads
// elsewhere or names a place relative to a current folder is skipped.
TEST_F(Vol04Engine, StructuresLeadingElsewhereAreSkipped) {
    drive.WriteFile("x\\f.txt", "f");
    drive.MakeFolder("Tpl");
    in.IncludeFolders = {W("A")};
    in.Prefix = "P";
    UseStructures({"T:x", drive.path("Tpl\\..\\x"), drive.path("Tpl/../x")}, true, true);
    Simulate();
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{W("PA")}));
    EXPECT_TRUE(log.lines[CreationSubFoldersCreated].empty());
    EXPECT_FALSE(drive.Exists("Work\\PA\\x"));
}

TEST_F(Vol04Engine, OneRunListsAndCountsEveryOutcome) {
    drive.MakeFolder("Work\\P-Old");
    drive.WriteFile("Work\\P-File", "x");
    in.Prefix = "P";
    in.Hyphen = true;
    in.IncludeFolders = {W("Alpha"), "  " + W("Beta") + "  ", "Work\\NoDrive", W("Old"), W("Alpha"), W("File"),
                         drive.path("New\\Deep\\Gamma")};
    Run();
    EXPECT_EQ(Captions(), (Lines{"40043.", "40048."}));
    // The folders made on the way to a main folder are listed before it.
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{W("P-Alpha"), W("P-Beta"), drive.path("New"),
                                                        drive.path("New\\Deep"), drive.path("New\\Deep\\P-Gamma")}));
    EXPECT_EQ(log.shown.FoldersToCreate,
              log.shown.FoldersCreated + log.shown.FoldersExists + log.shown.FoldersOther);
    // A path listed twice is made the first time and exists the second.
    EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{W("P-Old"), W("P-Alpha")}));
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{"Work\\NoDrive", W("P-File")}));
    EXPECT_EQ(log.zoom, log.lines);
    EXPECT_EQ(state.UndoMode, "N");
    EXPECT_EQ(Paths(state.LastCreatedParents), (StringList{drive.path("New"), drive.path("New\\Deep")}));
    EXPECT_EQ(state.LastOtherFolders, (StringList{"Work\\NoDrive", W("P-File")}));
    EXPECT_EQ(drive.ReadFile("Work\\P-File"), "x");
    EXPECT_EQ(tabsOff, 1);
    EXPECT_EQ(tabsOn, 1);

    // Undo takes what the run made, the parents it made too, and leaves the
    // parents that were there before.
    Undo();
    EXPECT_EQ(Captions().back(), "40053.");
    EXPECT_FALSE(drive.Exists("Work\\P-Alpha"));
    EXPECT_FALSE(drive.Exists("Work\\P-Beta"));
    EXPECT_FALSE(drive.Exists("New"));
    EXPECT_TRUE(drive.Exists("Work\\P-Old"));
    EXPECT_TRUE(drive.Exists("Work"));
    EXPECT_EQ(drive.ReadFile("Work\\P-File"), "x");
    boxes.Clear();
    Vol04UndoLastRun(state, log);
    EXPECT_EQ(Captions(), (Lines{"40050."}));
    EXPECT_EQ(boxes.shown()[0].caption, "Creating Folder(s).- From a Folder List.            Warning no: 40050.");
}

TEST_F(Vol04Engine, AnEmptyIncludeListEndsAfterTheQuestion) {
    Run();
    EXPECT_EQ(Captions(), (Lines{"40043.", "40049."}));
    EXPECT_EQ(boxes.shown()[1].caption, "Creating Folder(s).-From a Folder List.           Warning no: 40049.");
    EXPECT_EQ(tabsOff, 1);
    EXPECT_EQ(tabsOn, 1);
    boxes.Clear();
    Simulate();
    EXPECT_EQ(Captions(), (Lines{"40067.", "40071."}));
    // With files and an empty list the disk-space check stops it silently.
    boxes.Clear();
    drive.WriteFile("S\\f", "1");
    UseStructures({drive.path("S")}, true, true);
    Vol04RunCreateFolders(state, in, log, hooks);
    EXPECT_TRUE(boxes.shown().empty());
    in.IncludeFolders = {W("a")};
    in.FolderStructures.clear();
    Vol04RunCreateFolders(state, in, log, hooks);
    Vol04SimulateCreateFolders(state, in, log, hooks, kStart, kEnd);
    EXPECT_EQ(Captions(), (Lines{"40042.", "40066."}));
    EXPECT_EQ(focusStructure, 2);
}

TEST_F(Vol04Engine, StructuresAttachedUnderEachNewFolder) {
    drive.WriteFile("Tpl\\Alpha\\docs\\read.txt", "read me");
    in.IncludeFolders = {W("P1"), W("P2")};
    drive.MakeFolder("Work\\P2");
    UseStructures({drive.path("Tpl\\Alpha")}, true, true);
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated], (Lines{W("P1\\Alpha"), W("P1\\Alpha\\docs")}));
    EXPECT_EQ(log.lines[CreationFilesCreated], (Lines{W("P1\\Alpha\\docs\\read.txt")}));
    EXPECT_EQ(log.shown.FilesSizeCreated, 7);
    // The existing main folder gets no structure: what it would have brought is there already.
    EXPECT_EQ(log.shown.SubFoldersExists, 2);
    EXPECT_EQ(log.shown.SubFoldersToCreate, log.shown.SubFoldersCreated + log.shown.SubFoldersExists);
    EXPECT_EQ(state.UndoMode, "F");
    Undo();
    EXPECT_FALSE(drive.Exists("Work\\P1"));
    EXPECT_TRUE(drive.Exists("Work\\P2"));

    UseStructures({drive.path("Tpl\\Alpha")}, false, false);
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated], (Lines{W("P1\\docs")}));
    EXPECT_FALSE(drive.Exists("Work\\P1\\docs\\read.txt"));
    Undo();
}

// A template line with a drive letter gives no folder (never the drive
// root); undo of template runs takes the main folders too, even one that
// got no template folder.
TEST_F(Vol04Engine, TemplateLinesAndTheirUndo) {
    in.IncludeFolders = {W("A"), drive.path("New\\B")};
    UseTemplates({"Docs\\Plans", "T:\\Abs", "Docs"});
    in.MainFolderWithoutFiles = true;
    Run();
    // Docs is made on the way to Docs\Plans, and the line Docs meets it.
    EXPECT_EQ(log.lines[CreationSubFoldersCreated],
              (Lines{W("A\\Docs"), W("A\\Docs\\Plans"), W("A\\Docs"), drive.path("New\\B\\Docs"),
                     drive.path("New\\B\\Docs\\Plans"), drive.path("New\\B\\Docs")}));
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{"T:\\Abs", "T:\\Abs"}));
    EXPECT_EQ(log.shown.SubFoldersOther, 2);  // each the one folder it counted
    EXPECT_FALSE(drive.Exists("Abs"));
    EXPECT_EQ(log.shown.SubFoldersToCreate, 8);
    // Docs was made by the line before, within this item: the undo may take it.
    EXPECT_EQ(Paths(state.LastCreatedSubFolders), (StringList{W("A\\Docs\\Plans"), W("A\\Docs"),
                                                              drive.path("New\\B\\Docs\\Plans"),
                                                              drive.path("New\\B\\Docs")}));
    Undo();
    EXPECT_FALSE(drive.Exists("Work\\A"));
    EXPECT_FALSE(drive.Exists("New"));
    EXPECT_TRUE(drive.Exists("Work"));

    // Every line unusable: the main folders still go with the undo.
    _tagFoldersTemplateOptions o;
    o.ReplaceNo = false;
    o.ReplaceFirst = true;
    SetFolderTemplateOptions(1, o);
    UseTemplates({"Docs", "Notes"});
    Run();
    EXPECT_TRUE(log.lines[CreationSubFoldersCreated].empty());
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{W("A"), drive.path("New"), drive.path("New\\B")}));
    Undo();
    EXPECT_FALSE(drive.Exists("Work\\A"));
    EXPECT_FALSE(drive.Exists("New"));
    EXPECT_TRUE(drive.Exists("Work"));
}

TEST_F(Vol04Engine, DiskSpaceIsWeighedDriveByDrive) {
    testsupport::TempDrive other{'U'};
    drive.WriteFile("S\\f1", std::string(700, 'a'));
    drive.WriteFile("S\\d\\f2", std::string(300, 'b'));
    in.IncludeFolders = {W("a"), W("b"), other.path("c"), "nodrive"};
    UseStructures({drive.path("S")}, true, true);
    const auto required = Vol04RequiredBytesByDrive(state, in);
    EXPECT_EQ(required.at("T:"), 2000u);
    EXPECT_EQ(required.at("U:"), 1000u);
    EXPECT_EQ(required.at(""), 1000u);
    const CreationCounters& c = state.Counters;
    EXPECT_EQ(c.FoldersToCreate, 4);
    EXPECT_EQ(c.SubFoldersToCreate, 8);
    EXPECT_EQ(c.FilesToCreate, 8);
    EXPECT_EQ(c.FilesSizeToCreate, 4000);

    EXPECT_TRUE(Vol04WeighDrive("T:\\", 2000, 2000));  // equal is enough here
    EXPECT_FALSE(Vol04WeighDrive("T:\\", 20000000, 1999));
    EXPECT_EQ(boxes.shown().back().caption,
              "Creating Folder(s).-From a Folder List.            Information no: 40054.");
    EXPECT_EQ(boxes.shown().back().flags, plat::MB_OK | plat::MB_ICONWARNING);
    EXPECT_EQ(boxes.shown().back().text,
              "There is not enough space on the disk.\nThe free space on the disk T:\\ is : 1.95 KB    1999 bytes\n"
              "The program requires : 19.07 MB    20000000 bytes.");

    UseTemplates({"1", "2"});
    in.IncludeFolders = {W("a"), W("b"), W("c")};
    EXPECT_TRUE(Vol04CheckDiskSpace(state, in, true));
    EXPECT_EQ(c.FoldersToCreate, 3);
    EXPECT_EQ(c.SubFoldersToCreate, 6);
}

TEST_F(Vol04Engine, SimulationMatchesTheFollowingRunLineForLine) {
    WriteCollidingStructures();
    drive.MakeFolder("Work\\P-Old");
    in.Prefix = "P";
    in.Hyphen = true;
    const StringList items = {W("a"), W("a"), W("Old"), "nodrive", drive.path("New\\x"), W("b.txt"),
                              W("Odd|Name"), drive.path("Work\\c\\..\\..\\up")};
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        if (mode < 2)
            UseStructures({drive.path("S1"), drive.path("S2")}, mode == 1, true);
        else
            UseTemplates({"x\\y", "T:\\no", "z"});
        in.IncludeFolders = {W("earlier")};
        Run();  // the simulation must leave this run's undo data alone
        in.IncludeFolders = items;
        const auto undoBefore = Paths(state.LastCreatedFolders);
        const auto subBefore = Paths(state.LastCreatedSubFolders);
        const auto filesBefore = state.LastCreatedFiles.size();
        _tagCreatedFile kept;
        kept.Path = "keep me";
        state.FailedUndoFiles.push_back(kept);
        const auto treeBefore = Tree(drive);

        Simulate();
        EXPECT_EQ(log.runMode, 0);
        EXPECT_EQ(Tree(drive), treeBefore);
        EXPECT_EQ(Paths(state.LastCreatedFolders), undoBefore);
        EXPECT_EQ(Paths(state.LastCreatedSubFolders), subBefore);
        EXPECT_EQ(state.LastCreatedFiles.size(), filesBefore);
        EXPECT_EQ(state.FailedUndoFiles.size(), 1u);
        EXPECT_EQ(boxes.shown().back().text, kEnd);
        const auto simulated = log.lines;
        const auto counters = log.shown.Values();

        Run();
        EXPECT_EQ(log.lines, simulated);
        EXPECT_EQ(log.shown.Values(), counters);
        EXPECT_EQ(log.lines[CreationFoldersCreated],
                  (Lines{W("P-a"), drive.path("New"), drive.path("New\\P-x"), drive.path("P-Work")}));
        // An unusable item is listed as it stands.
        const Lines other = mode < 2 ? Lines{"nodrive", W("P-Odd|Name"), drive.path("Work\\c\\..\\..\\up")}
                                     : Lines{"T:\\no", "nodrive", "T:\\no", "T:\\no", W("P-Odd|Name"),
                                             drive.path("Work\\c\\..\\..\\up")};
        if (mode > 0) {  // mode 0: k collides as well
            EXPECT_EQ(log.lines[CreationFoldersOther], other);
        }
        Undo();
        EXPECT_FALSE(drive.Exists("Work\\P-a"));
        EXPECT_FALSE(drive.Exists("New"));
        EXPECT_TRUE(drive.Exists("Work\\P-Old"));
        fs::remove_all(drive.nativePath("Work\\P-earlier"));
    }
}

// Each new folder is made beneath its own parent: as an ordinary user a
// parent that cannot be written to, a name too long for the file system
// and an unreadable structure file give the same lines in the simulation
// and the run, and nothing of it reaches the parent.
TEST_F(Vol04Engine, SimulationMatchesTheRunWhereTheDiskRefuses) {
    drive.WriteFile("S\\f.txt", "readable");
    drive.WriteFile("S\\secret.txt", "not for you");
    drive.MakeFolder("Work\\ro");
    drive.MakeFolder("Work\\rw");
    chmod(drive.nativePath("S\\secret.txt").c_str(), 0);
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Work"));
    chmod(drive.nativePath("Work\\ro").c_str(), 0555);
    UseStructures({drive.path("S")}, true, true);
    in.IncludeFolders = {W("ro\\x"), W("rw\\" + std::string(256, 'n')), W("rw\\fine")};
    const int code = testsupport::RunAsNobody([&] {
        Simulate();
        const auto simulated = log.lines;
        const auto counters = log.shown.Values();
        Run();
        if (log.lines != simulated || log.shown.Values() != counters) return 1;
        if (log.lines[CreationFoldersOther] !=
            Lines{W("ro\\x"), W("rw\\" + std::string(256, 'n')), W("rw\\fine\\S\\secret.txt")})
            return 2;
        return log.lines[CreationFilesCreated] == Lines{W("rw\\fine\\S\\f.txt")} ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Work\\ro")));
}
