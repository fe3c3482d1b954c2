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

#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>

#include "core/FileNames.h"
#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "pages/FileMasks.h"
#include "pages/ListedFolders.h"
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
#include "platform/FileSystem.h"
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
#include "tests/support/MountNamespace.h"
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

    // Page 11 in the tree: its links and a FIFO go as the entries they are, the lock stays.
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
    EXPECT_EQ(Label(frmStatistics11, "lblStat11FilesToDelete"), "6");
    Click("btnVol11DeleteFiles");
    EXPECT_EQ(Label(frmStatistics11, "lblStat11FilesDeleted") + Label(frmStatistics11, "lblStat11FilesOtherReasons") +
                  Label(frmStatistics11, "lblStat11MainFoldersNotExist"),
              "511");
    EXPECT_TRUE(!drive.Exists("H\\M\\fifo") && drive.Exists("Other\\o.txt"));
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
         "SubFoldersToCopy FilesToCopy", "SubFoldersCopied SubFoldersOtherReasons FilesCopied FilesOtherReasons"},
        {"lstVol10IncludeFolderList", "P:\\D", nullptr, [] { frmMain->Page10->Vol10RefreshPage(); },
         [this] { Click("btnVol10CopyFilesSimulation"); }, "btnVol10CopyFiles", frmStatistic10, 11,
         {TfrmStatistic10::FilesOtherReasons}, "FilesToCopy", "FilesCopied FilesSkipped FilesOtherReasons"},
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
    // A file written over counts as copied and as there already: to copy is
    // what was copied, skipped or not copied for another reason.
    const std::vector<Column> copy10 = {{"FoldersToCopy", "FoldersCopied FoldersNotExists"},
                                        {"FilesToCopy", "FilesCopied FilesSkipped FilesOtherReasons"},
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

// ---- generated trees and options --------------------------------------------------------------

namespace {

// What an entry of a generated tree is besides a file or a folder: one that
// a walk opening what it takes passes over, and that a walk by names takes
// as the entry it is (but a mount point, which no walk enters).
enum class Special { None, FileLink, OutLink, Dangling, Fifo, Socket, Mount };

// An entry of a generated tree below its root: names joined by '/'; a name
// may hold a backslash or a colon, which no drive path can say.
struct GenEntry {
    std::string rel;
    bool folder = false;  // a mount point too
    std::size_t size = 0;
    Special special = Special::None;
    std::string to = {};  // a link's target, from the tree's root
    bool shut = false;    // a folder its user may enter but not list, where the tree is written so
};
using GenTree = std::vector<GenEntry>;  // parents before their entries

std::string LastOf(const std::string& rel) { return rel.substr(rel.rfind('/') + 1); }
bool Unsayable(const std::string& name) { return name.find_first_of("\\:") != std::string::npos; }

const std::string kMounted = " (another file system, not entered)";
const std::string kShut = "shut";  // the name of the folder its user may not list

// What a walk that opens what it takes appends to the path of `e` when it
// passes it over; "" for an entry it takes.
std::string Reason(const GenEntry& e) {
    switch (e.special) {
    case Special::None: return "";
    case Special::Mount: return kMounted;
    case Special::Fifo:
    case Special::Socket: return " (not a regular file)";
    default: return " (a link, not followed)";
    }
}

// Folders "sub" and "in" always; a few more, files whose names the masks
// tell apart (each name once in the tree), now and then a folder and a
// file no drive path can name, and now and then each entry a walk that
// opens what it takes passes over: a link to a file of the tree, one to the
// folder "Out" beside the tree, a dangling one, a FIFO, a socket, and (with
// `mounts`) a mount point; the link to a file and the FIFO now and then
// under a name no drive path can say; and a folder marked shut.
GenTree MakeTree(std::mt19937& rng, bool mounts) {
    GenTree tree = {{"sub", true}, {"in", true}};
    std::vector<std::string> folders = {"", "sub", "in"}, files;
    const auto join = [](const std::string& parent, const std::string& name) {
        return parent.empty() ? name : parent + "/" + name;
    };
    unsigned k = 0;
    for (unsigned i = rng() % 3; i > 0; --i) {
        tree.push_back({join(folders[rng() % folders.size()], "d" + std::to_string(k++)), true});
        folders.push_back(tree.back().rel);
    }
    const char* stems[] = {"a", "b", "ab", "A"};
    const char* types[] = {".txt", ".TXT", ".", "", ".doc"};
    for (unsigned i = 3 + rng() % 5; i > 0; --i) {
        tree.push_back({join(folders[rng() % folders.size()], stems[rng() % 4] + std::to_string(k++) + types[rng() % 5]),
                        false, 1 + rng() % 40});
        files.push_back(tree.back().rel);
    }
    if (rng() % 2) tree.insert(tree.end(), {{"c:d", true}, {"c:d/f.txt", false, 3}});
    if (rng() % 2) tree.push_back({"b\\s.txt", false, 2});
    for (const Special kind : {Special::FileLink, Special::OutLink, Special::Dangling, Special::Fifo, Special::Socket,
                               Special::Mount}) {
        if (rng() % 2) continue;
        GenEntry e{folders[rng() % folders.size()], kind == Special::Mount, 0, kind};
        std::string stem = stems[rng() % 4];
        const std::string type = types[rng() % 5];
        if ((kind == Special::FileLink || kind == Special::Fifo) && rng() % 2) stem += ":";  // no path says it
        e.rel = join(e.rel, e.folder ? "m" + std::to_string(k++) : stem + std::to_string(k++) + type);
        e.to = kind == Special::FileLink ? files[rng() % files.size()] : kind == Special::OutLink ? "../Out" : "nowhere";
        if (kind != Special::Mount || mounts) tree.push_back(std::move(e));
    }
    // Beside them, on every seed (without a draw, so each seed's other
    // choices stay): a folder its user may not list, with a file that keeps
    // it from going.
    tree.push_back({join(folders[k % folders.size()], kShut), true});
    tree.back().shut = true;
    tree.push_back({tree.back().rel + "/f" + std::to_string(k) + ".txt", false, 4});
    return tree;
}

// Bind mounts of one folder outside the trees onto their mount points,
// undone before their folders go: a removal would go on into the mount.
class Mounts {
public:
    explicit Mounts(std::string from) : from_(std::move(from)) {}
    ~Mounts() { Undo(); }
    bool Possible() const { return !from_.empty(); }
    void Bind(const std::string& at) {
        ASSERT_EQ(mount(from_.c_str(), at.c_str(), nullptr, MS_BIND, nullptr), 0) << at << ": " << std::strerror(errno);
        at_.push_back(at);
    }
    void Undo() {
        for (const std::string& at : at_) EXPECT_EQ(umount2(at.c_str(), MNT_DETACH), 0) << at;
        at_.clear();
    }
    bool Holds(const std::string& native) const { return std::find(at_.begin(), at_.end(), native) != at_.end(); }

private:
    std::string from_;
    std::vector<std::string> at_;
};

void MakeSocket(const std::string& at) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(at.size(), sizeof address.sun_path) << at;
    at.copy(address.sun_path, at.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << at;
    close(fd);
}

// With `shut`, the folders marked so are closed to listing (0311).
void WriteTree(const GenTree& tree, const std::string& native, Mounts& mounts, bool shut = false) {
    std::filesystem::create_directories(native);
    for (const GenEntry& e : tree) {
        const std::string at = native + "/" + e.rel;
        switch (e.special) {
        case Special::None:
            if (e.folder)
                std::filesystem::create_directories(at);
            else
                std::ofstream(at) << std::string(e.size, 'x');
            if (e.shut && shut) {
                EXPECT_EQ(chmod(at.c_str(), 0311), 0) << at;
            }
            break;
        case Special::Fifo: EXPECT_EQ(mkfifo(at.c_str(), 0600), 0) << at; break;
        case Special::Socket: MakeSocket(at); break;
        case Special::Mount:
            std::filesystem::create_directory(at);
            mounts.Bind(at);
            break;
        default: std::filesystem::create_symlink(native + "/" + e.to, at);
        }
    }
}

// The entries a walk from `sub` meets, relative to it: none inside a
// folder no path names (nor inside `skip`, relative to the root).
GenTree Below(const GenTree& tree, const std::string& sub, const StringList& skips = {}) {
    GenTree below;
    for (const GenEntry& e : tree) {
        if (!sub.empty() && e.rel.compare(0, sub.size() + 1, sub + "/") != 0) continue;
        GenEntry b = e;
        b.rel = sub.empty() ? e.rel : e.rel.substr(sub.size() + 1);
        const std::size_t slash = b.rel.rfind('/');
        bool hidden = slash != std::string::npos && Unsayable(b.rel.substr(0, slash));
        const std::string full = sub.empty() ? e.rel : sub + "/" + b.rel;
        for (const std::string& skip : skips)
            if (full == skip || full.compare(0, skip.size() + 1, skip + "/") == 0) hidden = true;
        if (!hidden) below.push_back(std::move(b));
    }
    return below;
}

// A drive path below `folder`, as a run joins names.
std::string Under(const std::string& folder, std::string rel) {
    std::replace(rel.begin(), rel.end(), '/', '\\');
    return folder + "\\" + rel;
}

// What a run met, as the Visual Log must name it: a path (a folder or
// file made, copied or deleted there); pages 10 and 12 name a file by its
// source and the folder it goes to.
struct Counted {
    Counted(std::string p, std::string s = "", std::string n = "", std::string b = "")
        : path(std::move(p)), source(std::move(s)), name(std::move(n)), base(std::move(b)) {}
    std::string path;
    std::string source;  // pages 10 and 12
    std::string name;    // pages 10 and 12: the file's new name
    std::string base;    // page 10: the destination
    std::string list;    // when set, the one list that may name it
    bool passed = false;  // passed over by its nature (a kind, a name): under other reasons, nothing written
};

Counted NamedIn(Counted c, const std::string& list, bool passed = false) {
    c.list = list;
    c.passed = passed;
    return c;
}

// A line of page 10's and 12's lists: its source and its target ("" when it has none).
std::pair<std::string, std::string> SourceAndTarget(const std::string& line) {
    const std::size_t s = line.find("Source: ");
    if (s == std::string::npos) return {"", line};
    std::size_t end = line.find(" To Dest: ", s);
    std::size_t d = end == std::string::npos ? line.find(" (Dest: ", s) : end;
    std::string dest = line.substr(line.find("Dest: ", d) + 6);
    if (!dest.empty() && dest.back() == ')') dest.pop_back();
    return {line.substr(s + 8, d - s - 8), dest};
}

bool Within(const std::string& path, const std::string& folder) {
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '\\');
}

// Every entry below a folder as it is, by its path relative to it: a file
// by its size and identity, a link by its target; a mount point not entered.
struct Seen {
    std::string what;
    std::uintmax_t bytes = 0;
    bool operator==(const Seen&) const = default;
};
using Snapshot = std::map<std::string, Seen>;

Snapshot Snap(const std::string& native, const Mounts& mounts) {
    Snapshot out;
    for (auto it = std::filesystem::recursive_directory_iterator(
             native, std::filesystem::directory_options::skip_permission_denied);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        const std::string path = it->path().string();
        struct stat st {};
        EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
        Seen& seen = out[path.substr(native.size() + 1)];
        if (S_ISREG(st.st_mode)) {
            seen = {"file #" + std::to_string(st.st_ino), static_cast<std::uintmax_t>(st.st_size)};
        } else if (S_ISLNK(st.st_mode)) {
            seen.what = "link to " + std::filesystem::read_symlink(it->path()).string();
        } else if (S_ISDIR(st.st_mode)) {
            seen.what = mounts.Holds(path) ? "mount point" : "folder";
            if (mounts.Holds(path)) it.disable_recursion_pending();
        } else {
            seen.what = S_ISFIFO(st.st_mode) ? "FIFO" : S_ISSOCK(st.st_mode) ? "socket" : "device";
        }
    }
    return out;
}

// The user's entries: all but the program folder's.
Snapshot Users(Snapshot snapshot) {
    std::erase_if(snapshot, [](const auto& e) { return e.first == "Prog" || e.first.rfind("Prog/", 0) == 0; });
    return snapshot;
}

// As root, this thread and the workers it starts lose the right to read any
// folder, so that a folder its owner may not list is one root may not list
// either; mounting stays allowed.
class WithoutReadOverride {
public:
    WithoutReadOverride() {
        if (geteuid() != 0 || syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct less[2] = {saved_[0], saved_[1]};
        less[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = syscall(SYS_capset, &header_, less) == 0;
        EXPECT_TRUE(dropped_) << std::strerror(errno);
    }
    ~WithoutReadOverride() {
        if (dropped_) {
            EXPECT_EQ(syscall(SYS_capset, &header_, saved_), 0) << std::strerror(errno);
        }
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

std::uint64_t Bytes(const Snapshot& snapshot) {
    std::uint64_t bytes = 0;
    for (const auto& [rel, seen] : snapshot) bytes += seen.bytes;
    return bytes;
}

}  // namespace

// From fixed seeds, one case each: small trees that hold links (to a file of
// the tree, to a folder beside it, dangling), FIFOs, sockets, some of them
// under names no path can say, a folder its user may not list (where
// pages 07, 11, 12 and 15 walk), and, as root, a folder another file system
// is mounted on; and for every page that counts before its run (and pages
// 12 and 15) the options and lists that pass over what a count took —
// nested, repeated, missing and unusable main folders, numbered folders
// there already, template lines, destinations inside their sources and
// structures, nested sources and structures, files that are their own
// targets, names no path can say, masks of every kind, every attach mode and
// conflict rule, and the disk changed between the count and the run. Each
// run's Visual Log adds up column by column, names every entry met in
// exactly one list the window shows (or names the folder whose whole share
// it passed over), what it passes over with its reason; its free-space check
// charges at least the bytes the run wrote, exactly those when it wrote into
// empty folders; and the disk is as the lists say: nothing there before
// changed but what a delete or rename page names as done.
class GeneratedTrees : public RunCounts, public ::testing::WithParamInterface<unsigned> {};

TEST_P(GeneratedTrees, AddUpOnEveryPageThatCounts) {
    using Columns = std::vector<std::pair<std::string, std::string>>;  // to do, the labels that add up to it
    const Columns create = {{"FoldersToCreate", "FoldersCreated FoldersExists FoldersOther"},
                            {"SubFoldersToCreate", "SubFoldersCreated SubFoldersExists SubFoldersOther"},
                            {"FilesToCreate", "FilesCreated FilesExists FilesOther"},
                            {"FilesSizeToCreate", "FilesSizeCreated FilesSizeExists FilesSizeOther"}};
    const StringList createLists = {"FoldersCreated", "SubFoldersCreated", "FilesCreated", "FoldersExists",
                                    "FoldersOther"};
    const char* attaches[] = {"AttachMainFolderWithFiles", "AttachMainFolderWithoutFiles",
                              "AttachSubFoldersOnlyWithFiles", "AttachSubFoldersOnlyWithoutFiles"};
    const StringList masks[] = {{"*.*"}, {"a*"}, {"*."}, {" *.TXT "}, {"A*.*"}, {}};
    // Lines whose folders on the way are made too: 5 folders in each main folder.
    const StringList templates = {"\\A\\B\\C", "\\A\\B\\D", "\\E"};
    const char* templated5[] = {"A", "A\\B", "A\\B\\C", "A\\B\\D", "E"};
    const WithoutReadOverride asAnyUser;
    // Beside the trees: "Out", where a link points, and "Mnt", bound on
    // their mount points (as root, in the test program's own mount namespace).
    drive.WriteFile("Out\\o1.txt", "o1");
    drive.WriteFile("Out\\o2", "o22");
    drive.WriteFile("Mnt\\m1.txt", "m1");
    drive.WriteFile("Mnt\\m2.doc", "m22");
    Mounts mounts(testsupport::ownMountNamespace ? drive.nativePath("Mnt") : "");
    const std::string w = drive.path("W");
    const unsigned seed = GetParam();
    std::mt19937 rng(seed);
    const GenTree tree = MakeTree(rng, mounts.Possible());
    std::string treeText;
    for (const GenEntry& e : tree)
        treeText += " " + e.rel + (e.folder ? "/" : "") + Reason(e) + (e.shut ? " (shut)" : "");
    const StringList mask = masks[rng() % std::size(masks)];
    const bool nested = rng() % 2;  // W\sub listed beside W
    StringList structures = {w};
    if (nested) structures.push_back(w + "\\sub");
    const std::string attach = attaches[rng() % 4];
    const bool withFiles = attach.find("WithFiles") != std::string::npos;
    const bool subOnly = attach.find("SubFoldersOnly") != std::string::npos;
    const bool templated = rng() % 3 == 0;
    const bool there = rng() % 2, inside = rng() % 2, missing = rng() % 2, unusable = rng() % 2;
    const auto choose = [this](const std::string& radio) {
        Click(radio.c_str());
        ASSERT_TRUE(C<QAbstractButton>(radio.c_str())->isChecked()) << radio;
    };
    // The structures or template lines of a create page or page 08.
    const auto source = [&](const std::string& page) {
        choose("rdoVol" + page + (templated ? "StructureImportRelativePaths" : "StructureImportFullPaths"));
        SetList(("lstVol" + page + "AddFolderStructure").c_str(), templated ? templates : structures);
        if (!templated) choose("rdoVol" + page + attach);
    };
    // The entries the structures or template lines bring into `main`:
    // with structures, each one's own folder (but for subfolders only),
    // its folders, with files those `takes`, and what the walk passes
    // over, named in `other`.
    const auto attached = [&](std::vector<Counted>& out, const std::string& main, const std::string& other,
                              const std::function<bool(const std::string&)>& takes) {
        if (templated) {
            for (const char* rel : templated5) out.push_back({main + "\\" + rel});
            return;
        }
        for (const std::string& structure : structures) {
            const std::string sub = structure == w ? "" : "sub";
            const std::string target = subOnly ? main : main + "\\" + (sub.empty() ? "W" : sub);
            if (!subOnly) out.push_back({target});
            for (const GenEntry& e : Below(tree, sub)) {
                if (!e.folder && !(withFiles && takes(LastOf(e.rel)))) continue;
                const bool passed = e.special != Special::None || Unsayable(LastOf(e.rel));
                out.push_back(NamedIn({Under(target, e.rel) + Reason(e)}, passed ? other : "", passed));
            }
        }
    };
    const auto all = [](const std::string&) { return true; };

    struct PageRun {
        std::string page;
        VisualLogWindow* log;
        Columns columns;
        StringList lists, shares;  // lists that name entries; those that name a whole share
        std::function<void()> fill;
        const char* run;
        std::function<std::vector<Counted>()> counted;  // after the fill: what the run meets
        bool pairs = false;                             // pages 10 and 12: lines of a source and a target
        std::function<void()> after = [] {};            // checks of the page's own
    };
    std::vector<PageRun> runs;
    // 02 and 03: one destination; a string that makes a folder on the
    // way, a folder there already.
    runs.push_back(
        {"02", frmStatistic02, create, createLists, {"FoldersExists", "FoldersOther"},
         [&] {
             drive.MakeFolder("D");
             if (there) drive.MakeFolder("D\\n3");
             frmMain->Page02->Vol02SetDestinationFolder(drive.path("D"));
             SetList("lstVol02IncludeStrings", {"n1", "m\\n2", "n3"});
             frmMain->Page02->Vol02RefreshListCounters();
             frmMain->Page02->Vol02EnableNameControls(true);
             source("02");
             frmMain->Page02->Vol02UpdateButtons(true);
         },
         "btnVol02CreateFolders",
         [&] {
             std::vector<Counted> out = {{drive.path("D\\m")}};
             for (const char* item : {"n1", "m\\n2", "n3"}) {
                 const std::string m = drive.path("D\\") + item;
                 out.push_back({m});
                 attached(out, m, "FoldersOther", all);
             }
             return out;
         }});
    runs.push_back({"03", frmStatistic03, create, createLists, {"FoldersExists", "FoldersOther"},
                    [&] {
                        drive.MakeFolder("D\\2");
                        frmMain->Page03->Vol03SetDestFolder(drive.path("D"));
                        C<QLineEdit>("edtVol03StartNumber")->setText("1");
                        C<QLineEdit>("edtVol03EndNumber")->setText("3");
                        source("03");
                        frmMain->Page03->Vol03UpdateButtons(true);
                    },
                    "btnVol03CreateFolders",
                    [&] {
                        std::vector<Counted> out;
                        for (const char* n : {"1", "2", "3"}) {
                            const std::string m = drive.path("D\\") + n;
                            out.push_back({m});
                            attached(out, m, "FoldersOther", all);
                        }
                        return out;
                    }});
    // 04: a main folder inside the structure it would take, one there
    // already, one listed twice.
    StringList mains04 = {"P:\\D\\x", "P:\\D\\y", "P:\\D\\x"};
    if (inside) mains04.push_back("P:\\W\\new");
    runs.push_back({"04", frmStatistic04, create, createLists, {"FoldersExists", "FoldersOther"},
                    [&] {
                        if (there) drive.MakeFolder("D\\y");
                        SetList("lstVol04IncludeFolderList", mains04);
                        frmMain->Page04->Vol04RefreshPage();
                        source("04");
                        frmMain->Page04->Vol04RefreshPage();
                    },
                    "btnVol04CreateFolders",
                    [&] {
                        std::vector<Counted> out;
                        for (const std::string& m : mains04) {
                            // The structure refused for a folder inside it names its share by the
                            // folder it would have filled: that folder itself, when the structure's
                            // folders go straight into it.
                            if (templated || !(subOnly && Within(m, w))) out.push_back({m});
                            attached(out, m, "FoldersOther", all);
                        }
                        return out;
                    }});
    // 08: nested main folders, a missing one, one inside the structure,
    // one no path can name.
    StringList mains08 = {"P:\\D", "P:\\D\\x", "P:\\D\\"};
    if (missing) mains08.push_back("P:\\Gone");
    if (inside) mains08.push_back("P:\\W\\in");
    if (unusable) mains08.push_back("P:\\D\\a:b");
    const auto label = [](VisualLogWindow* log, const std::string& name) {
        const QLabel* l = log->findChild<QLabel*>(QString::fromStdString(name));
        EXPECT_TRUE(l && l->isVisibleTo(log)) << name << " is not shown";
        return l ? std::stod(l->text().toStdString()) : 0.0;
    };
    runs.push_back(
        {"08", frmStatistic08,
         {{"SubFoldersToCopy", "SubFoldersCopied SubFoldersExists SubFoldersOtherReasons"},
          {"FilesToCopy", "FilesCopied FilesExists FilesOtherReasons"},
          {"FileSizeToCopy", "FileSizeCopied FileSizeExists FileSizeOtherReasons"}},
         {"SubFoldersCopied", "FilesCopied", "SubFoldersExists", "FilesExists", "SubFoldersOtherReasons"},
         {"FoldersNotExists", "SubFoldersOtherReasons"},
         [&] {
             drive.MakeFolder("D\\x");
             SetFileSelNameMasks(mask);
             SetList("lstVol08IncludeFolderList", mains08);
             frmMain->Page08->Vol08RefreshPage();
             source("08");
             frmMain->Page08->Vol08RefreshPage();
         },
         "btnVol08CopyFolders",
         [&] {
             std::vector<Counted> out;
             const FileSelection selection = Vol08Selection(frmMain->Page08->Vol08ReadInputs());
             for (const std::string& m : FoldersAsRead(mains08, false))
                 attached(out, m, "SubFoldersOtherReasons",
                          [&](const std::string& name) { return selection.times(name) > 0; });
             return out;
         },
         false,
         // Each main folder line in one outcome of the folder row, or,
         // when it received nothing (every structure refused for it),
         // named by its share.
         [&] {
             pagewindow::Lines named = frmStatistic08->List("lstStat08FoldersCopied")->Lines();
             for (const std::string& line : frmStatistic08->List("lstStat08FoldersNotExists")->Lines())
                 named.push_back(line);
             const pagewindow::Lines other = frmStatistic08->List("lstStat08SubFoldersOtherReasons")->Lines();
             double nothing = 0;
             for (const std::string& m : FoldersAsRead(mains08, false)) {
                 const auto times = std::count(named.begin(), named.end(), m);
                 EXPECT_LE(times, 1) << m;
                 if (times > 0) continue;
                 nothing += 1;
                 const bool share =
                     std::any_of(other.begin(), other.end(), [&](const std::string& l) { return Within(l, m); });
                 EXPECT_TRUE(share && std::filesystem::is_directory(drive.nativePath(m.substr(3))))
                     << m << " is in no outcome";
             }
             EXPECT_EQ(label(frmStatistic08, "lblStat08FoldersToCopy"),
                       label(frmStatistic08, "lblStat08FoldersCopied") +
                           label(frmStatistic08, "lblStat08FoldersNotExists") + nothing);
         }});
    // 10: nested sources, a missing destination, one inside a source
    // and one inside another, every route, attach mode and conflict
    // rule; on every other seed a file that is its own target.
    const char* routes10[] = {"rdoVol10CopyToMainFolders", "rdoVol10CopyToMainFoldersExtensions"};
    const char* attaches10[] = {"rdoVol10AttachMainFolderWithSubFolders", "rdoVol10AttachSubFoldersOnly"};
    const char* rules10[] = {"rdoVol10DuplicatedFilesSkip", "rdoVol10DuplicatedFilesOverWrite",
                             "rdoVol10DuplicatedFilesIncreaseFileNames"};
    std::string route10 = routes10[rng() % 2], attach10 = attaches10[rng() % 2];
    const std::string rule10 = rules10[rng() % 3];
    StringList dests10 = {"P:\\D", "P:\\D\\x"};
    if (missing) dests10.push_back("P:\\Gone");
    if (inside) dests10.push_back("P:\\W\\in");
    if (!nested && there) dests10.push_back(w);
    // A source that is a type folder of a destination ("D"), copied by
    // type with the main folders' own files: its file, one the masks
    // take, is its own target. (A source that is a destination is
    // refused whole; any other such file lies in a destination inside
    // its source, which is not walked.)
    const bool own10 = seed % 2 == 1;
    std::string ownName = "a.txt", ownType;
    for (const char* name : {"a.", "a"})
        if (!MasksTake(UsableFileMasks(mask), ownName)) ownName = name;
    GetFileExtensionAnsi(ownName, ownType);
    if (ownType.empty()) ownType = "noext";
    const std::string ownSource = drive.path("D\\" + ownType);
    StringList sources10 = structures;
    if (own10) {
        sources10.push_back(ownSource);
        route10 = routes10[1];
        attach10 = attaches10[0];
    }
    StringList fenced10;  // below W
    for (const std::string& d : dests10)
        if (Within(d, w) && d != w) fenced10.push_back(d.substr(w.size() + 1));
    runs.push_back(
        {"10", frmStatistic10, {{"FilesToCopy", "FilesCopied FilesSkipped FilesOtherReasons"}},
         {"FilesCopied", "FilesSkipped", "FilesOtherReasons"}, {"FoldersNotExists", "FilesOtherReasons"},
         [&] {
             drive.MakeFolder("D\\x");
             if (own10) drive.WriteFile("D\\" + ownType + "\\" + ownName, "aaa");
             SetFileSelNameMasks(mask);
             SetList("lstVol10IncludeFolderList", dests10);
             SetList("lstVol10AddFolderStructure", sources10);
             frmMain->Page10->Vol10RefreshPage();
             for (const std::string& radio : {attach10, route10, rule10}) choose(radio);  // offered now
             frmMain->Page10->Vol10RefreshPage();
         },
         "btnVol10CopyFiles",
         [&] {
             std::vector<Counted> out;
             const FileSelection selection = Vol10Selection(frmMain->Page10->Vol10ReadInputs());
             const bool types = route10.find("Extensions") != std::string::npos;
             std::size_t owns = 0;
             for (const std::string& d : dests10)
                 for (const std::string& s : sources10) {
                     // A destination inside the source is not walked: named once.
                     if (s == w)
                         for (const std::string& f : fenced10)
                             out.push_back(NamedIn({d, w + "\\" + f, "", d}, "FilesOtherReasons", true));
                     const GenTree below = s == w ? Below(tree, "", fenced10)
                                           : s == w + "\\sub" ? Below(tree, "sub", fenced10)
                                                              : GenTree{{ownName, false, 3}};
                     for (const GenEntry& e : below) {
                         const std::string name = LastOf(e.rel), from = Under(s, e.rel);
                         const bool passed = e.special != Special::None || Unsayable(name);
                         if (e.folder) {
                             if (passed)
                                 out.push_back(NamedIn({d, from + Reason(e), "", d}, "FilesOtherReasons", true));
                         } else if (selection.times(name) > 0 &&
                                    (selection.rootFiles || e.rel.find('/') != std::string::npos)) {
                             std::string ext;
                             GetFileExtensionAnsi(name, ext);
                             const std::string to = types ? d + "\\" + (ext.empty() ? "noext" : ext) : d;
                             // A file that is its own target is not copied.
                             const bool own = to + "\\" + name == from;
                             owns += own;
                             out.push_back(NamedIn({to, from + Reason(e), name, d},
                                                   passed || own ? "FilesOtherReasons" : "", passed));
                         }
                     }
                 }
             EXPECT_EQ(owns > 0, own10) << "files that are their own targets: " << owns;
             return out;
         },
         true});
    // 07, 11 and 12 over a copy of the tree, a folder inside it listed
    // too and a missing one; for 07 and 11 files go and come between the
    // count and the run.
    const auto change = [this] {
        std::filesystem::remove(drive.nativePath("K\\sub\\gone.txt"));
        drive.WriteFile("K\\new1.txt", "n");
        drive.WriteFile("K\\in\\new2", "nn");
    };
    const auto copyOfTree = [&] {
        WriteTree(tree, drive.nativePath("K"), mounts, true);
        drive.WriteFile("K\\sub\\gone.txt", "g");
    };
    // What a walk by names meets in K's folder `rel` as it is now (and
    // below it with `tree`, but for `skip`): each entry in its folder,
    // by kind ('d' a folder it enters, 'm' a mount point, 'u' a folder no
    // path names or one it may not list, 'f' a file, 's' a link or a special
    // file), and its level.
    using Meet = std::function<void(const std::string&, const std::string&, char, unsigned)>;
    const auto walkK = [&](const std::string& rel, bool deep, const std::string& skip, const Meet& meet) {
        std::vector<std::pair<std::string, unsigned>> queue = {{rel, 0}};
        while (!queue.empty()) {
            const auto [at, level] = queue.back();
            queue.pop_back();
            for (const auto& e : std::filesystem::directory_iterator(drive.nativePath(at))) {
                const std::string name = e.path().filename().string();
                char kind = e.is_symlink() ? 's' : e.is_regular_file() ? 'f' : 's';
                if (!e.is_symlink() && e.is_directory())
                    kind = mounts.Holds(e.path().string()) ? 'm' : Unsayable(name) || name == kShut ? 'u' : 'd';
                if (at + "\\" + name == skip) continue;
                meet(drive.path(at), name, kind, level);
                if (kind == 'd' && deep) queue.push_back({at + "\\" + name, level + 1});
            }
        }
    };
    const char* modes07[] = {"rdoVol07DeleteSubFolders", "rdoVol07DeleteCompleteFolders"};
    const std::string mode07 = modes07[rng() % 2];
    runs.push_back({"07", frmStatistics07,
                    {{"FoldersToDelete", "FoldersDeleted FoldersOtherReasons"},
                     {"FilesToDelete", "FilesDeleted FilesOtherReasons"}},
                    {"FoldersDeleted", "FoldersOtherReasons", "FilesDeleted", "FilesOtherReasons"},
                    {"MainFoldersNotExist"},
                    [&] {
                        copyOfTree();
                        SetList("lstVol07IncludeFolderList", {"P:\\K", "P:\\K\\sub", "P:\\Gone"});
                        frmMain->Page07->Vol07RefreshPage();
                        choose(mode07);  // offered once the list holds a folder
                        change();
                    },
                    "btnVol07DeleteFolders",
                    [&] {
                        std::vector<Counted> out;
                        walkK("K", true, "", [&](const auto& at, const auto& name, char kind, unsigned) {
                            const std::string path = at + "\\" + name;
                            if (kind == 'm')
                                out.push_back(NamedIn({path + kMounted}, "FoldersOtherReasons", true));
                            else
                                out.push_back(NamedIn({path}, kind == 'u'       ? "FoldersOtherReasons"
                                                              : Unsayable(name) ? "FilesOtherReasons"
                                                              : kind == 's'     ? "FilesDeleted"
                                                                                : ""));
                        });
                        if (mode07 == modes07[1]) out.push_back({"P:\\K"});
                        return out;
                    }});
    const char* modes11[] = {"rdoVol11DeleteOnlyFilesInMainFolder", "rdoVol11DeleteOnlyFiles"};
    const bool tree11 = rng() % 2;
    runs.push_back({"11", frmStatistics11,
                    {{"FilesToDelete", "FilesDeleted FilesOtherReasons"},
                     {"FoldersToDelete", "FoldersDeleted FoldersOtherReasons"}},
                    {"FilesDeleted", "FilesOtherReasons"},
                    {"MainFoldersNotExist"},
                    [&] {
                        copyOfTree();
                        SetFileSelNameMasks(mask);
                        SetList("lstVol11IncludeFolderList", {"P:\\K", "P:\\K\\sub", "P:\\Gone"});
                        frmMain->Page11->Vol11RefreshPage();
                        choose(modes11[tree11]);
                        frmMain->Page11->Vol11RefreshPage();
                        change();
                    },
                    "btnVol11DeleteFiles",
                    [&] {
                        const StringList usable = UsableFileMasks(GetFileSelNameMasks());
                        std::vector<Counted> out;
                        // Without the tree, the folder inside is a main folder of its own.
                        for (const std::string& main : tree11 ? StringList{"K"} : StringList{"K", "K\\sub"}) {
                            walkK(main, tree11, "", [&](const auto& at, const auto& name, char kind, unsigned) {
                                const std::string path = at + "\\" + name;
                                if (kind == 'm' && tree11)
                                    out.push_back(NamedIn({path + kMounted}, "FilesOtherReasons", true));
                                else if (kind == 'u' && tree11)
                                    out.push_back({path});
                                else if ((kind == 'f' || kind == 's') && MasksTake(usable, name))
                                    out.push_back(NamedIn({path}, Unsayable(name) ? "FilesOtherReasons"
                                                                  : kind == 's'    ? "FilesDeleted"
                                                                                   : ""));
                            });
                        }
                        return out;
                    }});
    // 12 counts nothing before its run: every entry it meets is renamed
    // or named, and nothing else.
    const char* modes12[] = {"rdoVol12RenameFilesInMainFolders", "rdoVol12RenameFilesInMainFoldersAndSubFolders",
                             "rdoVol12RenameFilesInSubFolders"};
    const char* rules12[] = {"rdoVol12RenameDuplicatedFilesDrop", "rdoVol12RenameDuplicatedFilesOverWrite",
                             "rdoVol12RenameDuplicatedFilesIncreaseFileNames",
                             "rdoVol12RenameDuplicatedFilesIncreaseFileTypes"};
    const unsigned mode12 = rng() % 3;
    const std::string rule12 = rules12[rng() % 4];
    runs.push_back({"12", frmStatistic12, {}, {"FilesRenamed", "FilesOtherReasons"}, {"FoldersNotExist"},
                    [&] {
                        copyOfTree();
                        SetList("lstVol12IncludeFolderList", {"P:\\K", "P:\\K\\sub", "P:\\Gone"});
                        frmMain->Page12->Vol12RefreshPage();
                        for (const std::string& radio : {std::string("rdoVol12RenameAddPrefixesSuffixes"),
                                                         std::string(modes12[mode12]), rule12})
                            choose(radio);
                        C<QLineEdit>("edtVol12NewPrefix")->setText("p_");
                    },
                    "btnVol12RenameFiles",
                    [&] {
                        std::vector<Counted> out;
                        // The folder inside is renamed in by its own line.
                        for (const std::string main : {"K", "K\\sub"}) {
                            const bool deep = mode12 > 0, walked = deep && main == "K";
                            walkK(main, deep, walked ? "K\\sub" : "",
                                  [&](const auto& at, const auto& name, char kind, unsigned level) {
                                      const std::string path = at + "\\" + name;
                                      if ((kind == 'm' || kind == 'u') && deep)
                                          out.push_back(NamedIn({path, path + (kind == 'm' ? kMounted : "")},
                                                                "FilesOtherReasons", true));
                                      else if ((kind == 'f' || kind == 's') && (mode12 < 2 || level > 0))
                                          out.push_back(NamedIn({at, path, "p_" + name},
                                                           Unsayable(name) ? "FilesOtherReasons"
                                                           : kind == 's'   ? "FilesRenamed"
                                                                           : ""));
                                  });
                        }
                        return out;
                    },
                    true});
    // 15: the tree as the model of a copy of itself: nothing missing or
    // extra, and what either walk passes over named: a name no path
    // says, the model's mount point with its reason and its folder it may
    // not list by its path (the copy's are not looked into, as their model
    // is not known there).
    const bool withFiles15 = rng() % 2;
    runs.push_back({"15", frmStatistic15, {}, {"SubFoldersOtherReasons"}, {},
                    [&] {
                        WriteTree(tree, drive.nativePath("K"), mounts, true);
                        SetFileSelNameMasks({"*.*"});
                        SetList("lstVol15AddFolderStructure", {w});
                        SetList("lstVol15IncludeFolderList", {"P:\\K"});
                        frmMain->Page15->Vol15RefreshPage();
                        choose("rdoVol15StructureImportFullPaths");
                        choose(withFiles15 ? "rdoVol15AttachSubFoldersOnlyWithFiles"
                                           : "rdoVol15AttachSubFoldersOnlyWithoutFiles");
                        frmMain->Page15->Vol15RefreshPage();
                    },
                    "btnVol15CheckProjectsConsistency",
                    [&] {
                        std::vector<Counted> out;
                        for (const std::string& folder : {w, std::string("P:\\K")})
                            for (const GenEntry& e : Below(tree, ""))
                                if ((e.folder || withFiles15) &&
                                    (((e.special == Special::Mount || e.shut) && folder == w) ||
                                     Unsayable(LastOf(e.rel))))
                                    out.push_back(NamedIn(  // a link or FIFO an entry by its name alone
                                        {Under(folder, e.rel) + (e.special == Special::Mount ? kMounted : "")},
                                        "SubFoldersOtherReasons", true));
                        return out;
                    },
                    false,
                    [&] {
                        for (int c = 0; c < TfrmStatistic15::SubFoldersOtherReasons; ++c)
                            EXPECT_EQ(frmStatistic15->CategoryList(c)->Count(), 0u) << "category " << c;
                    }});

    for (const PageRun& page : runs) {
        const std::map<std::string, std::string> options = {
            {"10", route10 + ", " + attach10 + ", " + rule10 + (own10 ? ", source " + ownSource : "")},
            {"07", mode07},
            {"11", modes11[tree11]},
            {"12", modes12[mode12] + (", " + rule12)},
            {"15", withFiles15 ? "with files" : "without files"}};
        SCOPED_TRACE("seed " + std::to_string(seed) + ", page " + page.page + ", " +
                     (options.count(page.page) ? options.at(page.page) : templated ? "template lines" : attach) +
                     ", masks " + (mask.empty() ? "none" : mask.front()) + (nested ? ", nested" : "") +
                     (there ? ", there" : "") + (inside ? ", inside" : "") + (missing ? ", missing" : "") +
                     (unusable ? ", unusable" : "") + (mounts.Possible() ? "" : ", no mount point (not root)") +
                     ", tree" + treeText);
        mounts.Undo();
        for (const char* top : {"W", "K"})
            for (const GenEntry& e : tree)
                if (e.shut) chmod((drive.nativePath(top) + "/" + e.rel).c_str(), 0755);
        for (const char* top : {"W", "D", "K", "Gone"}) std::filesystem::remove_all(drive.nativePath(top));
        // Shut only as page 15's model: a structure or source that a count
        // cannot read refuses the run whole.
        WriteTree(tree, drive.nativePath("W"), mounts, page.page == "15");
        page.fill();
        const std::vector<Counted> counted = page.counted();
        // The free-space check, with no room: what it needs, from its box.
        std::uint64_t need = 0;
        captions.clear();
        texts.clear();
        plat::SetFreeBytesHandler([](const std::string&, std::uint64_t& bytes) {
            bytes = 0;
            return true;
        });
        Snapshot before = Snap(drive.native(), mounts);
        Click(page.run);
        plat::SetFreeBytesHandler({});
        bool short_ = false;
        for (const std::string& text : texts)
            if (text.find("There is not enough space on the disk.") != std::string::npos) {
                const std::size_t end = text.rfind(" bytes.");
                need = std::stoull(text.substr(text.rfind(' ', end - 1) + 1));
                short_ = true;
            }
        if (short_) {
            EXPECT_EQ(Users(Snap(drive.native(), mounts)), Users(before)) << "the refused run changed the disk";
            Click(page.run);
        }
        const Snapshot after = Snap(drive.native(), mounts);
        const std::uint64_t written = Bytes(after) - Bytes(before);
        // Every column adds up; what is not done is only what the run
        // passes over by its nature (then it wrote what it charged).
        double others = 0;
        for (const auto& [toDo, done] : page.columns) {
            double sum = 0;
            std::istringstream names(done);
            std::string name;
            for (bool first = true; names >> name; first = false) {
                const double n = label(page.log, "lblStat" + page.page + name);
                sum += n;
                if (!first) others += n;
            }
            EXPECT_EQ(sum, label(page.log, "lblStat" + page.page + toDo)) << toDo;
        }
        const auto passed =
            std::count_if(counted.begin(), counted.end(), [](const Counted& c) { return c.passed; });
        if (page.page != "07" && page.page != "11" && page.page != "12" && page.page != "15") {
            EXPECT_GE(need, written);
            if (others == static_cast<double>(passed)) {
                EXPECT_EQ(need, written);
            }
        }
        // Every entry met is named once, or its share by its folder.
        std::vector<std::pair<std::string, std::string>> lines;  // list, line
        std::vector<std::string> shares;
        for (const std::string& name : page.lists) {
            const std::string list = "lstStat" + page.page + name;
            EXPECT_TRUE(page.log->findChild<QWidget*>(QString::fromStdString(list))->isVisibleTo(page.log)) << list;
            for (const std::string& line : page.log->List(list)->Lines()) lines.push_back({name, line});
        }
        for (const std::string& name : page.shares)
            for (const std::string& line : page.log->List("lstStat" + page.page + name)->Lines())
                shares.push_back(line);
        std::string said;  // what the lists hold, for a failure's message
        for (const auto& [list, line] : lines) said += "\n  " + list + ": " + line;
        for (const std::string& line : shares) said += "\n  (share) " + line;
        for (const std::string& text : texts) said += "\n  (box) " + text;
        const auto same = [](const Counted& a, const Counted& b) {
            return a.path == b.path && a.source == b.source && a.base == b.base;
        };
        for (const Counted& c : counted) {
            std::size_t own = 0, elsewhere = 0;
            bool share = false;
            for (const auto& [list, line] : lines) {
                bool names = line == c.path;
                if (page.pairs) {
                    // A file under its own name or an increased one.
                    const auto [source, target] = SourceAndTarget(line);
                    names = source == c.source &&
                            (target == (c.name.empty() ? c.path : c.path + "\\" + c.name) ||
                             (!c.name.empty() && Within(target, c.path) && target != c.path &&
                              target.find('\\', c.path.size() + 1) == std::string::npos));
                }
                if (names) ++(c.list.empty() || list == c.list ? own : elsewhere);
            }
            for (const std::string& line : shares) {
                if (!page.pairs) {
                    share = share || Within(c.path, line);
                    continue;
                }
                const auto [source, target] = SourceAndTarget(line);
                share = share || ((source.empty() || Within(c.source, source)) && target == c.base);
            }
            // An entry counted twice (a line listed twice) is named twice,
            // or where it was passed over, by its share.
            const auto times = static_cast<std::size_t>(
                std::count_if(counted.begin(), counted.end(), [&](const Counted& o) { return same(o, c); }));
            EXPECT_TRUE((own == times || (own < times && share)) && elsewhere == 0)
                << c.source << (c.source.empty() ? "" : " -> ") << c.path << " named " << own << " times"
                << (c.list.empty() ? "" : " in " + c.list) << ", " << elsewhere << " times elsewhere" << said;
        }
        if (page.page == "12" || page.page == "15") {
            EXPECT_EQ(lines.size(), counted.size()) << "lines that name nothing met" << said;
        }
        page.after();
        // The disk is as the lists say: a delete or rename page changed
        // what it names as done, the others only added.
        const std::string drivePrefix = drive.path("");
        const auto rel = [&](std::string path) {
            std::replace(path.begin(), path.end(), '\\', '/');
            return path.substr(drivePrefix.size());
        };
        Snapshot expected = Users(before);
        const Snapshot now = Users(after);
        for (const auto& [list, line] : lines) {
            if (list == "FilesDeleted" || list == "FoldersDeleted") {
                EXPECT_EQ(expected.erase(rel(line)), 1u) << line;
            } else if (list == "FilesRenamed") {
                const auto [source, target] = SourceAndTarget(line);
                const auto node = expected.extract(rel(source));
                EXPECT_FALSE(node.empty()) << line;
                if (!node.empty()) expected[rel(target)] = node.mapped();
            }
        }
        std::string changed;
        for (const auto& [at, seen] : expected) {
            const auto found = now.find(at);
            if (found == now.end())
                changed += "\n  gone: " + at + " (" + seen.what + ")";
            else if (!(found->second == seen))
                changed += "\n  " + at + ": " + seen.what + ", " + std::to_string(seen.bytes) + " bytes, became " +
                           found->second.what + ", " + std::to_string(found->second.bytes) + " bytes";
        }
        if (page.page == "07" || page.page == "11" || page.page == "12" || page.page == "15")
            for (const auto& [at, seen] : now)
                if (!expected.count(at)) changed += "\n  new: " + at + " (" + seen.what + ")";
        EXPECT_TRUE(changed.empty()) << changed;
    }
}

// A case of its own for each seed, so that they spread over the cores.
INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedTrees, ::testing::Range(1u, 33u));
