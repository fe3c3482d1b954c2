#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "core/PathTools.h"
#include "core/RunDisk.h"
#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "pages/RunBusy.h"
#include "pages/RunItems.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/DelegatingDisk.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmFolderTemplateOptions.h"

namespace {

template <typename T>
T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

StringList Lines(QListWidget* list) {
    StringList out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
}

void SetLines(QListWidget* list, const StringList& lines) {
    list->clear();
    for (const auto& line : lines) list->addItem(QString::fromStdString(line));
}

std::vector<std::string> Captions(const plat::MessageBoxScript& boxes) {
    std::vector<std::string> out;
    for (const auto& b : boxes.shown()) out.push_back(b.caption);
    return out;
}

bool Same(const _tagFoldersTemplateOptions& a, const _tagFoldersTemplateOptions& b) {
    return a.ReplaceNo == b.ReplaceNo && a.ReplaceRemainder == b.ReplaceRemainder && a.SearchTerm == b.SearchTerm &&
           a.ReplaceFirst == b.ReplaceFirst && a.ReplaceAll == b.ReplaceAll;
}

const std::string kSel = "File Selection.            Warning no: ";
const std::string kSub = "SubTierwick.            Warning no: ";

}  // namespace

// ---- folder-template options -------------------------------------------------------

TEST(FolderTemplateOptionsWindow, OkStoresTheOptionsOfTheIndexGiven) {
    ResetSettingsToInitialValues();
    TfrmFolderTemplateOptions w;
    auto* no = Child<QRadioButton>(w, "rdoFolderTemplateOptionsReplaceNo");
    auto* first = Child<QRadioButton>(w, "rdoFolderTemplateOptionsReplaceFirst");
    auto* all = Child<QRadioButton>(w, "rdoFolderTemplateOptionsReplaceAll");
    auto* edit = Child<QLineEdit>(w, "edtFolderTemplateOptionsReplaceRemainder");

    w.SetTemplateIndex(7);  // never edited: the defaults
    w.FormActivate();
    EXPECT_TRUE(no->isChecked());
    w.btnFolderTemplateOptionsOkClick();
    EXPECT_TRUE(Same(GetFolderTemplateOptions(7), {1, 0, "", 0, 0}));

    w.SetTemplateIndex(4);
    w.FormActivate();
    all->click();
    w.btnFolderTemplateOptionsOkClick();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(Same(GetFolderTemplateOptions(4), {0, 0, "", 0, 1}));
    EXPECT_EQ(CopyFolderTemplateOptionsMap().count(2), 0u);  // no other index touched
    w.FormActivate();
    EXPECT_TRUE(all->isChecked());
    first->click();
    w.btnFolderTemplateOptionsCancelClick();  // discards the choice
    EXPECT_TRUE(Same(GetFolderTemplateOptions(4), {0, 0, "", 0, 1}));

    // A stored remainder record stays while its hidden radio is checked.
    SetFolderTemplateOptions(3, {0, 1, " term ", 0, 0});
    w.SetTemplateIndex(3);
    w.FormActivate();
    EXPECT_FALSE(no->isChecked() || first->isChecked() || all->isChecked());
    EXPECT_EQ(edit->text(), " term ");
    first->click();
    w.btnFolderTemplateOptionsOkClick();
    EXPECT_TRUE(Same(GetFolderTemplateOptions(3), {0, 1, " term ", 0, 0}));
    w.FormActivate();
    no->click();
    w.btnFolderTemplateOptionsOkClick();
    EXPECT_TRUE(Same(GetFolderTemplateOptions(3), {1, 0, "", 0, 0}));
}

// ---- file selection ------------------------------------------------------------------

class FileSelectionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToInitialValues();
        drive.MakeFolder("prog");
        SetValuesOfEveryStart(drive.path("prog"));
        FillFirstStartDefaults();
        w.SetSummaryListsHook([this](const std::string& line) { summary.push_back(line); });
        w.FormActivate();
        names = Child<QComboBox>(w, "cboFileManNames");
    }
    void Ok(const std::string& text) {
        names->setEditText(QString::fromStdString(text));
        w.btnFileManOKClick();
    }

    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    TfrmFileSelection w;
    QComboBox* names = nullptr;
    StringList summary;
};

