// The delete-folders and rename-folders engines below their pages, on a
// temporary drive: links, other file systems, roots refused at run time,
// read-only folders, new names, collisions, undo, and the simulations
// against the runs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QPaintEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QWidget>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/ListedFolders.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/folders/Vol06Engine.h"
#include "pages/folders/Vol07Engine.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmVol07ZoomStatistics.h"
#include "tests/support/MountNamespace.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/DelegatingDisk.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// Every line by category and in order, and the counters as last shown.
class RecordingSink : public RunLog {
public:
    std::map<int, Lines> lines;
    std::vector<std::pair<int, std::string>> order;
    std::vector<double> counters;
    void AddLine(int category, const std::string& line) override {
        lines[category].emplace_back(line);
        order.emplace_back(category, line);
    }
    void AddExportLine(int, const std::string&) override {}
    void ShowCounters(std::span<const CounterLabel> shown) override {
        counters.clear();
        for (const CounterLabel& c : shown) counters.push_back(c.Value);
    }
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}
};

// Every path below `native`: "<dir>", "-> target" or the content, and the mode.
std::map<std::string, std::string> Tree(const std::string& native) {
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(native)) {
        std::string content = e.is_symlink() ? "-> " + fs::read_symlink(e.path()).string() : "<dir>";
        if (!e.is_symlink() && e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        struct stat st {};
        lstat(e.path().c_str(), &st);
        tree[e.path().string().substr(native.size())] = content + " " + std::to_string(st.st_mode & 07777);
    }
    return tree;
}

// ---- delete -----------------------------------------------------------------------------------

class DeleteFolders : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    Vol07Inputs in;
    Vol07Counters counters;
    RecordingSink sink;

    void SetUp() override {
        drive.MakeFolder("Prog\\WorkingDir");
        in.ProgramFolder = P("Prog");
        in.WorkingDir = P("Prog\\WorkingDir");
    }
    std::string P(const std::string& rel) const { return drive.path(rel); }
    void Link(const std::string& rel, const std::string& to) const {
        fs::create_symlink(drive.nativePath(to), drive.nativePath(rel));
    }
    void Whole() {
        in.DeleteSubFolders = false;
        in.DeleteCompleteFolders = true;
    }
    // Called once, right after the first file removal (an item's lines
    // reach the sink only when the item is done).
    std::function<void()> afterFirstRemoval;
    Vol07RunEnd Run() {
        RealDisk real;
        testdisk::DelegatingDisk disk(real);
        disk.afterRemoveFile = [this] {
            if (afterFirstRemoval) std::exchange(afterFirstRemoval, nullptr)();
        };
        return Vol07DeleteMainFolders(counters, in, disk, sink);
    }
    // The simulation's lines and counters, then the run's: the same, and
    // nothing changed in between.
    void SimulateThenRun(const std::string& watched) {
        sink = {};
        counters = {};
        const auto before = Tree(watched);
        DryDisk dry;
        Vol07DeleteMainFolders(counters, in, dry, sink);
        EXPECT_EQ(Tree(watched), before);
        const RecordingSink simulated = sink;
        sink = {};
        counters = {};
        Run();
        EXPECT_EQ(sink.order, simulated.order);
        EXPECT_EQ(sink.counters, simulated.counters);
    }
    void Tree3(const std::string& main) {
        drive.WriteFile(main + "\\a.txt", "a");
        drive.WriteFile(main + "\\Sub1\\b.txt", "b");
        drive.WriteFile(main + "\\Sub1\\Deep\\c.txt", "c");
        drive.MakeFolder(main + "\\Sub2");
    }
};

