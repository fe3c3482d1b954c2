#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/FolderFileUndo.h"
#include "core/RenameUndo.h"
#include "platform/Beneath.h"
#include "tests/support/TempDrive.h"

namespace {

const std::string kHeader = "The program is unable to delete the following folders, and/or separate files : \n";
const std::string kOther = "\nOTHER REASONS   : \n\n";

// What a run records of a folder or file: its identity as it stands now.
_tagCreatedFolder Rec(const std::string& path) {
    _tagCreatedFolder folder{path, {}, 0};
    std::string native;
    struct stat st;
    if (plat::ToNative(path, native) && lstat(native.c_str(), &st) == 0)
        folder.Id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return folder;
}
DEQ_CREATED_FOLDERS R(std::initializer_list<std::string> paths) {
    DEQ_CREATED_FOLDERS records;
    for (const auto& path : paths) records.push_back(Rec(path));
    return records;
}
_tagCreatedFile FileRec(const std::string& path) {
    _tagCreatedFile file;
    file.Path = path;
    std::string native;
    struct stat st;
    if (plat::ToNative(path, native) && lstat(native.c_str(), &st) == 0) {
        file.HasStamp = true;
        file.Stamp.size = static_cast<std::uint64_t>(st.st_size);
        file.Stamp.mtimeNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
        file.Stamp.ctimeNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
        file.Stamp.id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    }
    return file;
}
// The tests' runs work beneath the drive's root.
VEC_UNDO_BASES Bases(const testsupport::TempDrive& drive) {
    plat::Beneath root;
    root.Open(drive.path(""));
    return {{drive.path(""), root.Identity()}};
}

// Makes the folders as a run would and returns them in creation order.
DEQ_CREATED_FOLDERS MakeFolders(const testsupport::TempDrive& drive, const StringList& rels) {
    DEQ_CREATED_FOLDERS made;
    for (const auto& rel : rels) {
        drive.MakeFolder(rel);
        made.push_back(Rec(drive.path(rel)));
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
        const DEQ_CREATED_FOLDERS made = MakeFolders(drive, all);
        FolderFileUndo undo;
        undo.SetBases(Bases(drive));
        undo.SetMainFolder(drive.path("D\\"));
        undo.SetCreatedFolders(R({drive.path("D\\a")}));
        undo.SetCreatedSubFolders(R({drive.path("D\\a\\b\\c")}));
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
        undo.SetBases(Bases(drive));
        undo.SetCreatedFolders(R({drive.path("D\\a\\")}));
        undo.SetCreatedSubFolders(R({drive.path("D\\a\\b\\c"), drive.path("D\\a\\b\\c")}));
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
        const DEQ_CREATED_FOLDERS made = MakeFolders(drive, {"A\\B", "A\\B\\C"});
        FolderFileUndo undo;
        undo.SetBases(Bases(drive));
        undo.SetCreatedFolders(R({drive.path("A\\B\\C")}));
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
        undo.SetBases(Bases(drive));
        undo.SetCreatedFolders(R({drive.path("A\\B\\C"), "T:", "T:\\", "\\"}));
        undo.SetFoldersCreatedByRun(R({"T:\\", "T:", drive.path("A"), drive.path("A\\B")}));
        undo.SetMainFolder("T:\\");
        undo.PrepareCreateFolders();
        undo.QueueCreatedFolders();
        undo.RemoveCreatedFolders();
        EXPECT_FALSE(drive.Exists("A"));
        EXPECT_TRUE(std::filesystem::exists(drive.native()));

        FolderFileUndo bare;

        bare.SetBases(Bases(drive));  // a text without a separator has no parent
        bare.SetFoldersCreatedByRun(R({"name", "C:"}));
        bare.QueueWithAncestors(R({"name", "C:\\name"}));
    }
    // The main folder however written, its drive letter in either case, stays.
    for (const char* root : {"T:/Dest", "T:\\\\Dest\\\\", "t:\\Dest", " T:\\Dest\\ "}) {
        const DEQ_CREATED_FOLDERS made = MakeFolders(drive, {"Dest", "Dest\\x", "Dest\\x\\y"});
        FolderFileUndo undo;
        undo.SetBases(Bases(drive));
        undo.SetMainFolder(root);
        undo.SetCreatedFolders(R({drive.path("Dest\\x\\y")}));
        undo.SetFoldersCreatedByRun(made);
        undo.PrepareCreateFolders();
        undo.RemoveCreatedFolders();
        EXPECT_FALSE(drive.Exists("Dest\\x")) << root;
        EXPECT_TRUE(drive.Exists("Dest")) << root;
    }
    {  // Copy plan: the main folders are roots; shared parents go once.
        const DEQ_CREATED_FOLDERS made = MakeFolders(drive, {"Dest\\m", "Dest\\m\\p", "Dest\\m\\p\\q1", "Dest\\m\\p\\q2"});
        FolderFileUndo undo;
        undo.SetBases(Bases(drive));
        undo.SetCreatedFolders(R({drive.path("Dest\\m\\")}));
        undo.SetCreatedSubFolders(R({drive.path("Dest\\m\\p\\q1"), drive.path("Dest/m/p/q2")}));
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
    const _tagCreatedFile made = FileRec(drive.path("R\\a\\made.txt"));
    const _tagCreatedFile grown = FileRec(drive.path("R\\a\\grown.txt"));
    const _tagCreatedFile retimed = FileRec(drive.path("R\\a\\retimed.txt"));
    ASSERT_TRUE(made.HasStamp);
    drive.WriteFile("R\\a\\grown.txt", "run, then the user's edit");
    const std::string retimedNative = drive.nativePath("R\\a\\retimed.txt");
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, retimedNative.c_str(), times, 0), 0);
    drive.WriteFile("R\\a\\user.txt", "mine");

