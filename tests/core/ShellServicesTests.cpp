#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {
std::string TrashFiles() { return std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/files"; }
bool InTrash(const std::string& name) { return fs::exists(fs::symlink_status(TrashFiles() + "/" + name)); }

// What another process does between a lock file's opening and its lock,
// once; the lock is then the system's.
std::function<void()> beforeLock;
int LockAfterAnother(int fd, int operation) {
    plat::FolderLock::SetLockCall(nullptr);
    std::exchange(beforeLock, nullptr)();
    return flock(fd, operation);
}
}  // namespace

TEST(ShellServices, BrowseForFolderGivesOnlyExistingFolders) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("Jobs");
    std::string answer, title;
    auto previous = plat::SetFolderBrowserHandler([&](void*, const std::string& t) {
        title = t;
        return answer;
    });
    answer = drive.path("Jobs");
    EXPECT_EQ(BrowseForFolder(nullptr).folder, "T:\\Jobs");
    EXPECT_EQ(title, "Browse Title");
    answer = drive.path();
    EXPECT_EQ(BrowseForFolder(nullptr, "Select the Folder.").folder, "T:\\");
    EXPECT_EQ(title, "Select the Folder.");
    answer = drive.path("typed\\but\\missing");
    EXPECT_EQ(BrowseForFolder(nullptr).folder, "");
    answer = "";
    EXPECT_EQ(BrowseForFolder(nullptr).folder, "");
    plat::SetFolderBrowserHandler(std::move(previous));
}

// "View" never fails silently: a folder that is gone or that nothing opened
// gets a warning under the caller's topic.
TEST(ShellServices, ViewFolderSaysWhenItCannot) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("Jobs");
    std::vector<std::string> opened;
    bool managerAnswers = false;
    auto previous = plat::SetOpenFolderHandler([&](const std::string& folder) {
        opened.push_back(folder);
        return managerAnswers;
    });
    plat::MessageBoxScript boxes;
    const std::string topic = "Creating Folder(s).-From a String List.";

    EXPECT_FALSE(ViewFolder(drive.path("Jobs"), topic));  // no file manager
    EXPECT_FALSE(ViewFolder(drive.path("Gone"), topic));
    managerAnswers = true;
    EXPECT_TRUE(ViewFolder(drive.path("Jobs"), topic));
    EXPECT_EQ(opened, (std::vector<std::string>{drive.path("Jobs"), drive.path("Jobs")}));  // nothing tries "Gone"
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].caption, topic + "            Warning no: 0455.");
    EXPECT_EQ(boxes.shown()[0].text.rfind("The folder could not be shown :\n" + drive.path("Jobs") + "\n", 0), 0u);
    EXPECT_EQ(boxes.shown()[1].caption, topic + "            Warning no: 0454.");
    EXPECT_EQ(boxes.shown()[1].text.rfind("The folder does not exist :\n" + drive.path("Gone") + "\n", 0), 0u);
    EXPECT_EQ(boxes.shown()[1].flags, plat::MB_OK | plat::MB_ICONWARNING);
    plat::SetOpenFolderHandler(std::move(previous));
}

