// How long the window goes without answering while a page reads a slow
// share: the real main window clicked through a page's list, count, run,
// simulation and undo, every file-system call of every thread taking 10 ms
// (tests/support/SlowShare.h), and the longest the window thread went
// without polling its event loop in each step. The window polls every
// results::kAnswerMs while the pool works, so read each wait against that
// pace (ratio_pace): what lies above it is time the window thread spent on
// its own work, or waiting for the processor on a loaded machine. The tests
// hold that it makes no file-system call between two polls (window_calls,
// here too); how long it goes is this figure, never a test's bound.
//
// Each round starts from a fresh workspace and main window; the figures are
// the median and the largest of the rounds (QM_BENCH_ROUNDS).
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/SettingsStore.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/SlowShare.h"
#include "tests/support/TestEnv.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kPerCall = 10ms;

// The main window as the program starts it in the workspace's program
// folder, every box answered Yes or OK, the folder browser answering
// `browsed`, the include list editors taking `lines`.
class MainWindow {
public:
    explicit MainWindow(bench::Workspace& space) : space_(space) {
        oldCwd_ = fs::current_path();
        fs::current_path(space.Native("Program"));
        ResetSettingsToInitialValues();
        ResetStartStateWords();
        boxes_ = plat::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned flags) {
            return (flags & plat::MB_BUTTONMASK) == plat::MB_YESNO ? int(plat::IDYES) : int(plat::IDOK);
        });
        browser_ = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return browsed; });
        qtplat::SetModalHandler([this](QDialog* dialog) {
            if (auto* start = qobject_cast<TfrmRestoreSettings*>(dialog))
                start->findChild<QAbstractButton*>("btnRestoreSettingsOk")->click();
            else if (!editorOk.empty()) {
                dialog->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
                dialog->findChild<QAbstractButton*>(QString::fromStdString(editorOk))->click();
            }
            return dialog->result();
        });
        CreateAppWindows();
        frmMain->FormActivate();
    }
    ~MainWindow() {
        DestroyAppWindows();
        qtplat::SetModalHandler({});
        plat::SetFolderBrowserHandler(browser_);
        plat::SetMessageBoxHandler(boxes_);
        fs::current_path(oldCwd_);
        ResetSettingsToInitialValues();
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void Click(const char* name) { frmMain->findChild<QAbstractButton*>(QString::fromUtf8(name))->click(); }
    void SetText(const char* name, const std::string& text) {
        frmMain->findChild<QLineEdit*>(QString::fromUtf8(name))->setText(QString::fromStdString(text));
    }
    // The page's ("Vol07") Include list editor takes `text` and OK.
    void Edit(const std::string& page, const std::string& text) {
        lines = text;
        editorOk = "btn" + page + "EditIncludeListOk";
        Click(("btn" + page + "EditIncludeList").c_str());
        editorOk.clear();
    }
    void Browse(const char* button, const std::string& folder) {
        browsed = space_.Drive(folder);
        Click(button);
    }
    // A label of the main window or of a window beside it (the Visual Logs).
    static std::string Label(const char* name) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* label = window->findChild<QLabel*>(QString::fromUtf8(name)))
                return label->text().toStdString();
        return {};
    }

    std::string browsed, lines, editorOk;

private:
    bench::Workspace& space_;
    fs::path oldCwd_;
    plat::MessageBoxHandler boxes_;
    plat::FolderBrowserHandler browser_;
};

// ---- the trees the pages read ----------------------------------------------------------------------

void WriteFile(const bench::Workspace& space, const std::string& rel) {
    const fs::path path = space.Native(rel);
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}
// `folders` folders in groups of eight, each with a file of its own name: d4/f39/39.txt.
void MakeStructure(const bench::Workspace& space, const std::string& name, int folders) {
    for (int i = 0; i < folders; ++i) {
        const std::string n = std::to_string(i);
        WriteFile(space, name + "/d" + std::to_string(i / 8) + "/f" + n + "/" + n + ".txt");
    }
}
// Folders name0 .. name<n-1>, each with `file` when one is named; their drive paths a line each.
std::string MakeFolders(const bench::Workspace& space, const std::string& name, int n, const std::string& file = "") {
    std::string lines;
    for (int i = 0; i < n; ++i) {
        const std::string folder = name + std::to_string(i);
        file.empty() ? (void)fs::create_directories(space.Native(folder)) : WriteFile(space, folder + "/" + file);
        lines += space.Drive(folder) + "\n";
    }
    return lines;
}
// Main folders, each with subfolders s0, s1 and s2/t and a file in each.
std::string MakeMainFolders(const bench::Workspace& space, const std::string& name, int n) {
    std::string lines;
    for (int i = 0; i < n; ++i) {
        const std::string folder = name + std::to_string(i);
        for (const char* sub : {"/s0", "/s1", "/s2/t"}) WriteFile(space, folder + sub + "/x.txt");
        lines += space.Drive(folder) + "\n";
    }
    return lines;
}