TEST_F(FileSelectionWindow, OkNormalisesAndStoresTheMasks) {
    EXPECT_EQ(names->currentText(), "*.*");
    EXPECT_GT(Child<QListWidget>(w, "lstFileTypesInclude")->count(), 100);

    Ok("*.TXT a.txt *.txt");
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"*.txt", "a.txt"}));
    EXPECT_EQ(GetFileSelNamesText(), "*.txt a.txt");
    EXPECT_EQ(summary, (StringList{"*.txt a.txt"}));
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSel + "0542."}));
    EXPECT_EQ(w.result(), QDialog::Accepted);

    Ok("\"My File.doc\" *.pdf");
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"my file.doc", "*.pdf"}));
    EXPECT_EQ(GetFileSelNamesText(), "\"my file.doc\" *.pdf");

    boxes.Clear();
    Ok("readme *.txt");
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].caption, "Information !    Msg no: 0544");
    EXPECT_EQ(boxes.shown()[1].text,
              "Period (.) is missing from : 1 file names.\nNo: 1/1 is : readme\nIf you want to search files with "
              "SPACE(s) in their names,\nthen you must put complete file name with extension into double quotes!\n");
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"readme", "*.txt"}));

    summary.clear();
    Ok("");
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"*.*"}));
    EXPECT_EQ(summary, (StringList{"All (*.*)"}));
    // Every names text given stands once in the history, none empty.
    EXPECT_EQ(GetFileSelNamesHistory(),
              (StringList{"*.*", "*.txt a.txt", "\"my file.doc\" *.pdf", "readme *.txt"}));
}

TEST_F(FileSelectionWindow, OddQuotesStopAfterTheFlagsAndTypes) {
    Ok("*.doc");
    boxes.Clear();
    SetFileSelOneType("junk");
    Ok("\"a \"b\" *.x");
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSel + "0542.", "Warning !    Msg no: 0519."}));
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"*.doc"}));
    EXPECT_EQ(GetFileSelNamesText(), "*.doc");
    EXPECT_EQ(GetFileSelOneType(), Child<QComboBox>(w, "cboSelectOneFileTypes")->currentText().toStdString());
    EXPECT_EQ(w.result(), QDialog::Accepted);

    // Leaving the field: 0519 then 0551; several masks with "*.*": one 0552.
    boxes.Clear();
    names->setEditText("\"x");
    w.cboFileManNamesExit();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{"Warning !    Msg no: 0519.", kSel + "0551."}));
    boxes.Clear();
    names->setEditText("*.* *.txt");
    w.cboFileManNamesExit();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSel + "0552"}));
}

TEST_F(FileSelectionWindow, EmptyIncludeTypesStoreNothing) {
    SetFileSelIncludeTypeList({});
    TfrmFileSelection fresh;
    fresh.FormActivate();  // the exclude types keep the fallback out
    EXPECT_EQ(Child<QListWidget>(fresh, "lstFileTypesInclude")->count(), 0);
    Child<QComboBox>(fresh, "cboFileManNames")->setEditText("*.abc");
    fresh.btnFileManOKClick();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSel + "0542.", kSel + "0543."}));
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"*.*"}));
    EXPECT_EQ(fresh.result(), QDialog::Accepted);
}