// A help link is a document: the same two warnings, worded for a file, and
// only a plain document ever reaches the desktop.
TEST(ShellServices, ViewDocumentSaysWhenItCannot) {
    testsupport::TempDrive drive('T');
    drive.WriteFile("prog\\README.md", "# read me");
    drive.WriteFile("prog\\run.sh", "#!/bin/sh");
    fs::permissions(drive.nativePath("prog\\run.sh"), fs::perms::owner_all);
    std::vector<std::string> opened;
    bool viewerAnswers = false;
    auto previous = plat::SetOpenDocumentHandler([&](const std::string& file) {
        opened.push_back(file);
        return viewerAnswers;
    });
    plat::MessageBoxScript boxes;
    const std::string readme = drive.path("prog\\README.md");

    EXPECT_FALSE(ViewDocument(readme, "Help."));  // no viewer
    EXPECT_FALSE(ViewDocument(drive.path("prog\\gone.md"), "Help."));
    EXPECT_FALSE(ViewDocument("", "Help."));
    EXPECT_FALSE(ViewDocument(drive.path("prog\\run.sh"), "Help."));  // could run: never handed on
    viewerAnswers = true;
    EXPECT_TRUE(ViewDocument(readme, "Help."));
    EXPECT_EQ(opened, (std::vector<std::string>{readme, readme}));
    std::vector<std::string> captions;
    for (const auto& box : boxes.shown()) captions.push_back(box.caption);
    const std::string help = "Help.            Warning no: ";
    EXPECT_EQ(captions, (std::vector<std::string>{help + "0455.", help + "0454.", help + "0454.", help + "0455."}));
    EXPECT_EQ(boxes.shown()[0].text.rfind("The file could not be shown :\n" + readme + "\n\nNo viewer opened it.", 0),
              0u);
    EXPECT_EQ(boxes.shown()[1].text.rfind("The file does not exist :\n" + drive.path("prog\\gone.md") + "\n", 0), 0u);
    EXPECT_EQ(boxes.shown()[0].flags, plat::MB_OK | plat::MB_ICONWARNING);
    plat::SetOpenDocumentHandler(std::move(previous));
}

TEST(ShellServices, RecycleRefusesAnythingButTheWorkingFolder) {
    testsupport::TempDrive drive('T');
    const std::string work = drive.path("Prog\\WorkingDir");
    drive.WriteFile("Prog\\WorkingDir\\COPYFILES\\w.txt", "w");
    drive.WriteFile("Prog\\Other\\keep.txt", "k");
    drive.WriteFile("Prog\\WorkingDirX\\keep.txt", "k");
    fs::create_directory_symlink(drive.nativePath("Prog\\Other"), drive.nativePath("Prog\\WorkingDir\\Link"));

    for (const std::string& bad :
         {std::string(), drive.path("Prog\\Other"), drive.path("Prog\\WorkingDirX"), drive.path(), std::string("T:"),
          std::string("Prog\\WorkingDir"), drive.path("Prog\\WorkingDir\\..\\Other"),
          drive.path("Prog\\WorkingDir\\Link"), std::string(5000, 'a')}) {
        EXPECT_FALSE(RecycleFolderContents(bad, work)) << bad;
        EXPECT_FALSE(RecycleFolderFiles(bad, work)) << bad;
    }
    EXPECT_FALSE(RecycleFolderContents(drive.path(), drive.path()));  // a root working folder is no excuse
    EXPECT_FALSE(RecycleFolderContents(work, ""));
    EXPECT_TRUE(drive.Exists("Prog\\Other\\keep.txt"));
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDirX\\keep.txt"));
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\COPYFILES\\w.txt"));
}

TEST(ShellServices, RecycleMovesEntriesToTheTrash) {
    testsupport::TempDrive drive('T');
    drive.WriteFile("Prog\\WorkingDir\\CONSISTENCYCHECK\\report1.txt", "1");
    drive.WriteFile("Prog\\WorkingDir\\CONSISTENCYCHECK\\Sub\\deep.txt", "2");
    drive.WriteFile("Prog\\WorkingDir\\RENAMEFILES\\Only\\inner.txt", "3");
    drive.WriteFile("Outside\\target.txt", "t");
    fs::create_symlink(drive.nativePath("Outside\\target.txt"),
                       drive.nativePath("Prog\\WorkingDir\\CONSISTENCYCHECK\\link.txt"));
    const std::string oldWork = GetWorkingDir();
    SetWorkingDir(drive.path("Prog\\WorkingDir"));

    // Files only: a folder holding nothing but subfolders stays as it is.
    EXPECT_TRUE(RecycleFolderFiles(drive.path("Prog\\WorkingDir\\RENAMEFILES")));
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\RENAMEFILES\\Only\\inner.txt"));

    EXPECT_TRUE(RecycleFolderFiles(drive.path("Prog/WorkingDir/CONSISTENCYCHECK/")));
    EXPECT_FALSE(drive.Exists("Prog\\WorkingDir\\CONSISTENCYCHECK\\report1.txt"));
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\CONSISTENCYCHECK\\Sub\\deep.txt"));
    EXPECT_TRUE(InTrash("report1.txt"));
    EXPECT_TRUE(InTrash("link.txt"));
    EXPECT_EQ(drive.ReadFile("Outside\\target.txt"), "t");  // the link went, not what it points to

    EXPECT_TRUE(RecycleFolderContents(drive.path("Prog\\WorkingDir\\CONSISTENCYCHECK")));
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\CONSISTENCYCHECK"));
    EXPECT_FALSE(drive.Exists("Prog\\WorkingDir\\CONSISTENCYCHECK\\Sub"));
    EXPECT_TRUE(InTrash("Sub"));
    EXPECT_TRUE(RecycleFolderContents(drive.path("Prog\\WorkingDir\\CONSISTENCYCHECK")));  // empty: nothing to do
    SetWorkingDir(oldWork);
}

