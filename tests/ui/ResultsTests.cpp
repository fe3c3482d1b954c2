#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/FolderStructSize.h"
#include "core/SettingsStore.h"
#include "pages/VisualLog.h"
#include "pages/creation/Creation.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsWindows.h"
#include "tests/support/TempDrive.h"
#include "windows/TfrmFileExport.h"

namespace {

using Lines = std::vector<std::string>;

Lines ViewLines(const QWidget* window, const char* name) {
    Lines lines;
    auto* view = window->findChild<QListView*>(QString::fromLatin1(name));
    if (!view) return {"<no list " + std::string(name) + ">"};
    for (int r = 0; r < view->model()->rowCount(); ++r)
        lines.push_back(view->model()->index(r, 0).data().toString().toStdString());
    return lines;
}

std::string LabelText(const QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text().toStdString() : "<no label>";
}

void Click(const QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

// Answers every modal window through `handler` while alive.
class ModalScript {
public:
    explicit ModalScript(std::function<int(QDialog*)> handler)
        : previous_(qtplat::SetModalHandler(std::move(handler))) {}
    ~ModalScript() { qtplat::SetModalHandler(std::move(previous_)); }

private:
    qtplat::ModalHandler previous_;
};

class FileDialogScript {
public:
    explicit FileDialogScript(std::string answer)
        : previous_(qtplat::SetFileDialogHandler([this, answer](const qtplat::FileDialogRequest& request) {
              asked = request;
              return answer;
          })) {}
    ~FileDialogScript() { qtplat::SetFileDialogHandler(std::move(previous_)); }
    qtplat::FileDialogRequest asked;

private:
    qtplat::FileDialogHandler previous_;
};

// Every results window and the export window, as start-up makes them.
class ResultsWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramTitle(kProgramTitle);
        frmFileExport = new TfrmFileExport;
        frmVol02ZoomStatistics = new TfrmVol02ZoomStatistics;
        frmVol07ZoomStatistics = new TfrmVol07ZoomStatistics;
        frmVol10ZoomStatistics = new TfrmVol10ZoomStatistics;
        frmVol12ZoomStatistics = new TfrmVol12ZoomStatistics;
        frmVol15ZoomStatistics = new TfrmVol15ZoomStatistics;
        frmZoomIncludeWindow = new TfrmZoomIncludeWindow;
        frmStatistic02 = new TfrmStatistic02;
        frmStatistic03 = new TfrmStatistic03;
        frmStatistic04 = new TfrmStatistic04;
        frmStatistic06 = new TfrmStatistic06;
        frmStatistics07 = new TfrmStatistics07;
        frmStatistic08 = new TfrmStatistic08;
        frmStatistic10 = new TfrmStatistic10;
        frmStatistics11 = new TfrmStatistics11;
        frmStatistic12 = new TfrmStatistic12;
        frmStatistic15 = new TfrmStatistic15;
    }
    void TearDown() override {
        Destroy(frmStatistic02), Destroy(frmStatistic03), Destroy(frmStatistic04), Destroy(frmStatistic06);
        Destroy(frmStatistics07), Destroy(frmStatistic08), Destroy(frmStatistic10), Destroy(frmStatistics11);
        Destroy(frmStatistic12), Destroy(frmStatistic15), Destroy(frmZoomIncludeWindow);
        Destroy(frmVol02ZoomStatistics), Destroy(frmVol07ZoomStatistics), Destroy(frmVol10ZoomStatistics);
        Destroy(frmVol12ZoomStatistics), Destroy(frmVol15ZoomStatistics), Destroy(frmFileExport);
    }
    template <typename T>
    static void Destroy(T*& window) {
        delete window;
        window = nullptr;
    }

    // Presses an Export button and records what the export window held when
    // it was shown modally.
    struct Exported {
        bool shown = false;
        bool visibleWhenModal = true;
        Lines preview;
        std::string count;
        std::string kind;
    };
    Exported PressExport(QWidget* log, const char* button) {
        Exported out;
        ModalScript modal([&](QDialog* dialog) {
            out.shown = dialog == frmFileExport;
            out.visibleWhenModal = dialog->isVisible();
            out.preview = ViewLines(frmFileExport, "lstFileExportSource");
            out.count = LabelText(frmFileExport, "lblSmartExportSource");
            out.kind = frmFileExport->ListKind();
            return 0;
        });
        Click(log, button);
        return out;
    }
};

}  // namespace

