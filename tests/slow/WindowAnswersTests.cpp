// On a slow share the window keeps answering while a page reads: every run,
// simulation, undo and count reads on the run pool, and the window thread
// polls its event loop meanwhile. Each case clicks through a page in the
// real main window with every file-system call taking 4 ms, and counts the
// calls the window thread made between two of its polls: one call there is
// the window deaf for the call's length, on a real share for as long as the
// share takes. How long it goes without polling depends on the machine's
// load: bench/ui_window_answers_bench.cpp measures that.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>

#include "pages/TfrmSubFolderListBuilder.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "platform/Desktop.h"
#include "platform/qt/FileDialogs.h"
#include "shell/TfrmMain.h"
#include "tests/support/SlowShare.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"

using namespace std::chrono_literals;
using pagewindow::C;

namespace {

// 4 ms a call: a call on the window thread is counted however short it is,
// and the cases, which wait out every call, stay well within their time
// limit while others run beside them. The window thread makes none of the
// calls itself (but for a file the user chose, which a handler opens).
constexpr auto kPerCall = 4ms;
// The structure a run copies into each main folder: at 4 ms a call, small
// enough that every case still ends within seconds when it fails.
constexpr int kCopied = 32;

class WindowAnswers : public pagewindow::PageWindowFixture {
protected:
    WindowAnswers() : PageWindowFixture('W') {}
    void SetUp() override {
        PageWindowFixture::SetUp();
        previousBrowser = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return browsed; });
    }
    void TearDown() override {
        plat::SetFolderBrowserHandler(previousBrowser);
        qtplat::SetFileDialogHandler({});
        PageWindowFixture::TearDown();
    }

    // A structure of `folders` folders in groups of eight, each with a file
    // of its own name: d4\f39\39.txt.
    void MakeStructure(const std::string& name, int folders) {
        for (int i = 0; i < folders; ++i) {
            const std::string n = std::to_string(i);
            drive.WriteFile(name + "\\d" + std::to_string(i / 8) + "\\f" + n + "\\" + n + ".txt", "x");
        }
    }
    // Main folders name0 .. name<n-1>, each with subfolders s0, s1 and s2\t
    // and a file in each; their paths a line each.
    std::string MakeMainFolders(const std::string& name, int n) {
        std::string lines;
        for (int i = 0; i < n; ++i) {
            const std::string folder = name + std::to_string(i);
            for (const char* sub : {"\\s0", "\\s1", "\\s2\\t"}) drive.WriteFile(folder + sub + "\\x.txt", "x");
            lines += drive.path(folder) + "\n";
        }
        return lines;
    }
    // A label of the main window or of any window beside it (the Visual Logs).
    static std::string Label(const char* name) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* label = window->findChild<QLabel*>(QString::fromUtf8(name)))
                return label->text().toStdString();
        return "<no " + std::string(name) + ">";
    }

    // `act` on the slow share; the window's own calls meanwhile (at most
    // `ownCalls` between two polls), then `check`: what the act did.
    void ExpectAnswers(const std::string& what, const std::function<void()>& act,
                       const std::function<void()>& check, int ownCalls = 0) {
        testsupport::SlowShare share(kPerCall);
        act();
        share.Stop();
        EXPECT_LE(share.MostCallsWithoutPoll(), ownCalls)
            << what << ": " << share.MostCallsWithoutPoll() << " calls without a poll, the first from\n"
            << share.WhereMostCallsBegan();
        SCOPED_TRACE(what);
        check();
    }
    void ExpectAnswers(const char* button, const std::function<void()>& check) {
        ExpectAnswers(button, [&] { Click(button); }, check);
    }
    // The folder browser answers `folder`.
    void ExpectBrowse(const char* button, const std::string& folder, const std::function<void()>& check) {
        browsed = drive.path(folder);
        ExpectAnswers(button, check);
    }
    // The page's Include list editor (page "Vol07") takes `lines` and OK.
    void ExpectEdit(const std::string& page, const std::string& lines, const std::function<void()>& check) {
        const std::string ok = "btn" + page + "EditIncludeListOk";
        onModal = [&](QDialog* editor) {
            editor->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
            editor->findChild<QAbstractButton*>(QString::fromStdString(ok))->click();
            return editor->result();
        };
        ExpectAnswers(("btn" + page + "EditIncludeList").c_str(), check);
        onModal = nullptr;
    }

    plat::FolderBrowserHandler previousBrowser;
    std::string browsed;
};

}  // namespace