TEST_F(DeleteFolders, EmptiesOrRemovesTheTreeDeepestFirstAsSimulated) {
    Tree3("Main");
    Tree3("Whole");
    Vol07CountFoldersToDelete(counters, {P("Main"), P("Main\\Sub1"), P("Whole")}, 4);
    EXPECT_EQ(counters.Values()[0], 8);
    EXPECT_EQ(counters.Values()[1], 6);

    // Listed with one of its own subfolders, a main folder is walked once.
    in.IncludeFolders = {P("Main\\Sub1"), P("Main"), P("Gone"), "Data\\Whole", P("X\\..\\Whole\\.")};
    SimulateThenRun(drive.native());
    EXPECT_TRUE(fs::is_empty(drive.nativePath("Main")));
    EXPECT_EQ(sink.lines[Vol07CatFoldersDeleted], (Lines{P("Main\\Sub1\\Deep"), P("Main\\Sub2"), P("Main\\Sub1")}));
    EXPECT_EQ(sink.lines[Vol07CatMainFoldersNotExist], Lines{P("Gone")});
    EXPECT_EQ(sink.lines[Vol07CatFoldersOtherReasons], (Lines{"Data\\Whole", P("X\\..\\Whole\\.")}));
    EXPECT_EQ(sink.counters, (std::vector<double>{0, 0, 3, 0, 2, 3, 0, 0, 1}));

    in.IncludeFolders = {P("Whole")};
    Whole();
    Run();
    EXPECT_FALSE(drive.Exists("Whole"));
    EXPECT_EQ(sink.lines[Vol07CatFoldersDeleted].back(), P("Whole"));
}

// A link is an entry of its own wherever it points, also one that takes a
// folder's place after the pre-count or after its folder was listed.
TEST_F(DeleteFolders, LinksGoAsLinksAndWhatTheyPointAtStays) {
    drive.WriteFile("Keep\\Sub\\x.txt", "x");
    drive.WriteFile("Main\\0.txt", "0");
    drive.WriteFile("Main\\Sub\\f.txt", "f");
    drive.WriteFile("Main\\Victim\\v.txt", "v");
    drive.WriteFile("Main\\Later\\l.txt", "l");
    Link("Main\\ToKeep", "Keep");
    Link("Main\\Sub\\ToFile", "Keep\\Sub\\x.txt");
    Link("Main\\Sub\\Loop", "Main");
    fs::create_symlink("Self", drive.nativePath("Main\\Self"));
    in.IncludeFolders = {P("Main")};
    // The pre-count counts what the run will: the links too.
    Vol07CountFoldersToDelete(counters, in.IncludeFolders, 3);
    EXPECT_EQ(counters.FilesToDelete, 8);
    fs::rename(drive.nativePath("Main\\Victim"), drive.nativePath("Moved"));
    Link("Main\\Victim", "Keep");
    afterFirstRemoval = [&] {  // Main is listed by now
        fs::rename(drive.nativePath("Main\\Later"), drive.nativePath("Moved2"));
        Link("Main\\Later", "Keep");
    };
    Whole();
    Run();
    EXPECT_FALSE(drive.Exists("Main"));
    EXPECT_EQ(Tree(drive.nativePath("Keep")).size(), 2u);
    EXPECT_EQ(drive.ReadFile("Moved\\v.txt") + drive.ReadFile("Moved2\\l.txt"), "vl");
    EXPECT_EQ(sink.lines[Vol07CatFilesDeleted].back(), P("Main\\Later"));
    EXPECT_EQ(counters.FilesDeleted, 8);
    EXPECT_EQ(counters.FoldersDeleted, 2);
}

// A mount point below a main folder is not entered: a bind mount in a
// mount namespace of a child's own, as root and as an ordinary user.
class DeleteFoldersMount : public DeleteFolders {
protected:
    void SetUp() override {
        DeleteFolders::SetUp();
        drive.WriteFile("outside\\target\\keep.txt", "precious");
        drive.MakeFolder("Main\\mnt");
        drive.WriteFile("Main\\m.txt", "m");
        in.IncludeFolders = {P("Main")};
        Whole();
    }
    testsupport::MountChild RunWithAMountBelow() {
        return testsupport::InOwnMountNamespace([&] {
            if (mount(drive.nativePath("outside\\target").c_str(), drive.nativePath("Main\\mnt").c_str(), nullptr,
                      MS_BIND, nullptr) != 0)
                testsupport::CannotMount("a bind mount below the main folder");
            Run();
            const bool counted = sink.lines[Vol07CatFoldersOtherReasons] ==
                                 Lines({P("Main\\mnt") + " (another file system, not entered)", P("Main")});
            return counted && !drive.Exists("Main\\m.txt") ? 0 : 1;
        });
    }
};