TEST_F(ResultsWindowsTest, RunLinesReachLogAndZoomAtFlush) {
    TfrmStatistic02& log = *frmStatistic02;
    log.ClearLists();
    frmVol02ZoomStatistics->ClearAllLists();
    log.AddLine(TfrmStatistic02::FoldersCreated, "C:\\Jobs\\A");
    log.AddLine(TfrmStatistic02::FoldersExists, "C:\\Jobs\\B");
    log.SetCount("lblStat02FoldersCreated", 1);
    log.SetCount("lblStat02FilesSizeCreated", 1234567);
    // Nothing reaches the screen before the flush.
    EXPECT_TRUE(ViewLines(&log, "lstStat02FoldersCreated").empty());
    EXPECT_EQ(LabelText(&log, "lblStat02FoldersCreated"), "0");
    results::FinishRun();
    EXPECT_EQ(ViewLines(&log, "lstStat02FoldersCreated"), Lines{"C:\\Jobs\\A"});
    EXPECT_EQ(ViewLines(frmVol02ZoomStatistics, "lstVol02ZoomStatisticsFoldersCreated"), Lines{"C:\\Jobs\\A"});
    EXPECT_EQ(ViewLines(frmVol02ZoomStatistics, "lstVol02ZoomStatisticsFoldersExist"), Lines{"C:\\Jobs\\B"});
    // One copy for both, the window's very first line too.
    for (int category : {TfrmStatistic02::FoldersCreated, TfrmStatistic02::FoldersExists})
        EXPECT_TRUE(log.CategoryList(category)->SharesLinesWith(*frmVol02ZoomStatistics->List(std::size_t(category))));
    EXPECT_EQ(LabelText(&log, "lblStat02FoldersCreated"), "1");
    EXPECT_EQ(LabelText(&log, "lblStat02FilesSizeCreated"), "1.23457e+06");
    // Every figure of the grid shows, so that what was to be made adds up.
    EXPECT_FALSE(log.findChild<QLabel*>("lblStat02FilesExists")->isHidden());
    // Colour value 16775151 is 0x00BBGGRR.
    EXPECT_EQ(log.palette().color(QPalette::Window), QColor(0xEF, 0xF7, 0xFF));

    // A new run shows only its own lines.
    log.ClearLists();
    frmVol02ZoomStatistics->ClearAllLists();
    log.AddLine(TfrmStatistic02::FoldersOther, "C:\\Jobs\\C");
    results::FinishRun();
    EXPECT_TRUE(ViewLines(&log, "lstStat02FoldersCreated").empty());
    EXPECT_TRUE(ViewLines(frmVol02ZoomStatistics, "lstVol02ZoomStatisticsFoldersCreated").empty());
    EXPECT_EQ(ViewLines(frmVol02ZoomStatistics, "lstVol02ZoomStatisticsOtherReasons"), Lines{"C:\\Jobs\\C"});

    // Run mode: the page's marker and the main window's activation.
    log.SetRunMode(false);
    EXPECT_FALSE(log.findChild<QCheckBox*>("chkStat02NormalSimulate")->isChecked());
    EXPECT_EQ(LabelText(&log, "lblVol02NormalSimulate"), "Simulate the Folder/File Creation Process.");
    log.findChild<QCheckBox*>("chkStat02NormalSimulate")->setChecked(true);
    frmStatistic15->SetRunMode(false);
    RelabelVisualLogs();
    EXPECT_EQ(LabelText(&log, "lblVol02NormalSimulate"), "Folder/File Creation Process.");
    EXPECT_EQ(LabelText(frmStatistic15, "lblVol15NormalSimulate"), "Check the Folder Structures Consistency.");
    EXPECT_EQ(LabelText(frmStatistics07, "lblStat07FilesToDelete"), "0");
}

// A long run shows its counts now and then while it goes, not at every
// line and not only at its end: only at every 64th change of its counters
// (it reads the clock no oftener), and never sooner than 50 ms after it
// last showed them. A loaded machine only spaces the showings out.
TEST_F(ResultsWindowsTest, ALongRunReachesTheScreenAFewTimesASecond) {
    using Clock = std::chrono::steady_clock;
    VisualLog log = Vol02VisualLog();
    CreationState counters;
    log.SetRunMode(true);
    log.ShowLog();
    // Each showing is one pass of the event loop: when, and the count it showed.
    std::vector<std::pair<Clock::time_point, std::string>> shown;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { shown.emplace_back(Clock::now(), LabelText(frmStatistic02, "lblStat02FoldersCreated")); });
    ticker.start(0);
    // Three showings; the minute only ends a run that never shows.
    const auto guard = Clock::now() + std::chrono::minutes(1);
    std::size_t lines = 0;
    while (shown.size() < 3 && Clock::now() < guard) {
        counters.Counters.FoldersCreated += 1.0;
        log.CountersChanged(counters);
        log.AddLine(CreationFoldersCreated, "C:\\Jobs\\" + std::to_string(lines++));
        std::this_thread::sleep_for(std::chrono::microseconds(50));  // the disk's part of an item
    }
    ticker.stop();
    ASSERT_EQ(shown.size(), 3u) << lines << " lines";
    for (std::size_t k = 0; k < shown.size(); ++k) {
        EXPECT_EQ(shown[k].second, std::to_string(64 * (std::stoul(shown[k].second) / 64))) << k;
        if (k == 0) continue;
        EXPECT_GT(std::stoul(shown[k].second), std::stoul(shown[k - 1].second)) << k;
        EXPECT_GE(shown[k].first - shown[k - 1].first, std::chrono::milliseconds(50)) << k;
    }
    log.ShowCounters(counters.Labels());
    EXPECT_EQ(frmStatistic02->CategoryList(TfrmStatistic02::FoldersCreated)->Count(), lines);
    EXPECT_EQ(LabelText(frmStatistic02, "lblStat02FoldersCreated"), std::to_string(lines));
}

// What a page's run counts reaches its labels in full, bytes past a million too.
TEST_F(ResultsWindowsTest, PageCountersShowEveryDigit) {
    struct Case {
        VisualLog log;
        const QWidget* window;
        const char* label;
    };
    const Case cases[] = {{Vol02VisualLog(), frmStatistic02, "lblStat02FilesSizeCreated"},
                          {Vol10VisualLog(), frmStatistic10, "lblStat10FileSizeCopied"},
                          {Vol07VisualLog(), frmStatistics07, "lblStat07FilesDeleted"}};
    for (Case c : cases) {
        const CounterLabel counters[] = {{c.label, 1001234}};
        c.log.ShowCounters(counters);
        EXPECT_EQ(LabelText(c.window, c.label), "1001234");
    }
}

