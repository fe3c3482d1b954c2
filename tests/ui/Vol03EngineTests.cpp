// Page 03 below its windows: numbers, padding, names, the run and its
// outcomes, template lines with the number as suffix, disk space, undo and
// the simulation, on a temporary drive.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/TemplatePaths.h"
#include "tests/support/CreationEngineFixture.h"
#include "tests/support/Privileges.h"

namespace fs = std::filesystem;
using creationtest::Lines;
using creationtest::Paths;
using creationtest::Tree;

namespace {

// What page 03 adds: the start and end numbers, and its own hooks.
class Vol03Engine : public creationtest::EngineFixture<creationtest::Page03> {
protected:
    int focusEnd = 0, tidied = 0;
    std::vector<Vol03Numbers> shownNumbers;

    void SetUp() override {
        EngineFixture::SetUp();
        hooks.FocusEndNumber = [this] { ++focusEnd; };
        hooks.ShowNumbers = [this](const Vol03Numbers& n) { shownNumbers.push_back(n); };
        hooks.TidyDestinationHistory = [this] { ++tidied; };
    }

    void Numbers(const std::string& start, const std::string& end) {
        in.StartText = start;
        in.EndText = end;
    }
};

}  // namespace

TEST(Vol03Numbers, TextsAreWholeInt32NumbersOrTheFallback) {
    std::int32_t v = 0;
    EXPECT_TRUE(Vol03ParseNumber(" 42 ", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(Vol03ParseNumber("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(Vol03ParseNumber("+2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(Vol03ParseNumber("-2147483648", v));
    for (const char* bad : {"", "  ", "abc", "1.5", "2147483648", "99999999999", "-2147483649", "1e3", "-", "0x10"})
        EXPECT_FALSE(Vol03ParseNumber(bad, v)) << bad;

    Vol03Numbers n = Vol03ReadNumbers("abc", "5");  // the start becomes 1
    EXPECT_FALSE(n.StartValid);
    EXPECT_EQ(n.Start, 1);
    EXPECT_EQ(n.End, 5);
    n = Vol03ReadNumbers("4", "");  // the end becomes the start
    EXPECT_FALSE(n.EndValid);
    EXPECT_EQ(n.End, 4);
    EXPECT_EQ(n.Count(), 1);
    n = Vol03ReadNumbers("-2147483648", "2147483647");  // counted in 64 bits
    EXPECT_EQ(n.Count(), 4294967296LL);
}

TEST(Vol03Numbers, PaddingFollowsTheEndNumbersDigits) {
    EXPECT_EQ(Vol03ReadNumbers("1", "9").Digits(), 1);
    EXPECT_EQ(Vol03ReadNumbers("1", "120").Digits(), 3);
    EXPECT_EQ(Vol03ReadNumbers("1", "1000").Digits(), 4);
    EXPECT_EQ(Vol03NumberText(7, true, 3), "007");
    EXPECT_EQ(Vol03NumberText(120, true, 3), "120");
    EXPECT_EQ(Vol03NumberText(7, false, 3), "7");
    EXPECT_EQ(Vol03NumberText(5, true, 3), "005");
    EXPECT_EQ(Vol03NumberText(1234, true, 3), "1234");
    EXPECT_EQ(Vol03NumberText(-5, true, 3), "-05");  // the sign stays in front
    EXPECT_EQ(Vol03NumberText(-5, false, 3), "-5");
}

TEST_F(Vol03Engine, HyphenJoinsOnlyTheNonEmptyParts) {
    in.DestFolder = "D:\\Work";
    in.Prefix = "Job";
    in.Suffix = "A";
    in.Hyphen = true;
    auto parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "08" + parts.Part[2] + parts.Part[3], "D:\\Work\\Job-08-A");
    in.Hyphen = false;
    parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "8" + parts.Part[2] + parts.Part[3], "D:\\Work\\Job8A");
    in.Hyphen = true;
    in.Prefix = "";
    parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "08" + parts.Part[2] + parts.Part[3], "D:\\Work\\08-A");
    in.Prefix = "   ";  // blanks only: in the name, without a hyphen
    in.Suffix = "";
    in.DestFolder = " D:\\Work\\ ";  // no second backslash
    parts = GetNameParts(in);
    EXPECT_EQ(parts.Part[0] + "8" + parts.Part[2] + parts.Part[3], "D:\\Work\\   8");
}

TEST_F(Vol03Engine, RunMakesOneFolderPerNumberAndUndoTakesThemAway) {
    drive.MakeFolder("Dest\\Job-09-A");
    in.Prefix = "Job";
    in.Suffix = "A";
    in.Hyphen = true;
    in.PaddedZeroes = true;
    Numbers("8", "10");
    Run();
    EXPECT_EQ(Captions(), (Lines{"30030.", "30034."}));
    EXPECT_EQ(boxes.shown()[0].caption, "Creating Folder(s).- Increased Numbers.            Information no: 30030.");
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("Job-08-A"), D("Job-10-A")}));
    EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{D("Job-09-A")}));
    EXPECT_EQ(log.zoom, log.lines);
    EXPECT_EQ(log.shown.FoldersCreated, 2);
    EXPECT_EQ(log.shown.FoldersExists, 1);
    EXPECT_EQ(log.shown.FoldersToCreate, 3);
    EXPECT_EQ(log.runMode, 1);
    EXPECT_EQ(state.UndoMode, "N");
    EXPECT_EQ(state.LastDestination, drive.path("Dest\\"));
    EXPECT_EQ(state.Vol03DigitCount, 2);
    EXPECT_EQ(state.Vol03StartValue, 8);
    EXPECT_EQ(state.Vol03EndValue, 10);
    EXPECT_EQ(Paths(state.LastCreatedFolders), (StringList{D("Job-08-A"), D("Job-10-A")}));
    EXPECT_EQ(state.LastExistingFolders, (StringList{D("Job-09-A")}));
    EXPECT_EQ(tabsOff, 1);
    EXPECT_EQ(tabsOn, 1);
    EXPECT_EQ(tidied, 1);
    EXPECT_TRUE(drive.Exists("Dest\\Job-10-A"));

    Undo();
    EXPECT_EQ(Captions(), (Lines{"30030.", "30034.", "30037.", "30039."}));
    EXPECT_FALSE(drive.Exists("Dest\\Job-08-A"));
    EXPECT_FALSE(drive.Exists("Dest\\Job-10-A"));
    EXPECT_TRUE(drive.Exists("Dest\\Job-09-A"));  // it was there before
    boxes.Clear();
    Vol03UndoLastRun(state, log);
    EXPECT_EQ(Captions(), (Lines{"30036."}));
    EXPECT_EQ(boxes.shown()[0].text,
              "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folders "
              "and files to UNDO them.");
}