// ---- creation pages -------------------------------------------------------------------

TEST_F(WindowAnswers, CreateFromStrings) {
    MakeStructure("S", kCopied);
    MakeStructure("Dest", 16);
    Vol02Page* page = frmMain->Page02;
    ExpectAnswers("destination", [&] { page->Vol02SetDestinationFolder(drive.path("Dest")); },
                  [&] { EXPECT_EQ(Label("lblLevelSummFileSum"), "16"); });
    for (const char* name : {"a", "b"}) {
        SetText("edtVol02AddToList", name);
        Click("btnVol02AddToList");
    }
    Click("rdoVol02AttachMainFolderWithFiles");
    ExpectBrowse("btnVol02AddFolderStructure", "S", [&] { EXPECT_EQ(Label("lblStat02FilesToCreate"), "64"); });
    SetText("edtVol02AddToList", "c");
    ExpectAnswers("btnVol02AddToList", [&] { EXPECT_EQ(Label("lblStat02FilesToCreate"), "96"); });
    ExpectAnswers("btnVol02CreateFoldersSimulation", [&] { EXPECT_EQ(Label("lblStat02FilesCreated"), "96"); });
    ExpectAnswers("btnVol02CreateFolders", [&] { EXPECT_TRUE(drive.Exists("Dest\\c\\S\\d3\\f31\\31.txt")); });
    ExpectAnswers("btnVol02Undo", [&] { EXPECT_FALSE(drive.Exists("Dest\\c")); });
}

TEST_F(WindowAnswers, CreateFromIncreasedNumbers) {
    MakeStructure("S", kCopied);
    MakeStructure("Dest", 16);
    Vol03Page* page = frmMain->Page03;
    ExpectAnswers("destination", [&] { page->Vol03SetDestFolder(drive.path("Dest")); },
                  [&] { EXPECT_NE(texts.back().find(" 16 Files."), std::string::npos) << texts.back(); });
    Click("rdoVol03AttachMainFolderWithFiles");
    ExpectBrowse("btnVol03AddFolderStructure", "S", [&] { EXPECT_EQ(Label("lblStat03FilesToCreate"), "32"); });
    SetText("edtVol03EndNumber", "3");
    ExpectAnswers("edtVol03EndNumberExit", [&] { page->edtVol03EndNumberExit(); },
                  [&] { EXPECT_EQ(Label("lblStat03FilesToCreate"), "96"); });
    ExpectAnswers("btnVol03CreateFoldersSimulation", [&] { EXPECT_EQ(Label("lblStat03FilesCreated"), "96"); });
    ExpectAnswers("btnVol03CreateFolders", [&] { EXPECT_TRUE(drive.Exists("Dest\\3\\S\\d3\\f31\\31.txt")); });
    ExpectAnswers("btnVol03Undo", [&] { EXPECT_FALSE(drive.Exists("Dest\\3")); });
}

TEST_F(WindowAnswers, CreateFromPaths) {
    MakeStructure("S", kCopied);
    for (const char* name : {"A\\Job", "B\\Job"}) {
        SetText("edtVol04AddToList", drive.path(name));
        Click("btnVol04AddToList");
    }
    Click("rdoVol04AttachMainFolderWithFiles");
    ExpectBrowse("btnVol04AddFolderStructure", "S", [&] { EXPECT_EQ(Label("lblStat04FilesToCreate"), "64"); });
    SetText("edtVol04AddToList", drive.path("C\\Job"));
    ExpectAnswers("btnVol04AddToList", [&] { EXPECT_EQ(Label("lblStat04FilesToCreate"), "96"); });
    ExpectAnswers("btnVol04CreateFoldersSimulation", [&] { EXPECT_EQ(Label("lblStat04FilesCreated"), "96"); });
    ExpectAnswers("btnVol04CreateFolders", [&] { EXPECT_TRUE(drive.Exists("C\\Job\\S\\d3\\f31\\31.txt")); });
    ExpectAnswers("btnVol04Undo", [&] { EXPECT_FALSE(drive.Exists("C\\Job")); });
}

