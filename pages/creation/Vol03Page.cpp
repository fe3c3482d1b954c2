#include "pages/creation/Vol03Page.h"

#include "ui_Vol03Page.h"

using namespace pagekit;

Vol03Page::Vol03Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol03Page), Shared(shared) {
    ui->setupUi(this);
}

Vol03Page::~Vol03Page() { delete ui; }

void Vol03Page::Vol03ResetCounters() {
    Stat03FoldersToCreate = Stat03SubFoldersToCreate = Stat03FilesToCreate = Stat03FilesSizeToCreate = 0;
    Vol03ResetRunCounters();
}

void Vol03Page::Vol03ResetRunCounters() {
    Stat03FoldersCreated = Stat03SubFoldersCreated = Stat03FilesCreated = Stat03FilesSizeCreated = 0;
    Stat03FoldersExists = Stat03SubFoldersExists = Stat03FilesExists = Stat03FilesSizeExists = 0;
    Stat03FoldersOther = Stat03SubFoldersOther = Stat03FilesOther = Stat03FilesSizeOther = 0;
}

void Vol03Page::Vol03ClearResultLists() {
    for (StringList* list : {&Vol03ResultFoldersCreated, &Vol03ResultFoldersExists, &Vol03ResultFoldersOther,
                             &Vol03ResultSubFoldersCreated, &Vol03CreatedFolders, &Vol03CreatedSubFolders,
                             &Vol03CreatedFiles, &Vol03ExistingFolders, &Vol03OtherReasons})
        list->clear();
}

void Vol03Page::Vol03EnablePageControls(bool flag) {
    SetEnabled(this,
               {"lblVol03StartNumber", "edtVol03StartNumber", "lblVol03EndNumber", "edtVol03EndNumber",
                "lblVol03Prefix", "edtVol03Prefix", "lblVol03Suffix", "edtVol03Suffix", "chkVol03Hyphen",
                "chkVol03PaddedZeroes", "chkVol03AddIncNumbersAsSuffix", "chkVol03ViewDestFolder",
                "chkVol03ViewDetailedResults", "lblVol03FolderStructuresTemplates",
                "lblVol03FolderStructuresTemplatesSumCimke", "lblVol03FolderStructuresTemplatesSum",
                "btnVol03AddFolderStructure", "btnVol03ImportFolderStructuresTemplates", "btnVol03ViewFolderStructure",
                "btnVol03DeleteSelFolderStructuresTemplates", "btnVol03DeleteAllFolderStructuresTemplates",
                "btnVol03ExportFolderStructuresTemplates", "btnVol03EditFolderStructuresTemplates",
                "lstVol03AddFolderStructure", "rdoVol03AttachNothing", "rdoVol03StructureImportRelativePaths",
                "rdoVol03StructureImportFullPaths", "rdoVol03AttachMainFolderWithFiles",
                "rdoVol03AttachMainFolderWithoutFiles", "rdoVol03AttachSubFoldersOnlyWithFiles",
                "rdoVol03AttachSubFoldersOnlyWithoutFiles"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol03AttachNothing))
        rdoVol03AttachNothingClick();
    else if (IsEnabledAndChecked(ui->rdoVol03StructureImportFullPaths))
        Vol03SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol03StructureImportRelativePaths))
        Vol03SetRelativePathsMode();
}

void Vol03Page::Vol03UpdateButtons(bool) {
    // Only CREATE and Simulation follow these rules; they come with the page's run.
}

void Vol03Page::rdoVol03AttachNothingClick() {
    ApplyStructureSource(this, "Vol03", StructureSource::Nothing);
    ui->lstVol03AddFolderStructure->clear();
    Vol03StructureTail();
}

void Vol03Page::Vol03SetRelativePathsMode() {
    ApplyStructureSource(this, "Vol03", StructureSource::TemplateLines);
    Vol03StructureTail();
}

void Vol03Page::Vol03SetFullPathsMode() {
    ApplyStructureSource(this, "Vol03", StructureSource::ExistingFolders);
    Vol03StructureTail();
}

// The disk-space figures and the Visual Log counters join this with the run.
void Vol03Page::Vol03StructureTail() {
    Vol03ResetCounters();
    ui->lblVol03FolderStructuresTemplatesSum->setText(CountText(ui->lstVol03AddFolderStructure));
    Vol03UpdateButtons(true);
}
