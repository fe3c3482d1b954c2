#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/FolderFileUndo.h"
#include "tests/support/TempDrive.h"

namespace {

const std::string kHeader = "The program is unable to delete the following folders, and/or separate files : \n";
const std::string kOther = "\nOTHER REASONS   : \n\n";

// Makes the folders as a run would and returns them in creation order.
StringList MakeFolders(const testsupport::TempDrive& drive, const StringList& rels) {
    StringList made;
    for (const auto& rel : rels) {
        drive.MakeFolder(rel);
        made.push_back(drive.path(rel));
    }
    return made;
}

void RunSteps(FolderFileUndo& undo) {
    undo.DeleteCreatedFiles();
    undo.RemoveCreatedFolders();
    undo.BuildReport();
}

}  // namespace

TEST(FolderFileUndo, PlansQueueOnlyWhatTheRunCreated) {
    testsupport::TempDrive drive;
    drive.MakeFolder("D");
    const StringList all = {"D\\a", "D\\a\\b", "D\\a\\b\\c"};

    // With every parent recorded the climb takes b along; without, b is not
    // queued and a stays, reported. The main folder D stays either way.
    for (bool recorded : {true, false}) {
        const StringList made = MakeFolders(drive, all);
        FolderFileUndo undo;
        undo.SetMainFolder(drive.path("D\\"));
        undo.SetCreatedFolders({drive.path("D\\a")});
        undo.SetCreatedSubFolders({drive.path("D\\a\\b\\c")});
        if (recorded) undo.SetFoldersCreatedByRun(made);
        undo.PrepareCreateFolders();
        RunSteps(undo);
        EXPECT_FALSE(drive.Exists("D\\a\\b\\c"));
        EXPECT_EQ(drive.Exists("D\\a\\b"), !recorded);
        EXPECT_EQ(undo.GetReport(), recorded ? "" : kHeader + kOther + drive.path("D\\a") + "  (not empty)\n");
        EXPECT_TRUE(drive.Exists("D"));
    }
    {  // The plain plan queues the lists alone, duplicates and all.
        std::filesystem::remove_all(drive.nativePath("D\\a"));
        MakeFolders(drive, all);
        FolderFileUndo undo;
        undo.SetCreatedFolders({drive.path("D\\a\\")});
        undo.SetCreatedSubFolders({drive.path("D\\a\\b\\c"), drive.path("D\\a\\b\\c")});
        undo.CollectFoldersByLevel();
        RunSteps(undo);
        EXPECT_TRUE(drive.Exists("D\\a\\b"));
        EXPECT_EQ(undo.GetFailedFolders(), (StringList{drive.path("D\\a")}));  // the second c is gone: silent
    }
}

TEST(FolderFileUndo, ClimbsStopAtExistingFoldersRootsAndDrives) {
    testsupport::TempDrive drive;
    drive.MakeFolder("A");  // existed before the run
    {
        const StringList made = MakeFolders(drive, {"A\\B", "A\\B\\C"});
        FolderFileUndo undo;
        undo.SetCreatedFolders({drive.path("A\\B\\C")});
        undo.SetFoldersCreatedByRun(made);
        undo.PrepareCreateFromListDrives();
        RunSteps(undo);
        EXPECT_EQ(undo.GetReport(), "");
        EXPECT_FALSE(drive.Exists("A\\B"));
        EXPECT_TRUE(drive.Exists("A"));
    }
    {  // Even a record naming the drive never removes it; the climb ends there.
        drive.MakeFolder("A\\B\\C");
        FolderFileUndo undo;
        undo.SetCreatedFolders({drive.path("A\\B\\C"), "T:", "T:\\", "\\"});
        undo.SetFoldersCreatedByRun({"T:\\", "T:", drive.path("A"), drive.path("A\\B")});
        undo.SetMainFolder("T:\\");
        undo.PrepareCreateFolders();
        undo.QueueCreatedFolders();
        undo.RemoveCreatedFolders();
        EXPECT_FALSE(drive.Exists("A"));
        EXPECT_TRUE(std::filesystem::exists(drive.native()));

        FolderFileUndo bare;  // a text without a separator has no parent
        bare.SetFoldersCreatedByRun({"name", "C:"});
        bare.QueueWithAncestors({"name", "C:\\name"});
    }
    // The main folder however written, in any case, stays.
    for (const char* root : {"T:/Dest", "T:\\\\Dest\\\\", "t:\\DEST.", " T:\\Dest\\ "}) {
        const StringList made = MakeFolders(drive, {"Dest", "Dest\\x", "Dest\\x\\y"});
        FolderFileUndo undo;
        undo.SetMainFolder(root);
        undo.SetCreatedFolders({drive.path("Dest\\x\\y")});
        undo.SetFoldersCreatedByRun(made);
        undo.PrepareCreateFolders();
        undo.RemoveCreatedFolders();
        EXPECT_FALSE(drive.Exists("Dest\\x")) << root;
        EXPECT_TRUE(drive.Exists("Dest")) << root;
    }
    {  // Copy plan: the main folders are roots; shared parents go once.
        const StringList made = MakeFolders(drive, {"Dest\\m", "Dest\\m\\p", "Dest\\m\\p\\q1", "Dest\\m\\p\\q2"});
        FolderFileUndo undo;
        undo.SetCreatedFolders({drive.path("Dest\\m\\")});
        undo.SetCreatedSubFolders({drive.path("Dest\\m\\p\\q1"), drive.path("Dest/m/p/q2")});
        undo.SetFoldersCreatedByRun(made);
        undo.PrepareCopyFolders();
        RunSteps(undo);
        EXPECT_EQ(undo.GetReport(), "");
        EXPECT_FALSE(drive.Exists("Dest\\m\\p"));
        EXPECT_TRUE(drive.Exists("Dest\\m"));
    }
}

