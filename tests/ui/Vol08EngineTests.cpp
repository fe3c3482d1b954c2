// Page 08 below its windows: structures and template lines copied into
// many main folders on a temporary drive, refusals by the real folders,
// links, masks, the simulation against the run, the totals and the undo.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// Every line by category and in order, and the counters as last shown.
class RecordingSink : public RunLog {
public:
    std::array<Lines, 8> lines;
    Lines all;  // every outcome in order, with its category
    std::array<double, 16> counters{};
    void AddLine(int category, const std::string& line) override {
        lines[static_cast<std::size_t>(category)].emplace_back(line);
        all.push_back(std::to_string(category) + " " + line);
    }
    void AddExportLine(int, const std::string&) override {}
    void ShowCounters(std::span<const CounterLabel> shown) override {
        for (std::size_t i = 0; i < shown.size() && i < counters.size(); ++i) counters[i] = shown[i].Value;
    }
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}
    void Clear() {
        for (auto& l : lines) l.clear();
        all.clear();
    }
};

std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        std::string content = e.is_symlink() ? "<link>" : "<dir>";
        if (!e.is_symlink() && e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        tree[e.path().string()] = content;
    }
    return tree;
}

class Vol08Engine : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    Vol08State state;
    RecordingSink sink;
    testlog::RecordingLog undoLog;
    Vol08Inputs in;

    void SetUp() override {
        SetFileSelNameMasks({"*.*"});
        // Src: a.txt, B.TXT, noext, c.doc; Sub\d.txt; Sub\Deep.
        drive.WriteFile("Src\\a.txt", "a");
        drive.WriteFile("Src\\B.TXT", "bb");
        drive.WriteFile("Src\\noext", "ccc");
        drive.WriteFile("Src\\c.doc", "dddd");
        drive.WriteFile("Src\\Sub\\d.txt", "eeeee");
        drive.MakeFolder("Src\\Sub\\Deep");
        drive.MakeFolder("Work\\M1");
        drive.MakeFolder("Work\\M2");
        in.IncludeFolders = {W("M1"), W("M2")};
        Use({drive.path("Src")}, true, true);
    }
    void TearDown() override {
        SetFileSelNameMasks({"*.*"});
        SetFolderTemplateOptions(4, _tagFoldersTemplateOptions());
    }

    std::string W(const std::string& rel) const { return drive.path("Work\\" + rel); }
    void Use(StringList structures, bool mainFolder, bool withFiles) {
        in.FolderStructures = std::move(structures);
        in.FullPaths = true;
        in.RelativePaths = false;
        in.MainFolderWithFiles = mainFolder && withFiles;
        in.MainFolderWithoutFiles = mainFolder && !withFiles;
        in.SubFoldersOnlyWithFiles = !mainFolder && withFiles;
        in.SubFoldersOnlyWithoutFiles = !mainFolder && !withFiles;
    }
    void Work(bool real) {
        Vol08StartRun(state, real);
        Vol08ComputeTotalsAndCheckSpace(state, in, in.WithFiles());
        sink.Clear();
        if (real) {
            RealDisk disk;
            Vol08CopyFolders(state, in, disk, sink, Vol08RunMessages());
        } else {
            DryDisk disk;
            Vol08CopyFolders(state, in, disk, sink, Vol08SimulationMessages());
        }
    }
    void Run() { Work(true); }
    void Simulate() { Work(false); }
    void Undo() {
        boxes.Queue(plat::IDYES);
        Vol08UndoLastRun(state, undoLog);
    }
    const Lines& L(Vol08Category c) const { return sink.lines[static_cast<std::size_t>(c)]; }
    const Lines& FailedUndo() const { return undoLog.lines[Vol08CatSubFoldersFailedUndo]; }
};

