// The copy, delete and rename file pages below their windows, on a
// temporary drive: outcomes, working copies, undo, and the simulations
// against the runs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/FileNames.h"
#include "core/ShellServices.h"
#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/files/FileRuns.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/files/Vol12Engine.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/MessageBox.h"
#include "tests/support/MachineMemory.h"
#include "tests/ui/AtWeight.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

using testlog::RecordingLog;

// Every path below the drive's root with its content ("<dir>", "-> target").
std::map<std::string, std::string> Tree(const testsupport::TempDrive& drive) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(drive.native())) {
        std::string content = "<dir>";
        if (e.is_symlink()) {
            content = "-> " + fs::read_symlink(e.path()).string();
        } else if (e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        tree[e.path().string().substr(drive.native().size())] = content;
    }
    return tree;
}

class FilePages : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    RecordingLog log;

    void SetUp() override {
        SetFileSelNameMasks({"*.*"});
        drive.MakeFolder("Work");
        drive.MakeFolder("Work\\COPYFILES");
    }
    void TearDown() override { SetFileSelNameMasks({"*.*"}); }
    std::string P(const std::string& rel) const { return drive.path(rel); }
    Lines Numbers() const {
        Lines out;
        for (const auto& b : boxes.shown()) out.push_back(b.caption.substr(b.caption.rfind(' ') + 1));
        return out;
    }
};

// The lock another copy of the program holds on a folder: an open of its
// own of the lock file, locked. A lock is its open file's, so this process
// stands for that copy, and its own locks know nothing of it.
class AnotherCopysLock {
public:
    explicit AnotherCopysLock(const std::string& nativeFolder) : path_(nativeFolder + "/.qm-settings.lock") {
        fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        EXPECT_EQ(flock(fd_, LOCK_EX | LOCK_NB), 0);
    }
    ~AnotherCopysLock() { close(fd_); }
    // Its lock file where it was: a further copy finds it, and finds it held.
    bool StillThere() const {
        struct stat mine {}, there {};
        return fstat(fd_, &mine) == 0 && lstat(path_.c_str(), &there) == 0 && mine.st_dev == there.st_dev &&
               mine.st_ino == there.st_ino;
    }

private:
    std::string path_;
    int fd_ = -1;
};

// ---- copy files ----------------------------------------------------------------------------

class CopyFiles : public FilePages {
protected:
    Vol10State state;
    Vol10Inputs in;
    RunHooks hooks;

    void SetUp() override {
        FilePages::SetUp();
        drive.MakeFolder("Src");
        drive.MakeFolder("Dest");
        in.IncludeFolders = {P("Dest")};
        in.Sources = {P("Src")};
        in.Masks = {"*.*"};
        in.WorkingDir = P("Work");
        in.WorkingDirCopyFiles = P("Work\\COPYFILES");
    }
    void Overwrite() {
        in.DuplicatedFilesSkip = false;
        in.DuplicatedFilesOverWrite = true;
    }
    void Run() {
        boxes.Queue(plat::IDYES);
        Vol10RunCopyFiles(state, in, log, hooks);
    }
    void Simulate() {
        boxes.Queue(plat::IDYES);
        Vol10SimulateCopyFiles(state, in, log, hooks);
    }
    void Undo() {
        boxes.Queue(plat::IDYES);
        Vol10UndoLastRun(state, log);
    }
    Lines WorkingCopies() const {
        Lines names;
        for (const auto& e : fs::directory_iterator(drive.nativePath("Work\\COPYFILES")))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CopyFiles, TwoRunsOverwritingOneTargetAreUndoneToTheOriginal) {
    drive.WriteFile("Dest\\a.txt", "original");
    drive.WriteFile("Src\\a.txt", "first");
    Overwrite();
    Run();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "first");
    drive.WriteFile("Src\\a.txt", "second");
    Run();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "second");
    EXPECT_EQ(WorkingCopies(), (Lines{"a.txt", "aINC0000001.txt"}));
    EXPECT_EQ(log.lines[Vol10CatFilesOverWrited], Lines{"Overwrite: " + P("Dest\\a.txt") + " With: " + P("Src\\a.txt")});

    Undo();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "original");
    EXPECT_TRUE(WorkingCopies().empty());
    boxes.Clear();
    Undo();  // nothing left
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "original");
    EXPECT_EQ(Numbers(), Lines{"100049."});
}

TEST_F(CopyFiles, OneWorkingCopyPerTargetAndRunUnderAFreeName) {
    // Two sources write one target: the copy saved first holds the content
    // from before the run. A file already named like a working copy, in the
    // working folder or as another target, is never overwritten.
    drive.MakeFolder("Src2");
    in.Sources = {P("Src"), P("Src2")};
    drive.WriteFile("Dest\\a.txt", "original");
    drive.WriteFile("Dest\\aINC0000001.txt", "named like a copy");
    drive.WriteFile("Src\\a.txt", "one");
    drive.WriteFile("Src\\aINC0000001.txt", "other");
    drive.WriteFile("Src2\\a.txt", "two");
    drive.WriteFile("Work\\COPYFILES\\a.txt", "stray");
    Overwrite();
    Run();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "two");
    EXPECT_EQ(drive.ReadFile("Work\\COPYFILES\\a.txt"), "stray");
    EXPECT_EQ(WorkingCopies(), (Lines{"a.txt", "aINC0000001.txt", "aINC0000002.txt"}));
    EXPECT_EQ(state.Vol10OverwriteRecords.size(), 2u);
    EXPECT_EQ(log.counters["lblStat10FilesOverWrited"], 3);
    Undo();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "original");
    EXPECT_EQ(drive.ReadFile("Dest\\aINC0000001.txt"), "named like a copy");
    EXPECT_EQ(WorkingCopies(), Lines{"a.txt"});
}