TEST_F(ResultsWindowsTest, ZoomShowsExactlyOneCategory) {
    TfrmVol02ZoomStatistics& zoom = *frmVol02ZoomStatistics;
    // Whatever was visible before, one label and one list remain.
    zoom.findChild<QListView*>("lstVol02ZoomStatisticsFilesCreated")->setVisible(true);
    zoom.findChild<QLabel*>("lblVol02ZoomStatisticsFilesCreated")->setVisible(true);
    const auto shown = [&zoom] {
        std::vector<std::string> names;
        for (auto* w : zoom.findChildren<QWidget*>())
            if (!w->isHidden() && (w->objectName().startsWith("lstVol02") || w->objectName().startsWith("lblVol02")))
                names.push_back(w->objectName().toStdString());
        return names;
    };
    for (int round = 0; round < 2; ++round) {  // the same category twice shows it again
        Click(frmStatistic02, "btnStat02ZoomFoldersExist");
        EXPECT_EQ(shown(), (Lines{"lblVol02ZoomStatisticsFoldersExist", "lstVol02ZoomStatisticsFoldersExist"}));
        EXPECT_TRUE(zoom.findChild<QRadioButton*>("rdoVol02ZoomStatisticsFoldersExist")->isChecked());
        EXPECT_FALSE(zoom.findChild<QRadioButton*>("rdoVol02ZoomStatisticsFoldersCreated")->isChecked());
        EXPECT_TRUE(zoom.isVisible());
    }
    Click(frmStatistic02, "btnStat02ZoomFoldersFailedUndo");
    EXPECT_EQ(shown(), (Lines{"lblVol02ZoomStatisticsFoldersFailedUndo", "lstVol02ZoomStatisticsFoldersFailedUndo"}));
    EXPECT_EQ(zoom.ShownCategory(), 5);

    // Categories named differently in the two windows.
    Click(frmStatistic12, "btnStat12ZoomFilesDropped");
    EXPECT_EQ(frmVol12ZoomStatistics->ShownCategory(), frmVol12ZoomStatistics->IndexOf("FilesDropped"));
    Click(frmStatistic15, "btnStat15ZoomSubFoldersOtherReasons");
    EXPECT_EQ(frmVol15ZoomStatistics->ShownCategory(), frmVol15ZoomStatistics->IndexOf("OtherReasons"));
    Click(frmStatistics07, "btnStat07ZoomFoldersNotExist");
    EXPECT_EQ(frmVol07ZoomStatistics->ShownCategory(), frmVol07ZoomStatistics->IndexOf("FoldersNotExist"));
    zoom.hide(), frmVol12ZoomStatistics->hide(), frmVol15ZoomStatistics->hide(), frmVol07ZoomStatistics->hide();
}

TEST_F(ResultsWindowsTest, SmartExportHandsOverDriveLinesOnceEach) {
    TfrmStatistic02& log = *frmStatistic02;
    for (const char* line :
         {"C:\\Projects\\A", "c:\\Projects\\A", "Projects\\A", "A", "", "\\\\server\\share", "  C:\\Lead", "D:/x//y"})
        log.AddLine(TfrmStatistic02::FilesCreated, line);
    frmFileExport->show();  // left visible by someone: must not block the modal showing
    bool enabledDuringExport = true;
    ModalScript modal([&](QDialog* dialog) {
        enabledDuringExport = log.findChild<QPushButton*>("btnStat02SmartExportFolders")->isEnabled();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(frmFileExport->ShowModal(), -1);  // no second modal showing
        return 0;
    });
    Click(&log, "btnStat02SmartExportFiles");
    EXPECT_FALSE(enabledDuringExport);
    // The preview is rebuilt from the buffer with the chosen slash style.
    EXPECT_EQ(ViewLines(frmFileExport, "lstFileExportSource"),
              (Lines{"C:\\Projects\\A", "\\server\\share", "  C:\\Lead", "D:\\x\\y"}));
    EXPECT_EQ(frmFileExport->ExportLines(),
              (StringList{"C:\\Projects\\A", "\\\\server\\share", "  C:\\Lead", "D:/x//y"}));
    EXPECT_EQ(LabelText(frmFileExport, "lblSmartExportSource"), "4");
    EXPECT_EQ(frmFileExport->ListKind(), "FOLDERS");
    for (auto* b : log.findChildren<QPushButton*>())
        if (b->objectName().startsWith("btnStat02SmartExport")) {
            EXPECT_TRUE(b->isEnabled());
        }
    EXPECT_EQ(log.focusWidget(), log.findChild<QWidget*>("btnStat02SmartExportFiles"));

    // After a "STRINGS" export of a page, a Visual Log exports "FOLDERS"
    // again and the drive-letter choice is free.
    frmFileExport->SetListKind("STRINGS");
    const Exported again = PressExport(&log, "btnStat02SmartExportFiles");
    EXPECT_EQ(again.kind, "FOLDERS");
    EXPECT_TRUE(frmFileExport->findChild<QRadioButton*>("rdoFileExportWithDriveLetters")->isEnabled());
}

