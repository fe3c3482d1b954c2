// Page 02: destination, Include and Exclude lists, prefix and suffix, the
// enable rules and Clear All.
#include "pages/creation/Vol02Page.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/FieldChecks.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/StructureLists.h"
#include "pages/creation/Vol02Internal.h"
#include "platform/Desktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmZoomIncludeWindow.h"
#include "ui_Vol02Page.h"
#include "windows/ListBoxSearch.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmVol02EditIncludeList.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(CreationFoldersCreated) == TfrmStatistic02::FoldersCreated &&
              int(CreationSubFoldersCreated) == TfrmStatistic02::SubFoldersCreated &&
              int(CreationFilesCreated) == TfrmStatistic02::FilesCreated &&
              int(CreationFoldersExists) == TfrmStatistic02::FoldersExists &&
              int(CreationFoldersOther) == TfrmStatistic02::FoldersOther &&
              int(CreationFoldersFailedUndo) == TfrmStatistic02::FoldersFailedUndo);

using namespace pagekit;

namespace {

std::string Normalised(const std::string& text) { return CollapseDoubleBackslashes(SlashesToBackslashes(text)); }

}  // namespace

Vol02Page::Vol02Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol02Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol02IncludeStrings, 3000);
    SetHorizontalExtent(ui->lstVol02ExcludeStrings, 3000);
    SetHorizontalExtent(ui->lstVol02AddFolderStructure, 3000);
    listtools::ShowCountOf(ui->lstVol02IncludeStrings, ui->lblVol02IncludeSum);
    listtools::ShowCountOf(ui->lstVol02ExcludeStrings, ui->lblVol02ExcludeSum);
    listtools::ShowCountOf(ui->lstVol02AddFolderStructure, ui->lblVol02FolderStructuresTemplatesSum);

    auto click = [this](QAbstractButton* button, void (Vol02Page::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol02AddDestFolder, &Vol02Page::btnVol02AddDestFolderClick);
    click(ui->btnVol02ViewDestFolder, &Vol02Page::btnVol02ViewDestFolderClick);
    click(ui->btnVol02AddToList, &Vol02Page::btnVol02AddToListClick);
    click(ui->btnVol02IncToExc, &Vol02Page::btnVol02IncToExcClick);
    click(ui->btnVol02ExcToInc, &Vol02Page::btnVol02ExcToIncClick);
    click(ui->btnVol02AllFromInc, &Vol02Page::btnVol02AllFromIncClick);
    click(ui->btnVol02AllFromExc, &Vol02Page::btnVol02AllFromExcClick);
    click(ui->btnVol02ExchangeIncExc, &Vol02Page::btnVol02ExchangeIncExcClick);
    click(ui->btnVol02DeleteFromExclude, &Vol02Page::btnVol02DeleteFromExcludeClick);
    click(ui->btnVol02DeleteExcludeAll, &Vol02Page::btnVol02DeleteExcludeAllClick);
    click(ui->btnVol02SmartImport, &Vol02Page::btnVol02SmartImportClick);
    click(ui->btnVol02SmartExport, &Vol02Page::btnVol02SmartExportClick);
    click(ui->btnVol02EditIncludeList, &Vol02Page::btnVol02EditIncludeListClick);
    click(ui->btnVol02ZoomIncludeWindow, &Vol02Page::btnVol02ZoomIncludeWindowClick);
    click(ui->btnVol02ClearAll, &Vol02Page::btnVol02ClearAllClick);
    click(ui->btnVol02ListHelp, &Vol02Page::btnVol02ListHelpClick);
    click(ui->btnVol02Examples, &Vol02Page::btnVol02ExamplesClick);
    ConnectSourceRadio(ui->rdoVol02AttachNothing, this, [this] { rdoVol02AttachNothingClick(); });
    ConnectSourceRadio(ui->rdoVol02StructureImportRelativePaths, this,
                       [this] { rdoVol02StructureImportRelativePathsClick(); });
    ConnectSourceRadio(ui->rdoVol02StructureImportFullPaths, this, [this] { rdoVol02StructureImportFullPathsClick(); });
    click(ui->rdoVol02AttachMainFolderWithoutFiles, &Vol02Page::rdoVol02AttachMainFolderWithoutFilesClick);
    click(ui->rdoVol02AttachSubFoldersOnlyWithoutFiles, &Vol02Page::rdoVol02AttachSubFoldersOnlyWithoutFilesClick);
    click(ui->rdoVol02AttachMainFolderWithFiles, &Vol02Page::rdoVol02AttachMainFolderWithFilesClick);
    click(ui->rdoVol02AttachSubFoldersOnlyWithFiles, &Vol02Page::rdoVol02AttachSubFoldersOnlyWithFilesClick);
    click(ui->btnVol02FolderTemplatesOptions, &Vol02Page::btnVol02FolderTemplatesOptionsClick);
    click(ui->btnVol02AddFolderStructure, &Vol02Page::btnVol02AddFolderStructureClick);
    click(ui->btnVol02ImportFolderStructuresTemplates, &Vol02Page::btnVol02ImportFolderStructuresTemplatesClick);
    click(ui->btnVol02ExportFolderStructuresTemplates, &Vol02Page::btnVol02ExportFolderStructuresTemplatesClick);
    click(ui->btnVol02EditFolderStructuresTemplates, &Vol02Page::btnVol02EditFolderStructuresTemplatesClick);
    click(ui->btnVol02ViewFolderStructure, &Vol02Page::btnVol02ViewFolderStructureClick);
    click(ui->btnVol02DeleteSelFolderStructuresTemplates, &Vol02Page::btnVol02DeleteSelFolderStructuresTemplatesClick);
    click(ui->btnVol02DeleteAllFolderStructuresTemplates, &Vol02Page::btnVol02DeleteAllFolderStructuresTemplatesClick);
    click(ui->btnVol02CreateFolders, &Vol02Page::btnVol02CreateFoldersClick);
    click(ui->btnVol02CreateFoldersSimulation, &Vol02Page::btnVol02CreateFoldersSimulationClick);
    click(ui->btnVol02Statistic, &Vol02Page::btnVol02StatisticClick);
    click(ui->btnVol02Undo, &Vol02Page::btnVol02UndoClick);
    connect(ui->cboVol02DestFolders, &QComboBox::currentIndexChanged, this, [this] {
        DestinationShownBefore = DestinationShown;
        DestinationShown = ui->cboVol02DestFolders->currentText();
    });
    connect(ui->cboVol02DestFolders, &QComboBox::activated, this, &Vol02Page::cboVol02DestFoldersSelect);
    connect(ui->edtVol02AddToList, &QLineEdit::returnPressed, this, &Vol02Page::edtVol02AddToListKeyPress);
    auto* checks = new FieldChecks(this);
    checks->Watch(ui->edtVol02Prefix, [this] { edtVol02PrefixChange(); }, [this] { edtVol02PrefixExit(); });
    checks->Watch(ui->edtVol02Suffix, [this] { edtVol02SuffixChange(); }, [this] { edtVol02SuffixExit(); });

    // The Include list holds strings: no drive, nothing a folder name may not hold.
    IncludeExcludeProfile lists;
    lists.ImportEmpty.caption.clear();  // an empty import says nothing
    lists.ImportEnd.caption = MessageCaption(kVol02Topic, "Warning", 20051, "           ");
    lists.ExportEmpty.caption = MessageCaption(kVol02Topic, "Warning", 20021);
    lists.DeleteSelectedEmpty = {
        "The EXCLUDE list is empty !\nAction : You must enter at least one STRING to the "
        "EXCLUDE list to delete it.\n",
        MessageCaption(kVol02Topic, "Warning", 20023)};
    lists.DeleteSelectedAsk.caption = MessageCaption(kVol02Topic, "Warning", 20022);
    lists.DeleteAllEmpty.caption = MessageCaption(kVol02Topic, "Warning", 20024);
    lists.DeleteAllAsk.caption = MessageCaption(kVol02Topic, "Warning", 20025);
    lists.ImportTakes = [](std::string& line) {
        std::string found;
        line = Normalised(line);
        return !line.empty() && GetDrivePart(line).empty() && !FindIllegalChars("H", line, found) &&
               !HasDotFolderName(line);
    };
    lists.ExportTakes = [](const std::string& line) { return GetDrivePart(line).empty(); };
    lists.ExportKind = "STRINGS";
    lists.Editor = []() -> IncludeListEditor* { return frmVol02EditIncludeList; };
    lists.Refresh = [this] { Vol02RefreshListCounters(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol02IncludeStrings, ui->lstVol02ExcludeStrings, ui->lblVol02IncludeSum},
        std::move(lists));

    StructureListMessages m;
    m.EmptyPath = {"The selection field is empty !\nAction : You must select a folder with subfolders structure.",
                   MessageCaption(kVol02Topic, "Warning", 20030)};
    m.AskWholeDrive = {
        "Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick "
        "YES to Attach,\nClick NO to Cancel.",
        MessageCaption(kVol02Topic, "Warning", 20029)};
    m.ImportEmpty = {"Empty Result List in the File Import Window!\n",
                     MessageCaption(kVol02Topic, "Warning", 20031, "             ")};
    m.ImportFullPaths = {"", MessageCaption(kVol02Topic, "Warning", 20032)};
    m.ImportTemplates = {"", MessageCaption(kVol02Topic, "Warning", 20033)};
    m.ImportEnd = {"End of the Import Process !!!\n", MessageCaption(kVol02Topic, "Warning", 20052, "           ")};
    m.ExportEmpty = {"The Folder Structure/Templates Window is empty !\n",
                     MessageCaption(kVol02Topic, "Warning", 20036, "             ")};
    m.EditTemplates = {"", MessageCaption(kVol02Topic, "Warning", 20037)};
    m.EditFullPaths = {"", MessageCaption(kVol02Topic, "Warning", 20038)};
    m.ViewNoneSelected = {
        "There is no selected Folder Structure !\nAction : You must select a folder with subfolders "
        "structure.",
        MessageCaption(kVol02Topic, "Warning", 20040)};
    m.AskDeleteSelected = {"Do you want to delete the selected item(s) from the Exclude list ?",
                           MessageCaption(kVol02Topic, "Warning", 20041)};
    m.DeleteAllEmpty = {"Empty List in the Folder Structures/Templates Window!\n",
                        MessageCaption(kVol02Topic, "Warning", 20042)};
    m.AskDeleteAll = {"Do you want to delete all item(s) from the Folder Structures/Templates list ?",
                      MessageCaption(kVol02Topic, "Warning", 20043)};
    StructureListWidgets widgets = QM_STRUCTURE_WIDGETS(ui, Vol02);
    widgets.Options = ui->btnVol02FolderTemplatesOptions;
    widgets.AttachNothing = ui->rdoVol02AttachNothing;
    Structures = std::make_unique<StructureListHandlers>(this, widgets, 2, std::move(m));
    Structures->ViewTopic = kVol02Topic;
    Structures->Refresh = [this](bool withFiles) { Vol02StructureTail(withFiles); };
    Structures->RefreshAfterListChange = [this] { Vol02RefreshListCounters(); };
    Structures->NothingChosen = [this] {
        Vol02ResetCounters();
        Counters.FoldersToCreate = ui->lstVol02IncludeStrings->count();
        Vol02ShowCounters();
        Vol02UpdateButtons(true);
    };
    Structures->EnableRunButtons = [this](bool flag) { Vol02EnableRunButtons(flag); };
    Structures->UpdateRunButtons = [this](bool flag) { Vol02UpdateButtons(flag); };
}

