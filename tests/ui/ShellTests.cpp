// Start-up, restore modes, profiles and exit of the main window, run in a
// program folder on a temporary drive.
#include <gtest/gtest.h>

#include <fstream>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QHelpEvent>
#include <QToolTip>
#include <QApplication>
#include <QRegularExpression>
#include <unistd.h>

#include <QDialog>
#include <QTimer>
#include <cerrno>
#include <csignal>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "pages/PageCommon.h"
#include "pages/checker/Vol15Page.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/folders/Vol08Page.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtPlatform.h"
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
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/SessionEnd.h"
#include "shell/SettingsBridge.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "windows/ListTools.h"
#include "windows/TfrmDelimiters.h"

namespace fs = std::filesystem;
using pagekit::ListItems;

namespace {

template <class T>
T* C(const char* name) {
    return frmMain->findChild<T*>(QString::fromUtf8(name));
}

std::string Text(const char* edit) { return C<QLineEdit>(edit)->text().toStdString(); }

bool BoxShown(const plat::MessageBoxScript& boxes, const std::string& captionPart) {
    for (const auto& box : boxes.shown())
        if (box.caption.find(captionPart) != std::string::npos) return true;
    return false;
}

// What the start window looked like when it was shown.
struct StartWindowSeen {
    int shown = 0;
    bool allEnabled = false, settingsEnabled = false, defaultsEnabled = false, defaultsChecked = false;
    bool noteShown = false;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        drive.MakeFolder("prog");
        oldCwd = fs::current_path();
        fs::current_path(drive.nativePath("prog"));
        NewProcess();
    }
    void TearDown() override {
        DestroyAppWindows();
        qtplat::SetModalHandler({});
        qtplat::SetFileDialogHandler({});
        fs::current_path(oldCwd);
    }

    // The store and the state words as a fresh process has them.
    void NewProcess() {
        ResetSettingsToInitialValues();
        ResetStartStateWords();
    }

    // Creates the windows and runs the first activation; the start window,
    // when shown, is answered with `choice` (null: OK as it opened).
    void Start(const char* choice = nullptr, bool remember = false) {
        qtplat::SetModalHandler([this, choice, remember](QDialog* dialog) {
            auto* start = qobject_cast<TfrmRestoreSettings*>(dialog);
            if (!start) return int(QDialog::Rejected);
            auto w = [start](const char* name) { return start->findChild<QAbstractButton*>(name); };
            seen.shown++;
            frmMain->FormActivate();  // the platform may activate the main window meanwhile
            seen.allEnabled = w("rdoRestoreSettingsLastSavedAll")->isEnabled();
            seen.settingsEnabled = w("rdoRestoreSettingsLastSavedSettings")->isEnabled();
            seen.defaultsEnabled = w("rdoRestoreSettingsDefaults")->isEnabled();
            seen.defaultsChecked = w("rdoRestoreSettingsDefaults")->isChecked();
            seen.noteShown = !start->findChild<QLabel*>("lblRestoreSettingsFirstRun")->isHidden();
            if (choice) w(choice)->setChecked(true);
            w("chkRestoreSettingsRememberTheAnswer")->setChecked(remember);
            w("btnRestoreSettingsOk")->click();
            return dialog->result();
        });
        seen = {};
        CreateAppWindows();
        frmMain->FormActivate();
    }

    // Closes the main window (which saves) and ends the "process".
    void Exit() {
        frmMain->close();
        DestroyAppWindows();
        NewProcess();
    }
    // Ends without closing the main window: nothing is saved.
    void Kill() {
        DestroyAppWindows();
        NewProcess();
    }

    void AnswerFileDialog(const std::string& path) {
        qtplat::SetFileDialogHandler([path](const qtplat::FileDialogRequest&) { return path; });
    }

    std::string SettingsFile() const { return drive.path("prog\\default.set"); }

    testsupport::TempDrive drive{'P'};
    fs::path oldCwd;
    plat::MessageBoxScript boxes;
    StartWindowSeen seen;
};