TEST_F(FileSelectionWindow, ChoicesSurviveTheSettingsFile) {
    Child<QCheckBox>(w, "chkFileManTermInclude")->setChecked(true);
    Child<QComboBox>(w, "cboFileManTermsInclude")->setEditText("alpha \"b c\"");
    Ok("*.TXT \"My File.doc\"");
    const StringList includeTypes = GetFileSelIncludeTypeList();
    ASSERT_TRUE(SaveClass("").Save());

    ResetSettingsToInitialValues();
    SetValuesOfEveryStart(drive.path("prog"));
    RestoreClass restore("");
    ASSERT_TRUE(restore.IsOpen());
    restore.ClearLists();
    restore.Restore();
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"*.txt", "my file.doc"}));
    EXPECT_EQ(GetFileSelNamesText(), "*.txt \"my file.doc\"");
    EXPECT_EQ(GetFileSelNamesMode(), 1);
    EXPECT_EQ(GetFileSelAllTypes(), 1);
    EXPECT_EQ(GetFileSelIncludeTermsOn(), 1);
    EXPECT_EQ(GetFileSelIncludeTermsList(), (StringList{"alpha", "b c"}));
    EXPECT_EQ(GetFileSelIncludeTermsText(), "alpha \"b c\"");
    EXPECT_EQ(GetFileSelIncludeTypeList(), includeTypes);
    EXPECT_EQ(GetFileSelNamesHistory(), (StringList{"*.*", "*.txt \"my file.doc\""}));

    TfrmFileSelection reopened;
    reopened.FormActivate();
    auto* combo = Child<QComboBox>(reopened, "cboFileManNames");
    EXPECT_EQ(combo->currentText(), "*.txt \"my file.doc\"");
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(Child<QComboBox>(reopened, "cboFileManTermsInclude")->currentText(), "alpha \"b c\"");
}

// ---- subfolder list builder -------------------------------------------------------------

class SubFolderListBuilder : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToInitialValues();
        drive.MakeFolder("S\\A\\A1");
        drive.MakeFolder("S\\B\\B1");
        drive.MakeFolder("S\\B\\bad|name");
        std::filesystem::create_directory_symlink(drive.nativePath("S"), drive.nativePath("S\\A\\loop"));
        include = Child<QListWidget>(w, "lstIncludeFolderList");
        exclude = Child<QListWidget>(w, "lstExcludeFolderList");
        source = Child<QComboBox>(w, "cboMainSourceFolder");
        source->setEditText(QString::fromStdString(drive.path("S")));
    }
    // Build with the clear question answered `answer`.
    void Build(int answer = plat::IDNO) {
        boxes.Clear();
        boxes.Queue(answer);
        w.btnBuildListClick();
    }
    void Rule(const char* radio, const char* field = nullptr, const char* text = nullptr) {
        Child<QRadioButton>(w, radio)->click();
        if (field) Child<QLineEdit>(w, field)->setText(text);
    }
    std::string P(const std::string& rel) const { return drive.path(rel); }

    testsupport::TempDrive drive{'T'};
    plat::MessageBoxScript boxes;
    TfrmSubFolderListBuilder w;
    QListWidget* include = nullptr;
    QListWidget* exclude = nullptr;
    QComboBox* source = nullptr;
};

TEST_F(SubFolderListBuilder, BuildsByLevelAndChecksEveryLine) {
    Rule("rdoBelowLevelNumber", "edtBelowLevelNumber", "0");
    Build();
    // The link back to S is neither listed nor walked; the name with "|"
    // cannot be a typed path and is reported, not taken.
    EXPECT_EQ(Lines(include), (StringList{P("S\\A"), P("S\\B"), P("S\\B\\B1"), P("S\\A\\A1")}));
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0580.", kSub + "0588.", kSub + "0587."}));
    EXPECT_NE(boxes.shown()[1].text.find("bad|name"), std::string::npos);
    EXPECT_EQ(Child<QLabel>(w, "lblIncludeSum")->text(), "4");

    // Only the last subfolders, Below 1, after clearing; an Exclude line
    // keeps its folder out (its drive letter in either case), and not a
    // folder whose name differs only in case.
    SetLines(exclude, {"t:\\S\\A\\A1", P("S\\b\\b1")});
    Rule("rdoBelowLevelNumber");
    Child<QRadioButton>(w, "rdoBuildLastSubFolder")->click();
    Build(plat::IDYES);
    EXPECT_EQ(Lines(include), (StringList{P("S\\B\\B1")}));

    // From 1 To 1 appends what is not there yet.
    Rule("rdoFromToLevelNumber");
    Build();
    EXPECT_EQ(Lines(include), (StringList{P("S\\B\\B1"), P("S\\A"), P("S\\B")}));

    // A drive root as the source gives single backslashes.
    source->setEditText(QString::fromStdString(drive.path("")));
    Build(plat::IDYES);
    EXPECT_EQ(Lines(include), (StringList{P("S")}));

    // A subfolder no path can name keeps its parent from being a last one,
    // and a box of its own names it after the build, with one whose name
    // ends in a blank: as a trimmed line it would name its twin.
    drive.MakeFolder("U\\b\\c:d");
    drive.MakeFolder("U\\e");
    drive.MakeFolder("U\\e ");
    source->setEditText(QString::fromStdString(P("U")));
    Rule("rdoBelowLevelNumber");
    Build(plat::IDYES);
    EXPECT_EQ(Lines(include), (StringList{P("U\\e")}));
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0580.", kSub + "0589.", kSub + "0587."}));
    EXPECT_NE(boxes.shown()[1].text.find("\n" + P("U\\b\\c:d") + "\n"), std::string::npos);
    EXPECT_NE(boxes.shown()[1].text.find("\n" + P("U\\e ") + "\n"), std::string::npos);
}