TEST_F(ResultsWindowsTest, EmptyListsWarnWithTheirOwnCaptions) {
    plat::MessageBoxScript boxes;
    struct Case {
        QWidget* log;
        const char* button;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {frmStatistic02, "btnStat02SmartExportFoldersExists", "The List of Already Created Folder Names is empty !\n",
         "Creating Folder(s).-From a String List.            Warning no: 20068."},
        {frmStatistic03, "btnStat03SmartExportOtherReasons",
         "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
         "Creating Folder(s).-Increased Numbers.            Warning no: 30047."},
        {frmStatistic04, "btnStat04SmartExportFoldersAlreadyExists",
         "The List of Already Created Folder Names is empty !\n",
         "Creating Folder(s).-From a Folder List.            Warning no: 40063."},
        {frmStatistic06, "btnStat06SmartExportFoldersFailedUndo",
         "The List of Not Renamed (Folders Failed Undo) Folder Names is empty !\n",
         "Rename Folders -From a Folder List - Level.             Warning no: 60053."},
        {frmStatistic08, "btnStat08SmartExportSubFoldersFailedUndo",
         "The List of Failed UNDO Folder Names is empty !\n",
         "Copy Folder structure(s).-From a Folder List - Level.           Warning no: 80070."},
        {frmStatistic08, "btnStat08SmartExportFoldersCopied",
         "The List of Successfully Copied Main Folder Names is empty !\nAction : You must Copy at least one Main "
         "Folder to use the Smart Export Feature.",
         "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 80063."},
        {frmStatistics11, "btnStat11SmartExportMainFoldersNotExist",
         "The List of Not Deleted ( Main Folders don't Exist) Main Folder Names is empty !\n",
         "Delete Folder(s).- From a Folder List.            Warning no: 110041."},
        {frmStatistics11, "btnStat11SmartExportFilesOtherReasons",
         "The List of Not Deleted ( Other Reasons) File Names is empty !\n",
         "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 110045."},
        {frmStatistics07, "btnStat07SmartExportMainFoldersNotExist",
         "The List of Not Deleted ( Main Folders don't Exist) Folder Names is empty !\n",
         "Delete Folder(s).- From a Folder List.            Warning no: 70050."},
        {frmStatistics07, "btnStat07SmartExportFilesDeleted",
         "The List of Successfully Deleted File Names is empty !\nAction : You must Delete at least one File to use "
         "the Smart Export Feature.",
         "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 70047."},
        {frmStatistic10, "btnStat10SmartExportFilesCopied",
         "The List of Successfully Copied File Names is empty !\nAction : You must Copy at least one File to use the "
         "Smart Export Feature.",
         "Copy Multiple Files.-From a Folder List - Level.            Warning no: 10061."},
        {frmStatistic10, "btnStat10SmartExportFoldersNotExist",
         "The List of Not Copied (Don't Exist) Main Folder Names is empty !\n",
         "Copy Multiple Files.-From a Folder List - Level.            Warning no: 100071."},
        {frmStatistic10, "btnStat10SmartExportFilesSkipped", "The List of Skipped Files is empty !\n",
         "Copy Multiple Files -From a File List - Level.             Warning no: 100062."},
        {frmStatistic12, "btnStat12SmartExportFoldersNotExist", "The List of Not Existing Folder Names is empty !\n",
         "Rename Multiple Files -From a File List - Level.             Warning no: 120054."},
        {frmStatistic15, "btnStat15SmartExportFilesMissing",
         "The List of Missing  File Names is empty !\nAction : You must have at least one File to use the Smart "
         "Export Feature.",
         "Checking Projects Consistency..            Warning no: 150065."},
    };
    bool exportShown = false;
    ModalScript modal([&](QDialog*) { return exportShown = true, 0; });
    for (const Case& c : cases) {
        boxes.Clear();
        Click(c.log, c.button);
        ASSERT_EQ(boxes.shown().size(), 1u) << c.button;
        EXPECT_EQ(boxes.shown()[0].text, c.text);
        EXPECT_EQ(boxes.shown()[0].caption, c.caption);
        EXPECT_EQ(boxes.shown()[0].flags, plat::MB_OK | plat::MB_ICONWARNING);
        EXPECT_EQ(c.log->focusWidget(), c.log->findChild<QWidget*>(c.button));
    }
    EXPECT_FALSE(exportShown);

    // Page 12 shows lines in a category whose hidden list the page did not
    // write: the export reads the hidden list and warns.
    frmStatistic12->AddLine(TfrmStatistic12::FilesSkipped, "Skipped  Source: C:\\a To Dest: C:\\b");
    boxes.Clear();
    Click(frmStatistic12, "btnStat12SmartExportFilesDropped");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption,
              "Rename Multiple Files -From a File List - Level.             Warning no: 120044.");
    // Its failed-undo list holds one empty line from the start: the export
    // window opens empty instead of the warning.
    boxes.Clear();
    const Exported undo = PressExport(frmStatistic12, "btnStat12SmartExportFilesFailedUndo");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(undo.shown);
    EXPECT_TRUE(undo.preview.empty());
    EXPECT_EQ(undo.count, "0");
}

TEST_F(ResultsWindowsTest, HiddenListsAreWhatSmartExportWrites) {
    TfrmStatistic10& copy = *frmStatistic10;
    copy.AddLine(TfrmStatistic10::FilesCopied, "Copy  Source: C:\\a.txt To Dest: D:\\a.txt");
    copy.AddExportLine(TfrmStatistic10::FilesCopied, "C:\\a.txt,D:\\a.txt");
    copy.AddLine(TfrmStatistic10::FilesExist, "Exists  C:\\b.txt");
    EXPECT_EQ(PressExport(&copy, "btnStat10SmartExportFilesCopied").preview, Lines{"C:\\a.txt,D:\\a.txt"});
    // A worded visible line has no drive part: the export opens empty.
    const Exported exist = PressExport(&copy, "btnStat10SmartExportFilesExist");
    EXPECT_TRUE(exist.shown);
    EXPECT_EQ(exist.count, "0");

    TfrmStatistic15& check = *frmStatistic15;
    check.AddLine(TfrmStatistic15::FilesMissing, "x.doc is Missing from C:\\P1");
    check.AddExportLine(TfrmStatistic15::FilesMissing, "C:\\P1,x.doc");
    EXPECT_EQ(PressExport(&check, "btnStat15SmartExportFilesMissing").preview, Lines{"C:\\P1,x.doc"});

    // Renamed files: deduplicated and tested on the pairs, handed over worded.
    TfrmStatistic12& rename = *frmStatistic12;
    const std::pair<const char*, const char*> renamed[] = {{"C:\\a", "C:\\b"}, {"c:\\a", "C:\\b"}, {"C:\\c", "C:\\d"}};
    for (const auto& [from, to] : renamed) {
        rename.AddLine(TfrmStatistic12::FilesRenamed, std::string("Renamed  Source: ") + from + " To Dest: " + to);
        rename.AddExportLine(TfrmStatistic12::FilesRenamed, std::string(from) + "," + to);
    }
    const Exported r = PressExport(&rename, "btnStat12SmartExportFilesRenamed");
    EXPECT_EQ(r.preview, (Lines{"Renamed  Source: C:\\a To Dest: C:\\b", "Renamed  Source: C:\\c To Dest: C:\\d"}));
}