TEST_F(ShellTest, FirstStartWritesDefaultsAndOffersOnlyTheDefaults) {
    Start();
    EXPECT_EQ(GetProgramFolder(), drive.path("prog"));
    EXPECT_TRUE(IsSettingsFile(SettingsFile()));
    for (const char* sub : {"", "\\COPYFILES", "\\RENAMEFILES", "\\COPYFILESSIMUL", "\\RENAMEFILESSIMUL",
                            "\\CONSISTENCYCHECK"})
        EXPECT_TRUE(fs::is_directory(drive.nativePath(std::string("prog\\WorkingDir") + sub))) << sub;
    EXPECT_EQ(GetWorkingDirCopyFiles(), drive.path("prog\\WorkingDir\\COPYFILES"));
    EXPECT_EQ(GetDelimList().size(), 17u);
    EXPECT_EQ(GetDefaultsCreatedState(), 1);

    EXPECT_EQ(seen.shown, 1);
    EXPECT_FALSE(seen.allEnabled);
    EXPECT_FALSE(seen.settingsEnabled);
    EXPECT_TRUE(seen.defaultsEnabled);
    EXPECT_TRUE(seen.defaultsChecked);
    EXPECT_TRUE(seen.noteShown);
    EXPECT_EQ(GetRestoreMode(), 1);
    EXPECT_EQ(GetFirstActivationState(), 1);
    EXPECT_TRUE(boxes.shown().empty());

    // Later activations only refresh; each file-type list holds one line.
    frmMain->FormActivate();
    EXPECT_EQ(seen.shown, 1);
    EXPECT_EQ(ListItems(C<QListWidget>("lstVol10FileTypesAllSelected")), StringList{"All (*.*)."});
    SetFileSelNamesText("*.txt");
    frmMain->FormActivate();
    EXPECT_EQ(ListItems(C<QListWidget>("lstVol15FileTypesAllSelected")), StringList{"*.txt"});

    // A run switches whole tab sheets off; the pages' own controls keep their state.
    frmMain->SetTabSheetEnabled("tabFolderCopy", false);
    EXPECT_FALSE(C<QTabWidget>("pgcFolderOperations")->isTabEnabled(0));
    EXPECT_TRUE(pagekit::IsOwnEnabled(C<QWidget>("lstVol08IncludeFolderList")));
    EXPECT_FALSE(C<QWidget>("lstVol08IncludeFolderList")->isEnabled());
    frmMain->SetTabSheetEnabled("tabFolderCopy", true);
    EXPECT_TRUE(C<QWidget>("lstVol08IncludeFolderList")->isEnabled());

    // The empty pages are switched off; the AddToList edits too until a destination exists.
    EXPECT_FALSE(C<QWidget>("edtVol02Prefix")->isEnabled());
    EXPECT_FALSE(C<QWidget>("lstVol04AddFolderStructure")->isEnabled());
    EXPECT_EQ(Text("edtVol03StartNumber"), "1");
}

// Every "Lines:" count of the pages reads 0 while its list is empty: at start
// and after Clear All has emptied a structure list.
TEST_F(ShellTest, LineCountsShowZeroForEmptyLists) {
    Start();
    const auto sums = [] {
        std::map<std::string, std::string> out;
        for (const QLabel* label : frmMain->findChildren<QLabel*>(QRegularExpression("^lblVol\\d\\d\\w*Sum$")))
            out[label->objectName().toStdString()] = label->text().toStdString();
        return out;
    };
    const auto started = sums();
    EXPECT_GE(started.size(), 24u);  // the pages' own, and their editors'
    for (const auto& [name, text] : started) EXPECT_EQ(text, "0") << name;

    const std::pair<const char*, std::function<void()>> pages[] = {
        {"Vol02", [] { frmMain->Page02->btnVol02ClearAllClick(); }},
        {"Vol03", [] { frmMain->Page03->btnVol03ClearAllClick(); }},
        {"Vol04", [] { frmMain->Page04->btnVol04ClearAllClick(); }},
        {"Vol08", [] { frmMain->Page08->btnVol08ClearAllClick(); }},
        {"Vol15", [] { frmMain->Page15->btnVol15ClearAllClick(); }},
    };
    for (const auto& [page, clearAll] : pages) {
        const std::string list = std::string("lst") + page + "AddFolderStructure";
        const std::string sum = std::string("lbl") + page + "FolderStructuresTemplatesSum";
        listtools::SetListLines(C<QListWidget>(list.c_str()), StringList{drive.path("Model")});
        boxes.Queue(plat::IDYES);
        clearAll();
        EXPECT_EQ(C<QListWidget>(list.c_str())->count(), 0) << page;
        EXPECT_EQ(C<QLabel>(sum.c_str())->text().toStdString(), "0") << page;
    }
}

TEST_F(ShellTest, ProgramFolderAtADriveRootKeepsAnExistingWorkingTree) {
    drive.WriteFile("WorkingDir\\COPYFILES\\kept.txt", "mine");
    fs::current_path(drive.native());
    Start();
    EXPECT_EQ(GetProgramFolder(), drive.path());
    EXPECT_TRUE(IsSettingsFile(drive.path("default.set")));
    EXPECT_TRUE(fs::is_directory(drive.nativePath("WorkingDir\\CONSISTENCYCHECK")));
    // A working copy no undo record names any more goes to the trash, not away.
    EXPECT_FALSE(drive.Exists("WorkingDir\\COPYFILES\\kept.txt"));
    std::ifstream trashed(std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/files/kept.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(trashed), {}), "mine");
}

