// The folder pages' runs on the run pool: the same random input with one
// worker and with eight leaves the same tree and gives the same lines, the
// same counters at every line and the same undo records, duplicates,
// nested items, read-only folders and a refused folder in the middle
// included.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <random>

#include "core/RenameUndo.h"

#include "pages/RunItems.h"
#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/FolderPoolSupport.h"
#include "tests/ui/DelegatingDisk.h"

namespace fs = std::filesystem;

namespace {

using folderpool::Recorded;
using folderpool::TreeOf;

// Main folders M0.. with random subfolders, files, links and read-only
// entries, the same for the same seed.
void MakeRandomTree(const testsupport::TempDrive& drive, unsigned seed, int mains) {
    std::mt19937 rng(seed);
    std::vector<std::string> readOnly;
    for (int m = 0; m < mains; ++m) {
        const std::string main = "M" + std::to_string(m);
        drive.MakeFolder(main);
        std::vector<std::string> folders{main};
        const int count = static_cast<int>(rng() % 8);
        for (int k = 0; k < count; ++k) {
            const std::string parent = folders[rng() % folders.size()];
            if (std::count(parent.begin(), parent.end(), '\\') >= 3) continue;
            folders.push_back(parent + "\\S" + std::to_string(k));
            drive.MakeFolder(folders.back());
        }
        for (const std::string& f : folders) {
            for (unsigned k = rng() % 3; k-- > 0;) drive.WriteFile(f + "\\f" + std::to_string(k) + ".txt", f);
            if (rng() % 10 == 0) fs::create_symlink(drive.nativePath("M0"), drive.nativePath(f + "\\link"));
            if (rng() % 8 == 0) chmod(drive.nativePath(f + "\\f0.txt").c_str(), 0444);
            if (f != main && rng() % 6 == 0) readOnly.push_back(f);
        }
    }
    for (const std::string& f : readOnly) chmod(drive.nativePath(f).c_str(), 0555);
    // A tree reached through a link too.
    for (int k = 0; k < 40; ++k) drive.WriteFile("N\\X\\S" + std::to_string(k) + "\\f.txt", "f");
    fs::create_symlink(drive.nativePath("N"), drive.nativePath("NL"));
}

// Every main folder once, in a random order, with the same folders again
// in other spellings, through a link and below one another, and missing ones.
StringList RandomIncludeList(const testsupport::TempDrive& drive, unsigned seed, int mains) {
    std::mt19937 rng(seed);
    StringList list;
    for (int m = 0; m < mains; ++m) {
        const std::string main = "M" + std::to_string(m);
        list.push_back(drive.path(main));
        std::string other = drive.path(main);
        std::replace(other.begin(), other.end(), '\\', '/');
        switch (rng() % 8) {
            case 0: list.push_back(drive.path(main)); break;
            case 1: list.push_back(drive.path(main + "\\S0")); break;
            case 2: list.push_back("  " + drive.path(main) + "/"); break;
            case 3: list.push_back(drive.path("Z\\..\\" + main)); break;
            case 4: list.push_back(drive.path("Gone" + std::to_string(m))); break;
            case 5: list.push_back(other); break;
            case 6: list.push_back(other + "/S1"); break;
            default: break;
        }
    }
    // The same folders again through a link.
    for (const char* alias : {"N\\X", "NL\\X", "NL"}) list.push_back(drive.path(alias));
    std::shuffle(list.begin(), list.end(), rng);
    return list;
}

class FolderPool : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};

    void SetUp() override {
        testsupport::OpenPathToEveryone(drive.native());
        testsupport::GiveToNobody(drive.native());
    }
    void Empty() const {
        for (auto it = fs::recursive_directory_iterator(drive.native()); it != fs::recursive_directory_iterator(); ++it)
            if (it->is_directory() && !it->is_symlink()) chmod(it->path().c_str(), 0755);
        for (const auto& e : fs::directory_iterator(drive.native())) fs::remove_all(e.path());
    }
    // `run` once with one worker and once with eight, each time on an emptied drive.
    template <class Outcome, class Run>
    std::array<Outcome, 2> WithOneWorkerAndWithEight(Run run) const {
        std::array<Outcome, 2> got;
        for (const unsigned workers : {1u, 8u}) {
            Empty();
            ForceRunWorkers force(workers);
            run(got[workers == 1 ? 0 : 1]);
        }
        return got;
    }
};

// ---- delete ---------------------------------------------------------------------------------------------

struct DeleteOutcome {
    std::vector<std::string> lines;
    std::array<double, 9> counters{};
    Vol07RunEnd end;
    std::map<std::string, std::string> tree;
    bool operator==(const DeleteOutcome& o) const {
        return lines == o.lines && counters == o.counters && end.Refused == o.end.Refused &&
               end.RefusedFolder == o.end.RefusedFolder && tree == o.tree;
    }
};

