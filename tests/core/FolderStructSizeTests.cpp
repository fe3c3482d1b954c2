#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/FolderStructSize.h"
#include "core/SettingsStore.h"
#include "platform/FileSystem.h"
#include "tests/support/TempDrive.h"

namespace {

void MakeSparseFile(const std::string& native, off_t size) {
    const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

// Masks come from the settings store; each test puts the store back.
class MaskedStore {
public:
    explicit MaskedStore(const StringList& masks) : saved_(TakeSettingsSnapshot()) { SetFileSelNameMasks(masks); }
    ~MaskedStore() { RestoreSettingsSnapshot(saved_); }

private:
    SettingsSnapshot saved_;
};

}  // namespace

TEST(FolderStructSize, LevelsFilesAndBytes) {
    testsupport::TempDrive drive;
    drive.MakeFolder("Jobs\\Alpha\\A\\C");
    drive.MakeFolder("Jobs\\Alpha\\B");
    drive.WriteFile("Jobs\\Alpha\\top.txt", "0123456789");
    drive.WriteFile("Jobs\\Alpha\\B\\g.dat", "abc");
    MakeSparseFile(drive.nativePath("Jobs\\Alpha\\A\\C\\big.bin"), 5000000000LL);

    FolderStructSize size(drive.path("Jobs\\Alpha"));
    size.Examine();
    EXPECT_EQ(size.GetFolderCount(), 3u);
    EXPECT_EQ(size.GetFileCount(), 3u);
    EXPECT_EQ(size.GetTotalFileSize(), 5000000013ull);
    const FolderStructSize::LevelCounts expected{{2, 1}, {3, 2}, {4, 1}};
    EXPECT_EQ(size.GetLevelCounts(), expected);
    const auto files = size.GetFileMap();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files.at("T:\\Jobs\\Alpha\\A\\C\\big.bin"), 5000000000ull);
    EXPECT_EQ(files.at("T:\\Jobs\\Alpha\\top.txt"), 10u);

    FolderStructSize counted(drive.path("Jobs\\Alpha"));
    counted.SetCountRoot(true);
    counted.Examine();
    EXPECT_EQ(counted.GetFolderCount(), 4u);

    // Folders only; a drive root gets no doubled backslash in its children.
    FolderStructSize foldersOnly(drive.path(""), false);
    foldersOnly.Examine();
    EXPECT_EQ(foldersOnly.GetFolderCount(), 5u);
    EXPECT_EQ(foldersOnly.GetFileCount(), 0u);
    EXPECT_TRUE(foldersOnly.GetFileMap().empty());
    FolderStructSize fromDriveRoot(drive.path(""));
    fromDriveRoot.Examine();
    EXPECT_EQ(fromDriveRoot.GetFileMap().count("T:\\Jobs\\Alpha\\top.txt"), 1u);
    // The drive root on level 0, T:\Jobs on level 1 (level number 0 in the summary).
    const FolderStructSize::LevelCounts fromRoot{{0, 1}, {1, 1}, {2, 1}, {3, 2}, {4, 1}};
    EXPECT_EQ(fromDriveRoot.GetLevelCounts(), fromRoot);
}

TEST(FolderStructSize, LinksLoopsAndSpecialFilesAreNotFollowedOrCounted) {
    testsupport::TempDrive drive;
    drive.MakeFolder("R\\A\\B");
    drive.WriteFile("R\\A\\f.txt", "12345");
    ASSERT_EQ(symlink(drive.nativePath("R").c_str(), drive.nativePath("R\\A\\B\\up").c_str()), 0);
    ASSERT_EQ(symlink(drive.nativePath("R\\A\\f.txt").c_str(), drive.nativePath("R\\flink").c_str()), 0);
    ASSERT_EQ(mkfifo(drive.nativePath("R\\A\\pipe").c_str(), 0600), 0);

    FolderStructSize size(drive.path("R"));
    size.Examine();  // ends; the FIFO is never opened
    EXPECT_EQ(size.GetFolderCount(), 2u);
    EXPECT_EQ(size.GetFileCount(), 1u);
    EXPECT_EQ(size.GetTotalFileSize(), 5u);

    // A root that is itself a link to a folder is not walked.
    FolderStructSize viaLink(drive.path("R\\A\\B\\up"));
    viaLink.Examine();
    EXPECT_EQ(viaLink.GetFolderCount(), 0u);
    EXPECT_EQ(viaLink.GetFileCount(), 0u);

    MaskedStore store({"*.*"});
    FolderStructSize masked(drive.path("R"));
    masked.ExamineWithMasks();
    EXPECT_EQ(masked.GetMaskedFileCount(), 1u);
    EXPECT_EQ(masked.GetFolderCount(), 2u);
}