TEST_F(ShellTest, RestoreModesBringBackWhatTheLastExitSaved) {
    Start();
    C<QLineEdit>("edtVol02AddToList")->setText("add");
    C<QLineEdit>("edtVol02Prefix")->setText("pre");
    C<QCheckBox>("chkVol07DeleteDoubleConfirm")->setChecked(false);
    C<QRadioButton>("rdoVol06RenameTheLastSubFolder")->setChecked(true);
    C<QListWidget>("lstVol06IncludeFolderList")->addItems({"C:\\a", "C:\\b"});
    C<QComboBox>("cboVol02DestFolders")->addItems({"C:\\d1", "C:\\d2"});
    C<QComboBox>("cboVol02DestFolders")->setCurrentIndex(1);
    Exit();

    // Mode 3: settings and lists, and the pages enabled by their contents.
    Start("rdoRestoreSettingsLastSavedAll");
    EXPECT_EQ(seen.shown, 1);
    EXPECT_TRUE(seen.allEnabled);
    EXPECT_FALSE(seen.noteShown);
    EXPECT_EQ(Text("edtVol02Prefix"), "pre");
    EXPECT_FALSE(C<QCheckBox>("chkVol07DeleteDoubleConfirm")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol06RenameTheLastSubFolder")->isChecked());
    EXPECT_EQ(ListItems(C<QListWidget>("lstVol06IncludeFolderList")), (StringList{"C:\\a", "C:\\b"}));
    EXPECT_EQ(C<QComboBox>("cboVol02DestFolders")->currentText().toStdString(), "C:\\d2");
    EXPECT_TRUE(C<QWidget>("edtVol06RenameNewLastSubFolder")->isEnabled());
    EXPECT_FALSE(C<QWidget>("edtVol06NewPrefix")->isEnabled());
    EXPECT_FALSE(C<QWidget>("edtVol02Prefix")->isEnabled());  // no Include strings on page 02
    Kill();

    // Mode 1: the form's own values, nothing restored.
    Start("rdoRestoreSettingsDefaults");
    EXPECT_EQ(Text("edtVol02Prefix"), "");
    EXPECT_TRUE(C<QCheckBox>("chkVol07DeleteDoubleConfirm")->isChecked());
    EXPECT_EQ(C<QListWidget>("lstVol06IncludeFolderList")->count(), 0);
    Kill();

    // Mode 2: settings with empty lists; every option stays disabled but the AddToList edits.
    Start("rdoRestoreSettingsLastSavedSettings", /*remember=*/true);
    EXPECT_EQ(Text("edtVol02Prefix"), "pre");
    EXPECT_FALSE(C<QWidget>("edtVol02Prefix")->isEnabled());
    EXPECT_EQ(Text("edtVol02AddToList"), "add");
    EXPECT_TRUE(C<QWidget>("edtVol02AddToList")->isEnabled());
    EXPECT_FALSE(C<QWidget>("lblVol12NewPrefixCimke")->isEnabled());
    EXPECT_EQ(C<QListWidget>("lstVol06IncludeFolderList")->count(), 0);
    EXPECT_EQ(C<QAction>("EnableStartWindowForRestoreSettings")->text().toStdString(),
              "Click to Show Startup Window again.");
    Exit();

    // Remembered: no start window, the stored mode (2) applied silently.
    Start();
    EXPECT_EQ(seen.shown, 0);
    EXPECT_EQ(Text("edtVol02Prefix"), "pre");
    frmMain->EnableStartWindowForRestoreSettingsClick();
    EXPECT_EQ(GetStartWindowState(), 2);
    EXPECT_TRUE(C<QAction>("EnableStartWindowForRestoreSettings")->isChecked());
    Exit();
    Start();
    EXPECT_EQ(seen.shown, 1);
}

TEST_F(ShellTest, DefaultsOfferTheDestinationHistoryAndRememberedModesNeedNoWindow) {
    Start();
    C<QComboBox>("cboVol02DestFolders")->addItems({"C:\\d1", "C:\\d2"});
    C<QListWidget>("lstVol07IncludeFolderList")->addItem("C:\\del");
    Exit();

    // The history is offered, but no destination is chosen for the user.
    Start("rdoRestoreSettingsDefaults");
    EXPECT_EQ(C<QComboBox>("cboVol02DestFolders")->count(), 2);
    EXPECT_EQ(C<QComboBox>("cboVol02DestFolders")->currentText().toStdString(), "");
    EXPECT_EQ(C<QListWidget>("lstVol07IncludeFolderList")->count(), 0);
    Kill();

    // "Last used Settings and Folders" remembered: restored without asking.
    Start("rdoRestoreSettingsLastSavedAll", /*remember=*/true);
    Exit();
    Start();
    EXPECT_EQ(seen.shown, 0);
    EXPECT_EQ(ListItems(C<QListWidget>("lstVol07IncludeFolderList")), StringList{"C:\\del"});
    EXPECT_TRUE(C<QWidget>("chkVol07ShowDetailedResults")->isEnabled());
}

TEST_F(ShellTest, EveryBridgeRowNamesAControlOfItsKind) {
    Start();
    std::size_t controls = 0, disabled = 0, lists = 0, combos = 0;
    for (const BridgePage& page : BridgePages()) {
        for (const BridgeControl& row : page.controls) {
            auto* control = C<QWidget>(row.control);
            ASSERT_NE(control, nullptr) << row.control;
            EXPECT_TRUE(row.getFlag ? qobject_cast<QAbstractButton*>(control) != nullptr
                                    : qobject_cast<QLineEdit*>(control) != nullptr)
                << row.control;
        }
        for (const char* name : page.alsoDisabled) EXPECT_NE(C<QWidget>(name), nullptr) << name;
        for (const BridgeList& row : page.lists) EXPECT_NE(C<QListWidget>(row.list), nullptr) << row.list;
        for (const BridgeCombo& row : page.combos) EXPECT_NE(C<QComboBox>(row.combo), nullptr) << row.combo;
        controls += page.controls.size();
        disabled += page.alsoDisabled.size();
        lists += page.lists.size();
        combos += page.combos.size();
    }
    EXPECT_EQ(controls, 96u);
    EXPECT_EQ(disabled, 69u);
    EXPECT_EQ(lists, 24u);
    EXPECT_EQ(combos, 2u);
    EXPECT_EQ(BridgePagesInSaveOrder().size(), BridgePages().size());
}

TEST_F(ShellTest, ExitWritesTheSettingsFile) {
    Start();
    C<QLineEdit>("edtVol12NewPrefix")->setText("np");
    C<QListWidget>("lstVol15ExcludeFolderList")->addItems({"C:\\x", "", "C:\\x"});
    frmMain->close();
    ResetSettingsToInitialValues();
    RestoreClass restore(SettingsFile());
    restore.ClearLists();
    restore.Restore();
    EXPECT_EQ(GetVol12NewPrefix(), "np");
    // Saved as the list box shows it, empty and repeated items included.
    EXPECT_EQ(GetVol15ExcludeFolderList(), (StringList{"C:\\x", "", "C:\\x"}));
}

// SIGTERM (a logout) and the end of the desktop session close the program as
// File > Exit does: what was changed since the last exit is saved, and the
// program ends even with a modal window open.
TEST_F(ShellTest, TermSignalAndSessionEndCloseAsExitDoes) {
    const auto savedPrefix = [this] {
        ResetSettingsToInitialValues();
        RestoreClass restore(SettingsFile());
        restore.ClearLists();
        restore.Restore();
        return GetVol02Prefix();
    };
    const auto run = [] {
        // A hang fails, it does not block; the guard ends with the loop, so
        // that it never ends a later test's.
        QTimer hang;
        hang.setSingleShot(true);
        QObject::connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        hang.start(10000);
        return QApplication::exec();
    };
    Start();
    InstallSessionEnd();
    C<QLineEdit>("edtVol02Prefix")->setText("before logout");
    QTimer::singleShot(0, qApp, [] { raise(SIGTERM); });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(savedPrefix(), "before logout");
    Kill();

    // From inside a modal window.
    Start();
    C<QLineEdit>("edtVol02Prefix")->setText("in a dialog");
    bool dialogLeft = false;
    QTimer::singleShot(0, qApp, [&] {
        QDialog dialog(frmMain);
        QTimer::singleShot(0, &dialog, [] { raise(SIGTERM); });
        dialog.exec();
        dialogLeft = true;
    });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(dialogLeft);
    EXPECT_EQ(savedPrefix(), "in a dialog");
    Kill();

    // The session manager ends the program by quitting the application.
    Start();
    C<QLineEdit>("edtVol02Prefix")->setText("session over");
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    run();
    EXPECT_EQ(savedPrefix(), "session over");
    EXPECT_FALSE(BoxShown(boxes, "0130"));
}

TEST_F(ShellTest, SettingsStayWithTheFolderTheProgramRunsIn) {
    // A default.set copied from another folder names that folder; the exit
    // save still goes to the folder the program runs in.
    Start();
    frmMain->close();
    DestroyAppWindows();
    NewProcess();
    SetProgramFolder(drive.path("elsewhere"));
    { SaveClass save(SettingsFile()); ASSERT_TRUE(save.Save()); }
    NewProcess();
    Start();
    EXPECT_EQ(GetProgramFolder(), drive.path("prog"));
    EXPECT_EQ(GetWorkingDir(), drive.path("prog\\WorkingDir"));
    C<QLineEdit>("edtVol12NewPrefix")->setText("kept");
    frmMain->close();
    EXPECT_FALSE(drive.Exists("elsewhere"));
    ResetSettingsToInitialValues();
    RestoreClass restore(SettingsFile());
    restore.ClearLists();
    restore.Restore();
    EXPECT_EQ(GetVol12NewPrefix(), "kept");
}

// Every bridged control and list in a state of its own, read back as a map.
std::map<std::string, std::string> BridgedState() {
    std::map<std::string, std::string> state;
    for (const BridgePage& page : BridgePages()) {
        for (const BridgeControl& row : page.controls) {
            auto* control = C<QWidget>(row.control);
            if (auto* button = qobject_cast<QAbstractButton*>(control))
                state[row.control] = button->isChecked() ? "1" : "0";
            else
                state[row.control] = qobject_cast<QLineEdit*>(control)->text().toStdString();
        }
        for (const BridgeList& row : page.lists)
            for (const std::string& item : ListItems(C<QListWidget>(row.list))) state[row.list] += item + "|";
        for (const BridgeCombo& row : page.combos) {
            auto* combo = C<QComboBox>(row.combo);
            for (int i = 0; i < combo->count(); ++i) state[row.combo] += combo->itemText(i).toStdString() + "|";
            state[row.combo] += "=" + combo->currentText().toStdString();
        }
    }
    return state;
}

// Variant 0 and 1 give every control a different value.
void FillBridgedControls(int variant) {
    const std::string tag = variant == 0 ? "a" : "b";
    for (const BridgePage& page : BridgePages()) {
        // Radios checked last to first, or first to last: a different one wins per group.
        std::vector<BridgeControl> rows = page.controls;
        if (variant == 0) std::reverse(rows.begin(), rows.end());
        for (const BridgeControl& row : rows) {
            auto* control = C<QWidget>(row.control);
            if (auto* radio = qobject_cast<QRadioButton*>(control)) {
                // "Attach Nothing" would empty the structure list it restores.
                if (!std::string(row.control).ends_with("AttachNothing")) radio->setChecked(true);
            } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
                check->setChecked(variant == 0);
            } else {
                qobject_cast<QLineEdit*>(control)->setText(QString::fromStdString(tag + "-" + row.control));
            }
        }
        for (const BridgeList& row : page.lists) {
            auto* list = C<QListWidget>(row.list);
            list->clear();
            list->addItem(QString::fromStdString("C:\\" + tag + "\\" + row.list));
        }
        for (const BridgeCombo& row : page.combos) {
            auto* combo = C<QComboBox>(row.combo);
            combo->clear();
            combo->addItems({QString::fromStdString("C:\\" + tag + "1"), QString::fromStdString("C:\\" + tag + "2")});
            combo->setCurrentIndex(variant);
        }
    }
}