TEST_F(Vol03Engine, StartAboveEndStopsBeforeAnyQuestion) {
    Numbers("5", "3");
    Run();
    Simulate();
    EXPECT_EQ(Captions(), (Lines{"30027.", "30049."}));
    EXPECT_EQ(boxes.shown()[0].caption, "Creating Folder(s).-Increased Numbers.    Warning no: 30027.");
    EXPECT_EQ(boxes.shown()[1].caption, "Simulate Creating Folder(s).-Increased Numbers.    Warning no: 30049.");
    EXPECT_EQ(focusEnd, 2);
    EXPECT_EQ(tabsOff, 0);  // the tab sheets were never touched
    EXPECT_EQ(log.runMode, -1);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));
}

// After a restore or Clear All the stored numbers may be anything: the run
// reads the edits, puts the page's fallback for a text that is no number,
// and every stop leaves the tab sheets enabled.
TEST_F(Vol03Engine, BadNumberTextsAfterARestoreTakeThePagesFallback) {
    state.Vol03StartValue = 7;  // stale values that would allow anything
    state.Vol03EndValue = 1;
    Numbers("abc", "3");
    Run();
    ASSERT_EQ(shownNumbers.size(), 1u);
    EXPECT_EQ(shownNumbers[0].Start, 1);
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("1"), D("2"), D("3")}));
    EXPECT_EQ(state.Vol03StartValue, 1);
    EXPECT_EQ(state.Vol03EndValue, 3);
    EXPECT_EQ(log.shown.FoldersToCreate, 3);  // the counters follow the edits too

    Numbers("5", "");  // an empty end is the start
    Run();
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("5")}));
    Numbers("9", "99999999999");  // out of range: the end is the start
    Run();
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("9")}));
    Numbers("", "x");
    Run();
    EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{D("1")}));
    EXPECT_EQ(shownNumbers.size(), 4u);
    EXPECT_EQ(tabsOff, tabsOn);
    for (const auto& b : boxes.shown()) EXPECT_EQ(b.caption.find("30035"), std::string::npos);
}

