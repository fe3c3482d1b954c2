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
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "core/SettingsStore.h"
#include "pages/RunBusy.h"
#include "pages/RunItems.h"
#include "pages/checker/Vol15Engine.h"
#include "pages/creation/Creation.h"
#include "pages/files/Vol10Engine.h"
#include "pages/folders/Vol08Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// A shown window that something asks to paint all the time: its paints,
// and whether each found a close waiting (busy) and the busy cursor.
class PaintWatch : public QObject {
public:
    PaintWatch() {
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

    // S: 8 folders of 8 subfolders, 2 files in each folder.
    void SetUp() override {
        SetFileSelNameMasks({"*.*"});
        for (int a = 0; a < 8; ++a)
            for (int b = 0; b < 9; ++b) {
                const std::string folder = "S\\A" + std::to_string(a) + (b ? "\\B" + std::to_string(b) : "");
                drive.WriteFile(folder + "\\one.txt", "1");
                drive.WriteFile(folder + "\\two.doc", "22");
            }
        drive.MakeFolder("M");
    }
    std::string P(const std::string& rel) const { return drive.path(rel); }

    // count(n) lists S n times: so often that one worker would take about a
    // second and a half (long enough for the pool's pump on two workers,
    // however fast the machine), then on two workers, the window watching.
    // The measure is the quickest of three; should a loaded machine still
    // have made it too short, the count is made longer until it lasts.
    static void PaintsWhileCounting(const std::function<void(std::size_t)>& count) {
        std::chrono::steady_clock::duration once = std::chrono::hours(1);
        {
            const ForceRunWorkers one(1);
            count(1);  // warm
            for (int k = 0; k < 3; ++k) {
                const auto start = std::chrono::steady_clock::now();
                count(1);
                once = std::min(once, std::chrono::steady_clock::now() - start);
            }
            once = std::max<std::chrono::steady_clock::duration>(once, std::chrono::microseconds(1));
        }
        const ForceRunWorkers two(2);
        std::size_t n =
            std::clamp<std::size_t>(static_cast<std::size_t>(std::chrono::milliseconds(1500) / once), 8, 20000);
        for (int tries = 0;; ++tries, n *= 2) {
            PaintWatch watch;
            const auto start = std::chrono::steady_clock::now();
            count(n);
            if (watch.paints > 0 || tries == 4 || std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) {
                EXPECT_GT(watch.paints, 0) << n;
                EXPECT_TRUE(watch.busyEach);
                break;
            }
        }
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

    // The boxes `work` shows with one worker and with eight, each its
    // caption and text, the free bytes left out (the disk changes meanwhile).
    std::array<Lines, 2> BoxesOfOneAndEight(const std::function<void(std::size_t)>& work) {
        std::array<Lines, 2> shown;
        for (const std::size_t k : {0u, 1u}) {
            const ForceRunWorkers force(k ? 8 : 1);
            boxes.Clear();
            work(k);
            for (const auto& b : boxes.shown())
                shown[k].push_back(b.caption + "|" + b.text.substr(0, b.text.find(" is : ")));
        }
        return shown;
    }
};

// Page 08's totals, page 10's, the checker's model read and the create pages' structures measured.
TEST_F(WalksOnPool, EachCountPaintsTheWindow) {
    Vol08Inputs copyFolders;
    copyFolders.FullPaths = copyFolders.MainFolderWithFiles = true;
    copyFolders.IncludeFolders = {P("M")};
    PaintsWhileCounting([&](std::size_t n) {
        copyFolders.FolderStructures.assign(n, P("S"));
        Vol08State state;
        EXPECT_TRUE(Vol08ComputeTotalsAndCheckSpace(state, copyFolders, true));
    });
    Vol10Inputs copyFiles;
    copyFiles.IncludeFolders = {P("M")};
    copyFiles.Masks = {"*.*"};
    PaintsWhileCounting([&](std::size_t n) {
        copyFiles.Sources.assign(n, P("S"));
        Vol10State state;
        EXPECT_TRUE(Vol10PrepareTotals(state, copyFiles, true));
    });
    Vol15Inputs check;
    check.FullPaths = check.MainFolderWithFiles = true;
    check.IncludeFolders = {P("M")};
    PaintsWhileCounting([&](std::size_t n) {
        check.FolderStructures.assign(n, P("S"));
        Vol15State state;
        Vol15CountItemsToCheck(state, check, true);
        EXPECT_EQ(state.Counters.Stat15FilesToCheck, 144);  // the same model many times is the model once
    });
    CreationInputs create;
    create.FullPaths = create.MainFolderWithFiles = true;
    PaintsWhileCounting([&](std::size_t n) {
        create.FolderStructures.assign(n, P("S"));
        CreationState state;
        MeasureCreationStructures(state, create, true);
        EXPECT_EQ(state.StructureFiles, 144 * n);
    });
}

// Page 08: structures that are blank, a root, missing, nested or listed
// twice; page 10: missing sources (the first is said). Main folders on two
// drives, the second short of room. Eight workers give one worker's
// totals, file sizes and boxes.
TEST_F(WalksOnPool, PagesEightAndTenCountWithEightWorkersAsWithOne) {
    testsupport::TempDrive second{'U'};
    WriteLargeFile("Big\\large.bin");
    for (const char* m : {"M1", "M2", "M3"}) second.MakeFolder(m);
    const StringList onTwoDrives{P("M"), second.path("M1"), second.path("M2"), second.path("M3")};
    Vol08Inputs folders;
    folders.FullPaths = folders.MainFolderWithFiles = true;
    folders.FolderStructures = {P("S"), "  ", P("S\\A3"), "T:\\", P("Gone"), P("Big"), P("S")};
    Vol10Inputs files;
    files.Masks = {"*.*"};
    files.IncludeFolders = onTwoDrives;
    testlog::RecordingLog log;
    for (const bool shortOfRoom : {true, false}) {
        folders.IncludeFolders = onTwoDrives;
        if (!shortOfRoom) folders.IncludeFolders.resize(2);
        Vol08State eight[2];
        auto shown = BoxesOfOneAndEight([&](std::size_t k) {
            EXPECT_EQ(Vol08ComputeTotalsAndCheckSpace(eight[k], folders, true), !shortOfRoom);
        });
        const auto totals = [](const Vol08State& s) {
            return std::tuple(s.Vol08StructureFolders, s.Vol08StructureBytes, s.Vol08StructureFileSizes,
                              s.Counters.Values());
        };
        EXPECT_EQ(totals(eight[0]), totals(eight[1]));
        EXPECT_EQ(shown[0], shown[1]);
        EXPECT_EQ(shown[0].size(), shortOfRoom ? 1u : 0u);

        files.Sources = shortOfRoom ? StringList{P("S"), P("Big")}
                                    : StringList{P("S"), P("Gone1"), " ", P("S\\A3"), P("Gone2")};
        Vol10State ten[2];
        shown = BoxesOfOneAndEight([&](std::size_t k) { Vol10SimulateCopyFiles(ten[k], files, log, {}); });
        EXPECT_EQ(std::tuple(ten[0].Vol10SourceSubFolders, ten[0].Vol10SourceBytes, ten[0].Vol10SourceFileSizes),
                  std::tuple(ten[1].Vol10SourceSubFolders, ten[1].Vol10SourceBytes, ten[1].Vol10SourceFileSizes));
        EXPECT_EQ(shown[0], shown[1]);
        ASSERT_EQ(shown[0].size(), 1u);
        EXPECT_NE(shown[0][0].find(shortOfRoom ? "disk U:\\" : "doesn't exist : " + P("Gone1")), std::string::npos);
    }
}

// Models that are missing or hold a name the program cannot say: their
// not-checked lines come in list order, with eight workers as with one.
TEST_F(WalksOnPool, TheCheckerReadsItsModelsWithEightWorkersAsWithOne) {
    fs::copy(drive.nativePath("S"), drive.nativePath("Odd"), fs::copy_options::recursive);
    std::ofstream(drive.nativePath("Odd\\A5\\B2") + "/back\\slash.txt") << "b";  // no drive path says it
    Vol15Inputs in;
    in.FullPaths = in.MainFolderWithFiles = true;
    in.IncludeFolders = {P("M")};
    in.FolderStructures = {P("Gone1"), P("S"), P("Odd"), P("Gone2"), P("S\\A1")};
    StringList other[2];
    Vol15Counters counted[2];
    BoxesOfOneAndEight([&](std::size_t k) {
        Vol15State state;
        Vol15CountItemsToCheck(state, in, true);
        counted[k] = state.Counters;
        testlog::RecordingLog log;
        boxes.Queue(plat::IDYES);
        Vol15CheckProjectsConsistency(state, in, log, RunHooks{});
        other[k] = state.OtherReasonsList;
    });
    EXPECT_EQ(other[0], (StringList{P("Gone1"), P("Odd\\A5\\B2\\back\\slash.txt"), P("Gone2")}));
    EXPECT_EQ(other[1], other[0]);
    EXPECT_EQ(counted[1].Values(), counted[0].Values());
}

}  // namespace
