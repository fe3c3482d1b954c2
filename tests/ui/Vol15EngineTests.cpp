// The consistency checker below its windows, on generated projects on a
// temporary drive: what is missing and what is extra in each compare way,
// with one model or several, full-path and template models, letter case,
// links, masks, unreadable folders, and what the run leaves alone.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "pages/checker/Vol15Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A label is "lbl" and the counter's name. Outside the unnamed namespace:
// the log's template finds it by the counters' type.
void ReadCounters(std::span<const CounterLabel> labels, Vol15Counters& c) {
    double* const fields[] = {&c.Stat15FoldersToCheck,   &c.Stat15SubFoldersToCheck, &c.Stat15FilesToCheck,
                              &c.Stat15FoldersMissing,   &c.Stat15SubFoldersMissing, &c.Stat15FilesMissing,
                              &c.Stat15FoldersExtra,     &c.Stat15SubFoldersExtra,   &c.Stat15FilesExtra,
                              &c.Stat15FoldersNotExists, &c.Stat15SubFoldersOtherReasons};
    const auto names = Vol15Counters{}.Labels();
    for (const CounterLabel& l : labels)
        for (std::size_t i = 0; i < names.size(); ++i)
            if (std::string(l.Label) == names[i].Label) *fields[i] = l.Value;
}

namespace {

using RecordingLog = testlog::CountingLog<Vol15Counters>;

// Every path below the drive's root with its kind (and a file's content).
std::map<std::string, std::string> Tree(const testsupport::TempDrive& drive) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(drive.native()))
        tree[e.path().string()] = e.is_symlink() ? "<link>" : e.is_directory() ? "<dir>" : "<file>";
    return tree;
}

class Vol15Engine : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    Vol15State state;
    RecordingLog log;
    Vol15Inputs in;
    RunHooks hooks;

    void SetUp() override {
        ResetSettingsToInitialValues();
        SetFileSelNameMasks({"*.*"});
        // The model: Std\readme.txt, Std\Docs\a.txt, Std\Src\main.c, Std\Src\lib.
        drive.WriteFile("Models\\Std\\readme.txt", "r");
        drive.WriteFile("Models\\Std\\Docs\\a.txt", "a");
        drive.WriteFile("Models\\Std\\Src\\main.c", "m");
        drive.MakeFolder("Models\\Std\\Src\\lib");
        drive.MakeFolder("Jobs");
        in.FullPaths = true;
        in.FolderStructures = {drive.path("Models\\Std")};
    }
    void TearDown() override { SetFolderTemplateOptions(5, _tagFoldersTemplateOptions()); }

    std::string J(const std::string& rel) const { return drive.path("Jobs\\" + rel); }
    // A project as a faithful copy of the model's content (or its main folder).
    void MakeProject(const std::string& name, bool mainFolder = false) {
        const std::string base = "Jobs\\" + name + (mainFolder ? "\\Std" : "");
        drive.WriteFile(base + "\\readme.txt", "r");
        drive.WriteFile(base + "\\Docs\\a.txt", "a");
        drive.WriteFile(base + "\\Src\\main.c", "m");
        drive.MakeFolder(base + "\\Src\\lib");
    }
    void Mode(bool mainFolder, bool withFiles) {
        in.MainFolderWithFiles = mainFolder && withFiles;
        in.MainFolderWithoutFiles = mainFolder && !withFiles;
        in.SubFoldersOnlyWithFiles = !mainFolder && withFiles;
        in.SubFoldersOnlyWithoutFiles = !mainFolder && !withFiles;
    }
    void Run(int answer = plat::IDYES) {
        boxes.Queue(answer);
        Vol15CheckProjectsConsistency(state, in, log, hooks);
    }
    Lines L(Vol15Category c) const { return log.lines[c]; }
    Lines Numbers() const {
        Lines out;
        for (const auto& b : boxes.shown()) out.push_back(b.caption.substr(b.caption.rfind(' ') + 1));
        return out;
    }
};

}  // namespace