TEST_F(DeleteFoldersMount, AnotherFileSystemIsNotEntered) {
    const testsupport::MountChild child = RunWithAMountBelow();
    ASSERT_TRUE(child.mounted) << child.why;
    EXPECT_EQ(child.code, 0);
    EXPECT_EQ(drive.ReadFile("outside\\target\\keep.txt"), "precious");
}

TEST_F(DeleteFoldersMount, AnOrdinaryUsersRunDoesNotEnterItEither) {
    testsupport::GiveToNobody(drive.native());
    testsupport::OpenPathToEveryone(drive.native());
    const int code = testsupport::RunAsNobody([&] {
        const testsupport::MountChild child = RunWithAMountBelow();
        if (!child.mounted) std::fprintf(stderr, "cannot mount: %s\n", child.why.c_str());
        return child.mounted ? child.code : 100;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(drive.ReadFile("outside\\target\\keep.txt"), "precious");
}

// A folder above a main folder swapped after the run read it (here for an
// earlier main folder beside it): a file system's root met through the new
// one is refused on the handle the delete uses, never emptied. A tmpfs and
// a bind mount of its root in a child's own mount namespace.
TEST_F(DeleteFolders, AFileSystemsRootBelowASwappedFolderIsRefused) {
    drive.MakeFolder("Fs");
    in.IncludeFolders = {P("L\\P\\A"), P("L\\P\\M")};
    Whole();
    const testsupport::MountChild child = testsupport::InOwnMountNamespace([&] {
        const std::string root = drive.nativePath("Fs");
        if (mount("tmpfs", root.c_str(), "tmpfs", 0, nullptr) != 0) testsupport::CannotMount("a tmpfs");
        drive.WriteFile("Fs\\P\\A\\a.txt", "a");
        drive.WriteFile("Fs\\keep.txt", "precious");
        Link("L", "Fs");
        // A is being emptied, its parent read through the link: the link
        // gives way to a folder whose P\M is that file system's root.
        afterFirstRemoval = [&] {
            fs::remove(drive.nativePath("L"));
            drive.MakeFolder("L\\P\\M");
            if (mount(root.c_str(), drive.nativePath("L\\P\\M").c_str(), nullptr, MS_BIND, nullptr) != 0)
                testsupport::CannotMount("a bind mount of the tmpfs's root");
        };
        ForceRunWorkers one(1);
        const Vol07RunEnd end = Run();
        return end.Refused && end.RefusedFolder == P("L\\P\\M") && drive.Exists("Fs\\keep.txt") ? 0 : 1;
    });
    ASSERT_TRUE(child.mounted) << child.why;
    EXPECT_EQ(child.code, 0);
}

// Roots however written, and the program's own folders however reached,
// stop the run before anything of theirs is touched; below a main folder
// the program's folders are never entered.
TEST_F(DeleteFolders, RootsAndTheProgramsFoldersStopTheRun) {
    drive.WriteFile("A\\a.txt", "a");
    drive.WriteFile("Prog\\WorkingDir\\w.txt", "w");
    Whole();
    const auto before = Tree(drive.native());
    for (const std::string root : {"T:\\.", "T:\\\\", "T:\\A\\..", "T:", "T:/", "  T:\\A\\..\\  ", "C:\\proc",
                                   "T:\\A\\B\\..\\..", "T:\\Prog", "T:\\A\\..\\Prog",
                                   "T:\\A\\..\\Prog\\WorkingDir\\."}) {
        in.IncludeFolders = {root};
        sink = {};
        counters = {};
        EXPECT_TRUE(Run().Refused) << root;
        EXPECT_EQ(Tree(drive.native()), before) << root;
        // Named among the folders not deleted, and nothing else said.
        const std::vector<std::pair<int, std::string>> named{{Vol07CatFoldersOtherReasons, TrimBlanks(root)}};
        EXPECT_EQ(sink.order, named) << root;
        EXPECT_EQ(counters.FoldersOtherReasons, 1) << root;
    }
    sink = {};

    // A root however written holds the folders beside it: nothing goes.
    drive.WriteFile("E\\F\\G\\g.txt", "g");
    in.IncludeFolders = {P("E\\F\\G"), P("D\\..\\.."), P("A")};
    EXPECT_EQ(Run().RefusedFolder, P("D\\..\\.."));
    EXPECT_TRUE(drive.Exists("A\\a.txt") && drive.Exists("E\\F\\G\\g.txt"));
    sink = {};

    // The main folders before it are done; none after it is touched.
    drive.WriteFile("H\\Work\\w.txt", "w");
    in.WorkingDir = P("H\\Work");
    in.IncludeFolders = {P("E\\F\\G"), P("D\\..\\Prog"), P("A"), P("H")};
    const Vol07RunEnd end = Run();
    EXPECT_EQ(end.RefusedFolder, P("D\\..\\Prog"));
    EXPECT_FALSE(drive.Exists("A"));
    EXPECT_TRUE(drive.Exists("E\\F\\G\\g.txt"));
    EXPECT_TRUE(drive.Exists("H\\Work\\w.txt"));
    EXPECT_EQ(sink.lines[Vol07CatFoldersOtherReasons], (Lines{P("H\\Work"), P("H"), P("D\\..\\Prog")}));
}

// Read as the runs read it, a line they refuse stays refused (its dot
// names are kept, a drive part stays one), a root stays a root, and every
// name stays as written, its trailing blanks and dots included.
TEST(ListedFolders, ReadingKeepsWhatTheRunsRefuse) {
    for (const char* line : {"C:\\Dest\\.", "C:\\Dest\\.. ", "C:/Dest/./y", "C:\\a\\...\\b", "C:.\\x", "C:x", "C:",
                             "C:\\a:b", "\\Dest", "C:\\Dest\\...\\"})
        EXPECT_TRUE(UnusableFolderItem(NormalizeFolderItem(line))) << line;
    for (const char* root : {"C:\\", "C:/", "C:\\\\", "C:\\a\\..\\", " c:/a. /.. "})
        EXPECT_TRUE(IsDriveRootPath(NormalizeFolderItem(root))) << root;
    for (const auto& [line, read] : std::vector<std::pair<std::string, std::string>>{
             {" C:/J/proj. ", "C:\\J\\proj."}, {"C:\\J\\proj .\\", "C:\\J\\proj ."},
             {"C:\\\\J. \\a b. \\x", "C:\\J. \\a b. \\x"}, {"c:\\J\\Proj//", "c:\\J\\Proj"}})
        EXPECT_EQ(NormalizeFolderItem(line), read) << line;
}

// A network path keeps its leading separators: no share can be reached,
// so its main folder does not exist, listed as typed.
TEST_F(DeleteFolders, ANetworkPathIsAMainFolderThatDoesNotExist) {
    in.IncludeFolders = {"\\\\srv\\share\\x"};
    SimulateThenRun(drive.native());
    EXPECT_EQ(sink.lines[Vol07CatMainFoldersNotExist], Lines{"\\\\srv\\share\\x"});
    EXPECT_TRUE(sink.lines[Vol07CatFoldersOtherReasons].empty());
}

// Removing a name needs no write access to the file: a read-only file goes
// with its mode untouched (a hard link to it keeps it), with the read-only
// option only. A folder without its owner write bit is emptied only with
// that option too, and the folders that stay get their old mode back. The
// simulation tells the same in advance.
TEST_F(DeleteFolders, ReadOnlyFilesAndFoldersGoOnlyOnRequest) {
    drive.WriteFile("Main\\g.txt", "g");
    drive.WriteFile("Main\\Sub\\f.txt", "f");
    drive.WriteFile("Main\\Open\\ro.txt", "r");
    fs::create_hard_link(drive.nativePath("Main\\Open\\ro.txt"), drive.nativePath("Prog\\hard.txt"));
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("Main"));
    chmod(drive.nativePath("Main\\Open\\ro.txt").c_str(), 0444);
    chmod(drive.nativePath("Main\\Sub").c_str(), 0555);
    chmod(drive.nativePath("Main").c_str(), 0555);
    in.IncludeFolders = {P("Main")};
    in.ReadOnlyFolders = false;
    const std::string main = drive.nativePath("Main");
    const auto before = Tree(main);
    const int code = testsupport::RunAsNobody([&] {
        SimulateThenRun(main);
        if (Tree(main) != before || counters.FilesOtherReasons != 3 || counters.FoldersOtherReasons != 2) return 1;
        in.ReadOnlyFolders = true;
        SimulateThenRun(main);
        if (!fs::is_empty(main) || counters.FoldersDeleted != 2 || counters.FilesDeleted != 3) return 2;
        struct stat st {};
        return stat(main.c_str(), &st) == 0 && (st.st_mode & 07777) == 0555 ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(fs::status(drive.nativePath("Prog\\hard.txt")).permissions(), fs::perms(0444));
}

// The pre-count reads on the pool: the window keeps painting while a slow
// file system answers, and the count is the run's.
TEST(Vol07Precount, TheWindowPaintsWhileASlowFileSystemCounts) {
    testsupport::TempDrive drive{'T'};
    StringList mains;
    for (int k = 0; k < 24; ++k) {
        drive.WriteFile("M" + std::to_string(k) + "\\S\\f.txt", "f");
        mains.push_back(drive.path("M" + std::to_string(k)));
    }
    ForceRunWorkers force(4);
    QWidget window;
    window.resize(200, 100);
    window.show();
    QCoreApplication::processEvents();
    struct Paints : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            count += e->type() == QEvent::Paint;
            return false;
        }
    } paints;
    window.installEventFilter(&paints);
    QTimer asks;  // something asks for a paint all the time
    QObject::connect(&asks, &QTimer::timeout, [&] { window.update(); });
    asks.start(5);
    DryDisk dry;
    testdisk::DelegatingDisk slow(dry);
    slow.beforeList = [] { usleep(25000); };
    Vol07Counters counters;
    window.update();  // a paint is due when the count starts (a window closed over it)
    Vol07CountFoldersToDelete(counters, mains, 3, slow, WalkFence(), "", "");
    EXPECT_GT(paints.count, 0);
    EXPECT_EQ(counters.FoldersToDelete, 24);
    EXPECT_EQ(counters.FilesToDelete, 24);
}

// One large main folder shows its lines and counters while it is deleted in
// the shown Visual Log, one at a time or on the pool (where it is the head
// of the run), in the run's order; every paint of its list mid-run shows
// rows (laid out only after the paint, they came out blank).
TEST(Vol07Stream, ALargeMainFolderShowsItsLinesAsItGoes) {
    // Rows the list's paints drew, paint by paint, with the rows it had.
    struct RowPaints : QStyledItemDelegate {
        struct Paint {
            int rows = 0, drawn = 0;
            bool fromTop = false;
        };
        mutable std::vector<Paint> paints;
        std::atomic<bool> rowsFromTop{false};  // a paint from the top with rows in the list
        QAbstractItemModel* model = nullptr;
        void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
            if (!paints.empty()) ++paints.back().drawn;
            QStyledItemDelegate::paint(painter, option, index);
        }
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() != QEvent::Paint) return false;
            paints.push_back({model->rowCount(), 0, static_cast<QPaintEvent*>(e)->rect().contains(QPoint(0, 0))});
            if (paints.back().rows > 0 && paints.back().fromTop) rowsFromTop = true;
            return false;
        }
    };
    constexpr int kFiles = 600;
    for (const unsigned workers : {1u, 8u}) {
        frmVol07ZoomStatistics = new TfrmVol07ZoomStatistics;
        frmStatistics07 = new TfrmStatistics07;
        frmStatistics07->show();
        auto* view = frmStatistics07->findChild<QListView*>("lstStat07FilesDeleted");
        RowPaints rows;
        rows.model = view->model();
        view->setItemDelegate(&rows);
        view->viewport()->installEventFilter(&rows);
        auto* deleted = frmStatistics07->findChild<QLabel*>("lblStat07FilesDeleted");

        testsupport::TempDrive drive{'T'};
        for (int k = 0; k < kFiles; ++k) drive.WriteFile("Main\\f" + std::to_string(1000 + k) + ".txt", "f");
        // Eight workers: a second main folder puts the large one at the head of the pool.
        if (workers > 1) drive.WriteFile("Next\\f9999.txt", "f");
        ForceRunWorkers force(workers);
        Vol07Inputs in;
        in.IncludeFolders = {drive.path("Main")};
        if (workers > 1) in.IncludeFolders.push_back(drive.path("Next"));
        // What the window shows while the run lets it paint.
        std::atomic<bool> linesMidRun{false}, countedMidRun{false};
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (frmStatistics07->List("lstStat07FilesDeleted")->Count() >= kFiles) return;
            if (frmStatistics07->List("lstStat07FilesDeleted")->Count() > 0) linesMidRun = true;
            if (deleted->text().toDouble() > 0) countedMidRun = true;
        });
        // Halfway, the run goes on once the window has shown it: its lines,
        // its count and a paint of its rows, however slowly the machine
        // paints (the minute only ends a run that never shows them).
        RealDisk real;
        testdisk::DelegatingDisk slow(real);
        std::atomic<int> removed{0};
        slow.afterRemoveFile = [&] {
            usleep(1500);
            if (++removed != kFiles / 2) return;
            const auto guard = std::chrono::steady_clock::now() + std::chrono::minutes(1);
            while (!(linesMidRun && countedMidRun && rows.rowsFromTop) && std::chrono::steady_clock::now() < guard) {
                RunPoolPaceInline();  // one worker: the run's own thread lets the window paint
                usleep(1000);
            }
        };
        look.start(5);
        Vol07Counters counters;
        VisualLog log = Vol07VisualLog();
        log.ClearLogLists();
        log.ShowCounters(counters.Labels());  // as a run starts
        Vol07DeleteMainFolders(counters, in, slow, log);
        look.stop();
        view->viewport()->removeEventFilter(&rows);
        EXPECT_TRUE(linesMidRun) << workers;
        EXPECT_TRUE(countedMidRun) << workers;
        int shown = 0;
        for (const RowPaints::Paint& p : rows.paints)
            if (p.rows > 0 && p.fromTop) {
                EXPECT_GT(p.drawn, 0) << workers << " rows " << p.rows;
                ++shown;
            }
        EXPECT_GT(shown, 0) << workers;
        const Lines lines = frmStatistics07->List("lstStat07FilesDeleted")->Lines();
        ASSERT_EQ(lines.size(), kFiles + (workers > 1 ? 1u : 0u)) << workers;
        EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end())) << workers;
        view->setItemDelegate(nullptr);
        delete frmStatistics07;
        frmStatistics07 = nullptr;
        delete frmVol07ZoomStatistics;
        frmVol07ZoomStatistics = nullptr;
    }
}

