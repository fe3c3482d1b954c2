// Twin names: "proj", "proj.", "proj .", "proj..", "a b. " and "Proj" are
// six folders here. A list line acts on the entry it spells, never on a
// twin: on every page that reads folder lines, the run, its simulation and
// its undo change the listed twin alone, and the simulation says what the
// run then does.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <filesystem>
#include <functional>
#include <map>

#include "core/SettingsStore.h"
#include "pages/checker/Vol15Page.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "pages/folders/Vol07Page.h"
#include "pages/folders/Vol08Page.h"
#include "platform/Desktop.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"

namespace {

using pagewindow::C;
using pagewindow::Lines;

const std::vector<std::string> kTwins = {"proj", "proj.", "proj .", "proj..", "a b. ", "Proj"};

// The folder a line names for a twin: a line's own trailing blank is
// trimmed, so "a b. " is reached as the folder its entry "x" lies in.
std::string Named(const std::string& twin) { return twin.back() == ' ' ? twin + "\\x" : twin; }

class TwinNames : public pagewindow::PageWindowFixture {
protected:
    TwinNames() : PageWindowFixture('P', "Prog") {}

    void SetList(const char* list, const StringList& lines) { listtools::SetListLines(C<QListWidget>(list), lines); }
    // Every twin of J holding a file and a folder with a file.
    void Fill() {
        for (const char* top : {"J", "K"}) std::filesystem::remove_all(drive.nativePath(top));
        for (const std::string& twin : kTwins) {
            drive.WriteFile("J\\" + twin + "\\f.txt", twin);
            drive.WriteFile("J\\" + twin + "\\x\\g.txt", twin);
        }
        drive.MakeFolder("K");
    }
    // What lies in each twin (and what else J and K hold, under their names).
    std::map<std::string, Lines> ByTwin() const {
        std::map<std::string, Lines> out;
        for (const std::string& entry : Tree()) {
            if (!entry.starts_with("J/") && !entry.starts_with("K/")) continue;
            const std::string top = entry.substr(0, entry.find('/', 2));
            out[top].push_back(entry);
        }
        return out;
    }
    static Lines LogLines(VisualLogWindow* log, int categories) {
        Lines lines;
        for (int c = 0; c < categories; ++c)
            for (const std::string& line : log->CategoryList(c)->Lines()) lines.push_back(line);
        return lines;
    }
};

}  // namespace

