// What the Visual Logs of the delete, copy and rename pages say after a run
// in the real main window, with one folder listed in every spelling the
// page's list takes: each count label is its list and the disk, and each
// list's Export holds its lines.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "pages/checker/Vol15Page.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "pages/folders/Vol07Page.h"
#include "pages/folders/Vol08Page.h"
#include "platform/FolderLock.h"
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
#include "windows/TfrmFileExport.h"
#include "windows/TfrmVol07EditIncludeList.h"

namespace {

using pagewindow::C;

class RunCounts : public pagewindow::PageWindowFixture {
protected:
    RunCounts()
        : PageWindowFixture('P', "Prog",
                            {[] { return static_cast<QDialog*>(frmVol07EditIncludeList); }, "btnVol07EditIncludeListOk",
                             "btnVol07EditIncludeList"}) {}
    void SetUp() override {
        PageWindowFixture::SetUp();
        SetWorkingDir(drive.path("Prog\\WorkingDir"));
    }
    void OtherModal(QDialog* dialog) override {
        if (dialog == frmFileExport) exported = frmFileExport->ExportLines().size();
    }
    void Link(const std::string& rel, const std::string& to) const {
        std::filesystem::create_symlink(drive.nativePath(to), drive.nativePath(rel));
    }
    void SetList(const char* list, const StringList& lines) { listtools::SetListLines(C<QListWidget>(list), lines); }
    static std::string Label(const VisualLogWindow* w, const std::string& name) {
        return w->findChild<QLabel*>(QString::fromStdString(name))->text().toStdString();
    }
    // Each label lblStatNN<name> is the number of lines of lstStatNN<name>,
    // and every category's Export hands over one line for each of its
    // lines (those equal but for letter case are one).
    void Check(VisualLogWindow* w, const std::string& page, const StringList& names, int categories) {
        for (const std::string& name : names) {
            const ResultsListModel* list = w->List("lstStat" + page + name);
            if (!list) list = w->List("lstStat" + page + name.substr(0, name.size() - 1));  // FilesExists: FilesExist
            EXPECT_EQ(Label(w, "lblStat" + page + name), std::to_string(list->Count())) << name;
        }
        for (int c = 0; c < categories; ++c) {
            std::set<std::string> distinct;
            for (const std::string& line : w->CategoryList(c)->Lines()) distinct.insert(ToLowerCase(line));
            if (distinct.empty()) continue;
            exported = 0;
            w->SmartExport(c);
            EXPECT_EQ(exported, distinct.size()) << "page " << page << ", category " << c;
        }
    }

    std::size_t exported = 0;
};

}  // namespace