TEST_F(Vol08Engine, EachFolderGivesItsFilesMaskByMaskThenItsSubfolders) {
    in.IncludeFolders = {W("M1")};
    SetFileSelNameMasks({"*.TXT", "*.*"});
    in.Masks = GetFileSelNameMasks();
    Run();
    const std::string m = W("M1\\Src");
    // Extensions compare without letter case; "*.*" takes every file, one
    // without extension too; a file two masks take comes twice.
    EXPECT_EQ(sink.all, (Lines{"1 " + m, "2 " + m + "\\a.txt", "2 " + m + "\\B.TXT", "5 " + m + "\\a.txt",
                               "5 " + m + "\\B.TXT", "2 " + m + "\\c.doc", "2 " + m + "\\noext", "1 " + m + "\\Sub",
                               "2 " + m + "\\Sub\\d.txt", "5 " + m + "\\Sub\\d.txt", "1 " + m + "\\Sub\\Deep",
                               "0 " + W("M1")}));
    EXPECT_EQ(drive.ReadFile("Work\\M1\\Src\\noext"), "ccc");
    EXPECT_EQ(state.Counters.FilesToCopy, 8);  // as the totals count them
    EXPECT_EQ(state.Counters.FileSizeCopied, 1 + 2 + 3 + 4 + 5);
    EXPECT_EQ(state.Counters.FileSizeExists, 1 + 2 + 5);
    EXPECT_TRUE(boxes.shown().empty());

    // Subfolders only, a second time: the main folder itself gives nothing,
    // every other folder and file is there already and stays as it is.
    drive.WriteFile("Work\\M1\\a.txt", "mine");
    SetFileSelNameMasks({"*.txt"});
    in.Masks = GetFileSelNameMasks();
    Use({drive.path("Src")}, false, true);
    Run();
    Run();
    EXPECT_EQ(L(Vol08CatSubFoldersCopied), Lines{});
    EXPECT_EQ(L(Vol08CatSubFoldersExists), (Lines{W("M1\\Sub"), W("M1\\Sub\\Deep")}));
    EXPECT_EQ(L(Vol08CatFilesExists), (Lines{W("M1\\a.txt"), W("M1\\B.TXT"), W("M1\\Sub\\d.txt")}));
    EXPECT_EQ(drive.ReadFile("Work\\M1\\a.txt"), "mine");
}

TEST_F(Vol08Engine, AFileTheTotalsDidNotMeasureIsSaidOncePerRun) {
    Vol08StartRun(state, true);
    RealDisk disk;
    Vol08CopyFolders(state, in, disk, sink, Vol08RunMessages());
    EXPECT_EQ(state.Counters.FilesCopied, 2 * 5);
    EXPECT_EQ(state.Counters.FileSizeCopied, 0);
    ASSERT_EQ(boxes.shown().size(), 5u);
    EXPECT_EQ(boxes.shown()[0].text, "The path doesn't exists : \n" + drive.path("Src\\a.txt"));
    EXPECT_EQ(boxes.shown()[0].caption,
              "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80059.");
}

TEST_F(Vol08Engine, AStructureHoldingOrInsideTheMainFolderIsRefusedByItsRealFolder) {
    drive.MakeFolder("Src\\Inside");
    drive.MakeFolder("Work\\M2\\Model\\Sub");
    plat::MapDrive('U', drive.native());  // a second name for the same folders
    in.IncludeFolders = {drive.path("Src\\Inside"), "U:\\Src\\Sub\\Deep", W("M1"), W("M2")};
    Use({"U:\\Src", W("M2\\Model")}, true, true);
    Run();
    plat::UnmapDrive('U');
    // Src holds Inside and Deep, under either drive letter; Model lies in M2.
    EXPECT_FALSE(drive.Exists("Src\\Inside\\Src"));
    EXPECT_FALSE(drive.Exists("Src\\Sub\\Deep\\Src"));
    EXPECT_FALSE(drive.Exists("Work\\M2\\Model\\Model"));
    EXPECT_TRUE(drive.Exists("Src\\Inside\\Model\\Sub"));
    EXPECT_TRUE(drive.Exists("Src\\Sub\\Deep\\Model\\Sub"));
    EXPECT_TRUE(drive.Exists("Work\\M1\\Model\\Sub"));
    EXPECT_TRUE(drive.Exists("Work\\M2\\Src\\Sub\\Deep"));
    // Src was read before the run made Model inside it.
    EXPECT_TRUE(drive.Exists("Work\\M1\\Src\\Inside"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\Inside\\Model"));
    // A structure's first refusal shows as it comes, the later ones in one box at the end.
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].caption,
              "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 80050.");
    EXPECT_EQ(boxes.shown()[2].caption, boxes.shown()[0].caption);
    EXPECT_EQ(boxes.shown()[2].text, "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is "
                                     "the same as the source Folder !!! \nDestination Folder : U:\\Src\\Sub\\Deep\n"
                                     "Source Folder      : U:\\Src");
}