TEST_F(ResultsWindowsTest, ExportFileIsWhatThePreviewShows) {
    testsupport::TempDrive drive('T');
    drive.WriteFile("keep.txt", "old");
    plat::MessageBoxScript boxes;
    TfrmFileExport& ex = *frmFileExport;
    const auto fill = [&](const Lines& lines, const std::string& kind) {
        ex.ClearExportView();
        ex.ClearExportLines();
        for (const auto& l : lines) ex.AddPreviewLine(l), ex.AddExportLine(l);
        ex.SelectFirstPreviewLine();
        ex.SetListKind(kind);
    };
    // Exports once with the layout set up by `choose`, writing to `target`.
    qtplat::FileDialogRequest asked;
    const auto exportTo = [&](const std::string& target, const std::function<void()>& choose) {
        FileDialogScript dialog(target);
        ModalScript modal([&](QDialog*) {
            choose();
            Click(&ex, "btnFileExportTo");
            return 0;
        });
        ex.ShowModal();
        asked = dialog.asked;
    };
    const auto radio = [&](const char* name) { ex.findChild<QRadioButton*>(name)->click(); };

    fill({"C:\\A", "C:\\B"}, "FOLDERS");
    exportTo(drive.path("plain.txt"), [] {});
    EXPECT_EQ(drive.ReadFile("plain.txt"), "C:\\A\r\nC:\\B\r\n");
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.title, "Export Folder Names (strings) to a file.");
    EXPECT_EQ(asked.filter, "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
    EXPECT_EQ(asked.defaultExtension, "txt");
    EXPECT_FALSE(asked.confirmOverwrite);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "End of the exporting process.");
    EXPECT_EQ(boxes.shown()[0].caption, kProgramTitle);
    EXPECT_EQ(LabelText(&ex, "lblSmartExportExported"), "2");

    exportTo(drive.path("semi.csv"), [&] {
        radio("rdoFileExportCSVSeparatedFile");
        ex.findChild<QComboBox*>("cboFileExportDelimiter")->setEditText(";");
        ex.findChild<QCheckBox*>("chkFileExportQuotationMarks")->setChecked(true);
    });
    EXPECT_EQ(drive.ReadFile("semi.csv"), "\"C:\\A\";\"C:\\B\";");
    exportTo(drive.path("space.csv"), [&] {
        ex.findChild<QComboBox*>("cboFileExportDelimiter")->setEditText("space");
        ex.findChild<QCheckBox*>("chkFileExportQuotationMarks")->setChecked(false);
        radio("rdoExportWithForwardSlashes");
        radio("rdoFileExportWithoutDriveLetters");
    });
    EXPECT_EQ(drive.ReadFile("space.csv"), "/A /B ");  // C:\A and C:\B lose their drive, then differ still
    radio("rdoFileExportPlainTextFile");
    radio("rdoExportWithBackSlashes");
    radio("rdoFileExportWithDriveLetters");

    // "STRINGS": the drive is always cut and cannot be chosen back.
    fill({"C:\\A", "D:\\A", "E:\\B"}, "STRINGS");
    exportTo(drive.path("strings.txt"),
             [&] { EXPECT_FALSE(ex.findChild<QRadioButton*>("rdoFileExportWithDriveLetters")->isEnabled()); });
    EXPECT_EQ(drive.ReadFile("strings.txt"), "\\A\r\n\\B\r\n");

    // A write that fails reports it, keeps the old file and does not claim success.
    fill({"C:\\A"}, "FOLDERS");
    drive.MakeFolder("folder");
    boxes.Clear();
    exportTo(drive.path("folder"), [] {});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Export Conrent to File.            Warning no: 0330.");
    EXPECT_EQ(boxes.shown()[0].text, "There was a problem saving the file !\nAction : The file is maybe corrupted.");

    // A line the syntax check refuses stops the export before the dialog.
    fill({"C:\\A", "C:\\\"B\""}, "FOLDERS");
    boxes.Clear();
    exportTo(drive.path("keep.txt"), [] {});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Export Content to a File.            Warning no: 0385bc.");
    EXPECT_EQ(drive.ReadFile("keep.txt"), "old");

    // A cancelled dialog writes nothing and says nothing; an empty preview
    // writes an empty file.
    fill({}, "FOLDERS");
    boxes.Clear();
    exportTo("", [] {});
    EXPECT_TRUE(boxes.shown().empty());
    exportTo(drive.path("keep.txt"), [] {});
    EXPECT_EQ(drive.ReadFile("keep.txt"), "");
}

