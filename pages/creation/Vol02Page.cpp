#include "pages/creation/Vol02Page.h"

#include "ui_Vol02Page.h"

using namespace pagekit;

Vol02Page::Vol02Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol02Page), Shared(shared) {
    ui->setupUi(this);
}

Vol02Page::~Vol02Page() { delete ui; }

void Vol02Page::Vol02ResetCounters() {
    Stat02FoldersToCreate = Stat02SubFoldersToCreate = Stat02FilesToCreate = Stat02FilesSizeToCreate = 0;
    Stat02FoldersCreated = Stat02SubFoldersCreated = Stat02FilesCreated = Stat02FilesSizeCreated = 0;
    Stat02FoldersExists = Stat02SubFoldersExists = Stat02FilesExists = Stat02FilesSizeExists = 0;
    Stat02FoldersOther = Stat02SubFoldersOther = Stat02FilesOther = Stat02FilesSizeOther = 0;
    Vol02FailedUndoCount = 0;
}

void Vol02Page::Vol02ClearResultLists() {
    for (StringList* list : {&Vol02ResultFoldersCreated, &Vol02ResultFoldersExists, &Vol02ResultFoldersOther,
                             &Vol02ResultSubFoldersCreated, &Vol02CreatedFolders, &Vol02CreatedSubFolders,
                             &Vol02CreatedFiles, &Vol02ExistingFolders, &Vol02OtherReasons, &Vol02FailedUndoFolders})
        list->clear();
}

void Vol02Page::Vol02RefreshListCounters() {
    if (ui->lstVol02IncludeStrings->count() == 0) {
        Vol02EnableNameControls(false);
        Vol02UpdateButtons(false);
    } else {
        Vol02EnablePageControls(true);
        Vol02UpdateButtons(true);
    }
    Vol02ResetCounters();
    ui->lblVol02IncludeSum->setText(CountText(ui->lstVol02IncludeStrings));
    ui->lblVol02ExcludeSum->setText(CountText(ui->lstVol02ExcludeStrings));
}

void Vol02Page::Vol02EnablePageControls(bool flag) {
    Vol02EnableListControls(flag);
    Vol02EnableNameControls(flag);
}

void Vol02Page::Vol02EnableListControls(bool flag) {
    SetEnabled(this,
               {"lblVol02AddToList", "edtVol02AddToList", "lblVol02Include", "lblVol02Exclude",
                "lstVol02IncludeStrings", "lstVol02ExcludeStrings", "lblVol02IncludeSumCim", "lblVol02IncludeSum",
                "lblVol02ExcludeSumCim", "lblVol02ExcludeSum"},
               flag);
}

void Vol02Page::Vol02EnableNameControls(bool flag) {
    SetEnabled(this,
               {"lblVol02Prefix", "edtVol02Prefix", "lblVol02Suffix", "edtVol02Suffix", "chkVol02Hyphen",
                "chkVol02ViewDestFolder", "chkVol02ViewDetailedResults", "lblVol02FolderStructuresTemplates",
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

void Vol02Page::Vol02UpdateButtons(bool) {
    // Only CREATE and Simulation follow these rules; they come with the page's run.
}

void Vol02Page::rdoVol02AttachNothingClick() {
    ApplyStructureSource(this, "Vol02", StructureSource::Nothing);
    ui->lstVol02AddFolderStructure->clear();
    Vol02ResetCounters();
    Stat02FoldersToCreate = ui->lstVol02IncludeStrings->count();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(ui->lstVol02AddFolderStructure));
    Vol02UpdateButtons(true);
}

void Vol02Page::Vol02SetRelativePathsMode() {
    ApplyStructureSource(this, "Vol02", StructureSource::TemplateLines);
    Vol02StructureTail();
}

void Vol02Page::Vol02SetFullPathsMode() {
    ApplyStructureSource(this, "Vol02", StructureSource::ExistingFolders);
    Vol02StructureTail();
}

// The common end of the structure handlers; the disk-space figures and the
// Visual Log counters join it with the page's run.
void Vol02Page::Vol02StructureTail() {
    Vol02ResetCounters();
    ui->lblVol02FolderStructuresTemplatesSum->setText(CountText(ui->lstVol02AddFolderStructure));
    Vol02UpdateButtons(true);
}
