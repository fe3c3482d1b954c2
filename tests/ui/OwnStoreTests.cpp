// The program's own store (its folder with the settings file and the lock,
// the working folder with everything in it) against every page that
// writes, by every way a page's paths can lead there. The pages' own checks
// of their lists are left out (no program folder handed to them): the one
// disk seam alone keeps the store whole, in the run, its undo and the
// simulation, which says what the run did.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/files/Vol10Engine.h"
#include "pages/files/Vol11Engine.h"
#include "pages/files/Vol12Engine.h"
#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/FolderLock.h"
#include "tests/support/CreationEngineFixture.h"
#include "tests/ui/FolderPoolSupport.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::string>;

// The program folder of the settings, as it was once the test ends.
struct KeptProgramFolder {
    std::string program = GetProgramFolder(), working = GetWorkingDir(), copies = GetWorkingDirCopyFiles();
    ~KeptProgramFolder() {
        SetProgramFolder(program);
        SetWorkingDir(working);
        SetWorkingDirCopyFiles(copies);
    }
    static void Use(const std::string& folder) {
        SetProgramFolder(folder);
        SetWorkingFoldersFromProgramFolder();
    }
};

// A page whose handler wraps its engine in the run frame: the same, fenced.
void OnDisk(bool simulation, const std::function<void(RunDisk&)>& work) {
    RunGuarded(
        [&] {
            DryDisk dry;
            RealDisk real;
            work(simulation ? static_cast<RunDisk&>(dry) : real);
        },
        RunKeeps::Nothing);
}

// A create page's simulation, or its run and undo (`ran` between them).
template <class Page>
void Create(bool simulation, typename Page::Inputs in, const std::string& structure, RunLog& log,
            const std::function<void()>& ran) {
    typename Page::State state;
    in.FolderStructures = {structure};
    in.FullPaths = in.MainFolderWithFiles = true;
    in.ViewDestFolder = false;
    Page::CheckDiskSpace(state, in, true);
    if (simulation) return Page::Simulate(state, in, log, {}, "start", "end");
    Page::Run(state, in, log, {});
    ran();
    testlog::RecordingLog undo;
    Page::Undo(state, undo);
}

}  // namespace

