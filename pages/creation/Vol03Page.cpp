// Page 03: destination, start and end numbers, prefix and suffix, the
// enable rules and Clear All.
#include "pages/creation/Vol03Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/FieldChecks.h"
#include "pages/RunItems.h"
#include "pages/StructureLists.h"
#include "pages/VisualLog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "results/LevelSummary.h"
#include "ui_Vol03Page.h"
#include "results/TfrmStatistic03.h"
#include "windows/ListTools.h"
#include "pages/PageMessages.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(CreationFoldersCreated) == TfrmStatistic03::FoldersCreated &&
              int(CreationFoldersFailedUndo) == TfrmStatistic03::FoldersFailedUndo);

using namespace pagekit;

Vol03Page::Vol03Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol03Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol03AddFolderStructure, 3000);
    listtools::ShowCountOf(ui->lstVol03AddFolderStructure, ui->lblVol03FolderStructuresTemplatesSum);

    auto click = [this](QAbstractButton* button, void (Vol03Page::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol03AddDestFolder, &Vol03Page::btnVol03AddDestFolderClick);
    click(ui->btnVol03ViewDestFolder, &Vol03Page::btnVol03ViewDestFolderClick);
    click(ui->btnVol03ClearAll, &Vol03Page::btnVol03ClearAllClick);
    click(ui->btnVol03Help, &Vol03Page::btnVol03HelpClick);
    click(ui->btnVol03Examples, &Vol03Page::btnVol03ExamplesClick);
    ConnectSourceRadio(ui->rdoVol03AttachNothing, this, [this] { rdoVol03AttachNothingClick(); });
    ConnectSourceRadio(ui->rdoVol03StructureImportFullPaths, this, [this] { rdoVol03StructureImportFullPathsClick(); });
    ConnectSourceRadio(ui->rdoVol03StructureImportRelativePaths, this,
                       [this] { rdoVol03StructureImportRelativePathsClick(); });
    click(ui->rdoVol03AttachMainFolderWithoutFiles, &Vol03Page::rdoVol03AttachMainFolderWithoutFilesClick);
    click(ui->rdoVol03AttachSubFoldersOnlyWithoutFiles, &Vol03Page::rdoVol03AttachSubFoldersOnlyWithoutFilesClick);
    click(ui->rdoVol03AttachMainFolderWithFiles, &Vol03Page::rdoVol03AttachMainFolderWithFilesClick);
    click(ui->rdoVol03AttachSubFoldersOnlyWithFiles, &Vol03Page::rdoVol03AttachSubFoldersOnlyWithFilesClick);
    click(ui->btnVol03FolderTemplatesOptions, &Vol03Page::btnVol03FolderTemplatesOptionsClick);
    click(ui->btnVol03AddFolderStructure, &Vol03Page::btnVol03AddFolderStructureClick);
    click(ui->btnVol03ImportFolderStructuresTemplates, &Vol03Page::btnVol03ImportFolderStructuresTemplatesClick);
    click(ui->btnVol03ExportFolderStructuresTemplates, &Vol03Page::btnVol03ExportFolderStructuresTemplatesClick);
    click(ui->btnVol03EditFolderStructuresTemplates, &Vol03Page::btnVol03EditFolderStructuresTemplatesClick);
    click(ui->btnVol03ViewFolderStructure, &Vol03Page::btnVol03ViewFolderStructureClick);
    click(ui->btnVol03DeleteSelFolderStructuresTemplates, &Vol03Page::btnVol03DeleteSelFolderStructuresTemplatesClick);
    click(ui->btnVol03DeleteAllFolderStructuresTemplates, &Vol03Page::btnVol03DeleteAllFolderStructuresTemplatesClick);
    click(ui->btnVol03CreateFolders, &Vol03Page::btnVol03CreateFoldersClick);
    click(ui->btnVol03CreateFoldersSimulation, &Vol03Page::btnVol03CreateFoldersSimulationClick);
    click(ui->btnVol03Statistics, &Vol03Page::btnVol03StatisticsClick);
    click(ui->btnVol03Undo, &Vol03Page::btnVol03UndoClick);
    connect(ui->cboVol03DestFolders, &QComboBox::activated, this, &Vol03Page::cboVol03DestFoldersSelect);
    auto* checks = new FieldChecks(this);
    checks->Watch(ui->edtVol03Prefix, [this] { edtVol03PrefixChange(); }, [this] { edtVol03PrefixExit(); });
    checks->Watch(ui->edtVol03Suffix, [this] { edtVol03SuffixChange(); }, [this] { edtVol03SuffixExit(); });
    checks->Watch(ui->edtVol03StartNumber, nullptr, [this] { edtVol03StartNumberExit(); });
    checks->Watch(ui->edtVol03EndNumber, nullptr, [this] { edtVol03EndNumberExit(); });

    StructureListMessages m;
    const std::string tabs = kVol03Tabs;
    m.EmptyPath = {"The selection field is empty !\nAction : You must select a folder with subfolder structure.",
                   MessageCaption("Creating Folder(s).- Increased Numbers.", "Warning", 30012)};
    m.AskWholeDrive = {
        "Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick "
        "YES to Attach,\nClick NO to Cancel.",
        MessageCaption(kVol03Topic, "Warning", 30011)};
    m.ImportEmpty = {"Empty Result List in the File Import Window!\n",
                     MessageCaption("Creating Folder(s).- Increased Numbers.", "Warning", 30014, "             ")};
    m.ImportFullPaths = {"", MessageCaption(kVol03Topic, "Warning", 30015)};
    m.ImportTemplates = {"", MessageCaption(kVol03Topic, "Warning", 30016)};
    m.ImportEnd = {"End of the Import Process !!!\n", MessageCaption(kVol03Topic, "Warning", 30051, "           ")};
    m.ExportEmpty = {"The Folder Structure/Templates Window is empty !\n",
                     MessageCaption(kVol03Topic, "Warning", 30019, "             ")};
    m.EditTemplates = {"", MessageCaption("Creating Folder(s).- Increased Numbers.", "Warning", 30023)};
    m.EditFullPaths = {"", MessageCaption("Creating Folder(s).- Increased Numbers.", "Warning", 30024)};
    m.ViewNoneSelected = {
        "There is no selected Folder Structure !\nAction : You must select a folder with subfolder "
        "structure.",
        MessageCaption(kVol03Topic, "Warning", 30013, tabs)};
    m.AskDeleteSelected = {"Do you want to delete selected folder(s) from the Exclude list ?",
                           MessageCaption(kVol03Topic, "Warning", 30020, tabs)};
    m.DeleteAllEmpty = {"Empty List in the Folder Structures/Templates Window!\n",
                        MessageCaption(kVol03Topic, "Warning", 30021)};
    m.AskDeleteAll = {"Do you want to delete all item(s) from the Folder Structures/Templates list ?",
                      MessageCaption(kVol03Topic, "Warning", 30022)};
    StructureListWidgets widgets = QM_STRUCTURE_WIDGETS(ui, Vol03);
    widgets.Options = ui->btnVol03FolderTemplatesOptions;
    widgets.AttachNothing = ui->rdoVol03AttachNothing;
    widgets.NumbersAsSuffix = ui->chkVol03AddIncNumbersAsSuffix;
    Structures = std::make_unique<StructureListHandlers>(this, widgets, 3, std::move(m));
    Structures->ViewTopic = kVol03Topic;
    Structures->Refresh = [this](bool withFiles) { Vol03StructureTail(withFiles); };
    Structures->NothingChosen = [this] {
        Vol03ResetCounters();
        Counters.FoldersToCreate = static_cast<double>(Vol03ReadNumbers(S(ui->edtVol03StartNumber->text()),
                                                                        S(ui->edtVol03EndNumber->text()))
                                                           .Count());
        Vol03ShowCounters();
        Vol03UpdateButtons(true);
    };
    Structures->EnableRunButtons = [this](bool flag) { Vol03EnableRunButtons(flag); };
    Structures->UpdateRunButtons = [this](bool flag) { Vol03UpdateButtons(flag); };
}