TEST_F(ShellTest, ProfileRoundTripRestoresEveryBridgedControl) {
    Start();
    FillBridgedControls(0);
    const auto saved = BridgedState();
    AnswerFileDialog(drive.path("profile.set"));
    frmMain->SaveProfile1Click();
    EXPECT_TRUE(BoxShown(boxes, "Save Settings.            Information no: 0450."));
    EXPECT_TRUE(IsSettingsFile(drive.path("profile.set")));

    FillBridgedControls(1);
    const auto changed = BridgedState();
    // Radios change by groups, not one by one.
    for (const auto& [name, value] : saved)
        if (!name.starts_with("rdo")) {
            EXPECT_NE(changed.at(name), value) << name << " is not changed";
        }

    boxes.Clear();
    frmMain->OpenRestoreProfile1Click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "End of the Restore process!");
    const auto restored = BridgedState();
    for (const auto& [name, value] : saved) EXPECT_EQ(restored.at(name), value) << name;
}

// A settings file that checks no radio of a group (made by hand, or
// damaged): the group takes its first-start choice, and no page reads its
// mode as none.
TEST_F(ShellTest, ARadioGroupRestoredWithoutAChoiceTakesItsFirstStartOne) {
    Start();
    for (const BridgePage& page : BridgePages())
        for (const BridgeControl& row : page.controls)
            if (std::string_view(row.control).starts_with("rdo")) row.setFlag(0);
    frmMain->RestoreControlsFromSettings();
    for (const BridgePage& page : BridgePages())
        for (const BridgeControl& row : page.controls)
            if (std::string_view(row.control).starts_with("rdo")) {
                EXPECT_EQ(C<QAbstractButton>(row.control)->isChecked(), row.initialFlag != 0) << row.control;
            }
}