TEST_F(Vol03Engine, TheLargestEndNumberEnds) {
    Numbers("2147483646", "2147483647");
    Run();
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("2147483646"), D("2147483647")}));
    Numbers("-1", "1");
    in.PaddedZeroes = true;
    Run();
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{D("-1"), D("0"), D("1")}));
}

// Every template level carries the number of its main folder, set off by
// the blanks the prefix ends with.
TEST_F(Vol03Engine, TemplateLinesCarryTheNumberAsSuffix) {
    EXPECT_EQ(AppendTextToPathLevels("\\Docs\\Plans", "Job ", "007"), "\\Docs 007\\Plans 007");
    EXPECT_EQ(AppendTextToPathLevels("Docs\\Plans", "Job", "007"), "\\Docs007\\Plans007");
    UseTemplates({"Docs\\Plans", "Notes"});
    in.Prefix = "Job ";
    in.PaddedZeroes = true;
    in.AddIncNumbersAsSuffix = true;
    Numbers("7", "10");
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated],
              (Lines{D("Job 07\\Docs 07"), D("Job 07\\Docs 07\\Plans 07"), D("Job 07\\Notes 07"),
                     D("Job 08\\Docs 08"), D("Job 08\\Docs 08\\Plans 08"), D("Job 08\\Notes 08"),
                     D("Job 09\\Docs 09"), D("Job 09\\Docs 09\\Plans 09"), D("Job 09\\Notes 09"),
                     D("Job 10\\Docs 10"), D("Job 10\\Docs 10\\Plans 10"), D("Job 10\\Notes 10")}));
    EXPECT_TRUE(drive.Exists("Dest\\Job 08\\Docs 08\\Plans 08"));
    EXPECT_EQ(log.shown.SubFoldersToCreate, 12);  // each Docs made on the way too
    EXPECT_EQ(state.UndoMode, "R");

    // Without the option the lines stay as they are.
    Undo();
    EXPECT_FALSE(drive.Exists("Dest\\Job 08"));
    in.AddIncNumbersAsSuffix = false;
    Numbers("1", "1");
    in.PaddedZeroes = false;
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated],
              (Lines{D("Job 1\\Docs"), D("Job 1\\Docs\\Plans"), D("Job 1\\Notes")}));
}

// A template line that gives no folder counts as the one folder it was to
// make; one with a drive letter is never the drive root.
TEST_F(Vol03Engine, AnUnusableTemplateLineCountsAsTheFolderItWasToMake) {
    UseTemplates({"Docs", "T:\\Abs", "a\\..\\..\\up", "Ok\\Deep"});
    _tagFoldersTemplateOptions o;
    o.ReplaceNo = false;
    o.ReplaceFirst = true;  // "Docs" loses its only folder
    SetFolderTemplateOptions(3, o);
    in.MainFolderWithoutFiles = true;
    Numbers("1", "2");
    Vol03CheckDiskSpace(state, in, false);
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated], (Lines{D("1\\Deep"), D("2\\Deep")}));
    EXPECT_EQ(log.lines[CreationFoldersOther], (Lines{"Docs", "T:\\Abs", "a\\..\\..\\up", "Docs", "T:\\Abs",
                                                      "a\\..\\..\\up"}));
    EXPECT_EQ(log.shown.FoldersOther, 0);
    EXPECT_EQ(log.shown.SubFoldersOther, 6);
    EXPECT_EQ(log.shown.SubFoldersToCreate, log.shown.SubFoldersCreated + log.shown.SubFoldersOther);
    EXPECT_EQ(log.shown.FilesOther, 0);
    EXPECT_FALSE(drive.Exists("Abs"));
    EXPECT_FALSE(drive.Exists("up"));
    EXPECT_EQ(Captions(), (Lines{"30030.", "30034."}));
}