Vol03Page::~Vol03Page() {
    ui->cboVol03DestFolders->disconnect(this);
    delete ui;
}

// ---- destination ------------------------------------------------------------------------

void Vol03Page::btnVol03AddDestFolderClick() {
    const FolderPick pick = BrowseForFolder(window(), "Select the Destination Directory.");
    if (!pick.refused) Vol03SetDestFolder(pick.folder);
}

void Vol03Page::cboVol03DestFoldersSelect() { Vol03SetDestFolder(S(ui->cboVol03DestFolders->currentText())); }

void Vol03Page::Vol03SetDestFolder(const std::string& path) {
    QComboBox* combo = ui->cboVol03DestFolders;
    const std::string trimmed = TrimControlAndBlanks(path);
    if (trimmed.empty()) {
        Vol03EnablePageControls(false);
        Vol03UpdateButtons(false);
        plat::MessageBox("The selection field is empty !\nAction : You must select a destination folder.",
                         MessageCaption(kVol03Topic, "Warning", 30002, kVol03Tabs), kWarn);
        combo->setFocus();
        return;
    }
    AddToDestinationHistory(combo, Q(trimmed));
    bool exists = false;
    ReadBesideWindow([&] { exists = plat::FolderExists(trimmed); });
    if (exists) Vol03ShowStructureSummary(trimmed, true);
    Vol03EnablePageControls(true);
    Vol03UpdateButtons(true);
}