TEST_F(CopyFiles, AFailedWorkingCopyLeavesTheTargetAlone) {
    drive.WriteFile("Dest\\a.txt", "original");
    drive.WriteFile("Src\\a.txt", "new");
    drive.WriteFile("Src\\b.txt", "plain");
    Overwrite();
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Dest"));
    testsupport::GiveToNobody(drive.nativePath("Src"));
    chmod(drive.nativePath("Work\\COPYFILES").c_str(), 0555);  // root's, read-only to nobody
    const int code = testsupport::RunAsNobody([&] {
        Run();
        if (drive.ReadFile("Dest\\a.txt") != "original") return 1;
        if (log.lines[Vol10CatFilesOtherReasons] !=
            Lines{"NOT Copied  Source: " + P("Src\\a.txt") + " To Dest: " + P("Dest\\a.txt")})
            return 2;
        return drive.ReadFile("Dest\\b.txt") == "plain" && state.Vol10OverwriteRecords.empty() ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
}

// A destination's refusal box that fails (its window gone) comes after the
// destination's copies are recorded: the Undo still removes them.
TEST_F(CopyFiles, ABoxThatFailsLosesNoUndoRecord) {
    drive.WriteFile("Src\\a.txt", "a");
    in.Sources = {P("Src"), P("Dest")};  // the destination itself: refused, with its box
    const auto before = Tree(drive);
    const plat::MessageBoxHandler script =
        plat::SetMessageBoxHandler([](const std::string&, const std::string& caption, unsigned flags) {
            if (caption.find("100046") != std::string::npos) throw std::runtime_error("no window");
            return (flags & plat::MB_BUTTONMASK) == plat::MB_YESNO ? int(plat::IDYES) : int(plat::IDOK);
        });
    Vol10RunCopyFiles(state, in, log, hooks);
    plat::SetMessageBoxHandler(script);
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "a");
    EXPECT_EQ(state.Vol10FilesCopied.size(), 1u);
    Undo();
    EXPECT_EQ(Tree(drive), before);
}

TEST_F(CopyFiles, SimulationGivesTheRunsOutcomesAndTouchesNothing) {
    drive.MakeFolder("Src\\Sub");
    drive.MakeFolder("Dest2");
    drive.WriteFile("Dest\\a.txt", "old");
    drive.WriteFile("Src\\a.txt", "new");
    drive.WriteFile("Src\\README", "no extension");
    drive.WriteFile("Src\\x.", "empty type");
    drive.WriteFile("Src\\Sub\\c.TXT", "upper");
    in.IncludeFolders = {P("Dest"), P("Dest2"), P("Missing")};
    in.CopyToMainFolders = false;
    in.CopyToMainFoldersExtensions = true;
    in.DuplicatedFilesSkip = false;
    in.DuplicatedFilesIncreaseFileNames = true;
    drive.MakeFolder("Dest\\txt");
    drive.WriteFile("Dest\\txt\\a.txt", "taken");
    const auto before = Tree(drive);
    Simulate();
    const auto simulated = log.lines;
    const auto counters = log.counters;
    EXPECT_EQ(log.runMode, 0);
    EXPECT_EQ(Tree(drive), before);
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(log.counters, counters);
    EXPECT_EQ(drive.ReadFile("Dest\\txt\\aINC0000001.txt"), "new");
    EXPECT_EQ(drive.ReadFile("Dest2\\noext\\README"), "no extension");
    // A name that ends in its dot has no type either: no type folder is the destination itself.
    EXPECT_EQ(drive.ReadFile("Dest2\\noext\\x."), "empty type");
    for (const std::string& folder : log.lines[Vol10CatSubFoldersCopied]) EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(drive.ReadFile("Dest2\\TXT\\c.TXT"), "upper");
    EXPECT_EQ(log.lines[Vol10CatFoldersNotExists], Lines{P("Missing")});

    // Undo removes the copies and the type folders the run made; the one
    // that held a file before stays.
    Undo();
    EXPECT_EQ(Tree(drive), before);
}

TEST_F(CopyFiles, WalksNeverEnterADestinationOrTheWorkingFolderOrALink) {
    // The destination and the working folder lie inside the source.
    in.Sources = {drive.path("")};
    in.IncludeFolders = {P("Dest")};
    drive.WriteFile("Src\\a.txt", "a");
    drive.WriteFile("Work\\w.txt", "w");
    drive.MakeFolder("Outside");
    drive.WriteFile("Outside\\secret.txt", "s");
    fs::create_directory_symlink(drive.nativePath("Outside"), drive.nativePath("Src\\link"));
    Run();
    EXPECT_EQ(log.lines[Vol10CatFilesCopied].size(), 2u);  // a.txt and secret.txt, once each
    EXPECT_FALSE(drive.Exists("Dest\\w.txt"));
    EXPECT_EQ(drive.ReadFile("Dest\\secret.txt"), "s");
    // Each folder the walk does not enter is named once, counted as it was
    // to copy; the link with its reason.
    EXPECT_EQ(log.lines[Vol10CatFilesOtherReasons],
              (Lines{"NOT Copied  Source: " + P("Dest") + " To Dest: " + P("Dest"),
                     "NOT Copied  Source: " + P("Work") + " To Dest: " + P("Dest"),
                     "NOT Copied  Source: " + P("Src\\link") + " (a link, not followed) To Dest: " + P("Dest\\link")}));
    EXPECT_EQ(state.Counters.FilesToCopy,
              state.Counters.FilesCopied + state.Counters.FilesSkipped + state.Counters.FilesOtherReasons);
}

TEST_F(CopyFiles, TwoMasksTakingOneFileCopyItOnceAndAChangedCopyStays) {
    in.Masks = {"*.txt", "a*.*"};
    SetFileSelNameMasks(in.Masks);
    drive.WriteFile("Src\\a.txt", "a");
    drive.WriteFile("Src\\b.log", "b");
    boxes.Queue(plat::IDYES);
    Vol10PrepareTotals(state, in, true);
    EXPECT_EQ(state.Counters.FilesToCopy, 1);
    Run();
    EXPECT_EQ(log.lines[Vol10CatFilesCopied], Lines{"Copy  Source: " + P("Src\\a.txt") + " To Dest: " + P("Dest\\a.txt")});
    EXPECT_EQ(log.lines[Vol10CatFilesExist], Lines{});
    drive.WriteFile("Dest\\a.txt", "edited by hand");
    Undo();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "edited by hand");
    ASSERT_GE(boxes.shown().size(), 2u);
    EXPECT_NE(boxes.shown()[boxes.shown().size() - 2].text.find("(changed since the run)"), std::string::npos);
}

// The copy takes what the delete takes: the name pattern, then the last extension.
TEST_F(CopyFiles, MasksWithoutExtensionTakeOnlyNamesWithoutOne) {
    in.Masks = {"*", "*.t*"};
    for (const char* name : {"README", "notes.txt", "a.tar.gz", "x.txt.bak"})
        drive.WriteFile(std::string("Src\\") + name, "x");
    Simulate();
    const Lines simulated = log.lines[Vol10CatFilesCopied];
    Run();
    const Lines expected{"Copy  Source: " + P("Src\\notes.txt") + " To Dest: " + P("Dest\\notes.txt"),
                         "Copy  Source: " + P("Src\\README") + " To Dest: " + P("Dest\\README")};
    EXPECT_EQ(log.lines[Vol10CatFilesCopied], expected);
    EXPECT_EQ(simulated, expected);
    EXPECT_FALSE(drive.Exists("Dest\\a.tar.gz"));
    EXPECT_FALSE(drive.Exists("Dest\\x.txt.bak"));
}

