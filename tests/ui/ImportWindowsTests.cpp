#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtPlatform.h"
#include "tests/support/TempDrive.h"
#include "windows/ListTools.h"
#include "windows/TfrmDelimiters.h"
#include "windows/TfrmEditSmartImport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFolderStructuresTemplates.h"
#include "windows/TfrmNoltEditIncludeFolderList.h"
#include "windows/TfrmQuotationMarks.h"
#include "windows/TfrmVol02EditIncludeList.h"
#include "windows/TfrmVol04EditIncludeList.h"
#include "windows/TfrmVol06EditIncludeList.h"
#include "windows/TfrmVol07EditIncludeList.h"
#include "windows/TfrmVol11EditIncludeList.h"

namespace {

template <typename T>
T* Child(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void SetLines(QListWidget* list, const StringList& lines) { listtools::SetListLines(list, lines); }
StringList Lines(QListWidget* list) { return listtools::ListLines(list); }

// Answers every modal window with `answer` for the life of the object.
class ModalScript {
public:
    explicit ModalScript(std::function<int(QDialog*)> answer) {
        previous_ = qtplat::SetModalHandler(std::move(answer));
    }
    ~ModalScript() { qtplat::SetModalHandler(std::move(previous_)); }

private:
    qtplat::ModalHandler previous_;
};

class OpenFileScript {
public:
    explicit OpenFileScript(std::string file) {
        previous_ = qtplat::SetFileDialogHandler([this, file](const qtplat::FileDialogRequest& request) {
            asked = request;
            return file;
        });
    }
    ~OpenFileScript() { qtplat::SetFileDialogHandler(std::move(previous_)); }

    qtplat::FileDialogRequest asked;

private:
    qtplat::FileDialogHandler previous_;
};

const std::string kImport = "Import File content.            ";

}  // namespace

// ---- the import window ------------------------------------------------------------------

TEST(ImportWindow, BrowseReadsTheFileAndCreateBuildsTheList) {
    ResetSettingsToInitialValues();
    testsupport::TempDrive drive;
    const std::string longLine = "C:\\" + std::string(5000, 'x');
    drive.WriteFile("list.TXT", "\xEF\xBB\xBF C:\\Jobs\\A\r\n\r\nC:\\Jobs\\A \r\n" + longLine + "\r\n  \r\n");
    TfrmFileImport w;
    auto* source = Child<QListWidget>(w, "lstFileImportSource");
    auto* results = Child<QListWidget>(w, "lstFileImportResults");
    auto* ok = Child<QPushButton>(w, "btnFileImportOk");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(w, "btnFileImportFrom")->isEnabled());

    plat::MessageBoxScript boxes;
    {
        OpenFileScript pick(drive.path("list.TXT"));  // TXT in capitals asks nothing
        w.btnFileImportBrowseClick();
        EXPECT_EQ(pick.asked.title, "Import Folder Names (strings) from Files.");
        EXPECT_EQ(pick.asked.filter, "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
        EXPECT_FALSE(pick.asked.save);
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, kImport + "Information no: 0450.");
    ASSERT_EQ(source->count(), 3);
    EXPECT_EQ(source->item(0)->text().toStdString(), " C:\\Jobs\\A");
    EXPECT_EQ(source->item(2)->text().size(), 2048);
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportSourceLines")->text(), "3");
    EXPECT_TRUE(Child<QPushButton>(w, "btnFileImportFrom")->isEnabled());

    boxes.Clear();
    w.btnFileImportFromClick();
    EXPECT_EQ(Lines(results), (StringList{"C:\\Jobs\\A", longLine}));  // read again from the file, whole
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportPreviewLines")->text(), "2");
    EXPECT_TRUE(ok->isEnabled());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, kImport + "Information no: 0451.");

    // Full paths pass as a structure list and fail as templates.
    std::string report;
    EXPECT_FALSE(w.CheckFullPaths(report));
    EXPECT_TRUE(w.CheckRelativePaths(report));
    EXPECT_EQ(report.rfind("You can only enter relative paths without drive letters.\nThere are drive letters in "
                           "paths (total: 2 )\nC:\\Jobs\\A\n",
                           0),
              0u);