TEST(OwnStore, NoRunSimulationOrUndoChangesTheProgramsOwnFolders) {
    const KeptProgramFolder kept;
    testsupport::TempDrive drive{'T'};
    const auto P = [&](const std::string& rel) { return drive.path(rel); };
    const std::string program = P("D\\set"), working = program + "\\WorkingDir";
    struct Case {
        const char* way;
        std::function<void(bool simulation, RunLog& log, const std::function<void()>& ran)> run;
        int workingCopies = 0;  // what the run keeps there itself, through the program's own door
    };
    const std::vector<Case> cases = {
        {"02: items that make their parents in the store",
         [&](bool sim, RunLog& log, const auto& ran) {
             Vol02Inputs in;
             in.DestFolder = P("D");
             in.IncludeStrings = {"set\\new", "set\\WorkingDir\\new"};
             Create<creationtest::Page02>(sim, in, P("S"), log, ran);
         }},
        {"03: the working folder as destination",
         [&](bool sim, RunLog& log, const auto& ran) {
             Vol03Inputs in;
             in.DestFolder = working;
             in.EndText = "2";
             Create<creationtest::Page03>(sim, in, P("S"), log, ran);
         }},
        {"04: parents made on the way, and a link",
         [&](bool sim, RunLog& log, const auto& ran) {
             Vol04Inputs in;
             in.IncludeFolders = {working + "\\a\\b", program + "\\new", P("L\\WorkingDir\\c")};
             Create<creationtest::Page04>(sim, in, P("S"), log, ran);
         }},
        {"06: listed folders in the working folder, one through a link",
         [&](bool sim, RunLog& log, const auto&) {
             Vol06Inputs in;
             in.IncludeFolders = {working + "\\RENAMEFILES", P("L\\WorkingDir\\COPYFILES")};
             in.NewPrefix = "x";
             Vol06Counters counters;
             Vol06UndoRecords records;
             Vol06UndoRecorder recorder(records);
             Vol06NoRecorder none;
             OnDisk(sim, [&](RunDisk& disk) {
                 Vol06RenameFolders(counters, in, disk, sim ? static_cast<Vol06Recorder&>(none) : recorder, log);
             });
             log.ShowCounters(CountersOf(counters)());
         }},
        {"07: a listed folder that holds the program folder",
         [&](bool sim, RunLog& log, const auto&) {
             Vol07Inputs in;
             in.IncludeFolders = {P("D")};
             Vol07Counters counters;
             OnDisk(sim, [&](RunDisk& disk) { Vol07DeleteMainFolders(counters, in, disk, log); });
             log.ShowCounters(CountersOf(counters)());
         }},
        {"08: listed folders, one through a link; a structure's subfolders",
         [&](bool sim, RunLog& log, const auto& ran) {
             for (const auto& [mains, structure] : {std::pair{StringList{program, P("L\\WorkingDir")}, P("S")},
                                                    std::pair{StringList{P("D")}, P("SS")}}) {
                 Vol08State state;
                 Vol08Inputs in;
                 in.IncludeFolders = mains;
                 in.Masks = {"*.*"};
                 in.FolderStructures = {structure};
                 in.FullPaths = in.SubFoldersOnlyWithFiles = true;
                 Vol08ComputeTotalsAndCheckSpace(state, in, true);
                 OnDisk(sim, [&](RunDisk& disk) {
                     Vol08StartRun(state, !sim);
                     Vol08CopyFolders(state, in, disk, log, sim ? Vol08SimulationMessages() : Vol08RunMessages());
                 });
                 log.ShowCounters(CountersOf(state.Counters)());
                 if (sim) continue;
                 ran();
                 testlog::RecordingLog undo;
                 Vol08UndoLastRun(state, undo);
             }
         }},
        {"10: a type folder, overwriting",
         [&](bool sim, RunLog& log, const auto&) {
             Vol10State state;
             Vol10Inputs in;
             in.IncludeFolders = {P("D")};
             in.Sources = {P("Src")};
             in.CopyToMainFolders = in.DuplicatedFilesSkip = false;
             in.CopyToMainFoldersExtensions = in.DuplicatedFilesOverWrite = true;
             in.Masks = {"*.*"};
             in.WorkingDirCopyFiles = working + "\\COPYFILES";
             Vol10PrepareTotals(state, in, true);
             sim ? Vol10SimulateCopyFiles(state, in, log, {}) : Vol10RunCopyFiles(state, in, log, {});
         },
         1},
        {"10: listed folders, one through a link, adding suffixes",
         [&](bool sim, RunLog& log, const auto&) {
             Vol10State state;
             Vol10Inputs in;
             in.IncludeFolders = {program, P("L\\WorkingDir\\COPYFILES")};
             in.Sources = {P("Src")};
             in.DuplicatedFilesSkip = false;
             in.DuplicatedFilesIncreaseFileNames = true;
             in.Masks = {"*.*"};
             Vol10PrepareTotals(state, in, true);
             sim ? Vol10SimulateCopyFiles(state, in, log, {}) : Vol10RunCopyFiles(state, in, log, {});
         }},
        {"11: a listed folder that holds the program folder",
         [&](bool sim, RunLog& log, const auto&) {
             Vol11State state;
             Vol11Inputs in;
             in.IncludeFolders = {P("D")};
             in.DeleteOnlyFilesInMainFolder = in.DeleteDoubleConfirm = false;
             in.DeleteOnlyFiles = true;
             in.Masks = {"*.*"};
             Vol11CountFilesToDelete(state, in);
             sim ? Vol11SimulateDeleteFiles(state, in, log, {}) : Vol11RunDeleteFiles(state, in, log, {});
         }},
        {"12: a listed folder that holds the program folder",
         [&](bool sim, RunLog& log, const auto& ran) {
             Vol12State state;
             Vol12Inputs in;
             in.IncludeFolders = {P("D")};
             in.NewPrefix = "new_";
             in.InMainFolders = false;
             in.InMainFoldersAndSubFolders = true;
             in.WorkingCopiesDir = working + "\\RENAMEFILES";
             if (sim) return Vol12SimulateRenameFiles(state, in, log, {});
             Vol12RunRenameFiles(state, in, log, {});
             ran();
             testlog::RecordingLog undo;
             Vol12UndoLastRun(state, undo);
         }},
    };

    const auto fresh = [&] {
        std::error_code ec;
        for (const char* top : {"D", "S", "SS", "Src", "L", "loop"}) fs::remove_all(drive.nativePath(top), ec);
        for (const char* file : {"D\\set\\default.set", "D\\set\\WorkingDir\\COPYFILES\\kept.txt", "D\\user\\u.txt",
                                 "D\\txt\\u.txt", "S\\f.txt", "S\\sub\\g.txt", "SS\\set\\default.set",
                                 "SS\\set\\WorkingDir\\y.txt", "Src\\default.set", "Src\\u.txt"})
            drive.WriteFile(file, file);
        drive.MakeFolder("D\\set\\WorkingDir\\RENAMEFILES");
        fs::create_directory_symlink(drive.nativePath("D\\set"), drive.nativePath("L"));
    };
    const auto store = [&] {
        return fs::exists(drive.nativePath("D\\set")) ? folderpool::TreeOf(drive.nativePath("D\\set")) : Tree{};
    };
    struct Seen {
        Tree store, ran;  // after it all; after the run, before its undo
        std::array<std::vector<std::string>, 16> lines;
        std::map<std::string, double> counters;
    };
    const auto seen = [&](bool simulation, const Case& c) {
        plat::MessageBoxScript boxes;
        for (int i = 0; i < 8; ++i) boxes.Queue(plat::IDYES);
        testlog::RecordingLog log;
        Seen seen;
        c.run(simulation, log, [&] { seen.ran = store(); });
        seen.store = store();
        seen.lines = log.lines;
        seen.counters = log.counters;
        return seen;
    };
    // What stands in the store, but for a run's own working copies: how many.
    const auto withoutCopies = [](Tree& tree, const Tree& before) {
        return std::erase_if(tree, [&](const auto& e) {
            return !before.count(e.first) && e.first.starts_with("/WorkingDir/COPYFILES/");
        });
    };

    KeptProgramFolder::Use(program);
    for (const unsigned workers : {1u, 8u}) {
        const ForceRunWorkers force(workers);
        for (const Case& c : cases) {
            const std::string at = std::string(c.way) + ", " + std::to_string(workers) + " worker(s)";
            fresh();
            const plat::FolderLock lock(program);
            const Tree before = store();
            const Seen sim = seen(true, c);
            Seen run = seen(false, c);
            EXPECT_EQ(withoutCopies(run.store, before), c.workingCopies) << at;
            withoutCopies(run.ran, before);
            EXPECT_EQ(sim.store, before) << at;
            EXPECT_EQ(run.store, before) << at;
            if (!run.ran.empty()) {
                EXPECT_EQ(run.ran, before) << at << ", before the undo";
            }
            EXPECT_EQ(sim.lines, run.lines) << at;
            double other = 0;
            for (const auto& [label, value] : run.counters)
                if (label.find("Other") != std::string::npos) other += value;
            EXPECT_GT(other, 0) << at << ": refused under other reasons";
        }
    }

    // A program folder that exists but cannot be identified (a loop of
    // links on its way): a run writes nothing anywhere.
    fresh();
    fs::create_directory_symlink(drive.nativePath("loop"), drive.nativePath("loop"));
    KeptProgramFolder::Use(P("loop\\set"));
    const Tree before = folderpool::TreeOf(drive.native());
    for (const std::size_t c : {0u, 6u}) seen(false, cases[c]);
    EXPECT_EQ(folderpool::TreeOf(drive.native()), before);
}