// The exported bytes, pinned for lines with duplicates (a drive letter's
// case, equal after the conversion) and lines that are not (names apart
// from their case, Latin-1 capitals), drive letters, server paths and
// non-ASCII text, in the four layouts, through the whole Smart Export.
TEST_F(ResultsWindowsTest, SmartExportWritesPinnedBytes) {
    testsupport::TempDrive drive('T');
    plat::MessageBoxScript boxes;
    TfrmStatistic02& log = *frmStatistic02;
    log.ClearLists();
    Lines lines = {"C:\\Projects\\Alpha",
                   "c:\\PROJECTS\\alpha",
                   "D:\\Projects\\Alpha",
                   "Projects\\NoDrive",
                   "\\\\server\\share\\\xC3\x84",
                   "\\\\SERVER\\share\\\xC3\xA4",
                   "E:/Mixed//Slashes\\\\Here",
                   "E:\\Mixed\\Slashes\\Here",
                   "F:\\\xC3\x89lan\\Stra\xC3\x9F" "e",
                   "f:\\\xC3\xA9lan\\STRASSE",
                   "F:\\\xC3\x97",
                   "F:\\\xC3\xB7",
                   "  G:\\Leading blank",
                   "H:\\\xCE\xA9",
                   "H:\\\xCF\x89"};
    // Capitals and marks at every position of an eight-byte word.
    Lines kept, keptWithoutDrive;
    for (int k = 0; k < 18; ++k) {
        const std::string a(static_cast<std::size_t>(k), 'a'), upper(static_cast<std::size_t>(k), 'A');
        lines.push_back("J:\\" + a + "\xC3\x84" + "b");
        lines.push_back("j:\\" + upper + "\xC3\xA4" + "B");
        lines.push_back("K:\\" + a + "\xE2\x80\x9E");
        lines.push_back("K:\\" + a + "\xE2\x80\xBE");
        for (const std::string& line : {"J:\\" + a + "\xC3\x84" + "b", "j:\\" + upper + "\xC3\xA4" + "B",
                                        "K:\\" + a + "\xE2\x80\x9E", "K:\\" + a + "\xE2\x80\xBE"}) {
            kept.push_back(line);
            keptWithoutDrive.push_back(line.substr(2));
        }
    }
    for (const auto& line : lines) log.AddLine(TfrmStatistic02::FoldersCreated, line);

    TfrmFileExport& ex = *frmFileExport;
    const auto radio = [&](const char* name) { ex.findChild<QRadioButton*>(name)->click(); };
    const auto exportAs = [&](const std::string& file, const std::function<void()>& choose) {
        FileDialogScript dialog(drive.path(file));
        ModalScript modal([&](QDialog*) {
            choose();
            Click(&ex, "btnFileExportTo");
            return 0;
        });
        Click(&log, "btnStat02SmartExportFolders");
        return drive.ReadFile(file);
    };
    const auto joined = [](const Lines& items, const std::string& before, const std::string& after) {
        std::string out;
        for (const auto& item : items) out += before + item + after;
        return out;
    };
    const auto forward = [](std::string text) {
        for (char& c : text)
            if (c == '\\') c = '/';
        return text;
    };

    const Lines withDrives = {"C:\\Projects\\Alpha", "c:\\PROJECTS\\alpha", "D:\\Projects\\Alpha",
                              "\\server\\share\\\xC3\x84", "\\SERVER\\share\\\xC3\xA4", "E:\\Mixed\\Slashes\\Here", "F:\\\xC3\x89lan\\Stra\xC3\x9F" "e",
                              "f:\\\xC3\xA9lan\\STRASSE", "F:\\\xC3\x97", "F:\\\xC3\xB7", "  G:\\Leading blank",
                              "H:\\\xCE\xA9", "H:\\\xCF\x89"};
    const Lines withoutDrives = {"\\Projects\\Alpha", "\\PROJECTS\\alpha", "\\server\\share\\\xC3\x84",
                                 "\\SERVER\\share\\\xC3\xA4", "\\Mixed\\Slashes\\Here",
                                 "\\\xC3\x89lan\\Stra\xC3\x9F" "e", "\\\xC3\xA9lan\\STRASSE", "\\\xC3\x97",
                                 "\\\xC3\xB7", "\\Leading blank", "\\\xCE\xA9", "\\\xCF\x89"};
    EXPECT_EQ(exportAs("a.txt", [] {}), joined(withDrives, "", "\r\n") + joined(kept, "", "\r\n"));
    EXPECT_EQ(exportAs("b.txt", [&] { radio("rdoFileExportWithoutDriveLetters"); }),
              joined(withoutDrives, "", "\r\n") + joined(keptWithoutDrive, "", "\r\n"));
    EXPECT_EQ(exportAs("c.csv",
                       [&] {
                           radio("rdoFileExportWithDriveLetters");
                           radio("rdoExportWithForwardSlashes");
                           radio("rdoFileExportCSVSeparatedFile");
                           ex.findChild<QComboBox*>("cboFileExportDelimiter")->setEditText(";");
                           ex.findChild<QCheckBox*>("chkFileExportQuotationMarks")->setChecked(true);
                       }),
              forward(joined(withDrives, "\"", "\";") + joined(kept, "\"", "\";")));
    EXPECT_EQ(exportAs("d.csv",
                       [&] {
                           radio("rdoFileExportWithoutDriveLetters");
                           ex.findChild<QComboBox*>("cboFileExportDelimiter")->setEditText("space");
                           ex.findChild<QCheckBox*>("chkFileExportQuotationMarks")->setChecked(false);
                       }),
              forward(joined(withoutDrives, "", " ") + joined(keptWithoutDrive, "", " ")));
    radio("rdoFileExportPlainTextFile");
    radio("rdoExportWithBackSlashes");
    radio("rdoFileExportWithDriveLetters");

    // A rename log hands over the visible line of each distinct hidden one:
    // visible lines equal but for the drive letter's case still go out once.
    TfrmStatistic12& renames = *frmStatistic12;
    renames.ClearLists();
    const Lines hidden = {"C:\\R\\a1", "c:\\R\\a1", "C:\\R\\a2", "C:\\R\\a3", "C:\\R\\\xC3\x84"};
    const Lines visible = {"C:\\R\\Same", "C:\\R\\skipped", "c:\\R\\Same", "C:\\R\\Other", "C:\\R\\\xC3\xA4"};
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        renames.AddLine(TfrmStatistic12::FilesRenamed, visible[i]);
        renames.AddExportLine(TfrmStatistic12::FilesRenamed, hidden[i]);
    }
    FileDialogScript dialog(drive.path("r.txt"));
    ModalScript modal([&](QDialog*) {
        Click(&ex, "btnFileExportTo");
        return 0;
    });
    Click(&renames, "btnStat12SmartExportFilesRenamed");
    EXPECT_EQ(drive.ReadFile("r.txt"), "C:\\R\\Same\r\nC:\\R\\Other\r\nC:\\R\\\xC3\xA4\r\n");

    // A line the folder-name check refuses, found while the preview was made.
    log.AddLine(TfrmStatistic02::FoldersCreated, "C:\\" + std::string(20, 'q') + "?");
    boxes.Clear();
    Click(&log, "btnStat02SmartExportFolders");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Export Content to a File.            Warning no: 0385bc.");
    EXPECT_EQ(drive.ReadFile("r.txt"), "C:\\R\\Same\r\nC:\\R\\Other\r\nC:\\R\\\xC3\xA4\r\n");
}