TEST_F(Vol08Engine, LinksAreEntriesOfTheirOwnAndNeverFollowed) {
    drive.WriteFile("Outside\\secret.txt", "s");
    fs::create_directory_symlink(drive.nativePath("Outside"), drive.nativePath("Src\\ToOutside"));
    fs::create_symlink(drive.nativePath("Outside\\secret.txt"), drive.nativePath("Src\\secret.txt"));
    fs::create_directory_symlink(drive.nativePath("Outside"), drive.nativePath("Work\\LinkMain"));
    in.IncludeFolders = {W("M1"), W("LinkMain")};
    Run();
    EXPECT_TRUE(drive.Exists("Work\\M1\\Src\\a.txt"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\ToOutside"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\secret.txt"));
    EXPECT_EQ(L(Vol08CatFoldersNotExists), Lines{W("LinkMain")});
    EXPECT_FALSE(drive.Exists("Outside\\Src"));
}

TEST_F(Vol08Engine, AFailedCopyIsAnotherReasonAndLeavesNothing) {
    chmod(drive.nativePath("Src\\B.TXT").c_str(), 06755 | S_ISVTX);
    Vol08StartRun(state, true);
    Vol08ComputeTotalsAndCheckSpace(state, in, true);
    RealDisk disk;
    Vol08Copier copier(state, in, disk, sink, Vol08RunMessages());
    fs::remove(drive.nativePath("Src\\a.txt"));  // gone after the structure was read
    copier.CopyAll();
    EXPECT_EQ(L(Vol08CatSubFoldersOtherReasons), (Lines{W("M1\\Src\\a.txt"), W("M2\\Src\\a.txt")}));
    EXPECT_TRUE(L(Vol08CatFilesExists).empty());
    for (const char* main : {"Work\\M1\\Src", "Work\\M2\\Src"}) {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(drive.nativePath(main))) names.insert(e.path().filename());
        EXPECT_EQ(names, (std::set<std::string>{"B.TXT", "Sub", "c.doc", "noext"})) << main;
    }
    // Copies never carry set-user-ID, set-group-ID or sticky bits.
    struct stat st {};
    ASSERT_EQ(stat(drive.nativePath("Work\\M1\\Src\\B.TXT").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);
}

// A main folder line no run can use names no folder that exists: each main
// folder line is in one outcome of the folder row. An unusable structure is
// one not copied for another reason.
TEST_F(Vol08Engine, UnusableItemsAreOtherReasonsAndMissingOnesDoNotExist) {
    in.IncludeFolders = {W("M1\\."), "T:Work\\M1", "T:\\", "nodrive", W("Missing"), W("M1")};
    Use({drive.path("Src\\..\\Src"), "Models", drive.path("Gone")}, true, false);
    Run();
    EXPECT_EQ(L(Vol08CatSubFoldersOtherReasons), (Lines{drive.path("Src\\..\\Src")}));
    const Lines notThere = {"T:Work\\M1", "T:\\", W("M1\\."), W("Missing"), "nodrive"};
    EXPECT_EQ(L(Vol08CatFoldersNotExists), notThere);
    EXPECT_EQ(state.Vol08MainFoldersNotExist, StringList(notThere.begin(), notThere.end()));
    EXPECT_EQ(state.Counters.FoldersNotExists, 5);
    EXPECT_TRUE(L(Vol08CatFoldersCopied).empty());
    EXPECT_EQ(fs::directory_iterator(drive.nativePath("Work\\M1")) == fs::directory_iterator(), true);
}