TEST_F(FolderPool, DeleteGivesTheSameWithOneWorkerAndWithEight) {
    constexpr int kMains = 48;
    const int code = testsupport::RunAsNobody([&] {
        int failed = 0;
        for (unsigned seed = 1; seed <= 6; ++seed) {
            Vol07Inputs in;
            in.ProgramFolder = drive.path("Prog");
            in.WorkingDir = drive.path("Prog\\Work");
            in.IncludeFolders = RandomIncludeList(drive, seed, kMains);
            // A refused folder in the middle stops the run there.
            if (seed % 2 == 0) in.IncludeFolders.insert(in.IncludeFolders.begin() + 20, drive.path("Prog"));
            in.DeleteSubFolders = seed % 3 != 0;
            in.DeleteCompleteFolders = !in.DeleteSubFolders;
            in.ReadOnlyFolders = seed % 4 < 2;
            const bool dry = seed == 5;
            // The others as the page runs them: counted first, deleted from the count's listings.
            const bool counted = seed % 2 == 1;
            const auto got = WithOneWorkerAndWithEight<DeleteOutcome>([&](DeleteOutcome& o) {
                drive.MakeFolder("Prog\\Work");
                MakeRandomTree(drive, seed, kMains);
                Recorded sink;
                Vol07Counters counters;
                counters.FoldersToDelete = 7;
                RealDisk real, countDisk;
                DryDisk dryDisk;
                RunDisk& disk = dry ? static_cast<RunDisk&>(dryDisk) : real;
                ListingRecord listings(countDisk);
                std::vector<Vol07Share> shares;
                if (counted) {
                    Vol07CountForRun(counters, in, listings, shares);
                    listings.Answer(disk);
                }
                o.end = Vol07DeleteMainFolders(counters, in, counted ? static_cast<RunDisk&>(listings) : disk, sink,
                                               counted ? &shares : nullptr);
                o.lines = sink.lines;
                o.lines.insert(o.lines.end(), sink.shown.begin(), sink.shown.end());
                o.counters = counters.Values();
                o.tree = TreeOf(drive.native());
            });
            if (!(got[0] == got[1])) {
                std::cerr << "seed " << seed << ": one and eight workers differ\n";
                ++failed;
            }
            if (got[0].lines.size() < 100 || got[0].end.Refused != (seed % 2 == 0)) {
                std::cerr << "seed " << seed << ": " << got[0].lines.size() << " lines\n";
                ++failed;
            }
            const auto& c = got[0].counters;  // files to delete = deleted + other reasons
            if (counted && c[1] != c[5] + c[7]) {
                std::cerr << "seed " << seed << ": " << c[1] << " files counted, " << c[5] << " + " << c[7] << "\n";
                ++failed;
            }
        }
        Empty();
        return failed;
    });
    EXPECT_EQ(code, 0);
}

// A folder on a main folder's path swapped for a link to the program's
// folder once the run has begun: the main folder named through it is the
// program's working folder now, and is refused where it would be deleted.
TEST_F(FolderPool, AMainFolderSwappedForTheProgramsFolderMidRunIsRefused) {
    for (const unsigned workers : {1u, 8u}) {
        Empty();
        drive.WriteFile("Prog\\WorkingDir\\keep.txt", "mine");
        drive.WriteFile("Q\\WorkingDir\\f.txt", "f");
        Vol07Inputs in;
        in.ProgramFolder = drive.path("Prog");
        in.WorkingDir = drive.path("Prog\\WorkingDir");
        for (int k = 100; k < 140; ++k) {
            const std::string main = "A" + std::to_string(k);
            drive.WriteFile(main + "\\S\\f.txt", "f");
            in.IncludeFolders.push_back(drive.path(main));
        }
        in.IncludeFolders.push_back(drive.path("Q\\WorkingDir"));
        ForceRunWorkers force(workers);
        RealDisk real;
        testdisk::DelegatingDisk swapping(real);
        // The first listing of the run (no more than the workers' first
        // items have started): every later one waits for the swap.
        std::once_flag swapped;
        swapping.beforeList = [&] {
            std::call_once(swapped, [&] {
                fs::rename(drive.nativePath("Q"), drive.nativePath("Qold"));
                fs::create_symlink(drive.nativePath("Prog"), drive.nativePath("Q"));
            });
        };
        Vol07Counters counters;
        Recorded sink;
        const Vol07RunEnd end = Vol07DeleteMainFolders(counters, in, swapping, sink);
        EXPECT_TRUE(end.Refused) << workers;
        EXPECT_EQ(end.RefusedFolder, drive.path("Q\\WorkingDir")) << workers;
        EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\keep.txt")) << workers;
        EXPECT_FALSE(drive.Exists("A139\\S")) << workers;
    }
}

// ---- rename and its undo --------------------------------------------------------------------------------