TEST_F(TwinNames, ALineActsOnTheTwinItSpellsOnEveryPage) {
    SetFileSelNameMasks({"*.*"});
    drive.WriteFile("Str\\s.txt", "s");
    drive.WriteFile("Src\\a.txt", "a");
    drive.WriteFile("Models\\Std\\Docs\\a.txt", "a");
    frmMain->Page08->Vol08AddFolderStructurePath(drive.path("Str"));
    frmMain->Page10->Vol10AddSource(drive.path("Src"));
    C<QRadioButton>("rdoVol11DeleteOnlyFiles")->setChecked(true);
    C<QLineEdit>("edtVol06NewPrefix")->setText("Z");
    C<QLineEdit>("edtVol12NewPrefix")->setText("Z");
    C<QRadioButton>("rdoVol12RenameFilesInMainFoldersAndSubFolders")->setChecked(true);
    SetList("lstVol15AddFolderStructure", {drive.path("Models\\Std")});
    Click("rdoVol15AttachSubFoldersOnlyWithFiles");
    frmMain->Page02->Vol02SetDestinationFolder(drive.path("K"));

    struct Page {
        const char* list;
        std::function<void()> refresh;
        const char *run, *simulate, *undo;
        VisualLogWindow* log;
        int categories;
        // The line for a twin (none: the twin's folder); the creation pages
        // make their folders in it.
        std::function<std::string(const std::string& twin)> line = nullptr;
        std::function<void()> before = nullptr;
    };
    const Page pages[] = {
        {"lstVol06IncludeFolderList", [] { frmMain->Page06->Vol06RefreshPage(); }, "btnVol06RenameFolders",
         "btnVol06RenameFoldersSimulation", "btnVol06Undo", frmStatistic06, TfrmStatistic06::FoldersFailedUndo + 1},
        {"lstVol07IncludeFolderList", [] { frmMain->Page07->Vol07RefreshPage(); }, "btnVol07DeleteFolders",
         "btnVol07DeleteFoldersSimulation", nullptr, frmStatistics07, TfrmStatistics07::FilesNotExists + 1},
        {"lstVol08IncludeFolderList", [] { frmMain->Page08->Vol08RefreshPage(); }, "btnVol08CopyFolders",
         "btnVol08CopyFoldersSimulation", "btnVol08Undo", frmStatistic08, TfrmStatistic08::SubFoldersFailedUndo + 1,
         {}, [this] { Click("rdoVol08AttachMainFolderWithFiles"); }},
        {"lstVol10IncludeFolderList", [] { frmMain->Page10->Vol10RefreshPage(); }, "btnVol10CopyFiles",
         "btnVol10CopyFilesSimulation", "btnVol10Undo", frmStatistic10, TfrmStatistic10::SubFoldersExists + 1},
        {"lstVol11IncludeFolderList", [] { frmMain->Page11->Vol11RefreshPage(); }, "btnVol11DeleteFiles",
         nullptr, nullptr, frmStatistics11, TfrmStatistics11::FilesNotExists + 1},
        {"lstVol12IncludeFolderList", [] { frmMain->Page12->Vol12RefreshPage(); }, "btnVol12RenameFiles",
         "btnVol12RenameFilesSimulation", "btnVol12Undo", frmStatistic12, TfrmStatistic12::FilesFailedUndo + 1},
        {"lstVol15IncludeFolderList", [] { frmMain->Page15->Vol15RefreshPage(); },
         "btnVol15CheckProjectsConsistency", nullptr, nullptr, frmStatistic15,
         TfrmStatistic15::SubFoldersOtherReasons + 1},
        // The creation pages make the twin itself (02), numbered folders in
        // it (03) and a folder below it (04).
        {"lstVol02IncludeStrings", [] {
             frmMain->Page02->Vol02RefreshListCounters();
             frmMain->Page02->Vol02EnableNameControls(true);
             frmMain->Page02->Vol02UpdateButtons(true);
         }, "btnVol02CreateFolders",
         "btnVol02CreateFoldersSimulation", "btnVol02Undo", frmStatistic02, TfrmStatistic02::FoldersFailedUndo + 1,
         [](const std::string& twin) { return twin; }, [this] { Click("rdoVol02AttachNothing"); }},
        {nullptr, [] {}, "btnVol03CreateFolders", "btnVol03CreateFoldersSimulation", "btnVol03Undo", frmStatistic03,
         TfrmStatistic03::FoldersFailedUndo + 1},
        {"lstVol04IncludeFolderList", [] { frmMain->Page04->Vol04RefreshPage(); }, "btnVol04CreateFolders",
         "btnVol04CreateFoldersSimulation", "btnVol04Undo", frmStatistic04, TfrmStatistic04::FoldersFailedUndo + 1,
         [](const std::string& twin) { return "P:\\J\\" + Named(twin) + "\\New"; },
         [this] { Click("rdoVol04AttachNothing"); }},
    };
    for (const Page& page : pages) {
        for (const std::string& twin : kTwins) {
            const std::string line = page.line ? page.line(twin) : "P:\\J\\" + Named(twin);
            SCOPED_TRACE(std::string(page.run) + " with \"" + line + "\"");
            Fill();
            if (page.list) {
                SetList(page.list, {line});
                page.refresh();
            } else {
                frmMain->Page03->Vol03SetDestFolder(line);
                Click("rdoVol03AttachNothing");
            }
            if (page.before) page.before();
            ASSERT_TRUE(Enabled(page.run));
            const auto before = ByTwin();

            Lines simulated;
            if (page.simulate) {
                Click(page.simulate);
                EXPECT_EQ(ByTwin(), before) << "simulated";
                simulated = LogLines(page.log, page.categories);
            }
            Click(page.run);
            auto after = ByTwin();
            const Lines ran = LogLines(page.log, page.categories);
            if (page.simulate) {
                EXPECT_EQ(ran, simulated);
            }
            // The listed twin alone changed (page 02 makes it in K).
            const std::string changed = page.list && std::string(page.list) == "lstVol02IncludeStrings"
                                            ? "K/" + twin
                                            : "J/" + twin;
            for (const std::string& other : kTwins)
                if ("J/" + other != changed) {
                    EXPECT_EQ(after["J/" + other], before.at("J/" + other)) << other;
                }
            if (page.log == frmStatistic15) {
                // Checked: the listed twin, and what it holds; no other twin.
                const std::string project = "P:\\J\\" + Named(twin);
                EXPECT_FALSE(ran.empty());
                for (const std::string& l : ran) EXPECT_TRUE(l == project || l.starts_with(project + "\\")) << l;
            } else {
                EXPECT_NE(after[changed], before.count(changed) ? before.at(changed) : Lines{});
            }
            if (page.undo) {
                Click(page.undo);
                EXPECT_EQ(ByTwin(), before) << "undone";
            }
        }
    }

    // Lines apart only in letter case name two folders: neither is a repeat
    // of the other, nor does one lie below the other.
    for (const Page* page : {&pages[1], &pages[3], &pages[4], &pages[5]}) {
        SCOPED_TRACE(page->run);
        Fill();
        SetList(page->list, {"P:\\J\\Proj", "P:\\J\\proj\\x", "P:\\J\\proj."});
        page->refresh();
        const auto before = ByTwin();
        Click(page->run);
        auto after = ByTwin();
        for (const std::string& twin : kTwins)
            if (twin == "Proj" || twin == "proj" || twin == "proj.")
                EXPECT_NE(after["J/" + twin], before.at("J/" + twin)) << twin;
            else
                EXPECT_EQ(after["J/" + twin], before.at("J/" + twin)) << twin;
    }
}