TEST(FolderFileUndo, UserItemsStayAndAreReported) {
    testsupport::TempDrive drive;
    drive.MakeFolder("R\\a");
    drive.WriteFile("R\\a\\made.txt", "run");
    drive.WriteFile("R\\a\\grown.txt", "run");
    drive.WriteFile("R\\a\\retimed.txt", "run");
    drive.WriteFile("R\\a\\plain.txt", "run");
    const _tagCreatedFile made = StampCreatedFile(drive.path("R\\a\\made.txt"));
    const _tagCreatedFile grown = StampCreatedFile(drive.path("R\\a\\grown.txt"));
    const _tagCreatedFile retimed = StampCreatedFile(drive.path("R\\a\\retimed.txt"));
    ASSERT_TRUE(made.HasStamp);
    drive.WriteFile("R\\a\\grown.txt", "run, then the user's edit");
    const std::string retimedNative = drive.nativePath("R\\a\\retimed.txt");
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, retimedNative.c_str(), times, 0), 0);
    drive.WriteFile("R\\a\\user.txt", "mine");

    FolderFileUndo undo;
    undo.SetCreatedFolders({drive.path("R\\a")});
    undo.SetCreatedFiles(DEQ_CREATED_FILES{made, grown, retimed, _tagCreatedFile{drive.path("R\\a\\gone.txt")}});
    undo.QueueCreatedFolders();
    RunSteps(undo);
    EXPECT_FALSE(drive.Exists("R\\a\\made.txt"));
    EXPECT_TRUE(drive.Exists("R\\a\\grown.txt"));
    EXPECT_TRUE(drive.Exists("R\\a\\retimed.txt"));
    EXPECT_TRUE(drive.Exists("R\\a\\user.txt"));
    EXPECT_EQ(undo.GetFailedFiles(), (StringList{drive.path("R\\a\\gone.txt")}));
    EXPECT_EQ(undo.GetChangedFiles(), (StringList{drive.path("R\\a\\grown.txt"), drive.path("R\\a\\retimed.txt")}));
    EXPECT_EQ(undo.GetReport(), kHeader + kOther + drive.path("R\\a") + "  (not empty)\n" +
                                    drive.path("R\\a\\gone.txt") + "\n" + drive.path("R\\a\\grown.txt") +
                                    "  (changed since the run)\n" + drive.path("R\\a\\retimed.txt") +
                                    "  (changed since the run)\n");

    // The user clears the folder; a retry with what failed succeeds.
    for (const char* name : {"grown.txt", "retimed.txt", "user.txt", "plain.txt"})
        std::filesystem::remove(drive.nativePath(std::string("R\\a\\") + name));
    FolderFileUndo retry;
    retry.SetCreatedFolders(undo.GetFailedFolders());
    retry.SetCreatedFiles(undo.GetFailedFileRecords());
    retry.QueueCreatedFolders();
    RunSteps(retry);
    EXPECT_FALSE(drive.Exists("R\\a"));
    EXPECT_EQ(retry.GetReport(), kHeader + kOther + drive.path("R\\a\\gone.txt") + "\n");

    // Unstamped files go as recorded; a recorded link goes, never its target.
    drive.WriteFile("S\\target.txt", "keep");
    drive.WriteFile("S\\plain.txt", "x");
    ASSERT_EQ(symlink(drive.nativePath("S\\target.txt").c_str(), drive.nativePath("S\\link").c_str()), 0);
    FolderFileUndo files;
    files.SetCreatedFiles(StringList{drive.path("S\\plain.txt"), " " + drive.path("S\\link") + " "});
    RunSteps(files);  // no plan: no folder goes
    EXPECT_EQ(files.GetReport(), "");
    EXPECT_FALSE(drive.Exists("S\\plain.txt"));
    EXPECT_FALSE(drive.Exists("S\\link"));
    EXPECT_EQ(drive.ReadFile("S\\target.txt"), "keep");
}