    // Another extension asks first; No changes nothing.
    drive.WriteFile("data.csv", "a\n");
    boxes.Clear();
    boxes.Queue(plat::IDNO);
    {
        OpenFileScript pick(drive.path("data.csv"));
        w.btnFileImportBrowseClick();
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, kImport + "Warnings no: 0311.");
    EXPECT_EQ(source->count(), 3);

    // Enter in the file-name field browses, as the button does.
    boxes.Clear();
    boxes.Queue(plat::IDYES);
    OpenFileScript pick(drive.path("data.csv"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(Child<QLineEdit>(w, "edtFileImportFileName"), &enter);
    EXPECT_EQ(Lines(source), (StringList{"a"}));
    EXPECT_TRUE(results->count() == 0);
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportPreviewLines")->text(), "0");  // the count follows its list
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportSourceLines")->text(), "1");
    EXPECT_FALSE(ok->isEnabled());

    w.btnFileImportClearClick();
    EXPECT_EQ(source->count(), 0);
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportSourceLines")->text(), "0");
    EXPECT_FALSE(Child<QPushButton>(w, "btnFileImportFrom")->isEnabled());
}

// A result is for the list it was created for: opened for another list the
// window starts without one, so IMPORT (the default button) takes nothing.
TEST(ImportWindow, ResultBelongsToTheListItWasMadeFor) {
    ResetSettingsToInitialValues();
    testsupport::TempDrive drive;
    drive.WriteFile("lines.txt", "one\ntwo\nthree\n");
    TfrmFileImport w;
    plat::MessageBoxScript boxes;
    QListWidget include, structures;
    auto* results = Child<QListWidget>(w, "lstFileImportResults");
    auto* ok = Child<QPushButton>(w, "btnFileImportOk");
    int created = 0;
    StringList seen;
    bool okUsable = false;
    ModalScript modal([&](QDialog*) {
        seen = Lines(results);
        okUsable = ok->isEnabled();
        if (created-- > 0) {
            OpenFileScript pick(drive.path("lines.txt"));
            w.btnFileImportBrowseClick();
            w.btnFileImportFromClick();
        }
        ok->click();  // Enter presses the default button
        return w.result();
    });
    created = 1;
    EXPECT_EQ(w.ExecFor(&include), QDialog::Accepted);
    EXPECT_EQ(w.GetResultLines(), (StringList{"one", "two", "three"}));
    EXPECT_EQ(w.ExecFor(&include), QDialog::Accepted);  // the same list keeps its result
    EXPECT_EQ(seen, (StringList{"one", "two", "three"}));
    EXPECT_EQ(w.TakeResultLines(), (StringList{"one", "two", "three"}));  // the page takes them
    EXPECT_TRUE(w.GetResultLines().empty());

    w.setResult(QDialog::Rejected);
    EXPECT_EQ(w.ExecFor(&structures), QDialog::Rejected);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(okUsable);
    EXPECT_TRUE(w.GetResultLines().empty());
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportPreviewLines")->text(), "0");
    // Closed, the window let go of the file it read and of its lists.
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportSourceLines")->text(), "0");
    EXPECT_EQ(Child<QListWidget>(w, "lstFileImportSource")->count(), 0);
    EXPECT_EQ(results->count(), 0);
}

TEST(ImportWindow, SeparatedFilesAndColumnNumbers) {
    ResetSettingsToInitialValues();
    testsupport::TempDrive drive;
    drive.WriteFile("c.csv", "id,name,path\r\n1,\"Smith, John\",\"C:\\A, B\"\r\n2,,C:\\B\r\n");
    TfrmFileImport w;
    plat::MessageBoxScript boxes;
    boxes.Queue(plat::IDYES);
    {
        OpenFileScript pick(drive.path("c.csv"));
        w.btnFileImportBrowseClick();
    }
    auto* results = Child<QListWidget>(w, "lstFileImportResults");
    auto* column = Child<QLineEdit>(w, "edtFileImportColumnNumber");
    w.rdoFileImportSeparatedFileClick();
    Child<QComboBox>(w, "cboFileImportDelimiter")->setCurrentText(",");
    w.btnFileImportFromClick();
    EXPECT_EQ(Lines(results).size(), 8u);

    // Plain text unselects both column choices; separated selects all columns again.
    w.rdoFileImportOneColumnClick();
    w.rdoFileImportPlainTextClick();
    EXPECT_FALSE(Child<QRadioButton>(w, "rdoFileImportAllColumns")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(w, "rdoFileImportOneColumn")->isChecked());
    EXPECT_FALSE(column->isEnabled());
    w.rdoFileImportSeparatedFileClick();
    EXPECT_TRUE(Child<QRadioButton>(w, "rdoFileImportAllColumns")->isChecked());

    w.rdoFileImportOneColumnClick();
    EXPECT_TRUE(column->isEnabled());
    column->setText("3");
    w.btnFileImportFromClick();
    EXPECT_EQ(Lines(results), (StringList{"path", "C:\\A, B"}));  // the third line has two parts only

    // A number that is no column leaves the list as it was and says why.
    for (const char* bad : {"", "abc", "0", "-2", "1.5"}) {
        boxes.Clear();
        column->setText(bad);
        w.btnFileImportFromClick();
        ASSERT_EQ(boxes.shown().size(), 1u) << bad;
        EXPECT_EQ(results->count(), 2) << bad;
    }
    EXPECT_EQ(boxes.shown()[0].text, "'1.5' is not a valid integer value");
    column->setText("9");
    w.btnFileImportFromClick();
    EXPECT_EQ(results->count(), 0);
    EXPECT_FALSE(Child<QPushButton>(w, "btnFileImportOk")->isEnabled());

    // The arrows wrap between 1 and 100.
    column->setText("100");
    w.UDFileImportColumnNumberClick(1);
    EXPECT_EQ(column->text(), "1");
    w.UDFileImportColumnNumberClick(-1);
    EXPECT_EQ(column->text(), "100");

    // An unpaired quotation mark takes nothing and says so.
    drive.WriteFile("odd.txt", "a b\n\"c d\n");
    boxes.Clear();
    Child<QLineEdit>(w, "edtFileImportFileName")->setText(QString::fromStdString(drive.path("odd.txt")));
    w.rdoFileImportAllColumnsClick();
    Child<QComboBox>(w, "cboFileImportDelimiter")->setCurrentText("space");
    w.btnFileImportFromClick();
    EXPECT_EQ(results->count(), 0);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].caption, "Warning !    Msg no: 0519.");
}

