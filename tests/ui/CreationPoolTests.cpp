// The create pages' runs, simulations and undos with one worker and with
// many: the same random input leaves the same tree, the same Visual Log,
// counters, boxes and undo record, and the undo takes away exactly what the
// run made. Run as an ordinary user, so that a read-only folder refuses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <tuple>

#include "pages/RunItems.h"
#include "tests/support/CreationEngineFixture.h"
#include "tests/support/Privileges.h"

namespace fs = std::filesystem;
using creationtest::Lines;

namespace {

using creationtest::Paths;
using creationtest::RecordingLog;
using creationtest::Tree;

// Everything a run leaves behind that must not depend on the workers.
struct Outcome {
    std::map<std::string, std::string> tree;
    std::array<Lines, 16> lines, exports;
    std::array<double, 16> counters{};
    Lines boxes, records;
    bool operator==(const Outcome&) const = default;
};

// Paths of either drive read alike.
void Unify(std::string& text, const std::string& root) {
    for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at + 1))
        text.replace(at, root.size(), "X:\\");
}

Outcome Capture(const testsupport::TempDrive& drive, const RecordingLog& log, const CreationState& state,
                const plat::MessageBoxScript& boxes) {
    Outcome o;
    o.tree = Tree(drive);
    o.lines = log.lines;
    o.exports = log.exports;
    o.counters = log.shown.Values();
    for (const auto& b : boxes.shown()) o.boxes.push_back(b.caption + "|" + b.text);
    for (const StringList& l : {Paths(state.LastCreatedFolders), Paths(state.LastCreatedSubFolders),
                                Paths(state.LastCreatedFiles), Paths(state.LastCreatedParents),
                                state.LastExistingFolders, state.LastOtherFolders}) {
        o.records.insert(o.records.end(), l.begin(), l.end());
        o.records.push_back("--");
    }
    for (const auto& b : state.LastBases) o.records.push_back(b.Path);
    o.records.push_back(state.UndoMode);
    const std::string root = drive.path("");
    for (auto* lists : {&o.lines, &o.exports})
        for (Lines& l : *lists)
            for (std::string& t : l) Unify(t, root);
    for (Lines* l : {&o.boxes, &o.records})
        for (std::string& t : *l) Unify(t, root);
    return o;
}

// Items with repeats (in another letter case too), nested ones, one in a
// read-only folder, one equal to a structure folder the run makes.
StringList RandomItems(unsigned seed) {
    const Lines pool = {"a", "A", "a\\b", "a\\b\\c", "ro\\x", "made", "made\\sub", "In\\inner", "q\\r"};
    std::mt19937 random(seed);
    StringList items;
    for (int i = 0; i < 48; ++i) {
        if (random() % 3 == 0)
            items.push_back(pool[random() % pool.size()]);
        else
            items.push_back("n" + std::to_string(random() % 30));
    }
    items[10] = "made";
    items[20] = "ro\\x";
    items[30] = "In\\inner";
    return items;
}

// The drive every case starts from: a structure outside the destination,
// one inside it, one the run makes, and a read-only folder, all given to
// the ordinary user.
void Prepare(const testsupport::TempDrive& drive) {
    drive.MakeFolder("Dest");
    drive.WriteFile("S\\f.txt", "structure");
    drive.WriteFile("S\\sub\\g.txt", "deeper");
    drive.WriteFile("Dest\\In\\h.txt", "inside");
    drive.MakeFolder("Dest\\ro");
    chmod(drive.nativePath("Dest\\ro").c_str(), 0555);
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.native());
}