TEST_F(ShellTest, ProfileThatCannotBeReadChangesNothing) {
    Start();
    FillBridgedControls(0);
    frmMain->SaveControlsToSettings();
    const auto before = BridgedState();
    const StringList storedBefore = GetVol08IncludeFolderList();

    drive.WriteFile("short.set", std::string(100, 'x'));
    drive.WriteFile("noend.set", std::string(kSettingsRecordSize, '\0'));
    for (const char* name : {"short.set", "noend.set", "missing.set"}) {
        boxes.Clear();
        AnswerFileDialog(drive.path(name));
        frmMain->OpenRestoreProfile1Click();
        ASSERT_EQ(boxes.shown().size(), 1u) << name;
        EXPECT_NE(boxes.shown()[0].caption.find("Warning no: 0451."), std::string::npos);
        EXPECT_EQ(BridgedState(), before) << name;
        EXPECT_EQ(GetVol08IncludeFolderList(), storedBefore) << name;
    }

    // Another extension asks first; No stops, and upper-case SET passes without a question.
    boxes.Clear();
    AnswerFileDialog(drive.path("profile.txt"));
    boxes.Queue(plat::IDNO);
    frmMain->OpenRestoreProfile1Click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Import File content.            Warnings no: 0311.");
    boxes.Clear();
    AnswerFileDialog(drive.path("noend.SET"));
    frmMain->OpenRestoreProfile1Click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_NE(boxes.shown()[0].caption.find("0451"), std::string::npos);
}