TEST(ImportWindow, EditorRewritesTheCreatedList) {
    ResetSettingsToInitialValues();
    TfrmFileImport w;
    TfrmEditSmartImport editor;
    frmEditSmartImport = &editor;
    auto* results = Child<QListWidget>(w, "lstFileImportResults");
    SetLines(results, {"C:\\x"});
    auto* memo = Child<QPlainTextEdit>(editor, "mmoEditSmartImportMemo");
    {
        ModalScript answer([&](QDialog*) {
            EXPECT_EQ(memo->toPlainText(), "C:\\x");
            memo->setPlainText("a/b\n  C:\\\\y  \n\nC:\\y\n");
            editor.btnEditSmartImportOkClick();
            return editor.result();
        });
        w.btnSmartImportPreviewEditClick();
    }
    EXPECT_EQ(Lines(results), (StringList{"a\\b", "C:\\y"}));
    EXPECT_EQ(Child<QLabel>(w, "lblFileImportPreviewLines")->text(), "2");
    EXPECT_TRUE(memo->toPlainText().isEmpty());

    // Emptied in the editor: nothing left to import.
    {
        ModalScript answer([&](QDialog*) {
            memo->clear();
            editor.btnEditSmartImportOkClick();
            return editor.result();
        });
        w.btnSmartImportPreviewEditClick();
    }
    EXPECT_EQ(results->count(), 0);
    EXPECT_FALSE(Child<QPushButton>(w, "btnFileImportOk")->isEnabled());

    // The 30,001st line: the window stays open with 30,000 lines taken.
    StringList many;
    for (int i = 0; i <= 30000; ++i) many.push_back("L" + std::to_string(i));
    editor.SetTargetList(results);
    editor.SetMemoLines(many);
    editor.setResult(0);
    plat::MessageBoxScript boxes;
    editor.btnEditSmartImportOkClick();
    EXPECT_EQ(results->count(), 30000);
    EXPECT_EQ(editor.result(), 0);
    EXPECT_FALSE(memo->toPlainText().isEmpty());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Edit Import Folders/Subfolders.            Warning no: 0297.");
    frmEditSmartImport = nullptr;
}