// ---- a page clicked through, step by step ---------------------------------------------------------

// A step: what it does; named, it is measured on the share, unnamed it
// only sets up (an option clicked) or checks what the steps did.
struct Step {
    std::string name;
    std::function<void()> act;
};
using Scenario = std::function<std::vector<Step>(bench::Workspace&, MainWindow&, std::string& failure)>;

// A check among the steps: the first that fails names what the page did not do.
Step Check(std::string& failure, std::string what, std::function<bool()> holds) {
    return {"", [&failure, what = std::move(what), holds = std::move(holds)] {
                if (failure.empty() && !holds()) failure = what;
            }};
}

void RunScenario(benchmark::State& state, const Scenario& scenario) {
    std::map<std::string, std::vector<double>> waits;  // ms, a step's rounds
    std::vector<std::string> order;
    int calls = 0;
    std::string failure;
    for (auto _ : state) {
        double worst = 0;
        for (int round = 0, rounds = bench::Rounds(); round < rounds; ++round) {
            bench::Workspace space("qm-answers", 'W');
            MainWindow window(space);
            for (const Step& step : scenario(space, window, failure)) {
                if (step.name.empty()) {
                    step.act();
                    continue;
                }
                testsupport::SlowShare share(kPerCall);
                step.act();
                share.Stop();
                if (!waits.count(step.name)) order.push_back(step.name);
                waits[step.name].push_back(static_cast<double>(share.LongestWait().count()));
                worst = std::max(worst, waits[step.name].back());
                calls = std::max(calls, share.MostCallsWithoutPoll());
            }
        }
        state.SetIterationTime(worst / 1000);
    }
    double worst = 0;
    for (const std::string& name : order) {
        const std::vector<double>& ms = waits[name];
        state.counters[name + "_longest_ms_med"] = bench::Sides::Median(ms);
        state.counters[name + "_longest_ms_max"] = *std::max_element(ms.begin(), ms.end());
        worst = std::max(worst, *std::max_element(ms.begin(), ms.end()));
    }
    state.counters["longest_ms_max"] = worst;
    state.counters["ratio_pace_max"] = worst / results::kAnswerMs;
    state.counters["window_calls"] = calls;
    if (!failure.empty()) state.SkipWithError(failure.c_str());
}

// Page 04, each item beneath a parent of its own, then with a structure.
void BM_CreateFromPathsAParentEach(benchmark::State& state) {
    RunScenario(state, [](bench::Workspace& space, MainWindow& w, std::string& failure) {
        MakeStructure(space, "S", 8);
        std::string lines;
        for (int i = 0; i < 40; ++i) lines += space.Drive("P/p" + std::to_string(i) + "/Job") + "\n";
        MakeFolders(space, "P/p", 40);
        return std::vector<Step>{
            {"list", [&w, lines] { w.Edit("Vol04", lines); }},
            {"", [&w] { w.Click("rdoVol04AttachNothing"); }},
            {"create", [&w] { w.Click("btnVol04CreateFolders"); }},
            {"undo", [&w] { w.Click("btnVol04Undo"); }},
            {"", [&w] {
                 w.Click("rdoVol04StructureImportFullPaths");
                 w.Click("rdoVol04AttachMainFolderWithFiles");
             }},
            {"structure", [&w] { w.Browse("btnVol04AddFolderStructure", "S"); }},
            {"simulate", [&w] { w.Click("btnVol04CreateFoldersSimulation"); }},
            {"create_with_files", [&w] { w.Click("btnVol04CreateFolders"); }},
            Check(failure, "page 04 made no files",
                  [&space] { return fs::exists(space.Native("P/p39/Job/S/d0/f7/7.txt")); }),
        };
    });
}

// Page 07: main folders from the list and one browsed for.
void BM_DeleteFolders(benchmark::State& state) {
    RunScenario(state, [](bench::Workspace& space, MainWindow& w, std::string& failure) {
        const std::string lines = MakeMainFolders(space, "D/m", 20);
        MakeMainFolders(space, "E/m", 1);
        return std::vector<Step>{
            {"list", [&w, lines] { w.Edit("Vol07", lines); }},
            {"browse", [&w] { w.Browse("btnVol07AddFoldersToList", "E/m0"); }},
            Check(failure, "page 07 counted otherwise",
                  [] { return MainWindow::Label("lblStat07FoldersToDelete") == "84"; }),
            {"delete", [&w] { w.Click("btnVol07DeleteFolders"); }},
            Check(failure, "page 07 deleted nothing", [&space] { return !fs::exists(space.Native("D/m19/s2")); }),
        };
    });
}