Vol02Page::~Vol02Page() {
    ui->cboVol02DestFolders->disconnect(this);  // the combo empties as it goes
    delete ui;
}

// ---- destination ------------------------------------------------------------------------

void Vol02Page::btnVol02AddDestFolderClick() {
    const FolderPick pick = BrowseForFolder(window(), "Select the Destination Directory.");
    if (!pick.refused) Vol02SetDestinationFolder(pick.folder);
}

void Vol02Page::cboVol02DestFoldersSelect() {
    QComboBox* combo = ui->cboVol02DestFolders;
    const std::string picked = S(combo->currentText());
    if (TrimBlanks(picked).empty() || plat::FolderExists(picked)) {
        Vol02SetDestinationFolder(picked);
        return;
    }
    // A history entry whose folder is gone leaves the history, and the page
    // says so as "View" does; the destination stays as it was.
    const QString before = DestinationShownBefore;
    combo->removeItem(combo->currentIndex());
    combo->setCurrentIndex(combo->findText(before, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    WarnFolderNotExist(TrimControlAndBlanks(picked), kVol02Topic);
    combo->setFocus();
}

void Vol02Page::Vol02SetDestinationFolder(const std::string& path) {
    QComboBox* combo = ui->cboVol02DestFolders;
    Vol02DescribeFolder(path);
    if (path.empty()) {
        if (combo->currentText().isEmpty()) {
            Vol02EnablePageControls(false);
            Vol02UpdateButtons(false);
        }
        plat::MessageBox("The selection field is empty !\nAction : You must select a Destination Folder.",
                         MessageCaption(kVol02Topic, "Warning", 20003), kWarn);
        combo->setFocus();
        return;
    }
    const QString text = Q(path);
    AddToDestinationHistory(combo, text);
    ui->btnVol02ViewDestFolder->setEnabled(true);
    if (ui->lstVol02IncludeStrings->count() > 0)
        Vol02RefreshListCounters();
    else
        Vol02EnableListControls(true);
    ui->edtVol02AddToList->setFocus();
}

void Vol02Page::btnVol02ViewDestFolderClick() {
    const std::string folder = S(ui->cboVol02DestFolders->currentText());
    if (folder.empty()) {
        plat::MessageBox("The selection field is empty !\nAction : You must select a destination folder.",
                         MessageCaption(kVol02Topic, "Warning", 20004), kWarn);
        return;
    }
    ViewFolder(TrimControlAndBlanks(folder), kVol02Topic);
}

// ---- adding strings -------------------------------------------------------------------------

void Vol02Page::edtVol02AddToListKeyPress() { btnVol02AddToListClick(); }

void Vol02Page::btnVol02AddToListClick() {
    QLineEdit* field = ui->edtVol02AddToList;
    const std::string text = S(field->text());
    // Two spellings of one path are one item: duplicates are looked for as
    // the item would be added.
    const QString item = Q(Normalised(text));
    std::string found;
    if (text.empty()) {
        plat::MessageBox(
            "The text field is empty !\nAction : You must enter a different name to add to the Include List.",
            MessageCaption(kVol02Topic, "Warning", 20006), kWarn);
    } else if (listtools::FindListLine(ui->lstVol02IncludeStrings, item) >= 0) {
        plat::MessageBox("This item already exists in the Include list !",
                         MessageCaption(kVol02Topic, "Warning", 20007), kWarn);
    } else if (listtools::FindListLine(ui->lstVol02ExcludeStrings, item) >= 0) {
        plat::MessageBox("This item already exists in the Exclude list !",
                         MessageCaption(kVol02Topic, "Warning", 20008), kWarn);
    } else if (!GetDrivePart(text).empty()) {
        plat::MessageBox(
            "This item is a Folder Name (with drive letter) !\nAction : You must enter a string without a drive "
            "letter !!!",
            MessageCaption(kVol02Topic, "Warning", 20009, "          "), kWarn);
    } else if (FindIllegalChars("H", text, found)) {
        plat::MessageBox("Illegal character in the Text : " + found, MessageCaption(kVol02Topic, "Warning", 20010),
                         kWarn);
        field->setText(WithoutLastCharacter(field->text()));
    } else if (HasDotFolderName(text)) {
        plat::MessageBox(
            "There are \".\" or \"..\" folder names in the text !\nAction : You must enter paths without \".\" or "
            "\"..\" folder names.",
            MessageCaption(kVol02Topic, "Warning", 20010), kWarn);
    } else {
        listtools::AddListItem(ui->lstVol02IncludeStrings, item);
        field->setText(item);
    }
    Vol02RefreshListCounters();
    field->setFocus();
}

// ---- moves, deletions and list services ----------------------------------------------------

void Vol02Page::btnVol02IncToExcClick() { Lists->IncToExcClick(ui->edtVol02AddToList); }
void Vol02Page::btnVol02ExcToIncClick() { Lists->ExcToIncClick(ui->edtVol02AddToList); }
void Vol02Page::btnVol02AllFromIncClick() { Lists->AllFromIncClick(ui->edtVol02AddToList); }
void Vol02Page::btnVol02AllFromExcClick() { Lists->AllFromExcClick(ui->edtVol02AddToList); }
// The button gives the focus back to the add field, nothing more.
void Vol02Page::btnVol02ExchangeIncExcClick() { ui->edtVol02AddToList->setFocus(); }
void Vol02Page::btnVol02DeleteFromExcludeClick() { Lists->DeleteFromExcludeClick(); }
void Vol02Page::btnVol02DeleteExcludeAllClick() { Lists->DeleteExcludeAllClick(); }
void Vol02Page::btnVol02SmartImportClick() { Lists->ImportClick(ui->edtVol02AddToList); }
void Vol02Page::btnVol02SmartExportClick() { Lists->ExportClick(); }
void Vol02Page::btnVol02EditIncludeListClick() { Lists->EditListClick(ui->edtVol02AddToList); }
void Vol02Page::btnVol02ZoomIncludeWindowClick() { Lists->ZoomClick(); }

// ---- prefix and suffix -------------------------------------------------------------------------

void Vol02Page::Vol02CheckNameField(bool prefix) {
    QLineEdit* field = prefix ? ui->edtVol02Prefix : ui->edtVol02Suffix;
    std::string found;
    if (!FindIllegalChars("F", S(field->text()), found)) return;
    plat::MessageBox((prefix ? "Illegal character in the Prefix : " : "Illegal character in the Suffix : ") + found,
                     MessageCaption(kVol02Topic, "Warning", prefix ? 20026 : 20027), kWarn);
    // Change checks again after this, until nothing forbidden is left.
    field->setText(WithoutLastCharacter(field->text()));
    field->setFocus();
}

void Vol02Page::edtVol02PrefixChange() { Vol02CheckNameField(true); }
void Vol02Page::edtVol02PrefixExit() { edtVol02PrefixChange(); }
void Vol02Page::edtVol02SuffixChange() { Vol02CheckNameField(false); }
void Vol02Page::edtVol02SuffixExit() { edtVol02SuffixChange(); }

// ---- refresh and enable rules --------------------------------------------------------------------

void Vol02Page::Vol02RefreshListCounters() {
    if (ui->lstVol02IncludeStrings->count() == 0) {
        Vol02EnableNameControls(false);
        Vol02UpdateButtons(false);
    } else {
        Vol02EnablePageControls(true);
        Vol02UpdateButtons(true);
    }
    Vol02ResetCounters();
    Vol02CheckDiskSpace(Structures->WithFilesChecked());
    Vol02ShowCounters();
}

void Vol02Page::Vol02EnablePageControls(bool flag) {
    Vol02EnableListControls(flag);
    Vol02EnableNameControls(flag);
}

void Vol02Page::Vol02EnableListControls(bool flag) {
    SetEnabled(this,
               {"lblVol02AddToList", "edtVol02AddToList", "btnVol02AddToList", "lblVol02Include", "lblVol02Exclude",
                "lstVol02IncludeStrings", "lstVol02ExcludeStrings", "btnVol02IncToExc", "btnVol02ExcToInc",
                "btnVol02AllFromInc", "btnVol02AllFromExc", "btnVol02ExchangeIncExc", "btnVol02SmartImport",
                "btnVol02SmartExport", "btnVol02EditIncludeList", "btnVol02ZoomIncludeWindow",
                "btnVol02DeleteFromExclude", "btnVol02DeleteExcludeAll", "lblVol02IncludeSumCim", "lblVol02IncludeSum",
                "lblVol02ExcludeSumCim", "lblVol02ExcludeSum"},
               flag);
}

void Vol02Page::Vol02EnableNameControls(bool flag) {
    SetEnabled(this,
               {"lblVol02Prefix", "edtVol02Prefix", "lblVol02Suffix", "edtVol02Suffix", "chkVol02Hyphen",
                "chkVol02ViewDestFolder", "chkVol02ViewDetailedResults", "btnVol02Undo", "btnVol02Statistic",
                "btnVol02FolderTemplatesOptions", "lblVol02FolderStructuresTemplates",
                "lblVol02FolderStructuresTemplatesSumCimke", "lblVol02FolderStructuresTemplatesSum",
                "btnVol02AddFolderStructure", "btnVol02ImportFolderStructuresTemplates", "btnVol02ViewFolderStructure",
                "btnVol02DeleteSelFolderStructuresTemplates", "btnVol02DeleteAllFolderStructuresTemplates",
                "btnVol02ExportFolderStructuresTemplates", "btnVol02EditFolderStructuresTemplates",
                "lstVol02AddFolderStructure", "rdoVol02StructureImportRelativePaths",
                "rdoVol02StructureImportFullPaths", "rdoVol02AttachNothing", "rdoVol02AttachMainFolderWithFiles",
                "rdoVol02AttachMainFolderWithoutFiles", "rdoVol02AttachSubFoldersOnlyWithFiles",
                "rdoVol02AttachSubFoldersOnlyWithoutFiles"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol02AttachNothing))
        rdoVol02AttachNothingClick();
    else if (IsEnabledAndChecked(ui->rdoVol02StructureImportFullPaths))
        Vol02SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol02StructureImportRelativePaths))
        Vol02SetRelativePathsMode();
    Vol02UpdateButtons(true);
}