// Each item made beneath a parent of its own: the parents are opened on the
// workers as they look at the items, not by the window as it scopes them;
// with a structure, the free space where each item goes is read on the pool.
TEST_F(WindowAnswers, CreateFromPathsAParentEach) {
    MakeStructure("S", 8);
    std::string lines;
    for (int i = 0; i < 40; ++i) lines += drive.path("P\\p" + std::to_string(i) + "\\Job") + "\n";
    MakeFolders("P\\p", 40);
    ExpectEdit("Vol04", lines, [&] { EXPECT_EQ(Label("lblVol04IncludeSum"), "40"); });
    Click("rdoVol04AttachNothing");
    ExpectAnswers("btnVol04CreateFolders", [&] { EXPECT_TRUE(drive.Exists("P\\p39\\Job")); });
    ExpectAnswers("btnVol04Undo", [&] { EXPECT_FALSE(drive.Exists("P\\p39\\Job")); });
    Click("rdoVol04StructureImportFullPaths");
    Click("rdoVol04AttachMainFolderWithFiles");
    ExpectBrowse("btnVol04AddFolderStructure", "S", [&] { EXPECT_EQ(Label("lblStat04FilesToCreate"), "320"); });
    ExpectAnswers("btnVol04CreateFoldersSimulation", [&] { EXPECT_EQ(Label("lblStat04FilesCreated"), "320"); });
    ExpectAnswers("btnVol04CreateFolders", [&] { EXPECT_TRUE(drive.Exists("P\\p39\\Job\\S\\d0\\f7\\7.txt")); });
}

// ---- folder pages ---------------------------------------------------------------------

TEST_F(WindowAnswers, RenameFolders) {
    const std::string folders = MakeFolders("R\\m", 40);
    ExpectEdit("Vol06", folders, [&] { EXPECT_EQ(Label("lblStat06FoldersToRename"), "40"); });
    SetText("edtVol06NewPrefix", "X_");
    ExpectAnswers("btnVol06RenameFoldersSimulation", [&] { EXPECT_EQ(Label("lblStat06FoldersRenamed"), "40"); });
    ExpectAnswers("btnVol06RenameFolders", [&] { EXPECT_TRUE(drive.Exists("R\\X_m39")); });
    ExpectAnswers("btnVol06Undo", [&] { EXPECT_TRUE(drive.Exists("R\\m39")); });
}

TEST_F(WindowAnswers, DeleteFolders) {
    ExpectEdit("Vol07", MakeMainFolders("D\\m", 20), [&] { EXPECT_EQ(Label("lblStat07FoldersToDelete"), "80"); });
    MakeMainFolders("E\\m", 1);
    ExpectBrowse("btnVol07AddFoldersToList", "E\\m0", [&] { EXPECT_EQ(Label("lblStat07FoldersToDelete"), "84"); });
    ExpectAnswers("btnVol07DeleteFolders", [&] { EXPECT_FALSE(drive.Exists("D\\m19\\s2")); });
}

TEST_F(WindowAnswers, CopyFolders) {
    MakeStructure("S", kCopied);
    const std::string mains = MakeFolders("M\\m", 5);
    ExpectEdit("Vol08", mains, [&] { EXPECT_EQ(C<QLabel>("lblVol08IncludeSum")->text(), "5"); });
    Click("rdoVol08AttachMainFolderWithoutFiles");
    ExpectBrowse("btnVol08AddFolderStructure", "S", [&] { EXPECT_EQ(Label("lblStat08SubFoldersToCopy"), "185"); });
    ExpectAnswers("rdoVol08AttachMainFolderWithFiles", [&] { EXPECT_EQ(Label("lblStat08FilesToCopy"), "160"); });
    ExpectAnswers("btnVol08CopyFoldersSimulation", [&] { EXPECT_EQ(Label("lblStat08FilesCopied"), "160"); });
    ExpectAnswers("btnVol08CopyFolders", [&] { EXPECT_TRUE(drive.Exists("M\\m4\\S\\d3\\f31\\31.txt")); });
    ExpectAnswers("btnVol08Undo", [&] { EXPECT_FALSE(drive.Exists("M\\m4\\S")); });
}