TEST_F(Vol03Engine, ExistingStructuresAreAttachedToNewFoldersOnly) {
    drive.WriteFile("S\\a\\f.txt", "hello");
    drive.MakeFolder("Dest\\2");
    UseStructures({drive.path("S"), "nodrive\\x", drive.path("Missing")}, true, true);
    Numbers("1", "3");
    Run();
    EXPECT_EQ(log.lines[CreationSubFoldersCreated], (Lines{D("1\\S"), D("1\\S\\a"), D("3\\S"), D("3\\S\\a")}));
    EXPECT_EQ(log.lines[CreationFilesCreated], (Lines{D("1\\S\\a\\f.txt"), D("3\\S\\a\\f.txt")}));
    EXPECT_EQ(log.shown.FilesSizeCreated, 10);
    EXPECT_EQ(log.shown.FilesToCreate, 3);
    // An existing main folder gets nothing: what its structures would have brought is there already.
    EXPECT_EQ(log.shown.SubFoldersExists, 2);
    EXPECT_EQ(log.shown.FilesExists, 1);
    EXPECT_FALSE(drive.Exists("Dest\\2\\S"));
    EXPECT_EQ(state.UndoMode, "F");
    Undo();
    EXPECT_FALSE(drive.Exists("Dest\\1"));
    EXPECT_TRUE(drive.Exists("Dest\\2"));
    EXPECT_EQ(drive.ReadFile("S\\a\\f.txt"), "hello");
}

TEST_F(Vol03Engine, AStructureHoldingTheDestinationIsRefused) {
    drive.MakeFolder("Work\\Dest");
    in.DestFolder = drive.path("Work\\Dest");
    UseStructures({drive.path("Work")}, true, false);
    Numbers("1", "15");
    Run();
    // The first refusal as it comes; the other main folders in one box at the
    // end, as many as it can hold, and every one in the log.
    EXPECT_EQ(Captions(), (Lines{"30030.", "30032.", "30032.", "30034."}));
    EXPECT_EQ(boxes.shown()[1].caption, "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 30032.");
    std::string later = "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as "
                        "the source Folder !!! \n";
    for (int n = 2; n <= 13; ++n)
        later += "Destination Folder : " + drive.path("Work\\Dest\\" + std::to_string(n)) + "\n";
    EXPECT_EQ(boxes.shown()[2].text, later + "... and 2 more, named in the Visual Log.\nSource Folder      : " +
                                         drive.path("Work"));
    EXPECT_EQ(log.lines[CreationFoldersOther].size(), 15u);
    EXPECT_TRUE(log.lines[CreationSubFoldersCreated].empty());
}

