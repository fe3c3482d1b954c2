// The walks before and around the runs of pages 08, 10 and 15 on the run
// pool: the window paints while a long count works, a close waits for it
// and the busy cursor shows; eight workers give one worker's totals, boxes
// and not-checked lines, in list order.
#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/SettingsStore.h"
#include "pages/RunBusy.h"
#include "pages/RunItems.h"
#include "pages/checker/Vol15Engine.h"
#include "pages/files/Vol10Engine.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// A shown window that something asks to paint all the time: its paints
// while a count works, and whether each found the count busy (a close
// waits) with the busy cursor.
class PaintWatch : public QObject {
public:
    PaintWatch() {
        window_.resize(200, 100);
        window_.show();
        QCoreApplication::processEvents();
        window_.installEventFilter(this);
        QObject::connect(&asks_, &QTimer::timeout, [this] { window_.update(); });
        asks_.start(5);
        window_.update();  // a paint is due when the count starts (a window closed over it)
    }
    int paints = 0;
    bool busyEach = true;

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        ++paints;
        const QCursor* cursor = QGuiApplication::overrideCursor();
        busyEach = busyEach && RunBusy::Busy() && cursor && cursor->shape() == Qt::WaitCursor;
        return false;
    }

private:
    QWidget window_;
    QTimer asks_;
};

class WalksOnPool : public ::testing::Test {
protected:
    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;

    void SetUp() override { SetFileSelNameMasks({"*.*"}); }
    void TearDown() override { SetFileSelNameMasks({"*.*"}); }
    std::string P(const std::string& rel) const { return drive.path(rel); }

    // 8 folders of 8 subfolders, 2 files in each folder.
    void MakeTree(const std::string& root) const {
        for (int a = 0; a < 8; ++a)
            for (int b = 0; b < 9; ++b) {
                const std::string folder = root + "\\A" + std::to_string(a) + (b ? "\\B" + std::to_string(b) : "");
                drive.WriteFile(folder + "\\one.txt", "1");
                drive.WriteFile(folder + "\\two.doc", "22");
            }
    }

    // How many times a structure must be listed for its count, one after
    // another, to take about a second and a half: long enough for the pool's
    // pump on two workers however fast the machine is.
    static std::size_t RepeatsFor(const std::function<void()>& countOnce) {
        const ForceRunWorkers one(1);
        std::chrono::steady_clock::duration best = std::chrono::hours(1);
        for (int k = 0; k < 3; ++k) {
            const auto start = std::chrono::steady_clock::now();
            countOnce();
            best = std::min(best, std::chrono::steady_clock::now() - start);
        }
        best = std::max<std::chrono::steady_clock::duration>(best, std::chrono::microseconds(1));
        return std::clamp<std::size_t>(static_cast<std::size_t>(std::chrono::milliseconds(1500) / best), 8, 20000);
    }

    // Runs a count on two workers while the window watches.
    static void Watch(const std::function<void()>& count) {
        const ForceRunWorkers two(2);
        PaintWatch watch;
        count();
        EXPECT_GT(watch.paints, 0);
        EXPECT_TRUE(watch.busyEach);
        EXPECT_FALSE(RunBusy::Busy());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }

    // A file as large as two thirds of the drive's free room (it takes none).
    void WriteLargeFile(const std::string& rel) const {
        struct statvfs vfs {};
        ASSERT_EQ(statvfs(drive.native().c_str(), &vfs), 0);
        drive.WriteFile(rel, "");
        fs::resize_file(drive.nativePath(rel), std::uintmax_t{vfs.f_bavail} * vfs.f_frsize / 3 * 2);
    }

    // The boxes shown, each its caption and text, the free bytes left out
    // (the disk changes between two counts).
    Lines Shown() const {
        Lines out;
        for (const auto& b : boxes.shown()) out.push_back(b.caption + "|" + b.text.substr(0, b.text.find(" is : ")));
        return out;
    }
};

