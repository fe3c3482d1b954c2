// Memory running out anywhere in an undo (as it takes the records, sets
// up its parts, works them or keeps what stays) loses no record: the next
// Undo puts back the tree the run started from. Every page with an undo,
// with one worker and with eight.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol12Engine.h"
#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/CreationEngineFixture.h"
#include "tests/support/FailingAllocation.h"

namespace {

using Drive = testsupport::TempDrive;
using Tree = std::map<std::string, std::string>;
// A page's Undo of what its run left, as its button calls it.
using Undo = std::function<void(RunLog&)>;

// A structure with files and subfolders, for the pages that copy or attach one.
void WriteStructure(const Drive& drive) {
    drive.WriteFile("S\\f.txt", "f");
    drive.WriteFile("S\\A\\g.txt", "g");
    drive.WriteFile("S\\A\\B\\h.txt", "h");
}

// One create page's run with an existing structure attached, its state
// kept by the undo it returns.
template <class Page>
Undo RunCreatePage(const Drive& drive, Tree& before, const std::function<void(typename Page::Inputs&)>& fill) {
    WriteStructure(drive);
    auto state = std::make_shared<typename Page::State>();
    typename Page::Inputs in;
    in.ViewDestFolder = false;
    in.FullPaths = true;
    in.MainFolderWithFiles = true;
    in.FolderStructures = {drive.path("S")};
    fill(in);
    before = creationtest::Tree(drive);
    Page::CheckDiskSpace(*state, in, in.WithFiles());
    creationtest::RecordingLog log;
    Page::Run(*state, in, log, typename Page::Hooks{});
    return [state](RunLog& log) { Page::Undo(*state, log); };
}

struct Family {
    const char* name;
    // Makes what the run needs, notes the tree in `before`, runs (its
    // questions answered Yes) and gives its page's Undo.
    std::function<Undo(const Drive&, Tree&)> run;
};

const std::vector<Family>& Families() {
    static const std::vector<Family> families{
        {"02",
         [](const Drive& drive, Tree& before) {
             drive.MakeFolder("Dest");
             return RunCreatePage<creationtest::Page02>(drive, before, [&](Vol02Inputs& in) {
                 in.DestFolder = drive.path("Dest");
                 in.IncludeStrings = {"a\\x", "b", "c\\y\\z", "d"};
             });
         }},
        {"03",
         [](const Drive& drive, Tree& before) {
             drive.MakeFolder("Dest");
             return RunCreatePage<creationtest::Page03>(drive, before, [&](Vol03Inputs& in) {
                 in.DestFolder = drive.path("Dest");
                 in.StartText = "1";
                 in.EndText = "4";
             });
         }},
        {"04",
         [](const Drive& drive, Tree& before) {
             return RunCreatePage<creationtest::Page04>(drive, before, [&](Vol04Inputs& in) {
                 in.IncludeFolders = {drive.path("Dest\\a"), drive.path("Dest\\b\\c"), drive.path("Other\\d")};
             });
         }},
        {"06",
         [](const Drive& drive, Tree& before) {
             Vol06Inputs in;
             for (const char* folder : {"P\\A", "P\\A\\B", "P\\C", "Q\\D", "Q\\D\\E\\F"}) {
                 drive.MakeFolder(folder);
                 in.IncludeFolders.push_back(drive.path(folder));
             }
             in.NewPrefix = "x";
             in.DelimiterPrefixSubFolder = "_";
             auto records = std::make_shared<Vol06UndoRecords>();
             auto counters = std::make_shared<Vol06Counters>();
             before = creationtest::Tree(drive);
             RealDisk disk;
             Vol06UndoRecorder recorder(*records);
             testlog::RecordingLog log;
             Vol06RenameFolders(*counters, in, disk, recorder, log);
             return Undo([records, counters](RunLog& log) {
                 RunGuarded(
                     [&] {
                         Vol06UndoRenames(*records, *counters, log);
                         ShowRunFailures(RunKeeps::Undo);
                     },
                     RunKeeps::Undo);
             });
         }},
        {"08",
         [](const Drive& drive, Tree& before) {
             WriteStructure(drive);
             Vol08Inputs in;
             for (const char* main : {"M0", "M1", "M2\\N", "M3"}) {
                 drive.MakeFolder(main);
                 in.IncludeFolders.push_back(drive.path(main));
             }
             drive.MakeFolder("M1\\S\\A");  // there before: it stays
             in.FolderStructures = {drive.path("S")};
             in.FullPaths = true;
             in.MainFolderWithFiles = true;
             before = creationtest::Tree(drive);
             auto state = std::make_shared<Vol08State>();
             Vol08StartRun(*state, true);
             Vol08ComputeTotalsAndCheckSpace(*state, in, in.WithFiles());
             RealDisk disk;
             testlog::RecordingLog log;
             Vol08CopyFolders(*state, in, disk, log, Vol08RunMessages());
             return Undo([state](RunLog& log) { Vol08UndoLastRun(*state, log); });
         }},
        {"10",
         [](const Drive& drive, Tree& before) {
             drive.MakeFolder("Work\\COPYFILES");
             drive.WriteFile("Src\\a.txt", "new a");
             drive.WriteFile("Src\\Sub\\b.txt", "new b");
             Vol10Inputs in;
             for (const char* main : {"M0", "M1", "M2"}) {
                 drive.WriteFile(std::string(main) + "\\a.txt", "old a");  // overwritten
                 in.IncludeFolders.push_back(drive.path(main));
             }
             in.Sources = {drive.path("Src")};
             in.Masks = {"*.*"};
             in.WorkingDir = drive.path("Work");
             in.WorkingDirCopyFiles = drive.path("Work\\COPYFILES");
             in.DuplicatedFilesSkip = false;
             in.DuplicatedFilesOverWrite = true;
             before = creationtest::Tree(drive);
             auto state = std::make_shared<Vol10State>();
             testlog::RecordingLog log;
             Vol10RunCopyFiles(*state, in, log, {});
             return Undo([state](RunLog& log) { Vol10UndoLastRun(*state, log); });
         }},
        {"12",
         [](const Drive& drive, Tree& before) {
             drive.MakeFolder("Work");
             Vol12Inputs in;
             for (const char* main : {"M0", "M1", "M2"}) {
                 drive.WriteFile(std::string(main) + "\\a.txt", "a");
                 drive.WriteFile(std::string(main) + "\\new_a.txt", "replaced");
                 drive.WriteFile(std::string(main) + "\\b.txt", "b");
                 in.IncludeFolders.push_back(drive.path(main));
             }
             in.NewPrefix = "new_";
             in.DuplicatedFilesDrop = false;
             in.DuplicatedFilesOverWrite = true;
             in.WorkingDir = drive.path("Work");
             before = creationtest::Tree(drive);
             auto state = std::make_shared<Vol12State>();
             testlog::RecordingLog log;
             Vol12RunRenameFiles(*state, in, log, {});
             return Undo([state](RunLog& log) { Vol12UndoLastRun(*state, log); });
         }},
    };
    return families;
}

// The drive's tree but the working copies: one that an Undo put back but
// could not drop (its item failing right after) stays for the working
// folder's own tidy-up.
Tree Outcome(const Drive& drive) {
    Tree tree = creationtest::Tree(drive);
    std::erase_if(tree, [](const auto& e) { return e.first.starts_with("/Work/") && e.first != "/Work/COPYFILES"; });
    return tree;
}

class UndoFailure : public ::testing::TestWithParam<std::size_t> {};

// Allocation n of the window thread fails in the first Undo, for every n
// of the undo's first steps (taking the records, its set-up) and more
// sparsely later, until an Undo makes no allocation n. The failure is said
// (or was done without: the undo is whole), and a second Undo leaves the
// tree as it was before the run.
TEST_P(UndoFailure, MemoryRunningOutAnywhereInAnUndoLosesNoRecord) {
    const Family& family = Families()[GetParam()];
    SetFileSelNameMasks({"*.*"});
    for (const unsigned workers : {1u, 8u}) {
        const ForceRunWorkers force(workers);
        std::size_t tries = 0;
        for (std::size_t n = 0;; n = n < 40 ? n + 1 : n + n / 4, ++tries) {
            SCOPED_TRACE(std::to_string(workers) + " workers, allocation " + std::to_string(n));
            Drive drive{'T'};
            plat::MessageBoxScript boxes;
            for (int i = 0; i < 20; ++i) boxes.Queue(plat::IDYES);
            Tree before;
            const Undo undo = family.run(drive, before);
            ASSERT_NE(Outcome(drive), before) << "the run made nothing";
            testlog::RecordingLog log;
            bool failed = false, told = false;
            {
                const testsupport::FailAllocation fail(n);
                try {
                    undo(log);
                } catch (const std::bad_alloc&) {
                    told = true;  // before the undo's guard: the application's box says it
                }
                failed = fail.Failed();
            }
            for (const auto& box : boxes.shown()) told = told || box.text.find("Not enough memory.") != std::string::npos;
            const bool whole = Outcome(drive) == before;
            undo(log);
            EXPECT_EQ(Outcome(drive), before);
            if (!failed) break;
            EXPECT_TRUE(told || whole);
        }
        EXPECT_GT(tries, 40u) << "the undo allocates more often than that";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPage, UndoFailure, ::testing::Range<std::size_t>(0, Families().size()),
                         [](const auto& info) { return std::string("Page") + Families()[info.param].name; });

}  // namespace