// A structure added while it existed and removed since: when the run makes
// it again as a main folder (or as a main folder's parent) it is skipped for
// that folder, and said so, in the simulation as in the run.
TEST_F(Vol03Engine, AStructureTheRunHasJustMadeIsRefusedAloud) {
    drive.WriteFile("S\\a\\f.txt", "hello");
    UseStructures({drive.path("Dest\\2"), drive.path("S"), drive.path("Missing")}, true, true);
    Numbers("1", "3");
    Simulate();
    EXPECT_EQ(Captions(), (Lines{"30051.", "30052.", "30054."}));
    const auto simulated = log.lines;

    boxes.Clear();
    Run();
    EXPECT_EQ(Captions(), (Lines{"30030.", "30032.", "30034."}));
    EXPECT_EQ(boxes.shown()[1].text,
              "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
              "Folder !!! \nDestination Folder : " + D("2") + "\nSource Folder      : " + D("2"));
    EXPECT_EQ(log.lines, simulated);
    EXPECT_TRUE(drive.Exists("Dest\\2\\S\\a\\f.txt"));
    EXPECT_FALSE(drive.Exists("Dest\\2\\2"));
    EXPECT_FALSE(drive.Exists("Dest\\3\\2"));  // the run never walks what it made
    Undo();

    // Made as the parent of every main folder: refused for each, the first aloud, the others together.
    in.Prefix = "Sub\\";
    UseStructures({drive.path("Dest\\Sub")}, false, false);
    boxes.Clear();
    Run();
    EXPECT_EQ(Captions(), (Lines{"30030.", "30032.", "30032.", "30034."}));
    EXPECT_TRUE(drive.Exists("Dest\\Sub\\3"));
    EXPECT_TRUE(log.lines[CreationSubFoldersCreated].empty());
}

TEST_F(Vol03Engine, DiskSpaceComesFromTheEditsNumbers) {
    drive.WriteFile("S\\f1", std::string(600, 'a'));
    drive.WriteFile("S\\d\\f2", std::string(400, 'b'));
    Numbers("3", "7");
    UseStructures({drive.path("S")}, true, true);
    const CreationCounters& c = state.Counters;
    EXPECT_EQ(c.FoldersToCreate, 5);
    EXPECT_EQ(c.SubFoldersToCreate, 10);
    EXPECT_EQ(c.FilesToCreate, 10);
    EXPECT_EQ(c.FilesSizeToCreate, 5000);
    EXPECT_TRUE(Vol03WeighDiskSpace(state, 5, 5001, "T:\\"));
    EXPECT_FALSE(Vol03WeighDiskSpace(state, 5, 5000, "T:\\"));  // equal is not enough
    EXPECT_EQ(boxes.shown().back().caption, "Creating Folder(s).-Increased Numbers.            Information no: 30040.");
    EXPECT_EQ(boxes.shown().back().text,
              "There is not enough space on the disk.\nThe free space on the disk T:\\ is : 4.88 KB    5000 bytes\n"
              "The program requires : 4.88 KB    5000 bytes.");
    boxes.Clear();
    Numbers("6", "5");  // no number to make: false without a message
    EXPECT_FALSE(Vol03CheckDiskSpace(state, in, true));
    EXPECT_TRUE(boxes.shown().empty());

    UseTemplates({"1", "2", "3"});
    Numbers("1", "10");
    EXPECT_TRUE(Vol03CheckDiskSpace(state, in, true));
    EXPECT_EQ(c.FoldersToCreate, 10);
    EXPECT_EQ(c.SubFoldersToCreate, 30);
}