void Vol03Page::btnVol03ViewDestFolderClick() {
    const std::string folder = TrimControlAndBlanks(S(ui->cboVol03DestFolders->currentText()));
    if (folder.empty()) {
        plat::MessageBox("The selection field is empty !\nAction : You must select a destination folder.",
                         MessageCaption(kVol03Topic, "Warning", 30003, kVol03Tabs), kWarn);
        return;
    }
    ViewFolder(folder, kVol03Topic);
}

bool Vol03Page::Vol03ShowStructureSummary(const std::string& path, bool withFiles) {
    const std::string p = TrimBlanks(path);
    std::uint32_t folders = 0, files = 0;
    std::uint64_t bytes = 0;
    if (!p.empty()) {
        FolderStructSize size(p, withFiles);
        size.SetCountRoot(!(ui->rdoVol03AttachSubFoldersOnlyWithFiles->isChecked() ||
                            ui->rdoVol03AttachSubFoldersOnlyWithoutFiles->isChecked()));
        ExamineShowingProgress(size);
        folders = size.GetFolderCount();
        if (withFiles) {
            files = size.GetFileCount();
            bytes = size.GetTotalFileSize();
        }
    }
    std::string text = "Folder structure: " + p + "\n\n" + "Contains :       " + NumToStr(folders) +
                       " Main Folders/Subfolders.\n\n";
    if (withFiles)
        text += "                       " + NumToStr(files) + " Files." + "\n\n" + "Sum file size :  " +
                FormatByteSize(bytes) + "  (" + UInt64ToStr(bytes) + " bytes)." + "\n";
    plat::MessageBox(text, "Summary of the selected Subfolder structure.", plat::MB_OK);
    return true;
}

// ---- numbers ------------------------------------------------------------------------------------

// The exit checks of both number edits: a text that is no number becomes
// "1" (start) or the start number (end); a number below 1 is stored as 1
// while the edit keeps it; the counters follow the edits.
void Vol03Page::Vol03CheckNumbers(bool startHandler) {
    std::int32_t start = 1, end = 1;
    if (!Vol03ParseNumber(S(ui->edtVol03StartNumber->text()), start)) {
        start = 1;
        ui->edtVol03StartNumber->setText("1");
        (startHandler ? ui->edtVol03EndNumber : ui->edtVol03StartNumber)->setFocus();
    }
    if (!Vol03ParseNumber(S(ui->edtVol03EndNumber->text()), end)) {
        end = start;
        ui->edtVol03EndNumber->setText(QString::number(end));
        ui->edtVol03EndNumber->setFocus();
    }
    if (startHandler && start < 1) start = 1;
    if (!startHandler && end < 1) end = 1;
    Vol03StartValue = start;
    Vol03EndValue = end;
    Vol03ResetCounters();
    Vol03CheckDiskSpace(Vol03WithFilesChecked());
    Vol03ShowCounters();
}

