#include "pages/checker/Vol15Page.h"

#include "ui_Vol15Page.h"

using namespace pagekit;

Vol15Page::Vol15Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol15Page), Shared(shared) {
    ui->setupUi(this);
}

Vol15Page::~Vol15Page() { delete ui; }

void Vol15Page::Vol15ResetCounters() {
    Stat15FoldersToCheck = Stat15SubFoldersToCheck = Stat15FilesToCheck = 0;
    Stat15FoldersMissing = Stat15SubFoldersMissing = Stat15FilesMissing = 0;
    Stat15FoldersExtra = Stat15SubFoldersExtra = Stat15FilesExtra = 0;
    Stat15FoldersNotExists = Stat15SubFoldersOtherReasons = 0;
}

void Vol15Page::Vol15RefreshPage() {
    const bool filled = ui->lstVol15IncludeFolderList->count() > 0;
    Vol15EnablePageControls(filled);
    Vol15EnableRunButtons(filled);
    Vol15ResetCounters();
    ui->lblVol15IncludeSum->setText(CountText(ui->lstVol15IncludeFolderList));
    ui->lblVol15ExcludeSum->setText(CountText(ui->lstVol15ExcludeFolderList));
}

void Vol15Page::Vol15EnablePageControls(bool flag) {
    SetEnabled(this,
               {"chkVol15ShowDetailedResults", "lblVol15FolderStructuresTemplates",
                "lblVol15FolderStructuresTemplatesSumCimke", "lblVol15FolderStructuresTemplatesSum",
                "btnVol15AddFolderStructure", "btnVol15ImportFolderStructuresTemplates", "btnVol15ViewFolderStructure",
                "btnVol15DeleteSelFolderStructuresTemplates", "btnVol15DeleteAllFolderStructuresTemplates",
                "btnVol15ExportFolderStructuresTemplates", "btnVol15EditFolderStructuresTemplates",
                "lstVol15AddFolderStructure", "rdoVol15AttachMainFolderWithFiles",
                "rdoVol15AttachMainFolderWithoutFiles", "rdoVol15AttachSubFoldersOnlyWithFiles",
                "rdoVol15AttachSubFoldersOnlyWithoutFiles", "rdoVol15StructureImportFullPaths",
                "rdoVol15StructureImportRelativePaths"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol15StructureImportFullPaths))
        ApplyStructureSource(this, "Vol15", StructureSource::ExistingFolders);
    else if (IsEnabledAndChecked(ui->rdoVol15StructureImportRelativePaths))
        ApplyStructureSource(this, "Vol15", StructureSource::TemplateLines);
    const bool withFiles = IsEnabledAndChecked(ui->rdoVol15AttachMainFolderWithFiles) ||
                           IsEnabledAndChecked(ui->rdoVol15AttachSubFoldersOnlyWithFiles);
    SetEnabled(this, {"btnVol15FileSelection", "lstVol15FileTypesAllSelected"}, withFiles);
    Vol15EnableRunButtons(true);
}

void Vol15Page::Vol15EnableRunButtons(bool) {
    // "Check Projects Consistency" comes with the page's run.
}