// Its drive letter in another case, a trailing, doubled or forward
// separator, a link on the way, a folder below it: one folder, deleted in,
// copied into and counted once ("h\DST" is another folder, which does not
// exist). Links count as the run takes them, the settings lock once.
TEST_F(RunCounts, EveryCounterIsItsListAndTheDiskWithAFolderInSeveralSpellings) {
    drive.WriteFile("H\\dst\\a.txt", "a");
    drive.WriteFile("H\\dst\\S\\b.txt", "b");
    drive.WriteFile("H\\dst\\S\\T\\c.txt", "c");
    Link("LH", "H");
    Edit("P:\\H\\dst\np:\\h\\DST\\\nP:/H/dst\nP:\\H\\\\dst\nP:\\LH\\dst\nP:/H/dst/S\n");  // page 07's editor takes all
    ASSERT_EQ(Items("lstVol07IncludeFolderList").size(), 6u);
    EXPECT_EQ(Label(frmStatistics07, "lblStat07FoldersToDelete") + Label(frmStatistics07, "lblStat07FilesToDelete"), "23");
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(Label(frmStatistics07, "lblStat07FoldersDeleted") + Label(frmStatistics07, "lblStat07FilesDeleted"), "23");
    EXPECT_TRUE(std::filesystem::is_empty(drive.nativePath("H\\dst")));
    Check(frmStatistics07, "07", {"FoldersDeleted", "FoldersOtherReasons", "FilesDeleted", "FilesOtherReasons",
                                  "MainFoldersNotExist"}, TfrmStatistics07::FilesNotExists + 1);

    // Page 11 in the tree: its links go, the lock and a FIFO stay.
    drive.WriteFile("H\\M\\a.txt", "a");
    drive.WriteFile("H\\M\\S\\b.txt", "b");
    drive.WriteFile("Other\\o.txt", "o");
    Link("H\\M\\file", "H\\M\\a.txt");
    Link("H\\M\\folder", "Other");
    ASSERT_EQ(mkfifo(drive.nativePath("H\\M\\fifo").c_str(), 0600), 0);
    plat::FolderLock lock(drive.path("H\\M\\S"));
    SetList("lstVol11IncludeFolderList",
            {"P:\\H\\M", "p:\\H\\M\\", "P:/H/M", "P:\\H\\M\\\\", "P:\\LH\\M", "P:/H/M/S", "P:\\Gone"});
    C<QRadioButton>("rdoVol11DeleteOnlyFiles")->setChecked(true);
    frmMain->Page11->Vol11RefreshPage();
    EXPECT_EQ(Label(frmStatistics11, "lblStat11FilesToDelete"), "5");
    Click("btnVol11DeleteFiles");
    EXPECT_EQ(Label(frmStatistics11, "lblStat11FilesDeleted") + Label(frmStatistics11, "lblStat11FilesOtherReasons") +
                  Label(frmStatistics11, "lblStat11MainFoldersNotExist"),
              "411");
    EXPECT_TRUE(drive.Exists("H\\M\\fifo") && drive.Exists("Other\\o.txt"));
    Check(frmStatistics11, "11", {"FilesDeleted", "FilesOtherReasons", "MainFoldersNotExist"},
          TfrmStatistics11::FilesNotExists + 1);

    // Page 10 writing over: a source file named as the lock of the
    // destination stays out; the Undo puts the old file back.
    drive.WriteFile("Src\\a.txt", "new");
    drive.WriteFile("Src\\.qm-settings.lock", "the user's");
    drive.WriteFile("Src\\S\\b.txt", "b");
    drive.WriteFile("H\\D\\a.txt", "old");
    plat::FolderLock destination(drive.path("H\\D"));
    SetList("lstVol10IncludeFolderList", {"P:\\H\\D", "P:\\H\\D\\", "P:\\LH\\D", "P:\\H\\\\D"});
    frmMain->Page10->Vol10AddSource(drive.path("Src"));
    C<QRadioButton>("rdoVol10DuplicatedFilesOverWrite")->setChecked(true);
    frmMain->Page10->Vol10RefreshPage();
    EXPECT_EQ(Label(frmStatistic10, "lblStat10FilesToCopy"), "3");
    Click("btnVol10CopyFiles");
    EXPECT_EQ(Label(frmStatistic10, "lblStat10FilesCopied") + Label(frmStatistic10, "lblStat10FilesExists") +
                  Label(frmStatistic10, "lblStat10FilesOtherReasons"),
              "211");
    EXPECT_EQ(drive.ReadFile("H\\D\\a.txt"), "new");
    EXPECT_TRUE(drive.ReadFile("H\\D\\.qm-settings.lock").empty());
    Check(frmStatistic10, "10", {"FilesCopied", "FilesExists", "FilesOtherReasons", "FilesOverWrited", "FoldersCopied"},
          TfrmStatistic10::SubFoldersExists + 1);
    frmMain->Page10->btnVol10UndoClick();
    EXPECT_EQ(drive.ReadFile("H\\D\\a.txt"), "old");
    EXPECT_FALSE(drive.Exists("H\\D\\b.txt"));

    // Page 08: a second spelling finds what the first copied.
    drive.WriteFile("Str\\s.txt", "s");
    drive.MakeFolder("H\\E");
    SetList("lstVol08IncludeFolderList", {"P:\\H\\E", "P:\\LH\\E"});
    frmMain->Page08->Vol08RefreshPage();
    frmMain->Page08->Vol08AddFolderStructurePath(drive.path("Str"));
    Click("rdoVol08AttachMainFolderWithFiles");
    Click("btnVol08CopyFolders");
    EXPECT_EQ(drive.ReadFile("H\\E\\Str\\s.txt"), "s");
    Check(frmStatistic08, "08", {"FoldersCopied", "SubFoldersCopied", "FilesCopied", "SubFoldersExists", "FilesExists",
                                 "SubFoldersOtherReasons"}, TfrmStatistic08::SubFoldersFailedUndo + 1);
}

// Page 12 renames a folder's files once however it is listed; its worded
// lists export their pairs.
TEST_F(RunCounts, RenamedOnceAndEveryListExportsItsLines) {
    drive.WriteFile("R\\a.txt", "a");
    drive.WriteFile("R\\b.txt", "b");
    drive.WriteFile("R\\p_b.txt", "p");
    plat::FolderLock lock(drive.path("R"));  // its file keeps its name
    SetList("lstVol12IncludeFolderList", {"P:\\R", "P:\\R\\", "P:/R"});
    frmMain->Page12->Vol12RefreshPage();
    C<QLineEdit>("edtVol12NewPrefix")->setText("p_");
    C<QRadioButton>("rdoVol12RenameDuplicatedFilesIncreaseFileNames")->setChecked(true);
    Click("btnVol12RenameFiles");
    EXPECT_EQ(drive.ReadFile("R\\p_a.txt") + drive.ReadFile("R\\p_bINC0000001.txt") + drive.ReadFile("R\\p_p_b.txt"),
              "abp");
    Check(frmStatistic12, "12", {"FilesRenamed", "FilesOtherReasons"}, TfrmStatistic12::FilesFailedUndo + 1);
    EXPECT_EQ(Label(frmStatistic12, "lblStat12FilesRenamed") + Label(frmStatistic12, "lblStat12FilesOtherReasons"),
              "31");
}