void Vol03Page::edtVol03StartNumberExit() { Vol03CheckNumbers(true); }
void Vol03Page::edtVol03EndNumberExit() { Vol03CheckNumbers(false); }

void Vol03Page::Vol03ShowNumbers(const Vol03Numbers& numbers) {
    if (!numbers.StartValid) ui->edtVol03StartNumber->setText(QString::number(numbers.Start));
    if (!numbers.EndValid) ui->edtVol03EndNumber->setText(QString::number(numbers.End));
}

// ---- prefix and suffix -------------------------------------------------------------------------

void Vol03Page::Vol03CheckNameField(bool prefix) {
    QLineEdit* field = prefix ? ui->edtVol03Prefix : ui->edtVol03Suffix;
    std::string found;
    if (!FindIllegalChars("F", S(field->text()), found)) return;
    if (prefix)
        plat::MessageBox("Illegal character in the Prefix : " + found, MessageCaption(kVol03Topic, "Warning", 30004),
                         kWarn);
    else
        plat::MessageBox("Illegal character in the Suffix : " + found,
                         MessageCaption("Creating Folder(s).-Increased numbers.", "Warning", 30005), kWarn);
    // Change checks again after this, until nothing forbidden is left.
    field->setText(WithoutLastCharacter(field->text()));
    field->setFocus();
}

void Vol03Page::edtVol03PrefixChange() { Vol03CheckNameField(true); }
void Vol03Page::edtVol03PrefixExit() { edtVol03PrefixChange(); }
void Vol03Page::edtVol03SuffixChange() { Vol03CheckNameField(false); }
void Vol03Page::edtVol03SuffixExit() { edtVol03SuffixChange(); }

// ---- page state ------------------------------------------------------------------------------------

void Vol03Page::Vol03ResetCounters() { ResetCreationCounters(*this); }
void Vol03Page::Vol03ResetRunCounters() { ResetCreationRunCounters(*this); }
void Vol03Page::Vol03ShowCounters() { Vol03VisualLog().ShowCounters(Labels()); }
void Vol03Page::Vol03ClearLogLists() { Vol03VisualLog().ClearLogLists(); }
void Vol03Page::Vol03ClearResultLists() { ClearCreationRunLists(*this); }

bool Vol03Page::Vol03WithFilesChecked() const { return Structures->WithFilesChecked(); }

bool Vol03Page::Vol03CheckDiskSpace(bool withFiles) {
    return ::Vol03CheckDiskSpace(*this, Vol03ReadInputs(), withFiles);
}

void Vol03Page::Vol03EnablePageControls(bool flag) {
    SetEnabled(this,
               {"btnVol03ViewDestFolder", "lblVol03StartNumber", "edtVol03StartNumber", "lblVol03EndNumber",
                "edtVol03EndNumber", "lblVol03Prefix", "edtVol03Prefix", "lblVol03Suffix", "edtVol03Suffix",
                "chkVol03Hyphen", "chkVol03PaddedZeroes", "chkVol03ViewDestFolder", "chkVol03ViewDetailedResults",
                "btnVol03Statistics", "btnVol03Undo", "btnVol03FolderTemplatesOptions", "chkVol03AddIncNumbersAsSuffix",
                "lblVol03FolderStructuresTemplatesSource", "lblVol03FolderStructuresTemplates",
                "lblVol03FolderStructuresTemplatesSumCimke", "lblVol03FolderStructuresTemplatesSum",
                "btnVol03AddFolderStructure", "btnVol03ImportFolderStructuresTemplates", "btnVol03ViewFolderStructure",
                "btnVol03DeleteSelFolderStructuresTemplates", "btnVol03DeleteAllFolderStructuresTemplates",
                "btnVol03ExportFolderStructuresTemplates", "btnVol03EditFolderStructuresTemplates",
                "lstVol03AddFolderStructure", "rdoVol03AttachNothing", "rdoVol03AttachMainFolderWithFiles",
                "rdoVol03AttachMainFolderWithoutFiles", "rdoVol03AttachSubFoldersOnlyWithFiles",
                "rdoVol03AttachSubFoldersOnlyWithoutFiles", "rdoVol03StructureImportFullPaths",
                "rdoVol03StructureImportRelativePaths"},
               flag);
    // Off with the page; a restore that enables the page keeps the stored choice.
    if (!flag) ui->chkVol03AddIncNumbersAsSuffix->setChecked(false);
    if (IsEnabledAndChecked(ui->rdoVol03AttachNothing))
        rdoVol03AttachNothingClick();
    else if (IsEnabledAndChecked(ui->rdoVol03StructureImportFullPaths))
        Vol03SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol03StructureImportRelativePaths))
        Vol03SetRelativePathsMode();
    Vol03UpdateButtons(flag);
}