// A copy rewritten in place with its size kept and its time set back is
// someone's file now: only its status-change time tells, and it stays.
TEST_F(CopyFiles, ACopyRewrittenWithItsTimeSetBackStays) {
    drive.WriteFile("Src\\a.txt", "run's");
    drive.WriteFile("Src\\b.txt", "run's");
    Run();
    drive.RewriteKeepingSizeAndTime("Dest\\a.txt", "mine!");
    Undo();
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "mine!");
    EXPECT_FALSE(drive.Exists("Dest\\b.txt"));
    EXPECT_NE(boxes.shown()[boxes.shown().size() - 2].text.find(P("Dest\\a.txt") + "  (changed since the run)"),
              std::string::npos);
}

// Copies and new names go beneath an Include folder only as the list takes
// it: never a drive root or a place relative to a current folder.
TEST(FilePagesTargets, IncludeFoldersTheListWouldRefuseGetNothing) {
    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    RecordingLog log;
    drive.WriteFile("Src\\a.txt", "a");
    drive.MakeFolder("x");
    const auto before = Tree(drive);
    Vol10State copies;
    Vol10Inputs copy;
    copy.IncludeFolders = {"T:x", drive.path("")};
    copy.Sources = {drive.path("Src")};
    copy.Masks = {"*.*"};
    boxes.Queue(plat::IDYES);
    Vol10RunCopyFiles(copies, copy, log, {});
    EXPECT_EQ(copies.Vol10FoldersNotExist, (StringList{drive.path(""), "T:x"}));
    Vol12State renames;
    Vol12Inputs rename;
    rename.IncludeFolders = {"T:x", drive.path("")};
    rename.NewPrefix = "new_";
    boxes.Queue(plat::IDYES);
    Vol12RunRenameFiles(renames, rename, log, {});
    EXPECT_EQ(renames.FoldersNotExist, 2);
    EXPECT_EQ(Tree(drive), before);
}

// ---- delete files ----------------------------------------------------------------------------

class DeleteFiles : public FilePages {
protected:
    Vol11State state;
    Vol11Inputs in;
    RunHooks hooks;
    void SetUp() override {
        FilePages::SetUp();
        drive.MakeFolder("Main\\Sub");
        in.IncludeFolders = {P("Main")};
        in.DeleteOnlyFilesInMainFolder = false;
        in.DeleteOnlyFiles = true;
        in.DeleteDoubleConfirm = false;
        in.Masks = {"*.txt", "*.log"};
        in.WorkingDir = P("Work");
    }
    void Run() {
        boxes.Queue(plat::IDYES);
        Vol11RunDeleteFiles(state, in, log, hooks);
    }
};

TEST_F(DeleteFiles, MasksTakeEachFileOnceAndLinksGoWithoutTheirTargets) {
    drive.WriteFile("Main\\a.TXT", "a");
    drive.WriteFile("Main\\b.log", "b");
    drive.WriteFile("Main\\keep.doc", "k");
    drive.WriteFile("Main\\Sub\\c.txt", "c");
    drive.MakeFolder("Main\\x.txt");
    drive.MakeFolder("Keep");
    drive.WriteFile("Keep\\must.txt", "stays");
    fs::create_directory_symlink(drive.nativePath("Keep"), drive.nativePath("Main\\Sub\\intoKeep"));
    fs::create_symlink(drive.nativePath("Keep\\must.txt"), drive.nativePath("Main\\alias.txt"));
    in.Masks = {"*.txt", "*.TXT", "*.log"};
    Run();
    EXPECT_EQ(drive.ReadFile("Keep\\must.txt"), "stays");
    EXPECT_FALSE(fs::exists(fs::symlink_status(drive.nativePath("Main\\alias.txt"))));
    EXPECT_TRUE(fs::is_symlink(drive.nativePath("Main\\Sub\\intoKeep")));
    EXPECT_TRUE(drive.Exists("Main\\x.txt"));
    EXPECT_TRUE(drive.Exists("Main\\keep.doc"));
    EXPECT_FALSE(drive.Exists("Main\\Sub\\c.txt"));
    EXPECT_EQ(state.FilesDeleted, 4);
    EXPECT_EQ(state.FilesOtherReasons, 0);
    EXPECT_EQ(log.lines[Vol11CatFilesDeleted].size(), 4u);
}

// The pre-count reads the main folders on the pool: with eight workers it
// comes to what one at a time does, a file two masks take counted once,
// subfolders only in mode 1.
TEST_F(DeleteFiles, ThePreCountIsTheSameOnePerWorkerAndOnEight) {
    in.IncludeFolders.clear();
    for (int m = 0; m < 24; ++m) {
        const std::string main = "M" + std::to_string(m);
        drive.WriteFile(main + "\\a.txt", std::string(static_cast<std::size_t>(m + 1), 'a'));
        drive.WriteFile(main + "\\b.log", "bb");
        drive.WriteFile(main + "\\keep.doc", "k");
        drive.WriteFile(main + "\\Sub\\c.TXT", "ccc");
        in.IncludeFolders.push_back(P(main));
    }
    in.Masks = {"*.txt", "*.TXT", "*.log"};
    SetFileSelNameMasks(in.Masks);
    // Root files: 24 * (a.txt + b.log), a.txt of 1..24 bytes; mode 1 adds c.TXT.
    const double rootBytes = 24 * 25 / 2 + 24 * 2;
    for (const unsigned workers : {1u, 8u}) {
        ForceRunWorkers force(workers);
        in.DeleteOnlyFilesInMainFolder = false;
        in.DeleteOnlyFiles = true;
        Vol11CountFilesToDelete(state, in);
        EXPECT_EQ(state.FilesToDelete, 72) << workers;
        EXPECT_EQ(state.BytesToDelete, rootBytes + 24 * 3) << workers;
        in.DeleteOnlyFilesInMainFolder = true;
        in.DeleteOnlyFiles = false;
        Vol11CountFilesToDelete(state, in);
        EXPECT_EQ(state.FilesToDelete, 48) << workers;
        EXPECT_EQ(state.BytesToDelete, rootBytes) << workers;
    }
}

