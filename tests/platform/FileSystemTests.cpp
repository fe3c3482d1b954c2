#include "platform/FileSystem.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"

using namespace plat;
using testsupport::TempDrive;
namespace fs = std::filesystem;

TEST(DriveTable, TranslatesBothWaysAndRefusesWhatItCannotSay) {
    TempDrive d('T');
    std::string native, back;
    ASSERT_TRUE(ToNative("T:\\Jobs\\Alpha", native));
    EXPECT_EQ(native, d.native() + "/Jobs/Alpha");
    EXPECT_TRUE(ToNative("t:/Jobs//Alpha\\", native));
    EXPECT_EQ(native, d.native() + "/Jobs/Alpha");
    ASSERT_TRUE(FromNative(d.native() + "/Jobs/Alpha", back));
    EXPECT_EQ(back, "T:\\Jobs\\Alpha");
    ASSERT_TRUE(ToNative("C:\\home\\ann", native));
    EXPECT_EQ(native, "/home/ann");
    ASSERT_TRUE(FromNative("/home/ann", back));
    EXPECT_EQ(back, "C:\\home\\ann");

    // Trailing blanks and dots are the names' own.
    ASSERT_TRUE(ToNative("T:\\Jobs. \\Alpha..", native));
    EXPECT_EQ(native, d.native() + "/Jobs. /Alpha..");

    // No escape and no guessing.
    EXPECT_FALSE(ToNative("T:\\Jobs\\..\\..\\etc", native));
    EXPECT_FALSE(ToNative("T:\\.", native));
    EXPECT_FALSE(ToNative("T:\\a\\...\\b", native));
    EXPECT_FALSE(ToNative("Q:\\Jobs", native));  // unmapped
    EXPECT_FALSE(FromNative(d.native() + "/we\\ird", back));
    EXPECT_NE(LogicalDriveLetters().find('T'), std::string::npos);
}

TEST(FileSystem, ListingIsSortedClassifiedAndNeverFollowsLinks) {
    TempDrive d('T');
    d.MakeFolder("root/beta");
    d.MakeFolder("root/Alpha");
    d.WriteFile("root/alpha.txt", "12345");
    ASSERT_EQ(symlink(d.native().c_str(), d.nativePath("root/loop").c_str()), 0);
    ASSERT_EQ(mkfifo(d.nativePath("root/pipe").c_str(), 0600), 0);
    std::ofstream(d.nativePath("root") + "/back\\slash") << "x";

    std::vector<DirEntry> entries;
    std::vector<DirEntry> unsayable;
    ASSERT_TRUE(ListFolder(d.path("root"), entries, &unsayable));
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].name, "Alpha");
    EXPECT_EQ(entries[0].kind, EntryKind::Folder);
    EXPECT_EQ(entries[1].name, "alpha.txt");
    EXPECT_EQ(entries[1].size, 5u);
    EXPECT_EQ(entries[2].name, "beta");
    EXPECT_EQ(entries[3].kind, EntryKind::Link);
    EXPECT_EQ(entries[4].kind, EntryKind::Special);
    ASSERT_EQ(unsayable.size(), 1u);
    EXPECT_EQ(unsayable[0].name, "back\\slash");
    EXPECT_EQ(unsayable[0].kind, EntryKind::File);

    EXPECT_FALSE(FolderExists(d.path("root\\loop")));  // a link to a folder is no folder
    EXPECT_TRUE(IsLink(d.path("root\\loop")));
    EXPECT_FALSE(ListFolder(d.path("root\\loop"), entries));
    EXPECT_FALSE(FileExists(d.path("root\\pipe")));

    // Deleting a link removes the link, never its target.
    EXPECT_EQ(DeleteFile(d.path("root\\loop")), FsResult::Ok);
    EXPECT_TRUE(d.Exists("root/beta"));
    EXPECT_EQ(RemoveFolder(d.path("root")), FsResult::Failed);  // not empty
}