    FolderFileUndo undo;

    undo.SetBases(Bases(drive));
    undo.SetCreatedFolders(R({drive.path("R\\a")}));
    drive.WriteFile("R\\a\\gone.txt", "run");
    const _tagCreatedFile gone = FileRec(drive.path("R\\a\\gone.txt"));
    std::filesystem::remove(drive.nativePath("R\\a\\gone.txt"));
    undo.SetCreatedFiles(DEQ_CREATED_FILES{made, grown, retimed, gone});
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
    retry.SetBases(Bases(drive));
    retry.SetCreatedFolders(undo.GetFailedFolderRecords());
    retry.SetCreatedFiles(undo.GetFailedFileRecords());
    retry.QueueCreatedFolders();
    RunSteps(retry);
    EXPECT_FALSE(drive.Exists("R\\a"));
    EXPECT_EQ(retry.GetReport(), kHeader + kOther + drive.path("R\\a\\gone.txt") + "\n");

    // A recorded file replaced by a link, or by a copy that kept its size
    // and time, stays with what the link points to; so does a file the
    // run could not stamp.
    drive.WriteFile("S\\target.txt", "keep");
    drive.WriteFile("S\\plain.txt", "x");
    drive.WriteFile("S\\copied.txt", "x");
    const _tagCreatedFile plain = FileRec(drive.path("S\\plain.txt"));
    const _tagCreatedFile copied = FileRec(drive.path("S\\copied.txt"));
    std::filesystem::remove(drive.nativePath("S\\plain.txt"));
    ASSERT_EQ(symlink(drive.nativePath("S\\target.txt").c_str(), drive.nativePath("S\\plain.txt").c_str()), 0);
    std::filesystem::copy_file(drive.nativePath("S\\copied.txt"), drive.nativePath("S\\backup"));
    std::filesystem::last_write_time(drive.nativePath("S\\backup"),
                                     std::filesystem::last_write_time(drive.nativePath("S\\copied.txt")));
    std::filesystem::rename(drive.nativePath("S\\backup"), drive.nativePath("S\\copied.txt"));
    FolderFileUndo files;
    files.SetBases(Bases(drive));
    _tagCreatedFile unstamped;
    unstamped.Path = drive.path("S\\target.txt");
    files.SetCreatedFiles(DEQ_CREATED_FILES{plain, copied, unstamped});
    RunSteps(files);  // no plan: no folder goes
    EXPECT_EQ(files.GetChangedFiles(),
              (StringList{drive.path("S\\plain.txt"), drive.path("S\\copied.txt"), drive.path("S\\target.txt")}));
    EXPECT_TRUE(std::filesystem::is_symlink(drive.nativePath("S\\plain.txt")));
    EXPECT_TRUE(drive.Exists("S\\copied.txt"));
    EXPECT_EQ(drive.ReadFile("S\\target.txt"), "keep");

}