// ---- rename -----------------------------------------------------------------------------------------

class RenameFolders : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    Vol06Inputs in;
    Vol06Counters counters;
    Vol06UndoRecords records;
    RecordingSink sink;

    std::string P(const std::string& rel) const { return drive.path(rel); }
    void Run() {
        RealDisk disk;
        Vol06UndoRecorder recorder(records);
        Vol06RenameFolders(counters, in, disk, recorder, sink);
    }
    Vol06UndoReport Undo() { return Vol06UndoRenames(records, counters, sink); }
    // The simulation's lines and counters, then the run's: the same, with
    // the disk and the undo records untouched in between.
    void SimulateThenRun() {
        sink = {};
        counters = {};
        const auto before = Tree(drive.native());
        const std::size_t kept = records.Vol06RenamedPairs.size();
        DryDisk dry;
        Vol06NoRecorder none;
        Vol06RenameFolders(counters, in, dry, none, sink);
        EXPECT_EQ(Tree(drive.native()), before);
        EXPECT_EQ(records.Vol06RenamedPairs.size(), kept);
        const RecordingSink simulated = sink;
        sink = {};
        counters = {};
        Run();
        EXPECT_EQ(sink.order, simulated.order);
        EXPECT_EQ(sink.counters, simulated.counters);
    }
};