TEST_F(ShellTest, SavedProfileNamedByTheDialogDefaultAsksFirst) {
    Start();
    qtplat::FileDialogRequest asked;
    qtplat::SetFileDialogHandler([&](const qtplat::FileDialogRequest& request) {
        asked = request;
        return drive.path("profile.txt");
    });
    boxes.Queue(plat::IDNO);
    frmMain->SaveProfile1Click();
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.defaultExtension, "txt");
    EXPECT_EQ(asked.filter, "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Import File content.            Warnings no: 0311.");
    EXPECT_EQ(boxes.shown()[0].flags, 292u);
    EXPECT_FALSE(drive.Exists("profile.txt"));

    boxes.Clear();
    boxes.Queue(plat::IDYES);
    frmMain->SaveProfile1Click();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, "End of the Save Settings process!");
    EXPECT_TRUE(IsSettingsFile(drive.path("profile.txt")));
}

TEST_F(ShellTest, OpenedProfileReplacesFilledListsWithItsEmptyOnes) {
    Start();
    AnswerFileDialog(drive.path("empty.set"));
    frmMain->SaveProfile1Click();
    FillBridgedControls(0);
    boxes.Clear();
    frmMain->OpenRestoreProfile1Click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Restore Settings.            Information no: 0450.");
    for (const BridgePage& page : BridgePages())
        for (const BridgeList& row : page.lists) EXPECT_EQ(C<QListWidget>(row.list)->count(), 0) << row.list;
}

TEST_F(ShellTest, FailedProfileSaveShowsNoSuccess) {
    Start();
    AnswerFileDialog(drive.path("no such folder\\profile.set"));
    frmMain->SaveProfile1Click();
    EXPECT_TRUE(BoxShown(boxes, "Msg no: 0130."));
    EXPECT_FALSE(BoxShown(boxes, "0450"));
}

TEST_F(ShellTest, DamagedSettingsFileIsSetAsideBeforeTheDefaults) {
    drive.WriteFile("prog\\default.set", "not a settings file");
    drive.WriteFile("prog\\default.set.damaged-x", "older");
    Start();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Restore Settings.            Warning no: 0452.");
    EXPECT_TRUE(IsSettingsFile(SettingsFile()));
    EXPECT_EQ(GetDefaultsCreatedState(), 1);
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(drive.nativePath("prog"))) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("default.set.damaged-") && name != "default.set.damaged-x") {
            ++kept;
            EXPECT_EQ(drive.ReadFile("prog\\" + name), "not a settings file");
        }
    }
    EXPECT_EQ(kept, 1);
    EXPECT_EQ(drive.ReadFile("prog\\default.set.damaged-x"), "older");
}

