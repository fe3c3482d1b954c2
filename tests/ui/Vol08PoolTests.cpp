// Copy folders and its undo on the run pool: the same random input with one
// worker and with eight leaves the same tree and gives the same lines, the
// same counters at every line, the same boxes and the same undo records; a
// main folder that is a structure or holds one, duplicate and nested main
// folders (one made by an earlier main folder's copy), a read-only main
// folder in the middle; and the undo gives the tree from before the run back.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <random>

#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/FolderPoolSupport.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;

namespace {

using folderpool::Recorded;
using folderpool::TreeOf;

// What a run leaves for the Undo, as text: each record's path and base.
std::vector<std::string> RecordsOf(const Vol08State& s) {
    std::vector<std::string> out;
    for (const auto& b : s.Vol08LastBases) out.push_back("base " + b.Path);
    const auto folders = [&](const char* name, const DEQ_CREATED_FOLDERS& list) {
        for (const auto r : list)
            out.push_back(std::string(name) + " " + std::string(r.Path) + " " + std::to_string(r.Base) +
                          (r.Id.Known() ? "" : " ?"));
    };
    folders("main", s.Vol08MainFoldersCopied);
    folders("sub", s.Vol08CreatedSubFolders);
    folders("parent", s.Vol08CreatedParents);
    for (const auto r : s.Vol08CopiedFiles) out.push_back("file " + std::string(r.Path) + " " + std::to_string(r.Base));
    for (const auto* list : {&s.Vol08MainFoldersNotExist, &s.Vol08SubFoldersExist, &s.Vol08FilesExist,
                             &s.Vol08TemplateLinesOtherReasons})
        for (const std::string& line : *list) out.push_back("list " + line);
    out.push_back("mode " + s.Vol08LastSourceMode + " at " + s.Vol08CurrentDestination);
    return out;
}

struct Outcome {
    std::vector<std::string> lines, records, boxes, undoLines;
    std::array<double, 16> counters{};
    std::map<std::string, std::string> before, tree, undone;
    bool operator==(const Outcome& o) const {
        return lines == o.lines && records == o.records && boxes == o.boxes && undoLines == o.undoLines &&
               counters == o.counters && tree == o.tree && undone == o.undone;
    }
};

class CopyPool : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};

    void SetUp() override {
        testsupport::OpenPathToEveryone(drive.native());
        testsupport::GiveToNobody(drive.native());
        SetFileSelNameMasks({"*.*"});
    }
    void Empty() const {
        for (auto it = fs::recursive_directory_iterator(drive.native()); it != fs::recursive_directory_iterator(); ++it)
            if (it->is_directory() && !it->is_symlink()) chmod(it->path().c_str(), 0755);
        for (const auto& e : fs::directory_iterator(drive.native())) fs::remove_all(e.path());
    }

    // Structures S0 (files and folders), S1 (inside main folder M3), S2 (a
    // main folder too); main folders M0.., some with what a copy would make
    // there already, a read-only one in the middle, one reached through a link.
    void MakeTree(unsigned seed, int mains) const {
        std::mt19937 rng(seed);
        for (int k = 0; k < 6; ++k) {
            drive.WriteFile("S0\\f" + std::to_string(k) + ".txt", "s0");
            drive.WriteFile("S0\\A" + std::to_string(k % 3) + "\\B\\g" + std::to_string(k) + ".doc", "g");
        }
        drive.WriteFile("Work\\M3\\S1\\x.txt", "x");
        drive.MakeFolder("Work\\M3\\S1\\Y");
        drive.WriteFile("Work\\S2\\z.txt", "z");
        for (int m = 0; m < mains; ++m) {
            const std::string main = "Work\\M" + std::to_string(m);
            drive.MakeFolder(main);
            if (rng() % 4 == 0) drive.WriteFile(main + "\\S0\\f1.txt", "there");
            if (rng() % 5 == 0) drive.MakeFolder(main + "\\A1\\B");
            if (rng() % 7 == 0) {
                drive.MakeFolder(main + "\\S0\\A2");
                chmod(drive.nativePath(main + "\\S0\\A2").c_str(), 0555);
            }
        }
        chmod(drive.nativePath("Work\\M" + std::to_string(mains / 2)).c_str(), 0555);
        fs::create_symlink(drive.nativePath("Work"), drive.nativePath("L"));
    }
    StringList IncludeList(unsigned seed, int mains) const {
        std::mt19937 rng(seed);
        StringList list;
        for (int m = 0; m < mains; ++m) {
            const std::string main = "Work\\M" + std::to_string(m);
            list.push_back(drive.path(main));
            switch (rng() % 6) {
                case 0: list.push_back(drive.path(main)); break;
                case 1: list.push_back(drive.path(main + "\\S0")); break;  // made by the copy into main
                case 2: list.push_back(drive.path("L\\M" + std::to_string(m))); break;
                case 3: list.push_back(drive.path("Gone" + std::to_string(m))); break;
                default: break;
            }
        }
        list.push_back(drive.path("Work\\S2"));
        list.push_back(drive.path("S0"));
        std::shuffle(list.begin(), list.end(), rng);
        return list;
    }
};