void Vol03Page::Vol03EnableRunButtons(bool flag) {
    ui->btnVol03CreateFolders->setEnabled(flag);
    ui->btnVol03CreateFoldersSimulation->setEnabled(flag);
}

void Vol03Page::Vol03UpdateButtons(bool flag) {
    Vol03EnableRunButtons(flag);
    const bool nothing = IsEnabledAndChecked(ui->rdoVol03AttachNothing);
    if (ui->lstVol03AddFolderStructure->count() == 0) {
        Vol03EnableRunButtons(nothing);
    } else if (nothing || IsOwnEnabled(ui->rdoVol03StructureImportRelativePaths) ||
               IsOwnEnabled(ui->rdoVol03StructureImportFullPaths)) {
        Vol03EnableRunButtons(true);
    }
}

// The common refresh after the options or the list changed.
void Vol03Page::Vol03StructureTail(bool withFiles) {
    Vol03ResetCounters();
    const Vol03Inputs in = Vol03ReadInputs();
    Counters.FoldersToCreate = static_cast<double>(Vol03ReadNumbers(in.StartText, in.EndText).Count());
    ::Vol03CheckDiskSpace(*this, in, withFiles);
    Vol03ShowCounters();
    ui->lblVol03FolderStructuresTemplatesSum->setText(CountText(ui->lstVol03AddFolderStructure));
    Vol03UpdateButtons(true);
}

// ---- Clear All ------------------------------------------------------------------------------------

void Vol03Page::btnVol03ClearAllClick() {
    if (plat::MessageBox(
            "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete "
            "process.",
            MessageCaption(kVol03Topic, "Information", 30008), kAsk) != plat::IDYES)
        return;
    ui->cboVol03DestFolders->clear();
    ui->cboVol03DestFolders->setEditText(QString());
    ui->edtVol03StartNumber->setText("1");
    ui->edtVol03EndNumber->setText("1");
    ui->edtVol03Prefix->clear();
    ui->edtVol03Suffix->clear();
    ui->chkVol03Hyphen->setChecked(false);
    ui->chkVol03PaddedZeroes->setChecked(false);
    ui->lstVol03AddFolderStructure->clear();
    SetChecked(ui->rdoVol03StructureImportFullPaths, true);
    SetChecked(ui->rdoVol03StructureImportRelativePaths, false);
    SetChecked(ui->rdoVol03AttachNothing, false);
    SetChecked(ui->rdoVol03AttachMainFolderWithoutFiles, true);
    for (QRadioButton* r : {ui->rdoVol03AttachMainFolderWithFiles, ui->rdoVol03AttachSubFoldersOnlyWithFiles,
                            ui->rdoVol03AttachSubFoldersOnlyWithoutFiles})
        SetChecked(r, false);
    ui->chkVol03ViewDestFolder->setChecked(true);
    ui->chkVol03ViewDetailedResults->setChecked(true);
    ui->chkVol03AddIncNumbersAsSuffix->setChecked(false);
    Vol03ResetCounters();
    Vol03ClearResultLists();
    Vol03ShowCounters();
    Vol03EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!", MessageCaption(kVol03Topic, "Information", 30009),
                     pagekit::kInfo);
}

// ---- Help and Examples -----------------------------------------------------------------------------

void Vol03Page::btnVol03HelpClick() { ShowHelpTopic(HelpTopic::Vol03); }

void Vol03Page::btnVol03ExamplesClick() { ShowExamples(ExampleWindow::Vol03); }