// A copy that does not hold the settings folder makes a folder of its own
// in the working folder, then locks it. The holder starting meanwhile may
// take it for an ended copy's in between and send it to the trash, its
// lock still held; or the name may hold something else by the time of
// the lock. The copy then takes the next name, never a folder that is gone.
TEST(ShellServices, ASecondCopysOwnFolderTakenBeforeItsLockGivesWayToTheNextName) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("Prog\\WorkingDir");
    const std::string oldWork = GetWorkingDir();
    SetWorkingDir(drive.path("Prog\\WorkingDir"));
    const std::string name = "SECONDCOPY-" + std::to_string(getpid()) + "-";
    const std::string stem = "Prog\\WorkingDir\\" + name;
    const plat::FolderLock::LockCall previous = plat::FolderLock::SetLockCall(LockAfterAnother);

    std::unique_ptr<plat::FolderLock> holder;
    beforeLock = [&] {
        holder = std::make_unique<plat::FolderLock>(drive.path(stem + "1"), false);
        EXPECT_EQ(holder->GetStatus(), plat::FolderLock::Status::Held);
        EXPECT_TRUE(plat::MoveToTrash(drive.path(stem + "1")));
    };
    auto own = TakeOwnWorkingFolders(false);
    holder.reset();
    EXPECT_TRUE(InTrash(name + "1"));
    EXPECT_TRUE(own && own->GetStatus() == plat::FolderLock::Status::Held);
    EXPECT_EQ(GetOwnWorkingDirCopyFiles(), drive.path(stem + "2\\COPYFILES"));
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(drive.nativePath(stem + "2\\RENAMEFILES"))));

    // The folder made swapped for a link to it: its lock file is still found
    // at its name, but the name holds no folder of this copy's.
    plat::FolderLock::SetLockCall(LockAfterAnother);
    beforeLock = [&] {
        fs::rename(drive.nativePath(stem + "1"), drive.nativePath("Prog\\Moved"));
        fs::create_directory_symlink(drive.nativePath("Prog\\Moved"), drive.nativePath(stem + "1"));
    };
    auto again = TakeOwnWorkingFolders(false);
    EXPECT_TRUE(again && again->GetStatus() == plat::FolderLock::Status::Held);
    EXPECT_EQ(GetOwnWorkingDirCopyFiles(), drive.path(stem + "3\\COPYFILES"));
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(drive.nativePath(stem + "3\\COPYFILES"))));

    plat::FolderLock::SetLockCall(previous);
    own.reset();
    again.reset();
    TakeOwnWorkingFolders(true);  // this copy holds the folder again
    SetWorkingDir(oldWork);
}

TEST(ShellServices, SubfolderLimit) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("F\\a");
    drive.MakeFolder("F\\b");
    drive.WriteFile("F\\file.txt", "x");
    fs::create_directory_symlink(drive.nativePath("F\\a"), drive.nativePath("F\\link"));
    EXPECT_TRUE(HasAtMostSubfolders(2, drive.path("F")));
    EXPECT_FALSE(HasAtMostSubfolders(1, drive.path("F")));
    EXPECT_TRUE(HasAtMostSubfolders(0, drive.path("missing")));
}