// Subfolders only, with files: a faithful project has nothing to report; a
// changed one lists what it lacks (the lines of the Visual Log and the
// hidden export lines) and what it has beyond the model, walked all the way
// down; a project folder that does not exist is listed once.
TEST_F(Vol15Engine, SubFoldersOnlyFindsMissingAndExtraFoldersAndFiles) {
    Mode(false, true);
    MakeProject("Good");
    MakeProject("Bad");
    fs::remove_all(drive.nativePath("Jobs\\Bad\\Src"));
    fs::remove(drive.nativePath("Jobs\\Bad\\Docs\\a.txt"));
    drive.WriteFile("Jobs\\Bad\\Docs\\b.txt", "b");
    drive.WriteFile("Jobs\\Bad\\Old\\Deep\\x.txt", "x");
    in.IncludeFolders = {J("Good"), J("Bad"), J("Gone"), "  ", J("Good") + "\\"};
    Run();

    const std::string bad = J("Bad");
    EXPECT_EQ(L(Vol15FoldersMissing), Lines{bad});
    EXPECT_EQ(L(Vol15SubFoldersMissing),
              (Lines{bad + "\\Src is Missing from " + bad, bad + "\\Src\\lib is Missing from " + bad}));
    EXPECT_EQ(L(Vol15FilesMissing), (Lines{bad + "\\Docs\\a.txt is Missing from " + bad,
                                           bad + "\\Src\\main.c is Missing from " + bad}));
    EXPECT_EQ(log.exports[Vol15SubFoldersMissing], (Lines{bad + "," + bad + "\\Src", bad + "," + bad + "\\Src\\lib"}));
    EXPECT_EQ(log.exports[Vol15FilesMissing].front(), bad + "," + bad + "\\Docs\\a.txt");
    EXPECT_EQ(L(Vol15FoldersExtra), Lines{bad});
    EXPECT_EQ(L(Vol15SubFoldersExtra), (Lines{bad + "\\Old", bad + "\\Old\\Deep"}));
    EXPECT_EQ(L(Vol15FilesExtra), (Lines{bad + "\\Docs\\b.txt", bad + "\\Old\\Deep\\x.txt"}));
    EXPECT_EQ(L(Vol15FoldersNotExists), Lines{J("Gone")});
    EXPECT_TRUE(L(Vol15SubFoldersOtherReasons).empty());

    const Vol15Counters& c = state.Counters;
    EXPECT_EQ(c.Stat15FoldersToCheck, 3);  // "Good" twice is one project
    EXPECT_EQ(c.Stat15SubFoldersToCheck, 3 * 3);
    EXPECT_EQ(c.Stat15FilesToCheck, 3 * 3);
    EXPECT_EQ(c.Stat15FoldersMissing, 1);
    EXPECT_EQ(c.Stat15SubFoldersMissing, 2);
    EXPECT_EQ(c.Stat15FilesMissing, 2);
    EXPECT_EQ(c.Stat15FoldersExtra, 1);
    EXPECT_EQ(c.Stat15SubFoldersExtra, 2);
    EXPECT_EQ(c.Stat15FilesExtra, 2);
    EXPECT_EQ(c.Stat15FoldersNotExists, 1);
    EXPECT_EQ(log.shown.Values(), c.Values());
    EXPECT_EQ(Numbers(), (Lines{"150048.", "150052."}));
}

// Main folder: the model folder's own name is expected below each project;
// anything else there is extra, even a folder that the model's parent
// folder happens to hold too. Without files no file is looked at.
TEST_F(Vol15Engine, MainFolderModeExpectsTheModelFolderByName) {
    Mode(true, false);
    MakeProject("Right", true);
    drive.MakeFolder("Jobs\\Wrong\\Docs");
    drive.WriteFile("Jobs\\Wrong\\loose.txt", "l");
    drive.MakeFolder("Models\\Other");  // beside the model, not part of it
    drive.MakeFolder("Jobs\\Right\\Other");
    drive.WriteFile("Jobs\\Right\\Std\\Docs\\extra.txt", "e");  // files are not compared
    in.IncludeFolders = {J("Wrong"), J("Right")};
    Run();

    const std::string w = J("Wrong");
    EXPECT_EQ(L(Vol15SubFoldersMissing),
              (Lines{w + "\\Std is Missing from " + w, w + "\\Std\\Docs is Missing from " + w,
                     w + "\\Std\\Src is Missing from " + w, w + "\\Std\\Src\\lib is Missing from " + w}));
    EXPECT_EQ(L(Vol15FoldersMissing), Lines{w});
    EXPECT_EQ(L(Vol15SubFoldersExtra), (Lines{J("Right\\Other"), w + "\\Docs"}));
    EXPECT_EQ(L(Vol15FoldersExtra), (Lines{J("Right"), w}));
    EXPECT_TRUE(L(Vol15FilesMissing).empty());
    EXPECT_TRUE(L(Vol15FilesExtra).empty());
    EXPECT_EQ(state.Counters.Stat15SubFoldersToCheck, 2 * 4);  // Std, Docs, Src, lib
    EXPECT_EQ(state.Counters.Stat15FilesToCheck, 0);
}