// Runs the page's simulation, run, then undo on a fresh drive with 1 and
// with 8 workers, as an ordinary user, on the inputs `fill` gives; 0 when
// every outcome is the same and the undo gave back the tree the run started
// from.
template <class Page>
int Compare(const std::function<void(const testsupport::TempDrive&, typename Page::Inputs&)>& fill) {
    // Two drives made ready as root; one pass on each, as the ordinary user.
    testsupport::TempDrive drives[2] = {testsupport::TempDrive{'T'}, testsupport::TempDrive{'U'}};
    for (const auto& drive : drives) Prepare(drive);
    return testsupport::RunAsNobody([&] {
        Outcome runs[2], sims[2], undos[2];
        for (int pass = 0; pass < 2; ++pass) {
            ForceRunWorkers force(pass == 0 ? 1 : 8);
            const testsupport::TempDrive& drive = drives[pass];
            RecordingLog log;
            plat::MessageBoxScript boxes;
            typename Page::State state;
            typename Page::Inputs in;
            typename Page::Hooks hooks;
            in.ViewDestFolder = false;
            fill(drive, in);
            Page::CheckDiskSpace(state, in, in.WithFiles());
            const auto before = Tree(drive);
            boxes.Queue(plat::IDYES);
            Page::Simulate(state, in, log, hooks, "start", "end");
            sims[pass] = Capture(drive, log, state, boxes);
            if (sims[pass].tree != before) return 10 + pass;
            boxes.Clear();
            boxes.Queue(plat::IDYES);
            Page::Run(state, in, log, hooks);
            runs[pass] = Capture(drive, log, state, boxes);
            // The simulation said what the run did.
            if (sims[pass].lines != runs[pass].lines || sims[pass].counters != runs[pass].counters) return 20 + pass;
            boxes.Clear();
            boxes.Queue(plat::IDYES);
            Page::Undo(state, log);
            undos[pass] = Capture(drive, log, state, boxes);
            if (undos[pass].tree != before) return 30 + pass;
        }
        if (!(sims[0] == sims[1])) return 2;
        if (!(runs[0] == runs[1])) return 3;
        if (!(undos[0] == undos[1])) return 4;
        // The case made something and refused something.
        const Outcome& r = runs[0];
        return r.lines[CreationFoldersCreated].empty() || r.lines[CreationFoldersOther].empty() ? 5 : 0;
    });
}

}  // namespace

TEST(CreationPool, Page02StructuresGiveTheSameOutcomesWithOneOrManyWorkers) {
    for (unsigned seed : {1u, 2u}) {
        EXPECT_EQ(Compare<creationtest::Page02>([&](const testsupport::TempDrive& drive, Vol02Inputs& in) {
                      in.DestFolder = drive.path("Dest");
                      in.IncludeStrings = RandomItems(seed);
                      in.FullPaths = true;
                      in.MainFolderWithFiles = true;
                      in.FolderStructures = {drive.path("S"), drive.path("Dest\\In"), drive.path("Dest\\made")};
                  }),
                  0)
            << "seed " << seed;
    }
}

TEST(CreationPool, Page02TemplatesGiveTheSameOutcomesWithOneOrManyWorkers) {
    EXPECT_EQ(Compare<creationtest::Page02>([](const testsupport::TempDrive& drive, Vol02Inputs& in) {
                  in.DestFolder = drive.path("Dest");
                  in.IncludeStrings = RandomItems(3);
                  in.RelativePaths = true;
                  in.MainFolderWithoutFiles = true;
                  // Lines that nest, repeat, and one refused with its box.
                  in.FolderStructures = {"x\\y", "x", "x\\y\\z", "Q:\\abs", "w\\..\\up"};
              }),
              0);
}

TEST(CreationPool, Page03GivesTheSameOutcomesWithOneOrManyWorkers) {
    EXPECT_EQ(Compare<creationtest::Page03>([](const testsupport::TempDrive& drive, Vol03Inputs& in) {
                  // A number that is there, one with a file in its way.
                  drive.MakeFolder("Dest\\7");
                  drive.WriteFile("Dest\\15", "in the way");
                  in.DestFolder = drive.path("Dest");
                  in.StartText = "1";
                  in.EndText = "40";
                  in.FullPaths = true;
                  in.MainFolderWithFiles = true;
                  in.FolderStructures = {drive.path("S"), drive.path("Dest\\In")};
              }),
              0);
}