// The order every listing takes: letters A-Z as small ones, then the
// bytes; a name that begins another comes first. Names the order must
// tell apart by their first eight bytes, by what follows, by case alone,
// and by bytes above 127 and between 'Z' and 'a'.
TEST(FileSystem, ListingOrderIsCaseInsensitiveThenBytewise) {
    const auto less = [](const std::string& a, const std::string& b) {
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
            unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
            if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
            if (x != y) return x < y;
        }
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    };
    std::vector<std::string> names = {"a", "A", "ab", "aB", "Ab", "b", "_", "[x", "z", "Z~", "file10.txt",
                                      "file1.txt", "FILE1.TXT", "file1.txt2", "longnameA", "longnamea",
                                      "longname", "longnameb1", "\xc3\xa9t\xc3\xa9", "e"};
    std::mt19937 rng(7);
    const std::string letters = "aAbBzZ_[.0\x80\xff";
    for (int i = 0; i < 400; ++i) {
        std::string name;
        for (int n = 1 + static_cast<int>(rng() % 12); n > 0; --n) name += letters[rng() % letters.size()];
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::vector<DirEntry> entries;
    for (const std::string& name : names) entries.push_back({name});
    std::shuffle(entries.begin(), entries.end(), rng);
    SortListing(entries);
    std::sort(names.begin(), names.end(), less);
    ASSERT_EQ(entries.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(entries[i].name, names[i]) << i;
}

TEST(FileSystem, CopyNeverOverwritesAndLeavesNoPartialFile) {
    TempDrive d('T');
    d.WriteFile("src/a.txt", "new content");
    d.WriteFile("dst/a.txt", "old content");
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, d.nativePath("src/a.txt").c_str(), times, 0), 0);

    EXPECT_EQ(CopyFileNoOverwrite(d.path("src\\a.txt"), d.path("dst\\a.txt")), FsResult::AlreadyExists);
    EXPECT_EQ(d.ReadFile("dst/a.txt"), "old content");

    EXPECT_EQ(CopyFileNoOverwrite(d.path("src\\a.txt"), d.path("dst\\b.txt")), FsResult::Ok);
    EXPECT_EQ(d.ReadFile("dst/b.txt"), "new content");
    std::uint64_t size = 0;
    std::int64_t mtime = 0;
    ASSERT_TRUE(GetFileInfo(d.path("dst\\b.txt"), size, mtime));
    EXPECT_EQ(mtime, 1000000000LL * 1000000000LL);

    // A source that is no regular file, or a missing target folder: no copy,
    // and no temporary file left anywhere.
    ASSERT_EQ(mkfifo(d.nativePath("src/pipe").c_str(), 0600), 0);
    EXPECT_NE(CopyFileNoOverwrite(d.path("src\\pipe"), d.path("dst\\pipe")), FsResult::Ok);
    EXPECT_NE(CopyFileNoOverwrite(d.path("src\\a.txt"), d.path("nowhere\\a.txt")), FsResult::Ok);
    std::size_t files = 0;
    for (const auto& e : fs::directory_iterator(d.nativePath("dst"))) files += e.is_regular_file();
    EXPECT_EQ(files, 2u);
}

TEST(FileSystem, FoldersAreCreatedWithParentsAndMovesNeverReplace) {
    TempDrive d('T');
    d.MakeFolder("A");
    std::vector<std::string> created;
    EXPECT_EQ(CreateFolderTree(d.path("A\\B\\C"), &created), FsResult::Ok);
    EXPECT_EQ(created, (std::vector<std::string>{d.path("A\\B"), d.path("A\\B\\C")}));
    EXPECT_EQ(CreateFolder(d.path("A\\B")), FsResult::AlreadyExists);
    d.WriteFile("A/file", "x");
    EXPECT_EQ(CreateFolder(d.path("A\\file")), FsResult::Failed);  // a file is in the way
    EXPECT_EQ(CreateFolderTree(d.path("A\\file\\sub")), FsResult::Failed);

    d.WriteFile("m/one", "1");
    d.WriteFile("m/two", "2");
    EXPECT_EQ(MoveNoReplace(d.path("m\\one"), d.path("m\\two")), FsResult::AlreadyExists);
    EXPECT_EQ(d.ReadFile("m/two"), "2");
    EXPECT_EQ(MoveNoReplace(d.path("m\\one"), d.path("m\\three")), FsResult::Ok);
    EXPECT_EQ(MoveNoReplace(d.path("m\\one"), d.path("m\\four")), FsResult::NotFound);
}

