// Every page whose run is weighed, in the real main window. The machine
// answers from the weight the run asks about: just under it the run is
// refused and changes nothing, the disk, the Visual Log, the counters and
// the last run's Undo included; just over it the run goes. The weight
// counts what the run then lists, and the lines the page shows from its
// last run are room for the next, so a simulation runs twice and then its
// run, each just fitting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>

#include <functional>
#include <map>
#include <string>

#include "pages/RunMemory.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/folders/Vol07Page.h"
#include "platform/Desktop.h"
#include "results/ResultsList.h"
#include "results/ResultsLog.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "shell/TfrmMain.h"
#include "tests/ui/AtWeight.h"
#include "tests/ui/PageWindowFixture.h"

namespace {

using pagewindow::C;

template <class Labels>
std::string Counted(const Labels& labels) {
    std::string text;
    for (const CounterLabel& l : labels) text += std::string(l.Label) + "=" + std::to_string(l.Value) + " ";
    return text;
}

// A click on the main window's button.
void Press(const std::string& button) { C<QAbstractButton>(button.c_str())->click(); }

struct WeighedPage {
    const char* page;  // "Vol02"
    VisualLogWindow* (*log)();
    // The run's button ("CreateFolders" for btnVol02CreateFolders), its
    // simulation's beside it ("...Simulation"), and the page's Undo.
    const char* run;
    bool undo;
    // The counters the page keeps of its last run where its Statistics
    // shows only some of them.
    std::function<std::string()> counters;
    // What the weight may count beyond the lines listed: folders the run
    // walks through without naming them, main folders it names when empty.
    int unlisted;
    std::function<void(class RunMemoryWindow&)> arrange;
    // A page without an Undo: more to delete than the run found, made after it.
    std::function<void(class RunMemoryWindow&)> again = nullptr;
};
void PrintTo(const WeighedPage& p, std::ostream* out) { *out << p.page; }

class RunMemoryWindow : public pagewindow::PageWindowFixture, public ::testing::WithParamInterface<WeighedPage> {
public:
    RunMemoryWindow() : PageWindowFixture('M') {}
    using PageWindowFixture::Click;
    using PageWindowFixture::drive;
    using PageWindowFixture::MakeFolders;
    using PageWindowFixture::SetText;
    void SetUp() override {
        PageWindowFixture::SetUp();
        previousBrowser = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return browsed; });
    }
    void TearDown() override {
        plat::SetFolderBrowserHandler(previousBrowser);
        PageWindowFixture::TearDown();
    }

    void Browse(const char* button, const std::string& folder) {
        browsed = drive.path(folder);
        Click(button);
    }
    // The page's Include list editor takes `lines` and OK.
    void Edit(const std::string& page, const std::string& lines) {
        const std::string ok = "btn" + page + "EditIncludeListOk";
        onModal = [&](QDialog* editor) {
            editor->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
            editor->findChild<QAbstractButton*>(QString::fromStdString(ok))->click();
            return editor->result();
        };
        Click(("btn" + page + "EditIncludeList").c_str());
        onModal = nullptr;
    }
    // A structure: a chain of three folders with a file in the last.
    void MakeStructure(const std::string& name) { drive.WriteFile(name + "\\Drawings\\Old\\Plans\\p.txt", "x"); }

    // What a refused run must leave as it was: the disk, every line of the
    // page's Visual Log, and the counters the page keeps (its Statistics
    // button shows them).
    struct Seen {
        pagewindow::Lines tree;
        std::map<std::string, std::string> lines, labels;
        std::string counters;
        bool operator==(const Seen&) const = default;
        friend void PrintTo(const Seen& seen, std::ostream* out) {
            *out << ::testing::PrintToString(seen.tree) << ::testing::PrintToString(seen.lines)
                 << ::testing::PrintToString(seen.labels) << seen.counters;
        }
    };
    Seen Now() {
        Seen seen{Tree(), {}, {}, GetParam().counters ? GetParam().counters() : ""};
        // The Visual Log with the page's counters.
        const std::string page = GetParam().page;
        Press("btn" + page + (page == "Vol02" ? "Statistic" : "Statistics"));
        VisualLogWindow* log = GetParam().log();
        for (QListView* view : log->findChildren<QListView*>()) {
            const auto* list = qobject_cast<const ResultsListModel*>(view->model());
            std::string& all = seen.lines[view->objectName().toStdString()];
            for (std::size_t i = 0; list && i < list->Count(); ++i) all.append(list->LineView(i)).append("\n");
        }
        for (QLabel* label : log->findChildren<QLabel*>())
            if (label->objectName().startsWith("lblStat"))
                seen.labels[label->objectName().toStdString()] = label->text().toStdString();
        return seen;
    }
    // The lines the Visual Log shows, and the characters of the paths they
    // name: a category's export lines where it has them (no text around them).
    std::pair<double, double> Listed() {
        VisualLogWindow* log = GetParam().log();
        double lines = 0, chars = 0;
        for (int c = 0; c < log->CategoryCount(); ++c) {
            lines += static_cast<double>(log->CategoryList(c)->Count());
            const ResultsListModel* named = log->ExportList(c) ? log->ExportList(c) : log->CategoryList(c);
            for (std::size_t i = 0; i < named->Count(); ++i) chars += static_cast<double>(named->LineView(i).size());
        }
        return {lines, chars};
    }
    bool Refused() const { return !captions.empty() && captions.back() == "0458."; }
    // What `run` leaves when its question is answered No: a run refused
    // leaves the same.
    Seen Declined(const std::function<void()>& run) {
        answer = plat::IDNO;
        run();
        answer = plat::IDYES;
        return Now();
    }
    // Runs `run` with the machine giving what the run weighs and `over`
    // bytes more; whether the memory box refused it.
    bool At(const std::function<void()>& run, double over) {
        captions.clear();
        ResetLastWeighed();
        const testsupport::AtWeight machine(over);
        run();
        EXPECT_GT(LastWeighedMemory().bytes, 0) << "the run weighed";
        return Refused();
    }

    plat::FolderBrowserHandler previousBrowser;
    std::string browsed;
};