// Every spelling a list takes names the one folder on every page: a
// lower-case drive letter, forward, trailing and doubled separators, and all
// of them mixed. Each page's run with each spelling leaves the disk, the
// Visual Log's lines and its counts as the plain spelling does (but for the
// drive letter's case).
TEST_F(RunCounts, EverySpellingOfAListedFolderIsThatFolderOnEveryPage) {
    const std::vector<std::string> spellings = {"P:\\J\\F", "p:\\J\\F",     "P:/J/F",     "P:\\J\\F\\",
                                                "P:/J/F//", "P:\\\\J\\\\F", "p:/J/\\F\\"};
    SetFileSelNameMasks({"*.*"});
    drive.WriteFile("Str\\s.txt", "s");
    drive.WriteFile("Src\\a.txt", "a");
    drive.WriteFile("Models\\Std\\Docs\\a.txt", "a");
    drive.MakeFolder("Models\\Std\\Src");
    frmMain->Page08->Vol08AddFolderStructurePath(drive.path("Str"));
    Click("rdoVol08AttachMainFolderWithFiles");
    frmMain->Page10->Vol10AddSource(drive.path("Src"));
    C<QRadioButton>("rdoVol11DeleteOnlyFiles")->setChecked(true);
    C<QLineEdit>("edtVol06NewPrefix")->setText("Z");
    C<QLineEdit>("edtVol06NewSuffix")->setText("Y");
    C<QLineEdit>("edtVol12NewPrefix")->setText("Z");
    C<QRadioButton>("rdoVol12RenameFilesInMainFoldersAndSubFolders")->setChecked(true);
    SetList("lstVol15AddFolderStructure", {drive.path("Models\\Std")});
    Click("rdoVol15AttachSubFoldersOnlyWithFiles");
    struct Page {
        const char* list;
        std::function<void()> refresh;
        const char* run;
        VisualLogWindow* log;
        int categories;
    };
    const Page pages[] = {
        {"lstVol06IncludeFolderList", [] { frmMain->Page06->Vol06RefreshPage(); }, "btnVol06RenameFolders",
         frmStatistic06, TfrmStatistic06::FoldersFailedUndo + 1},
        {"lstVol07IncludeFolderList", [] { frmMain->Page07->Vol07RefreshPage(); }, "btnVol07DeleteFolders",
         frmStatistics07, TfrmStatistics07::FilesNotExists + 1},
        {"lstVol08IncludeFolderList", [] { frmMain->Page08->Vol08RefreshPage(); }, "btnVol08CopyFolders",
         frmStatistic08, TfrmStatistic08::SubFoldersFailedUndo + 1},
        {"lstVol10IncludeFolderList", [] { frmMain->Page10->Vol10RefreshPage(); }, "btnVol10CopyFiles",
         frmStatistic10, TfrmStatistic10::SubFoldersExists + 1},
        {"lstVol11IncludeFolderList", [] { frmMain->Page11->Vol11RefreshPage(); }, "btnVol11DeleteFiles",
         frmStatistics11, TfrmStatistics11::FilesNotExists + 1},
        {"lstVol12IncludeFolderList", [] { frmMain->Page12->Vol12RefreshPage(); }, "btnVol12RenameFiles",
         frmStatistic12, TfrmStatistic12::FilesFailedUndo + 1},
        {"lstVol15IncludeFolderList", [] { frmMain->Page15->Vol15RefreshPage(); },
         "btnVol15CheckProjectsConsistency", frmStatistic15, TfrmStatistic15::SubFoldersOtherReasons + 1},
    };
    for (const Page& page : pages) {
        std::string plain;
        for (const std::string& spelling : spellings) {
            std::filesystem::remove_all(drive.nativePath("J"));
            drive.WriteFile("J\\F\\f.txt", "f");
            drive.WriteFile("J\\F\\s\\g.txt", "g");
            drive.WriteFile("J\\F\\Docs\\d.txt", "d");
            SetList(page.list, {spelling});
            page.refresh();
            Click(page.run);
            std::string seen;
            for (const std::string& entry : Tree())
                if (entry.starts_with("J")) seen += entry + "\n";
            for (int c = 0; c < page.categories; ++c)
                for (const std::string& line : page.log->CategoryList(c)->Lines()) seen += ToLowerCase(line) + "\n";
            for (const QLabel* label : page.log->findChildren<QLabel*>())
                if (label->objectName().startsWith("lblStat"))
                    seen += label->objectName().toStdString() + "=" + label->text().toStdString() + "\n";
            if (plain.empty()) plain = seen;
            EXPECT_EQ(seen, plain) << page.list << ": " << spelling;
        }
    }
}