TEST_F(SubFolderListBuilder, LevelFieldsAndRefusedSources) {
    Rule("rdoFromToLevelNumber", "edtFromLevelNumber", "3");
    Child<QLineEdit>(w, "edtToLevelNumber")->setText("2");
    SetLines(include, {P("keep")});
    Build();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0580.", kSub + "0581."}));  // no closing box
    EXPECT_EQ(Lines(include), (StringList{P("keep")}));

    Rule("rdoAboveLevelNumber", "edtAboveLevelNumber", "0");
    Build(plat::IDYES);
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0580.", kSub + "0582.", kSub + "0587."}));
    EXPECT_EQ(Child<QLabel>(w, "lblIncludeSum")->text(), "0");

    Child<QLineEdit>(w, "edtAboveLevelNumber")->setText("x");
    Build();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, "'x' is not a valid integer value");

    source->setEditText(QString::fromStdString(drive.path("S\\A\\..\\B")));
    Build();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0588.", kSub + "0587."}));
    source->setEditText("  ");
    Build();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0579.", kSub + "0587."}));

    // A rule click sets every field to "1"; leaving From or To repairs them.
    Rule("rdoFromToLevelNumber");
    EXPECT_EQ(Child<QLineEdit>(w, "edtBelowLevelNumber")->text(), "1");
    EXPECT_FALSE(Child<QLineEdit>(w, "edtAboveLevelNumber")->isEnabled());
    Child<QLineEdit>(w, "edtFromLevelNumber")->setText("x");
    Child<QLineEdit>(w, "edtToLevelNumber")->setText("");
    w.edtFromLevelNumberExit();
    EXPECT_EQ(Child<QLineEdit>(w, "edtFromLevelNumber")->text(), "1");
    EXPECT_EQ(Child<QLineEdit>(w, "edtToLevelNumber")->text(), "1");
}