TEST_P(RunMemoryWindow, JustUnderItsWeightARunIsRefusedAndChangesNothingJustOverItRuns) {
    const WeighedPage& p = GetParam();
    p.arrange(*this);
    const std::string button = std::string("btn") + p.page + p.run;
    const std::function<void()> run = [&] { Press(button); };
    // Page 11 keeps its simulation for the window's own use: no button shows it.
    const std::function<void()> simulate = [&] {
        p.page == std::string("Vol11") ? frmMain->Page11->Vol11SimulateDeleteFiles() : Press(button + "Simulation");
    };

    ASSERT_FALSE(At(simulate, 0)) << "a simulation that just fits";
    const RunMemoryNeed weighed = LastWeighedMemory();
    const auto [lines, chars] = Listed();
    ASSERT_GT(lines, 0) << ::testing::PrintToString(texts);
    // Weighed on what it lists: its lines, their characters at most a
    // tenth more (each is named by its path beside the rest of its text).
    EXPECT_GE(weighed.entries, lines);
    EXPECT_LE(weighed.entries, lines + p.unlisted);
    EXPECT_GE(weighed.lines, chars * 0.9);
    EXPECT_LE(weighed.lines, chars * 2);

    // What it listed is room for the next: the simulation just fits again.
    ASSERT_FALSE(At(simulate, 0));
    EXPECT_GE(LastWeighedRoom(), chars);
    EXPECT_EQ(Listed().first, lines);

    const Seen simulated = Declined(run);
    EXPECT_TRUE(At(run, -1)) << "a run just under its weight";
    EXPECT_EQ(Now(), simulated);
    ASSERT_FALSE(At(run, 0)) << "the run after its simulation";
    const pagewindow::Lines before = simulated.tree;

    EXPECT_NE(Tree(), before);
    if (p.again) p.again(*this);
    const Seen ran = Declined(run);
    EXPECT_TRUE(At(run, -1)) << "the run once more, just under its weight";
    EXPECT_EQ(Now(), ran);
    if (p.undo) {
        Press(std::string("btn") + p.page + "Undo");
        EXPECT_EQ(Tree(), before) << "the last run's Undo";
    }
}