// Every walk meets every entry of a folder, whatever its name: names that
// differ by trailing dots and blanks or letter case are entries of their
// own, done or listed; names no drive path can say (a backslash or a colon
// in them, dots only) are listed by name under other reasons and left
// where they are. The totals before a run are what it reports, and its
// simulation says what it does.
TEST_F(RunCounts, EveryWalkMeetsEveryEntryWhateverItsName) {
    StringList met = {"a.txt", "sub\\b.txt"};
    for (const std::string twin : {"proj", "proj.", "proj .", "proj..", "Proj", "a b. "})
        met.push_back(twin + "\\t.txt");
    const StringList unsayable = {"b\\s.txt", "c:d", "..."};
    SetFileSelNameMasks({"*.*"});
    drive.MakeFolder("Model\\other");
    frmMain->Page04->Vol04AddFolderStructurePath(drive.path("W"));
    frmMain->Page08->Vol08AddFolderStructurePath(drive.path("W"));
    frmMain->Page10->Vol10AddSource(drive.path("W"));
    SetList("lstVol15AddFolderStructure", {drive.path("Model")});
    C<QLineEdit>("edtVol12NewPrefix")->setText("Z");
    using Page = std::function<void()>;
    const Page sim07 = [] { frmMain->Page07->btnVol07DeleteFoldersSimulationClick(); };
    const Page refresh07 = [] { frmMain->Page07->Vol07RefreshPage(); };
    struct Walk {
        const char *list, *folder, *radio;  // the walk's mode, offered once the list holds the folder
        Page refresh, simulate;             // no simulation: the page offers none
        const char* run;
        VisualLogWindow* log;
        int categories;
        std::vector<int> other;  // the other-reasons lists
        std::string toDo, done;  // labels whose sums agree
        // The mode leaves the folder's own files alone, or takes nothing else.
        enum { All, NoRootFiles, RootFilesOnly } reach = All;
    };
    const std::string deleted07 = "FoldersDeleted FoldersOtherReasons FilesDeleted FilesOtherReasons";
    const std::string deleting11 = "FoldersToDelete FilesToDelete";
    const std::string deleted11 = "FoldersDeleted FoldersOtherReasons FilesDeleted FilesOtherReasons";
    const Walk walks[] = {
        {"lstVol07IncludeFolderList", "P:\\W", "rdoVol07DeleteSubFolders", refresh07, sim07, "btnVol07DeleteFolders",
         frmStatistics07, 7, {TfrmStatistics07::FoldersOtherReasons, TfrmStatistics07::FilesOtherReasons},
         "FoldersToDelete FilesToDelete", deleted07},
        {"lstVol07IncludeFolderList", "P:\\W", "rdoVol07DeleteCompleteFolders", refresh07, sim07,
         "btnVol07DeleteFolders", frmStatistics07, 7,
         {TfrmStatistics07::FoldersOtherReasons, TfrmStatistics07::FilesOtherReasons}, "FoldersToDelete FilesToDelete",
         deleted07},
        {"lstVol08IncludeFolderList", "P:\\D", "rdoVol08AttachMainFolderWithFiles",
         [] { frmMain->Page08->Vol08RefreshPage(); }, [this] { Click("btnVol08CopyFoldersSimulation"); },
         "btnVol08CopyFolders", frmStatistic08, 8, {TfrmStatistic08::SubFoldersOtherReasons},
         "SubFoldersToCopy FilesToCopy", "SubFoldersCopied SubFoldersOtherReasons FilesCopied"},
        {"lstVol10IncludeFolderList", "P:\\D", nullptr, [] { frmMain->Page10->Vol10RefreshPage(); },
         [this] { Click("btnVol10CopyFilesSimulation"); }, "btnVol10CopyFiles", frmStatistic10, 11,
         {TfrmStatistic10::FilesOtherReasons}, "FilesToCopy", "FilesCopied FilesExists FilesOtherReasons"},
        // The source's own files stay; its folders no path names are still said.
        {"lstVol10IncludeFolderList", "P:\\D", "rdoVol10AttachSubFoldersOnly",
         [] { frmMain->Page10->Vol10RefreshPage(); }, [this] { Click("btnVol10CopyFilesSimulation"); },
         "btnVol10CopyFiles", frmStatistic10, 11, {TfrmStatistic10::FilesOtherReasons}, "FilesToCopy",
         "FilesCopied FilesExists FilesOtherReasons", Walk::NoRootFiles},
        {"lstVol11IncludeFolderList", "P:\\W", "rdoVol11DeleteOnlyFilesInMainFolder",
         [] { frmMain->Page11->Vol11RefreshPage(); }, [] { frmMain->Page11->Vol11SimulateDeleteFiles(); },
         "btnVol11DeleteFiles", frmStatistics11, 7, {TfrmStatistics11::FilesOtherReasons}, deleting11, deleted11,
         Walk::RootFilesOnly},
        // A folder no path names stands for its files: named among them, the folder row empty.
        {"lstVol11IncludeFolderList", "P:\\W", "rdoVol11DeleteOnlyFiles", [] { frmMain->Page11->Vol11RefreshPage(); },
         [] { frmMain->Page11->Vol11SimulateDeleteFiles(); }, "btnVol11DeleteFiles", frmStatistics11, 7,
         {TfrmStatistics11::FilesOtherReasons}, deleting11, deleted11},
        {"lstVol12IncludeFolderList", "P:\\W", "rdoVol12RenameFilesInMainFoldersAndSubFolders",
         [] { frmMain->Page12->Vol12RefreshPage(); }, [this] { Click("btnVol12RenameFilesSimulation"); },
         "btnVol12RenameFiles", frmStatistic12, 9, {TfrmStatistic12::FilesOtherReasons}, "", ""},
        {"lstVol15IncludeFolderList", "P:\\W", "rdoVol15AttachSubFoldersOnlyWithFiles",
         [] { frmMain->Page15->Vol15RefreshPage(); }, nullptr, "btnVol15CheckProjectsConsistency", frmStatistic15, 8,
         {TfrmStatistic15::SubFoldersOtherReasons}, "", ""},
        {"lstVol04IncludeFolderList", "P:\\D\\x", "rdoVol04AttachMainFolderWithFiles",
         [] { frmMain->Page04->Vol04RefreshPage(); }, [this] { Click("btnVol04CreateFoldersSimulation"); },
         "btnVol04CreateFolders", frmStatistic04, 6, {TfrmStatistic04::FoldersOther},
         "SubFoldersToCreate FilesToCreate", "SubFoldersCreated SubFoldersOther FilesCreated FilesOther"},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.list);
        std::filesystem::remove_all(drive.nativePath("W"));
        std::filesystem::remove_all(drive.nativePath("D"));
        drive.MakeFolder("D");
        for (const std::string& rel : met) drive.WriteFile("W\\" + rel, rel);
        const std::string w = drive.nativePath("W") + "/";
        std::ofstream(w + unsayable[0]) << "s";
        std::filesystem::create_directories(w + unsayable[1] + "/in");
        std::filesystem::create_directories(w + unsayable[2]);
        SetList(walk.list, {walk.folder});
        walk.refresh();
        if (walk.radio) Click(walk.radio);
        walk.refresh();
        // The figures that add up are the ones the window shows.
        const auto sum = [&](const std::string& names) {
            double total = 0;
            std::istringstream in(names);
            for (std::string name; in >> name;) {
                const std::string label = "lblStat" + std::string(walk.list + 6, 2) + name;
                EXPECT_FALSE(walk.log->findChild<QLabel*>(QString::fromStdString(label))->isHidden()) << label;
                total += std::stod(Label(walk.log, label));
            }
            return total;
        };
        const double toDo = sum(walk.toDo);
        const auto lines = [&] {
            std::vector<pagewindow::Lines> all;
            for (int c = 0; c < walk.categories; ++c) all.push_back(walk.log->CategoryList(c)->Lines());
            return all;
        };
        if (walk.simulate) walk.simulate();
        const std::vector<pagewindow::Lines> simulated = lines();
        Click(walk.run);
        const std::vector<pagewindow::Lines> ran = lines();
        if (walk.simulate) {
            EXPECT_EQ(simulated, ran);
        }
        EXPECT_EQ(sum(walk.done), toDo);
        EXPECT_EQ(toDo > 0, !walk.toDo.empty());
        const auto said = [&](const std::vector<int>& in, const std::string& rel) {
            for (int c = 0; c < walk.categories; ++c)
                if (in.empty() || std::find(in.begin(), in.end(), c) != in.end())
                    for (const std::string& line : ran[c])
                        if (line.find("W\\" + rel) != std::string::npos) return true;
            return false;
        };
        const auto reached = [&](const std::string& rel) {
            const bool rootFile = rel == met[0] || rel == unsayable[0];
            return walk.reach == Walk::All || rootFile == (walk.reach == Walk::RootFilesOnly);
        };
        for (const std::string& rel : met) EXPECT_EQ(said({}, rel), reached(rel)) << rel;
        for (const std::string& name : unsayable) {
            EXPECT_EQ(said(walk.other, name), reached(name)) << name;
            EXPECT_TRUE(std::filesystem::exists(w + name)) << name;
        }
    }
}