TEST_F(WalksOnPool, PageEightsTotalsPaintTheWindow) {
    MakeTree("S");
    drive.MakeFolder("M");
    Vol08Inputs in;
    in.FullPaths = in.MainFolderWithFiles = true;
    in.IncludeFolders = {P("M")};
    in.FolderStructures = {P("S")};
    Vol08State once;
    const std::size_t repeats = RepeatsFor([&] { Vol08ComputeTotalsAndCheckSpace(once, in, true); });
    in.FolderStructures.assign(repeats, P("S"));
    Vol08State state;
    Watch([&] { EXPECT_TRUE(Vol08ComputeTotalsAndCheckSpace(state, in, true)); });
    EXPECT_EQ(state.Vol08StructureFolders, repeats * once.Vol08StructureFolders);
    EXPECT_EQ(state.Counters.FileSizeToCopy, repeats * once.Counters.FileSizeToCopy);
}

TEST_F(WalksOnPool, PageTensTotalsPaintTheWindow) {
    MakeTree("S");
    drive.MakeFolder("D");
    Vol10Inputs in;
    in.IncludeFolders = {P("D")};
    in.Sources = {P("S")};
    in.Masks = {"*.*"};
    Vol10State once;
    const std::size_t repeats = RepeatsFor([&] { Vol10PrepareTotals(once, in, true); });
    in.Sources.assign(repeats, P("S"));
    Vol10State state;
    Watch([&] { EXPECT_TRUE(Vol10PrepareTotals(state, in, true)); });
    EXPECT_EQ(state.Vol10SourceSubFolders, repeats * once.Vol10SourceSubFolders);
    EXPECT_EQ(state.Vol10SourceFiles, once.Vol10SourceFiles);  // one path is one file, however often listed
}

TEST_F(WalksOnPool, TheCheckersModelReadPaintsTheWindow) {
    MakeTree("S");
    drive.MakeFolder("D");
    Vol15Inputs in;
    in.FullPaths = in.MainFolderWithFiles = true;
    in.IncludeFolders = {P("D")};
    in.FolderStructures = {P("S")};
    Vol15State once;
    const std::size_t repeats = RepeatsFor([&] { Vol15CountItemsToCheck(once, in, true); });
    in.FolderStructures.assign(repeats, P("S"));
    Vol15State state;
    Watch([&] { Vol15CountItemsToCheck(state, in, true); });
    // Several models are one: the same model many times is the model once.
    EXPECT_EQ(state.Counters.Stat15SubFoldersToCheck, once.Counters.Stat15SubFoldersToCheck);
    EXPECT_EQ(state.Counters.Stat15FilesToCheck, once.Counters.Stat15FilesToCheck);
}

// Structures that are blank, a root, missing, nested or listed twice; main
// folders on two drives, the second short of room: eight workers give one
// worker's totals, file sizes and box.
TEST_F(WalksOnPool, PageEightCountsWithEightWorkersAsWithOne) {
    testsupport::TempDrive second{'U'};
    MakeTree("S");
    WriteLargeFile("Big\\large.bin");
    drive.MakeFolder("M");
    for (const char* m : {"M1", "M2", "M3"}) second.MakeFolder(m);
    Vol08Inputs in;
    in.FullPaths = in.MainFolderWithFiles = true;
    in.FolderStructures = {P("S"), "  ", P("S\\A3"), "T:\\", P("Gone"), P("Big"), P("S")};
    for (const bool shortOfRoom : {true, false}) {
        in.IncludeFolders = {P("M"), second.path("M1")};
        if (shortOfRoom) in.IncludeFolders.insert(in.IncludeFolders.end(), {second.path("M2"), second.path("M3")});
        std::vector<Vol08State> states(2);
        std::vector<Lines> shown(2);
        for (const unsigned workers : {1u, 8u}) {
            const ForceRunWorkers force(workers);
            boxes.Clear();
            Vol08State& s = states[workers == 1 ? 0 : 1];
            EXPECT_EQ(Vol08ComputeTotalsAndCheckSpace(s, in, true), !shortOfRoom);
            shown[workers == 1 ? 0 : 1] = Shown();
        }
        EXPECT_EQ(states[0].Vol08StructureFolders, states[1].Vol08StructureFolders);
        EXPECT_EQ(states[0].Vol08StructureBytes, states[1].Vol08StructureBytes);
        EXPECT_EQ(states[0].Vol08StructureFileSizes, states[1].Vol08StructureFileSizes);
        EXPECT_EQ(states[0].Counters.Values(), states[1].Counters.Values());
        EXPECT_EQ(shown[0], shown[1]);
        ASSERT_EQ(shown[0].size(), shortOfRoom ? 1u : 0u);
        if (shortOfRoom) {
            EXPECT_NE(shown[0][0].find("disk U:\\"), std::string::npos);
        }
    }
}