// The folders a run makes on its way: one that every number shares (a
// missing destination, a prefix that holds a backslash), one for each
// number (a suffix that holds one), padded, some there already; the folder
// holding the numbered ones a link, or one its user may look into but not
// list. The count of the range plans what the list of every number plans,
// and the run makes or names just those; its undo takes them away.
TEST_F(Vol03Engine, FoldersOnTheWayAreCountedForTheRange) {
    enum Holder { Plain, Link, Unlisted };
    struct Case {
        const char *dest, *prefix, *suffix;
        bool padded;
        const char *start, *end;
        Lines there;
        double toCreate;
        Holder holder = Plain;
    };
    const Case cases[] = {
        {"Dest", "Jobs\\", "", false, "1", "3", {}, 3 + 1},                 // Jobs
        {"Dest\\New\\Deeper", "", "", false, "1", "3", {}, 3 + 2},          // New, Deeper
        {"Dest", "", "\\Docs", false, "1", "3", {"Dest\\2"}, 3 + 2},         // 1, 3
        {"Dest\\New", "Jobs\\J", "\\x", false, "-1", "1", {}, 3 + 2 + 3},  // New, Jobs, J-1, J0, J1
        // 08, 08\Docs, 09\Docs
        {"Dest", "", "\\Docs\\Old", true, "8", "10", {"Dest\\09", "Dest\\10\\Docs"}, 3 + 2 + 1},
        {"Dest", "", "\\Docs", false, "1", "3", {"Dest\\2"}, 3 + 2, Unlisted},  // 1, 3
        {"Dest", "", "\\Docs", false, "1", "3", {"Real\\2"}, 3 + 3, Link},      // Dest, 1, 3: all refused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dest) + " " + c.prefix + "#" + c.suffix + (c.holder == Link ? " (a link)" : ""));
        in.DestFolder = drive.path(c.dest);
        in.Prefix = c.prefix;
        in.Suffix = c.suffix;
        in.PaddedZeroes = c.padded;
        Numbers(c.start, c.end);
        for (const std::string& folder : c.there) drive.MakeFolder(folder);
        if (c.holder == Link) {
            fs::remove(drive.nativePath(c.dest));
            fs::create_directory_symlink(drive.nativePath("Real"), drive.nativePath(c.dest));
        }
        const auto before = Tree(drive);
        // What differs, "" when nothing does.
        const auto counted = [&]() -> std::string {
            Vol03CountToCreate(state, in);
            if (state.Counters.FoldersToCreate != c.toCreate)
                return "counted " + std::to_string(state.Counters.FoldersToCreate);
            const NumberedItems items = Vol03Items(in, Vol03ReadNumbers(c.start, c.end));
            std::vector<CreationItem> every;
            for (std::size_t i = 0; i < items.count; ++i) every.push_back(items.Item(i));
            Vol03State listed;
            if (!PlanMadeOnTheWay(listed, every)) return "no plan";
            StringList ours, theirs;
            for (std::size_t i = 0; i < items.count; ++i) {
                state.MadeOnTheWay.Of(i, ours);
                listed.MadeOnTheWay.Of(i, theirs);
                if (ours != theirs) return "item " + std::to_string(i) + " planned apart";
            }
            Run();
            const std::size_t named = log.lines[CreationFoldersCreated].size() +
                                      log.lines[CreationFoldersExists].size() + log.lines[CreationFoldersOther].size();
            if (log.shown.FoldersToCreate != c.toCreate || named != c.toCreate)
                return "ran " + std::to_string(log.shown.FoldersToCreate) + ", named " + std::to_string(named);
            if (log.shown.FoldersCreated != (c.holder == Link ? 0 : c.toCreate)) return "not all made";
            Undo();
            return "";
        };
        if (c.holder == Unlisted) {
            // Only an ordinary user is kept from listing it.
            testsupport::OpenPathToEveryone(drive.native());
            testsupport::GiveToNobody(drive.nativePath(c.dest));
            ASSERT_EQ(chmod(drive.nativePath(c.dest).c_str(), 0311), 0);
            EXPECT_EQ(testsupport::RunAsNobody([&] {
                          const std::string differs = counted();
                          if (!differs.empty()) std::fprintf(stderr, "%s\n", differs.c_str());
                          return differs.empty() ? 0 : 1;
                      }),
                      0);
            ASSERT_EQ(chmod(drive.nativePath(c.dest).c_str(), 0755), 0);
        } else {
            EXPECT_EQ(counted(), "");
        }
        EXPECT_EQ(Tree(drive), before);
        for (const char* top : {"Dest", "Real"}) fs::remove_all(drive.nativePath(top));
        drive.MakeFolder("Dest");
    }
}