// Root renames in read-only folders: the start runs as an ordinary user.
TEST_F(ShellTest, DamagedSettingsFileThatCannotBeMovedIsNeverWrittenOver) {
    drive.WriteFile("prog\\default.set", "not a settings file");
    // Left by an earlier start: the folder locks, though nobody may write in it.
    drive.WriteFile("prog\\.qm-settings.lock", "");
    fs::permissions(drive.nativePath("prog"), fs::perms::owner_write, fs::perm_options::remove);
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.nativePath("prog"));
    const int code = testsupport::RunAsNobody([&] {
        Start();
        if (boxes.shown().empty() || boxes.shown()[0].caption != "Restore Settings.            Warning no: 0453.")
            return 1;
        frmMain->close();
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(drive.ReadFile("prog\\default.set"), "not a settings file");
    fs::permissions(drive.nativePath("prog"), fs::perms::owner_write, fs::perm_options::add);
}

// One settings folder has one writer: a second copy of the program on it says
// so, works on, and leaves the folder's session alone (and the working copies
// of the copy that holds it); once the holder has ended, a copy writes again.
TEST_F(ShellTest, SecondCopyOnASettingsFolderLeavesItsSessionAlone) {
    Start();
    Exit();
    const std::string saved = drive.ReadFile("prog\\default.set");
    drive.WriteFile("prog\\WorkingDir\\COPYFILES\\backup.txt", "the other copy's undo");
    std::string own;  // this copy's working copies, in a folder of its own
    {
        plat::FolderLock otherCopy(drive.path("prog"));
        ASSERT_EQ(otherCopy.GetStatus(), plat::FolderLock::Status::Held);
        boxes.Clear();
        Start();
        own = GetOwnWorkingDirCopyFiles();
        EXPECT_TRUE(own.starts_with(drive.path("prog\\WorkingDir\\")) && plat::FolderExists(own)) << own;
        EXPECT_NE(own, GetWorkingDirCopyFiles());
        ASSERT_FALSE(boxes.shown().empty());
        EXPECT_EQ(boxes.shown()[0].caption, "Restore Settings.            Warning.");
        EXPECT_NE(boxes.shown()[0].text.find("in use by another copy of the program:\n" + drive.path("prog")),
                  std::string::npos);
        C<QLineEdit>("edtVol02Prefix")->setText("second copy");
        frmDelimiters->btnDelimitersCloseClick();
        Exit();
        EXPECT_TRUE(drive.ReadFile("prog\\default.set") == saved);
        EXPECT_EQ(drive.ReadFile("prog\\WorkingDir\\COPYFILES\\backup.txt"), "the other copy's undo");
        EXPECT_FALSE(BoxShown(boxes, "0130"));
    }
    boxes.Clear();
    Start();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(GetOwnWorkingDirCopyFiles(), GetWorkingDirCopyFiles());
    EXPECT_FALSE(plat::PathExists(own));  // that copy has ended
    C<QLineEdit>("edtVol02Prefix")->setText("writer again");
    Exit();
    RestoreClass restore(SettingsFile());
    restore.ClearLists();
    restore.Restore();
    EXPECT_EQ(GetVol02Prefix(), "writer again");
}

// A copy that cannot take the lock cannot tell whether another copy holds
// the folder: it says why, and leaves the session and the working copies.
TEST_F(ShellTest, ACopyThatCannotLockTheSettingsFolderLeavesItsSessionAlone) {
    Start();
    Exit();
    const std::string saved = drive.ReadFile("prog\\default.set");
    const std::string lockFile = drive.nativePath("prog\\.qm-settings.lock");
    const std::string lockReason = drive.path("prog\\.qm-settings.lock") + " : ";
    const plat::FolderLock::LockCall noLocks = [](int, int) {
        errno = ENOLCK;
        return -1;
    };
    for (const bool folderAtTheName : {true, false}) {
        SCOPED_TRACE(folderAtTheName ? "a folder at the lock's name" : "no locks on the file system");
        drive.WriteFile("prog\\WorkingDir\\COPYFILES\\backup.txt", "the other copy's undo");
        drive.WriteFile("prog\\WorkingDir\\renamed.txt", "the other copy's undo");
        fs::remove(lockFile);
        if (folderAtTheName) fs::create_directory(lockFile);
        const auto previous = plat::FolderLock::SetLockCall(folderAtTheName ? nullptr : noLocks);
        boxes.Clear();
        Start();
        ASSERT_FALSE(boxes.shown().empty());
        EXPECT_EQ(boxes.shown()[0].caption, "Restore Settings.            Warning.");
        const std::string& text = boxes.shown()[0].text;
        EXPECT_EQ(text.rfind("The Settings Folder can not be locked for this copy of the program:\n" +
                                 drive.path("prog"),
                             0),
                  0u)
            << text;
        EXPECT_NE(text.find(lockReason + (folderAtTheName ? "Is a directory" : "No locks available")),
                  std::string::npos)
            << text;
        C<QLineEdit>("edtVol02Prefix")->setText("unsure copy");
        frmDelimiters->btnDelimitersCloseClick();
        Exit();
        plat::FolderLock::SetLockCall(previous);
        EXPECT_TRUE(drive.ReadFile("prog\\default.set") == saved);
        EXPECT_EQ(drive.ReadFile("prog\\WorkingDir\\COPYFILES\\backup.txt"), "the other copy's undo");
        EXPECT_EQ(drive.ReadFile("prog\\WorkingDir\\renamed.txt"), "the other copy's undo");
        EXPECT_FALSE(BoxShown(boxes, "0130"));
    }
    fs::remove(lockFile);
    boxes.Clear();
    Start();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(drive.Exists("prog\\WorkingDir\\renamed.txt"));
}

TEST_F(ShellTest, RestoreDropsRepeatsAndAddsAStoredDestination) {
    Start();
    SetVol06IncludeFolderList({"C:\\a", "", "c:\\a", "C:\\b"});
    SetVol02DestFolderHistory({"C:\\h1", "C:\\h2"});
    SetVol02DestFolder(" C:\\new ");
    SetVol07DeleteSubFolders(0);
    SetVol07DeleteCompleteFolders(0);
    frmMain->RestorePageListsFromSettings();
    EXPECT_EQ(ListItems(C<QListWidget>("lstVol06IncludeFolderList")), (StringList{"C:\\a", "C:\\b"}));
    auto* combo = C<QComboBox>("cboVol02DestFolders");
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText().toStdString(), "C:\\new");
    // Neither delete mode stored: the first-start one, which keeps the main folders.
    EXPECT_TRUE(C<QRadioButton>("rdoVol07DeleteSubFolders")->isChecked());
    EXPECT_FALSE(C<QRadioButton>("rdoVol07DeleteCompleteFolders")->isChecked());

    // Page 02 needs a destination before its strings count.
    SetVol02IncludeStrings({"alpha"});
    SetVol02DestFolderHistory({});
    SetVol02DestFolder("");
    frmMain->RestorePageListsFromSettings();
    frmMain->RefreshAllPagesAfterRestore();
    EXPECT_EQ(C<QListWidget>("lstVol02IncludeStrings")->count(), 1);
    EXPECT_FALSE(C<QWidget>("lstVol02IncludeStrings")->isEnabled());
    EXPECT_FALSE(C<QWidget>("edtVol02Prefix")->isEnabled());
}