// One drive's distinct lines are handed over as the list holds them and
// their preview is made without comparing them; a line equal but for case,
// or one of another drive, takes the comparing way. The bytes are the same.
TEST_F(ResultsWindowsTest, SmartExportOfOneDrivesLinesWritesTheSameBytes) {
    testsupport::TempDrive drive('T');
    plat::MessageBoxScript boxes;
    TfrmStatistic02& log = *frmStatistic02;
    TfrmFileExport& ex = *frmFileExport;
    const auto radio = [&](const char* name) { ex.findChild<QRadioButton*>(name)->click(); };
    const auto exportAs = [&](const char* drives, const char* slashes) {
        FileDialogScript dialog(drive.path("one.txt"));
        ModalScript modal([&](QDialog*) {
            radio(drives);
            radio(slashes);
            Click(&ex, "btnFileExportTo");
            return 0;
        });
        Click(&log, "btnStat02SmartExportFolders");
        return drive.ReadFile("one.txt");
    };
    const std::string expected[4] = {
        "C:\\Jobs\\A\r\nc:\\Jobs\\\xC3\x84lan\r\nC:\\Jobs\\\xC3\xA4lan\\x y\r\n",
        "\\Jobs\\A\r\n\\Jobs\\\xC3\x84lan\r\n\\Jobs\\\xC3\xA4lan\\x y\r\n",
        "C:/Jobs/A\r\nc:/Jobs/\xC3\x84lan\r\nC:/Jobs/\xC3\xA4lan/x y\r\n",
        "/Jobs/A\r\n/Jobs/\xC3\x84lan\r\n/Jobs/\xC3\xA4lan/x y\r\n"};
    for (const char* extra : {"", "c:\\Jobs\\A", "D:\\Jobs\\A"}) {
        log.ClearLists();
        for (const char* line : {"C:\\Jobs\\A", "c:\\Jobs\\\xC3\x84lan", "C:\\Jobs\\\xC3\xA4lan\\x y"})
            log.AddLine(TfrmStatistic02::FoldersCreated, line);
        if (*extra) log.AddLine(TfrmStatistic02::FoldersCreated, extra);
        // Another drive's line differs once its drive is cut: it stays.
        const std::string other = *extra == 'D' ? "D:\\Jobs\\A\r\n" : "";
        EXPECT_EQ(exportAs("rdoFileExportWithDriveLetters", "rdoExportWithBackSlashes"), expected[0] + other) << extra;
        EXPECT_EQ(exportAs("rdoFileExportWithoutDriveLetters", "rdoExportWithBackSlashes"), expected[1]) << extra;
        EXPECT_EQ(exportAs("rdoFileExportWithDriveLetters", "rdoExportWithForwardSlashes"),
                  expected[2] + (other.empty() ? "" : "D:/Jobs/A\r\n"))
            << extra;
        EXPECT_EQ(exportAs("rdoFileExportWithoutDriveLetters", "rdoExportWithForwardSlashes"), expected[3]) << extra;
    }
    radio("rdoFileExportWithDriveLetters");
    radio("rdoExportWithBackSlashes");
}

// What the lines hold is gathered in stretches while they are compared: a
// slash to convert or a sign to refuse far down a long list still counts.
TEST_F(ResultsWindowsTest, SmartExportOfManyLinesFindsLateSlashesAndSigns) {
    testsupport::TempDrive drive('T');
    plat::MessageBoxScript boxes;
    TfrmStatistic02& log = *frmStatistic02;
    log.ClearLists();
    std::string expected;
    for (int i = 0; i < 10000; ++i) {
        const std::string line = "C:\\Jobs\\" + std::to_string(i);
        log.AddLine(TfrmStatistic02::FoldersCreated, i == 9998 ? "C:/Late//Slash" : line);
        expected += (i == 9998 ? std::string("C:\\Late\\Slash") : line) + "\r\n";
    }
    FileDialogScript dialog(drive.path("many.txt"));
    ModalScript modal([&](QDialog*) {
        Click(frmFileExport, "btnFileExportTo");
        return 0;
    });
    Click(&log, "btnStat02SmartExportFolders");
    EXPECT_EQ(drive.ReadFile("many.txt"), expected);

    log.AddLine(TfrmStatistic02::FoldersCreated, "C:\\Jobs\\<late>");
    boxes.Clear();
    Click(&log, "btnStat02SmartExportFolders");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Export Content to a File.            Warning no: 0385bc.");
    EXPECT_EQ(drive.ReadFile("many.txt"), expected);
}

// The copy-files and rename-files logs: the list of files done, whose lines
// hold two paths, is at least twice as wide as each of the mostly empty
// failure lists (as wide as the three together at the window's own size),
// and the lists of name conflicts (two paths too) are no narrower than the
// failed-undo list, at the size the windows had before and at their own.
TEST_F(ResultsWindowsTest, ListsOfLongLinesGetTheRoom) {
    struct Log {
        QWidget* window;
        const char* done;
        std::vector<const char*> failed, conflicts;
        const char* undo;
    };
    const Log logs[] = {
        {frmStatistic10, "lstStat10FilesCopied",
         {"lstStat10FilesExist", "lstStat10FilesOtherReasons", "lstStat10FoldersNotExists"},
         {"lstStat10FilesOverWrited", "lstStat10FilesSkipped", "lstStat10FilesIncreasedFileNames"},
         "lstStat10FilesFailedUndo"},
        {frmStatistic12, "lstStat12FilesRenamed",
         {"lstStat12FilesSourceNotExist", "lstStat12FilesOtherReasons", "lstStat12FoldersNotExist"},
         {"lstStat12FilesSkipped", "lstStat12FilesOverWrited", "lstStat12FilesIncreasedFileNames",
          "lstStat12FilesIncreasedTypes"},
         "lstStat12FilesFailedUndo"},
    };
    const auto width = [](QWidget* window, const char* name) {
        const auto* view = window->findChild<QListView*>(QString::fromLatin1(name));
        EXPECT_NE(view, nullptr) << name;
        return view ? view->width() : 0;
    };
    for (const Log& log : logs) {
        SCOPED_TRACE(log.window->objectName().toStdString());
        EXPECT_GE(log.window->width(), 1200);
        log.window->show();
        for (const QSize size : {QSize(1000, 680), QSize(1200, 680)}) {
            log.window->resize(size);
            log.window->layout()->activate();
            int failed = 0;
            const int done = width(log.window, log.done);
            for (const char* name : log.failed) {
                failed += width(log.window, name);
                EXPECT_GE(done, 2 * width(log.window, name)) << name;
            }
            EXPECT_GT(done, size.width() * 2 / 5) << size.width();
            if (size.width() >= 1200) {
                EXPECT_GE(done, failed - 20);
            }
            for (const char* name : log.conflicts)
                EXPECT_GE(width(log.window, name), width(log.window, log.undo) - 10) << name;
        }
        log.window->hide();
    }
}