// The same unlisted holder over more numbers than are asked for at once: the
// last number of a full block, and the range's last, there already, are not
// counted to create.
TEST_F(Vol03Engine, NumbersAskedForInBlocksAreCountedToTheLast) {
    in.DestFolder = drive.path("Dest");
    in.Suffix = "\\Docs";
    Numbers("1", "65540");
    for (const char* there : {"Dest\\65536", "Dest\\65540"}) drive.MakeFolder(there);
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Dest"));
    ASSERT_EQ(chmod(drive.nativePath("Dest").c_str(), 0311), 0);
    EXPECT_EQ(testsupport::RunAsNobody([&] {
                  Vol03CountToCreate(state, in);
                  // Each number's Docs, and the numbered folders not there.
                  const double counted = state.Counters.FoldersToCreate;
                  if (counted != 2 * 65540 - 2) std::fprintf(stderr, "counted %.0f\n", counted);
                  return counted == 2 * 65540 - 2 ? 0 : 1;
              }),
              0);
    ASSERT_EQ(chmod(drive.nativePath("Dest").c_str(), 0755), 0);
}

// Template lines that take the main folder's name: where it makes two of a
// line's folders one, or a line names the main folder itself, that number
// counts its own; every other number counts what one of them counts.
TEST_F(Vol03Engine, TemplateLinesThatMeetANumberCountItApart) {
    struct Case {
        bool first;  // drop each line's first folder, else the search term
        StringList lines;
        const char* end;
        double subFolders;
    };
    const std::string dest = drive.path("Dest\\Jobs\\7");
    const Case cases[] = {
        {false, {"Plans\\%\\Notes", "Plans\\5\\Old"}, "10", 10 * 5 - 1},
        {false, {"Plans\\%\\Notes", "Plans\\5\\Old"}, "2147483647", 2147483647.0 * 5 - 1},
        {false, {"%\\a", "1%\\b", "%1\\c"}, "12", 12 * 6 - 1 - 1},
        {true, {dest}, "9", 9 * 2 - 1},
        {true, {dest}, "2147483647", 2147483647.0 * 2 - 1},
    };
    in.Prefix = "Jobs\\";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.front() + " " + c.end);
        _tagFoldersTemplateOptions o;
        o.ReplaceNo = false;
        (c.first ? o.ReplaceFirst : o.ReplaceRemainder) = true;
        o.SearchTerm = "%";
        SetFolderTemplateOptions(3, o);
        UseTemplates(c.lines);
        Numbers("1", c.end);
        EXPECT_TRUE(Vol03CheckDiskSpace(state, in, false));
        EXPECT_EQ(state.Counters.SubFoldersToCreate, c.subFolders);
        if (std::string(c.end) == "2147483647") continue;
        Run();
        EXPECT_EQ(log.shown.SubFoldersCreated + log.shown.SubFoldersExists + log.shown.SubFoldersOther, c.subFolders);
        Undo();
    }
}

// A destination whose name holds a character no folder path may hold:
// every new path is unusable (with the totals by the attach option), but
// one that exists counts as existing.
TEST_F(Vol03Engine, AForbiddenCharacterMakesTheNewPathUnusable) {
    drive.MakeFolder("Odd?Dest\\2");
    in.DestFolder = drive.path("Odd?Dest");
    drive.WriteFile("S\\f", "x");
    UseStructures({drive.path("S")}, true, false);
    Numbers("1", "3");
    Simulate();
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(log.lines[CreationFoldersOther],
              (Lines{drive.path("Odd?Dest\\1"), drive.path("Odd?Dest\\3")}));
    EXPECT_EQ(log.lines[CreationFoldersExists], (Lines{drive.path("Odd?Dest\\2")}));
    EXPECT_EQ(log.shown.SubFoldersOther, 2 * 1);  // without files: the subfolder total
    EXPECT_FALSE(drive.Exists("Odd?Dest\\1"));
}