// Whatever the mode and the name masks, what a page counts before its run
// is what the run reports, column by column: done, there already or not
// done for other reasons. The copy pages copy into a folder and one inside
// it; a name ending in its dot, and names a mask without a type takes.
// The delete pages count again at the click: files that came and went
// since the refresh are what they count, and a file that goes once they
// counted is one not there, among the other reasons; each entry counted
// is named in a list the Visual Log shows.
TEST_F(RunCounts, WhatAPageCountsBeforeItsRunIsWhatItsRunReportsInEveryModeForEveryMask) {
    struct Column {
        std::string toDo, done;  // label names less "lblStatNN"; `done` adds up
        std::string named = "";  // lists less "lstStatNN" whose lines are the entries counted
    };
    const std::vector<Column> create = {{"FoldersToCreate", "FoldersCreated FoldersExists FoldersOther"},
                                        {"SubFoldersToCreate", "SubFoldersCreated SubFoldersExists SubFoldersOther"},
                                        {"FilesToCreate", "FilesCreated FilesExists FilesOther"},
                                        {"FilesSizeToCreate", "FilesSizeCreated FilesSizeExists FilesSizeOther"}};
    const std::vector<Column> copy08 = {{"FoldersToCopy", "FoldersCopied FoldersNotExists"},
                                        {"SubFoldersToCopy", "SubFoldersCopied SubFoldersExists SubFoldersOtherReasons"},
                                        {"FilesToCopy", "FilesCopied FilesExists"},
                                        {"FileSizeToCopy", "FileSizeCopied FileSizeExists"}};
    const std::vector<Column> copy10 = {{"FoldersToCopy", "FoldersCopied FoldersNotExists"},
                                        {"FilesToCopy", "FilesCopied FilesExists FilesOtherReasons"},
                                        {"FileSizeToCopy", "FileSizeCopied FileSizeExists"}};
    // An entry not there counts among the other reasons too.
    const std::vector<Column> delete07 = {
        {"FoldersToDelete", "FoldersDeleted FoldersOtherReasons", "FoldersDeleted FoldersOtherReasons"},
        {"FilesToDelete", "FilesDeleted FilesOtherReasons", "FilesDeleted FilesOtherReasons"}};
    const std::vector<Column> delete11 = {
        {"FilesToDelete", "FilesDeleted FilesOtherReasons", "FilesDeleted FilesOtherReasons"}};
    SetList("lstVol02AddFolderStructure", {drive.path("W")});
    SetList("lstVol03AddFolderStructure", {drive.path("W")});
    frmMain->Page04->Vol04AddFolderStructurePath(drive.path("W"));
    frmMain->Page08->Vol08AddFolderStructurePath(drive.path("W"));
    frmMain->Page10->Vol10AddSource(drive.path("W"));
    struct Mode {
        const char* page;
        StringList radios;  // clicked once the page is filled
        std::function<void()> fill, run;
        VisualLogWindow* log;
        const std::vector<Column>& columns;
    };
    const auto fill = [this](const char* list, const StringList& lines, void (*refresh)()) {
        return [this, list, lines, refresh] {
            SetList(list, lines);
            refresh();
        };
    };
    const auto fill02 = [this] {
        frmMain->Page02->Vol02SetDestinationFolder(drive.path("D"));
        SetList("lstVol02IncludeStrings", {"n1", "n2"});
        frmMain->Page02->Vol02RefreshListCounters();
        frmMain->Page02->Vol02EnableNameControls(true);
        frmMain->Page02->Vol02UpdateButtons(true);
    };
    const auto fill03 = [this] {
        frmMain->Page03->Vol03SetDestFolder(drive.path("D"));
        C<QLineEdit>("edtVol03StartNumber")->setText("1");
        C<QLineEdit>("edtVol03EndNumber")->setText("2");
    };
    const auto fill04 = fill("lstVol04IncludeFolderList", {"P:\\D\\x", "P:\\D\\y"}, [] { frmMain->Page04->Vol04RefreshPage(); });
    const auto fill07 = fill("lstVol07IncludeFolderList", {"P:\\W"}, [] { frmMain->Page07->Vol07RefreshPage(); });
    const auto fill08 = fill("lstVol08IncludeFolderList", {"P:\\D", "P:\\D\\x"}, [] { frmMain->Page08->Vol08RefreshPage(); });
    const auto fill10 = fill("lstVol10IncludeFolderList", {"P:\\D", "P:\\D\\x"}, [] { frmMain->Page10->Vol10RefreshPage(); });
    const auto fill11 = fill("lstVol11IncludeFolderList", {"P:\\W"}, [] { frmMain->Page11->Vol11RefreshPage(); });
    const auto click = [this](const char* button) { return [this, button] { Click(button); }; };
    std::vector<Mode> modes;
    for (const char* attach : {"AttachMainFolderWithFiles", "AttachMainFolderWithoutFiles",
                               "AttachSubFoldersOnlyWithFiles", "AttachSubFoldersOnlyWithoutFiles"}) {
        const std::string a = attach;
        modes.push_back({"02", {"rdoVol02" + a}, fill02, click("btnVol02CreateFolders"), frmStatistic02, create});
        modes.push_back({"03", {"rdoVol03" + a}, fill03, click("btnVol03CreateFolders"), frmStatistic03, create});
        modes.push_back({"04", {"rdoVol04" + a}, fill04, click("btnVol04CreateFolders"), frmStatistic04, create});
        modes.push_back({"08", {"rdoVol08" + a}, fill08, click("btnVol08CopyFolders"), frmStatistic08, copy08});
    }
    for (const char* mode : {"rdoVol07DeleteSubFolders", "rdoVol07DeleteCompleteFolders"})
        modes.push_back({"07", {mode}, fill07, click("btnVol07DeleteFolders"), frmStatistics07, delete07});
    for (const char* attach : {"rdoVol10AttachMainFolderWithSubFolders", "rdoVol10AttachSubFoldersOnly"})
        for (const char* route : {"rdoVol10CopyToMainFolders", "rdoVol10CopyToMainFoldersExtensions"})
            modes.push_back({"10", {attach, route}, fill10, click("btnVol10CopyFiles"), frmStatistic10, copy10});
    for (const char* mode : {"rdoVol11DeleteOnlyFilesInMainFolder", "rdoVol11DeleteOnlyFiles"})
        modes.push_back({"11", {mode}, fill11, click("btnVol11DeleteFiles"), frmStatistics11, delete11});

    for (const std::string mask : {"*.*", "a*", "*."})
        for (const Mode& mode : modes) {
            SCOPED_TRACE("page " + std::string(mode.page) + ", " + mode.radios.back() + ", mask " + mask);
            std::filesystem::remove_all(drive.nativePath("W"));
            std::filesystem::remove_all(drive.nativePath("D"));
            for (const char* file :
                 {"a.txt", "abc.txt", "ax", "readme", "x.", "sub\\ab", "sub\\x.doc", "sub\\deep\\a.txt"})
                drive.WriteFile(std::string("W\\") + file, file);
            drive.MakeFolder("D\\x");
            SetFileSelNameMasks({mask});
            mode.fill();
            for (const std::string& radio : mode.radios) {
                Click(radio.c_str());
                ASSERT_TRUE(C<QAbstractButton>(radio.c_str())->isChecked());
            }
            mode.fill();  // counted in the mode now chosen
            const bool deletes = !mode.columns.back().named.empty();
            const std::string gone = mask == "*." ? "x." : "ax";  // a file the mask takes
            std::optional<pagewindow::WhenShown> counted;
            if (deletes) {
                std::filesystem::remove(drive.nativePath("W\\readme"));
                for (const char* file : {"a2", "a3.", "sub\\a4"}) drive.WriteFile(std::string("W\\") + file, file);
                counted.emplace(mode.log, [&] { std::filesystem::remove(drive.nativePath("W\\" + gone)); });
            }
            mode.run();
            const auto label = [&](const std::string& name) {
                return std::stod(Label(mode.log, "lblStat" + std::string(mode.page) + name));
            };
            double done = 0;
            for (const Column& column : mode.columns) {
                double sum = 0, lines = 0;
                std::istringstream names(column.done), lists(column.named);
                for (std::string name; names >> name;) sum += label(name);
                for (std::string name; lists >> name;)
                    lines += static_cast<double>(mode.log->List("lstStat" + std::string(mode.page) + name)->Count());
                EXPECT_EQ(sum, label(column.toDo)) << column.toDo;
                if (deletes) {
                    EXPECT_EQ(lines, label(column.toDo)) << column.named;
                }
                done += sum;
            }
            EXPECT_GT(done, 0);
            if (deletes) {
                const auto other = mode.log->List("lstStat" + std::string(mode.page) + "FilesOtherReasons")->Lines();
                EXPECT_NE(std::find(other.begin(), other.end(), drive.path("W\\" + gone)), other.end());
            }
        }
}