VisualLogWindow* Log02() { return frmStatistic02; }
VisualLogWindow* Log03() { return frmStatistic03; }
VisualLogWindow* Log04() { return frmStatistic04; }
VisualLogWindow* Log06() { return frmStatistic06; }
VisualLogWindow* Log07() { return frmStatistics07; }
VisualLogWindow* Log08() { return frmStatistic08; }
VisualLogWindow* Log10() { return frmStatistic10; }
VisualLogWindow* Log11() { return frmStatistics11; }

const WeighedPage kPages[] = {
    {"Vol02", Log02, "CreateFolders", true, nullptr, 0,
     [](RunMemoryWindow& t) {
         t.MakeStructure("S");
         t.drive.MakeFolder("Dest");
         frmMain->Page02->Vol02SetDestinationFolder(t.drive.path("Dest"));
         for (const char* name : {"Alpha", "Beta", "Gamma"}) {
             t.SetText("edtVol02AddToList", name);
             t.Click("btnVol02AddToList");
         }
         t.Click("rdoVol02AttachMainFolderWithFiles");
         t.Browse("btnVol02AddFolderStructure", "S");
     }},
    {"Vol03", Log03, "CreateFolders", true, nullptr, 0,
     [](RunMemoryWindow& t) {
         t.MakeStructure("S");
         t.drive.MakeFolder("Dest");
         frmMain->Page03->Vol03SetDestFolder(t.drive.path("Dest"));
         t.Click("rdoVol03AttachMainFolderWithFiles");
         t.Browse("btnVol03AddFolderStructure", "S");
         t.SetText("edtVol03EndNumber", "12");
         frmMain->Page03->edtVol03EndNumberExit();
     }},
    {"Vol04", Log04, "CreateFolders", true, nullptr, 0,
     [](RunMemoryWindow& t) {
         t.MakeStructure("S");
         for (const char* name : {"A\\Job", "B\\Job", "C\\Job"}) {
             t.SetText("edtVol04AddToList", t.drive.path(name));
             t.Click("btnVol04AddToList");
         }
         t.Click("rdoVol04AttachMainFolderWithFiles");
         t.Browse("btnVol04AddFolderStructure", "S");
     }},
    {"Vol06", Log06, "RenameFolders", true, nullptr, 0,
     [](RunMemoryWindow& t) {
         t.Edit("Vol06", t.MakeFolders("R\\Folder ", 12));
         t.SetText("edtVol06NewPrefix", "Renamed ");
     }},
    {"Vol07", Log07, "DeleteFolders", false,
     [] { return Counted(frmMain->Page07->Counters.Labels()); }, 0,
     [](RunMemoryWindow& t) {
         t.Edit("Vol07", t.MakeFolders("D\\Main ", 4, "Sub\\Deeper\\file.txt"));
     },
     [](RunMemoryWindow& t) { t.MakeFolders("D\\Main ", 4, "Sub\\Other\\file.txt"); }},
    {"Vol08", Log08, "CopyFolders", true, nullptr, 0,
     [](RunMemoryWindow& t) {
         t.MakeStructure("S");
         t.Edit("Vol08", t.MakeFolders("M\\Main ", 3));
         t.Click("rdoVol08AttachMainFolderWithFiles");
         t.Browse("btnVol08AddFolderStructure", "S");
     }},
    {"Vol10", Log10, "CopyFiles", true, nullptr, 3,
     [](RunMemoryWindow& t) {
         for (const char* file : {"S\\Plans.txt", "S\\Old plans.txt", "S\\Notes.doc"}) t.drive.WriteFile(file, "x");
         t.Edit("Vol10", t.MakeFolders("M\\Destination ", 3));
         t.Browse("btnVol10AddFolderStructures", "S");
     }},
    {"Vol11", Log11, "DeleteFiles", false,
     [] { return Counted(frmMain->Page11->ResultLabels()); }, 4,
     [](RunMemoryWindow& t) {
         t.Edit("Vol11", t.MakeFolders("F\\Main ", 4, "Sub\\Deeper\\file.txt"));
         t.Click("rdoVol11DeleteOnlyFiles");
     },
     [](RunMemoryWindow& t) {
         for (const char* file : {"Sub\\Deeper\\file.txt", "Sub\\Deeper\\more.txt", "other.txt"})
             t.MakeFolders("F\\Main ", 4, file);
     }},
};

INSTANTIATE_TEST_SUITE_P(Pages, RunMemoryWindow, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.page); });

}  // namespace