TEST_F(Vol08Engine, TheSimulationGivesTheRunsOutcomesAndChangesNothing) {
    drive.WriteFile("Work\\M1\\Src\\a.txt", "old");
    drive.WriteFile("Work\\M2\\Src", "a file where a folder would go");
    in.IncludeFolders = {W("M1"), W("M2"), W("Missing"), W("M1\\..\\M2")};
    Run();  // something to undo, which the simulation must keep
    const DEQ_CREATED_FILES copied = state.Vol08CopiedFiles;
    drive.MakeFolder("Work\\M3");
    in.IncludeFolders.push_back(W("M3"));
    const auto before = Tree(drive.native());
    Simulate();
    const Lines simulated = sink.all;
    const auto counters = sink.counters;
    EXPECT_EQ(Tree(drive.native()), before);
    EXPECT_EQ(state.Vol08CopiedFiles.size(), copied.size());
    EXPECT_EQ(state.Vol08LastBases.size(), 1u);
    Run();
    EXPECT_EQ(sink.all, simulated);
    EXPECT_EQ(sink.counters, counters);
    // A main folder whose structure folder cannot be made received nothing.
    EXPECT_EQ(L(Vol08CatFoldersCopied), (Lines{W("M1"), W("M3")}));
    EXPECT_EQ(L(Vol08CatSubFoldersOtherReasons).size(), 8u);
}

TEST_F(Vol08Engine, UndoKeepsAFileTheUserChangedAndRetriesWhatStayed) {
    Run();
    drive.WriteFile("Work\\M1\\Src\\Sub\\d.txt", "edited by the user");
    Undo();
    EXPECT_EQ(drive.ReadFile("Work\\M1\\Src\\Sub\\d.txt"), "edited by the user");
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\a.txt"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\Sub\\Deep"));
    EXPECT_FALSE(drive.Exists("Work\\M2\\Src"));
    EXPECT_EQ(FailedUndo(), (Lines{W("M1\\Src\\Sub"), W("M1\\Src")}));
    EXPECT_EQ(state.Counters.SubFoldersFailedUndo, 2);
    EXPECT_EQ(undoLog.clears, 1);
    ASSERT_GE(boxes.shown().size(), 3u);
    EXPECT_NE(boxes.shown()[1].text.find(W("M1\\Src\\Sub\\d.txt") + "  (changed since the run)"), std::string::npos);

    fs::remove(drive.nativePath("Work\\M1\\Src\\Sub\\d.txt"));
    Undo();
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src"));
    EXPECT_TRUE(drive.Exists("Work\\M1"));
    boxes.Clear();
    Vol08UndoLastRun(state, undoLog);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption,
              "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 80054.");
}

TEST_F(Vol08Engine, UndoTakesFilesCopiedIntoFoldersThatWereThere) {
    drive.WriteFile("Work\\M1\\Src\\Sub\\own.txt", "own");
    drive.MakeFolder("Work\\M1\\Src\\Sub\\Deep");
    in.IncludeFolders = {W("M1")};
    Run();
    EXPECT_TRUE(state.Vol08CreatedSubFolders.empty());
    EXPECT_EQ(state.Vol08CopiedFiles.size(), 5u);
    Undo();
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\a.txt"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\Sub\\d.txt"));
    EXPECT_EQ(drive.ReadFile("Work\\M1\\Src\\Sub\\own.txt"), "own");
    EXPECT_TRUE(drive.Exists("Work\\M1\\Src\\Sub\\Deep"));
    EXPECT_TRUE(FailedUndo().empty());
}