TEST(CreationPool, Page04GivesTheSameOutcomesWithOneOrManyWorkers) {
    EXPECT_EQ(Compare<creationtest::Page04>([](const testsupport::TempDrive& drive, Vol04Inputs& in) {
                  in.Prefix = "new-";
                  // Each item's folder gets a sibling: items in the folders
                  // the run makes nest, repeats meet what an earlier one made.
                  for (const std::string& item : RandomItems(4)) {
                      const bool nested = item.find('\\') != std::string::npos && item.rfind("ro\\", 0) != 0;
                      in.IncludeFolders.push_back(drive.path("Dest\\" + (nested ? "new-" + item : item)));
                  }
                  in.FullPaths = true;
                  in.SubFoldersOnlyWithFiles = true;
                  in.FolderStructures = {drive.path("S"), drive.path("Dest\\In")};
              }),
              0);
}

// The structures are measured on the pool: eight workers give the totals
// and the size map of one at a time, the first listed size of a file
// standing in two structures kept; a drive root is left out.
TEST(CreationPool, StructuresMeasureAlikeOnOneWorkerAndOnEight) {
    testsupport::TempDrive drive{'T'};
    CreationInputs in;
    in.FullPaths = true;
    in.MainFolderWithFiles = true;
    for (int s = 0; s < 12; ++s) {
        const std::string root = "S" + std::to_string(s);
        drive.WriteFile(root + "\\A\\same.txt", std::string(static_cast<std::size_t>(s + 1), 'x'));
        drive.WriteFile(root + "\\A\\B\\own" + std::to_string(s) + ".txt", "12345");
        in.FolderStructures.push_back(drive.path(root));
    }
    in.FolderStructures.push_back("T:\\");
    const auto measure = [&](unsigned workers) {
        ForceRunWorkers force(workers);
        CreationState state;
        MeasureCreationStructures(state, in, true);
        return std::tuple(state.StructureFolders, state.StructureFiles, state.StructureBytes, state.StructureFileSizes);
    };
    const auto one = measure(1);
    EXPECT_EQ(std::get<0>(one), 12u * 3);
    EXPECT_EQ(std::get<1>(one), 12u * 2);
    EXPECT_EQ(std::get<2>(one), 12u * 5 + 78);
    EXPECT_EQ(measure(8), one);
}

// An undo in parts reports as one: one heading, the folders it had to
// leave in item order; the retry takes them once they are empty.
// More items than outcome slots: a slot used again by an item with fewer
// lines (a main folder that is there already) gives that item's lines alone.
TEST(CreationPool, OutcomeSlotsUsedAgainGiveOnlyTheirItemsLines) {
    testsupport::TempDrive drive{'T'};
    drive.MakeFolder("Dest");
    ForceRunWorkers one(1);
    plat::MessageBoxScript boxes;
    Vol02State state;
    Vol02Inputs in;
    in.DestFolder = drive.path("Dest");
    in.ViewDestFolder = false;
    in.RelativePaths = true;
    in.MainFolderWithoutFiles = true;
    in.FolderStructures = {"x", "x\\y"};
    for (int i = 0; i < 700; ++i) in.IncludeStrings.push_back("m" + std::to_string(i % 400));
    Vol02CheckDiskSpace(state, in, false);
    RecordingLog log;
    boxes.Queue(plat::IDYES);
    Vol02RunCreateFolders(state, in, log, RunHooks{});
    const Lines& made = log.lines[CreationFoldersCreated];
    ASSERT_EQ(made.size(), 400u);
    EXPECT_EQ(made[399], drive.path("Dest\\m399"));
    EXPECT_EQ(log.lines[CreationSubFoldersCreated].size(), 800u);
    EXPECT_EQ(log.lines[CreationFoldersExists].size(), 300u);
    EXPECT_EQ(state.LastCreatedSubFolders.size(), 800u);
    boxes.Clear();
    boxes.Queue(plat::IDYES);
    Vol02UndoLastRun(state, log);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));
}