// Page 08: a structure copied into five main folders, and undone.
void BM_CopyFolders(benchmark::State& state) {
    RunScenario(state, [](bench::Workspace& space, MainWindow& w, std::string& failure) {
        MakeStructure(space, "S", 32);
        const std::string mains = MakeFolders(space, "M/m", 5);
        return std::vector<Step>{
            {"list", [&w, mains] { w.Edit("Vol08", mains); }},
            {"", [&w] { w.Click("rdoVol08AttachMainFolderWithoutFiles"); }},
            {"structure", [&w] { w.Browse("btnVol08AddFolderStructure", "S"); }},
            {"with_files", [&w] { w.Click("rdoVol08AttachMainFolderWithFiles"); }},
            {"simulate", [&w] { w.Click("btnVol08CopyFoldersSimulation"); }},
            {"copy", [&w] { w.Click("btnVol08CopyFolders"); }},
            Check(failure, "page 08 copied nothing",
                  [&space] { return fs::exists(space.Native("M/m4/S/d3/f31/31.txt")); }),
            {"undo", [&w] { w.Click("btnVol08Undo"); }},
        };
    });
}

// Page 10: a structure's files copied into five folders, and undone.
void BM_CopyFiles(benchmark::State& state) {
    RunScenario(state, [](bench::Workspace& space, MainWindow& w, std::string& failure) {
        MakeStructure(space, "S", 32);
        const std::string mains = MakeFolders(space, "M/m", 5);
        return std::vector<Step>{
            {"list", [&w, mains] { w.Edit("Vol10", mains); }},
            {"structure", [&w] { w.Browse("btnVol10AddFolderStructures", "S"); }},
            {"simulate", [&w] { w.Click("btnVol10CopyFilesSimulation"); }},
            {"copy", [&w] { w.Click("btnVol10CopyFiles"); }},
            Check(failure, "page 10 copied nothing", [&space] { return fs::exists(space.Native("M/m4/31.txt")); }),
            {"undo", [&w] { w.Click("btnVol10Undo"); }},
        };
    });
}

// Page 12: a file in each of 40 folders renamed, and undone.
void BM_RenameFiles(benchmark::State& state) {
    RunScenario(state, [](bench::Workspace& space, MainWindow& w, std::string& failure) {
        const std::string mains = MakeFolders(space, "F/m", 40, "a.txt");
        return std::vector<Step>{
            {"list", [&w, mains] { w.Edit("Vol12", mains); }},
            {"", [&w] {
                 w.SetText("edtVol12NewPrefix", "p_");
                 w.Click("rdoVol12RenameFilesInMainFoldersAndSubFolders");
             }},
            {"simulate", [&w] { w.Click("btnVol12RenameFilesSimulation"); }},
            {"rename", [&w] { w.Click("btnVol12RenameFiles"); }},
            Check(failure, "page 12 renamed nothing", [&space] { return fs::exists(space.Native("F/m39/p_a.txt")); }),
            {"undo", [&w] { w.Click("btnVol12Undo"); }},
        };
    });
}

// Page 15: five projects checked against a model structure.
void BM_CheckProjectsConsistency(benchmark::State& state) {
    RunScenario(state, [](bench::Workspace& space, MainWindow& w, std::string& failure) {
        MakeStructure(space, "Models/Std", 40);
        std::string projects;
        for (int p = 0; p < 5; ++p) {
            MakeStructure(space, "Jobs/P" + std::to_string(p), 30);
            projects += space.Drive("Jobs/P" + std::to_string(p)) + "\n";
        }
        return std::vector<Step>{
            {"list", [&w, projects] { w.Edit("Vol15", projects); }},
            {"", [&w] { w.Click("rdoVol15AttachSubFoldersOnlyWithFiles"); }},
            {"structure", [&w] { w.Browse("btnVol15AddFolderStructure", "Models/Std"); }},
            {"check", [&w] { w.Click("btnVol15CheckProjectsConsistency"); }},
            Check(failure, "page 15 found otherwise",
                  [] { return MainWindow::Label("lblStat15SubFoldersMissing") == "55"; }),
        };
    });
}

#define QM_ANSWERS_BENCHMARK(name) \
    BENCHMARK(name)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond)
QM_ANSWERS_BENCHMARK(BM_CreateFromPathsAParentEach);
QM_ANSWERS_BENCHMARK(BM_DeleteFolders);
QM_ANSWERS_BENCHMARK(BM_CopyFolders);
QM_ANSWERS_BENCHMARK(BM_CopyFiles);
QM_ANSWERS_BENCHMARK(BM_RenameFiles);
QM_ANSWERS_BENCHMARK(BM_CheckProjectsConsistency);

}  // namespace

int main(int argc, char** argv) {
    // The main window writes its settings, the trash and Qt's own files:
    // all of them go to a folder of the run's own.
    const std::string home = testsupport::IsolateEnvironment();
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int rc = 0;
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
            rc = 1;
        } else {
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
    }
    testsupport::RemoveIsolatedEnvironment(home);
    return rc;
}
