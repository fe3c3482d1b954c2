#include "pages/creation/Vol04Page.h"

#include "ui_Vol04Page.h"

using namespace pagekit;

Vol04Page::Vol04Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol04Page), Shared(shared) {
    ui->setupUi(this);
}

Vol04Page::~Vol04Page() { delete ui; }

void Vol04Page::Vol04ResetStructureTotals() {
    Stat04FoldersToCreate = Stat04SubFoldersToCreate = Stat04FilesToCreate = Stat04FilesSizeToCreate = 0;
    Vol04ResetCounters();
}

void Vol04Page::Vol04ResetCounters() {
    Stat04FoldersCreated = Stat04SubFoldersCreated = Stat04FilesCreated = Stat04FilesSizeCreated = 0;
    Stat04FoldersExists = Stat04SubFoldersExists = Stat04FilesExists = Stat04FilesSizeExists = 0;
    Stat04FoldersOther = Stat04SubFoldersOther = Stat04FilesOther = Stat04FilesSizeOther = 0;
    Vol04FailedUndoCount = 0;
}

void Vol04Page::Vol04ClearUndoLists() {
    Vol04ClearLastRunLists();
    Vol04FailedUndoFiles.clear();
}

void Vol04Page::Vol04ClearLastRunLists() {
    for (StringList* list : {&Vol04LastCreatedFolders, &Vol04LastCreatedSubFolders, &Vol04LastCreatedFiles,
                             &Vol04LastExistingFolders, &Vol04LastOtherReasons, &Vol04FailedUndoFolders})
        list->clear();
}

void Vol04Page::Vol04RefreshPage() {
    Vol04EnablePageControls(ui->lstVol04IncludeFolderList->count() > 0);
    Vol04ResetStructureTotals();
    ui->lblVol04IncludeSum->setText(CountText(ui->lstVol04IncludeFolderList));
    ui->lblVol04ExcludeSum->setText(CountText(ui->lstVol04ExcludeFolderList));
}

void Vol04Page::Vol04EnablePageControls(bool flag) {
    SetEnabled(this,
               {"lblVol04Prefix", "edtVol04Prefix", "lblVol04Suffix", "edtVol04Suffix", "chkVol04Hyphen",
                "chkVol04ViewDetailedResults", "lblVol04FolderStructuresTemplates",
                "lblVol04FolderStructuresTemplatesSumCimke", "lblVol04FolderStructuresTemplatesSum",
                "btnVol04AddFolderStructure", "btnVol04ImportFolderStructuresTemplates", "btnVol04ViewFolderStructure",
                "btnVol04DeleteSelFolderStructuresTemplates", "btnVol04DeleteAllFolderStructuresTemplates",
                "btnVol04ExportFolderStructuresTemplates", "btnVol04EditFolderStructuresTemplates",
                "lstVol04AddFolderStructure", "rdoVol04AttachNothing", "rdoVol04AttachMainFolderWithFiles",
                "rdoVol04AttachMainFolderWithoutFiles", "rdoVol04AttachSubFoldersOnlyWithFiles",
                "rdoVol04AttachSubFoldersOnlyWithoutFiles", "rdoVol04StructureImportFullPaths",
                "rdoVol04StructureImportRelativePaths"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol04AttachNothing))
        rdoVol04AttachNothingClick();
    else if (IsEnabledAndChecked(ui->rdoVol04StructureImportFullPaths))
        Vol04SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol04StructureImportRelativePaths))
        Vol04SetRelativePathsMode();
    Vol04EnableStructureControls(true);
}

void Vol04Page::Vol04EnableStructureControls(bool) {
    // Only CREATE and Simulation follow these rules; they come with the page's run.
}

void Vol04Page::rdoVol04AttachNothingClick() {
    ApplyStructureSource(this, "Vol04", StructureSource::Nothing);
    ui->lstVol04AddFolderStructure->clear();
    Vol04StructureTail();
}

void Vol04Page::Vol04SetRelativePathsMode() {
    ApplyStructureSource(this, "Vol04", StructureSource::TemplateLines);
    Vol04StructureTail();
}

void Vol04Page::Vol04SetFullPathsMode() {
    ApplyStructureSource(this, "Vol04", StructureSource::ExistingFolders);
    Vol04StructureTail();
}

// The disk-space figures and the Visual Log counters join this with the run.
void Vol04Page::Vol04StructureTail() {
    Vol04ResetStructureTotals();
    ui->lblVol04FolderStructuresTemplatesSum->setText(CountText(ui->lstVol04AddFolderStructure));
    Vol04EnableStructureControls(true);
}