// ---- delimiters and quotation marks ---------------------------------------------------------

TEST(MarkListWindows, DefaultsMovesAndRefusals) {
    ResetSettingsToInitialValues();
    TfrmDelimiters d;
    auto* inc = Child<QListWidget>(d, "lstDelimitersIncluded");
    auto* exc = Child<QListWidget>(d, "lstDelimitersExcluded");
    auto* add = Child<QLineEdit>(d, "edtDelimitersAdd");
    ASSERT_EQ(inc->count(), 17);
    EXPECT_EQ(inc->item(2)->text(), "space");
    TfrmQuotationMarks q;
    EXPECT_EQ(Child<QListWidget>(q, "lstQuotationMarksIncluded")->item(3)->text(), "\",");

    plat::MessageBoxScript boxes;
    SetLines(inc, {",", ";"});
    SetLines(exc, {"|", "A"});
    add->setText(" ~");
    d.btnDelimitersAddClick();
    EXPECT_EQ(Lines(inc), (StringList{",", ";", "~"}));
    EXPECT_EQ(add->text(), "~");
    add->setText("a");
    d.btnDelimitersAddClick();
    add->setText(" ; ");
    d.btnDelimitersAddClick();
    add->setText("  ");
    d.btnDelimitersAddClick();
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].caption, "Delimiters.            Warning no: 0124.");
    EXPECT_EQ(boxes.shown()[1].caption, "Delimiters.            Warning no: 0123.");
    EXPECT_EQ(boxes.shown()[2].caption, "Delimiters.            Warning no: 0122.");
    EXPECT_EQ(inc->count(), 3);

    // "<>" exchanges; an item with a drive part is dropped by a move.
    SetLines(inc, {",", ";", "c:x"});
    SetLines(exc, {"|"});
    d.btnDelimitersExchangeIncExcClick();
    EXPECT_EQ(Lines(inc), (StringList{"|"}));
    EXPECT_EQ(Lines(exc), (StringList{",", ";"}));
    exc->item(1)->setSelected(true);
    d.btnDelimitersExcToIncClick();
    EXPECT_EQ(Lines(inc), (StringList{"|", ";"}));
    EXPECT_EQ(Lines(exc), (StringList{","}));

    boxes.Clear();
    boxes.Queue(plat::IDNO);
    d.btnDelimitersRemoveAllClick();
    EXPECT_EQ(exc->count(), 1);
    EXPECT_EQ(boxes.shown()[0].caption, "Managing Delimiters.            Warning no: 0129.");

    d.btnDelimitersSetDefaultsClick();
    EXPECT_EQ(inc->count(), 17);
    EXPECT_EQ(exc->count(), 0);
}

TEST(MarkListWindows, CloseStoresTheListAndTheImportWindowOffersIt) {
    ResetSettingsToInitialValues();
    testsupport::TempDrive drive;
    SetProgramFolder(drive.path());
    TfrmDelimiters d;
    TfrmQuotationMarks q;
    TfrmFileImport w;
    frmDelimiters = &d;
    frmQuotationMarks = &q;
    auto* combo = Child<QComboBox>(w, "cboFileImportDelimiter");
    EXPECT_EQ(combo->count(), 17);
    EXPECT_EQ(combo->currentText(), ",");
    {
        ModalScript answer([&](QDialog* shown) {
            EXPECT_EQ(shown, &d);
            SetLines(Child<QListWidget>(d, "lstDelimitersIncluded"), {";", "\t"});
            d.btnDelimitersCloseClick();
            return d.result();
        });
        w.btnFileImportManageSeparatorsClick();
    }
    EXPECT_EQ(GetDelimList(), (StringList{";", "\t"}));
    EXPECT_TRUE(drive.Exists("default.set"));
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), ";");

    {
        ModalScript answer([&](QDialog*) {
            SetLines(Child<QListWidget>(q, "lstQuotationMarksIncluded"), {"'"});
            q.btnQuotationMarksCloseClick();
            return q.result();
        });
        w.btnFileImportManageQuotationMarksClick();
    }
    EXPECT_EQ(GetQuotList(), (StringList{"'"}));
    EXPECT_EQ(Child<QComboBox>(w, "cboFileImportQuotationMark")->currentText(), "'");
    frmDelimiters = nullptr;
    frmQuotationMarks = nullptr;
}

