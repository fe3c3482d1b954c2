#include "pages/folders/Vol08Page.h"

#include "pages/StructureLists.h"
#include "ui_Vol08Page.h"

using namespace pagekit;

Vol08Page::Vol08Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol08Page), Shared(shared) {
    ui->setupUi(this);
    // The structure list's messages and refresh come with the page's run.
    Structures = std::make_unique<StructureListHandlers>(this, QM_STRUCTURE_WIDGETS(ui, Vol08), 4,
                                                         StructureListMessages{});
}

Vol08Page::~Vol08Page() { delete ui; }

void Vol08Page::Vol08ResetCounters() {
    Stat08FoldersToCopy = Stat08SubFoldersToCopy = Stat08FilesToCopy = Stat08FileSizeToCopy = 0;
    Stat08FoldersCopied = Stat08SubFoldersCopied = Stat08FilesCopied = Stat08FileSizeCopied = 0;
    Stat08FoldersNotExists = Stat08SubFoldersExists = Stat08FilesExists = Stat08FileSizeExists = 0;
    Stat08SubFoldersOtherReasons = 0;
}

void Vol08Page::Vol08ClearResultLists() {
    for (StringList* list : {&Vol08ResultFoldersCopied, &Vol08ResultFoldersNotExists, &Vol08ResultSubFoldersCopied,
                             &Vol08ResultSubFoldersOther, &Vol08CreatedFolders, &Vol08CreatedSubFolders,
                             &Vol08CreatedFiles, &Vol08ExistingFolders, &Vol08OtherReasons, &Vol08FailedUndoFolders})
        list->clear();
}

void Vol08Page::Vol08RefreshPage() {
    const bool filled = ui->lstVol08IncludeFolderList->count() > 0;
    Vol08EnablePageControls(filled);
    Vol08EnableRunButtons(filled);
    Vol08ResetCounters();
    ui->lblVol08IncludeSum->setText(CountText(ui->lstVol08IncludeFolderList));
    ui->lblVol08ExcludeSum->setText(CountText(ui->lstVol08ExcludeFolderList));
}

void Vol08Page::Vol08EnablePageControls(bool flag) {
    SetEnabled(this,
               {"chkVol08ShowDetailedResults", "lblVol08FolderStructuresTemplates",
                "lblVol08FolderStructuresTemplatesSumCimke", "lblVol08FolderStructuresTemplatesSum",
                "btnVol08AddFolderStructure", "btnVol08ImportFolderStructuresTemplates", "btnVol08ViewFolderStructure",
                "btnVol08DeleteSelFolderStructuresTemplates", "btnVol08DeleteAllFolderStructuresTemplates",
                "btnVol08ExportFolderStructuresTemplates", "btnVol08EditFolderStructuresTemplates",
                "lstVol08AddFolderStructure", "rdoVol08StructureImportRelativePaths",
                "rdoVol08StructureImportFullPaths", "rdoVol08AttachMainFolderWithFiles",
                "rdoVol08AttachMainFolderWithoutFiles", "rdoVol08AttachSubFoldersOnlyWithFiles",
                "rdoVol08AttachSubFoldersOnlyWithoutFiles"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol08StructureImportFullPaths))
        Vol08SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol08StructureImportRelativePaths))
        Vol08SetRelativePathsMode();
    const bool withFiles = IsEnabledAndChecked(ui->rdoVol08AttachMainFolderWithFiles) ||
                           IsEnabledAndChecked(ui->rdoVol08AttachSubFoldersOnlyWithFiles);
    SetEnabled(this, {"btnVol08FileSelection", "lstVol08FileTypesAllSelected"}, flag && withFiles);
    Vol08EnableRunButtons(true);
}

void Vol08Page::Vol08EnableRunButtons(bool) {
    // COPY and Simulation come with the page's run.
}

void Vol08Page::Vol08SetRelativePathsMode() {
    Structures->ApplySource(StructureSource::TemplateLines);
    Vol08StructureTail();
}

void Vol08Page::Vol08SetFullPathsMode() {
    Structures->ApplySource(StructureSource::ExistingFolders);
    Vol08StructureTail();
}

// The totals and the disk-space check join this with the page's run.
void Vol08Page::Vol08StructureTail() {
    Vol08ResetCounters();
    ui->lblVol08FolderStructuresTemplatesSum->setText(CountText(ui->lstVol08AddFolderStructure));
    Vol08EnableRunButtons(true);
}