// A folder picked in the browser is that folder: a line would trim "x. " or
// "x.<tab>" into the twin "x.", so each pick site refuses them with one box
// naming the pick, and adds nothing; "x." itself is taken.
TEST_F(TwinNames, APickThatTrimmingWouldTurnIntoItsTwinIsRefused) {
    std::string browsed;
    const auto previous = plat::SetFolderBrowserHandler([&](void*, const std::string&) { return browsed; });
    const std::pair<const char*, std::function<void()>> sites[] = {
        {"lstVol07IncludeFolderList", [] { frmMain->Page07->btnVol07AddFoldersToListClick(); }},
        {"lstVol15AddFolderStructure", [] { frmMain->Page15->btnVol15AddFolderStructureClick(); }},
        {"lstVol10AddFolderStructure", [] { frmMain->Page10->btnVol10AddFolderStructuresClick(); }},
        {"cboVol02DestFolders", [] { frmMain->Page02->btnVol02AddDestFolderClick(); }},
        {"cboVol03DestFolders", [] { frmMain->Page03->btnVol03AddDestFolderClick(); }},
        {"cboMainSourceFolder", [] { frmSubFolderListBuilder->btnMainSourceFolderAddClick(); }},
    };
    for (const auto& [name, pick] : sites) {
        auto* combo = C<QComboBox>(name);
        const QAbstractItemModel* model = combo ? combo->model() : C<QListWidget>(name)->model();
        const auto held = [model] {
            QStringList rows;
            for (int r = 0; r < model->rowCount(); ++r) rows << model->index(r, 0).data().toString();
            return rows;
        };
        for (const std::string twin : {"x. ", "x.\t", "x."}) {
            SCOPED_TRACE(std::string(name) + " picking \"" + twin + "\"");
            drive.MakeFolder("J\\" + twin);
            browsed = drive.path("J\\" + twin);
            const QStringList before = held();
            captions.clear();
            texts.clear();
            pick();
            const bool refused = twin != "x.";
            EXPECT_EQ(held() == before, refused);
            EXPECT_EQ(held().contains(QString::fromStdString(browsed)), !refused);
            EXPECT_EQ(captions == Lines{"0457."} && texts[0].find('"' + browsed + '"') != std::string::npos, refused);
        }
    }
    plat::SetFolderBrowserHandler(previous);
}