// Only the last name changes, split at the last separator: a dot is part of it.
TEST_F(RenameFolders, NewNamesAndADottedFolderRenamedInPlace) {
    in.NewPrefix = " P ";
    in.DelimiterPrefixSubFolder = "-";
    in.DelimiterSubFolderSuffix = "_";
    in.NewSuffix = "S";
    EXPECT_EQ(Vol06NewPath(in, "C:\\Data\\Proj"), "C:\\Data\\P-Proj_S");
    EXPECT_EQ(Vol06NewPath(in, "C:\\Proj.old"), "C:\\P-Proj.old_S");
    EXPECT_EQ(Vol06BuildLastSubFolderName("C:\\Data\\Proj.old", " New ").Part[1], " New ");

    drive.MakeFolder("Data\\Proj.old\\inside");
    in.IncludeFolders = {P("Data\\Proj.old")};
    Run();
    EXPECT_TRUE(drive.Exists("Data\\P-Proj.old_S\\inside"));
    in.IncludeFolders = {P("Data\\P-Proj.old_S")};
    in.AddPrefixesSuffixes = false;
    in.RenameNewLastSubFolder = "New.v2";
    Run();
    EXPECT_TRUE(drive.Exists("Data\\New.v2\\inside"));
}

// Items are normalised before the new path is built; the deepest level
// goes first, and the undo brings nested renames back.
TEST_F(RenameFolders, NestedAndUntidyItemsAndTheirReversal) {
    drive.WriteFile("A\\B\\C\\f.txt", "f");
    in.IncludeFolders = {P("A"), "  T:/A//B/C  ", P("A\\B")};
    in.NewPrefix = "X_";
    SimulateThenRun();
    EXPECT_EQ(drive.ReadFile("X_A\\X_B\\X_C\\f.txt"), "f");
    EXPECT_EQ(sink.lines[Vol06CatFoldersRenamed], (Lines{P("A\\B\\X_C"), P("A\\X_B"), P("X_A")}));
    EXPECT_EQ(Vol06UndoReportText(Undo()), "");
    EXPECT_EQ(drive.ReadFile("A\\B\\C\\f.txt"), "f");
    EXPECT_TRUE(records.Vol06RenamedPairs.empty() && records.Vol06FailedUndoPairs.empty());
}