// A drive's root written as a name that climbs back, beside a folder in
// it: judged on the folders the lines name, the root is the one top-most
// folder, and either delete page refuses it before anything goes.
TEST_F(RunCounts, ARootThatClimbsBackHoldsTheFolderBesideIt) {
    const StringList lines = {"P:\\sub.\\.. ", "P:\\sub "};
    drive.WriteFile("sub\\s.txt", "s");
    drive.WriteFile("sub\\t\\u.txt", "u");
    const auto before = Tree();
    SetList("lstVol07IncludeFolderList", lines);
    frmMain->Page07->Vol07RefreshPage();
    EXPECT_EQ(Label(frmStatistics07, "lblStat07FilesToDelete"), "0");
    captions.clear();
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(Tree(), before);
    EXPECT_NE(std::find(captions.begin(), captions.end(), "70039."), captions.end());

    drive.WriteFile("sub\\s.txt", "s");
    drive.WriteFile("sub\\t\\u.txt", "u");
    SetList("lstVol11IncludeFolderList", lines);
    C<QRadioButton>("rdoVol11DeleteOnlyFiles")->setChecked(true);
    frmMain->Page11->Vol11RefreshPage();
    EXPECT_EQ(Label(frmStatistics11, "lblStat11FilesToDelete"), "0");
    captions.clear();
    Click("btnVol11DeleteFiles");
    EXPECT_EQ(Tree(), before);
    EXPECT_NE(std::find(captions.begin(), captions.end(), "110037."), captions.end());
}