TEST(CreationPool, UndoInPartsGivesOneReportAndKeepsWhatItLeft) {
    testsupport::TempDrive drive{'T'};
    drive.MakeFolder("Dest");
    ForceRunWorkers many(8);
    plat::MessageBoxScript boxes;
    Vol02State state;
    Vol02Inputs in;
    in.DestFolder = drive.path("Dest");
    in.ViewDestFolder = false;
    in.AttachNothing = true;
    in.IncludeStrings = {"a\\x", "b\\y", "c", "a\\z"};
    RecordingLog log;
    boxes.Queue(plat::IDYES);
    Vol02RunCreateFolders(state, in, log, RunHooks{});
    drive.WriteFile("Dest\\a\\x\\keep.txt", "not the run's");
    drive.WriteFile("Dest\\c\\keep.txt", "not the run's");
    boxes.Clear();
    boxes.Queue(plat::IDYES);
    Vol02UndoLastRun(state, log);
    ASSERT_EQ(boxes.shown().size(), 3u);  // the question, the report, the end
    const std::string& report = boxes.shown()[1].text;
    const std::string heading = "The program is unable to delete";
    EXPECT_EQ(report.find(heading), 0u);
    EXPECT_EQ(report.find(heading, 1), std::string::npos);
    const std::size_t x = report.find(drive.path("Dest\\a\\x")), c = report.find(drive.path("Dest\\c"));
    ASSERT_NE(x, std::string::npos);
    EXPECT_LT(x, c);
    EXPECT_EQ(log.lines[CreationFoldersFailedUndo],
              (Lines{drive.path("Dest\\a\\x"), drive.path("Dest\\a"), drive.path("Dest\\c")}));
    EXPECT_FALSE(drive.Exists("Dest\\b"));
    EXPECT_FALSE(drive.Exists("Dest\\a\\z"));
    fs::remove(drive.nativePath("Dest\\a\\x\\keep.txt"));
    fs::remove(drive.nativePath("Dest\\c\\keep.txt"));
    boxes.Queue(plat::IDYES);
    Vol02UndoLastRun(state, log);
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest")));
}