TEST_F(Vol08Engine, TemplateLinesMakeOneFolderEachAndUndoStopsAtFoldersThatWereThere) {
    drive.MakeFolder("Work\\M1\\Old");
    drive.MakeFolder("Work\\M1\\Keep");
    in.FullPaths = false;
    in.RelativePaths = true;
    in.FolderStructures = {"Docs\\Plans", "Old", "Keep\\New", "..\\Escape", "T:\\Work\\M1"};
    Run();
    // A folder on a line's way is made, or found there, and named as its line's folder is.
    EXPECT_EQ(L(Vol08CatSubFoldersCopied),
              (Lines{W("M1\\Docs"), W("M1\\Docs\\Plans"), W("M1\\Keep\\New"), W("M2\\Docs"), W("M2\\Docs\\Plans"),
                     W("M2\\Old"), W("M2\\Keep"), W("M2\\Keep\\New")}));
    EXPECT_EQ(L(Vol08CatSubFoldersExists), (Lines{W("M1\\Old"), W("M1\\Keep")}));
    // The line refused for M1 is the folder it counted there.
    EXPECT_EQ(L(Vol08CatSubFoldersOtherReasons), (Lines{"..\\Escape", "T:\\Work\\M1", "..\\Escape", "T:\\Work\\M1"}));
    EXPECT_FALSE(drive.Exists("Escape"));
    ASSERT_EQ(boxes.shown().size(), 1u);  // the line that names a main folder
    EXPECT_EQ(state.Counters.SubFoldersToCopy, 2 * (5 + 2));
    EXPECT_EQ(state.Counters.SubFoldersToCopy, state.Counters.SubFoldersCopied + state.Counters.SubFoldersExists +
                                                   state.Counters.SubFoldersOtherReasons);
    Undo();
    EXPECT_FALSE(drive.Exists("Work\\M1\\Docs"));
    EXPECT_FALSE(drive.Exists("Work\\M2\\Keep"));
    EXPECT_TRUE(drive.Exists("Work\\M1\\Keep"));  // it was there: never removed, empty or not
    EXPECT_TRUE(drive.Exists("Work\\M1\\Old"));
    EXPECT_TRUE(drive.Exists("Work\\M2"));
}

// The run copies into a folder and one inside it alike: both count, and
// the drive holds both copies.
TEST_F(Vol08Engine, TotalsCountEveryMainFolderTheRunCopiesIntoAndWeighEachDrive) {
    drive.MakeFolder("Work\\M1\\Inner");
    in.IncludeFolders = {W("M1"), W("M1\\Inner"), W("M1"), " "};
    EXPECT_TRUE(Vol08ComputeTotalsAndCheckSpace(state, in, true));
    EXPECT_EQ(state.Counters.FoldersToCopy, 2);
    EXPECT_EQ(state.Counters.SubFoldersToCopy, 6);
    EXPECT_EQ(state.Counters.FileSizeToCopy, 30);
    EXPECT_EQ(Vol08ComputeDriveNeeds(state, in), (std::map<std::string, std::uint64_t>{{"T:", 30}}));
    // A second mask takes the text files again, which are there by then: the
    // drive holds them once.
    in.Masks = {"*.*", "*.txt"};
    EXPECT_TRUE(Vol08ComputeTotalsAndCheckSpace(state, in, true));
    EXPECT_EQ(state.Counters.FilesToCopy, 2 * 8);
    EXPECT_EQ(state.Counters.FileSizeToCopy, 2 * 23);
    EXPECT_EQ(Vol08ComputeDriveNeeds(state, in), (std::map<std::string, std::uint64_t>{{"T:", 30}}));
    EXPECT_TRUE(Vol08WeighDrive("T:\\", 30, 30));
    EXPECT_FALSE(Vol08WeighDrive("T:\\", 31, 30));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Creating Folder(s).-From a Folder List.            Information no: 80058.");
    in.IncludeFolders.clear();
    EXPECT_FALSE(Vol08ComputeTotalsAndCheckSpace(state, in, true));
}

}  // namespace