// A drive written p: on one line and P: on another is one drive: the free
// space check of each page that copies files adds up both lines' needs.
// (A sparse file stands for a structure that fills well over half the drive.)
TEST_F(RunCounts, ADriveInEitherCaseIsOneDriveForItsFreeSpace) {
    SetFileSelNameMasks({"*.*"});
    drive.MakeFolder("A");
    drive.MakeFolder("B");
    drive.WriteFile("Str\\big.bin", "");
    const std::uintmax_t available = std::filesystem::space(drive.native()).available;
    std::filesystem::resize_file(drive.nativePath("Str\\big.bin"), available / 10 * 6);
    frmMain->Page04->Vol04AddFolderStructurePath(drive.path("Str"));
    frmMain->Page08->Vol08AddFolderStructurePath(drive.path("Str"));
    frmMain->Page10->Vol10AddSource(drive.path("Str"));
    struct Page {
        const char* list;
        const char* withFiles;
        std::function<void()> refresh;
        const char* shortage;
        StringList one, two;
    };
    const Page pages[] = {
        {"lstVol04IncludeFolderList", "rdoVol04AttachMainFolderWithFiles", [] { frmMain->Page04->Vol04RefreshPage(); },
         "40054.", {"P:\\A\\x"}, {"P:\\A\\x", "p:\\B\\y"}},
        {"lstVol08IncludeFolderList", "rdoVol08AttachMainFolderWithFiles", [] { frmMain->Page08->Vol08RefreshPage(); },
         "80058.", {"P:\\A"}, {"P:\\A", "p:\\B"}},
        {"lstVol10IncludeFolderList", "rdoVol10AttachMainFolderWithSubFolders",
         [] { frmMain->Page10->Vol10RefreshPage(); }, "100053.", {"p:\\A"}, {"p:\\A", " P:\\B"}},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.list);
        SetList(page.list, page.one);
        page.refresh();
        Click(page.withFiles);  // offered once the list holds a folder
        captions.clear();
        page.refresh();
        EXPECT_EQ(std::count(captions.begin(), captions.end(), page.shortage), 0);
        SetList(page.list, page.two);
        captions.clear();
        texts.clear();
        page.refresh();
        EXPECT_EQ(captions, pagewindow::Lines{page.shortage});
        if (texts.size() == 1) {
            EXPECT_NE(texts[0].find("The free space on the disk P:\\ is"), std::string::npos) << texts[0];
        }
    }
}


