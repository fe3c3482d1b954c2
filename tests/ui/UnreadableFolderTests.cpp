// Folders an ordinary user cannot read. A run's count that meets one ends
// the run before anything is done, with a box naming it; a walk that meets
// one after the count (closed while the question is up) counts it under
// other reasons; the delete and rename pages take one as an item not done
// and go on.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <utility>

#include "core/RunDisk.h"
#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/files/Vol12Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// Every box's text; Yes to each question, `atQuestion` run at the first.
struct Boxes {
    Lines texts;
    std::function<void()> atQuestion;
    plat::MessageBoxHandler previous =
        plat::SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned flags) {
            texts.push_back(text);
            if ((flags & plat::MB_BUTTONMASK) != plat::MB_YESNO) return int(plat::IDOK);
            if (atQuestion) std::exchange(atQuestion, nullptr)();
            return int(plat::IDYES);
        });
    ~Boxes() { plat::SetMessageBoxHandler(previous); }
    // The count's failure alone: the folder named, nothing kept for an Undo.
    bool FailedOn(const std::string& folder) const {
        return texts.size() == 1 && texts[0].find("The folder " + folder + " cannot be read.") != std::string::npos &&
               texts[0].find("kept for the Undo") == std::string::npos;
    }
};

class Unreadable : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    testlog::RecordingLog log;
    Vol03Inputs in03;
    Vol10Inputs in10;

    void SetUp() override {
        SetFileSelNameMasks({"*.*"});
        drive.WriteFile("S\\a.txt", "a");
        drive.WriteFile("S\\Sub\\b.txt", "b");
        drive.MakeFolder("Dest");
        testsupport::OpenPathToEveryone(drive.native());
        testsupport::GiveToNobody(drive.native());
        in03.DestFolder = P("Dest");
        in10.WorkingDir = P("Work");
        in03.FolderStructures = in10.Sources = {P("S")};
        in03.FullPaths = true;
        in03.ViewDestFolder = false;
        in10.IncludeFolders = {P("Dest")};
        in10.Masks = {"*.*"};
    }
    std::string P(const std::string& rel) const { return drive.path(rel); }
    void Mode(const std::string& rel, int mode) const { chmod(drive.nativePath(rel).c_str(), mode); }
};