// The rename-folders log: its list of renamed folders takes half of its row,
// twice as wide as each of the three lists of folders not renamed beside it,
// and the window opens on a 1366 px screen.
TEST_F(ResultsWindowsTest, RenamedFoldersGetTheRoom) {
    QWidget* log = frmStatistic06;
    const auto width = [log](const char* name) {
        const auto* view = log->findChild<QListView*>(QString::fromLatin1(name));
        EXPECT_NE(view, nullptr) << name;
        return view ? view->width() : 0;
    };
    EXPECT_GE(log->width(), 1100);  // as it opens, before a screen narrower than 1366 px fits it
    log->show();
    log->resize(std::max(log->width(), 1100), log->height());  // as a 1366 px screen leaves it
    log->layout()->activate();
    const int done = width("lstStat06FoldersRenamed");
    EXPECT_GT(done, log->width() * 2 / 5);
    for (const char* name :
         {"lstStat06FoldersSourceNotExists", "lstStat06FoldersDestinationExists", "lstStat06FoldersOtherReasons"})
        EXPECT_GE(done, 2 * width(name)) << name;
    log->hide();
}

TEST_F(ResultsWindowsTest, IncludeZoomShowsOnlyTheListItWasOpenedFrom) {
    int shown = 0;
    ModalScript modal([&](QDialog* dialog) { return shown += dialog == frmZoomIncludeWindow, 0; });
    // A line once: "B" and "b" are two folders, "c:" is "C:".
    frmZoomIncludeWindow->ShowZoom(StringList{"A", "b", "B", "C:\\x", "c:\\x"});
    EXPECT_EQ(ViewLines(frmZoomIncludeWindow, "lstZoomIncludeWindow"), (Lines{"A", "b", "B", "C:\\x"}));
    frmZoomIncludeWindow->ShowZoom(StringList{"A", "b", "B"});
    EXPECT_EQ(ViewLines(frmZoomIncludeWindow, "lstZoomIncludeWindow"), (Lines{"A", "b", "B"}));
    frmZoomIncludeWindow->ShowZoom(StringList{"C:\\Other"});
    EXPECT_EQ(ViewLines(frmZoomIncludeWindow, "lstZoomIncludeWindow"), Lines{"C:\\Other"});
    EXPECT_EQ(shown, 3);
}

TEST(LevelSummary, OneRowPerLevelAndTheTotals) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("Jobs\\Alpha\\One\\Deep");
    drive.MakeFolder("Jobs\\Alpha\\Two");
    drive.WriteFile("Jobs\\Alpha\\Two\\f.txt", "twelve bytes");
    frmLevelSummFolder = new TfrmLevelSummFolder;
    FolderStructSize size(drive.path("Jobs\\Alpha"));
    size.Examine();
    int shown = 0;
    {
        ModalScript modal([&](QDialog* dialog) { return shown += dialog == frmLevelSummFolder, 0; });
        ShowLevelSummary2(size);
    }
    EXPECT_EQ(shown, 1);
    auto* view = frmLevelSummFolder->findChild<QTableWidget*>("lstViewLevelSummFolder");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->showGrid());
    ASSERT_EQ(view->rowCount(), 3);
    Lines rows;
    for (int i = 0; i < 3; ++i)
        rows.push_back(view->item(i, 0)->text().toStdString() + ":" + view->item(i, 1)->text().toStdString());
    EXPECT_EQ(rows, (Lines{"1:1", "2:2", "3:1"}));
    EXPECT_EQ(LabelText(frmLevelSummFolder, "lblLevelSummFolderName"), drive.path("Jobs\\Alpha"));
    EXPECT_EQ(LabelText(frmLevelSummFolder, "lblLevelSummFolderSum"), "3");
    EXPECT_EQ(LabelText(frmLevelSummFolder, "lblLevelSummFileSum"), "1");
    EXPECT_EQ(LabelText(frmLevelSummFolder, "lblLevelSummFileSize"), "12.00 Bytes  (12 bytes).");
    delete frmLevelSummFolder;
    frmLevelSummFolder = nullptr;

    TfrmFolderViews views;
    plat::MessageBoxScript boxes;
    views.btnFolderViewsExplorerClick();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "SubTierwick.            Warning no: 0574.");
}

// The views ask the list for each row's index: only rows already flushed to
// the screen have one, in the one column, at the top level.
TEST(ResultsListModel, IndexesOnlyForShownRows) {
    ResultsListModel list;
    list.Append("C:\\Jobs\\A");
    EXPECT_FALSE(list.index(0).isValid());  // not flushed yet
    list.FlushChanges();
    list.Append("C:\\Jobs\\B");
    const QModelIndex first = list.index(0);
    ASSERT_TRUE(first.isValid());
    EXPECT_EQ(first.data().toString(), QStringLiteral("C:\\Jobs\\A"));
    EXPECT_EQ(first.model(), &list);
    for (const QModelIndex& none : {list.index(1), list.index(-1), list.index(0, 1), list.index(0, 0, first)})
        EXPECT_FALSE(none.isValid());
    list.FlushChanges();
    EXPECT_EQ(list.index(1).data().toString(), QStringLiteral("C:\\Jobs\\B"));
    EXPECT_EQ(list.sibling(0, 0, list.index(1)), first);
}