// ---- include-list editors ---------------------------------------------------------------------

namespace {

// Opens the editor on the lists, lets the user type `memo` and press OK.
int EditWith(IncludeListEditor& editor, QListWidget* include, QListWidget* exclude, const std::string& memo,
             QLabel* sum = nullptr) {
    ModalScript answer([&](QDialog*) {
        editor.findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(memo));
        editor.setResult(0);
        for (auto* b : editor.findChildren<QPushButton*>())
            if (b->objectName().endsWith("Ok")) b->click();
        return editor.result();
    });
    return editor.EditIncludeList(include, exclude, sum);
}

}  // namespace

TEST(IncludeListEditors, FullPathRule) {
    QListWidget include, exclude;
    SetLines(&include, {"C:\\Old"});
    SetLines(&exclude, {"C:\\Parked"});
    TfrmVol04EditIncludeList e;
    plat::MessageBoxScript boxes;
    EXPECT_EQ(EditWith(e, &include, &exclude, "  C:\\Data  \nc:\\Data\nC:/Jobs//A\n\nC:\\Parked\n"), QDialog::Accepted);
    EXPECT_EQ(Lines(&include), (StringList{"C:\\Data", "C:\\Jobs\\A"}));
    EXPECT_EQ(Lines(&exclude), (StringList{"C:\\Parked"}));

    // One line that is no full path, or leads out of its folder, refuses the whole edit.
    for (const char* memo : {"C:\\New\nx\\y\n", "C:\\New\nC:\\a\\..\\b\n"}) {
        boxes.Clear();
        EXPECT_NE(EditWith(e, &include, &exclude, memo), QDialog::Accepted) << memo;
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, "Creating Folder(s).-From a Folder List.            Warning no: 40057.");
        EXPECT_EQ(Lines(&include), (StringList{"C:\\Data", "C:\\Jobs\\A"}));
        EXPECT_FALSE(Child<QPlainTextEdit>(e, "mmoVol04EditIncludeList")->toPlainText().isEmpty());
    }
    EXPECT_EQ(EditWith(e, &include, &exclude, ""), QDialog::Accepted);
    EXPECT_EQ(include.count(), 0);

    // The rename page never takes a drive root, however it is written.
    TfrmVol06EditIncludeList r;
    for (const char* root : {"C:\\\n", "C:\\\\\n", "D:/\n"}) {
        boxes.Clear();
        EXPECT_NE(EditWith(r, &include, &exclude, std::string("C:\\A\n") + root), QDialog::Accepted);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, "Rename Folder(s).-From a Folder List.            Warning no: 60047.");
    }

    // The builder's editor writes the builder's count label.
    TfrmNoltEditIncludeFolderList b;
    QLabel sum;
    EXPECT_EQ(EditWith(b, &include, &exclude, "C:\\P\nC:\\Q\n", &sum), QDialog::Accepted);
    EXPECT_EQ(sum.text(), "2");
}