TEST_F(ShellTest, LongListsGoThroughTheBridgeInOneBatch) {
    Start();
    StringList many;
    for (int i = 0; i < 100000; ++i) many.push_back("item " + std::to_string(99999 - i));
    many.push_back("item 5");  // a repeat
    SetVol02IncludeStrings(many);
    frmMain->RestorePageListsFromSettings();
    auto* list = C<QListWidget>("lstVol02IncludeStrings");
    ASSERT_EQ(list->count(), 100000);
    EXPECT_EQ(list->item(0)->text().toStdString(), "item 0");  // the page keeps it sorted
    ClearVol02IncludeStrings();
    frmMain->SaveControlsToSettings();
    EXPECT_EQ(GetVol02IncludeStrings().size(), 100000u);
}

// The program shows every hint itself, for its long hint pause: the hint
// event never reaches the control (nor Qt's few seconds).
TEST_F(ShellTest, HintsAreShownByTheProgramsHintPause) {
    struct Seen : QObject {
        int hints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::ToolTip) ++hints;
            return false;
        }
    } seen;
    Start();
    auto* button = C<QWidget>("btnVol02AddDestFolder");
    button->setToolTip("Browse for the destination.");
    button->installEventFilter(&seen);
    QHelpEvent hint(QEvent::ToolTip, QPoint(1, 1), button->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(button, &hint);
    EXPECT_EQ(seen.hints, 0);
    // A second main window installs no second filter: the hint still goes once.
    Kill();
    Start();
    button = C<QWidget>("btnVol02AddDestFolder");
    button->setToolTip("Browse for the destination.");
    button->installEventFilter(&seen);
    QApplication::sendEvent(button, &hint);
    EXPECT_EQ(seen.hints, 0);
    QToolTip::hideText();
}

TEST_F(ShellTest, VisualLogCaptionsFollowTheirRealRunBoxes) {
    Start();
    struct Caption {
        QWidget* window;
        const char *check, *label, *simulation, *real;
    };
    const Caption captions[] = {
        {frmStatistic02, "chkStat02NormalSimulate", "lblVol02NormalSimulate",
         "Simulate the Folder/File Creation Process.", "Folder/File Creation Process."},
        {frmStatistic03, "chkStat03NormalSimulate", "lblVol03NormalSimulate",
         "Simulate the Folder/File Creation Process.", "Folder/File Creation Process."},
        {frmStatistic04, "chkStat04NormalSimulate", "lblVol04NormalSimulate",
         "Simulate the Folder/File Creation Process.", "Folder/File Creation Process."},
        {frmStatistic06, "chkStat06NormalSimulate", "lblVol06NormalSimulate", "Simulate the Folder Rename Process.",
         "Folder Rename Process."},
        {frmStatistics07, "chkStat07NormalSimulate", "lblVol07NormalSimulate", "Simulate the Folder Delete Process.",
         "Folder Delete Process."},
        {frmStatistic08, "chkStat08NormalSimulate", "lblVol08NormalSimulate",
         "Simulate the Folder/File Copy Process.", "Folder/File Copy Process."},
        {frmStatistic10, "chkStat10NormalSimulate", "lblVol10NormalSimulate", "Simulate the File Copy Process.",
         "File Copy Process."},
        {frmStatistics11, "chkStat11NormalSimulate", "lblStat11NormalSimulate", "Simulate the File Delete Process.",
         "File Delete Process."},
        {frmStatistic12, "chkStat12NormalSimulate", "lblVol12NormalSimulate", "Simulate the File Rename Process.",
         "File Rename Process."},
    };
    auto* checker = frmStatistic15->findChild<QLabel*>("lblVol15NormalSimulate");
    const QString checkerText = checker->text();
    frmStatistic15->findChild<QCheckBox*>("chkStat15NormalSimulate")->setChecked(false);
    for (bool real : {false, true}) {
        for (const Caption& c : captions) c.window->findChild<QCheckBox*>(c.check)->setChecked(real);
        frmMain->FormActivate();
        for (const Caption& c : captions) {
            auto* label = c.window->findChild<QLabel*>(c.label);
            EXPECT_EQ(label->text().toStdString(), real ? c.real : c.simulation) << c.label;
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 0, 0)) << c.label;
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << c.label;
        }
    }
    EXPECT_EQ(checker->text(), checkerText);
}

}  // namespace

namespace {

TEST(FileDialogFilter, ProgramFiltersBecomeQtFilters) {
    EXPECT_EQ(qtplat::QtFileFilter("Text files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*"),
              "Text files (*.txt);;Comma Separated (*.csv);;All Files (*)");
}

}  // namespace