// A run the program's folder forbids is refused before its questions, with
// a box that says why, and changes nothing: a program folder that cannot be
// read (a file where a folder on its way should be), and, for a run that renames or removes
// its listed folders themselves, a folder that lies directly in it.
TEST_F(RunCounts, ARunTheProgramFolderForbidsIsRefusedBeforeItsQuestions) {
    drive.WriteFile("Prog\\user\\u.txt", "u");
    drive.WriteFile("J\\F\\f.txt", "f");
    C<QLineEdit>("edtVol06NewPrefix")->setText("Z");
    C<QRadioButton>("rdoVol07DeleteCompleteFolders")->setChecked(true);
    struct Page {
        const char* list;
        std::function<void()> refresh;
        const char* run;
        std::string line;
        const char* box;
    };
    const Page unreadable[] = {
        {"lstVol04IncludeFolderList", [] { frmMain->Page04->Vol04RefreshPage(); }, "btnVol04CreateFolders",
         "P:\\J\\New", "0456."},
        {"lstVol06IncludeFolderList", [] { frmMain->Page06->Vol06RefreshPage(); }, "btnVol06RenameFolders",
         "P:\\J\\F", "0456."},
        {"lstVol07IncludeFolderList", [] { frmMain->Page07->Vol07RefreshPage(); }, "btnVol07DeleteFolders",
         "P:\\J\\F", "0456."},
        {"lstVol06IncludeFolderList", [] { frmMain->Page06->Vol06RefreshPage(); }, "btnVol06RenameFolders",
         "P:\\Prog\\user", "60040."},
        {"lstVol07IncludeFolderList", [] { frmMain->Page07->Vol07RefreshPage(); }, "btnVol07DeleteFolders",
         "P:\\Prog\\user", "70039."},
    };
    const std::string program = GetProgramFolder();
    drive.WriteFile("blocked", "a file");
    for (const Page& page : unreadable) {
        SCOPED_TRACE(page.line + " on " + page.list);
        const bool readable = std::string(page.box) != "0456.";
        SetProgramFolder(readable ? program : drive.path("blocked\\Prog"));
        SetWorkingFoldersFromProgramFolder();
        SetList(page.list, {page.line});
        page.refresh();
        Click("rdoVol04AttachNothing");  // offered once the list holds a folder
        ASSERT_TRUE(Enabled(page.run));
        const auto before = Tree();
        captions.clear();
        Click(page.run);
        EXPECT_EQ(captions, pagewindow::Lines{page.box});  // no question before it
        EXPECT_EQ(Tree(), before);
    }
    EXPECT_NE(texts.back().find("P:\\Prog\\user"), std::string::npos);
}