TEST(FolderStructSize, EmptyAndMissingRoots) {
    FolderStructSize empty("");
    empty.Examine();
    EXPECT_EQ(empty.GetFolderCount(), 0u);
    EXPECT_TRUE(empty.GetLevelCounts().empty());
    empty.Examine();  // a second walk does not wrap the count around
    EXPECT_EQ(empty.GetFolderCount(), 0u);
    FolderStructSize emptyCounted("");
    emptyCounted.SetCountRoot(true);
    emptyCounted.Examine();
    EXPECT_EQ(emptyCounted.GetFolderCount(), 1u);

    testsupport::TempDrive drive;
    FolderStructSize missing(drive.path("Nothing\\Here"));
    missing.Examine();
    const FolderStructSize::LevelCounts one{{2, 1}};
    EXPECT_EQ(missing.GetLevelCounts(), one);
    EXPECT_EQ(missing.GetFileCount(), 0u);
    EXPECT_EQ(missing.GetTotalFileSize(), 0u);

    // An empty root never stands for the current directory.
    drive.WriteFile("cwd\\here.txt", "x");
    const std::string cwd = plat::GetCurrentDir();
    ASSERT_TRUE(plat::SetCurrentDir(drive.path("cwd")));
    MaskedStore store({"*.*"});
    FolderStructSize emptyMasked("");
    emptyMasked.ExamineWithMasks();
    plat::SetCurrentDir(cwd);
    EXPECT_EQ(emptyMasked.GetMaskedFileCount(), 0u);
    EXPECT_TRUE(emptyMasked.GetLevelCounts().empty());
}

TEST(FolderStructSize, MaskedWalks) {
    testsupport::TempDrive drive;
    drive.WriteFile("M\\a.txt", "aa");
    drive.WriteFile("M\\b.doc", "bbb");
    drive.WriteFile("M\\README", "r");
    drive.WriteFile("M\\sub\\c.TXT", "cccc");
    MaskedStore store({"*.*", "*.txt"});

    FolderStructSize size(drive.path("M"));
    size.ExamineWithMasks();
    EXPECT_EQ(size.GetMaskedFileCount(), 6u);  // four by "*.*", two by "*.txt"
    EXPECT_EQ(size.GetMaskedTotalSize(), 10u + 2u + 4u);
    EXPECT_EQ(size.GetMaskedFileMap().size(), 4u);
    EXPECT_EQ(size.GetMaskedFileMap().count("T:\\M\\sub\\c.TXT"), 1u);
    EXPECT_EQ(size.GetFolderCount(), 1u);  // subfolders counted once, not per mask
    const FolderStructSize::LevelCounts perPass{{1, 2}, {2, 2}};
    EXPECT_EQ(size.GetLevelCounts(), perPass);
    EXPECT_EQ(size.GetFileCount(), 0u);  // the plain totals are untouched

    // A run's own selection rules instead of the store's masks: here the
    // files without a dot, twice each, and none lying in the root itself.
    FolderStructSize selected(drive.path("M"));
    drive.WriteFile("M\\sub\\Makefile", "mm");
    selected.SetFileSelection(
        {[](const std::string& name) { return name.find('.') == std::string::npos ? 2u : 0u; }, 1, false});
    selected.ExamineWithMasks();
    EXPECT_EQ(selected.GetMaskedFileCount(), 2u);
    EXPECT_EQ(selected.GetMaskedTotalSize(), 4u);
    EXPECT_EQ(selected.GetMaskedFileMap(), (MAP_FILE_NAME_SIZE{{"T:\\M\\sub\\Makefile", 2}}));
    EXPECT_EQ(selected.GetFolderCount(), 1u);

    SetFileSelNameMasks({});
    FolderStructSize none(drive.path("M"));
    none.ExamineWithMasks();
    EXPECT_EQ(none.GetMaskedFileCount(), 0u);
    EXPECT_TRUE(none.GetLevelCounts().empty());
}