TEST_F(SubFolderListBuilder, ListsMoveWithoutDuplicates) {
    SetLines(include, {"a", "b"});
    SetLines(exclude, {"c"});
    w.btnExchangeIncToExcClick();
    EXPECT_EQ(Lines(include), (StringList{"c"}));
    EXPECT_EQ(Lines(exclude), (StringList{"a", "b"}));

    SetLines(include, {"a", "x", "y"});
    include->item(0)->setSelected(true);
    include->item(2)->setSelected(true);
    w.btnFromIncToExcClick();
    EXPECT_EQ(Lines(include), (StringList{"x"}));
    EXPECT_EQ(Lines(exclude), (StringList{"a", "b", "y"}));
    EXPECT_EQ(Child<QLabel>(w, "lblExcludeSum")->text(), "3");

    // A line is one folder: names count byte for byte, the drive letter is no name.
    SetLines(include, {"C:\\\xC3\x84rger", "C:\\Stra\xC3\x9F" "e", "c:\\STRASSE"});
    SetLines(exclude, {"c:\\\xC3\xA4RGER", "C:\\STRASSE"});
    w.btnAllFromIncToExcClick();
    EXPECT_EQ(Lines(exclude),
              (StringList{"c:\\\xC3\xA4RGER", "C:\\STRASSE", "C:\\\xC3\x84rger", "C:\\Stra\xC3\x9F" "e"}));
    SetLines(exclude, {"a", "b", "y"});

    boxes.Queue(plat::IDYES);
    w.btnDeleteExcludedAllClick();
    EXPECT_TRUE(Lines(exclude).empty());
    boxes.Clear();
    w.btnDeleteExcludedAllClick();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0577."}));

    // The same folder chosen twice: one entry; one in another letter case is
    // another folder, and stays as chosen.
    std::string chosen = P("S");
    const auto previous = plat::SetFolderBrowserHandler([&](void*, const std::string&) { return chosen; });
    w.btnMainSourceFolderAddClick();
    w.btnMainSourceFolderAddClick();
    EXPECT_EQ(Child<QLabel>(w, "lblMainLevelSumSubFolder")->text(), "5");  // the link is not counted
    EXPECT_EQ(source->count(), 1);
    chosen = P("s");
    drive.MakeFolder("s");
    w.btnMainSourceFolderAddClick();
    EXPECT_EQ(source->count(), 2);
    EXPECT_EQ(source->currentText().toStdString(), P("s"));
    EXPECT_EQ(Child<QLabel>(w, "lblMainLevelSumSubFolder")->text(), "0");
    chosen = "";
    boxes.Clear();
    w.btnMainSourceFolderAddClick();
    EXPECT_EQ(Captions(boxes), (std::vector<std::string>{kSub + "0572."}));
    plat::SetFolderBrowserHandler(previous);
}

// Enter in the Source Folder field reads the typed folder as Browse does and
// leaves the window open; a typed source that was never read so fills the
// level table and the counts when Build runs.
TEST_F(SubFolderListBuilder, TypedSourceFillsTheWindowAsABrowsedOne) {
    auto* levels = Child<QTreeWidget>(w, "lstViewLevelSumFolder");
    auto* folders = Child<QLabel>(w, "lblMainLevelSumSubFolder");
    const auto rows = [levels] {
        std::vector<std::string> out;
        for (int i = 0; i < levels->topLevelItemCount(); ++i)
            out.push_back(levels->topLevelItem(i)->text(0).toStdString() + ":" +
                          levels->topLevelItem(i)->text(1).toStdString());
        return out;
    };
    bool closed = false;
    QObject::connect(&w, &QDialog::finished, [&closed] { closed = true; });
    w.show();

    source->lineEdit()->setText(QString::fromStdString(P("S\\B")));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QApplication::sendEvent(source, &press);  // the field's focus goes to the combo box
    }
    EXPECT_FALSE(closed);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(folders->text().toStdString(), "2");
    EXPECT_EQ(source->count(), 1);
    EXPECT_EQ(source->currentText().toStdString(), P("S\\B"));
    EXPECT_TRUE(Captions(boxes).empty());

    // Typed, then built: the level table and the counts are those of S.
    source->lineEdit()->setText(QString::fromStdString(P("S")));
    Rule("rdoFromToLevelNumber");
    Build();
    EXPECT_EQ(Lines(include), (StringList{P("S\\A"), P("S\\B")}));
    EXPECT_EQ(folders->text().toStdString(), "5");
    EXPECT_EQ(Child<QLabel>(w, "lblMainLevelSumFiles")->text().toStdString(), "0");
    EXPECT_EQ(source->count(), 2);
    EXPECT_FALSE(closed);
    const auto built = rows();
    EXPECT_EQ(built.size(), 3u);
    const auto previous = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return P("S"); });
    w.btnMainSourceFolderAddClick();
    plat::SetFolderBrowserHandler(previous);
    EXPECT_EQ(rows(), built);
    EXPECT_EQ(folders->text().toStdString(), "5");
    EXPECT_EQ(source->count(), 2);
    w.hide();
}