TEST_F(DeleteFiles, ReadOnlyFilesGoOnlyOnRequest) {
    drive.WriteFile("Main\\ro.txt", "r");
    drive.WriteFile("Main\\rw.txt", "w");
    chmod(drive.nativePath("Main\\ro.txt").c_str(), 0444);
    // The same file under another name, in a folder the run never sees.
    drive.MakeFolder("Keep");
    ASSERT_EQ(link(drive.nativePath("Main\\ro.txt").c_str(), drive.nativePath("Keep\\ro.txt").c_str()), 0);
    Run();
    EXPECT_TRUE(drive.Exists("Main\\ro.txt"));
    EXPECT_EQ(log.lines[Vol11CatFilesOtherReasons], Lines{P("Main\\ro.txt")});
    struct stat st {};
    stat(drive.nativePath("Main\\ro.txt").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0444u);

    // Checked, but the folder refuses: the file keeps its mode.
    in.ReadOnlyFiles = true;
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Main\\ro.txt"));
    chmod(drive.nativePath("Main").c_str(), 0555);
    const int code = testsupport::RunAsNobody([&] {
        Run();
        struct stat s {};
        if (stat(drive.nativePath("Main\\ro.txt").c_str(), &s) != 0) return 1;
        return (s.st_mode & 0777) == 0444 ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    chmod(drive.nativePath("Main").c_str(), 0755);
    Run();
    EXPECT_FALSE(drive.Exists("Main\\ro.txt"));
    stat(drive.nativePath("Keep\\ro.txt").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

// A simulation leaves the page as it found it. Each run counts what it
// deletes once its question is answered: what stayed after the run before,
// and a main folder gone since is named, its files among the other reasons.
TEST_F(DeleteFiles, ASimulationLeavesThePageAsItFoundIt) {
    drive.WriteFile("Main\\a.txt", "a");
    drive.WriteFile("Main\\Sub\\ro.log", "r");
    chmod(drive.nativePath("Main\\Sub\\ro.log").c_str(), 0444);
    SetFileSelNameMasks(in.Masks);
    Vol11CountFilesToDelete(state, in);
    EXPECT_EQ(state.FilesToDelete, 2);
    state.Vol11FilesDeleted = {"from an earlier run"};
    const Vol11State before = state;
    Vol11SimulateDeleteFiles(state, in, log, hooks);
    EXPECT_EQ(log.counters["lblStat11FilesOtherReasons"], 1);
    EXPECT_EQ(state.FilesToDelete, before.FilesToDelete);
    EXPECT_EQ(state.FilesDeleted, before.FilesDeleted);
    EXPECT_EQ(state.FilesOtherReasons, before.FilesOtherReasons);
    EXPECT_EQ(state.Vol11FilesDeleted, before.Vol11FilesDeleted);
    EXPECT_TRUE(state.Vol11FilesOtherReasons.empty());
    Run();
    EXPECT_EQ(log.counters["lblStat11FilesToDelete"], 2);
    EXPECT_EQ(state.FilesDeleted, 1);
    // A run after a run counts what stayed.
    Run();
    EXPECT_EQ(log.counters["lblStat11FilesToDelete"], 1);
    drive.WriteFile("Other\\o.txt", "o");
    in.IncludeFolders.push_back(P("Other"));
    hooks.EnableOtherTabSheets = [&](bool on) {
        if (!on) fs::remove_all(drive.nativePath("Other"));  // once the count is made
    };
    Run();
    EXPECT_EQ(log.counters["lblStat11FilesToDelete"], 2);
    EXPECT_EQ(log.counters["lblStat11FilesOtherReasons"], 2);
    EXPECT_EQ(log.lines[Vol11CatMainFoldersNotExist], Lines{P("Other")});
}

// Each found file must pass the extension test after the name pattern:
// names with several dots, masks without an extension, the run and the
// simulation alike.
TEST_F(DeleteFiles, MasksTakeByNameThenByTheLastExtension) {
    const Lines names{"report.txt.bak", "a.tar.gz", "x y z.txt", "README", "r.TXT", "archive.tar", ".profile"};
    const std::vector<std::pair<Lines, Lines>> cases{
        {{"r*"}, {"README"}},
        {{"*"}, {"README"}},
        {{"*.t*"}, {"archive.tar", "r.TXT", "x y z.txt"}},
        {{"*.gz", "*.BAK"}, {"a.tar.gz", "report.txt.bak"}},
        {{"r*.*"}, {"r.TXT", "README", "report.txt.bak"}},
        {{"*.tar.gz"}, {"a.tar.gz"}},
        {{"*.*"}, {".profile", "a.tar.gz", "archive.tar", "r.TXT", "README", "report.txt.bak", "x y z.txt"}},
    };
    for (const auto& [masks, taken] : cases) {
        SCOPED_TRACE(masks.front());
        for (const auto& name : names) drive.WriteFile("Main\\Sub\\" + name, "x");
        in.Masks.assign(masks.begin(), masks.end());
        Vol11SimulateDeleteFiles(state, in, log, hooks);
        const Lines simulated = log.lines[Vol11CatFilesDeleted];
        Run();
        Lines expected, left;
        for (const auto& name : taken) expected.push_back(P("Main\\Sub\\" + name));
        EXPECT_EQ(log.lines[Vol11CatFilesDeleted], expected);
        EXPECT_EQ(simulated, expected);
        for (const auto& name : names)
            if (drive.Exists("Main\\Sub\\" + name)) left.push_back(name);
        EXPECT_EQ(left.size(), names.size() - taken.size());
    }
}

// Roots are refused where the run meets them, the other folders done; one
// of the program's own folders stops the run before its question, nothing
// deleted, with a box that names it as such.
TEST_F(DeleteFiles, RootsAndTheProgramsOwnFoldersAreRefusedAtRunTime) {
    drive.WriteFile("top.txt", "t");
    drive.WriteFile("Work\\w.txt", "w");
    drive.WriteFile("Main\\m.txt", "m");
    in.IncludeFolders = {drive.path(""), drive.path("Main\\.."), P("Main")};
    in.DeleteOnlyFilesInMainFolder = true;
    in.DeleteOnlyFiles = false;
    Run();
    EXPECT_TRUE(drive.Exists("top.txt"));
    EXPECT_FALSE(drive.Exists("Main\\m.txt"));
    EXPECT_EQ(state.FoldersOtherReasons, 2);
    EXPECT_EQ(Numbers(), (Lines{"110030.", "110037.", "110034."}));
    drive.WriteFile("Main\\m.txt", "m");
    boxes.Clear();
    in.IncludeFolders = {P("Main"), P("Work")};
    Run();
    EXPECT_TRUE(drive.Exists("Work\\w.txt"));
    EXPECT_TRUE(drive.Exists("Main\\m.txt"));
    EXPECT_EQ(Numbers(), Lines{"110037."});
    EXPECT_EQ(boxes.shown()[0].text.find("drive without"), std::string::npos);
}

// The settings lock is the program's own, wherever a walk meets it: no
// mask takes it, so no second copy takes a fresh lock meanwhile.
TEST_F(DeleteFiles, TheSettingsLockStaysWhateverTheMasksTake) {
    drive.WriteFile("Main\\Prog\\default.set", "settings");
    drive.WriteFile("Main\\a.txt", "a");
    plat::FolderLock lock(P("Main\\Prog"));
    ASSERT_EQ(lock.GetStatus(), plat::FolderLock::Status::Held);
    in.Masks = {"*.*"};
    Vol11SimulateDeleteFiles(state, in, log, hooks);
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_TRUE(drive.Exists("Main\\Prog\\.qm-settings.lock"));
    EXPECT_EQ(plat::FolderLock(P("Main\\Prog")).GetStatus(), plat::FolderLock::Status::InUse);
    EXPECT_FALSE(drive.Exists("Main\\a.txt"));
    EXPECT_EQ(log.lines[Vol11CatFilesOtherReasons], Lines{P("Main\\Prog\\.qm-settings.lock")});
    EXPECT_EQ(state.FilesOtherReasons, 1);
}

// A second copy of the program knows the settings lock the first copy
// holds: its runs leave it as the first copy's own do.
TEST_F(DeleteFiles, ASecondCopyLeavesTheFirstCopysLockAlone) {
    drive.WriteFile("Main\\Prog\\a.txt", "a");
    AnotherCopysLock first(drive.nativePath("Main\\Prog"));
    const plat::FolderLock second(P("Main\\Prog"));
    ASSERT_EQ(second.GetStatus(), plat::FolderLock::Status::InUse);
    in.Masks = {"*.*"};
    Run();
    EXPECT_TRUE(first.StillThere());
    EXPECT_FALSE(drive.Exists("Main\\Prog\\a.txt"));
    EXPECT_EQ(log.lines[Vol11CatFilesOtherReasons], Lines{P("Main\\Prog\\.qm-settings.lock")});
}

TEST_F(DeleteFiles, TheDryRunDeletesNothingAndCountsAsTheRun) {
    drive.WriteFile("Main\\a.txt", "a");
    drive.WriteFile("Main\\Sub\\b.log", "b");
    const auto before = Tree(drive);
    Vol11SimulateDeleteFiles(state, in, log, hooks);
    EXPECT_EQ(Tree(drive), before);
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(state.FilesDeleted, 2);
}

// A source file named as the settings lock is not written over the lock a
// destination holds: a second copy would take a fresh lock there.
TEST_F(CopyFiles, TheSettingsLockIsNotWrittenOver) {
    drive.WriteFile("Src\\.qm-settings.lock", "a file of the user's");
    plat::FolderLock lock(P("Dest"));
    ASSERT_EQ(lock.GetStatus(), plat::FolderLock::Status::Held);
    in.CopyToMainFolders = true;
    Overwrite();
    Simulate();
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_TRUE(drive.ReadFile("Dest\\.qm-settings.lock").empty());
    EXPECT_EQ(plat::FolderLock(P("Dest")).GetStatus(), plat::FolderLock::Status::InUse);
    EXPECT_EQ(state.Counters.FilesOverWrited, 0);
    EXPECT_EQ(log.lines[Vol10CatFilesOtherReasons].size(), 1u);
}

TEST_F(CopyFiles, ASecondCopyLeavesTheFirstCopysLockAlone) {
    drive.WriteFile("Src\\.qm-settings.lock", "a file of the user's");
    AnotherCopysLock first(drive.nativePath("Dest"));
    const plat::FolderLock second(P("Dest"));
    ASSERT_EQ(second.GetStatus(), plat::FolderLock::Status::InUse);
    Overwrite();
    Run();
    EXPECT_TRUE(first.StillThere());
    EXPECT_TRUE(drive.ReadFile("Dest\\.qm-settings.lock").empty());
    EXPECT_EQ(state.Counters.FilesOverWrited, 0);
}

// ---- rename files ----------------------------------------------------------------------------

// Renames by the file type alone, `from` to `to`.
void ChangeType(Vol12Inputs& in, const std::string& from, const std::string& to) {
    in.AddPrefixesSuffixes = false;
    in.ChangeFileType = true;
    in.OldFileType = from;
    in.NewFileType = to;
}
// A new name taken already: the file there is replaced.
void OverwriteDuplicates(Vol12Inputs& in) {
    in.DuplicatedFilesDrop = false;
    in.DuplicatedFilesOverWrite = true;
}

class RenameFiles : public FilePages {
protected:
    Vol12State state;
    Vol12Inputs in;
    RunHooks hooks;
    void SetUp() override {
        FilePages::SetUp();
        drive.MakeFolder("Main\\Sub");
        in.IncludeFolders = {P("Main")};
        in.WorkingDir = P("Work");
        in.WorkingCopiesDir = P("Work");
    }
    void Run() {
        boxes.Queue(plat::IDYES);
        Vol12RunRenameFiles(state, in, log, hooks);
    }
    void Simulate() {
        boxes.Queue(plat::IDYES);
        Vol12SimulateRenameFiles(state, in, log, hooks);
    }
    void Undo() {
        boxes.Queue(plat::IDYES);
        Vol12UndoLastRun(state, log);
    }
};

TEST_F(RenameFiles, NewNamesFromPrefixSuffixAndTypes) {
    in.NewPrefix = "new_";
    EXPECT_EQ(Vol12NewPath(in, "C:\\A\\archive.tar.gz"), "C:\\A\\new_archive.tar.gz");
    in.NewPrefix = "";
    in.DelimiterPrefix = "-";
    in.NewSuffix = "final";
    EXPECT_EQ(Vol12NewPath(in, "C:\\A\\report.txt"), "C:\\A\\-reportfinal.txt");
    ChangeType(in, "noext", "txt");
    EXPECT_EQ(Vol12NewPath(in, "C:\\A\\README"), "C:\\A\\README.txt");
    EXPECT_EQ(Vol12NewPath(in, "C:\\A\\a.txt"), "");

    std::string found;
    in.NewFileType = "t.x";
    EXPECT_FALSE(Vol12CheckNameParts(in, found));
    in.AddPrefixesSuffixes = true;
    in.ChangeFileType = false;
    in.NewPrefix = "..";
    EXPECT_FALSE(Vol12CheckNameParts(in, found));
    in.NewPrefix = "a/b";
    EXPECT_FALSE(Vol12CheckNameParts(in, found));
    in.NewPrefix = "ok";
    EXPECT_TRUE(Vol12CheckNameParts(in, found));
    boxes.Queue(plat::IDYES);
    in.NewPrefix = "x:";
    Vol12RunRenameFiles(state, in, log, hooks);
    EXPECT_EQ(Numbers(), Lines{"120040."});
}

TEST_F(RenameFiles, EmptyEditsRenameNothingAndRecordNothing) {
    drive.WriteFile("Main\\a.txt", "a");
    Run();
    EXPECT_TRUE(drive.Exists("Main\\a.txt"));
    EXPECT_TRUE(state.Vol12UndoSteps.empty());
    EXPECT_EQ(state.FilesRenamed + state.FilesDropped + state.FilesOtherReasons, 0);
    boxes.Clear();
    Undo();
    EXPECT_EQ(Numbers(), Lines{"120034."});
}

TEST_F(RenameFiles, EachFileOnceAndChainsUndoneInReverse) {
    // Main\P and Main\P\Q both listed: Q is walked by its own item only,
    // so its files get the prefix once.
    drive.MakeFolder("Main\\P\\Q");
    drive.WriteFile("Main\\P\\Q\\a.txt", "a");
    drive.WriteFile("Main\\P\\b.txt", "b");
    in.IncludeFolders = {P("Main\\P"), P("Main\\P\\Q")};
    in.InMainFolders = false;
    in.InMainFoldersAndSubFolders = true;
    in.NewPrefix = "x";
    const auto before = Tree(drive);
    Run();
    EXPECT_EQ(drive.ReadFile("Main\\P\\Q\\xa.txt"), "a");
    EXPECT_EQ(drive.ReadFile("Main\\P\\xb.txt"), "b");
    EXPECT_EQ(state.FilesRenamed, 2);
    Undo();
    EXPECT_EQ(Tree(drive), before);
}

TEST_F(RenameFiles, OverwriteSavesEachReplacedFileAndUndoBringsAllBack) {
    // x.txt -> y.txt over the existing y.txt, and z.y -> y.txt over that.
    ChangeType(in, "xt", "txt");
    OverwriteDuplicates(in);
    drive.WriteFile("Main\\y.txt", "old y");
    drive.WriteFile("Main\\y.xt", "x content");
    drive.WriteFile("Main\\Sub\\s.xt", "s");
    drive.WriteFile("Main\\yINC0000001.txt", "named like a copy");
    const auto before = Tree(drive);
    Simulate();
    const auto simulated = log.lines;
    EXPECT_EQ(Tree(drive), before);
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(drive.ReadFile("Main\\y.txt"), "x content");
    EXPECT_EQ(state.FilesOverWrited, 1);
    Undo();
    EXPECT_EQ(drive.ReadFile("Main\\y.txt"), "old y");
    EXPECT_EQ(drive.ReadFile("Main\\y.xt"), "x content");
    EXPECT_EQ(drive.ReadFile("Main\\yINC0000001.txt"), "named like a copy");
    EXPECT_EQ(Tree(drive), before);
}

// A copy of the program that does not hold the settings folder keeps its
// working copies in a folder of its own and leaves what lies in the
// working folder: another copy's Undo may need it.
TEST_F(RenameFiles, WorkingCopiesOfAnotherCopyOfTheProgramStay) {
    drive.WriteFile("Work\\left by another.txt", "another copy's");
    drive.WriteFile("Work\\Own\\last run's.txt", "this copy's");
    drive.WriteFile("Main\\a.txt", "a");
    in.NewPrefix = "n_";
    in.WorkingCopiesDir = P("Work\\Own");
    Run();
    EXPECT_TRUE(drive.Exists("Main\\n_a.txt"));
    EXPECT_TRUE(drive.Exists("Work\\left by another.txt"));
    EXPECT_FALSE(drive.Exists("Work\\Own\\last run's.txt"));
    in.WorkingCopiesDir = P("Work");
    Run();  // the holder's: the last run's working copies go
    EXPECT_FALSE(drive.Exists("Work\\left by another.txt"));
    EXPECT_TRUE(drive.Exists("Work\\Own"));
}

// A listed file the overwrite rule replaced is not there to rename: what
// stands at its name is a file the pass renamed already, which stays.
TEST_F(RenameFiles, OverwriteNeverRenamesAFileTwiceInOnePass) {
    // Listed in name order: each file before the one its new name replaces.
    for (int i = 0; i < 3; ++i) {
        drive.WriteFile("Main\\a" + std::to_string(i) + ".txt", "a" + std::to_string(i));
        drive.WriteFile("Main\\new_a" + std::to_string(i) + ".txt", "old" + std::to_string(i));
    }
    const auto before = Tree(drive);
    in.NewPrefix = "new_";
    OverwriteDuplicates(in);
    Run();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(drive.Exists("Main\\new_new_a" + std::to_string(i) + ".txt"));
        EXPECT_EQ(drive.ReadFile("Main\\new_a" + std::to_string(i) + ".txt"), "a" + std::to_string(i));
    }
    EXPECT_EQ(state.FilesRenamed, 3);
    EXPECT_EQ(state.FilesOtherReasons, 3);
    Undo();
    EXPECT_EQ(Tree(drive), before);
}

TEST_F(RenameFiles, UndoNeverDeletesWhatStandsAtAnOldName) {
    in.NewPrefix = "p";
    drive.WriteFile("Main\\a.txt", "a");
    drive.WriteFile("Main\\b.txt", "b");
    Run();
    drive.WriteFile("Main\\a.txt", "new file at the old name");
    drive.WriteFile("Main\\other", "replaced by hand");  // another file, not the renamed one edited
    fs::rename(drive.nativePath("Main\\other"), drive.nativePath("Main\\pb.txt"));
    Undo();
    EXPECT_EQ(drive.ReadFile("Main\\a.txt"), "new file at the old name");
    EXPECT_EQ(drive.ReadFile("Main\\pa.txt"), "a");
    EXPECT_EQ(drive.ReadFile("Main\\pb.txt"), "replaced by hand");
    ASSERT_GE(boxes.shown().size(), 2u);
    const std::string report = boxes.shown()[boxes.shown().size() - 2].text;
    EXPECT_NE(report.find("\nSOURCE FILES DO EXIST : \n\n" + P("Main\\a.txt") + "\n"), std::string::npos);
    EXPECT_NE(report.find(P("Main\\pb.txt") + "  (changed since the run)"), std::string::npos);
}

// The settings lock keeps its name and its place: neither renamed nor
// replaced by a file renamed onto its name, in the run as in the
// simulation, so no second copy takes a fresh lock meanwhile.
TEST_F(RenameFiles, TheSettingsLockIsNeitherRenamedNorReplaced) {
    drive.WriteFile("Main\\.qm-settings.lck", "takes the lock's name");
    plat::FolderLock lock(P("Main"));
    ASSERT_EQ(lock.GetStatus(), plat::FolderLock::Status::Held);
    const std::string lockFile = P("Main\\.qm-settings.lock");
    const auto held = [&] {
        return drive.Exists("Main\\.qm-settings.lock") && drive.ReadFile("Main\\.qm-settings.lock").empty() &&
               plat::FolderLock(P("Main")).GetStatus() == plat::FolderLock::Status::InUse;
    };
    in.NewPrefix = "new_";
    Simulate();
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_TRUE(held());
    EXPECT_EQ(log.lines[Vol12CatFilesOtherReasons],
              Lines{"NOT Renamed  Source: " + lockFile + " To Dest: " + P("Main\\new_.qm-settings.lock")});
    Undo();

    ChangeType(in, "lck", "lock");
    OverwriteDuplicates(in);
    Simulate();
    const auto simulatedOverwrite = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulatedOverwrite);
    EXPECT_TRUE(held());
    EXPECT_EQ(drive.ReadFile("Main\\.qm-settings.lck"), "takes the lock's name");
    EXPECT_EQ(log.lines[Vol12CatFilesOtherReasons],
              Lines{"NOT Renamed  Source: " + P("Main\\.qm-settings.lck") + " To Dest: " + lockFile});
    EXPECT_EQ(state.FilesOverWrited, 0);
}

TEST_F(RenameFiles, ASecondCopyLeavesTheFirstCopysLockAlone) {
    drive.WriteFile("Main\\Sub\\.qm-settings.lck", "takes the lock's name");
    AnotherCopysLock first(drive.nativePath("Main\\Sub"));
    const plat::FolderLock second(P("Main\\Sub"));
    ASSERT_EQ(second.GetStatus(), plat::FolderLock::Status::InUse);
    in.InMainFolders = false;
    in.InMainFoldersAndSubFolders = true;
    ChangeType(in, "lck", "lock");
    OverwriteDuplicates(in);
    Run();  // a file renamed onto the lock's name
    EXPECT_TRUE(first.StillThere());
    EXPECT_EQ(drive.ReadFile("Main\\Sub\\.qm-settings.lck"), "takes the lock's name");
    in.AddPrefixesSuffixes = true;
    in.ChangeFileType = false;
    in.NewPrefix = "new_";
    Run();  // the lock renamed
    EXPECT_TRUE(first.StillThere());
    EXPECT_EQ(state.FilesRenamed, 1);
}

// A copy that does not hold the settings folder keeps its working copies
// in a locked folder of its own: the copy that holds the folder once the
// first has ended leaves them, at its start and before its runs, and the
// second copy's Undo still puts the old files back. A folder whose copy
// ended goes at the next start; one no lock could be had for stays.
TEST_F(FilePages, AThirdCopysStartLeavesTheWorkingCopiesOfASecondOne) {
    SetProgramFolder(P("Prog"));
    SetWorkingFoldersFromProgramFolder();
    drive.MakeFolder("Prog\\WorkingDir\\COPYFILES");
    drive.WriteFile("Prog\\WorkingDir\\COPYFILES\\ended session's.txt", "old");
    drive.WriteFile("Dest\\a.txt", "before");
    drive.WriteFile("Src\\a.txt", "copied");
    drive.WriteFile("Main\\b.txt", "before");
    drive.WriteFile("Main\\b.xt", "renamed");
    std::string ended, unlocked;
    {
        const auto endedCopy = TakeOwnWorkingFolders(false);
        ended = GetOwnWorkingDirCopyFiles();
        const auto noLocks = plat::FolderLock::SetLockCall([](int, int) {
            errno = ENOLCK;
            return -1;
        });
        EXPECT_EQ(TakeOwnWorkingFolders(false), nullptr);
        unlocked = GetOwnWorkingDirCopyFiles();
        plat::FolderLock::SetLockCall(noLocks);
    }
    auto second = TakeOwnWorkingFolders(false);
    ASSERT_TRUE(second);
    Vol10State copied;
    Vol10Inputs copy;
    copy.IncludeFolders = {P("Dest")};
    copy.Sources = {P("Src")};
    copy.Masks = {"*.*"};
    copy.DuplicatedFilesSkip = false;
    copy.DuplicatedFilesOverWrite = true;
    copy.WorkingDir = GetWorkingDir();
    copy.WorkingDirCopyFiles = GetOwnWorkingDirCopyFiles();
    Vol12State renamed;
    Vol12Inputs rename;
    rename.IncludeFolders = {P("Main")};
    ChangeType(rename, "xt", "txt");
    OverwriteDuplicates(rename);
    rename.WorkingDir = GetWorkingDir();
    rename.WorkingCopiesDir = GetOwnWorkingDirRenameFiles();
    boxes.Queue(plat::IDYES);
    Vol10RunCopyFiles(copied, copy, log, {});
    boxes.Queue(plat::IDYES);
    Vol12RunRenameFiles(renamed, rename, log, {});
    ASSERT_EQ(drive.ReadFile("Dest\\a.txt"), "copied");
    ASSERT_EQ(drive.ReadFile("Main\\b.txt"), "renamed");

    // The first copy has ended; a third starts and renames.
    EXPECT_EQ(TakeOwnWorkingFolders(true), nullptr);
    EXPECT_FALSE(drive.Exists("Prog\\WorkingDir\\COPYFILES\\ended session's.txt"));
    EXPECT_FALSE(plat::PathExists(ended));
    EXPECT_TRUE(plat::PathExists(unlocked));
    Vol12State third;
    rename.IncludeFolders = {P("Src")};
    rename.WorkingCopiesDir = GetOwnWorkingDirRenameFiles();
    boxes.Queue(plat::IDYES);
    Vol12RunRenameFiles(third, rename, log, {});

    boxes.Queue(plat::IDYES);
    Vol10UndoLastRun(copied, log);
    boxes.Queue(plat::IDYES);
    Vol12UndoLastRun(renamed, log);
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "before");
    EXPECT_EQ(drive.ReadFile("Main\\b.txt"), "before");
    EXPECT_EQ(drive.ReadFile("Main\\b.xt"), "renamed");
    const std::string own = copy.WorkingDirCopyFiles;
    second.reset();
    // The runs' workers had the lock's handle in tables of their own, which
    // the system closes a moment after they have ended (the minute only
    // ends a hang).
    const std::string ownFolder = own.substr(0, own.rfind('\\'));
    const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (plat::FolderLock(ownFolder, false).GetStatus() != plat::FolderLock::Status::Held &&
           std::chrono::steady_clock::now() < guard)
        usleep(10000);
    TakeOwnWorkingFolders(true);
    EXPECT_FALSE(plat::PathExists(own));
}

TEST_F(RenameFiles, IncreasedNamesFindTheFirstFreeOneInRunAndSimulation) {
    ChangeType(in, "a", "txt");
    in.DuplicatedFilesDrop = false;
    in.DuplicatedFilesIncreaseFileNames = true;
    drive.WriteFile("Main\\b.txt", "taken");
    drive.WriteFile("Main\\bINC0000001.txt", "taken too");
    drive.WriteFile("Main\\b.a", "mine");
    Simulate();
    const auto simulated = log.lines;
    Run();
    EXPECT_EQ(log.lines, simulated);
    EXPECT_EQ(drive.ReadFile("Main\\bINC0000002.txt"), "mine");
    EXPECT_EQ(state.FilesIncreasedNames, 1);
}

// Working copies made by items beside each other (an overwriting
// simulation) get the names of one item after the other: none twice, none
// skipped, a name on disk passed over, a marked name going on from its
// number.
TEST(WorkingCopyNames, ItemsBesideEachOtherTakeTheNamesOfOneAfterTheOther) {
    testsupport::TempDrive drive;
    drive.WriteFile("Work\\a.txt", "a copy of an earlier run");
    constexpr int kItems = 6, kEach = 60;
    for (int i = 0; i < kItems; ++i) drive.WriteFile("D" + std::to_string(i) + "\\a.txt", "target");
    drive.WriteFile("D0\\bINC0000007.txt", "target");
    DryDisk disk;
    WorkingCopies names;
    BriefMutex shared;
    std::vector<std::vector<std::string>> made(kItems);
    std::vector<std::thread> items;
    for (int i = 0; i < kItems; ++i)
        items.emplace_back([&, i] {
            plat::Beneath dest, work;
            dest.Open(drive.path("D" + std::to_string(i)));
            work.Open(drive.path("Work"));
            for (int k = 0; k < kEach; ++k) {
                std::string copy;
                plat::FileStamp stamp;
                if (names.Make(disk, dest, drive.path("D" + std::to_string(i) + "\\a.txt"), work, copy, stamp,
                               nullptr, &shared) == plat::FsResult::Ok)
                    made[i].push_back(copy.substr(copy.rfind('\\') + 1));
            }
        });
    for (std::thread& t : items) t.join();
    std::set<std::string> all;
    for (const auto& m : made) all.insert(m.begin(), m.end());
    std::set<std::string> expected;
    for (int n = 1; n <= kItems * kEach; ++n) expected.insert(MakeIncreasedFileName("a", n) + ".txt");
    EXPECT_EQ(all, expected);
    plat::Beneath dest, work;
    dest.Open(drive.path("D0"));
    work.Open(drive.path("Work"));
    for (const char* want : {"bINC0000007.txt", "bINC0000008.txt"}) {
        std::string copy;
        plat::FileStamp stamp;
        ASSERT_EQ(names.Make(disk, dest, drive.path("D0\\bINC0000007.txt"), work, copy, stamp), plat::FsResult::Ok);
        EXPECT_EQ(copy, drive.path(std::string("Work\\") + want));
    }
}

// ---- runs that cannot fit in memory ---------------------------------------------------------

bool MemoryRefused(const plat::MessageBoxScript& boxes) {
    return !boxes.shown().empty() && boxes.shown().back().caption.find("Warning no: 0458.") != std::string::npos;
}

TEST_F(CopyFiles, ACopyThatDoesNotFitIsRefusedWhileTheLastRunsUndoStays) {
    using testsupport::MachineMemory;
    for (int i = 0; i < 40; ++i) drive.WriteFile("Src\\f" + std::to_string(i) + ".txt", "x");
    for (int i = 0; i < 10; ++i) drive.MakeFolder("D" + std::to_string(i));
    const auto empty = Tree(drive);
    {
        const MachineMemory ample(testsupport::kAmpleMemory);
        Run();
    }
    ASSERT_EQ(state.Counters.FilesCopied, 40);
    for (int i = 0; i < 10; ++i) in.IncludeFolders.push_back(P("D" + std::to_string(i)));
    const auto copied = Tree(drive);
    const auto lines = log.lines;
    for (bool simulation : {true, false}) {
        boxes.Clear();
        const testsupport::AtWeight under(-1);
        simulation ? Simulate() : Run();
        EXPECT_TRUE(MemoryRefused(boxes));
        EXPECT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(Tree(drive), copied);
        EXPECT_EQ(log.lines, lines);
    }
    Undo();
    EXPECT_EQ(Tree(drive), empty);

    const MachineMemory ample(testsupport::kAmpleMemory);
    Run();
    EXPECT_EQ(state.Counters.FilesCopied, 40 * 11);
}

// A walking page weighs its run once its count is made, after the
// questions, and deletes nothing when it does not fit.
TEST_F(DeleteFiles, AWalkThatDoesNotFitIsRefusedOnItsCountWithNothingDeleted) {
    for (int i = 0; i < 40; ++i) drive.WriteFile("Main\\Sub\\f" + std::to_string(i) + ".txt", "x");
    const auto before = Tree(drive);
    {
        const testsupport::AtWeight under(-1);
        Run();
    }
    EXPECT_TRUE(MemoryRefused(boxes));
    EXPECT_EQ(boxes.shown().size(), 2u);  // the question, then the refusal
    EXPECT_NE(boxes.shown().back().text.find("list 41 entries"), std::string::npos) << boxes.shown().back().text;
    EXPECT_EQ(Tree(drive), before);
    EXPECT_EQ(log.clears, 0);
    EXPECT_EQ(log.runStarts, 0);

    const testsupport::MachineMemory ample(testsupport::kAmpleMemory);
    Run();
    EXPECT_EQ(state.FilesDeleted, 40);
}

}  // namespace