TEST(IncludeListEditors, PlainAndRelativeRules) {
    QListWidget include, exclude;
    SetLines(&exclude, {"C:\\X"});
    TfrmVol11EditIncludeList e;
    plat::MessageBoxScript boxes;
    // One line per entry: "a" and "A" are two folders, the drive letter is no name.
    EXPECT_EQ(EditWith(e, &include, &exclude, " C:\\A \n\nc:\\A\nc:\\a\nc:\\X\nC:/B\n"), QDialog::Accepted);
    EXPECT_EQ(Lines(&include), (StringList{"C:\\A", "c:\\a", "C:/B"}));
    EXPECT_TRUE(boxes.shown().empty());

    // The delete pages refuse a drive root; no page takes "." or ".." names.
    EXPECT_NE(EditWith(e, &include, &exclude, "C:\\A\nC:\\\n"), QDialog::Accepted);
    EXPECT_NE(EditWith(e, &include, &exclude, "C:\\A\nC:\\A\\..\n"), QDialog::Accepted);
    TfrmVol07EditIncludeList d;
    EXPECT_NE(EditWith(d, &include, &exclude, "C:\\A\\.\\B\n"), QDialog::Accepted);
    EXPECT_NE(EditWith(d, &include, &exclude, "  C:  \n"), QDialog::Accepted);
    ASSERT_EQ(boxes.shown().size(), 4u);
    EXPECT_EQ(boxes.shown()[0].caption, "Delete Multiple Files.-From a Folder List.            Warning no: 110037.");
    EXPECT_EQ(boxes.shown()[1].caption, "Edit the Include List - Deleting process.");
    EXPECT_EQ(boxes.shown()[2].caption, "edit the Include List - Deleting process.");
    EXPECT_EQ(boxes.shown()[3].caption, "Delete Folder(s).-From a Folder List.            Warning no: 70039.");
    EXPECT_EQ(Lines(&include), (StringList{"C:\\A", "c:\\a", "C:/B"}));

    // The key count of a plain editor skips blank lines.
    auto* memo = Child<QPlainTextEdit>(e, "mmoVol11EditIncludeList");
    memo->setPlainText("a\n\n  \nb");
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(memo, &key);
    EXPECT_EQ(Child<QLabel>(e, "lblVol11EditLinesSum")->text(), "2");

    // Strings page: relative paths only; failing lines are dropped quietly.
    TfrmVol02EditIncludeList s;
    QLabel sum;
    boxes.Clear();
    EXPECT_EQ(EditWith(s, &include, &exclude, "C:\\Projects\na*b\n\\Projects\\2024\na\\..\\b\n/x//y\n", &sum),
              QDialog::Accepted);
    EXPECT_EQ(Lines(&include), (StringList{"\\Projects\\2024", "\\x\\y"}));
    EXPECT_EQ(sum.text(), "2");
    EXPECT_TRUE(boxes.shown().empty());
}

// Every memo window's line count is its memo's from the moment the opener
// fills it, and follows whatever changes it, a paste too.
TEST(IncludeListEditors, TheLineCountIsTheMemosFromTheStart) {
    QListWidget include, exclude;
    StringList eight;
    for (int i = 0; i < 8; ++i) eight.push_back("C:\\Jobs\\" + std::to_string(i));
    SetLines(&include, eight);
    TfrmVol07EditIncludeList plain;
    TfrmVol04EditIncludeList full;
    const std::pair<IncludeListEditor*, const char*> editors[] = {{&plain, "lblVol07EditLinesSum"},
                                                                   {&full, "lblVol04EditLinesSum"}};
    for (const auto& [e, label] : editors) {
        ModalScript answer([&, e = e, label = label](QDialog*) {
            EXPECT_EQ(Child<QLabel>(*e, label)->text(), "8") << label;
            e->findChild<QPlainTextEdit*>()->insertPlainText("C:\\Pasted\n");
            EXPECT_EQ(Child<QLabel>(*e, label)->text(), "9") << label;
            return 0;
        });
        e->EditIncludeList(&include, &exclude);
    }
    TfrmEditSmartImport import;
    import.SetMemoLines(eight);
    EXPECT_EQ(Child<QLabel>(import, "lblEditSmartImportLinesCurrent")->text(), "8");
    TfrmFolderStructuresTemplates templates;
    templates.SetMemoLines(eight);
    EXPECT_EQ(Child<QLabel>(templates, "lblFolderStructuresTemplatesEditLinesCurrent")->text(), "8");
}

TEST(IncludeListEditors, ImportIntoAListSkipsWhatEitherListHolds) {
    QListWidget include, exclude;
    SetLines(&include, {"C:\\A"});
    SetLines(&exclude, {"C:\\X"});
    StringList lines;
    for (int i = 0; i < 100000; ++i) lines.push_back("C:\\Jobs\\" + std::to_string(i % 50000));
    lines.push_back("c:\\A");
    lines.push_back("c:\\X");
    lines.push_back("relative");
    const std::size_t added = listtools::AppendNewLines(
        &include, &exclude, lines, [](std::string& line) { return line.size() > 1 && line[1] == ':'; });
    EXPECT_EQ(added, 50000u);
    EXPECT_EQ(include.count(), 50001);
    EXPECT_EQ(exclude.count(), 1);
}