// The simulation catches collisions between the run's own new names as the
// run meets them; nothing is replaced, followed or moved elsewhere.
TEST_F(RenameFolders, CollisionsAndWhatIsNeverRenamed) {
    for (const char* f : {"X\\a", "X\\b", "Y\\a", "Real\\Sub", "Data\\Proj"}) drive.MakeFolder(f);
    drive.WriteFile("Data\\Same", "a file in the way");
    fs::create_symlink(drive.nativePath("Real"), drive.nativePath("L"));
    drive.MakeFolder("Long\\" + std::string(250, 'n'));
    in.IncludeFolders = {P("X\\a"), P("Y\\a"), P("X\\b"), P("X\\b"), P("Data\\Proj"), P("L"), P("L\\Sub"),
                         "Rel\\Proj", P("Data\\..\\Data\\Proj"), P("Long\\" + std::string(250, 'n'))};
    in.AddPrefixesSuffixes = false;
    in.RenameNewLastSubFolder = "Same";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatFoldersRenamed], (Lines{P("Long\\Same"), P("X\\Same"), P("Y\\Same")}));
    EXPECT_EQ(sink.lines[Vol06CatSourceNotExists], (Lines{P("L\\Sub"), P("X\\b"), P("L")}));
    // A folder at the new name is "exists"; a file there makes the move
    // fail: another reason, with the new name.
    EXPECT_EQ(sink.lines[Vol06CatDestinationExists], (Lines{P("X\\a")}));
    EXPECT_EQ(sink.lines[Vol06CatOtherReasons], (Lines{P("Data\\..\\Data\\Proj"), P("Data\\Same"), "Rel\\Proj"}));
    EXPECT_EQ(drive.ReadFile("Data\\Same"), "a file in the way");
    EXPECT_TRUE(drive.Exists("Real\\Sub"));

    // A new path too long, no new name, or one that leaves the folder.
    in.IncludeFolders = {P("Long\\Same")};
    in.RenameNewLastSubFolder = std::string(260, 'm');
    SimulateThenRun();
    in.IncludeFolders.push_back(P("Data\\Proj"));
    in.RenameNewLastSubFolder = "";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatDestinationExists], (Lines{P("Data\\Proj"), P("Long\\Same")}));
    in.RenameNewLastSubFolder = "..";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatOtherReasons], (Lines{P("Data\\.."), P("Long\\..")}));
}