void Vol02Page::Vol02EnableRunButtons(bool flag) {
    ui->btnVol02CreateFolders->setEnabled(flag);
    ui->btnVol02CreateFoldersSimulation->setEnabled(flag);
}

void Vol02Page::Vol02UpdateButtons(bool flag) {
    Vol02EnableRunButtons(flag);
    if (ui->lstVol02IncludeStrings->count() == 0) {
        Vol02EnableRunButtons(false);
        return;
    }
    const bool nothing = IsEnabledAndChecked(ui->rdoVol02AttachNothing);
    if (ui->lstVol02AddFolderStructure->count() > 0) {
        if (nothing || IsOwnEnabled(ui->rdoVol02StructureImportFullPaths) ||
            IsOwnEnabled(ui->rdoVol02StructureImportRelativePaths))
            Vol02EnableRunButtons(true);
    } else {
        Vol02EnableRunButtons(nothing);
    }
}

// ---- Clear All ------------------------------------------------------------------------------------

void Vol02Page::btnVol02ClearAllClick() {
    if (plat::MessageBox(
            "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete "
            "process.",
            MessageCaption(kVol02Topic, "Information", 20044), kAsk) != plat::IDYES)
        return;
    ui->cboVol02DestFolders->clear();
    ui->cboVol02DestFolders->setEditText(QString());
    ui->edtVol02AddToList->clear();
    ui->lblVol02IncludeSum->setText("0");
    ui->lblVol02ExcludeSum->setText("0");
    ui->lstVol02IncludeStrings->clear();
    ui->lstVol02ExcludeStrings->clear();
    ui->edtVol02Prefix->clear();
    ui->edtVol02Suffix->clear();
    ui->chkVol02Hyphen->setChecked(true);
    ui->lstVol02AddFolderStructure->clear();
    SetChecked(ui->rdoVol02StructureImportFullPaths, true);
    SetChecked(ui->rdoVol02StructureImportRelativePaths, false);
    SetChecked(ui->rdoVol02AttachNothing, false);
    SetChecked(ui->rdoVol02AttachMainFolderWithoutFiles, true);
    for (QRadioButton* r : {ui->rdoVol02AttachMainFolderWithFiles, ui->rdoVol02AttachSubFoldersOnlyWithFiles,
                            ui->rdoVol02AttachSubFoldersOnlyWithoutFiles})
        SetChecked(r, false);
    ui->chkVol02ViewDestFolder->setChecked(true);
    ui->chkVol02ViewDetailedResults->setChecked(true);
    Vol02ResetCounters();
    Vol02ClearResultLists();
    Vol02ShowCounters();
    Vol02EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n", MessageCaption(kVol02Topic, "Information", 20045),
                     pagekit::kInfo);
}

// ---- Help and Examples -----------------------------------------------------------------------------

void Vol02Page::btnVol02ListHelpClick() { ShowHelpTopic(HelpTopic::Vol02); }

void Vol02Page::btnVol02ExamplesClick() { ShowExamples(ExampleWindow::Vol02); }
