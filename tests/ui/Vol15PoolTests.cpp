// The consistency check on the run pool: random projects (missing and
// extra entries, letter case, links, an unreadable folder, a project
// inside another, the same project twice, one that does not exist, the
// model itself among the projects) checked with one worker and with eight
// give the same lines, export lines, counters, boxes and not-checked list.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <random>

#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/checker/Vol15Engine.h"
#include "platform/MessageBox.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/RecordingLog.h"

namespace fs = std::filesystem;

void ReadCounters(std::span<const CounterLabel> labels, Vol15Counters& c);

namespace {

// A project as a changed copy of the model Std: entries dropped, others
// added, a name in other letter case, a link, an unreadable folder.
void MakeProject(const testsupport::TempDrive& drive, const std::string& base, std::mt19937& rng) {
    const char* const folders[] = {"Docs", "Src", "Src\\lib", "Src\\lib\\deep", "Work"};
    const char* const files[] = {"readme.txt", "Docs\\a.txt", "Src\\main.c", "Src\\lib\\x.h", "Work\\w.doc"};
    for (const char* f : folders)
        if (rng() % 5) drive.MakeFolder(base + "\\" + f);
    for (const char* f : files)
        if (rng() % 4) drive.WriteFile(base + "\\" + f, "x");
    if (rng() % 4 == 0) drive.MakeFolder(base + "\\Junk" + std::to_string(rng() % 3));
    if (rng() % 4 == 0) drive.WriteFile(base + "\\stray.tmp", "s");
    if (rng() % 6 == 0) drive.MakeFolder(base + "\\docs");
    if (rng() % 8 == 0) fs::create_symlink(drive.nativePath("Models\\Std\\Src"), drive.nativePath(base + "\\Lnk"));
    if (rng() % 8 == 0 && drive.Exists(base + "\\Work")) chmod(drive.nativePath(base + "\\Work").c_str(), 0);
}

struct CheckOutcome {
    std::array<testlog::Lines, 16> lines, exports;
    std::map<std::string, double> counters;
    std::vector<std::string> boxes;
    StringList otherReasons;
    bool operator==(const CheckOutcome&) const = default;
};

CheckOutcome Check(const Vol15Inputs& in, unsigned workers) {
    ForceRunWorkers force(workers);
    plat::MessageBoxScript boxes;
    boxes.Queue(plat::IDYES);
    Vol15State state;
    testlog::CountingLog<Vol15Counters> log;
    Vol15CheckProjectsConsistency(state, in, log, RunHooks{});
    CheckOutcome o{log.lines, log.exports, log.counters, {}, state.OtherReasonsList};
    for (const auto& b : boxes.shown()) o.boxes.push_back(b.caption + "|" + b.text);
    return o;
}

TEST(Vol15Pool, OneWorkerAndEightFindTheSame) {
    testsupport::TempDrive drive{'T'};
    ResetSettingsToInitialValues();
    SetFileSelNameMasks({"*.*"});
    testsupport::OpenPathToEveryone(drive.native());
    drive.WriteFile("Models\\Std\\readme.txt", "r");
    drive.WriteFile("Models\\Std\\Docs\\a.txt", "a");
    drive.WriteFile("Models\\Std\\Src\\main.c", "m");
    drive.WriteFile("Models\\Std\\Src\\lib\\x.h", "h");
    drive.MakeFolder("Models\\Std\\Work");
    std::mt19937 rng(7);
    Vol15Inputs in;
    for (int p = 0; p < 60; ++p) {
        const std::string name = "Jobs\\P" + std::to_string(p);
        MakeProject(drive, name, rng);
        in.IncludeFolders.push_back(drive.path(name));
        if (p % 9 == 0) in.IncludeFolders.push_back(drive.path("JOBS\\p" + std::to_string(p)));
        if (p % 11 == 0) in.IncludeFolders.push_back(drive.path(name + "\\Src"));
        if (p % 13 == 0) in.IncludeFolders.push_back(drive.path("Jobs\\Gone" + std::to_string(p)));
    }
    in.IncludeFolders.push_back(drive.path("Models\\Std"));
    std::shuffle(in.IncludeFolders.begin(), in.IncludeFolders.end(), rng);
    testsupport::GiveToNobody(drive.native());

    const int code = testsupport::RunAsNobody([&] {
        int failed = 0;
        for (int way = 0; way < 4; ++way) {
            Vol15Inputs run = in;
            run.FullPaths = way < 3;
            run.RelativePaths = way == 3;
            // Template lines: one refused for every project and one for one
            // project, each shown once in the run.
            run.FolderStructures = run.FullPaths ? StringList{drive.path("Models\\Std")}
                                                 : StringList{"\\Docs", "\\Src\\lib\\deep", "\\..\\Out", "\\Work",
                                                              "\\Bad|Name", drive.path("Jobs\\P5")};
            if (way == 2) run.FolderStructures.push_back(drive.path("Jobs\\P3"));
            run.SubFoldersOnlyWithFiles = way != 1;
            run.MainFolderWithoutFiles = way == 1;
            const CheckOutcome one = Check(run, 1);
            const CheckOutcome eight = Check(run, 8);
            std::size_t lines = 0;
            for (const auto& l : one.lines) lines += l.size();
            const auto refusals = std::count_if(one.boxes.begin(), one.boxes.end(),
                                                [](const std::string& b) { return b.find("150074") != b.npos; });
            if (!(one == eight) || lines < 60 || one.otherReasons.empty() || one.boxes.size() < 2 ||
                refusals != (way == 3 ? 2 : 0)) {
                std::cerr << "way " << way << ": " << lines << " lines, " << refusals
                          << " refusals, the same: " << (one == eight) << "\n";
                ++failed;
            }
        }
        return failed;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