// A profile restored counts the pages' lists again.
TEST_F(WindowAnswers, RestoreProfile) {
    auto* include = C<QListWidget>("lstVol07IncludeFolderList");
    const QString mains = QString::fromStdString(MakeMainFolders("D\\m", 20));
    listtools::SetListLines(include, mains.split('\n', Qt::SkipEmptyParts));
    qtplat::SetFileDialogHandler([this](const qtplat::FileDialogRequest&) { return drive.path("profile.set"); });
    frmMain->SaveProfile1Click();
    listtools::SetListLines(include, QStringList());
    ExpectAnswers("OpenRestoreProfile1Click", [&] { frmMain->OpenRestoreProfile1Click(); },
                  [&] { EXPECT_EQ(Label("lblStat07FoldersToDelete"), "80"); }, 1);  // the profile opened
}

// The subfolder list builder reads its source when chosen, when it builds
// and for a line's levels; the page it fills counts what it took.
TEST_F(WindowAnswers, SubFolderListBuilder) {
    MakeStructure("T", 40);
    const auto builder = [](const char* name) {
        return frmSubFolderListBuilder->findChild<QAbstractButton*>(QString::fromUtf8(name));
    };
    browsed = drive.path("T");
    ExpectAnswers("btnMainSourceFolderAdd", [&] { builder("btnMainSourceFolderAdd")->click(); },
                  [&] { EXPECT_EQ(Label("lblMainLevelSumFiles"), "40"); });
    builder("rdoBelowLevelNumber")->click();
    frmSubFolderListBuilder->findChild<QLineEdit*>("edtBelowLevelNumber")->setText("1");
    ExpectAnswers("btnBuildList", [&] { builder("btnBuildList")->click(); },
                  [&] { EXPECT_EQ(Label("lblIncludeSum"), "45"); });
    frmSubFolderListBuilder->findChild<QListWidget*>("lstIncludeFolderList")->setCurrentRow(0);  // T\d0
    ExpectAnswers("btnSubFolderListBuilderLevels", [&] { builder("btnSubFolderListBuilderLevels")->click(); },
                  [&] { EXPECT_EQ(Label("lblLevelSummFileSum"), "8"); });
    onModal = [&](QDialog* dialog) {
        builder("btnBuilderImport")->click();
        return dialog->result();
    };
    ExpectAnswers("btnVol07SubFolderListBuilder", [&] { EXPECT_EQ(Label("lblStat07FilesToDelete"), "40"); });
}

// ---- file pages -----------------------------------------------------------------------

TEST_F(WindowAnswers, CopyFiles) {
    MakeStructure("S", kCopied);
    ExpectEdit("Vol10", MakeFolders("M\\m", 5), [&] { EXPECT_EQ(C<QLabel>("lblVol10IncludeSum")->text(), "5"); });
    ExpectBrowse("btnVol10AddFolderStructures", "S", [&] { EXPECT_EQ(Label("lblStat10FilesToCopy"), "160"); });
    ExpectAnswers("btnVol10CopyFilesSimulation", [&] { EXPECT_EQ(Label("lblStat10FilesCopied"), "160"); });
    ExpectAnswers("btnVol10CopyFiles", [&] { EXPECT_TRUE(drive.Exists("M\\m4\\31.txt")); });
    ExpectAnswers("btnVol10Undo", [&] { EXPECT_FALSE(drive.Exists("M\\m4\\31.txt")); });
}

TEST_F(WindowAnswers, DeleteFiles) {
    std::string mains = MakeFolders("F\\m", 20, "a.txt");
    for (int i = 0; i < 20; ++i) drive.WriteFile("F\\m" + std::to_string(i) + "\\s\\b.txt", "x");
    ExpectEdit("Vol11", mains, [&] { EXPECT_EQ(Label("lblStat11FilesToDelete"), "20"); });
    ExpectAnswers("rdoVol11DeleteOnlyFiles", [&] { EXPECT_EQ(Label("lblStat11FilesToDelete"), "40"); });
    ExpectAnswers("btnVol11DeleteFiles", [&] { EXPECT_FALSE(drive.Exists("F\\m19\\a.txt")); });
}