// Several models are one: an entry is extra only when no model holds it,
// and what two models share is missing once.
TEST_F(Vol15Engine, SeveralModelsAccountForEachOthersEntries) {
    Mode(false, true);
    drive.WriteFile("Models\\Other\\Plans\\p.txt", "p");
    drive.WriteFile("Models\\Other\\Docs\\a.txt", "a");  // shared with Std
    in.FolderStructures.push_back(drive.path("Models\\Other"));
    MakeProject("P");
    drive.WriteFile("Jobs\\P\\Plans\\p.txt", "p");
    drive.MakeFolder("Jobs\\P\\Junk");
    drive.MakeFolder("Jobs\\Q");
    in.IncludeFolders = {J("P"), J("Q")};
    Run();

    EXPECT_EQ(L(Vol15SubFoldersExtra), Lines{J("P\\Junk")});
    EXPECT_TRUE(L(Vol15FilesExtra).empty());
    const std::string q = J("Q");
    EXPECT_EQ(L(Vol15SubFoldersMissing),
              (Lines{q + "\\Docs is Missing from " + q, q + "\\Src is Missing from " + q,
                     q + "\\Plans is Missing from " + q, q + "\\Src\\lib is Missing from " + q}));
    EXPECT_EQ(L(Vol15FilesMissing),
              (Lines{q + "\\readme.txt is Missing from " + q, q + "\\Docs\\a.txt is Missing from " + q,
                     q + "\\Src\\main.c is Missing from " + q, q + "\\Plans\\p.txt is Missing from " + q}));
    EXPECT_EQ(state.Counters.Stat15SubFoldersToCheck, 2 * 4);
    EXPECT_EQ(state.Counters.Stat15FilesToCheck, 2 * 4);
}

// Linux names differ by letter case: "docs" is not "Docs". The project
// lacks the one and holds the other in addition; both are said.
TEST_F(Vol15Engine, CaseDifferentNamesAreDifferentEntries) {
    Mode(false, true);
    MakeProject("P");
    fs::rename(drive.nativePath("Jobs\\P\\Docs"), drive.nativePath("Jobs\\P\\docs"));
    fs::rename(drive.nativePath("Jobs\\P\\readme.txt"), drive.nativePath("Jobs\\P\\README.TXT"));
    in.IncludeFolders = {J("P"), "t" + J("P").substr(1)};  // the drive letter is no name: one project
    Run();

    const std::string p = J("P");
    EXPECT_EQ(L(Vol15SubFoldersMissing), Lines{p + "\\Docs is Missing from " + p});
    EXPECT_EQ(L(Vol15FilesMissing),
              (Lines{p + "\\readme.txt is Missing from " + p, p + "\\Docs\\a.txt is Missing from " + p}));
    EXPECT_EQ(L(Vol15SubFoldersExtra), Lines{p + "\\docs"});
    EXPECT_EQ(L(Vol15FilesExtra), (Lines{p + "\\README.TXT", p + "\\docs\\a.txt"}));
    EXPECT_EQ(state.Counters.Stat15FoldersToCheck, 1);
}