TEST(FolderStructSize, SearchPatterns) {
    EXPECT_TRUE(MatchesSearchPattern("*.*", "README"));
    EXPECT_TRUE(MatchesSearchPattern("*.*", "a.b.c"));
    EXPECT_TRUE(MatchesSearchPattern("read*.*", "Readme"));
    EXPECT_TRUE(MatchesSearchPattern("*.", "Makefile"));
    EXPECT_FALSE(MatchesSearchPattern("*.", "a.txt"));
    EXPECT_TRUE(MatchesSearchPattern("*.T?T", "notes.txt"));
    EXPECT_FALSE(MatchesSearchPattern("*.txt", "notes.txt.bak"));
    EXPECT_FALSE(MatchesSearchPattern("?.txt", "ab.txt"));
    EXPECT_TRUE(MatchesSearchPattern("a*b*c", "aXXbYbc"));
    EXPECT_FALSE(MatchesSearchPattern("", "a"));
    // "?" and the star take whole characters.
    EXPECT_TRUE(MatchesSearchPattern("a?b", "a\u00E9b"));
    EXPECT_TRUE(MatchesSearchPattern("a?b", "A\u00C9B"));
    EXPECT_FALSE(MatchesSearchPattern("a??b", "a\u00E9b"));
    EXPECT_TRUE(MatchesSearchPattern("*?\u00E9", "\u20AC\u00E9"));
    EXPECT_TRUE(MatchesSearchPattern("*\u00A9*", "x\u00A7\u00A9y"));
    EXPECT_FALSE(MatchesSearchPattern("?", "\u20AC\u20AC"));
}

// A long walk reports its progress; a link swapped in for a folder after
// the walk began is an entry of its own, not a way out.
TEST(FolderStructSize, LongWalksReportProgressAndStayBelowTheRoot) {
    testsupport::TempDrive drive;
    for (int i = 0; i < 200; ++i) drive.MakeFolder("W\\f" + std::to_string(i));
    drive.MakeFolder("outside\\a\\b");
    FolderStructSize size(drive.path("W"));
    std::vector<std::uint64_t> reports;
    size.SetProgress([&](std::uint64_t walked) {
        reports.push_back(walked);
        if (reports.size() == 1) {  // f150 and on are not walked yet
            std::filesystem::remove(drive.nativePath("W\\f150"));
            std::filesystem::create_directory_symlink(drive.nativePath("outside"), drive.nativePath("W\\f150"));
        }
    });
    size.Examine();
    EXPECT_EQ(reports, (std::vector<std::uint64_t>{64, 128, 192}));
    EXPECT_EQ(size.GetFolderCount(), 200u);  // f150 was listed before the swap; nothing below the link
    EXPECT_EQ(size.GetLevelCounts().size(), 2u);
}

// A count that needs only its totals keeps no map of the files and still
// gives each file once, with its bytes and its name's characters. A walk
// that reports what it holds stops when the report says so, keeping nothing.
TEST(FolderStructSize, TotalsWithoutTheMapAndAWalkThatStops) {
    testsupport::TempDrive drive;
    drive.WriteFile("M\\a.txt", "aa");
    drive.WriteFile("M\\sub\\c.TXT", "cccc");
    MaskedStore store({"*.*", "*.txt"});
    FolderStructSize kept(drive.path("M")), bare(drive.path("M"));
    bare.SetKeepMaskedFileMap(false);
    kept.ExamineWithMasks();
    bare.ExamineWithMasks();
    EXPECT_EQ(kept.GetMaskedFileMap().size(), 2u);
    EXPECT_TRUE(bare.GetMaskedFileMap().empty());
    for (const FolderStructSize* size : {&kept, &bare}) {
        EXPECT_EQ(size->GetMaskedFilesOnce(), 2u);
        EXPECT_EQ(size->GetMaskedBytesOnce(), 6u);
        EXPECT_EQ(size->GetMaskedNameBytes(), 12.0);  // each name with its separator
        EXPECT_EQ(size->GetMaskedFileCount(), 4u);
    }

    for (int i = 0; i < 1100; ++i) drive.WriteFile("Big\\file number " + std::to_string(i) + ".txt", "x");
    // A report every 16 KiB held or 1,024 files taken: the first one stops it.
    for (const bool keep : {true, false}) {
        FolderStructSize stopped(drive.path("Big"));
        stopped.SetKeepMaskedFileMap(keep);
        std::vector<std::pair<double, std::uint64_t>> reports;
        stopped.SetHeldReport([&](double bytes, std::uint64_t files) {
            reports.emplace_back(bytes, files);
            return false;
        });
        stopped.ExamineWithMasks();
        EXPECT_TRUE(stopped.Stopped());
        ASSERT_EQ(reports.size(), 1u) << keep;
        EXPECT_EQ(reports[0].first >= 16 * 1024, keep);  // each file's node and path, as laid out
        EXPECT_EQ(reports[0].second, keep ? 128u : 1024u);
        EXPECT_TRUE(stopped.GetMaskedFileMap().empty());
        EXPECT_EQ(stopped.GetPassedOver().size(), 0u);
    }
}