// Missing sources (the first is said), and destinations on two drives, the
// second short of room: eight workers give one worker's totals and boxes.
TEST_F(WalksOnPool, PageTenChecksWithEightWorkersAsWithOne) {
    testsupport::TempDrive second{'U'};
    MakeTree("S");
    WriteLargeFile("Big\\large.bin");
    drive.MakeFolder("D");
    for (const char* d : {"D1", "D2", "D3"}) second.MakeFolder(d);
    Vol10Inputs in;
    in.Masks = {"*.*"};
    testlog::RecordingLog log;
    for (const bool missing : {true, false}) {
        in.Sources = missing ? StringList{P("S"), P("Gone1"), " ", P("S\\A3"), P("Gone2")} : StringList{P("S"), P("Big")};
        in.IncludeFolders = {P("D"), second.path("D1"), second.path("D2"), second.path("D3")};
        std::vector<Vol10State> states(2);
        std::vector<Lines> shown(2);
        for (const unsigned workers : {1u, 8u}) {
            const ForceRunWorkers force(workers);
            boxes.Clear();
            Vol10State& s = states[workers == 1 ? 0 : 1];
            Vol10SimulateCopyFiles(s, in, log, RunHooks{});
            shown[workers == 1 ? 0 : 1] = Shown();
        }
        EXPECT_EQ(states[0].Vol10SourceSubFolders, states[1].Vol10SourceSubFolders);
        EXPECT_EQ(states[0].Vol10SourceBytes, states[1].Vol10SourceBytes);
        EXPECT_EQ(states[0].Vol10SourceFileSizes, states[1].Vol10SourceFileSizes);
        EXPECT_EQ(shown[0], shown[1]);
        ASSERT_EQ(shown[0].size(), 1u);
        EXPECT_NE(shown[0][0].find(missing ? "doesn't exist : " + P("Gone1") : "disk U:\\"), std::string::npos);
    }
}

// Models that are missing or hold a name the program cannot say: their
// not-checked lines come in list order, with eight workers as with one.
TEST_F(WalksOnPool, TheCheckerReadsItsModelsWithEightWorkersAsWithOne) {
    MakeTree("S");
    MakeTree("Odd");
    std::ofstream(drive.nativePath("Odd\\A5\\B2") + "/back\\slash.txt") << "b";  // no drive path says it
    drive.MakeFolder("D");
    Vol15Inputs in;
    in.FullPaths = in.MainFolderWithFiles = true;
    in.IncludeFolders = {P("D")};
    in.FolderStructures = {P("Gone1"), P("S"), P("Odd"), P("Gone2"), P("S\\A1")};
    std::vector<StringList> other(2);
    std::vector<Vol15Counters> counted(2);
    for (const unsigned workers : {1u, 8u}) {
        const ForceRunWorkers force(workers);
        Vol15State state;
        Vol15CountItemsToCheck(state, in, true);
        counted[workers == 1 ? 0 : 1] = state.Counters;
        testlog::RecordingLog log;
        boxes.Queue(plat::IDYES);
        Vol15CheckProjectsConsistency(state, in, log, RunHooks{});
        other[workers == 1 ? 0 : 1] = state.OtherReasonsList;
    }
    EXPECT_EQ(other[0], (StringList{P("Gone1"), P("Odd\\A5\\B2"), P("Gone2")}));
    EXPECT_EQ(other[1], other[0]);
    EXPECT_EQ(counted[1].Values(), counted[0].Values());
}

}  // namespace