// The counters of pages 11 and 12 move with their lists while a run works
// in one large main folder, as every page's do; not only at its end.
TEST_F(WindowAnswers, FileCountersMoveWithTheirLists) {
    constexpr int kFiles = 60;
    for (int i = 0; i < kFiles; ++i) drive.WriteFile("G\\m\\f" + std::to_string(i) + ".txt", "x");
    const std::string mains = drive.path("G\\m") + "\n";
    for (const char* page : {"Vol12", "Vol11"}) {
        const std::string counter = page == std::string("Vol11") ? "lblStat11FilesDeleted" : "lblStat12FilesRenamed";
        ExpectEdit(page, mains, [] {});
        if (page == std::string("Vol12")) SetText("edtVol12NewPrefix", "p_");
        bool movedMidRun = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            const double shown = QString::fromStdString(Label(counter.c_str())).toDouble();
            movedMidRun = movedMidRun || (shown > 0 && shown < kFiles);
        });
        look.start(5);
        {
            testsupport::SlowShare share(kPerCall);
            Click(page == std::string("Vol11") ? "btnVol11DeleteFiles" : "btnVol12RenameFiles");
        }
        look.stop();
        EXPECT_EQ(Label(counter.c_str()), std::to_string(kFiles));
        EXPECT_TRUE(movedMidRun) << counter;
    }
}

TEST_F(WindowAnswers, RenameFiles) {
    const std::string mains = MakeFolders("F\\m", 40, "a.txt");
    ExpectEdit("Vol12", mains, [&] { EXPECT_EQ(C<QLabel>("lblVol12IncludeSum")->text(), "40"); });
    SetText("edtVol12NewPrefix", "p_");
    Click("rdoVol12RenameFilesInMainFoldersAndSubFolders");  // the listed folders fenced from each other's walks
    ExpectAnswers("btnVol12RenameFilesSimulation", [&] { EXPECT_EQ(Label("lblStat12FilesRenamed"), "40"); });
    ExpectAnswers("btnVol12RenameFiles", [&] { EXPECT_TRUE(drive.Exists("F\\m39\\p_a.txt")); });
    ExpectAnswers("btnVol12Undo", [&] { EXPECT_TRUE(drive.Exists("F\\m39\\a.txt")); });
    // Each file replaces one of its new name, which is kept as a working
    // copy: the next run sends the last one's working copies to the trash.
    const std::string replacing = MakeFolders("G\\m", 4, "a.txt");
    for (int i = 0; i < 4; ++i) drive.WriteFile("G\\m" + std::to_string(i) + "\\p_a.txt", "old");
    ExpectEdit("Vol12", replacing, [&] { EXPECT_EQ(C<QLabel>("lblVol12IncludeSum")->text(), "4"); });
    Click("rdoVol12RenameDuplicatedFilesOverWrite");
    ExpectAnswers("btnVol12RenameFiles", [&] { EXPECT_TRUE(drive.Exists("prog\\WorkingDir\\p_a.txt")); });
    ExpectAnswers("btnVol12RenameFiles", [&] {
        EXPECT_TRUE(drive.Exists("G\\m3\\p_p_a.txt"));
        EXPECT_FALSE(drive.Exists("prog\\WorkingDir\\p_a.txt"));
    });
}

// ---- consistency checker --------------------------------------------------------------

TEST_F(WindowAnswers, CheckProjectsConsistency) {
    MakeStructure("Models\\Std", 40);
    std::string projects;
    for (int p = 0; p < 5; ++p) {
        MakeStructure("Jobs\\P" + std::to_string(p), 30);
        projects += drive.path("Jobs\\P" + std::to_string(p)) + "\n";
    }
    ExpectEdit("Vol15", projects, [&] { EXPECT_EQ(C<QLabel>("lblVol15IncludeSum")->text(), "5"); });
    Click("rdoVol15AttachSubFoldersOnlyWithFiles");
    ExpectBrowse("btnVol15AddFolderStructure", "Models\\Std",
                 [&] { EXPECT_EQ(Label("lblStat15FilesToCheck"), "200"); });  // 40 in each project
    ExpectAnswers("btnVol15CheckProjectsConsistency",
                  [&] { EXPECT_EQ(Label("lblStat15SubFoldersMissing"), "55"); });  // d4, f30..f39 of each
}