// The Source Folder offers its history without writing it into the field:
// Enter reads the folder typed, key by key, not a deeper one it completes
// to, nor an entry in another letter case (another folder here).
TEST_F(SubFolderListBuilder, EnterReadsTheTypedFolderNotItsCompletion) {
    drive.MakeFolder("S\\a");
    auto* folders = Child<QLabel>(w, "lblMainLevelSumSubFolder");
    QLineEdit* field = source->lineEdit();
    const auto type = [&](const std::string& text) {
        QTest::mouseClick(field, Qt::LeftButton);  // into the field, as a user does
        field->clear();
        QTest::keyClicks(field, QString::fromStdString(text));
        QTest::keyClick(field, Qt::Key_Return);
    };
    bool closed = false;
    QObject::connect(&w, &QDialog::finished, [&closed] { closed = true; });
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    type(P("S\\A"));
    EXPECT_EQ(folders->text().toStdString(), "1");
    type(P("S"));  // the history entry's parent
    EXPECT_EQ(field->text().toStdString(), P("S"));
    EXPECT_EQ(folders->text().toStdString(), "6");
    type(P("S\\a"));  // the entry in another letter case
    EXPECT_EQ(field->text().toStdString(), P("S\\a"));
    EXPECT_EQ(folders->text().toStdString(), "0");
    EXPECT_EQ(source->count(), 3);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(Captions(boxes).empty());
    w.hide();
}

// A folder is read on the run pool: on a slow file system the window keeps
// painting while Enter, Build or Levels reads, with the busy cursor and a
// close held back; what is read is what a quick disk gives.
TEST_F(SubFolderListBuilder, TheWindowPaintsWhileASlowFileSystemIsRead) {
    for (int k = 0; k < 24; ++k) drive.MakeFolder("W\\F" + std::to_string(k));
    DryDisk dry;
    testdisk::DelegatingDisk slow(dry);
    std::atomic<int> listed{0};
    slow.beforeFullList = [&listed] {
        ++listed;
        usleep(25000);
    };
    w.SetReadDisk(&slow);
    ForceRunWorkers force(2);
    w.resize(400, 300);
    w.show();
    QCoreApplication::processEvents();
    struct Paints : QObject {
        std::atomic<int>* listed = nullptr;
        int whileReading = 0;
        bool busyEach = true;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() != QEvent::Paint || listed->load() == 0) return false;
            ++whileReading;
            const QCursor* cursor = QGuiApplication::overrideCursor();
            busyEach = busyEach && RunBusy::Busy() && cursor && cursor->shape() == Qt::WaitCursor;
            return false;
        }
    } paints;
    paints.listed = &listed;
    w.installEventFilter(&paints);
    QTimer asks;  // something asks for a paint all the time
    QObject::connect(&asks, &QTimer::timeout, [this] { w.update(); });
    asks.start(5);

    const auto reads = [&](const std::function<void()>& act) {
        listed = 0;
        paints.whileReading = 0;
        w.update();  // a paint is due as the read starts (a window closed over it)
        act();
        const int seen = paints.whileReading;
        listed = 0;
        return seen;
    };
    source->lineEdit()->setText(QString::fromStdString(P("W")));
    EXPECT_GT(reads([&] { QTest::keyClick(source->lineEdit(), Qt::Key_Return); }), 0);
    EXPECT_EQ(Child<QLabel>(w, "lblMainLevelSumSubFolder")->text().toStdString(), "24");
    Rule("rdoBelowLevelNumber", "edtBelowLevelNumber", "1");  // every level: each folder listed
    EXPECT_GT(reads([&] { Build(); }), 0);
    EXPECT_EQ(include->count(), 24);
    SetLines(include, {P("W")});
    include->setCurrentRow(0);
    EXPECT_GT(reads([&] { w.btnSubFolderListBuilderLevelsClick(); }), 0);
    EXPECT_TRUE(paints.busyEach);
    EXPECT_FALSE(RunBusy::Busy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    w.hide();
}

// ---- fields with a history -----------------------------------------------------------