// A network path keeps its leading separators and, as no share can be
// reached, its folder does not exist.
TEST_F(RenameFolders, ANetworkPathIsTakenAsTyped) {
    in.IncludeFolders = {"\\\\srv\\share\\x", "  //srv/share/y  "};
    in.NewPrefix = "n_";
    SimulateThenRun();
    EXPECT_EQ(sink.lines[Vol06CatSourceNotExists], (Lines{"\\\\srv\\share\\y", "\\\\srv\\share\\x"}));
    EXPECT_TRUE(sink.lines[Vol06CatOtherReasons].empty());
}

// Undo moves back only the very folder the run renamed, onto a free name.
TEST_F(RenameFolders, UndoMovesBackOnlyTheSameFolder) {
    for (const char* f : {"One", "Two", "Three", "Four"}) drive.MakeFolder(f);
    in.IncludeFolders = {P("One"), P("Two"), P("Three"), P("Four")};
    in.NewSuffix = "_x";
    Run();
    fs::rename(drive.nativePath("One_x"), drive.nativePath("Elsewhere"));
    drive.MakeFolder("One_x");
    drive.MakeFolder("Two");
    fs::remove(drive.nativePath("Three_x"));
    const Vol06UndoReport report = Undo();
    EXPECT_TRUE(drive.Exists("Four") && drive.Exists("One_x") && drive.Exists("Two_x"));
    EXPECT_EQ(report.SourceExists, StringList{P("Two")});
    EXPECT_EQ(report.DestinationMissing, StringList{P("Three_x")});
    EXPECT_EQ(report.OtherReasons, StringList{P("One_x") + "  (changed since the run)"});
    EXPECT_TRUE(records.Vol06FailedUndoPairs.empty());
}

// A parent that cannot go back keeps its children's records with its own,
// and the next Undo moves all of them back.
TEST_F(RenameFolders, AChildWaitsForItsParentsMoveBack) {
    drive.MakeFolder("G\\A\\B");
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("G"));
    in.IncludeFolders = {P("G\\A"), P("G\\A\\B")};
    in.NewPrefix = "X_";
    const int code = testsupport::RunAsNobody([&] {
        Run();
        chmod(drive.nativePath("G").c_str(), 0555);
        const Vol06UndoReport first = Undo();
        if (first.OtherReasons != StringList{P("G\\A"), P("G\\A\\B")}) return 1;
        if (records.Vol06FailedUndoPairs.size() != 2) return 1;
        if (sink.lines[Vol06CatFoldersFailedUndo] != Lines{P("G\\A\\B"), P("G\\A")}) return 2;
        chmod(drive.nativePath("G").c_str(), 0755);
        if (!Vol06UndoReportText(Undo()).empty() || !records.Vol06FailedUndoPairs.empty()) return 3;
        return drive.Exists("G\\A\\B") ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