TEST(FileSystem, AtomicWriterKeepsTheOldFileUntilCommit) {
    TempDrive d('T');
    d.WriteFile("s/default.set", "old");
    {
        AtomicFileWriter w(d.path("s\\default.set"));
        ASSERT_TRUE(w.IsOpen());
        EXPECT_TRUE(w.Write(std::string("new")));
        EXPECT_EQ(d.ReadFile("s/default.set"), "old");
    }  // abandoned
    EXPECT_EQ(d.ReadFile("s/default.set"), "old");
    {
        AtomicFileWriter w(d.path("s\\default.set"));
        EXPECT_TRUE(w.Write(std::string("new")));
        EXPECT_TRUE(w.Commit());
    }
    EXPECT_EQ(d.ReadFile("s/default.set"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(d.nativePath("s")), fs::directory_iterator()), 1);

    AtomicFileWriter missing(d.path("nofolder\\x.set"));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.Commit());
}

TEST(FileSystem, TrashKeepsWhatItTakes) {
    TempDrive d('T');
    d.WriteFile("w/a.txt", "one");
    d.WriteFile("w2/a.txt", "two");
    ASSERT_TRUE(MoveToTrash(d.path("w\\a.txt")));
    ASSERT_TRUE(MoveToTrash(d.path("w2\\a.txt")));  // same name: a second slot
    EXPECT_FALSE(d.Exists("w/a.txt"));
    const std::string trash = std::string(std::getenv("XDG_DATA_HOME")) + "/Trash";
    // The temporary drive may lie on another file system than the trash; then
    // the move is refused and the file stays. Either way nothing is lost.
    if (fs::exists(trash + "/files/a.txt")) {
        EXPECT_TRUE(fs::exists(trash + "/files/a.txt.2"));
        EXPECT_TRUE(fs::exists(trash + "/info/a.txt.trashinfo"));
    }
    EXPECT_FALSE(MoveToTrash(d.path("w\\missing")));
    EXPECT_FALSE(MoveToTrash("C:\\"));
}

TEST(FileSystem, FreeSpaceAndDriveTypes) {
    TempDrive d('T');
    std::uint64_t bytes = 0;
    EXPECT_TRUE(GetFreeBytes(d.path("not\\yet\\there"), bytes));  // asks the nearest existing parent
    EXPECT_GT(bytes, 0u);
    EXPECT_FALSE(GetFreeBytes("Q:\\", bytes));
    EXPECT_EQ(GetDriveType('Q'), 1);
    const int t = GetDriveType('T');
    EXPECT_TRUE(t == 3 || t == 4 || t == 6);
}

TEST(MessageBoxSeam, ScriptAnswersAndRecordsAndUnscriptedQuestionsSayNo) {
    EXPECT_EQ(MessageBox("Go?", "Q", MB_YESNO | MB_ICONQUESTION), IDNO);
    {
        MessageBoxScript script;
        script.Queue(IDYES);
        EXPECT_EQ(MessageBox("Go?", "Caption", MB_YESNO), IDYES);
        EXPECT_EQ(MessageBox("Again?", "Caption", MB_YESNO), IDNO);
        ASSERT_EQ(script.shown().size(), 2u);
        EXPECT_EQ(script.shown()[1].text, "Again?");
    }
    EXPECT_EQ(MessageBox("Fine", "OK", MB_OK), IDOK);
}