// Every editable field with a history: with `*.*` and `*.txt` in it, `*.`
// and `*.TXT` typed stay as typed whether the user presses Enter, leaves
// the field or clicks the button next to it, and File Selection's OK
// stores them so (the names as its lower-cased masks).
TEST(HistoryFields, WhatIsTypedIsTakenNotAnEntryItBeginsOrMatchesButForCase) {
    testsupport::TempDrive drive{'T'};
    drive.MakeFolder("prog");
    plat::MessageBoxScript boxes;
    const auto previousDialogs =
        qtplat::SetFileDialogHandler([](const qtplat::FileDialogRequest&) { return std::string(); });
    struct Field {
        std::function<QDialog*()> make;
        const char* combo;
        const char* next;  // the button clicked at once after typing
        std::string (*stored)() = nullptr;  // none: the window reads the field as it works
        const char* onBox = nullptr;        // the check box that makes OK take it
    };
    const auto selection = [] { return new TfrmFileSelection; };
    const std::vector<Field> fields = {
        {selection, "cboFileManNames", "btnFileManOK", &GetFileSelNamesText},
        {selection, "cboFileManTermsInclude", "btnFileManOK", &GetFileSelIncludeTermsText, "chkFileManTermInclude"},
        {selection, "cboFileManTermsExclude", "btnFileManOK", &GetFileSelExcludeTermsText, "chkFileManTermExclude"},
        {selection, "cboSelectOneFileTypes", "btnFileManOK", &GetFileSelOneType},
        {[] { return new TfrmFileImport; }, "cboFileImportDelimiter", "btnFileImportFrom"},
        {[] { return new TfrmFileExport; }, "cboFileExportDelimiter", "btnFileExportTo"},
        {[] { return new TfrmSubFolderListBuilder; }, "cboMainSourceFolder", "btnBuildList"},
    };
    const auto fresh = [&](const Field& field) {
        ResetSettingsToInitialValues();
        SetValuesOfEveryStart(drive.path("prog"));
        FillFirstStartDefaults();
        return std::unique_ptr<QDialog>(field.make());
    };
    for (const Field& field : fields) {  // no editable combo of these windows left out
        const std::unique_ptr<QDialog> window = fresh(field);
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            EXPECT_TRUE(!combo->isEditable() || std::any_of(fields.begin(), fields.end(), [&](const Field& f) {
                return combo->objectName() == f.combo;
            })) << combo->objectName().toStdString();
    }
    for (const Field& field : fields) {
        for (const std::string typed : {"*.", "*.TXT"}) {
            for (const char end : {'E', 'L', 'C'}) {  // Enter, leaving the field, a click
                SCOPED_TRACE(std::string(field.combo) + " " + typed + " " + end);
                const std::unique_ptr<QDialog> window = fresh(field);
                window->show();
                ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
                auto* combo = Child<QComboBox>(*window, field.combo);
                auto* next = Child<QPushButton>(*window, field.next);
                for (QWidget* w : std::initializer_list<QWidget*>{combo, next})  // hidden or off until chosen
                    for (; w != window.get(); w = w->parentWidget()) {
                        w->setVisible(true);
                        w->setEnabled(true);
                    }
                window->resize(window->sizeHint().expandedTo(window->size()));
                QCoreApplication::processEvents();
                if (field.onBox) Child<QCheckBox>(*window, field.onBox)->setChecked(true);
                combo->clear();
                combo->addItems({"*.*", "*.txt"});

                QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
                ASSERT_EQ(QApplication::focusWidget(), combo);
                QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(combo, QString::fromStdString(typed));
                if (end == 'E') QTest::keyClick(combo, Qt::Key_Return);
                if (end == 'L') QTest::keyClick(combo, Qt::Key_Tab);
                if (end == 'C') QTest::mouseClick(next, Qt::LeftButton);
                EXPECT_EQ(combo->currentText().toStdString(), typed);
                if (!field.stored) continue;
                if (window->isVisible()) QTest::mouseClick(next, Qt::LeftButton);
                EXPECT_EQ(window->result(), QDialog::Accepted);
                EXPECT_EQ(field.stored(), field.combo == std::string("cboFileManNames") ? ToLowerCase(typed) : typed);
            }
        }
    }
    qtplat::SetFileDialogHandler(previousDialogs);
}