// A part whose undo fails keeps all its entries for the next Undo, and so
// does every part that never came to its turn, with one worker and with eight.
TEST(CreationPool, UndoInPartsKeepsAFailedPartWhole) {
    for (const unsigned workers : {1u, 8u}) {
        testsupport::TempDrive drive{'T'};
        drive.MakeFolder("Dest");
        ForceRunWorkers force(workers);
        plat::MessageBoxScript boxes;
        Vol02State state;
        Vol02Inputs in;
        in.DestFolder = drive.path("Dest");
        in.ViewDestFolder = false;
        in.AttachNothing = true;
        in.IncludeStrings = {"a\\x", "b\\y", "c", "a\\z", "d"};
        RecordingLog log;
        boxes.Queue(plat::IDYES);
        Vol02RunCreateFolders(state, in, log, RunHooks{});
        // The lists as the page's undo takes them after "Attach Nothing".
        UndoLists all;
        all.created = state.LastCreatedFolders;
        all.second = all.byRun = state.LastCreatedParents;
        all.secondSet = all.byRunSet = true;
        const std::vector<UndoGroup> groups = SplitUndo(state.LastBases, all);
        const auto prepare = [&](FolderFileUndo& undo, UndoLists& l) {
            if (!l.created.empty() && std::string(l.created.PathAt(0)).find("\\b") != std::string::npos)
                throw std::runtime_error("no");
            undo.SetCreatedFolders(std::move(l.created));
            undo.SetCreatedSubFolders(std::move(l.second));
            undo.SetFoldersCreatedByRun(std::move(l.byRun));
            undo.CollectFoldersByLevel();
        };
        const UndoPartsResult left = UndoInParts(groups, all, state.LastBases, workers, prepare);
        EXPECT_EQ(TakeRunFailures(), drive.path("Dest\\b") + " : no\n") << workers;
        // The failed part whole, and whatever of the run still stands
        // (parts after the failure never start), is kept.
        std::set<std::string> kept;
        for (const auto f : left.failedFolders) kept.emplace(f.Path);
        EXPECT_TRUE(kept.count(drive.path("Dest\\b")) && kept.count(drive.path("Dest\\b\\y"))) << workers;
        for (const char* made : {"Dest\\a", "Dest\\a\\x", "Dest\\a\\z", "Dest\\b", "Dest\\b\\y", "Dest\\c", "Dest\\d"})
            EXPECT_TRUE(!drive.Exists(made) || kept.count(drive.path(made))) << made << " " << workers;
    }

    // The undo's own steps failing (here the Visual Log, as what stays is
    // listed) keep every record not undone for the next Undo.
    struct BrokenLog : RecordingLog {
        void ClearLogLists() override { throw std::runtime_error("log gone"); }
    };
    for (const unsigned workers : {1u, 8u}) {
        testsupport::TempDrive drive{'T'};
        drive.MakeFolder("Dest");
        ForceRunWorkers force(workers);
        plat::MessageBoxScript boxes;
        Vol02State state;
        Vol02Inputs in;
        in.DestFolder = drive.path("Dest");
        in.ViewDestFolder = false;
        in.AttachNothing = true;
        in.IncludeStrings = {"a\\x", "b\\y", "c"};
        RecordingLog log;
        boxes.Queue(plat::IDYES);
        Vol02RunCreateFolders(state, in, log, RunHooks{});
        drive.WriteFile("Dest\\a\\x\\keep.txt", "not the run's");
        BrokenLog broken;
        boxes.Clear();
        boxes.Queue(plat::IDYES);
        Vol02UndoLastRun(state, broken);
        ASSERT_FALSE(boxes.shown().empty());
        EXPECT_NE(boxes.shown().back().text.find("log gone"), std::string::npos) << workers;
        EXPECT_NE(boxes.shown().back().text.find("kept for the Undo"), std::string::npos) << workers;
        EXPECT_TRUE(drive.Exists("Dest\\a\\x")) << workers;
        fs::remove(drive.nativePath("Dest\\a\\x\\keep.txt"));
        boxes.Queue(plat::IDYES);
        Vol02UndoLastRun(state, log);
        EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest"))) << workers;
    }
}

// A structure count that fails as a run checks its disk space ends the
// run with the count's box: nothing is created on a short total.
TEST(CreationPool, AFailedStructureCountCreatesNothing) {
    for (const unsigned workers : {1u, 8u}) {
        testsupport::TempDrive drive{'T'};
        drive.MakeFolder("Dest");
        drive.WriteFile("S1\\A\\one.txt", "1");
        drive.WriteFile("S2\\B\\two.txt", "2");
        ForceRunWorkers force(workers);
        plat::MessageBoxScript boxes;
        Vol02State state;
        Vol02Inputs in;
        in.DestFolder = drive.path("Dest");
        in.ViewDestFolder = false;
        in.FullPaths = true;
        in.MainFolderWithFiles = true;
        in.FolderStructures = {drive.path("S1"), drive.path("S2")};
        in.IncludeStrings = {"m1", "m2"};
        RecordingLog log;
        {
            const FailRunItemsNamed fail(drive.path("S2"));
            boxes.Queue(plat::IDYES);
            Vol02RunCreateFolders(state, in, log, RunHooks{});
        }
        EXPECT_TRUE(fs::is_empty(drive.nativePath("Dest"))) << workers;
        ASSERT_EQ(boxes.shown().size(), 1u) << workers;
        EXPECT_NE(boxes.shown()[0].text.find(drive.path("S2") + " : "), std::string::npos) << workers;
        EXPECT_EQ(boxes.shown()[0].text.find("kept for the Undo"), std::string::npos) << workers;
    }
}