// A link inside a project is an entry of its own: never entered, never
// standing in for the folder or file the model wants there, and extra
// as a file when files are compared. A link as the project folder itself
// is no project folder.
TEST_F(Vol15Engine, LinksInsideProjectsAreNeverEntered) {
    Mode(false, true);
    MakeProject("P");
    drive.WriteFile("Elsewhere\\Docs\\a.txt", "a");
    drive.WriteFile("Elsewhere\\Docs\\secret.txt", "s");
    fs::remove_all(drive.nativePath("Jobs\\P\\Docs"));
    fs::create_directory_symlink(drive.nativePath("Elsewhere\\Docs"), drive.nativePath("Jobs\\P\\Docs"));
    fs::remove(drive.nativePath("Jobs\\P\\readme.txt"));
    fs::create_symlink(drive.nativePath("Elsewhere\\Docs\\a.txt"), drive.nativePath("Jobs\\P\\readme.txt"));
    fs::create_directory_symlink(drive.nativePath("Jobs\\P"), drive.nativePath("Jobs\\Alias"));
    in.IncludeFolders = {J("P"), J("Alias")};
    Run();

    const std::string p = J("P");
    EXPECT_EQ(L(Vol15SubFoldersMissing), Lines{p + "\\Docs is Missing from " + p});
    EXPECT_EQ(L(Vol15FilesMissing),
              (Lines{p + "\\readme.txt is Missing from " + p, p + "\\Docs\\a.txt is Missing from " + p}));
    EXPECT_EQ(L(Vol15FilesExtra), (Lines{p + "\\Docs", p + "\\readme.txt"}));
    EXPECT_TRUE(L(Vol15SubFoldersExtra).empty());
    EXPECT_EQ(L(Vol15FoldersNotExists), Lines{J("Alias")});

    // Without files a link is not looked at at all.
    Mode(false, false);
    Run();
    EXPECT_EQ(L(Vol15SubFoldersMissing), Lines{p + "\\Docs is Missing from " + p});
    EXPECT_TRUE(L(Vol15FilesExtra).empty());
    EXPECT_TRUE(L(Vol15SubFoldersExtra).empty());
}

// A link (or a pipe) is an entry of its own in the model as in a project:
// a copy made with `cp -a` equals its model in every compare way, and a
// link where the other side holds a file, a folder or nothing is a finding.
TEST_F(Vol15Engine, LinksAreEntriesInModelAndProjectAlike) {
    fs::create_symlink("readme.txt", drive.nativePath("Models\\Std\\readme.lnk"));
    fs::create_directory_symlink("Docs", drive.nativePath("Models\\Std\\Docs.lnk"));
    fs::create_symlink("main.c", drive.nativePath("Models\\Std\\Src\\main.lnk"));
    ASSERT_EQ(mkfifo(drive.nativePath("Models\\Std\\Src\\pipe").c_str(), 0600), 0);
    drive.MakeFolder("Jobs\\Main");
    for (const std::string copy : {"Jobs\\Main\\Std", "Jobs\\P"}) {
        const std::string cp = "cp -a '" + drive.nativePath("Models\\Std") + "' '" + drive.nativePath(copy) + "'";
        ASSERT_EQ(std::system(cp.c_str()), 0);
    }
    for (const int mode : {0, 1, 2, 3}) {
        Mode(mode & 1, mode & 2);
        in.IncludeFolders = {J(mode & 1 ? "Main" : "P")};
        Run();
        for (const Lines& l : log.lines) EXPECT_EQ(l, Lines{}) << "mode " << mode;
        EXPECT_EQ(state.Counters.Stat15FilesToCheck, mode & 2 ? 7 : 0);  // 3 files, 3 links, the pipe
    }

    fs::remove(drive.nativePath("Jobs\\P\\Docs.lnk"));
    drive.MakeFolder("Jobs\\P\\Docs.lnk");
    fs::remove(drive.nativePath("Jobs\\P\\readme.lnk"));
    fs::remove(drive.nativePath("Jobs\\P\\Src\\main.c"));
    fs::create_symlink("main.lnk", drive.nativePath("Jobs\\P\\Src\\main.c"));
    fs::create_symlink("main.c", drive.nativePath("Jobs\\P\\Src\\new.lnk"));
    const std::string p = J("P");
    in.IncludeFolders = {p};
    Mode(false, true);
    Run();
    EXPECT_EQ(L(Vol15SubFoldersExtra), Lines{p + "\\Docs.lnk"});
    EXPECT_TRUE(L(Vol15SubFoldersMissing).empty());
    EXPECT_EQ(L(Vol15FilesMissing),
              (Lines{p + "\\Docs.lnk is Missing from " + p, p + "\\readme.lnk is Missing from " + p,
                     p + "\\Src\\main.c is Missing from " + p}));
    EXPECT_EQ(L(Vol15FilesExtra), (Lines{p + "\\Src\\main.c", p + "\\Src\\new.lnk"}));
}