// A destination that leads out of its folder or names a place relative to
// a current folder gets nothing made beneath it, in the simulation and the
// run alike; a drive root is a destination like any other.
TEST_F(Vol03Engine, DestinationsLeadingElsewhereGetNothing) {
    Numbers("1", "2");
    const auto treeBefore = Tree(drive);
    for (const std::string& dest : Lines{"T:x", "T:", drive.path("Dest\\.."), drive.path("Dest/../x")}) {
        SCOPED_TRACE(dest);
        in.DestFolder = dest;
        Simulate();
        const auto simulated = log.lines;
        Run();
        EXPECT_EQ(log.lines, simulated);
        EXPECT_EQ(log.shown.FoldersOther, 2);
        EXPECT_TRUE(log.lines[CreationFoldersCreated].empty());
        EXPECT_EQ(Tree(drive), treeBefore);
    }
    in.DestFolder = drive.path("");
    Run();
    EXPECT_EQ(log.lines[CreationFoldersCreated], (Lines{drive.path("1"), drive.path("2")}));
}

TEST_F(Vol03Engine, UndoOfTemplatesKeepsTheDestinationAndRetriesWhatItLeft) {
    UseTemplates({"a\\b"});
    Numbers("1", "2");
    Run();
    drive.WriteFile("Dest\\2\\a\\b\\user.txt", "mine");
    boxes.Clear();
    Undo();
    EXPECT_EQ(Captions(), (Lines{"30037.", "30038.", "30039."}));
    EXPECT_EQ(boxes.shown()[1].caption, "Creating Folder(s).- Increased Numbers.            Information no: 30038.");
    EXPECT_FALSE(drive.Exists("Dest\\1"));
    EXPECT_TRUE(drive.Exists("Dest\\2\\a\\b\\user.txt"));
    EXPECT_EQ(Paths(state.FailedUndoFolders), (StringList{D("2\\a\\b"), D("2\\a"), D("2")}));
    EXPECT_EQ(log.lines[CreationFoldersFailedUndo], (Lines{D("2\\a\\b"), D("2\\a"), D("2")}));
    fs::remove(drive.nativePath("Dest\\2\\a\\b\\user.txt"));
    Undo();
    EXPECT_FALSE(drive.Exists("Dest\\2"));
    EXPECT_TRUE(drive.Exists("Dest"));
}

TEST_F(Vol03Engine, SimulationMatchesTheFollowingRunLineForLine) {
    WriteCollidingStructures();
    drive.MakeFolder("Dest\\P-3");
    in.Prefix = "P";
    in.Hyphen = true;
    Numbers("1", "4");
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE(mode);
        if (mode < 2)
            UseStructures({drive.path("S1"), drive.path("S2")}, mode == 1, true);
        else
            UseTemplates({"x\\y", "T:\\no", "z"});
        const Vol03Inputs items = in;
        in.StartText = in.EndText = "9";
        Run();  // the simulation must leave this run's undo data alone
        in = items;
        const auto undoBefore = Paths(state.LastCreatedFolders);
        const auto subBefore = Paths(state.LastCreatedSubFolders);
        const auto filesBefore = state.LastCreatedFiles.size();
        _tagCreatedFile kept;
        kept.Path = "keep me";
        state.FailedUndoFiles.push_back(kept);
        const auto treeBefore = Tree(drive);
        const std::string modeBefore = state.UndoMode;

        Simulate();
        EXPECT_EQ(log.runMode, 0);
        EXPECT_EQ(Tree(drive), treeBefore);
        EXPECT_EQ(Paths(state.LastCreatedFolders), undoBefore);
        EXPECT_EQ(Paths(state.LastCreatedSubFolders), subBefore);
        EXPECT_EQ(state.LastCreatedFiles.size(), filesBefore);
        EXPECT_EQ(state.FailedUndoFiles.size(), 1u);  // the failed-undo list too
        EXPECT_EQ(state.UndoMode, modeBefore);
        EXPECT_EQ(boxes.shown().back().text, kEnd);
        const auto simulated = log.lines;
        const auto counters = log.shown.Values();
        EXPECT_FALSE(simulated[CreationFoldersCreated].empty());

        Run();
        EXPECT_EQ(log.runMode, 1);
        EXPECT_EQ(log.lines, simulated);
        EXPECT_EQ(log.shown.Values(), counters);
        Undo();
        Undo();  // the earlier run's folder "9" is no longer undoable: nothing
        fs::remove_all(drive.nativePath("Dest\\P-9"));
    }
}