TEST_F(CopyPool, RunAndUndoGiveTheSameWithOneWorkerAndWithEight) {
    constexpr int kMains = 24;
    const int code = testsupport::RunAsNobody([&] {
        int failed = 0;
        for (unsigned seed = 1; seed <= 6; ++seed) {
            Vol08Inputs in;
            in.IncludeFolders = IncludeList(seed, kMains);
            const bool templates = seed == 4;
            const bool withFiles = seed % 3 != 0;
            const bool mainFolder = seed != 2;
            if (templates) {
                in.FolderStructures = {"T\\U", "..\\up", "V", drive.path("Work\\M1")};
                in.RelativePaths = true;
            } else {
                in.FolderStructures = {drive.path("S0"), drive.path("Work\\M3\\S1"), drive.path("Work\\S2")};
                in.FullPaths = true;
            }
            in.MainFolderWithFiles = mainFolder && withFiles;
            in.MainFolderWithoutFiles = mainFolder && !withFiles;
            in.SubFoldersOnlyWithFiles = !mainFolder && withFiles;
            in.SubFoldersOnlyWithoutFiles = !mainFolder && !withFiles;
            const bool dry = seed == 5;
            Outcome got[2];
            for (const unsigned workers : {1u, 8u}) {
                Empty();
                MakeTree(seed, kMains);
                ForceRunWorkers force(workers);
                Outcome& o = got[workers == 1 ? 0 : 1];
                o.before = TreeOf(drive.native());
                plat::MessageBoxScript boxes;
                Vol08State state;
                Vol08StartRun(state, !dry);
                Vol08ComputeTotalsAndCheckSpace(state, in, in.WithFiles());
                Recorded sink;
                RealDisk real;
                DryDisk dryDisk;
                Vol08CopyFolders(state, in, dry ? static_cast<RunDisk&>(dryDisk) : real, sink,
                                 dry ? Vol08SimulationMessages() : Vol08RunMessages());
                o.lines = sink.lines;
                o.lines.insert(o.lines.end(), sink.shown.begin(), sink.shown.end());
                o.counters = state.Counters.Values();
                o.records = RecordsOf(state);
                o.tree = TreeOf(drive.native());
                if (!dry) {
                    // Someone's file in a folder the run made keeps it (and
                    // what holds it) for the next Undo, which takes exactly those.
                    std::string stray;
                    if (seed % 3 == 0)
                        for (const auto r : state.Vol08CreatedSubFolders)
                            stray = std::string(r.Path).substr(drive.path("x").size() - 1) + "\\stray.txt";
                    if (!stray.empty()) drive.WriteFile(stray, "s");
                    testlog::RecordingLog log;
                    boxes.Queue(plat::IDYES);
                    Vol08UndoLastRun(state, log);
                    if (!stray.empty()) {
                        o.records.push_back("kept " + std::to_string(state.Vol08FailedUndoFolders.size()));
                        if (state.Vol08FailedUndoFolders.empty()) ++failed;
                        fs::remove(drive.nativePath(stray));
                        boxes.Queue(plat::IDYES);
                        Vol08UndoLastRun(state, log);
                    }
                    for (const auto& list : log.lines)
                        for (const std::string& line : list) o.undoLines.push_back(line);
                    o.undone = TreeOf(drive.native());
                    // Everything the run made goes (the read-only folder's
                    // refusals made nothing), nothing else.
                    if (o.undone != o.before) {
                        std::cerr << "seed " << seed << " workers " << workers << ": undo left a different tree\n";
                        ++failed;
                    }
                }
                for (const auto& b : boxes.shown()) o.boxes.push_back(b.caption + ": " + b.text);
            }
            if (!(got[0] == got[1])) {
                std::cerr << "seed " << seed << ": one and eight workers differ\n";
                ++failed;
            }
            // The inputs reach every kind of outcome: copies, refusals, lines that exist.
            if (got[0].lines.size() < 60 || got[0].boxes.size() < 2 || (!dry && got[0].tree == got[0].before)) {
                std::cerr << "seed " << seed << ": " << got[0].lines.size() << " lines, " << got[0].boxes.size()
                          << " boxes\n";
                ++failed;
            }
        }
        Empty();
        return failed;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