// Only the files the File Selection masks take are compared, in both passes.
TEST_F(Vol15Engine, FileMasksApplyToModelAndProjectAlike) {
    Mode(false, true);
    SetFileSelNameMasks({"*.txt"});
    drive.MakeFolder("Jobs\\P\\Docs");
    drive.MakeFolder("Jobs\\P\\Src\\lib");
    drive.WriteFile("Jobs\\P\\build.log", "l");
    drive.WriteFile("Jobs\\P\\notes.txt", "n");
    in.IncludeFolders = {J("P")};
    Run();

    const std::string p = J("P");
    EXPECT_EQ(L(Vol15FilesMissing),
              (Lines{p + "\\readme.txt is Missing from " + p, p + "\\Docs\\a.txt is Missing from " + p}));
    EXPECT_EQ(L(Vol15FilesExtra), Lines{p + "\\notes.txt"});
    EXPECT_EQ(state.Counters.Stat15FilesToCheck, 2);
}

// Template lines are compared in memory, nothing is made anywhere: each
// line is one expected folder (its parents are no findings of their own),
// a folder of the project is extra unless it lies on a line's path, and
// with files every file is extra. A line that would leave the project
// folder or gives no folder is not checked.
TEST_F(Vol15Engine, TemplateLinesAreComparedInMemory) {
    Mode(false, false);
    in.FullPaths = false;
    in.RelativePaths = true;
    in.FolderStructures = {"\\Docs", "\\Src\\lib\\", "\\..\\Outside", "\\Src\\..\\..\\x", "\\Work\\Plans."};
    drive.MakeFolder("Jobs\\P\\Docs");
    drive.MakeFolder("Jobs\\P\\Src\\Junk");
    drive.WriteFile("Jobs\\P\\Work\\Plans.\\f.txt", "f");  // the name as the line spells it
    drive.MakeFolder("Jobs\\Q");
    in.IncludeFolders = {J("P"), J("Q")};
    const auto before = Tree(drive);
    Run();

    EXPECT_EQ(Tree(drive), before);
    const std::string p = J("P"), q = J("Q");
    EXPECT_EQ(L(Vol15SubFoldersMissing),
              (Lines{p + "\\Src\\lib is Missing from " + p, q + "\\Docs is Missing from " + q,
                     q + "\\Src\\lib is Missing from " + q, q + "\\Work\\Plans. is Missing from " + q}));
    EXPECT_EQ(L(Vol15SubFoldersExtra), Lines{p + "\\Src\\Junk"});
    EXPECT_EQ(L(Vol15SubFoldersOtherReasons),
              (Lines{"\\..\\Outside", "\\Src\\..\\..\\x", "\\..\\Outside", "\\Src\\..\\..\\x"}));
    EXPECT_EQ(state.OtherReasonsList.size(), 4u);
    EXPECT_EQ(state.Counters.Stat15SubFoldersToCheck, 2 * 3);

    Mode(false, true);
    Run();
    EXPECT_EQ(L(Vol15FilesExtra), Lines{p + "\\Work\\Plans.\\f.txt"});

    // The first folder dropped, or replaced by the project's name.
    Mode(false, false);
    in.FolderStructures = {"\\Root\\Docs", "\\Root\\Root-Plans"};
    SetFolderTemplateOptions(5, {0, 0, "", 1, 0});
    Run();
    EXPECT_EQ(L(Vol15SubFoldersMissing), (Lines{p + "\\Root-Plans is Missing from " + p,
                                                q + "\\Docs is Missing from " + q,
                                                q + "\\Root-Plans is Missing from " + q}));
    SetFolderTemplateOptions(5, {0, 0, "", 0, 1});
    in.FolderStructures = {"\\Root\\Root-Plans"};
    Run();
    EXPECT_EQ(L(Vol15SubFoldersMissing),
              (Lines{p + "\\P-Plans is Missing from " + p, q + "\\Q-Plans is Missing from " + q}));
}

// The second pass follows only a first pass that the user confirmed and
// that started the results afresh; every other ending leaves the last
// results as they were.
TEST_F(Vol15Engine, ExtraPassFollowsOnlyAConfirmedMissingPass) {
    Mode(false, false);
    MakeProject("P");
    drive.MakeFolder("Jobs\\P\\Junk");
    in.IncludeFolders = {J("P")};
    Run();
    ASSERT_EQ(L(Vol15SubFoldersExtra), Lines{J("P\\Junk")});
    EXPECT_EQ(log.clears, 1);

    boxes.Clear();
    Run(plat::IDNO);
    EXPECT_EQ(Numbers(), Lines{"150048."});
    EXPECT_EQ(L(Vol15SubFoldersExtra), Lines{J("P\\Junk")});
    EXPECT_EQ(state.Counters.Stat15SubFoldersExtra, 1);
    EXPECT_EQ(log.clears, 1);

    boxes.Clear();
    in.FolderStructures.clear();
    Run();
    EXPECT_EQ(Numbers(), Lines{"150071."});
    EXPECT_EQ(state.Counters.Stat15SubFoldersExtra, 1);
    EXPECT_EQ(log.runStarts, 1);
}