TEST(FolderFileUndo, FoldersDifferingOnlyInCaseAreDifferentFolders) {
    testsupport::TempDrive drive;
    // "t\new" existed before the run; the run made "T\New" and "t\new\sub".
    drive.MakeFolder("t\\new");
    drive.MakeFolder("T\\New");
    drive.MakeFolder("t\\new\\sub");
    FolderFileUndo undo;
    undo.SetBases(Bases(drive));
    undo.SetCreatedFolders(R({drive.path("t\\new\\sub")}));
    undo.SetFoldersCreatedByRun(R({drive.path("T\\New"), drive.path("t\\new\\sub")}));
    undo.PrepareCreateFromListDrives();
    undo.RemoveCreatedFolders();
    EXPECT_FALSE(drive.Exists("t\\new\\sub"));
    EXPECT_TRUE(drive.Exists("t\\new"));

    // Two created parents that differ in case both go.
    for (const char* rel : {"A\\x", "a\\y"}) drive.MakeFolder(rel);
    FolderFileUndo both;
    both.SetBases(Bases(drive));
    both.SetCreatedFolders(R({drive.path("A\\x"), drive.path("a\\y")}));
    both.SetFoldersCreatedByRun(R({drive.path("A"), drive.path("A\\x"), drive.path("a"), drive.path("a\\y")}));
    both.PrepareCreateFromListDrives();
    both.RemoveCreatedFolders();
    EXPECT_FALSE(drive.Exists("A"));
    EXPECT_FALSE(drive.Exists("a"));
}

// Renames go back only for the object the run renamed, never over anything.
TEST(RenameReversal, MovesBackOnlyTheRenamedObjectToAFreeName) {
    testsupport::TempDrive drive;
    drive.MakeFolder("D\\new");
    drive.WriteFile("D\\x-new.txt", "renamed");
    drive.WriteFile("D\\taken.txt", "renamed too");
    drive.WriteFile("D\\old-taken.txt", "someone's");
    const auto rec = [&](const std::string& from, const std::string& to) {
        return _tagRenameRecord{drive.path("D\\" + from), drive.path("D\\" + to), Rec(drive.path("D\\" + to)).Id, 0};
    };
    const _tagRenameRecord folder = rec("old", "new");
    const _tagRenameRecord file = rec("x.txt", "x-new.txt");
    const _tagRenameRecord blocked = rec("old-taken.txt", "taken.txt");
    const _tagRenameRecord gone = rec("was.txt", "vanished.txt");
    // The renamed file was replaced by a copy: not the run's object.
    drive.WriteFile("D\\copy.txt", "renamed");
    std::filesystem::rename(drive.nativePath("D\\copy.txt"), drive.nativePath("D\\x-new.txt"));

    UndoBaseOpener bases(Bases(drive));
    RenameReversal reversal(bases);
    EXPECT_EQ(reversal.MoveBack(folder), RenameBack::Moved);
    EXPECT_EQ(reversal.MoveBack(file), RenameBack::Changed);
    EXPECT_EQ(reversal.MoveBack(blocked), RenameBack::SourceExists);
    EXPECT_EQ(reversal.MoveBack(gone), RenameBack::DestinationMissing);
    EXPECT_TRUE(drive.Exists("D\\old"));
    EXPECT_EQ(drive.ReadFile("D\\old-taken.txt"), "someone's");
    EXPECT_EQ(drive.ReadFile("D\\taken.txt"), "renamed too");

    // A link put at the new path is never followed or moved.
    std::filesystem::rename(drive.nativePath("D\\old"), drive.nativePath("D\\elsewhere"));
    std::filesystem::create_directory_symlink(drive.nativePath("D\\elsewhere"), drive.nativePath("D\\new"));
    EXPECT_EQ(reversal.MoveBack(folder), RenameBack::Changed);
    EXPECT_TRUE(std::filesystem::is_symlink(drive.nativePath("D\\new")));
}