// Folders P0.. with children C0.. and grandchildren G0..; some names that
// the run's new names collide with; read-only parents.
StringList MakeRenameTree(const testsupport::TempDrive& drive, unsigned seed) {
    std::mt19937 rng(seed);
    StringList items;
    std::vector<std::string> readOnly;
    for (int p = 0; p < 12; ++p) {
        const std::string parent = "P" + std::to_string(p);
        drive.MakeFolder(parent);
        for (int k = 0; k < 6; ++k) {
            const std::string child = parent + "\\C" + std::to_string(k);
            drive.MakeFolder(child);
            if (rng() % 3 == 0) drive.MakeFolder(child + "\\G");
            if (rng() % 2) items.push_back(drive.path(child));
            if (rng() % 4 == 0) items.push_back(drive.path(child + "\\G"));
            if (rng() % 8 == 0) items.push_back(drive.path(child));                             // twice
            if (rng() % 8 == 0) drive.MakeFolder(parent + "\\x_C" + std::to_string(k) + "_y");  // in the way
            if (rng() % 10 == 0) drive.WriteFile(child + "\\f.txt", "f");
        }
        if (rng() % 3 == 0) items.push_back(drive.path(parent));
        if (rng() % 5 == 0) readOnly.push_back(parent);
    }
    // The same folders through a link, and the link itself.
    fs::create_symlink(drive.native(), drive.nativePath("RL"));
    for (const char* alias : {"RL\\P0\\C0", "RL\\P0\\C1", "RL\\P1", "RL", "P0\\C0", "P0\\C1"})
        items.push_back(drive.path(alias));
    items.push_back(drive.path("Missing\\C1"));
    items.push_back(drive.path("P1\\..\\P2"));
    for (const std::string& f : readOnly) chmod(drive.nativePath(f).c_str(), 0555);
    std::shuffle(items.begin(), items.end(), rng);
    return items;
}

struct RenameOutcome {
    std::vector<std::string> lines, undoLines, records, report;
    std::array<double, 5> counters{};
    std::map<std::string, std::string> tree, undone;
    bool operator==(const RenameOutcome&) const = default;
};

std::vector<std::string> RecordTexts(const Vol06UndoRecords& r) {
    std::vector<std::string> out;
    for (const auto& pair : r.Vol06RenamedPairs)
        out.push_back(pair.OldPath + ">" + pair.NewPath + "@" + r.Vol06UndoBases[pair.Base].Path);
    for (const auto& pair : r.Vol06FailedUndoPairs) out.push_back("failed " + pair.OldPath);
    return out;
}

TEST_F(FolderPool, RenameAndUndoGiveTheSameWithOneWorkerAndWithEight) {
    const int code = testsupport::RunAsNobody([&] {
        int failed = 0;
        for (unsigned seed = 1; seed <= 4; ++seed) {
            Vol06Inputs in;
            in.NewPrefix = "x";
            in.DelimiterPrefixSubFolder = "_";
            in.DelimiterSubFolderSuffix = "_";
            in.NewSuffix = "y";
            std::map<std::string, std::string> before;
            const auto got = WithOneWorkerAndWithEight<RenameOutcome>([&](RenameOutcome& o) {
                in.IncludeFolders = MakeRenameTree(drive, seed);
                before = TreeOf(drive.native());
                Vol06Counters counters;
                Vol06UndoRecords records;
                Recorded sink, undoSink;
                if (seed == 4) {
                    DryDisk dry;
                    Vol06NoRecorder none;
                    Vol06RenameFolders(counters, in, dry, none, sink);
                } else {
                    RealDisk disk;
                    Vol06UndoRecorder recorder(records);
                    Vol06RenameFolders(counters, in, disk, recorder, sink);
                }
                o.lines = sink.lines;
                o.lines.insert(o.lines.end(), sink.shown.begin(), sink.shown.end());
                o.counters = counters.Values();
                o.records = RecordTexts(records);
                o.tree = TreeOf(drive.native());
                // A folder renamed by the run put back where its old name is taken.
                if (seed == 2 && !records.Vol06RenamedPairs.empty()) {
                    const _tagRenameRecord& r = records.Vol06RenamedPairs[records.Vol06RenamedPairs.size() / 2];
                    std::string rel = r.OldPath.substr(3);
                    std::replace(rel.begin(), rel.end(), '\\', '/');
                    mkdir((drive.native() + "/" + rel).c_str(), 0755);
                }
                const Vol06UndoReport report = Vol06UndoRenames(records, counters, undoSink);
                o.undoLines = undoSink.lines;
                o.report = {Vol06UndoReportText(report)};
                for (const std::string& r : RecordTexts(records)) o.report.push_back(r);
                o.undone = TreeOf(drive.native());
            });
            if (!(got[0] == got[1])) {
                std::cerr << "seed " << seed << ": one and eight workers differ\n";
                std::cerr << (got[0].lines == got[1].lines) << (got[0].undoLines == got[1].undoLines)
                          << (got[0].records == got[1].records) << (got[0].report == got[1].report)
                          << (got[0].counters == got[1].counters) << (got[0].tree == got[1].tree)
                          << (got[0].undone == got[1].undone) << "\n";
                for (std::size_t k = 0; k < got[0].report.size() && k < got[1].report.size(); ++k)
                    if (got[0].report[k] != got[1].report[k])
                        std::cerr << got[0].report[k] << "\n----\n" << got[1].report[k] << "\n";
                for (std::size_t k = 0; k < got[0].lines.size() && k < got[1].lines.size(); ++k)
                    if (got[0].lines[k] != got[1].lines[k])
                        std::cerr << got[0].lines[k] << " // " << got[1].lines[k] << "\n";
                ++failed;
            }
            // Everything renamed went back (but the one whose old name was taken).
            if (seed != 2 && got[0].undone != before) {
                std::cerr << "seed " << seed << ": the undo left another tree\n";
                ++failed;
            }
            if (got[0].lines.size() < 20 || (seed != 4 && got[0].tree == before)) {
                std::cerr << "seed " << seed << ": " << got[0].lines.size() << " lines\n";
                ++failed;
            }
        }
        Empty();
        return failed;
    });
    EXPECT_EQ(code, 0);
}