// A project folder that is the model itself is not compared with it (and
// says so); the other models still are. The pre-count uses the run's own
// project list: sorted, each project once.
TEST_F(Vol15Engine, ModelEqualToAProjectIsLeftOutForThatProject) {
    Mode(false, false);
    drive.MakeFolder("Models\\Extra\\Only");
    in.FolderStructures.push_back(drive.path("Models\\Extra"));
    const std::string model = drive.path("Models\\Std");
    in.IncludeFolders = {drive.path("Models\\std\\docs"), "t" + model.substr(1), model};
    Vol15CountItemsToCheck(state, in, false);
    EXPECT_EQ(state.Counters.Stat15FoldersToCheck, 2);
    EXPECT_EQ(state.Counters.Stat15SubFoldersToCheck, 2 * 4);  // Docs, Src, lib, Only
    Run();

    EXPECT_EQ(Numbers(), (Lines{"150048.", "150073.", "150052."}));
    EXPECT_EQ(L(Vol15FoldersNotExists), Lines{drive.path("Models\\std\\docs")});
    EXPECT_EQ(L(Vol15SubFoldersMissing), Lines{model + "\\Only is Missing from " + model});
    EXPECT_EQ(L(Vol15SubFoldersExtra), (Lines{model + "\\Docs", model + "\\Src", model + "\\Src\\lib"}));
}

// A folder that cannot be read is not checked: it is listed so, and none
// of the model's entries below it is called missing. A name that the
// program cannot say (a backslash in it) is listed so by its name.
TEST_F(Vol15Engine, UnreadableFoldersAreNotCheckedRatherThanEmpty) {
    Mode(false, true);
    MakeProject("P");
    drive.MakeFolder("Jobs\\P\\Odd");
    std::ofstream(drive.nativePath("Jobs\\P\\Odd") + "/x\\y.txt") << "o";
    drive.MakeFolder("Jobs\\P\\Src\\lib\\Deep");
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.native());
    chmod(drive.nativePath("Jobs\\P\\Src").c_str(), 0);
    chmod(drive.nativePath("Models\\Std\\Docs").c_str(), 0);
    in.IncludeFolders = {J("P")};
    const int code = testsupport::RunAsNobody([&] {
        Run();
        const bool ok = L(Vol15SubFoldersOtherReasons) == Lines{drive.path("Models\\Std\\Docs"),
                                                                J("P\\Odd\\x\\y.txt"), J("P\\Src")} &&
                        L(Vol15SubFoldersMissing).empty() && L(Vol15FilesMissing).empty() &&
                        L(Vol15SubFoldersExtra) == Lines{J("P\\Odd")} && L(Vol15FilesExtra).empty() &&
                        state.Counters.Stat15SubFoldersOtherReasons == 3;
        return ok ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

// A project folder the user may enter but not list, or not even enter,
// exists: it is listed as not checked, never as a folder that does not
// exist, and nothing of the model is called missing from it.
TEST_F(Vol15Engine, AnUnlistableProjectIsNotCheckedRatherThanMissing) {
    Mode(false, true);
    MakeProject("Enter");
    MakeProject("Closed");
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.native());
    chmod(drive.nativePath("Jobs\\Enter").c_str(), 0111);
    chmod(drive.nativePath("Jobs\\Closed").c_str(), 0);
    in.IncludeFolders = {J("Enter"), J("Closed"), J("Gone")};
    const int code = testsupport::RunAsNobody([&] {
        Run();
        const bool ok = L(Vol15SubFoldersOtherReasons) == Lines{J("Closed"), J("Enter")} &&
                        L(Vol15FoldersNotExists) == Lines{J("Gone")} && L(Vol15FoldersMissing).empty() &&
                        L(Vol15SubFoldersMissing).empty() && L(Vol15FilesMissing).empty() &&
                        L(Vol15FoldersExtra).empty() && state.Counters.Stat15FoldersNotExists == 1;
        return ok ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}