TEST(FolderFileUndo, ListOrderChangesNeitherWhatGoesNorTheReport) {
    // Folders go children first in whatever order the lists hold them, and
    // what stays is reported deepest level first.
    testsupport::TempDrive drive;
    StringList rels = {"w", "w\\v", "x", "x\\y", "x\\y\\z"};
    std::sort(rels.begin(), rels.end());
    const std::string expected =
        kHeader + kOther + drive.path("w\\v") + "  (not empty)\n" + drive.path("w") + "  (not empty)\n";
    int orders = 0;
    do {
        for (const auto& rel : rels) drive.MakeFolder(rel);
        drive.WriteFile("w\\v\\user.txt", "mine");
        DEQ_CREATED_FOLDERS first, second;
        for (std::size_t i = 0; i < rels.size(); ++i) (i < 2 ? first : second).push_back(Rec(drive.path(rels[i])));
        FolderFileUndo undo;
        undo.SetBases(Bases(drive));
        undo.SetCreatedFolders(first);
        undo.SetCreatedSubFolders(second);
        undo.CollectFoldersByLevel();
        RunSteps(undo);
        EXPECT_EQ(undo.GetReport(), expected) << orders;
        EXPECT_FALSE(drive.Exists("x")) << orders;
        std::filesystem::remove_all(drive.nativePath("w"));
        ++orders;
    } while (std::next_permutation(rels.begin(), rels.end()));
    EXPECT_EQ(orders, 120);
}

TEST(FolderFileUndo, PartsSharingOneOpenerSortIntoTheWholeUndosReport) {
    // The list split by subtree, each part undone beneath one shared opener:
    // the places of what stays sort the parts' failures into the order and
    // lines of one undo of the whole list.
    testsupport::TempDrive drive;
    const StringList rels = {"X\\p", "Y\\q", "X\\p\\r", "Y\\s", "Y\\t"};
    const auto make = [&] {
        DEQ_CREATED_FOLDERS made = MakeFolders(drive, rels);
        drive.WriteFile("X\\p\\r\\user.txt", "mine");
        drive.WriteFile("Y\\q\\user.txt", "mine");
        return made;
    };
    FolderFileUndo whole;
    whole.SetBases(Bases(drive));
    whole.SetCreatedSubFolders(make());
    whole.QueueSecondFolderList();
    RunSteps(whole);
    ASSERT_EQ(whole.GetFailedFolders().size(), 3u);

    const DEQ_CREATED_FOLDERS all = make();
    UndoBaseOpener shared(Bases(drive));
    struct Left {
        FolderFileUndo::FailedPlace place;
        std::size_t index;
        std::string path;
    };
    std::vector<Left> left;
    for (const std::vector<std::size_t>& part : {std::vector<std::size_t>{0, 2}, std::vector<std::size_t>{1, 3, 4}}) {
        DEQ_CREATED_FOLDERS mine;
        for (const std::size_t i : part) mine.AppendEntryOf(all, i);
        FolderFileUndo undo;
        undo.ShareBases(shared);
        undo.SetCreatedSubFolders(std::move(mine));
        undo.QueueSecondFolderList();
        RunSteps(undo);
        const StringList paths = undo.GetFailedFolders();
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const FolderFileUndo::FailedPlace place = undo.GetFailedFolderPlaces()[k];
            left.push_back({place, part[place.index], paths[k]});
        }
    }
    std::stable_sort(left.begin(), left.end(), [](const Left& a, const Left& b) {
        return a.place.level != b.place.level ? a.place.level > b.place.level : a.index > b.index;
    });
    std::string lines;
    for (const Left& l : left) lines += l.path + l.place.reason + "\n";
    EXPECT_EQ(FolderFileUndo::ReportOf(lines), whole.GetReport());
    EXPECT_FALSE(drive.Exists("Y\\s"));
    EXPECT_TRUE(drive.Exists("Y\\q\\user.txt"));
}