TEST_F(Unreadable, AStructureOrSourceTheCountCannotReadEndsTheRunBeforeAnything) {
    const int code = testsupport::RunAsNobody([&] {
        for (const char* closed : {"S", "S\\Sub"}) {
            Mode(closed, 0);
            for (const bool withFiles : {true, false}) {
                Boxes boxes;
                Vol03State state;
                in03.MainFolderWithFiles = withFiles;
                in03.MainFolderWithoutFiles = !withFiles;
                Vol03RunCreateFolders(state, in03, log, {});
                if (!boxes.FailedOn(P(closed)) || !fs::is_empty(drive.nativePath("Dest"))) return 1;
            }
            Boxes boxes;
            Vol10State state;
            Vol10RunCopyFiles(state, in10, log, {});
            if (!boxes.FailedOn(P(closed)) || !fs::is_empty(drive.nativePath("Dest"))) return 2;
            // The page's own refresh counts what it can read, without a box.
            if (!Vol10PrepareTotals(state, in10, true) || boxes.texts.size() != 1) return 3;
            Mode(closed, 0755);
        }
        return 0;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(Unreadable, AFolderClosedAfterTheCountIsOtherReasonsNotAnEmptyFolder) {
    const int code = testsupport::RunAsNobody([&] {
        Boxes boxes;
        boxes.atQuestion = [&] { Mode("S\\Sub", 0); };
        Vol10State state10;
        Vol10RunCopyFiles(state10, in10, log, {});
        if (log.lines[Vol10CatFilesOtherReasons] != Lines{"NOT Copied  Source: " + P("S\\Sub") + " To Dest: " + P("Dest")} ||
            log.lines[Vol10CatFilesCopied].size() != 1)
            return 1;
        Mode("S\\Sub", 0755);
        boxes.atQuestion = [&] { Mode("S\\Sub", 0); };
        Vol03State state03;
        in03.MainFolderWithFiles = true;
        Vol03RunCreateFolders(state03, in03, log, {});
        if (log.lines[CreationFoldersOther] != Lines{P("Dest\\1\\S\\Sub")}) return 2;
        return !fs::exists(drive.nativePath("Dest\\1\\S\\Sub")) && drive.ReadFile("Dest\\1\\S\\a.txt") == "a" ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
}

// dst 7 between readable main folders, with one worker and with eight:
// deleted neither is, nor refused (no box), and the others go; each
// counted before as the run names it. Page 11 takes such a folder, and one
// no path names, as one file it does not delete: the folder row stays empty.
TEST_F(Unreadable, DeletePagesTakeAFolderTheyCannotReadAsOneItemNotDone) {
    const int code = testsupport::RunAsNobody([&] {
        for (const unsigned workers : {1u, 8u}) {
            for (const bool complete : {false, true}) {
                for (const char* main : {"dst 6", "dst 7", "dst 8"}) drive.WriteFile(std::string(main) + "\\x\\f", "f");
                Mode("dst 7", 0);
                ForceRunWorkers force(workers);
                Vol07Inputs in;
                in.IncludeFolders = {P("dst 6"), P("dst 7"), P("dst 8")};
                in.DeleteSubFolders = !complete;
                in.DeleteCompleteFolders = complete;
                Vol07Counters counters;
                Vol07CountFoldersToDelete(counters, in.IncludeFolders, complete ? 4 : 3);
                RealDisk disk;
                testlog::RecordingLog log07;
                if (Vol07DeleteMainFolders(counters, in, disk, log07).Refused ||
                    log07.lines[Vol07CatFoldersOtherReasons] != Lines{P("dst 7")} ||
                    counters.FoldersToDelete != counters.FoldersDeleted + counters.FoldersOtherReasons)
                    return 1;
                if (fs::exists(drive.nativePath("dst 6\\x")) || fs::exists(drive.nativePath("dst 8\\x"))) return 2;
                Mode("dst 7", 0755);
                fs::remove_all(drive.nativePath("dst 7"));
            }
        }
        // Page 11: a main folder and a subfolder it cannot read, and one no path names.
        for (const char* file : {"dst 6\\f", "dst 7\\f", "dst 8\\Sub\\f"}) drive.WriteFile(file, "f");
        fs::create_directories(drive.nativePath("dst 8") + "/c:d/in");
        Mode("dst 7", 0);
        Mode("dst 8\\Sub", 0);
        Boxes boxes;
        Vol11State state;
        Vol11Inputs in;
        in.IncludeFolders = {P("dst 6"), P("dst 7"), P("dst 8")};
        in.DeleteOnlyFilesInMainFolder = false;
        in.DeleteOnlyFiles = true;
        in.Masks = {"*.*"};
        Vol11CountFilesToDelete(state, in);
        if (state.FilesToDelete != 4) return 5;
        Vol11RunDeleteFiles(state, in, log, {});
        if (log.lines[Vol11CatFilesOtherReasons] != (Lines{P("dst 7"), P("dst 8\\c:d"), P("dst 8\\Sub")}) ||
            !log.lines[Vol11CatFoldersOtherReasons].empty() || log.counters["lblStat11FilesToDelete"] != 4 ||
            state.FilesDeleted != 1 || state.FilesOtherReasons != 3 || state.FoldersToDelete != 0 ||
            state.FoldersDeleted != 0 || state.FoldersOtherReasons != 0 || fs::exists(drive.nativePath("dst 6\\f")))
            return 3;
        for (const std::string& text : boxes.texts)
            if (text.find("drive without") != std::string::npos) return 4;
        return 0;
    });
    EXPECT_EQ(code, 0);
}

// Page 12 with a subfolder and a main folder it cannot read, between
// readable ones: each is one file line not renamed (the folder), the
// counter its list, every other file renamed; the simulation says the same.
TEST_F(Unreadable, TheRenamePageTakesAFolderItCannotReadAsOneItemNotDone) {
    const int code = testsupport::RunAsNobody([&] {
        for (const char* file : {"M1\\a.txt", "M1\\Closed\\c.txt", "M1\\Open\\b.txt", "M2\\d.txt", "M3\\e.txt"})
            drive.WriteFile(file, "f");
        drive.MakeFolder("Work");
        Mode("M1\\Closed", 0);
        Mode("M2", 0);
        Vol12Inputs in;
        in.IncludeFolders = {P("M1"), P("M2"), P("M3")};
        in.NewPrefix = "p_";
        in.InMainFolders = false;
        in.InMainFoldersAndSubFolders = true;
        in.WorkingDir = in.WorkingCopiesDir = P("Work");
        const Lines notDone = {"NOT Renamed  Source: " + P("M1\\Closed") + " To Dest: " + P("M1\\Closed"),
                               "NOT Renamed  Source: " + P("M2") + " To Dest: " + P("M2")};
        for (const unsigned workers : {1u, 8u}) {
            for (const bool simulation : {true, false}) {
                ForceRunWorkers force(workers);
                Boxes boxes;
                Vol12State state;
                testlog::RecordingLog log12;
                (simulation ? Vol12SimulateRenameFiles : Vol12RunRenameFiles)(state, in, log12, {});
                if (log12.lines[Vol12CatFilesOtherReasons] != notDone || Lines(state.Vol12FilesNotRenamed.begin(), state.Vol12FilesNotRenamed.end()) != notDone ||
                    state.FilesOtherReasons != 2)
                    return 1;
                if (log12.lines[Vol12CatFilesRenamed].size() != 3 || state.FilesRenamed != 3) return 2;
                if (fs::exists(drive.nativePath("M1\\p_a.txt")) == simulation ||
                    fs::exists(drive.nativePath("M1\\Open\\p_b.txt")) == simulation ||
                    fs::exists(drive.nativePath("M3\\p_e.txt")) == simulation)
                    return 3;
                if (!simulation) Vol12UndoLastRun(state, log12);
                if (!fs::exists(drive.nativePath("M1\\a.txt")) || !fs::exists(drive.nativePath("M3\\e.txt"))) return 4;
            }
        }
        return 0;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