// A folder of the program's own met where the run renames (the list was
// judged before): the run stops there, the folder keeps its name, and what
// the run renamed before it is recorded; one worker renames nothing after it.
TEST_F(FolderPool, RenameStopsAtAFolderOfTheProgramsOwn) {
    for (const unsigned workers : {1u, 8u}) {
        Empty();
        drive.MakeFolder("Prog\\WorkingDir\\COPYFILES");
        drive.MakeFolder("P\\a\\deep");
        drive.MakeFolder("P\\b");
        Vol06Inputs in;
        in.NewPrefix = "x";
        in.ProgramFolder = drive.path("Prog");
        in.WorkingDir = drive.path("Prog\\WorkingDir");
        // Deepest first, the last entered first: P\a\deep, then COPYFILES, then P\b.
        in.IncludeFolders = {drive.path("P\\b"), drive.path("Prog\\WorkingDir\\COPYFILES"), drive.path("P\\a\\deep")};
        ForceRunWorkers force(workers);
        RealDisk real;
        Vol06Counters counters;
        Vol06UndoRecords records;
        Vol06UndoRecorder recorder(records);
        Recorded sink;
        EXPECT_EQ(Vol06RenameFolders(counters, in, real, recorder, sink), drive.path("Prog\\WorkingDir\\COPYFILES"));
        EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\COPYFILES")) << workers;
        EXPECT_TRUE(drive.Exists("P\\a\\xdeep")) << workers;
        if (workers == 1) {
            EXPECT_TRUE(drive.Exists("P\\b"));
        }
        EXPECT_EQ(records.Vol06RenamedPairs.size(), drive.Exists("P\\xb") ? 2u : 1u) << workers;
        EXPECT_EQ(counters.FoldersRenamed, double(records.Vol06RenamedPairs.size())) << workers;
        in.IncludeFolders = {drive.path("Prog")};
        EXPECT_EQ(Vol06RenameFolders(counters, in, real, recorder, sink), drive.path("Prog")) << workers;
    }
}

// One folder named twice, once through a link: the second rename finds
// it gone, also when slow renames let the workers of a pool meet.
TEST_F(FolderPool, AFolderNamedThroughALinkIsRenamedOnce) {
    drive.MakeFolder("A\\P\\C");
    fs::create_symlink(drive.nativePath("A"), drive.nativePath("L"));
    Vol06Inputs in;
    in.NewPrefix = "x";
    in.IncludeFolders = {drive.path("A\\P\\C"), drive.path("L\\P\\C")};
    std::vector<std::string> got[2];
    for (const unsigned workers : {1u, 8u}) {
        if (drive.Exists("A\\P\\xC")) fs::rename(drive.nativePath("A\\P\\xC"), drive.nativePath("A\\P\\C"));
        ForceRunWorkers force(workers);
        RealDisk real;
        testdisk::DelegatingDisk slow(real);
        slow.beforeRename = [] { usleep(30000); };
        Vol06Counters counters;
        Vol06NoRecorder none;
        Recorded sink;
        Vol06RenameFolders(counters, in, slow, none, sink);
        got[workers == 1 ? 0 : 1] = sink.lines;
    }
    EXPECT_EQ(got[0], got[1]);
    ASSERT_EQ(got[0].size(), 2u);
    EXPECT_EQ(got[0][1].substr(0, 2), std::to_string(Vol06CatSourceNotExists) + " ");
}

}  // namespace