TEST(FolderFileUndo, PathsSharedWithAnotherHolderOutliveItsClearing) {
    // The run's lists name lines a Visual Log keeps; the log lets its lines
    // go and fills a new store, and the undo still reads what the run made.
    testsupport::TempDrive drive;
    drive.MakeFolder("keep");
    const StringList rels = {"a", "a\\b", "a\\b\\c", "d"};
    auto logLines = std::make_shared<LineStore>();
    logLines->Append("a line of another category");
    DEQ_CREATED_FOLDERS main, sub;
    for (const auto& rel : rels) {
        drive.MakeFolder(rel);
        const _tagCreatedFolder made = Rec(drive.path(rel));
        logLines->Append(made.Path);
        DEQ_CREATED_FOLDERS& list = rel.size() == 1 ? main : sub;
        list.Append(SharedLine{&logLines, logLines->Size() - 1}, made.Path, {made.Id, 0});
    }
    sub.push_back(Rec(drive.path("keep")));  // copied into the list's own store
    DEQ_CREATED_FOLDERS copy = sub;
    logLines = std::make_shared<LineStore>();  // the log's lists were emptied
    logLines->Append("a later run's line");
    EXPECT_EQ(copy[0].Path, drive.path("a\\b"));
    EXPECT_EQ(copy.back().Path, drive.path("keep"));

    drive.WriteFile("keep\\user.txt", "mine");
    FolderFileUndo undo;
    undo.SetBases(Bases(drive));
    undo.SetCreatedFolders(std::move(main));
    undo.SetCreatedSubFolders(std::move(sub));
    undo.CollectFoldersByLevel();
    RunSteps(undo);
    for (const auto& rel : rels) EXPECT_FALSE(drive.Exists(rel)) << rel;
    EXPECT_EQ(undo.GetFailedFolders(), (StringList{drive.path("keep")}));
}

// A run makes folders beneath held handles at any depth; its undo reaches
// them the same way, well below the system's limit on a path's length.
TEST(FolderFileUndo, UndoesTreesDeeperThanThePathLimit) {
    testsupport::TempDrive drive;
    drive.MakeFolder("D");
    plat::Beneath base;
    ASSERT_EQ(base.Open(drive.path("D")), plat::FsResult::Ok);
    DEQ_CREATED_FOLDERS made;
    std::string path = drive.path("D");
    for (int level = 0; level < 400; ++level) {
        path += "\\a-folder-name-of-twenty";
        plat::FileIdentity id;
        ASSERT_EQ(base.MakeFolder(path, &id), plat::FsResult::Ok) << level;
        made.push_back({path, id, 0});
    }
    ASSERT_GT(path.size(), 2u * 4096u);
    FolderFileUndo undo;
    undo.SetBases({{drive.path("D"), base.Identity()}});
    undo.SetCreatedFolders(DEQ_CREATED_FOLDERS{made.front()});
    undo.SetCreatedSubFolders(made);
    undo.CollectFoldersByLevel();
    RunSteps(undo);
    EXPECT_EQ(undo.GetReport(), "");
    EXPECT_FALSE(drive.Exists("D\\a-folder-name-of-twenty"));
    EXPECT_TRUE(drive.Exists("D"));
}
